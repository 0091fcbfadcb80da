// Hints on the virtual clock: the pauses before and between hints and the time they stay, what can
// refuse or change a hint, the hint window's class and its look.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/core/HintWindow.h"
#include "platform/gui/core/Screen.h"
#include "platform/text/DrawText.h"
#include "platform/win/Activation.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include "tests/platform/gui/core/ControlsFixture.h"

namespace guitest {
namespace {

// A hint window that logs the application's calls.
class TLoggingHint : public gui::THintWindow {
public:
    using THintWindow::THintWindow;
    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TLoggingHint", &THintWindow::StaticClass(),
                                              [](classes::TClassInfo& c) { classes::ClassBuilder<TLoggingHint>{c}; });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    win::RECT CalcHintRect(int maxWidth, const std::string& hint, void* data) override
    {
        Log().push_back("CalcHintRect " + hint);
        return THintWindow::CalcHintRect(maxWidth, hint, data);
    }
    void ActivateHint(win::RECT rect, const std::string& hint) override
    {
        Log().push_back("ActivateHint " + hint);
        THintWindow::ActivateHint(rect, hint);
    }

protected:
    void Paint() override
    {
        Log().push_back("Paint " + Caption());
        THintWindow::Paint();
    }
};

class HintTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        form = MakeForm(300, 200);
        first = Make<TTestControl>(form, "First", 10, 10, 100, 30);
        second = Make<TTestControl>(form, "Second", 10, 60, 100, 30);
        first->SetHint("First hint|The first control");
        second->SetHint("Second hint");
        form->SetShowHint(true);
        form->Show();
        driver.Pump();
    }

    bool HintShowing() const
    {
        gui::THintWindow* window = gui::Application()->HintWindow();
        return window && window->HandleAllocated() && win::IsWindowVisible(window->Handle());
    }
    std::string HintText() const { return gui::Application()->HintWindow()->Caption(); }

    gui::TForm* form = nullptr;
    TTestControl* first = nullptr;
    TTestControl* second = nullptr;
};

TEST_F(HintTest, AHintShowsBelowTheMouseAfterItRestsShowsANeighboursSoonerAndHidesLater)
{
    driver.MouseMove(first->Handle(), 20, 10);
    driver.Pump();
    driver.AdvanceBy(499);
    EXPECT_FALSE(HintShowing());
    driver.AdvanceBy(1);
    ASSERT_TRUE(HintShowing());
    EXPECT_EQ(HintText(), "First hint") << "the short part of the hint";
    EXPECT_EQ(gui::Application()->Hint(), "The first control") << "the long part is the application's hint";
    win::RECT rect;
    win::GetWindowRect(gui::Application()->HintWindow()->Handle(), &rect);
    const win::POINT cursor = first->ClientToScreen({20, 10});
    EXPECT_EQ(rect.left, cursor.x);
    EXPECT_EQ(rect.top, cursor.y + win::GetSystemMetrics(win::SM_CYCURSOR));
    // Moving within the control keeps it.
    driver.MouseMove(first->Handle(), 25, 12);
    driver.Pump();
    EXPECT_TRUE(HintShowing());
    // The neighbour's hint, after the short pause.
    driver.MouseMove(second->Handle(), 20, 10);
    driver.Pump();
    EXPECT_FALSE(HintShowing());
    driver.AdvanceBy(49);
    EXPECT_FALSE(HintShowing());
    driver.AdvanceBy(1);
    ASSERT_TRUE(HintShowing());
    EXPECT_EQ(HintText(), "Second hint");
    driver.AdvanceBy(2499);
    EXPECT_TRUE(HintShowing());
    driver.AdvanceBy(1);
    EXPECT_FALSE(HintShowing()) << "hidden after the hide pause";
}

TEST_F(HintTest, AClickOrAKeyHidesTheHint)
{
    for (int round = 0; round < 2; ++round) {
        driver.MouseMove(first->Handle(), 20, 10 + round);
        driver.Pump();
        driver.AdvanceBy(600);
        ASSERT_TRUE(HintShowing());
        if (round == 0) {
            driver.Click(first->Handle(), win::TestDriver::Button::Left, 20, 10);
        } else {
            driver.PressKey('A');
        }
        driver.Pump();
        EXPECT_FALSE(HintShowing()) << round;
        driver.MouseMove(form->Handle(), 250, 150);
        driver.Pump();
        driver.AdvanceBy(1000);
    }
}

