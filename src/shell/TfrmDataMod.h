#pragma once

#include "taskstore/Connection.h"

#include <memory>

namespace shell {

// The data module: the check connection of the scheduler and the run connection of the
// run threads, opened once after the main window and kept to the end of the process.
class TfrmDataMod {
public:
    // Opens the check connection, then the run connection; throws DatabaseError.
    TfrmDataMod();

    taskstore::Connection &checkConnection() { return *m_check; }
    taskstore::Connection &runConnection() { return *m_run; }

private:
    std::unique_ptr<taskstore::Connection> m_check; // ADOConn_Check
    std::unique_ptr<taskstore::Connection> m_run;   // ADOConn_DoWork
};

} // namespace shell
