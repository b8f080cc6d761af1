#include "clients/ClientOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

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

bool takeValue(char option, const std::string &text, ClientOptions &out)
{
    constexpr long kMaxInt = std::numeric_limits<int>::max();
    switch (option) {
    case 'c': return parseInteger(text, 1, kMaxInt, out.repeat);
    case 'd': out.dictionaryDir = text; return !text.empty();
    case 'f': out.scriptFile = text; return !text.empty();
    case 'i': return parseInteger(text, 0, kMaxInt, out.firstId);
    case 'n': return parseNumber(text, 0, 1e7, out.ratePerSecond);
    case 'p': return parseInteger(text, 1, 65536, out.parallel);
    case 'r': return parseInteger(text, 0, 65535, out.retries);
    case 'R': out.recordsFile = text; return !text.empty();
    case 't': return parseNumber(text, 0.001, 65535, out.timeoutSeconds);
    default: return false;
    }
}

} // namespace

bool parseClientOptions(const std::vector<std::string> &words, bool eapClient, ClientOptions &out, std::string &reason)
{
    const std::string valued = eapClient ? "cdfirtR" : "cdfinprtR";
    std::vector<std::string> positional;
    bool hadFile = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string &word = words[i];
        if (word.size() < 2 || word[0] != '-' || !positional.empty()) {
            positional.push_back(word);
            continue;
        }
        // Flags may be grouped (-sx); a valued option takes the rest of the word or the next one.
        for (std::size_t k = 1; k < word.size(); ++k) {
            const char option = word[k];
            if (option == 's') {
                out.summary = true;
            } else if (option == 'x') {
                out.showAttributes = true;
            } else if (valued.find(option) != std::string::npos) {
                std::string value = word.substr(k + 1);
                if (value.empty()) {
                    if (i + 1 >= words.size()) {
                        reason = std::string("option -") + option + " needs a value";
                        return false;
                    }
                    value = words[++i];
                }
                if (!takeValue(option, value, out)) {
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
    if (!hadFile) {
        reason = "no packet file (-f)";
        return false;
    }
    if (positional.size() != 3) {
        reason = "expected server:port, code and secret";
        return false;
    }
    out.server = positional[0];
    // -1: no code for the run, every packet names its own with Packet-Type.
    if (positional[1] == "-1") {
        out.code = 0;
    } else if (!parseInteger(positional[1], 1, 255, out.code)) {
        reason = "bad request code: " + positional[1];
        return false;
    }
    out.secret = positional[2];
    if (out.secret.empty()) {
        reason = "empty secret";
        return false;
    }
    return true;
}

std::string usageText(const std::string &program, bool eapClient)
{
    std::string text = "Usage: " + program + " [options] server:port code secret\r\n";
    text += "  -c count     send the packet list this many times (default 1)\r\n";
    text +=
        "  -d dir       directory of the dictionary file \"dictionary\" (default: dictionary beside the program)\r\n";
    text += "  -f file      packet file: attribute lines, an empty line after each packet\r\n";
    text += "  -i id        identifier of the first request, one more for each following (default 0)\r\n";
    if (!eapClient) {
        text += "  -n rate      requests per second, 0 = as fast as possible (default 0)\r\n";
        text += "  -p count     requests in flight at once (default 1)\r\n";
    }
    text += "  -r retries   sends after the first when no reply comes (default 3)\r\n";
    text += "  -t seconds   time to wait for a reply (default 3)\r\n";
    text += "  -R file      write a JSON line per exchange to the file, as each exchange ends\r\n";
    text += "  -s           print a summary\r\n";
    text += "  -x           print the attributes of every packet\r\n";
    text += "  -v           print the version and end\r\n";
    text += "  code         numeric RADIUS code: 1 Access-Request, 4 Accounting-Request, 12 Status-Server,\r\n";
    text += "               40 Disconnect-Request, 43 CoA-Request; -1 when every packet sets Packet-Type\r\n";
    return text;
}

} // namespace clients
