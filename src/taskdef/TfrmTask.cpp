#include "taskdef/TfrmTask.h"

#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/DiscardQuestion.h"
#include "platform/Language.h"
#include "platform/SpinEdit.h"
#include "platform/WindowState.h"
#include "scheduling/ScheduleError.h"
#include "scheduling/TfrmTaskSchedule.h"
#include "taskdef/EapModeRules.h"
#include "taskdef/EapSettingsPanel.h"
#include "taskdef/EditorDialogs.h"
#include "taskdef/EscapedForm.h"
#include "taskdef/ExpectationPage.h"
#include "taskdef/ImportText.h"
#include "taskdef/PacketScriptFile.h"
#include "taskdef/SaveError.h"
#include "taskdef/ServerTable.h"
#include "taskdef/TaskEditorRules.h"
#include "taskdef/TaskLoader.h"
#include "taskdef/TaskSaver.h"
#include "taskdef/TfrmPackage.h"
#include "taskdef/TransportPage.h"
#include "taskstore/DatabaseError.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>

#include <algorithm>

using scheduling::ScheduleListRow;

namespace taskdef {

namespace {
// The packet tree's root, for a new task (and after Clear) and for a loaded one.
QString newRoot()
{
    return platform::Language::text("frmTask", "trePackage.NewRoot", "Packets List");
}
QString loadedRoot()
{
    return platform::Language::text("frmTask", "trePackage.LoadedRoot", "Packages List");
}
QString editorText(const char *key, const char *builtIn)
{
    return platform::Language::text("frmTask", key, builtIn);
}
// Columns of the attribute list and of the schedule list.
enum { kAttrName, kAttrValue, kAttrId, kAttrPackage };
enum { kSchDisplay, kSchType, kSchValue, kSchStart, kSchId };
// Identifies a schedule row for a schedule editor opened to modify it.
constexpr int kScheduleTagRole = Qt::UserRole + 1;

platform::DialogService &dialogs()
{
    return platform::DialogService::instance();
}

// Selects the item of that text, so that choosing it again later is a change; a text
// the list lacks is typed in.
void setComboText(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text);
    if (index >= 0)
        combo->setCurrentIndex(index);
    else
        combo->setEditText(text);
}

platform::FileRequest packetFileRequest()
{
    // "*.*" stands for every file (the dialog service makes it match names without a dot too).
    return {QString(), QString(), editorText("FileFilter", "Text Files (*.txt);;Doc Files (*.doc);;All Files (*.*)"),
            QStringLiteral("txt"), QString()};
}

} // namespace

TfrmTask::TfrmTask(taskstore::Connection &connection, const radius::DictionaryCatalog *dictionary, QWidget *parent)
    : QDialog(parent), m_connection(connection), m_dictionary(dictionary),
      m_servers(std::make_unique<ServerTable>(connection))
{
    buildControls();
    try {
        const QSignalBlocker block(m_serverIp);
        m_serverIp->addItems(m_servers->addresses());
        m_serverIp->setCurrentIndex(-1);
        m_serverIp->clearEditText();
    } catch (const taskstore::DatabaseError &error) {
        dialogs().showError(error.text());
    }
    resetPacketTree(newRoot());
    connectControls();
    runTypeClick();
    updatePacketButtons();
}

TfrmTask::~TfrmTask() = default;

void TfrmTask::startNew(const QString &taskId, const QString &groupId)
{
    m_modify = false;
    m_taskName->setText(editorText("DefaultTaskName", "Untitled"));
    m_taskId->setText(taskId);
    m_groupId->setText(groupId);
}

