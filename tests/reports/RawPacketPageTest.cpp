#include "QtPrinters.h"
#include "RawPacketFixture.h"

#include "reports/RawPacketText.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRegularExpression>

using reports::RawPacketText;

namespace {

const QByteArray kSecret = "testing123";
const QByteArray kFixed = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f");

QByteArray md5(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Md5);
}

QByteArray header(int code, int id, int length, const QByteArray &authenticator)
{
    QByteArray h;
    h.append(char(code)).append(char(id)).append(char(length >> 8)).append(char(length & 0xff));
    return h + authenticator;
}

// A request whose authenticator is MD5 over the packet with a zero one, then the secret.
QByteArray signedRequest(int code, int id, const QByteArray &attributes)
{
    const QByteArray zero = header(code, id, 20 + int(attributes.size()), QByteArray(16, '\0')) + attributes;
    return header(code, id, int(zero.size()), md5(zero + kSecret)) + attributes;
}

// RFC 2865 5.2 for a password of at most 16 octets.
QByteArray hiddenPassword(const QByteArray &password, const QByteArray &authenticator)
{
    QByteArray p = password;
    p.resize(16, '\0');
    const QByteArray b = md5(kSecret + authenticator);
    for (int i = 0; i < 16; ++i)
        p[i] = char(p[i] ^ b[i]);
    return p;
}

QByteArray attribute(int type, const QByteArray &value)
{
    return QByteArray(1, char(type)) + QByteArray(1, char(value.size() + 2)) + value;
}

QByteArray withMessageAuthenticator(const QByteArray &packetWithZeroValue, int valueAt)
{
    QByteArray out = packetWithZeroValue;
    const QByteArray mac = QMessageAuthenticationCode::hash(packetWithZeroValue, kSecret, QCryptographicHash::Md5);
    out.replace(valueAt, 16, mac);
    return out;
}

} // namespace

class RawPacketPageTest : public RawPacketFixture {};

TEST_F(RawPacketPageTest, AccountingRequestIsSignedAndTheSameInEveryView)
{
    const QByteArray script = "User-Name = bob\nAcct-Status-Type = Start\nAcct-Session-Id = s1\n\n";
    const QStringList first = page(script, settings(4));
    const QByteArray attributes =
        attribute(1, "bob") + attribute(40, QByteArray::fromHex("00000001")) + attribute(44, "s1");
    const QByteArray expected = signedRequest(4, 7, attributes);

    QStringList golden = RawPacketText::figure();
    golden << "Packet0  :"
           << "0x" + expected.toHex() << "   " + QString(94, '-') << "   Code          : 0x04"
           << "   Identifier    : 0x07"
           << "   Length        : 0x0023"
           << "   Authenticator : 0x" + expected.mid(4, 16).toHex() << "   Attributes    : 0x" + attributes.toHex();
    EXPECT_EQ(first, golden);
    EXPECT_EQ(page(script, settings(4)), first);
}

TEST_F(RawPacketPageTest, DisconnectRequestIsSignedLikeAccounting)
{
    const QStringList lines = page("User-Name = bob\nAcct-Session-Id = s1\n", settings(40, 300));
    const QByteArray attributes = attribute(1, "bob") + attribute(44, "s1");
    EXPECT_EQ(packets(lines), QList<QByteArray>{signedRequest(40, 300 & 0xff, attributes)});
}

TEST_F(RawPacketPageTest, AccessRequestTakesAFreshAuthenticatorEachView)
{
    const QByteArray script = "User-Name = bob\nUser-Password = hello\n";
    const QList<QByteArray> a = packets(page(script, settings(1)));
    const QList<QByteArray> b = packets(page(script, settings(1)));
    ASSERT_EQ(a.size(), 1);
    ASSERT_EQ(b.size(), 1);
    EXPECT_NE(a[0].mid(4, 16), b[0].mid(4, 16));
    EXPECT_EQ(a[0].size(), 20 + 5 + 18);
}

