#include "groupfile/GroupFileTransfer.h"

#include "groupfile/GroupExport.h"
#include "groupfile/GroupFileReader.h"
#include "groupfile/GroupFileWriter.h"
#include "platform/TextError.h"
#include "platform/WholeFile.h"

#include <QFile>

namespace groupfile {

QString exportGroupToFile(taskstore::Connection &connection, const QString &groupId, const QString &groupName,
                          const QString &path)
{
    QByteArray text;
    try {
        text = writeGroupFile(exportGroup(connection, groupId, groupName));
    } catch (const platform::TextError &error) {
        return error.text();
    }
    QString reason;
    if (!platform::writeWholeFile(path, text, &reason))
        return QStringLiteral("\"%1\" cannot be written: %2").arg(path, reason);
    return {};
}

ImportResult importGroupFromFile(taskstore::Connection &connection, const QString &path, const QDateTime &now)
{
    ImportResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("\"%1\" cannot be read: %2").arg(path, file.errorString());
        return result;
    }
    const GroupFileReading reading = readGroupFile(file.readAll());
    if (!reading.ok()) {
        result.error = reading.error;
        return result;
    }
    result.groupName = reading.document.groupName;
    try {
        result.imported = importGroup(connection, reading.document, now);
    } catch (const platform::TextError &error) {
        result.error = error.text();
    }
    return result;
}

} // namespace groupfile
