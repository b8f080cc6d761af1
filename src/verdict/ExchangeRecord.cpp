#include "verdict/ExchangeRecord.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace verdict {

namespace {
std::optional<int> optionalInteger(const QJsonValue &value)
{
    if (value.isDouble())
        return value.toInt();
    return std::nullopt;
}

// False when a member the verdict needs is missing or of another kind.
bool readExchange(const QJsonObject &object, Exchange &out)
{
    const QJsonValue packet = object.value(QLatin1String("packet"));
    const QJsonValue repetition = object.value(QLatin1String("repetition"));
    const QJsonValue request = object.value(QLatin1String("request"));
    const QJsonValue reply = object.value(QLatin1String("reply"));
    const QJsonValue verified = object.value(QLatin1String("verified"));
    const QJsonValue attributes = object.value(QLatin1String("attributes"));
    if (!packet.isDouble() || !repetition.isDouble() || !request.isDouble() || !verified.isBool()
        || !(reply.isDouble() || reply.isNull()) || !(attributes.isArray() || attributes.isUndefined()))
        return false;
    out.packet = packet.toInt();
    out.repetition = repetition.toInt();
    out.id = optionalInteger(object.value(QLatin1String("id")));
    out.requestCode = request.toInt();
    out.replyCode = optionalInteger(reply);
    out.verified = verified.toBool();
    out.retries = object.value(QLatin1String("retries")).toInt();
    const QJsonValue ms = object.value(QLatin1String("ms"));
    if (ms.isDouble())
        out.responseMs = ms.toDouble();
    for (const auto &item : attributes.toArray()) {
        const QJsonObject attribute = item.toObject();
        if (!attribute.value(QLatin1String("name")).isString())
            return false;
        out.attributes.append(
            {attribute.value(QLatin1String("name")).toString(), attribute.value(QLatin1String("value")).toString()});
    }
    return true;
}
} // namespace

ExchangeFile parseExchangeLines(const QByteArray &content)
{
    ExchangeFile file;
    const QList<QByteArray> lines = content.split('\n');
    for (qsizetype k = 0; k < lines.size(); ++k) {
        const QByteArray line = lines.at(k).trimmed();
        if (line.isEmpty())
            continue;
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(line, &error);
        Exchange exchange;
        if (error.error != QJsonParseError::NoError || !document.isObject()
            || !readExchange(document.object(), exchange)) {
            file.error = QStringLiteral("line %1: %2").arg(k + 1).arg(QString::fromUtf8(line.left(80)));
            return file;
        }
        file.exchanges.append(std::move(exchange));
    }
    return file;
}

std::optional<ExchangeFile> readExchangeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parseExchangeLines(file.readAll());
}

} // namespace verdict
