#include "platform/win/Paint.h"

#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Region.h"
#include "platform/win/Caret.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/win/MessageQueue.h"
#include "platform/gdi/Region.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/win/detail/Frame.h"
#include "platform/win/detail/Paint.h"
#include "platform/win/detail/ScreenDC.h"
#include "platform/win/detail/Window.h"
#include "platform/win/detail/WindowTable.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace win {

using namespace detail;

namespace {

Region Shifted(Region region, int dx, int dy)
{
    region.Offset(dx, dy);
    return region;
}

// The window's own rectangles in window coordinates.
RECT WholeLocal(const Window& window)
{
    return RECT{0, 0, Width(window.windowRect), Height(window.windowRect)};
}

RECT ClientLocal(const Window& window)
{
    return Moved(window.clientRect, -window.windowRect.left, -window.windowRect.top);
}

RECT ClientOnScreen(const Window& window)
{
    const POINT origin = ClientOriginOnScreen(window);
    return RECT{origin.x, origin.y, origin.x + Width(window.clientRect), origin.y + Height(window.clientRect)};
}

// The shape of a window on the screen: its rectangle cut to its window region.
Region ShapeOnScreen(const Window& window)
{
    const RECT rect = WindowRectOnScreen(window);
    Region shape(rect);
    if (window.windowRegion) {
        shape.Intersect(Shifted(*window.windowRegion, rect.left, rect.top));
    }
    return shape;
}

// Visible and redrawing, with every parent.
bool IsDrawable(const Window& window)
{
    for (const Window* w = &window; w && !IsRootWindow(w->handle); w = FindWindowRecord(w->parent)) {
        if (!(w->style & WS_VISIBLE) || !w->redraw) {
            return false;
        }
    }
    return true;
}

bool NeedsPaint(const Window& window)
{
    if (window.updateRegion.IsEmpty() && !window.ncPaintPending && !window.internalPaint) {
        return false;
    }
    // A window whose picture UpdateLayeredWindow gives is never painted, nor are its children.
    for (const Window* w = &window; w && !IsRootWindow(w->handle); w = FindWindowRecord(w->parent)) {
        if (w->layeredUpdated) {
            return false;
        }
    }
    return IsDrawable(window);
}

// Where a window may draw, on the screen (lock held).
Region VisibleRegionOf(const Window& window, DWORD flags)
{
    if (!IsDrawable(window) && !IsRootWindow(window.handle)) {
        return Region();
    }
    const bool client = !(flags & DCX_WINDOW);
    Region visible(client ? ClientOnScreen(window) : WindowRectOnScreen(window));
    if (window.windowRegion) {
        const RECT rect = WindowRectOnScreen(window);
        visible.Intersect(Shifted(*window.windowRegion, rect.left, rect.top));
    }
    if ((window.style & WS_CLIPCHILDREN) || (flags & DCX_CLIPCHILDREN)) {
        for (HWND childHandle : window.children) {
            const Window* child = FindWindowRecord(childHandle);
            if (child && (child->style & WS_VISIBLE)) {
                visible.Subtract(ShapeOnScreen(*child));
            }
        }
    }
    bool clipSiblings = (flags & DCX_CLIPSIBLINGS) != 0;
    for (const Window* current = &window; !IsRootWindow(current->parent);) {
        const Window* parent = FindWindowRecord(current->parent);
        if (!parent) {
            break;
        }
        visible.Intersect(Region(ClientOnScreen(*parent)));
        if (parent->windowRegion) {
            const RECT rect = WindowRectOnScreen(*parent);
            visible.Intersect(Shifted(*parent->windowRegion, rect.left, rect.top));
        }
        if (clipSiblings || (current->style & WS_CLIPSIBLINGS)) {
            for (HWND siblingHandle : parent->children) {
                if (siblingHandle == current->handle) {
                    break;
                }
                const Window* sibling = FindWindowRecord(siblingHandle);
                if (sibling && (sibling->style & WS_VISIBLE)) {
                    visible.Subtract(ShapeOnScreen(*sibling));
                }
            }
        }
        clipSiblings = false;
        current = parent;
    }
    return visible;
}

// Marks region (window coordinates) of the window, and of its children as flags say (lock held).
void ApplyRedraw(Window& window, const Region& region, UINT flags)
{
    if (!IsDrawable(window)) {
        return;
    }
    const RECT clientLocal = ClientLocal(window);
    Region part = region;
    part.Intersect(Region((flags & RDW_FRAME) ? WholeLocal(window) : clientLocal));
    if (window.windowRegion) {
        part.Intersect(*window.windowRegion);
    }
    Region frame = part;
    frame.Subtract(Region(clientLocal));
    if (flags & RDW_INVALIDATE) {
        if (!part.IsEmpty()) {
            window.updateRegion.Unite(part);
            window.erasePending |= (flags & RDW_ERASE) != 0;
        }
        window.ncPaintPending |= !frame.IsEmpty();
        window.internalPaint |= (flags & RDW_INTERNALPAINT) != 0;
    }
    if (flags & RDW_VALIDATE) {
        window.updateRegion.Subtract(part);
        if (flags & RDW_NOERASE) {
            window.erasePending = false;
        }
        if ((flags & RDW_NOFRAME) || window.updateRegion.IsEmpty()) {
            window.ncPaintPending = window.ncPaintPending && !window.updateRegion.IsEmpty() && !(flags & RDW_NOFRAME);
        }
        if (window.updateRegion.IsEmpty()) {
            window.erasePending = false;
        }
        if (flags & RDW_NOINTERNALPAINT) {
            window.internalPaint = false;
        }
    }
    const bool children = (flags & RDW_ALLCHILDREN) ||
                          (!(flags & RDW_NOCHILDREN) && !(window.style & WS_CLIPCHILDREN));
    if (!children) {
        return;
    }
    Region inClient = region;
    inClient.Intersect(Region(clientLocal));
    for (HWND childHandle : window.children) {
        Window* child = FindWindowRecord(childHandle);
        if (!child) {
            continue;
        }
        // A child's window coordinates start at its window rectangle, which lies in our client area.
        const int dx = -(clientLocal.left + child->windowRect.left);
        const int dy = -(clientLocal.top + child->windowRect.top);
        ApplyRedraw(*child, Shifted(inClient, dx, dy), (flags | RDW_FRAME) & ~RDW_NOFRAME);
    }
}

std::optional<Region> RegionOfHandle(HRGN handle)
{
    auto gdi = LockGdi();
    RegionObject* object = FindRegion(handle);
    return object ? std::optional<Region>(object->region) : std::nullopt;
}

HRGN HandleOfRegion(Region region)
{
    auto gdi = LockGdi();
    return static_cast<HRGN>(AddObject(std::make_unique<RegionObject>(std::move(region))));
}

bool WindowNeedingPaint(HWND hwnd, bool withChildren, HWND& found)
{
    auto lock = LockSystem();
    std::function<bool(HWND)> visit = [&](HWND handle) {
        Window* window = FindWindowRecord(handle);
        if (!window) {
            return false;
        }
        if (NeedsPaint(*window)) {
            found = handle;
            return true;
        }
        if (!withChildren) {
            return false;
        }
        for (HWND child : window->children) {
            if (visit(child)) {
                return true;
            }
        }
        return false;
    };
    return visit(hwnd);
}

// The surface of a top-level window, made or remade at its window's size while no device context
// uses the old one (lock held).
Surface* SurfaceOf(WindowSystem& system, const Window& root)
{
    auto& surface = system.surfaces[root.handle];
    const int width = Width(root.windowRect);
    const int height = Height(root.windowRect);
    if (surface && surface->Width() == width && surface->Height() == height) {
        return surface.get();
    }
    const bool inUse = std::any_of(system.windowDCs.begin(), system.windowDCs.end(),
                                   [&](const auto& entry) { return entry.second.root == root.handle; });
    if (surface && inUse) {
        return surface.get();
    }
    auto fresh = std::make_unique<Surface>(width, height);
    // Screen contexts may draw on the old surface until the plan of the screen names the new one.
    auto gdi = LockGdi();
    if (surface) {
        const int rows = std::min(height, surface->Height());
        const int columns = std::min(width, surface->Width());
        for (int y = 0; y < rows; ++y) {
            std::memcpy(fresh->Row(y), surface->Row(y), static_cast<std::size_t>(columns) * 4);
        }
    }
    const std::unique_ptr<Surface> old = std::exchange(surface, std::move(fresh));
    ScreenLayoutChanged();
    return surface.get();
}

// A device context over the window's top-level surface; extra (screen coordinates) is intersected
// with the visible region, or taken out of it with exclude. The context is made and registered under
// the lock that hands out the surface, so no other thread can remake the surface in between.
HDC MakeWindowDC(HWND hwnd, DWORD flags, const std::optional<Region>& extra, bool exclude)
{
    auto lock = LockSystem();
    WindowSystem& system = System();
    RequireInitialized(system);
    if (!hwnd) {
        hwnd = system.desktop;
    }
    Window* window = WindowOrError(hwnd);
    if (!window) {
        return nullptr;
    }
    const HWND root = IsRootWindow(hwnd) ? hwnd : RootWindowOf(hwnd);
    Window* rootWindow = FindWindowRecord(root);
    Surface* surface = SurfaceOf(system, *rootWindow);
    const RECT rootRect = IsRootWindow(root) ? rootWindow->windowRect : WindowRectOnScreen(*rootWindow);
    const RECT area = (flags & DCX_WINDOW) ? (IsRootWindow(hwnd) ? window->windowRect : WindowRectOnScreen(*window))
                                           : (IsRootWindow(hwnd) ? window->clientRect : ClientOnScreen(*window));
    Region visible = IsRootWindow(hwnd) ? Region(area) : VisibleRegionOf(*window, flags);
    if (extra) {
        exclude ? visible.Subtract(*extra) : visible.Intersect(*extra);
    }
    const POINT deviceOrigin{area.left - rootRect.left, area.top - rootRect.top};
    const HRGN clipHandle = HandleOfRegion(Shifted(visible, -area.left, -area.top));
    const HDC dc = CreateSurfaceDC(*surface, deviceOrigin, clipHandle, hwnd == system.desktop);
    DeleteObject(clipHandle);
    if (dc) {
        system.windowDCs[dc] = WindowSystem::WindowDC{hwnd, root, POINT{area.left, area.top}};
    }
    return dc;
}

// Sends the pending WM_NCPAINT and WM_ERASEBKGND of a window now, outside BeginPaint.
void EraseNow(HWND hwnd)
{
    bool nc;
    bool erase;
    Region ncRegion;
    Region clientPart;
    {
        auto lock = LockSystem();
        Window* window = FindWindowRecord(hwnd);
        if (!window || !IsDrawable(*window)) {
            return;
        }
        nc = window->ncPaintPending;
        erase = window->erasePending;
        const RECT rect = WindowRectOnScreen(*window);
        ncRegion = Shifted(window->updateRegion, rect.left, rect.top);
        clientPart = window->updateRegion;
        clientPart.Intersect(Region(ClientLocal(*window)));
        const RECT clientLocal = ClientLocal(*window);
        clientPart.Offset(-clientLocal.left, -clientLocal.top);
        window->ncPaintPending = false;
        window->erasePending = false;
    }
    if (nc) {
        const HRGN handle = HandleOfRegion(ncRegion);
        SendMessage(hwnd, WM_NCPAINT, reinterpret_cast<WPARAM>(handle), 0);
        DeleteObject(handle);
    }
    if (erase && !clientPart.IsEmpty()) {
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        const HDC dc = MakeWindowDC(hwnd, 0, Shifted(clientPart, origin.x, origin.y), false);
        SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ReleaseDC(hwnd, dc);
    }
}

// WM_PRINT: the parts asked for, drawn by the window itself into dc, children at their places.
void Print(HWND hwnd, HDC dc, LPARAM flags)
{
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd)) {
        return;
    }
    RECT window;
    GetWindowRect(hwnd, &window);
    POINT client{0, 0};
    ClientToScreen(hwnd, &client);
    const int dx = client.x - window.left;
    const int dy = client.y - window.top;
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, dx, dy, nullptr);
    if (flags & PRF_ERASEBKGND) {
        SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    }
    if (flags & PRF_CLIENT) {
        SendMessage(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
    }
    if (flags & PRF_CHILDREN) {
        std::vector<HWND> children;
        for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            children.push_back(child);
        }
        // Bottom first, so the windows above cover the ones below.
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            if (!(GetWindowLongPtr(*it, GWL_STYLE) & WS_VISIBLE)) {
                continue;
            }
            RECT rect;
            GetWindowRect(*it, &rect);
            const int childSaved = SaveDC(dc);
            OffsetViewportOrgEx(dc, rect.left - client.x, rect.top - client.y, nullptr);
            SendMessage(*it, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags & ~PRF_CHECKVISIBLE);
            RestoreDC(dc, childSaved);
        }
    }
    RestoreDC(dc, saved);
}

}  // namespace

