#pragma once

#include "execution/LogColors.h"
#include "execution/RunClient.h"

#include <QPlainTextEdit>

namespace execution {

// A read-only rich-text pane that takes a colour per line, with its vertical scroll bar
// always shown. Appends go to the end in one edit block per batch, so a run that writes
// fast costs one layout per batch rather than one per line.
class LogPane : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LogPane(QWidget *parent = nullptr);

    void appendLine(const QString &text, const QColor &color);
    void appendLines(const QList<ClientLine> &lines, const LogColors &colors);
    int lineCount() const; // lines appended since the last clear

private:
    int m_lineCount = 0;
    bool m_appending = false;
};

} // namespace execution
