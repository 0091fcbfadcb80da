// The popup, drag-feedback and hint windows, the shared timers and mouse-leave tracking.

#include "controls/clControls.h"
#include "controls/clWindows.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gui/core/CustomControl.h"
#include "platform/gui/core/Messages.h"
#include "platform/win/Activation.h"
#include "platform/win/Cursor.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"

#include "tests/controls/DrivenFixture.h"

#include <string>
#include <vector>

namespace controlstest {
namespace {

using controls::TclPopupWindow;

class PopupTest : public DrivenTest {};

TEST_F(PopupTest, PlacementFlipsToTheRoomierSideAndKeepsToTheWorkArea)
{
    struct Case {
        const char* what;
        win::RECT workArea;
        win::RECT owner;
        int width, height;
        int horz, vert, direction;
        win::POINT expected;
    };
    const Case cases[] = {
        {"below, no room: flips above", {0, 0, 1024, 768}, {100, 700, 200, 720}, 150, 100, 0, 2, 1, {100, 600}},
        {"below, less room above: stays below, unclamped", {0, 0, 1024, 200}, {100, 60, 200, 80}, 150, 150, 0, 2, 1,
         {100, 80}},
        {"centred: pushed left into the work area", {0, 0, 1024, 768}, {950, 100, 1000, 120}, 200, 100, 1, 2, 1,
         {824, 120}},
        {"beside to the right: flips left", {0, 0, 1024, 768}, {900, 100, 1000, 120}, 150, 100, 2, 0, 0, {750, 100}},
    };
    for (const Case& c : cases) {
        SetWorkArea(c.workArea);
        TclPopupWindow popup;
        popup.SetBounds(0, 0, c.width, c.height);
        popup.SetOwnerBounds(c.owner);
        popup.SetAlignHorz(c.horz);
        popup.SetAlignVert(c.vert);
        popup.SetDirection(c.direction);
        win::POINT origin{};
        popup.ComputePopupOrigin(origin);
        EXPECT_EQ(origin, c.expected) << c.what;
        EXPECT_EQ(popup.AlignVert(), c.vert) << c.what << ": the stored alignment stays";
        EXPECT_EQ(popup.AlignHorz(), c.horz) << c.what;
    }
}

TEST_F(PopupTest, OwnerBoundsAreInTheClientCoordinatesOfTheOwnerParent)
{
    SetWorkArea({0, 0, 1024, 768});
    gui::TForm owner(nullptr);
    owner.SetBorderStyle(gui::bsNone);
    owner.SetBounds(200, 100, 300, 200);
    TclPopupWindow popup;
    popup.SetBounds(0, 0, 50, 40);
    popup.SetOwnerParent(&owner);
    popup.SetOwnerBounds({10, 20, 60, 30});
    win::POINT origin{};
    popup.ComputePopupOrigin(origin);
    EXPECT_EQ(origin, (win::POINT{210, 130}));
}

TEST_F(PopupTest, FitToChildrenMovesThemInsideTheFrameAndSizesThePopup)
{
    TclPopupWindow popup;
    auto* first = new gui::TCustomControl(&popup);
    first->SetBounds(0, 0, 50, 20);
    first->SetParent(&popup);
    auto* second = new gui::TCustomControl(&popup);
    second->SetBounds(10, 30, 70, 30);
    second->SetParent(&popup);
    popup.SetFrameStyle(1);
    popup.SetBorderSpace(2);
    popup.FitToChildren();
    EXPECT_EQ(first->BoundsRect(), (win::RECT{3, 3, 53, 23}));
    EXPECT_EQ(second->BoundsRect(), (win::RECT{13, 33, 83, 63}));
    EXPECT_EQ(popup.Width(), 86);
    EXPECT_EQ(popup.Height(), 66);
    EXPECT_EQ(popup.ContentRect(), (win::RECT{3, 3, 83, 63}));

    popup.SetAdjustable(false);
    popup.SetBorderSpace(5);
    popup.FitToChildren();
    EXPECT_EQ(popup.Width(), 86) << "a popup that is not adjustable keeps its size";
    EXPECT_EQ(first->Left(), 3);
}

TEST_F(PopupTest, RaisedFramePaintsTwoEdges)
{
    TclPopupWindow popup;
    popup.SetFrameStyle(3);
    popup.SetBounds(50, 50, 40, 30);
    popup.Show();
    driver.Pump();
    const int w = popup.Width();
    const int h = popup.Height();
    EXPECT_EQ(win::TestDriver::PixelAt(popup.Handle(), 0, 0), gui::ColorToRGB(gui::cl3DLight));
    EXPECT_EQ(win::TestDriver::PixelAt(popup.Handle(), 1, 1), gui::ColorToRGB(gui::clBtnHighlight));
    EXPECT_EQ(win::TestDriver::PixelAt(popup.Handle(), w - 1, h - 1), gui::ColorToRGB(gui::cl3DDkShadow));
    EXPECT_EQ(win::TestDriver::PixelAt(popup.Handle(), w - 2, h - 2), gui::ColorToRGB(gui::clBtnShadow));
}

// A form that notes the WM_NCACTIVATE it gets.
class NcActivateLog : public gui::TForm {
public:
    NcActivateLog() : TForm(nullptr) {}
    std::vector<win::WPARAM> log;
    void Dispatch(win::TMessage& message) override
    {
        if (message.Msg == win::WM_NCACTIVATE) {
            log.push_back(message.WParam);
        }
        TForm::Dispatch(message);
    }
};

TEST_F(PopupTest, ActivationKeepsTheOwnerCaptionActiveUntilTheApplicationIsLeft)
{
    NcActivateLog owner;
    owner.SetBounds(10, 10, 300, 200);
    owner.Show();
    driver.Pump();
    ASSERT_EQ(win::GetActiveWindow(), owner.Handle());
    owner.log.clear();

    TclPopupWindow popup;
    popup.SetBounds(50, 50, 40, 30);
    popup.Show();
    win::SetActiveWindow(popup.Handle());
    driver.Pump();
    ASSERT_FALSE(owner.log.empty());
    EXPECT_EQ(owner.log.back(), win::WPARAM(win::TRUE)) << "the window that lost activation is told it is active";

    owner.log.clear();
    popup.Perform(win::WM_ACTIVATEAPP, win::FALSE, 0);
    ASSERT_FALSE(owner.log.empty());
    EXPECT_EQ(owner.log.front(), win::WPARAM(win::FALSE)) << "then the popup hides and gives the activation back";
    EXPECT_FALSE(popup.Visible());
}

class DragFeedbackTest : public DrivenTest {};

TEST_F(DragFeedbackTest, DragImageIsATranslucentLayeredWindowThatTheMousePassesThrough)
{
    controls::TclCustomDragImage image;
    EXPECT_TRUE(image.AlphaBlend());
    EXPECT_EQ(image.AlphaBlendValue(), 180);
    EXPECT_EQ(image.PopupMode(), gui::pmExplicit);
    const win::HWND hwnd = image.Handle();
    EXPECT_NE(win::GetWindowLong(hwnd, win::GWL_EXSTYLE) & win::WS_EX_LAYERED, 0);
    EXPECT_NE(win::GetClassLongPtr(hwnd, win::GCL_STYLE) & win::CS_SAVEBITS, 0u);
    EXPECT_EQ(win::SendMessage(hwnd, win::WM_NCHITTEST, 0, 0), win::HTTRANSPARENT);
    EXPECT_EQ(win::SendMessage(hwnd, win::WM_ERASEBKGND, 0, 0), 1);
}

TEST_F(DragFeedbackTest, SizeFrameShowsARingOfItsWidth)
{
    controls::TclSizeFrame frame(3);
    frame.HandleNeeded();
    frame.SetFrameRect({100, 100, 200, 160});
    EXPECT_EQ(frame.BoundsRect(), (win::RECT{100, 100, 200, 160}));
    win::HRGN region = win::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(win::GetWindowRgn(frame.Handle(), region), win::ERROR);
    struct Probe {
        int x, y;
        bool inside;
    };
    for (const Probe p : {Probe{0, 0, true}, Probe{2, 2, true}, Probe{3, 3, false}, Probe{50, 30, false},
                          Probe{96, 56, false}, Probe{97, 30, true}, Probe{99, 59, true}, Probe{50, 57, true},
                          Probe{100, 60, false}}) {
        EXPECT_EQ(win::PtInRegion(region, p.x, p.y) != 0, p.inside) << p.x << ", " << p.y;
    }

    // Too narrow for a ring: the window keeps its region.
    frame.SetFrameRect({10, 10, 16, 60});
    win::HRGN after = win::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(win::GetWindowRgn(frame.Handle(), after), win::ERROR);
    EXPECT_TRUE(win::EqualRgn(region, after));
    win::DeleteObject(region);
    win::DeleteObject(after);
}

// What a hint did, in order.
std::vector<std::string>& HintLog()
{
    static std::vector<std::string> log;
    return log;
}

win::BOOL RecordAnimateWindow(win::HWND, win::DWORD time, win::DWORD flags)
{
    HintLog().push_back("animate " + std::to_string(time) + " " + std::to_string(flags));
    return win::TRUE;
}

class ShapedHint : public controls::TclBaseHintWindow {
public:
    ShapedHint() : TclBaseHintWindow(nullptr) {}
    void ApplyWindowRegion() override { HintLog().push_back("region"); }
    void ShowNoActivate() override
    {
        HintLog().push_back("show");
        TclBaseHintWindow::ShowNoActivate();
    }
};

class HintTest : public DrivenTest {
protected:
    controls::TclEntryPoints EntryPoints() const override
    {
        controls::TclEntryPoints entries = controls::PlatformEntryPoints();
        entries.AnimateWindow = &RecordAnimateWindow;
        return entries;
    }
    void SetUp() override
    {
        DrivenTest::SetUp();
        HintLog().clear();
    }
    static void SetSystemFlag(win::UINT action, bool value)
    {
        win::SystemParametersInfo(action, 0, reinterpret_cast<void*>(std::uintptr_t(value)), 0);
    }
};

TEST_F(HintTest, AnimationFollowsTheTooltipSettingsAfterTheRegion)
{
    const std::string blend = std::to_string(win::AW_BLEND | win::AW_SLIDE);
    const std::string slide = std::to_string(win::AW_VER_POSITIVE | win::AW_SLIDE);
    struct Case {
        const char* what;
        bool animation, fade;
        std::string text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"fade on", true, true, "Hint", {"region", "animate 100 " + blend, "show"}},
        {"fade off", true, false, "Hint", {"region", "animate 100 " + slide, "show"}},
        {"animation off", false, true, "Hint", {"region", "show"}},
        {"long text", true, true, std::string(100, 'x'), {"region", "show"}},
        {"99 characters", true, true, std::string(99, 'x'), {"region", "animate 100 " + blend, "show"}},
    };
    for (const Case& c : cases) {
        SetSystemFlag(win::SPI_SETTOOLTIPANIMATION, c.animation);
        SetSystemFlag(win::SPI_SETTOOLTIPFADE, c.fade);
        HintLog().clear();
        ShapedHint hint;
        hint.ActivateHint({10, 10, 110, 40}, c.text);
        EXPECT_EQ(HintLog(), c.expected) << c.what;
        EXPECT_EQ(hint.Caption(), c.text);
    }
}

TEST_F(HintTest, ExplicitStyleAndNoneAndStandard)
{
    ShapedHint hint;
    hint.SetAnimationStyle(controls::cxhaSlideFromCenter);
    hint.SetAnimationDelay(250);
    hint.ActivateHint({10, 10, 110, 40}, "Hint");
    EXPECT_EQ(HintLog()[1], "animate 250 " + std::to_string(win::AW_CENTER | win::AW_SLIDE));

    HintLog().clear();
    hint.SetAnimationStyle(controls::cxhaNone);
    hint.ActivateHint({10, 10, 110, 40}, "Hint");
    EXPECT_EQ(HintLog(), (std::vector<std::string>{"region", "show"}));
}

TEST_F(HintTest, HintIsKeptInsideTheWorkArea)
{
    SetWorkArea({0, 0, 1024, 768});
    ShapedHint hint;
    hint.ActivateHint({1000, 700, 1100, 730}, "Hint");
    EXPECT_EQ(hint.BoundsRect(), (win::RECT{924, 700, 1024, 730}));
    hint.ActivateHint({-20, 760, 80, 790}, "Hint");
    EXPECT_EQ(hint.BoundsRect(), (win::RECT{0, 738, 100, 768}));
    EXPECT_EQ(win::GetWindowLong(hint.Handle(), win::GWL_EXSTYLE) & win::WS_EX_TOPMOST, win::WS_EX_TOPMOST);
    EXPECT_EQ(win::GetWindowLong(hint.Handle(), win::GWL_STYLE) & win::WS_BORDER, 0);
}

class TimerTest : public DrivenTest {
protected:
    struct Ticks {
        std::vector<classes::TObject*> at;
        void Tick(classes::TObject* sender) { at.push_back(sender); }
    };
    int CountOf(classes::TObject* timer) const { return int(std::count(ticks.at.begin(), ticks.at.end(), timer)); }
    classes::TNotifyEvent Handler() { return classes::TNotifyEvent::Of<&Ticks::Tick>(&ticks); }
    Ticks ticks;
};

TEST_F(TimerTest, TimersShareOneWindowAndFireByTheirIntervals)
{
    controls::TclTimer fast(nullptr);
    controls::TclTimer slow(nullptr);
    fast.SetInterval(100);
    slow.SetInterval(250);
    fast.SetOnTimer(Handler());
    slow.SetOnTimer(Handler());
    driver.AdvanceBy(500);
    EXPECT_EQ(CountOf(&fast), 5);
    EXPECT_EQ(CountOf(&slow), 2);

    fast.SetInterval(0);
    EXPECT_EQ(fast.Interval(), 100u) << "0 keeps the interval";
    fast.SetEnabled(false);
    driver.AdvanceBy(500);
    EXPECT_EQ(CountOf(&fast), 5);
    EXPECT_EQ(CountOf(&slow), 4);
}

TEST_F(TimerTest, TimerWithoutHandlerNeverRuns)
{
    controls::TclTimer timer(nullptr);
    timer.SetInterval(100);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_FALSE(timer.Running());
    driver.AdvanceBy(300);
    timer.SetOnTimer(Handler());
    EXPECT_TRUE(timer.Running());
    timer.SetOnTimer({});
    EXPECT_FALSE(timer.Running());
}

TEST_F(TimerTest, StrayTimerMessagesAreIgnored)
{
    controls::TclTimer timer(nullptr);
    timer.SetInterval(100);
    timer.SetOnTimer(Handler());
    const win::HWND window = controls::clGetTimerWindow()->Handle();
    timer.SetEnabled(false);
    win::SendMessage(window, win::WM_TIMER, timer.TimerId(), 0);
    win::SendMessage(window, win::WM_TIMER, 12345, 0);
    EXPECT_TRUE(ticks.at.empty());
    timer.SetEnabled(true);
    win::SendMessage(window, win::WM_TIMER, timer.TimerId(), 0);
    EXPECT_EQ(ticks.at.size(), 1u);
    {
        auto* freed = new controls::TclTimer(nullptr);
        freed->SetOnTimer(Handler());
        const win::UINT_PTR id = freed->TimerId();
        delete freed;
        win::SendMessage(window, win::WM_TIMER, id, 0);
    }
    EXPECT_EQ(ticks.at.size(), 1u);
}

TEST_F(TimerTest, SharedWindowsAreNotMadeAgainAfterTheUnitEnded)
{
    EXPECT_NE(controls::clGetMessageWindow(), nullptr);
    EXPECT_EQ(controls::clGetMessageWindow(), controls::clGetMessageWindow());
    controls::finalize();
    EXPECT_EQ(controls::clGetMessageWindow(), nullptr);
    EXPECT_EQ(controls::clGetTimerWindow(), nullptr);
    controls::initialize(EntryPoints());
}

// A control that notes CM_MOUSELEAVE.
class LeaveLog : public gui::TCustomControl {
public:
    explicit LeaveLog(classes::TComponent* owner) : TCustomControl(owner) {}
    int leaves = 0;
    void Dispatch(win::TMessage& message) override
    {
        if (message.Msg == gui::CM_MOUSELEAVE && message.LParam == reinterpret_cast<win::LPARAM>(this)) {
            ++leaves;
        }
        TCustomControl::Dispatch(message);
    }
};

struct Caller : controls::IclMouseTrackingCaller {
    int left = 0;
    void PointerLeft() override { ++left; }
};

class TrackingTest : public DrivenTest {};

TEST_F(TrackingTest, LeavingTheRectTellsControlAndCallerOnce)
{
    gui::TForm form(nullptr);
    form.SetBorderStyle(gui::bsNone);
    form.SetBounds(100, 100, 300, 200);
    auto* control = new LeaveLog(&form);
    control->SetBounds(10, 10, 100, 50);
    control->SetParent(&form);
    form.Show();
    driver.Pump();
    driver.MouseMove(control->Handle(), 20, 20);
    driver.Pump();

    Caller caller;
    controls::clWatchMouseLeave(control, {0, 0, 50, 50}, &caller);
    EXPECT_TRUE(controls::clIsMouseTracked(&caller));
    controls::clWatchMouseLeave(control, {0, 0, 50, 50}, &caller);
    driver.AdvanceBy(30);
    EXPECT_EQ(caller.left, 0);

    // Still in the control but out of the watched rect: only the caller hears of it.
    driver.MouseMove(control->Handle(), 70, 20);
    const int leavesBefore = control->leaves;
    driver.AdvanceBy(10);
    EXPECT_EQ(caller.left, 1);
    EXPECT_EQ(control->leaves, leavesBefore);
    EXPECT_FALSE(controls::clIsMouseTracked(&caller));

    controls::clWatchMouseLeave(control, {0, 0, 50, 50}, &caller);
    driver.MouseMove(control->Handle(), 20, 20);
    driver.AdvanceBy(20);
    win::SetCursorPos(500, 500);
    driver.AdvanceBy(10);
    EXPECT_EQ(caller.left, 2);
    EXPECT_EQ(control->leaves, leavesBefore + 1);
    driver.AdvanceBy(50);
    EXPECT_EQ(caller.left, 2) << "the watch ended";
    EXPECT_EQ(control->leaves, leavesBefore + 1);
}

TEST_F(TrackingTest, TrackingsStillRunningAtShutDownAreEndedQuietly)
{
    Caller caller;
    controls::clWatchMouseLeave(nullptr, {0, 0, 10, 10}, &caller);
    EXPECT_TRUE(controls::clIsMouseTracked(&caller));
    EXPECT_NO_THROW(controls::finalize());
    EXPECT_FALSE(controls::clIsMouseTracked(&caller));
    controls::clWatchMouseLeave(nullptr, {0, 0, 10, 10}, &caller);
    EXPECT_FALSE(controls::clIsMouseTracked(&caller)) << "no tracking starts once the unit ended";
    controls::initialize(EntryPoints());
}

}  // namespace
}  // namespace controlstest
