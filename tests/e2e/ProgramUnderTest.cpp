#include "ProgramUnderTest.h"

#include "shell/TfrmDataMod.h"
#include "shell/TfrmMain.h"
#include "taskstore/DatabaseError.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

namespace e2e {

ProgramUnderTest::ProgramUnderTest()
{
    m_clientsInstalled = installClient(QStringLiteral(PELLION_RADCLIENT))
                         && installClient(QStringLiteral(PELLION_RADEAPCLIENT));
}

ProgramUnderTest::~ProgramUnderTest()
{
    endPellion();
}

bool ProgramUnderTest::installClient(const QString &builtPath)
{
    const QString target = dir.filePath(QFileInfo(builtPath).fileName());
    return QFile::copy(builtPath, target)
           && QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool ProgramUnderTest::startPellion(QString *error)
{
    // The same steps and order as the program's start-up, without its message loop: the
    // test's own waits run the events.
    QApplication::setQuitOnLastWindowClosed(false);
    m_windows = std::make_unique<shell::ProgramTaskWindows>();
    try {
        m_main = std::make_unique<shell::TfrmMain>(*m_windows);
        m_windows->setConnection(&m_main->connection());
        m_dataModule = std::make_unique<shell::TfrmDataMod>();
        m_main->attachDataModule(*m_dataModule);
    } catch (const taskstore::DatabaseError &failure) {
        *error = failure.text();
        endPellion();
        return false;
    }
    // Exit would leave the message loop; here there is none to leave.
    m_main->setTerminate([this] { ++m_terminations; });
    m_main->show();
    return true;
}

void ProgramUnderTest::endPellion()
{
    m_main.reset();
    m_dataModule.reset();
    m_windows.reset();
    // The library's dictionary stays loaded: libfreeradius 3.2 reads freed memory when
    // it is loaded again after dict_free. A test that needs a fresh load runs first in
    // its process (ctest gives every test a process of its own).
}

} // namespace e2e
