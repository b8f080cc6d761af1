#include "verdict/VerdictText.h"

#include "platform/CurrentLanguage.h"

namespace verdict {

namespace {
QString text(const char *key, const char *builtIn)
{
    return platform::CurrentLanguage::text("Verdict", key, builtIn);
}

QString codeText(const std::optional<int> &code)
{
    if (!code || *code == taskstore::replycode::kNoReply)
        return text("NoReply", "no reply");
    return taskstore::replycode::name(*code);
}

QString quoted(const QString &value)
{
    return QLatin1Char('"') + value + QLatin1Char('"');
}

QString expectedCheck(const taskstore::AttributeCheck &check)
{
    using taskstore::CheckOperator;
    switch (check.op) {
    case CheckOperator::Present: return text("ExpectPresent", "%1 present").arg(check.attribute);
    case CheckOperator::Absent: return text("ExpectAbsent", "%1 absent").arg(check.attribute);
    case CheckOperator::Equals: return text("ExpectEquals", "%1 equal to %2").arg(check.attribute, quoted(check.value));
    case CheckOperator::Contains:
        return text("ExpectContains", "%1 containing %2").arg(check.attribute, quoted(check.value));
    case CheckOperator::Matches:
        return text("ExpectMatches", "%1 matching %2").arg(check.attribute, quoted(check.value));
    }
    return {};
}

QString notEvaluatedReason(NotEvaluatedBecause because)
{
    switch (because) {
    case NotEvaluatedBecause::ForeignClient:
        return text("ForeignClient", "the client writes no records of its exchanges");
    case NotEvaluatedBecause::NoRecords: return text("NoRecords", "the client wrote no records");
    case NotEvaluatedBecause::Stopped: return text("Stopped", "the run was stopped");
    case NotEvaluatedBecause::Evaluated: break;
    }
    return {};
}
} // namespace

QString expectedText(const CheckFailure &failure)
{
    using E = CheckFailure::Expected;
    switch (failure.expected) {
    case E::ReplyCode: return codeText(failure.expectedCode);
    case E::Attribute: return expectedCheck(failure.check);
    case E::TimeLimit: return text("ExpectWithin", "a reply within %1 ms").arg(failure.limitMs);
    case E::VerifiedReply: return text("ExpectVerified", "a verified reply");
    case E::Sent: return text("ExpectSent", "the request sent");
    case E::Record: return text("ExpectRecord", "a record of the exchange");
    case E::NoErrorLine: return text("ExpectNoError", "no error line");
    case E::ReadableRecord: return text("ExpectReadable", "records that read");
    }
    return {};
}

QString cameText(const CheckFailure &failure)
{
    using C = CheckFailure::Came;
    switch (failure.came) {
    case C::ReplyCode: return codeText(failure.receivedCode);
    case C::Values: {
        if (failure.values.isEmpty())
            return text("CameNone", "no such attribute");
        QStringList values;
        for (const QString &value : failure.values)
            values << quoted(value);
        return values.join(QLatin1String(", "));
    }
    case C::NoReply: return text("NoReply", "no reply");
    case C::Milliseconds: return text("CameMs", "%1 ms").arg(failure.receivedMs, 0, 'f', 3);
    case C::BadRegex: return text("CameBadRegex", "the expression does not read: %1").arg(failure.detail);
    case C::Nothing: break;
    }
    if (failure.expected == CheckFailure::Expected::Sent)
        return text("CameNotSent", "it could not be encoded or sent");
    if (failure.expected == CheckFailure::Expected::Record)
        return text("CameNoRecord", "none (the client ended before it)");
    return failure.detail;
}

QString failureLine(const CheckFailure &failure)
{
    if (failure.packet == 0)
        return text("RunFailure", "Expected %1; came: %2").arg(expectedText(failure), cameText(failure));
    return text("PacketFailure", "Packet %1 (pass %2): expected %3; came: %4")
        .arg(QString::number(failure.packet), QString::number(failure.repetition), expectedText(failure),
             cameText(failure));
}

QString verdictName(taskstore::Verdict verdict)
{
    switch (verdict) {
    case taskstore::Verdict::Pass: return text("Pass", "pass");
    case taskstore::Verdict::Fail: return text("Fail", "fail");
    case taskstore::Verdict::NotEvaluated: break;
    }
    return text("NotEvaluated", "not evaluated");
}

QStringList verdictLines(const VerdictReport &report)
{
    QString head = text("Verdict", "Verdict: %1").arg(verdictName(report.verdict));
    if (report.verdict == taskstore::Verdict::NotEvaluated)
        head += QLatin1String(" (") + notEvaluatedReason(report.notEvaluatedBecause) + QLatin1Char(')');
    else if (report.verdict == taskstore::Verdict::Fail)
        head += QLatin1String(" (") + text("FailedChecks", "%1 failed check(s)").arg(report.failures.size())
            + QLatin1Char(')');
    QStringList lines{head};
    for (const CheckFailure &failure : report.failures)
        lines << failureLine(failure);
    return lines;
}

} // namespace verdict
