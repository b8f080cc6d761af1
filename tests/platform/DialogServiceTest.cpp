#include "platform/CurrentLanguage.h"
#include "platform/QtTranslation.h"
#include "platform/ScriptedDialogService.h"
#include "support/TempProgramDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

using namespace platform;

TEST(ScriptedDialogService, AnswersFromTheScriptThenCautiously)
{
    ScriptedDialogService dialogs;
    EXPECT_EQ(&DialogService::instance(), &dialogs);
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_TRUE(DialogService::instance().askYesNo(QStringLiteral("Delete?")));
    EXPECT_FALSE(DialogService::instance().askYesNo(QStringLiteral("Again?")));
    EXPECT_FALSE(DialogService::instance().askOkCancel(QStringLiteral("Sure?")));
    DialogService::instance().showError(QStringLiteral("disk full"));
    ASSERT_EQ(dialogs.messages().size(), 4);
    EXPECT_EQ(dialogs.messages().last().title, QStringLiteral("Error"));
    EXPECT_EQ(dialogs.messages().last().icon, MessageIcon::Error);
    EXPECT_EQ(dialogs.lastMessageText(), QStringLiteral("disk full"));

    dialogs.queueFileName(QStringLiteral("/tmp/x.txt"));
    EXPECT_EQ(DialogService::instance().openFileName({}), QStringLiteral("/tmp/x.txt"));
    EXPECT_TRUE(DialogService::instance().saveFileName({}).isEmpty());
    EXPECT_FALSE(DialogService::instance().chooseColor(Qt::red).has_value());
}

TEST(MessageService, TheCodeWithoutWindowsAsksTheInstalledDialogs)
{
    {
        ScriptedDialogService dialogs;
        EXPECT_EQ(&MessageService::instance(), &dialogs);
        dialogs.queueAnswer(Answer::Yes);
        EXPECT_TRUE(MessageService::instance().askYesNo(QStringLiteral("Run?")));
        EXPECT_EQ(dialogs.lastMessageText(), QStringLiteral("Run?"));
    }
    // Back to the real dialogs, for the messages as well.
    EXPECT_EQ(&MessageService::instance(), static_cast<MessageService *>(&DialogService::instance()));
}

TEST(MessageService, WithoutDialogsQuestionsGetTheCautiousAnswer)
{
    MessageService::install(nullptr);
    struct Case {
        MessageButtons buttons;
        Answer expected;
    };
    const Case cases[] = {
        {MessageButtons::Ok, Answer::Ok},
        {MessageButtons::OkCancel, Answer::Cancel},
        {MessageButtons::YesNo, Answer::No},
        {MessageButtons::YesNoCancel, Answer::Cancel},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MessageService::instance().message({QStringLiteral("Go on?"), {}, MessageIcon::Question, c.buttons}),
                  c.expected)
            << int(c.buttons);
    EXPECT_NE(&MessageService::instance(), static_cast<MessageService *>(&DialogService::instance()));
    DialogService::useQtDialogs();
}

namespace {

// The buttons of a real message box, named by Qt in the language whose translation of Qt
// is in use.
QStringList messageButtons(MessageButtons buttons)
{
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box";
            return;
        }
        for (QMessageBox::StandardButton b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            if (QAbstractButton *button = box->button(b))
                shown << button->text();
        box->reject();
    });
    DialogService::instance().message({QStringLiteral("?"), {}, MessageIcon::Question, buttons});
    return shown;
}

} // namespace

// The language file names Qt's translation; Qt's own words for the buttons follow it.
TEST(QtTranslation, MessageButtonsSpeakTheChosenLanguage)
{
    testsupport::TempProgramDir dir;
    DialogService::useQtDialogs();
    ASSERT_TRUE(QFile::exists(QtTranslation::translationsDirectory() + "/qtbase_zh_CN.qm"))
        << "Qt's translations are missing: install qt6-translations-l10n";
    struct Case {
        const char *language;
        MessageButtons buttons;
        QStringList shown; // OK, Yes, No, Cancel: those the box has
    };
    const Case cases[] = {
        {"简体中文", MessageButtons::Ok, {"确定"}},
        {"简体中文", MessageButtons::OkCancel, {"确定", "取消"}},
        {"简体中文", MessageButtons::YesNoCancel, {"是(&Y)", "否(&N)", "取消"}},
        {"English", MessageButtons::YesNo, {"&Yes", "&No"}},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(CurrentLanguage::setCurrentName(QString::fromUtf8(c.language)));
        QtTranslation::use(CurrentLanguage::currentFile());
        EXPECT_EQ(messageButtons(c.buttons), c.shown) << c.language;
    }
}

// Without Qt's translation, or with a language file that names none, Qt speaks English
// and nothing else changes.
TEST(QtTranslation, AMissingTranslationLeavesQtInEnglish)
{
    testsupport::TempProgramDir dir;
    DialogService::useQtDialogs();
    ASSERT_TRUE(QtTranslation::use(QStringLiteral("zh_CN"), QtTranslation::translationsDirectory()));
    EXPECT_FALSE(QtTranslation::use(QStringLiteral("zh_CN"), dir.filePath("no-translations")));
    EXPECT_EQ(messageButtons(MessageButtons::YesNo), QStringList({"&Yes", "&No"}));

    ASSERT_TRUE(QtTranslation::use(QStringLiteral("zh_CN"), QtTranslation::translationsDirectory()));
    EXPECT_FALSE(QtTranslation::use(LanguageFile::parse("[Menu]\nmnuFile.Caption=Fichier\n")));
    EXPECT_EQ(messageButtons(MessageButtons::OkCancel), QStringList({"OK", "Cancel"}));
}
