#include "WinFixture.h"

#include "platform/win/Activation.h"
#include "platform/win/Desktop.h"
#include "platform/win/HitTest.h"
#include "platform/win/Cursor.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/NonClient.h"
#include "platform/services/Sound.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/testing/TestDriver.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"

namespace wintest {
namespace {

using namespace win;
using Step = std::pair<HWND, UINT>;

// The geometry and activation messages, without the many others windows receive.
const std::initializer_list<UINT> PlaceMessages = {
    WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE, WM_ACTIVATEAPP, WM_NCACTIVATE,
    WM_ACTIVATE,   WM_KILLFOCUS,         WM_SETFOCUS,      WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE,
};

class GeometryTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        RegisterRecorderClass(CS_DBLCLKS);
    }

    static HWND Make(DWORD style, RECT rect, HWND parent = nullptr, DWORD exStyle = 0)
    {
        return CreateWindowEx(exStyle, "Recorder", "", style, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, parent, nullptr, nullptr, nullptr);
    }

    rtl::VirtualClock clock{0.0, 1000};
    rtl::ScopedClock installed{clock};
    TestDriver driver{clock};
};

TEST_F(GeometryTest, ShowActivateMoveResizeAndHideSendTheirMessagesInOrder)
{
    const HWND hwnd = Make(WS_OVERLAPPEDWINDOW, RECT{50, 60, 350, 260});
    Log().Clear();

    ShowWindow(hwnd, SW_SHOW);
    const std::vector<Step> shown = {
        {hwnd, WM_SHOWWINDOW}, {hwnd, WM_WINDOWPOSCHANGING}, {hwnd, WM_ACTIVATEAPP}, {hwnd, WM_NCACTIVATE},
        {hwnd, WM_ACTIVATE},   {hwnd, WM_SETFOCUS},          {hwnd, WM_WINDOWPOSCHANGED},
    };
    EXPECT_EQ(Log().Only(PlaceMessages), shown);
    EXPECT_EQ(GetActiveWindow(), hwnd);
    EXPECT_EQ(GetForegroundWindow(), hwnd);
    EXPECT_EQ(GetFocus(), hwnd);

    Log().Clear();
    SetWindowPos(hwnd, nullptr, 70, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const std::vector<Step> moved = {
        {hwnd, WM_WINDOWPOSCHANGING}, {hwnd, WM_WINDOWPOSCHANGED}, {hwnd, WM_MOVE}};
    EXPECT_EQ(Log().Only(PlaceMessages), moved);

    Log().Clear();
    SetWindowPos(hwnd, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    const std::vector<Step> resized = {
        {hwnd, WM_WINDOWPOSCHANGING}, {hwnd, WM_GETMINMAXINFO}, {hwnd, WM_NCCALCSIZE},
        {hwnd, WM_WINDOWPOSCHANGED},  {hwnd, WM_SIZE},
    };
    EXPECT_EQ(Log().Only(PlaceMessages), resized);

    Log().Clear();
    ShowWindow(hwnd, SW_HIDE);
    const std::vector<Step> hidden = {
        {hwnd, WM_SHOWWINDOW}, {hwnd, WM_WINDOWPOSCHANGING}, {hwnd, WM_NCACTIVATE}, {hwnd, WM_ACTIVATE},
        {hwnd, WM_ACTIVATEAPP}, {hwnd, WM_KILLFOCUS}, {hwnd, WM_WINDOWPOSCHANGED},
    };
    EXPECT_EQ(Log().Only(PlaceMessages), hidden);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);

    RECT rect;
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect, (RECT{70, 80, 470, 380}));
}

TEST_F(GeometryTest, TheClientAreaLiesInsideTheClassicFrameAndCaption)
{
    const int frame = GetSystemMetrics(SM_CXFRAME);
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    const int scroll = GetSystemMetrics(SM_CXVSCROLL);
    const HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VSCROLL, RECT{100, 100, 400, 300});
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client, (RECT{0, 0, 300 - 2 * frame - scroll, 200 - 2 * frame - caption}));
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    EXPECT_EQ(origin, (POINT{100 + frame, 100 + frame + caption}));

    RECT adjusted{0, 0, 100, 50};
    AdjustWindowRectEx(&adjusted, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CLIENTEDGE);
    const int edge = GetSystemMetrics(SM_CXEDGE);
    EXPECT_EQ(adjusted, (RECT{-frame - edge, -frame - edge - caption, 100 + frame + edge, 50 + frame + edge}));

    struct Case {
        POINT point;
        LRESULT code;
    };
    const Case cases[] = {
        {{99, 150}, HTNOWHERE},
        {{100, 150}, HTLEFT},
        {{100, 100}, HTTOPLEFT},
        {{399, 299}, HTBOTTOMRIGHT},
        {{250, 100 + frame + 2}, HTCAPTION},
        {{100 + frame + 2, 100 + frame + 2}, HTCAPTION},  // no icon, so no system-menu box
        {{400 - frame - 3, 100 + frame + 2}, HTCLOSE},
        {{400 - frame - 2, 200}, HTVSCROLL},
        {{200, 200}, HTCLIENT},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(c.point.x, c.point.y)), c.code)
            << c.point.x << "," << c.point.y;
    }
}

