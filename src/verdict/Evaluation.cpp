#include "verdict/Evaluation.h"

#include "verdict/TypedValue.h"

#include <QRegularExpression>

#include <map>
#include <utility>

namespace verdict {

namespace {
using taskstore::AttributeCheck;
using taskstore::CheckOperator;
using taskstore::PacketExpectation;

// "Tunnel-Type" names the pairs "Tunnel-Type:1", "Tunnel-Type:2" too.
bool namesAttribute(const QString &checked, const QString &received)
{
    if (received == checked)
        return true;
    return !checked.contains(QLatin1Char(':')) && received.startsWith(checked + QLatin1Char(':'));
}

QStringList valuesOf(const Exchange &exchange, const QString &attribute)
{
    QStringList values;
    for (const ReplyAttribute &pair : exchange.attributes)
        if (namesAttribute(attribute, pair.name))
            values << pair.value;
    return values;
}

class PacketJudge {
public:
    PacketJudge(int packet, int repetition, QList<CheckFailure> &failures)
        : m_packet(packet), m_repetition(repetition), m_failures(failures)
    {
    }

    void judge(const QList<const Exchange *> &exchanges, const PacketExpectation *expectation)
    {
        if (exchanges.isEmpty()) {
            fail(CheckFailure::Expected::Record, CheckFailure::Came::Nothing);
            return;
        }
        const Exchange &last = *exchanges.back();
        if (!last.id) {
            fail(CheckFailure::Expected::Sent, CheckFailure::Came::Nothing);
            return;
        }
        if (!expectation) {
            if (!last.replyCode || !last.verified) {
                CheckFailure &failure = fail(CheckFailure::Expected::VerifiedReply, CheckFailure::Came::ReplyCode);
                failure.receivedCode = last.replyCode;
            }
            return;
        }
        if (expectation->replyCode)
            judgeCode(*expectation->replyCode, last);
        for (const AttributeCheck &check : expectation->checks)
            judgeAttribute(check, last);
        if (expectation->timeLimitMs)
            for (const Exchange *exchange : exchanges)
                if (!judgeTime(*expectation->timeLimitMs, *exchange))
                    break;
    }

private:
    CheckFailure &fail(CheckFailure::Expected expected, CheckFailure::Came came)
    {
        CheckFailure failure;
        failure.packet = m_packet;
        failure.repetition = m_repetition;
        failure.expected = expected;
        failure.came = came;
        m_failures.append(failure);
        return m_failures.last();
    }

    void judgeCode(int expected, const Exchange &last)
    {
        const int received = last.replyCode.value_or(taskstore::replycode::kNoReply);
        if (received == expected)
            return;
        CheckFailure &failure = fail(CheckFailure::Expected::ReplyCode, CheckFailure::Came::ReplyCode);
        failure.expectedCode = expected;
        failure.receivedCode = last.replyCode;
    }

    void judgeAttribute(const AttributeCheck &check, const Exchange &last)
    {
        if (!last.replyCode) {
            if (check.op != CheckOperator::Absent)
                fail(CheckFailure::Expected::Attribute, CheckFailure::Came::NoReply).check = check;
            return;
        }
        const QStringList values = valuesOf(last, check.attribute);
        bool held = false;
        QString problem;
        switch (check.op) {
        case CheckOperator::Present: held = !values.isEmpty(); break;
        case CheckOperator::Absent: held = values.isEmpty(); break;
        case CheckOperator::Equals:
            for (const QString &value : values)
                held = held || typedValuesEqual(check.attribute, value, check.value);
            break;
        case CheckOperator::Contains:
            for (const QString &value : values)
                held = held || value.contains(check.value);
            break;
        case CheckOperator::Matches: {
            const QRegularExpression expression(check.value);
            if (!expression.isValid()) {
                problem = expression.errorString();
                break;
            }
            for (const QString &value : values)
                held = held || expression.match(value).hasMatch();
            break;
        }
        }
        if (held)
            return;
        CheckFailure &failure = fail(CheckFailure::Expected::Attribute,
                                     problem.isEmpty() ? CheckFailure::Came::Values : CheckFailure::Came::BadRegex);
        failure.check = check;
        failure.values = values;
        failure.detail = problem;
    }

    bool judgeTime(int limitMs, const Exchange &exchange)
    {
        if (exchange.responseMs && *exchange.responseMs <= limitMs)
            return true;
        CheckFailure &failure =
            fail(CheckFailure::Expected::TimeLimit,
                 exchange.responseMs ? CheckFailure::Came::Milliseconds : CheckFailure::Came::NoReply);
        failure.limitMs = limitMs;
        failure.receivedMs = exchange.responseMs.value_or(0);
        return false;
    }

    int m_packet;
    int m_repetition;
    QList<CheckFailure> &m_failures;
};
} // namespace

VerdictReport evaluate(const QList<PacketExpectation> &expectations, const RunOutcome &outcome)
{
    VerdictReport report;
    if (!outcome.recordsAsked) {
        report.notEvaluatedBecause = NotEvaluatedBecause::ForeignClient;
        return report;
    }
    if (outcome.stopped) {
        report.notEvaluatedBecause = NotEvaluatedBecause::Stopped;
        return report;
    }
    if (!outcome.records) {
        report.notEvaluatedBecause = NotEvaluatedBecause::NoRecords;
        return report;
    }
    QList<CheckFailure> &failures = report.failures;
    if (!outcome.records->error.isEmpty()) {
        CheckFailure failure;
        failure.expected = CheckFailure::Expected::ReadableRecord;
        failure.detail = outcome.records->error;
        failures.append(failure);
    }

    std::map<std::pair<int, int>, QList<const Exchange *>> byPacket;
    for (const Exchange &exchange : outcome.records->exchanges)
        byPacket[{exchange.packet, exchange.repetition}].append(&exchange);
    std::map<int, const PacketExpectation *> expected;
    for (const PacketExpectation &expectation : expectations)
        if (!expectation.isEmpty())
            expected[expectation.packetNumber] = &expectation;

    for (int repetition = 1; repetition <= outcome.repetitions; ++repetition)
        for (int packet = 1; packet <= outcome.packetCount; ++packet) {
            const auto found = expected.find(packet);
            PacketJudge(packet, repetition, failures)
                .judge(byPacket[{packet, repetition}], found == expected.end() ? nullptr : found->second);
        }

    if (expected.empty())
        for (const QString &line : outcome.errorLines) {
            CheckFailure failure;
            failure.expected = CheckFailure::Expected::NoErrorLine;
            failure.detail = line;
            failures.append(failure);
        }
    report.verdict = failures.isEmpty() ? taskstore::Verdict::Pass : taskstore::Verdict::Fail;
    return report;
}

} // namespace verdict
