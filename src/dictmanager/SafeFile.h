#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace dictmanager {

// File writes that never leave a half-written file: the new content goes to a temporary
// file beside the target and is renamed into place, so a failure keeps the old file whole.
// Each returns an empty text on success, else what went wrong.
class SafeFile {
public:
    static QString write(const QString &path, const QByteArray &content);
    // Adds a line at the end, starting it on a line of its own.
    static QString appendLine(const QString &path, const QByteArray &line);
    static QString copy(const QString &from, const QString &to);
    static std::optional<QByteArray> read(const QString &path, QString *error);
};

} // namespace dictmanager
