#include "platform/win/Input.h"

#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/Messages.h"
#include "platform/win/WindowTable.h"

#include <cctype>

namespace win {

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

ThreadQueue* QueueOfWindow(HWND hwnd)
{
    Window* window = FindWindowRecord(hwnd);
    return window ? QueueOf(window->thread) : nullptr;
}

}  // namespace

bool IsKeyboardMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

void NoteInputFetched(ThreadQueue& queue, const MSG& msg)
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
