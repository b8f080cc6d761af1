#include "execution/LogPane.h"

#include "execution/ClientText.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace execution {

LogPane::LogPane(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    // Following the end is a state, not a look at the bar before an append: the range
    // also grows later, when a long line brings the horizontal bar and the view shrinks.
    QScrollBar *bar = verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) { m_followEnd = value >= bar->maximum(); });
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (m_followEnd)
            bar->setValue(maximum);
    });
    updateScrollBars();
}

void LogPane::appendLine(const QString &text, const QColor &color)
{
    appendLines({ClientLine{text, MessageClass::Info}}, LogColors{color, color, color, color});
}

void LogPane::appendLines(const QList<ClientLine> &lines, const LogColors &colors)
{
    if (lines.isEmpty())
        return;
    const QRgb rgb[4] = {colors.summary.rgba(), colors.info.rgba(), colors.warning.rgba(),
                         colors.error.rgba()};
    for (const ClientLine &line : lines) {
        m_storedLines.append(line.text);
        m_lines.append(visibleClientText(line.text));
        m_colors.append(rgb[int(line.messageClass)]);
        m_longest = std::max(m_longest, m_lines.last().size());
    }
    updateScrollBars();
    viewport()->update();
}

void LogPane::clear()
{
    m_lines.clear();
    m_storedLines.clear();
    m_colors.clear();
    m_longest = 0;
    m_followEnd = true;
    m_anchor = m_cursor = {};
    updateScrollBars();
    viewport()->update();
    Q_EMIT selectionChanged();
}

QColor LogPane::lineColor(int line) const
{
    return line >= 0 && line < m_colors.size() ? QColor::fromRgba(m_colors[line]) : QColor();
}

bool LogPane::find(const QString &text)
{
    return findFrom(text, hasSelection() ? selectionEnd() : Position{});
}

bool LogPane::findFrom(const QString &text, Position from)
{
    if (text.isEmpty())
        return false;
    for (int line = std::max(0, from.line); line < lineCount(); ++line) {
        const int start = line == from.line ? from.column : 0;
        const qsizetype hit = m_lines[line].indexOf(text, start, Qt::CaseSensitive);
        if (hit >= 0) {
            select({line, int(hit)}, {line, int(hit + text.size())});
            ensureVisible({line, int(hit)});
            return true;
        }
    }
    return false;
}

QString LogPane::selectedText() const
{
    if (!hasSelection())
        return {};
    const Position a = selectionStart();
    const Position b = selectionEnd();
    if (a.line == b.line)
        return m_lines.value(a.line).mid(a.column, b.column - a.column);
    QStringList parts{m_lines.value(a.line).mid(a.column)};
    for (int line = a.line + 1; line < b.line; ++line)
        parts << m_lines.value(line);
    parts << m_lines.value(b.line).left(b.column);
    return parts.join(QLatin1Char('\n'));
}

void LogPane::select(Position from, Position to)
{
    m_anchor = from;
    m_cursor = to;
    viewport()->update();
    Q_EMIT selectionChanged();
}

void LogPane::selectAll()
{
    if (isEmpty())
        return;
    select({0, 0}, {lineCount() - 1, int(m_lines.last().size())});
}

void LogPane::copy() const
{
    if (hasSelection())
        QApplication::clipboard()->setText(selectedText());
}

int LogPane::lineHeight() const
{
    return std::max(1, fontMetrics().lineSpacing());
}

int LogPane::visibleLines() const
{
    return std::max(1, viewport()->height() / lineHeight());
}

void LogPane::updateScrollBars()
{
    QScrollBar *v = verticalScrollBar();
    v->setPageStep(visibleLines());
    v->setRange(0, std::max(0, lineCount() - visibleLines()));
    QScrollBar *h = horizontalScrollBar();
    const int width = int(std::min<qsizetype>(m_longest, 100000)) * fontMetrics().horizontalAdvance(QLatin1Char('M'));
    h->setPageStep(viewport()->width());
    h->setSingleStep(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 4);
    h->setRange(0, std::max(0, width + 8 - viewport()->width()));
}

void LogPane::ensureVisible(Position position)
{
    QScrollBar *v = verticalScrollBar();
    if (position.line < v->value() || position.line >= v->value() + visibleLines())
        v->setValue(position.line - visibleLines() / 2);
    QScrollBar *h = horizontalScrollBar();
    const int x = xOf(position.line, position.column);
    if (x < h->value() || x > h->value() + viewport()->width() - 16)
        h->setValue(x - viewport()->width() / 3);
}

int LogPane::xOf(int line, int column) const
{
    return fontMetrics().horizontalAdvance(m_lines.value(line).left(column));
}

LogPane::Position LogPane::positionAt(const QPoint &point) const
{
    if (isEmpty())
        return {};
    const int line = std::clamp(verticalScrollBar()->value() + point.y() / lineHeight(), 0, lineCount() - 1);
    const QString &text = m_lines[line];
    const int x = point.x() + horizontalScrollBar()->value() - 4;
    const QFontMetrics metrics = fontMetrics();
    int column = 0;
    int left = 0;
    while (column < text.size()) {
        const int advance = metrics.horizontalAdvance(text.at(column));
        if (x < left + advance / 2)
            break;
        left += advance;
        ++column;
    }
    return {line, column};
}

void LogPane::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const int height = lineHeight();
    const int ascent = fontMetrics().ascent();
    const int first = verticalScrollBar()->value();
    const int last = std::min(lineCount() - 1, first + visibleLines() + 1);
    const int offset = 4 - horizontalScrollBar()->value();
    const Position a = selectionStart();
    const Position b = selectionEnd();
    const QPalette &pal = palette();
    for (int line = first; line <= last; ++line) {
        const int top = (line - first) * height;
        if (hasSelection() && line >= a.line && line <= b.line) {
            const int from = line == a.line ? xOf(line, a.column) : 0;
            const int to = line == b.line ? xOf(line, b.column) : xOf(line, int(m_lines[line].size())) + 6;
            painter.fillRect(QRect(offset + from, top, to - from, height), pal.color(QPalette::Highlight));
        }
        painter.setPen(QColor::fromRgba(m_colors[line]));
        painter.drawText(offset, top + ascent, m_lines[line]);
    }
}

void LogPane::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void LogPane::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const Position at = positionAt(event->position().toPoint());
    select((event->modifiers() & Qt::ShiftModifier) ? m_anchor : at, at);
}

void LogPane::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    m_cursor = positionAt(event->position().toPoint());
    ensureVisible(m_cursor);
    viewport()->update();
    Q_EMIT selectionChanged();
}

void LogPane::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::MoveToStartOfDocument)) {
        verticalScrollBar()->setValue(0);
    } else if (event->matches(QKeySequence::MoveToEndOfDocument)) {
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

} // namespace execution
