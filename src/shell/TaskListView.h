#pragma once

#include "shell/TaskRows.h"

#include <QWidget>

class QAbstractItemView;
class QItemSelectionModel;
class QListView;
class QStackedWidget;
class QStandardItemModel;
class QTreeView;

namespace shell {

class TaskListModel;

// The task list `lvwTask`: one model shown either as a report with columns or as icons
// or a plain list. One selected row at most; each row carries its task's identifier.
class TaskListView : public QWidget {
    Q_OBJECT
public:
    enum class Style { LargeIcon, SmallIcon, List, Detailed };
    static constexpr int kColumns = 6;
    static constexpr int kHiddenColumn = 4; // never filled, never sorted by
    static constexpr int kLastResultColumn = 5;

    explicit TaskListView(QWidget *parent = nullptr);

    void clear();
    void appendRow(const TaskRow &row);
    // Replaces every row by `rows`, in order: one change for the whole list, not one a row.
    void setRows(const QList<TaskRow> &rows);
    // Removes the row of the task; false when the list has none.
    bool removeRow(const QString &taskId);
    // Sets the two time texts of the task's first row.
    void updateTimes(const QString &taskId, const QString &lastRunTime, const QString &nextRunTime);
    // One cell's text and picture.
    void setCell(int row, int column, const QString &text, const QIcon &icon);
    QString cellText(int row, int column) const;

    int rowCount() const;
    TaskRow row(int index) const;
    int indexOf(const QString &taskId) const;
    // The key of the selected row, or "0" when none is selected.
    QString selectedTaskId() const;
    bool hasSelection() const;
    void selectRow(int index);
    void clearSelection();

    void sortBy(int column, bool ascending);
    void setHeading(int column, const QString &caption);
    QString heading(int column) const;
    void setHeadingIcon(int column, const QIcon &icon);
    QIcon headingIcon(int column) const;

    void setStyle(Style style);
    Style style() const { return m_style; }

    QTreeView *reportView() const { return m_report; }
    QListView *iconView() const { return m_icons; }
    QAbstractItemView *currentView() const;

Q_SIGNALS:
    void rowSelected(); // a row became selected
    void selectionChanged();
    void clicked(); // a mouse click on the list
    void contentChanged();
    void rowAboutToBeRemoved();
    void headerClicked(int column);
    void contextMenuRequested(const QPoint &globalPosition);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TaskListModel *m_model;
    QItemSelectionModel *m_selection;
    QStackedWidget *m_stack;
    QTreeView *m_report;
    QListView *m_icons;
    Style m_style = Style::Detailed;
    bool m_filling = false; // setRows reports its change once, at the end
};

} // namespace shell
