// The enterprise modes made in the task editor, their settings on the setting page, run
// from the main window against the server: accepted with the right password or
// certificate, not with a wrong one.
#include "E2eSuite.h"

#include "taskdef/TfrmTask.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace e2e {
namespace {

using EnterpriseEapFlow = E2eSuite;

struct ModeCase {
    const char *mode;
    const char *password;
    const char *inner; // EAP-TTLS's inner method as the list shows it
    bool certificate;  // EAP-TLS: the client certificate
    bool accepted;
};

TEST_F(EnterpriseEapFlow, EachModeRunsFromTheWindow)
{
    ASSERT_TRUE(startPellion());
    const ModeCase cases[] = {
        {"MS-CHAPv2", "hello", nullptr, false, true}, {"EAP-MSCHAPv2", "hello", nullptr, false, true},
        {"PEAP", "hello", nullptr, false, true},      {"PEAP", "wrong", nullptr, false, false},
        {"EAP-TTLS", "hello", "PAP", false, true},    {"EAP-TTLS", "hello", "MS-CHAPv2", false, true},
        {"EAP-TLS", "hello", nullptr, true, true},
    };
    int number = 0;
    for (const ModeCase &c : cases) {
        const QString name = QStringLiteral("%1 %2 %3").arg(++number).arg(c.mode, c.inner ? c.inner : "");
        SCOPED_TRACE(name.toStdString());
        TaskInput task{name,
                       "127.0.0.1",
                       server().authPort(),
                       server().secret(),
                       "Auth",
                       c.mode,
                       {{{"User-Name", "bob"}, {"User-Password", c.password}}}};
        const auto eapSettings = [&](taskdef::TfrmTask *editor) {
            auto *verify = control<QCheckBox>(editor, "chkEapVerifyServer");
            if (verify->isVisible()) {
                verify->setChecked(true);
                retype(control<QLineEdit>(editor, "edtEapCaFile"), pki().caFile());
            }
            if (c.inner)
                pick(control<QComboBox>(editor, "cboEapInner"), c.inner);
            if (c.certificate) {
                retype(control<QLineEdit>(editor, "edtEapCertFile"), pki().certificate("client"));
                retype(control<QLineEdit>(editor, "edtEapKeyFile"), pki().key("client"));
            }
        };
        ASSERT_TRUE(user->newTask(task, eapSettings)) << program.dialogs.messageTexts().join("; ").toStdString();
        ASSERT_TRUE(user->runTask(name));
        ASSERT_TRUE(user->waitForFinishedRuns(name, 1, 20000));
        const QStringList run = user->lastRunInAllLog(name);
        EXPECT_EQ(lineWith(run, "Info: Received Access-Accept") >= 0, c.accepted) << run.join('\n').toStdString();
        if (c.accepted) {
            EXPECT_LT(lineWith(run, "Error:"), 0) << run.join('\n').toStdString();
        }
    }
}

} // namespace
} // namespace e2e
