#include "WinFixture.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/WindowClass.h"

namespace wintest {

MessageLog& Log()
{
    static MessageLog log;
    return log;
}

win::LRESULT RecorderProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    Log().Add(Received{hwnd, message, wParam, lParam});
    return win::DefWindowProc(hwnd, message, wParam, lParam);
}

void RegisterRecorderClass(win::UINT classStyle)
{
    Log().Clear();
    win::WNDCLASSEX windowClass;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = RecorderProc;
    windowClass.lpszClassName = "Recorder";
    ASSERT_NE(win::RegisterClassEx(&windowClass), 0);
}

void Fill(win::HWND hwnd, win::COLORREF colour, win::DWORD flags)
{
    const win::HDC dc = win::GetDCEx(hwnd, nullptr, flags);
    win::RECT rect;
    if (flags & win::DCX_WINDOW) {
        win::GetWindowRect(hwnd, &rect);
        win::OffsetRect(&rect, -rect.left, -rect.top);
    } else {
        win::GetClientRect(hwnd, &rect);
    }
    const win::HBRUSH brush = win::CreateSolidBrush(colour);
    win::FillRect(dc, &rect, brush);
    win::DeleteObject(brush);
    win::ReleaseDC(hwnd, dc);
}

win::HWND MakeWindow(win::DWORD style, win::HWND parent, const char* text, win::DWORD exStyle)
{
    return win::CreateWindowEx(exStyle, "Recorder", text, style, 10, 20, 100, 50, parent, nullptr, nullptr, nullptr);
}

}  // namespace wintest