TEST_F(RawPacketPageTest, PasswordsAreHiddenOrChapEncoded)
{
    // The read authenticator is replaced by its MD5 digest before the password is used.
    const QByteArray ra = md5(kFixed);
    struct Case {
        const char *name;
        QByteArray script;
        QByteArray attributes;
    };
    const QByteArray chapChallenge = QByteArray::fromHex("11223344556677889900aabbccddeeff");
    const Case cases[] = {
        {"pap", "User-Name = bob\nUser-Password = hello\n",
         attribute(1, "bob") + attribute(2, hiddenPassword("hello", ra))},
        {"chap over the authenticator", "User-Name = bob\nCHAP-Password = hello\n",
         attribute(1, "bob")
             + attribute(3,
                         QByteArray(1, '\x07')
                             + md5("\x07"
                                   "hello"
                                   + ra))},
        {"chap over CHAP-Challenge", "CHAP-Challenge = 0x11223344556677889900aabbccddeeff\nCHAP-Password = hello\n",
         attribute(60, chapChallenge)
             + attribute(3,
                         QByteArray(1, '\x07')
                             + md5("\x07"
                                   "hello"
                                   + chapChallenge))},
        {"only internal attributes", "EAP-Id = 5\nPacket-Dst-Port = 1645\n", {}},
    };
    for (const Case &c : cases) {
        const QList<QByteArray> out = packets(page(c.script, settings(1), kFixed));
        ASSERT_EQ(out.size(), 1) << c.name;
        EXPECT_EQ(out[0], header(1, 7, 20 + int(c.attributes.size()), ra) + c.attributes) << c.name;
    }
}

TEST_F(RawPacketPageTest, MessageAuthenticatorIsTheHmacOfThePacket)
{
    const QByteArray ra = md5(kFixed);
    const QList<QByteArray> out =
        packets(page("User-Name = bob\nUser-Password = hello\nMessage-Authenticator = 0x00\n", settings(12), kFixed));
    const QByteArray attributes =
        attribute(1, "bob") + attribute(2, hiddenPassword("hello", ra)) + attribute(80, QByteArray(16, '\0'));
    const QByteArray zero = header(12, 7, 20 + int(attributes.size()), ra) + attributes;
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(out[0], withMessageAuthenticator(zero, int(zero.size()) - 16));
}

TEST_F(RawPacketPageTest, AccessRequestOpensWithItsMessageAuthenticatorByDefault)
{
    const QByteArray ra = md5(kFixed);
    const QList<QByteArray> out =
        packets(page("User-Name = bob\nUser-Password = hello\n",
                     settings(1, 7, "testing123", radius::MessageAuthenticatorPlacement::First), kFixed));
    const QByteArray attributes =
        attribute(80, QByteArray(16, '\0')) + attribute(1, "bob") + attribute(2, hiddenPassword("hello", ra));
    const QByteArray zero = header(1, 7, 20 + int(attributes.size()), ra) + attributes;
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(out[0].toHex(), withMessageAuthenticator(zero, 22).toHex());
}

TEST_F(RawPacketPageTest, EachVendorAttributeGetsAVendorSpecificOfItsOwn)
{
    const QList<QByteArray> out =
        packets(page("Cisco-AVPair = \"a=1\"\nCisco-AVPair = \"b=22\"\n", settings(1), kFixed));
    const auto cisco = [](const QByteArray &value) {
        return attribute(26, QByteArray::fromHex("00000009") + attribute(1, value));
    };
    const QByteArray attributes = cisco("a=1") + cisco("b=22");
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(out[0].mid(20).toHex(), attributes.toHex());
}

TEST_F(RawPacketPageTest, IdentifiersCountOnFromStartIdModulo256)
{
    const QStringList lines = page("User-Name = a\n\nUser-Name = b\n\nUser-Name = c\n", settings(4, 254));
    EXPECT_EQ(lines.filter("   Identifier    : ").join(','),
              "   Identifier    : 0xfe,   Identifier    : 0xff,   Identifier    : 0x00");
    EXPECT_EQ(lines.filter(QRegularExpression("^Packet")), QStringList({"Packet0  :", "Packet1  :", "Packet2  :"}));
}

