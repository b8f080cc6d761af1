#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace decoder {

// Decode Packet: octets pasted as hexadecimal or loaded from a raw file, taken apart with
// the shared secret and, for a reply, its request; the result shown and copied as text.
class TfrmDecodePacket : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDecodePacket(QWidget *parent = nullptr);

    // Creates the window, shows it without blocking and lets it free itself when closed.
    static TfrmDecodePacket *open(QWidget *parent);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void applyLanguage();
    void btnLoadClick();
    void btnDecodeClick();
    void btnCopyClick();
    QString decodedText() const;

    QPlainTextEdit *m_packet = nullptr;
    QLineEdit *m_secret = nullptr;
    QLineEdit *m_request = nullptr;
    QPlainTextEdit *m_result = nullptr;
    QPushButton *m_load = nullptr;
    QPushButton *m_decode = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace decoder