bool TfrmTask::loadTask(const QString &taskId)
{
    m_modify = true;
    std::optional<LoadedTask> loaded;
    try {
        loaded = loadTaskForEditing(m_connection, taskId);
    } catch (const taskstore::DatabaseError &error) {
        dialogs().showError(error.text());
        return false;
    }
    if (!loaded) {
        dialogs().showError(editorText("Message.TaskNotFound", "The task cannot be found."));
        return false;
    }

    const taskstore::TaskRecord &task = loaded->task;
    m_groupId->setText(task.GroupID);
    m_taskId->setText(task.TaskID);
    m_taskName->setText(task.TaskName);
    m_serverIp->setEditText(task.ServerIP);
    m_secret->setText(task.SecretKey);
    setComboText(m_port, QString::number(task.Port));
    m_requestType->setCurrentIndex(task.RequestType);
    m_code->setValue(task.RequestTypeCode);
    setComboText(m_mode, task.AuthMode);
    setOptionFieldsEnabled(!isEapMode(task.AuthMode));
    showRequestType(task.RequestType);
    updateEapPanel();
    m_startId->setValue(task.StartID);
    m_timeout->setValue(task.ReplyTimeout);
    m_retry->setValue(task.RetryTimes);
    m_repeat->setValue(task.RepeatTimes);
    m_parallel->setValue(task.NumInParall);
    m_perSecond->setValue(task.NumPerSec);
    m_transportPage->setTransport(task.Transport);
    m_eapPanel->setSettings(task.Eap);

    m_packets = loaded->packets;
    resetPacketTree(loadedRoot());
    for (const QString &packet : std::as_const(m_packets.table.packets))
        addPacketNode(packet);
    m_packetTree->setCurrentItem(m_packetTree->topLevelItem(0));
    refreshAttributeList();
    m_expectationPage->load(loaded->expectations);

    // Saving keeps only the packets shown: the user is told before changing anything.
    if (!loaded->scriptError.isEmpty())
        dialogs().inform(editorText("Message.ScriptPartlyRead",
                                    "The packet script file of this task could not be read completely (%1). "
                                    "Only the packets before that point are shown; saving keeps only these.")
                             .arg(loaded->scriptError));

    m_schedules->clear();
    (task.RunType != taskstore::kRunManually ? m_scheduled : m_manually)->setChecked(true);
    for (const ScheduleListRow &row : std::as_const(loaded->schedules))
        appendScheduleRow(row);
    runTypeClick();
    updatePacketButtons();
    return true;
}

void TfrmTask::showEvent(QShowEvent *event)
{
    applyLanguage();
    // Every showing counts, a restore from the task bar too: the counter may only go up,
    // so that a name once given is not given again.
    int nodes = 0;
    for (QTreeWidgetItemIterator it(m_packetTree); *it; ++it)
        ++nodes;
    m_packets.counter = std::max(m_packets.counter, nodes);
    if (!m_shown) {
        m_shown = true;
        m_shownState = editState();
        growToContents(this);
        platform::WindowState(QStringLiteral("TaskEditor")).restore(*this);
    }
    QDialog::showEvent(event);
}

QStringList TfrmTask::editState() const
{
    QStringList state{m_taskName->text(),
                      m_serverIp->currentText(),
                      m_secret->text(),
                      m_port->currentText(),
                      QString::number(m_requestType->currentIndex()),
                      m_code->typedText(),
                      m_mode->currentText(),
                      QString::number(m_scheduled->isChecked())};
    for (const platform::SpinEdit *field : {m_startId, m_timeout, m_retry, m_repeat, m_parallel, m_perSecond})
        state << field->typedText();
    const taskstore::TaskTransport transport = m_transportPage->transport();
    state << transport.Protocol << transport.CaFile << transport.CertFile << transport.KeyFile
          << QString::number(transport.MessageAuthenticatorFirst)
          << QString::number(transport.RequireMessageAuthenticator);
    const taskstore::TaskEapSettings eap = settingsForMode(appliedMode(), m_eapPanel->entered());
    state << eap.AnonymousIdentity << eap.InnerMethod << QString::number(eap.VerifyServer) << eap.CaFile << eap.CertFile
          << eap.KeyFile;
    state << m_packets.table.packets;
    for (const AttributeRow &row : m_packets.table.rows)
        state << row.attribute << row.value << row.id << row.packageId;
    for (const ScheduleListRow &row : scheduleRows())
        state << row.display << QString::number(row.type) << row.value << row.startTime << row.id;
    state << m_expectationPage->expectations().editState();
    return state;
}

