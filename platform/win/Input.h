#pragma once
// Keyboard and mouse input as the window system keeps it: the input stream of each thread, key state,
// mouse capture, keyboard focus and the translation of keys into characters.
//
// Input is produced by a display back end or the test driver with PostInputMessage; it reaches the
// thread's window procedures through GetMessage or PeekMessage after the posted messages, and passes the
// WH_KEYBOARD and WH_MOUSE hooks on the way.

#include "platform/wintypes/Types.h"

namespace win {

// Virtual keys.
constexpr UINT VK_LBUTTON = 0x01;
constexpr UINT VK_RBUTTON = 0x02;
constexpr UINT VK_CANCEL = 0x03;
constexpr UINT VK_MBUTTON = 0x04;
constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_CLEAR = 0x0C;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_MENU = 0x12;
constexpr UINT VK_PAUSE = 0x13;
constexpr UINT VK_CAPITAL = 0x14;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_PRIOR = 0x21;
constexpr UINT VK_NEXT = 0x22;
constexpr UINT VK_END = 0x23;
constexpr UINT VK_HOME = 0x24;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_SNAPSHOT = 0x2C;
constexpr UINT VK_INSERT = 0x2D;
constexpr UINT VK_DELETE = 0x2E;
constexpr UINT VK_HELP = 0x2F;
constexpr UINT VK_LWIN = 0x5B;
constexpr UINT VK_RWIN = 0x5C;
constexpr UINT VK_APPS = 0x5D;
constexpr UINT VK_NUMPAD0 = 0x60;
constexpr UINT VK_NUMPAD9 = 0x69;
constexpr UINT VK_MULTIPLY = 0x6A;
constexpr UINT VK_ADD = 0x6B;
constexpr UINT VK_SEPARATOR = 0x6C;
constexpr UINT VK_SUBTRACT = 0x6D;
constexpr UINT VK_DECIMAL = 0x6E;
constexpr UINT VK_DIVIDE = 0x6F;
constexpr UINT VK_F1 = 0x70;
constexpr UINT VK_F2 = 0x71;
constexpr UINT VK_F3 = 0x72;
constexpr UINT VK_F4 = 0x73;
constexpr UINT VK_F5 = 0x74;
constexpr UINT VK_F6 = 0x75;
constexpr UINT VK_F7 = 0x76;
constexpr UINT VK_F8 = 0x77;
constexpr UINT VK_F9 = 0x78;
constexpr UINT VK_F10 = 0x79;
constexpr UINT VK_F11 = 0x7A;
constexpr UINT VK_F12 = 0x7B;
constexpr UINT VK_NUMLOCK = 0x90;
constexpr UINT VK_SCROLL = 0x91;
constexpr UINT VK_LSHIFT = 0xA0;
constexpr UINT VK_RSHIFT = 0xA1;
constexpr UINT VK_LCONTROL = 0xA2;
constexpr UINT VK_RCONTROL = 0xA3;
constexpr UINT VK_LMENU = 0xA4;
constexpr UINT VK_RMENU = 0xA5;
constexpr UINT VK_OEM_1 = 0xBA;
constexpr UINT VK_OEM_PLUS = 0xBB;
constexpr UINT VK_OEM_COMMA = 0xBC;
constexpr UINT VK_OEM_MINUS = 0xBD;
constexpr UINT VK_OEM_PERIOD = 0xBE;
constexpr UINT VK_OEM_2 = 0xBF;
constexpr UINT VK_OEM_3 = 0xC0;
constexpr UINT VK_OEM_4 = 0xDB;
constexpr UINT VK_OEM_5 = 0xDC;
constexpr UINT VK_OEM_6 = 0xDD;
constexpr UINT VK_OEM_7 = 0xDE;
constexpr UINT VK_PROCESSKEY = 0xE5;
constexpr UINT VK_PACKET = 0xE7;

// The character a key message of the input stream produces, carried in MSG::lPrivate by the producer
// (a back end knows the character of the user's keyboard layout). Without it TranslateMessage uses
// the US layout.
constexpr DWORD InputHasChar = 0x10000;
constexpr DWORD InputDeadChar = 0x20000;
constexpr DWORD InputChar(unsigned char ch, bool dead = false)
{
    return InputHasChar | (dead ? InputDeadChar : 0) | ch;
}

// The hit-test code the mouse input found, carried in MSG::lPrivate of mouse messages by
// PostMouseInput; without it a client message counts as HTCLIENT.
constexpr DWORD InputHasHitTest = 0x40000;
constexpr DWORD InputHitTest(LRESULT code)
{
    return InputHasHitTest | static_cast<WORD>(code);
}

// The mouse as a back end or the test driver reports it: message is a client mouse message
// (WM_MOUSEMOVE, a button message or WM_MOUSEWHEEL with its delta) at a screen point. The system
// finds the window (the capture, else by hit testing; the wheel goes to the focus), swaps the buttons
// when they are swapped, makes double clicks, ends mouse-leave tracking, and queues the client or
// non-client message for the window's thread. When that thread fetches a press in a child window it
// sends WM_PARENTNOTIFY to the parents; on an inactive window WM_MOUSEACTIVATE, activating it; and
// before every mouse message WM_SETCURSOR.
BOOL PostMouseInput(UINT message, POINT screen, int wheelDelta, DWORD time);

// Mouse tracking. TME_LEAVE: WM_MOUSELEAVE is posted once when the mouse leaves the client area of
// the window (its non-client area with TME_NONCLIENT, then WM_NCMOUSELEAVE), and tracking ends.
// TME_HOVER: WM_MOUSEHOVER (WM_NCMOUSEHOVER) is posted once when the mouse stays within the hover
// rectangle (SPI_GETMOUSEHOVERWIDTH x HEIGHT) for the hover time (HOVER_DEFAULT: SPI_GETMOUSEHOVERTIME)
// on the installed clock; moving farther starts the wait again, leaving the window ends it.
constexpr DWORD TME_HOVER = 0x00000001;
constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_NONCLIENT = 0x00000010;
constexpr DWORD TME_QUERY = 0x40000000;
constexpr DWORD TME_CANCEL = 0x80000000;
constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;
struct TRACKMOUSEEVENT {
    DWORD cbSize = sizeof(TRACKMOUSEEVENT);
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = 0;
};
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);

