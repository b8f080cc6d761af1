#pragma once

#include "decoder/DecodedPacket.h"

#include "platform/LanguageFile.h"
#include "radius/AttributeDecoder.h"

#include <QByteArray>

#include <optional>

namespace decoder {

// What is known of the request a reply answers.
struct RequestContext {
    QByteArray authenticator;      // 16 octets
    std::optional<int> identifier; // known when the request's octets were given
    // 16 octets are the request's authenticator; 20 or more its octets (header first).
    static std::optional<RequestContext> fromOctets(const QByteArray &octets);
};

// Takes a received or captured RADIUS packet apart with the loaded dictionary: the header,
// every attribute as the library decodes it (hidden values revealed with the secret), the
// Request or Response Authenticator and the Message-Authenticator checked, and each fault
// of its shape named. Never fails: what cannot be read is a fault.
class PacketDecoder {
public:
    // Faults and reasons in the words of the language file (English without one).
    PacketDecoder(QByteArray secret, std::optional<RequestContext> request, platform::LanguageFile language = {})
        : m_secret(std::move(secret)), m_request(std::move(request)), m_language(std::move(language))
    {
    }

    DecodedPacket decode(const QByteArray &octets) const;

    static bool isRequestCode(unsigned code);
    static bool isReplyCode(unsigned code);

private:
    // The octets the authenticators cover: up to the declared length.
    void walkAttributes(const QByteArray &covered, DecodedPacket &out) const;
    void checkAuthenticators(const QByteArray &covered, DecodedPacket &out) const;
    AuthenticatorCheck checkPacketAuthenticator(const QByteArray &covered, unsigned code) const;
    AuthenticatorCheck checkMessageAuthenticator(const QByteArray &covered, unsigned code, int valueAt) const;
    // The library's decoder with what reveals the packet's hidden values.
    radius::AttributeDecoder revealing(const DecodedPacket &packet) const;
    // Where the value of the first well-formed Message-Authenticator starts, or -1.
    static int messageAuthenticatorAt(const QByteArray &covered);
    QString word(const char *key, const char *builtIn) const;

    QByteArray m_secret;
    std::optional<RequestContext> m_request;
    platform::LanguageFile m_language;
};

} // namespace decoder
