#include "dictmanager/GlossorText.h"
#include "dictmanager/TfrmMain.h"
#include "platform/CurrentLanguage.h"
#include "platform/DialogService.h"
#include "platform/ProgramDirectory.h"
#include "platform/QtTranslation.h"
#include "platform/SingleInstance.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glossor"));
    platform::ProgramDirectory::enterExecutableDirectory();
    // Qt's own texts (buttons, file dialogs) in the language Pellion last chose.
    platform::QtTranslation::use(platform::CurrentLanguage::currentFile());

    platform::SingleInstance guard(QStringLiteral("Glossor.exe"));
    if (!guard.acquire()) {
        platform::DialogService::instance().inform(
            dictmanager::glossorText("AlreadyRunning", "Application Already Running"));
        return 0;
    }
    // Plain message boxes carry the application's title.
    QApplication::setApplicationName(dictmanager::glossorText("Title", "Dictionary Manager"));
    dictmanager::TfrmMain window;
    window.show();
    app.exec();
    return 0;
}
