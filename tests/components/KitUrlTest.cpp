// The hyperlink label: what a click opens (through the recording launcher), the hover colour on the
// virtual clock, the texts it shows and what it stores.

#include "components/Components.h"
#include "components/kiturl.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/TextForm.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Form.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Streams.h"
#include "platform/services/Sound.h"
#include "platform/win/testing/TestDriver.h"

#include "tests/platform/gui/core/StoredFormClasses.h"
#include "tests/platform/services/DesktopFixture.h"
#include "tests/support/GuiLibraries.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using components::TKitURL;
using desktoptest::Call;

class KitUrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::StartGuiLibraries();
        components::initialize();
        driver.SetMessageLoop([] { return gui::Application()->ProcessMessage(); });
        win::ClearSoundLog();
        form = new gui::TForm(gui::Application());
        form->SetBounds(100, 100, 100, 100);
        form->SetClientWidth(300);
        form->SetClientHeight(200);
        label = new TKitURL(form);
        label->SetName("Link");
        label->SetBounds(20, 30, 10, 10);
        label->SetParent(form);
        label->Font()->SetColor(gui::clBlue);
        label->OnClick = classes::TNotifyEvent::Of<&KitUrlTest::Clicked>(this);
    }
    void TearDown() override
    {
        EXPECT_TRUE(driver.Stalls().empty());
        delete form;
        components::finalize();
        testsupport::EndGuiLibraries();
    }

    void Clicked(classes::TObject* sender) { clicks.push_back(sender); }

    std::vector<win::UINT> Beeps() const
    {
        std::vector<win::UINT> beeps;
        for (const win::SoundRequest& request : win::SoundLog())
            if (request.kind == win::SoundRequest::Beep)
                beeps.push_back(request.beepType);
        return beeps;
    }

    // A point inside the label and one beside it, in the form's client coordinates.
    win::POINT Inside() const { return {label->Left() + 2, label->Top() + 2}; }
    win::POINT Outside() const { return {label->Left() + label->Width() + 20, label->Top() + 2}; }
    void MoveTo(win::POINT point)
    {
        driver.MouseMove(form->Handle(), point.x, point.y);
        driver.Pump();
    }

    rtl::VirtualClock clock{0.0, 10000};
    rtl::ScopedClock installed{clock};
    win::TestDriver driver{clock};
    gui::TForm* form = nullptr;
    TKitURL* label = nullptr;
    std::vector<classes::TObject*> clicks;
};

TEST_F(KitUrlTest, AClickOpensTheUrlThenRunsOnClickAndOnlyBeepsWhenTheOpenFails)
{
    const std::string page = "http://example.com/savings";
    const std::string longUrl = "https://example.com/" + std::string(1980, 'q');
    struct Case {
        const char* what;
        std::string url;
        bool calculatorInstalled;
        std::optional<win::RunResult> openerEnds;
        std::vector<Call> launched;
        bool beeps;
    };
    const Case cases[] = {
        {"the calculator", "calc.exe", true, std::nullopt, {{Call::Start, {"xcalc"}}}, false},
        {"no calculator installed", "calc.exe", false, std::nullopt, {}, true},
        {"no URL", "", true, std::nullopt, {}, false},
        {"a web page", page, true, std::nullopt, {{Call::Run, {"xdg-open", page}}}, false},
        {"an opener that fails", page, true, win::RunResult{win::RunResult::Exited, 4},
         {{Call::Run, {"xdg-open", page}}}, true},
        {"a refused scheme", "javascript:alert(1)", true, std::nullopt, {}, true},
        {"a URL of 2000 characters", longUrl, true, std::nullopt,
         {{Call::Run, {"xdg-open", longUrl.substr(0, 1023)}}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::ScratchFolder bin;
        if (c.calculatorInstalled)
            desktoptest::AddProgram(bin, "xcalc");
        desktoptest::ScopedPath path(bin.Folder());
        desktoptest::Recording recording;
        if (c.openerEnds)
            recording.launcher.Answer(*c.openerEnds);
        win::ClearSoundLog();
        clicks.clear();

        // The program's launcher labels are hidden and clicked from code.
        label->SetVisible(false);
        label->SetURL(c.url);
        label->Click();
        EXPECT_EQ(recording.launcher.Calls(), c.launched);
        EXPECT_EQ(Beeps(), c.beeps ? std::vector<win::UINT>{0} : std::vector<win::UINT>{});
        EXPECT_EQ(clicks, std::vector<classes::TObject*>{label});
    }
}

// A disabled link (the report page's, with no report output installed) takes no click and does not
// light up.
TEST_F(KitUrlTest, AMouseClickOnTheShownLabelOpensItsUrlWhileItIsEnabled)
{
    form->Show();
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled);
        desktoptest::Recording recording;
        clicks.clear();
        label->SetURL("mailto:sales@example.com");
        label->SetEnabled(enabled);
        MoveTo(Inside());
        EXPECT_EQ(label->Font()->Color(), enabled ? gui::clRed : gui::clBlue);
        driver.Click(form->Handle(), win::TestDriver::Button::Left, Inside().x, Inside().y);
        driver.Pump();
        std::vector<Call> launched;
        if (enabled)
            launched.push_back({Call::Run, {"xdg-open", "mailto:sales@example.com"}});
        EXPECT_EQ(recording.launcher.Calls(), launched);
        EXPECT_EQ(clicks.size(), enabled ? 1u : 0u);
        MoveTo(Outside());
        driver.AdvanceBy(100);
    }
}

