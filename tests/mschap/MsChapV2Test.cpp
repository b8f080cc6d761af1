#include "RfcSample.h"

#include "mschap/LegacyCrypto.h"
#include "mschap/MsChapV2.h"

#include <gtest/gtest.h>

using mschap::MsChapV2;
using namespace rfcsample;

namespace {

class MsChapV2Test : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(mschap::LegacyCrypto::error(), ""); }
};

TEST_F(MsChapV2Test, RfcSampleGivesEveryIntermediateValue)
{
    EXPECT_EQ(MsChapV2::ntPasswordHash(kPassword).toHex(), kPasswordHash.toHex());
    EXPECT_EQ(MsChapV2::hashNtPasswordHash(kPasswordHash).toHex(), kPasswordHashHash.toHex());
    EXPECT_EQ(MsChapV2::challengeHash(kPeerChallenge, kAuthenticatorChallenge, kUserName).toHex(), kChallenge.toHex());
    EXPECT_EQ(MsChapV2::challengeResponse(kChallenge, kPasswordHash).toHex(), kNtResponse.toHex());
    EXPECT_EQ(MsChapV2::generateNtResponse(kAuthenticatorChallenge, kPeerChallenge, kUserName, kPassword).toHex(),
              kNtResponse.toHex());
    EXPECT_EQ(MsChapV2::generateAuthenticatorResponse(kPassword, kNtResponse, kPeerChallenge, kAuthenticatorChallenge,
                                                      kUserName),
              kAuthenticatorResponse);
}

// The challenge hash leaves out a domain in front of the name; the name is otherwise as sent.
TEST_F(MsChapV2Test, ChallengeHashTakesTheNameWithoutItsDomain)
{
    const struct {
        QByteArray userName;
        bool sameAsUser;
    } cases[] = {
        {"EXAMPLE\\User", true}, {"\\User", true},
        {"A\\B\\User", false}, // only the first part is the domain
        {"user", false},         {"User@example.org", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MsChapV2::challengeHash(kPeerChallenge, kAuthenticatorChallenge, c.userName) == kChallenge,
                  c.sameAsUser)
            << c.userName.toStdString();
}

// The password goes in as UTF-16LE code units: umlauts, the euro sign and a character
// outside the basic plane (a surrogate pair). Hashes from `openssl dgst -md4` over iconv's UTF-16LE.
TEST_F(MsChapV2Test, PasswordHashTakesUtf16CodeUnits)
{
    const struct {
        QString password;
        const char *hash;
    } cases[] = {
        {QStringLiteral("p\u00e4ssw\u00f6rd\u20ac"), "7f20bf6e69d97371914a8807579cab5c"},
        {QString::fromUtf8("\xf0\x9f\x98\x80x"), "4239d4dcd7148a5ea8f750b376cfdbd6"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MsChapV2::ntPasswordHash(c.password).toHex(), QByteArray(c.hash)) << c.password.toStdString();
}

TEST_F(MsChapV2Test, AuthenticatorResponseCheckRefusesWhatTheServerCouldNotKnow)
{
    const auto check = [](const QByteArray &received, const QString &password) {
        return MsChapV2::checkAuthenticatorResponse(received, password, kNtResponse, kPeerChallenge,
                                                    kAuthenticatorChallenge, kUserName);
    };
    EXPECT_TRUE(check(kAuthenticatorResponse, kPassword));
    EXPECT_TRUE(check(kAuthenticatorResponse.toLower(), kPassword)) << "hex digits of either case";
    EXPECT_FALSE(check(kAuthenticatorResponse, QStringLiteral("clientpass"))) << "another password";
    QByteArray flipped = kAuthenticatorResponse;
    flipped[41] = '7';
    EXPECT_FALSE(check(flipped, kPassword)) << "last digit changed";
    EXPECT_FALSE(check(kAuthenticatorResponse.left(41), kPassword)) << "a digit short";
    EXPECT_FALSE(check(kAuthenticatorResponse + "0", kPassword)) << "a digit too many";
    EXPECT_FALSE(check(QByteArray(), kPassword));
}

// Challenges of the wrong length never give a response the server would then refuse.
TEST_F(MsChapV2Test, WrongLengthsGiveNothing)
{
    EXPECT_TRUE(MsChapV2::challengeHash(kPeerChallenge.left(15), kAuthenticatorChallenge, kUserName).isEmpty());
    EXPECT_TRUE(MsChapV2::challengeHash(kPeerChallenge, kAuthenticatorChallenge + "x", kUserName).isEmpty());
    EXPECT_TRUE(MsChapV2::challengeResponse(kChallenge.left(7), kPasswordHash).isEmpty());
    EXPECT_TRUE(MsChapV2::challengeResponse(kChallenge, kPasswordHash.left(15)).isEmpty());
    EXPECT_TRUE(MsChapV2::generateAuthenticatorResponse(kPassword, kNtResponse.left(23), kPeerChallenge,
                                                        kAuthenticatorChallenge, kUserName)
                    .isEmpty());
    EXPECT_FALSE(MsChapV2::checkAuthenticatorResponse(kAuthenticatorResponse, kPassword, kNtResponse.left(23),
                                                      kPeerChallenge, kAuthenticatorChallenge, kUserName));
}

} // namespace
