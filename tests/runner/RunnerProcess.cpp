#include "RunnerProcess.h"

#include <QEventLoop>
#include <QProcessEnvironment>
#include <QTimer>

namespace runnertest {

RunnerOutput runProgram(const QString &program, const QStringList &arguments, const QString &workingDirectory,
                        const QString &settingsHome, const std::function<void(const QString &)> &onOutput)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!settingsHome.isEmpty()) {
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settingsHome);
        environment.insert(QStringLiteral("XDG_DATA_HOME"), settingsHome);
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingDirectory);
    process.setStandardInputFile(QProcess::nullDevice());

    RunnerOutput output;
    QByteArray out;
    QEventLoop loop;
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop, [&] { process.kill(); });
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&] {
        out += process.readAllStandardOutput();
        if (onOutput)
            onOutput(QString::fromUtf8(out));
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    process.start(program, arguments);
    bound.start(120000);
    loop.exec();
    out += process.readAllStandardOutput();
    output.out = QString::fromUtf8(out);
    output.err = QString::fromUtf8(process.readAllStandardError());
    output.exitCode = process.exitStatus() == QProcess::NormalExit && bound.isActive() ? process.exitCode() : -1;
    return output;
}

} // namespace runnertest
