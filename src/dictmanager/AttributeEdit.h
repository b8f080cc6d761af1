#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace dictmanager {

struct AttributeEntry;
struct DictionaryModel;

// What the attribute dialog holds, and the checks and changes its OK makes.
struct AttributeEdit {
    enum class Mode { Add, Edit };
    using Row = QPair<QString, QString>; // value name, value number

    Mode mode = Mode::Add;
    qsizetype row = -1; // the attribute list row being edited
    QString name;
    QString code;
    QString dataType = QStringLiteral("String");
    QList<Row> rows; // the grid, top to bottom

    struct Refusal {
        QString text;
        bool information = false; // shown in an information box rather than a plain one
    };

    static AttributeEdit forAdd();
    // Filled from the model: the values in their stored order.
    static AttributeEdit forEdit(const DictionaryModel &model, qsizetype row);

    // Drops a trailing empty row; the first refusal, if any.
    std::optional<Refusal> check(const DictionaryModel &model);
    void apply(DictionaryModel &model) const;

    // The number of the first row with the name, as a name/value grid looks it up.
    QString valueOf(const QString &valueName) const;

private:
    // The attribute numbers that the loaded vendor's format can carry.
    std::optional<Refusal> checkCodeRange(const DictionaryModel &model) const;
    // The store entry being edited, if any.
    const AttributeEntry *previousEntry(const DictionaryModel &model) const;
    QString keptFlags(const AttributeEntry *previous) const;
};

} // namespace dictmanager