// However the dialog ends, its size and place are kept for the next one.
void TfrmTask::done(int result)
{
    platform::WindowState(QStringLiteral("TaskEditor")).save(*this);
    QDialog::done(result);
}

void TfrmTask::reject()
{
    if (m_shown && editState() != m_shownState && !platform::confirmDiscard())
        return;
    QDialog::reject();
}

// ---- Setting page ----

void TfrmTask::cboRequestTypeChange(int position)
{
    if (position < 0)
        return;
    const RequestTypeEffect effect = requestTypeEffect(position);
    m_code->setValue(effect.code);
    m_code->setEnabled(effect.codeEnabled);
    m_mode->setVisible(effect.modeShown);
    m_modeLabel->setVisible(effect.modeShown);
    if (effect.modeToPap) {
        // Setting "PAP" here is not a choice of mode: the option fields keep their state.
        const QSignalBlocker block(m_mode);
        m_mode->setCurrentIndex(m_mode->findText(QStringLiteral("PAP")));
    }
    setComboText(m_port, effect.port);
    updateEapPanel();
}

QString TfrmTask::appliedMode() const
{
    const int type = m_requestType->currentIndex();
    return type == taskstore::kAuth || type == taskstore::kUserDefined ? m_mode->currentText() : QString();
}

void TfrmTask::updateEapPanel()
{
    m_eapPanel->showFieldsOf(appliedMode());
}

void TfrmTask::showRequestType(int position)
{
    const bool modeShown = position == taskstore::kAuth || position == taskstore::kUserDefined;
    m_code->setEnabled(position == taskstore::kUserDefined);
    m_mode->setVisible(modeShown);
    m_modeLabel->setVisible(modeShown);
}

void TfrmTask::cboModeChange(int position)
{
    if (position < 0)
        return;
    const bool eap = isEapMode(m_mode->itemText(position));
    if (eap) {
        m_parallel->setValue(1);
        m_perSecond->setValue(0);
    }
    setOptionFieldsEnabled(!eap);
}

void TfrmTask::setOptionFieldsEnabled(bool enabled)
{
    for (QWidget *w : {static_cast<QWidget *>(m_parallel), static_cast<QWidget *>(m_perSecond),
                       static_cast<QWidget *>(m_parallelLabel), static_cast<QWidget *>(m_perSecondLabel)})
        w->setEnabled(enabled);
}

void TfrmTask::cboServerIPChange(int position)
{
    if (position < 0)
        return;
    try {
        if (const std::optional<QString> secret = m_servers->secretOfAddress(m_serverIp->itemText(position).trimmed()))
            m_secret->setText(*secret);
    } catch (const taskstore::DatabaseError &error) {
        dialogs().showError(error.text());
    }
}

// ---- Packet page ----

void TfrmTask::resetPacketTree(const QString &rootText)
{
    m_packetTree->clear();
    auto *root = new QTreeWidgetItem(m_packetTree, {rootText});
    root->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    m_packetTree->setCurrentItem(root);
}

QTreeWidgetItem *TfrmTask::addPacketNode(const QString &name)
{
    QTreeWidgetItem *root = m_packetTree->topLevelItem(0);
    auto *node = new QTreeWidgetItem(root, {name});
    node->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
    root->setExpanded(true);
    return node;
}

bool TfrmTask::rootSelected() const
{
    const QTreeWidgetItem *current = m_packetTree->currentItem();
    return current && !current->parent();
}

QTreeWidgetItem *TfrmTask::selectedPacketNode() const
{
    QTreeWidgetItem *current = m_packetTree->currentItem();
    return current && current->parent() ? current : nullptr;
}

