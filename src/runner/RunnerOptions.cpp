#include "runner/RunnerOptions.h"

namespace runner {

namespace {
// The word after position i, which then moves on to it; `option` is what needs it.
bool takeValue(const QStringList &arguments, qsizetype &i, const QString &option, QString *value, QString *error)
{
    if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
        *error = QStringLiteral("%1 needs a value").arg(option);
        return false;
    }
    *value = arguments[++i];
    return true;
}
} // namespace

QString runnerUsage()
{
    return QStringLiteral(
        "usage: pellion-run [--group NAME | --task NAME]... [--all] [--junit FILE] [--json FILE]\n"
        "                   [--csv FILE] [--program-dir DIR] [--quiet]\n"
        "       pellion-run [--program-dir DIR] --export GROUP FILE\n"
        "       pellion-run [--program-dir DIR] --import FILE\n"
        "       pellion-run --help\n"
        "Runs the chosen tasks as the window runs them and reports each verdict.\n"
        "Exit status: 0 all passed, 1 a task failed or was not evaluated, 2 usage error or\n"
        "a named task or group that does not exist.\n");
}

std::optional<RunnerOptions> parseRunnerOptions(const QStringList &arguments, QString *error)
{
    RunnerOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &word = arguments[i];
        QString value;
        bool ok = true;
        if (word == QLatin1String("--help") || word == QLatin1String("-h")) {
            options.help = true;
            return options;
        }
        if (word == QLatin1String("--group")) {
            ok = takeValue(arguments, i, word, &value, error);
            options.groups << value;
        } else if (word == QLatin1String("--task")) {
            ok = takeValue(arguments, i, word, &value, error);
            options.tasks << value;
        } else if (word == QLatin1String("--all")) {
            options.all = true;
        } else if (word == QLatin1String("--junit")) {
            ok = takeValue(arguments, i, word, &options.junitFile, error);
        } else if (word == QLatin1String("--json")) {
            ok = takeValue(arguments, i, word, &options.jsonFile, error);
        } else if (word == QLatin1String("--csv")) {
            ok = takeValue(arguments, i, word, &options.csvFile, error);
        } else if (word == QLatin1String("--program-dir")) {
            ok = takeValue(arguments, i, word, &options.programDir, error);
        } else if (word == QLatin1String("--quiet")) {
            options.quiet = true;
        } else if (word == QLatin1String("--export")) {
            ok = takeValue(arguments, i, word, &options.exportGroup, error)
                && takeValue(arguments, i, word, &options.exportFile, error);
        } else if (word == QLatin1String("--import")) {
            ok = takeValue(arguments, i, word, &options.importFile, error);
        } else {
            *error = QStringLiteral("unknown argument \"%1\"").arg(word);
            return std::nullopt;
        }
        if (!ok)
            return std::nullopt;
    }
    const bool runs = options.all || !options.groups.isEmpty() || !options.tasks.isEmpty();
    const int modes = int(runs) + int(options.exports()) + int(options.imports());
    if (modes != 1) {
        *error = modes == 0 ? QStringLiteral("name tasks to run (--group, --task or --all), --export or --import")
                            : QStringLiteral("running, --export and --import go one at a time");
        return std::nullopt;
    }
    if (options.all && (!options.groups.isEmpty() || !options.tasks.isEmpty())) {
        *error = QStringLiteral("--all runs every task: no --group or --task with it");
        return std::nullopt;
    }
    return options;
}

} // namespace runner
