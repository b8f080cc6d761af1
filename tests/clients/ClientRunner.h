#pragma once

#include "support/TempProgramDir.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs one of our clients in a temporary program directory with a packet file and
// collects its output, bounded in time.
class ClientRunner {
public:
    struct Result {
        int exitCode = -1;
        bool finished = false;
        QByteArray raw;     // stdout and stderr as written
        QStringList lines;  // without line ends
        double seconds = 0; // wall time of the run

        int countContaining(const QString &text) const;
        bool hasLine(const QString &text) const { return countContaining(text) > 0; }
        QString text() const { return QString::fromUtf8(raw); }
        // Every LF preceded by CR, and nothing after the last line end.
        bool allLinesEndInCrLf() const;
        // The number in "Total <what>: N", or -1.
        int total(const QString &what) const;
    };

    static QString radclient();
    static QString radeapclient();

    // Writes script into script/test.txt and runs program with the words, "-f script/test.txt" first.
    Result run(const QString &program, const QStringList &words, const QByteArray &script, int timeoutMs = 30000);
    // Runs with exactly these words (for command-line errors).
    Result runWords(const QString &program, const QStringList &words, int timeoutMs = 10000);
    // The same from another current directory.
    Result runIn(const QString &workingDirectory, const QString &program, const QStringList &words,
                 int timeoutMs = 10000);

    testsupport::TempProgramDir &dir() { return m_dir; }

private:
    testsupport::TempProgramDir m_dir;
};
