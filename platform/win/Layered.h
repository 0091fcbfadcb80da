#pragma once
// Layered windows (WS_EX_LAYERED): a constant alpha and a colour key over the window's painted surface,
// or a picture given whole by UpdateLayeredWindow (which then replaces painting). And AnimateWindow,
// whose frames show the window sliding, rolling, growing from the centre or fading in.
//
// The display composes what is set here: GetLayeredState tells a back end (or a test) the window's
// alpha, colour key and the part of it shown at this moment of an animation.

#include "platform/gdi/Blit.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Types.h"

#include <functional>

namespace win {

constexpr DWORD LWA_COLORKEY = 0x00000001;
constexpr DWORD LWA_ALPHA = 0x00000002;
constexpr DWORD ULW_COLORKEY = 0x00000001;
constexpr DWORD ULW_ALPHA = 0x00000002;
constexpr DWORD ULW_OPAQUE = 0x00000004;

// Both need WS_EX_LAYERED (ERROR_INVALID_PARAMETER otherwise). After UpdateLayeredWindow the
// attributes cannot be set until WS_EX_LAYERED is taken away and set again, as always.
BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags);
// Moves (destination) and sizes (size) the window, and copies size pixels of source from sourcePoint
// onto its surface. The window gets no WM_PAINT afterwards: the picture is its appearance.
BOOL UpdateLayeredWindow(HWND hwnd, HDC destination, const POINT* destinationPoint, const SIZE* size, HDC source,
                         const POINT* sourcePoint, COLORREF key, const BLENDFUNCTION* blend, DWORD flags);

constexpr DWORD AW_HOR_POSITIVE = 0x00000001;
constexpr DWORD AW_HOR_NEGATIVE = 0x00000002;
constexpr DWORD AW_VER_POSITIVE = 0x00000004;
constexpr DWORD AW_VER_NEGATIVE = 0x00000008;
constexpr DWORD AW_CENTER = 0x00000010;
constexpr DWORD AW_HIDE = 0x00010000;
constexpr DWORD AW_ACTIVATE = 0x00020000;
constexpr DWORD AW_SLIDE = 0x00040000;
constexpr DWORD AW_BLEND = 0x00080000;

// Shows (activating with AW_ACTIVATE) or hides (AW_HIDE) the window with an animation. Answers FALSE
// when the window is already in that state, and with ERROR_INVALID_PARAMETER for AW_BLEND on a child
// window or an animation without a direction. The animation takes no time: its frames run at once,
// unless a stepper is installed, which is called after each frame of a tenth of the time.
BOOL AnimateWindow(HWND hwnd, DWORD time, DWORD flags);

}  // namespace win
