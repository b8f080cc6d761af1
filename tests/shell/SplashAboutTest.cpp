// The splash window's life and the About box's contents.
#include "shell/ProductInfo.h"
#include "shell/TfrmAbout.h"
#include "shell/TfrmSplash.h"
#include "support/TempProgramDir.h"

#include <QLabel>
#include <QPointer>
#include <QTest>

#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

TEST(SplashAboutTest, SplashStaysOnTopForTwoSecondsThenFreesItself)
{
    QPointer<shell::TfrmSplash> splash = new shell::TfrmSplash;
    EXPECT_EQ(splash->size(), QSize(441, 228));
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    splash->showNow();
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->findChild<QLabel *>("lblVersion")->text(), "Version :  2.4.3 Build0316");
    // It stays up until its two-second timer fires, then frees itself.
    auto *timer = splash->findChild<QTimer *>("TimerSplash");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 2000);
    QSignalSpy fired(timer, &QTimer::timeout);
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 5000));
    EXPECT_EQ(fired.count(), 1);
}

TEST(SplashAboutTest, AboutBoxShowsVersionAndLinks)
{
    testsupport::TempProgramDir dir;
    shell::TfrmAbout about;
    EXPECT_EQ(about.windowTitle(), "About Pellion");
    EXPECT_EQ(about.findChild<QLabel *>("lblVersion")->text(), "Version :  2.4.3  Build 0316");
    EXPECT_TRUE(about.findChild<QLabel *>("lblWeb")->text().contains(shell::product::kHomePage));
    EXPECT_TRUE(about.findChild<QLabel *>("lblEmail")->text().contains("mailto:" + shell::product::kSupportMail));
    EXPECT_TRUE(about.findChild<QLabel *>("lblEmail")->text().startsWith("Email:<a "));
    EXPECT_TRUE(about.findChild<QLabel *>("lblWeb")->text().startsWith("Web: <a "));
}
