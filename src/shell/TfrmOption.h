#pragma once

#include "execution/Settings.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace shell {

// The Options dialog: shows the settings each time it is shown and writes all of them
// on OK.
class TfrmOption : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOption(QWidget *parent = nullptr);

    // The values the controls hold now.
    execution::Settings controlValues() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *makeStartupPage();
    QWidget *makeLogPage();
    QWidget *makePriorityPage();
    void applyLanguage();
    void putValues(const execution::Settings &values);
    void setSwatch(int row, quint32 colour);
    void chooseColour(int row);
    void chkDefaultClick(bool ticked);
    void BitBtnOKClick();

    QTabWidget *m_pages = nullptr;
    QCheckBox *m_minimized = nullptr;
    QCheckBox *m_hideTray = nullptr;
    QCheckBox *m_splash = nullptr;
    QButtonGroup *m_close = nullptr;
    QLineEdit *m_logFileName = nullptr;
    QSpinBox *m_logSize = nullptr;
    std::array<QLabel *, 4> m_swatches{};
    std::array<quint32, 4> m_colours{}; // Summary, Info, Warning, Error
    QButtonGroup *m_priority = nullptr;
    QCheckBox *m_default = nullptr;
};

} // namespace shell
