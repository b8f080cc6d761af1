#include "taskstore/Expectation.h"

#include <array>
#include <utility>

namespace taskstore {

namespace {
const std::array<std::pair<CheckOperator, const char *>, 5> kOperatorNames{{
    {CheckOperator::Present, "present"},
    {CheckOperator::Absent, "absent"},
    {CheckOperator::Equals, "equals"},
    {CheckOperator::Contains, "contains"},
    {CheckOperator::Matches, "matches"},
}};

const std::array<std::pair<int, const char *>, 9> kCodeNames{{
    {replycode::kAccessAccept, "Access-Accept"},
    {replycode::kAccessReject, "Access-Reject"},
    {replycode::kAccessChallenge, "Access-Challenge"},
    {replycode::kAccountingResponse, "Accounting-Response"},
    {replycode::kCoaAck, "CoA-ACK"},
    {replycode::kCoaNak, "CoA-NAK"},
    {replycode::kDisconnectAck, "Disconnect-ACK"},
    {replycode::kDisconnectNak, "Disconnect-NAK"},
    {replycode::kNoReply, "no reply"},
}};
} // namespace

QString checkOperatorName(CheckOperator op)
{
    for (const auto &[known, name] : kOperatorNames)
        if (known == op)
            return QString::fromLatin1(name);
    return {};
}

std::optional<CheckOperator> checkOperatorFromName(const QString &name)
{
    for (const auto &[op, known] : kOperatorNames)
        if (name == QLatin1String(known))
            return op;
    return std::nullopt;
}

bool checkTakesValue(CheckOperator op)
{
    return op != CheckOperator::Present && op != CheckOperator::Absent;
}

namespace replycode {
QList<int> expectable()
{
    QList<int> codes;
    for (const auto &entry : kCodeNames)
        codes << entry.first;
    return codes;
}

QString name(int code)
{
    for (const auto &[known, text] : kCodeNames)
        if (known == code)
            return QString::fromLatin1(text);
    return QString::number(code);
}
} // namespace replycode

} // namespace taskstore
