#include "platform/WindowState.h"

#include "platform/SettingsKey.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {
const QLatin1String kGeometry("geometry");
const QLatin1String kMaximized("maximized");

QString splitterKey(const QSplitter *splitter)
{
    return splitter->objectName().isEmpty() ? QString() : QLatin1String("splitter/") + splitter->objectName();
}

QString headerKey(const QHeaderView *header)
{
    QString name = header->objectName();
    if (name.isEmpty() && header->parentWidget())
        name = header->parentWidget()->objectName();
    if (name.isEmpty())
        return {};
    return (header->orientation() == Qt::Horizontal ? QLatin1String("columns/") : QLatin1String("rows/")) + name;
}

qint64 overlap(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}
} // namespace

WindowState::WindowState(const QString &windowKey) : m_key(windowKey)
{
}

QString WindowState::filePath()
{
    return SettingsKey::filePathOf(QStringLiteral("WindowState"));
}

bool WindowState::save(const QWidget &window) const
{
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.remove(m_key);
    settings.beginGroup(m_key);
    const bool maximized = window.isMaximized();
    const QRect normal = maximized && window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    settings.setValue(kGeometry, normal);
    settings.setValue(kMaximized, maximized);
    for (const QSplitter *splitter : window.findChildren<QSplitter *>()) {
        if (const QString key = splitterKey(splitter); !key.isEmpty())
            settings.setValue(key, splitter->saveState());
    }
    for (const QHeaderView *header : window.findChildren<QHeaderView *>()) {
        const QString key = headerKey(header);
        if (key.isEmpty())
            continue;
        QVariantList sizes;
        for (int i = 0; i < header->count(); ++i)
            sizes << header->sectionSize(i);
        settings.setValue(key, sizes);
    }
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool WindowState::restore(QWidget &window) const
{
    QSettings settings(filePath(), QSettings::IniFormat);
    if (!settings.childGroups().contains(m_key))
        return false;
    settings.beginGroup(m_key);
    const QRect saved = settings.value(kGeometry).toRect();
    if (saved.isValid())
        window.setGeometry(fittedInto(saved, availableAreaFor(saved)));
    for (QSplitter *splitter : window.findChildren<QSplitter *>()) {
        const QString key = splitterKey(splitter);
        if (!key.isEmpty() && settings.contains(key))
            splitter->restoreState(settings.value(key).toByteArray());
    }
    for (QHeaderView *header : window.findChildren<QHeaderView *>()) {
        const QString key = headerKey(header);
        if (key.isEmpty() || !settings.contains(key))
            continue;
        const QVariantList sizes = settings.value(key).toList();
        // The stretched last section follows the view's width, not a saved size.
        const int last = header->stretchLastSection() ? header->count() - 1 : header->count();
        for (int i = 0; i < std::min<int>(last, int(sizes.size())); ++i) {
            if (const int size = sizes.at(i).toInt(); size > 0)
                header->resizeSection(i, size);
        }
    }
    if (settings.value(kMaximized).toBool())
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    settings.endGroup();
    return true;
}

QRect WindowState::fittedInto(const QRect &frame, const QRect &available)
{
    if (available.isEmpty())
        return frame;
    QRect fitted = frame;
    fitted.setWidth(std::min(frame.width(), available.width()));
    fitted.setHeight(std::min(frame.height(), available.height()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(), available.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), available.top(), available.bottom() - fitted.height() + 1));
    return fitted;
}

QRect WindowState::availableAreaFor(const QRect &frame)
{
    QRect best;
    qint64 bestOverlap = 0;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const qint64 shown = overlap(frame, screen->availableGeometry());
        if (shown > bestOverlap) {
            bestOverlap = shown;
            best = screen->availableGeometry();
        }
    }
    if (best.isEmpty() && QGuiApplication::primaryScreen())
        best = QGuiApplication::primaryScreen()->availableGeometry();
    return best;
}

} // namespace platform
