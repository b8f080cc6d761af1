#include "taskdef/PacketTextReader.h"
#include "taskdef/ScriptLineParser.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace taskdef;

namespace {

// Packets written as "name=value|name=value", packets in order.
struct Read {
    std::vector<std::string> packets;
    std::string error;
};

Read readAll(const QByteArray &content)
{
    QByteArray data = content;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    PacketTextReader reader(&buffer);
    Read out;
    while (!reader.atEnd()) {
        const auto packet = reader.readNextPacket();
        if (!packet)
            break;
        std::string text;
        for (const ScriptPair &p : *packet)
            text += (text.empty() ? "" : "|") + p.name.toStdString() + "=" + p.value.toStdString();
        out.packets.push_back(text);
    }
    EXPECT_TRUE(reader.atEnd());
    out.error = reader.error().toStdString();
    return out;
}

struct Case {
    const char *label;
    QByteArray content;
    std::vector<std::string> packets;
    std::string error;
};

class ReaderTable : public ::testing::TestWithParam<Case> {};

TEST_P(ReaderTable, ReadsPacketsAsTheReadingRulesSay)
{
    const Read r = readAll(GetParam().content);
    EXPECT_EQ(r.packets, GetParam().packets);
    EXPECT_EQ(r.error, GetParam().error);
}

const QByteArray LongName = QByteArray(64, 'N');
const QByteArray TooLongName = QByteArray(65, 'N');
const QByteArray LongValue = QByteArray(256, 'v');

INSTANTIATE_TEST_SUITE_P(
    Rules, ReaderTable,
    ::testing::Values(Case{"CrLfPackets", "A = 1\r\nB = 2\r\n\r\nC = 3\r\n\r\n", {"A=1|B=2", "C=3"}, ""},
                      Case{"LfAndNoFinalEmptyLine", "A = 1\n\n\nB = 2", {"A=1", "B=2"}, ""},
                      Case{"CommentInFirstColumn", "# head\nA = 1\n#x = y\n\n", {"A=1"}, ""},
                      Case{"CommaSeparatedPairsShareAPacket", "A = 1, B = \"x y\",C=3\n", {"A=1|B=x y|C=3"}, ""},
                      Case{"HashAfterACompletePair", "A = 1 # note, B = 2\nC = 3\n", {"A=1|C=3"}, ""},
                      Case{"EscapedHashReadsBack", "A = abc\\#123\n", {"A=abc#123"}, ""},
                      Case{"EmptyQuotedValue", "A = \"\"\n", {"A="}, ""},
                      Case{"IndentedCommentEndsTheReading",
                           "A = 1\n\nB = 2\n  # note\nC = 3\n\nD = 4\n",
                           {"A=1"},
                           "Read a comment instead of a token"},
                      Case{"BlankLineEndsTheReading",
                           "A = 1\n\nB = 2\n   \nC = 3\n",
                           {"A=1"},
                           "No token read where we expected an attribute name"},
                      Case{"MissingOperator", "A 1\n", {}, "expecting '='"},
                      Case{"MissingValue", "A =\n", {}, "failed to get value"},
                      Case{"UnterminatedQuoteIsNoValue", "A = 1\n\nB = \"open\n", {"A=1"}, "failed to get value"},
                      Case{"TrailingWord", "A = 1 2\n", {}, "Expected end of line or comma"},
                      Case{"UnescapedEqualsInValue", "A = a=b\n", {}, "Expected end of line or comma"},
                      Case{"NameOf64Characters", LongName + " = 1\n", {LongName.toStdString() + "=1"}, ""},
                      Case{"NameOver64Characters", TooLongName + " = 1\n", {}, "expecting '='"},
                      Case{"ValueOf256Characters", "A = " + LongValue + "\n", {"A=" + LongValue.toStdString()}, ""},
                      Case{"ValueOver256Characters", "A = " + LongValue + "v\n", {}, "Expected end of line or comma"},
                      Case{"LineOver8191Characters",
                           "A = 1," + QByteArray(8200, ' ') + "B = 2\n",
                           {},
                           "Line longer than 8191 characters"},
                      Case{"EmptyFile", "", {}, ""}),
    [](const auto &p) { return std::string(p.param.label); });

TEST(PacketTextReaderTest, KeepsOperatorsAndReadsEveryPacket)
{
    QByteArray data;
    for (int i = 0; i < 150; ++i)
        data += "User-Name := u" + QByteArray::number(i) + "\r\n\r\n";
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    PacketTextReader reader(&buffer);
    int count = 0;
    while (const auto packet = reader.readNextPacket()) {
        ASSERT_EQ(packet->size(), 1);
        EXPECT_EQ(packet->first().op, radius::PairOperator::Set);
        EXPECT_EQ(packet->first().value, "u" + QByteArray::number(count));
        ++count;
    }
    EXPECT_EQ(count, 150);
}

TEST(PacketTextReaderTest, FileThatCannotBeOpenedGivesNothing)
{
    QString error;
    EXPECT_FALSE(PacketTextReader::readFile("/nonexistent/dir/1.txt", &error).has_value());
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
