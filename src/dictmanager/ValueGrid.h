#pragma once

#include <QList>
#include <QPair>
#include <QTableWidget>

namespace dictmanager {

// A two-column "Name"/"Value" grid of an attribute's named values. Editable: the down
// arrow on the last row appends an empty row and goes to its name, Tab goes on from name to
// value to the next row's name, Ctrl+Delete removes the current row, and only digits can
// be typed into "Value". Read-only: no editing at all.
class ValueGrid : public QTableWidget {
    Q_OBJECT
public:
    using Row = QPair<QString, QString>;

    ValueGrid(bool editable, QWidget *parent = nullptr);

    QList<Row> rows() const;
    void setRows(const QList<Row> &rows);
    // Sizes the name column to the names shown, within limits; done by every setRows.
    void fitNameColumn();
    // Takes in what an open cell editor holds.
    void finishEditing();

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_editable;
};

} // namespace dictmanager
