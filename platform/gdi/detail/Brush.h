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
};

}  // namespace win::detail
