#include "execution/Settings.h"
#include "execution/LogColors.h"
#include "platform/SettingsKey.h"
#include "support/TempProgramDir.h"

#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

using execution::LogColors;
using execution::Settings;

TEST(Settings, MissingKeyGivesTheDefaults)
{
    testsupport::TempProgramDir dir;
    ASSERT_FALSE(Settings::keyExists());
    const Settings s = Settings::read();
    EXPECT_FALSE(s.Minimized);
    EXPECT_FALSE(s.HideTray);
    EXPECT_TRUE(s.DisplaySplash);
    EXPECT_EQ(s.WhenClose, 0);
    EXPECT_EQ(s.LogFileName, "PellionLog.txt");
    EXPECT_EQ(s.MaxLogFileSize, 0);
    EXPECT_EQ(s.SummaryClr, 0x80000001u);
    EXPECT_EQ(s.InfoClr, 0x808000u);
    EXPECT_EQ(s.WarningClr, 0x0000FFu);
    EXPECT_EQ(s.ErrorClr, 0x0000FFu);
    EXPECT_EQ(s.threadPriority(), QThread::NormalPriority);
    EXPECT_FALSE(Settings::keyExists()); // reading never creates it
}

TEST(Settings, WritesAllValuesAndReadsThemBack)
{
    testsupport::TempProgramDir dir;
    Settings s;
    s.Minimized = true;
    s.HideTray = true;
    s.DisplaySplash = false;
    s.WhenClose = 2;
    s.LogFileName = "Other.txt";
    s.MaxLogFileSize = 100;
    s.SummaryClr = 0x008000;
    s.InfoClr = 0xFF0000;
    s.WarningClr = 0x00FFFF;
    s.ErrorClr = 0x80000008;
    s.ThrdPRI = 9;
    ASSERT_TRUE(s.write());
    const Settings r = Settings::read();
    EXPECT_TRUE(r.Minimized && r.HideTray && !r.DisplaySplash);
    EXPECT_EQ(r.WhenClose, 2);
    EXPECT_EQ(r.LogFileName, "Other.txt");
    EXPECT_EQ(r.MaxLogFileSize, 100);
    EXPECT_EQ(r.SummaryClr, 0x008000u);
    EXPECT_EQ(r.InfoClr, 0xFF0000u);
    EXPECT_EQ(r.WarningClr, 0x00FFFFu);
    EXPECT_EQ(r.ErrorClr, 0x80000008u);
    EXPECT_EQ(r.threadPriority(), QThread::TimeCriticalPriority);
}

TEST(Settings, AnyNonZeroFlagReadsTrue)
{
    testsupport::TempProgramDir dir;
    auto key = platform::SettingsKey::open(Settings::keyName(), true);
    ASSERT_TRUE(key);
    key->writeInteger("Minimized", 5);
    key->writeInteger("DisplaySplash", 0);
    ASSERT_TRUE(key->commit());
    const Settings r = Settings::read();
    EXPECT_TRUE(r.Minimized);
    EXPECT_FALSE(r.DisplaySplash);
    EXPECT_EQ(r.LogFileName, "PellionLog.txt"); // a value the key lacks keeps its default
}

TEST(Settings, ThreadPriorityMapping)
{
    const QThread::Priority expected[] = {
        QThread::IdlePriority, QThread::LowestPriority,  QThread::LowPriority,         QThread::NormalPriority,
        QThread::HighPriority, QThread::HighestPriority, QThread::TimeCriticalPriority};
    for (int value = 0; value <= 6; ++value)
        EXPECT_EQ(Settings::priorityOf(value), expected[value]) << value;
    EXPECT_EQ(Settings::priorityOf(9), QThread::TimeCriticalPriority);
    EXPECT_EQ(Settings::priorityOf(-1), QThread::TimeCriticalPriority);
}

TEST(Settings, ColoursInTheWindowSystemEncoding)
{
    struct Case {
        quint32 value;
        QColor expected;
    };
    const Case cases[] = {
        {0x0000FF, QColor(255, 0, 0)}, {0x808000, QColor(0, 128, 128)}, {0x008000, QColor(0, 128, 0)},
        {0xFF0000, QColor(0, 0, 255)}, {0x00FFFF, QColor(255, 255, 0)},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(LogColors::toColor(c.value), c.expected) << std::hex << c.value;
        EXPECT_EQ(LogColors::fromColor(c.expected), c.value) << std::hex << c.value;
    }
    // the desktop colour is a palette colour that stands out from a light pane
    const QColor desktop = LogColors::toColor(0x80000001);
    EXPECT_EQ(desktop, QGuiApplication::palette().color(QPalette::Highlight));
    EXPECT_NE(desktop, QGuiApplication::palette().color(QPalette::Base));
    EXPECT_LT(desktop.lightness(), 200);
}
