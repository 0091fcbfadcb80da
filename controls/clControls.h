#pragma once
// The base control of the library and the window and mouse helpers of its unit: work areas, the drag
// detection loop, window relations, key and shift helpers.

#include "controls/clWindows.h"

#include "platform/gui/ControlTypes.h"
#include "platform/gui/WinControl.h"
#include "platform/wintypes/Types.h"

#include <string>

namespace controls {

// GetCursorPos, or (-1, -1) when it fails.
win::POINT clGetCursorScreenPos();
// The work area of the monitor nearest a screen point (the system's work area without the monitor
// functions).
win::RECT clGetWorkAreaAtPoint(win::POINT point);
// Captures the mouse for window and pumps the messages until the pointer leaves the square of side twice
// the drag threshold around the cursor (1), a button is released (0), or Esc, a lost capture or a quit
// request ends it (2).
int clRunDragDetectLoop(win::HWND window);
// Both distances from the press point below the drag threshold.
bool clWithinDragThreshold(win::POINT pressPoint, win::POINT point);
bool clCtrlKeyDown();
// True when the owner (not null) is reached walking up the parents of window.
bool clIsAncestorWindow(win::HWND owner, win::HWND window);
bool clIsSameOrChildWindow(win::HWND parent, win::HWND window);
bool clHasChildStyle(win::HWND window);
win::POINT clMapPointBetweenWindows(win::HWND from, win::HWND to, win::POINT point);
win::RECT clMapRectBetweenWindows(win::HWND from, win::HWND to, const win::RECT& rect);
// Each '&' goes, keeping the character after it ("&&" gives "&"); a last '&' becomes '_' when asked.
std::string clStripHotkeyPrefixes(const std::string& text, bool lastAsUnderscore = false);
// MK_ flags of a shift state: shift 4, ctrl 8, left 1, right 2, middle 16.
unsigned clShiftToMouseKeyFlags(gui::TShiftState shift);
inline unsigned clMapKeyCode(unsigned key) { return key; }
inline bool clIsPrintableKeyChar(int code) { return code > 31; }
bool clCanAllocateHandle(gui::TWinControl* control);
unsigned clDoubleClickTime();

}  // namespace controls
