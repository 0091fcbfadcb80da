#include "platform/win/ScreenImage.h"

#include "platform/gdi/SystemInfo.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/win/detail/Layered.h"
#include "platform/win/detail/WindowTable.h"
#include "platform/wintypes/GdiTypes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace win {

using namespace detail;

namespace {

std::uint32_t Channel(std::uint32_t pixel, int shift)
{
    return (pixel >> shift) & 0xFF;
}

// source over destination: source premultiplied by sourceAlpha / 255 when premultiplied, scaled by
// constant / 255, covering (coverage / 255) of the destination.
std::uint32_t Blend(std::uint32_t source, std::uint32_t destination, std::uint32_t constant, std::uint32_t pixelAlpha,
                    bool premultiplied)
{
    std::uint32_t out = 0;
    const std::uint32_t coverage = (premultiplied ? pixelAlpha : 255) * constant;  // out of 255 * 255
    for (int shift : {0, 8, 16}) {
        const std::uint32_t s = Channel(source, shift);
        const std::uint32_t d = Channel(destination, shift);
        const std::uint32_t sourcePart = premultiplied ? s * constant * 255 : s * coverage;
        const std::uint32_t value = (sourcePart + d * (255 * 255 - coverage) + 255 * 255 / 2) / (255 * 255);
        out |= std::min<std::uint32_t>(value, 255) << shift;
    }
    return out;
}

// value * alpha / 255, rounded.
std::uint32_t Scaled(std::uint32_t value, std::uint32_t alpha)
{
    return (value * alpha + 127) / 255;
}

}  // namespace

void ComposeScreen(const RECT& area, Surface& surface)
{
    surface.Fill(RECT{0, 0, area.right - area.left, area.bottom - area.top}, PixelFromColor(GetSysColor(COLOR_DESKTOP)));
    auto lock = LockSystem();
    WindowSystem& system = System();
    const Window* desktop = FindWindowRecord(system.desktop);
    if (!desktop) {
        return;
    }
    auto gdiLock = LockGdi();
    // The desktop's children are in z-order, topmost first.
    for (auto it = desktop->children.rbegin(); it != desktop->children.rend(); ++it) {
        const Window* window = FindWindowRecord(*it);
        if (!window || !(window->style & WS_VISIBLE) || !IsOnScreen(*window)) {
            continue;
        }
        auto found = system.surfaces.find(window->handle);
        if (found == system.surfaces.end() || !found->second) {
            continue;
        }
        const Surface& source = *found->second;
        const RECT rect = window->windowRect;
        const LayeredState layered = LayeredStateOf(*window);
        RECT part;  // window coordinates
        RECT wanted{area.left - rect.left, area.top - rect.top, area.right - rect.left, area.bottom - rect.top};
        IntersectRect(&part, &layered.shown, &wanted);
        const RECT bounds = source.Bounds();
        IntersectRect(&part, &part, &bounds);
        const bool keyed = layered.layered && (layered.flags & LWA_COLORKEY);
        const bool perPixel = layered.layered && layered.updated && (layered.flags & ULW_ALPHA);
        const bool blended = perPixel || layered.alpha < 255;
        const std::uint32_t key = PixelFromColor(layered.key);
        for (int y = part.top; y < part.bottom; ++y) {
            const std::uint32_t* from = source.Row(y);
            std::uint32_t* to = surface.Row(y + rect.top - area.top);
            for (int x = part.left; x < part.right; ++x) {
                if (window->windowRegion && !window->windowRegion->Contains(POINT{x, y})) {
                    continue;
                }
                const std::uint32_t pixel = from[x];
                if (keyed && (pixel & 0xFFFFFF) == key) {
                    continue;
                }
                std::uint32_t& target = to[x + rect.left - area.left];
                target = blended ? Blend(pixel, target, layered.alpha, pixel >> 24, perPixel) : (pixel & 0xFFFFFF);
            }
        }
    }
}

bool detail::ReadScreenWindow(HWND hwnd, ScreenWindowState& state)
{
    auto lock = LockSystem();
    const Window* window = FindWindowRecord(hwnd);
    if (!window || !IsOnScreen(*window)) {
        return false;
    }
    state.rect = window->windowRect;
    state.style = window->style;
    state.exStyle = window->exStyle;
    state.owner = window->owner;
    state.text = window->text;
    state.hasRegion = window->windowRegion.has_value();
    state.region = window->windowRegion ? window->windowRegion->Rects() : std::vector<RECT>();
    state.layered = window->exStyle & WS_EX_LAYERED;
    state.icon = window->bigIcon ? window->bigIcon : window->windowClass ? window->windowClass->icon : nullptr;
    return true;
}

