#include "dictmanager/AttributeEdit.h"
#include "dictmanager/GlossorText.h"

#include "dictformat/DictionaryLine.h"
#include "dictmanager/AttributeTypes.h"
#include "dictmanager/DictionaryModel.h"
#include "dictmanager/DictionaryNames.h"
#include "platform/CurrentLanguage.h"

#include <QStringList>

namespace dictmanager {

namespace {
QString notOneWord(const QString &what)
{
    return QStringLiteral("%1 must be one word, without blanks, \"#\" or control characters.").arg(what);
}
} // namespace

AttributeEdit AttributeEdit::forAdd()
{
    return {};
}

AttributeEdit AttributeEdit::forEdit(const DictionaryModel &model, qsizetype row)
{
    AttributeEdit edit;
    edit.mode = Mode::Edit;
    edit.row = row;
    edit.name = model.attributeList.value(row);
    const qsizetype index = model.firstAttribute(edit.name);
    if (index >= 0) {
        edit.code = model.attributes.at(index).code;
        edit.dataType = model.attributes.at(index).dataType;
    }
    for (const ValueEntry &value : model.valuesOf(edit.name))
        edit.rows.append({value.valueName, value.number});
    return edit;
}

std::optional<AttributeEdit::Refusal> AttributeEdit::check(const DictionaryModel &model)
{
    if (name.isEmpty())
        return Refusal{glossorText("AttrNameEmpty", "Attribute name is empty!"), true};
    if (code.isEmpty())
        return Refusal{glossorText("AttrCodeEmpty", "Attribute code is empty!"), true};
    if (std::optional<Refusal> range = checkCodeRange(model))
        return range;
    // A blank or "#" would split the line when the file is read back.
    if (!DictionaryNames::isWord(name))
        return Refusal{notOneWord(glossorText("TheAttrName", "The attribute name"))};
    if (!DictionaryNames::isWord(dataType))
        return Refusal{notOneWord(glossorText("TheDataType", "The data type"))};
    // What the library refuses fails the load of the whole main dictionary.
    const AttributeEntry *previous = previousEntry(model);
    if (std::optional<QString> problem =
            AttributeTypes::typeProblem(dataType, keptFlags(previous), model.loadedVendorFormat()))
        return Refusal{*problem};

    const qsizetype own = mode == Mode::Edit ? model.lastAttribute(model.attributeList.value(row)) : -1;
    for (qsizetype i = 0; i < model.attributes.size(); ++i) {
        if (i != own && model.attributes.at(i).name == name)
            return Refusal{glossorText("AttrNameExists", "The Attribute Name have existed!")};
    }

    if (!rows.isEmpty() && rows.last().first.isEmpty() && rows.last().second.isEmpty())
        rows.removeLast();
    QStringList valueNames;
    for (const Row &r : rows) {
        if (r.first.isEmpty())
            return Refusal{glossorText("ValueNameEmpty", "A value name is empty!")};
        if (!DictionaryNames::isWord(r.first))
            return Refusal{notOneWord(glossorText("AValueName", "A value name"))};
        if (valueOf(r.first).isEmpty())
            return Refusal{glossorText("ValueEmpty", "A value  is empty!")};
        // The library refuses a value name given twice for one attribute.
        if (valueNames.contains(r.first))
            return Refusal{
                platform::CurrentLanguage::text("frmAttr", "ValueTwice", "The value name \"%1\" is given twice.")
                    .arg(r.first)};
        valueNames << r.first;
    }
    if (!rows.isEmpty() && !AttributeTypes::allowsNamedValues(dataType))
        return Refusal{
            glossorText("NamedValuesType", "Named values need the data type integer, byte, short or octets.")};
    for (const Row &r : rows) {
        if (std::optional<QString> problem = AttributeTypes::valueProblem(dataType, r.first, r.second))
            return Refusal{*problem};
    }
    return std::nullopt;
}

std::optional<AttributeEdit::Refusal> AttributeEdit::checkCodeRange(const DictionaryModel &model) const
{
    const dictformat::VendorFormat format = model.loadedVendorFormat();
    const std::optional<quint32> number = dictformat::DictionaryLineReader::number(code.toLatin1());
    if (!number)
        return Refusal{glossorText("AttrCodeNotNumber", "The attribute code is not a number.")};
    if (*number > format.largestAttribute())
        return Refusal{
            glossorText("AttrCodeTooLarge", "The attribute code is larger than %1.").arg(format.largestAttribute())};
    if (*number < format.smallestAttribute())
        return Refusal{
            glossorText("AttrCodeTooSmall", "The attribute code must be at least %1.").arg(format.smallestAttribute())};
    return std::nullopt;
}

const AttributeEntry *AttributeEdit::previousEntry(const DictionaryModel &model) const
{
    if (mode != Mode::Edit)
        return nullptr;
    const qsizetype old = model.firstAttribute(model.attributeList.value(row));
    return old >= 0 ? &model.attributes.at(old) : nullptr;
}

QString AttributeEdit::keptFlags(const AttributeEntry *previous) const
{
    // The dialog does not show the flags: they stay while the data type they were written
    // for stays; for another type they could make the main dictionary fail to load.
    return previous && previous->dataType.compare(dataType, Qt::CaseInsensitive) == 0 ? previous->flags : QString();
}

void AttributeEdit::apply(DictionaryModel &model) const
{
    AttributeEntry attribute{name, code, dataType};
    QList<ValueEntry> oldValues;
    if (mode == Mode::Add) {
        model.attributeList.append(name);
    } else {
        if (row < 0 || row >= model.attributeList.size())
            return;
        const QString oldName = model.attributeList.value(row);
        if (const AttributeEntry *previous = previousEntry(model)) {
            attribute.flags = keptFlags(previous);
            // Unchanged lines go back to the file as they were read.
            if (attribute == *previous)
                attribute.line = previous->line;
        }
        oldValues = model.valuesOf(oldName);
        model.removeAttribute(oldName);
        model.attributeList[row] = name;
    }
    model.attributes.append(attribute);
    for (const Row &r : rows) {
        ValueEntry value{name, r.first, valueOf(r.first)};
        if (const qsizetype same = oldValues.indexOf(value); same >= 0)
            value.line = oldValues.at(same).line;
        model.values.append(value);
    }
    model.modified = true;
}

QString AttributeEdit::valueOf(const QString &valueName) const
{
    for (const Row &r : rows) {
        if (r.first == valueName)
            return r.second;
    }
    return {};
}

} // namespace dictmanager
