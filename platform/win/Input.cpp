#include "platform/win/Input.h"

#include "platform/win/Activation.h"
#include "platform/win/Cursor.h"
#include "platform/win/HitTest.h"
#include "platform/win/MessageQueue.h"
#include "platform/services/Sound.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/Timers.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/Activation.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/win/detail/HitTest.h"
#include "platform/win/detail/ScreenEvents.h"
#include "platform/win/detail/Timers.h"
#include "platform/wintypes/Messages.h"
#include "platform/win/detail/WindowTable.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace win {

using namespace detail;

namespace {

constexpr BYTE KeyDown = 0x80;
constexpr BYTE KeyToggled = 0x01;

void ApplyKey(BYTE (&state)[256], UINT vk, bool down)
{
    BYTE& key = state[vk & 0xFF];
    if (down) {
        if (!(key & KeyDown)) {
            key ^= KeyToggled;
        }
        key |= KeyDown;
    } else {
        key &= static_cast<BYTE>(~KeyDown);
    }
}

// The key (or button) and whether the message presses it.
bool KeyOfMessage(const MSG& msg, UINT& vk, bool& down)
{
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: vk = static_cast<UINT>(msg.wParam); down = true; return true;
    case WM_KEYUP:
    case WM_SYSKEYUP: vk = static_cast<UINT>(msg.wParam); down = false; return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: vk = VK_LBUTTON; down = true; return true;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: vk = VK_LBUTTON; down = false; return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK: vk = VK_RBUTTON; down = true; return true;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP: vk = VK_RBUTTON; down = false; return true;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK: vk = VK_MBUTTON; down = true; return true;
    case WM_MBUTTONUP:
    case WM_NCMBUTTONUP: vk = VK_MBUTTON; down = false; return true;
    default: return false;
    }
}

