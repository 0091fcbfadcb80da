#include "WinFixture.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/Activation.h"
#include "platform/win/Icon.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/ScrollBar.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/NonClient.h"
#include "platform/win/testing/TestDriver.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace wintest {
namespace {

using namespace win;

class FrameTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        RegisterRecorderClass();
    }

    static HWND Make(DWORD style, DWORD exStyle, const char* text, RECT rect = RECT{40, 30, 340, 230})
    {
        return CreateWindowEx(exStyle, "Recorder", text, style, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
    }

    // The window's rectangle in its own coordinates, and the caption laid out in it.
    static RECT Local(HWND hwnd)
    {
        RECT rect;
        GetWindowRect(hwnd, &rect);
        return RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    }
    static detail::CaptionLayout Caption(HWND hwnd, bool icon = false)
    {
        return detail::CaptionLayoutOf(static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE)),
                                       static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_EXSTYLE)), Local(hwnd), icon);
    }

    // A pixel of the window's surface in window coordinates.
    static COLORREF Pixel(HWND hwnd, int x, int y)
    {
        POINT client{0, 0};
        ClientToScreen(hwnd, &client);
        RECT rect;
        GetWindowRect(hwnd, &rect);
        return TestDriver::PixelAt(hwnd, x - (client.x - rect.left), y - (client.y - rect.top));
    }

    static int CountOf(HWND hwnd, const RECT& area, COLORREF colour)
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                count += Pixel(hwnd, x, y) == colour ? 1 : 0;
            }
        }
        return count;
    }

    // Within one step of a gradient on every channel.
    static bool Near(COLORREF a, COLORREF b)
    {
        return std::abs(GetRValue(a) - GetRValue(b)) <= 2 && std::abs(GetGValue(a) - GetGValue(b)) <= 2 &&
               std::abs(GetBValue(a) - GetBValue(b)) <= 2;
    }

    static LRESULT HitAt(HWND hwnd, POINT local)
    {
        RECT rect;
        GetWindowRect(hwnd, &rect);
        return SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(rect.left + local.x, rect.top + local.y));
    }

    static POINT Centre(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

    static void PaintFrame(HWND hwnd) { SendMessage(hwnd, WM_NCPAINT, 1, 0); }

    rtl::VirtualClock clock{0.0, 1000};
    rtl::ScopedClock installed{clock};
    TestDriver driver{clock};
};

