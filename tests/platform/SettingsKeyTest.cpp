#include "platform/SettingsKey.h"
#include "support/TempProgramDir.h"

#include <QFile>

#include <gtest/gtest.h>

using platform::SettingsKey;

TEST(SettingsKey, OpensOnlyWhatExistsUnlessAskedToCreate)
{
    testsupport::TempProgramDir dir;
    EXPECT_FALSE(SettingsKey::exists(QStringLiteral("PellionSet")));
    EXPECT_FALSE(SettingsKey::open(QStringLiteral("PellionSet"), false).has_value());
    EXPECT_TRUE(SettingsKey::open(QStringLiteral("PellionSet"), true).has_value());
    EXPECT_TRUE(SettingsKey::exists(QStringLiteral("PellionSet")));
    EXPECT_TRUE(QFile::exists(dir.settingsRoot() + QStringLiteral("/PellionSet.ini")));
}

TEST(SettingsKey, ValuesKeepTheirTypeAcrossOpens)
{
    testsupport::TempProgramDir dir;
    {
        auto key = SettingsKey::open(QStringLiteral("PellionSet"), true);
        key->writeInteger(QStringLiteral("MaxLogFileSize"), 2048);
        key->writeInteger(QStringLiteral("Colour"), static_cast<int>(0x80000001u));
        key->writeString(QStringLiteral("LogFileName"), QStringLiteral("run log.txt"));
        key->writeString(QStringLiteral("Digits"), QStringLiteral("12"));
        ASSERT_TRUE(key->commit());
    }
    auto key = SettingsKey::open(QStringLiteral("PellionSet"), false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readInteger(QStringLiteral("MaxLogFileSize"), 1), 2048);
    EXPECT_EQ(static_cast<quint32>(key->readInteger(QStringLiteral("Colour"), 0)), 0x80000001u);
    EXPECT_EQ(key->readString(QStringLiteral("LogFileName"), {}), QStringLiteral("run log.txt"));
    // A value of the other type, or none at all, reads as the default.
    EXPECT_EQ(key->readInteger(QStringLiteral("Digits"), 7), 7);
    EXPECT_EQ(key->readString(QStringLiteral("MaxLogFileSize"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(key->readInteger(QStringLiteral("Missing"), -3), -3);
    EXPECT_FALSE(key->hasValue(QStringLiteral("Missing")));
}
