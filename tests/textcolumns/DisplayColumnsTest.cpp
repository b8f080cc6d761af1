// Columns of a text in a fixed-width font, and the font that shows them so.
#include "textcolumns/DisplayColumns.h"
#include "textcolumns/ColumnFont.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

using textcolumns::columnsOf;
using textcolumns::padToColumns;

TEST(DisplayColumns, WideCharactersTakeTwoColumnsMarksNone)
{
    const struct {
        const char16_t *text;
        qsizetype columns;
    } cases[] = {
        {u"", 0},           {u"Server IP", 9}, {u"任务名称", 8}, {u"RADIUS 请求 ID", 14},
        {u"：", 2},         // the full-width colon of Chinese labels
        {u"한국", 4},       // Hangul syllables
        {u"Ａ", 2},         // full-width Latin
        {u"ｱ", 1},          // half-width Katakana
        {u"e\u0301", 1},    // a combining accent adds nothing
        {u"a\u200Bb", 2},   // nor does a zero-width space
        {u"\U00020000", 2}, // an ideograph beyond the first plane: two halves, one wide character
        {u"\xD840", 1},     // a lone half counts as one
    };
    for (const auto &c : cases)
        EXPECT_EQ(columnsOf(QString::fromUtf16(c.text)), c.columns) << QString::fromUtf16(c.text).toStdString();
}

TEST(DisplayColumns, PaddingCountsColumnsAndNeverCuts)
{
    EXPECT_EQ(padToColumns(QStringLiteral(u"代码"), 8), QStringLiteral(u"代码    "));
    EXPECT_EQ(padToColumns(QStringLiteral("Code"), 8), QStringLiteral("Code    "));
    EXPECT_EQ(padToColumns(QStringLiteral(u"每秒请求数"), 6), QStringLiteral(u"每秒请求数"));
    EXPECT_EQ(padToColumns(QString(), 2), QStringLiteral("  "));
}

// On the screen: a line of Chinese and a line of as many Latin columns end at one place.
// The system's fixed font fails this (its Chinese comes from another font); the Debian
// package fonts-noto-cjk (scripts/setup.sh) gives one that keeps it.
TEST(ColumnFont, ChineseAndLatinOfEqualColumnsAreEquallyWide)
{
    const QFontMetricsF metrics(textcolumns::columnFont());
    const QString chinese = QStringLiteral(u"  任务名称  ： x");
    const QString latin = QString(columnsOf(chinese), QLatin1Char('M'));
    EXPECT_NEAR(metrics.horizontalAdvance(chinese), metrics.horizontalAdvance(latin), 0.5)
        << textcolumns::columnFont().family().toStdString();
}
