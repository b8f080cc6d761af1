#include "history/TfrmRunHistory.h"

#include "history/RunChartData.h"
#include "history/RunHistoryChart.h"
#include "history/RunHistoryCsv.h"
#include "history/RunHistoryModel.h"
#include "history/VerdictIcon.h"
#include "platform/DialogService.h"
#include "platform/Language.h"
#include "platform/NamedControl.h"
#include "platform/WindowState.h"
#include "taskstore/RunHistoryStore.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

using platform::named;

namespace history {

namespace {
const platform::TextEntry kTexts[] = {
    {"frmRunHistory", "btnExportCsv.Caption", "&Export CSV..."},
    {"frmRunHistory", "btnClose.Caption", "Close"},
};

const QString kWindowKey = QStringLiteral("RunHistory");

// The run table with each verdict's icon beside its word.
class VerdictIconModel : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DecorationRole && index.column() == RunHistoryModel::Verdict)
            return verdictIcon(
                taskstore::Verdict(QIdentityProxyModel::data(index, RunHistoryModel::kVerdictRole).toInt()));
        return QIdentityProxyModel::data(index, role);
    }
};

platform::DialogService &dialogs()
{
    return platform::DialogService::instance();
}
} // namespace

TfrmRunHistory::TfrmRunHistory(taskstore::Connection &connection, const QString &taskId, const QString &taskName,
                               QWidget *parent)
    : QDialog(parent), m_connection(connection), m_taskId(taskId), m_taskName(taskName)
{
    buildControls();
}

TfrmRunHistory::~TfrmRunHistory() = default;

void TfrmRunHistory::buildControls()
{
    setObjectName(QStringLiteral("frmRunHistory"));
    setSizeGripEnabled(true);
    m_model = new RunHistoryModel(platform::Language::currentFile(), this);
    auto *icons = new VerdictIconModel(this);
    icons->setSourceModel(m_model);

    m_table = named(new QTableView, "tblRuns");
    m_table->setModel(icons);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setVisible(false);
    // Fixed row heights and no measuring of every row: thousands of runs open at once.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_table->horizontalHeader()->setObjectName(QStringLiteral("tblRunsHeader"));

    m_chart = new RunHistoryChart;
    m_chart->setMinimumHeight(220);
    m_splitter = named(new QSplitter(Qt::Vertical), "splRunHistory");
    m_splitter->addWidget(m_table);
    m_splitter->addWidget(m_chart);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 1);

    m_export = named(new QPushButton(QStringLiteral("&Export CSV...")), "btnExportCsv");
    m_close = named(new QPushButton(QStringLiteral("Close")), "btnClose");
    m_export->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_export);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_splitter);
    layout->addLayout(buttons);

    connect(m_export, &QPushButton::clicked, this, &TfrmRunHistory::btnExportClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    resize(1100, 680);
}

bool TfrmRunHistory::load()
{
    const taskstore::StoreResult<QList<taskstore::RunRecord>> runs =
        taskstore::RunHistoryStore(m_connection).runsOf(m_taskId);
    if (!runs.ok()) {
        dialogs().showError(runs.error());
        return false;
    }
    m_model->setRuns(runs.value());
    m_chart->display(RunChartData::build(runs.value()), platform::Language::currentFile());
    m_export->setEnabled(!runs.value().isEmpty());
    // Each column as wide as its heading or the longest of its first and last cells:
    // measuring every row would cost more than all the rest with many runs.
    QHeaderView *header = m_table->horizontalHeader();
    const int rows = m_model->rowCount();
    for (int column = 0; column < RunHistoryModel::ColumnCount; ++column) {
        int width = header->sectionSizeHint(column);
        for (int row : {0, rows - 1})
            if (row >= 0)
                width = std::max(width, m_table->sizeHintForIndex(m_table->model()->index(row, column)).width());
        header->resizeSection(column, width + 8);
    }
    if (rows > 0)
        m_table->scrollToBottom(); // the latest runs first in view
    return true;
}

void TfrmRunHistory::showFor(taskstore::Connection &connection, const QString &taskId, const QString &taskName,
                             QWidget *parent)
{
    auto *window = new TfrmRunHistory(connection, taskId, taskName, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (!window->load()) {
        delete window;
        return;
    }
    window->show();
}

void TfrmRunHistory::showEvent(QShowEvent *event)
{
    applyLanguage();
    if (!m_shown) {
        m_shown = true;
        platform::WindowState(kWindowKey).restore(*this);
    }
    QDialog::showEvent(event);
}

void TfrmRunHistory::applyLanguage()
{
    const platform::LanguageFile file = platform::Language::currentFile();
    platform::Language::apply(this, kTexts, file);
    setWindowTitle(file.text(QStringLiteral("frmRunHistory"), QStringLiteral("frmRunHistory.Caption"),
                             QStringLiteral("Run History"))
                   + QStringLiteral(" - ") + m_taskName);
}

void TfrmRunHistory::done(int result)
{
    platform::WindowState(kWindowKey).save(*this);
    QDialog::done(result);
}

void TfrmRunHistory::btnExportClick()
{
    const QString path = dialogs().saveFileName(
        {QString(), QString(),
         platform::Language::text("frmRunHistory", "FileFilter", "CSV Files (*.csv);;All Files (*.*)"),
         QStringLiteral("csv"), m_taskName + QStringLiteral(".csv")});
    if (path.isEmpty())
        return;
    QString error;
    if (!RunHistoryCsv::write(path, m_model->runs(), &error))
        dialogs().showError(error);
}

} // namespace history