TEST_F(FrameTest, TheFrameOfEachStyleHasItsBorderCaptionAndButtons)
{
    const COLORREF light = GetSysColor(COLOR_3DLIGHT);
    const COLORREF darkShadow = GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF frameColour = GetSysColor(COLOR_WINDOWFRAME);
    struct Case {
        const char* name;
        DWORD style;
        DWORD exStyle;
        COLORREF topLeft;      // the window's corner pixels
        COLORREF bottomRight;
        int captionHeight;     // 0: none
        std::vector<LRESULT> buttons;  // from the right
    };
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    const Case cases[] = {
        {"overlapped", WS_OVERLAPPEDWINDOW, 0, light, darkShadow, caption, {HTCLOSE, HTMAXBUTTON, HTMINBUTTON}},
        {"dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP, light, darkShadow,
         caption, {HTCLOSE, HTHELP}},
        {"tool", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW, light, darkShadow,
         GetSystemMetrics(SM_CYSMCAPTION), {HTCLOSE}},
        {"caption without system menu", WS_POPUP | WS_CAPTION, 0, light, darkShadow, caption, {}},
        {"thick frame", WS_POPUP | WS_THICKFRAME, 0, light, darkShadow, 0, {}},
        {"thin border", WS_POPUP | WS_BORDER, 0, frameColour, frameColour, 0, {}},
        {"client edge", WS_POPUP, WS_EX_CLIENTEDGE, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT), 0, {}},
        {"no frame", WS_POPUP, 0, Green, Green, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HWND hwnd = Make(c.style, c.exStyle, "");
        ShowWindow(hwnd, SW_SHOW);
        driver.Pump();
        Fill(hwnd, Red, DCX_WINDOW);
        Fill(hwnd, Green);
        PaintFrame(hwnd);
        const RECT local = Local(hwnd);
        EXPECT_EQ(Pixel(hwnd, 0, 0), c.topLeft);
        EXPECT_EQ(Pixel(hwnd, local.right - 1, local.bottom - 1), c.bottomRight);
        RECT client;
        GetClientRect(hwnd, &client);
        EXPECT_EQ(TestDriver::PixelAt(hwnd, 0, 0), Green) << "the client area is not the frame's";
        EXPECT_EQ(TestDriver::PixelAt(hwnd, client.right - 1, client.bottom - 1), Green);

        const detail::CaptionLayout layout = Caption(hwnd);
        EXPECT_EQ(layout.bar.bottom - layout.bar.top + (c.captionHeight > 0 ? 1 : 0), c.captionHeight);
        if (c.captionHeight > 0) {
            EXPECT_EQ(Pixel(hwnd, layout.bar.left, layout.bar.top), GetSysColor(COLOR_ACTIVECAPTION));
            EXPECT_TRUE(Near(Pixel(hwnd, layout.bar.right - 1, layout.bar.bottom - 1),
                             GetSysColor(COLOR_GRADIENTACTIVECAPTION)))
                << "the buttons keep off the bar's end, where the caption's gradient arrives";
        }
        std::vector<LRESULT> hits;
        for (const detail::CaptionButton& button : layout.buttons) {
            hits.push_back(HitAt(hwnd, Centre(button.rect)));
            // Inside the button's edges, beside and below its glyph.
            EXPECT_EQ(Pixel(hwnd, button.rect.left + 2, button.rect.bottom - 3), GetSysColor(COLOR_BTNFACE))
                << button.hit;
        }
        EXPECT_EQ(hits, c.buttons);
        DestroyWindow(hwnd);
    }
}

TEST_F(FrameTest, TheCaptionShadesToItsGradientColourWhenGradientsAreOn)
{
    const HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, "");
    driver.Pump();
    const detail::CaptionLayout layout = Caption(hwnd);
    const struct {
        BOOL gradient;
        BOOL active;
        int left;
        int right;
    } cases[] = {
        {TRUE, TRUE, COLOR_ACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION},
        {TRUE, FALSE, COLOR_INACTIVECAPTION, COLOR_GRADIENTINACTIVECAPTION},
        {FALSE, TRUE, COLOR_ACTIVECAPTION, COLOR_ACTIVECAPTION},
        {FALSE, FALSE, COLOR_INACTIVECAPTION, COLOR_INACTIVECAPTION},
    };
    for (const auto& c : cases) {
        SystemParametersInfo(SPI_SETGRADIENTCAPTIONS, 0, reinterpret_cast<void*>(static_cast<std::uintptr_t>(c.gradient)),
                             0);
        SendMessage(hwnd, WM_NCACTIVATE, c.active, 0);
        EXPECT_EQ(Pixel(hwnd, layout.bar.left, layout.bar.top), GetSysColor(c.left)) << c.gradient << c.active;
        EXPECT_TRUE(Near(Pixel(hwnd, layout.bar.right - 1, layout.bar.top), GetSysColor(c.right)))
            << c.gradient << c.active;
        const int middle = (layout.bar.left + layout.bar.right) / 2;
        EXPECT_EQ(Pixel(hwnd, middle, layout.bar.top) != GetSysColor(c.left), c.gradient != FALSE)
            << c.gradient << c.active;
    }
}

