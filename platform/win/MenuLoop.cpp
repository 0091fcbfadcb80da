// TrackPopupMenu's modal loop: the popups open as levels, the loop holds the capture on the first one
// and reads keys and mouse itself; everything else is dispatched as usual.

#include "platform/win/Menu.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Timers.h"
#include "platform/win/Waits.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/MenuWindow.h"
#include "platform/win/detail/WindowTable.h"
#include "platform/wintypes/Messages.h"

#include "platform/rtl/StringUtils.h"

#include <algorithm>
#include <memory>

namespace win {

using namespace detail;

namespace {

constexpr UINT_PTR SubmenuTimer = 1;

class MenuLoop {
public:
    MenuLoop(HWND owner, UINT flags) : owner_(owner), flags_(flags), notify_(!(flags & TPM_NONOTIFY)) {}
    ~MenuLoop();
    MenuLoop(const MenuLoop&) = delete;
    MenuLoop& operator=(const MenuLoop&) = delete;

    bool Open(HMENU menu, int x, int y, const RECT* exclude);
    void Run();
    void End() { ended_ = true; }
    HWND RootWindow() const { return levels_.empty() ? nullptr : levels_.front()->hwnd; }
    bool Chosen() const { return chosen_; }
    UINT ChosenId() const { return chosenId_; }

private:
    void Notify(UINT message, WPARAM wParam, LPARAM lParam) const
    {
        if (notify_) {
            SendMessage(owner_, message, wParam, lParam);
        }
    }
    std::unique_ptr<MenuPopup> Prepare(HMENU menu, int index) const;
    MenuPopup& Deepest() { return *levels_.back(); }
    // The level under a screen point (the deepest first); -1 for none.
    int LevelAt(POINT screen) const;
    void Select(int level, int index, bool byMouse);
    void OpenSubmenu(int level, bool selectFirst);
    void CloseAbove(int level);
    void Execute(int level, int index, bool selectFirst);
    void Step(int direction);
    void HandleKey(UINT key);
    void HandleChar(char ch);
    void HandleMouse(const MSG& msg);
    void HoverTimer();

