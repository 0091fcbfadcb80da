#pragma once
// The window system's own records: classes, windows, thread queues, hooks and timers, under one lock.
// Only the units of the window system include this header; everything else uses the API functions.
//
// Locking: every record is read and changed with SystemLock held. Window procedures, hook procedures
// and timer procedures are always called with the lock released, so they may call the API freely;
// callers therefore copy what they need out of a record before calling out, and look a handle up
// again afterwards (it may have been destroyed meanwhile).

#include "platform/gdi/detail/Handles.h"
#include "platform/gdi/detail/LockOrder.h"
#include "platform/gdi/detail/Region.h"
#include "platform/wintypes/Messages.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gdi/detail/Surface.h"
#include "platform/wintypes/Types.h"

#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace win::detail {

struct WindowClass {
    ATOM atom = 0;
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menuName;
    std::vector<BYTE> extra;
    int windows = 0;  // windows of this class that exist; a class in use cannot be unregistered
};

// A window. Rectangles are in the client coordinates of the parent (the screen for top-level
// windows); z-order is the order of the parent's children, topmost first.
struct Window : HandleObject {
    HWND handle = nullptr;
    WindowClass* windowClass = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;  // the desktop or the message root for top-level windows
    HWND owner = nullptr;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    LONG_PTR userData = 0;
    std::vector<BYTE> extra;
    std::string text;
    std::vector<std::pair<std::string, HANDLE>> props;
    RECT windowRect;
    RECT clientRect;
    bool redraw = true;  // WM_SETREDRAW; visibility and enabled state are the WS_VISIBLE and WS_DISABLED bits
    std::vector<HWND> children;
    DWORD thread = 0;  // 0 for the system's own windows, which run on any thread
    bool destroying = false;
    // Painting: the update region (window coordinates: 0, 0 at the window's top left), whether the
    // frame and the background wait to be painted, and whether an internal paint was asked for.
    Region updateRegion;
    bool ncPaintPending = false;
    bool erasePending = false;
    bool internalPaint = false;
    std::optional<Region> windowRegion;  // window coordinates
    HICON bigIcon = nullptr;  // WM_SETICON's
    HICON smallIcon = nullptr;
    bool frameActive = false;  // the caption's state as the last default WM_NCACTIVATE left it
    // Layered windows and animations.
    DWORD layeredFlags = 0;
    COLORREF layeredKey = 0;
    BYTE layeredAlpha = 255;
    bool layeredUpdated = false;
    BYTE animationAlpha = 255;
    std::optional<RECT> animationShown;  // window coordinates
    struct ScrollBar {
        int min = 0;
        int max = 0;
        UINT page = 0;
        int pos = 0;
        int trackPos = 0;
        UINT disabledArrows = 0;  // ESB_DISABLE_* bits
    } scrollBars[2];  // SB_HORZ, SB_VERT
    RECT restoreRect;  // the normal window rectangle while minimized or maximized
    bool hasRestoreRect = false;
    bool restoreToMaximized = false;  // minimized from the maximized state, which a restore comes back to
};

// A message sent to a window of another thread, waiting there until that thread pumps.
struct SentMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD sender = 0;
    bool done = false;
    LRESULT result = 0;
};

struct Hook {
    HHOOK handle = nullptr;
    int type = 0;
    HOOKPROC proc = nullptr;
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT interval = 0;
    TIMERPROC proc = nullptr;
    std::uint64_t due = 0;     // tick count at which it is ready
    std::uint64_t serial = 0;  // creation order, for timers due at the same tick
    bool system = false;       // the system's own timer of a window: WM_SYSTIMER, handled by DefWindowProc
};

// The caret of a thread: one at a time, in the client area of one window.
struct Caret {
    HWND hwnd = nullptr;
    HANDLE bitmap = nullptr;  // null for a solid caret, (HANDLE)1 for a grey one
    SIZE size;
    POINT pos;
    int hideLevel = 1;  // shown while 0
    bool drawn = false;  // in its on phase of blinking
};

