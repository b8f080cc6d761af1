#pragma once

#include "shell/ProgramTaskWindows.h"

#include <QString>

#include <memory>
#include <optional>

namespace shell {

class TfrmDataMod;
class TfrmMain;

// What start-up builds before the message loop runs: the main window (main connection
// and all its start-up work), then the data module (check and run connections) attached
// to it. The program's main and the end-to-end tests both start Pellion through here.
class PellionSession {
public:
    PellionSession();
    ~PellionSession(); // the main window goes first, then the data module
    PellionSession(const PellionSession &) = delete;
    PellionSession &operator=(const PellionSession &) = delete;

    // The error's text when the window or the data module could not be made.
    std::optional<QString> start();
    TfrmMain &main() { return *m_main; }

private:
    ProgramTaskWindows m_windows;
    std::unique_ptr<TfrmMain> m_main;
    std::unique_ptr<TfrmDataMod> m_dataModule;
};

} // namespace shell