void TfrmTask::refreshAttributeList()
{
    m_attributes->clear();
    const QTreeWidgetItem *current = m_packetTree->currentItem();
    if (!current)
        return;
    for (const AttributeRow &row : m_packets.shownRows(current->text(0), rootSelected()))
        new QTreeWidgetItem(m_attributes, {row.attribute, row.value, row.id, row.packageId});
    fitColumns(m_attributes);
    updatePacketButtons();
}

void TfrmTask::updatePacketButtons()
{
    const QTreeWidgetItem *root = m_packetTree->topLevelItem(0);
    m_clear->setEnabled(root && root->childCount() > 0);
    const bool packet = selectedPacketNode() != nullptr;
    m_remove->setEnabled(packet);
    m_modifyPacket->setEnabled(packet);
    m_delete->setEnabled(!m_attributes->selectedItems().isEmpty());
    // Every change of the packets passes here: the expectations follow it.
    m_expectationPage->setPackets(m_packets.table.packets);
}

void TfrmTask::spbtnAddClick()
{
    const QString name = m_packets.takeNextName();
    TfrmPackage editor(m_dictionary, this);
    editor.setPacket(name, PacketEditMode::Add);
    if (editor.exec() != QDialog::Accepted)
        return;
    m_packets.setPacketRows(editor.packetName(), editor.rows());
    QTreeWidgetItem *node = addPacketNode(editor.packetName());
    m_packetTree->setCurrentItem(node);
    refreshAttributeList();
}

void TfrmTask::spbtnModifyClick()
{
    QTreeWidgetItem *node = selectedPacketNode();
    if (!node)
        return;
    QList<AttributeRow> rows;
    for (int i = 0; i < m_attributes->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_attributes->topLevelItem(i);
        rows.append({item->text(kAttrName).trimmed(), EscapedForm::trimBlanks(item->text(kAttrValue)),
                     item->text(kAttrId).trimmed(), node->text(0)});
    }
    TfrmPackage editor(m_dictionary, this);
    editor.setPacket(node->text(0), PacketEditMode::Modify, rows);
    if (editor.exec() != QDialog::Accepted)
        return;
    m_packets.setPacketRows(editor.packetName(), editor.rows());
    refreshAttributeList();
}

void TfrmTask::spbtnRemoveClick()
{
    QTreeWidgetItem *node = selectedPacketNode();
    if (!node || !dialogs().askYesNo(editorText("Confirm.DeletePacket", "Do you really want to delete the packet?")))
        return;
    m_packets.removePacket(node->text(0));
    delete node;
    m_attributes->clear();
    refreshAttributeList();
    updatePacketButtons();
}

void TfrmTask::spbtnClearClick()
{
    if (!dialogs().askYesNo(editorText("Confirm.ClearPackets", "Do you really want to clear these packets?")))
        return;
    m_packets.clear();
    resetPacketTree(newRoot());
    m_attributes->clear();
    updatePacketButtons();
}

void TfrmTask::spbtnDeleteClick()
{
    QTreeWidgetItem *item = m_attributes->currentItem();
    if (!item || !item->isSelected())
        return;
    if (!dialogs().askYesNo(editorText("Confirm.DeleteAttribute", "Do you really want to delete the Attribute?")))
        return;
    m_packets.deleteRow(item->text(kAttrId));
    delete item;
    if (m_attributes->topLevelItemCount() == 0) {
        if (QTreeWidgetItem *node = selectedPacketNode()) {
            m_packets.removePacket(node->text(0));
            delete node;
        }
    }
    updatePacketButtons();
}

void TfrmTask::btnImportClick()
{
    const QString path = dialogs().openFileName(packetFileRequest());
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs().showError(file.errorString());
        return;
    }
    const ImportText::Imported imported = ImportText::importText(file.readAll(), m_packets.table, m_packets.counter);
    m_packets.append(imported.packets, imported.rows);
    for (const QString &packet : imported.packets)
        addPacketNode(packet);
    m_packetTree->topLevelItem(0)->setExpanded(true);
    updatePacketButtons();
}

