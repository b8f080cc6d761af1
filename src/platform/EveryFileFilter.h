#pragma once

class QFileDialog;

namespace platform {

// A filter written "(*.*)", such as "All Files (*.*)", means every file on the desktop the
// programs come from; Qt would show only names with a dot. Makes the dialog's "*.*" filters
// match every file while their text stays as given.
void matchEveryFileWithStarDotStar(QFileDialog &dialog);

} // namespace platform
