#include "ClientRunner.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>

int ClientRunner::Result::countContaining(const QString &text) const
{
    int n = 0;
    for (const QString &line : lines)
        n += line.contains(text) ? 1 : 0;
    return n;
}

bool ClientRunner::Result::allLinesEndInCrLf() const
{
    for (qsizetype i = 0; i < raw.size(); ++i)
        if (raw[i] == '\n' && (i == 0 || raw[i - 1] != '\r'))
            return false;
    return raw.isEmpty() || raw.endsWith("\r\n");
}

int ClientRunner::Result::total(const QString &what) const
{
    const QRegularExpression pattern(QStringLiteral("^Total %1: (\\d+)$").arg(QRegularExpression::escape(what)));
    for (const QString &line : lines) {
        const auto match = pattern.match(line);
        if (match.hasMatch())
            return match.captured(1).toInt();
    }
    return -1;
}

QString ClientRunner::radclient()
{
    return QStringLiteral(PELLION_RADCLIENT);
}

QString ClientRunner::radeapclient()
{
    return QStringLiteral(PELLION_RADEAPCLIENT);
}

ClientRunner::Result ClientRunner::run(const QString &program, const QStringList &words, const QByteArray &script,
                                       int timeoutMs)
{
    m_dir.writeFile(QStringLiteral("script/test.txt"), script);
    return runWords(program, QStringList{QStringLiteral("-f"), QStringLiteral("script/test.txt")} + words, timeoutMs);
}

ClientRunner::Result ClientRunner::runWords(const QString &program, const QStringList &words, int timeoutMs)
{
    return runIn(m_dir.path(), program, words, timeoutMs);
}

ClientRunner::Result ClientRunner::runIn(const QString &workingDirectory, const QString &program,
                                         const QStringList &words, int timeoutMs)
{
    Result result;
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, words);
    result.finished = process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished(2000);
    }
    result.seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    result.raw = process.readAll();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    for (const QByteArray &line : result.raw.split('\n')) {
        QByteArray text = line;
        if (text.endsWith('\r'))
            text.chop(1);
        result.lines << QString::fromUtf8(text);
    }
    if (!result.lines.isEmpty() && result.lines.last().isEmpty())
        result.lines.removeLast();
    return result;
}
