// The status bar and the progress bar on a real window: panel places, bevels and texts, owner-drawn and
// simple panels, the size grip's picture and hit-test, and the progress bar's fill, which StepIt at the
// maximum leaves alone.

#include "platform/gui/controls/ProgressBar.h"
#include "platform/gui/controls/StatusBar.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/core/DrawingChecks.h"

namespace guitest {
namespace {

class StatusProgressTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        form = MakeForm(500, 200);
    }
    win::COLORREF At(gui::TWinControl* control, int x, int y) { return win::TestDriver::PixelAt(control->Handle(), x, y); }
    // The columns of a band of rows where something other than the face colour is drawn.
    std::vector<int> InkColumns(gui::TWinControl* control, int left, int right, int top, int bottom)
    {
        std::vector<int> columns;
        for (int x = left; x < right; ++x) {
            for (int y = top; y < bottom; ++y) {
                if (At(control, x, y) != Rgb(gui::clBtnFace)) {
                    columns.push_back(x);
                    break;
                }
            }
        }
        return columns;
    }
    gui::TStatusBar* MakeStatusBar()
    {
        auto* bar = new gui::TStatusBar(form);
        bar->SetName("StatusBar");
        bar->SetParent(form);
        return bar;
    }
    win::LRESULT HitTest(gui::TWinControl* control, int x, int y)
    {
        const win::POINT screen = control->ClientToScreen({x, y});
        return win::SendMessage(control->Handle(), win::WM_NCHITTEST, 0,
                                win::MAKELPARAM(win::WORD(screen.x), win::WORD(screen.y)));
    }

    gui::TForm* form = nullptr;
};

TEST_F(StatusProgressTest, PanelsLieSideBySideInTheirBevelsWithTheirTextsAligned)
{
    gui::TStatusBar* bar = MakeStatusBar();
    bar->SetSizeGrip(false);
    const char* texts[] = {"Page 1 of 3", "Ready", "Done"};
    const gui::TAlignment alignments[] = {gui::taLeftJustify, gui::taCenter, gui::taRightJustify};
    for (int i = 0; i < 3; ++i) {
        auto* panel = static_cast<gui::TStatusPanel*>(bar->Panels()->Add());
        panel->SetWidth(i == 0 ? 200 : 140);
        panel->SetText(texts[i]);
        panel->SetAlignment(alignments[i]);
    }
    bar->Panel(2)->SetBevel(gui::pbRaised);
    form->Show();
    driver.Pump();
    EXPECT_EQ(bar->Align(), gui::alBottom);
    EXPECT_EQ(bar->BoundsRect(), (win::RECT{0, 181, 500, 200}));
    EXPECT_EQ(bar->PanelRect(0), (win::RECT{0, 2, 200, 19}));
    EXPECT_EQ(bar->PanelRect(1), (win::RECT{202, 2, 342, 19}));
    EXPECT_EQ(bar->PanelRect(2), (win::RECT{344, 2, 500, 19})) << "the last panel takes the rest";
    const win::COLORREF dark = Rgb(gui::clBtnShadow);
    const win::COLORREF light = Rgb(gui::clBtnHighlight);
    for (const auto& [x, y, colour] : std::vector<std::tuple<int, int, win::COLORREF>>{
             {0, 2, dark}, {100, 2, dark}, {0, 10, dark}, {199, 10, light}, {100, 18, light}, {200, 10, Rgb(gui::clBtnFace)},
             {202, 2, dark}, {341, 18, light}, {344, 2, light}, {499, 18, dark}, {100, 1, Rgb(gui::clBtnFace)}}) {
        EXPECT_EQ(At(bar, x, y), colour) << x << ", " << y;
    }
    std::vector<int> widths;
    for (const char* text : texts) {
        widths.push_back(MeasureText(bar->Font(), text).cx);
    }
    const std::vector<int> left = InkColumns(bar, 1, 199, 3, 18);
    ASSERT_FALSE(left.empty());
    EXPECT_GE(left.front(), 3);
    EXPECT_LE(left.back(), 3 + widths[0]);
    const std::vector<int> centred = InkColumns(bar, 203, 341, 3, 18);
    ASSERT_FALSE(centred.empty());
    EXPECT_NEAR((centred.front() + centred.back() + 1) / 2.0, 272.0, 2.0);
    const std::vector<int> right = InkColumns(bar, 345, 499, 3, 18);
    ASSERT_FALSE(right.empty());
    EXPECT_LE(right.back(), 496);
    EXPECT_GE(right.front(), 497 - widths[2]);
    EXPECT_GE(right.back(), 496 - 3) << "right-aligned text ends at the margin";
}