// The character of a key on the US layout, 0 when the key makes none.
char UsLayoutChar(UINT vk, const BYTE (&state)[256])
{
    const bool shift = state[VK_SHIFT] & KeyDown;
    const bool control = state[VK_CONTROL] & KeyDown;
    const bool caps = state[VK_CAPITAL] & KeyToggled;
    if (vk >= 'A' && vk <= 'Z') {
        if (control) {
            return static_cast<char>(vk - 'A' + 1);
        }
        return static_cast<char>((shift != caps) ? vk : std::tolower(static_cast<int>(vk)));
    }
    if (control) {
        return 0;
    }
    if (vk >= '0' && vk <= '9') {
        return shift ? ")!@#$%^&*("[vk - '0'] : static_cast<char>(vk);
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        return static_cast<char>('0' + (vk - VK_NUMPAD0));
    }
    struct Key {
        UINT vk;
        char plain;
        char shifted;
    };
    static constexpr Key keys[] = {
        {VK_SPACE, ' ', ' '},       {VK_RETURN, '\r', '\r'},   {VK_BACK, '\b', '\b'},     {VK_TAB, '\t', '\t'},
        {VK_ESCAPE, '\x1b', '\x1b'}, {VK_MULTIPLY, '*', '*'},   {VK_ADD, '+', '+'},        {VK_SUBTRACT, '-', '-'},
        {VK_DECIMAL, '.', '.'},     {VK_DIVIDE, '/', '/'},     {VK_OEM_1, ';', ':'},      {VK_OEM_PLUS, '=', '+'},
        {VK_OEM_COMMA, ',', '<'},   {VK_OEM_MINUS, '-', '_'},  {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
        {VK_OEM_3, '`', '~'},       {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},     {VK_OEM_6, ']', '}'},
        {VK_OEM_7, '\'', '"'},
    };
    for (const Key& key : keys) {
        if (key.vk == vk) {
            return shift ? key.shifted : key.plain;
        }
    }
    return 0;
}

// Scan codes of the US layout by virtual key; the first key of a scan code is its virtual key.
struct ScanCode {
    UINT vk;
    UINT scan;
};
constexpr ScanCode ScanCodes[] = {
    {VK_ESCAPE, 0x01}, {'1', 0x02}, {'2', 0x03}, {'3', 0x04}, {'4', 0x05}, {'5', 0x06}, {'6', 0x07},
    {'7', 0x08}, {'8', 0x09}, {'9', 0x0A}, {'0', 0x0B}, {VK_OEM_MINUS, 0x0C}, {VK_OEM_PLUS, 0x0D},
    {VK_BACK, 0x0E}, {VK_TAB, 0x0F}, {'Q', 0x10}, {'W', 0x11}, {'E', 0x12}, {'R', 0x13}, {'T', 0x14},
    {'Y', 0x15}, {'U', 0x16}, {'I', 0x17}, {'O', 0x18}, {'P', 0x19}, {VK_OEM_4, 0x1A}, {VK_OEM_6, 0x1B},
    {VK_RETURN, 0x1C}, {VK_CONTROL, 0x1D}, {'A', 0x1E}, {'S', 0x1F}, {'D', 0x20}, {'F', 0x21}, {'G', 0x22},
    {'H', 0x23}, {'J', 0x24}, {'K', 0x25}, {'L', 0x26}, {VK_OEM_1, 0x27}, {VK_OEM_7, 0x28}, {VK_OEM_3, 0x29},
    {VK_SHIFT, 0x2A}, {VK_OEM_5, 0x2B}, {'Z', 0x2C}, {'X', 0x2D}, {'C', 0x2E}, {'V', 0x2F}, {'B', 0x30},
    {'N', 0x31}, {'M', 0x32}, {VK_OEM_COMMA, 0x33}, {VK_OEM_PERIOD, 0x34}, {VK_OEM_2, 0x35},
    {VK_RSHIFT, 0x36}, {VK_MULTIPLY, 0x37}, {VK_MENU, 0x38}, {VK_SPACE, 0x39}, {VK_CAPITAL, 0x3A},
    {VK_F1, 0x3B}, {VK_F2, 0x3C}, {VK_F3, 0x3D}, {VK_F4, 0x3E}, {VK_F5, 0x3F}, {VK_F6, 0x40}, {VK_F7, 0x41},
    {VK_F8, 0x42}, {VK_F9, 0x43}, {VK_F10, 0x44}, {VK_NUMLOCK, 0x45}, {VK_SCROLL, 0x46}, {VK_HOME, 0x47},
    {VK_UP, 0x48}, {VK_PRIOR, 0x49}, {VK_SUBTRACT, 0x4A}, {VK_LEFT, 0x4B}, {VK_RIGHT, 0x4D}, {VK_ADD, 0x4E},
    {VK_END, 0x4F}, {VK_DOWN, 0x50}, {VK_NEXT, 0x51}, {VK_INSERT, 0x52}, {VK_DELETE, 0x53}, {VK_F11, 0x57},
    {VK_F12, 0x58}, {VK_NUMPAD0 + 7, 0x47}, {VK_NUMPAD0 + 8, 0x48}, {VK_NUMPAD9, 0x49}, {VK_NUMPAD0 + 4, 0x4B},
    {VK_NUMPAD0 + 5, 0x4C}, {VK_NUMPAD0 + 6, 0x4D}, {VK_NUMPAD0 + 1, 0x4F}, {VK_NUMPAD0 + 2, 0x50},
    {VK_NUMPAD0 + 3, 0x51}, {VK_NUMPAD0, 0x52}, {VK_DECIMAL, 0x53},
};

ThreadQueue* QueueOfWindow(HWND hwnd)
{
    Window* window = FindWindowRecord(hwnd);
    return window ? QueueOf(window->thread) : nullptr;
}

}  // namespace

bool detail::IsKeyboardMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

bool detail::IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

void detail::NoteInputFetched(ThreadQueue& queue, const MSG& msg)
{
    UINT vk;
    bool down;
    if (KeyOfMessage(msg, vk, down)) {
        ApplyKey(queue.keyState, vk, down);
    }
}

