#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Splits a command line into words at blanks and tabs; double quotes group a word and
// are removed. Inside quotes \" stands for a quote and \\ for a backslash; any other
// backslash is itself. Nothing else is special: no shell ever sees the line.
QStringList splitCommandLine(const QString &commandLine);

// The word as it stands when splitCommandLine reads it back as itself, else in double
// quotes with its quotes and backslashes escaped (empty words and words holding a blank,
// a tab or a double quote).
QString quoteCommandWord(const QString &word);

// The program file a command word names: a word with a '/' as it stands, otherwise the
// program directory first, then the executables' directory, then each directory of PATH. Empty when none is executable.
QString resolveProgram(const QString &word);

} // namespace platform
