#pragma once

#include "platform/ScriptedDialogService.h"
#include "shell/PellionSession.h"
#include "support/TempProgramDir.h"

#include <memory>

namespace e2e {

// One installed program as a user meets it: a fresh program directory laid out as the
// install lays it out (our radclient and radeapclient copied in beside the dictionary and
// language files), the dialog service scripted, and Pellion's main window built as the
// program's start-up builds it, in this process, offscreen.
class ProgramUnderTest {
public:
    ProgramUnderTest();  // lays out the directory; clientsInstalled() tells whether it worked
    ~ProgramUnderTest(); // ends Pellion

    bool clientsInstalled() const { return m_clientsInstalled; }

    // Starts Pellion: main window, data module, shown. False (with the reason) when the
    // window could not be made, as start-up would report it.
    bool startPellion(QString *error);
    // Ends it as the process end would, without a message loop to leave.
    void endPellion();
    shell::TfrmMain &main() { return m_session->main(); }
    bool pellionRunning() const { return m_session != nullptr; }

    testsupport::TempProgramDir dir;
    platform::ScriptedDialogService dialogs;

private:
    bool installClient(const QString &builtPath);

    bool m_clientsInstalled = false;
    std::unique_ptr<shell::PellionSession> m_session; // made anew at each start
    int m_terminations = 0;
};

} // namespace e2e
