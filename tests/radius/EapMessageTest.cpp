#include "LoadDictionary.h"

#include "radius/EapMessage.h"
#include "radius/PairList.h"

#include <gtest/gtest.h>

using radius::EapMessage;

namespace {

EapMessage message(int code, int id, int type, const QByteArray &data)
{
    return EapMessage{quint8(code), quint8(id), quint8(type), data};
}

} // namespace

// The clients and the raw view share this encoder: the cases pin the octets of each code.
TEST(EapMessage, PacketsByCode)
{
    struct Case {
        int code, id, type;
        QByteArray data;
        QByteArray hex;
    };
    const Case cases[] = {
        {1, 0x2a, 1, "bob", "012a000801626f62"},
        {2, 0xff, 4, "", "02ff000504"},
        {3, 7, 4, "ignored", "03070004"}, // Success: the header alone
        {4, 7, 4, "ignored", "04070004"},
        {5, 9, 1, "x",
         "0509000601"
         "78"}, // any other code keeps its type and data
        {0, 1, 2, "", "0001000502"},
    };
    for (const Case &c : cases) {
        const QByteArray encoded = message(c.code, c.id, c.type, c.data).encode();
        EXPECT_EQ(encoded.toHex(), QByteArray::fromHex(c.hex).toHex()) << "code " << c.code;
        const auto parsed = EapMessage::parse(encoded);
        ASSERT_TRUE(parsed) << "code " << c.code;
        EXPECT_EQ(parsed->encode(), encoded) << "code " << c.code;
    }
}

TEST(EapMessage, RefusesMalformedOctets)
{
    const QByteArray cases[] = {
        QByteArray::fromHex("0101"),           // shorter than the header
        QByteArray::fromHex("01010003"),       // length below the header
        QByteArray::fromHex("0101000901626f"), // length beyond the octets
        QByteArray::fromHex("01010004"),       // a Request without a type
    };
    for (const QByteArray &octets : cases)
        EXPECT_FALSE(EapMessage::parse(octets)) << octets.toHex().constData();
    // Octets after the length field are not part of the packet.
    const auto parsed =
        EapMessage::parse(QByteArray::fromHex("0101000601"
                                              "41"
                                              "ffff"));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->data, QByteArray("A"));
}

TEST(EapMessage, SplitsIntoEapMessageValuesOfAtMost253Octets)
{
    loadShippedDictionary();
    const EapMessage big = message(2, 1, 1, QByteArray(600, 'x'));
    radius::PairList pairs;
    ASSERT_TRUE(big.appendTo(pairs).ok());
    ASSERT_EQ(pairs.size(), 3);
    EXPECT_EQ(pairs.at(0).octets.size(), 253);
    EXPECT_EQ(pairs.at(1).octets.size(), 253);
    EXPECT_EQ(pairs.at(2).octets.size(), 605 - 506);
    EXPECT_EQ(pairs.joined("EAP-Message"), big.encode());
    EXPECT_EQ(EapMessage::attributeValues(message(2, 1, 1, QByteArray(248, 'y')).encode()).size(), 1);
}
