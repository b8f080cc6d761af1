#pragma once

#include "execution/RunClient.h"
#include "taskstore/Expectation.h"
#include "taskstore/RunHistoryStore.h"
#include "verdict/Evaluation.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace execution {

// What a run needs to judge itself: our client is asked for a records file in a private
// temporary directory; the client's error lines are kept; afterwards the records are
// read, judged against the expectations and summed up as a history row.
class RunJudgement {
public:
    // Off the user-interface thread (asks the client whether it is ours). The line to
    // start: the contract's line, with "-R <file>" after the program word for our client.
    QString commandLineToStart(const QString &contractLine);
    bool recordsAsked() const { return m_directory != nullptr; }

    // Every client line as it comes.
    void noteLines(const QList<ClientLine> &lines);

    // After the client's output ended.
    verdict::VerdictReport judge(const QList<taskstore::PacketExpectation> &expectations, int packetCount,
                                 int repetitions, bool stopped);
    // The run's row: counts and percentiles from the records read by judge().
    taskstore::RunRecord historyRow(const QString &taskId, const QDateTime &start, const QDateTime &end,
                                    taskstore::RunTrigger trigger, taskstore::Verdict verdict) const;
    // The records read by judge(); none when the client kept none.
    const std::optional<verdict::ExchangeFile> &records() const { return m_records; }

private:
    std::unique_ptr<QTemporaryDir> m_directory;
    QString m_recordsPath;
    QStringList m_errorLines;
    std::optional<verdict::ExchangeFile> m_records;
};

// The contract's client line with "-R <file>" right after the program word, where the
// client reads options.
QString withRecordsOption(const QString &contractLine, const QString &recordsFile);

// The number of packets in a task's packet script file; 0 when it does not read.
int packetCountOf(const QString &taskId);

} // namespace execution
