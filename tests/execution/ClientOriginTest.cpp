#include "execution/ClientOrigin.h"
#include "support/TempProgramDir.h"

#include <QFile>

#include <gtest/gtest.h>

using execution::isOwnClient;

namespace {

// A stand-in client in the program directory that answers -v with `answer`.
QString writeClient(const testsupport::TempProgramDir &dir, const QString &name, const QByteArray &answer)
{
    QString path = dir.filePath(name);
    QFile::remove(path);
    EXPECT_TRUE(dir.writeFile(name, "#!/bin/sh\nprintf '%s\\r\\n' '" + answer + "'\n"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

TEST(ClientOrigin, OurClientsAnswerAsOurs)
{
    EXPECT_TRUE(isOwnClient(QStringLiteral(PELLION_RADCLIENT)));
    EXPECT_TRUE(isOwnClient(QStringLiteral(PELLION_RADEAPCLIENT)));
}

TEST(ClientOrigin, OtherAnswersMissingProgramsAndReplacementsAreSeen)
{
    testsupport::TempProgramDir dir;
    struct Case {
        const char *answer;
        bool own;
    };
    const Case cases[] = {
        {"radclient: FreeRADIUS Version 3.2.1, for host x86_64-pc-linux-gnu", false},
        {"", false},
        {"radeapclient: Pellion 1.0.0", false}, // another program's name
        {"radclient: Pellion 1.0.0", true},
    };
    for (const Case &c : cases) {
        // Each case replaces the file: the answer kept for the old one must not be reused.
        const QString path = writeClient(dir, QStringLiteral("radclient"), c.answer);
        EXPECT_EQ(isOwnClient(QStringLiteral("radclient")), c.own) << c.answer;
        EXPECT_EQ(isOwnClient(path), c.own) << c.answer;
    }
    EXPECT_FALSE(isOwnClient(QStringLiteral("no-such-client-here")));
}
