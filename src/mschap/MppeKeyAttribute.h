#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace mschap {

// MS-MPPE-Send-Key and MS-MPPE-Recv-Key as they travel (RFC 2548 section 2.4.2): a
// 2-octet salt with its high bit set, then the key's length octet, the key and zero
// padding, encrypted in 16-octet blocks with MD5(secret | request authenticator | salt)
// and then MD5(secret | previous block).
class MppeKeyAttribute {
public:
    // The key the value hides; none, with the reason in `why`, when it is malformed or the
    // secret or the authenticator is not the one it was made with (the length octet says
    // more than the value holds).
    static std::optional<QByteArray> decrypt(const QByteArray &value, const QByteArray &secret,
                                             const QByteArray &requestAuthenticator, QString *why = nullptr);
};

} // namespace mschap
