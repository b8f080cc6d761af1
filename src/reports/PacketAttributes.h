#pragma once

namespace reports {

// The attribute numbers the raw page treats specially, taken by name from the loaded
// dictionary (the internal numbers differ between dictionary versions). An internal
// attribute the dictionary lacks is 0 and never matches.
struct PacketAttributes {
    unsigned userPassword = 2;
    unsigned chapPassword = 3;
    unsigned chapChallenge = 60;
    unsigned eapMessage = 79;
    unsigned messageAuthenticator = 80;
    unsigned eapId = 0;
    unsigned eapCode = 0;
    unsigned eapMd5Password = 0;
    unsigned eapTypeBase = 0; // EAP-Type-<name> is this plus the EAP type, up to 255

    static PacketAttributes fromDictionary();
    bool isEapType(unsigned number, unsigned vendor) const;
};

} // namespace reports
