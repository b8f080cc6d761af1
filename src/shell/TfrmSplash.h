#pragma once

#include <QWidget>

class QTimer;

namespace shell {

// The borderless start-up window, kept above the others; it frees itself after two
// seconds of the message loop.
class TfrmSplash : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);

    // Shows the window and paints it at once, before the message loop runs.
    void showNow();

private:
    void TimerSplashTimer();

    QTimer *m_timer;
};

} // namespace shell