struct ThreadQueue {
    DWORD thread = 0;
    std::deque<MSG> posted;
    std::deque<MSG> input;  // keyboard and mouse input, after the posted messages
    std::deque<std::shared_ptr<SentMessage>> sent;
    bool quit = false;
    int quitCode = 0;
    std::vector<Hook> hooks;  // newest first
    std::vector<Timer> timers;
    HWND capture = nullptr;
    HWND focus = nullptr;
    HWND active = nullptr;
    MSG lastMessage;  // for GetMessageTime and GetMessagePos
    Caret caret;
    HWND mouseTracked = nullptr;  // TrackMouseEvent: the window told when the mouse leaves it
    DWORD mouseTrackFlags = 0;
    HWND hoverTracked = nullptr;  // TrackMouseEvent: the window told when the mouse rests on it
    DWORD hoverFlags = 0;
    UINT hoverTime = 0;
    RECT hoverRect;  // screen coordinates: the mouse rests while it stays inside
    BYTE keyState[256] = {};
    int sendDepth = 0;  // messages from other threads being handled now
};

class DisplayDriver;

struct WindowSystem {
    std::mutex mutex;
    // Notified whenever a queue, an event or a sent message changes, so every waiting thread looks again.
    std::condition_variable changed;
    std::uint64_t wakes = 0;  // WakeMessageWaits calls: a waiting thread pumps the display again
    bool initialized = false;
    std::shared_ptr<DisplayDriver> display;  // DisplayDriver.h

    std::vector<HWND> windows;  // every window, in the order of creation (their records: the handle table)
    HWND desktop = nullptr;
    HWND messageRoot = nullptr;

    std::map<std::string, std::unique_ptr<WindowClass>> classes;  // by upper-case name
    ATOM nextClassAtom = 0xC000;

    std::map<DWORD, std::unique_ptr<ThreadQueue>> queues;
    POINT cursor;               // screen position of the mouse
    DWORD foregroundThread = 0;  // the thread whose active window is the foreground window
    bool swapButtons = false;
    struct LastClick {
        HWND hwnd = nullptr;
        UINT message = 0;
        DWORD time = 0;
        POINT pt;
    } lastClick;  // for double clicks
    BYTE asyncKeyState[256] = {};  // keys and buttons as input arrives, before any thread fetches it
    std::uint64_t nextTimerSerial = 1;
    UINT_PTR nextThreadTimerId = 1;
    UINT caretBlinkTime = 530;
    int nextCascade = 0;  // where the next overlapped window of CW_USEDEFAULT goes
    // The surfaces of top-level windows (and the desktop), and the device contexts handed out for
    // windows with the window and its top-level window.
    std::map<HWND, std::unique_ptr<Surface>> surfaces;
    struct WindowDC {
        HWND hwnd = nullptr;
        HWND root = nullptr;
        POINT screenOrigin;  // the screen point of the context's device point (0, 0)
    };
    std::map<void*, WindowDC> windowDCs;
};

using SystemLock = RankedLock<std::mutex, LockRank::System>;

WindowSystem& System();
inline SystemLock LockSystem() { return SystemLock(System().mutex); }

// Raises EInvalidOperation when win::initialize has not run.
void RequireInitialized(const WindowSystem& system);

// The window of a handle, or null for a handle that is not (or no longer) a window. Lock held.
Window* FindWindowRecord(HWND hwnd);
// As FindWindowRecord, and sets ERROR_INVALID_WINDOW_HANDLE when it answers null.
Window* WindowOrError(HWND hwnd);
// As WindowOrError, and null with ERROR_ACCESS_DENIED for a window the calling thread does not own
// (the system's own windows belong to no thread, so they are refused too).
Window* OwnWindowOrError(HWND hwnd);

// Creates a record with a handle, or answers null when the handle table is full. Lock held.
Window* AllocateWindow();
// Removes the record: its handle becomes invalid at once and is not given out again for very long.
void FreeWindow(HWND hwnd);

// The queue of a thread, created on first use; QueueOf never creates one. Lock held.
ThreadQueue& QueueOfCurrentThread();
ThreadQueue* QueueOf(DWORD thread);

// The record of the class with this name (or atom in place of a name), null when none. Lock held.
WindowClass* FindClassRecord(const char* name);

// A value at a byte offset of a window's or a class's extra bytes: null, with ERROR_INVALID_INDEX, when
// it does not lie wholly inside them. ExchangeExtra stores the new value and answers the old one.
template <class T>
std::optional<T> ReadExtra(const std::vector<BYTE>& extra, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) + sizeof(T) > extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return std::nullopt;
    }
    T value;
    std::memcpy(&value, extra.data() + index, sizeof value);
    return value;
}
template <class T>
std::optional<T> ExchangeExtra(std::vector<BYTE>& extra, int index, T value)
{
    std::optional<T> old = ReadExtra<T>(extra, index);
    if (old) {
        std::memcpy(extra.data() + index, &value, sizeof value);
    }
    return old;
}

