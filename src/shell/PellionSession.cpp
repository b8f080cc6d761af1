#include "shell/PellionSession.h"

#include "shell/TfrmDataMod.h"
#include "shell/TfrmMain.h"
#include "taskstore/DatabaseError.h"

#include <QApplication>

namespace shell {

PellionSession::PellionSession() = default;

PellionSession::~PellionSession()
{
    m_main.reset();
    m_dataModule.reset();
}

std::optional<QString> PellionSession::start()
{
    // The main window ends the program itself, also when it sits hidden in the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    try {
        m_main = std::make_unique<TfrmMain>(m_windows);
        m_windows.setConnection(&m_main->connection());
        m_dataModule = std::make_unique<TfrmDataMod>();
        m_main->attachDataModule(*m_dataModule);
    } catch (const taskstore::DatabaseError &error) {
        m_main.reset();
        m_dataModule.reset();
        return error.text();
    } catch (const std::exception &error) {
        m_main.reset();
        m_dataModule.reset();
        return QString::fromLocal8Bit(error.what());
    }
    return std::nullopt;
}

} // namespace shell
