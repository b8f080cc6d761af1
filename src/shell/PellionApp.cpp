#include "shell/PellionApp.h"

#include "execution/Settings.h"
#include "platform/CurrentLanguage.h"
#include "platform/DialogService.h"
#include "platform/ProgramDirectory.h"
#include "platform/QtTranslation.h"
#include "platform/SingleInstance.h"
#include "radius/Dictionary.h"
#include "shell/PellionSession.h"
#include "shell/ProductInfo.h"
#include "shell/ShellIcons.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmSplash.h"

#include <QApplication>
#include <QPointer>

namespace shell {

namespace {
void closeSplash(QPointer<TfrmSplash> &splash)
{
    if (splash)
        splash->close();
}
} // namespace

int runPellion(int &argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(product::kTitle);
    // The run engine's messages become message boxes.
    platform::DialogService::useQtDialogs();
    platform::ProgramDirectory::enterExecutableDirectory();
    // Qt's own texts in the chosen language from the first message on.
    platform::QtTranslation::use(platform::CurrentLanguage::currentFile());
    QApplication::setWindowIcon(ShellIcons::applicationIcon());

    platform::SingleInstance instance(QStringLiteral("Pellion"));
    if (!instance.acquire())
        return 0; // another instance runs: no window, no message

    QPointer<TfrmSplash> splash;
    if (execution::Settings::read().DisplaySplash) {
        splash = new TfrmSplash;
        splash->showNow();
    }
    {
        PellionSession session;
        if (const std::optional<QString> error = session.start()) {
            closeSplash(splash);
            platform::DialogService::instance().showError(*error);
            return 0;
        }
        session.main().show();
        if (splash)
            splash->raise();
        QApplication::exec();
    }
    radius::Dictionary::unload();
    return 0;
}

} // namespace shell
