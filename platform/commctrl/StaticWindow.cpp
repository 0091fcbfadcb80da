// The STATIC window class: text drawn by DrawText in the colours and brush of the parent's
// WM_CTLCOLORSTATIC answer, or a bitmap (SS_BITMAP). Without SS_NOTIFY it is transparent to the mouse,
// so a click on it reaches the window below.

#include "platform/gdi/Blit.h"
#include "platform/commctrl/detail/StandardClasses.h"
#include "platform/commctrl/detail/WindowState.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/text/DrawText.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"

namespace win::detail {

// Named apart: the library is compiled in unity sources.
namespace statics {

struct StaticState {
    win::HFONT font = nullptr;
    win::HBITMAP bitmap = nullptr;
};

StaticState* StateOf(win::HWND hwnd)
{
    return reinterpret_cast<StaticState*>(win::GetWindowLongPtr(hwnd, 0));
}

win::DWORD StyleOf(win::HWND hwnd)
{
    return win::DWORD(win::GetWindowLongPtr(hwnd, win::GWL_STYLE));
}

void PaintBitmap(win::HDC dc, win::HBITMAP bitmap)
{
    win::BITMAP info{};
    if (!bitmap || !win::GetObject(bitmap, sizeof info, &info)) {
        return;
    }
    win::HDC source = win::CreateCompatibleDC(dc);
    const win::HGDIOBJ old = win::SelectObject(source, bitmap);
    win::BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, win::SRCCOPY);
    win::SelectObject(source, old);
    win::DeleteDC(source);
}

void Paint(win::HWND hwnd, const StaticState& state)
{
    win::PAINTSTRUCT paint;
    win::HDC dc = win::BeginPaint(hwnd, &paint);
    win::RECT client{};
    win::GetClientRect(hwnd, &client);
    win::SetTextColor(dc, win::GetSysColor(win::COLOR_WINDOWTEXT));
    win::SetBkColor(dc, win::GetSysColor(win::COLOR_BTNFACE));
    win::HBRUSH brush = nullptr;
    if (win::HWND parent = win::GetParent(hwnd)) {
        brush = reinterpret_cast<win::HBRUSH>(win::SendMessage(parent, win::WM_CTLCOLORSTATIC, reinterpret_cast<win::WPARAM>(dc),
                                                               reinterpret_cast<win::LPARAM>(hwnd)));
    }
    win::FillRect(dc, &client, brush ? brush : win::GetSysColorBrush(win::COLOR_BTNFACE));
    const win::DWORD style = StyleOf(hwnd);
    if ((style & win::SS_TYPEMASK) == win::SS_BITMAP) {
        PaintBitmap(dc, state.bitmap);
    } else {
        if (!win::IsWindowEnabled(hwnd)) {
            win::SetTextColor(dc, win::GetSysColor(win::COLOR_GRAYTEXT));
        }
        const win::DWORD kind = style & win::SS_TYPEMASK;
        const win::UINT format = win::DT_WORDBREAK | win::DT_EXPANDTABS |
                                 (kind == win::SS_CENTER ? win::DT_CENTER : kind == win::SS_RIGHT ? win::DT_RIGHT : win::DT_LEFT) |
                                 ((style & win::SS_NOPREFIX) ? win::DT_NOPREFIX : 0);
        const win::HGDIOBJ oldFont = win::SelectObject(dc, state.font ? state.font : win::GetStockObject(win::SYSTEM_FONT));
        win::SetBkMode(dc, win::TRANSPARENT);
        const std::string text = win::GetWindowText(hwnd);
        win::DrawTextA(dc, text.data(), int(text.size()), &client, format);
        win::SelectObject(dc, oldFont);
    }
    win::EndPaint(hwnd, &paint);
}

void Notify(win::HWND hwnd, win::WORD code)
{
    if (win::HWND parent = win::GetParent(hwnd)) {
        const auto id = win::WORD(win::GetWindowLongPtr(hwnd, win::GWL_ID));
        win::SendMessage(parent, win::WM_COMMAND, win::MAKEWPARAM(id, code), reinterpret_cast<win::LPARAM>(hwnd));
    }
}

win::LRESULT StaticProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    StaticState* state = LiveState<StaticState>(hwnd, message);
    if (!state) {
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    }
    switch (message) {
    case win::WM_PAINT:
        Paint(hwnd, *state);
        return 0;
    case win::WM_ERASEBKGND:
        return 1;
    case win::WM_SETTEXT: {
        const win::LRESULT result = win::DefWindowProc(hwnd, message, wParam, lParam);
        win::InvalidateRect(hwnd, nullptr, true);
        return result;
    }
    case win::WM_ENABLE:
        win::InvalidateRect(hwnd, nullptr, true);
        break;
    case win::WM_SETFONT:
        state->font = reinterpret_cast<win::HFONT>(wParam);
        if (lParam) {
            win::InvalidateRect(hwnd, nullptr, true);
        }
        return 0;
    case win::WM_GETFONT:
        return reinterpret_cast<win::LRESULT>(state->font);
    case win::WM_NCHITTEST:
        return (StyleOf(hwnd) & win::SS_NOTIFY) ? win::HTCLIENT : win::HTTRANSPARENT;
    case win::WM_GETDLGCODE:
        return win::DLGC_STATIC;
    case win::WM_LBUTTONDOWN:
        if (StyleOf(hwnd) & win::SS_NOTIFY) {
            Notify(hwnd, win::STN_CLICKED);
        }
        return 0;
    case win::STM_SETIMAGE: {
        if (wParam != win::IMAGE_BITMAP) {
            return 0;
        }
        win::HBITMAP previous = state->bitmap;
        state->bitmap = reinterpret_cast<win::HBITMAP>(lParam);
        win::InvalidateRect(hwnd, nullptr, true);
        return reinterpret_cast<win::LRESULT>(previous);
    }
    case win::STM_GETIMAGE:
        return wParam == win::IMAGE_BITMAP ? reinterpret_cast<win::LRESULT>(state->bitmap) : 0;
    default:
        break;
    }
    return win::DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace statics

void RegisterStaticClass()
{
    RegisterStandardClass("STATIC", &statics::StaticProc, 0);
}

}  // namespace win::detail
