#pragma once
// The system functions the controls bind by name at start-up, each of which may be missing: the
// gradient and blending routines, window animation, layered windows, the monitor functions and the
// visual-styles library. controls::initialize() fills one table from the platform layer (the
// visual-styles library does not exist here); tests start the library with a table of their own to
// reach the paths that a missing routine or a present theme library takes.

#include "platform/gdi/Blit.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/Desktop.h"
#include "platform/win/Layered.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Types.h"

#include <cstdint>

namespace controls {

using HTHEME = win::HANDLE;
using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);

// The visual-styles library: the entry points the theme binding calls.
struct TuxThemeLibrary {
    HTHEME (*OpenThemeData)(win::HWND window, const char16_t* classList) = nullptr;
    HRESULT (*CloseThemeData)(HTHEME theme) = nullptr;
    HRESULT (*DrawThemeBackground)(HTHEME theme, win::HDC dc, int part, int state, const win::RECT* rect,
                                   const win::RECT* clip) = nullptr;
    HRESULT (*DrawThemeText)(HTHEME theme, win::HDC dc, int part, int state, const char16_t* text, int count,
                             win::DWORD flags, win::DWORD flags2, const win::RECT* rect) = nullptr;
    HRESULT (*GetThemeBackgroundContentRect)(HTHEME theme, win::HDC dc, int part, int state,
                                             const win::RECT* bounds, win::RECT* content) = nullptr;
    HRESULT (*GetThemePartSize)(HTHEME theme, win::HDC dc, int part, int state, const win::RECT* rect,
                                int sizeKind, win::SIZE* size) = nullptr;
    HRESULT (*GetThemeBackgroundRegion)(HTHEME theme, win::HDC dc, int part, int state, const win::RECT* rect,
                                        win::HRGN* region) = nullptr;
    HRESULT (*DrawThemeEdge)(HTHEME theme, win::HDC dc, int part, int state, const win::RECT* rect,
                             win::UINT edge, win::UINT flags, win::RECT* content) = nullptr;
    win::BOOL (*IsThemeBackgroundPartiallyTransparent)(HTHEME theme, int part, int state) = nullptr;
    HRESULT (*DrawThemeParentBackground)(win::HWND window, win::HDC dc, const win::RECT* rect) = nullptr;
    HRESULT (*GetThemeColor)(HTHEME theme, int part, int state, int property, win::COLORREF* color) = nullptr;
    HRESULT (*GetCurrentThemeName)(char16_t* fileName, int fileNameLength, char16_t* colorName,
                                   int colorNameLength, char16_t* sizeName, int sizeNameLength) = nullptr;
    win::BOOL (*IsThemeActive)() = nullptr;
    win::HANDLE (*BeginBufferedPaint)(win::HDC target, const win::RECT* rect, int format, const void* params,
                                      win::HDC* paintDC) = nullptr;
    HRESULT (*EndBufferedPaint)(win::HANDLE paint, win::BOOL updateTarget) = nullptr;
    HRESULT (*BufferedPaintSetAlpha)(win::HANDLE paint, const win::RECT* rect, win::BYTE alpha) = nullptr;
};

struct TclEntryPoints {
    decltype(&win::GradientFill) GradientFill = nullptr;
    decltype(&win::AlphaBlend) AlphaBlend = nullptr;
    decltype(&win::AnimateWindow) AnimateWindow = nullptr;
    decltype(&win::UpdateLayeredWindow) UpdateLayeredWindow = nullptr;
    decltype(&win::SetLayeredWindowAttributes) SetLayeredWindowAttributes = nullptr;
    decltype(&win::MonitorFromWindow) MonitorFromWindow = nullptr;
    decltype(&win::MonitorFromPoint) MonitorFromPoint = nullptr;
    decltype(&win::MonitorFromRect) MonitorFromRect = nullptr;
    decltype(&win::GetMonitorInfo) GetMonitorInfo = nullptr;
    // Null: the visual-styles library could not be loaded.
    const TuxThemeLibrary* ThemeLibrary = nullptr;
};

// What this system offers: every routine but the visual-styles library.
TclEntryPoints PlatformEntryPoints();

// The table in force (empty outside initialize() .. finalize()).
const TclEntryPoints& clEntryPoints();

namespace detail {
void SetEntryPoints(const TclEntryPoints& entries);
}

}  // namespace controls
