#include "mschap/MppeKeyAttribute.h"

#include <gtest/gtest.h>

using mschap::MppeKeyAttribute;

namespace {

const QByteArray kSecret = "testing123";
const QByteArray kAuthenticator = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f");
const QByteArray kKey = QByteArray::fromHex("101112131415161718191a1b1c1d1e1f");
// kKey under kSecret, kAuthenticator and the salt 9a3c, made apart from this code with
// Python's hashlib by the construction of RFC 2548 section 2.4.2.
const QByteArray kValue = QByteArray::fromHex("9a3c9e4fb2cbe4a157704560c742867b233e5fb6e7a679872d2e7f1cc781dacb9e60");

TEST(MppeKeyAttributeTest, DecryptsTheKey)
{
    QString why;
    const auto key = MppeKeyAttribute::decrypt(kValue, kSecret, kAuthenticator, &why);
    ASSERT_TRUE(key) << why.toStdString();
    EXPECT_EQ(key->toHex(), kKey.toHex());
}

TEST(MppeKeyAttributeTest, RefusesMalformedValues)
{
    QByteArray lowSalt = kValue;
    lowSalt[0] = char(lowSalt[0] & 0x7f);
    const struct {
        const char *name;
        QByteArray value;
        QByteArray secret;
        QByteArray authenticator;
        const char *why;
    } cases[] = {
        {"salt only", kValue.left(2), kSecret, kAuthenticator, "2 octets: not a salt and whole 16-octet blocks"},
        {"part of a block", kValue.left(33), kSecret, kAuthenticator,
         "33 octets: not a salt and whole 16-octet blocks"},
        {"salt's high bit clear", lowSalt, kSecret, kAuthenticator, "the salt's high bit is not set"},
        {"short authenticator", kValue, kSecret, kAuthenticator.left(15), "the request authenticator is not 16 octets"},
        // Under this secret the length octet decrypts to 92.
        {"another secret", kValue, "testing124", kAuthenticator,
         "key length 92 does not fit the 31 octets: wrong secret or authenticator"},
    };
    for (const auto &c : cases) {
        QString why;
        EXPECT_FALSE(MppeKeyAttribute::decrypt(c.value, c.secret, c.authenticator, &why)) << c.name;
        EXPECT_EQ(why.toStdString(), c.why) << c.name;
    }
}

} // namespace
