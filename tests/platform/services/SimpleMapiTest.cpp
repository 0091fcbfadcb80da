#include "platform/services/SimpleMapi.h"

#include "tests/platform/services/DesktopFixture.h"
#include "tests/support/UsingCodePage.h"

#include <gtest/gtest.h>

namespace {

using desktoptest::Argv;
using desktoptest::Call;

// The message the report's mail window builds: subject, text, one recipient named by its address, the
// exported report attached.
struct ReportMessage {
    explicit ReportMessage(const std::string& attachment) : path(attachment)
    {
        recipient.ulRecipClass = win::MAPI_TO;
        recipient.lpszName = "a@b.example";
        recipient.lpszAddress = "SMTP:a@b.example";
        file.lpszPathName = path.c_str();
        file.lpszFileName = "report.pdf";
        message.lpszSubject = "Savings";
        message.lpszNoteText = "See the report.\r\nRegards";
        message.nRecipCount = 1;
        message.lpRecips = &recipient;
        message.nFileCount = 1;
        message.lpFiles = &file;
    }
    std::string path;
    win::MapiRecipDesc recipient;
    win::MapiFileDesc file;
    win::MapiMessage message;
};

win::MAPI_ULONG Send(ReportMessage& mail, win::FLAGS flags = win::MAPI_LOGON_UI | win::MAPI_DIALOG)
{
    return win::MAPISendMail(0, 0, &mail.message, flags, 0);
}

TEST(SimpleMapi, ReportMessageBecomesTheMailProgramsArguments)
{
    testsupport::ScratchFolder scratch;
    scratch.WriteFile("report.pdf", "%PDF");
    ReportMessage mail(scratch.Path("report.pdf"));
    desktoptest::Recording recording;
    EXPECT_EQ(Send(mail), win::SUCCESS_SUCCESS);
    const std::vector<Call> expected = {
        {Call::Run,
         {"xdg-email", "--utf8", "--subject", "Savings", "--body", "See the report.\r\nRegards", "--attach",
          scratch.Path("report.pdf"), "a@b.example"}}};
    EXPECT_EQ(recording.launcher.Calls(), expected);
}

TEST(SimpleMapi, RecipientsTextsAndAttachmentsTakeTheirPlaces)
{
    testsupport::ScratchFolder scratch;
    scratch.WriteFile("a.pdf", "1");
    scratch.WriteFile("b.txt", "2");
    testsupport::UsingCodePage codePage(1252);
    win::MapiRecipDesc recipients[4];
    recipients[0].ulRecipClass = win::MAPI_CC;
    recipients[0].lpszAddress = "smtp:cc@x.example";
    recipients[1].ulRecipClass = win::MAPI_TO;
    recipients[1].lpszName = "to@x.example";  // no address: the name is one
    recipients[2].ulRecipClass = win::MAPI_BCC;
    recipients[2].lpszAddress = "bcc@x.example";
    recipients[3].ulRecipClass = win::MAPI_TO;
    recipients[3].lpszAddress = "SMTP:two@x.example";
    std::string second = scratch.Path("b.txt");
    std::replace(second.begin(), second.end(), '/', '\\');
    const std::string first = scratch.Path("a.pdf");
    win::MapiFileDesc files[2];
    files[0].lpszPathName = first.c_str();
    files[1].lpszPathName = second.c_str();
    win::MapiMessage message;
    message.lpszSubject = "";                  // empty: absent
    message.lpszNoteText = "Gr\xFC\xDF" "e";   // Windows-1252
    message.nRecipCount = 4;
    message.lpRecips = recipients;
    message.nFileCount = 2;
    message.lpFiles = files;
    desktoptest::Recording recording;
    EXPECT_EQ(win::MAPISendMail(0, 0, &message, win::MAPI_DIALOG, 0), win::SUCCESS_SUCCESS);
    const std::vector<Call> expected = {
        {Call::Run,
         {"xdg-email", "--utf8", "--cc", "cc@x.example", "--bcc", "bcc@x.example", "--body", "Gr\u00FC\u00DFe", "--attach",
          scratch.Path("a.pdf"), "--attach", scratch.Path("b.txt"), "to@x.example", "two@x.example"}}};
    EXPECT_EQ(recording.launcher.Calls(), expected);
}

TEST(SimpleMapi, MailProgramsEndGivesTheResult)
{
    testsupport::ScratchFolder scratch;
    scratch.WriteFile("report.pdf", "%PDF");
    struct Case {
        win::RunResult run;
        win::MAPI_ULONG result;
    };
    const Case cases[] = {
        {{win::RunResult::Exited, 0}, win::SUCCESS_SUCCESS},
        {{win::RunResult::StillRunning, 0}, win::SUCCESS_SUCCESS},
        {{win::RunResult::Exited, 2}, win::MAPI_E_ATTACHMENT_NOT_FOUND},
        {{win::RunResult::Exited, 3}, win::MAPI_E_NOT_SUPPORTED},
        {{win::RunResult::Exited, 5}, win::MAPI_E_ATTACHMENT_OPEN_FAILURE},
        {{win::RunResult::Exited, 1}, win::MAPI_E_FAILURE},
        {{win::RunResult::Exited, 4}, win::MAPI_E_FAILURE},
        {{win::RunResult::Signalled, 11}, win::MAPI_E_FAILURE},
        {{win::RunResult::NotStarted, 0}, win::MAPI_E_FAILURE},
    };
    for (const Case& c : cases) {
        ReportMessage mail(scratch.Path("report.pdf"));
        desktoptest::Recording recording;
        recording.launcher.Answer(c.run);
        EXPECT_EQ(Send(mail), c.result) << c.run.kind << " " << c.run.code;
    }
}

// Refused before anything starts.
TEST(SimpleMapi, RefusedMessagesStartNothing)
{
    testsupport::ScratchFolder scratch;
    scratch.WriteFile("report.pdf", "%PDF");
    struct Case {
        const char* address;
        std::string attachment;
        win::FLAGS flags;
        win::MAPI_ULONG result;
    };
    const std::string report = scratch.Path("report.pdf");
    const Case cases[] = {
        {"SMTP:a@b.example", report, win::MAPI_LOGON_UI, win::MAPI_E_NOT_SUPPORTED},
        {"SMTP:-oProxy=x", report, win::MAPI_DIALOG, win::MAPI_E_INVALID_RECIPS},
        {"--help", report, win::MAPI_DIALOG, win::MAPI_E_INVALID_RECIPS},
        {"a@b.example\nBcc: c@d.example", report, win::MAPI_DIALOG, win::MAPI_E_INVALID_RECIPS},
        {"SMTP:", report, win::MAPI_DIALOG, win::MAPI_E_INVALID_RECIPS},
        {"a@b.example", scratch.Path("missing.pdf"), win::MAPI_DIALOG, win::MAPI_E_ATTACHMENT_NOT_FOUND},
    };
    for (const Case& c : cases) {
        ReportMessage mail(c.attachment);
        mail.recipient.lpszName = nullptr;
        mail.recipient.lpszAddress = c.address;
        desktoptest::Recording recording;
        EXPECT_EQ(Send(mail, c.flags), c.result) << c.address;
        EXPECT_TRUE(recording.launcher.Calls().empty()) << c.address;
    }
}

}  // namespace
