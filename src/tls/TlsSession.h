#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace tls {

// What a client session trusts and shows.
struct TlsSettings {
    std::string caFile;   // certificates the server's must chain to; empty: the system's
    std::string certFile; // our certificate, PEM; empty: none
    std::string keyFile;  // its private key, PEM; empty: in certFile
    std::string peerName; // host name or IP address the server's certificate must name
};

// A TLS 1.2 or 1.3 client session over a connected non-blocking socket the caller owns.
class TlsSession {
public:
    enum class Io { Done, WantRead, WantWrite, Closed, Failed };

    // Null with error set when the settings cannot be loaded (a missing file, a key that
    // does not fit the certificate).
    static std::unique_ptr<TlsSession> create(const TlsSettings &settings, int fd, std::string &error);
    ~TlsSession();
    TlsSession(const TlsSession &) = delete;
    TlsSession &operator=(const TlsSession &) = delete;

    // Done once the server is verified; Failed with the reason (the verify error's text
    // when the certificate was refused).
    Io handshake(std::string &error);
    // Done with done > 0 octets moved, or why nothing moved.
    Io read(void *data, std::size_t size, std::size_t &done, std::string &error);
    Io write(const void *data, std::size_t size, std::size_t &done, std::string &error);
    // "TLSv1.3, TLS_AES_256_GCM_SHA384"
    std::string description() const;

private:
    struct State;
    explicit TlsSession(std::unique_ptr<State> state);
    Io outcome(int rc, std::string &error);

    std::unique_ptr<State> m_state;
};

} // namespace tls
