#include "dictformat/DictionaryLine.h"
#include "dictformat/DictionaryTree.h"
#include "dictformat/VendorFormat.h"
#include "support/TempProgramDir.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace dictformat;

namespace {
QList<QByteArrayList> fieldsOf(const QList<DictionaryLine> &lines)
{
    QList<QByteArrayList> out;
    for (const DictionaryLine &line : lines)
        out << line.fields;
    return out;
}
} // namespace

TEST(DictionaryLineReader, SplitsLinesAsTheLibraryDoes)
{
    struct Case {
        QByteArray text;
        QList<QByteArrayList> fields;
        QList<int> numbers;
    };
    const Case cases[] = {
        {"VENDOR Acme 42\r\nATTRIBUTE\tA-B  1 string\n",
         {{"VENDOR", "Acme", "42"}, {"ATTRIBUTE", "A-B", "1", "string"}},
         {1, 2}},
        // "#" starts a comment anywhere; a line of blanks or a comment carries nothing.
        {"# comment\n\n\r\n   \n  # indented\nVALUE a b 1#note\nx#", {{"VALUE", "a", "b", "1"}, {"x"}}, {6, 7}},
        {"\rVENDOR hidden 1\nx\ry\n", {{"x", "y"}}, {2}},
        {"", {}, {}},
        // 254 octets and a line end fit the library's buffer; 255 leave the line end for a line of its own.
        {QByteArray(250, 'a') + " b c\nnext\n", {{QByteArray(250, 'a'), "b", "c"}, {"next"}}, {1, 2}},
        {QByteArray(251, 'a') + " b c\nnext\n", {{QByteArray(251, 'a'), "b", "c"}, {"next"}}, {1, 3}},
        {"VENDOR " + QByteArray(246, 'x') + "Tail 9\nafter",
         {{"VENDOR", QByteArray(246, 'x') + "Ta"}, {"il", "9"}, {"after"}},
         {1, 2, 3}},
    };
    for (const Case &c : cases) {
        const QList<DictionaryLine> lines = DictionaryLineReader::parse(c.text);
        EXPECT_EQ(fieldsOf(lines), c.fields) << c.text.left(40).toStdString();
        QList<int> numbers;
        for (const DictionaryLine &line : lines)
            numbers << line.number;
        EXPECT_EQ(numbers, c.numbers) << c.text.left(40).toStdString();
    }
    // The line's own octets, for writing it back unchanged.
    const QList<DictionaryLine> lines = DictionaryLineReader::parse("ATTRIBUTE Caf\xe9 1 string # note\r\n");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.first().text, QByteArray("ATTRIBUTE Caf\xe9 1 string # note"));
    EXPECT_EQ(lines.first().field(1), QString::fromLatin1("Caf\xe9"));
}

TEST(DictionaryLineReader, KeywordsWithoutCaseAndNumbersAsTheLibraryReadsThem)
{
    struct KeywordCase {
        const char *text;
        Keyword keyword;
    };
    const KeywordCase keywords[] = {
        {"VENDOR", Keyword::Vendor},
        {"vendor", Keyword::Vendor},
        {"Attribute", Keyword::Attribute},
        {"value", Keyword::Value},
        {"begin-vendor", Keyword::BeginVendor},
        {"End-Vendor", Keyword::EndVendor},
        {"$include", Keyword::Include},
        {"$INCLUDE-", Keyword::OptionalInclude},
        {"VALUES", Keyword::Other},
        {"BEGIN-TLV", Keyword::Other},
    };
    for (const KeywordCase &c : keywords)
        EXPECT_EQ(DictionaryLineReader::keyword(c.text), c.keyword) << c.text;

    struct NumberCase {
        const char *text;
        std::optional<quint32> number;
        std::optional<quint32> vendor;
    };
    const NumberCase numbers[] = {
        {"42", 42u, 42u},
        {"0042", 42u, 42u},
        {"0x1A", 26u, 0u}, // a vendor number is read by its leading digits only
        {"241.1", 241u, 241u},
        {"4294967295", 4294967295u, 4294967295u},
        {"4294967296", std::nullopt, std::nullopt},
        {"12a", std::nullopt, 12u},
        {"-1", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"0x", std::nullopt, 0u},
    };
    for (const NumberCase &c : numbers) {
        EXPECT_EQ(DictionaryLineReader::number(c.text), c.number) << c.text;
        EXPECT_EQ(DictionaryLineReader::vendorNumber(c.text), c.vendor) << c.text;
    }
}

