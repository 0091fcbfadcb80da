#include "WinFixture.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/win/Activation.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/win/Layered.h"
#include "platform/win/Paint.h"
#include "platform/win/detail/Layered.h"
#include "platform/win/testing/TestDriver.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

namespace wintest {
namespace {

using namespace win;
using namespace win::detail;

class LayeredTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        RegisterRecorderClass();
    }

    rtl::VirtualClock clock{0.0, 1000};
    rtl::ScopedClock installed{clock};
    TestDriver driver{clock};
};

TEST_F(LayeredTest, AttributesNeedALayeredWindow)
{
    const HWND plain = MakeWindow(WS_POPUP | WS_VISIBLE);
    EXPECT_FALSE(SetLayeredWindowAttributes(plain, 0, 128, LWA_ALPHA));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    const HWND layered = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, "", WS_EX_LAYERED);
    ASSERT_TRUE(SetLayeredWindowAttributes(layered, RGB(1, 2, 3), 128, LWA_ALPHA | LWA_COLORKEY));
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(layered, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(1, 2, 3));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(flags, LWA_ALPHA | LWA_COLORKEY);
    LayeredState state;
    ASSERT_TRUE(GetLayeredState(layered, state));
    EXPECT_TRUE(state.layered);
    EXPECT_EQ(state.alpha, 128);
}

TEST_F(LayeredTest, UpdateLayeredWindowPlacesThePictureAndReplacesPainting)
{
    const HWND hwnd = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, "", WS_EX_LAYERED);
    driver.Pump();
    const HDC memory = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(memory, 40, 30);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    const RECT all{0, 0, 40, 30};
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(memory, &all, green);
    DeleteObject(green);
    const POINT to{10, 20};
    const SIZE size{40, 30};
    const POINT from{0, 0};
    BLENDFUNCTION blend;
    blend.SourceConstantAlpha = 200;
    ASSERT_TRUE(UpdateLayeredWindow(hwnd, nullptr, &to, &size, memory, &from, 0, &blend, ULW_ALPHA));
    RECT rect;
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect, (RECT{10, 20, 50, 50}));
    EXPECT_EQ(TestDriver::PixelAt(hwnd, 39, 29), RGB(0, 255, 0));
    LayeredState state;
    GetLayeredState(hwnd, state);
    EXPECT_TRUE(state.updated);
    EXPECT_EQ(state.alpha, 200);
    Log().Clear();
    InvalidateRect(hwnd, nullptr, TRUE);
    driver.Pump();
    EXPECT_TRUE(Log().Only({WM_PAINT}).empty()) << "the picture is the window's appearance";
    EXPECT_FALSE(SetLayeredWindowAttributes(hwnd, 0, 10, LWA_ALPHA));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(LayeredTest, ClearingTheLayeredStyleDropsTheAttributesAndTheWindowIsPaintedAgain)
{
    // Faded and keyed, then plain: made layered again, it is neither.
    const HWND faded = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, "", WS_EX_LAYERED);
    ASSERT_TRUE(SetLayeredWindowAttributes(faded, RGB(1, 2, 3), 100, LWA_ALPHA | LWA_COLORKEY));
    SetWindowLongPtr(faded, GWL_EXSTYLE, 0);
    LayeredState state;
    ASSERT_TRUE(GetLayeredState(faded, state));
    EXPECT_FALSE(state.layered);
    EXPECT_EQ(state.alpha, 255) << "a plain window is opaque";
    SetWindowLongPtr(faded, GWL_EXSTYLE, WS_EX_LAYERED);
    ASSERT_TRUE(GetLayeredState(faded, state));
    EXPECT_EQ(state.alpha, 255);
    EXPECT_EQ(state.flags, 0u);

    // A window showing UpdateLayeredWindow's picture is painted once it is plain again.
    const HWND pictured = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, "", WS_EX_LAYERED);
    driver.Pump();
    BLENDFUNCTION blend;
    blend.SourceConstantAlpha = 128;
    ASSERT_TRUE(UpdateLayeredWindow(pictured, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA));
    Log().Clear();
    SetWindowLongPtr(pictured, GWL_EXSTYLE, 0);
    driver.Pump();
    EXPECT_FALSE(Log().Only({WM_PAINT}).empty());
    ASSERT_TRUE(GetLayeredState(pictured, state));
    EXPECT_FALSE(state.updated);
    SetWindowLongPtr(pictured, GWL_EXSTYLE, WS_EX_LAYERED);
    EXPECT_TRUE(SetLayeredWindowAttributes(pictured, 0, 10, LWA_ALPHA)) << "no picture is left to keep it from them";
}

TEST_F(LayeredTest, AnimateWindowIsInstantUnlessATestStepsIt)
{
    const HWND hwnd = CreateWindowEx(0, "Recorder", "", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(AnimateWindow(hwnd, 200, AW_BLEND | AW_ACTIVATE));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetActiveWindow(), hwnd);
    EXPECT_FALSE(AnimateWindow(hwnd, 200, AW_BLEND)) << "shown already";
    EXPECT_FALSE(AnimateWindow(hwnd, 200, AW_HIDE));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER) << "no kind of animation";

    std::vector<LONG> edges;
    std::vector<int> alphas;
    bool hiding = true;
    SetAnimationStepper([&](HWND animated, int frame, int frames) {
        LayeredState state;
        GetLayeredState(animated, state);
        edges.push_back(state.shown.right);
        alphas.push_back(state.alpha);
        EXPECT_EQ(IsWindowVisible(animated) != FALSE, !hiding || frame < frames) << "hidden after the last frame";
    });
    ASSERT_TRUE(AnimateWindow(hwnd, 50, AW_HIDE | AW_SLIDE | AW_HOR_POSITIVE));
    EXPECT_EQ(edges, (std::vector<LONG>{80, 60, 40, 20, 100}));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    edges.clear();
    hiding = false;
    ASSERT_TRUE(AnimateWindow(hwnd, 30, AW_BLEND));
    EXPECT_EQ(alphas.size(), 8u);
    EXPECT_EQ(std::vector<int>(alphas.begin() + 5, alphas.end()), (std::vector<int>{85, 170, 255}));
}

}  // namespace
}  // namespace wintest