TEST_F(GeometryTest, TopmostWindowsStayAboveAndMapPointsThroughParents)
{
    const HWND a = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    const HWND b = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    const HWND topmost = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100}, nullptr, WS_EX_TOPMOST);
    EXPECT_EQ(GetTopWindow(nullptr), topmost);
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetWindow(topmost, GW_HWNDNEXT), a) << "HWND_TOP stays below the topmost group";
    SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetTopWindow(nullptr), b);
    EXPECT_TRUE(GetWindowLongPtr(b, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_FALSE(GetWindowLongPtr(b, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(topmost, GW_HWNDLAST), b);
    EXPECT_FALSE(SetWindowPos(a, HandleFromValue<HWND>(0x1234), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER) << "not a sibling";

    const HWND parent = Make(WS_POPUP | WS_BORDER, RECT{200, 100, 400, 300});
    const HWND child = Make(WS_CHILD, RECT{10, 20, 60, 70}, parent);
    POINT pt{5, 5};
    EXPECT_EQ(MapWindowPoints(child, nullptr, &pt, 1), MAKELONG(211, 121));
    EXPECT_EQ(pt, (POINT{216, 126}));
    ScreenToClient(parent, &pt);
    EXPECT_EQ(pt, (POINT{15, 25}));
    EXPECT_EQ(ChildWindowFromPoint(parent, POINT{15, 25}), child);
    EXPECT_EQ(ChildWindowFromPointEx(parent, POINT{15, 25}, CWP_SKIPINVISIBLE), parent);
}

TEST_F(GeometryTest, OwnedWindowsStayAboveTheirOwnerAndDefaultWindowsCascade)
{
    const HWND owner = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    const HWND owned = Make(WS_POPUP | WS_VISIBLE, RECT{10, 10, 50, 50}, owner);
    const HWND other = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    EXPECT_EQ(GetTopWindow(nullptr), other);
    SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetTopWindow(nullptr), owned);
    EXPECT_EQ(GetWindow(owned, GW_HWNDNEXT), owner);
    EXPECT_EQ(GetWindow(owner, GW_HWNDNEXT), other);
    SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    EXPECT_EQ(GetTopWindow(nullptr), owner) << "SWP_NOOWNERZORDER leaves the owned window where it was";

    MONITORINFO monitor;
    GetMonitorInfo(MonitorFromPoint(POINT{}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    const int width = (monitor.rcWork.right - monitor.rcWork.left) * 3 / 4;
    const int height = (monitor.rcWork.bottom - monitor.rcWork.top) * 3 / 4;
    RECT rects[2];
    for (RECT& rect : rects) {
        const HWND hwnd = CreateWindowEx(0, "Recorder", "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                                         nullptr, nullptr, nullptr, nullptr);
        GetWindowRect(hwnd, &rect);
    }
    EXPECT_EQ(rects[0], (RECT{0, 0, width, height}));
    EXPECT_EQ(rects[1], (RECT{step, step, step + width, step + height}));
    const HWND popup = CreateWindowEx(0, "Recorder", "", WS_POPUP, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr,
                                      nullptr, nullptr, nullptr);
    RECT rect;
    GetWindowRect(popup, &rect);
    EXPECT_EQ(rect, (RECT{0, 0, 0, 0})) << "only overlapped windows get a default place and size";
}

TEST_F(GeometryTest, MaximizeAndRestoreKeepTheNormalRectangle)
{
    const HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{50, 60, 350, 260});
    Log().Clear();
    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(hwnd));
    MONITORINFO monitor;
    GetMonitorInfo(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const int frame = GetSystemMetrics(SM_CXFRAME);
    RECT rect;
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect, (RECT{monitor.rcWork.left - frame, monitor.rcWork.top - frame, monitor.rcWork.right + frame,
                          monitor.rcWork.bottom + frame}));
    bool sawMaximized = false;
    for (const Received& entry : Log().Entries()) {
        sawMaximized |= entry.message == WM_SIZE && entry.wParam == SIZE_MAXIMIZED;
    }
    EXPECT_TRUE(sawMaximized);
    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(hwnd));
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect, (RECT{50, 60, 350, 260}));
}

TEST_F(GeometryTest, ClicksBetweenTwoWindowsMoveActivationAndFocus)
{
    const HWND first = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    const HWND second = Make(WS_POPUP | WS_VISIBLE, RECT{200, 0, 300, 100});
    SetActiveWindow(first);
    Log().Clear();

    driver.Click(second, TestDriver::Button::Left, 10, 10);
    driver.Pump();
    const std::vector<Step> expected = {
        {second, WM_MOUSEACTIVATE}, {second, WM_WINDOWPOSCHANGING}, {second, WM_WINDOWPOSCHANGED},
        {first, WM_NCACTIVATE},     {first, WM_ACTIVATE},           {second, WM_NCACTIVATE},
        {second, WM_ACTIVATE},      {first, WM_KILLFOCUS},          {second, WM_SETFOCUS},
        {second, WM_SETCURSOR},     {second, WM_LBUTTONDOWN},       {second, WM_SETCURSOR},
        {second, WM_LBUTTONUP},
    };
    EXPECT_EQ(Log().Only({WM_MOUSEACTIVATE, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCACTIVATE, WM_ACTIVATE,
                          WM_ACTIVATEAPP, WM_KILLFOCUS, WM_SETFOCUS, WM_SETCURSOR, WM_LBUTTONDOWN, WM_LBUTTONUP}),
              expected);
    const auto activate = Log().Entries();
    for (const Received& entry : activate) {
        if (entry.hwnd == second && entry.message == WM_ACTIVATE) {
            EXPECT_EQ(LOWORD(entry.wParam), WA_CLICKACTIVE);
            EXPECT_EQ(entry.lParam, HandleValue(first));
        }
    }
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(GetFocus(), second);
    EXPECT_EQ(GetTopWindow(nullptr), second);
}

LRESULT TransparentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCHITTEST) {
        return HTTRANSPARENT;
    }
    return RecorderProc(hwnd, message, wParam, lParam);
}

