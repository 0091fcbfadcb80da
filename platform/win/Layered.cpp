#include "platform/win/Layered.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/Region.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/Layered.h"
#include "platform/win/detail/Window.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/win/detail/WindowTable.h"
#include "platform/win/detail/ScreenDC.h"

#include <algorithm>
#include <mutex>

namespace win {

using namespace detail;

namespace {

std::mutex stepperMutex;
AnimationStepper& Stepper()
{
    static AnimationStepper stepper;
    return stepper;
}

// The layered window record, or null with ERROR_INVALID_PARAMETER when it is not layered. Lock held.
Window* LayeredWindow(HWND hwnd)
{
    Window* window = WindowOrError(hwnd);
    if (window && !(window->exStyle & WS_EX_LAYERED)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return window;
}

// The part of a w x h window shown at a fraction of an animation.
RECT ShownPart(DWORD flags, int width, int height, int frame, int frames)
{
    RECT shown{0, 0, width, height};
    if (flags & AW_BLEND) {
        return shown;
    }
    const int w = width * frame / frames;
    const int h = height * frame / frames;
    if (flags & AW_CENTER) {
        return RECT{(width - w) / 2, (height - h) / 2, (width - w) / 2 + w, (height - h) / 2 + h};
    }
    if (flags & AW_HOR_POSITIVE) {
        shown.right = w;
    } else if (flags & AW_HOR_NEGATIVE) {
        shown.left = width - w;
    }
    if (flags & AW_VER_POSITIVE) {
        shown.bottom = h;
    } else if (flags & AW_VER_NEGATIVE) {
        shown.top = height - h;
    }
    return shown;
}

void SetFrame(HWND hwnd, DWORD flags, int frame, int frames)
{
    auto lock = LockSystem();
    Window* window = FindWindowRecord(hwnd);
    if (!window) {
        return;
    }
    if (frame >= frames) {
        window->animationAlpha = 255;
        window->animationShown.reset();
        return;
    }
    window->animationAlpha = (flags & AW_BLEND) ? static_cast<BYTE>(255 * frame / frames) : 255;
    window->animationShown = ShownPart(flags, window->windowRect.right - window->windowRect.left,
                                       window->windowRect.bottom - window->windowRect.top, frame, frames);
}

}  // namespace

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags)
{
    bool repaint;
    {
        auto lock = LockSystem();
        Window* window = LayeredWindow(hwnd);
        if (!window) {
            return FALSE;
        }
        if (window->layeredUpdated || (flags & ~(LWA_ALPHA | LWA_COLORKEY))) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        window->layeredFlags = flags;
        window->layeredKey = key;
        window->layeredAlpha = alpha;
        repaint = window->style & WS_VISIBLE;
        if (IsOnScreen(*window)) {
            Display().WindowLayeredChanged(hwnd);
            ScreenLayoutChanged();
        }
    }
    if (repaint) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags)
{
    auto lock = LockSystem();
    Window* window = LayeredWindow(hwnd);
    if (!window || window->layeredUpdated) {
        if (window) {
            SetLastError(ERROR_INVALID_PARAMETER);
        }
        return FALSE;
    }
    if (key) {
        *key = window->layeredKey;
    }
    if (alpha) {
        *alpha = window->layeredAlpha;
    }
    if (flags) {
        *flags = window->layeredFlags;
    }
    return TRUE;
}

BOOL UpdateLayeredWindow(HWND hwnd, HDC, const POINT* destinationPoint, const SIZE* size, HDC source,
                         const POINT* sourcePoint, COLORREF key, const BLENDFUNCTION* blend, DWORD flags)
{
    {
        auto lock = LockSystem();
        Window* window = LayeredWindow(hwnd);
        if (!window) {
            return FALSE;
        }
        if ((flags & ~(ULW_ALPHA | ULW_COLORKEY | ULW_OPAQUE)) || (size && (size->cx < 0 || size->cy < 0)) ||
            (source && !size)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        window->layeredUpdated = true;
        window->layeredFlags = flags;
        window->layeredKey = key;
        window->layeredAlpha = blend && (flags & ULW_ALPHA) ? blend->SourceConstantAlpha : 255;
        window->updateRegion = Region();
        window->ncPaintPending = false;
        window->erasePending = false;
        if (IsOnScreen(*window)) {
            Display().WindowLayeredChanged(hwnd);
            ScreenLayoutChanged();
        }
    }
    if (destinationPoint || size) {
        const UINT keep = (destinationPoint ? 0 : SWP_NOMOVE) | (size ? 0 : SWP_NOSIZE);
        SetWindowPos(hwnd, nullptr, destinationPoint ? destinationPoint->x : 0, destinationPoint ? destinationPoint->y : 0,
                     size ? size->cx : 0, size ? size->cy : 0, keep | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    if (source) {
        const HDC window = GetDCEx(hwnd, nullptr, DCX_WINDOW | DCX_CACHE);
        // The window's own picture: a window DC of a layered window draws on its whole surface.
        SetSystemClip(window, nullptr);
        const POINT from = sourcePoint ? *sourcePoint : POINT{0, 0};
        const BOOL copied = BitBlt(window, 0, 0, size->cx, size->cy, source, from.x, from.y, SRCCOPY);
        ReleaseDC(hwnd, window);
        if (!copied) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL AnimateWindow(HWND hwnd, DWORD time, DWORD flags)
{
    WindowState state;
    if (!ReadWindowState(hwnd, state)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const DWORD kinds = AW_HOR_POSITIVE | AW_HOR_NEGATIVE | AW_VER_POSITIVE | AW_VER_NEGATIVE | AW_CENTER | AW_BLEND;
    if (!(flags & kinds) || ((flags & AW_BLEND) && (state.style & WS_CHILD))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const bool hide = flags & AW_HIDE;
    if (hide != state.visible) {
        return FALSE;
    }
    AnimationStepper stepper;
    {
        std::lock_guard lock(stepperMutex);
        stepper = Stepper();
    }
    const int frames = stepper ? std::max<int>(1, static_cast<int>(std::min<DWORD>(time, 10000) / 10)) : 1;
    if (!hide) {
        SetFrame(hwnd, flags, 0, frames);
        ShowWindow(hwnd, (flags & AW_ACTIVATE) ? SW_SHOW : SW_SHOWNA);
    }
    for (int frame = 1; frame <= frames; ++frame) {
        SetFrame(hwnd, flags, hide ? frames - frame : frame, frames);
        if (stepper && frame < frames) {
            stepper(hwnd, frame, frames);
        }
    }
    if (hide) {
        ShowWindow(hwnd, SW_HIDE);
        SetFrame(hwnd, flags, frames, frames);
    }
    if (stepper) {
        stepper(hwnd, frames, frames);
    }
    return TRUE;
}

void detail::SetAnimationStepper(AnimationStepper stepper)
{
    std::lock_guard lock(stepperMutex);
    Stepper() = std::move(stepper);
}

LayeredState detail::LayeredStateOf(const Window& window)
{
    LayeredState state;
    state.layered = window.exStyle & WS_EX_LAYERED;
    state.flags = window.layeredFlags;
    state.key = window.layeredKey;
    const BYTE constant = (window.layeredFlags & LWA_ALPHA) ? window.layeredAlpha : 255;
    state.alpha = static_cast<BYTE>(constant * window.animationAlpha / 255);
    state.updated = window.layeredUpdated;
    state.shown = window.animationShown ? *window.animationShown
                                        : RECT{0, 0, window.windowRect.right - window.windowRect.left,
                                               window.windowRect.bottom - window.windowRect.top};
    return state;
}

bool detail::LayeredStyleChanged(Window& window)
{
    bool repaint = false;
    if (!(window.exStyle & WS_EX_LAYERED)) {
        repaint = window.layeredUpdated && (window.style & WS_VISIBLE);
        window.layeredUpdated = false;
        window.layeredFlags = 0;
        window.layeredKey = 0;
        window.layeredAlpha = 255;
    }
    if (IsOnScreen(window)) {
        Display().WindowLayeredChanged(window.handle);
        ScreenLayoutChanged();
    }
    return repaint;
}

bool detail::GetLayeredState(HWND hwnd, LayeredState& state)
{
    auto lock = LockSystem();
    Window* window = FindWindowRecord(hwnd);
    if (!window) {
        return false;
    }
    state = LayeredStateOf(*window);
    return true;
}

}  // namespace win