TEST_F(FrameTest, OnlyTheGivenRegionOfTheFrameIsDrawn)
{
    const HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, "");
    SetActiveWindow(hwnd);
    driver.Pump();
    Fill(hwnd, Red, DCX_WINDOW);
    RECT rect;
    GetWindowRect(hwnd, &rect);
    const int middle = (rect.left + rect.right) / 2;
    const HRGN left = CreateRectRgn(rect.left, rect.top, middle, rect.bottom);
    SendMessage(hwnd, WM_NCPAINT, reinterpret_cast<WPARAM>(left), 0);
    DeleteObject(left);
    const detail::CaptionLayout layout = Caption(hwnd);
    const int y = layout.bar.top + 1;
    const COLORREF inside = Pixel(hwnd, middle - rect.left - 1, y);
    EXPECT_EQ(Pixel(hwnd, middle - rect.left, y), Red) << "outside the region";
    EXPECT_EQ(Pixel(hwnd, Local(hwnd).right - 1, 0), Red);
    EXPECT_EQ(TestDriver::PixelAt(hwnd, 1, 1), Red) << "the client area stays as it was";
    PaintFrame(hwnd);
    EXPECT_EQ(Pixel(hwnd, middle - rect.left - 1, y), inside) << "the part drawn is what the whole frame shows";
    EXPECT_NE(Pixel(hwnd, middle - rect.left, y), Red);
}

TEST_F(FrameTest, ActivationRedrawsTheCaptionsOfBothWindows)
{
    const HWND first = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, "First", RECT{0, 0, 300, 200});
    const HWND second = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, "Second", RECT{400, 0, 700, 200});
    driver.Pump();
    struct State {
        int caption;
        int text;
    };
    const State active{COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT};
    const State inactive{COLOR_INACTIVECAPTION, COLOR_INACTIVECAPTIONTEXT};
    const struct {
        HWND activate;
        State first;
        State second;
    } steps[] = {{first, active, inactive}, {second, inactive, active}, {first, active, inactive}};
    for (const auto& step : steps) {
        SetActiveWindow(step.activate);
        for (const auto& [hwnd, state] : {std::pair{first, step.first}, std::pair{second, step.second}}) {
            const detail::CaptionLayout layout = Caption(hwnd);
            EXPECT_EQ(Pixel(hwnd, layout.bar.left, layout.bar.top), GetSysColor(state.caption))
                << (step.activate == first ? "first" : "second") << " active";
            EXPECT_GT(CountOf(hwnd, layout.title, GetSysColor(state.text)), 0);
        }
    }
    EXPECT_EQ(SendMessage(first, WM_NCACTIVATE, FALSE, 0), TRUE);
    EXPECT_EQ(Pixel(first, Caption(first).bar.left, Caption(first).bar.top), GetSysColor(COLOR_INACTIVECAPTION))
        << "the caption shows what the message says, whichever window is active";
}

TEST_F(FrameTest, TheTitleFollowsTheWindowTextAndEndsBeforeTheButtons)
{
    const HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, "", RECT{0, 0, 200, 100});
    SetActiveWindow(hwnd);
    driver.Pump();
    const detail::CaptionLayout layout = Caption(hwnd);
    const COLORREF text = GetSysColor(COLOR_CAPTIONTEXT);
    // Between the title's end and the first button: where a title drawn too far would show.
    const RECT beyond{layout.title.right, layout.bar.top, layout.buttons.back().rect.left, layout.bar.bottom};
    ASSERT_LT(beyond.left, beyond.right);
    EXPECT_EQ(CountOf(hwnd, layout.title, text), 0);

    const std::string shortTitle = "Estimate";
    SetWindowText(hwnd, shortTitle.c_str());  // no message pumped: the caption is drawn at once
    const int shortCount = CountOf(hwnd, layout.title, text);
    EXPECT_GT(shortCount, 0);

    const std::string longTitle(60, 'W');
    SetWindowText(hwnd, longTitle.c_str());
    EXPECT_GT(CountOf(hwnd, layout.title, text), shortCount);
    EXPECT_EQ(CountOf(hwnd, beyond, text), 0) << "cut with an ellipsis before the buttons";
    const RECT lastColumns{layout.title.right - 3, layout.bar.top, layout.title.right, layout.bar.bottom};
    EXPECT_EQ(CountOf(hwnd, lastColumns, text), 0) << "the ellipsis is drawn whole, not cut at the edge";

    SetWindowText(hwnd, "");
    EXPECT_EQ(CountOf(hwnd, layout.title, text), 0) << "the old title is painted over";
}

