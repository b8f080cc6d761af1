#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace runnertest {

// What a program gave back.
struct RunnerOutput {
    int exitCode = -1; // -1 when it crashed, did not start or did not end in time
    QString out;
    QString err;
};

// Runs `program` in `workingDirectory` and waits for its finished signal (bounded: it is
// killed after two minutes). Its settings and per-user data stay inside `settingsHome`
// when given. `onOutput` sees standard output as it grows, while the program runs.
RunnerOutput runProgram(const QString &program, const QStringList &arguments, const QString &workingDirectory,
                        const QString &settingsHome = {},
                        const std::function<void(const QString &outSoFar)> &onOutput = {});

// The built pellion-run.
inline RunnerOutput runPellionRun(const QStringList &arguments, const QString &workingDirectory,
                                  const QString &settingsHome,
                                  const std::function<void(const QString &outSoFar)> &onOutput = {})
{
    return runProgram(QStringLiteral(PELLION_RUN), arguments, workingDirectory, settingsHome, onOutput);
}

} // namespace runnertest
