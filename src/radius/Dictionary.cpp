#include "radius/Dictionary.h"

#include "platform/ProgramDirectory.h"
#include "radius/CConvert.h"

#include <QDir>
#include <QMutex>

namespace radius {

namespace {
QMutex s_mutex;
bool s_loaded = false;
// libfreeradius 3.2 keeps pointers into a freed dictionary (seen as a use-after-free in
// dict_addvalue), so a process loads it at most once after a free.
bool s_freed = false;
} // namespace

Status Dictionary::load(const QString &directory, const QString &file)
{
    QMutexLocker lock(&s_mutex);
    if (s_loaded)
        return {};
    if (s_freed)
        return Status::failure(QStringLiteral("the RADIUS dictionary cannot be loaded again in this process"));
    char err[512] = {};
    if (pr_dict_load(QDir::toNativeSeparators(directory).toLocal8Bit().constData(), file.toLocal8Bit().constData(), err,
                     sizeof err)
        < 0)
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
    s_freed = true;
}

bool Dictionary::isLoaded()
{
    QMutexLocker lock(&s_mutex);
    return s_loaded;
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
