#include "shell/ProgramCommands.h"

#include "platform/DialogService.h"
#include "platform/Language.h"
#include "platform/ProgramDirectory.h"
#include "shell/DesktopOpener.h"
#include "shell/GlossorLauncher.h"
#include "shell/HelpPage.h"
#include "shell/ProductInfo.h"
#include "shell/TfrmAbout.h"
#include "shell/TfrmOption.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

namespace shell {

void ProgramCommands::optionsClick()
{
    TfrmOption dialog(&m_window);
    dialog.exec();
}

void ProgramCommands::helpClick()
{
    QApplication::processEvents();
    const QString help = helpPagePath(platform::ProgramDirectory::filePath(QStringLiteral("Help")),
                                      platform::Language::text("Help", "Page", "index.html"));
    // Without a browser nothing would show at all: say so, and where the help is.
    openOnDesktop(help, &m_window, [help] {
        platform::DialogService::instance().showError(
            platform::Language::text("Messages", "HelpNotOpened", "The desktop could not open the help file: %1")
                .arg(help));
    });
}

void ProgramCommands::aboutClick()
{
    TfrmAbout about(&m_window);
    about.exec();
}

void ProgramCommands::homepageClick()
{
    QDesktopServices::openUrl(QUrl(product::kHomePage));
}

void ProgramCommands::dictionaryManagerClick(const std::function<void(const QString &)> &say)
{
    QApplication::processEvents();
    auto *glossor = m_window.findChild<GlossorLauncher *>(QString(), Qt::FindDirectChildrenOnly);
    if (!glossor)
        glossor = new GlossorLauncher(say, &m_window);
    glossor->start();
}

} // namespace shell
