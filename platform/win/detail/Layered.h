#pragma once
// Layered windows and animations as the display composes them.

#include "platform/win/Layered.h"

#include <functional>

namespace win::detail {

using AnimationStepper = std::function<void(HWND hwnd, int frame, int frames)>;
void SetAnimationStepper(AnimationStepper stepper);

struct LayeredState {
    bool layered = false;      // WS_EX_LAYERED
    DWORD flags = 0;           // LWA_ALPHA / LWA_COLORKEY, or the ULW_ flags after UpdateLayeredWindow
    COLORREF key = 0;
    BYTE alpha = 255;          // the constant alpha, times the fading of an animation
    bool updated = false;      // the appearance comes from UpdateLayeredWindow
    RECT shown;                // the part shown now (window coordinates): all of it unless animating
};
bool GetLayeredState(HWND hwnd, LayeredState& state);
struct Window;
// The same for a window record (system lock held).
LayeredState LayeredStateOf(const Window& window);
// WS_EX_LAYERED was just set or cleared on the window (system lock held): a window that stops being
// layered loses its layered attributes (made layered again, it has none until they are set) and the
// display hears of it. True when the window must be painted again: its picture was UpdateLayeredWindow's.
bool LayeredStyleChanged(Window& window);

}  // namespace win::detail
