#include "shell/ShellIcons.h"

#include "platform/ProgramDirectory.h"

#include <QApplication>
#include <QDir>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

#include <functional>

namespace shell {

namespace {
using Painter = std::function<void(QPainter &)>;

// Draws on a 32x32 canvas scaled to each size the icon is asked for.
QIcon drawn(const Painter &paint)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        paint(p);
        icon.addPixmap(pixmap);
    }
    return icon;
}

void folder(QPainter &p, const QColor &colour, bool open)
{
    p.setPen(QPen(colour.darker(160), 1.2));
    p.setBrush(colour.darker(115));
    QPainterPath back;
    back.moveTo(3, 8);
    back.lineTo(12, 8);
    back.lineTo(14, 11);
    back.lineTo(29, 11);
    back.lineTo(29, 26);
    back.lineTo(3, 26);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(colour);
    if (open) {
        QPainterPath front;
        front.moveTo(6, 14);
        front.lineTo(31, 14);
        front.lineTo(27, 26);
        front.lineTo(3, 26);
        front.closeSubpath();
        p.drawPath(front);
    } else {
        p.drawRect(QRectF(3, 13, 26, 13));
    }
}

void serverStack(QPainter &p, const QColor &colour)
{
    for (int i = 0; i < 3; ++i) {
        const QRectF box(5, 4 + i * 8.5, 22, 7);
        p.setPen(QPen(colour.darker(170), 1.2));
        p.setBrush(colour);
        p.drawRoundedRect(box, 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 230, 120));
        p.drawEllipse(QPointF(9, box.center().y()), 1.3, 1.3);
    }
}

// A sheet with a signal arc: one test task.
void taskSheet(QPainter &p)
{
    p.setPen(QPen(QColor(70, 90, 120), 1.2));
    p.setBrush(QColor(250, 251, 255));
    QPainterPath sheet;
    sheet.moveTo(7, 3);
    sheet.lineTo(20, 3);
    sheet.lineTo(26, 9);
    sheet.lineTo(26, 29);
    sheet.lineTo(7, 29);
    sheet.closeSubpath();
    p.drawPath(sheet);
    p.drawLine(QPointF(20, 3), QPointF(20, 9));
    p.drawLine(QPointF(20, 9), QPointF(26, 9));
    p.setPen(QPen(QColor(30, 120, 200), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 22), 1.2, 1.2);
    p.drawArc(QRectF(7, 17, 10, 10), 0 * 16, 90 * 16);
    p.drawArc(QRectF(3, 13, 18, 18), 0 * 16, 90 * 16);
}

void triangle(QPainter &p, bool up)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 90));
    QPainterPath path;
    if (up) {
        path.moveTo(16, 10);
        path.lineTo(24, 22);
        path.lineTo(8, 22);
    } else {
        path.moveTo(8, 10);
        path.lineTo(24, 10);
        path.lineTo(16, 22);
    }
    path.closeSubpath();
    p.drawPath(path);
}

// A small badge in the lower right corner: plus, minus, pencil and the like.
void badge(QPainter &p, const QColor &colour, const std::function<void(QPainter &)> &sign)
{
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(colour);
    p.drawEllipse(QRectF(17, 17, 14, 14));
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    sign(p);
}

void plus(QPainter &p)
{
    p.drawLine(QPointF(24, 20), QPointF(24, 28));
    p.drawLine(QPointF(20, 24), QPointF(28, 24));
}
void cross(QPainter &p)
{
    p.drawLine(QPointF(21, 21), QPointF(27, 27));
    p.drawLine(QPointF(27, 21), QPointF(21, 27));
}
void pen(QPainter &p)
{
    p.drawLine(QPointF(20.5, 27.5), QPointF(27.5, 20.5));
}
void eye(QPainter &p)
{
    p.drawEllipse(QPointF(24, 24), 2.5, 1.6);
}

void gear(QPainter &p)
{
    p.setPen(QPen(QColor(70, 80, 95), 1.2));
    p.setBrush(QColor(150, 160, 175));
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(16, 16);
        p.rotate(i * 45);
        p.drawRoundedRect(QRectF(-3, -14, 6, 7), 1, 1);
        p.restore();
    }
    p.drawEllipse(QPointF(16, 16), 9.5, 9.5);
    p.setBrush(QColor(245, 246, 250));
    p.drawEllipse(QPointF(16, 16), 4, 4);
}

void questionMark(QPainter &p)
{
    p.setPen(QPen(QColor(25, 95, 170), 1.2));
    p.setBrush(QColor(60, 140, 220));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    QFont font = p.font();
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
}

void globe(QPainter &p)
{
    p.setPen(QPen(QColor(30, 110, 90), 1.4));
    p.setBrush(QColor(90, 190, 160));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(10, 3, 12, 26));
    p.drawLine(QPointF(16, 3), QPointF(16, 29));
    p.drawLine(QPointF(3, 16), QPointF(29, 16));
    p.drawLine(QPointF(5.5, 9.5), QPointF(26.5, 9.5));
    p.drawLine(QPointF(5.5, 22.5), QPointF(26.5, 22.5));
}

