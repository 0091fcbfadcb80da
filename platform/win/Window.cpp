#include "platform/win/Window.h"

#include "platform/win/Activation.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/Activation.h"
#include "platform/win/detail/Window.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/win/detail/Frame.h"
#include "platform/win/detail/Layered.h"
#include "platform/win/detail/ScreenEvents.h"
#include "platform/win/detail/WindowTable.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/StringUtils.h"
#include "platform/win/detail/ScreenDC.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace win {

using namespace detail;

namespace {

std::string PropKey(const char* name)
{
    if (IS_INTRESOURCE(name)) {
        return "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name));
    }
    return rtl::AnsiUpperCase(name);
}

// The window's property of that key (see PropKey), or the end of its list. Lock held.
auto FindProp(Window& window, const std::string& key)
{
    return std::find_if(window.props.begin(), window.props.end(), [&](const auto& prop) { return prop.first == key; });
}

std::vector<HWND> ChildrenOf(HWND hwnd)
{
    auto lock = LockSystem();
    Window* window = FindWindowRecord(hwnd);
    return window ? window->children : std::vector<HWND>();
}

// Inserts a new window among its siblings: children at the bottom of the z-order (so the first child
// created comes first), top-level windows at the top, below the topmost ones unless topmost itself.
void InsertInZOrder(Window& parent, const Window& window)
{
    if (window.style & WS_CHILD) {
        parent.children.push_back(window.handle);
        return;
    }
    auto position = parent.children.begin();
    if (!(window.exStyle & WS_EX_TOPMOST)) {
        position = std::find_if(parent.children.begin(), parent.children.end(), [](HWND sibling) {
            Window* other = FindWindowRecord(sibling);
            return !other || !(other->exStyle & WS_EX_TOPMOST);
        });
    }
    parent.children.insert(position, window.handle);
}

// The rectangle of a new window. CW_USEDEFAULT places overlapped windows in a cascade down the work
// area, three quarters of it in size; other windows get 0.
RECT MakeRect(DWORD style, int x, int y, int width, int height)
{
    const bool overlapped = !(style & (WS_CHILD | WS_POPUP));
    if (overlapped && (x == CW_USEDEFAULT || width == CW_USEDEFAULT)) {
        MONITORINFO monitor;
        GetMonitorInfo(MonitorFromPoint(POINT{}, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        if (x == CW_USEDEFAULT) {
            int step;
            {
                auto lock = LockSystem();
                step = System().nextCascade++ % 8;
            }
            const int offset = step * (GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME));
            x = work.left + offset;
            y = work.top + offset;
        }
        if (width == CW_USEDEFAULT) {
            width = (work.right - work.left) * 3 / 4;
            height = (work.bottom - work.top) * 3 / 4;
        }
    }
    if (x == CW_USEDEFAULT) {
        x = y = 0;
    }
    if (width == CW_USEDEFAULT) {
        width = height = 0;
    }
    return RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
}

// Creates the record of a new window, or answers null with the last error set.
HWND RegisterNewWindow(DWORD exStyle, const char* className, DWORD style, const RECT& rect, HWND parent,
                       HMENU menu, HINSTANCE instance)
{
    auto lock = LockSystem();
    WindowSystem& system = System();
    RequireInitialized(system);
    WindowClass* windowClass = FindClassRecord(className);
    if (!windowClass) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    HWND parentHandle = system.desktop;
    HWND ownerHandle = nullptr;
    if (parent == HWND_MESSAGE) {
        parentHandle = system.messageRoot;
    } else if (style & WS_CHILD) {
        if (!parent) {
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return nullptr;
        }
        if (!WindowOrError(parent)) {
            return nullptr;
        }
        parentHandle = parent;
    } else if (parent) {
        if (!WindowOrError(parent)) {
            return nullptr;
        }
        ownerHandle = RootWindowOf(parent);
    }
    Window* window = AllocateWindow();
    if (!window) {
        return nullptr;
    }
    window->windowClass = windowClass;
    ++windowClass->windows;
    window->proc = windowClass->proc;
    window->style = style & ~WS_VISIBLE;
    window->exStyle = exStyle;
    window->parent = parentHandle;
    window->owner = ownerHandle;
    window->id = (style & WS_CHILD) ? reinterpret_cast<LONG_PTR>(menu) : 0;
    window->instance = instance;
    window->extra.assign(static_cast<std::size_t>(windowClass->wndExtra), 0);
    window->scrollBars[0].max = (style & WS_HSCROLL) ? 100 : 0;
    window->scrollBars[1].max = (style & WS_VSCROLL) ? 100 : 0;
    window->windowRect = rect;
    window->clientRect = rect;
    window->thread = GetCurrentThreadId();
    QueueOfCurrentThread();
    InsertInZOrder(*FindWindowRecord(parentHandle), *window);
    return window->handle;
}

MINMAXINFO DefaultMinMaxInfo()
{
    MINMAXINFO info;
    auto lock = LockSystem();
    if (Window* desktop = FindWindowRecord(System().desktop)) {
        const RECT& screen = desktop->windowRect;
        info.ptMaxSize = {screen.right - screen.left, screen.bottom - screen.top};
        info.ptMaxTrackSize = info.ptMaxSize;
    }
    return info;
}

// Sends the creation messages; answers false when the window refused to be created (and is gone).
bool SendCreationMessages(HWND hwnd, CREATESTRUCT& create)
{
    const bool child = create.style & WS_CHILD;
    if (!child) {
        MINMAXINFO info = DefaultMinMaxInfo();
        SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    }
    if (!IsWindow(hwnd)) {
        return false;
    }
    if (!SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
        SendMessage(hwnd, WM_NCDESTROY, 0, 0);
        auto lock = LockSystem();
        if (FindWindowRecord(hwnd)) {
            FreeWindow(hwnd);
        }
        return false;
    }
    RECT rect{create.x, create.y, create.x + create.cx, create.y + create.cy};
    SendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
    {
        auto lock = LockSystem();
        if (Window* window = FindWindowRecord(hwnd)) {
            window->clientRect = rect;
        }
    }
    if (!IsWindow(hwnd) || SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(hwnd);
        return false;
    }
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(static_cast<WORD>(rect.right - rect.left), static_cast<WORD>(rect.bottom - rect.top)));
    SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(rect.left), static_cast<WORD>(rect.top)));
    if (child && !(create.dwExStyle & WS_EX_NOPARENTNOTIFY)) {
        SendMessage(create.hwndParent, WM_PARENTNOTIFY,
                    MAKEWPARAM(WM_CREATE, static_cast<WORD>(reinterpret_cast<std::uintptr_t>(create.hMenu))),
                    HandleValue(hwnd));
    }
    if (create.style & WS_VISIBLE) {
        SetWindowVisibleFlag(hwnd, true);
        SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return IsWindow(hwnd);
}

