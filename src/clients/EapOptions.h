#pragma once

#include <string>
#include <vector>

namespace clients {

// radeapclient's method (-a) and what the TLS methods need.
struct EapOptions {
    enum class Method { Automatic, Md5, Sim, MsChapV2, Peap, Ttls, Tls };
    enum class Inner { MsChapV2, Pap, Md5 };

    Method method = Method::Automatic;
    std::string anonymous;         // --anonymous: outer identity of peap and ttls; empty: the identity
    Inner inner = Inner::MsChapV2; // --inner: ttls's inner method
    bool innerGiven = false;
    std::string caFile;    // --eap-ca
    bool insecure = false; // --eap-insecure: the server certificate is not checked
    std::string certFile;  // --eap-cert
    std::string keyFile;   // --eap-key (default: in the --eap-cert file)

    bool usesTls() const { return method == Method::Peap || method == Method::Ttls || method == Method::Tls; }
};

// -a METHOD; false when the name is none of md5, sim, mschapv2, peap, ttls, tls.
bool parseEapMethod(const std::string &name, EapOptions::Method &out);

enum class EapOptionTaken { No, Yes, Failed };
// --anonymous, --inner, --eap-ca, --eap-insecure, --eap-cert, --eap-key (also --opt=value);
// i moves past a value taken from the next word. No when the word is none of them.
EapOptionTaken takeEapOption(const std::vector<std::string> &words, std::size_t &i, EapOptions &out,
                             std::string &reason);

// Empty when the options fit the method, else why not.
std::string checkEapOptions(const EapOptions &options);

// The lines the usage text adds for them.
std::string eapUsageText();

} // namespace clients
