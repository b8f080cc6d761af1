#include "clients/SecretFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace clients {

std::string readSecretFile(const std::string &path, std::string &secret)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "Cannot read the secret file " + path + ": " + std::strerror(errno);
    std::string text;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return "Cannot read the secret file " + path + ": " + std::strerror(error);
        }
        if (n == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.find('\n') != std::string::npos)
            break;
    }
    ::close(fd);
    text = text.substr(0, text.find('\n'));
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    if (text.empty())
        return "The secret file " + path + " holds no secret on its first line";
    secret = text;
    return {};
}

} // namespace clients
