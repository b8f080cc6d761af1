#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace decoder {

// The outcome of checking one authenticator of the packet.
struct AuthenticatorCheck {
    enum class State { Valid, Invalid, Absent, NotChecked };
    State state = State::NotChecked;
    QByteArray expected; // Invalid: the value the secret gives
    QString reason;      // NotChecked: why
};

// One attribute as it stands in the packet and the pairs the library decoded from it.
struct AttributeEntry {
    int offset = 0;
    int type = 0;
    int length = 0;
    QList<QByteArray> pairs; // "Name = value" as the library prints them
    QString error;           // the library could not decode it
};

// A packet taken apart: the header, the attributes, the checks and every fault found.
struct DecodedPacket {
    int octetCount = 0;
    std::optional<unsigned> code; // none when even the code octet is missing
    QString codeName;             // empty for a code without a name
    std::optional<int> identifier;
    std::optional<int> declaredLength;
    QByteArray authenticator; // 16 octets, or fewer when cut short
    bool isReply = false;
    std::vector<AttributeEntry> attributes;
    AuthenticatorCheck packetAuthenticator; // Request or Response Authenticator
    AuthenticatorCheck messageAuthenticator;
    QStringList faults;
};

} // namespace decoder
