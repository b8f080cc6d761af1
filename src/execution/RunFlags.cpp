#include "execution/RunFlags.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace execution {

RunFlags::RunFlags() : m_wakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

RunFlags::~RunFlags()
{
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

void RunFlags::requestStop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    signalChange();
}

void RunFlags::abandon()
{
    m_abandon = true;
    requestStop();
}

void RunFlags::suspend()
{
    {
        std::lock_guard lock(m_mutex);
        m_suspended = true;
    }
    signalChange();
}

void RunFlags::resume()
{
    {
        std::lock_guard lock(m_mutex);
        m_suspended = false;
    }
    m_wake.notify_all();
    signalChange();
}

bool RunFlags::checkpoint()
{
    if (m_suspended.load()) {
        std::unique_lock lock(m_mutex);
        m_held = true;
        m_wake.wait(lock, [this] { return !m_suspended || m_stop; });
        m_held = false;
    }
    return stopRequested();
}

void RunFlags::drainWake()
{
    std::uint64_t count;
    if (m_wakeFd >= 0)
        (void)!::read(m_wakeFd, &count, sizeof count);
}

void RunFlags::signalChange()
{
    const std::uint64_t one = 1;
    if (m_wakeFd >= 0)
        (void)!::write(m_wakeFd, &one, sizeof one);
}

} // namespace execution