// WM_DESTROY to the window, then to each child and its children in turn.
void SendDestroyMessages(HWND hwnd)
{
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : ChildrenOf(hwnd)) {
        {
            auto lock = LockSystem();
            Window* window = FindWindowRecord(child);
            if (!window || window->destroying || window->parent != hwnd) {
                continue;
            }
            window->destroying = true;
        }
        SendDestroyMessages(child);
    }
}

// WM_NCDESTROY to the children (deepest first), then to the window, which is freed after it.
void SendNcDestroyMessages(HWND hwnd)
{
    for (HWND child : ChildrenOf(hwnd)) {
        SendNcDestroyMessages(child);
    }
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    auto lock = LockSystem();
    std::function<void(HWND)> freeTree = [&](HWND handle) {
        Window* window = FindWindowRecord(handle);
        if (!window) {
            return;
        }
        // Children made while the window was going away go with it.
        for (HWND child : std::vector<HWND>(window->children)) {
            freeTree(child);
        }
        FreeWindow(handle);
    };
    freeTree(hwnd);
}

// Lets go of the capture when a window of the tree holds it.
void ReleaseCaptureOfTree(HWND hwnd)
{
    HWND capture = nullptr;
    {
        auto lock = LockSystem();
        ThreadQueue& queue = QueueOfCurrentThread();
        if (queue.capture && IsSelfOrDescendant(hwnd, queue.capture)) {
            capture = queue.capture;
            queue.capture = nullptr;
            Display().CaptureChanged(nullptr);
        }
    }
    if (capture) {
        SendMessage(capture, WM_CAPTURECHANGED, 0, 0);
    }
}

