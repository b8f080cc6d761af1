#include "shell/TaskListView.h"

#include "shell/ShellIcons.h"
#include "shell/TaskListOrder.h"

#include <QHeaderView>
#include <QListView>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace shell {

// Builds its rows as one reset: the views lay out once, not once a row.
class TaskListModel : public QStandardItemModel {
public:
    using QStandardItemModel::QStandardItemModel;

    template <typename Fill>
    void replaceRows(Fill fill)
    {
        beginResetModel();
        {
            const QSignalBlocker quiet(this);
            setRowCount(0);
            fill();
        }
        endResetModel();
    }
};

namespace {
constexpr int kKeyRole = Qt::UserRole + 1;

// Orders rows by the list's own text comparison, case folded for A to Z only.
class TaskItem : public QStandardItem {
public:
    using QStandardItem::QStandardItem;
    bool operator<(const QStandardItem &other) const override { return compareListTexts(text(), other.text()) < 0; }
    QStandardItem *clone() const override { return new TaskItem; }
};

void configure(QAbstractItemView *view)
{
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
}
} // namespace

TaskListView::TaskListView(QWidget *parent)
    : QWidget(parent), m_model(new TaskListModel(0, kColumns, this)),
      m_selection(new QItemSelectionModel(m_model, this)), m_stack(new QStackedWidget(this)),
      m_report(new QTreeView(m_stack)), m_icons(new QListView(m_stack))
{
    setObjectName(QStringLiteral("lvwTask"));
    m_model->setItemPrototype(new TaskItem);
    m_report->setObjectName(QStringLiteral("lvwTaskReport"));
    m_icons->setObjectName(QStringLiteral("lvwTaskIcons"));
    for (QAbstractItemView *view :
         {static_cast<QAbstractItemView *>(m_report), static_cast<QAbstractItemView *>(m_icons)}) {
        view->setModel(m_model);
        view->setSelectionModel(m_selection);
        configure(view);
        view->viewport()->installEventFilter(this);
        connect(view, &QAbstractItemView::customContextMenuRequested, this,
                [this, view](const QPoint &at) { Q_EMIT contextMenuRequested(view->viewport()->mapToGlobal(at)); });
    }
    m_report->setRootIsDecorated(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    QHeaderView *header = m_report->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    connect(header, &QHeaderView::sectionClicked, this, &TaskListView::headerClicked);
    const int widths[kColumns] = {150, 120, 120, 130, 0, 110};
    for (int column = 0; column < kColumns; ++column)
        m_report->setColumnWidth(column, widths[column]);
    m_report->setColumnHidden(kHiddenColumn, true);

    m_stack->addWidget(m_icons);
    m_stack->addWidget(m_report);
    m_stack->setCurrentWidget(m_report);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);

    connect(m_selection, &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected, const QItemSelection &) {
                if (!selected.isEmpty())
                    Q_EMIT rowSelected();
                Q_EMIT selectionChanged();
            });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        if (!m_filling)
            Q_EMIT contentChanged();
    });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &TaskListView::contentChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (!m_filling)
            Q_EMIT contentChanged();
    });
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this, &TaskListView::rowAboutToBeRemoved);
}

void TaskListView::clear()
{
    m_model->removeRows(0, m_model->rowCount());
}

void TaskListView::appendRow(const TaskRow &row)
{
    QList<QStandardItem *> items;
    for (const QString &text : {row.taskName, row.lastRunTime, row.nextRunTime, row.serverIp, QString(), QString()})
        items << new TaskItem(text);
    items.first()->setIcon(ShellIcons::picture(ShellIcons::Task));
    items.first()->setData(row.taskId, kKeyRole);
    m_model->appendRow(items);
}

void TaskListView::setRows(const QList<TaskRow> &rows)
{
    // A reset drops the selection without a word: say it, as removing the rows did.
    const bool hadSelection = hasSelection();
    const bool hadRows = rowCount() > 0;
    m_filling = true;
    m_model->replaceRows([this, &rows] {
        for (const TaskRow &row : rows)
            appendRow(row);
    });
    m_filling = false;
    if (hadSelection)
        Q_EMIT selectionChanged();
    if (hadRows || !rows.isEmpty())
        Q_EMIT contentChanged();
}