TEST_F(GeometryTest, TransparentWindowsPassTheClickToTheWindowBelow)
{
    const HWND below = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 200});
    const HWND sibling = Make(WS_CHILD | WS_VISIBLE, RECT{0, 0, 100, 100}, below);
    const HWND cover = Make(WS_CHILD | WS_VISIBLE, RECT{0, 0, 100, 100}, below);
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowLongPtr(cover, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(TransparentProc));
    POINT pt{50, 50};
    EXPECT_EQ(WindowFromPoint(pt), sibling);
    Log().Clear();
    driver.Click(cover, TestDriver::Button::Left, 50, 50);
    driver.Pump();
    const auto downs = Log().Only({WM_LBUTTONDOWN});
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].first, sibling);
    EXPECT_EQ(WindowFromPoint(POINT{150, 150}), below);
    EXPECT_EQ(WindowFromPoint(POINT{500, 500}), nullptr);
}

TEST_F(GeometryTest, AClickOnAWindowDisabledByAModalOneBeepsAndGoesNowhere)
{
    const HWND owner = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 300, 300});
    const HWND modal = Make(WS_POPUP | WS_VISIBLE, RECT{400, 0, 500, 100}, owner);
    EnableWindow(owner, FALSE);
    SetActiveWindow(modal);
    ClearSoundLog();
    Log().Clear();
    driver.Click(owner, TestDriver::Button::Left, 10, 10);
    driver.Pump();
    const auto setCursor = Log().Only({WM_SETCURSOR, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEACTIVATE});
    const std::vector<Step> expected = {{owner, WM_SETCURSOR}, {owner, WM_SETCURSOR}};
    EXPECT_EQ(setCursor, expected) << "the presses never reach the disabled window";
    const Received first = Log().Entries().front();
    EXPECT_EQ(static_cast<std::int16_t>(LOWORD(first.lParam)), HTERROR);
    EXPECT_EQ(HIWORD(first.lParam), WM_LBUTTONDOWN);
    EXPECT_EQ(SoundLog().size(), 1u);
    EXPECT_EQ(GetActiveWindow(), modal);
}

