#include "WinFixture.h"

#include "platform/win/Activation.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/ScrollBar.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/testing/TestDriver.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/NonClient.h"

namespace wintest {
namespace {

using namespace win;

class NonClientTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        RegisterRecorderClass();
    }

    static HWND Make(DWORD style, RECT rect)
    {
        return CreateWindowEx(0, "Recorder", "", style, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
    }

    std::vector<WPARAM> ScrollCodes()
    {
        std::vector<WPARAM> codes;
        for (const Received& entry : Log().Entries()) {
            if (entry.message == WM_VSCROLL) {
                codes.push_back(LOWORD(entry.wParam));
            }
        }
        Log().Clear();
        return codes;
    }

    rtl::VirtualClock clock{0.0, 1000};
    rtl::ScopedClock installed{clock};
    TestDriver driver{clock};
};

TEST_F(NonClientTest, ScrollInfoKeepsPageAndPositionInRangeAndShowsTheBarWhenNeeded)
{
    const HWND hwnd = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 200});
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 200);

    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 99;
    info.nPage = 30;
    info.nPos = 95;
    EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &info, TRUE), 70) << "the last page starts at 70";
    EXPECT_TRUE(GetWindowLongPtr(hwnd, GWL_STYLE) & WS_VSCROLL);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 200 - GetSystemMetrics(SM_CXVSCROLL)) << "the bar takes its width from the client";

    EXPECT_EQ(SetScrollPos(hwnd, SB_VERT, -5, TRUE), 70);
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 0);
    info.fMask = SIF_PAGE;
    info.nPage = 500;
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    SCROLLINFO read;
    read.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(hwnd, SB_VERT, &read));
    EXPECT_EQ(read.nPage, 100u) << "a page never exceeds the range";
    EXPECT_FALSE(GetWindowLongPtr(hwnd, GWL_STYLE) & WS_VSCROLL) << "nothing left to scroll";

    info.fMask = SIF_PAGE | SIF_DISABLENOSCROLL;
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    EXPECT_TRUE(GetWindowLongPtr(hwnd, GWL_STYLE) & WS_VSCROLL) << "kept, disabled";
    EXPECT_FALSE(GetScrollInfo(hwnd, SB_CTL, &read));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(NonClientTest, ClicksOnTheBarScrollByLinesAndPages)
{
    const HWND hwnd = Make(WS_POPUP | WS_VISIBLE | WS_VSCROLL, RECT{0, 0, 200, 200});
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = 99;
    info.nPage = 50;
    info.nPos = 0;
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    const int x = 200 - GetSystemMetrics(SM_CXVSCROLL) / 2;
    SetActiveWindow(hwnd);
    Log().Clear();
    struct Case {
        int y;
        std::vector<WPARAM> codes;
    };
    const Case cases[] = {
        {arrow / 2, {SB_LINEUP, SB_ENDSCROLL}},
        {200 - arrow / 2, {SB_LINEDOWN, SB_ENDSCROLL}},
        {arrow + 5, {}},  // the thumb, at the top: half the track
        {190 - arrow, {SB_PAGEDOWN, SB_ENDSCROLL}},
    };
    for (const Case& c : cases) {
        driver.Click(hwnd, TestDriver::Button::Left, x, c.y);
        clock.Advance(1000);  // no double clicks
        driver.Pump();
        EXPECT_EQ(ScrollCodes(), c.codes) << c.y;
    }
    EnableScrollBar(hwnd, SB_VERT, ESB_DISABLE_RTDN);
    driver.Click(hwnd, TestDriver::Button::Left, x, 200 - arrow / 2);
    driver.Pump();
    EXPECT_TRUE(ScrollCodes().empty());
}

TEST_F(NonClientTest, CaptionButtonsMinimizeMaximizeAndClose)
{
    const int frame = GetSystemMetrics(SM_CXFRAME);
    const HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 500, 400});
    SetActiveWindow(hwnd);
    const POINT caption{300, 100 + frame + 3};
    POINT local = caption;
    ScreenToClient(hwnd, &local);
    driver.Click(hwnd, TestDriver::Button::Left, local.x, local.y);
    driver.Click(hwnd, TestDriver::Button::Left, local.x, local.y);
    driver.Pump();
    EXPECT_TRUE(IsZoomed(hwnd)) << "a double click on the caption maximizes";
    SendMessage(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(hwnd));
    EXPECT_EQ(GetActiveWindow(), nullptr) << "a minimized window gives up activation";
    SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(IsZoomed(hwnd)) << "minimized from maximized, it comes back maximized";
    SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    RECT rect;
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect, (RECT{100, 100, 500, 400})) << "back to the normal rectangle, not the maximized one";
    POINT close{500 - frame - 3, 100 + frame + 3};
    ScreenToClient(hwnd, &close);
    driver.Click(hwnd, TestDriver::Button::Left, close.x, close.y);
    driver.Pump();
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(NonClientTest, AGreyedCaptionButtonDoesNothing)
{
    const DWORD base = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    struct Case {
        DWORD boxes;
        LRESULT pressed;
        bool zoomed;
        bool iconic;
    };
    const Case cases[] = {
        {WS_MINIMIZEBOX, HTMAXBUTTON, false, false},
        {WS_MINIMIZEBOX, HTMINBUTTON, false, true},
        {WS_MAXIMIZEBOX, HTMINBUTTON, false, false},
        {WS_MAXIMIZEBOX, HTMAXBUTTON, true, false},
    };
    for (const Case& c : cases) {
        const RECT rect{100, 100, 400, 300};
        const HWND hwnd = Make(base | c.boxes, rect);
        SetActiveWindow(hwnd);
        const detail::CaptionLayout layout = detail::CaptionLayoutOf(base | c.boxes, 0, rect, false);
        for (const detail::CaptionButton& button : layout.buttons) {
            if (button.hit == c.pressed) {
                POINT point{(button.rect.left + button.rect.right) / 2, (button.rect.top + button.rect.bottom) / 2};
                ScreenToClient(hwnd, &point);
                driver.Click(hwnd, TestDriver::Button::Left, point.x, point.y);
                clock.Advance(1000);
                driver.Pump();
            }
        }
        EXPECT_EQ(IsZoomed(hwnd) != FALSE, c.zoomed) << c.boxes << " " << c.pressed;
        EXPECT_EQ(IsIconic(hwnd) != FALSE, c.iconic) << c.boxes << " " << c.pressed;
        DestroyWindow(hwnd);
    }
}

}  // namespace
}  // namespace wintest
