#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <optional>

namespace taskdef {

// Replaces a task's packet script file so that it can be undone: the new text is written
// beside the file first, moved into place only on apply(), and restore() puts the old
// file back (or removes the new one) when a later step of the save fails.
class ScriptFileUpdate {
public:
    explicit ScriptFileUpdate(const QString &path);

    // Writes the new content beside the file; nullopt content means the file is to go.
    // Throws SaveError when it cannot be written.
    void prepare(const std::optional<QByteArray> &content);
    // Moves the new file into place (or removes the old one). Throws SaveError.
    void apply();
    // Undoes apply().
    void restore();

private:
    QString m_path;
    QSaveFile m_file;
    bool m_writeNew = false;
    std::optional<QByteArray> m_previous; // the old content, when there was an old file
    bool m_applied = false;
};

} // namespace taskdef
