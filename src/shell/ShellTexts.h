#pragma once

#include "platform/Language.h"

#include <span>

// The localised texts of the shell's windows, with their built-in English texts. Each
// window applies its tables every time it is shown.
namespace shell::texts {

// TfrmMain: log pane buttons, main menu and the four pop-up menus.
std::span<const platform::TextEntry> mainWindow();
// TfrmMain: headings of the task list, "ColumnN.Caption" for heading N.
std::span<const platform::TextEntry> taskListHeadings();
// TfrmGroup.
std::span<const platform::TextEntry> groupDialog();
// TfrmOption: captions, and the three entries of RadioGroupClose.
std::span<const platform::TextEntry> optionDialog();
std::span<const platform::TextEntry> closeChoices();
// TfrmAbout.
std::span<const platform::TextEntry> aboutBox();

} // namespace shell::texts
