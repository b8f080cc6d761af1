#include "mschap/MsChapError.h"
#include "mschap/MsChapSuccess.h"

#include <gtest/gtest.h>

using mschap::MsChapError;
using mschap::MsChapSuccess;

namespace {

TEST(MsChapErrorTest, ReadsTheFieldsItHolds)
{
    const struct {
        const char *text;
        int code;
        bool retry;
        const char *challengeHex;
        int version;
        const char *message;
    } cases[] = {
        // What FreeRADIUS sends for a wrong MS-CHAPv2 password (after its identifier octet).
        {"E=691 R=1 C=585d3f2f0a8b4c1e9d7a6b5c4d3e2f10 V=3 M=Authentication rejected", 691, true,
         "585d3f2f0a8b4c1e9d7a6b5c4d3e2f10", 3, "Authentication rejected"},
        // Version 1: an 8-octet challenge, no message.
        {"E=648 R=0 C=00112233AABBCCDD V=2", 648, false, "00112233aabbccdd", 2, ""},
        {"E=646", 646, false, "", 0, ""},
        // The message runs to the end, spaces and field-like words included.
        {"E=691 R=0 M=no  E=1 here", 691, false, "", 0, "no  E=1 here"},
        {"E=709 R=1 M=", 709, true, "", 0, ""},
        {"R=1 E=691", 691, true, "", 0, ""},
        {"E=691  R=1 ", 691, true, "", 0, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        QString why;
        const auto error = MsChapError::parse(c.text, &why);
        ASSERT_TRUE(error) << why.toStdString();
        EXPECT_EQ(error->code, c.code);
        EXPECT_EQ(error->retryAllowed, c.retry);
        EXPECT_EQ(error->challenge.toHex(), QByteArray(c.challengeHex));
        EXPECT_EQ(error->version, c.version);
        EXPECT_EQ(error->message, QString::fromUtf8(c.message));
    }
}

TEST(MsChapErrorTest, RefusesWhatIsNotAnErrorMessage)
{
    const struct {
        const char *text;
        const char *why;
    } cases[] = {
        {"", "no error code (E=)"},
        {"R=1 M=Authentication rejected", "no error code (E=)"},
        {"E=", "bad error code E="},
        {"E=69x", "bad error code E=69x"},
        {"E=-1", "bad error code E=-1"},
        {"E=9999999999", "bad error code E=9999999999"},
        {"E=691 R=2", "bad retry flag R=2"},
        {"E=691 C=585d", "bad challenge C=585d"},
        {"E=691 C=zz5d3f2f0a8b4c1e9d7a6b5c4d3e2f10", "bad challenge C=zz5d3f2f0a8b4c1e9d7a6b5c4d3e2f10"},
        {"E=691 V=three", "bad version V=three"},
        {"E=691 E=646", "E= given twice"},
        {"E=691 X=1", "unknown field X="},
        {"Authentication rejected", "not a field: \"Authentication\""},
    };
    for (const auto &c : cases) {
        QString why;
        EXPECT_FALSE(MsChapError::parse(c.text, &why)) << c.text;
        EXPECT_EQ(why.toStdString(), c.why) << c.text;
    }
}

// The attribute starts with the identifier octet ("B" = 0x42 in FreeRADIUS's replies).
TEST(MsChapErrorTest, AttributeSkipsTheIdentifierAndReasonReadsWell)
{
    const auto error =
        MsChapError::parseAttribute("BE=691 R=1 C=585d3f2f0a8b4c1e9d7a6b5c4d3e2f10 V=3 M=Authentication rejected");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->reason(),
              QStringLiteral("authentication failure (E=691), retry allowed: Authentication rejected"));

    const auto unknown = MsChapError::parseAttribute(QByteArray("\x01") + "E=1234 R=0");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->reason(), QStringLiteral("error 1234, no retry"));

    QString why;
    EXPECT_FALSE(MsChapError::parseAttribute("B", &why));
    EXPECT_EQ(why, QStringLiteral("too short"));
}

TEST(MsChapSuccessTest, ReadsTheAuthenticatorResponseAndMessage)
{
    const QByteArray response = "S=407A5589115FD0D6209F510FE9C04566932CDA56";
    const struct {
        QByteArray value;
        QByteArray response;
        const char *message;
    } cases[] = {
        {"B" + response, response, ""},
        {"B" + response + " M=Welcome home", response, "Welcome home"},
        {"\x07S=" + response.mid(2).toLower(), "S=" + response.mid(2).toLower(), ""},
    };
    for (const auto &c : cases) {
        QString why;
        const auto success = MsChapSuccess::parseAttribute(c.value, &why);
        ASSERT_TRUE(success) << c.value.toStdString() << ": " << why.toStdString();
        EXPECT_EQ(success->authenticatorResponse, c.response);
        EXPECT_EQ(success->message, QString::fromUtf8(c.message));
    }
}

TEST(MsChapSuccessTest, RefusesAMalformedResponse)
{
    const QByteArray response = "S=407A5589115FD0D6209F510FE9C04566932CDA56";
    const QByteArray cases[] = {
        "",
        "B",
        "B" + response.left(41),                       // a digit short
        "BS=407A5589115FD0D6209F510FE9C04566932CDAZ6", // not hex
        "BT=407A5589115FD0D6209F510FE9C04566932CDA56",
        "B" + response + "0",        // a digit too many
        "B" + response + " Welcome", // text that is not M=
    };
    for (const QByteArray &value : cases)
        EXPECT_FALSE(MsChapSuccess::parseAttribute(value)) << value.toStdString();
}

} // namespace
