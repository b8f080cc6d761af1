#include "shell/LanguageMenu.h"

#include "platform/DialogService.h"
#include "platform/Language.h"
#include "platform/SettingsKey.h"

#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace shell {

QStringList languageMenuNames(const QString &directory)
{
    QStringList names;
    const QStringList entries = QDir(directory).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString &entry : entries)
        names << QFileInfo(entry).completeBaseName();
    return names;
}

LanguageMenu::LanguageMenu(QMenu *menu, QObject *parent)
    : QObject(parent), m_menu(menu), m_group(new QActionGroup(this))
{
    m_group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
}

void LanguageMenu::build(const QString &directory, const QString &current)
{
    for (const QString &name : languageMenuNames(directory)) {
        auto *item = new QAction(name, m_menu);
        item->setCheckable(true);
        item->setChecked(name == current);
        m_group->addAction(item);
        m_menu->addAction(item);
        connect(item, &QAction::triggered, this, [this, item, name] {
            item->setChecked(true);
            // The choice applies either way; the user learns that it will not last.
            if (!platform::Language::setCurrentName(name))
                platform::DialogService::instance().showError(
                    platform::Language::text(
                        "frmMain", "LanguageNotSaved",
                        "The language choice could not be saved to \"%1\"; it applies until Pellion ends.")
                        .arg(platform::SettingsKey::filePathOf(platform::Language::kKeyName)));
            Q_EMIT languageChosen(name);
        });
    }
}

} // namespace shell
