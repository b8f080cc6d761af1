#include "clients/ConsoleOutput.h"

#include <cerrno>
#include <unistd.h>

namespace clients {

namespace {
constexpr std::size_t kFlushAt = std::size_t{64} * 1024;
}

ConsoleOutput::ConsoleOutput(int fd) : m_fd(fd)
{
}

ConsoleOutput::~ConsoleOutput()
{
    flush();
}

void ConsoleOutput::line(const std::string &text)
{
    // A line never carries a bare line end of its own: the reader splits on LF.
    for (char c : text)
        m_buffer.push_back(c == '\n' || c == '\r' ? ' ' : c);
    m_buffer += "\r\n";
    if (m_buffer.size() >= kFlushAt)
        flush();
}

void ConsoleOutput::flush()
{
    std::size_t done = 0;
    while (done < m_buffer.size()) {
        const ssize_t n = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            break; // the reader is gone; nothing more can be shown
        }
        done += static_cast<std::size_t>(n);
    }
    m_buffer.clear();
}

} // namespace clients
