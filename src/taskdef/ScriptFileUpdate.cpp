#include "taskdef/ScriptFileUpdate.h"

#include "platform/WholeFile.h"
#include "taskdef/SaveError.h"

#include <QFile>
#include <QFileInfo>

namespace taskdef {

namespace {
QString cannotWrite(const QString &path, const QString &reason)
{
    return QStringLiteral("The packet script file \"%1\" cannot be written: %2").arg(path, reason);
}

void writeWhole(const QString &path, const QByteArray &content)
{
    QString reason;
    if (!platform::writeWholeFile(path, content, &reason))
        throw SaveError(cannotWrite(path, reason));
}
} // namespace

ScriptFileUpdate::ScriptFileUpdate(const QString &path) : m_path(path), m_file(path)
{
}

void ScriptFileUpdate::prepare(const std::optional<QByteArray> &content)
{
    QFile old(m_path);
    if (old.exists()) {
        if (!old.open(QIODevice::ReadOnly))
            throw SaveError(cannotWrite(m_path, old.errorString()));
        m_previous = old.readAll();
    }
    m_writeNew = content.has_value();
    if (!m_writeNew)
        return;
    if (!m_file.open(QIODevice::WriteOnly) || m_file.write(*content) != content->size()) {
        const QString reason = m_file.errorString();
        m_file.cancelWriting();
        throw SaveError(cannotWrite(m_path, reason));
    }
}

void ScriptFileUpdate::apply()
{
    if (m_writeNew) {
        if (!m_file.commit())
            throw SaveError(cannotWrite(m_path, m_file.errorString()));
    } else if (m_previous && !QFile::remove(m_path)) {
        throw SaveError(cannotWrite(m_path, QStringLiteral("the old file cannot be removed")));
    }
    m_applied = true;
}

void ScriptFileUpdate::restore()
{
    if (!m_applied)
        return;
    m_applied = false;
    if (m_previous)
        writeWhole(m_path, *m_previous);
    else
        QFile::remove(m_path);
}

} // namespace taskdef
