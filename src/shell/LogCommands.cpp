#include "shell/LogCommands.h"

#include "execution/ClientText.h"
#include "execution/LogPane.h"
#include "execution/PageCtrlLog.h"
#include "platform/DialogService.h"
#include "platform/Language.h"

#include <QSaveFile>

namespace shell {

LogCommands::LogCommands(execution::PageCtrlLog &pages, QWidget &window) : m_pages(pages), m_window(window)
{
}

void LogCommands::saveAsClick()
{
    execution::LogPane *pane = m_pages.allLog();
    if (pane->isEmpty())
        return;
    platform::FileRequest request;
    request.title = platform::Language::text("frmMain", "LogSaveTitle", "Save As");
    request.filter = platform::Language::text("frmMain", "LogFileFilter", "Text files(*.txt);;All files(*.*)");
    request.defaultSuffix = QStringLiteral("txt");
    const QString path = platform::DialogService::instance().saveFileName(request);
    if (path.isEmpty() || !m_pages.isAllLogActive())
        return;
    // The clients' bytes as they wrote them, like the log file.
    QByteArray text;
    for (const QString &line : pane->storedLines())
        text += execution::encodeClientText(line) + '\n';
    // Written whole or not at all: a failed save leaves the previous file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0 || !file.commit())
        platform::DialogService::instance().showError(
            platform::Language::text("frmMain", "CannotWrite", "Cannot write \"%1\": %2")
                .arg(path, file.errorString()));
}

void LogCommands::clearClick()
{
    if (m_pages.isAllLogActive())
        m_pages.allLog()->clear();
}

void LogCommands::findClick()
{
    if (m_pages.allLog()->isEmpty() || !m_pages.isAllLogActive())
        return;
    if (!m_findDialog) {
        m_findDialog = new FindDialog(&m_window);
        connect(m_findDialog, &FindDialog::findNext, this, &LogCommands::findNext);
    }
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
}

void LogCommands::findNext(const QString &text)
{
    // Case-exact, from the end of the selection; without a match nothing changes.
    execution::LogPane *pane = m_pages.allLog();
    if (pane->find(text))
        pane->setFocus();
}

void LogCommands::browseClick()
{
    execution::PageCtrlLog::browseLogFolder();
}

} // namespace shell
