#include "platform/services/DialogService.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogService, DefaultAnswerFollowsTheDefaultButton)
{
    struct Case {
        unsigned type;
        int answer;
    };
    const Case cases[] = {
        {win::MB_OK, win::IDOK},
        {win::MB_OKCANCEL | win::MB_DEFBUTTON2, win::IDCANCEL},
        {win::MB_YESNOCANCEL | win::MB_ICONQUESTION | win::MB_DEFBUTTON3, win::IDCANCEL},
        {win::MB_YESNO | win::MB_DEFBUTTON2, win::IDNO},
        {win::MB_ABORTRETRYIGNORE | win::MB_DEFBUTTON2, win::IDRETRY},
        // A default button the box does not have falls back to the first one.
        {win::MB_YESNO | win::MB_DEFBUTTON3, win::IDYES},
    };
    for (const Case& c : cases)
        EXPECT_EQ(win::DefaultMessageBoxAnswer(c.type), c.answer) << c.type;
}

TEST(DialogService, ScriptAnswersInOrderAndRecordsEveryBox)
{
    win::ScriptedDialogs dialogs;
    win::ScopedDialogService scope(dialogs);
    dialogs.Answer(win::IDNO);
    EXPECT_EQ(win::MessageBox("Save?", "Rivuve", win::MB_YESNO), win::IDNO);
    EXPECT_EQ(win::MessageBox("Done", "Rivuve", win::MB_OK), win::IDOK);
    ASSERT_EQ(dialogs.Asked().size(), 2u);
    EXPECT_EQ(dialogs.Asked()[0].text, "Save?");
    EXPECT_EQ(dialogs.Asked()[1].answer, win::IDOK);

    dialogs.Answer(win::IDCANCEL);
    EXPECT_THROW(win::MessageBox("Only OK", "Rivuve", win::MB_OK), rtl::EInvalidOperation);
}

// Properties dialogs answer from a script of their own; with it used up, or on a console, they confirm
// the settings unchanged.
TEST(DialogService, PropertiesDialogsAnswerFromTheirOwnScript)
{
    win::ScriptedDialogs dialogs;
    win::ScopedDialogService scope(dialogs);
    dialogs.AnswerProperties(win::IDOK, [](win::DocumentPropertiesRequest& request) { request.copies = 3; });
    dialogs.AnswerProperties(win::IDCANCEL, [](win::DocumentPropertiesRequest& request) { request.copies = 9; });
    EXPECT_THROW(dialogs.AnswerProperties(win::IDYES), rtl::EInvalidOperation);
    win::DocumentPropertiesRequest request;
    request.printer = "Office";
    EXPECT_EQ(win::CurrentDialogService().DocumentProperties(request), win::IDOK);
    EXPECT_EQ(request.copies, 3);
    EXPECT_EQ(win::CurrentDialogService().DocumentProperties(request), win::IDCANCEL);
    EXPECT_EQ(request.copies, 3);
    EXPECT_EQ(win::CurrentDialogService().DocumentProperties(request), win::IDOK);
    ASSERT_EQ(dialogs.AskedProperties().size(), 3u);
    EXPECT_EQ(dialogs.AskedProperties()[1].copies, 3);
    EXPECT_EQ(dialogs.Asked().size(), 0u);

    win::ConsoleDialogs console;
    EXPECT_EQ(console.DocumentProperties(request), win::IDOK);
    EXPECT_EQ(request.copies, 3);
}

TEST(DialogService, ConsoleWritesTheTextsInUtf8)
{
    const int codePage = rtl::AnsiCodePage();
    rtl::SetAnsiCodePage(1252);
    win::ConsoleDialogs console;
    testing::internal::CaptureStderr();
    const int answer = console.MessageBox("Cost in \x80 per kWh", "Informaci\xF3n", win::MB_OK);
    const std::string written = testing::internal::GetCapturedStderr();
    rtl::SetAnsiCodePage(codePage);
    EXPECT_EQ(answer, win::IDOK);
    EXPECT_EQ(written, "Informaci\xC3\xB3n: Cost in \xE2\x82\xAC per kWh\n");
}

TEST(DialogService, GuardRestoresThePreviousService)
{
    win::DialogService* before = &win::CurrentDialogService();
    {
        win::ScriptedDialogs dialogs;
        win::ScopedDialogService scope(dialogs);
        EXPECT_EQ(&win::CurrentDialogService(), &dialogs);
    }
    EXPECT_EQ(&win::CurrentDialogService(), before);
}

}  // namespace
