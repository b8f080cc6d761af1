#pragma once

#include "clients/EapOptions.h"

#include <string>
#include <vector>

namespace clients {

// What `-v` prints after the program name: how Pellion tells its own clients from others.
inline constexpr const char *kOwnClientMark = "Pellion";
enum class Transport { Udp, Tcp, Tls };

// The command line both clients accept.
struct ClientOptions {
    int repeat = 1;              // -c: times the packet list is sent
    std::string scriptFile;      // -f
    int firstId = 0;             // -i: identifier of the first request
    double ratePerSecond = 0;    // -n: 0 = as fast as possible
    int parallel = 1;            // -p: requests in flight at once
    int retries = 3;             // -r: sends after the first one
    double timeoutSeconds = 3;   // -t
    bool summary = false;        // -s
    bool showAttributes = false; // -x
    std::string server;          // address:port
    int code = 0;                // numeric request code; 0 when every packet names its own
    std::string secret;
    std::string dictionaryDir; // -d: directory holding the file "dictionary"; empty: beside the program
    std::string recordsFile;   // -R: a JSON line per exchange; empty: none
    std::string secretFile;    // -S: the secret is this file's first line; the secret word is then ignored
    bool legacyMessageAuthenticator = false; // -M: Message-Authenticator only where required, not first
    bool requireReplyAuthenticator = false;  // -A: drop access replies without a valid Message-Authenticator
    bool checkServer = false;                // -B (radclient): probe the server instead of sending -f
    Transport transport = Transport::Udp;    // -P udp|tcp|tls
    std::string caFile;                      // --ca: certificates the TLS server's must chain to
    std::string certFile;                    // --cert: our TLS client certificate
    std::string keyFile;                     // --key: its private key (default: in the --cert file)
    bool msChapV2 = false;                   // -a mschapv2 (radclient): Access-Requests authenticate with MS-CHAPv2
    EapOptions eap;                          // radeapclient: -a METHOD and the TLS methods' files
};

// The secret word Pellion puts where the secret stood when it hands the secret over with -S.
inline constexpr const char *kSecretPlaceholder = "-";

// The secret RadSec uses, taken over TLS when the command line names none.
inline constexpr const char *kRadsecSecret = "radsec";

// Parses argv after the program name. eapClient refuses -n and -p.
// Returns false with a reason for the usage text when the words do not fit.
bool parseClientOptions(const std::vector<std::string> &words, bool eapClient, ClientOptions &out, std::string &reason);

std::string usageText(const std::string &program, bool eapClient);

} // namespace clients
