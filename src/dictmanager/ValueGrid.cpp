#include "dictmanager/ValueGrid.h"

#include "dictmanager/DigitKeyFilter.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace dictmanager {

namespace {
class ValueColumnDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (index.column() == 1) {
            if (auto *edit = qobject_cast<QLineEdit *>(editor))
                DigitKeyFilter::install(edit);
        }
        return editor;
    }
};
} // namespace

ValueGrid::ValueGrid(bool editable, QWidget *parent)
    : QTableWidget(0, 2, parent)
    , m_editable(editable)
{
    setObjectName(QStringLiteral("ValueListEdt"));
    setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Value")});
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
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
}

void ValueGrid::finishEditing()
{
    const QModelIndex current = currentIndex();
    setCurrentIndex(QModelIndex()); // commits and closes the editor of the cell left
    setCurrentIndex(current);
}

void ValueGrid::keyPressEvent(QKeyEvent *event)
{
    if (m_editable && event->key() == Qt::Key_Down && currentRow() == rowCount() - 1) {
        const int column = std::max(0, currentColumn());
        insertRow(rowCount());
        setCurrentCell(rowCount() - 1, column);
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