bool detail::TakePaintMessage(const ThreadQueue& queue, HWND hwnd, UINT filterMin, UINT filterMax, MSG& msg)
{
    std::function<HWND(HWND)> visit = [&](HWND handle) -> HWND {
        Window* window = FindWindowRecord(handle);
        if (!window || !IsDrawable(*window)) {
            return nullptr;
        }
        MSG candidate;
        candidate.hwnd = handle;
        candidate.message = WM_PAINT;
        if (NeedsPaint(*window) && MatchesFilter(candidate, hwnd, filterMin, filterMax)) {
            return handle;
        }
        for (HWND child : window->children) {
            if (HWND found = visit(child)) {
                return found;
            }
        }
        return nullptr;
    };
    for (HWND top : TopLevelWindows()) {
        Window* window = FindWindowRecord(top);
        if (!window || window->thread != queue.thread) {
            continue;
        }
        if (HWND found = visit(top)) {
            msg = MSG();
            msg.hwnd = found;
            msg.message = WM_PAINT;
            msg.time = static_cast<DWORD>(queue.lastMessage.time);
            msg.pt = System().cursor;
            return true;
        }
    }
    return false;
}

void detail::InvertClientRect(HWND hwnd, const RECT& rect)
{
    Window* window = FindWindowRecord(hwnd);
    Window* root = FindWindowRecord(RootWindowOf(hwnd));
    if (!window || !root) {
        return;
    }
    const POINT origin = ClientOriginOnScreen(*window);
    Region area = VisibleRegionOf(*window, DCX_USESTYLE);
    area.Intersect(Region(Moved(rect, origin.x, origin.y)));
    if (area.IsEmpty()) {
        return;
    }
    Surface* surface = SurfaceOf(System(), *root);
    const RECT rootRect = WindowRectOnScreen(*root);
    area.Offset(-rootRect.left, -rootRect.top);
    area.Intersect(Region(surface->Bounds()));
    {
        auto gdi = LockGdi();
        for (const RECT& r : area.Rects()) {
            for (int y = r.top; y < r.bottom; ++y) {
                std::uint32_t* row = surface->Row(y);
                for (int x = r.left; x < r.right; ++x) {
                    row[x] ^= 0x00FFFFFF;
                }
            }
        }
    }
    ShowDrawn(root->handle, area.Bounds());
}

