#include "decoder/HexInput.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace decoder {

namespace {

using radius::Result;

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

bool isHex(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isHexDigit);
}

// Lines of the raw packet view that repeat what its packet line holds: "Packet0  :",
// the rule, and the labelled fields ("   Code          : 0x01").
bool isRawViewDecoration(const QString &line)
{
    static const QRegularExpression head(QStringLiteral("^Packet\\s*\\d+\\s*:$"));
    static const QRegularExpression rule(QStringLiteral("^-+$"));
    static const QRegularExpression field(QStringLiteral("^[A-Za-z][A-Za-z ]*[A-Za-z]\\s*:\\s*0x[0-9A-Fa-f]*$"));
    return head.match(line).hasMatch() || rule.match(line).hasMatch() || field.match(line).hasMatch();
}

// A dump line: an offset of four to eight digits equal to the octets read so far, then
// groups of digits, then perhaps a text column after a wider gap.
std::optional<QString> dumpDigits(const QString &line, qsizetype octetsSoFar)
{
    static const QRegularExpression offset(QStringLiteral("^([0-9A-Fa-f]{4,8}):?(\\s+)(.*)$"));
    const QRegularExpressionMatch m = offset.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    bool ok = false;
    if (m.captured(1).toLongLong(&ok, 16) != octetsSoFar || !ok)
        return std::nullopt;
    // The text column starts after the first gap of three blanks or more.
    const QString rest = m.captured(3);
    static const QRegularExpression gap(QStringLiteral("\\s{3,}"));
    const qsizetype end = rest.indexOf(gap);
    QString digits;
    for (const QString &group : (end < 0 ? rest : rest.left(end)).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!isHex(group) || group.size() % 2 != 0)
            break; // a text column after a narrow gap
        digits += group;
    }
    return digits;
}

QString word(const platform::LanguageFile &language, const char *key, const char *builtIn)
{
    return language.text(QStringLiteral("frmDecodePacket"), QString::fromLatin1(key), QString::fromLatin1(builtIn));
}

Result<QString> plainDigits(const QString &line, int lineNumber, const platform::LanguageFile &language)
{
    static const QRegularExpression separators(QStringLiteral("[\\s:,;]+"));
    QString digits;
    for (QString token : line.split(separators, Qt::SkipEmptyParts)) {
        if (token.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            token = token.mid(2);
        for (const QChar c : token)
            if (!isHexDigit(c))
                return Result<QString>::failure(
                    word(language, "Input.NotHex", "Line %1: '%2' is not a hexadecimal digit").arg(lineNumber).arg(c));
        digits += token;
    }
    return digits;
}

} // namespace

Result<QByteArray> HexInput::parse(const QString &text, const platform::LanguageFile &language)
{
    QString digits;
    int lineNumber = 0;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        ++lineNumber;
        const QString line = raw.trimmed();
        if (line.isEmpty() || isRawViewDecoration(line))
            continue;
        if (const std::optional<QString> dump = dumpDigits(line, digits.size() / 2); dump && !dump->isEmpty()) {
            digits += *dump;
            continue;
        }
        const Result<QString> plain = plainDigits(line, lineNumber, language);
        if (!plain)
            return Result<QByteArray>::failure(plain.error());
        digits += *plain;
    }
    if (digits.isEmpty())
        return Result<QByteArray>::failure(word(language, "Input.NoOctets", "No hexadecimal octets"));
    if (digits.size() % 2 != 0)
        return Result<QByteArray>::failure(
            word(language, "Input.OddDigits", "An odd number of hexadecimal digits (%1): an octet is cut short")
                .arg(digits.size()));
    return QByteArray::fromHex(digits.toLatin1());
}

} // namespace decoder