// The colour the label's text is drawn in on the form's surface, found by scanning the label.
TEST_F(KitUrlTest, HoveringLightsTheLabelUpAndTheFirstTickAfterLeavingRestoresIt)
{
    label->SetCaption("Print Rivuve Estimation Report");
    form->Show();
    driver.Pump();
    auto shows = [&](gui::TColor color) {
        const win::COLORREF wanted = gui::ColorToRGB(color);
        for (int y = 0; y < label->Height(); ++y)
            for (int x = 0; x < label->Width(); ++x)
                if (win::TestDriver::PixelAt(form->Handle(), label->Left() + x, label->Top() + y) == wanted)
                    return true;
        return false;
    };
    ASSERT_TRUE(shows(gui::clBlue));

    const std::uint64_t entered = clock.TickCount64();
    MoveTo(Inside());
    EXPECT_EQ(label->Font()->Color(), gui::clRed);
    EXPECT_TRUE(shows(gui::clRed));
    EXPECT_FALSE(shows(gui::clBlue));

    // Ticks that find the mouse over the label change nothing.
    driver.AdvanceBy(250);
    EXPECT_EQ(label->Font()->Color(), gui::clRed);

    // Left between two ticks: the next tick, at most 100 ms later, restores the colour.
    MoveTo(Outside());
    EXPECT_EQ(label->Font()->Color(), gui::clRed) << "moves outside the label do not restore it";
    const std::uint64_t left = clock.TickCount64();
    const std::uint64_t nextTick = entered + (left - entered) / 100 * 100 + 100;
    driver.AdvanceBy(nextTick - left - 1);
    EXPECT_EQ(label->Font()->Color(), gui::clRed);
    driver.AdvanceBy(1);
    EXPECT_EQ(label->Font()->Color(), gui::clBlue);
    driver.Pump();
    EXPECT_TRUE(shows(gui::clBlue));
    EXPECT_FALSE(shows(gui::clRed));

    // The timer is gone; entering again starts the same round.
    driver.AdvanceBy(500);
    EXPECT_EQ(label->Font()->Color(), gui::clBlue);
    MoveTo(Inside());
    EXPECT_EQ(label->Font()->Color(), gui::clRed);
    MoveTo(Outside());
    driver.AdvanceBy(100);
    EXPECT_EQ(label->Font()->Color(), gui::clBlue);
}

TEST_F(KitUrlTest, AfterAClickTheLabelRestsInItsVisitedColourOnlyWhenAskedTo)
{
    struct Case {
        bool useVisited;
        gui::TColor restsIn;
    };
    const Case cases[] = {{true, gui::clPurple}, {false, gui::clBlue}};
    form->Show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.useVisited);
        desktoptest::Recording recording;
        label->Font()->SetColor(gui::clBlue);
        label->SetUseVisitedColor(c.useVisited);
        label->SetVisitedColor(gui::clPurple);
        label->SetURL("http://example.com/");
        MoveTo(Inside());
        driver.Click(form->Handle(), win::TestDriver::Button::Left, Inside().x, Inside().y);
        driver.Pump();
        EXPECT_EQ(label->Font()->Color(), gui::clRed) << "the highlight stays while the mouse is over it";
        MoveTo(Outside());
        driver.AdvanceBy(100);
        EXPECT_EQ(label->Font()->Color(), c.restsIn);
    }
}

