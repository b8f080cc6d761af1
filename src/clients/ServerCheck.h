#pragma once

#include "clients/ClientOptions.h"
#include "clients/ServerAddress.h"

#include <string>

namespace clients {

class ConsoleOutput;

// What the server did with one probe.
struct ProbeAnswer {
    bool answered = false;
    unsigned replyCode = 0;
    int authenticatorPosition = -1; // of the reply's Message-Authenticator; -1: none
};

// The verdict line on a server's answers to the three probes: an Access-Request without
// Message-Authenticator, one with it first, one with Proxy-State and without it.
struct ServerVerdict {
    bool protectedRequests = false; // requests without Message-Authenticator are dropped
    std::string line;               // starts with "Verdict:"
    static ServerVerdict of(const ProbeAnswer &plain, const ProbeAnswer &signedFirst, const ProbeAnswer &proxyState);
};

// radclient -B: sends the three probes to the server, one after the other with the run's
// time-out and retries, says in a line what came back for each and ends with the verdict.
class ServerCheck {
public:
    ServerCheck(const ClientOptions &options, const ServerAddress &server, ConsoleOutput &out)
        : m_options(options), m_server(server), m_out(out)
    {
    }
    // False when the probes could not be sent, or the server is not protected.
    bool run();

private:
    bool probe(const char *title, bool withAuthenticator, bool withProxyState, ProbeAnswer &answer);

    const ClientOptions &m_options;
    const ServerAddress &m_server;
    ConsoleOutput &m_out;
};

} // namespace clients
