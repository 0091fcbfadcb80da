#pragma once
// Cursors: the system cursors, cursors made from masks, and cursors of resource modules through a
// loader the resources install. The cursor shown is the one last set with SetCursor; the default
// WM_SETCURSOR sets the class cursor over a client area and the arrow or a sizing cursor elsewhere.

#include "platform/wintypes/Types.h"

#include <functional>
#include <vector>

namespace win {

inline const char* const IDC_ARROW = MAKEINTRESOURCE(32512);
inline const char* const IDC_IBEAM = MAKEINTRESOURCE(32513);
inline const char* const IDC_WAIT = MAKEINTRESOURCE(32514);
inline const char* const IDC_CROSS = MAKEINTRESOURCE(32515);
inline const char* const IDC_UPARROW = MAKEINTRESOURCE(32516);
inline const char* const IDC_SIZENWSE = MAKEINTRESOURCE(32642);
inline const char* const IDC_SIZENESW = MAKEINTRESOURCE(32643);
inline const char* const IDC_SIZEWE = MAKEINTRESOURCE(32644);
inline const char* const IDC_SIZENS = MAKEINTRESOURCE(32645);
inline const char* const IDC_SIZEALL = MAKEINTRESOURCE(32646);
inline const char* const IDC_NO = MAKEINTRESOURCE(32648);
inline const char* const IDC_HAND = MAKEINTRESOURCE(32649);
inline const char* const IDC_APPSTARTING = MAKEINTRESOURCE(32650);
inline const char* const IDC_HELP = MAKEINTRESOURCE(32651);

// A system cursor (instance null, an IDC_ id), or a cursor of a module through the resource loader;
// null with ERROR_RESOURCE_NAME_NOT_FOUND when there is none. The same handle comes back each time.
HCURSOR LoadCursor(HINSTANCE instance, const char* name);
// The loader of cursors from modules; answers null for a cursor the module does not have.
using CursorResourceLoader = std::function<HCURSOR(HINSTANCE instance, const char* name)>;
void SetCursorResourceLoader(CursorResourceLoader loader);

// A cursor from AND and XOR masks of one bit per pixel, rows padded to 16 bits.
HCURSOR CreateCursor(HINSTANCE instance, int xHotSpot, int yHotSpot, int width, int height, const void* andMask,
                     const void* xorMask);
// System cursors are never destroyed (answers FALSE for them and for unknown handles); shared ones, which
// loaders hand out again, stay alive (answers TRUE). Icons are cursors too (Icon.h).
BOOL DestroyCursor(HCURSOR cursor);

HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// The display counter: the cursor shows while it is 0 or more. Answers the new count.
int ShowCursor(BOOL show);
// Moves the mouse, which sends a mouse move to the window under it.
BOOL SetCursorPos(int x, int y);

constexpr DWORD ERROR_INVALID_CURSOR_HANDLE = 1402;

}  // namespace win