bool detail::ThreadNeedsPaint(const ThreadQueue& queue)
{
    MSG ignored;
    return TakePaintMessage(queue, nullptr, 0, 0, ignored);
}

void detail::InvalidateAfterPositionChange(HWND hwnd, const RECT& oldWindowRect, bool wasVisible, UINT flags)
{
    if (flags & SWP_NOREDRAW) {
        return;
    }
    WindowState state;
    if (!ReadWindowState(hwnd, state)) {
        return;
    }
    const bool child = state.style & WS_CHILD;
    const bool moved = state.windowRect.left != oldWindowRect.left || state.windowRect.top != oldWindowRect.top;
    const bool sized = Width(state.windowRect) != Width(oldWindowRect) || Height(state.windowRect) != Height(oldWindowRect);
    const bool reordered = !(flags & SWP_NOZORDER);
    if (state.visible && (!wasVisible || sized || (flags & SWP_FRAMECHANGED) || (child && (moved || reordered)))) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    if (child && wasVisible && (!state.visible || moved || sized)) {
        Region exposed(oldWindowRect);
        if (state.visible) {
            exposed.Subtract(Region(state.windowRect));
        }
        const HRGN handle = HandleOfRegion(exposed);
        RedrawWindow(state.parent, nullptr, handle, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        DeleteObject(handle);
    }
}

void detail::ReleasePaintResources(const std::vector<HWND>& windows)
{
    std::vector<HDC> dcs;
    std::vector<std::unique_ptr<Surface>> surfaces;
    {
        auto lock = LockSystem();
        WindowSystem& system = System();
        for (auto it = system.windowDCs.begin(); it != system.windowDCs.end();) {
            if (std::find(windows.begin(), windows.end(), it->second.hwnd) != windows.end() ||
                std::find(windows.begin(), windows.end(), it->second.root) != windows.end()) {
                dcs.push_back(static_cast<HDC>(it->first));
                it = system.windowDCs.erase(it);
            } else {
                ++it;
            }
        }
        for (HWND hwnd : windows) {
            if (auto it = system.surfaces.find(hwnd); it != system.surfaces.end()) {
                surfaces.push_back(std::move(it->second));
                system.surfaces.erase(it);
            }
        }
        ScreenLayoutChanged();
    }
    for (HDC dc : dcs) {
        DeleteDC(dc);
    }
}

bool detail::DefPaintMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        result = 0;
        return true;
    }
    case WM_ERASEBKGND: {
        const auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtr(hwnd, GCLP_HBRBACKGROUND));
        if (!brush) {
            result = 0;
            return true;
        }
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        result = 1;
        return true;
    }
    case WM_NCPAINT:
        DrawDefaultFrame(hwnd, reinterpret_cast<HRGN>(wParam));
        result = 0;
        return true;
    case WM_NCACTIVATE:
        ActivateFrame(hwnd, wParam != 0);
        result = TRUE;
        return true;
    case WM_PRINT:
        Print(hwnd, reinterpret_cast<HDC>(wParam), lParam);
        result = 0;
        return true;
    case WM_SETREDRAW: {
        auto lock = LockSystem();
        if (Window* window = FindWindowRecord(hwnd)) {
            window->redraw = wParam != 0;
        }
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags)
{
    std::optional<Region> given;
    if (region) {
        given = RegionOfHandle(region);
        if (!given) {
            return FALSE;
        }
    }
    {
        auto lock = LockSystem();
        WindowSystem& system = System();
        if (!hwnd) {
            hwnd = system.desktop;
        }
        Window* window = WindowOrError(hwnd);
        if (!window) {
            return FALSE;
        }
        const RECT clientLocal = ClientLocal(*window);
        Region area;
        if (given) {
            area = Shifted(*given, clientLocal.left, clientLocal.top);
        } else if (rect) {
            area = Region(Moved(*rect, clientLocal.left, clientLocal.top));
        } else {
            area = Region((flags & RDW_FRAME) ? WholeLocal(*window) : clientLocal);
        }
        if (flags & (RDW_INVALIDATE | RDW_VALIDATE)) {
            ApplyRedraw(*window, area, flags);
            system.changed.notify_all();
        }
    }
    if (flags & (RDW_ERASENOW | RDW_UPDATENOW)) {
        const bool children = (flags & RDW_ALLCHILDREN) != 0;
        HWND found;
        // Frames and backgrounds first; then, with RDW_UPDATENOW, the paint itself.
        for (int guard = 0; guard < 10000 && WindowNeedingPaint(hwnd, children, found); ++guard) {
            if (flags & RDW_UPDATENOW) {
                SendMessage(found, WM_PAINT, 0, 0);
            } else {
                EraseNow(found);
                break;
            }
        }
    }
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase)
{
    return RedrawWindow(hwnd, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND hwnd, HRGN region)
{
    return RedrawWindow(hwnd, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL UpdateWindow(HWND hwnd)
{
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase)
{
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetUpdateRgn(hwnd, region, erase);
    if (rect) {
        GetRgnBox(region, rect);
    }
    DeleteObject(region);
    return kind != NULLREGION && kind != ERROR;
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase)
{
    Region update;
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window) {
            return ERROR;
        }
        const RECT clientLocal = ClientLocal(*window);
        update = window->updateRegion;
        update.Intersect(Region(clientLocal));
        update.Offset(-clientLocal.left, -clientLocal.top);
    }
    if (erase) {
        EraseNow(hwnd);
    }
    auto gdi = LockGdi();
    RegionObject* object = FindRegion(region);
    if (!object) {
        return ERROR;
    }
    object->region = update;
    return update.Kind();
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint)
{
    if (!paint || !IsWindow(hwnd)) {
        SetLastError(paint ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    *paint = PAINTSTRUCT();
    paint->rgbReserved[0] = HideCaret(hwnd) ? 1 : 0;
    bool nc;
    Region ncRegion;
    {
        auto lock = LockSystem();
        Window* window = FindWindowRecord(hwnd);
        nc = window->ncPaintPending && IsDrawable(*window);
        const RECT rect = WindowRectOnScreen(*window);
        ncRegion = Shifted(window->updateRegion, rect.left, rect.top);
        window->ncPaintPending = false;
    }
    if (nc) {
        const HRGN handle = HandleOfRegion(ncRegion);
        SendMessage(hwnd, WM_NCPAINT, reinterpret_cast<WPARAM>(handle), 0);
        DeleteObject(handle);
    }
    Region clientPart;
    bool erase;
    POINT origin{0, 0};
    {
        auto lock = LockSystem();
        Window* window = FindWindowRecord(hwnd);
        if (!window) {
            return nullptr;
        }
        const RECT clientLocal = ClientLocal(*window);
        clientPart = window->updateRegion;
        clientPart.Intersect(Region(clientLocal));
        clientPart.Offset(-clientLocal.left, -clientLocal.top);
        erase = window->erasePending;
        window->updateRegion = Region();
        window->erasePending = false;
        window->internalPaint = false;
        origin = ClientOriginOnScreen(*window);
    }
    paint->hdc = MakeWindowDC(hwnd, DCX_USESTYLE, Shifted(clientPart, origin.x, origin.y), false);
    paint->rcPaint = clientPart.Bounds();
    if (erase && paint->hdc) {
        paint->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) == 0;
    }
    return paint->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint)
{
    if (!paint) {
        return FALSE;
    }
    if (paint->hdc) {
        ReleaseDC(hwnd, paint->hdc);
    }
    if (paint->rgbReserved[0]) {
        ShowCaret(hwnd);
    }
    return TRUE;
}

HDC GetDC(HWND hwnd)
{
    return MakeWindowDC(hwnd, DCX_USESTYLE, std::nullopt, false);
}

HDC GetWindowDC(HWND hwnd)
{
    return MakeWindowDC(hwnd, DCX_WINDOW | DCX_USESTYLE, std::nullopt, false);
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags)
{
    std::optional<Region> extra;
    if (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) {
        // A region of 1 (as WM_NCPAINT may pass) stands for the whole window.
        if (clip && HandleValue(clip) != 1) {
            extra = RegionOfHandle(clip);
            if (!extra) {
                return nullptr;
            }
        }
    }
    return MakeWindowDC(hwnd, flags, extra, (flags & DCX_EXCLUDERGN) != 0);
}

int ReleaseDC(HWND, HDC dc)
{
    {
        auto lock = LockSystem();
        auto it = System().windowDCs.find(dc);
        if (it == System().windowDCs.end()) {
            return 0;
        }
        ShowDrawn(it->second.root, TakeDrawnArea(dc));
        if (it->second.hwnd == System().desktop) {
            ShowScreenDrawing();
        }
        System().windowDCs.erase(it);
    }
    DeleteDC(dc);
    return 1;
}

HWND WindowFromDC(HDC dc)
{
    auto lock = LockSystem();
    auto it = System().windowDCs.find(dc);
    return it == System().windowDCs.end() ? nullptr : it->second.hwnd;
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scrollRect, const RECT* clipRect, HRGN updateRegion,
                   RECT* updateRect, UINT flags)
{
    RECT client;
    if (!GetClientRect(hwnd, &client)) {
        return ERROR;
    }
    RECT area = client;
    if (scrollRect) {
        IntersectRect(&area, &area, scrollRect);
    }
    if (clipRect) {
        IntersectRect(&area, &area, clipRect);
    }
    Region uncovered(area);
    {
        auto lock = LockSystem();
        WindowSystem& system = System();
        Window* window = FindWindowRecord(hwnd);
        if (!window) {
            return ERROR;
        }
        const POINT origin = ClientOriginOnScreen(*window);
        Region visible = Shifted(VisibleRegionOf(*window, DCX_USESTYLE), -origin.x, -origin.y);
        visible.Intersect(Region(area));
        // What can be moved: visible pixels whose destination is in the area and visible.
        Region moved = Shifted(visible, dx, dy);
        moved.Intersect(visible);
        uncovered.Subtract(moved);
        if (IsDrawable(*window) && !moved.IsEmpty()) {
            Window* root = FindWindowRecord(RootWindowOf(hwnd));
            Surface* surface = SurfaceOf(system, *root);
            const RECT rootRect = WindowRectOnScreen(*root);
            const int ox = origin.x - rootRect.left;
            const int oy = origin.y - rootRect.top;
            auto gdi = LockGdi();
            const Surface before = *surface;
            for (const RECT& r : moved.Rects()) {
                for (int y = r.top; y < r.bottom; ++y) {
                    for (int x = r.left; x < r.right; ++x) {
                        const int sx = x - dx + ox;
                        const int sy = y - dy + oy;
                        if (x + ox >= 0 && y + oy >= 0 && x + ox < surface->Width() && y + oy < surface->Height() &&
                            sx >= 0 && sy >= 0 && sx < surface->Width() && sy < surface->Height()) {
                            surface->SetPixel(x + ox, y + oy, before.Pixel(sx, sy));
                        }
                    }
                }
            }
            ShowDrawn(root->handle, Moved(moved.Bounds(), ox, oy));
        }
        // The update region travels with the pixels it belongs to.
        const RECT clientLocal = ClientLocal(*window);
        Region inArea = Shifted(Region(area), clientLocal.left, clientLocal.top);
        Region pending = window->updateRegion;
        pending.Intersect(inArea);
        window->updateRegion.Subtract(inArea);
        pending.Offset(dx, dy);
        pending.Intersect(inArea);
        window->updateRegion.Unite(pending);
    }
    if (flags & SW_SCROLLCHILDREN) {
        for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            WindowState state;
            ReadWindowState(child, state);
            RECT overlap;
            if (!scrollRect || IntersectRect(&overlap, &state.windowRect, scrollRect)) {
                SetWindowPos(child, nullptr, state.windowRect.left + dx, state.windowRect.top + dy, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
            }
        }
    }
    if (flags & SW_INVALIDATE) {
        const HRGN handle = HandleOfRegion(uncovered);
        RedrawWindow(hwnd, nullptr, handle,
                     RDW_INVALIDATE | RDW_ALLCHILDREN | ((flags & SW_ERASE) ? RDW_ERASE | RDW_ERASENOW : 0));
        DeleteObject(handle);
    }
    if (updateRegion) {
        auto gdi = LockGdi();
        if (RegionObject* object = FindRegion(updateRegion)) {
            object->region = uncovered;
        }
    }
    if (updateRect) {
        *updateRect = uncovered.Bounds();
    }
    return uncovered.Kind();
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scrollRect, const RECT* clipRect)
{
    const UINT flags = SW_INVALIDATE | SW_ERASE | (scrollRect ? 0 : SW_SCROLLCHILDREN);
    return ScrollWindowEx(hwnd, dx, dy, scrollRect, clipRect, nullptr, nullptr, flags) != ERROR;
}

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw)
{
    std::optional<Region> shape;
    if (region) {
        shape = RegionOfHandle(region);
        if (!shape) {
            return 0;
        }
    }
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window) {
            return 0;
        }
        window->windowRegion = std::move(shape);
        if (IsOnScreen(*window)) {
            Display().WindowRegionChanged(hwnd);
            ScreenLayoutChanged();
        }
    }
    if (region) {
        DeleteObject(region);
    }
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | (redraw ? 0 : SWP_NOREDRAW));
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region)
{
    std::optional<Region> shape;
    {
        auto lock = LockSystem();
        Window* window = WindowOrError(hwnd);
        if (!window || !window->windowRegion) {
            return ERROR;
        }
        shape = window->windowRegion;
    }
    auto gdi = LockGdi();
    RegionObject* object = FindRegion(region);
    if (!object) {
        return ERROR;
    }
    object->region = *shape;
    return shape->Kind();
}

BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC callback, LPARAM data)
{
    if (!callback) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // The drawable part of the device context on the screen, and the screen point of its logical (0, 0).
    RECT limit{-0x7FFFFFF, -0x7FFFFFF, 0x7FFFFFF, 0x7FFFFFF};
    POINT shift{0, 0};
    if (dc) {
        RECT box;
        POINT windowOrigin;
        POINT viewportOrigin;
        if (GetClipBox(dc, &box) == ERROR || !GetWindowOrgEx(dc, &windowOrigin) || !GetViewportOrgEx(dc, &viewportOrigin)) {
            return FALSE;
        }
        {
            auto lock = LockSystem();
            auto it = System().windowDCs.find(dc);
            if (it != System().windowDCs.end()) {
                shift = it->second.screenOrigin;
            }
        }
        shift.x += viewportOrigin.x - windowOrigin.x;
        shift.y += viewportOrigin.y - windowOrigin.y;
        limit = Moved(box, shift.x, shift.y);
    }
    if (clip) {
        const RECT screenClip = Moved(*clip, shift.x, shift.y);
        IntersectRect(&limit, &limit, &screenClip);
    }
    for (HMONITOR monitor : AllMonitors()) {
        MONITORINFO info;
        GetMonitorInfo(monitor, &info);
        RECT meeting;
        if (!IntersectRect(&meeting, &info.rcMonitor, &limit)) {
            continue;
        }
        meeting = Moved(meeting, -shift.x, -shift.y);
        if (!callback(monitor, dc, &meeting, data)) {
            return FALSE;
        }
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

void detail::ShowDrawn(HWND root, const RECT& rect)
{
    if (IsRectEmpty(&rect)) {
        return;
    }
    if (Window* window = FindWindowRecord(root); window && IsOnScreen(*window)) {
        Display().SurfaceDamaged(root, rect);
        Display().Present(root);
    }
}

bool detail::ReadWindowSurface(HWND hwnd, const std::function<void(const Surface&)>& read)
{
    auto lock = LockSystem();
    auto it = System().surfaces.find(hwnd);
    if (it == System().surfaces.end()) {
        return false;
    }
    auto gdi = LockGdi();
    read(*it->second);
    return true;
}

}  // namespace win
