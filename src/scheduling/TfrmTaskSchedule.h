#pragma once

#include "scheduling/ScheduleListRow.h"
#include "scheduling/ScheduleRuleInput.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTimeEdit;

namespace platform {
class SpinEdit;
}

namespace scheduling {

// The schedule editor: composes one rule of a task and hands it back as a schedule list
// row. Opened modally for a new rule, or without blocking for an existing one (modify
// mode, after setRule()); it writes nothing to the database.
class TfrmTaskSchedule : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTaskSchedule(QWidget *parent = nullptr);

    // Modify mode: fills the inputs from an existing row.
    void setRule(const ScheduleListRow &row);
    bool isModifyMode() const { return m_modify; }

    ScheduleRuleInput input() const;
    // The row made at the last OK.
    const ScheduleListRow &acceptedRow() const { return m_row; }

    // Esc, Cancel and the close box: after a change, only when the user agrees.
    void reject() override;

Q_SIGNALS:
    // OK with a valid rule, just before the dialog closes.
    void ruleAccepted(const scheduling::ScheduleListRow &row);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void applyLanguage();
    void refresh();
    void spbtnOKClick();
    platform::SpinEdit *intervalField(int type) const;
    QStringList editState() const;

    QLabel *m_display = nullptr;
    QComboBox *m_type = nullptr;
    QStackedWidget *m_pages = nullptr;
    platform::SpinEdit *m_minute = nullptr;
    platform::SpinEdit *m_hour = nullptr;
    platform::SpinEdit *m_day = nullptr;
    QCheckBox *m_week[7] = {};
    QComboBox *m_month = nullptr;
    QDateEdit *m_once = nullptr;
    QCheckBox *m_hasStart = nullptr;
    QTimeEdit *m_start = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    bool m_modify = false;
    bool m_shown = false;
    QStringList m_shownState; // editState() when first shown
    ScheduleListRow m_row;
};

} // namespace scheduling