const QColor kFolder(240, 190, 70);
const QColor kAdd(40, 150, 60);
const QColor kDelete(200, 50, 50);
const QColor kEdit(40, 110, 200);

QIcon standard(QStyle::StandardPixmap which)
{
    return QApplication::style()->standardIcon(which);
}
} // namespace

QIcon ShellIcons::picture(Picture which)
{
    // Drawn once: every list row shows the task picture.
    static QHash<int, QIcon> cache;
    const auto found = cache.constFind(which);
    if (found != cache.constEnd())
        return *found;
    return *cache.insert(which, drawPicture(which));
}

QIcon ShellIcons::drawPicture(Picture which)
{
    switch (which) {
    case Root: return drawn([](QPainter &p) { serverStack(p, QColor(150, 165, 185)); });
    case RootSelected: return drawn([](QPainter &p) { serverStack(p, QColor(90, 140, 210)); });
    case Group: return drawn([](QPainter &p) { folder(p, kFolder, false); });
    case GroupSelected: return drawn([](QPainter &p) { folder(p, kFolder, true); });
    case Task: return drawn(taskSheet);
    case MarkUp: return drawn([](QPainter &p) { triangle(p, true); });
    case MarkDown: return drawn([](QPainter &p) { triangle(p, false); });
    }
    return {};
}

QIcon ShellIcons::tool(Tool which)
{
    switch (which) {
    case GroupAdd:
        return drawn([](QPainter &p) {
            folder(p, kFolder, false);
            badge(p, kAdd, plus);
        });
    case GroupRename:
        return drawn([](QPainter &p) {
            folder(p, kFolder, false);
            badge(p, kEdit, pen);
        });
    case GroupDelete:
        return drawn([](QPainter &p) {
            folder(p, kFolder, false);
            badge(p, kDelete, cross);
        });
    case Run: return standard(QStyle::SP_MediaPlay);
    case Suspend: return standard(QStyle::SP_MediaPause);
    case Stop: return standard(QStyle::SP_MediaStop);
    case TaskAdd:
        return drawn([](QPainter &p) {
            taskSheet(p);
            badge(p, kAdd, plus);
        });
    case TaskEdit:
        return drawn([](QPainter &p) {
            taskSheet(p);
            badge(p, kEdit, pen);
        });
    case TaskDelete:
        return drawn([](QPainter &p) {
            taskSheet(p);
            badge(p, kDelete, cross);
        });
    case TaskView:
        return drawn([](QPainter &p) {
            taskSheet(p);
            badge(p, QColor(110, 80, 170), eye);
        });
    case Options: return drawn(gear);
    case Help: return drawn(questionMark);
    case About: return standard(QStyle::SP_MessageBoxInformation);
    case Homepage: return drawn(globe);
    case SaveAs: return standard(QStyle::SP_DialogSaveButton);
    case Clear: return standard(QStyle::SP_DialogResetButton);
    case Find: return standard(QStyle::SP_FileDialogContentsView);
    case BrowseLog: return standard(QStyle::SP_DirOpenIcon);
    }
    return {};
}

QIcon ShellIcons::applicationIcon()
{
    QIcon icon;
    const QDir icons(platform::ProgramDirectory::executableDirectory() + QLatin1String("icons"));
    for (const QString &file : icons.entryList({QStringLiteral("pellion-*.png")}, QDir::Files))
        icon.addFile(icons.filePath(file));
    return icon.isNull() ? picture(Task) : icon;
}

QPixmap ShellIcons::productPicture(const QSize &size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(20, 50, 95));
    sky.setColorAt(1, QColor(45, 110, 170));
    p.fillRect(pixmap.rect(), sky);
    // Radio waves leaving a mast: the tool talks to servers.
    const QPointF mast(size.width() * 0.18, size.height() * 0.62);
    p.setPen(QPen(QColor(255, 255, 255, 200), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(mast, mast + QPointF(0, size.height() * 0.25));
    for (int i = 1; i <= 3; ++i) {
        const double r = i * size.height() * 0.11;
        p.drawArc(QRectF(mast.x() - r, mast.y() - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
        p.drawArc(QRectF(mast.x() - r, mast.y() - r, 2 * r, 2 * r), 130 * 16, 100 * 16);
    }
    p.setBrush(Qt::white);
    p.drawEllipse(mast, 3, 3);
    QFont title = p.font();
    title.setPixelSize(size.height() / 5);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(size.width() * 0.36, size.height() * 0.18, size.width() * 0.6, size.height() * 0.3),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Pellion"));
    QFont sub = p.font();
    sub.setPixelSize(qMax(10, size.height() / 14));
    sub.setBold(false);
    p.setFont(sub);
    p.setPen(QColor(210, 225, 245));
    p.drawText(QRectF(size.width() * 0.36, size.height() * 0.46, size.width() * 0.6, size.height() * 0.15),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("RADIUS server test tool"));
    return pixmap;
}

} // namespace shell
