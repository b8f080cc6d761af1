#include "shell/TfrmSplash.h"

#include "shell/ProductInfo.h"
#include "shell/ProductLinks.h"
#include "shell/ShellIcons.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace shell {

TfrmSplash::TfrmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(441, 228);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#frmSplash { background: white; border: 1px solid #5a7090; }"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 8);
    layout->setSpacing(2);
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgProduct"));
    picture->setPixmap(ShellIcons::productPicture(QSize(439, 150)));
    layout->addWidget(picture);
    auto *version = new QLabel(product::kSplashVersion, this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setContentsMargins(12, 2, 12, 0);
    layout->addWidget(version);
    for (QLabel *link : {makeWebLink(this), makeMailLink(this)}) {
        link->setContentsMargins(12, 0, 12, 0);
        layout->addWidget(link);
    }

    if (const QScreen *screen = QApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    m_timer->setObjectName(QStringLiteral("TimerSplash"));
    m_timer->setInterval(2000);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &TfrmSplash::TimerSplashTimer);
}

void TfrmSplash::showNow()
{
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_timer->start();
}

void TfrmSplash::TimerSplashTimer()
{
    m_timer->stop();
    hide();
    close(); // deletes the window
}

} // namespace shell
