#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace taskstore {

// How a reply attribute is checked. Stored by name ("present", "absent", "equals",
// "contains", "matches"), so the table reads without the program.
enum class CheckOperator { Present, Absent, Equals, Contains, Matches };

QString checkOperatorName(CheckOperator op);
std::optional<CheckOperator> checkOperatorFromName(const QString &name);
// Present and Absent look at the attribute only; the others compare a value.
bool checkTakesValue(CheckOperator op);

struct AttributeCheck {
    QString attribute; // as the dictionary names it
    CheckOperator op = CheckOperator::Present;
    QString value; // empty for Present and Absent

    bool operator==(const AttributeCheck &) const = default;
};

// The reply codes a packet may be expected to get; kNoReply stands for none at all.
namespace replycode {
inline constexpr int kNoReply = 0;
inline constexpr int kAccessAccept = 2;
inline constexpr int kAccessReject = 3;
inline constexpr int kAccountingResponse = 5;
inline constexpr int kAccessChallenge = 11;
inline constexpr int kDisconnectAck = 41;
inline constexpr int kDisconnectNak = 42;
inline constexpr int kCoaAck = 44;
inline constexpr int kCoaNak = 45;

// The codes above in the order a list offers them, kNoReply last.
QList<int> expectable();
// "Access-Accept", ... and "no reply" for kNoReply; another code reads as its number.
QString name(int code);
} // namespace replycode

// What one packet of a task is expected to get. A packet is the one the task's packet list
// shows as "Packet<n>": its place in the packet script file, counted from 1.
struct PacketExpectation {
    int packetNumber = 0;
    std::optional<int> replyCode;   // unset: any reply code is fine
    QList<AttributeCheck> checks;   // in the order they were entered
    std::optional<int> timeLimitMs; // unset: no limit

    bool isEmpty() const { return !replyCode && checks.isEmpty() && !timeLimitMs; }
    bool operator==(const PacketExpectation &) const = default;
};

} // namespace taskstore
