// Glossor started from the Manager menu changes the dictionary while Pellion runs: when it
// ends, the packet editor offers the new vendor, or says to restart when the dictionary
// cannot be read again yet.
#include "E2eSuite.h"

#include "radius/Dictionary.h"
#include "radius/PairList.h"
#include "shell/GlossorLauncher.h"
#include "shell/TfrmMain.h"
#include "taskdef/TfrmPackage.h"
#include "taskdef/TfrmTask.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTabWidget>

namespace e2e {
namespace {

const char *const kRestart = "Restart Pellion to use the changed dictionaries.";

// Stands in for Glossor: adds a vendor file to the user dictionary index, as Glossor's
// save does, and ends. Each run writes a new line, so each run changes the files.
const QByteArray kFakeGlossor =
    "#!/bin/sh\n"
    "cd dictionary/userdefine || exit 1\n"
    "printf 'VENDOR Reloadflow 64991\\nBEGIN-VENDOR Reloadflow\\n"
    "ATTRIBUTE Reloadflow-Mode 1 integer\\nEND-VENDOR Reloadflow\\n' "
    "> dictionary.Reloadflow\n"
    "printf '$INCLUDE dictionary.Reloadflow\\n# run %s\\n' \"$$\" > dictionary\n";

QStringList entries(QComboBox *box)
{
    QStringList texts;
    for (int i = 0; box && i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

class DictionaryReloadFlow : public E2eSuite {
protected:
    void SetUp() override
    {
        E2eSuite::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(program.dir.writeFile(QStringLiteral("Glossor"), kFakeGlossor));
        QFile glossor(program.dir.filePath(QStringLiteral("Glossor")));
        ASSERT_TRUE(glossor.setPermissions(glossor.permissions() | QFile::ExeOwner));
        // Pellion loads the dictionary of this program directory, not an earlier test's.
        radius::Dictionary::unload();
        ASSERT_TRUE(startPellion());
    }
    void TearDown() override
    {
        program.endPellion();
        radius::Dictionary::unload();
    }

    // Starts Glossor from the Manager menu and waits until Pellion has handled its end.
    ::testing::AssertionResult runGlossor()
    {
        shell::TfrmMain &main = program.main();
        if (!click(&main, "mnuDictMan"))
            return ::testing::AssertionFailure() << "no Dictionary Manager command";
        auto *launcher = main.findChild<shell::GlossorLauncher *>();
        if (!launcher)
            return ::testing::AssertionFailure() << "Glossor was not started as a child";
        QSignalSpy ended(launcher, &shell::GlossorLauncher::glossorEnded);
        if (!ended.wait(kStepMs))
            return ::testing::AssertionFailure() << "Glossor's end was not handled";
        return ::testing::AssertionSuccess();
    }

    // Runs the steps in a packet editor opened from a new task's editor, then cancels both.
    bool inPacketEditor(const std::function<void(taskdef::TfrmPackage *)> &steps)
    {
        bool ran = false;
        inModal<taskdef::TfrmTask>(
            [&](taskdef::TfrmTask *editor) {
                showPage(control<QTabWidget>(editor, "PageControl"), "TabSheetPackage");
                ran = inModal<taskdef::TfrmPackage>(
                    [&](taskdef::TfrmPackage *packet) {
                        steps(packet);
                        packet->done(QDialog::Rejected);
                    },
                    [&] { click(editor, "spbtnAdd"); });
                editor->done(QDialog::Rejected);
            },
            [&] { click(&program.main(), "spbtnTaskAdd"); });
        return ran;
    }

    QString statusText() { return control<QLabel>(&program.main(), "StatusPanel3")->text(); }
};

TEST_F(DictionaryReloadFlow, AnOpenPacketEditorOffersTheVendorGlossorAddedOnceItEnds)
{
    ASSERT_TRUE(inPacketEditor([&](taskdef::TfrmPackage *packet) {
        auto *vendors = control<QComboBox>(packet, "cboVendor");
        ASSERT_FALSE(entries(vendors).contains("Reloadflow"));
        EXPECT_TRUE(runGlossor());
        EXPECT_TRUE(entries(vendors).contains("Reloadflow")) << entries(vendors).join(", ").toStdString();
        ASSERT_TRUE(pick(vendors, "Reloadflow"));
        EXPECT_EQ(entries(control<QComboBox>(packet, "cboAttr")), QStringList({"Reloadflow-Mode"}));
        EXPECT_FALSE(control<QLabel>(packet, "lblStaleDictionary")->isVisible());
    }));
    // A packet editor opened afterwards reads the same, and the library knows the attribute.
    ASSERT_TRUE(inPacketEditor([](taskdef::TfrmPackage *packet) {
        EXPECT_TRUE(entries(control<QComboBox>(packet, "cboVendor")).contains("Reloadflow"));
    }));
    EXPECT_EQ(radius::Dictionary::attribute(QStringLiteral("Reloadflow-Mode"))->vendor, 64991u);
    EXPECT_NE(statusText(), kRestart);
}

TEST_F(DictionaryReloadFlow, SaysToRestartWhilePairsAreHeldAndReadsAgainAfterTheNextGlossor)
{
    auto held = std::make_optional<radius::PairList>(); // as an open raw view holds its packets
    ASSERT_TRUE(held->add(QStringLiteral("User-Name"), QStringLiteral("bob")).ok());
    ASSERT_TRUE(runGlossor());
    EXPECT_EQ(statusText(), kRestart);
    ASSERT_TRUE(inPacketEditor([](taskdef::TfrmPackage *packet) {
        auto *stale = control<QLabel>(packet, "lblStaleDictionary");
        EXPECT_TRUE(stale->isVisible());
        EXPECT_EQ(stale->text(), kRestart);
        // Stale lists are not offered: the library could not take the vendor's values.
        EXPECT_FALSE(entries(control<QComboBox>(packet, "cboVendor")).contains("Reloadflow"));
    }));

    held.reset();
    ASSERT_TRUE(runGlossor());
    EXPECT_EQ(statusText(), QString());
    ASSERT_TRUE(inPacketEditor([](taskdef::TfrmPackage *packet) {
        EXPECT_FALSE(control<QLabel>(packet, "lblStaleDictionary")->isVisible());
        EXPECT_TRUE(entries(control<QComboBox>(packet, "cboVendor")).contains("Reloadflow"));
    }));
}

} // namespace
} // namespace e2e
