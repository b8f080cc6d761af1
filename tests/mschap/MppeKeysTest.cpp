#include "RfcSample.h"

#include "mschap/MppeKeys.h"

#include <gtest/gtest.h>

using mschap::MppeKeys;
using namespace rfcsample;

namespace {

using Strength = MppeKeys::Strength;
using Direction = MppeKeys::Direction;
using Side = MppeKeys::Side;

const QByteArray kMasterKey = hex("FD EC E3 71 7A 8C 83 8C B3 88 E5 27 AE 3C DD 31");

TEST(MppeKeysTest, MasterKeyOfRfcSample)
{
    EXPECT_EQ(MppeKeys::masterKey(kPasswordHashHash, kNtResponse).toHex(), kMasterKey.toHex());
}

// RFC 3079 section 3.5: the send keys of each strength, as the authenticator derives them
// (its send key is the peer's receive key).
TEST(MppeKeysTest, ServerSendKeysOfEachStrength)
{
    const struct {
        Strength strength;
        const char *startKey;
        const char *sessionKey;
    } cases[] = {
        {Strength::Bits40, "8B 7C DC 14 9B 99 3A 1B", "D1 26 9E C4 9F A6 2E 3E"},
        {Strength::Bits56, "8B 7C DC 14 9B 99 3A 1B", "D1 5C 00 C4 9F A6 2E 3E"},
        {Strength::Bits128, "8B 7C DC 14 9B 99 3A 1B A1 18 CB 15 3F 56 DC CB",
         "40 5C B2 24 7A 79 56 E6 E2 11 00 7A E2 7B 22 D4"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.startKey);
        const QByteArray start = MppeKeys::startKey(kMasterKey, c.strength, Direction::Send, Side::Server);
        EXPECT_EQ(start, MppeKeys::startKey(kMasterKey, c.strength, Direction::Receive, Side::Client));
        EXPECT_EQ(start.toHex(), hex(c.startKey).toHex());
        EXPECT_EQ(MppeKeys::initialSessionKey(start, c.strength).toHex(), hex(c.sessionKey).toHex());
    }
}

// What the authenticator sends in MS-MPPE-Recv-Key is the peer's send key, and its
// MS-MPPE-Send-Key the peer's receive key.
TEST(MppeKeysTest, ServerKeysAreTheClientsMirrored)
{
    const MppeKeys::ServerKeys server = MppeKeys::serverKeys(kPasswordHashHash, kNtResponse);
    EXPECT_EQ(server.sendKey.toHex(), hex("8B 7C DC 14 9B 99 3A 1B A1 18 CB 15 3F 56 DC CB").toHex());
    EXPECT_EQ(server.receiveKey.toHex(),
              MppeKeys::startKey(kMasterKey, Strength::Bits128, Direction::Send, Side::Client).toHex());
    EXPECT_NE(server.sendKey, server.receiveKey);
}

TEST(MppeKeysTest, WrongLengthsGiveNothing)
{
    EXPECT_TRUE(MppeKeys::masterKey(kPasswordHashHash.left(15), kNtResponse).isEmpty());
    EXPECT_TRUE(MppeKeys::masterKey(kPasswordHashHash, kNtResponse.left(23)).isEmpty());
    EXPECT_TRUE(MppeKeys::startKey(kMasterKey.left(8), Strength::Bits128, Direction::Send, Side::Client).isEmpty());
    EXPECT_TRUE(MppeKeys::initialSessionKey(kMasterKey, Strength::Bits40).isEmpty()) << "a 128-bit start key";
}

} // namespace
