// libFuzzer target for the reply checks and the library's attribute decoder behind them,
// and for the EAP message reader. Built with clang:
//   CC=clang CXX=clang++ cmake -B build-fuzz ... && cmake --build build-fuzz --target fuzz_reply_decoder
//   build-fuzz/bench/fuzz_reply_decoder -runs=200000
#include "radius/Crypto.h"
#include "radius/Dictionary.h"
#include "radius/EapMessage.h"
#include "radius/RequestPacket.h"

#include <cstdint>
#include <cstdlib>

namespace {

const QByteArray kSecret = "fuzz";

const radius::RequestPacket &request()
{
    static radius::RequestPacket *encoded = [] {
        if (!radius::Dictionary::load(QStringLiteral(PELLION_SOURCE_DIR "/data/dictionary")).ok())
            std::abort();
        auto *packet = new radius::RequestPacket;
        packet->setCode(1);
        packet->setId(1);
        if (!packet->pairs().add(QStringLiteral("User-Name"), QStringLiteral("bob")).ok()
            || !packet->encode(kSecret).ok())
            std::abort();
        return packet;
    }();
    return *encoded;
}

// The input with the request's identifier and a Response Authenticator that verifies, so
// that the decoder sees every shape the checks let through.
QByteArray signedLikeAReply(QByteArray reply)
{
    reply[1] = char(request().id());
    const qsizetype length = (qsizetype(quint8(reply[2])) << 8) | quint8(reply[3]);
    reply.truncate(qMin(length, reply.size()));
    reply.replace(4, 16, request().authenticator());
    for (qsizetype at = 20; at + 1 < reply.size() && quint8(reply[at + 1]) >= 2; at += quint8(reply[at + 1])) {
        if (reply[at] == char(80) && reply[at + 1] == char(18) && at + 18 <= reply.size()) {
            reply.replace(at + 2, 16, QByteArray(16, '\0'));
            reply.replace(at + 2, 16, radius::Crypto::hmacMd5(reply, kSecret));
        }
    }
    reply.replace(4, 16, radius::Crypto::md5(reply + kSecret));
    return reply;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)radius::EapMessage::parse(input);
    if (!radius::RequestPacket::parseReply(input).ok())
        return 0;
    auto reply = radius::RequestPacket::parseReply(signedLikeAReply(input));
    if (!reply.ok())
        return 0;
    if (!reply->verifyReply(request(), kSecret).ok())
        return 0; // a request code, say, is signed otherwise
    (void)reply->pairs().lines();
    (void)radius::EapMessage::parse(reply->pairs().joined("EAP-Message"));
    return 0;
}
