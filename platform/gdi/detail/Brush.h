#pragma once
// A brush as drawing sees it.

#include "platform/gdi/Brush.h"
#include "platform/gdi/detail/Surface.h"

#include <cstdint>
#include <memory>

namespace win::detail {

struct DeviceContext;

// A brush resolved against a device context's colours and brush origin for one drawing.
class BrushPaint {
public:
    // Null for a null brush or an invalid handle; brush may be a COLOR_ index + 1.
    static std::unique_ptr<BrushPaint> Of(const DeviceContext& context, HBRUSH brush);
    explicit BrushPaint(std::uint32_t pixel) : solid_(pixel) {}

    bool IsSolid() const { return !pattern_ && hatch_ < 0; }
    std::uint32_t SolidPixel() const { return solid_; }
    // The brush's pixel at a device point; false where it paints nothing (a transparent hatch's gaps).
    bool At(int x, int y, std::uint32_t& pixel) const;

    // How many rows the brush repeats after: 1 for a solid brush, 8 for a hatch, a pattern's height.
    int Period() const;
    // The pixels of count device points from (x, y) on, as At gives them; true when every one is painted,
    // else paints[k] is 0 for a gap (and left alone when true is returned).
    bool Row(int x, int y, int count, std::uint32_t* pixels, std::uint8_t* paints) const;
    // The brush as one tile of the pixels At gives and the device point its pixel (0, 0) lies on; null
    // for a solid brush, one with gaps and a pattern too large to tile.
    const Surface* Tile(POINT& origin) const;

private:
    BrushPaint() = default;

    std::uint32_t solid_ = 0;
    int hatch_ = -1;
    std::uint32_t background_ = 0;
    bool opaque_ = true;
    std::shared_ptr<const Surface> pattern_;
    bool monochrome_ = false;
    std::uint32_t text_ = 0;
    POINT origin_;
    // Made at the first request and unchanged after, so copies of the paint (recorded drawings) share it.
    mutable std::shared_ptr<const Surface> tile_;
};

}  // namespace win::detail
