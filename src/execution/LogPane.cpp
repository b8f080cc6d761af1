#include "execution/LogPane.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>

namespace execution {

LogPane::LogPane(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // An emptied pane (the main window's Clear) starts again in its first block.
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!m_appending && document()->isEmpty())
            m_lineCount = 0;
    });
}

void LogPane::appendLine(const QString &text, const QColor &color)
{
    appendLines({ClientLine{text, MessageClass::Info}}, LogColors{color, color, color, color});
}

void LogPane::appendLines(const QList<ClientLine> &lines, const LogColors &colors)
{
    if (lines.isEmpty())
        return;
    QScrollBar *bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    QTextCharFormat formats[4];
    for (MessageClass c : {MessageClass::Summary, MessageClass::Info, MessageClass::Warning, MessageClass::Error})
        formats[int(c)].setForeground(colors.of(c));

    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    m_appending = true;
    const bool firstIntoEmpty = m_lineCount == 0 && document()->isEmpty();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QTextCharFormat &format = formats[int(lines[i].messageClass)];
        if (i > 0 || !firstIntoEmpty)
            cursor.insertBlock(QTextBlockFormat(), format);
        else
            cursor.setBlockCharFormat(format);
        cursor.insertText(lines[i].text, format);
    }
    cursor.endEditBlock();
    m_appending = false;
    m_lineCount += int(lines.size());
    if (atEnd)
        bar->setValue(bar->maximum());
}

int LogPane::lineCount() const
{
    return m_lineCount;
}

} // namespace execution