    HWND owner_;
    UINT flags_;
    bool notify_;
    MenuFonts fonts_;
    std::vector<std::unique_ptr<MenuPopup>> levels_;
    bool ended_ = false;
    bool chosen_ = false;
    UINT chosenId_ = 0;
    int hoverLevel_ = -1;
};

thread_local MenuLoop* activeLoop = nullptr;

bool Selectable(const MenuItemRecord& item)
{
    return !(item.type & MFT_SEPARATOR);
}

bool Enabled(const MenuItemRecord& item)
{
    return !(item.state & MFS_GRAYED);
}

RECT WorkArea(POINT point)
{
    MONITORINFO info;
    if (GetMonitorInfo(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info)) {
        return info.rcWork;
    }
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// Keeps a length-long span starting at start inside low .. high.
int Keep(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length));
}

MenuFonts CreateMenuFonts()
{
    NONCLIENTMETRICS metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    MenuFonts fonts;
    fonts.normal = CreateFontIndirect(&metrics.lfMenuFont);
    metrics.lfMenuFont.lfWeight = 700;
    fonts.bold = CreateFontIndirect(&metrics.lfMenuFont);
    return fonts;
}

MenuLoop::~MenuLoop()
{
    CloseAbove(-1);
    DeleteObject(fonts_.normal);
    DeleteObject(fonts_.bold);
}

std::unique_ptr<MenuPopup> MenuLoop::Prepare(HMENU menu, int index) const
{
    Notify(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(index, 0));
    auto popup = std::make_unique<MenuPopup>();
    popup->menu = menu;
    popup->owner = owner_;
    popup->fonts = &fonts_;
    if (!CopyMenuItems(menu, popup->items)) {
        return nullptr;
    }
    LayoutMenuPopup(*popup);
    return popup;
}

bool MenuLoop::Open(HMENU menu, int x, int y, const RECT* exclude)
{
    fonts_ = CreateMenuFonts();
    auto popup = Prepare(menu, 0);
    if (!popup) {
        return false;
    }
    const int width = popup->size.cx;
    const int height = popup->size.cy;
    if (flags_ & TPM_CENTERALIGN) {
        x -= width / 2;
    } else if (flags_ & TPM_RIGHTALIGN) {
        x -= width;
    }
    if (flags_ & TPM_VCENTERALIGN) {
        y -= height / 2;
    } else if (flags_ & TPM_BOTTOMALIGN) {
        y -= height;
    }
    const RECT work = WorkArea({x, y});
    // Past the right or bottom edge the menu opens on the other side of the point, then stays inside.
    if (x + width > work.right) {
        x -= width;
    }
    if (y + height > work.bottom) {
        y -= height;
    }
    x = Keep(x, width, work.left, work.right);
    y = Keep(y, height, work.top, work.bottom);
    RECT placed{x, y, x + width, y + height};
    RECT overlap;
    if (exclude && IntersectRect(&overlap, &placed, exclude)) {
        // Beside the rectangle the menu must not hide: below or above it, else right or left of it.
        if (flags_ & TPM_VERTICAL) {
            y = exclude->bottom + height <= work.bottom ? exclude->bottom : exclude->top - height;
        } else {
            x = exclude->right + width <= work.right ? exclude->right : exclude->left - width;
        }
    }
    levels_.push_back(std::move(popup));
    if (!CreateMenuWindow(*levels_.back(), {x, y})) {
        levels_.clear();
        return false;
    }
    return true;
}

int MenuLoop::LevelAt(POINT screen) const
{
    for (int level = static_cast<int>(levels_.size()) - 1; level >= 0; --level) {
        RECT rect;
        if (GetWindowRect(levels_[static_cast<std::size_t>(level)]->hwnd, &rect) && PtInRect(&rect, screen)) {
            return level;
        }
    }
    return -1;
}

void MenuLoop::Select(int level, int index, bool byMouse)
{
    MenuPopup& popup = *levels_[static_cast<std::size_t>(level)];
    if (popup.selected == index) {
        return;
    }
    const int before = popup.selected;
    popup.selected = index;
    RedrawMenuItem(popup, before);
    RedrawMenuItem(popup, index);
    if (index < 0) {
        return;
    }
    const MenuItemRecord& item = popup.items[static_cast<std::size_t>(index)];
    UINT menuFlags = MF_HILITE | (item.type & (MFT_OWNERDRAW | MFT_BITMAP)) | (item.state & (MFS_GRAYED | MFS_CHECKED | MFS_DEFAULT));
    if (byMouse) {
        menuFlags |= MF_MOUSESELECT;
    }
    UINT id = item.id;
    if (item.subMenu) {
        menuFlags |= MF_POPUP;
        id = static_cast<UINT>(index);
    }
    Notify(WM_MENUSELECT, MAKEWPARAM(id, menuFlags), reinterpret_cast<LPARAM>(popup.menu));
}

void MenuLoop::CloseAbove(int level)
{
    while (static_cast<int>(levels_.size()) > level + 1) {
        if (levels_.back()->hwnd) {
            SetWindowLongPtr(levels_.back()->hwnd, 0, 0);
            DestroyWindow(levels_.back()->hwnd);
        }
        levels_.pop_back();
    }
}

void MenuLoop::OpenSubmenu(int level, bool selectFirst)
{
    MenuPopup& parent = *levels_[static_cast<std::size_t>(level)];
    if (parent.selected < 0) {
        return;
    }
    const MenuItemRecord item = parent.items[static_cast<std::size_t>(parent.selected)];
    if (!item.subMenu || !Enabled(item)) {
        return;
    }
    if (static_cast<int>(levels_.size()) > level + 1 && levels_[static_cast<std::size_t>(level) + 1]->menu == item.subMenu) {
        if (selectFirst && Deepest().selected < 0) {
            Step(1);
        }
        return;
    }
    CloseAbove(level);
    auto popup = Prepare(item.subMenu, parent.selected);
    if (!popup || popup->items.empty() || ended_) {
        return;
    }
    RECT parentRect;
    GetWindowRect(parent.hwnd, &parentRect);
    const RECT& itemRect = parent.rects[static_cast<std::size_t>(parent.selected)];
    const int width = popup->size.cx;
    const int height = popup->size.cy;
    int x = parentRect.right - MenuBorder;
    int y = parentRect.top + itemRect.top - MenuBorder;
    const RECT work = WorkArea({x, y});
    if (x + width > work.right) {
        x = parentRect.left - width + MenuBorder;
    }
    x = Keep(x, width, work.left, work.right);
    y = Keep(y, height, work.top, work.bottom);
    levels_.push_back(std::move(popup));
    if (!CreateMenuWindow(Deepest(), {x, y})) {
        levels_.pop_back();
        return;
    }
    if (selectFirst) {
        Step(1);
    }
}

void MenuLoop::Execute(int level, int index, bool selectFirst)
{
    const MenuItemRecord& item = levels_[static_cast<std::size_t>(level)]->items[static_cast<std::size_t>(index)];
    if (!Selectable(item)) {
        return;
    }
    Select(level, index, !selectFirst);
    if (item.subMenu) {
        OpenSubmenu(level, selectFirst);
    } else if (Enabled(item)) {
        chosen_ = true;
        chosenId_ = item.id;
        ended_ = true;
    }
}

void MenuLoop::Step(int direction)
{
    MenuPopup& popup = Deepest();
    const int count = static_cast<int>(popup.items.size());
    int index = popup.selected;
    for (int tries = 0; tries < count; ++tries) {
        index = index < 0 ? (direction > 0 ? 0 : count - 1) : (index + direction + count) % count;
        if (Selectable(popup.items[static_cast<std::size_t>(index)])) {
            Select(static_cast<int>(levels_.size()) - 1, index, false);
            return;
        }
    }
}

void MenuLoop::HandleKey(UINT key)
{
    const int level = static_cast<int>(levels_.size()) - 1;
    MenuPopup& popup = Deepest();
    switch (key) {
    case VK_DOWN:
        Step(1);
        break;
    case VK_UP:
        Step(-1);
        break;
    case VK_HOME:
        popup.selected = -1;
        Step(1);
        break;
    case VK_END:
        popup.selected = -1;
        Step(-1);
        break;
    case VK_RIGHT:
        OpenSubmenu(level, true);
        break;
    case VK_LEFT:
        if (level > 0) {
            CloseAbove(level - 1);
        }
        break;
    case VK_ESCAPE:
        if (level > 0) {
            CloseAbove(level - 1);
        } else {
            ended_ = true;
        }
        break;
    case VK_RETURN:
        if (popup.selected >= 0) {
            Execute(level, popup.selected, true);
        }
        break;
    default:
        break;
    }
}

void MenuLoop::HandleChar(char ch)
{
    if (static_cast<unsigned char>(ch) < 0x20) {
        return;
    }
    const int level = static_cast<int>(levels_.size()) - 1;
    MenuPopup& popup = Deepest();
    const char wanted = rtl::AnsiUpperChar(ch);
    const int count = static_cast<int>(popup.items.size());
    std::vector<int> matches;
    for (int step = 1; step <= count; ++step) {
        const int index = ((popup.selected < 0 ? -1 : popup.selected) + step + count) % count;
        if (Selectable(popup.items[static_cast<std::size_t>(index)]) &&
            MenuItemMnemonic(popup.items[static_cast<std::size_t>(index)]) == wanted) {
            matches.push_back(index);
        }
    }
    if (matches.size() == 1) {
        Execute(level, matches.front(), true);
        return;
    }
    if (!matches.empty()) {
        Select(level, matches.front(), false);
        return;
    }
    if (!notify_) {
        return;
    }
    const LRESULT answer = SendMessage(owner_, WM_MENUCHAR, MAKEWPARAM(static_cast<unsigned char>(ch), MF_POPUP),
                                       reinterpret_cast<LPARAM>(popup.menu));
    const int index = LOWORD(answer);
    if (ended_ || levels_.size() != static_cast<std::size_t>(level) + 1 || index >= count) {
        return;
    }
    switch (HIWORD(answer)) {
    case MNC_CLOSE:
        ended_ = true;
        break;
    case MNC_EXECUTE:
        Execute(level, index, true);
        break;
    case MNC_SELECT:
        if (Selectable(popup.items[static_cast<std::size_t>(index)])) {
            Select(level, index, false);
        }
        break;
    default:
        break;
    }
}

void MenuLoop::HoverTimer()
{
    KillTimer(RootWindow(), SubmenuTimer);
    if (hoverLevel_ < 0 || hoverLevel_ >= static_cast<int>(levels_.size())) {
        return;
    }
    MenuPopup& popup = *levels_[static_cast<std::size_t>(hoverLevel_)];
    const bool keepOpen = popup.selected >= 0 && static_cast<int>(levels_.size()) > hoverLevel_ + 1 &&
                          levels_[static_cast<std::size_t>(hoverLevel_) + 1]->menu ==
                              popup.items[static_cast<std::size_t>(popup.selected)].subMenu;
    if (!keepOpen) {
        CloseAbove(hoverLevel_);
        OpenSubmenu(hoverLevel_, false);
    }
}

void MenuLoop::HandleMouse(const MSG& msg)
{
    const UINT message = msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK
                             ? msg.message - WM_NCMOUSEMOVE + WM_MOUSEMOVE
                             : msg.message;
    const int level = LevelAt(msg.pt);
    MenuPopup* popup = level >= 0 ? levels_[static_cast<std::size_t>(level)].get() : nullptr;
    int index = -1;
    if (popup) {
        POINT client = msg.pt;
        ScreenToClient(popup->hwnd, &client);
        index = MenuItemAt(*popup, client);
        if (index >= 0 && !Selectable(popup->items[static_cast<std::size_t>(index)])) {
            index = -1;
        }
    }
    switch (message) {
    case WM_MOUSEMOVE: {
        if (!popup) {
            // Off the menus the deepest highlight goes; the items leading to it stay lit.
            Select(static_cast<int>(levels_.size()) - 1, -1, true);
            return;
        }
        if (index < 0 || index == popup->selected) {
            return;
        }
        Select(level, index, true);
        hoverLevel_ = level;
        const bool hasSubmenu = popup->items[static_cast<std::size_t>(index)].subMenu != nullptr;
        if (hasSubmenu || static_cast<int>(levels_.size()) > level + 1) {
            UINT delay = 400;
            SystemParametersInfo(SPI_GETMENUSHOWDELAY, 0, &delay, 0);
            if (delay == 0) {
                HoverTimer();
            } else {
                SetTimer(RootWindow(), SubmenuTimer, delay, nullptr);
            }
        }
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (!popup) {
            ended_ = true;  // the press is the menu's: it reaches no window
        } else if (index >= 0) {
            KillTimer(RootWindow(), SubmenuTimer);
            hoverLevel_ = level;
            Select(level, index, true);
            if (popup->items[static_cast<std::size_t>(index)].subMenu) {
                CloseAbove(level);
                OpenSubmenu(level, false);
            }
        }
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (message == WM_RBUTTONUP && !(flags_ & TPM_RIGHTBUTTON)) {
            return;
        }
        if (popup && index >= 0 && !popup->items[static_cast<std::size_t>(index)].subMenu) {
            Execute(level, index, false);
        }
        return;
    default:
        return;
    }
}

void MenuLoop::Run()
{
    ModalLoopScope scope("TrackPopupMenu");
    const HWND root = RootWindow();
    SetCapture(root);
    MSG msg;
    while (!ended_) {
        if (GetCapture() != root || !IsWindow(owner_)) {
            break;
        }
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (IsMouseMessage(msg.message)) {
            HandleMouse(msg);
        } else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            TranslateMessage(&msg);
            HandleKey(static_cast<UINT>(msg.wParam));
        } else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
            HandleChar(static_cast<char>(msg.wParam));
        } else if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP || msg.message == WM_DEADCHAR ||
                   msg.message == WM_SYSDEADCHAR) {
            // The menu's keys reach no window.
        } else if (msg.message == WM_TIMER && msg.hwnd == root && msg.wParam == SubmenuTimer) {
            HoverTimer();
        } else {
            DispatchMessage(&msg);
        }
    }
    KillTimer(root, SubmenuTimer);
    if (GetCapture() == root) {
        ReleaseCapture();
    }
}

}  // namespace

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params)
{
    if (!IsMenu(menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    if (!IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (activeLoop) {
        SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
        return FALSE;
    }
    const bool notify = !(flags & TPM_NONOTIFY);
    if (notify) {
        SendMessage(owner, WM_ENTERMENULOOP, TRUE, 0);
    }
    UINT chosen = 0;
    bool shown = false;
    {
        MenuLoop loop(owner, flags);
        activeLoop = &loop;
        try {
            shown = loop.Open(menu, x, y, params ? &params->rcExclude : nullptr);
            if (shown) {
                loop.Run();
            }
        } catch (...) {
            activeLoop = nullptr;
            throw;
        }
        activeLoop = nullptr;
        if (loop.Chosen()) {
            chosen = loop.ChosenId();
        }
        shown = shown || loop.Chosen();
    }
    if (notify && IsWindow(owner)) {
        SendMessage(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        SendMessage(owner, WM_EXITMENULOOP, TRUE, 0);
    }
    if (flags & TPM_RETURNCMD) {
        return static_cast<BOOL>(chosen);
    }
    if (chosen && notify && IsWindow(owner)) {
        PostMessage(owner, WM_COMMAND, chosen, 0);
    }
    return shown ? TRUE : FALSE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*)
{
    return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL EndMenu()
{
    if (!activeLoop) {
        return FALSE;
    }
    activeLoop->End();
    if (HWND root = activeLoop->RootWindow()) {
        PostMessage(root, WM_NULL, 0, 0);
    }
    return TRUE;
}

}  // namespace win
