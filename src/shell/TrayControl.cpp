#include "shell/TrayControl.h"

#include "shell/ShellIcons.h"

#include <QApplication>
#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QTimer>

namespace shell {

TrayControl::TrayControl(QMainWindow &window, QMenu &menu, bool shown) : m_window(window)
{
    if (!shown)
        return;
    m_icon = new QSystemTrayIcon(ShellIcons::applicationIcon(), &window);
    m_icon->setObjectName(QStringLiteral("TrayIcon"));
    m_icon->setContextMenu(&menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (m_closing)
            return;
        if (reason == QSystemTrayIcon::DoubleClick)
            restoreWindow();
        else if (reason == QSystemTrayIcon::Context && QApplication::activeWindow())
            QApplication::activeWindow()->raise();
    });
    m_icon->show();
}

TrayControl::~TrayControl()
{
    delete m_icon;
}

void TrayControl::beginClosing()
{
    m_closing = true;
    if (m_icon)
        m_icon->hide();
}

void TrayControl::windowMinimised()
{
    if (!m_icon || !m_icon->isVisible() || !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    QTimer::singleShot(0, this, [this] {
        if (m_window.isMinimized())
            m_window.hide();
    });
}

void TrayControl::showFormClick()
{
    m_window.show();
    if (m_window.isMinimized())
        m_window.showNormal();
}

void TrayControl::hideFormClick()
{
    m_window.hide();
}

void TrayControl::restoreWindow()
{
    m_window.showNormal();
    m_window.raise();
    m_window.activateWindow();
}

} // namespace shell
