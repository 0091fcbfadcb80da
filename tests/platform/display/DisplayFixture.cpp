#include "DisplayFixture.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/rtl/Rtl.h"
#include "platform/services/Services.h"
#include "platform/text/Text.h"
#include "platform/win/Input.h"
#include "platform/win/Layered.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Win.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Messages.h"
#include "tests/support/GuiLibraries.h"

#include <cstring>
#include <mutex>

namespace displaytest {

namespace {

std::mutex logMutex;
std::vector<Received> received;
win::POINT minTrack{0, 0};

win::LRESULT RecordingProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    {
        std::lock_guard lock(logMutex);
        received.push_back({hwnd, message, wParam, lParam});
    }
    if (message == win::WM_GETMINMAXINFO && minTrack.x > 0) {
        reinterpret_cast<win::MINMAXINFO*>(lParam)->ptMinTrackSize = minTrack;
        return 0;
    }
    return win::DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

bool GivePicture(win::HWND hwnd, int width, const std::vector<std::uint32_t>& pixels, win::BYTE constantAlpha)
{
    const int height = static_cast<int>(pixels.size()) / width;
    win::BITMAPINFO info{};
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const win::HDC memory = win::CreateCompatibleDC(nullptr);
    const win::HBITMAP bitmap = win::CreateDIBSection(memory, &info, win::DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        win::DeleteDC(memory);
        return false;
    }
    std::memcpy(bits, pixels.data(), pixels.size() * 4);
    const win::HGDIOBJ old = win::SelectObject(memory, bitmap);
    const win::SIZE size{width, height};
    const win::POINT from{0, 0};
    win::BLENDFUNCTION blend;
    blend.SourceConstantAlpha = constantAlpha;
    blend.AlphaFormat = win::AC_SRC_ALPHA;
    const bool given = win::UpdateLayeredWindow(hwnd, nullptr, nullptr, &size, memory, &from, 0, &blend, win::ULW_ALPHA);
    win::SelectObject(memory, old);
    win::DeleteObject(bitmap);
    win::DeleteDC(memory);
    return given;
}

void DisplayTest::SetUp()
{
    if (withGui_) {
        testsupport::StartGuiLibraries();
    } else {
        rtl::initialize();
        win::services::initialize();
        win::gdi::initialize();
        win::text::initialize();
        win::initialize();
    }
    ClearLog();
    minTrack = {0, 0};
}

void DisplayTest::TearDown()
{
    if (withGui_) {
        testsupport::EndGuiLibraries();
        return;
    }
    win::finalize();
    win::text::finalize();
    win::gdi::finalize();
    win::services::finalize();
}

win::HWND DisplayTest::MakeWindow(win::DWORD style, int x, int y, int width, int height, win::HWND owner,
                                  win::DWORD exStyle, win::UINT classStyle)
{
    const char* name = classStyle ? "RecorderDbl" : "Recorder";
    win::WNDCLASSEX windowClass;
    if (!win::GetClassInfoEx(nullptr, name, &windowClass)) {
        windowClass.style = classStyle;
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.lpszClassName = name;
        win::RegisterClassEx(&windowClass);
    }
    return win::CreateWindowEx(exStyle, name, "", style, x, y, width, height, owner, nullptr, nullptr, nullptr);
}

void DisplayTest::Pump()
{
    win::MSG msg;
    while (win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE)) {
        win::TranslateMessage(&msg);
        win::DispatchMessage(&msg);
    }
}

std::vector<Received> DisplayTest::Log()
{
    std::lock_guard lock(logMutex);
    return received;
}

std::vector<Received> DisplayTest::Only(std::initializer_list<win::UINT> wanted)
{
    std::vector<Received> result;
    for (const Received& entry : Log()) {
        for (win::UINT message : wanted) {
            if (entry.message == message) {
                result.push_back(entry);
            }
        }
    }
    return result;
}

void DisplayTest::SetMinTrackSize(win::POINT size)
{
    minTrack = size;
}

void DisplayTest::ClearLog()
{
    std::lock_guard lock(logMutex);
    received.clear();
}

}  // namespace displaytest
