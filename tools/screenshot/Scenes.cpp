#include "Scenes.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/win/Layered.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Messages.h"

#include <cstdint>

namespace screenshot {

namespace {

constexpr const char* SceneClass = "ScreenshotScene";

// Paints the client area in its colour (the window's user data) with darker stripes.
win::LRESULT SceneProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    if (message != win::WM_PAINT) {
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    }
    win::PAINTSTRUCT paint;
    const win::HDC dc = win::BeginPaint(hwnd, &paint);
    win::RECT client;
    win::GetClientRect(hwnd, &client);
    const auto color = static_cast<win::COLORREF>(win::GetWindowLongPtr(hwnd, win::GWLP_USERDATA));
    const win::HBRUSH ground = win::CreateSolidBrush(color);
    const win::HBRUSH stripe = win::CreateSolidBrush(win::RGB(win::GetRValue(color) / 2, win::GetGValue(color) / 2,
                                                              win::GetBValue(color) / 2));
    win::FillRect(dc, &client, ground);
    for (int y = 0; y < client.bottom; y += 20) {
        const win::RECT band{0, y, client.right, y + 4};
        win::FillRect(dc, &band, stripe);
    }
    win::DeleteObject(ground);
    win::DeleteObject(stripe);
    win::EndPaint(hwnd, &paint);
    return 0;
}

win::HWND Make(const char* title, win::DWORD style, win::DWORD exStyle, int x, int y, int width, int height,
               win::COLORREF color, win::HWND owner = nullptr)
{
    const win::HWND hwnd =
        win::CreateWindowEx(exStyle, SceneClass, title, style, x, y, width, height, owner, nullptr, nullptr, nullptr);
    win::SetWindowLongPtr(hwnd, win::GWLP_USERDATA, static_cast<win::LONG_PTR>(color));
    win::ShowWindow(hwnd, win::SW_SHOWNOACTIVATE);
    win::UpdateWindow(hwnd);
    return hwnd;
}

// A shadow strip whose alpha falls from 160 to 0 down its height, as UpdateLayeredWindow takes it.
void ShadowPicture(win::HWND hwnd, int width, int height)
{
    win::BITMAPINFO info{};
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const win::HDC memory = win::CreateCompatibleDC(nullptr);
    const win::HBITMAP bitmap = win::CreateDIBSection(memory, &info, win::DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t alpha = static_cast<std::uint32_t>(160 * (height - y) / height);
        for (int x = 0; x < width; ++x) {
            pixels[y * width + x] = alpha << 24;  // black, premultiplied
        }
    }
    const win::HGDIOBJ old = win::SelectObject(memory, bitmap);
    const win::SIZE size{width, height};
    const win::POINT from{0, 0};
    win::BLENDFUNCTION blend;
    blend.SourceConstantAlpha = 255;
    blend.AlphaFormat = win::AC_SRC_ALPHA;
    win::UpdateLayeredWindow(hwnd, nullptr, nullptr, &size, memory, &from, 0, &blend, win::ULW_ALPHA);
    win::SelectObject(memory, old);
    win::DeleteObject(bitmap);
    win::DeleteDC(memory);
}

}  // namespace

win::HWND MakeScene(const std::string& name)
{
    win::WNDCLASSEX windowClass;
    if (!win::GetClassInfoEx(nullptr, SceneClass, &windowClass)) {
        windowClass.lpfnWndProc = SceneProc;
        windowClass.lpszClassName = SceneClass;
        win::RegisterClassEx(&windowClass);
    }
    const win::DWORD popup = win::WS_POPUP | win::WS_BORDER;
    if (name == "frames") {
        const win::HWND main = Make("Frames", win::WS_OVERLAPPEDWINDOW, 0, 40, 40, 320, 200, win::RGB(200, 220, 240));
        Make("Dialog", win::WS_POPUP | win::WS_CAPTION | win::WS_SYSMENU | win::WS_DLGFRAME, 0, 120, 120, 200, 120,
             win::RGB(236, 233, 216), main);
        Make("Tool", win::WS_OVERLAPPEDWINDOW, win::WS_EX_TOOLWINDOW, 380, 60, 160, 100, win::RGB(220, 240, 200), main);
        return main;
    }
    if (name == "layered") {
        const win::HWND main = Make("Layered", win::WS_OVERLAPPEDWINDOW, 0, 40, 40, 320, 200, win::RGB(240, 240, 240));
        const win::HWND half = Make("", popup, win::WS_EX_LAYERED, 100, 100, 120, 80, win::RGB(200, 30, 30), main);
        win::SetLayeredWindowAttributes(half, 0, 128, win::LWA_ALPHA);
        win::UpdateWindow(half);
        const win::HWND shadow = Make("", win::WS_POPUP, win::WS_EX_LAYERED, 60, 240, 200, 16, 0, main);
        ShadowPicture(shadow, 200, 16);
        return main;
    }
    if (name == "regions") {
        const win::HWND main = Make("Regions", win::WS_OVERLAPPEDWINDOW, 0, 40, 40, 320, 200, win::RGB(240, 240, 240));
        const win::HWND ellipse = Make("", win::WS_POPUP, 0, 100, 100, 120, 80, win::RGB(30, 120, 200), main);
        win::SetWindowRgn(ellipse, win::CreateEllipticRgn(0, 0, 120, 80), win::TRUE);
        const win::HWND hint = Make("", popup, win::WS_EX_TOOLWINDOW, 200, 180, 140, 40, win::RGB(255, 255, 225), main);
        win::SetWindowRgn(hint, win::CreateRoundRectRgn(0, 0, 141, 41, 12, 12), win::TRUE);
        return main;
    }
    return nullptr;
}

}  // namespace screenshot
