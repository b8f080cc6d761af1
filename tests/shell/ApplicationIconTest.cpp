// The program's icon comes from the PNG sizes rendered beside the executable.
#include "shell/ShellIcons.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

namespace {

TEST(ApplicationIcon, UsesTheRenderedSizesBesideTheExecutable)
{
    testsupport::TempProgramDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("icons"));
    for (int size : {16, 48}) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(dir.filePath(QString("icons/pellion-%1.png").arg(size))));
    }
    const QIcon icon = shell::ShellIcons::applicationIcon();
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(16, 16), QSize(48, 48)}));
    EXPECT_EQ(icon.pixmap(48, 48).toImage().pixelColor(24, 24), QColor(Qt::red));
}

TEST(ApplicationIcon, FallsBackToTheDrawnPictureWithoutRenderedSizes)
{
    testsupport::TempProgramDir dir;
    const QIcon icon = shell::ShellIcons::applicationIcon();
    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), shell::ShellIcons::picture(shell::ShellIcons::Task).availableSizes());
}

} // namespace