BOOL PostInputMessage(const MSG* msg)
{
    if (!msg || !(IsKeyboardMessage(msg->message) || IsMouseMessage(msg->message))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = LockSystem();
    WindowSystem& system = System();
    if (!WindowOrError(msg->hwnd)) {
        return FALSE;
    }
    ThreadQueue* queue = QueueOfWindow(msg->hwnd);
    if (!queue) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    UINT vk;
    bool down;
    if (KeyOfMessage(*msg, vk, down)) {
        ApplyKey(system.asyncKeyState, vk, down);
    }
    if (IsMouseMessage(msg->message)) {
        system.cursor = msg->pt;
    }
    queue->input.push_back(*msg);
    system.changed.notify_all();
    return TRUE;
}

std::int16_t GetKeyState(int virtualKey)
{
    auto lock = LockSystem();
    const BYTE key = QueueOfCurrentThread().keyState[virtualKey & 0xFF];
    return static_cast<std::int16_t>(((key & KeyDown) ? 0x8000 : 0) | (key & KeyToggled));
}

std::int16_t GetAsyncKeyState(int virtualKey)
{
    auto lock = LockSystem();
    const BYTE key = System().asyncKeyState[virtualKey & 0xFF];
    return static_cast<std::int16_t>((key & KeyDown) ? 0x8000 : 0);
}

BOOL GetCursorPos(POINT* point)
{
    if (!point) {
        return FALSE;
    }
    auto lock = LockSystem();
    *point = System().cursor;
    return TRUE;
}

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg || !IsKeyboardMessage(msg->message)) {
        return FALSE;
    }
    if (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) {
        return TRUE;
    }
    const bool system = msg->message == WM_SYSKEYDOWN;
    char ch;
    bool dead = false;
    if (msg->lPrivate & InputHasChar) {
        ch = static_cast<char>(msg->lPrivate & 0xFF);
        dead = msg->lPrivate & InputDeadChar;
    } else {
        auto lock = LockSystem();
        ch = UsLayoutChar(static_cast<UINT>(msg->wParam), QueueOfCurrentThread().keyState);
    }
    if (ch == 0) {
        return TRUE;
    }
    const UINT message = system ? (dead ? WM_SYSDEADCHAR : WM_SYSCHAR) : (dead ? WM_DEADCHAR : WM_CHAR);
    PostMessage(msg->hwnd, message, static_cast<WPARAM>(static_cast<unsigned char>(ch)), msg->lParam);
    return TRUE;
}

HWND SetCapture(HWND hwnd)
{
    HWND old;
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window || window->thread != GetCurrentThreadId()) {
            return nullptr;
        }
        ThreadQueue& queue = QueueOfCurrentThread();
        old = queue.capture;
        queue.capture = hwnd;
        Display().CaptureChanged(hwnd);
    }
    if (old && old != hwnd) {
        SendMessage(old, WM_CAPTURECHANGED, 0, HandleValue(hwnd));
    }
    return old;
}