TEST_F(StatusProgressTest, OwnerDrawnAndSimplePanels)
{
    struct Drawer {
        std::vector<win::RECT> rects;
        void Draw(gui::TStatusBar* bar, gui::TStatusPanel*, const win::RECT& rect)
        {
            rects.push_back(rect);
            bar->Canvas()->Brush()->SetColor(gui::clRed);
            bar->Canvas()->FillRect(rect);
        }
    } drawer;
    gui::TStatusBar* bar = MakeStatusBar();
    bar->SetSizeGrip(false);
    auto* panel = static_cast<gui::TStatusPanel*>(bar->Panels()->Add());
    panel->SetWidth(100);
    panel->SetStyle(gui::psOwnerDraw);
    bar->OnDrawPanel = gui::TDrawPanelEvent::Of<&Drawer::Draw>(&drawer);
    form->Show();
    driver.Pump();
    ASSERT_FALSE(drawer.rects.empty());
    EXPECT_EQ(drawer.rects.back(), (win::RECT{1, 3, 499, 18})) << "inside the bevel of the only (last) panel";
    EXPECT_EQ(At(bar, 1, 3), Rgb(gui::clRed));
    EXPECT_EQ(At(bar, 0, 3), Rgb(gui::clBtnShadow));

    bar->SetSimplePanel(true);
    bar->SetSimpleText("Printing");
    drawer.rects.clear();
    driver.Pump();
    EXPECT_TRUE(drawer.rects.empty()) << "the simple panel replaces the panels";
    EXPECT_EQ(At(bar, 1, 3), Rgb(gui::clBtnFace));
    EXPECT_FALSE(InkColumns(bar, 1, 100, 3, 18).empty());
}

TEST_F(StatusProgressTest, TheSizeGripShowsOnASizeableFormAndHitTestsAsItsCorner)
{
    gui::TStatusBar* bar = MakeStatusBar();
    form->Show();
    driver.Pump();
    const int w = bar->Width();
    const int h = bar->Height();
    EXPECT_EQ(At(bar, w - 1, h - 1), Rgb(gui::clBtnFace));
    EXPECT_EQ(At(bar, w - 2, h - 1), Rgb(gui::clBtnShadow));
    EXPECT_EQ(At(bar, w - 3, h - 1), Rgb(gui::clBtnShadow));
    EXPECT_EQ(At(bar, w - 4, h - 1), Rgb(gui::clBtnHighlight));
    EXPECT_EQ(At(bar, w - 1, h - 4), Rgb(gui::clBtnHighlight));
    EXPECT_EQ(HitTest(bar, w - 3, h - 3), win::HTBOTTOMRIGHT);
    EXPECT_EQ(HitTest(bar, 20, 5), win::HTCLIENT);
    form->SetBorderStyle(gui::bsSingle);
    driver.Pump();
    EXPECT_EQ(At(bar, bar->Width() - 2, bar->Height() - 1), Rgb(gui::clBtnFace));
    EXPECT_EQ(HitTest(bar, bar->Width() - 3, bar->Height() - 3), win::HTCLIENT);
}

