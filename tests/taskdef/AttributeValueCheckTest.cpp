#include "radius/AttributeValueCheck.h"
#include "radius/Dictionary.h"
#include "support/TempProgramDir.h"
#include "taskdef/PairLineFormatter.h"

#include <gtest/gtest.h>

using radius::AttributeValueCheck;
using radius::ValueForm;
using radius::ValueVerdict;
using Outcome = radius::ValueVerdict::Outcome;

namespace {

struct Case {
    const char *attribute;
    QString value; // as typed in the packet editor, in escaped form
    Outcome outcome;
    ValueForm form;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.attribute << " = " << c.value.left(40).toStdString();
}

class ValueCheckTable : public ::testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite()
    {
        const auto loaded = radius::Dictionary::load(testsupport::TempProgramDir::sourceDataDir() + "/dictionary");
        ASSERT_TRUE(loaded.ok()) << loaded.error().toStdString();
    }
};

TEST_P(ValueCheckTable, JudgesTheValueByItsAttributesType)
{
    const Case &c = GetParam();
    const QByteArray octets = taskdef::PairLineFormatter::writtenValue(c.value).octets;
    const ValueVerdict verdict = AttributeValueCheck::check(QString::fromLatin1(c.attribute), octets);
    EXPECT_EQ(verdict.outcome, c.outcome) << verdict.libraryText.toStdString();
    if (c.outcome != Outcome::NotInDictionary) {
        EXPECT_EQ(verdict.form, c.form);
    }
    EXPECT_EQ(verdict.accepted(), c.outcome == Outcome::Accepted || c.outcome == Outcome::NotInDictionary);
    EXPECT_EQ(verdict.octets, octets.size());
}

const QString k253 = QString(253, 'x');
const QString k300 = QString(300, 'x');
// 253 octets written as 1012 characters of octal escapes.
const QString kEscaped253 = QString("\\101").repeated(253);

INSTANTIATE_TEST_SUITE_P(
    Values, ValueCheckTable,
    ::testing::Values(Case{"NAS-Port", "7", Outcome::Accepted, ValueForm::Number},
                      Case{"NAS-Port", "abc", Outcome::WrongForm, ValueForm::Number},
                      Case{"NAS-Port", "\\061\\062", Outcome::Accepted, ValueForm::Number}, // "12" in escapes
                      Case{"Service-Type", "Framed-User", Outcome::Accepted, ValueForm::Number},
                      Case{"Service-Type", "Framed-Usr", Outcome::WrongForm, ValueForm::Number},
                      Case{"Framed-IP-Address", "10.0.0.3", Outcome::Accepted, ValueForm::Ipv4Address},
                      Case{"Framed-IP-Address", "10.0.0.300", Outcome::WrongForm, ValueForm::Ipv4Address},
                      Case{"Framed-IP-Address", "::1", Outcome::WrongForm, ValueForm::Ipv4Address},
                      Case{"Framed-IPv6-Address", "2001:db8::1", Outcome::Accepted, ValueForm::Ipv6Address},
                      Case{"Framed-IPv6-Address", "10.0.0.1", Outcome::WrongForm, ValueForm::Ipv6Address},
                      Case{"Framed-IPv6-Prefix", "2001:db8::/32", Outcome::Accepted, ValueForm::Ipv6Prefix},
                      Case{"Framed-IPv6-Prefix", "2001:db8::/129", Outcome::WrongForm, ValueForm::Ipv6Prefix},
                      Case{"Event-Timestamp", "1700000000", Outcome::Accepted, ValueForm::Date},
                      Case{"Event-Timestamp", "Dec 10 2026 13:00:00 UTC", Outcome::Accepted, ValueForm::Date},
                      Case{"Event-Timestamp", "someday", Outcome::WrongForm, ValueForm::Date},
                      Case{"Class", "0x0a1b", Outcome::Accepted, ValueForm::HexOctets},
                      Case{"Class", "0xzz", Outcome::WrongForm, ValueForm::HexOctets},
                      Case{"Reply-Message", k253, Outcome::Accepted, ValueForm::Text},
                      Case{"Reply-Message", k300, Outcome::TooLong, ValueForm::Text},
                      Case{"Reply-Message", kEscaped253, Outcome::Accepted, ValueForm::Text},
                      Case{"Reply-Message", kEscaped253 + "\\101", Outcome::TooLong, ValueForm::Text},
                      Case{"Tunnel-Type", "VLAN", Outcome::Accepted, ValueForm::Number},
                      Case{"Tunnel-Type", ":1:VLAN", Outcome::Accepted, ValueForm::Number},
                      Case{"Tunnel-Password", ":2:secret", Outcome::Accepted, ValueForm::Text},
                      Case{"No-Such-Attr", "anything at all", Outcome::NotInDictionary, ValueForm::Other}));

TEST(ValueCheck, RefusalCarriesTheLibrarysReasonAndTheDictionaryName)
{
    ASSERT_TRUE(radius::Dictionary::load(testsupport::TempProgramDir::sourceDataDir() + "/dictionary").ok());
    const ValueVerdict verdict = AttributeValueCheck::check("nas-port", "abc");
    EXPECT_EQ(verdict.outcome, Outcome::WrongForm);
    EXPECT_EQ(verdict.attribute.name, "NAS-Port");
    EXPECT_TRUE(verdict.libraryText.contains("abc")) << verdict.libraryText.toStdString();
    EXPECT_EQ(AttributeValueCheck::typeName(verdict.attribute.type), "integer");
}

} // namespace
