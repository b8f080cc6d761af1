// The Options dialog: values shown, the Default box, colour choosers, the empty-name check, saving.
#include "platform/Language.h"
#include "platform/ScriptedDialogService.h"
#include "platform/SettingsKey.h"
#include "shell/TfrmOption.h"
#include "support/TempProgramDir.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using execution::Settings;

namespace {

class OptionDialogTest : public ::testing::Test {
protected:
    template <typename T>
    T *get(const char *name)
    {
        return dialog.findChild<T *>(QString::fromLatin1(name));
    }
    void ok() { QTest::mouseClick(get<QPushButton>("BitBtnOK"), Qt::LeftButton); }
    bool keyExists() { return Settings::keyExists(); }

    testsupport::TempProgramDir dir;
    platform::ScriptedDialogService dialogs;
    shell::TfrmOption dialog;
};

TEST_F(OptionDialogTest, FreshInstallShowsTheDialogsOwnDefaultsAndOkWritesAllValues)
{
    dialog.show();
    EXPECT_FALSE(get<QCheckBox>("chkDisplaySplash")->isChecked()); // unlike the readers' default
    EXPECT_EQ(get<QLineEdit>("edtLogFileName")->text(), "PellionLog.txt");
    EXPECT_TRUE(get<QAbstractButton>("RadioGroupCloseItem1")->isChecked());
    EXPECT_TRUE(get<QAbstractButton>("RadioGroupPRIItem4")->isChecked());
    ok();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(keyExists());
    const Settings saved = Settings::read();
    EXPECT_FALSE(saved.DisplaySplash); // so the splash goes from the next start on
    EXPECT_EQ(saved.LogFileName, "PellionLog.txt");
    EXPECT_EQ(saved.SummaryClr, 0x80000001u);
    EXPECT_EQ(saved.InfoClr, 0x808000u);
    EXPECT_EQ(saved.ThrdPRI, 3);
    QByteArray stored = dir.readFile(".settings/PellionSet.ini");
    for (const char *name : {"Minimized", "HideTray", "DisplaySplash", "WhenClose", "LogFileName", "MaxLogFileSize",
                             "SummaryClr", "InfoClr", "WarningClr", "ErrorClr", "ThrdPRI"})
        EXPECT_TRUE(stored.contains(name)) << name;
}

TEST_F(OptionDialogTest, ShowsStoredValuesAndSavesChangedOnes)
{
    Settings stored;
    stored.Minimized = true;
    stored.WhenClose = 2;
    stored.LogFileName = "run.log";
    stored.MaxLogFileSize = 100;
    stored.ErrorClr = 0x123456;
    stored.ThrdPRI = 5;
    ASSERT_TRUE(stored.write());
    dialog.show();
    EXPECT_TRUE(get<QCheckBox>("chkMin")->isChecked());
    EXPECT_TRUE(get<QAbstractButton>("RadioGroupCloseItem3")->isChecked());
    EXPECT_EQ(get<QSpinBox>("CSpinEdtLogSize")->value(), 100);
    EXPECT_TRUE(get<QAbstractButton>("RadioGroupPRIItem6")->isChecked());

    dialogs.queueColor(QColor(0x11, 0x22, 0x33));
    QTest::mouseClick(get<QPushButton>("btnWarningClr"), Qt::LeftButton);
    dialogs.queueColor(std::nullopt); // chooser cancelled: the swatch keeps its colour
    QTest::mouseClick(get<QPushButton>("btnErrorClr"), Qt::LeftButton);
    get<QLineEdit>("edtLogFileName")->setText("  spaced.log  ");
    get<QAbstractButton>("RadioGroupCloseItem2")->click();
    ok();
    const Settings saved = Settings::read();
    EXPECT_EQ(saved.WarningClr, 0x332211u);
    EXPECT_EQ(saved.ErrorClr, 0x123456u);
    EXPECT_EQ(saved.LogFileName, "spaced.log");
    EXPECT_EQ(saved.WhenClose, 1);
    EXPECT_EQ(saved.MaxLogFileSize, 100);
    EXPECT_TRUE(saved.Minimized);
}

TEST_F(OptionDialogTest, DefaultBoxRestoresItsOwnValuesAndCancelSavesNothing)
{
    dialog.show();
    get<QCheckBox>("chkHide")->setChecked(true);
    get<QCheckBox>("chkDefault")->setChecked(true);
    EXPECT_FALSE(get<QCheckBox>("chkHide")->isChecked());
    EXPECT_EQ(get<QLineEdit>("edtLogFileName")->text(), "Vantone.log");
    EXPECT_TRUE(get<QAbstractButton>("RadioGroupPRIItem2")->isChecked());
    const Settings shown = dialog.controlValues();
    EXPECT_EQ(shown.SummaryClr, 0x008000u);
    EXPECT_EQ(shown.InfoClr, 0xFF0000u);
    EXPECT_EQ(shown.WarningClr, 0x00FFFFu);
    EXPECT_EQ(shown.ErrorClr, 0x0000FFu);
    get<QCheckBox>("chkDefault")->setChecked(false); // clearing keeps what it restored
    EXPECT_EQ(get<QLineEdit>("edtLogFileName")->text(), "Vantone.log");
    QTest::mouseClick(get<QPushButton>("BitBtnCancel"), Qt::LeftButton);
    EXPECT_FALSE(keyExists());
}

TEST_F(OptionDialogTest, EmptyLogFileNameIsRefusedButBlanksPass)
{
    dialog.show();
    get<QTabWidget>("PageControl1")->setCurrentIndex(0);
    get<QLineEdit>("edtLogFileName")->clear();
    ok();
    EXPECT_EQ(dialogs.lastMessageText(), "Log file name is empty!");
    EXPECT_EQ(get<QTabWidget>("PageControl1")->currentWidget()->objectName(), "TabSheet2");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(keyExists());

    get<QLineEdit>("edtLogFileName")->setText("   ");
    ok();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Settings::read().LogFileName, "");
}

TEST_F(OptionDialogTest, UnwritableKeyIsReportedAndNothingIsWritten)
{
    // The settings root lies below a plain file, so the key can be neither made nor written.
    ASSERT_TRUE(dir.writeFile("blocker", "x"));
    platform::SettingsKey::setRoot(dir.filePath("blocker/settings"));
    dialog.show();
    get<QLineEdit>("edtLogFileName")->setText("new.log");
    ok();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().last().icon, platform::MessageIcon::Error);
    EXPECT_TRUE(dialog.isVisible()); // the user may cancel or try again
    EXPECT_FALSE(keyExists());
    EXPECT_EQ(Settings::read().LogFileName, "PellionLog.txt");
}

} // namespace

namespace {

// The dialog opens wide enough for all its tabs, neither scrolled nor shortened.
TEST_F(OptionDialogTest, EveryTabShowsWholeInEachShippedLanguage)
{
    for (const char *language : {"English", "简体中文"}) {
        SCOPED_TRACE(language);
        ASSERT_TRUE(platform::Language::setCurrentName(QString::fromUtf8(language)));
        dialog.show();
        QTabBar *tabs = get<QTabWidget>("PageControl1")->tabBar();
        ASSERT_EQ(tabs->count(), 3);
        for (int i = 0; i < tabs->count(); ++i) {
            SCOPED_TRACE(tabs->tabText(i).toStdString());
            const QRect tab = tabs->tabRect(i);
            EXPECT_LE(tab.right(), tabs->width() - 1);
            EXPECT_GE(tab.width(), tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)));
        }
        dialog.hide();
    }
}

} // namespace