TEST_F(KitUrlTest, TheNoneColourStandsForTheFontsColourAtTheWrite)
{
    label->Font()->SetColor(gui::clGreen);
    label->SetHighlightColor(gui::clNone);
    label->SetVisitedColor(gui::clNone);
    EXPECT_EQ(label->HighlightColor(), gui::clGreen);
    EXPECT_EQ(label->VisitedColor(), gui::clGreen);
    label->SetHighlightColor(gui::clYellow);
    EXPECT_EQ(label->HighlightColor(), gui::clYellow);

    label->SetHighlightColor(gui::clNone);
    form->Show();
    MoveTo(Inside());
    EXPECT_EQ(label->Font()->Color(), gui::clGreen) << "hovering shows no other colour";
    MoveTo(Outside());
    driver.AdvanceBy(100);
    EXPECT_EQ(label->Font()->Color(), gui::clGreen);
}

// The label shows its caption, or its URL while the caption is empty; its size follows what it shows, as
// a plain label's does for the same text.
TEST_F(KitUrlTest, TheUrlIsShownWhileTheCaptionIsEmpty)
{
    auto widthOf = [&](const std::string& text) {
        gui::TLabel plain(nullptr);
        plain.SetParent(form);
        plain.Font()->Assign(label->Font());
        plain.SetCaption(text);
        return plain.Width();
    };
    const std::string url = "http://www.example.com/energy-savings-estimate";
    label->SetURL(url);
    EXPECT_EQ(label->Width(), widthOf(url));
    label->SetCaption("Home");
    EXPECT_EQ(label->Width(), widthOf("Home"));
    label->SetURL(url + "/more");
    EXPECT_EQ(label->Width(), widthOf("Home")) << "a caption hides the URL";
    label->SetCaption("");
    EXPECT_EQ(label->Width(), widthOf(url + "/more"));
}

TEST_F(KitUrlTest, ItIsUnderlinedWithAHandCursorAndUnderlineUrlSwitchesTheFontsUnderline)
{
    const gui::TFontStyles underline = 1u << gui::fsUnderline;
    EXPECT_EQ(label->Cursor(), gui::crHandPoint);
    EXPECT_EQ(label->HighlightColor(), gui::clRed);
    EXPECT_TRUE(label->UnderlineURL());
    label->SetUnderlineURL(false);
    EXPECT_EQ(label->Font()->Style() & underline, 0);
    label->Font()->SetStyle(underline | (1u << gui::fsBold));
    EXPECT_TRUE(label->UnderlineURL());
    EXPECT_EQ(classes::GetPropValue(*label, "About").ToString(), "v4.06");
    classes::SetPropValue(*label, "About", rtl::Variant(std::string("v1")));
    EXPECT_EQ(label->About(), "v4.06");
}