TEST(VendorFormat, TheLibraryFormatsAndTheirAttributeNumbers)
{
    struct Case {
        quint32 vendor;
        const char *option;
        std::optional<int> typeSize;
        quint32 largest;
    };
    const Case cases[] = {
        {42, "", 1, 255},
        {42, "format=1,1", 1, 255},
        {42, "Format=2,1", 2, 65535},
        {42, "format=2,2", 2, 65535},
        {42, "format=4,0", 4, 4294967295u},
        {24757, "format=1,1,c", 1, 255},
        // The library's own formats for three vendors that declare none.
        {429, "", 4, 4294967295u},
        {4846, "", 2, 65535},
        {8164, "", 2, 65535},
        // Refused by the library: the whole main dictionary fails to load.
        {42, "format=3,1", std::nullopt, 0},
        {42, "format=1,3", std::nullopt, 0},
        {42, "format=1,1,c", std::nullopt, 0},
        {42, "format=1", std::nullopt, 0},
        {42, "encrypt=1", std::nullopt, 0},
        {42, "format=2,1,", std::nullopt, 0},
    };
    for (const Case &c : cases) {
        const std::optional<VendorFormat> format = VendorFormat::of(c.vendor, c.option);
        ASSERT_EQ(format.has_value(), c.typeSize.has_value()) << c.vendor << " " << c.option;
        if (!format)
            continue;
        EXPECT_EQ(format->typeSize, *c.typeSize) << c.option;
        EXPECT_EQ(format->largestAttribute(), c.largest) << c.option;
        EXPECT_EQ(format->smallestAttribute(), *c.typeSize == 1 ? 0u : 1u) << c.option;
    }
    EXPECT_EQ(VendorFormat::of(QStringLiteral("0042"), QStringLiteral("format=2,1"))->typeSize, 2);
}

namespace {
// Records what the walk reports, file by file.
class Recorder : public DictionaryVisitor {
public:
    explicit Recorder(QString skip = {}) : m_skip(std::move(skip)) {}
    bool wants(const QString &canonicalPath) override
    {
        return DictionaryVisitor::wants(canonicalPath) && (m_skip.isEmpty() || !canonicalPath.endsWith(m_skip));
    }
    void beginFile(const QString &path) override { events << "begin " + path.section('/', -1); }
    void endFile(const QString &path) override { events << "end " + path.section('/', -1); }
    void line(const QString &, const DictionaryLine &line) override
    {
        events << QString::fromLatin1(line.fields.join(' '));
    }
    void problem(const QString &path, int lineNumber, const QString &text) override
    {
        problems << QStringLiteral("%1:%2: %3")
                        .arg(path.section('/', -1))
                        .arg(lineNumber)
                        .arg(QString(text).remove(QRegularExpression("/\\S*/")));
    }
    QStringList events;
    QStringList problems;

private:
    QString m_skip;
};
} // namespace

TEST(DictionaryTree, FollowsIncludesOnceEachAsTheLibraryDoes)
{
    testsupport::TempProgramDir dir;
    ASSERT_TRUE(dir.writeFile("d/dictionary",
                              "VENDOR Main 1\n"
                              "$include sub/dictionary.a\n"
                              "$INCLUDE sub/dictionary.a\n"
                              "$INCLUDE- dictionary.optional\n"
                              "$INCLUDE dictionary.gone\n"
                              "$INCLUDE\n"
                              "$INCLUDE dictionary.skipped\n"
                              "END\n"));
    ASSERT_TRUE(dir.writeFile("d/sub/dictionary.a", "VENDOR A 2\n$INCLUDE ../dictionary\n$INCLUDE dictionary.b\n"));
    ASSERT_TRUE(dir.writeFile("d/sub/dictionary.b", "VENDOR B 3\n"));
    ASSERT_TRUE(dir.writeFile("d/dictionary.skipped", "VENDOR Skipped 4\n"));
    Recorder recorder(QStringLiteral("dictionary.skipped"));
    DictionaryTree::walk(dir.filePath("d/dictionary"), recorder);
    EXPECT_EQ(
        recorder.events,
        (QStringList{"begin dictionary", "VENDOR Main 1", "begin dictionary.a", "VENDOR A 2", "begin dictionary.b",
                     "VENDOR B 3", "end dictionary.b", "end dictionary.a", "END", "end dictionary"}));
    EXPECT_EQ(recorder.problems,
              (QStringList{"dictionary:0: includes itself", "dictionary:5: cannot open dictionary.gone",
                           "dictionary:6: $INCLUDE without a file name"}));

    Recorder missing;
    DictionaryTree::walk(dir.filePath("d/none"), missing);
    EXPECT_TRUE(missing.events.isEmpty());
    EXPECT_EQ(missing.problems.size(), 1);
}
