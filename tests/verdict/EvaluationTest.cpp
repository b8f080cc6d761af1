#include "verdict/Evaluation.h"
#include "platform/CurrentLanguage.h"
#include "radius/Dictionary.h"
#include "support/TempProgramDir.h"
#include "verdict/TypedValue.h"
#include "verdict/VerdictText.h"

#include <gtest/gtest.h>

using namespace verdict;
using taskstore::AttributeCheck;
using taskstore::CheckOperator;
using taskstore::PacketExpectation;
using taskstore::Verdict;
namespace code = taskstore::replycode;

namespace {
Exchange reply(int packet, int replyCode, QList<ReplyAttribute> attributes = {}, double ms = 2.0, int repetition = 1)
{
    Exchange exchange;
    exchange.packet = packet;
    exchange.repetition = repetition;
    exchange.id = packet;
    exchange.requestCode = 1;
    exchange.replyCode = replyCode;
    exchange.attributes = std::move(attributes);
    exchange.responseMs = ms;
    exchange.verified = true;
    return exchange;
}

Exchange lost(int packet, bool sent = true)
{
    Exchange exchange;
    exchange.packet = packet;
    exchange.repetition = 1;
    if (sent)
        exchange.id = packet;
    exchange.requestCode = 1;
    exchange.retries = 3;
    return exchange;
}

PacketExpectation expect(int packet, std::optional<int> replyCode, QList<AttributeCheck> checks = {},
                         std::optional<int> limitMs = std::nullopt)
{
    return PacketExpectation{packet, replyCode, std::move(checks), limitMs};
}

struct Case {
    const char *name;
    QList<PacketExpectation> expectations;
    QList<Exchange> exchanges;
    int packetCount;
    QStringList errorLines;
    QStringList lines; // the log's verdict lines
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}

const QList<ReplyAttribute> kAcceptPairs = {{"Service-Type", "Framed-User"},
                                            {"Framed-IP-Address", "192.0.2.10"},
                                            {"Reply-Message", "Hello, bob"},
                                            {"Tunnel-Type:1", "VLAN"},
                                            {"Session-Timeout", "3600"}};

// Two Access-Requests answered, as most cases start from.
const QList<Exchange> kBothAccepted = {reply(1, code::kAccessAccept, kAcceptPairs), reply(2, code::kAccessReject)};

const Case kCases[] = {
    {"NoExpectationsEveryReplyVerified", {}, kBothAccepted, 2, {}, {"Verdict: pass"}},
    {"NoExpectationsALostRequestAndItsErrorLine",
     {},
     {reply(1, code::kAccessAccept), lost(2)},
     2,
     {"Error: No reply to Access-Request Id 2 to 127.0.0.1:1812 after 4 attempts, request lost"},
     {"Verdict: fail (2 failed check(s))", "Packet 2 (pass 1): expected a verified reply; came: no reply",
      "Expected no error line; came: Error: No reply to Access-Request Id 2 to 127.0.0.1:1812 after 4 attempts, "
      "request lost"}},
    {"NoExpectationsAnErrorLineAlone",
     {},
     kBothAccepted,
     2,
     {"Error: Cannot send to 127.0.0.1:1812: refused"},
     {"Verdict: fail (1 failed check(s))",
      "Expected no error line; came: Error: Cannot send to 127.0.0.1:1812: refused"}},
    {"ExpectedCodesHoldAndOthersNeedAVerifiedReply",
     {expect(2, code::kAccessReject)},
     kBothAccepted,
     2,
     {},
     {"Verdict: pass"}},
    {"WrongCode",
     {expect(1, code::kAccessReject)},
     kBothAccepted,
     2,
     {},
     {"Verdict: fail (1 failed check(s))", "Packet 1 (pass 1): expected Access-Reject; came: Access-Accept"}},
    {"NoReplyExpectedAndNoneCameDespiteItsErrorLine",
     {expect(2, code::kNoReply)},
     {reply(1, code::kAccessAccept), lost(2)},
     2,
     {"Error: No reply to Access-Request Id 2 to 127.0.0.1:1812 after 4 attempts, request lost"},
     {"Verdict: pass"}},
    {"NoReplyExpectedButTheRequestWasNeverSent",
     {expect(2, code::kNoReply)},
     {reply(1, code::kAccessAccept), lost(2, false)},
     2,
     {},
     {"Verdict: fail (1 failed check(s))",
      "Packet 2 (pass 1): expected the request sent; came: it could not be "
      "encoded or sent"}},
    {"NoReplyExpectedButOneCame",
     {expect(1, code::kNoReply)},
     kBothAccepted,
     2,
     {},
     {"Verdict: fail (1 failed check(s))", "Packet 1 (pass 1): expected no reply; came: Access-Accept"}},
    {"AMissingRecordFails",
     {},
     {reply(1, code::kAccessAccept)},
     2,
     {},
     {"Verdict: fail (1 failed check(s))",
      "Packet 2 (pass 1): expected a record of the exchange; came: none (the client ended before it)"}},
    {"AttributeChecksThatHold",
     {expect(1, code::kAccessAccept,
             {{"Framed-IP-Address", CheckOperator::Present, ""},
              {"Class", CheckOperator::Absent, ""},
              {"Service-Type", CheckOperator::Equals, "2"}, // by number: Framed-User
              {"Framed-IP-Address", CheckOperator::Equals, "192.0.2.10"},
              {"Session-Timeout", CheckOperator::Equals, "3600"},
              {"Tunnel-Type", CheckOperator::Equals, "VLAN"}, // a tagged pair by its plain name
              {"Reply-Message", CheckOperator::Contains, "bob"},
              {"Reply-Message", CheckOperator::Matches, "^Hello, \\w+$"}})},
     kBothAccepted,
     2,
     {},
     {"Verdict: pass"}},
    {"AttributeChecksThatFail",
     {expect(1, std::nullopt,
             {{"Class", CheckOperator::Present, ""},
              {"Framed-IP-Address", CheckOperator::Absent, ""},
              {"Service-Type", CheckOperator::Equals, "Login-User"},
              {"Framed-IP-Address", CheckOperator::Equals, "192.0.2.1"},
              {"Reply-Message", CheckOperator::Equals, "hello, bob"}, // strings keep their case
              {"Reply-Message", CheckOperator::Contains, "alice"},
              {"Reply-Message", CheckOperator::Matches, "^Bye"},
              {"Reply-Message", CheckOperator::Matches, "(unclosed"}})},
     kBothAccepted,
     2,
     {},
     {"Verdict: fail (8 failed check(s))", "Packet 1 (pass 1): expected Class present; came: no such attribute",
      "Packet 1 (pass 1): expected Framed-IP-Address absent; came: \"192.0.2.10\"",
      "Packet 1 (pass 1): expected Service-Type equal to \"Login-User\"; came: \"Framed-User\"",
      "Packet 1 (pass 1): expected Framed-IP-Address equal to \"192.0.2.1\"; came: \"192.0.2.10\"",
      "Packet 1 (pass 1): expected Reply-Message equal to \"hello, bob\"; came: \"Hello, bob\"",
      "Packet 1 (pass 1): expected Reply-Message containing \"alice\"; came: \"Hello, bob\"",
      "Packet 1 (pass 1): expected Reply-Message matching \"^Bye\"; came: \"Hello, bob\"",
      QString("Packet 1 (pass 1): expected Reply-Message matching \"(unclosed\"; came: the expression does not "
              "read: ")
          + "missing closing parenthesis"}},
    {"ChecksOnALostReply",
     {expect(2, std::nullopt, {{"Class", CheckOperator::Absent, ""}, {"Class", CheckOperator::Present, ""}}, 50)},
     {reply(1, code::kAccessAccept), lost(2)},
     2,
     {},
     {"Verdict: fail (2 failed check(s))", "Packet 2 (pass 1): expected Class present; came: no reply",
      "Packet 2 (pass 1): expected a reply within 50 ms; came: no reply"}},
    {"EveryExchangeOfAConversationKeepsTheTimeLimitAndTheLastOneCounts",
     {expect(1, code::kAccessAccept, {}, 50)},
     {reply(1, code::kAccessChallenge, {}, 10), reply(1, code::kAccessChallenge, {}, 75.5),
      reply(1, code::kAccessAccept, {}, 12)},
     1,
     {},
     {"Verdict: fail (1 failed check(s))", "Packet 1 (pass 1): expected a reply within 50 ms; came: 75.500 ms"}},
    {"ExpectationsApplyToEveryPass",
     {expect(1, code::kAccessAccept)},
     {reply(1, code::kAccessAccept), reply(1, code::kAccessReject, {}, 2, 2)},
     1,
     {},
     {"Verdict: fail (1 failed check(s))", "Packet 1 (pass 2): expected Access-Accept; came: Access-Reject"}},
};

class Evaluation : public ::testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite()
    {
        const auto loaded = radius::Dictionary::load(testsupport::TempProgramDir::sourceDataDir() + "/dictionary");
        ASSERT_TRUE(loaded.ok()) << loaded.error().toStdString();
    }
    testsupport::TempProgramDir dir;
};

