#include "radius/Dictionary.h"

#include "platform/ProgramDirectory.h"
#include "radius/CConvert.h"

#include <QDir>
#include <QMutex>

namespace radius {

namespace {
QMutex s_mutex;
bool s_loaded = false;
bool s_stale = false;
QString s_directory;
QString s_file;

QByteArray nativePath(const QString &directory)
{
    return QDir::toNativeSeparators(directory).toLocal8Bit();
}
} // namespace

DictionaryEvents &DictionaryEvents::instance()
{
    static DictionaryEvents events;
    return events;
}

Status Dictionary::load(const QString &directory, const QString &file)
{
    QMutexLocker lock(&s_mutex);
    if (s_loaded)
        return {};
    char err[512] = {};
    s_directory = directory;
    s_file = file;
    if (pr_dict_load(nativePath(directory).constData(), file.toLocal8Bit().constData(), err, sizeof err) < 0)
        return Status::failure(QString::fromUtf8(err));
    s_loaded = true;
    return {};
}

Status Dictionary::loadProgramDictionary()
{
    return load(platform::ProgramDirectory::filePath(QStringLiteral("dictionary")));
}

void Dictionary::unload()
{
    QMutexLocker lock(&s_mutex);
    if (!s_loaded)
        return;
    pr_dict_free();
    s_loaded = false;
}

bool Dictionary::isLoaded()
{
    QMutexLocker lock(&s_mutex);
    return s_loaded;
}

Status Dictionary::reload()
{
    Status status;
    {
        QMutexLocker lock(&s_mutex);
        if (s_directory.isEmpty())
            return Status::failure(QStringLiteral("the RADIUS dictionary was never loaded"));
        char err[512] = {};
        const int read =
            pr_dict_reload(nativePath(s_directory).constData(), s_file.toLocal8Bit().constData(), err, sizeof err);
        if (read != PR_DICT_REFUSED)
            s_loaded = read == 0;
        if (read < 0)
            status = Status::failure(QString::fromUtf8(err));
        s_stale = !status.ok();
    }
    if (status.ok())
        Q_EMIT DictionaryEvents::instance().reloaded();
    else
        Q_EMIT DictionaryEvents::instance().reloadRefused(status.error());
    return status;
}

bool Dictionary::isStale()
{
    QMutexLocker lock(&s_mutex);
    return s_stale;
}

std::optional<AttributeInfo> Dictionary::attribute(const QString &name)
{
    pr_attr_info info{};
    if (pr_dict_attr_by_name(name.toUtf8().constData(), &info) < 0)
        return std::nullopt;
    return attributeFromC(info);
}

std::optional<AttributeInfo> Dictionary::attribute(unsigned number, unsigned vendor)
{
    pr_attr_info info{};
    if (pr_dict_attr_by_number(number, vendor, &info) < 0)
        return std::nullopt;
    return attributeFromC(info);
}

} // namespace radius