TEST_F(GeometryTest, CaptureTakesTheMouseWhereverItIs)
{
    const HWND left = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    const HWND right = Make(WS_POPUP | WS_VISIBLE, RECT{200, 0, 300, 100});
    SetActiveWindow(left);
    SetCapture(left);
    Log().Clear();
    driver.MouseMove(right, 5, 5);
    driver.MouseDown(right, TestDriver::Button::Left, 5, 5);
    driver.Pump();
    std::vector<Received> mouse;
    for (const Received& entry : Log().Entries()) {
        if (entry.message == WM_MOUSEMOVE || entry.message == WM_LBUTTONDOWN || entry.message == WM_SETCURSOR) {
            mouse.push_back(entry);
        }
    }
    ASSERT_EQ(mouse.size(), 2u) << "no WM_SETCURSOR while the capture holds";
    EXPECT_EQ(mouse[0].hwnd, left);
    EXPECT_EQ(mouse[1].hwnd, left);
    EXPECT_EQ(mouse[1].lParam, MAKELPARAM(205, 5)) << "client coordinates of the capture window";
    SetFocus(left);
    Log().Clear();
    EnableWindow(left, FALSE);
    const std::vector<Step> disabled = {
        {left, WM_KILLFOCUS}, {left, WM_CANCELMODE}, {left, WM_CAPTURECHANGED}, {left, WM_ENABLE}};
    EXPECT_EQ(Log().Only({WM_KILLFOCUS, WM_CANCELMODE, WM_CAPTURECHANGED, WM_ENABLE}), disabled)
        << "disabling ends the focus and, through WM_CANCELMODE, the capture";
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    Log().Clear();
    driver.MouseUp(right, TestDriver::Button::Left, 5, 5);
    driver.Pump();
    EXPECT_EQ(Log().Only({WM_LBUTTONUP}), (std::vector<Step>{{right, WM_LBUTTONUP}}));
}

TEST_F(GeometryTest, MouseLeaveFiresOnceWhenTheMouseLeavesTheClientArea)
{
    const HWND hwnd = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    const HWND other = Make(WS_POPUP | WS_VISIBLE, RECT{200, 0, 300, 100});
    driver.MouseMove(hwnd, 10, 10);
    driver.Pump();
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd;
    ASSERT_TRUE(TrackMouseEvent(&track));
    Log().Clear();
    driver.MouseMove(hwnd, 20, 20);
    driver.MouseMove(other, 10, 10);
    driver.MouseMove(other, 20, 20);
    driver.MouseMove(hwnd, 30, 30);
    driver.MouseMove(other, 30, 30);
    driver.Pump();
    EXPECT_EQ(Log().Only({WM_MOUSELEAVE}), (std::vector<Step>{{hwnd, WM_MOUSELEAVE}}));
    TRACKMOUSEEVENT query;
    query.dwFlags = TME_QUERY;
    TrackMouseEvent(&query);
    EXPECT_EQ(query.hwndTrack, nullptr);
}

TEST_F(GeometryTest, HoverComesOnceWhenTheMouseRestsForTheHoverTime)
{
    const HWND hwnd = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    driver.MouseMove(hwnd, 10, 10);
    driver.Pump();
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_HOVER;
    track.hwndTrack = hwnd;
    track.dwHoverTime = HOVER_DEFAULT;
    ASSERT_TRUE(TrackMouseEvent(&track));
    Log().Clear();
    driver.AdvanceBy(300);
    driver.MouseMove(hwnd, 11, 11);  // within the hover rectangle: the wait goes on
    driver.AdvanceBy(100);
    EXPECT_EQ(Log().Only({WM_MOUSEHOVER}).size(), 1u);
    ASSERT_TRUE(TrackMouseEvent(&track));
    Log().Clear();
    driver.AdvanceBy(300);
    driver.MouseMove(hwnd, 40, 40);  // farther: the wait starts again
    driver.AdvanceBy(399);
    EXPECT_TRUE(Log().Only({WM_MOUSEHOVER}).empty());
    driver.AdvanceBy(1);
    const auto hovers = Log().Entries();
    std::vector<LPARAM> where;
    for (const Received& entry : hovers) {
        if (entry.message == WM_MOUSEHOVER) {
            where.push_back(entry.lParam);
        }
    }
    EXPECT_EQ(where, (std::vector<LPARAM>{MAKELPARAM(40, 40)}));
    driver.AdvanceBy(2000);
    EXPECT_EQ(Log().Only({WM_MOUSEHOVER}).size(), 1u) << "once, then tracking ends";
}

