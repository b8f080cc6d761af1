// The dictionary read again in a running process, as after Glossor changed a vendor file.
#include "radius/Dictionary.h"
#include "radius/PairList.h"
#include "support/TempProgramDir.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <optional>

using namespace radius;

namespace {

const QByteArray kIndex = "$INCLUDE dictionary.Reloadtest\n";
const QByteArray kVendor =
    "VENDOR Reloadtest 64990\nBEGIN-VENDOR Reloadtest\n"
    "ATTRIBUTE Reloadtest-Mode 1 integer\n"
    "VALUE Reloadtest-Mode Fast 7\n"
    "END-VENDOR Reloadtest\n";

class DictionaryReload : public ::testing::Test {
protected:
    void SetUp() override
    {
        Dictionary::unload();
        const Status loaded = Dictionary::load(dir.filePath(QStringLiteral("dictionary")));
        ASSERT_TRUE(loaded.ok()) << loaded.error().toStdString();
    }
    void TearDown() override { Dictionary::unload(); }

    bool addVendorFile() const
    {
        return dir.writeFile(QStringLiteral("dictionary/userdefine/dictionary.Reloadtest"), kVendor)
            && dir.writeFile(QStringLiteral("dictionary/userdefine/dictionary"), kIndex);
    }

    // The value a named value of the attribute stands for, through a pair list.
    static std::optional<quint64> namedValue(const char *attribute, const char *name)
    {
        PairList pairs;
        if (!pairs.add(QString::fromLatin1(attribute), QString::fromLatin1(name)).ok())
            return std::nullopt;
        return pairs.integer(attribute);
    }

    testsupport::TempProgramDir dir;
    QSignalSpy reloaded{&DictionaryEvents::instance(), &DictionaryEvents::reloaded};
    QSignalSpy refused{&DictionaryEvents::instance(), &DictionaryEvents::reloadRefused};
};

TEST_F(DictionaryReload, ReadsAVendorAddedAfterTheLoadAndKeepsNamedValuesOnTheirAttributes)
{
    ASSERT_FALSE(Dictionary::attribute(QStringLiteral("Reloadtest-Mode")).has_value());
    ASSERT_TRUE(addVendorFile());

    for (int round = 0; round < 2; ++round) { // a second reload reads the same again
        const Status status = Dictionary::reload();
        ASSERT_TRUE(status.ok()) << status.error().toStdString();
        EXPECT_TRUE(Dictionary::isLoaded());
        EXPECT_FALSE(Dictionary::isStale());
        const auto mode = Dictionary::attribute(QStringLiteral("Reloadtest-Mode"));
        ASSERT_TRUE(mode.has_value()) << round;
        EXPECT_EQ(mode->vendor, 64990u);
        EXPECT_EQ(namedValue("Reloadtest-Mode", "Fast"), 7u);
        // Values read before and after the vendor file still belong to their own attributes.
        EXPECT_EQ(namedValue("Service-Type", "Framed-User"), 2u);
        EXPECT_EQ(namedValue("Acct-Status-Type", "Interim-Update"), 3u);
        EXPECT_FALSE(namedValue("Service-Type", "Fast").has_value());
    }
    EXPECT_EQ(reloaded.count(), 2);
    EXPECT_EQ(refused.count(), 0);
}

TEST_F(DictionaryReload, IsRefusedWhilePairsMadeFromItLiveAndTheOldDictionaryStays)
{
    ASSERT_TRUE(addVendorFile());
    {
        auto held = std::make_optional<PairList>();
        ASSERT_TRUE(held->add(QStringLiteral("User-Name"), QStringLiteral("bob")).ok());
        const Status status = Dictionary::reload();
        EXPECT_FALSE(status.ok());
        EXPECT_EQ(refused.count(), 1);
        EXPECT_TRUE(Dictionary::isStale());
        EXPECT_TRUE(Dictionary::isLoaded());
        EXPECT_EQ(held->at(0).attribute.name, "User-Name");
        EXPECT_FALSE(Dictionary::attribute(QStringLiteral("Reloadtest-Mode")).has_value());
        held.reset();
    }
    // None left: the reload goes through.
    ASSERT_TRUE(Dictionary::reload().ok());
    EXPECT_FALSE(Dictionary::isStale());
    EXPECT_TRUE(Dictionary::attribute(QStringLiteral("Reloadtest-Mode")).has_value());
    EXPECT_EQ(reloaded.count(), 1);
}

TEST_F(DictionaryReload, ABrokenFileLeavesNoDictionaryUntilItIsMended)
{
    ASSERT_TRUE(dir.writeFile(QStringLiteral("dictionary/userdefine/dictionary.Reloadtest"),
                              "VENDOR Reloadtest 64990\nATTRIBUTE Reloadtest-Mode 1 nosuchtype Reloadtest\n"));
    ASSERT_TRUE(dir.writeFile(QStringLiteral("dictionary/userdefine/dictionary"), kIndex));
    const Status status = Dictionary::reload();
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(status.error().contains(QStringLiteral("nosuchtype"))) << status.error().toStdString();
    EXPECT_FALSE(Dictionary::isLoaded());
    EXPECT_TRUE(Dictionary::isStale());
    EXPECT_EQ(refused.count(), 1);

    ASSERT_TRUE(addVendorFile());
    ASSERT_TRUE(Dictionary::reload().ok());
    EXPECT_TRUE(Dictionary::isLoaded());
    EXPECT_EQ(namedValue("Reloadtest-Mode", "Fast"), 7u);
}

} // namespace