BOOL ReleaseCapture()
{
    HWND old;
    {
        auto lock = LockSystem();
        ThreadQueue& queue = QueueOfCurrentThread();
        old = queue.capture;
        queue.capture = nullptr;
        if (old) {
            Display().CaptureChanged(nullptr);
        }
    }
    if (old) {
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

HWND GetCapture()
{
    auto lock = LockSystem();
    return QueueOfCurrentThread().capture;
}

HWND SetFocus(HWND hwnd)
{
    HWND old;
    {
        auto lock = LockSystem();
        if (hwnd) {
            Window* window = WindowOrError(hwnd);
            if (!window || window->thread != GetCurrentThreadId() || (window->style & WS_DISABLED)) {
                return nullptr;
            }
        }
        old = QueueOfCurrentThread().focus;
    }
    if (old == hwnd) {
        return old;
    }
    if (hwnd) {
        HWND top;
        bool activate;
        {
            auto lock = LockSystem();
            top = RootWindowOf(hwnd);
            Window* root = FindWindowRecord(top);
            activate = root && root->parent == System().desktop && QueueOfCurrentThread().active != top;
        }
        if (activate) {
            ActivateWindow(top, WA_ACTIVE);
            old = GetFocus();
            if (old == hwnd || !IsWindow(hwnd)) {
                return old;
            }
        }
    }
    if (old) {
        SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    {
        auto lock = LockSystem();
        // A window destroyed by the WM_KILLFOCUS handler cannot take the focus.
        QueueOfCurrentThread().focus = hwnd && FindWindowRecord(hwnd) ? hwnd : nullptr;
    }
    if (hwnd && IsWindow(hwnd)) {
        SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    }
    return old;
}

HWND GetFocus()
{
    auto lock = LockSystem();
    return QueueOfCurrentThread().focus;
}

}  // namespace win

namespace win {

namespace {

bool IsButtonDown(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

UINT SwappedButton(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN: return WM_RBUTTONDOWN;
    case WM_LBUTTONUP: return WM_RBUTTONUP;
    case WM_RBUTTONDOWN: return WM_LBUTTONDOWN;
    case WM_RBUTTONUP: return WM_LBUTTONUP;
    default: return message;
    }
}

WPARAM MouseKeysOf(const BYTE (&state)[256])
{
    WPARAM keys = 0;
    keys |= (state[VK_LBUTTON] & KeyDown) ? MK_LBUTTON : 0;
    keys |= (state[VK_RBUTTON] & KeyDown) ? MK_RBUTTON : 0;
    keys |= (state[VK_MBUTTON] & KeyDown) ? MK_MBUTTON : 0;
    keys |= (state[VK_SHIFT] & KeyDown) ? MK_SHIFT : 0;
    keys |= (state[VK_CONTROL] & KeyDown) ? MK_CONTROL : 0;
    return keys;
}

// The window holding the capture, the foreground thread's first. Lock held.
HWND CaptureWindow()
{
    WindowSystem& system = System();
    if (ThreadQueue* queue = QueueOf(system.foregroundThread); queue && queue->capture) {
        return queue->capture;
    }
    for (auto& [thread, queue] : system.queues) {
        if (queue->capture) {
            return queue->capture;
        }
    }
    return nullptr;
}

// A second press of a button on the same window, in time and near enough, is a double click on
// windows whose class asks for them (non-client presses always pair). Lock held.
UINT DoubleClickOf(WindowSystem& system, HWND hwnd, UINT message, LRESULT hit, POINT pt, DWORD time)
{
    if (message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN && message != WM_MBUTTONDOWN) {
        return message;
    }
    Window* window = FindWindowRecord(hwnd);
    const bool wanted = hit != HTCLIENT || (window && window->windowClass && (window->windowClass->style & CS_DBLCLKS));
    WindowSystem::LastClick& last = system.lastClick;
    const bool pair = wanted && last.hwnd == hwnd && last.message == message && time - last.time <= GetDoubleClickTime() &&
                      std::abs(pt.x - last.pt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                      std::abs(pt.y - last.pt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (pair) {
        last = WindowSystem::LastClick();
        return message + 2;  // the DBLCLK message of the button
    }
    last = WindowSystem::LastClick{hwnd, message, time, pt};
    return message;
}

// Ends mouse-leave tracking of windows the mouse is no longer over. Lock held.
void EndMouseTracking(WindowSystem& system, HWND hwnd, LRESULT hit, POINT pt, DWORD time)
{
    for (auto& [thread, queue] : system.queues) {
        if (!queue->mouseTracked) {
            continue;
        }
        const bool nonClient = queue->mouseTrackFlags & TME_NONCLIENT;
        const bool still = queue->mouseTracked == hwnd && (nonClient ? hit != HTCLIENT : hit == HTCLIENT);
        if (still) {
            continue;
        }
        MSG leave;
        leave.hwnd = queue->mouseTracked;
        leave.message = nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE;
        leave.time = time;
        leave.pt = pt;
        queue->posted.push_back(leave);
        queue->mouseTracked = nullptr;
        queue->mouseTrackFlags = 0;
    }
}

constexpr UINT_PTR HoverTimerId = 0xFFFE;

RECT HoverRectAround(POINT pt)
{
    UINT width = 4;
    UINT height = 4;
    SystemParametersInfo(SPI_GETMOUSEHOVERWIDTH, 0, &width, 0);
    SystemParametersInfo(SPI_GETMOUSEHOVERHEIGHT, 0, &height, 0);
    const int halfWidth = static_cast<int>(width / 2);
    const int halfHeight = static_cast<int>(height / 2);
    return RECT{pt.x - halfWidth, pt.y - halfHeight, pt.x + halfWidth + 1, pt.y + halfHeight + 1};
}

// Hover tracking after a mouse move: ended when the mouse left the window (or crossed between client and
// non-client area), started over when it moved out of the hover rectangle. Lock held; answers the
// windows whose hover timer is to start again (restart) or stop.
void FollowHover(WindowSystem& system, HWND hwnd, LRESULT hit, POINT pt, std::vector<std::pair<HWND, UINT>>& restart,
                 std::vector<HWND>& stop)
{
    for (auto& [thread, queue] : system.queues) {
        if (!queue->hoverTracked) {
            continue;
        }
        const bool nonClient = queue->hoverFlags & TME_NONCLIENT;
        if (queue->hoverTracked != hwnd || (nonClient ? hit == HTCLIENT : hit != HTCLIENT)) {
            stop.push_back(queue->hoverTracked);
            queue->hoverTracked = nullptr;
            continue;
        }
        const RECT& r = queue->hoverRect;
        if (pt.x < r.left || pt.x >= r.right || pt.y < r.top || pt.y >= r.bottom) {
            queue->hoverRect = HoverRectAround(pt);
            restart.emplace_back(hwnd, queue->hoverTime);
        }
    }
}

LRESULT HitOf(const MSG& msg)
{
    if (msg.lPrivate & InputHasHitTest) {
        return static_cast<std::int16_t>(msg.lPrivate & 0xFFFF);
    }
    const bool nonClient = msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK;
    return nonClient ? static_cast<LRESULT>(msg.wParam) : HTCLIENT;
}

// The client mouse message a non-client one stands for.
UINT ClientMessageOf(UINT message)
{
    return message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK ? message - WM_NCMOUSEMOVE + WM_MOUSEMOVE
                                                                        : message;
}

// A press on a window a modal window disabled beeps and brings the modal window forward.
void ReportDisabledClick(HWND hwnd)
{
    MessageBeep(0);
    if (HWND popup = GetWindow(hwnd, GW_ENABLEDPOPUP); popup && popup != hwnd) {
        SetActiveWindow(popup);
    }
}

// A press in a child window is told to each parent in turn (WM_PARENTNOTIFY, the point in the parent's
// client coordinates), up to the first window with WS_EX_NOPARENTNOTIFY or a top-level window.
void NotifyParentsOfClick(HWND hwnd, UINT message, POINT screen)
{
    std::vector<std::pair<HWND, POINT>> parents;
    {
        auto lock = LockSystem();
        for (Window* window = FindWindowRecord(hwnd);
             window && (window->style & WS_CHILD) && !(window->exStyle & WS_EX_NOPARENTNOTIFY);
             window = FindWindowRecord(window->parent)) {
            Window* parent = FindWindowRecord(window->parent);
            if (!parent) {
                break;
            }
            const POINT origin = ClientOriginOnScreen(*parent);
            parents.emplace_back(parent->handle, POINT{screen.x - origin.x, screen.y - origin.y});
        }
    }
    for (const auto& [parent, pt] : parents) {
        SendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<WORD>(message), 0),
                    MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
    }
}

HCURSOR CursorOfHit(LRESULT hit)
{
    switch (hit) {
    case HTLEFT:
    case HTRIGHT: return LoadCursor(nullptr, IDC_SIZEWE);
    case HTTOP:
    case HTBOTTOM: return LoadCursor(nullptr, IDC_SIZENS);
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
    case HTGROWBOX: return LoadCursor(nullptr, IDC_SIZENWSE);
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return LoadCursor(nullptr, IDC_SIZENESW);
    default: return LoadCursor(nullptr, IDC_ARROW);
    }
}

}  // namespace

void detail::ScreenPointerLeft(POINT pt, DWORD time)
{
    std::vector<std::pair<HWND, UINT>> restart;
    std::vector<HWND> stop;
    {
        auto lock = LockSystem();
        WindowSystem& system = System();
        system.cursor = pt;
        EndMouseTracking(system, nullptr, HTNOWHERE, pt, time);
        FollowHover(system, nullptr, HTNOWHERE, pt, restart, stop);
        system.changed.notify_all();
    }
    for (HWND hwnd : stop) {
        KillSystemTimer(hwnd, HoverTimerId);
    }
}

BOOL PostMouseInput(UINT message, POINT screen, int wheelDelta, DWORD time)
{
    if (!IsMouseMessage(message) || (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HWND target = nullptr;
    LRESULT hit = HTCLIENT;
    {
        auto lock = LockSystem();
        WindowSystem& system = System();
        RequireInitialized(system);
        if (system.swapButtons) {
            message = SwappedButton(message);
        }
        UINT vk;
        bool down;
        MSG probe;
        probe.message = message;
        if (KeyOfMessage(probe, vk, down)) {
            ApplyKey(system.asyncKeyState, vk, down);
        }
        system.cursor = screen;
        if (message == WM_MOUSEWHEEL) {
            ThreadQueue* queue = QueueOf(system.foregroundThread);
            target = queue ? (queue->focus ? queue->focus : queue->active) : nullptr;
        } else {
            target = CaptureWindow();
        }
    }
    if (!target && message != WM_MOUSEWHEEL) {
        const MouseHit found = HitTestScreenPoint(screen);
        target = found.hwnd;
        hit = found.code;
    }
    std::vector<std::pair<HWND, UINT>> restart;
    std::vector<HWND> stop;
    struct HoverTimers {
        std::vector<std::pair<HWND, UINT>>& restart;
        std::vector<HWND>& stop;
        ~HoverTimers()
        {
            for (HWND hwnd : stop) {
                KillSystemTimer(hwnd, HoverTimerId);
            }
            for (const auto& [hwnd, time] : restart) {
                SetSystemTimer(hwnd, HoverTimerId, time);
            }
        }
    } timers{restart, stop};
    auto lock = LockSystem();
    WindowSystem& system = System();
    if (message != WM_MOUSEWHEEL) {
        EndMouseTracking(system, target, hit, screen, time);
        if (message == WM_MOUSEMOVE) {
            FollowHover(system, target, hit, screen, restart, stop);
        }
    }
    Window* window = FindWindowRecord(target);
    ThreadQueue* queue = window ? QueueOf(window->thread) : nullptr;
    if (!queue) {
        system.changed.notify_all();
        return TRUE;  // over the desktop: nobody gets it
    }
    MSG msg;
    msg.hwnd = target;
    msg.time = time;
    msg.pt = screen;
    msg.lPrivate = InputHitTest(hit);
    if (message == WM_MOUSEWHEEL) {
        msg.message = message;
        msg.wParam = (static_cast<WPARAM>(static_cast<WORD>(wheelDelta)) << 16) | MouseKeysOf(system.asyncKeyState);
        msg.lParam = MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y));
    } else if (hit == HTCLIENT || hit == HTERROR) {
        const POINT origin = ClientOriginOnScreen(*window);
        msg.message = DoubleClickOf(system, target, message, hit, screen, time);
        msg.wParam = MouseKeysOf(system.asyncKeyState);
        msg.lParam = MAKELPARAM(static_cast<WORD>(screen.x - origin.x), static_cast<WORD>(screen.y - origin.y));
    } else {
        msg.message = DoubleClickOf(system, target, message, hit, screen, time) - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        msg.wParam = static_cast<WPARAM>(hit);
        msg.lParam = MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y));
    }
    queue->input.push_back(msg);
    system.changed.notify_all();
    return TRUE;
}

bool detail::PrepareMouseMessage(const MSG& msg)
{
    if (!IsMouseMessage(msg.message) || msg.message == WM_MOUSEWHEEL || GetCapture()) {
        return true;
    }
    const LRESULT hit = HitOf(msg);
    const UINT clientMessage = ClientMessageOf(msg.message);
    const LPARAM where = MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(clientMessage));
    bool eat = false;
    if (hit == HTCLIENT && (clientMessage == WM_LBUTTONDOWN || clientMessage == WM_RBUTTONDOWN ||
                            clientMessage == WM_MBUTTONDOWN)) {
        NotifyParentsOfClick(msg.hwnd, clientMessage, msg.pt);
    }
    if (IsButtonDown(clientMessage) && hit != HTERROR) {
        HWND top;
        bool activatable;
        {
            auto lock = LockSystem();
            top = RootWindowOf(msg.hwnd);
            Window* root = FindWindowRecord(top);
            activatable = root && root->parent == System().desktop && !(root->exStyle & WS_EX_NOACTIVATE) &&
                          QueueOfCurrentThread().active != top;
        }
        if (activatable) {
            const LRESULT answer = SendMessage(msg.hwnd, WM_MOUSEACTIVATE, HandleValue(top), where);
            if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) {
                ActivateWindow(top, WA_CLICKACTIVE);
            }
            eat = answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT;
        }
    }
    if (IsWindow(msg.hwnd)) {
        SendMessage(msg.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(msg.hwnd), where);
    }
    return !eat && hit != HTERROR && IsWindow(msg.hwnd);
}