// Copies text into a caller's buffer of size chars, cut to fit beside the terminating null; answers the
// chars copied (0, copying nothing, without a buffer).
int CopyToBuffer(const std::string& text, char* buffer, std::size_t size);

// True when ancestor is hwnd or one of its parents (not owners). Lock held.
bool IsSelfOrDescendant(HWND ancestor, HWND hwnd);

// Top-level windows: the children of the desktop and of the message root. Lock held.
std::vector<HWND> TopLevelWindows();

// Calls a window procedure with the lock released (it must be held on entry and is held again on exit).
LRESULT CallProcUnlocked(SystemLock& lock, WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Links between the units of the window system (lock held unless said otherwise).

// True when msg passes a fetch filter (window, or -1 for thread messages only; range, 0 and 0 for all).
bool MatchesFilter(const MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax);
// The QS_* kinds of message waiting in the queue.
DWORD QueueStatus(const ThreadQueue& queue);
// Handles every message other threads sent to this one; answers whether there was one.
bool HandleSentMessages(SystemLock& lock, ThreadQueue& queue);

// Hooks: the handles of a queue's hooks are let go when its thread ends (lock held).
void ForgetHooks(const ThreadQueue& queue);
// Hooks (lock not held): whether the calling thread has a hook of the type, and calling its chain.
bool HasHooks(int type);
LRESULT CallHooks(int type, int code, WPARAM wParam, LPARAM lParam);

// Timers: makes a WM_TIMER for the earliest due timer that passes the filter; with remove the timer
// starts its next interval. The tick at which the next timer is due, if the thread has one.
bool TakeDueTimer(ThreadQueue& queue, HWND hwnd, UINT filterMin, UINT filterMax, bool remove, MSG& msg);
bool NextTimerDue(const ThreadQueue& queue, std::uint64_t& due);
bool IsLiveTimer(HWND hwnd, UINT_PTR id, TIMERPROC proc);

// Input: a fetched keyboard or mouse message updates the thread's key state.
void NoteInputFetched(ThreadQueue& queue, const MSG& msg);
bool IsKeyboardMessage(UINT message);
bool IsMouseMessage(UINT message);

// Geometry (WindowPos.cpp): the screen position of a window's client origin and its window rectangle
// on the screen.
POINT ClientOriginOnScreen(const Window& window);
RECT WindowRectOnScreen(const Window& window);
// Top-level windows of the desktop, which the display driver shows (not message-only windows).
bool IsOnScreen(const Window& window);
// The top-level window that contains hwnd (hwnd itself for a top-level window); null for the roots.
HWND RootWindowOf(HWND hwnd);
bool IsRootWindow(HWND hwnd);

// The default handling of the units: each answers whether it handled the message, and its result.
bool DefGeometryMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
bool DefInputMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
bool DefScrollBarMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
bool DefCaretMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
bool DefPaintMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// Painting (Paint.cpp), lock held: a WM_PAINT for the first window of the thread that needs painting
// and passes the filter; whether any window of the thread needs painting.
bool TakePaintMessage(const ThreadQueue& queue, HWND hwnd, UINT filterMin, UINT filterMax, MSG& msg);
bool ThreadNeedsPaint(const ThreadQueue& queue);
// Inverts the pixels of a rectangle (client coordinates) the window can draw on: the caret's drawing.
void InvertClientRect(HWND hwnd, const RECT& rect);
// Painting after a change of place, size, order or visibility (lock not held).
void InvalidateAfterPositionChange(HWND hwnd, const RECT& oldWindowRect, bool wasVisible, UINT flags);
// Ends the device contexts and surfaces of destroyed windows (lock not held).
void ReleasePaintResources(const std::vector<HWND>& windows);

// Before a fetched mouse message is answered (lock not held): WM_MOUSEACTIVATE with the activation it
// asks for, and WM_SETCURSOR. False when the message is to be dropped.
bool PrepareMouseMessage(const MSG& msg);

// Empties the tables without sending any message: the state of a freshly started system.
void ResetWindowSystem(WindowSystem& system);

}  // namespace win::detail
