#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace runner {

// What the command line asked of pellion-run.
struct RunnerOptions {
    QStringList groups; // --group NAME, in the order given
    QStringList tasks;  // --task NAME
    bool all = false;
    QString junitFile;
    QString jsonFile;
    QString csvFile;
    QString programDir;
    bool quiet = false;
    QString exportGroup; // --export GROUP FILE
    QString exportFile;
    QString importFile; // --import FILE
    bool help = false;  // --help or -h: the usage, and nothing else

    bool exports() const { return !exportFile.isEmpty(); }
    bool imports() const { return !importFile.isEmpty(); }
};

// The options, or nothing with the reason for a usage error. `arguments` excludes the
// program name.
std::optional<RunnerOptions> parseRunnerOptions(const QStringList &arguments, QString *error);

// The usage text.
QString runnerUsage();

} // namespace runner
