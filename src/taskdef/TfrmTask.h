#pragma once

#include "scheduling/ScheduleListRow.h"
#include "taskdef/TaskListRow.h"
#include "taskdef/TaskPackets.h"
#include "taskstore/TaskRecord.h"

#include <QDialog>

#include <memory>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace radius {
class DictionaryCatalog;
}
namespace platform {
class SpinEdit;
}
namespace taskstore {
class Connection;
}

namespace taskdef {

class EapSettingsPanel;
class ExpectationPage;
class ServerTable;
class TransportPage;

// The task editor: creates or changes one task (settings, packets, schedules) and, on OK,
// replaces it in the database and its packet script file as one step.
//
// The main window opens it so:
//   TfrmTask editor(connection, dictionary, this);
//   editor.startNew(newTaskId, groupKey);   // or: if (!editor.loadTask(id)) return;
//   if (editor.exec() == QDialog::Accepted) use(*editor.savedRow());
class TfrmTask : public QDialog {
    Q_OBJECT
public:
    // dictionary: what the packet editor offers for picking; may be null.
    TfrmTask(taskstore::Connection &connection, const radius::DictionaryCatalog *dictionary, QWidget *parent = nullptr);
    ~TfrmTask() override;

    // Add mode for a new task.
    void startNew(const QString &taskId, const QString &groupId);
    // Modify mode: fills the form from the stored task. False (after showing why) when it
    // cannot be read.
    bool loadTask(const QString &taskId);
    bool isModifyMode() const { return m_modify; }

    // The task as the task list shows it, once a save has succeeded.
    const std::optional<TaskListRow> &savedRow() const { return m_savedRow; }

    // Esc, Cancel and the close box: after a change, only when the user agrees.
    void reject() override;
    void done(int result) override;

Q_SIGNALS:
    // The task was saved; emitted before the editor closes with OK.
    void taskSaved(const taskdef::TaskListRow &row);

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Building (TfrmTaskLayout.cpp).
    void buildControls();
    QWidget *buildSettingPage();
    QWidget *buildPackagePage();
    QWidget *buildSchedulePage();
    void connectControls();
    void applyLanguage();

    // Setting page rules.
    void cboRequestTypeChange(int position);
    void cboModeChange(int position);
    void cboServerIPChange(int position);
    void setOptionFieldsEnabled(bool enabled);
    void showRequestType(int position);
    // The mode where the request type uses one (the mode field shown); empty elsewhere.
    QString appliedMode() const;
    void updateEapPanel();

    // Packet page.
    void resetPacketTree(const QString &rootText);
    QTreeWidgetItem *addPacketNode(const QString &name);
    QTreeWidgetItem *selectedPacketNode() const;
    bool rootSelected() const;
    void refreshAttributeList();
    void updatePacketButtons();
    void spbtnAddClick();
    void spbtnModifyClick();
    void spbtnRemoveClick();
    void spbtnClearClick();
    void spbtnDeleteClick();
    void btnImportClick();
    void btnExportClick();

    // Schedule page.
    void runTypeClick();
    void updateScheduleButtons();
    void appendScheduleRow(const scheduling::ScheduleListRow &row);
    QList<scheduling::ScheduleListRow> scheduleRows() const;
    void spbtnSchAddClick();
    void spbtnSchModifyClick();
    void spbtnSchDelClick();

    // Save.
    void spbtnOKClick();
    bool refuse(const QString &message, QWidget *page);
    bool refuseUnwritableRows();
    taskstore::TaskRecord collectTask(int port) const;
    // Everything a save would store, to tell whether the user changed anything.
    QStringList editState() const;

    taskstore::Connection &m_connection;
    const radius::DictionaryCatalog *m_dictionary;
    std::unique_ptr<ServerTable> m_servers;
    bool m_modify = false;
    int m_nextScheduleTag = 1;
    TaskPackets m_packets;
    std::optional<TaskListRow> m_savedRow;
    QStringList m_shownState; // editState() when first shown
    bool m_shown = false;

    QLineEdit *m_taskName = nullptr;
    QLineEdit *m_taskId = nullptr;
    QLabel *m_groupId = nullptr;
    QTabWidget *m_pages = nullptr;
    QWidget *m_settingPage = nullptr;
    QWidget *m_packagePage = nullptr;
    QWidget *m_schedulePage = nullptr;
    ExpectationPage *m_expectationPage = nullptr;

    TransportPage *m_transportPage = nullptr;
    EapSettingsPanel *m_eapPanel = nullptr;

    QComboBox *m_serverIp = nullptr;
    QLineEdit *m_secret = nullptr;
    QComboBox *m_requestType = nullptr;
    QComboBox *m_port = nullptr;
    platform::SpinEdit *m_code = nullptr;
    QLabel *m_modeLabel = nullptr;
    QComboBox *m_mode = nullptr;
    platform::SpinEdit *m_startId = nullptr;
    platform::SpinEdit *m_timeout = nullptr;
    platform::SpinEdit *m_retry = nullptr;
    platform::SpinEdit *m_repeat = nullptr;
    platform::SpinEdit *m_parallel = nullptr;
    platform::SpinEdit *m_perSecond = nullptr;
    QLabel *m_parallelLabel = nullptr;
    QLabel *m_perSecondLabel = nullptr;

    QTreeWidget *m_packetTree = nullptr;
    QTreeWidget *m_attributes = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_modifyPacket = nullptr;
    QPushButton *m_remove = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_import = nullptr;
    QPushButton *m_export = nullptr;

    QRadioButton *m_manually = nullptr;
    QRadioButton *m_scheduled = nullptr;
    QTreeWidget *m_schedules = nullptr;
    QPushButton *m_schAdd = nullptr;
    QPushButton *m_schModify = nullptr;
    QPushButton *m_schDelete = nullptr;

    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace taskdef
