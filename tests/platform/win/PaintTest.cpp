#include "WinFixture.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/HitTest.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/gdi/Region.h"
#include "platform/win/testing/TestDriver.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"

namespace wintest {
namespace {

using namespace win;

struct PaintRecord {
    HWND hwnd;
    HRGN update;  // the client update region as WM_PAINT found it
    RECT rcPaint;
    BOOL fErase;
};
std::vector<PaintRecord> paints;
std::vector<std::pair<HWND, HRGN>> ncPaints;

HRGN CopyOf(HRGN region)
{
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(copy, region, nullptr, RGN_COPY);
    return copy;
}

// Paints its client area in the colour kept in its user data; WM_PRINTCLIENT likewise.
LRESULT PainterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto colour = static_cast<COLORREF>(GetWindowLongPtr(hwnd, GWL_USERDATA));
    if (message == WM_PAINT) {
        Log().Add(Received{hwnd, message, wParam, lParam});
        HRGN update = CreateRectRgn(0, 0, 0, 0);
        GetUpdateRgn(hwnd, update, FALSE);
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(ps.hdc, &ps.rcPaint, brush);
        DeleteObject(brush);
        paints.push_back(PaintRecord{hwnd, update, ps.rcPaint, ps.fErase});
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (message == WM_NCPAINT) {
        ncPaints.emplace_back(hwnd, CopyOf(reinterpret_cast<HRGN>(wParam)));
    }
    if (message == WM_PRINTCLIENT) {
        RECT client;
        GetClientRect(hwnd, &client);
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 0;
    }
    return RecorderProc(hwnd, message, wParam, lParam);
}

class PaintTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        RegisterRecorderClass();
        WNDCLASSEX painter;
        painter.lpfnWndProc = PainterProc;
        painter.lpszClassName = "Painter";
        ASSERT_NE(RegisterClassEx(&painter), 0);
        WNDCLASSEX filled;
        filled.lpfnWndProc = RecorderProc;
        filled.lpszClassName = "Filled";
        filled.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        ASSERT_NE(RegisterClassEx(&filled), 0);
        paints.clear();
        ncPaints.clear();
    }

    void TearDown() override
    {
        for (const PaintRecord& record : paints) {
            DeleteObject(record.update);
        }
        for (const auto& [hwnd, region] : ncPaints) {
            DeleteObject(region);
        }
        WinTest::TearDown();
    }

    static HWND Make(const char* className, DWORD style, RECT rect, COLORREF colour, HWND parent = nullptr)
    {
        const HWND hwnd = CreateWindowEx(0, className, "", style, rect.left, rect.top, rect.right - rect.left,
                                         rect.bottom - rect.top, parent, nullptr, nullptr, nullptr);
        SetWindowLongPtr(hwnd, GWL_USERDATA, static_cast<LONG_PTR>(colour));
        return hwnd;
    }

    void Settle()
    {
        driver.Pump();
        paints.clear();
        ncPaints.clear();
        Log().Clear();
    }

    rtl::VirtualClock clock{0.0, 1000};
    rtl::ScopedClock installed{clock};
    TestDriver driver{clock};
};

TEST_F(PaintTest, InvalidationsMergeIntoOnePaintWhoseUpdateRegionIsTheirUnion)
{
    const HWND hwnd = Make("Painter", WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 100}, Blue);
    Settle();
    SetWindowLongPtr(hwnd, GWL_USERDATA, static_cast<LONG_PTR>(Red));
    const RECT first{10, 10, 30, 30};
    const RECT second{50, 20, 80, 40};
    const RECT third{20, 20, 40, 25};
    InvalidateRect(hwnd, &first, TRUE);
    InvalidateRect(hwnd, &second, FALSE);
    InvalidateRect(hwnd, &third, FALSE);
    EXPECT_NE(GetQueueStatus(QS_PAINT) & QS_PAINT, 0u);
    driver.Pump();

    ASSERT_EQ(paints.size(), 1u);
    HRGN expected = CreateRectRgnIndirect(&first);
    HRGN other = CreateRectRgnIndirect(&second);
    CombineRgn(expected, expected, other, RGN_OR);
    SetRectRgn(other, third.left, third.top, third.right, third.bottom);
    CombineRgn(expected, expected, other, RGN_OR);
    EXPECT_TRUE(EqualRgn(paints[0].update, expected));
    EXPECT_EQ(paints[0].rcPaint, (RECT{10, 10, 80, 40}));
    EXPECT_EQ(TestDriver::PixelAt(hwnd, 15, 15), Red);
    EXPECT_EQ(TestDriver::PixelAt(hwnd, 45, 15), Blue) << "inside the bounds but outside the union: not painted";
    EXPECT_EQ(TestDriver::PixelAt(hwnd, 79, 39), Red);
    RECT left;
    EXPECT_FALSE(GetUpdateRect(hwnd, &left, FALSE));
    EXPECT_EQ(GetQueueStatus(QS_PAINT) & QS_PAINT, 0u);
    DeleteObject(expected);
    DeleteObject(other);
}

