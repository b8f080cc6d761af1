#pragma once

#include <QString>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// A port on 127.0.0.1 bound but never read (UDP: nothing answers) or listened on (TCP:
// connections are refused; after listen() they are taken but never read), free again
// with the object.
class LoopbackPort {
public:
    explicit LoopbackPort(int type) : m_fd(::socket(AF_INET, type, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        if (m_fd >= 0 && ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0
            && ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
            m_port = ntohs(address.sin_port);
    }
    ~LoopbackPort()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    LoopbackPort(const LoopbackPort &) = delete;
    LoopbackPort &operator=(const LoopbackPort &) = delete;

    bool isBound() const { return m_port != 0; }
    bool listen() { return ::listen(m_fd, 4) == 0; }
    // "127.0.0.1:port"
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

private:
    int m_fd;
    quint16 m_port = 0;
};
