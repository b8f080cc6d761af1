#include "dictmanager/ValueGrid.h"
#include "dictmanager/GlossorText.h"

#include "platform/DigitKeyFilter.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include <algorithm>

namespace dictmanager {

namespace {
class ValueColumnDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (index.column() == 1) {
            if (auto *edit = qobject_cast<QLineEdit *>(editor))
                platform::DigitKeyFilter::install(edit);
        }
        return editor;
    }
};
} // namespace

ValueGrid::ValueGrid(bool editable, QWidget *parent) : QTableWidget(0, 2, parent), m_editable(editable)
{
    setObjectName(QStringLiteral("ValueListEdt"));
    setHorizontalHeaderLabels(
        {glossorText("ValueListEdt.Column1", "Name"), glossorText("ValueListEdt.Column2", "Value")});
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    if (editable) {
        setItemDelegate(new ValueColumnDelegate(this));
        setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                        | QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    } else {
        setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
}

QList<ValueGrid::Row> ValueGrid::rows() const
{
    QList<Row> result;
    for (int r = 0; r < rowCount(); ++r) {
        const QTableWidgetItem *name = item(r, 0);
        const QTableWidgetItem *value = item(r, 1);
        result.append({name ? name->text() : QString(), value ? value->text() : QString()});
    }
    return result;
}

void ValueGrid::setRows(const QList<Row> &rows)
{
    setRowCount(0);
    setRowCount(int(rows.size()));
    for (int r = 0; r < rowCount(); ++r) {
        setItem(r, 0, new QTableWidgetItem(rows.at(r).first));
        setItem(r, 1, new QTableWidgetItem(rows.at(r).second));
    }
    fitNameColumn();
}

void ValueGrid::fitNameColumn()
{
    // The names in full, unless that leaves the numbers too little room; the numbers stretch.
    constexpr int narrowest = 100;
    constexpr int widest = 320;
    const int wanted = std::max(sizeHintForColumn(0), horizontalHeader()->sectionSizeHint(0)) + 8;
    setColumnWidth(0, std::clamp(wanted, narrowest, widest));
}

void ValueGrid::finishEditing()
{
    const QModelIndex current = currentIndex();
    setCurrentIndex(QModelIndex()); // commits and closes the editor of the cell left
    setCurrentIndex(current);
}

QModelIndex ValueGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    // Tab past the last cell (or Shift+Tab before the first) stays where it is: wrapping
    // round would put the next typed text into the first row.
    const QModelIndex current = currentIndex();
    const bool last = current.row() == rowCount() - 1 && current.column() == columnCount() - 1;
    const bool first = current.row() == 0 && current.column() == 0;
    if ((cursorAction == MoveNext && last) || (cursorAction == MovePrevious && first))
        return {};
    return QTableWidget::moveCursor(cursorAction, modifiers);
}

void ValueGrid::keyPressEvent(QKeyEvent *event)
{
    // A new row is filled from its name, whichever column the arrow was pressed in.
    if (m_editable && event->key() == Qt::Key_Down && currentRow() == rowCount() - 1) {
        insertRow(rowCount());
        setCurrentCell(rowCount() - 1, 0);
        return;
    }
    if (m_editable && event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier
        && currentRow() >= 0) {
        removeRow(currentRow());
        return;
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace dictmanager
