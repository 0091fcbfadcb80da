#include "platform/gdi/DeviceContext.h"
#include "platform/gui/graphics/ControlCanvas.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"

#include "tests/platform/gui/graphics/GuiFixture.h"

#include <memory>
#include <vector>

namespace {

// A control of the simplest kind: a window of its own, whose device context it gives out.
class WindowControl : public gui::TCanvasControl {
public:
    WindowControl()
    {
        window = win::CreateWindowEx(0, "Plain", "", win::WS_POPUP | win::WS_VISIBLE, 0, 0, 40, 30, nullptr, nullptr,
                                     nullptr, nullptr);
    }
    ~WindowControl() { win::DestroyWindow(window); }
    win::HDC GetDeviceContext(win::HWND& windowOut) override
    {
        ++given;
        windowOut = window;
        return win::GetDC(window);
    }
    win::HWND window = nullptr;
    int given = 0;
};

class ControlCanvasTest : public guitest::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        win::WNDCLASSEX windowClass;
        windowClass.lpfnWndProc = win::DefWindowProc;
        windowClass.lpszClassName = "Plain";
        ASSERT_NE(win::RegisterClassEx(&windowClass), 0);
    }
};

TEST_F(ControlCanvasTest, DrawsOnTheControlsWindowThroughTheContextItGives)
{
    WindowControl control;
    gui::TControlCanvas canvas;
    canvas.SetControl(&control);
    canvas.Brush()->SetColor(gui::clRed);
    canvas.FillRect(win::RECT{2, 3, 10, 8});
    EXPECT_EQ(control.given, 1);
    canvas.FillRect(win::RECT{10, 3, 12, 8});
    EXPECT_EQ(control.given, 1);  // kept between calls
    win::HDC check = win::GetDC(control.window);
    EXPECT_EQ(win::GetPixel(check, 2, 3), win::RGB(255, 0, 0));
    EXPECT_EQ(win::GetPixel(check, 11, 7), win::RGB(255, 0, 0));
    EXPECT_NE(win::GetPixel(check, 12, 7), win::RGB(255, 0, 0));
    win::ReleaseDC(control.window, check);
    canvas.FreeHandle();
    EXPECT_FALSE(canvas.HandleAllocated());
    canvas.FillRect(win::RECT{0, 0, 1, 1});
    EXPECT_EQ(control.given, 2);
}

// At most four canvases keep a context; the oldest that is not locked gives its back first.
TEST_F(ControlCanvasTest, FewContextsAreKeptAndLockedCanvasesKeepTheirs)
{
    std::vector<std::unique_ptr<WindowControl>> controls;
    std::vector<std::unique_ptr<gui::TControlCanvas>> canvases;
    for (int i = 0; i < 6; ++i) {
        controls.push_back(std::make_unique<WindowControl>());
        canvases.push_back(std::make_unique<gui::TControlCanvas>());
        canvases.back()->SetControl(controls.back().get());
    }
    canvases[0]->Lock();
    for (int i = 0; i < 5; ++i) {
        canvases[std::size_t(i)]->Pixels(0, 0);
    }
    EXPECT_TRUE(canvases[0]->HandleAllocated());  // locked
    EXPECT_FALSE(canvases[1]->HandleAllocated());  // the oldest unlocked one
    for (int i = 2; i < 5; ++i) {
        EXPECT_TRUE(canvases[std::size_t(i)]->HandleAllocated()) << i;
    }
    gui::FreeDeviceContexts();
    EXPECT_TRUE(canvases[0]->HandleAllocated());
    for (int i = 1; i < 5; ++i) {
        EXPECT_FALSE(canvases[std::size_t(i)]->HandleAllocated()) << i;
    }
    canvases[0]->Unlock();
    gui::FreeDeviceContexts();
    EXPECT_FALSE(canvases[0]->HandleAllocated());
    gui::TControlCanvas orphan;
    EXPECT_THROW(orphan.Pixels(0, 0), rtl::EInvalidOperation);
}

}  // namespace
