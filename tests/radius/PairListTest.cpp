#include "LoadDictionary.h"

#include "radius/Dictionary.h"
#include "radius/PairList.h"

#include <gtest/gtest.h>

using namespace radius;

namespace {

class PairListTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { loadShippedDictionary(); }
};

TEST_F(PairListTest, DictionaryNamesGiveNumbersVendorsAndTypes)
{
    struct Case {
        const char *name;
        unsigned number, vendor;
        AttributeType type;
    } cases[] = {
        {"User-Name", 1, 0, AttributeType::String},           {"Packet-Type", 1047, 0, AttributeType::Integer},
        {"Packet-Dst-Port", 1087, 0, AttributeType::Integer}, {"Digest-Attributes", 207, 0, AttributeType::Octets},
        {"Cisco-AVPair", 1, 9, AttributeType::String},        {"Framed-IP-Address", 8, 0, AttributeType::Ipv4Address},
    };
    for (const Case &c : cases) {
        const auto a = Dictionary::attribute(QString::fromLatin1(c.name));
        ASSERT_TRUE(a.has_value()) << c.name;
        EXPECT_EQ(a->number, c.number) << c.name;
        EXPECT_EQ(a->vendor, c.vendor) << c.name;
        EXPECT_EQ(a->type, c.type) << c.name;
    }
    EXPECT_FALSE(Dictionary::attribute(QStringLiteral("No-Such-Attr")).has_value());
    EXPECT_EQ(Dictionary::attribute(1087, 0)->name, "Packet-Dst-Port");
    EXPECT_EQ(Dictionary::attribute(QStringLiteral("User-Password"))->encrypt, 1);
}

TEST_F(PairListTest, ParsesTextIntoTypedPairsInOrder)
{
    auto list = PairList::parse(
        QStringLiteral("User-Name = \"bob smith\", Framed-IP-Address = 10.1.2.3, Service-Type = Framed-User"));
    ASSERT_TRUE(list.ok()) << list.error().toStdString();
    ASSERT_EQ(list->size(), 3);
    EXPECT_EQ(list->at(0).octets, "bob smith");
    EXPECT_EQ(list->at(1).attribute.type, AttributeType::Ipv4Address);
    EXPECT_EQ(list->at(1).octets.toHex(), "0a010203");
    EXPECT_EQ(list->at(2).integer, 2u);
    EXPECT_EQ(list->valueText(2), "Framed-User");
    EXPECT_EQ(list->indexOf(8), 1);
    EXPECT_EQ(list->indexOf(99), -1);
}

TEST_F(PairListTest, BadNamesAndValuesFailWithTheLibrarysText)
{
    PairList list;
    const Status unknown = list.add(QStringLiteral("No-Such-Attr"), QStringLiteral("1"));
    ASSERT_FALSE(unknown.ok());
    EXPECT_TRUE(unknown.error().contains(QStringLiteral("No-Such-Attr"))) << unknown.error().toStdString();
    EXPECT_FALSE(list.add(QStringLiteral("Acct-Status-Type"), QStringLiteral("not-a-value")).ok());
    EXPECT_FALSE(PairList::parse(QStringLiteral("User-Name = a b")).ok());
    EXPECT_TRUE(list.isEmpty());
}

TEST_F(PairListTest, EditsKeepPositionsAndCopiesAreIndependent)
{
    PairList list;
    ASSERT_TRUE(list.add(QStringLiteral("User-Name"), QStringLiteral("bob")).ok());
    ASSERT_TRUE(list.add(QStringLiteral("Digest-Realm"), QStringLiteral("example")).ok());
    ASSERT_TRUE(list.add(QStringLiteral("NAS-Port"), QStringLiteral("7")).ok());
    PairList copy = list.copy();

    ASSERT_TRUE(list.replaceWithOctets(1, 207, 0, QByteArray::fromHex("010967")).ok());
    EXPECT_EQ(list.at(1).attribute.name, "Digest-Attributes");
    EXPECT_EQ(list.at(1).octets.toHex(), "010967");
    EXPECT_EQ(list.at(2).integer, 7u);
    EXPECT_FALSE(list.replaceWithOctets(0, 1, 0, "x").ok()); // User-Name holds text, not octets

    ASSERT_TRUE(list.setValue(0, QStringLiteral("alice")).ok());
    ASSERT_TRUE(list.setOctets(0, "carol").ok());
    EXPECT_EQ(list.at(0).octets, "carol");
    list.remove(0);
    EXPECT_EQ(list.size(), 2);
    ASSERT_TRUE(list.addOctets(79, 0, QByteArray::fromHex("0101000501")).ok());
    EXPECT_EQ(list.at(2).attribute.name, "EAP-Message");

    ASSERT_EQ(copy.size(), 3);
    EXPECT_EQ(copy.at(0).octets, "bob");
    EXPECT_EQ(copy.at(1).attribute.name, "Digest-Realm");
}

} // namespace
