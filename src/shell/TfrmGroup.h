#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace shell {

// The group dialog: one name field for adding or renaming a task group. OK with a name
// hands it to the caller's step, which stores it; the dialog closes only when that step
// succeeded.
class TfrmGroup : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Add, Rename };
    using AcceptStep = std::function<bool(const QString &name)>;

    TfrmGroup(Mode mode, const QString &groupKey, const QString &name, AcceptStep accept, QWidget *parent = nullptr);

    Mode mode() const { return m_mode; }
    QString groupKey() const { return m_groupKey; }
    QString name() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void spbtnOKClick();

    Mode m_mode;
    QString m_groupKey; // kept hidden
    AcceptStep m_accept;
    QLabel *m_label;
    QLineEdit *m_name;
};

} // namespace shell
