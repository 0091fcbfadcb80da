#include "platform/win/detail/ScreenDC.h"

#include "platform/gdi/SystemInfo.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Region.h"
#include "platform/win/detail/Layered.h"
#include "platform/win/detail/Paint.h"
#include "platform/win/detail/WindowTable.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <utility>
#include <vector>

namespace win {

using namespace detail;

namespace {

// A window as screen contexts see it.
struct Layer {
    HWND hwnd = nullptr;
    Surface* surface = nullptr;
    POINT origin;  // the screen point of the surface's pixel (0, 0)
    Region shows;  // screen coordinates: the part no window above covers
};

// Guarded by the GDI lock.
struct ScreenPlan {
    POINT screenOrigin;  // the screen point of the screen surface's pixel (0, 0): the desktop's top left
    std::vector<Layer> layers;
    std::map<HWND, RECT> drawn;  // surface coordinates of each window, not yet shown
};

ScreenPlan& Plan()
{
    static ScreenPlan plan;
    return plan;
}

std::atomic<bool> drawnPending{false};

// Copies the part of region (screen coordinates) from one surface to the other, each given with the
// screen point of its pixel (0, 0).
void CopyPart(const Region& region, const Surface& from, POINT fromOrigin, Surface& to, POINT toOrigin)
{
    for (const RECT& rect : region.Rects()) {
        const int width = rect.right - rect.left;
        for (int y = rect.top; y < rect.bottom; ++y) {
            const std::uint32_t* source = from.Row(y - fromOrigin.y) + (rect.left - fromOrigin.x);
            std::copy(source, source + width, to.Row(y - toOrigin.y) + (rect.left - toOrigin.x));
        }
    }
}

// area (screen surface coordinates) as a region of the screen.
Region OnScreen(const RECT& area, POINT screenOrigin)
{
    Region region(area);
    region.Offset(screenOrigin.x, screenOrigin.y);
    return region;
}

void Gather(Surface& screen, const RECT& area)
{
    const ScreenPlan& plan = Plan();
    screen.Fill(area, PixelFromColor(GetSysColor(COLOR_DESKTOP)));
    const Region wanted = OnScreen(area, plan.screenOrigin);
    for (const Layer& layer : plan.layers) {
        Region part = layer.shows;
        part.Intersect(wanted);
        CopyPart(part, *layer.surface, layer.origin, screen, plan.screenOrigin);
    }
}

void Spread(const Surface& screen, const RECT& area)
{
    ScreenPlan& plan = Plan();
    const Region given = OnScreen(area, plan.screenOrigin);
    for (Layer& layer : plan.layers) {
        Region part = layer.shows;
        part.Intersect(given);
        if (part.IsEmpty()) {
            continue;
        }
        CopyPart(part, screen, plan.screenOrigin, *layer.surface, layer.origin);
        RECT changed = part.Bounds();
        OffsetRect(&changed, -layer.origin.x, -layer.origin.y);
        auto [it, fresh] = plan.drawn.emplace(layer.hwnd, changed);
        if (!fresh) {
            UnionRect(&it->second, &it->second, &changed);
        }
        drawnPending = true;
    }
}

// The windows from the top down, each with the part it shows (system lock held). A window whose
// picture UpdateLayeredWindow gives is left out: it is composed over what lies beneath, so what is
// drawn there goes beneath and shows through it.
std::vector<Layer> Layers(WindowSystem& system, const Window& desktop)
{
    std::vector<Layer> layers;
    Region covered;
    for (HWND hwnd : desktop.children) {
        const Window* window = FindWindowRecord(hwnd);
        if (!window || !(window->style & WS_VISIBLE) || (window->style & WS_MINIMIZE) ||
            LayeredStateOf(*window).updated) {
            continue;
        }
        const RECT rect = window->windowRect;
        Region shape(rect);
        if (window->windowRegion) {
            Region own = *window->windowRegion;
            own.Offset(rect.left, rect.top);
            shape.Intersect(own);
        }
        auto found = system.surfaces.find(hwnd);
        Surface* surface = found == system.surfaces.end() ? nullptr : found->second.get();
        if (surface) {
            // A surface not yet made again at a new size holds only what it holds.
            Region shows = shape;
            shows.Intersect(Region(Moved(surface->Bounds(), rect.left, rect.top)));
            shows.Subtract(covered);
            if (!shows.IsEmpty()) {
                layers.push_back(Layer{hwnd, surface, POINT{rect.left, rect.top}, std::move(shows)});
            }
        }
        covered.Unite(shape);
    }
    return layers;
}

}  // namespace

void detail::InstallScreenPixels()
{
    SetScreenPixels(ScreenPixels{Gather, Spread});
}

void detail::ScreenLayoutChanged()
{
    WindowSystem& system = System();
    const Window* desktop = FindWindowRecord(system.desktop);
    std::vector<Layer> layers = desktop ? Layers(system, *desktop) : std::vector<Layer>();
    const POINT origin = desktop ? POINT{desktop->windowRect.left, desktop->windowRect.top} : POINT{};
    auto gdi = LockGdi();
    ScreenPlan& plan = Plan();
    plan.screenOrigin = origin;
    plan.layers = std::move(layers);
    std::erase_if(plan.drawn, [](const auto& entry) { return !FindWindowRecord(entry.first); });
}

void detail::ShowScreenDrawing()
{
    std::map<HWND, RECT> drawn;
    {
        auto gdi = LockGdi();
        drawn.swap(Plan().drawn);
        drawnPending = false;
    }
    for (const auto& [hwnd, rect] : drawn) {
        ShowDrawn(hwnd, rect);
    }
}

void detail::ShowPendingScreenDrawing()
{
    if (drawnPending) {
        auto lock = LockSystem();
        ShowScreenDrawing();
    }
}

}  // namespace win
