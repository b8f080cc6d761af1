#pragma once

#include "execution/LogColors.h"
#include "execution/RunClient.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QList>
#include <QStringList>

#include <compare>
#include <vector>

namespace execution {

// A log's lines packed into large text blocks with one offset and one colour a line, so
// a million short lines take tens of megabytes, not hundreds, and no line is a heap block
// of its own. A line keeps its client's bytes apart only when they differ from its shown
// text.
class LogLineStore {
public:
    void append(const QString &stored, QRgb color);
    void clear();

    qsizetype size() const { return qsizetype(m_starts.size()); }
    bool isEmpty() const { return m_starts.empty(); }
    QStringView shown(qsizetype line) const; // valid until the next append or clear
    QString stored(qsizetype line) const;
    QRgb color(qsizetype line) const { return m_colors[size_t(line)]; }

private:
    qsizetype blockOf(qsizetype line) const;

    std::vector<QString> m_blocks;           // shown text, lines end to end
    std::vector<qsizetype> m_blockFirstLine; // the first line of each block
    std::vector<quint32> m_starts;           // where each line begins in its block
    std::vector<QRgb> m_colors;
    QHash<qsizetype, QString> m_storedApart; // lines holding bytes that are not UTF-8
};

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
        // Written out: clang-tidy reads the defaulted one's comparison with 0 as a null pointer.
        friend std::strong_ordering operator<=>(const Position &a, const Position &b)
        {
            const std::strong_ordering byLine = a.line <=> b.line;
            return std::is_eq(byLine) ? a.column <=> b.column : byLine;
        }
    };

    explicit LogPane(QWidget *parent = nullptr);

    void appendLine(const QString &text, const QColor &color);
    void appendLines(const QList<ClientLine> &lines, const LogColors &colors);
    void clear();

    int lineCount() const { return int(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    QStringList lines() const; // as shown
    // The lines as appended, still holding a client's bytes (encodeClientText writes them).
    QStringList storedLines() const;
    QString lineText(int line) const;
    QColor lineColor(int line) const;
    // The lines joined by '\n' (Save As writes them with its own line ends).
    QString toPlainText() const { return lines().join(QLatin1Char('\n')); }

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

    QStringView lineView(int line) const; // empty out of range

    LogLineStore m_lines;    // shown: bytes that are not UTF-8 as octal escapes
    qsizetype m_longest = 0; // characters in the longest line, for the horizontal range
    bool m_followEnd = true; // the user has not scrolled away from the last line
    Position m_anchor;
    Position m_cursor;
};

} // namespace execution
