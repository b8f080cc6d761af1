#include "platform/CurrentLanguage.h"
#include "platform/ScriptedDialogService.h"
#include "support/TempProgramDir.h"

#include <QAbstractButton>
#include <QApplication>
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

// The real message boxes name their buttons in the chosen language: Qt's own words for them
// stay English, as no translation of Qt comes with the programs.
TEST(QtDialogService, MessageButtonsSpeakTheChosenLanguage)
{
    testsupport::TempProgramDir dir;
    DialogService::useQtDialogs();
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
        QStringList shown;
        QTimer::singleShot(0, [&shown] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box) {
                ADD_FAILURE() << "no message box";
                return;
            }
            for (QMessageBox::StandardButton b :
                 {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                if (QAbstractButton *button = box->button(b))
                    shown << button->text();
            box->reject();
        });
        DialogService::instance().message({QStringLiteral("?"), {}, MessageIcon::Question, c.buttons});
        EXPECT_EQ(shown, c.shown) << c.language;
    }
}