bool TaskListView::removeRow(const QString &taskId)
{
    const int index = indexOf(taskId);
    if (index < 0)
        return false;
    m_model->removeRow(index);
    return true;
}

void TaskListView::updateTimes(const QString &taskId, const QString &lastRunTime, const QString &nextRunTime)
{
    const int index = indexOf(taskId);
    if (index < 0)
        return;
    m_model->item(index, 1)->setText(lastRunTime);
    m_model->item(index, 2)->setText(nextRunTime);
}

void TaskListView::setCell(int row, int column, const QString &text, const QIcon &icon)
{
    QStandardItem *item = m_model->item(row, column);
    item->setText(text);
    item->setIcon(icon);
}

QString TaskListView::cellText(int row, int column) const
{
    return m_model->item(row, column)->text();
}

int TaskListView::rowCount() const
{
    return m_model->rowCount();
}

TaskRow TaskListView::row(int index) const
{
    TaskRow result;
    result.taskId = m_model->item(index, 0)->data(kKeyRole).toString();
    result.taskName = m_model->item(index, 0)->text();
    result.lastRunTime = m_model->item(index, 1)->text();
    result.nextRunTime = m_model->item(index, 2)->text();
    result.serverIp = m_model->item(index, 3)->text();
    return result;
}

int TaskListView::indexOf(const QString &taskId) const
{
    for (int i = 0; i < m_model->rowCount(); ++i)
        if (m_model->item(i, 0)->data(kKeyRole).toString() == taskId)
            return i;
    return -1;
}

QString TaskListView::selectedTaskId() const
{
    const QModelIndexList rows = m_selection->selectedRows();
    return rows.isEmpty() ? QStringLiteral("0") : rows.first().data(kKeyRole).toString();
}

bool TaskListView::hasSelection() const
{
    return m_selection->hasSelection();
}

void TaskListView::selectRow(int index)
{
    m_selection->setCurrentIndex(m_model->index(index, 0),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TaskListView::clearSelection()
{
    m_selection->clearSelection();
}

void TaskListView::sortBy(int column, bool ascending)
{
    m_model->sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TaskListView::setHeading(int column, const QString &caption)
{
    m_model->setHeaderData(column, Qt::Horizontal, caption);
}

QString TaskListView::heading(int column) const
{
    return m_model->headerData(column, Qt::Horizontal).toString();
}

void TaskListView::setHeadingIcon(int column, const QIcon &icon)
{
    m_model->setHeaderData(column, Qt::Horizontal, icon, Qt::DecorationRole);
}

QIcon TaskListView::headingIcon(int column) const
{
    return m_model->headerData(column, Qt::Horizontal, Qt::DecorationRole).value<QIcon>();
}

void TaskListView::setStyle(Style style)
{
    m_style = style;
    if (style == Style::Detailed) {
        m_stack->setCurrentWidget(m_report);
        return;
    }
    m_icons->setViewMode(style == Style::LargeIcon ? QListView::IconMode : QListView::ListMode);
    m_icons->setIconSize(style == Style::LargeIcon ? QSize(32, 32) : QSize(16, 16));
    m_icons->setFlow(style == Style::List ? QListView::TopToBottom : QListView::LeftToRight);
    m_icons->setWrapping(true);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setMovement(QListView::Static);
    m_icons->setGridSize(style == Style::LargeIcon ? QSize(110, 64) : QSize());
    m_icons->setSpacing(style == Style::LargeIcon ? 0 : 4);
    m_stack->setCurrentWidget(m_icons);
}

bool TaskListView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease)
        Q_EMIT clicked();
    return QWidget::eventFilter(watched, event);
}

QAbstractItemView *TaskListView::currentView() const
{
    return qobject_cast<QAbstractItemView *>(m_stack->currentWidget());
}

} // namespace shell
