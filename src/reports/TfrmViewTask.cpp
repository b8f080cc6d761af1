#include "reports/TfrmViewTask.h"

#include "reports/BackgroundStep.h"
#include "reports/TaskReport.h"

#include "platform/DialogService.h"
#include "platform/Language.h"
#include "taskstore/DatabaseError.h"
#include "textcolumns/ColumnFont.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace reports {

namespace {

// The columns of the texts line up only in a fixed-width font whose Chinese characters are
// two columns wide.
QPlainTextEdit *newPane(const char *name, QWidget *parent)
{
    auto *pane = new QPlainTextEdit(parent);
    pane->setObjectName(QLatin1String(name));
    pane->setReadOnly(true);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane->setFont(textcolumns::columnFont());
    return pane;
}

const platform::TextEntry kTexts[] = {
    {"Dialog_Common", "btnOK.Caption", "OK"},
    {"frmViewTask", "Title", "View Task"},
    {"frmViewTask", "RichEditTaskViewText.Caption", "Text Packet[s]"},
    {"frmViewTask", "RichEditTaskViewRaw.Caption", "Raw Packet[s]"},
};

} // namespace

TfrmViewTask::TfrmViewTask(taskstore::Connection &main, const QString &taskId, QWidget *parent) : QDialog(parent)
{
    createControls();
    fill(TaskReport::build(main, taskId, &BackgroundStep::run));
    platform::Language::apply(this, kTexts);
}

void TfrmViewTask::createControls()
{
    setObjectName(QStringLiteral("frmViewTask"));
    setWindowTitle(QStringLiteral("View Task"));
    resize(820, 640);

    m_description = newPane("RichEditTaskDescript", this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControlView"));
    m_text = newPane("RichEditTaskViewText", m_pages);
    m_raw = newPane("RichEditTaskViewRaw", m_pages);
    m_pages->addTab(m_text, QStringLiteral("Text Packet[s]"));
    m_pages->addTab(m_raw, QStringLiteral("Raw Packet[s]"));
    m_pages->setCurrentIndex(0);

    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_description);
    splitter->addWidget(m_pages);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    layout->addLayout(buttons);
}

void TfrmViewTask::fill(const TaskReportTexts &texts)
{
    m_description->setPlainText(texts.description.join(QLatin1Char('\n')));
    m_text->setPlainText(texts.packetText.join(QLatin1Char('\n')));
    m_raw->setPlainText(texts.rawPackets.join(QLatin1Char('\n')));
}

void TfrmViewTask::viewTask(taskstore::Connection &main, const QString &taskId, QWidget *parent)
{
    try {
        TfrmViewTask window(main, taskId, parent);
        window.exec();
    } catch (const taskstore::DatabaseError &error) {
        platform::DialogService::instance().showError(error.text());
    }
}

} // namespace reports
