#pragma once

#include <QObject>

class QMainWindow;
class QMenu;
class QSystemTrayIcon;

namespace shell {

// The tray icon of the main window and its menu's Show and Hide: a double-click brings the
// window back; with the icon shown, a minimised window leaves the task bar.
class TrayControl : public QObject {
    Q_OBJECT
public:
    // Without `shown` the window has no tray icon at all.
    TrayControl(QMainWindow &window, QMenu &menu, bool shown);
    ~TrayControl() override;
    TrayControl(const TrayControl &) = delete;
    TrayControl &operator=(const TrayControl &) = delete;

    QSystemTrayIcon *icon() const { return m_icon; }
    // Closing has begun: the icon goes and does nothing more.
    void beginClosing();
    // The window was minimised.
    void windowMinimised();

    void showFormClick();
    void hideFormClick();

private:
    void restoreWindow();

    QMainWindow &m_window;
    QSystemTrayIcon *m_icon = nullptr;
    bool m_closing = false;
};

} // namespace shell