// A focus within a window being destroyed goes away with WM_KILLFOCUS.
void DropFocusOfTree(HWND hwnd)
{
    bool within;
    {
        auto lock = LockSystem();
        const HWND focus = QueueOfCurrentThread().focus;
        within = focus && IsSelfOrDescendant(hwnd, focus);
    }
    if (within) {
        SetFocus(nullptr);
    }
}

std::vector<HWND> OwnedWindowsOf(HWND hwnd)
{
    std::vector<HWND> owned;
    auto lock = LockSystem();
    const DWORD thread = GetCurrentThreadId();
    for (HWND top : TopLevelWindows()) {
        Window* window = FindWindowRecord(top);
        if (window && window->owner == hwnd && window->thread == thread && !window->destroying) {
            owned.push_back(top);
        }
    }
    return owned;
}

bool MatchesWindow(HWND hwnd, const char* className, const char* windowName)
{
    Window* window = FindWindowRecord(hwnd);
    if (!window) {
        return false;
    }
    if (className) {
        WindowClass* wanted = FindClassRecord(className);
        if (wanted != window->windowClass) {
            return false;
        }
    }
    return !windowName || rtl::AnsiSameText(window->text, windowName);
}

// The topmost visible, enabled window owned by hwnd (the modal window that disabled it), or hwnd itself
// when there is none. Lock held.
HWND EnabledPopupOf(HWND hwnd)
{
    for (HWND top : TopLevelWindows()) {
        Window* window = FindWindowRecord(top);
        if (window && window->owner == hwnd && (window->style & WS_VISIBLE) && !(window->style & WS_DISABLED)) {
            return top;
        }
    }
    return hwnd;
}

LRESULT SendToParent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool ownerToo)
{
    HWND target = nullptr;
    {
        auto lock = LockSystem();
        Window* window = FindWindowRecord(hwnd);
        if (!window) {
            return 0;
        }
        if (window->style & WS_CHILD) {
            target = window->parent;
        } else if (ownerToo) {
            target = window->owner;
        }
    }
    return target ? SendMessage(target, message, wParam, lParam) : 0;
}

void StoreText(HWND hwnd, const char* text)
{
    auto lock = LockSystem();
    if (Window* window = FindWindowRecord(hwnd)) {
        window->text = text && !IS_INTRESOURCE(text) ? text : "";
    }
}

// Changes GWL_STYLE or GWL_EXSTYLE with WM_STYLECHANGING and WM_STYLECHANGED around the change.
LONG_PTR ChangeStyle(HWND hwnd, int index, DWORD value)
{
    STYLESTRUCT change;
    bool repaint = false;
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window) {
            return 0;
        }
        change.styleOld = index == GWL_STYLE ? window->style : window->exStyle;
        change.styleNew = value;
    }
    SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window) {
            return 0;
        }
        DWORD& style = index == GWL_STYLE ? window->style : window->exStyle;
        const DWORD before = std::exchange(style, change.styleNew);
        if (index == GWL_EXSTYLE && ((before ^ style) & WS_EX_LAYERED)) {
            repaint = LayeredStyleChanged(*window);
        }
    }
    SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    if (repaint) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return static_cast<LONG_PTR>(change.styleOld);
}

}  // namespace

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param)
{
    const RECT rect = MakeRect(style, x, y, width, height);
    const HWND hwnd = RegisterNewWindow(exStyle, className, style, rect, parent, menu, instance);
    if (!hwnd) {
        return nullptr;
    }
    CREATESTRUCT create;
    create.lpCreateParams = param;
    create.hInstance = instance;
    create.hMenu = menu;
    create.hwndParent = parent;
    create.cx = rect.right - rect.left;
    create.cy = rect.bottom - rect.top;
    create.x = rect.left;
    create.y = rect.top;
    create.style = static_cast<LONG>(style);
    create.lpszName = windowName;
    create.lpszClass = className;
    create.dwExStyle = exStyle;
    try {
        if (!SendCreationMessages(hwnd, create)) {
            return nullptr;
        }
    } catch (...) {
        if (IsWindow(hwnd)) {
            DestroyWindow(hwnd);
        }
        throw;
    }
    return hwnd;
}

