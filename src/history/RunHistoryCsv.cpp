#include "history/RunHistoryCsv.h"

#include "history/RunTexts.h"
#include "platform/WholeFile.h"
#include "taskstore/DateTimeText.h"

#include <QStringList>

namespace history {

namespace {
QString milliseconds(const std::optional<double> &value)
{
    return value ? QString::number(*value, 'f', 3) : QString();
}
} // namespace

QByteArray RunHistoryCsv::text(const QList<taskstore::RunRecord> &runs)
{
    using taskstore::DateTimeText;
    QByteArray out = "start,end,trigger,sent,approved,denied,other,lost,failed,p50_ms,p95_ms,p99_ms,max_ms,verdict\r\n";
    for (const taskstore::RunRecord &run : runs) {
        // Every field is a number, a time or a fixed word: none needs quoting.
        const QStringList fields{DateTimeText::toStorage(run.start),
                                 DateTimeText::toStorage(run.end),
                                 RunTexts::triggerWord(run.trigger),
                                 QString::number(run.sent),
                                 QString::number(run.approved),
                                 QString::number(run.denied),
                                 QString::number(run.other),
                                 QString::number(run.lost),
                                 QString::number(run.failed),
                                 milliseconds(run.p50Ms),
                                 milliseconds(run.p95Ms),
                                 milliseconds(run.p99Ms),
                                 milliseconds(run.maxMs),
                                 RunTexts::verdictWord(run.verdict)};
        out += fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
    }
    return out;
}

bool RunHistoryCsv::write(const QString &path, const QList<taskstore::RunRecord> &runs, QString *error)
{
    return platform::writeWholeFile(path, text(runs), error);
}

} // namespace history
