#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace shell {

// The commands that open something beside the main window: Options, the help, About, the
// home page and the dictionary manager.
class ProgramCommands {
public:
    explicit ProgramCommands(QWidget &window) : m_window(window) {}

    void optionsClick();
    void helpClick();
    void aboutClick();
    static void homepageClick();
    // Glossor as a child; `say` shows what its end meant for the loaded dictionary.
    void dictionaryManagerClick(const std::function<void(const QString &)> &say);

private:
    QWidget &m_window;
};

} // namespace shell
