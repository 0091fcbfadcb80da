#include "report/rptUtils.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Errors.h"
#include "platform/classes/Fixups.h"
#include "platform/gui/core/DataModule.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/Frame.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/TempFiles.h"
#include "report/rptPage.h"
#include "report/rptReport.h"
#include "report/rptView.h"
#include "tests/report/ReportFixture.h"
#include "tests/support/DecimalSeparator.h"
#include "tests/support/Lines.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

using testsupport::LinesOf;

using testsupport::DecimalSeparator;

TEST(Utils, NumbersReadWithEitherSeparator)
{
    for (char separator : {'.', ','}) {
        DecimalSeparator locale(separator);
        EXPECT_DOUBLE_EQ(report::rptStrToFloat("1 2,5"), 12.5);
        EXPECT_DOUBLE_EQ(report::rptStrToFloat("12.5"), 12.5);
        EXPECT_DOUBLE_EQ(report::rptStrToFloat(" -3 "), -3);
        EXPECT_THROW(report::rptStrToFloat("1.2.5"), rtl::EConvertError);
        EXPECT_THROW(report::rptStrToFloat("abc"), rtl::EConvertError);
        EXPECT_EQ(report::rptFloatText(3), "3");
        EXPECT_EQ(report::rptFloatText(2.5), std::string("2") + separator + "50");
        EXPECT_EQ(report::rptFloatText(-1234567), "-1234567");
        EXPECT_EQ(report::rptFloatToFixedStr(2.345, 2, '.'), "2.35");
        EXPECT_EQ(report::rptFloatToFixedStr(1234567.5, 1, '.'), "1234567.5");
        EXPECT_EQ(report::rptFloatToFixedStr(-0.125, 3, ','), "-0,125");
    }
}

TEST(Utils, PageListsExpand)
{
    struct Case {
        std::string text;
        std::vector<std::string> pages;
    };
    const Case cases[] = {
        {"1,3,5-7", {"1", "3", "5", "6", "7"}},
        {"8-", {"8", "9", "10"}},
        {"7-5", {}},
        {" 2 , 4 ", {"2", "4"}},
        {"01,3,1", {"1", "3", "1"}},
        {"", {}},
        {"   ", {}},
        // A range that ends beyond the last page ends at it.
        {"1-99999999", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {"12-20", {}},
        {"15", {"15"}},
    };
    rtl::TStringList list;
    for (const Case& c : cases) {
        list.Add("old");
        report::rptParsePageNumbers(c.text, list, 10);
        EXPECT_EQ(LinesOf(list), c.pages) << c.text;
    }
    // A bad piece raises; the pages before it stay.
    for (const std::string bad : {"1,x,3", "1,2-y", "1,99999999999", "1,,2", "1,-2"}) {
        EXPECT_THROW(report::rptParsePageNumbers(bad, list, 10), rtl::EConvertError) << bad;
        EXPECT_EQ(LinesOf(list), std::vector<std::string>{"1"}) << bad;
    }
}

TEST(Utils, BracketedText)
{
    // start is where the opening string stands; 0 where none is found. after -1: the end is not checked.
    struct Case {
        const char* text;
        const char* open;
        const char* close;
        int from;
        const char* result;
        int after;
        int start;
    };
    const Case cases[] = {
            {"[a[b]c]", "[", "]", 1, "a[b]c", 7, 1},
            {"x [\"]\"] y", "[", "]", 3, "\"]\"", 7, 3},
            {"['a]'b]", "[", "]", 1, "'a]'b", 7, 1},
            {"<%<%v%>%>", "<%", "%>", 2, "", 2, 0},
            {"<%<%v%>%>!", "<%", "%>", 1, "<%v%>", 9, 1},
            {"[open", "[", "]", 1, "ope", -1, 1},
            {"[a]", "[", "]", 9, "", 9, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int position = c.from, start = 0;
        EXPECT_EQ(report::rptBracketedText(c.text, c.open, c.close, position, start), c.result);
        if (c.after >= 0) {
            EXPECT_EQ(position, c.after);
        }
        if (c.start > 0) {
            EXPECT_EQ(start, c.start);
        }
    }

    int position = 1, start = 0;
    EXPECT_EQ(report::rptBracketedTextW(u"[\u0436[b]]", u"[", u"]", position, start), u"\u0436[b]");
    EXPECT_EQ(position, 6);
}

TEST(Utils, TextRoutines)
{
    rtl::TStringList list;
    report::rptSplitText("a,", list, ',');
    EXPECT_EQ(LinesOf(list), std::vector<std::string>{"a"});
    report::rptSplitText(",a,,b", list, ',');
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"", "a", "", "b"}));
    report::rptSplitText("", list, ',');
    EXPECT_EQ(list.Count(), 0);
    report::rptSplitText("x;y", list);
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"x", "y"}));

    EXPECT_EQ(report::rptColorToHtmlHex(gui::clRed), "#FF0000");
    EXPECT_EQ(report::rptColorToHtmlHex(0x123456), "#563412");
    EXPECT_EQ(report::rptReplaceChar("a.b.c", '.', '-'), "a-b-c");
    EXPECT_EQ(report::rptSlashesToBackslashes("a/b\\c/"), "a\\b\\c\\");

    const std::string text = "a\xE9z\xFF";
    const std::string encoded = report::rptFormStrEscape(text, true);
    EXPECT_EQ(encoded, std::string("a\x01\x69z\x01\x7F", 6));
    EXPECT_EQ(report::rptFormStrEscape(encoded, false), text);
    // Byte 1 of the text itself is not escaped (stored data has it so), so it reads back as the escape
    // it looks like; one at the very end stays.
    EXPECT_EQ(report::rptFormStrEscape(std::string("\x01z", 2), true), std::string("\x01z", 2));
    EXPECT_EQ(report::rptFormStrEscape(std::string("\x01z", 2), false), "\xFA");
    EXPECT_EQ(report::rptFormStrEscape(std::string("x\x01", 2), false), std::string("x\x01", 2));
}