RunOutcome outcomeOf(const QList<Exchange> &exchanges, int packetCount, int repetitions = 1)
{
    RunOutcome outcome;
    outcome.recordsAsked = true;
    outcome.records = ExchangeFile{exchanges, {}};
    outcome.packetCount = packetCount;
    outcome.repetitions = repetitions;
    return outcome;
}
} // namespace

TEST_P(Evaluation, JudgesTheRecordsAndSaysWhatFailed)
{
    const Case &c = GetParam();
    int repetitions = 1;
    for (const Exchange &exchange : c.exchanges)
        repetitions = std::max(repetitions, exchange.repetition);
    RunOutcome outcome = outcomeOf(c.exchanges, c.packetCount, repetitions);
    outcome.errorLines = c.errorLines;
    const VerdictReport report = evaluate(c.expectations, outcome);
    EXPECT_EQ(report.verdict, c.lines.size() == 1 ? Verdict::Pass : Verdict::Fail);
    EXPECT_EQ(verdictLines(report), c.lines);
}

INSTANTIATE_TEST_SUITE_P(Cases, Evaluation, ::testing::ValuesIn(kCases),
                         [](const auto &param) { return std::string(param.param.name); });

TEST_F(Evaluation, WithoutRecordsNothingPasses)
{
    RunOutcome foreign = outcomeOf(kBothAccepted, 2);
    foreign.recordsAsked = false;
    RunOutcome noFile = outcomeOf({}, 2);
    noFile.records.reset();
    RunOutcome stopped = outcomeOf(kBothAccepted, 2);
    stopped.stopped = true;
    const std::pair<RunOutcome, QString> cases[] = {
        {foreign, "Verdict: not evaluated (the client writes no records of its exchanges)"},
        {noFile, "Verdict: not evaluated (the client wrote no records)"},
        {stopped, "Verdict: not evaluated (the run was stopped)"},
    };
    for (const auto &[outcome, line] : cases) {
        const VerdictReport report = evaluate({}, outcome);
        EXPECT_EQ(report.verdict, Verdict::NotEvaluated);
        EXPECT_EQ(verdictLines(report), QStringList{line});
    }

    // Records that stop at a line that does not read fail, whatever came before.
    RunOutcome cut = outcomeOf(kBothAccepted, 2);
    cut.records->error = "line 3: {\"packet\":3,";
    EXPECT_EQ(
        verdictLines(evaluate({}, cut)),
        (QStringList{"Verdict: fail (1 failed check(s))", "Expected records that read; came: line 3: {\"packet\":3,"}));
}