BOOL DestroyWindow(HWND hwnd)
{
    HWND parent;
    LONG_PTR id;
    bool notifyParent;
    {
        auto lock = LockSystem();
        Window* window = OwnWindowOrError(hwnd);
        if (!window || window->destroying) {
            return FALSE;
        }
        window->destroying = true;
        parent = window->parent;
        id = window->id;
        notifyParent = (window->style & WS_CHILD) && !(window->exStyle & WS_EX_NOPARENTNOTIFY);
    }
    if (notifyParent) {
        SendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, static_cast<WORD>(id)), HandleValue(hwnd));
    }
    for (HWND owned : OwnedWindowsOf(hwnd)) {
        DestroyWindow(owned);
    }
    ReleaseCaptureOfTree(hwnd);
    if (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_VISIBLE) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LeaveActivation(hwnd);
    DropFocusOfTree(hwnd);
    std::vector<HWND> tree{hwnd};
    EnumChildWindows(hwnd, [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&tree));
    SendDestroyMessages(hwnd);
    SendNcDestroyMessages(hwnd);
    ReleasePaintResources(tree);
    return TRUE;
}

BOOL IsWindow(HWND hwnd)
{
    auto lock = LockSystem();
    return FindWindowRecord(hwnd) != nullptr;
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (DefGeometryMessage(hwnd, message, wParam, lParam, result) ||
        DefInputMessage(hwnd, message, wParam, lParam, result) ||
        DefCaretMessage(hwnd, message, wParam, lParam, result) ||
        DefScrollBarMessage(hwnd, message, wParam, lParam, result) ||
        DefPaintMessage(hwnd, message, wParam, lParam, result) ||
        DefScreenMessage(hwnd, message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
        StoreText(hwnd, create ? create->lpszName : nullptr);
        return TRUE;
    }
    case WM_SETTEXT:
        StoreText(hwnd, reinterpret_cast<const char*>(lParam));
        if ((GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
            DrawDefaultFrame(hwnd, nullptr);
        }
        return TRUE;
    case WM_GETTEXT: {
        auto lock = LockSystem();
        Window* window = FindWindowRecord(hwnd);
        return window ? CopyToBuffer(window->text, reinterpret_cast<char*>(lParam), wParam) : 0;
    }
    case WM_SETICON:
    case WM_GETICON: {
        // wParam: 1 the big icon, 0 the small one (2 for WM_GETICON: the small one, else the big).
        auto lock = LockSystem();
        Window* window = FindWindowRecord(hwnd);
        if (!window) {
            return 0;
        }
        if (message == WM_GETICON) {
            const HICON small = window->smallIcon ? window->smallIcon : window->bigIcon;
            return HandleValue(wParam == 1 ? window->bigIcon : wParam == 2 ? small : window->smallIcon);
        }
        HICON& icon = wParam == 1 ? window->bigIcon : window->smallIcon;
        const HICON old = std::exchange(icon, reinterpret_cast<HICON>(lParam));
        if (IsOnScreen(*window)) {
            Display().WindowIconChanged(hwnd);
        }
        lock.unlock();
        // The caption shows the icon, and where it shows it the system menu is hit.
        DrawDefaultFrame(hwnd, nullptr);
        return HandleValue(old);
    }
    case WM_GETTEXTLENGTH: {
        auto lock = LockSystem();
        Window* window = FindWindowRecord(hwnd);
        return window ? static_cast<LRESULT>(window->text.size()) : 0;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            SendMessage(hwnd, WM_CLOSE, 0, 0);
        }
        return 0;
    case WM_MOUSEACTIVATE: {
        const LRESULT answer = SendToParent(hwnd, message, wParam, lParam, false);
        return answer != 0 ? answer : 1;  // MA_ACTIVATE
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
        return SendToParent(hwnd, message, wParam, lParam, false);
    case WM_HELP:
        return SendToParent(hwnd, message, wParam, lParam, true);
    case WM_QUERYENDSESSION:
        return TRUE;
    default:
        return 0;
    }
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index)
{
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return 0;
    }
    switch (index) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(window->proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(window->instance);
    case GWL_HWNDPARENT: return HandleValue((window->style & WS_CHILD) ? window->parent : window->owner);
    case GWL_ID: return window->id;
    case GWL_STYLE: return static_cast<LONG_PTR>(window->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(window->exStyle);
    case GWL_USERDATA: return window->userData;
    default: break;
    }
    return ReadExtra<LONG_PTR>(window->extra, index).value_or(0);
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    if (index == GWL_STYLE || index == GWL_EXSTYLE) {
        return ChangeStyle(hwnd, index, static_cast<DWORD>(value));
    }
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return 0;
    }
    LONG_PTR old = 0;
    switch (index) {
    case GWL_WNDPROC:
        old = reinterpret_cast<LONG_PTR>(window->proc);
        window->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWL_HINSTANCE:
        old = reinterpret_cast<LONG_PTR>(window->instance);
        window->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWL_HWNDPARENT: {
        // Changes the owner of a top-level window.
        old = HandleValue(window->owner);
        const HWND owner = HandleFromValue<HWND>(value);
        if (owner && !FindWindowRecord(owner)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        window->owner = owner ? RootWindowOf(owner) : nullptr;
        return old;
    }
    case GWL_ID:
        old = window->id;
        window->id = value;
        return old;
    case GWL_USERDATA:
        old = window->userData;
        window->userData = value;
        return old;
    default: break;
    }
    return ExchangeExtra(window->extra, index, value).value_or(0);
}

LONG GetWindowLong(HWND hwnd, int index)
{
    if (index >= 0) {
        // The extra bytes hold 32-bit values at any offset.
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        return window ? ReadExtra<LONG>(window->extra, index).value_or(0) : 0;
    }
    if (index == GWL_WNDPROC || index == GWL_HINSTANCE || index == GWL_HWNDPARENT || index == GWL_USERDATA) {
        // Pointer-sized values do not fit; the pointer-sized form must be used for them.
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return static_cast<LONG>(GetWindowLongPtr(hwnd, index));
}

LONG SetWindowLong(HWND hwnd, int index, LONG value)
{
    if (index >= 0) {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        return window ? ExchangeExtra(window->extra, index, value).value_or(0) : 0;
    }
    if (index == GWL_WNDPROC || index == GWL_HINSTANCE || index == GWL_HWNDPARENT || index == GWL_USERDATA) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    const LONG_PTR full = index == GWL_STYLE || index == GWL_EXSTYLE
                              ? static_cast<LONG_PTR>(static_cast<DWORD>(value))
                              : static_cast<LONG_PTR>(value);
    return static_cast<LONG>(SetWindowLongPtr(hwnd, index, full));
}

BOOL SetWindowText(HWND hwnd, const char* text)
{
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

int GetWindowText(HWND hwnd, char* buffer, int maxCount)
{
    if (!buffer || maxCount <= 0) {
        return 0;
    }
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window) {
            buffer[0] = '\0';
            return 0;
        }
        if (window->thread != GetCurrentThreadId()) {
            return CopyToBuffer(window->text, buffer, static_cast<std::size_t>(maxCount));
        }
    }
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd)
{
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window) {
            return 0;
        }
        if (window->thread != GetCurrentThreadId()) {
            return static_cast<int>(window->text.size());
        }
    }
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

std::string GetWindowText(HWND hwnd)
{
    const int length = GetWindowTextLength(hwnd);
    if (length <= 0) {
        return std::string();
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(hwnd, text.data(), length + 1)));
    return text;
}

