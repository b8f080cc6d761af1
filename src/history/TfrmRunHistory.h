#pragma once

#include <QDialog>

class QPushButton;
class QSplitter;
class QTableView;

namespace taskstore {
class Connection;
}

namespace history {

class RunHistoryChart;
class RunHistoryModel;

// The runs of one task: a table, a chart over time, and export to CSV.
class TfrmRunHistory : public QDialog {
    Q_OBJECT
public:
    TfrmRunHistory(taskstore::Connection &connection, const QString &taskId, const QString &taskName,
                   QWidget *parent = nullptr);
    ~TfrmRunHistory() override;

    // Reads the task's runs; false (after showing why) when the database cannot give them.
    bool load();

    // The Run History command: opens the window for the task, beside the main window.
    static void showFor(taskstore::Connection &connection, const QString &taskId, const QString &taskName,
                        QWidget *parent);

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void applyLanguage();
    void btnExportClick();

    taskstore::Connection &m_connection;
    QString m_taskId;
    QString m_taskName;
    RunHistoryModel *m_model = nullptr;
    QTableView *m_table = nullptr;
    RunHistoryChart *m_chart = nullptr;
    QSplitter *m_splitter = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_close = nullptr;
    bool m_shown = false;
};

} // namespace history
