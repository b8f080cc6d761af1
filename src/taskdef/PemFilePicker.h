#pragma once

class QLineEdit;

namespace taskdef {

// Asks for a certificate or key file (through the dialog service), starting where the
// field points; the field takes the chosen path, and keeps its text when none is chosen.
void pickPemFile(QLineEdit *edit);

} // namespace taskdef