BOOL SetWindowTextW(HWND hwnd, const char16_t* text)
{
    const std::string ansi = rtl::WideToAnsi(text ? std::u16string_view(text) : std::u16string_view());
    return SetWindowText(hwnd, ansi.c_str());
}

std::u16string GetWindowTextW(HWND hwnd)
{
    return rtl::AnsiToWide(GetWindowText(hwnd));
}

BOOL SetProp(HWND hwnd, const char* name, HANDLE data)
{
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return FALSE;
    }
    std::string key = PropKey(name);
    if (auto it = FindProp(*window, key); it != window->props.end()) {
        it->second = data;
    } else {
        window->props.emplace_back(std::move(key), data);
    }
    return TRUE;
}

HANDLE GetProp(HWND hwnd, const char* name)
{
    if (!name) {
        return nullptr;
    }
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return nullptr;
    }
    const auto it = FindProp(*window, PropKey(name));
    return it == window->props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND hwnd, const char* name)
{
    if (!name) {
        return nullptr;
    }
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return nullptr;
    }
    const auto it = FindProp(*window, PropKey(name));
    if (it == window->props.end()) {
        return nullptr;
    }
    HANDLE data = it->second;
    window->props.erase(it);
    return data;
}

HWND GetDesktopWindow()
{
    auto lock = LockSystem();
    return System().desktop;
}

