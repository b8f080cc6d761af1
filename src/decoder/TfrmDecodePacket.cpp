#include "decoder/TfrmDecodePacket.h"

#include "decoder/DecodeReportText.h"
#include "decoder/HexInput.h"
#include "decoder/PacketDecoder.h"

#include "platform/DialogService.h"
#include "platform/Language.h"
#include "platform/NamedControl.h"
#include "textcolumns/ColumnFont.h"

#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace decoder {

namespace {
using platform::named;
using platform::namedLabel;

const platform::TextEntry kTexts[] = {
    {"frmDecodePacket", "Title", "Decode Packet"},
    {"frmDecodePacket", "lblPacket.Caption", "Packet (hexadecimal):"},
    {"frmDecodePacket", "lblSecret.Caption", "Shared secret:"},
    {"frmDecodePacket", "lblRequest.Caption", "Request authenticator or request (for a reply):"},
    {"frmDecodePacket", "btnLoad.Caption", "&Load File..."},
    {"frmDecodePacket", "btnDecode.Caption", "&Decode"},
    {"frmDecodePacket", "btnCopy.Caption", "&Copy"},
    {"frmDecodePacket", "btnClose.Caption", "Close"},
};

QString word(const char *key, const char *builtIn)
{
    return platform::Language::text("frmDecodePacket", key, builtIn);
}

QString error(const QString &text)
{
    return word("Report.Error", "Error: %1").arg(text);
}
} // namespace

TfrmDecodePacket::TfrmDecodePacket(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDecodePacket"));
    setWindowTitle(QStringLiteral("Decode Packet"));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_packet = named(new QPlainTextEdit, "edtPacket");
    m_packet->setFont(fixed);
    m_packet->setTabChangesFocus(true);
    m_secret = named(new QLineEdit, "edtSecret");
    m_request = named(new QLineEdit, "edtRequest");
    m_request->setFont(fixed);
    m_result = named(new QPlainTextEdit, "memResult");
    m_result->setReadOnly(true);
    m_result->setFont(textcolumns::columnFont()); // its fields line up in Chinese too
    m_result->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_load = named(new QPushButton(QStringLiteral("&Load File...")), "btnLoad");
    m_decode = named(new QPushButton(QStringLiteral("&Decode")), "btnDecode");
    m_decode->setDefault(true);
    m_copy = named(new QPushButton(QStringLiteral("&Copy")), "btnCopy");
    m_close = named(new QPushButton(QStringLiteral("Close")), "btnClose");

    auto *fields = new QGridLayout;
    fields->addWidget(namedLabel("lblPacket", "Packet (hexadecimal):"), 0, 0, Qt::AlignTop);
    fields->addWidget(m_packet, 0, 1);
    fields->addWidget(m_load, 0, 2, Qt::AlignTop);
    fields->addWidget(namedLabel("lblSecret", "Shared secret:"), 1, 0);
    fields->addWidget(m_secret, 1, 1, 1, 2);
    fields->addWidget(namedLabel("lblRequest", "Request authenticator or request (for a reply):"), 2, 0);
    fields->addWidget(m_request, 2, 1, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_decode);
    buttons->addWidget(m_copy);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_result, 1);
    layout->addLayout(buttons);
    resize(760, 620);

    connect(m_load, &QPushButton::clicked, this, &TfrmDecodePacket::btnLoadClick);
    connect(m_decode, &QPushButton::clicked, this, &TfrmDecodePacket::btnDecodeClick);
    connect(m_copy, &QPushButton::clicked, this, &TfrmDecodePacket::btnCopyClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
}

TfrmDecodePacket *TfrmDecodePacket::open(QWidget *parent)
{
    auto *window = new TfrmDecodePacket(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setModal(false);
    window->show();
    return window;
}

void TfrmDecodePacket::showEvent(QShowEvent *event)
{
    applyLanguage();
    QDialog::showEvent(event);
}

void TfrmDecodePacket::applyLanguage()
{
    platform::Language::apply(this, kTexts, platform::Language::currentFile());
}

void TfrmDecodePacket::btnLoadClick()
{
    const QString path = platform::DialogService::instance().openFileName(
        {windowTitle(), QString(), word("FileFilter", "All Files (*.*)"), QString(), QString()});
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        platform::DialogService::instance().showError(file.errorString());
        return;
    }
    // The octets as they stand, shown as the text they would be pasted as.
    m_packet->setPlainText(QString::fromLatin1(file.readAll().toHex(' ')));
    btnDecodeClick();
}

QString TfrmDecodePacket::decodedText() const
{
    const platform::LanguageFile language = platform::Language::currentFile();
    const auto octets = HexInput::parse(m_packet->toPlainText(), language);
    if (!octets)
        return error(octets.error());
    std::optional<RequestContext> request;
    if (!m_request->text().trimmed().isEmpty()) {
        const auto requestOctets = HexInput::parse(m_request->text(), language);
        if (!requestOctets)
            return error(word("RequestError", "Request: %1").arg(requestOctets.error()));
        request = RequestContext::fromOctets(*requestOctets);
        if (!request)
            return error(word("RequestError", "Request: %1")
                             .arg(word("RequestShape", "give its 16-octet authenticator or its octets, header first")));
    }
    const PacketDecoder decoder(m_secret->text().toUtf8(), request, language);
    return DecodeReportText::lines(decoder.decode(*octets), language).join(QLatin1Char('\n'));
}

void TfrmDecodePacket::btnDecodeClick()
{
    m_result->setPlainText(decodedText());
}

void TfrmDecodePacket::btnCopyClick()
{
    QGuiApplication::clipboard()->setText(m_result->toPlainText());
}

} // namespace decoder
