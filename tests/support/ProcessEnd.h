#pragma once

#include <QEventLoop>
#include <QProcess>

namespace testsupport {

// Waits for a started process to end, on its own signals rather than a clock; a process
// that hangs is ended by the test's own time limit. True when it ran and exited with 0.
inline bool awaitCleanExit(QProcess &process)
{
    if (process.state() != QProcess::NotRunning) {
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop, &process] {
            if (process.state() == QProcess::NotRunning)
                loop.quit();
        });
        loop.exec();
    }
    return process.error() != QProcess::FailedToStart && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

} // namespace testsupport
