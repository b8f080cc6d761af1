#include "clients/EapOptions.h"

#include <utility>

namespace clients {

namespace {

using Method = EapOptions::Method;

const std::pair<const char *, Method> kMethods[] = {{"md5", Method::Md5},           {"sim", Method::Sim},
                                                    {"mschapv2", Method::MsChapV2}, {"peap", Method::Peap},
                                                    {"ttls", Method::Ttls},         {"tls", Method::Tls}};

const std::pair<const char *, EapOptions::Inner> kInner[] = {
    {"pap", EapOptions::Inner::Pap}, {"mschapv2", EapOptions::Inner::MsChapV2}, {"md5", EapOptions::Inner::Md5}};

// The value of --name=VALUE or of the next word.
bool takeValue(const std::vector<std::string> &words, std::size_t &i, const std::string &name, std::string &value,
               std::string &reason)
{
    const std::string &word = words[i];
    const auto equals = word.find('=');
    if (equals != std::string::npos) {
        value = word.substr(equals + 1);
    } else if (i + 1 < words.size()) {
        value = words[++i];
    } else {
        reason = "option " + name + " needs a value";
        return false;
    }
    if (value.empty()) {
        reason = "empty value for " + name;
        return false;
    }
    return true;
}

} // namespace

bool parseEapMethod(const std::string &name, Method &out)
{
    for (const auto &[text, method] : kMethods) {
        if (name == text) {
            out = method;
            return true;
        }
    }
    return false;
}

EapOptionTaken takeEapOption(const std::vector<std::string> &words, std::size_t &i, EapOptions &out,
                             std::string &reason)
{
    const std::string &word = words[i];
    const std::string name = word.substr(0, word.find('='));
    if (name == "--eap-insecure") {
        if (name != word) {
            reason = "--eap-insecure takes no value";
            return EapOptionTaken::Failed;
        }
        out.insecure = true;
        return EapOptionTaken::Yes;
    }
    std::string *file = name == "--anonymous" ? &out.anonymous
        : name == "--eap-ca"                  ? &out.caFile
        : name == "--eap-cert"                ? &out.certFile
        : name == "--eap-key"                 ? &out.keyFile
                                              : nullptr;
    if (!file && name != "--inner")
        return EapOptionTaken::No;
    std::string value;
    if (!takeValue(words, i, name, value, reason))
        return EapOptionTaken::Failed;
    if (file) {
        *file = value;
        return EapOptionTaken::Yes;
    }
    for (const auto &[text, inner] : kInner) {
        if (value == text) {
            out.inner = inner;
            out.innerGiven = true;
            return EapOptionTaken::Yes;
        }
    }
    reason = "bad value for --inner: " + value + " (pap, mschapv2 or md5)";
    return EapOptionTaken::Failed;
}

std::string checkEapOptions(const EapOptions &options)
{
    const bool tunnel = options.method == Method::Peap || options.method == Method::Ttls;
    if (!options.anonymous.empty() && !tunnel)
        return "--anonymous needs -a peap or -a ttls";
    if (options.innerGiven && options.method != Method::Ttls)
        return "--inner needs -a ttls (PEAP's inner method is EAP-MSCHAPv2)";
    if (!options.usesTls() && (!options.caFile.empty() || options.insecure || !options.certFile.empty()))
        return "--eap-ca, --eap-insecure and --eap-cert need -a peap, ttls or tls";
    if (!options.caFile.empty() && options.insecure)
        return "--eap-ca and --eap-insecure exclude each other";
    if (!options.keyFile.empty() && options.certFile.empty())
        return "--eap-key needs --eap-cert";
    if (options.method == Method::Tls && options.certFile.empty())
        return "-a tls needs a client certificate (--eap-cert)";
    return {};
}

std::string eapUsageText()
{
    return "  -a method    md5, sim, mschapv2, peap (inner EAP-MSCHAPv2), ttls or tls (default: sim when the\r\n"
           "               packet holds triplets or EAP-Type-SIM, else md5)\r\n"
           "  --anonymous name  peap, ttls: the outer identity (default: the identity)\r\n"
           "  --inner method    ttls: the inner method, pap, mschapv2 or md5 (default mschapv2)\r\n"
           "  --eap-ca file     peap, ttls, tls: CA certificates (PEM) the server's certificate must chain to\r\n"
           "                    (default: the system's); its name is not checked\r\n"
           "  --eap-insecure    peap, ttls, tls: the server's certificate is not checked\r\n"
           "  --eap-cert file   our client certificate (PEM): required for tls, optional for peap and ttls\r\n"
           "  --eap-key file    its private key (default: in the --eap-cert file)\r\n";
}

} // namespace clients
