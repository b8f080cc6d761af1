#pragma once

#include <QObject>
#include <QStringList>

class QActionGroup;
class QMenu;

namespace shell {

// The names the Language menu lists: every entry of the language directory except "."
// and "..", in the order the platform lists them, without its extension.
QStringList languageMenuNames(const QString &directory);

// Fills the Language menu, one radio item per entry, and reports a choice after storing
// it as the current language.
class LanguageMenu : public QObject {
    Q_OBJECT
public:
    LanguageMenu(QMenu *menu, QObject *parent);

    // `current` is checked when an item's caption equals it exactly.
    void build(const QString &directory, const QString &current);

Q_SIGNALS:
    // The user chose a language; it is stored already (when the key could be written).
    void languageChosen(const QString &name);

private:
    QMenu *m_menu;
    QActionGroup *m_group;
};

} // namespace shell
