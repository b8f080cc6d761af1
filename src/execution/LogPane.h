#pragma once

#include "execution/LogColors.h"
#include "execution/RunClient.h"

#include <QAbstractScrollArea>
#include <QList>
#include <QStringList>

namespace execution {

// A read-only log pane that takes a colour per line, with its vertical scroll bar always
// shown. It keeps its lines itself and paints only those in view, so appending costs the
// same at the hundred-thousandth line as at the first and a fast client never waits for
// text layout. Text can be selected with the mouse or keyboard and copied (Ctrl+C).
class LogPane : public QAbstractScrollArea {
    Q_OBJECT
public:
    struct Position {
        int line = 0;
        int column = 0;
        friend bool operator==(const Position &, const Position &) = default;
        friend auto operator<=>(const Position &, const Position &) = default;
    };

    explicit LogPane(QWidget *parent = nullptr);

    void appendLine(const QString &text, const QColor &color);
    void appendLines(const QList<ClientLine> &lines, const LogColors &colors);
    void clear();

    int lineCount() const { return int(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    const QStringList &lines() const { return m_lines; } // as shown
    // The lines as appended, still holding a client's bytes (encodeClientText writes them).
    const QStringList &storedLines() const { return m_storedLines; }
    QString lineText(int line) const { return m_lines.value(line); }
    QColor lineColor(int line) const;
    // The lines joined by '\n' (Save As writes them with its own line ends).
    QString toPlainText() const { return m_lines.join(QLatin1Char('\n')); }

    // Plain, case-sensitive search from the end of the selection (from the start when
    // nothing is selected) to the end; a match is selected and scrolled into view. Without
    // a match the selection stays as it was.
    bool find(const QString &text);
    bool findFrom(const QString &text, Position from);

    bool hasSelection() const { return m_anchor != m_cursor; }
    Position selectionStart() const { return std::min(m_anchor, m_cursor); }
    Position selectionEnd() const { return std::max(m_anchor, m_cursor); }
    QString selectedText() const; // lines joined by '\n'
    void select(Position from, Position to);
    void selectAll();
    void copy() const;

Q_SIGNALS:
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int lineHeight() const;
    int visibleLines() const;
    void updateScrollBars();
    void ensureVisible(Position position);
    Position positionAt(const QPoint &point) const;
    int xOf(int line, int column) const;

    QStringList m_lines;       // shown: bytes that are not UTF-8 as octal escapes
    QStringList m_storedLines; // shares each line with m_lines unless it holds such bytes
    QList<QRgb> m_colors;
    qsizetype m_longest = 0; // characters in the longest line, for the horizontal range
    bool m_followEnd = true; // the user has not scrolled away from the last line
    Position m_anchor;
    Position m_cursor;
};

} // namespace execution
