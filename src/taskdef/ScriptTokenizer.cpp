#include "taskdef/ScriptTokenizer.h"

#include <iterator>

namespace taskdef {

namespace {
struct OperatorText {
    const char *text;
    ScriptOperator op;
};

// Tried in this order; a two-character token needs both of its characters.
constexpr OperatorText Operators[] = {
    {"=~", ScriptOperator::RegexMatch},   {"!~", ScriptOperator::RegexNoMatch}, {"{", ScriptOperator::LeftBrace},
    {"}", ScriptOperator::RightBrace},    {"(", ScriptOperator::LeftParen},     {")", ScriptOperator::RightParen},
    {",", ScriptOperator::Comma},         {"+=", ScriptOperator::Add},          {"-=", ScriptOperator::Subtract},
    {":=", ScriptOperator::Set},          {"=*", ScriptOperator::Exists},       {"!*", ScriptOperator::NotExists},
    {"==", ScriptOperator::Compare},      {"=", ScriptOperator::Equal},         {"!=", ScriptOperator::NotEqual},
    {">=", ScriptOperator::GreaterEqual}, {">", ScriptOperator::Greater},       {"<=", ScriptOperator::LessEqual},
    {"<", ScriptOperator::Less},          {"#", ScriptOperator::Hash},          {";", ScriptOperator::Semicolon},
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isOctal(char c)
{
    return c >= '0' && c <= '7';
}
} // namespace

const char *ScriptTokenizer::operatorText(ScriptOperator op)
{
    for (const OperatorText &o : Operators)
        if (o.op == op)
            return o.text;
    return "";
}

bool ScriptTokenizer::operatorAt(qsizetype pos, ScriptOperator *op, int *length) const
{
    for (const OperatorText &o : Operators) {
        const qsizetype n = qsizetype(std::char_traits<char>::length(o.text));
        if (pos + n <= m_line.size() && m_line.sliced(pos, n) == QByteArrayView(o.text, n)) {
            *op = o.op;
            *length = int(n);
            return true;
        }
    }
    return false;
}

ScriptToken ScriptTokenizer::next(int limit)
{
    ScriptToken token;
    while (m_pos < m_line.size() && isSpace(m_line[m_pos]))
        ++m_pos;
    if (m_pos >= m_line.size())
        return token;

    int length = 0;
    if (operatorAt(m_pos, &token.op, &length)) {
        token.kind = ScriptToken::Kind::Operator;
        m_pos += length;
        return token;
    }

    token.kind = ScriptToken::Kind::Word;
    const char first = m_line[m_pos];
    if (first == '"' || first == '\'' || first == '`') {
        token.quote = first;
        ++m_pos;
    }
    int taken = 0;
    while (m_pos < m_line.size()) {
        const char c = m_line[m_pos];
        if (token.quote) {
            if (c == token.quote) {
                ++m_pos;
                return token;
            }
        } else if (isSpace(c) || operatorAt(m_pos, &token.op, &length)) {
            return token;
        }
        if (c == '\\' && m_pos + 1 < m_line.size()) {
            // An escape is taken whole or not at all, so a cut never splits one.
            const char e = m_line[m_pos + 1];
            int escapeLength = 2;
            char out = e;
            if (e == 'n')
                out = '\n';
            else if (e == 'r')
                out = '\r';
            else if (e == 't')
                out = '\t';
            else if (isOctal(e)) {
                int code = 0;
                int digits = 0;
                while (digits < 3 && m_pos + 1 + digits < m_line.size() && isOctal(m_line[m_pos + 1 + digits])) {
                    code = code * 8 + (m_line[m_pos + 1 + digits] - '0');
                    ++digits;
                }
                out = char(code & 0xff);
                escapeLength = 1 + digits;
            }
            if (taken + escapeLength > limit)
                return token;
            token.text.append(out);
            m_pos += escapeLength;
            taken += escapeLength;
            continue;
        }
        if (taken + 1 > limit)
            return token;
        token.text.append(c);
        ++m_pos;
        ++taken;
    }
    token.unterminated = token.quote != 0;
    return token;
}

} // namespace taskdef
