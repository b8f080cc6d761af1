#pragma once

#include "history/LanguageDates.h"
#include "history/RunTexts.h"
#include "taskstore/RunHistoryStore.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace history {

// A task's runs as a table, one row a run in the order given (oldest first).
class RunHistoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Start,
        End,
        Trigger,
        Sent,
        Approved,
        Denied,
        Other,
        Lost,
        Failed,
        P50,
        P95,
        P99,
        Max,
        Verdict,
        ColumnCount
    };
    // The verdict column also answers the verdict's stored number under this role.
    static constexpr int kVerdictRole = Qt::UserRole + 1;

    explicit RunHistoryModel(const platform::LanguageFile &language, QObject *parent = nullptr);

    void setRuns(QList<taskstore::RunRecord> runs);
    const QList<taskstore::RunRecord> &runs() const { return m_runs; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString text(const taskstore::RunRecord &run, int column) const;

    RunTexts m_texts;
    LanguageDates m_dates;
    QStringList m_headings;
    QList<taskstore::RunRecord> m_runs;
};

} // namespace history
