#pragma once

#include "radius/PairList.h"
#include "radius/Result.h"

#include <QByteArray>

namespace radius {

inline constexpr unsigned kMessageAuthenticatorNumber = 80;

// Where a request gets its Message-Authenticator. First: every Access-Request carries one
// as its first attribute, so that nothing before it can be chosen by an attacker who
// forges the rest (CVE-2024-3596). Legacy: an Access-Request only where it must have one,
// after the attributes the packet file wrote. Other requests keep the file's order and get
// one at the end where they must have one, under both.
enum class MessageAuthenticatorPlacement { First, Legacy };

// Adds the all-zero Message-Authenticator that signing fills in, or moves the one the
// pairs hold, as the placement asks. required: the request is dropped without one.
Status placeMessageAuthenticator(PairList &pairs, unsigned code, bool required,
                                 MessageAuthenticatorPlacement placement);

// The position among the packet's attributes of its Message-Authenticator (0: first), or -1
// when it carries none. The packet's shape must have been checked.
int messageAuthenticatorPosition(const QByteArray &packet);

} // namespace radius
