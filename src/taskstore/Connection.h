#pragma once

#include <QString>

struct sqlite3;

namespace taskstore {

// One session on the task database file. The file and its tables are created on the
// first open when missing; three sessions (main, check, run) share one file in WAL mode.
class Connection {
public:
    // The database file beside the program: "<program directory>Pellion.dat".
    static QString defaultPath();

    // Throws DatabaseError with the database's text when the file cannot be opened.
    explicit Connection(const QString &path);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    sqlite3 *handle() const { return m_db; }
    QString path() const { return m_path; }

private:
    void createMissingTables();

    sqlite3 *m_db = nullptr;
    QString m_path;
};

} // namespace taskstore