TEST_F(FrameTest, TheIconAndTheButtonsShowWhatTheStyleAllows)
{
    const HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
    ASSERT_NE(icon, nullptr);
    struct Case {
        const char* name;
        DWORD style;
        DWORD exStyle;
        bool icon;
        LRESULT atIcon;     // what a click where the icon would be answers
        bool minimize;      // the minimize and maximize buttons enabled
        bool maximize;
    };
    const Case cases[] = {
        {"with icon", WS_OVERLAPPEDWINDOW, 0, true, HTSYSMENU, true, true},
        {"without icon", WS_OVERLAPPEDWINDOW, 0, false, HTCAPTION, true, true},
        {"dialog frame", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_DLGMODALFRAME, true, HTCAPTION,
         true, false},
        {"maximize only", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX, 0, true, HTSYSMENU, false, true},
    };
    // A flat caption, so that the icon's pixels are the only ones of another colour in its place.
    SystemParametersInfo(SPI_SETGRADIENTCAPTIONS, 0, nullptr, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HWND hwnd = Make(c.style | WS_VISIBLE, c.exStyle, "");
        SetActiveWindow(hwnd);
        driver.Pump();
        if (c.icon) {
            SendMessage(hwnd, WM_SETICON, 0, reinterpret_cast<LPARAM>(icon));  // shown at once
        }
        const detail::CaptionLayout layout = Caption(hwnd, c.icon);
        const RECT slot{layout.bar.left + 2, layout.bar.top + 1, layout.bar.left + 18, layout.bar.top + 17};
        EXPECT_EQ(HitAt(hwnd, Centre(slot)), c.atIcon);
        const bool shown = c.atIcon == HTSYSMENU;
        EXPECT_EQ(CountOf(hwnd, slot, GetSysColor(COLOR_ACTIVECAPTION)) < 16 * 16, shown);
        ASSERT_EQ(layout.buttons.size(), 3u);
        for (const auto& [button, enabled] : {std::pair{layout.buttons[1], c.maximize},
                                              std::pair{layout.buttons[2], c.minimize}}) {
            RECT face = button.rect;
            InflateRect(&face, -2, -2);
            EXPECT_EQ(CountOf(hwnd, face, GetSysColor(COLOR_BTNTEXT)) > 0, enabled) << button.hit;
            EXPECT_EQ(CountOf(hwnd, face, GetSysColor(COLOR_GRAYTEXT)) > 0, !enabled) << button.hit;
        }
        DestroyWindow(hwnd);
    }
}

TEST_F(FrameTest, AClassWithoutCloseShowsTheCloseButtonGreyed)
{
    WNDCLASSEX noClose;
    noClose.style = CS_NOCLOSE;
    noClose.lpfnWndProc = RecorderProc;
    noClose.lpszClassName = "NoClose";
    ASSERT_NE(RegisterClassEx(&noClose), 0);
    for (const char* className : {"Recorder", "NoClose"}) {
        const bool closable = std::string(className) == "Recorder";
        const HWND hwnd = CreateWindowEx(0, className, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                         nullptr, nullptr, nullptr);
        SetActiveWindow(hwnd);
        driver.Pump();
        RECT face = Caption(hwnd).buttons.front().rect;
        InflateRect(&face, -2, -2);
        EXPECT_EQ(CountOf(hwnd, face, GetSysColor(COLOR_BTNTEXT)) > 0, closable) << className;
        EXPECT_EQ(CountOf(hwnd, face, GetSysColor(COLOR_GRAYTEXT)) > 0, !closable) << className;
        DestroyWindow(hwnd);
    }
}

