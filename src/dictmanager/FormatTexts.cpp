#include "dictmanager/FormatTexts.h"

#include "dictmanager/GlossorText.h"

#include <QStringList>

namespace dictmanager {

namespace {
struct Line {
    const char *key;
    const char *builtIn;
};

// The file's keywords stay; the words in angle brackets are the reader's language.
QString skeleton(bool commented)
{
    const QString vendor = glossorText("Format.VendorName", "vendor name");
    const QString line = QStringLiteral("%1%2\n");
    auto row = [](const char *keyword, const QStringList &fields) {
        QString text = QString::fromLatin1(keyword).leftJustified(14);
        for (const QString &field : fields)
            text += (QLatin1Char('<') + field + QLatin1Char('>')).leftJustified(19);
        return text.trimmed() + QLatin1Char('\n');
    };
    auto heading = [&](const char *key, const char *builtIn) {
        const QString rule = QStringLiteral("#########################################\n");
        return rule + line.arg(QStringLiteral("#  "), glossorText(key, builtIn)) + rule;
    };
    const QString vendorRows =
        row("VENDOR", {vendor, glossorText("Format.VendorCode", "vendor code")}) + row("BEGIN-VENDOR", {vendor});
    const QString attributeRow =
        row("ATTRIBUTE",
            {glossorText("Format.AttributeName", "attribute name"),
             glossorText("Format.AttributeCode", "attribute code"), glossorText("Format.DataType", "data type")});
    const QString valueRow =
        row("VALUE",
            {glossorText("Format.AttributeName", "attribute name"), glossorText("Format.ValueName", "value name"),
             glossorText("Format.ValueCode", "value code")});
    const QString endRow = row("END-VENDOR", {vendor});
    if (!commented)
        return vendorRows + attributeRow + valueRow + endRow;
    return heading("Format.HeaderComment", "Header: the vendor") + vendorRows + QLatin1Char('\n')
        + heading("Format.AttributesComment", "Attributes") + attributeRow + QLatin1Char('\n')
        + heading("Format.ValuesComment", "Values") + valueRow + QLatin1Char('\n') + endRow;
}

const char *const example =
    "VENDOR        Microsoft   311\n"
    "BEGIN-VENDOR  Microsoft\n"
    "ATTRIBUTE     MS-CHAP-Response            1   octets\n"
    "ATTRIBUTE     MS-CHAP-Error               2   string\n"
    "ATTRIBUTE     MS-CHAP-CPW-1               3   octets\n"
    "ATTRIBUTE     MS-CHAP-CPW-2               4   octets\n"
    "ATTRIBUTE     MS-MPPE-Encryption-Policy   7   integer\n"
    "ATTRIBUTE     MS-MPPE-Encryption-Types    8   integer\n"
    "VALUE         MS-MPPE-Encryption-Policy   Encryption-Allowed    1\n"
    "VALUE         MS-MPPE-Encryption-Policy   Encryption-Required   2\n"
    "VALUE         MS-MPPE-Encryption-Types    RC4-40bit-Allowed     1\n"
    "END-VENDOR    Microsoft";

QString forExample()
{
    return QLatin1Char('\n') + glossorText("Format.ForExample", "For Example:") + QLatin1Char('\n')
        + QLatin1String(example);
}

// The help page's prose, a line a key.
const Line kHelp[] = {
    {"Help.01", "Vendor Dictionaries Help"},
    {"Help.02", ""},
    {"Help.03", "Edit a Dictionary"},
    {"Help.04", "  1. Press \"Edit Dict\"."},
    {"Help.05", "  2. Choose a vendor in \"Vendor Name\", or press \"New\" to create one."},
    {"Help.06", "  3. Right-click the attribute list to add, edit, delete or move attributes."},
    {"Help.07", "     In the attribute dialog the down arrow on the last value row adds a row,"},
    {"Help.08", "     Ctrl+Delete removes the current one."},
    {"Help.09", "  4. The vendor is saved when you choose another vendor, open \"Delete  Dict\""},
    {"Help.10", "     or close the window."},
    {"Help.11", ""},
    {"Help.12", "Upload a New Dictionary"},
    {"Help.13", "  1. Press \"Upload Dict\"."},
    {"Help.14", "  2. Press \"Browse ....\" and pick the dictionary file."},
    {"Help.15", "  3. Press \"Upload\". The file is checked first; faulty lines are listed"},
    {"Help.16", "     with their line numbers and nothing is copied."},
    {"Help.17", ""},
    {"Help.18", "Deleting a Dictionary"},
    {"Help.19", "  1. Press \"Delete  Dict\"."},
    {"Help.20", "  2. Choose the vendor and press \"Delete\", then confirm."},
    {"Help.21", ""},
    {"Help.22", "Export an Existing Dictionary"},
    {"Help.23", "  1. Press \"Export Dict\"."},
    {"Help.24", "  2. Choose the vendor and press \"Export...\", then pick where to save it."},
    {"Help.25", ""},
    {"Help.26", "Supported Dictionaries"},
    {"Help.27", ""},
};
} // namespace

QString FormatTexts::uploadDescription()
{
    return glossorText("Format.Title", "The Dictionary File Format:") + QLatin1Char('\n') + skeleton(false)
        + forExample();
}

QString FormatTexts::help()
{
    QString text;
    for (const Line &line : kHelp)
        text += (*line.builtIn ? glossorText(line.key, line.builtIn) : QString()) + QLatin1Char('\n');
    return text + skeleton(true) + forExample();
}

} // namespace dictmanager
