#include "groupfile/QuotedBytes.h"

#include <gtest/gtest.h>

using groupfile::quoted;
using groupfile::unquoted;

namespace {
QByteArray readBack(const QByteArray &text, QString *reason = nullptr)
{
    qsizetype consumed = 0;
    QString why;
    const std::optional<QByteArray> value = unquoted(text, &consumed, &why);
    if (reason)
        *reason = why;
    return value ? *value + "|" + QByteArray::number(consumed) : QByteArray("none");
}
} // namespace

TEST(QuotedBytesTest, WritesReadableTextAndEscapesTheRest)
{
    struct Case {
        QByteArray octets;
        QByteArray written;
    };
    const Case cases[] = {
        {"", "\"\""},
        {"User-Name = \"bob\"", R"("User-Name = \"bob\"")"},
        {"a\\b", R"("a\\b")"},
        {"\t\r\n", R"("\t\r\n")"},
        {QByteArray("\x00\x1f\x7f", 3), R"("\x00\x1F\x7F")"},
        {"\xE4\xB8\xAD\xE6\x96\x87", "\"\xE4\xB8\xAD\xE6\x96\x87\""}, // Chinese stays readable
        {"\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},                 // four-octet sequence
        {"\xFF\xFE", R"("\xFF\xFE")"},                                // never UTF-8
        {"\xC3", R"("\xC3")"},                                        // cut off
        {"\xC0\xAF", R"("\xC0\xAF")"},                                // overlong
        {"\xE0\x80\xAF", R"("\xE0\x80\xAF")"},                        // overlong, three octets
        {"\xED\xA0\x80", R"("\xED\xA0\x80")"},                        // a surrogate
        {"\xF4\x90\x80\x80", R"("\xF4\x90\x80\x80")"},                // above U+10FFFF
        {"x\x80y\xE4\xB8", R"("x\x80y\xE4\xB8")"},                    // stray and cut off
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.octets.toHex().toStdString());
        EXPECT_EQ(quoted(c.octets), c.written);
        EXPECT_EQ(readBack(c.written + " rest"), c.octets + "|" + QByteArray::number(c.written.size()));
    }
}

TEST(QuotedBytesTest, EveryOctetComesBackAsItself)
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    const QByteArray written = quoted(all + all);
    EXPECT_EQ(written.indexOf('\n'), -1);
    EXPECT_EQ(readBack(written), all + all + "|" + QByteArray::number(written.size()));
}

TEST(QuotedBytesTest, RefusesBrokenValuesWithTheReason)
{
    struct Case {
        QByteArray text;
        const char *reason;
    };
    const Case cases[] = {
        {R"("open)", "the quoted value is not closed"},
        {R"("ends in \")", "the quoted value is not closed"},
        {R"("a\qb")", "unknown escape \\q"},
        {R"("\x4")", "\\x needs two hexadecimal digits"},
        {R"("\xG1")", "\\x needs two hexadecimal digits"},
    };
    for (const Case &c : cases) {
        QString reason;
        EXPECT_EQ(readBack(c.text, &reason), "none") << c.text.constData();
        EXPECT_EQ(reason, QString::fromUtf8(c.reason)) << c.text.constData();
    }
}
