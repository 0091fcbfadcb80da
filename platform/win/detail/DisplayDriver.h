#pragma once
// The display driver: what shows the window system's top-level and popup windows to the user. The
// window system tells it what changed; it turns what the screen sends into input and wakes the waits of
// the threads that fetch messages. Child windows live only inside the window system.
//
// The headless driver, the default, keeps the surfaces in memory and shows nothing. RIVUVE_DISPLAY
// chooses at start-up: "headless" forces it; anything else (or nothing) leaves the choice to the
// on-screen driver, which installs itself with SetDisplayDriver when its library starts and a screen is
// there. Tests install recording drivers the same way.
//
// The notifications come with the system lock held (never the GDI lock), in the order things happen.
// A driver must not call the window system from them: it notes what changed and acts on it in
// PumpEvents, or on a thread of its own. Rectangles are in screen coordinates unless said otherwise.

#include "platform/wintypes/Types.h"

#include <memory>
#include <vector>

namespace win::detail {

class DisplayDriver {
public:
    DisplayDriver() = default;
    DisplayDriver(const DisplayDriver&) = delete;
    DisplayDriver& operator=(const DisplayDriver&) = delete;
    virtual ~DisplayDriver() = default;

    // Top-level and popup windows: shown or hidden; moved (rect the new window rectangle), resized;
    // placed in the z-order below insertAfter (HWND_TOP: above every other); given a new window region;
    // given new layered attributes or a new picture (UpdateLayeredWindow); destroyed.
    virtual void WindowShown(HWND, const RECT& /*rect*/) {}
    virtual void WindowHidden(HWND) {}
    virtual void WindowMoved(HWND, const RECT& /*rect*/) {}
    virtual void WindowResized(HWND, const RECT& /*rect*/) {}
    virtual void WindowRestacked(HWND, HWND /*insertAfter*/) {}
    virtual void WindowRegionChanged(HWND) {}
    virtual void WindowLayeredChanged(HWND) {}
    virtual void WindowIconChanged(HWND) {}
    virtual void WindowDestroyed(HWND) {}
    // The program activated a top-level window: the screen's keyboard focus is to follow.
    virtual void WindowActivated(HWND) {}

    // Pixels of a top-level window's surface changed (rect in the surface's coordinates); Present ends
    // a round of drawing on it (a device context given back, a scroll, a caret blink).
    virtual void SurfaceDamaged(HWND, const RECT& /*rect*/) {}
    virtual void Present(HWND) {}

    // The cursor shape to show (null: none, also while ShowCursor's count is below 0).
    virtual void CursorChanged(HCURSOR) {}
    // SetCursorPos moved the mouse to a screen point.
    virtual void CursorMoved(POINT /*point*/) {}
    // A window took the mouse capture (null: it was released): the screen's pointer is held for the
    // program exactly as long, so presses over other programs come to the capturing window.
    virtual void CaptureChanged(HWND) {}
    // The clipboard was closed with new data of owner: the screen's clipboard is to be taken over.
    virtual void ClipboardHandedOver(HWND /*owner*/) {}
    // Called without any lock when a thread opens the clipboard: when another program owns the
    // screen's clipboard, its text as a CF_UNICODETEXT block (zero-terminated, CR LF line breaks).
    virtual bool ForeignClipboardText(std::vector<BYTE>& /*unicodeText*/) { return false; }
    // The caret of a window was drawn or taken away (rect the caret's, screen coordinates).
    virtual void CaretBlinked(HWND, const RECT& /*rect*/, bool /*shown*/) {}

    // Called without any lock by every thread that fetches or waits for messages, before it looks at
    // its queue: the place to turn what the screen has sent into posted input (PostInputMessage and
    // PostMouseInput, the path the test driver uses).
    virtual void PumpEvents() {}
};

// The driver in use; never null while the window system runs. The caller holds the system lock.
DisplayDriver& Display();
// Installs a driver (null: the headless one) and answers the one it replaces. Lock not held.
std::shared_ptr<DisplayDriver> SetDisplayDriver(std::shared_ptr<DisplayDriver> driver);
// Whether RIVUVE_DISPLAY forces the headless driver.
bool HeadlessForced();
// Wakes every thread waiting for messages, so that each pumps the driver's events again. Any thread,
// lock not held.
void WakeMessageWaits();
// For the message waits (lock not held): lets the driver pump.
void PumpDisplayEvents();
// For OpenClipboard (no lock held): the driver's ForeignClipboardText.
bool FetchForeignClipboardText(std::vector<BYTE>& unicodeText);

}  // namespace win::detail
