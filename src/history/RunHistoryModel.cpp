#include "history/RunHistoryModel.h"

#include "history/HistoryWords.h"

#include <array>

namespace history {

namespace {
constexpr std::array<Words, RunHistoryModel::ColumnCount> kHeadings{{
    {"Column.Start", "Start"},
    {"Column.End", "End"},
    {"Column.Trigger", "Trigger"},
    {"Column.Sent", "Sent"},
    {"Column.Approved", "Approved"},
    {"Column.Denied", "Denied"},
    {"Column.Other", "Other"},
    {"Column.Lost", "Lost"},
    {"Column.Failed", "Failed"},
    {"Column.P50", "p50 (ms)"},
    {"Column.P95", "p95 (ms)"},
    {"Column.P99", "p99 (ms)"},
    {"Column.Max", "Max (ms)"},
    {"Column.Verdict", "Verdict"},
}};

QString milliseconds(const std::optional<double> &value)
{
    return value ? QString::number(*value, 'f', 1) : QString();
}

bool isNumber(int column)
{
    return column >= RunHistoryModel::Sent && column <= RunHistoryModel::Max;
}
} // namespace

RunHistoryModel::RunHistoryModel(const platform::LanguageFile &language, QObject *parent)
    : QAbstractTableModel(parent), m_texts(language), m_dates(language)
{
    for (const Words &heading : kHeadings)
        m_headings << historyText(language, heading);
}

void RunHistoryModel::setRuns(QList<taskstore::RunRecord> runs)
{
    beginResetModel();
    m_runs = std::move(runs);
    endResetModel();
}

int RunHistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_runs.size());
}

int RunHistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RunHistoryModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const taskstore::RunRecord &run = m_runs.at(index.row());
    switch (role) {
    case Qt::DisplayRole: return text(run, index.column());
    case Qt::TextAlignmentRole:
        return isNumber(index.column()) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case kVerdictRole: return index.column() == Verdict ? QVariant(int(run.verdict)) : QVariant();
    default: return {};
    }
}

QString RunHistoryModel::text(const taskstore::RunRecord &run, int column) const
{
    switch (column) {
    case Start: return m_dates.text(run.start);
    case End: return m_dates.text(run.end);
    case Trigger: return m_texts.trigger(run.trigger);
    case Sent: return QString::number(run.sent);
    case Approved: return QString::number(run.approved);
    case Denied: return QString::number(run.denied);
    case Other: return QString::number(run.other);
    case Lost: return QString::number(run.lost);
    case Failed: return QString::number(run.failed);
    case P50: return milliseconds(run.p50Ms);
    case P95: return milliseconds(run.p95Ms);
    case P99: return milliseconds(run.p99Ms);
    case Max: return milliseconds(run.maxMs);
    case Verdict: return m_texts.verdict(run.verdict);
    default: return {};
    }
}

QVariant RunHistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_headings.at(section);
}

} // namespace history