TEST_F(RawPacketPageTest, UserDefinedCodeNeedsEveryPacketToSetItsType)
{
    const QByteArray mixed = "Packet-Type = Accounting-Request\nUser-Name = a\n\nUser-Name = b\n";
    QStringList refused = RawPacketText::figure();
    refused << "Error: The list of packets sanity checking packet code error.";
    EXPECT_EQ(page(mixed, settings(-1)), refused);

    const QList<QByteArray> out =
        packets(page("Packet-Type = Accounting-Request\nUser-Name = a\n\nPacket-Type = Status-Server\nUser-Name = b\n",
                     settings(-1)));
    ASSERT_EQ(out.size(), 2);
    EXPECT_EQ(out[0][0], char(4));
    EXPECT_EQ(out[1][0], char(12));
    // A packet's own type also wins over the task's code.
    EXPECT_EQ(packets(page(mixed, settings(40)))[1][0], char(40));
    EXPECT_EQ(packets(page(mixed, settings(40)))[0][0], char(4));
}

TEST_F(RawPacketPageTest, AFailedEncodingShowsTheMessageAndGoesOn)
{
    const auto messages = [](int count) {
        QByteArray out;
        for (int i = 0; i < count; ++i)
            out += "Reply-Message = \"" + QByteArray(250, char('a' + i)) + "\"\n";
        return out;
    };
    struct Case {
        const char *name;
        int code;
        QByteArray firstPacket;
        QString message;
    };
    const Case cases[] = {
        {"a response code", 4, "Packet-Type = Access-Accept\nUser-Name = a\n",
         "   Error: Cannot sign response packet without a request packet"},
        // Accounting and dynamic-authorization requests may carry it, hidden with the secret.
        {"tunnel password hiding in an access request", 1, "Tunnel-Password = abc\n",
         "   Error: No request packet, cannot encrypt Tunnel-Password attribute in the vp."},
        {"more than 4096 octets", 4, messages(17),
         "   Error: Too many attributes for packet, result is larger than RFC maximum of 4k"},
    };
    for (const Case &c : cases) {
        const QStringList lines = page(c.firstPacket + "\nUser-Name = b\n", settings(c.code));
        const int head = lines.indexOf("Packet0  :");
        ASSERT_GE(head, 0) << c.name;
        EXPECT_EQ(lines.mid(head + 1, 2), QStringList({c.message, "Packet1  :"})) << c.name;
        // The failed request used identifier 7; the next one is whole.
        const QList<QByteArray> out = packets(lines);
        ASSERT_EQ(out.size(), 1) << c.name;
        EXPECT_EQ(out[0].mid(20), attribute(1, "b")) << c.name;
        EXPECT_EQ(out[0][1], char(8)) << c.name;
    }
    // Sixteen of those attributes fit: 4052 octets, shown whole.
    const QList<QByteArray> full = packets(page(messages(16), settings(4)));
    ASSERT_EQ(full.size(), 1);
    EXPECT_EQ(full[0].size(), 20 + 16 * 252);
}

TEST_F(RawPacketPageTest, PageErrorsEndThePageAfterTheFigure)
{
    reports::RawPacketSettings noHost = settings(1);
    noHost.serverIp = "";
    EXPECT_EQ(page("User-Name = a\n", noHost), RawPacketText::figure() + RawPacketText::unresolvedHost(""));
    QStringList none = RawPacketText::figure();
    none << "Error: No list of packets.";
    EXPECT_EQ(page("", settings(1)), none);
    EXPECT_EQ(page("No-Such-Attr = 1\n", settings(1)), none);
    // An unknown name after a good packet keeps the good one.
    EXPECT_EQ(packets(page("User-Name = a\n\nNo-Such-Attr = 1\n", settings(4))).size(), 1);
}

// An IPv6 server resolves as an IPv4 one does; the octets do not depend on the address.
TEST_F(RawPacketPageTest, Ipv6ServersShowTheirPackets)
{
    const QByteArray script = "User-Name = a\nUser-Password = b\n";
    const QByteArray fixed(16, '\x11');
    const QStringList ipv4 = page(script, settings(1), fixed);
    ASSERT_EQ(packets(ipv4).size(), 1);
    for (const char *server : {"::1", "[::1]", " fe80::1 ", "2001:db8::ffff:1"}) {
        reports::RawPacketSettings v6 = settings(1);
        v6.serverIp = server;
        EXPECT_EQ(page(script, v6, fixed), ipv4) << server;
    }
}

