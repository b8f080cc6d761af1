#include "platform/SingleInstance.h"
#include "support/TempProgramDir.h"

#include <QLockFile>

#include <gtest/gtest.h>

TEST(SingleInstance, OneHolderPerNameUntilReleased)
{
    testsupport::TempProgramDir dir;
    {
        platform::SingleInstance first(QStringLiteral("Pellion"));
        ASSERT_TRUE(first.acquire());
        EXPECT_TRUE(first.acquire()); // holding it already
        // A second guard of the same name in another process is refused; QLockFile refuses
        // within one process too, which is what we can test here.
        QLockFile other(platform::SingleInstance::directory() + QStringLiteral("/Pellion.lock"));
        EXPECT_FALSE(other.tryLock(0));
        platform::SingleInstance glossor(QStringLiteral("Glossor.exe"));
        EXPECT_TRUE(glossor.acquire());
    }
    platform::SingleInstance again(QStringLiteral("Pellion"));
    EXPECT_TRUE(again.acquire());
}
