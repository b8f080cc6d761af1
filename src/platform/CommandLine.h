#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Splits a command line into words at blanks and tabs; double quotes group a word and
// are removed. Nothing else is special: no shell ever sees the line.
QStringList splitCommandLine(const QString &commandLine);

// The program file a command word names: a word with a '/' as it stands, otherwise the
// program directory first, then the executables' directory, then each directory of PATH. Empty when none is executable.
QString resolveProgram(const QString &word);

} // namespace platform