TEST_F(RawPacketPageTest, EapModeComposesEapMessagesAndAMessageAuthenticator)
{
    reports::RawPacketSettings eap = settings(1);
    eap.eapMode = true;
    const QByteArray ra = md5(kFixed);
    struct Case {
        const char *name;
        QByteArray script;
        QByteArray eapPacket;
    };
    const QByteArray longName(250, 'n');
    const Case cases[] = {
        {"response with its own identifier",
         "User-Name = bob\nEAP-Code = Response\nEAP-Id = 9\nEAP-Type-Identity = bob\n",
         QByteArray::fromHex("0209000801") + "bob"},
        {"request with the process identifier", "User-Name = bob\nEAP-Message = 0x0102\nEAP-Type-Identity = bob\n",
         QByteArray::fromHex("0133000801") + "bob"},
        {"success is the header alone", "User-Name = bob\nEAP-Code = Success\nEAP-Id = 1\nEAP-Type-MD5-Challenge = x\n",
         QByteArray::fromHex("03010004")},
        {"long data spans two attributes",
         "User-Name = bob\nEAP-Code = Response\nEAP-Id = 2\nEAP-Type-Identity = " + longName + "\n",
         QByteArray::fromHex("020200ff01") + longName},
    };
    for (const Case &c : cases) {
        const QList<QByteArray> out = packets(page(c.script, eap, kFixed));
        ASSERT_EQ(out.size(), 1) << c.name;
        QByteArray attributes = attribute(1, "bob");
        for (qsizetype at = 0; at < c.eapPacket.size(); at += 253)
            attributes += attribute(79, c.eapPacket.mid(at, 253));
        attributes += attribute(80, QByteArray(16, '\0'));
        const QByteArray zero = header(1, 7, 20 + int(attributes.size()), ra) + attributes;
        EXPECT_EQ(out[0].toHex(), withMessageAuthenticator(zero, int(zero.size()) - 16).toHex()) << c.name;
    }
}

TEST_F(RawPacketPageTest, EapModeKeepsTheScriptsMessageAuthenticatorAndPassword)
{
    reports::RawPacketSettings eap = settings(1);
    eap.eapMode = true;
    const QByteArray ra = md5(kFixed);
    const QList<QByteArray> out =
        packets(page("User-Name = bob\nMessage-Authenticator = 0x00\nUser-Password = other\nEAP-MD5-Password = hello\n"
                     "EAP-Code = Response\nEAP-Id = 9\nEAP-Type-Identity = bob\n",
                     eap, kFixed));
    // The password of EAP mode is EAP-MD5-Password's; one Message-Authenticator only.
    const QByteArray attributes = attribute(1, "bob") + attribute(80, QByteArray(16, '\0'))
        + attribute(2, hiddenPassword("hello", ra)) + attribute(79, QByteArray::fromHex("0209000801") + "bob");
    const QByteArray zero = header(1, 7, 20 + int(attributes.size()), ra) + attributes;
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(out[0].toHex(), withMessageAuthenticator(zero, 20 + 5 + 2).toHex());
}

// The client computes an enterprise mode's requests while it runs: the page says so in
// place of octets it would not send; the older EAP modes still show theirs.
TEST_F(RawPacketPageTest, EnterpriseModesSayTheirRequestsCannotBeShownAhead)
{
    taskstore::TaskRecord task;
    task.ServerIP = "127.0.0.1";
    task.Port = 1812;
    task.RequestTypeCode = 1;
    task.SecretKey = "testing123";
    const QByteArray script = "User-Name = bob\nUser-Password = hello\n";
    for (const char *mode : {"MS-CHAPv2", "EAP-MSCHAPv2", "PEAP", "EAP-TTLS", "EAP-TLS"}) {
        task.AuthMode = mode;
        const QStringList lines = page(script, reports::RawPacketSettings::fromTask(task));
        EXPECT_EQ(lines, RawPacketText::figure() << RawPacketText::computedByClient(mode)) << mode;
        EXPECT_TRUE(lines.last().contains(QString(" %1 task ").arg(mode))) << mode;
    }
    for (const char *mode : {"PAP", "EAP-MD5"}) {
        task.AuthMode = mode;
        EXPECT_EQ(packets(page(script, reports::RawPacketSettings::fromTask(task))).size(), 1) << mode;
    }
    // An accounting task does not use its mode: its packets are shown.
    task.AuthMode = "PEAP";
    task.RequestType = taskstore::kAcct;
    task.RequestTypeCode = 4;
    EXPECT_EQ(packets(page(script, reports::RawPacketSettings::fromTask(task))).size(), 1);
}