void TfrmTask::btnExportClick()
{
    const QString path = dialogs().saveFileName(packetFileRequest());
    if (path.isEmpty())
        return;
    QString error;
    if (!ImportText::exportToFile(path, m_packets.table, &error))
        dialogs().showError(error);
}

// ---- Schedule page ----

void TfrmTask::runTypeClick()
{
    const bool scheduled = m_scheduled->isChecked();
    m_schedules->setEnabled(scheduled);
    m_schAdd->setEnabled(scheduled);
    updateScheduleButtons();
}

void TfrmTask::updateScheduleButtons()
{
    const bool selected = m_scheduled->isChecked() && !m_schedules->selectedItems().isEmpty();
    m_schModify->setEnabled(selected);
    m_schDelete->setEnabled(selected);
}

void TfrmTask::appendScheduleRow(const ScheduleListRow &row)
{
    auto *item = new QTreeWidgetItem({row.display, QString::number(row.type), row.value, row.startTime, row.id});
    item->setData(kSchDisplay, kScheduleTagRole, m_nextScheduleTag++);
    m_schedules->addTopLevelItem(item);
    fitColumns(m_schedules);
}

QList<ScheduleListRow> TfrmTask::scheduleRows() const
{
    QList<ScheduleListRow> rows;
    for (int i = 0; i < m_schedules->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_schedules->topLevelItem(i);
        rows.append({item->text(kSchDisplay), item->text(kSchType).toInt(), item->text(kSchValue),
                     item->text(kSchStart), item->text(kSchId)});
    }
    return rows;
}

void TfrmTask::spbtnSchAddClick()
{
    scheduling::TfrmTaskSchedule editor(this);
    if (editor.exec() == QDialog::Accepted)
        appendScheduleRow(editor.acceptedRow());
}

