#pragma once

#include <QString>

namespace platform {

// The directory that holds the program's data beside it. Each program makes it the
// current directory at start-up so that relative paths ("script/…", "dictionary")
// resolve there for it and for the clients it starts.
//
// Where the executable's directory is writable it is the program directory (the portable
// layout). Where it is not (an installed package), each user gets a program directory
// of their own, $XDG_DATA_HOME/Pellion, seeded from the installed one; the programs' own
// clients are still found first, beside the executable.
class ProgramDirectory {
public:
    // Chooses the program directory for the running executable and makes it current.
    static void enterExecutableDirectory();
    // Points the program directory elsewhere (tests); also makes it the current directory.
    // `executables`: where the programs are when not there (empty: the same).
    static void enter(const QString &directory, const QString &executables = {});

    // The directory to use for programs installed in `installed`: `installed` itself
    // when writable, else `perUser`, made and seeded (dictionaries, languages and help
    // from `installed`; empty script/ and Log/). What the user wrote there stays.
    static QString prepare(const QString &installed, const QString &perUser, bool installedWritable);
    // $XDG_DATA_HOME/Pellion (by default ~/.local/share/Pellion).
    static QString perUserDirectory();

    // Absolute path with a trailing '/'.
    static QString path();
    static QString filePath(const QString &relativePath);
    // Where the executables are, with a trailing '/'; the program directory unless
    // enterExecutableDirectory() chose a per-user one.
    static QString executableDirectory();
};

} // namespace platform
