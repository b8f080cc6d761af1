#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace taskstore {
class Connection;
}

namespace reports {

struct TaskReportTexts;

// "View Task": one task read-only, its description above the pages "Text Packet[s]" and
// "Raw Packet[s]". Built completely in the constructor; nothing refreshes while it is open.
class TfrmViewTask : public QDialog {
    Q_OBJECT
public:
    // Throws taskstore::DatabaseError when the task cannot be read.
    TfrmViewTask(taskstore::Connection &main, const QString &taskId, QWidget *parent = nullptr);

    // The View Task command: builds the window for taskId ("0" when none is selected) and
    // shows it modally; a database failure is shown as an error message instead.
    static void viewTask(taskstore::Connection &main, const QString &taskId, QWidget *parent);

private:
    void createControls();
    void fill(const TaskReportTexts &texts);

    QPlainTextEdit *m_description = nullptr;
    QTabWidget *m_pages = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QPlainTextEdit *m_raw = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace reports
