#pragma once
// Turns the screen's key and text events into the window system's key messages, in plain C++ on the
// screen library's numbers: scan codes are USB usage ids, key symbols are Unicode code points for
// keys that have one, modifiers are the screen library's bit mask.
//
// Virtual keys of letters and digits come from the layout's key symbol (a German layout's Z key is
// VK_Z), every other key's from its scan code. The key message's lParam is built as the keyboard
// reports it: repeat count 1, the Set-1 scan code, the extended bit, the Alt context bit, the
// previous-state bit (set on auto-repeat) and the transition bit.
//
// Characters: text that follows a key event is attached to that key (InputChar, in the ANSI code page,
// '?' for a character the page cannot hold); a key that is followed by no text makes no character
// (a dead key), unless Ctrl or Alt is held, when the window system makes the control character or the
// WM_SYSCHAR from the key. Text with no key before it (an input method's commit) becomes VK_PACKET key
// presses carrying the characters, so it keeps its place among the keys. On a layout with AltGr the
// right Alt key reports VK_CONTROL and VK_MENU (extended) down, as the keyboard does there, and its
// text is taken: AltGr+Q types "@" and opens no menu.

#include "platform/wintypes/Types.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace win::detail {

// Modifier bits of the screen library's key events.
namespace ScreenMod {
constexpr unsigned LeftShift = 0x0001;
constexpr unsigned RightShift = 0x0002;
constexpr unsigned LeftCtrl = 0x0040;
constexpr unsigned RightCtrl = 0x0080;
constexpr unsigned LeftAlt = 0x0100;
constexpr unsigned RightAlt = 0x0200;
constexpr unsigned NumLock = 0x1000;
constexpr unsigned CapsLock = 0x2000;
}  // namespace ScreenMod

struct ScreenKeyEvent {
    bool down = true;
    bool repeat = false;
    int scancode = 0;        // USB usage id
    std::uint32_t symbol = 0;  // the layout's key symbol: a code point for printable keys
    unsigned modifiers = 0;  // ScreenMod bits, as they were when the key went down or up
    DWORD time = 0;
};

// A key message for the focus window.
struct KeyMessage {
    UINT message = 0;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP
    UINT vk = 0;
    DWORD lParam = 0;
    DWORD lPrivate = 0;  // InputChar for a key that makes a character
    DWORD time = 0;
};

class KeyTranslator {
public:
    // altGrLayout: the right Alt key of the user's layout is AltGr.
    explicit KeyTranslator(bool altGrLayout = false) : altGr_(altGrLayout) {}

    void SetAltGrLayout(bool altGrLayout) { altGr_ = altGrLayout; }

    // Events in the order the screen sent them. A key down is held back until the next event (its
    // text may follow); Flush lets it go at the end of a batch of events.
    void Key(const ScreenKeyEvent& event);
    void Text(std::string_view utf8, DWORD time);
    void Flush();

    // After the program regains the keyboard: keys believed down that the screen does not report
    // down any more (pressed gives the scan codes it reports down) go up, so no key sticks.
    void Resynchronize(const std::vector<int>& pressed, DWORD time);

    // The messages made so far, in order; the translator forgets them.
    std::vector<KeyMessage> Take();

    // Whether a virtual key is down as the messages made so far report it.
    bool IsDown(UINT vk) const { return down_[vk & 0xFF]; }

private:
    struct Mapped {
        UINT vk = 0;
        UINT scan = 0;
        bool extended = false;
    };
    static bool MapKey(const ScreenKeyEvent& event, Mapped& mapped);
    void Emit(const Mapped& key, bool down, bool repeat, DWORD time, DWORD lPrivate);
    void EmitPending(DWORD lPrivate);
    void EmitAltGr(bool down, bool repeat, DWORD time);
    bool AltGrHeld() const { return altGrDown_; }

    bool altGr_;
    bool altGrDown_ = false;
    std::array<bool, 256> down_ = {};
    // Scan codes down by usage id, and the virtual key each went down as, so the up matches.
    std::array<UINT, 256> downAs_ = {};
    bool pending_ = false;
    Mapped pendingKey_;
    ScreenKeyEvent pendingEvent_;
    std::vector<KeyMessage> out_;
};

}  // namespace win::detail
