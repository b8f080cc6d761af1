#include "taskdef/PairLineFormatter.h"

#include "taskdef/EscapedForm.h"
#include "taskdef/OctetText.h"
#include "taskdef/ScriptLineParser.h"
#include "taskdef/ScriptTokenizer.h"

#include <limits>

namespace taskdef {

namespace {
bool isControl(unsigned char c)
{
    return c < 0x20 || c == 0x7f;
}

void appendEscaped(QByteArray &out, unsigned char c)
{
    switch (c) {
    case '\n': out.append("\\n"); break;
    case '\r': out.append("\\r"); break;
    case '\t': out.append("\\t"); break;
    default: out.append(OctetText::octalEscape(c)); break;
    }
}
} // namespace

QByteArray PairLineFormatter::escapeControls(const QByteArray &value)
{
    QByteArray out;
    out.reserve(value.size());
    for (const char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if (isControl(c))
            appendEscaped(out, c);
        else
            out.append(ch);
    }
    return out;
}

// The value taken literally: every character reads back as itself.
QByteArray PairLineFormatter::literal(const QByteArray &value)
{
    QByteArray out("\"");
    for (const char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if (isControl(c))
            appendEscaped(out, c);
        else if (ch == '"' || ch == '\\')
            out.append('\\').append(ch);
        else
            out.append(ch);
    }
    return out.append('"');
}

QByteArray PairLineFormatter::quotingRule(const QByteArray &name, const QByteArray &v)
{
    const bool quoted = !v.isEmpty() && v.startsWith('"') && v.endsWith('"');
    if (!quoted && (v.contains(' ') || v.contains(',') || v.contains(';')))
        return name + " = \"" + v + '"';
    return name + " = " + v;
}

QByteArray PairLineFormatter::format(const QString &name, const QString &value)
{
    const QByteArray n = name.toUtf8();
    const QByteArray trimmed = EscapedForm::trimBlanks(value).toUtf8();
    const QByteArray v = escapeControls(trimmed);
    QByteArray line = quotingRule(n, v);
    // A value whose quotes do not pair up (a lone '"', a quote inside quotes) would spoil
    // this line and every packet after it; such a value is written to read back literally.
    if (!readsBack(line, name)) {
        QByteArray safe = n + " = " + literal(trimmed);
        if (readsBack(safe, name))
            return safe;
    }
    return line;
}

bool PairLineFormatter::readsBack(const QByteArray &line, const QString &name)
{
    const ScriptLineParser::Outcome outcome = ScriptLineParser::parse(line);
    // A name's octet outside UTF-8 is held as its octal escape, as values are.
    return outcome.ok() && outcome.pairs.size() == 1 && outcome.pairs.first().nameText() == name;
}

PairLineFormatter::WrittenValue PairLineFormatter::writtenValue(const QString &value)
{
    const QByteArray line = format(QStringLiteral("x"), value);
    ScriptTokenizer tokens(line);
    tokens.next(ScriptTokenizer::NameLimit); // the name
    tokens.next(ScriptTokenizer::NameLimit); // '='
    qsizetype start = tokens.position();
    while (start < line.size() && line.at(start) == ' ')
        ++start;
    const ScriptToken word = tokens.next(std::numeric_limits<int>::max());
    // The limit of a word counts neither of its quotes.
    const qsizetype quotes = word.quote ? (word.unterminated ? 1 : 2) : 0;
    return {word.text, int(tokens.position() - start - quotes)};
}

} // namespace taskdef