TEST(Utils, HexAndChecksumsOfStreams)
{
    rtl::TStringStream abc("abc");
    abc.SetPosition(2);
    EXPECT_EQ(report::StreamCRC32(abc), 0x352441C2u);
    EXPECT_EQ(abc.Position(), 2);
    rtl::TStringStream empty;
    EXPECT_EQ(report::StreamCRC32(empty), 0u);

    rtl::TStringStream bytes(std::string("\x00\x7F\x80\xFF", 4));
    EXPECT_EQ(report::rptStreamToHex(bytes), "007F80FF");

    rtl::TStringStream target("0123456789");
    report::rptHexToStream("41424", target);
    EXPECT_EQ(target.DataString(), "AB23456789");
    try {
        report::rptHexToStream("4142G3", target);
        ADD_FAILURE() << "no error";
    } catch (const rtl::EConvertError& e) {
        EXPECT_NE(e.Message().find("'G'"), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find("position 5"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(target.DataString(), "AB23456789");
}

TEST(Utils, FilesAndTheProgramFolder)
{
    testsupport::ScratchFolder folder;
    const std::string inFolder = report::rptCreateTempFileIn(folder.Folder());
    EXPECT_TRUE(inFolder.starts_with(folder.Folder() + "fr"));
    EXPECT_TRUE(rtl::FileExists(inFolder));
    const std::string inTemp = report::rptCreateTempFile();
    EXPECT_TRUE(inTemp.starts_with(report::rptGetTempPath() + "fr"));
    EXPECT_EQ(report::rptGetTempPath(), rtl::PrivateTempFolder());
    rtl::DeleteFile(inTemp);
    EXPECT_EQ(report::rptCreateTempFileIn("").substr(0, report::rptGetTempPath().size()), report::rptGetTempPath());

    EXPECT_EQ(report::rptGetAppPath(), rtl::ProgramFolder());
    EXPECT_EQ(report::rptProgramFileName(), rtl::ProgramFileName());
    report::rptSetAppPath(folder.Path("sub"));
    EXPECT_EQ(report::rptGetAppPath(), folder.Path("sub/"));
    report::rptSetAppPath("");
    EXPECT_EQ(report::rptGetAppPath(), rtl::ProgramFolder());
}

TEST(Utils, RectangleAreas)
{
    report::TrptRectArea a(0, 0, 10, 10);
    EXPECT_TRUE(a.OverlapsX(report::TrptRectArea(9.9, 50, 20, 60)));
    EXPECT_FALSE(a.OverlapsX(report::TrptRectArea(9.99995, 0, 20, 10)));
    EXPECT_FALSE(a.OverlapsY(report::TrptRectArea(0, 10, 10, 20)));
    EXPECT_TRUE(a.OverlapsY(report::TrptRectArea(0, -5, 10, 0.5)));
    const auto shared = a.IntersectX(report::TrptRectArea(4, 30, 25, 40));
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->Left, 4);
    EXPECT_EQ(shared->Right, 10);
    EXPECT_EQ(shared->Top, 0);
    EXPECT_EQ(shared->Bottom, 0);
    EXPECT_FALSE(a.IntersectX(report::TrptRectArea(10, 0, 20, 10)));
}

// --- with the report library ---

class UtilsWithReports : public report_test::ReportTest {};

TEST_F(UtilsWithReports, SystemColoursAreResolved)
{
    EXPECT_EQ(report::rptColorToHtmlHex(gui::clBtnFace), "#D4D0C8");
}

TEST_F(UtilsWithReports, AreaOfAComponentIsItsPlaceOnThePage)
{
    report::TrptReport report(nullptr);
    auto* page = new report::TrptDataPage(&report);
    page->SetBounds(10, 20, 500, 500);
    struct Box : report::TrptView {
        using TrptView::TrptView;
        void Draw(gui::TCanvas*, double, double, double, double) override {}
    };
    auto* box = new Box(page);
    box->SetBounds(5, 6, 30, 40);
    const report::TrptRectArea area(*box);
    EXPECT_EQ(area.Left, 15);
    EXPECT_EQ(area.Top, 26);
    EXPECT_EQ(area.Right, 45);
    EXPECT_EQ(area.Bottom, 66);
}

TEST_F(UtilsWithReports, ComponentsAreNamedByTheirPaths)
{
    gui::TForm form(nullptr);
    form.SetName("Form1");
    auto* report = new report::TrptReport(&form);
    report->SetName("Report1");
    auto* onForm = new classes::TComponent(&form);
    onForm->SetName("Table1");
    gui::TDataModule module(nullptr);
    module.SetName("Data");
    auto* inModule = new classes::TComponent(&module);
    inModule->SetName("Query");
    auto* frame = new gui::TFrame(&form);
    frame->SetName("Frame1");
    auto* inFrame = new classes::TComponent(frame);
    inFrame->SetName("Edit1");
    gui::TFrame looseFrame(nullptr);
    looseFrame.SetName("Loose");
    auto* inLoose = new classes::TComponent(&looseFrame);
    inLoose->SetName("Edit2");
    classes::TComponent panel(nullptr);  // neither a form, a data module nor a frame
    auto* onPanel = new classes::TComponent(&panel);
    onPanel->SetName("Label");
    classes::TComponent free(nullptr);
    free.SetName("Free");

    EXPECT_EQ(report::rptComponentPath(report, nullptr), "");
    EXPECT_EQ(report::rptComponentPath(report, onForm), "Table1");
    EXPECT_EQ(report::rptComponentPath(&form, onForm), "Table1");
    EXPECT_EQ(report::rptComponentPath(report, &free), "Free");
    EXPECT_EQ(report::rptComponentPath(report, inModule), "Data.Query");
    EXPECT_EQ(report::rptComponentPath(report, inFrame), "Form1.Frame1.Edit1");
    EXPECT_EQ(report::rptComponentPath(report, inLoose), "Loose.Edit2");
    EXPECT_EQ(report::rptComponentPath(report, onPanel), "");

    const int finder = classes::RegisterFindGlobalComponent([&](std::string_view name) -> classes::TComponent* {
        if (name == "Data")
            return &module;
        if (name == "Form1")
            return &form;
        return nullptr;
    });
    EXPECT_EQ(report::FindComponentByPath(report, "Table1"), onForm);
    EXPECT_EQ(report::FindComponentByPath(&form, "Table1"), onForm);
    EXPECT_EQ(report::FindComponentByPath(report, "Nothing"), nullptr);
    EXPECT_EQ(report::FindComponentByPath(nullptr, "Table1"), nullptr);
    EXPECT_EQ(report::FindComponentByPath(report, "Data.Query"), inModule);
    EXPECT_EQ(report::FindComponentByPath(report, "Form1.Frame1.Edit1"), inFrame);
    EXPECT_EQ(report::FindComponentByPath(report, "Data.Missing"), nullptr);
    for (const std::string missing : {"Nowhere.Query", "Form1.NoFrame.Edit1"}) {
        try {
            report::FindComponentByPath(report, missing);
            ADD_FAILURE() << missing;
        } catch (const classes::EClassNotFound& e) {
            EXPECT_EQ(e.Message(), "Missing " + missing);
        }
    }
    classes::UnregisterFindGlobalComponent(finder);
}

}  // namespace
