#pragma once

#include <QDialog>

class QLineEdit;

namespace shell {

// The log pane's non-modal find dialog: a search text and a "Find Next" button that
// asks for the next match each time.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget *parent = nullptr);

    QString searchText() const;
    void setSearchText(const QString &text);

Q_SIGNALS:
    void findNext(const QString &text);

private:
    QLineEdit *m_text;
};

} // namespace shell