bool detail::ReadLayeredShape(HWND hwnd, std::vector<RECT>& rects)
{
    auto lock = LockSystem();
    WindowSystem& system = System();
    const Window* window = FindWindowRecord(hwnd);
    const Window* desktop = FindWindowRecord(system.desktop);
    if (!window || !desktop || !IsOnScreen(*window)) {
        return false;
    }
    const LayeredState layered = LayeredStateOf(*window);
    const bool perPixel = layered.updated && (layered.flags & ULW_ALPHA);
    const bool keyed = layered.flags & LWA_COLORKEY;
    if (!layered.layered || (!perPixel && !keyed && layered.alpha >= 128)) {
        return false;
    }
    auto found = system.surfaces.find(hwnd);
    if (found == system.surfaces.end() || !found->second) {
        return false;
    }
    const RECT rect = window->windowRect;
    // The program's windows beneath, in window coordinates.
    Region beneath;
    auto it = std::find(desktop->children.begin(), desktop->children.end(), hwnd);
    for (it = it == desktop->children.end() ? it : it + 1; it != desktop->children.end(); ++it) {
        const Window* below = FindWindowRecord(*it);
        if (!below || !(below->style & WS_VISIBLE) || !system.surfaces.contains(*it)) {
            continue;
        }
        Region shape(Moved(below->windowRect, -rect.left, -rect.top));
        if (below->windowRegion) {
            Region own = *below->windowRegion;
            own.Offset(below->windowRect.left - rect.left, below->windowRect.top - rect.top);
            shape.Intersect(own);
        }
        beneath.Unite(shape);
    }
    auto gdi = LockGdi();
    const Surface& surface = *found->second;
    const std::uint32_t key = PixelFromColor(layered.key);
    std::vector<RECT> runs;
    for (int y = 0; y < surface.Height(); ++y) {
        const std::uint32_t* row = surface.Row(y);
        int start = -1;
        for (int x = 0; x <= surface.Width(); ++x) {
            bool opaque = false;
            if (x < surface.Width()) {
                const std::uint32_t pixel = row[x];
                const std::uint32_t alpha = (perPixel ? pixel >> 24 : 255) * layered.alpha / 255;
                opaque = alpha >= 128 && !(keyed && (pixel & 0xFFFFFF) == key);
            }
            if (opaque && start < 0) {
                start = x;
            } else if (!opaque && start >= 0) {
                runs.push_back(RECT{start, y, x, y + 1});
                start = -1;
            }
        }
    }
    Region shown(runs);
    shown.Unite(beneath);
    shown.Intersect(Region(surface.Bounds()));
    if (window->windowRegion) {
        shown.Intersect(*window->windowRegion);
    }
    rects = shown.Rects();
    return true;
}

bool detail::CopyWindowPixels(HWND hwnd, const RECT& rect, std::uint32_t* to, std::ptrdiff_t pitch)
{
    auto lock = LockSystem();
    auto found = System().surfaces.find(hwnd);
    if (found == System().surfaces.end() || !found->second) {
        return false;
    }
    auto gdiLock = LockGdi();
    const Surface& surface = *found->second;
    RECT part;
    const RECT bounds = surface.Bounds();
    IntersectRect(&part, &rect, &bounds);
    for (int y = part.top; y < part.bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(to) + (y - rect.top) * pitch);
        std::memcpy(row + (part.left - rect.left), surface.Row(y) + part.left,
                    static_cast<std::size_t>(part.right - part.left) * 4);
    }
    return true;
}

bool detail::CopyLayeredPixels(HWND hwnd, const RECT& rect, std::uint32_t* to, std::ptrdiff_t pitch)
{
    auto lock = LockSystem();
    const Window* window = FindWindowRecord(hwnd);
    auto found = System().surfaces.find(hwnd);
    if (!window || found == System().surfaces.end() || !found->second) {
        return false;
    }
    const LayeredState layered = LayeredStateOf(*window);
    const bool keyed = layered.layered && (layered.flags & LWA_COLORKEY);
    // A picture given with per-pixel alpha is premultiplied already: only the constant alpha is left.
    const bool perPixel = layered.layered && layered.updated && (layered.flags & ULW_ALPHA);
    const std::uint32_t key = PixelFromColor(layered.key);
    auto gdiLock = LockGdi();
    const Surface& surface = *found->second;
    RECT shown;
    const RECT bounds = surface.Bounds();
    IntersectRect(&shown, &layered.shown, &bounds);
    for (int y = rect.top; y < rect.bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(to) + (y - rect.top) * pitch);
        for (int x = rect.left; x < rect.right; ++x) {
            std::uint32_t out = 0;
            if (PtInRect(&shown, POINT{x, y})) {
                const std::uint32_t pixel = surface.Row(y)[x];
                if (!(keyed && (pixel & 0xFFFFFF) == key)) {
                    out = Scaled(perPixel ? pixel >> 24 : 255, layered.alpha) << 24;
                    for (int shift : {0, 8, 16}) {
                        out |= Scaled(Channel(pixel, shift), layered.alpha) << shift;
                    }
                }
            }
            row[x - rect.left] = out;
        }
    }
    return true;
}

}  // namespace win
