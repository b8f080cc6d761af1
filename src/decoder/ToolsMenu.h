#pragma once

class QMainWindow;

namespace decoder {

// The main window's Tools menu ("mnuTools") with "Decode Packet" ("mnuDecodePacket"),
// placed before the Option menu; created once.
void addToolsMenu(QMainWindow *window);

} // namespace decoder
