#include "mschap/MsChapError.h"

#include <QList>

namespace mschap {

namespace {

std::optional<MsChapError> refuse(QString *why, const QString &reason)
{
    if (why)
        *why = reason;
    return std::nullopt;
}

bool isDecimal(const QByteArray &text)
{
    if (text.isEmpty() || text.size() > 9)
        return false;
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool isHex(const QByteArray &text)
{
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false;
    return true;
}

} // namespace

std::optional<MsChapError> MsChapError::parse(const QByteArray &text, QString *why)
{
    MsChapError error;
    // M= takes the rest of the text, spaces included.
    const qsizetype messageAt = text.startsWith("M=") ? 0 : text.indexOf(" M=");
    const QByteArray fields = messageAt < 0 ? text : text.left(messageAt);
    if (messageAt >= 0)
        error.message = QString::fromUtf8(text.mid(messageAt + (messageAt == 0 ? 2 : 3)));
    bool haveCode = false;
    QByteArray seen;
    for (const QByteArray &field : fields.split(' ')) {
        if (field.isEmpty())
            continue;
        if (field.size() < 2 || field[1] != '=')
            return refuse(why, QStringLiteral("not a field: \"%1\"").arg(QString::fromUtf8(field)));
        const char key = field[0];
        const QByteArray value = field.mid(2);
        if (seen.contains(key))
            return refuse(why, QStringLiteral("%1= given twice").arg(QLatin1Char(key)));
        seen.append(key);
        switch (key) {
        case 'E':
            if (!isDecimal(value))
                return refuse(why, QStringLiteral("bad error code E=%1").arg(QString::fromUtf8(value)));
            error.code = value.toInt();
            haveCode = true;
            break;
        case 'R':
            if (value != "0" && value != "1")
                return refuse(why, QStringLiteral("bad retry flag R=%1").arg(QString::fromUtf8(value)));
            error.retryAllowed = value == "1";
            break;
        case 'C':
            // 16 hex digits for version 1, 32 for version 2.
            if ((value.size() != 16 && value.size() != 32) || !isHex(value))
                return refuse(why, QStringLiteral("bad challenge C=%1").arg(QString::fromUtf8(value)));
            error.challenge = QByteArray::fromHex(value);
            break;
        case 'V':
            if (!isDecimal(value))
                return refuse(why, QStringLiteral("bad version V=%1").arg(QString::fromUtf8(value)));
            error.version = value.toInt();
            break;
        default: return refuse(why, QStringLiteral("unknown field %1=").arg(QLatin1Char(key)));
        }
    }
    if (!haveCode)
        return refuse(why, QStringLiteral("no error code (E=)"));
    return error;
}

std::optional<MsChapError> MsChapError::parseAttribute(const QByteArray &value, QString *why)
{
    if (value.size() < 2)
        return refuse(why, QStringLiteral("too short"));
    return parse(value.mid(1), why);
}

QString MsChapError::codeMeaning(int code)
{
    switch (code) {
    case 646: return QStringLiteral("restricted logon hours");
    case 647: return QStringLiteral("account disabled");
    case 648: return QStringLiteral("password expired");
    case 649: return QStringLiteral("no dial-in permission");
    case 691: return QStringLiteral("authentication failure");
    case 709: return QStringLiteral("error changing password");
    default: return {};
    }
}

QString MsChapError::reason() const
{
    const QString meaning = codeMeaning(code);
    QString text =
        meaning.isEmpty() ? QStringLiteral("error %1").arg(code) : QStringLiteral("%1 (E=%2)").arg(meaning).arg(code);
    text += retryAllowed ? QStringLiteral(", retry allowed") : QStringLiteral(", no retry");
    if (!message.isEmpty())
        text += QStringLiteral(": ") + message;
    return text;
}

} // namespace mschap
