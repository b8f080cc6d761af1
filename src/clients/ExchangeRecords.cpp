#include "clients/ExchangeRecords.h"

#include "radius/PairList.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace clients {

namespace {
QJsonValue optionalNumber(const std::optional<int> &value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

// Each attribute with its value as the dictionary prints it; a tagged one as "Name:tag".
QJsonArray attributesOf(const radius::PairList *pairs)
{
    QJsonArray attributes;
    for (int i = 0; pairs && i < pairs->size(); ++i) {
        const radius::PairValue pair = pairs->at(i);
        QString name = pair.attribute.name;
        if (pair.attribute.hasTag && pair.tag > 0)
            name += QLatin1Char(':') + QString::number(pair.tag);
        attributes.append(QJsonObject{{QStringLiteral("name"), name}, {QStringLiteral("value"), pairs->valueText(i)}});
    }
    return attributes;
}
} // namespace

ExchangeRecords::~ExchangeRecords()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::string ExchangeRecords::open(const std::string &path)
{
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (m_fd < 0)
        return "Cannot write the records file " + path + ": " + std::strerror(errno);
    return {};
}

void ExchangeRecords::write(const ExchangeRecord &record)
{
    if (m_fd < 0)
        return;
    const QJsonObject object{
        {QStringLiteral("packet"), record.packet},
        {QStringLiteral("repetition"), record.repetition},
        {QStringLiteral("id"), optionalNumber(record.id)},
        {QStringLiteral("request"), record.requestCode},
        {QStringLiteral("reply"), optionalNumber(record.replyCode)},
        {QStringLiteral("attributes"), attributesOf(record.replyPairs)},
        {QStringLiteral("ms"), record.responseMs ? QJsonValue(*record.responseMs) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("retries"), record.retries},
        {QStringLiteral("verified"), record.verified},
    };
    const QByteArray line = QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
    // One write per record, so a reader never sees half a line from a finished exchange.
    for (qsizetype done = 0; done < line.size();) {
        const ssize_t n = ::write(m_fd, line.constData() + done, std::size_t(line.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += n;
    }
}

} // namespace clients
