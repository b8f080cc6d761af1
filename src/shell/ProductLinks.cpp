#include "shell/ProductLinks.h"

#include "platform/Language.h"
#include "shell/ProductInfo.h"

#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

namespace shell {

namespace {
QLabel *makeLink(QWidget *parent, const QString &caption, const QString &shown, const QString &url, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setText(caption + QLatin1String("<a href=\"") + url.toHtmlEscaped() + QLatin1String("\">")
                   + shown.toHtmlEscaped() + QLatin1String("</a>"));
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setOpenExternalLinks(false);
    QObject::connect(label, &QLabel::linkActivated, label,
                     [](const QString &link) { QDesktopServices::openUrl(QUrl(link)); });
    return label;
}
} // namespace

QLabel *makeWebLink(QWidget *parent)
{
    return makeLink(parent, platform::Language::text("frmAbout", "lblWeb.Caption", "Web: "), product::kHomePage,
                    product::kHomePage, "lblWeb");
}

QLabel *makeMailLink(QWidget *parent)
{
    return makeLink(parent, platform::Language::text("frmAbout", "lblEmail.Caption", "Email:"), product::kSupportMail,
                    QLatin1String("mailto:") + product::kSupportMail, "lblEmail");
}

} // namespace shell
