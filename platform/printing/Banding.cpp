#include "platform/printing/detail/Banding.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <vector>

namespace win {

using namespace detail;

namespace {

constexpr std::int64_t kBandBytes = std::int64_t{16} << 20;

std::atomic<int> bandThickness{0};

int Thickness(int across)
{
    const int wanted = bandThickness.load();
    if (wanted > 0) {
        return wanted;
    }
    return static_cast<int>(std::max<std::int64_t>(1, kBandBytes / (std::int64_t{std::max(across, 1)} * 4)));
}

// Rec. 601 luma, rounded.
std::uint8_t Grey(std::uint32_t pixel)
{
    const std::uint32_t r = (pixel >> 16) & 0xFF;
    const std::uint32_t g = (pixel >> 8) & 0xFF;
    const std::uint32_t b = pixel & 0xFF;
    return static_cast<std::uint8_t>((299 * r + 587 * g + 114 * b + 500) / 1000);
}

// One output row from count pixels, each step words apart.
void PutRow(std::uint8_t* out, const std::uint32_t* first, std::ptrdiff_t step, int count, bool color, bool mirrored)
{
    for (int i = 0; i < count; ++i) {
        const std::uint32_t pixel = first[(mirrored ? count - 1 - i : i) * step];
        if (color) {
            *out++ = static_cast<std::uint8_t>(pixel >> 16);
            *out++ = static_cast<std::uint8_t>(pixel >> 8);
            *out++ = static_cast<std::uint8_t>(pixel);
        } else {
            *out++ = Grey(pixel);
        }
    }
}

// A surface context the bands are drawn on, deleted with it.
class BandContext {
public:
    BandContext(Surface& surface, const Device& device)
    {
        dc_ = CreateDeviceSurfaceDC(surface, device, POINT{});
        if (!dc_) {
            throw EPrintError("The page cannot be drawn: no room for a device context", ERROR_NOT_ENOUGH_MEMORY);
        }
    }
    ~BandContext() { DeleteDC(dc_); }
    BandContext(const BandContext&) = delete;
    BandContext& operator=(const BandContext&) = delete;

    // Draws the page with device point (0, 0) at the surface pixel origin.
    void Draw(const PageList& page, Surface& surface, POINT origin, const RECT& printable)
    {
        auto lock = LockGdi();
        DeviceContext& context = *FindDC(dc_);
        surface.Fill(surface.Bounds(), 0x00FFFFFF);
        context.surfaceOrigin = origin;
        context.systemClip = Region(printable);
        page.Draw(context);
    }

private:
    HDC dc_ = nullptr;
};

}  // namespace

void detail::SetBandThickness(int thickness)
{
    bandThickness.store(std::max(thickness, 0));
}

bool detail::BandPage(const PageList& page, const Device& device, const PageGeometry& geometry, bool color,
                      RowOrder order, PrintJob& job, const std::function<bool()>& keepGoing)
{
    const int width = geometry.physical.cx;
    const int height = geometry.physical.cy;
    const RECT printable{0, 0, geometry.printable.cx, geometry.printable.cy};
    // Turned, a band is a strip of columns, whose columns become the sheet's rows from the right.
    const int across = order.turned ? height : width;
    const int lines = order.turned ? width : height;
    const int thickness = std::min(Thickness(across), std::max(lines, 1));
    Surface surface = order.turned ? Surface(thickness, height) : Surface(width, thickness);
    BandContext context(surface, device);
    std::vector<std::uint8_t> rows(std::size_t(thickness) * std::size_t(across) * (color ? 3 : 1));
    const std::size_t rowBytes = std::size_t(across) * (color ? 3 : 1);

    // Output lines 0 .. lines - 1 in order; line k is row k of the page, or column lines - 1 - k turned.
    const int bands = (lines + thickness - 1) / std::max(thickness, 1);
    for (int band = 0; band < bands; ++band) {
        const int index = order.bottomUp ? bands - 1 - band : band;
        const int first = index * thickness;
        const int count = std::min(thickness, lines - first);
        // The band's page area: rows first .. first + count - 1, or turned the columns of those lines.
        const int start = order.turned ? width - first - count : first;
        const POINT origin = order.turned ? POINT{geometry.offset.x - start, geometry.offset.y}
                                          : POINT{geometry.offset.x, geometry.offset.y - start};
        context.Draw(page, surface, origin, printable);
        for (int k = 0; k < count; ++k) {
            const int line = order.bottomUp ? count - 1 - k : k;
            std::uint8_t* out = rows.data() + std::size_t(k) * rowBytes;
            if (order.turned) {
                // Line first + line is page column width - 1 - (first + line), at band column count - 1 - line.
                const int column = count - 1 - line;
                PutRow(out, surface.Row(0) + column, surface.Stride() / 4, height, color, order.mirrored);
            } else {
                PutRow(out, surface.Row(line), 1, width, color, order.mirrored);
            }
        }
        job.WriteRows(rows.data(), count);
        if (band + 1 < bands && !keepGoing()) {
            return false;
        }
    }
    return true;
}

}  // namespace win