TEST_F(HintTest, TheControlAndOnShowHintMayRefuseOrChangeAHint)
{
    struct Refuser : TTestControl {
        using TTestControl::TTestControl;
        void Dispatch(win::TMessage& message) override
        {
            if (message.Msg == gui::CM_HINTSHOW) {
                auto* info = reinterpret_cast<gui::THintInfo*>(message.LParam);
                Log().push_back("hintshow " + info->HintStr);
                message.Result = 1;
                return;
            }
            TTestControl::Dispatch(message);
        }
    };
    auto* refusing = Make<Refuser>(form, "Refusing", 150, 10, 100, 30);
    refusing->SetHint("Never");
    driver.MouseMove(refusing->Handle(), 5, 5);
    driver.Pump();
    driver.AdvanceBy(1000);
    EXPECT_FALSE(HintShowing());
    EXPECT_EQ(Log().back(), "hintshow Never");

    struct Shower {
        bool allow = false;
        gui::THintInfo seen;
        void Show(std::string& hint, bool& canShow, gui::THintInfo& info)
        {
            seen = info;
            canShow = allow;
            hint = "Changed " + hint;
        }
    } shower;
    gui::Application()->OnShowHint = gui::TShowHintEvent::Of<&Shower::Show>(&shower);
    driver.MouseMove(first->Handle(), 20, 10);
    driver.Pump();
    driver.AdvanceBy(1000);
    EXPECT_FALSE(HintShowing());
    EXPECT_EQ(shower.seen.HintControl, first);
    EXPECT_EQ(shower.seen.CursorPos, (win::POINT{20, 10}));
    EXPECT_EQ(shower.seen.CursorRect, (win::RECT{0, 0, 100, 30}));
    EXPECT_EQ(shower.seen.HideTimeout, 2500);
    EXPECT_EQ(shower.seen.HintMaxWidth, gui::Screen()->Width());
    EXPECT_EQ(shower.seen.HintColor, gui::clInfoBk);
    shower.allow = true;
    driver.MouseMove(second->Handle(), 20, 10);
    driver.Pump();
    driver.AdvanceBy(1000);
    ASSERT_TRUE(HintShowing());
    EXPECT_EQ(HintText(), "Changed Second hint");
}

TEST_F(HintTest, AHintWindowClassOfItsOwnIsAskedForSizePlaceAndPaintAndShowHintSwapsIt)
{
    classes::RegisterClass(TLoggingHint::StaticClass());
    gui::SetHintWindowClass(&TLoggingHint::StaticClass());
    EXPECT_EQ(&gui::Application()->HintWindow()->ClassType(), &gui::THintWindow::StaticClass());
    gui::Application()->SetShowHint(false);
    EXPECT_EQ(gui::Application()->HintWindow(), nullptr);
    gui::Application()->SetShowHint(true);
    ASSERT_NE(gui::Application()->HintWindow(), nullptr);
    EXPECT_EQ(&gui::Application()->HintWindow()->ClassType(), &TLoggingHint::StaticClass());
    Log().clear();
    driver.MouseMove(first->Handle(), 20, 10);
    driver.Pump();
    driver.AdvanceBy(600);
    std::vector<std::string> calls;
    for (const std::string& entry : Log()) {
        if (entry.find(" First hint") != std::string::npos) {
            calls.push_back(entry);
        }
    }
    const std::vector<std::string> expected = {"CalcHintRect First hint", "ActivateHint First hint", "Paint First hint"};
    EXPECT_EQ(calls, expected);
    gui::SetHintWindowClass(nullptr);
}

TEST_F(HintTest, TheStandardHintHasABorderTheInfoColourAndTheTextInTheHintFont)
{
    second->SetHint("WWWWWWWW");
    driver.MouseMove(second->Handle(), 20, 10);
    driver.Pump();
    driver.AdvanceBy(600);
    ASSERT_TRUE(HintShowing());
    gui::THintWindow* window = gui::Application()->HintWindow();
    const win::HWND hwnd = window->Handle();
    EXPECT_NE(win::GetWindowLongPtr(hwnd, win::GWL_EXSTYLE) & win::WS_EX_TOPMOST, 0);
    EXPECT_NE(win::GetForegroundWindow(), hwnd) << "never activated";
    // Its size: the text's in the hint font, measured independently, and the margins.
    win::HDC screen = win::GetDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(screen, gui::Screen()->HintFont()->Handle());
    win::RECT text{0, 0, 1000, 0};
    win::DrawTextA(screen, "WWWWWWWW", -1, &text, win::DT_CALCRECT | win::DT_NOPREFIX);
    win::SelectObject(screen, old);
    win::ReleaseDC(nullptr, screen);
    win::RECT frame;
    win::GetWindowRect(hwnd, &frame);
    EXPECT_EQ(frame.right - frame.left, text.right + 6);
    EXPECT_EQ(frame.bottom - frame.top, text.bottom + 2 + 4);
    const win::COLORREF border = win::TestDriver::PixelAt(hwnd, -1, -1);
    const win::COLORREF fill = win::TestDriver::PixelAt(hwnd, 1, 1);
    EXPECT_EQ(border, gui::ColorToRGB(gui::clWindowFrame));
    EXPECT_EQ(fill, gui::ColorToRGB(gui::clInfoBk));
    // The text: anti-aliased, its darkest pixels in the text colour, none above or left of (2, 2).
    int textPixels = 0;
    bool textColourSeen = false;
    const win::RECT client = window->ClientRect();
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            const win::COLORREF pixel = win::TestDriver::PixelAt(hwnd, x, y);
            if (pixel != fill) {
                EXPECT_TRUE(x >= 2 && y >= 2) << x << ", " << y;
                ++textPixels;
                textColourSeen = textColourSeen || pixel == gui::ColorToRGB(gui::clInfoText);
            }
        }
    }
    EXPECT_GT(textPixels, 40);
    EXPECT_TRUE(textColourSeen);
}

}  // namespace
}  // namespace guitest