HWND GetParent(HWND hwnd)
{
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return nullptr;
    }
    if (window->style & WS_CHILD) {
        return window->parent;
    }
    return (window->style & WS_POPUP) ? window->owner : nullptr;
}

HWND SetParent(HWND hwnd, HWND newParent)
{
    auto lock = LockSystem();
    WindowSystem& system = System();
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return nullptr;
    }
    const HWND target = newParent == HWND_MESSAGE ? system.messageRoot : (newParent ? newParent : system.desktop);
    Window* parent = WindowOrError(target);
    if (!parent || IsRootWindow(hwnd)) {
        return nullptr;
    }
    if (IsSelfOrDescendant(hwnd, target)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const HWND old = window->parent;
    if (Window* oldParent = FindWindowRecord(old)) {
        std::erase(oldParent->children, hwnd);
    }
    parent->children.insert(parent->children.begin(), hwnd);
    window->parent = target;
    return old;
}

HWND GetAncestor(HWND hwnd, UINT flags)
{
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window || IsRootWindow(hwnd)) {
        return nullptr;
    }
    switch (flags) {
    case GA_PARENT:
        return window->parent;
    case GA_ROOT:
        return RootWindowOf(hwnd);
    case GA_ROOTOWNER: {
        HWND result = RootWindowOf(hwnd);
        for (Window* top = FindWindowRecord(result); top && top->owner; top = FindWindowRecord(top->owner)) {
            result = top->owner;
        }
        return result;
    }
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND GetWindow(HWND hwnd, UINT command)
{
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return nullptr;
    }
    if (command == GW_OWNER) {
        return window->owner;
    }
    if (command == GW_CHILD) {
        return window->children.empty() ? nullptr : window->children.front();
    }
    Window* parent = FindWindowRecord(window->parent);
    if (!parent) {
        return nullptr;
    }
    const auto& siblings = parent->children;
    const auto self = std::find(siblings.begin(), siblings.end(), hwnd);
    switch (command) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return self + 1 < siblings.end() ? *(self + 1) : nullptr;
    case GW_HWNDPREV: return self != siblings.begin() ? *(self - 1) : nullptr;
    case GW_ENABLEDPOPUP: return EnabledPopupOf(hwnd);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd)
{
    auto lock = LockSystem();
    Window* window = hwnd ? WindowOrError(hwnd) : FindWindowRecord(System().desktop);
    return window && !window->children.empty() ? window->children.front() : nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd)
{
    auto lock = LockSystem();
    for (Window* window = FindWindowRecord(hwnd); window && (window->style & WS_CHILD);
         window = FindWindowRecord(window->parent)) {
        if (window->parent == parent) {
            return TRUE;
        }
    }
    return FALSE;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId)
{
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return 0;
    }
    if (processId) {
        *processId = 1;
    }
    return window->thread;
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam)
{
    for (HWND hwnd : ChildrenOf(GetDesktopWindow())) {
        if (IsWindow(hwnd) && !callback(hwnd, lParam)) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM lParam)
{
    if (!parent) {
        return EnumWindows(callback, lParam);
    }
    // The whole tree is listed before the first call, so callbacks may change it.
    std::vector<HWND> all;
    std::function<void(HWND)> collect = [&](HWND hwnd) {
        for (HWND child : ChildrenOf(hwnd)) {
            all.push_back(child);
            collect(child);
        }
    };
    collect(parent);
    for (HWND hwnd : all) {
        if (IsWindow(hwnd) && !callback(hwnd, lParam)) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL EnumThreadWindows(DWORD thread, WNDENUMPROC callback, LPARAM lParam)
{
    for (HWND hwnd : ChildrenOf(GetDesktopWindow())) {
        DWORD owner = 0;
        {
            auto lock = LockSystem();
            Window* window = FindWindowRecord(hwnd);
            owner = window ? window->thread : 0;
        }
        if (owner == thread && owner != 0 && !callback(hwnd, lParam)) {
            return FALSE;
        }
    }
    return TRUE;
}

HWND FindWindow(const char* className, const char* windowName)
{
    return FindWindowEx(nullptr, nullptr, className, windowName);
}

HWND FindWindowEx(HWND parent, HWND childAfter, const char* className, const char* windowName)
{
    auto lock = LockSystem();
    WindowSystem& system = System();
    const HWND searched = parent == HWND_MESSAGE ? system.messageRoot : (parent ? parent : system.desktop);
    Window* window = WindowOrError(searched);
    if (!window) {
        return nullptr;
    }
    auto it = window->children.begin();
    if (childAfter) {
        it = std::find(window->children.begin(), window->children.end(), childAfter);
        if (it == window->children.end()) {
            return nullptr;
        }
        ++it;
    }
    for (; it != window->children.end(); ++it) {
        if (MatchesWindow(*it, className, windowName)) {
            return *it;
        }
    }
    return nullptr;
}

BOOL IsWindowVisible(HWND hwnd)
{
    auto lock = LockSystem();
    Window* window = FindWindowRecord(hwnd);
    if (!window) {
        return FALSE;
    }
    for (; window; window = FindWindowRecord(window->parent)) {
        if (!(window->style & WS_VISIBLE)) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    auto lock = LockSystem();
    Window* window = FindWindowRecord(hwnd);
    return window && !(window->style & WS_DISABLED);
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    bool wasDisabled;
    bool dropFocus = false;
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window) {
            return FALSE;
        }
        wasDisabled = window->style & WS_DISABLED;
        if (wasDisabled == !enable) {
            return wasDisabled;
        }
        if (enable) {
            window->style &= ~WS_DISABLED;
        } else {
            window->style |= WS_DISABLED;
            ThreadQueue* queue = QueueOf(window->thread);
            if (queue && queue->focus && IsSelfOrDescendant(hwnd, queue->focus)) {
                // The focus leaves a disabled window: with WM_KILLFOCUS on the window's own thread.
                if (queue->thread == GetCurrentThreadId()) {
                    dropFocus = true;
                } else {
                    queue->focus = nullptr;
                }
            }
        }
    }
    if (dropFocus) {
        SetFocus(nullptr);
    }
    if (!enable) {
        SendMessage(hwnd, WM_CANCELMODE, 0, 0);
    }
    SendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

bool detail::ReadWindowState(HWND hwnd, WindowState& state)
{
    auto lock = LockSystem();
    Window* window = FindWindowRecord(hwnd);
    if (!window) {
        return false;
    }
    state.windowRect = window->windowRect;
    state.clientRect = window->clientRect;
    state.visible = window->style & WS_VISIBLE;
    state.enabled = !(window->style & WS_DISABLED);
    state.style = window->style;
    state.exStyle = window->exStyle;
    state.parent = window->parent;
    state.owner = window->owner;
    state.thread = window->thread;
    return true;
}

bool detail::SetWindowRects(HWND hwnd, const RECT& windowRect, const RECT& clientRect)
{
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return false;
    }
    window->windowRect = windowRect;
    window->clientRect = clientRect;
    return true;
}

bool detail::SetWindowVisibleFlag(HWND hwnd, bool visible)
{
    auto lock = LockSystem();
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return false;
    }
    const bool was = window->style & WS_VISIBLE;
    if (visible) {
        window->style |= WS_VISIBLE;
    } else {
        window->style &= ~WS_VISIBLE;
    }
    if (IsOnScreen(*window) && was != visible) {
        visible ? Display().WindowShown(hwnd, window->windowRect) : Display().WindowHidden(hwnd);
        ScreenLayoutChanged();
    }
    return true;
}

}  // namespace win
