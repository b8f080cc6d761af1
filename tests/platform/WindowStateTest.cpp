#include "platform/WindowState.h"
#include "support/TempProgramDir.h"

#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using platform::WindowState;

namespace {
// A window with a named splitter and a named three-column list, as an application window has.
struct SampleWindow {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QSplitter *splitter = new QSplitter(window.get());
    QTreeWidget *list = new QTreeWidget(splitter);
    QWidget *side = new QWidget(splitter);

    SampleWindow()
    {
        splitter->setObjectName(QStringLiteral("split"));
        list->setObjectName(QStringLiteral("list"));
        list->setColumnCount(3);
        (new QVBoxLayout(window.get()))->addWidget(splitter);
        window->resize(500, 300);
        window->show();
    }
};
} // namespace

TEST(WindowState, RestoresGeometrySplitterAndColumnsInANewWindow)
{
    testsupport::TempProgramDir dir;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect placed(available.left() + 20, available.top() + 30, 420, 260);
    QList<int> splitterSizes;
    {
        SampleWindow first;
        EXPECT_FALSE(WindowState(QStringLiteral("Sample")).restore(*first.window)) << "nothing saved yet";
        first.window->setGeometry(placed);
        first.splitter->setSizes({300, 100});
        splitterSizes = first.splitter->sizes();
        first.list->header()->resizeSection(0, 140);
        first.list->header()->resizeSection(1, 70);
        ASSERT_TRUE(WindowState(QStringLiteral("Sample")).save(*first.window));
    }
    EXPECT_TRUE(QFile::exists(dir.settingsRoot() + QStringLiteral("/WindowState.ini")));

    SampleWindow second;
    EXPECT_NE(second.window->geometry(), placed);
    EXPECT_NE(second.splitter->sizes(), splitterSizes);
    ASSERT_TRUE(WindowState(QStringLiteral("Sample")).restore(*second.window));
    EXPECT_EQ(second.window->geometry(), placed);
    EXPECT_EQ(second.splitter->sizes(), splitterSizes);
    EXPECT_EQ(second.list->header()->sectionSize(0), 140);
    EXPECT_EQ(second.list->header()->sectionSize(1), 70);

    SampleWindow other;
    EXPECT_FALSE(WindowState(QStringLiteral("Other")).restore(*other.window)) << "each window key on its own";
}

TEST(WindowState, AWindowSavedOffTodaysScreenComesBackOnIt)
{
    testsupport::TempProgramDir dir;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    {
        // As saved on a larger screen, or a second one that is gone now.
        SampleWindow first;
        first.window->setGeometry(available.right() + 2000, available.bottom() + 1500, 400, 250);
        ASSERT_TRUE(WindowState(QStringLiteral("Sample")).save(*first.window));
    }
    SampleWindow second;
    ASSERT_TRUE(WindowState(QStringLiteral("Sample")).restore(*second.window));
    EXPECT_TRUE(available.contains(second.window->geometry())) << "on screen";
    EXPECT_EQ(second.window->size(), QSize(400, 250)) << "a size that fits is kept";
}

TEST(WindowState, FittingMovesAndShrinksIntoTheAvailableArea)
{
    const QRect area(0, 0, 1024, 768);
    const struct {
        QRect frame;
        QRect expected;
    } cases[] = {
        {{100, 100, 400, 300}, {100, 100, 400, 300}},   // inside: unchanged
        {{-300, -50, 400, 300}, {0, 0, 400, 300}},      // above and left
        {{900, 700, 400, 300}, {624, 468, 400, 300}},   // below and right
        {{-10, 10, 2000, 1000}, {0, 0, 1024, 768}},     // larger than the screen
        {{3000, 2000, 400, 300}, {624, 468, 400, 300}}, // on a screen that is gone
    };
    for (const auto &c : cases)
        EXPECT_EQ(WindowState::fittedInto(c.frame, area), c.expected) << c.frame.x() << "," << c.frame.y();
    EXPECT_EQ(WindowState::fittedInto({-300, -50, 400, 300}, QRect(1024, 0, 800, 600)), QRect(1024, 0, 400, 300))
        << "a second screen's own origin";
}
