// Tasks aimed at the server over IPv6, TCP and TLS, made in the editor and run from the
// main window as a user does.
#include "E2eSuite.h"

#include "taskdef/TfrmTask.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

namespace e2e {
namespace {

using TransportFlow = E2eSuite;

struct TransportCase {
    const char *name;
    QString server;
    quint16 (*port)();
    QString transport; // as the Transport page's list shows it
    bool tls;
};

TEST_F(TransportFlow, EachTransportRunsFromTheWindowAndIsAccepted)
{
    ASSERT_TRUE(startPellion());
    const TransportCase cases[] = {
        {"udp over ipv6", "::1", [] { return server().authPort(); }, "UDP", false},
        {"tcp over ipv6", "::1", [] { return server().tcpPort(); }, "TCP", false},
        {"tls", "127.0.0.1", [] { return server().tlsPort(0); }, "TLS (RadSec)", true},
    };
    for (const TransportCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        TaskInput task{name,
                       c.server,
                       c.port(),
                       c.tls ? server().tlsSecret() : server().secret(),
                       "Auth",
                       "PAP",
                       {{{"User-Name", "bob"}, {"User-Password", "hello"}}}};
        ASSERT_TRUE(user->newTask(task)) << program.dialogs.messageTexts().join("; ").toStdString();
        ASSERT_TRUE(user->editTask(name, [&](taskdef::TfrmTask *editor) {
            showPage(control<QTabWidget>(editor, "PageControl"), "TabSheetTransport");
            pick(control<QComboBox>(editor, "cboTransport"), c.transport);
            if (c.tls) {
                retype(control<QLineEdit>(editor, "edtCaFile"), pki().caFile());
                retype(control<QLineEdit>(editor, "edtCertFile"), pki().certificate("client"));
                retype(control<QLineEdit>(editor, "edtKeyFile"), pki().key("client"));
            }
            click(editor, "spbtnOK");
        }));
        ASSERT_TRUE(user->runTask(name));
        ASSERT_TRUE(user->waitForFinishedRuns(name, 1, 20000));
        const QStringList run = user->lastRunInAllLog(name);
        EXPECT_GE(lineWith(run, "Info: Received Access-Accept"), 0) << run.join('\n').toStdString();
        EXPECT_LT(lineWith(run, "Error:"), 0) << run.join('\n').toStdString();
    }
}

} // namespace
} // namespace e2e
