#include "platform/ScriptedDialogService.h"

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