TEST_F(FrameTest, ChildControlsGetTheirBorderAndEdgeOnly)
{
    const HWND parent = Make(WS_POPUP | WS_VISIBLE, 0, "", RECT{0, 0, 200, 200});
    struct Case {
        const char* name;
        DWORD style;
        DWORD exStyle;
        COLORREF topLeft;
        COLORREF inside;  // one pixel in from the corner
    };
    const Case cases[] = {
        {"client edge", 0, WS_EX_CLIENTEDGE, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DDKSHADOW)},
        {"border and edge", WS_BORDER, WS_EX_CLIENTEDGE, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_3DSHADOW)},
        {"static edge", 0, WS_EX_STATICEDGE, GetSysColor(COLOR_3DSHADOW), Green},
        {"none", 0, 0, Green, Green},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HWND child = CreateWindowEx(c.exStyle, "Recorder", "Child", WS_CHILD | WS_VISIBLE | c.style, 10, 10,
                                          100, 50, parent, nullptr, nullptr, nullptr);
        driver.Pump();
        Fill(child, Red, DCX_WINDOW);
        Fill(child, Green);
        PaintFrame(child);
        EXPECT_EQ(Pixel(child, 0, 0), c.topLeft);
        EXPECT_EQ(Pixel(child, 1, 1), c.inside);
        EXPECT_EQ(Pixel(parent, 9, 9), Pixel(parent, 5, 5)) << "nothing outside the child";
        DestroyWindow(child);
    }
}

TEST_F(FrameTest, ScrollBarsShowTheThumbWhereThePositionPutsIt)
{
    const HWND hwnd = Make(WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, "", RECT{0, 0, 200, 200});
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = 99;
    info.nPage = 50;
    SetScrollInfo(hwnd, SB_HORZ, &info, TRUE);
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    driver.Pump();
    RECT client;
    GetClientRect(hwnd, &client);
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    const int length = client.bottom;
    const int track = length - 2 * arrow;
    const int thumb = track / 2;  // half the range in a page
    // The rows of the vertical bar's track where the thumb's left edge shows.
    auto thumbRows = [&] {
        std::vector<int> rows;
        for (int y = arrow; y < length - arrow; ++y) {
            if (Pixel(hwnd, client.right, y) == GetSysColor(COLOR_3DHIGHLIGHT)) {
                rows.push_back(y);
            }
        }
        return rows;
    };
    const struct {
        int pos;
        int top;
    } cases[] = {{0, arrow}, {25, arrow + (track - thumb) / 2}, {50, length - arrow - thumb}, {10, arrow + (track - thumb) / 5}};
    for (const auto& c : cases) {
        SetScrollPos(hwnd, SB_VERT, c.pos, TRUE);  // drawn at once, no message pumped
        const std::vector<int> rows = thumbRows();
        ASSERT_FALSE(rows.empty()) << c.pos;
        EXPECT_EQ(rows.front(), c.top) << c.pos;
        EXPECT_EQ(static_cast<int>(rows.size()), thumb - 1) << c.pos << ": the last row is the bottom edge";
    }
    EXPECT_EQ(Pixel(hwnd, client.right + 8, client.bottom + 8), GetSysColor(COLOR_3DFACE)) << "where the bars meet";

    RECT up{client.right + 2, 2, client.right + arrow - 2, arrow - 2};  // inside the arrow button's edges
    EXPECT_GT(CountOf(hwnd, up, GetSysColor(COLOR_BTNTEXT)), 0);
    info.fMask = SIF_PAGE | SIF_DISABLENOSCROLL;
    info.nPage = 100;
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    EXPECT_TRUE(thumbRows().empty()) << "nothing to scroll: no thumb";
    EXPECT_EQ(CountOf(hwnd, up, GetSysColor(COLOR_BTNTEXT)), 0) << "the arrow is greyed";
}

}  // namespace
}  // namespace wintest
