#include "shell/PellionApp.h"

#include "execution/Settings.h"
#include "platform/DialogService.h"
#include "platform/ProgramDirectory.h"
#include "platform/SingleInstance.h"
#include "radius/Dictionary.h"
#include "shell/ProductInfo.h"
#include "shell/ProgramTaskWindows.h"
#include "shell/TfrmDataMod.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmSplash.h"
#include "taskstore/DatabaseError.h"

#include <QApplication>
#include <QPointer>

#include <memory>

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
    platform::ProgramDirectory::enterExecutableDirectory();

    platform::SingleInstance instance(QStringLiteral("Pellion"));
    if (!instance.acquire())
        return 0; // another instance runs: no window, no message

    QPointer<TfrmSplash> splash;
    if (execution::Settings::read().DisplaySplash) {
        splash = new TfrmSplash;
        splash->showNow();
    }
    // The main window ends the program itself, also when it sits hidden in the tray.
    QApplication::setQuitOnLastWindowClosed(false);

    ProgramTaskWindows windows;
    std::unique_ptr<TfrmMain> main;
    std::unique_ptr<TfrmDataMod> dataModule;
    try {
        main = std::make_unique<TfrmMain>(windows);
        windows.setConnection(&main->connection());
        dataModule = std::make_unique<TfrmDataMod>();
        main->attachDataModule(*dataModule);
    } catch (const taskstore::DatabaseError &error) {
        closeSplash(splash);
        platform::DialogService::instance().showError(error.text());
        return 0;
    } catch (const std::exception &error) {
        closeSplash(splash);
        platform::DialogService::instance().showError(QString::fromLocal8Bit(error.what()));
        return 0;
    }
    main->show();
    if (splash)
        splash->raise();
    QApplication::exec();
    main.reset();
    radius::Dictionary::unload();
    return 0;
}

} // namespace shell
