#include "radius/MessageAuthenticator.h"

namespace radius {

namespace {
constexpr unsigned kAccessRequest = 1;
constexpr int kHeaderLength = 20;
constexpr int kValueLength = 16;
} // namespace

Status placeMessageAuthenticator(PairList &pairs, unsigned code, bool required, MessageAuthenticatorPlacement placement)
{
    const bool first = placement == MessageAuthenticatorPlacement::First && code == kAccessRequest;
    int index = pairs.indexOf(kMessageAuthenticatorNumber);
    if (index < 0 && (required || first)) {
        if (Status added = pairs.addOctets(kMessageAuthenticatorNumber, 0, QByteArray(kValueLength, '\0')); !added)
            return added;
        index = pairs.size() - 1;
    }
    if (first && index > 0)
        pairs.moveToFront(index);
    return {};
}

int messageAuthenticatorPosition(const QByteArray &packet)
{
    const auto octet = [&packet](int at) { return static_cast<unsigned char>(packet.at(at)); };
    int at = kHeaderLength;
    for (int position = 0; at + 2 <= packet.size() && octet(at + 1) >= 2; ++position) {
        if (octet(at) == kMessageAuthenticatorNumber && octet(at + 1) == 2 + kValueLength
            && at + 2 + kValueLength <= packet.size())
            return position;
        at += octet(at + 1);
    }
    return -1;
}

} // namespace radius
