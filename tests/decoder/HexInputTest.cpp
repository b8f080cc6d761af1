#include "decoder/HexInput.h"

#include <gtest/gtest.h>

using decoder::HexInput;

TEST(HexInput, EveryPastedFormGivesTheSameOctets)
{
    const QByteArray expected = QByteArray::fromHex(
        "02090019001122334455667788"
        "99aabbccddeeff0105626f62");
    struct Case {
        const char *label;
        const char *text;
    };
    const Case cases[] = {
        {"stream",
         "02090019001122334455667788"
         "99aabbccddeeff0105626f62"},
        {"stream with 0x and upper case",
         "0x02090019001122334455667788"
         "99AABBCCDDEEFF0105626F62"},
        {"blanks", "02 09 00 19 00 11 22 33 44 55 66 77 88 99 aa bb cc dd ee ff 01 05 62 6f 62"},
        {"colons", "02:09:00:19:00:11:22:33:44:55:66:77:88:99:aa:bb:cc:dd:ee:ff:01:05:62:6f:62"},
        {"0x per octet with commas",
         "0x02, 0x09, 0x00, 0x19, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88,\n"
         "0x99, 0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff, 0x01, 0x05, 0x62, 0x6f, 0x62"},
        {"lines", "02090019\n  0011223344556677\r\n8899aabbccddeeff\n\n0105626f62\n"},
        // The offsets and the text column are not octets, even where the text looks like hex.
        {"wireshark hex dump",
         "0000   02 09 00 19 00 11 22 33 44 55 66 77 88 99 aa bb   ......\"3DUfw....\n"
         "0010   cc dd ee ff 01 05 62 6f 62                        ......bob\n"},
        {"dump with a hex-like text column",
         "0000  02 09 00 19 00 11 22 33  44 55 66 77 88 99 aa bb   ab cd ef\n"
         "0010  cc dd ee ff 01 05 62 6f  62                        00 11\n"},
        {"xxd",
         "00000000: 0209 0019 0011 2233 4455 6677 8899 aabb  ......\"3DUfw....\n"
         "00000010: ccdd eeff 0105 626f 62                   ......bob\n"},
        {"raw packet view block",
         "Packet0  :\n"
         "0x02090019001122334455667788"
         "99aabbccddeeff0105626f62\n"
         "   -----------------------------------------------\n"
         "   Code          : 0x02\n   Identifier    : 0x09\n   Length        : 0x0019\n"
         "   Authenticator : 0x00112233445566778899aabbccddeeff\n"
         "   Attributes    : 0x0105626f62\n"},
    };
    for (const Case &c : cases) {
        const auto parsed = HexInput::parse(QString::fromUtf8(c.text));
        ASSERT_TRUE(parsed.ok()) << c.label << ": " << parsed.error().toStdString();
        EXPECT_EQ(parsed->toHex(), expected.toHex()) << c.label;
    }
}

TEST(HexInput, TextThatIsNotHexadecimalIsRefusedWithWhere)
{
    struct Case {
        const char *text;
        const char *error;
    };
    const Case cases[] = {
        {"", "No hexadecimal octets"},
        {"  \n \n", "No hexadecimal octets"},
        {"01 02 03 4", "An odd number of hexadecimal digits (7): an octet is cut short"},
        {"0102\n03 0g", "Line 2: 'g' is not a hexadecimal digit"},
        {"01-02", "Line 1: '-' is not a hexadecimal digit"},
    };
    for (const Case &c : cases) {
        const auto parsed = HexInput::parse(QString::fromUtf8(c.text));
        ASSERT_FALSE(parsed.ok()) << c.text;
        EXPECT_EQ(parsed.error(), QString::fromUtf8(c.error)) << c.text;
    }
}
