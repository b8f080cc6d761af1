#pragma once

#include <QString>

namespace platform {

// The directory that holds the program and everything beside it. Each program makes it
// the current directory at start-up so that relative paths ("script/…", "dictionary")
// resolve there for it and for the clients it starts.
class ProgramDirectory {
public:
    // The directory of the running executable, made the current directory.
    static void enterExecutableDirectory();
    // Points the program directory elsewhere (tests); also makes it the current directory.
    static void enter(const QString &directory);

    // Absolute path with a trailing '/'.
    static QString path();
    static QString filePath(const QString &relativePath);
};

} // namespace platform