TEST_F(PaintTest, NonClientPaintGetsTheUpdateRegionOnTheScreen)
{
    const HWND hwnd = Make("Painter", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 400, 300}, Blue);
    Settle();
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    const RECT crossing{-10, -10, 20, 20};  // client coordinates, reaching into the frame
    RedrawWindow(hwnd, &crossing, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
    driver.Pump();
    ASSERT_EQ(ncPaints.size(), 1u);
    // The invalid rectangle on the screen, cut to the window rectangle (its left part lies outside).
    ASSERT_LT(origin.x - 10, 100);
    HRGN expected = CreateRectRgn(100, origin.y - 10, origin.x + 20, origin.y + 20);
    EXPECT_TRUE(EqualRgn(ncPaints[0].second, expected));
    ASSERT_EQ(paints.size(), 1u);
    HRGN client = CreateRectRgn(0, 0, 20, 20);
    EXPECT_TRUE(EqualRgn(paints[0].update, client));
    const std::vector<std::pair<HWND, UINT>> order = {{hwnd, WM_PAINT}, {hwnd, WM_NCPAINT}, {hwnd, WM_ERASEBKGND}};
    EXPECT_EQ(Log().Only({WM_PAINT, WM_NCPAINT, WM_ERASEBKGND}), order);
    EXPECT_TRUE(paints[0].fErase) << "no class brush: the background is still to be erased";

    Settle();
    const RECT inside{5, 5, 10, 10};
    InvalidateRect(hwnd, &inside, FALSE);
    driver.Pump();
    EXPECT_TRUE(ncPaints.empty()) << "a client invalidation leaves the frame alone";
    DeleteObject(expected);
    DeleteObject(client);
}

TEST_F(PaintTest, ScrollWindowExInvalidatesExactlyTheUncoveredStrip)
{
    const HWND hwnd = Make("Painter", WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100}, Blue);
    Settle();
    const HDC dc = GetDC(hwnd);
    const RECT top{0, 0, 100, 10};
    HBRUSH red = CreateSolidBrush(Red);
    FillRect(dc, &top, red);
    DeleteObject(red);
    ReleaseDC(hwnd, dc);
    const RECT pending{10, 50, 20, 60};
    InvalidateRect(hwnd, &pending, FALSE);

    HRGN uncovered = CreateRectRgn(0, 0, 0, 0);
    RECT bounds;
    EXPECT_EQ(ScrollWindowEx(hwnd, 0, -10, nullptr, nullptr, uncovered, &bounds, SW_INVALIDATE), SIMPLEREGION);
    HRGN strip = CreateRectRgn(0, 90, 100, 100);
    EXPECT_TRUE(EqualRgn(uncovered, strip));
    EXPECT_EQ(bounds, (RECT{0, 90, 100, 100}));
    EXPECT_EQ(TestDriver::PixelAt(hwnd, 50, 0), Blue) << "the red band moved out at the top";
    EXPECT_EQ(TestDriver::PixelAt(hwnd, 50, 85), Blue);

    HRGN update = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(hwnd, update, FALSE);
    HRGN expected = CreateRectRgn(10, 40, 20, 50);  // the pending part, moved with its pixels
    CombineRgn(expected, expected, strip, RGN_OR);
    EXPECT_TRUE(EqualRgn(update, expected));
    for (HRGN region : {uncovered, strip, update, expected}) {
        DeleteObject(region);
    }
}

TEST_F(PaintTest, AWindowRegionLimitsPaintingAndHitTesting)
{
    const HWND below = Make("Recorder", WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 200}, Blue);
    const HWND above = Make("Recorder", WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100}, Red);
    SetWindowPos(above, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_TRUE(SetWindowRgn(above, CreateEllipticRgn(0, 0, 101, 101), TRUE));
    EXPECT_EQ(WindowFromPoint(POINT{50, 50}), above);
    EXPECT_EQ(WindowFromPoint(POINT{3, 3}), below) << "outside the ellipse the window below is hit";
    Fill(above, Red);
    EXPECT_EQ(TestDriver::PixelAt(above, 50, 50), Red);
    EXPECT_EQ(TestDriver::PixelAt(above, 3, 3), RGB(0, 0, 0)) << "outside the ellipse nothing is drawn";
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(above, copy), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(copy, 50, 50));
    EXPECT_EQ(GetWindowRgn(below, copy), ERROR);
    DeleteObject(copy);
}