TEST_F(StatusProgressTest, WithAutoHintTheBarShowsTheLongHintOfTheControlUnderTheMouse)
{
    struct Handler {
        int calls = 0;
        void Hint(classes::TObject*) { ++calls; }
    } handler;
    gui::TStatusBar* bar = MakeStatusBar();
    bar->SetAutoHint(true);
    static_cast<gui::TStatusPanel*>(bar->Panels()->Add())->SetText("Ready");
    auto* open = Make<gui::TWinControl>(form, "Open", 10, 10, 50, 30);
    open->SetHint("Open|Opens a project");
    form->Show();
    driver.Pump();
    driver.MouseMove(form->Handle(), 20, 20);
    driver.Pump();
    EXPECT_EQ(bar->Panel(0)->Text(), "Opens a project");
    driver.MouseMove(form->Handle(), 200, 100);
    driver.Pump();
    EXPECT_EQ(bar->Panel(0)->Text(), "");
    bar->SetSimplePanel(true);
    driver.MouseMove(form->Handle(), 20, 20);
    driver.Pump();
    EXPECT_EQ(bar->SimpleText(), "Opens a project");
    EXPECT_EQ(bar->Panel(0)->Text(), "");
    // An application with a hint handler of its own keeps the hints to itself.
    gui::Application()->OnHint = classes::TNotifyEvent::Of<&Handler::Hint>(&handler);
    driver.MouseMove(form->Handle(), 200, 100);
    driver.Pump();
    EXPECT_EQ(handler.calls, 1);
    EXPECT_EQ(bar->SimpleText(), "Opens a project");
    gui::Application()->OnHint = {};
}

TEST_F(StatusProgressTest, TheProgressBarFillsItsShareAndStepItAtTheMaximumChangesNothing)
{
    // The report's progress bar: 237 x 17, step 1.
    auto* bar = Make<gui::TProgressBar>(form, "Bar", 16, 37, 237, 17);
    bar->SetStep(1);
    form->Show();
    driver.Pump();
    const win::RECT client = bar->ClientRect();
    const int inside = client.right - 2;
    auto highlighted = [&] {
        int count = 0;
        for (int x = 0; x < client.right; ++x) {
            count += At(bar, x, client.bottom / 2) == Rgb(gui::clHighlight);
        }
        return count;
    };
    auto row = [&] {
        std::vector<win::COLORREF> pixels;
        for (int x = 0; x < client.right; ++x) {
            for (int y = 0; y < client.bottom; ++y) {
                pixels.push_back(At(bar, x, y));
            }
        }
        return pixels;
    };
    EXPECT_EQ(highlighted(), 0);
    bar->SetPosition(50);
    driver.Pump();
    EXPECT_EQ(bar->FilledRect().right - bar->FilledRect().left, inside / 2);
    EXPECT_EQ(At(bar, 1, client.bottom / 2), Rgb(gui::clHighlight));
    EXPECT_NE(At(bar, inside / 2 + 2, client.bottom / 2), Rgb(gui::clHighlight));
    EXPECT_LT(highlighted(), inside / 2) << "chunks with gaps";
    bar->SetSmooth(true);
    driver.Pump();
    EXPECT_EQ(highlighted(), inside / 2);
    bar->SetSmooth(false);
    bar->SetMax(100);
    bar->SetPosition(100);
    driver.Pump();
    const std::vector<win::COLORREF> full = row();
    EXPECT_EQ(At(bar, inside, client.bottom / 2), Rgb(gui::clHighlight)) << "the last chunk reaches the end";
    bar->StepIt();
    bar->StepBy(5);
    driver.Pump();
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_EQ(row(), full);
    bar->SetPosition(-20);
    EXPECT_EQ(bar->Position(), 0);
    bar->SetMin(10);
    EXPECT_EQ(bar->Position(), 10) << "the position follows the range";
}

TEST_F(StatusProgressTest, AVerticalBarFillsFromTheBottom)
{
    auto* bar = Make<gui::TProgressBar>(form, "Level", 10, 10, 150, 20);
    bar->SetOrientation(gui::pbVertical);
    EXPECT_EQ(bar->Width(), 20);
    EXPECT_EQ(bar->Height(), 150);
    bar->SetSmooth(true);
    bar->SetPosition(25);
    form->Show();
    driver.Pump();
    const win::RECT client = bar->ClientRect();
    const win::RECT filled = bar->FilledRect();
    EXPECT_EQ(filled.bottom, client.bottom - 1);
    EXPECT_EQ(filled.bottom - filled.top, (client.bottom - 2) / 4);
    EXPECT_EQ(At(bar, client.right / 2, client.bottom - 2), Rgb(gui::clHighlight));
    EXPECT_NE(At(bar, client.right / 2, 1), Rgb(gui::clHighlight));
}

}  // namespace
}  // namespace guitest