// Swaps the meaning of the left and right buttons; answers whether they were swapped before.
BOOL SwapMouseButton(BOOL swap);

// Appends msg (hwnd, message, parameters, time, screen point, lPrivate) to the input stream of the
// window's thread. Key and button messages update the asynchronous key state at once; mouse messages
// move the cursor to msg->pt.
BOOL PostInputMessage(const MSG* msg);

// The key state as the calling thread's fetched input left it: bit 15 down, bit 0 toggled.
std::int16_t GetKeyState(int virtualKey);
// The key state as input arrived, before any thread fetched it.
std::int16_t GetAsyncKeyState(int virtualKey);
BOOL GetCursorPos(POINT* point);
// The calling thread's 256 key states (bit 7 down, bit 0 toggled); setting changes what GetKeyState
// answers.
BOOL GetKeyboardState(BYTE* keyState);
BOOL SetKeyboardState(const BYTE* keyState);

// The US keyboard layout: virtual keys, scan codes and characters.
constexpr UINT MAPVK_VK_TO_VSC = 0;
constexpr UINT MAPVK_VSC_TO_VK = 1;
constexpr UINT MAPVK_VK_TO_CHAR = 2;
UINT MapVirtualKey(UINT code, UINT mapType);
// The virtual key in the low byte and the shift state in the high byte (1 Shift, 2 Ctrl); -1 when no
// key makes the character.
std::int16_t VkKeyScan(char ch);
// The character of a key with the given key state: answers 1 and writes it, or 0 for none.
int ToAscii(UINT virtualKey, UINT scanCode, const BYTE* keyState, WORD* result, UINT flags);

// WM_KEYDOWN and WM_SYSKEYDOWN post WM_CHAR, WM_SYSCHAR, WM_DEADCHAR or WM_SYSDEADCHAR for a key that
// makes a character. Answers non-zero for every key message.
BOOL TranslateMessage(const MSG* msg);

// Mouse capture and keyboard focus of the calling thread. Changing them sends WM_CAPTURECHANGED to the
// window losing the capture, and WM_KILLFOCUS then WM_SETFOCUS around a focus change. Focusing a
// window of an inactive top-level window activates that first.
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
HWND SetFocus(HWND hwnd);
HWND GetFocus();

}  // namespace win