bool detail::DefInputMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
            SetFocus(hwnd);
        }
        result = 0;
        return true;
    case WM_SYSTIMER: {
        if (wParam != HoverTimerId) {
            return false;
        }
        KillSystemTimer(hwnd, HoverTimerId);
        auto lock = LockSystem();
        ThreadQueue& queue = QueueOfCurrentThread();
        Window* window = FindWindowRecord(hwnd);
        if (queue.hoverTracked == hwnd && window) {
            const bool nonClient = queue.hoverFlags & TME_NONCLIENT;
            const POINT pt = System().cursor;
            const POINT origin = ClientOriginOnScreen(*window);
            MSG hover;
            hover.hwnd = hwnd;
            hover.message = nonClient ? WM_NCMOUSEHOVER : WM_MOUSEHOVER;
            hover.wParam = nonClient ? static_cast<WPARAM>(HTCLIENT) : MouseKeysOf(queue.keyState);
            hover.lParam = nonClient ? MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y))
                                     : MAKELPARAM(static_cast<WORD>(pt.x - origin.x), static_cast<WORD>(pt.y - origin.y));
            hover.pt = pt;
            queue.posted.push_back(hover);
            queue.hoverTracked = nullptr;
            System().changed.notify_all();
        }
        result = 0;
        return true;
    }
    case WM_CANCELMODE:
        if (GetCapture() == hwnd) {
            ReleaseCapture();
        }
        result = 0;
        return true;
    case WM_SETCURSOR: {
        HWND parent = nullptr;
        HCURSOR classCursor = nullptr;
        {
            auto lock = LockSystem();
            Window* window = FindWindowRecord(hwnd);
            if (!window) {
                result = FALSE;
                return true;
            }
            parent = (window->style & WS_CHILD) ? window->parent : nullptr;
            classCursor = window->windowClass ? window->windowClass->cursor : nullptr;
        }
        if (parent && SendMessage(parent, WM_SETCURSOR, wParam, lParam)) {
            result = TRUE;
            return true;
        }
        const auto hit = static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam)));
        if (hit == HTERROR) {
            if (IsButtonDown(HIWORD(static_cast<std::uintptr_t>(lParam)))) {
                ReportDisabledClick(hwnd);
            }
            result = FALSE;
            return true;
        }
        if (hit == HTCLIENT) {
            if (classCursor) {
                SetCursor(classCursor);
            }
            result = classCursor ? TRUE : FALSE;
            return true;
        }
        SetCursor(CursorOfHit(hit));
        result = TRUE;
        return true;
    }
    case WM_RBUTTONUP: {
        // A right click asks for the context menu at the screen point.
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &pt);
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd),
                    MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
        result = 0;
        return true;
    }
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
        // The menu key, and Shift+F10, ask for it from the keyboard: (-1, -1).
        if ((message == WM_KEYUP && wParam == VK_APPS) ||
            (message == WM_SYSKEYDOWN && wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0)) {
            SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(0xFFFF, 0xFFFF));
            result = 0;
            return true;
        }
        return false;
    case WM_KEYDOWN:
        // F1 asks for help on the window with the focus.
        if (wParam == VK_F1) {
            HELPINFO info;
            info.iContextType = HELPINFO_WINDOW;
            info.iCtrlId = static_cast<int>(GetWindowLongPtr(hwnd, GWL_ID));
            info.hItemHandle = hwnd;
            GetCursorPos(&info.MousePos);
            SendMessage(hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
            result = 0;
            return true;
        }
        return false;
    default:
        return false;
    }
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track)
{
    if (!track || track->cbSize != sizeof(TRACKMOUSEEVENT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if ((track->dwFlags & TME_HOVER) && !(track->dwFlags & (TME_QUERY | TME_CANCEL))) {
        UINT time = track->dwHoverTime;
        if (time == HOVER_DEFAULT) {
            SystemParametersInfo(SPI_GETMOUSEHOVERTIME, 0, &time, 0);
        }
        {
            auto lock = LockSystem();
            if (!WindowOrError(track->hwndTrack)) {
                return FALSE;
            }
            ThreadQueue& queue = QueueOfCurrentThread();
            queue.hoverTracked = track->hwndTrack;
            queue.hoverFlags = track->dwFlags & TME_NONCLIENT;
            queue.hoverTime = time;
            queue.hoverRect = HoverRectAround(System().cursor);
        }
        SetSystemTimer(track->hwndTrack, HoverTimerId, time);
    }
    auto lock = LockSystem();
    ThreadQueue& queue = QueueOfCurrentThread();
    if (track->dwFlags & TME_QUERY) {
        const HWND tracked = queue.mouseTracked ? queue.mouseTracked : queue.hoverTracked;
        track->dwFlags = (queue.mouseTracked ? TME_LEAVE | queue.mouseTrackFlags : 0) |
                         (queue.hoverTracked && queue.hoverTracked == tracked ? TME_HOVER | queue.hoverFlags : 0);
        track->hwndTrack = tracked;
        track->dwHoverTime = queue.hoverTracked == tracked ? queue.hoverTime : 0;
        return TRUE;
    }
    Window* window = WindowOrError(track->hwndTrack);
    if (!window) {
        return FALSE;
    }
    if (track->dwFlags & TME_CANCEL) {
        if ((track->dwFlags & TME_LEAVE) && queue.mouseTracked == track->hwndTrack) {
            queue.mouseTracked = nullptr;
            queue.mouseTrackFlags = 0;
        }
        if ((track->dwFlags & TME_HOVER) && queue.hoverTracked == track->hwndTrack) {
            queue.hoverTracked = nullptr;
        }
        return TRUE;
    }
    if (!(track->dwFlags & TME_LEAVE)) {
        return TRUE;
    }
    queue.mouseTracked = track->hwndTrack;
    queue.mouseTrackFlags = track->dwFlags & TME_NONCLIENT;
    // A mouse already elsewhere is reported at once.
    const POINT pt = System().cursor;
    const POINT origin = ClientOriginOnScreen(*window);
    const RECT client{origin.x, origin.y, origin.x + window->clientRect.right - window->clientRect.left,
                      origin.y + window->clientRect.bottom - window->clientRect.top};
    const bool inClient = pt.x >= client.left && pt.x < client.right && pt.y >= client.top && pt.y < client.bottom;
    const bool inWindow = WindowContainsPoint(track->hwndTrack, pt);
    const bool over = (track->dwFlags & TME_NONCLIENT) ? inWindow && !inClient : inClient;
    if (!over) {
        EndMouseTracking(System(), nullptr, HTNOWHERE, pt, 0);
    }
    return TRUE;
}

BOOL SwapMouseButton(BOOL swap)
{
    auto lock = LockSystem();
    const bool old = System().swapButtons;
    System().swapButtons = swap != FALSE;
    return old ? TRUE : FALSE;
}

BOOL GetKeyboardState(BYTE* keyState)
{
    if (!keyState) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = LockSystem();
    std::memcpy(keyState, QueueOfCurrentThread().keyState, 256);
    return TRUE;
}

BOOL SetKeyboardState(const BYTE* keyState)
{
    if (!keyState) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = LockSystem();
    std::memcpy(QueueOfCurrentThread().keyState, keyState, 256);
    return TRUE;
}

UINT MapVirtualKey(UINT code, UINT mapType)
{
    switch (mapType) {
    case MAPVK_VK_TO_VSC:
        for (const ScanCode& key : ScanCodes) {
            if (key.vk == code) {
                return key.scan;
            }
        }
        return 0;
    case MAPVK_VSC_TO_VK:
        for (const ScanCode& key : ScanCodes) {
            if (key.scan == code) {
                return key.vk;
            }
        }
        return 0;
    case MAPVK_VK_TO_CHAR: {
        const BYTE none[256] = {};
        const char ch = UsLayoutChar(code, none);
        return static_cast<UINT>(std::toupper(static_cast<unsigned char>(ch)));
    }
    default:
        return 0;
    }
}

std::int16_t VkKeyScan(char ch)
{
    BYTE state[256] = {};
    for (int shift = 0; shift < 2; ++shift) {
        state[VK_SHIFT] = shift ? KeyDown : 0;
        for (UINT vk = 1; vk < 256; ++vk) {
            if (UsLayoutChar(vk, state) == ch) {
                return static_cast<std::int16_t>(vk | (shift ? 0x100 : 0));
            }
        }
    }
    state[VK_SHIFT] = 0;
    state[VK_CONTROL] = KeyDown;
    for (UINT vk = 'A'; vk <= 'Z'; ++vk) {
        if (UsLayoutChar(vk, state) == ch) {
            return static_cast<std::int16_t>(vk | 0x200);
        }
    }
    return -1;
}

int ToAscii(UINT virtualKey, UINT, const BYTE* keyState, WORD* result, UINT)
{
    if (!keyState || !result) {
        return 0;
    }
    BYTE state[256];
    std::memcpy(state, keyState, 256);
    const char ch = UsLayoutChar(virtualKey, state);
    if (ch == 0) {
        return 0;
    }
    *result = static_cast<unsigned char>(ch);
    return 1;
}

}  // namespace win
