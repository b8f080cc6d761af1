#include "dictmanager/AttributeTypes.h"

#include "dictformat/DictionaryLine.h"
#include "dictformat/VendorFormat.h"
#include "platform/CurrentLanguage.h"

#include <QHash>
#include <QRegularExpression>

namespace dictmanager {

namespace {
QString text(const char *key, const char *builtIn)
{
    return platform::CurrentLanguage::text("frmAttr", key, builtIn);
}

// The library's type words (compared without case) and the type each stands for.
const QHash<QString, QString> &typeWords()
{
    static const QHash<QString, QString> words{
        {QStringLiteral("string"), QStringLiteral("string")},
        {QStringLiteral("integer"), QStringLiteral("integer")},
        {QStringLiteral("uint32"), QStringLiteral("integer")},
        {QStringLiteral("ipaddr"), QStringLiteral("ipaddr")},
        {QStringLiteral("date"), QStringLiteral("date")},
        {QStringLiteral("abinary"), QStringLiteral("abinary")},
        {QStringLiteral("octets"), QStringLiteral("octets")},
        {QStringLiteral("ifid"), QStringLiteral("ifid")},
        {QStringLiteral("ipv6addr"), QStringLiteral("ipv6addr")},
        {QStringLiteral("ipv6prefix"), QStringLiteral("ipv6prefix")},
        {QStringLiteral("byte"), QStringLiteral("byte")},
        {QStringLiteral("uint8"), QStringLiteral("byte")},
        {QStringLiteral("short"), QStringLiteral("short")},
        {QStringLiteral("uint16"), QStringLiteral("short")},
        {QStringLiteral("ether"), QStringLiteral("ether")},
        {QStringLiteral("signed"), QStringLiteral("signed")},
        {QStringLiteral("int32"), QStringLiteral("signed")},
        {QStringLiteral("combo-ip"), QStringLiteral("combo-ip")},
        {QStringLiteral("tlv"), QStringLiteral("tlv")},
        {QStringLiteral("integer64"), QStringLiteral("integer64")},
        {QStringLiteral("uint64"), QStringLiteral("integer64")},
        {QStringLiteral("ipv4prefix"), QStringLiteral("ipv4prefix")},
        {QStringLiteral("cidr"), QStringLiteral("ipv4prefix")},
    };
    return words;
}

struct Type {
    QString base;       // empty when the library does not know the word
    bool sized = false; // "octets[n]"
};

Type typeOf(const QString &word)
{
    // A fixed length is written in lower case only: "octets[1]" to "octets[253]".
    static const QRegularExpression sized(QStringLiteral("^octets\\[([0-9]{1,3})\\]$"));
    if (const QRegularExpressionMatch m = sized.match(word); m.hasMatch()) {
        const int length = m.captured(1).toInt();
        return length >= 1 && length <= 253 ? Type{QStringLiteral("octets"), true} : Type{};
    }
    return Type{typeWords().value(word.toLower())};
}

QString refused(const QString &flag, const QString &dataType)
{
    return text("FlagWithType", "The flag \"%1\" cannot be used with the data type \"%2\".").arg(flag, dataType);
}

std::optional<QString> flagProblem(const QString &flag, const Type &type, const QString &dataType)
{
    static const QStringList tagged{QStringLiteral("string"), QStringLiteral("integer")};
    static const QStringList arrays{QStringLiteral("string"),  QStringLiteral("integer"), QStringLiteral("ipaddr"),
                                    QStringLiteral("byte"),    QStringLiteral("short"),   QStringLiteral("date"),
                                    QStringLiteral("ipv6addr")};
    static const QRegularExpression encrypt(QStringLiteral("^encrypt=([0-9]+)$"));
    if (flag == QLatin1String("has_tag"))
        return tagged.contains(type.base) ? std::nullopt : std::optional(refused(flag, dataType));
    if (flag == QLatin1String("array"))
        return arrays.contains(type.base) ? std::nullopt : std::optional(refused(flag, dataType));
    if (const QRegularExpressionMatch m = encrypt.match(flag); m.hasMatch()) {
        const QString method = m.captured(1);
        const bool string = type.base == QLatin1String("string");
        if ((method == QLatin1String("1") && !string && !type.sized)
            || (method == QLatin1String("2") && type.base == QLatin1String("tlv"))
            || (method == QLatin1String("3") && !string))
            return refused(flag, dataType);
        return std::nullopt;
    }
    // "concat" and "virtual" are refused for vendor attributes, other words are not flags.
    return text("FlagForVendor", "The flag \"%1\" cannot be used for a vendor's attribute.").arg(flag);
}
} // namespace

QStringList AttributeTypes::offered()
{
    return {QStringLiteral("string"),   QStringLiteral("integer"),    QStringLiteral("ipaddr"),
            QStringLiteral("date"),     QStringLiteral("octets"),     QStringLiteral("ifid"),
            QStringLiteral("ipv6addr"), QStringLiteral("ipv6prefix"), QStringLiteral("byte"),
            QStringLiteral("short"),    QStringLiteral("signed"),     QStringLiteral("integer64"),
            QStringLiteral("ether"),    QStringLiteral("ipv4prefix"), QStringLiteral("combo-ip"),
            QStringLiteral("tlv")};
}

std::optional<QString> AttributeTypes::typeProblem(const QString &dataType, const QString &flags,
                                                   const dictformat::VendorFormat &format)
{
    const Type type = typeOf(dataType);
    if (type.base.isEmpty())
        return text("UnknownType", "The data type \"%1\" is not one the dictionary library knows. Choose one of: %2.")
            .arg(dataType, offered().join(QStringLiteral(", ")));
    if (type.base == QLatin1String("tlv") && (format.typeSize != 1 || format.lengthSize != 1))
        return text("TlvFormat",
                    "The data type \"tlv\" needs a vendor with one octet for the attribute number "
                    "and one for the length.");
    if (flags.isEmpty())
        return std::nullopt;
    for (const QString &flag : flags.split(QLatin1Char(','))) {
        if (std::optional<QString> problem = flagProblem(flag, type, dataType))
            return problem;
    }
    return std::nullopt;
}

bool AttributeTypes::allowsNamedValues(const QString &dataType)
{
    const QString base = typeOf(dataType).base;
    return base == QLatin1String("integer") || base == QLatin1String("byte") || base == QLatin1String("short")
        || base == QLatin1String("octets");
}

std::optional<QString> AttributeTypes::valueProblem(const QString &dataType, const QString &valueName,
                                                    const QString &number)
{
    const QString base = typeOf(dataType).base;
    const quint32 largest = base == QLatin1String("byte") ? 255u
        : base == QLatin1String("short")                  ? 65535u
                                                          : 0xffffffffu;
    const std::optional<quint32> value = dictformat::DictionaryLineReader::number(number.toLatin1());
    // A sub-number after "." is not a value.
    if (!value || number.contains(QLatin1Char('.')) || *value > largest)
        return text("ValueRange",
                    "The value of \"%1\" must be a number from 0 to %2 for the data type \"%3\": \"%4\" given.")
            .arg(valueName, QString::number(largest), dataType, number);
    return std::nullopt;
}

} // namespace dictmanager
