#include "platform/Language.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>

namespace platform {

namespace {
// A tab page's caption lives in its QTabWidget, two parents up (page → stack → tabs).
bool setTabCaption(QWidget *page, const QString &caption)
{
    QWidget *stack = page->parentWidget();
    auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
    if (!tabs || !qobject_cast<QStackedWidget *>(stack))
        return false;
    const int index = tabs->indexOf(page);
    if (index < 0)
        return false;
    tabs->setTabText(index, caption);
    return true;
}

void setCaption(QObject *target, const QString &caption)
{
    if (auto *action = qobject_cast<QAction *>(target))
        action->setText(caption);
    else if (auto *menu = qobject_cast<QMenu *>(target))
        menu->setTitle(caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(target))
        button->setText(caption);
    else if (auto *label = qobject_cast<QLabel *>(target))
        label->setText(caption);
    else if (auto *group = qobject_cast<QGroupBox *>(target))
        group->setTitle(caption);
    else if (auto *widget = qobject_cast<QWidget *>(target))
        setTabCaption(widget, caption);
}
} // namespace

void Language::apply(QWidget *window, std::span<const TextEntry> entries, const LanguageFile &file)
{
    for (const TextEntry &entry : entries) {
        const QString key = QString::fromUtf8(entry.key);
        const QString caption = file.text(QString::fromUtf8(entry.section), key, QString::fromUtf8(entry.builtIn));
        const QString control = entry.control ? QString::fromUtf8(entry.control) : key.section(QLatin1Char('.'), 0, 0);
        // "Title", or the window's own name ("frmTask.Caption"), is the window's caption.
        if (key == QLatin1String("Title") || control == window->objectName()) {
            window->setWindowTitle(caption);
            continue;
        }
        if (QObject *target = window->findChild<QObject *>(control))
            setCaption(target, caption);
    }
}

void Language::apply(QWidget *window, std::span<const TextEntry> entries)
{
    apply(window, entries, currentFile());
}

} // namespace platform
