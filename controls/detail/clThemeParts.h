#pragma once
// What the themed painter's metrics and drawing share: the Button parts, the part-size kinds, the state a
// push button is drawn in and the content rect of a part.

#include "controls/clLookAndFeelPainters.h"
#include "controls/uxTheme.h"

namespace controls::detail {

constexpr int kButtonPush = 1;
constexpr int kButtonRadio = 2;
constexpr int kButtonCheckBox = 3;
constexpr int kCheckedNormal = 5;
constexpr int kMinSize = 0;
constexpr int kTrueSize = 1;

// Default 5 (defaulted), else normal 1, hot 2, pressed 3, disabled 4.
inline int PushButtonState(TclButtonState state)
{
    return state == cxbsDefault ? 5 : state;
}

// The content rect of a part in a 100 x 100 rect; 0 inset when the theme does not answer.
inline win::RECT ContentOf100(HTHEME theme, int part, int state)
{
    const win::RECT bounds{0, 0, 100, 100};
    win::RECT content = bounds;
    uxUxGetThemeBackgroundContentRect(theme, nullptr, part, state, bounds, content);
    return content;
}

}  // namespace controls::detail
