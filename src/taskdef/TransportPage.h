#pragma once

#include "platform/Language.h"
#include "taskstore/TaskTransport.h"

#include <QWidget>

#include <optional>
#include <span>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace taskdef {

// The task editor's transport page: UDP, TCP or TLS with its CA file, client certificate
// and key (picked through the dialog service), and the Message-Authenticator settings.
class TransportPage : public QWidget {
    Q_OBJECT
public:
    explicit TransportPage(QWidget *parent = nullptr);

    void setTransport(const taskstore::TaskTransport &transport);
    taskstore::TaskTransport transport() const;
    // Why OK must not store the settings (a TLS file that does not exist...); none when they do.
    std::optional<QString> refusal() const;
    // The page's texts, applied through the editor window that holds it.
    static std::span<const platform::TextEntry> texts();

private:
    void addFileRow(QGridLayout *grid, int row, const char *labelName, const char *labelText, QLineEdit *edit,
                    const char *buttonName);
    void updateTlsFields();

    QComboBox *m_protocol = nullptr;
    QLineEdit *m_caFile = nullptr;
    QLineEdit *m_certFile = nullptr;
    QLineEdit *m_keyFile = nullptr;
    QList<QPushButton *> m_pickers;
    QCheckBox *m_authenticatorFirst = nullptr;
    QCheckBox *m_requireAuthenticator = nullptr;
};

} // namespace taskdef
