#include "shell/TfrmAbout.h"

#include "platform/Language.h"
#include "shell/ProductInfo.h"
#include "shell/ProductLinks.h"
#include "shell/ShellIcons.h"
#include "shell/ShellTexts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

TfrmAbout::TfrmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Pellion"));
    auto *layout = new QVBoxLayout(this);
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgProduct"));
    picture->setPixmap(ShellIcons::productPicture(QSize(400, 140)));
    layout->addWidget(picture);
    // The numbers stay; the words are the reader's.
    auto *version =
        new QLabel(QString(product::kAboutVersion)
                       .replace(QLatin1String("Version"), platform::Language::text("frmAbout", "Version", "Version"))
                       .replace(QLatin1String("Build"), platform::Language::text("frmAbout", "Build", "Build")),
                   this);
    version->setObjectName(QStringLiteral("lblVersion"));
    layout->addWidget(version);
    layout->addWidget(makeWebLink(this));
    layout->addWidget(makeMailLink(this));
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    platform::Language::apply(this, texts::aboutBox());
}

} // namespace shell
