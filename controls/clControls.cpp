#include "controls/clControls.h"

#include "controls/clEntryPoints.h"

#include "platform/gdi/SystemInfo.h"
#include "platform/gui/Application.h"
#include "platform/gui/Form.h"
#include "platform/gui/Frame.h"
#include "platform/gui/Screen.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include <cstdlib>

namespace controls {

win::POINT clGetCursorScreenPos()
{
    win::POINT point{};
    if (!win::GetCursorPos(&point)) {
        return {-1, -1};
    }
    return point;
}

win::RECT clGetWorkAreaAtPoint(win::POINT point)
{
    const TclEntryPoints& entries = clEntryPoints();
    if (entries.MonitorFromPoint && entries.GetMonitorInfo) {
        win::MONITORINFO info;
        if (entries.GetMonitorInfo(entries.MonitorFromPoint(point, win::MONITOR_DEFAULTTONEAREST), &info)) {
            return info.rcWork;
        }
    }
    win::RECT work{};
    win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

int clRunDragDetectLoop(win::HWND window)
{
    const int threshold = gui::Mouse()->DragThreshold();
    const win::POINT center = clGetCursorScreenPos();
    const win::RECT square{center.x - threshold, center.y - threshold, center.x + threshold, center.y + threshold};
    win::SetCapture(window);
    int result = 2;
    for (;;) {
        if (win::GetCapture() != window) {
            break;
        }
        win::MSG msg{};
        const win::BOOL got = win::GetMessage(&msg, nullptr, 0, 0);
        if (got == -1) {
            break;
        }
        if (got == 0) {
            win::PostQuitMessage(int(msg.wParam));
            break;
        }
        bool done = false;
        switch (msg.message) {
        case win::WM_MOUSEMOVE:
            if (msg.hwnd == window) {
                win::POINT p{win::GET_X_LPARAM(msg.lParam), win::GET_Y_LPARAM(msg.lParam)};
                win::ClientToScreen(window, &p);
                if (!clRectContainsPoint(square, p)) {
                    result = 1;
                    done = true;
                }
            }
            break;
        case win::WM_LBUTTONUP:
        case win::WM_RBUTTONUP:
        case win::WM_MBUTTONUP:
            result = 0;
            done = true;
            break;
        case win::WM_KEYDOWN:
        case win::WM_KEYUP:
            if (msg.wParam == win::VK_ESCAPE) {
                result = 2;
                done = true;
            }
            break;
        default: break;
        }
        if (done) {
            break;
        }
        win::TranslateMessage(&msg);
        win::DispatchMessage(&msg);
    }
    if (win::GetCapture() == window) {
        win::ReleaseCapture();
    }
    return result;
}

bool clWithinDragThreshold(win::POINT pressPoint, win::POINT point)
{
    const int threshold = gui::Mouse()->DragThreshold();
    return std::abs(point.x - pressPoint.x) < threshold && std::abs(point.y - pressPoint.y) < threshold;
}

bool clCtrlKeyDown() { return win::GetAsyncKeyState(win::VK_CONTROL) < 0; }

bool clIsAncestorWindow(win::HWND owner, win::HWND window)
{
    if (!owner) {
        return false;
    }
    for (win::HWND w = window; w; w = win::GetParent(w)) {
        if (w == owner) {
            return true;
        }
    }
    return false;
}

bool clIsSameOrChildWindow(win::HWND parent, win::HWND window)
{
    return parent && (parent == window || win::IsChild(parent, window));
}

bool clHasChildStyle(win::HWND window) { return (win::GetWindowLong(window, win::GWL_STYLE) & win::WS_CHILD) != 0; }

win::POINT clMapPointBetweenWindows(win::HWND from, win::HWND to, win::POINT point)
{
    win::MapWindowPoints(from, to, &point, 1);
    return point;
}

win::RECT clMapRectBetweenWindows(win::HWND from, win::HWND to, const win::RECT& rect)
{
    const win::POINT topLeft = clMapPointBetweenWindows(from, to, {rect.left, rect.top});
    const win::POINT bottomRight = clMapPointBetweenWindows(from, to, {rect.right, rect.bottom});
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

std::string clStripHotkeyPrefixes(const std::string& text, bool lastAsUnderscore)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            result += text[i];
        } else if (i + 1 < text.size()) {
            result += text[++i];
        } else if (lastAsUnderscore) {
            result += '_';
        }
    }
    return result;
}

unsigned clShiftToMouseKeyFlags(gui::TShiftState shift)
{
    unsigned flags = 0;
    if (gui::Has(shift, gui::ssShift)) {
        flags |= win::MK_SHIFT;
    }
    if (gui::Has(shift, gui::ssCtrl)) {
        flags |= win::MK_CONTROL;
    }
    if (gui::Has(shift, gui::ssLeft)) {
        flags |= win::MK_LBUTTON;
    }
    if (gui::Has(shift, gui::ssRight)) {
        flags |= win::MK_RBUTTON;
    }
    if (gui::Has(shift, gui::ssMiddle)) {
        flags |= win::MK_MBUTTON;
    }
    return flags;
}

bool clCanAllocateHandle(gui::TWinControl* control)
{
    if (control->HandleAllocated()) {
        return true;
    }
    if (control->HasState(classes::csDestroying)) {
        return false;
    }
    if (control->ParentWindow()) {
        return true;
    }
    if (control->Parent()) {
        return clCanAllocateHandle(control->Parent());
    }
    const bool formOrFrame = dynamic_cast<gui::TCustomForm*>(control) || dynamic_cast<gui::TCustomFrame*>(control);
    return formOrFrame && gui::Application() && gui::Application()->Handle();
}

unsigned clDoubleClickTime() { return win::GetDoubleClickTime(); }

}  // namespace controls
