#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A fresh program directory laid out as the install lays it out (script/, Log/,
// dictionary/ with the shipped main dictionary and an empty user index, Language/,
// Help/), with its own settings root and single-instance directory. It becomes the
// program directory and the current directory while it lives.
class TempProgramDir {
public:
    TempProgramDir();
    ~TempProgramDir();

    QString path() const; // with a trailing '/'
    QString filePath(const QString &relative) const;
    QString settingsRoot() const;
    // Writes a file below the directory, creating folders; false when it cannot.
    bool writeFile(const QString &relative, const QByteArray &content) const;
    QByteArray readFile(const QString &relative) const;

    // Where the source tree's data/ and the build tree live.
    static QString sourceDataDir();
    static QString binaryDir();

private:
    QTemporaryDir m_dir;
    QString m_previousCurrent;
};

} // namespace testsupport
