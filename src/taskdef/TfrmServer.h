#pragma once

#include <QDialog>

#include <memory>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace taskstore {
class Connection;
}

namespace taskdef {

class ServerTable;

// The server manager: the list of RADIUS servers and their secrets, edited in place in
// the Server table. Shown without blocking its opener.
class TfrmServer : public QDialog {
    Q_OBJECT
public:
    explicit TfrmServer(taskstore::Connection &connection, QWidget *parent = nullptr);
    ~TfrmServer() override;

    // Creates the window, shows it without blocking and lets it free itself when closed.
    static TfrmServer *open(taskstore::Connection &connection, QWidget *parent);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void loadList();
    void applyLanguage();
    void selectionChanged();
    void spbtnAddClick();
    void spbtnDeleteClick();

    std::unique_ptr<ServerTable> m_table;
    QLineEdit *m_ip = nullptr;
    QLineEdit *m_key = nullptr;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_exit = nullptr;
};

} // namespace taskdef
