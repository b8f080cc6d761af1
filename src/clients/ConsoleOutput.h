#pragma once

#include <string>

namespace clients {

// Writes the client's lines to standard output, each ending in CR LF. Lines are
// buffered; the client flushes them soon after they were written (see RequestEngine).
class ConsoleOutput {
public:
    explicit ConsoleOutput(int fd = 1);
    ~ConsoleOutput();
    ConsoleOutput(const ConsoleOutput &) = delete;
    ConsoleOutput &operator=(const ConsoleOutput &) = delete;

    void line(const std::string &text);
    void info(const std::string &text) { line("Info: " + text); }
    void warning(const std::string &text) { line("Warning: " + text); }
    void error(const std::string &text) { line("Error: " + text); }
    void flush();
    bool hasPending() const { return !m_buffer.empty(); }

private:
    int m_fd;
    std::string m_buffer;
};

} // namespace clients
