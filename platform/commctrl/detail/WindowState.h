#pragma once
// Standard windows keep their state behind the first window pointer from WM_NCCREATE to WM_NCDESTROY;
// the pointer is cleared then, so that a message coming later finds no state.

#include "platform/win/Window.h"
#include "platform/wintypes/Messages.h"

namespace win::detail {

// The first step of a standard window procedure: at WM_NCCREATE it keeps the state make returns, at
// WM_NCDESTROY it deletes the state. It returns the window's state for the procedure to dispatch to; null
// for those two messages and for any message that finds no state, which the procedure hands to
// DefWindowProc.
template <class State, class Make>
State* LiveState(win::HWND hwnd, win::UINT message, Make make)
{
    if (message == win::WM_NCCREATE) {
        State* made = make();
        win::SetWindowLongPtr(hwnd, 0, reinterpret_cast<win::LONG_PTR>(made));
        return nullptr;
    }
    auto* state = reinterpret_cast<State*>(win::GetWindowLongPtr(hwnd, 0));
    if (state && message == win::WM_NCDESTROY) {
        win::SetWindowLongPtr(hwnd, 0, 0);
        delete state;
        return nullptr;
    }
    return state;
}

template <class State>
State* LiveState(win::HWND hwnd, win::UINT message)
{
    return LiveState<State>(hwnd, message, [] { return new State; });
}

}  // namespace win::detail
