#include "clients/ClientOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

namespace clients {

namespace {

bool parseInteger(const std::string &text, long min, long max, int &out)
{
    if (text.empty() || text[0] == '-' || text[0] == '+')
        return false;
    char *end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < min || value > max)
        return false;
    out = static_cast<int>(value);
    return true;
}

bool parseNumber(const std::string &text, double min, double max, double &out)
{
    if (text.empty() || text[0] == '-' || text[0] == '+')
        return false;
    char *end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value) || value < min || value > max)
        return false;
    out = value;
    return true;
}

bool parseTransport(const std::string &text, Transport &out)
{
    const std::pair<const char *, Transport> names[] = {
        {"udp", Transport::Udp}, {"tcp", Transport::Tcp}, {"tls", Transport::Tls}};
    for (const auto &[name, transport] : names) {
        if (text == name) {
            out = transport;
            return true;
        }
    }
    return false;
}

// --name FILE or --name=FILE; i moves past a value taken from the next word.
bool takeLongOption(const std::vector<std::string> &words, std::size_t &i, bool eapClient, ClientOptions &out,
                    std::string &reason)
{
    if (eapClient)
        if (const EapOptionTaken taken = takeEapOption(words, i, out.eap, reason); taken != EapOptionTaken::No)
            return taken == EapOptionTaken::Yes;
    const std::string &word = words[i];
    const auto equals = word.find('=');
    const std::string name = word.substr(0, equals);
    std::string *target = name == "--ca" ? &out.caFile
        : name == "--cert"               ? &out.certFile
        : name == "--key"                ? &out.keyFile
                                         : nullptr;
    if (!target) {
        reason = "unknown option " + name;
        return false;
    }
    if (equals != std::string::npos) {
        *target = word.substr(equals + 1);
    } else if (i + 1 < words.size()) {
        *target = words[++i];
    } else {
        reason = "option " + name + " needs a value";
        return false;
    }
    if (target->empty()) {
        reason = "empty file name for " + name;
        return false;
    }
    return true;
}

bool takeValue(char option, const std::string &text, bool eapClient, ClientOptions &out)
{
    constexpr long kMaxInt = std::numeric_limits<int>::max();
    switch (option) {
    case 'a':
        if (eapClient)
            return parseEapMethod(text, out.eap.method);
        out.msChapV2 = text == "mschapv2";
        return out.msChapV2;
    case 'c': return parseInteger(text, 1, kMaxInt, out.repeat);
    case 'd': out.dictionaryDir = text; return !text.empty();
    case 'f': out.scriptFile = text; return !text.empty();
    case 'i': return parseInteger(text, 0, kMaxInt, out.firstId);
    case 'n': return parseNumber(text, 0, 1e7, out.ratePerSecond);
    case 'p': return parseInteger(text, 1, 65536, out.parallel);
    case 'r': return parseInteger(text, 0, 65535, out.retries);
    case 'R': out.recordsFile = text; return !text.empty();
    case 'S': out.secretFile = text; return !text.empty();
    case 't': return parseNumber(text, 0.001, 65535, out.timeoutSeconds);
    case 'P': return parseTransport(text, out.transport);
    default: return false;
    }
}

void setFlag(char option, ClientOptions &out)
{
    switch (option) {
    case 's': out.summary = true; break;
    case 'x': out.showAttributes = true; break;
    case 'M': out.legacyMessageAuthenticator = true; break;
    case 'A': out.requireReplyAuthenticator = true; break;
    case 'B': out.checkServer = true; break;
    default: break;
    }
}

// server:port, code unless -B, secret unless -S or TLS (a secret word after -S is ignored).
bool takePositional(const std::vector<std::string> &positional, ClientOptions &out, std::string &reason)
{
    const std::size_t withoutSecret = out.checkServer ? 1 : 2;
    // Over TLS the secret may be left out: RadSec's own is used.
    const bool secretOptional = !out.secretFile.empty() || out.transport == Transport::Tls;
    const bool fits = positional.size() == withoutSecret + 1 || (secretOptional && positional.size() == withoutSecret);
    if (!fits) {
        reason = out.checkServer ? "expected server:port and secret" : "expected server:port, code and secret";
        return false;
    }
    out.server = positional[0];
    if (out.checkServer) {
        out.code = 1;
    } else if (positional[1] == "-1") {
        // -1: no code for the run, every packet names its own with Packet-Type.
        out.code = 0;
    } else if (!parseInteger(positional[1], 1, 255, out.code)) {
        reason = "bad request code: " + positional[1];
        return false;
    }
    if (!out.secretFile.empty())
        return true;
    out.secret = positional.size() > withoutSecret ? positional.back() : kRadsecSecret;
    if (out.secret.empty()) {
        reason = "empty secret";
        return false;
    }
    return true;
}

} // namespace

