#include "shell/TfrmDataMod.h"

namespace shell {

TfrmDataMod::TfrmDataMod()
    : m_check(std::make_unique<taskstore::Connection>(taskstore::Connection::defaultPath())),
      m_run(std::make_unique<taskstore::Connection>(taskstore::Connection::defaultPath()))
{
}

} // namespace shell
