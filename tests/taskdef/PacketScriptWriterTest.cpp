#include "support/TempProgramDir.h"
#include "taskdef/EscapedForm.h"
#include "taskdef/PacketScriptFile.h"
#include "taskdef/PacketTextReader.h"
#include "taskdef/PairLineFormatter.h"
#include "taskdef/ScriptLineParser.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace taskdef;
using testsupport::TempProgramDir;

namespace {

struct QuoteCase {
    const char *label;
    QString value;
    QByteArray line;
};

class QuotingRule : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(QuotingRule, WritesTheLineTheRuleGives)
{
    EXPECT_EQ(PairLineFormatter::format("Attr", GetParam().value), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuotingRule,
    ::testing::Values(QuoteCase{"Bare", "bob", "Attr = bob"}, QuoteCase{"BlanksTrimmedFirst", "  bob  ", "Attr = bob"},
                      QuoteCase{"InnerBlankQuoted", "bob smith", "Attr = \"bob smith\""},
                      QuoteCase{"CommaQuoted", "a,b", "Attr = \"a,b\""},
                      QuoteCase{"SemicolonQuoted", "a;b", "Attr = \"a;b\""},
                      QuoteCase{"AlreadyQuotedUnchanged", "\"a b\"", "Attr = \"a b\""},
                      QuoteCase{"EscapedEdgeBlankKept", "\\ a\\  ", "Attr = \"\\ a\\ \""},
                      QuoteCase{"EscapedFormBare", "abc\\#123", "Attr = abc\\#123"},
                      QuoteCase{"ControlCharactersEscaped", "a\tb\r\nc\x01", "Attr = a\\tb\\r\\nc\\001"},
                      QuoteCase{"ControlCharactersInQuotedValue", "a b\n", "Attr = \"a b\\n\""},
                      // These would open a quote that never closes and spoil the rest of the file.
                      QuoteCase{"EmptyValue", "  ", "Attr = \"\""},
                      QuoteCase{"LoneDoubleQuote", "\"", "Attr = \"\\\"\""},
                      QuoteCase{"OpeningQuoteOnly", "\"abc", "Attr = \"\\\"abc\""},
                      QuoteCase{"QuoteInsideQuotedValue", "say \"hi\" now", "Attr = \"say \\\"hi\\\" now\""}),
    [](const auto &p) { return std::string(p.param.label); });

PacketTable sampleTable()
{
    PacketTable t;
    t.packets = {"Packet1", "Packet2", "Packet3"};
    t.rows = {
        {"User-Name", "bob smith", "1", "Packet1"},
        {"Reply-Message", "abc\\#123", "2", " Packet3 "},
        {"User-Password", "pw", "3", "Packet1"},
        {"Orphan", "x", "4", ""},
    };
    return t;
}

TEST(PacketScriptWriterTest, WritesPacketsInTreeOrderWithCrLf)
{
    EXPECT_EQ(PacketScriptFile::content(sampleTable()),
              "User-Name = \"bob smith\"\r\nUser-Password = pw\r\n\r\n"
              "\r\n"
              "Reply-Message = abc\\#123\r\n\r\n");
}

TEST(PacketScriptWriterTest, RoundTripThroughTheEscapedFormIsStable)
{
    TempProgramDir dir;
    PacketTable t;
    t.packets = {"Packet1", "Packet2"};
    // Values in escaped form as a user types them, and values only a read can produce.
    const QStringList values = {"abc\\#123", "a\\=b",   "x y",        "C:\\\\dir", "tab\there",   "say \\\"hi\\\"",
                                "\"",        "\\{x\\}", "semi;colon", "'single",   "\\ padded\\ "};
    for (int i = 0; i < values.size(); ++i)
        t.rows.append({"Attr" + QString::number(i), values[i], QString::number(i), i % 2 ? "Packet2" : "Packet1"});

    const QString path = PacketScriptFile::pathFor("4711");
    EXPECT_EQ(path, dir.filePath("script/4711.txt"));
    ASSERT_TRUE(PacketScriptFile::write(path, t));
    EXPECT_TRUE(PacketScriptFile::problems(t).isEmpty());

    const auto packets = PacketTextReader::readFile(path);
    ASSERT_TRUE(packets.has_value());
    ASSERT_EQ(packets->size(), 2);
    const QList<QStringList> expected = {{"abc#123", "x y", "tab\there", "\"", "semi;colon", " padded "},
                                         {"a=b", "C:\\dir", "say \"hi\"", "{x}", "'single"}};
    for (int p = 0; p < 2; ++p) {
        QStringList got;
        for (const ScriptPair &pair : (*packets)[p])
            got << pair.valueText();
        EXPECT_EQ(got, expected[p]) << got.join("|").toStdString();
    }

    // Load as the editor does (escaped form), write again: the same values.
    PacketTable reloaded;
    reloaded.packets = t.packets;
    for (int p = 0; p < packets->size(); ++p)
        for (const ScriptPair &pair : (*packets)[p])
            reloaded.rows.append({pair.nameText(), EscapedForm::fromOctets(pair.value), "k", t.packets[p]});
    EXPECT_EQ(reloaded.rows[0].value, "abc\\#123");
    ASSERT_TRUE(PacketScriptFile::write(path, reloaded));
    const auto again = PacketTextReader::readFile(path);
    ASSERT_TRUE(again.has_value());
    ASSERT_EQ(again->size(), 2);
    for (int p = 0; p < 2; ++p) {
        ASSERT_EQ((*again)[p].size(), (*packets)[p].size());
        for (int i = 0; i < (*again)[p].size(); ++i)
            EXPECT_EQ((*again)[p][i].value, (*packets)[p][i].value) << (*packets)[p][i].name.toStdString();
    }
}

TEST(PacketScriptWriterTest, PacketWithoutRowsReadsBackAsOneFewer)
{
    TempProgramDir dir;
    PacketTable t;
    t.packets = {"Packet1", "Packet2", "Packet3"};
    t.rows = {{"A", "1", "1", "Packet1"}, {"C", "3", "2", "Packet3"}};
    ASSERT_TRUE(PacketScriptFile::write(dir.filePath("script/1.txt"), t));
    EXPECT_EQ(dir.readFile("script/1.txt"), "A = 1\r\n\r\n\r\nC = 3\r\n\r\n");
    EXPECT_EQ(PacketTextReader::readFile(dir.filePath("script/1.txt"))->size(), 2);
}

TEST(PacketScriptWriterTest, FailedWriteSaysWhyAndLeavesNoFile)
{
    TempProgramDir dir;
    QString error;
    EXPECT_FALSE(PacketScriptFile::write(dir.filePath("missing-dir/1.txt"), sampleTable(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("missing-dir/1.txt")));
}

TEST(PacketScriptWriterTest, WriteReplacesTheWholeOldFile)
{
    TempProgramDir dir;
    ASSERT_TRUE(dir.writeFile("script/2.txt", QByteArray(5000, 'x')));
    ASSERT_TRUE(PacketScriptFile::write(dir.filePath("script/2.txt"), sampleTable()));
    EXPECT_EQ(dir.readFile("script/2.txt"), PacketScriptFile::content(sampleTable()));
}

TEST(PacketScriptWriterTest, RemoveIgnoresAMissingFile)
{
    TempProgramDir dir;
    ASSERT_TRUE(dir.writeFile("script/77.txt", "A = 1\r\n\r\n"));
    EXPECT_TRUE(PacketScriptFile::remove("77"));
    EXPECT_FALSE(QFile::exists(dir.filePath("script/77.txt")));
    EXPECT_TRUE(PacketScriptFile::remove("77"));
}

TEST(PacketScriptWriterTest, ProblemsNameRowsThatCannotReadBack)
{
    PacketTable t;
    t.packets = {"Packet1"};
    t.rows = {{"", "whole line", "1", "Packet1"},
              {"Good", "1", "2", "Packet1"},
              {"Long", QString(300, 'x'), "3", "Packet1"},
              {"Bad Name", "1", "4", "Packet1"}};
    EXPECT_EQ(PacketScriptFile::problems(t).size(), 3);
}

TEST(EscapedFormTest, BackslashGoesBeforeEverySpecialCharacter)
{
    EXPECT_EQ(EscapedForm::fromValue("abc#123"), "abc\\#123");
    EXPECT_EQ(EscapedForm::fromValue("{}(),;#=><"), "\\{\\}\\(\\)\\,\\;\\#\\=\\>\\<");
    EXPECT_EQ(EscapedForm::fromValue("a\\b\"c'd`e f"), "a\\\\b\\\"c\\'d\\`e f");
    EXPECT_EQ(EscapedForm::fromValue("plain-text_1.2"), "plain-text_1.2");
    EXPECT_EQ(EscapedForm::fromValue(" a b "), "\\ a b\\ ");
}

TEST(EscapedFormTest, OctetsOutsideUtf8BecomeOctalEscapesThatReadBack)
{
    struct Case {
        QByteArray octets;
        QString escaped;
    };
    const Case cases[] = {
        {"caf\xE9", "caf\\351"},                                     // Latin-1
        {"Caf\xC3\xA9 x", QString::fromUtf8("Caf\xC3\xA9 x")},       // UTF-8 stays as it is
        {"\xF0\x9F\x98\x80", QString::fromUtf8("\xF0\x9F\x98\x80")}, // four octets
        {"\xC0\x80", "\\300\\200"},                                  // overlong
        {"\xED\xA0\x80", "\\355\\240\\200"},                         // a surrogate
        {"\xF4\x90\x80\x80", "\\364\\220\\200\\200"},                // past U+10FFFF
        {"a\xE2\x82", "a\\342\\202"},                                // cut short
        {"#\xE9 ", "\\#\\351\\ "},
    };
    for (const Case &c : cases) {
        const QString escaped = EscapedForm::fromOctets(c.octets);
        EXPECT_EQ(escaped, c.escaped) << c.octets.toHex().toStdString();
        const auto pairs = ScriptLineParser::parse(PairLineFormatter::format("Attr", escaped));
        ASSERT_TRUE(pairs.ok()) << c.octets.toHex().toStdString();
        EXPECT_EQ(pairs.pairs.value(0).value, c.octets) << c.octets.toHex().toStdString();
    }
}

TEST(PacketTableTest, DrawnKeysAreUniqueDecimalTexts)
{
    PacketTable t;
    QSet<QString> seen;
    for (int i = 0; i < 2000; ++i) {
        const QString key = t.drawUniqueKey();
        bool ok = false;
        const int n = key.toInt(&ok);
        ASSERT_TRUE(ok && n >= 0 && n <= 999998) << key.toStdString();
        ASSERT_FALSE(seen.contains(key));
        seen.insert(key);
        t.rows.append({"A", "1", key, "Packet1"});
    }
    QSet<QString> almostFull;
    for (int n = 0; n < 999999; ++n)
        if (n != 123456)
            almostFull.insert(QString::number(n));
    EXPECT_EQ(PacketTable::drawUniqueKey(almostFull), "123456");
}

} // namespace
