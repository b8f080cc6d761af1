#include "platform/SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QMutex>
#include <QStandardPaths>

namespace platform {

namespace {
QMutex s_mutex;
QString s_directory;
} // namespace

void SingleInstance::setDirectory(const QString &directory)
{
    QMutexLocker lock(&s_mutex);
    s_directory = directory;
}

QString SingleInstance::directory()
{
    QMutexLocker lock(&s_mutex);
    if (!s_directory.isEmpty())
        return s_directory;
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

SingleInstance::SingleInstance(const QString &name)
{
    const QString dir = directory();
    QDir().mkpath(dir);
    m_lock = std::make_unique<QLockFile>(dir + QLatin1Char('/') + name + QLatin1String(".lock"));
    // Never stale by age: only a dead holder's lock is taken over.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    return m_lock->isLocked() || m_lock->tryLock(0);
}

} // namespace platform
