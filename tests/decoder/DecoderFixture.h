#pragma once

#include "decoder/DecodeReportText.h"
#include "decoder/PacketDecoder.h"

#include "radius/Crypto.h"
#include "radius/Dictionary.h"

#include <QByteArray>
#include <QStringList>

#include <gtest/gtest.h>

// Every pair decoded from the packet, "Name = value" as the library prints it.
inline QStringList pairsOf(const decoder::DecodedPacket &p)
{
    QStringList out;
    for (const decoder::AttributeEntry &a : p.attributes)
        for (const QByteArray &pair : a.pairs)
            out << QString::fromUtf8(pair);
    return out;
}

// The dictionary the program ships, and packets made by hand around attribute octets.
class DecoderFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(radius::Dictionary::load(PELLION_SOURCE_DIR "/data/dictionary").ok()); }

    static QByteArray header(unsigned code, int id, int length, const QByteArray &authenticator)
    {
        QByteArray out;
        out.append(char(code)).append(char(id)).append(char(length >> 8)).append(char(length & 0xff));
        return out + authenticator;
    }

    // The whole packet, its length field counting the attributes.
    static QByteArray packet(unsigned code, int id, const QByteArray &authenticator, const QByteArray &attributes)
    {
        return header(code, id, 20 + int(attributes.size()), authenticator) + attributes;
    }

    // A reply to a request with requestAuthenticator, signed with secret as a server signs
    // it: a Message-Authenticator among the attributes (16 zero octets) first.
    static QByteArray signedReply(unsigned code, int id, const QByteArray &requestAuthenticator,
                                  const QByteArray &attributes, const QByteArray &secret)
    {
        QByteArray out = packet(code, id, requestAuthenticator, attributes);
        const qsizetype ma = out.indexOf(QByteArray::fromHex("5012") + QByteArray(16, '\0'));
        if (ma >= 20)
            out.replace(ma + 2, 16, radius::Crypto::hmacMd5(out, secret));
        out.replace(4, 16, radius::Crypto::md5(out + secret));
        return out;
    }

    static QString textOf(const decoder::DecodedPacket &p) { return decoder::DecodeReportText::lines(p).join('\n'); }
};