void TfrmTask::spbtnSchModifyClick()
{
    QTreeWidgetItem *item = m_schedules->currentItem();
    if (!item || !item->isSelected())
        return;
    const int tag = item->data(kSchDisplay, kScheduleTagRole).toInt();
    auto *editor = new scheduling::TfrmTaskSchedule(this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->setRule({item->text(kSchDisplay), item->text(kSchType).toInt(), item->text(kSchValue),
                     item->text(kSchStart), item->text(kSchId)});
    // The row the editor was opened for is the one replaced, whatever is selected by then.
    connect(editor, &scheduling::TfrmTaskSchedule::ruleAccepted, this, [this, tag](const ScheduleListRow &row) {
        for (int i = 0; i < m_schedules->topLevelItemCount(); ++i) {
            if (m_schedules->topLevelItem(i)->data(kSchDisplay, kScheduleTagRole).toInt() == tag) {
                delete m_schedules->takeTopLevelItem(i);
                break;
            }
        }
        appendScheduleRow(row);
        updateScheduleButtons();
    });
    editor->show();
}

void TfrmTask::spbtnSchDelClick()
{
    if (m_schedules->selectedItems().isEmpty()
        || !dialogs().askYesNo(editorText("Confirm.DeleteSchedule", "Delete this Schedule from the list?")))
        return;
    qDeleteAll(m_schedules->selectedItems());
    updateScheduleButtons();
}

// ---- Save ----

bool TfrmTask::refuse(const QString &message, QWidget *page)
{
    dialogs().inform(message);
    if (page)
        m_pages->setCurrentWidget(page);
    return false;
}

// A row that would not read back would end the reading of the file, losing the packets
// after it. Each is named by packet and attribute with the reason, not with its value,
// which may be long enough to widen the message beyond the screen.
bool TfrmTask::refuseUnwritableRows()
{
    const QList<PacketScriptFile::RowProblem> problems = PacketScriptFile::rowProblems(m_packets.table);
    if (problems.isEmpty())
        return false;
    QStringList lines{platform::Language::text("frmTask", "UnwritableRows",
                                               "These attributes cannot be written to the packet script file:")};
    const QString tooLong = platform::Language::text("frmTask", "UnwritableRows.ValueTooLong",
                                                     "the value takes %1 characters of a line, at most %2");
    for (const PacketScriptFile::RowProblem &problem : problems)
        lines << problem.text(tooLong);
    return !refuse(lines.join(QLatin1Char('\n')), m_packagePage);
}

taskstore::TaskRecord TfrmTask::collectTask(int port) const
{
    taskstore::TaskRecord task;
    task.GroupID = m_groupId->text();
    task.TaskID = m_taskId->text();
    task.TaskName = m_taskName->text();
    task.ServerIP = m_serverIp->currentText();
    task.SecretKey = m_secret->text();
    task.Port = port;
    task.RequestType = m_requestType->currentIndex();
    task.RequestTypeCode = m_code->readValue();
    task.AuthMode = m_mode->currentText();
    task.StartID = m_startId->readValue();
    task.ReplyTimeout = m_timeout->readValue();
    task.RetryTimes = m_retry->readValue();
    task.RepeatTimes = m_repeat->readValue();
    task.NumInParall = m_parallel->readValue();
    task.NumPerSec = m_perSecond->readValue();
    task.RunType = m_scheduled->isChecked() ? taskstore::kRunBySchedule : taskstore::kRunManually;
    task.Transport = m_transportPage->transport();
    task.Eap = settingsForMode(appliedMode(), m_eapPanel->entered());
    return task;
}

void TfrmTask::spbtnOKClick()
{
    TaskEditorFacts facts;
    facts.taskName = m_taskName->text();
    facts.serverIp = m_serverIp->currentText();
    facts.secretKey = m_secret->text();
    facts.requestType = m_requestType->currentIndex();
    facts.requestCodeText = m_code->typedText();
    facts.packetNodes = m_packetTree->topLevelItem(0)->childCount();
    facts.scheduled = m_scheduled->isChecked();
    facts.scheduleRows = m_schedules->topLevelItemCount();
    if (const std::optional<Refusal> refusal = validateTask(facts)) {
        QWidget *page = nullptr;
        switch (refusal->page) {
        case EditorPage::Setting: page = m_settingPage; break;
        case EditorPage::Package: page = m_packagePage; break;
        case EditorPage::Schedule: page = m_schedulePage; break;
        case EditorPage::Unchanged: break;
        }
        refuse(refusal->message, page);
        return;
    }
    const std::optional<int> port = portNumber(m_port->currentText());
    if (!port) {
        dialogs().showError(
            editorText("Check.PortNotNumber", "'%1' is not a valid integer value").arg(m_port->currentText()));
        return;
    }
    if (refuseUnwritableRows())
        return;
    if (const std::optional<QString> why = m_transportPage->refusal()) {
        refuse(*why, m_transportPage);
        return;
    }
    const QString mode = appliedMode();
    if (const std::optional<QString> why =
            eapSettingsProblem(mode, settingsForMode(mode, m_eapPanel->entered()), m_packets.table)) {
        refuse(*why, m_settingPage);
        return;
    }
    if (const std::optional<ExpectationPage::Problem> problem = m_expectationPage->firstProblem()) {
        refuse(problem->message, m_expectationPage);
        m_expectationPage->choosePacket(problem->packet);
        return;
    }

    TaskDraft draft;
    draft.task = collectTask(*port);
    draft.replacesExisting = m_modify;
    draft.schedules = scheduleRows();
    if (!m_packets.table.rows.isEmpty())
        draft.script = PacketScriptFile::content(m_packets.table);
    draft.expectations = m_expectationPage->expectations().numbered(m_packets.table);
    try {
        m_savedRow = TaskSaver(m_connection).save(draft, platform::Clock::now());
    } catch (const SaveError &error) {
        dialogs().showError(error.text());
        return;
    } catch (const taskstore::DatabaseError &error) {
        dialogs().showError(error.text());
        return;
    } catch (const scheduling::ScheduleError &error) {
        dialogs().showError(QString::fromUtf8(error.what()));
        return;
    }
    Q_EMIT taskSaved(*m_savedRow);
    accept();
}

} // namespace taskdef
