#include "reports/PacketAttributes.h"

#include "radius/Dictionary.h"

namespace reports {

namespace {
unsigned numberOf(const char *name, unsigned fallback)
{
    const auto attribute = radius::Dictionary::attribute(QLatin1String(name));
    return attribute && attribute->vendor == 0 ? attribute->number : fallback;
}
} // namespace

PacketAttributes PacketAttributes::fromDictionary()
{
    PacketAttributes a;
    a.userPassword = numberOf("User-Password", a.userPassword);
    a.chapPassword = numberOf("CHAP-Password", a.chapPassword);
    a.chapChallenge = numberOf("CHAP-Challenge", a.chapChallenge);
    a.eapMessage = numberOf("EAP-Message", a.eapMessage);
    a.messageAuthenticator = numberOf("Message-Authenticator", a.messageAuthenticator);
    a.eapId = numberOf("EAP-Id", 0);
    a.eapCode = numberOf("EAP-Code", 0);
    a.eapMd5Password = numberOf("EAP-MD5-Password", 0);
    a.eapTypeBase = numberOf("EAP-Type-Base", 0);
    return a;
}

bool PacketAttributes::isEapType(unsigned number, unsigned vendor) const
{
    return eapTypeBase != 0 && vendor == 0 && number >= eapTypeBase && number <= eapTypeBase + 255;
}

} // namespace reports
