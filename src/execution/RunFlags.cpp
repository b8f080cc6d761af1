#include "execution/RunFlags.h"

namespace execution {

void RunFlags::requestStop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
}

void RunFlags::abandon()
{
    m_abandon = true;
    requestStop();
}

void RunFlags::suspend()
{
    std::lock_guard lock(m_mutex);
    m_suspended = true;
}

void RunFlags::resume()
{
    {
        std::lock_guard lock(m_mutex);
        m_suspended = false;
    }
    m_wake.notify_all();
}

bool RunFlags::checkpoint()
{
    if (m_suspended.load()) {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [this] { return !m_suspended || m_stop; });
    }
    return stopRequested();
}

} // namespace execution
