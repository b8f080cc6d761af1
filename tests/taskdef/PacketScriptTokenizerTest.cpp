#include "taskdef/ScriptTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace taskdef;

namespace {

// Tokens written as "op:=", "w:text" (bare), "q\":text" (quoted), "u\":text" (unterminated).
std::vector<std::string> tokensOf(const QByteArray &line, int limit)
{
    std::vector<std::string> out;
    ScriptTokenizer tokenizer(line);
    for (int guard = 0; guard < 64; ++guard) {
        const ScriptToken t = tokenizer.next(limit);
        if (t.kind == ScriptToken::Kind::EndOfLine)
            break;
        if (t.kind == ScriptToken::Kind::Operator)
            out.push_back(std::string("op:") + ScriptTokenizer::operatorText(t.op));
        else if (t.quote)
            out.push_back(std::string(t.unterminated ? "u" : "q") + t.quote + ":" + t.text.toStdString());
        else
            out.push_back("w:" + t.text.toStdString());
    }
    return out;
}

struct Case {
    const char *label;
    QByteArray line;
    int limit;
    std::vector<std::string> expected;
};

class TokenizerTable : public ::testing::TestWithParam<Case> {};

TEST_P(TokenizerTable, SplitsAsTheTokenRulesSay)
{
    EXPECT_EQ(tokensOf(GetParam().line, GetParam().limit), GetParam().expected);
}

const std::string S300(300, 'x');

INSTANTIATE_TEST_SUITE_P(
    Rules, TokenizerTable,
    ::testing::Values(
        Case{"SimplePair", "User-Name = bob", 256, {"w:User-Name", "op:=", "w:bob"}},
        Case{"NoBlanksAroundOperator", "a=b", 256, {"w:a", "op:=", "w:b"}},
        Case{"TwoCharacterOperatorsFirst",
             "a==b c=~d e!~f g+=h i-=j k:=l m=*n o!*p",
             256,
             {"w:a", "op:==", "w:b", "w:c", "op:=~", "w:d", "w:e", "op:!~", "w:f", "w:g", "op:+=", "w:h",
              "w:i", "op:-=", "w:j", "w:k", "op::=", "w:l", "w:m", "op:=*", "w:n", "w:o", "op:!*", "w:p"}},
        Case{"ComparisonOperators",
             "a!=b c>=d e>f g<=h i<j",
             256,
             {"w:a", "op:!=", "w:b", "w:c", "op:>=", "w:d", "w:e", "op:>", "w:f", "w:g", "op:<=", "w:h", "w:i", "op:<",
              "w:j"}},
        Case{"PunctuationTokens", "{}(),;#", 256, {"op:{", "op:}", "op:(", "op:)", "op:,", "op:;", "op:#"}},
        Case{"LoneCharactersOfTwoCharacterOperatorsAreWords", "a+b !x :y", 256, {"w:a+b", "w:!x", "w::y"}},
        Case{"ThreeQuoteKinds", "\"a b\" 'c,d' `e=f`", 256, {"q\":a b", "q':c,d", "q`:e=f"}},
        Case{"EscapesInBareWords", "abc\\#123 a\\=b x\\ y", 256, {"w:abc#123", "w:a=b", "w:x y"}},
        Case{"ControlAndQuoteEscapes", "\"\\n\\r\\t\\\"\\'\\`\\q\"", 256, {"q\":\n\r\t\"'`q"}},
        Case{"OctalEscapes", "\\101\\1022 \\7x \\0101", 256, {"w:AB2", "w:\ax", "w:\b1"}},
        Case{"UnterminatedQuote", "a = \"abc", 256, {"w:a", "op:=", "u\":abc"}},
        Case{"WordCutAtLimit", "abcdef", 4, {"w:abcd", "w:ef"}},
        Case{"OpeningQuoteNotCounted", "\"abcd\"", 4, {"q\":abcd"}},
        Case{"BackslashesCounted", "a\\#b", 2, {"w:a", "w:#", "w:b"}},
        Case{"ValueOf300Characters",
             QByteArray::fromStdString(S300),
             256,
             {"w:" + S300.substr(0, 256), "w:" + S300.substr(0, 44)}},
        Case{"OnlyBlanks", " \t ", 256, {}}),
    [](const auto &p) { return std::string(p.param.label); });

} // namespace
