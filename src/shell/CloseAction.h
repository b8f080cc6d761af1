#pragma once

namespace shell {

// What closing the main window does, by the WhenClose setting.
enum class CloseAction { End, AskFirst, Minimise };

constexpr CloseAction closeActionFor(int whenClose)
{
    return whenClose == 0 ? CloseAction::End : whenClose == 1 ? CloseAction::AskFirst : CloseAction::Minimise;
}

} // namespace shell
