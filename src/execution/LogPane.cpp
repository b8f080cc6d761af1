#include "execution/LogPane.h"

#include "execution/ClientText.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace execution {

namespace {
// Large enough that the blocks' own overhead is nothing, small enough that the end of a
// block left empty is nothing either.
constexpr qsizetype kBlockChars = 1 << 16;
} // namespace

void LogLineStore::append(const QString &stored, QRgb color)
{
    const QString shownText = visibleClientText(stored);
    if (m_blocks.empty() || m_blocks.back().size() + shownText.size() > kBlockChars) {
        m_blocks.emplace_back();
        m_blocks.back().reserve(std::max(kBlockChars, shownText.size()));
        m_blockFirstLine.push_back(size());
    }
    QString &block = m_blocks.back();
    if (shownText.size() != stored.size() || shownText.constData() != stored.constData())
        m_storedApart.insert(size(), stored);
    m_starts.push_back(quint32(block.size()));
    m_colors.push_back(color);
    block.append(shownText);
}

void LogLineStore::clear()
{
    // Swapped out, so that the memory goes back, not just the sizes to zero.
    std::vector<QString>().swap(m_blocks);
    std::vector<qsizetype>().swap(m_blockFirstLine);
    std::vector<quint32>().swap(m_starts);
    std::vector<QRgb>().swap(m_colors);
    m_storedApart.clear();
}

qsizetype LogLineStore::blockOf(qsizetype line) const
{
    const auto after = std::upper_bound(m_blockFirstLine.begin(), m_blockFirstLine.end(), line);
    return qsizetype(after - m_blockFirstLine.begin()) - 1;
}

QStringView LogLineStore::shown(qsizetype line) const
{
    const qsizetype block = blockOf(line);
    const QString &text = m_blocks[size_t(block)];
    const bool lastInBlock = size_t(block) + 1 == m_blockFirstLine.size()
        ? line + 1 == size()
        : line + 1 == m_blockFirstLine[size_t(block) + 1];
    const qsizetype start = m_starts[size_t(line)];
    const qsizetype end = lastInBlock ? text.size() : qsizetype(m_starts[size_t(line) + 1]);
    return QStringView(text).sliced(start, end - start);
}

QString LogLineStore::stored(qsizetype line) const
{
    const auto apart = m_storedApart.constFind(line);
    return apart != m_storedApart.constEnd() ? *apart : shown(line).toString();
}

LogPane::LogPane(QWidget *parent) : QAbstractScrollArea(parent)
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
    const QRgb rgb[4] = {colors.summary.rgba(), colors.info.rgba(), colors.warning.rgba(), colors.error.rgba()};
    for (const ClientLine &line : lines) {
        m_lines.append(line.text, rgb[int(line.messageClass)]);
        m_longest = std::max(m_longest, m_lines.shown(m_lines.size() - 1).size());
    }
    updateScrollBars();
    viewport()->update();
}

void LogPane::clear()
{
    m_lines.clear();
    m_longest = 0;
    m_followEnd = true;
    m_anchor = m_cursor = {};
    updateScrollBars();
    viewport()->update();
    Q_EMIT selectionChanged();
}

QColor LogPane::lineColor(int line) const
{
    return line >= 0 && line < m_lines.size() ? QColor::fromRgba(m_lines.color(line)) : QColor();
}

QStringView LogPane::lineView(int line) const
{
    return line >= 0 && line < m_lines.size() ? m_lines.shown(line) : QStringView();
}

QString LogPane::lineText(int line) const
{
    return lineView(line).toString();
}

QStringList LogPane::lines() const
{
    QStringList result;
    result.reserve(m_lines.size());
    for (qsizetype line = 0; line < m_lines.size(); ++line)
        result << m_lines.shown(line).toString();
    return result;
}

QStringList LogPane::storedLines() const
{
    QStringList result;
    result.reserve(m_lines.size());
    for (qsizetype line = 0; line < m_lines.size(); ++line)
        result << m_lines.stored(line);
    return result;
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
        const qsizetype hit = m_lines.shown(line).indexOf(text, start, Qt::CaseSensitive);
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
        return lineView(a.line).mid(a.column, b.column - a.column).toString();
    QStringList parts{lineView(a.line).mid(a.column).toString()};
    for (int line = a.line + 1; line < b.line; ++line)
        parts << lineText(line);
    parts << lineView(b.line).left(b.column).toString();
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
    select({0, 0}, {lineCount() - 1, int(lineView(lineCount() - 1).size())});
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
    return fontMetrics().horizontalAdvance(lineView(line).left(column).toString());
}

LogPane::Position LogPane::positionAt(const QPoint &point) const
{
    if (isEmpty())
        return {};
    const int line = std::clamp(verticalScrollBar()->value() + point.y() / lineHeight(), 0, lineCount() - 1);
    const QStringView text = m_lines.shown(line);
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
            const int to = line == b.line ? xOf(line, b.column) : xOf(line, int(m_lines.shown(line).size())) + 6;
            painter.fillRect(QRect(offset + from, top, to - from, height), pal.color(QPalette::Highlight));
        }
        painter.setPen(QColor::fromRgba(m_lines.color(line)));
        painter.drawText(offset, top + ascent, m_lines.shown(line).toString());
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
