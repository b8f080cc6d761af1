#pragma once

#include "reports/RawPacketPage.h"
#include "reports/RawPacketSettings.h"

#include "radius/Dictionary.h"
#include "support/TempProgramDir.h"
#include "taskdef/RequestReader.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

#include <optional>

// Builds raw pages from script texts in a temporary program directory, with the
// dictionary the program ships; the authenticators drawn by the reader may be fixed.
class RawPacketFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(radius::Dictionary::load(PELLION_SOURCE_DIR "/data/dictionary").ok()); }

    // The legacy placement keeps the octets in the file's order, which most tests spell out;
    // the first placement (the default) has tests of its own.
    static reports::RawPacketSettings
    settings(int code, int startId = 7, const QByteArray &secret = "testing123",
             radius::MessageAuthenticatorPlacement placement = radius::MessageAuthenticatorPlacement::Legacy)
    {
        reports::RawPacketSettings s;
        s.placement = placement;
        s.serverIp = "127.0.0.1";
        s.defaultPort = 1812;
        s.defaultCode = code;
        s.secret = secret;
        s.startId = startId;
        s.fallbackEapId = 0x33;
        return s;
    }

    QStringList page(const QByteArray &script, const reports::RawPacketSettings &s,
                     std::optional<QByteArray> fixedAuthenticator = std::nullopt)
    {
        EXPECT_TRUE(dir.writeFile("script/raw.txt", script));
        const QString path = dir.filePath("script/raw.txt");
        return reports::RawPacketPage::lines(s, [&] {
            auto records = taskdef::RequestReader::read(path).records;
            if (fixedAuthenticator)
                for (auto &record : records)
                    record.packet.setAuthenticator(*fixedAuthenticator);
            return records;
        });
    }

    // The whole-packet line of every block, in order.
    static QList<QByteArray> packets(const QStringList &lines)
    {
        QList<QByteArray> out;
        for (int i = 0; i + 1 < lines.size(); ++i)
            if (lines[i].startsWith("Packet") && lines[i + 1].startsWith("0x"))
                out << QByteArray::fromHex(lines[i + 1].mid(2).toLatin1());
        return out;
    }

    testsupport::TempProgramDir dir;
};