// Stored window data creates the label by its class name; VisitedColor is stored only while it is used,
// About and UnderlineURL never (the font carries the underline).
TEST_F(KitUrlTest, StoredDataKeepsTheLinksPropertiesAndLeavesTheRestOut)
{
    struct Case {
        bool useVisited;
        bool visitedWritten;
    };
    for (const Case& c : {Case{true, true}, Case{false, false}}) {
        SCOPED_TRACE(c.useVisited);
        TKitURL original(nullptr);
        original.SetName("calculator");
        original.SetURL("calc.exe");
        original.SetHighlightColor(gui::clFuchsia);
        original.SetUseVisitedColor(c.useVisited);
        original.SetVisitedColor(gui::clMaroon);
        original.SetVisible(false);

        rtl::TMemoryStream stream;
        classes::TWriter writer(stream);
        writer.WriteRootComponent(&original);
        std::string bytes(std::size_t(stream.Size()), '\0');
        stream.SetPosition(0);
        stream.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
        const std::string text = classes::ObjectBinaryToText(bytes);
        EXPECT_EQ(text.find("About"), std::string::npos) << text;
        EXPECT_EQ(text.find("UnderlineURL"), std::string::npos) << text;
        EXPECT_EQ(text.find("\n  VisitedColor = clMaroon\n") != std::string::npos, c.visitedWritten) << text;
        EXPECT_EQ(text.find("\n  VisitedColor") != std::string::npos, c.visitedWritten) << text;

        stream.SetPosition(0);
        classes::TReader reader(stream);
        std::unique_ptr<classes::TComponent> loaded(reader.ReadRootComponent(nullptr));
        auto* link = dynamic_cast<TKitURL*>(loaded.get());
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->URL(), "calc.exe");
        EXPECT_EQ(link->HighlightColor(), gui::clFuchsia);
        EXPECT_EQ(link->UseVisitedColor(), c.useVisited);
        EXPECT_EQ(link->VisitedColor(), c.visitedWritten ? gui::clMaroon : 0);
        EXPECT_TRUE(link->UnderlineURL());
        EXPECT_FALSE(link->Visible());
    }
    // The label's usual properties and events stand in stored data too.
    const classes::TClassInfo& cls = TKitURL::StaticClass();
    for (const char* name :
         {"Align", "Alignment", "Anchors", "AutoSize", "Caption", "Color", "Constraints", "Cursor", "DragCursor",
          "DragKind", "DragMode", "Enabled", "FocusControl", "Font", "Layout", "ParentColor", "ParentFont",
          "ParentShowHint", "PopupMenu", "ShowAccelChar", "ShowHint", "Transparent", "Visible", "WordWrap", "OnClick",
          "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnMouseDown", "OnMouseMove", "OnMouseUp",
          "OnStartDrag"})
        EXPECT_NE(cls.FindProperty(name), nullptr) << name;
    components::finalize();
    EXPECT_EQ(classes::GetClass("TKitURL"), nullptr);
    components::initialize();
    EXPECT_EQ(classes::GetClass("TKitURL"), &TKitURL::StaticClass());
}

// A window designed with links, as the report page is: each link's click runs the window's handler
// named in the stored data, and each keeps a font of its own (stored ones store it, as the designer does).
class TLinkForm : public gui::TForm {
public:
    explicit TLinkForm(classes::TComponent* owner) : TForm(owner) { CreateFromStoredData(); }
    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TLinkForm", &TForm::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TLinkForm>(c).Method<&TLinkForm::PreviewReport>("PreviewReport");
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    void PreviewReport(classes::TObject* sender) { previews.push_back(sender); }
    std::vector<classes::TObject*> previews;
};

TEST_F(KitUrlTest, AStoredLinkRunsTheHandlerItNamesAndKeepsAFontOfItsOwn)
{
    guitest::TestResources resources;
    resources.AddForm("TLINKFORM", R"(object LinkForm: TLinkForm
  Left = 0
  Top = 0
  Caption = 'Report'
  ClientHeight = 120
  ClientWidth = 300
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -13
  Font.Name = 'Arial'
  Font.Style = []
  object Label233: TKitURL
    Left = 10
    Top = 10
    Width = 200
    Height = 16
    Caption = 'View Rivuve Estimation Report'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clBlue
    Font.Height = -13
    Font.Name = 'Arial'
    Font.Style = [fsBold, fsUnderline]
    ParentFont = False
    OnClick = PreviewReport
  end
  object calculator: TKitURL
    Left = 10
    Top = 40
    Width = 50
    Height = 16
    Visible = False
    URL = 'calc.exe'
  end
end
)");
    std::unique_ptr<TLinkForm> window(new TLinkForm(nullptr));
    auto* link = dynamic_cast<TKitURL*>(window->FindComponent("Label233"));
    auto* calculator = dynamic_cast<TKitURL*>(window->FindComponent("calculator"));
    ASSERT_TRUE(link && calculator);
    EXPECT_EQ(link->Font()->Color(), gui::clBlue);
    EXPECT_TRUE(link->Font()->Style() & (1u << gui::fsBold));
    // The underline makes a link's font its own from the start, so a link never takes the window's.
    EXPECT_FALSE(calculator->ParentFont());
    EXPECT_NE(calculator->Font()->Height(), -13);
    EXPECT_TRUE(calculator->UnderlineURL());

    desktoptest::Recording recording;
    link->Click();
    EXPECT_EQ(window->previews, std::vector<classes::TObject*>{link});
    EXPECT_TRUE(recording.launcher.Calls().empty());
    testsupport::ScratchFolder bin;
    desktoptest::AddProgram(bin, "galculator");
    desktoptest::ScopedPath path(bin.Folder());
    calculator->Click();
    EXPECT_EQ(recording.launcher.Calls(), (std::vector<Call>{{Call::Start, {"galculator"}}}));
}

}  // namespace
