#include "dictmanager/DictionaryManager.h"
#include "dictmanager/GlossorText.h"

#include "dictmanager/DictionaryNames.h"
#include "dictmanager/DictionaryPaths.h"
#include "dictmanager/SafeFile.h"
#include "dictmanager/UploadValidator.h"
#include "dictmanager/VendorFileLoader.h"
#include "dictmanager/VendorScanner.h"

#include <QFile>
#include <QFileInfo>

namespace dictmanager {

namespace {
QString unusableName(const QString &name)
{
    return QStringLiteral("The vendor name \"%1\" cannot be used as a file name. %2")
        .arg(name, DictionaryNames::vendorNameRule());
}
} // namespace

QStringList DictionaryManager::startUp()
{
    const VendorScanner::Result scan = VendorScanner::scan(DictionaryPaths::userDirectory());
    m_model.vendorList += scan.names;
    return scan.unreadable;
}

QStringList DictionaryManager::reloadEditor()
{
    m_model.vendorTable.clear();
    m_model.vendorList = QStringList{DictionaryModel::placeholder()};
    m_model.vendorCode.clear();
    m_model.clearStores();
    // The stores are empty now: no later choice may save them over a vendor's file.
    m_model.currentVendorIndex = 0;
    m_model.modified = false;
    m_unreadVendor.clear();
    return startUp();
}

DictionaryManager::Choice DictionaryManager::chooseVendor(int position)
{
    Choice choice;
    if (position < 0 || position >= m_model.vendorList.size())
        return choice;
    if (m_model.currentVendorIndex > 0 && m_model.modified) {
        choice.saveError =
            saveVendor(m_model.vendorList.value(m_model.currentVendorIndex), DictionaryWriter::Variant::Switch);
        if (!choice.saveError.isEmpty())
            return choice;
    }
    m_model.clearStores();
    m_model.vendorCode.clear();
    m_unreadVendor.clear();
    // The mark belongs to the loaded vendor: a vendor left unchanged is never rewritten.
    m_model.modified = false;
    if (position > 0) {
        const QString name = m_model.vendorList.at(position);
        if (const std::optional<QString> code = m_model.lastVendorCode(name))
            m_model.vendorCode = *code;
        const QString path = DictionaryPaths::vendorFile(name);
        if (!DictionaryNames::isVendorName(name) || !VendorFileLoader::load(path, m_model)) {
            choice.loadFailed = true;
            if (QFile::exists(path))
                m_unreadVendor = name;
        }
    }
    m_model.currentVendorIndex = position;
    return choice;
}

QString DictionaryManager::saveShown(int position)
{
    // Only the loaded vendor's stores, and only when changed: a save drops the file's comments
    // and every line the loader does not read.
    if (position <= 0 || position >= m_model.vendorList.size() || position != m_model.currentVendorIndex
        || !m_model.modified)
        return {};
    QString error = saveVendor(m_model.vendorList.at(position), DictionaryWriter::Variant::Close);
    if (error.isEmpty())
        m_model.modified = false;
    return error;
}

QString DictionaryManager::saveVendor(const QString &name, DictionaryWriter::Variant variant)
{
    if (!DictionaryNames::isVendorName(name))
        return unusableName(name);
    if (!m_unreadVendor.isEmpty() && name == m_unreadVendor)
        return QStringLiteral("The dictionary file of \"%1\" could not be read, so it is not overwritten.").arg(name);
    return SafeFile::write(DictionaryPaths::vendorFile(name), DictionaryWriter::vendorFile(m_model, name, variant));
}

const InstalledVendors &DictionaryManager::installedVendors()
{
    if (!m_installed)
        m_installed = InstalledVendors::read(DictionaryPaths::mainDictionary(), DictionaryPaths::userDirectory());
    return *m_installed;
}

QString DictionaryManager::rewriteIndex()
{
    // The library fails the whole main dictionary on an include it cannot open: a name
    // from a VENDOR line has no file of its own when its file declares several vendors
    // or another one. Each file once.
    QStringList included{DictionaryModel::placeholder()};
    for (const QString &name : m_model.vendorList.mid(1)) {
        if (!included.contains(name) && DictionaryNames::isVendorName(name)
            && QFileInfo(DictionaryPaths::vendorFile(name)).isFile())
            included << name;
    }
    return SafeFile::write(DictionaryPaths::indexFile(),
                           DictionaryWriter::toFileBytes(DictionaryWriter::index(included)));
}

std::optional<QString> DictionaryManager::createVendor(const QString &name, const QString &code)
{
    if (name.isEmpty())
        return glossorText("VendorNameEmpty", "Vendor name is emply!");
    if (code.isEmpty())
        return glossorText("VendorCodeEmpty", "Code is emply!");
    bool number = false;
    const uint value = code.toUInt(&number);
    if (!number || value < 1 || value > 65535)
        return glossorText("VendorCodeRange", "The vendor code is larger than 65535 or less than 1.");
    if (m_model.vendorList.contains(name))
        return glossorText("VendorNameExists", "The Vendor Name have existed");
    if (!DictionaryNames::isVendorName(name))
        return DictionaryNames::vendorNameRule();
    if (const std::optional<QString> clash = installedVendors().clash(name, code))
        return *clash;
    const QString path = DictionaryPaths::vendorFile(name);
    // Such a file may hold another vendor's whole dictionary.
    if (QFile::exists(path))
        return QStringLiteral("The dictionary file \"%1\" exists already.").arg(path);
    const QString error =
        SafeFile::write(path, DictionaryWriter::toFileBytes(DictionaryWriter::newVendorFile(name, code)));
    if (!error.isEmpty())
        return error;
    m_model.vendorTable.append({name, code});
    m_model.vendorList.append(name);
    return std::nullopt;
}

QStringList DictionaryManager::upload(const QString &path)
{
    const UploadValidator::Result check =
        UploadValidator::validate(path, m_model.vendorList, installedVendors(), m_model.uploadVendor);
    QStringList lines = check.messages;
    if (!check.ok)
        return lines;
    // Without a vendor of its own the file would replace the previous upload's file.
    if (!check.vendorRecorded) {
        lines << glossorText("UploadNoVendor", "[Error] the file declares no new vendor; nothing was copied.");
        return lines;
    }
    const QString vendor = m_model.uploadVendor;
    QString error = SafeFile::copy(path, DictionaryPaths::vendorFile(vendor));
    if (!error.isEmpty())
        return lines << glossorText("UploadError", "Upload dictionary file Error.") << error;
    // Listed, so that the index rewrite at close keeps its line.
    m_model.vendorList.append(vendor);
    error = SafeFile::appendLine(DictionaryPaths::indexFile(),
                                 DictionaryWriter::toFileBytes(DictionaryWriter::indexLine(vendor)));
    if (!error.isEmpty())
        return lines << glossorText("UploadError", "Upload dictionary file Error.") << error;
    return lines << glossorText("UploadDone", "Upload dictionary file success.");
}

std::optional<QByteArrayList> DictionaryManager::exportLines(const QString &vendorName, QString *error)
{
    if (!DictionaryNames::isVendorName(vendorName)) {
        *error = unusableName(vendorName);
        return std::nullopt;
    }
    const std::optional<QByteArray> content = SafeFile::read(DictionaryPaths::vendorFile(vendorName), error);
    if (!content)
        return std::nullopt;
    QByteArray text = *content;
    text.replace("\r\n", "\n").replace('\r', '\n');
    if (text.endsWith('\n'))
        text.chop(1);
    return text.isEmpty() && content->isEmpty() ? QByteArrayList() : text.split('\n');
}

QString DictionaryManager::writeExport(const QByteArrayList &lines, const QString &target)
{
    QByteArray content;
    for (const QByteArray &line : lines)
        content += line + "\r\n";
    return SafeFile::write(target, content);
}

DictionaryManager::DeleteResult DictionaryManager::deleteVendor(int position)
{
    if (position <= 0 || position >= m_model.vendorList.size())
        return DeleteResult::Nothing;
    const QString name = m_model.vendorList.at(position);
    if (!DictionaryNames::isVendorName(name) || !QFile::remove(DictionaryPaths::vendorFile(name)))
        return DeleteResult::Failed;
    const auto entry = std::find_if(m_model.vendorTable.begin(), m_model.vendorTable.end(),
                                    [&](const VendorEntry &e) { return e.name == name; });
    if (entry != m_model.vendorTable.end())
        m_model.vendorTable.erase(entry);
    m_model.vendorList.removeAt(position);
    // Keep the loaded vendor's position pointing at it, or at nothing.
    if (m_model.currentVendorIndex == position) {
        m_model.currentVendorIndex = 0;
        m_model.modified = false;
    } else if (m_model.currentVendorIndex > position) {
        --m_model.currentVendorIndex;
    }
    return DeleteResult::Deleted;
}

} // namespace dictmanager
