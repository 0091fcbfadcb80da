#include "platform/services/Help.h"

#include "tests/platform/services/DesktopFixture.h"

#include <gtest/gtest.h>

namespace {

using desktoptest::Call;

// "<folder>/KORVA_32.chm" stands for the pages of "<folder>/help/KORVA_32/".
class HelpFolder : public ::testing::Test {
protected:
    HelpFolder()
    {
        std::filesystem::create_directories(scratch.Path("help/KORVA_32/Graphs"));
        for (const char* page : {"index.htm", "STEP4.htm", "FORMULAS.htm", "Graphs/Curve.HTM"})
            scratch.WriteFile(std::string("help/KORVA_32/") + page, "<html></html>");
        scratch.WriteFile("help/outside.htm", "<html></html>");
        std::filesystem::create_symlink("../outside.htm", scratch.Path("help/KORVA_32/link.htm"));
        scratch.WriteFile("help/KORVA_32/alias.txt",
                          "1000=FORMULAS.htm\r\nbroken line\n=STEP4.htm\nx=STEP4.htm\n2000 = step4.htm\n3000=../outside.htm\n");
        scratch.WriteFile("help/KORVA_32/CSHelp.txt",
                          ".topic 7\nFirst line\nsecond line\n.topic x\njunk\n.topic 8\nEight\n");
    }

    std::string Chm(const std::string& page = "") const
    {
        return scratch.Path("KORVA_32.chm") + (page.empty() ? "" : "::/" + page);
    }
    std::string Page(const std::string& name) const { return scratch.Path("help/KORVA_32/" + name); }

    testsupport::ScratchFolder scratch;
};

TEST_F(HelpFolder, CommandsOpenPagesOfTheHelpFolderOnly)
{
    struct Case {
        std::string file;
        win::UINT command;
        win::ULONG_PTR data;
        std::string opened;  // empty: nothing opens and the answer is null
    };
    const Case cases[] = {
        {Chm("step4.htm"), win::HH_DISPLAY_TOPIC, 0, Page("STEP4.htm")},
        {Chm("STEP4.htm#top"), win::HH_DISPLAY_TOPIC, 0, Page("STEP4.htm")},
        {Chm("graphs\\curve.htm"), win::HH_DISPLAY_TOPIC, 0, Page("Graphs/Curve.HTM")},
        {Chm(), win::HH_DISPLAY_TOPIC, 0, Page("index.htm")},
        {Chm(), win::HH_DISPLAY_TOC, 0, Page("index.htm")},
        {Chm("STEP4.htm"), win::HH_DISPLAY_INDEX, 0, Page("index.htm")},
        {Chm(), win::HH_HELP_CONTEXT, 1000, Page("FORMULAS.htm")},
        {Chm(), win::HH_HELP_CONTEXT, 2000, Page("STEP4.htm")},
        {Chm(), win::HH_HELP_CONTEXT, 3000, ""},
        {Chm(), win::HH_HELP_CONTEXT, 999, ""},
        {Chm("../outside.htm"), win::HH_DISPLAY_TOPIC, 0, ""},
        {Chm("Graphs/../../outside.htm"), win::HH_DISPLAY_TOPIC, 0, ""},
        {Chm("/" + scratch.Path("help/outside.htm")), win::HH_DISPLAY_TOPIC, 0, ""},
        {Chm("link.htm"), win::HH_DISPLAY_TOPIC, 0, ""},
        {Chm("missing.htm"), win::HH_DISPLAY_TOPIC, 0, ""},
        {scratch.Path("OTHER.chm"), win::HH_DISPLAY_TOC, 0, ""},
        {Chm(), 0x1234, 0, ""},
    };
    for (const Case& c : cases) {
        desktoptest::Recording recording;
        const win::HWND answer = win::HtmlHelpA(nullptr, c.file.c_str(), c.command, c.data);
        std::vector<Call> expected;
        if (!c.opened.empty())
            expected.push_back({Call::Run, {"xdg-open", c.opened}});
        EXPECT_EQ(recording.launcher.Calls(), expected) << c.file << " " << c.data;
        EXPECT_EQ(answer != nullptr, !c.opened.empty()) << c.file << " " << c.data;
    }
}

TEST_F(HelpFolder, OpenerFailureAndClosingAnswerAsTheyShould)
{
    desktoptest::Recording recording;
    recording.launcher.Answer({win::RunResult::Exited, 4});
    EXPECT_EQ(win::HtmlHelpA(nullptr, Chm().c_str(), win::HH_DISPLAY_TOC, 0), nullptr);
    EXPECT_NE(win::HtmlHelpA(nullptr, nullptr, win::HH_CLOSE_ALL, 0), nullptr);
    EXPECT_EQ(recording.launcher.Calls().size(), 1u);
    EXPECT_TRUE(win::WinHelp(nullptr, "x.hlp", win::HELP_QUIT, 0));
    EXPECT_FALSE(win::WinHelp(nullptr, "x.hlp", 1, 1000));
}

TEST_F(HelpFolder, PopupShowsItsTextOrTheTopicOfTheTextFile)
{
    std::vector<std::pair<std::string, win::POINT>> shown;
    const win::HWND popupWindow = win::HandleFromValue<win::HWND>(0x1234);
    win::SetHelpPopup([&](const std::string& text, win::POINT at) {
        shown.emplace_back(text, at);
        return popupWindow;
    });
    struct Case {
        std::string file;
        const char* text;
        win::UINT topic;
        std::optional<std::string> shown;
    };
    const Case cases[] = {
        {"", "Direct text", 0, "Direct text"},
        {Chm("CSHelp.txt"), nullptr, 7, "First line\nsecond line"},
        {Chm("cshelp.TXT"), "", 8, "Eight"},
        {Chm("CSHelp.txt"), nullptr, 9, std::nullopt},
        {Chm("../outside.htm"), nullptr, 7, std::nullopt},
        {Chm(), nullptr, 7, std::nullopt},
    };
    for (const Case& c : cases) {
        shown.clear();
        win::HH_POPUP popup;
        popup.pszText = c.text;
        popup.idString = c.topic;
        popup.pt = {120, 80};
        const win::HWND answer = win::HtmlHelpA(nullptr, c.file.empty() ? nullptr : c.file.c_str(),
                                                win::HH_DISPLAY_TEXT_POPUP, reinterpret_cast<win::ULONG_PTR>(&popup));
        if (c.shown) {
            EXPECT_EQ(answer, popupWindow) << c.file;
            ASSERT_EQ(shown.size(), 1u) << c.file;
            EXPECT_EQ(shown[0].first, *c.shown);
            EXPECT_EQ(shown[0].second.x, 120);
            EXPECT_EQ(shown[0].second.y, 80);
        } else {
            EXPECT_EQ(answer, nullptr) << c.file;
            EXPECT_TRUE(shown.empty()) << c.file;
        }
    }
    win::SetHelpPopup({});
    win::HH_POPUP popup;
    popup.pszText = "No popup installed";
    EXPECT_EQ(win::HtmlHelpA(nullptr, nullptr, win::HH_DISPLAY_TEXT_POPUP, reinterpret_cast<win::ULONG_PTR>(&popup)), nullptr);
}

}  // namespace
