#include "shell/DesktopOpener.h"

#include <QProcess>
#include <QStandardPaths>

namespace shell {

void openOnDesktop(const QString &path, QObject *owner, const std::function<void()> &failed)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        failed();
        return;
    }
    auto *process = new QProcess(owner);
    process->setProgram(opener);
    process->setArguments({path});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, owner, [process, failed](int exitCode, QProcess::ExitStatus status) {
        process->deleteLater();
        if (status != QProcess::NormalExit || exitCode != 0)
            failed();
    });
    QObject::connect(process, &QProcess::errorOccurred, owner, [process, failed](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // a crash or kill also ends in finished()
        process->deleteLater();
        failed();
    });
    process->start();
}

} // namespace shell
