#pragma once
// The caret as the display draws it.

#include "platform/win/Caret.h"

namespace win::detail {

// The caret as the display shows it now: its window, its rectangle in client coordinates, whether it
// is shown (not hidden) and whether it is drawn at this moment of its blinking.
struct CaretState {
    HWND hwnd = nullptr;
    RECT rect;
    bool shown = false;
    bool drawn = false;
};
bool GetCaretState(CaretState& state);

}  // namespace win::detail
