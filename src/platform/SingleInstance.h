#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace platform {

// A system-wide guard held for the life of the process: only one holder per name.
// A guard left behind by a crashed process is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString &name);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when this process now holds the guard.
    bool acquire();

    // Where the guards live; defaults to the user's runtime directory (tests redirect it).
    static void setDirectory(const QString &directory);
    static QString directory();

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace platform