TEST_F(GeometryTest, PressesInChildrenNotifyTheParentsAndTheCursorFollowsTheHitTest)
{
    const HWND top = Make(WS_POPUP | WS_VISIBLE | WS_THICKFRAME, RECT{0, 0, 200, 200});
    const HWND middle = Make(WS_CHILD | WS_VISIBLE, RECT{10, 10, 110, 110}, top);
    const HWND inner = Make(WS_CHILD | WS_VISIBLE, RECT{5, 5, 55, 55}, middle);
    SetActiveWindow(top);
    Log().Clear();
    driver.Click(inner, TestDriver::Button::Left, 1, 2);
    driver.Pump();
    const auto notices = Log().Entries();
    std::vector<Received> parentNotify;
    for (const Received& entry : notices) {
        if (entry.message == WM_PARENTNOTIFY) {
            parentNotify.push_back(entry);
        }
    }
    ASSERT_EQ(parentNotify.size(), 2u);
    EXPECT_EQ(parentNotify[0], (Received{middle, WM_PARENTNOTIFY, WM_LBUTTONDOWN, MAKELPARAM(6, 7)}));
    const int frame = GetSystemMetrics(SM_CXFRAME);  // the top-level window's client area starts inside it
    EXPECT_EQ(parentNotify[1], (Received{top, WM_PARENTNOTIFY, WM_LBUTTONDOWN,
                                         MAKELPARAM(20 - frame, 21 - frame)}));

    const HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    SetClassLongPtr(inner, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(hand));
    driver.MouseMove(inner, 3, 3);
    driver.Pump();
    EXPECT_EQ(GetCursor(), hand) << "the class cursor over the client area";
    POINT edge{199, 100};
    ScreenToClient(top, &edge);
    driver.MouseMove(top, edge.x, edge.y);
    driver.Pump();
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZEWE)) << "a sizing cursor over the sizing frame";
}

TEST_F(GeometryTest, DoubleClicksWheelAndSwappedButtons)
{
    const HWND hwnd = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    SetFocus(hwnd);
    SwapMouseButton(TRUE);
    driver.Click(hwnd, TestDriver::Button::Left, 10, 10);
    driver.Click(hwnd, TestDriver::Button::Left, 10, 10);
    SwapMouseButton(FALSE);
    driver.Wheel(hwnd, -120, 10, 10);
    Log().Clear();
    driver.Pump();
    const std::vector<Step> expected = {
        {hwnd, WM_RBUTTONDOWN}, {hwnd, WM_RBUTTONUP}, {hwnd, WM_RBUTTONDBLCLK}, {hwnd, WM_RBUTTONUP},
        {hwnd, WM_MOUSEWHEEL}};
    EXPECT_EQ(Log().Only({WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_MOUSEWHEEL}), expected);
    for (const Received& entry : Log().Entries()) {
        if (entry.message == WM_MOUSEWHEEL) {
            EXPECT_EQ(static_cast<std::int16_t>(HIWORD(entry.wParam)), -120);
        }
    }
}

TEST_F(GeometryTest, KeyboardLayoutMapsKeysScanCodesAndCharacters)
{
    EXPECT_EQ(MapVirtualKey('A', MAPVK_VK_TO_VSC), 0x1Eu);
    EXPECT_EQ(MapVirtualKey(0x1E, MAPVK_VSC_TO_VK), static_cast<UINT>('A'));
    EXPECT_EQ(MapVirtualKey(VK_OEM_COMMA, MAPVK_VK_TO_CHAR), static_cast<UINT>(','));
    EXPECT_EQ(VkKeyScan('a'), 'A');
    EXPECT_EQ(VkKeyScan('A'), 0x100 | 'A');
    EXPECT_EQ(VkKeyScan('?'), 0x100 | VK_OEM_2);
    BYTE state[256] = {};
    WORD ch = 0;
    EXPECT_EQ(ToAscii('5', 0, state, &ch, 0), 1);
    EXPECT_EQ(ch, '5');
    state[VK_SHIFT] = 0x80;
    EXPECT_EQ(ToAscii('5', 0, state, &ch, 0), 1);
    EXPECT_EQ(ch, '%');
    EXPECT_EQ(ToAscii(VK_F1, 0, state, &ch, 0), 0);
    ASSERT_TRUE(SetKeyboardState(state));
    EXPECT_TRUE(GetKeyState(VK_SHIFT) < 0);
}

}  // namespace
}  // namespace wintest