TEST_F(PaintTest, DeviceContextsHonourClipChildrenAndClipSiblings)
{
    const HWND clipping = Make("Recorder", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, RECT{0, 0, 100, 100}, 0);
    Make("Recorder", WS_CHILD | WS_VISIBLE, RECT{10, 10, 50, 50}, 0, clipping);
    const HWND plain = Make("Recorder", WS_POPUP | WS_VISIBLE, RECT{200, 0, 300, 100}, 0);
    const HWND lower = Make("Recorder", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, RECT{10, 10, 50, 50}, 0, plain);
    const HWND upper = Make("Recorder", WS_CHILD | WS_VISIBLE, RECT{30, 30, 70, 70}, 0, plain);
    SetWindowPos(upper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Fill(clipping, Red);
    EXPECT_EQ(TestDriver::PixelAt(clipping, 5, 5), Red);
    EXPECT_NE(TestDriver::PixelAt(clipping, 20, 20), Red) << "the child is left out";
    Fill(plain, Red);
    EXPECT_EQ(TestDriver::PixelAt(plain, 20, 20), Red) << "without WS_CLIPCHILDREN the parent draws over children";
    Fill(lower, Green);
    EXPECT_EQ(TestDriver::PixelAt(lower, 5, 5), Green);
    EXPECT_EQ(TestDriver::PixelAt(lower, 25, 25), Red) << "the sibling above is left out";
    EXPECT_EQ(WindowFromDC(GetDC(upper)), upper);
}

TEST_F(PaintTest, ClassBackgroundErasesAndSetRedrawHoldsPaintingBack)
{
    const HWND hwnd = Make("Filled", WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50}, 0);
    driver.Pump();
    EXPECT_EQ(TestDriver::PixelAt(hwnd, 10, 10), GetSysColor(COLOR_WINDOW));
    Log().Clear();
    SendMessage(hwnd, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
    driver.Pump();
    EXPECT_TRUE(Log().Only({WM_PAINT}).empty());
    SendMessage(hwnd, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(Log().Only({WM_PAINT, WM_ERASEBKGND}),
              (std::vector<std::pair<HWND, UINT>>{{hwnd, WM_PAINT}, {hwnd, WM_ERASEBKGND}}));
}

TEST_F(PaintTest, PrintDrawsTheWindowAndItsChildrenIntoAnyDeviceContext)
{
    const HWND parent = Make("Painter", WS_POPUP, RECT{0, 0, 100, 60}, Blue);
    Make("Painter", WS_CHILD | WS_VISIBLE, RECT{20, 10, 40, 30}, Green, parent);
    const HDC memory = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(memory, 100, 60);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessage(parent, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_CHILDREN);
    EXPECT_EQ(GetPixel(memory, 5, 5), Blue);
    EXPECT_EQ(GetPixel(memory, 25, 15), Green);
    EXPECT_EQ(GetPixel(memory, 45, 15), Blue);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

}  // namespace
}  // namespace wintest

namespace wintest {
namespace {

using namespace win;

class MonitorEnumTest : public WinTest {};

BOOL CollectMonitor(HMONITOR, HDC, RECT* rect, LPARAM data)
{
    reinterpret_cast<std::vector<RECT>*>(data)->push_back(*rect);
    return TRUE;
}

TEST_F(MonitorEnumTest, MonitorsAreListedWhereTheyMeetTheClipAndTheDeviceContext)
{
    SetMonitors({MonitorLayout{RECT{0, 0, 1024, 768}, RECT{0, 0, 1024, 738}},
                 MonitorLayout{RECT{1024, 0, 2048, 768}, RECT{1024, 0, 2048, 768}}});
    std::vector<RECT> met;
    ASSERT_TRUE(EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&met)));
    EXPECT_EQ(met, (std::vector<RECT>{{0, 0, 1024, 768}, {1024, 0, 2048, 768}}));
    met.clear();
    const RECT clip{1000, 10, 1100, 20};
    EnumDisplayMonitors(nullptr, &clip, CollectMonitor, reinterpret_cast<LPARAM>(&met));
    EXPECT_EQ(met, (std::vector<RECT>{{1000, 10, 1024, 20}, {1024, 10, 1100, 20}}));

    RegisterRecorderClass();
    const HWND hwnd = CreateWindowEx(0, "Recorder", "", WS_POPUP | WS_VISIBLE, 1000, 100, 100, 50, nullptr, nullptr,
                                     nullptr, nullptr);
    const HDC dc = GetDC(hwnd);
    met.clear();
    EnumDisplayMonitors(dc, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&met));
    EXPECT_EQ(met, (std::vector<RECT>{{0, 0, 24, 50}, {24, 0, 100, 50}})) << "in the window's client coordinates";
    ReleaseDC(hwnd, dc);
}

}  // namespace
}  // namespace wintest