bool parseClientOptions(const std::vector<std::string> &words, bool eapClient, ClientOptions &out, std::string &reason)
{
    const std::string valued = eapClient ? "acdfirtRSP" : "acdfinprtRSP";
    const std::string flags = eapClient ? "sxMA" : "sxMAB";
    std::vector<std::string> positional;
    bool hadFile = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string &word = words[i];
        if (word.size() < 2 || word[0] != '-' || !positional.empty()) {
            positional.push_back(word);
            continue;
        }
        if (word.rfind("--", 0) == 0) {
            if (!takeLongOption(words, i, eapClient, out, reason))
                return false;
            continue;
        }
        // Flags may be grouped (-sx); a valued option takes the rest of the word or the next one.
        for (std::size_t k = 1; k < word.size(); ++k) {
            const char option = word[k];
            if (flags.find(option) != std::string::npos) {
                setFlag(option, out);
            } else if (valued.find(option) != std::string::npos) {
                std::string value = word.substr(k + 1);
                if (value.empty()) {
                    if (i + 1 >= words.size()) {
                        reason = std::string("option -") + option + " needs a value";
                        return false;
                    }
                    value = words[++i];
                }
                if (!takeValue(option, value, eapClient, out)) {
                    reason = std::string("bad value for -") + option + ": " + value;
                    return false;
                }
                hadFile = hadFile || option == 'f';
                break;
            } else {
                reason = std::string("unknown option -") + option;
                return false;
            }
        }
    }
    if (!hadFile && !out.checkServer) {
        reason = "no packet file (-f)";
        return false;
    }
    const bool overTls = out.transport == Transport::Tls;
    if (!overTls && !(out.caFile.empty() && out.certFile.empty() && out.keyFile.empty())) {
        reason = "--ca, --cert and --key need -P tls";
        return false;
    }
    if (!out.keyFile.empty() && out.certFile.empty()) {
        reason = "--key needs --cert";
        return false;
    }
    if (eapClient)
        if (reason = checkEapOptions(out.eap); !reason.empty())
            return false;
    return takePositional(positional, out, reason);
}

std::string usageText(const std::string &program, bool eapClient)
{
    std::string text = "Usage: " + program + " [options] server:port code secret\r\n";
    if (!eapClient)
        text += "       " + program + " -B [-r retries] [-t seconds] [-S file] server:port secret\r\n";
    text += "  server:port  an IPv4 address or host name with the port, [IPv6 address]:port, or a bare IPv6\r\n";
    text += "               address (the code's standard port: 1812, 1813, 3799; 2083 over TLS)\r\n";
    if (eapClient)
        text += eapUsageText();
    else
        text +=
            "  -a mschapv2  Access-Requests authenticate with MS-CHAPv2 from User-Name and User-Password\r\n"
            "               (or MS-CHAP-Password); the server's MS-CHAP2-Success and MPPE keys are checked\r\n";
    text += "  -c count     send the packet list this many times (default 1)\r\n";
    text +=
        "  -d dir       directory of the dictionary file \"dictionary\" (default: dictionary beside the program)\r\n";
    text += "  -f file      packet file: attribute lines, an empty line after each packet\r\n";
    text += "  -i id        identifier of the first request, one more for each following (default 0)\r\n";
    if (!eapClient) {
        text += "  -n rate      requests per second, 0 = as fast as possible (default 0)\r\n";
        text += "  -p count     requests in flight at once (default 1); at most 256 over TCP and TLS, the\r\n";
        text += "               identifiers of one connection\r\n";
    }
    text += "  -r retries   sends after the first when no reply comes (default 3); UDP only: a stream\r\n";
    text += "               delivers, so over TCP and TLS a request is sent once and waited for -t seconds\r\n";
    text += "  -t seconds   time to wait for a reply (default 3)\r\n";
    text += "  -R file      write a JSON line per exchange to the file, as each exchange ends\r\n";
    text += "  -S file      read the secret from the file's first line; the secret word is then ignored\r\n";
    text += "               (may be given as \"-\" or left out)\r\n";
    text += "  -M           legacy requests: Message-Authenticator only where required, where the file puts it\r\n";
    text += "               (default: first attribute of every Access-Request)\r\n";
    text += "  -A           drop an Access-Accept, -Reject or -Challenge without a valid Message-Authenticator\r\n";
    text += "               (CVE-2024-3596)\r\n";
    if (!eapClient)
        text +=
            "  -B           check the server: Access-Requests with and without Message-Authenticator and\r\n"
            "               with Proxy-State, then a verdict (no packet file)\r\n";
    text += "  -s           print a summary\r\n";
    text += "  -x           print the attributes of every packet\r\n";
    text += "  -P proto     transport: udp, tcp or tls (default udp); over TCP and TLS one connection\r\n";
    text += "               carries every request of the run\r\n";
    text += "  --ca file    with -P tls: CA certificates (PEM) the server's certificate must chain to\r\n";
    text += "               (default: the system's); the server's name or address must match it\r\n";
    text += "  --cert file  with -P tls: our client certificate (PEM)\r\n";
    text += "  --key file   with -P tls: the client certificate's private key (default: in the --cert file)\r\n";
    text += "  -v           print the version and end\r\n";
    text += "  code         numeric RADIUS code: 1 Access-Request, 4 Accounting-Request, 12 Status-Server,\r\n";
    text += "               40 Disconnect-Request, 43 CoA-Request; -1 when every packet sets Packet-Type\r\n";
    text += "  secret       shared secret; with -P tls it may be left out for \"radsec\", the secret RadSec uses\r\n";
    return text;
}

} // namespace clients