TEST_F(Evaluation, LinesFollowTheCurrentLanguage)
{
    ASSERT_TRUE(platform::CurrentLanguage::setCurrentName(QStringLiteral("简体中文")));
    const VerdictReport report = evaluate({expect(1, code::kAccessReject)}, outcomeOf(kBothAccepted, 2));
    EXPECT_EQ(
        verdictLines(report),
        (QStringList{"判定：失败 (1 项检查失败)", "数据包 1（第 1 遍）：期望 Access-Reject；实际：Access-Accept"}));
}

TEST_F(Evaluation, ValuesCompareAsTheDictionaryTypesThem)
{
    struct Typed {
        const char *attribute;
        const char *received;
        const char *expected;
        bool equal;
    };
    const Typed cases[] = {
        {"Service-Type", "Framed-User", "2", true},
        {"Service-Type", "Framed-User", "Login-User", false},
        {"Session-Timeout", "3600", "03600", true},
        {"Framed-IP-Address", "192.0.2.10", "192.0.2.11", false},
        {"Framed-IPv6-Address", "2001:db8::1", "2001:0db8:0:0:0:0:0:1", true},
        {"Class", "0x0aff", "0x0AFF", true},
        {"Event-Timestamp", "Jan  1 2026 00:00:00 UTC", "1767225600", true},
        {"Reply-Message", "Hello", "hello", false},
        {"No-Such-Attribute", "5", "05", false}, // unknown: by text
        {"Session-Timeout", "3600", "an hour", false},
    };
    for (const Typed &c : cases)
        EXPECT_EQ(typedValuesEqual(c.attribute, c.received, c.expected), c.equal)
            << c.attribute << " " << c.received << " vs " << c.expected;
}
