#include "ProgramUnderTest.h"

#include "shell/TfrmMain.h"

#include <QFile>
#include <QFileInfo>

namespace e2e {

ProgramUnderTest::ProgramUnderTest()
{
    m_clientsInstalled =
        installClient(QStringLiteral(PELLION_RADCLIENT)) && installClient(QStringLiteral(PELLION_RADEAPCLIENT));
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
    m_session = std::make_unique<shell::PellionSession>();
    if (const std::optional<QString> failure = m_session->start()) {
        *error = *failure;
        endPellion();
        return false;
    }
    // Exit would leave the message loop; here there is none to leave.
    m_session->main().setTerminate([this] { ++m_terminations; });
    m_session->main().show();
    return true;
}

void ProgramUnderTest::endPellion()
{
    m_session.reset();
    // The library's dictionary stays loaded, for checks after the end; a test that needs
    // its own program directory's dictionary unloads it before Pellion starts.
}

} // namespace e2e
