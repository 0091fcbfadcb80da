#pragma once
// The region value type the window system and the device contexts work with, and the table's record of
// a region handle.

#include "platform/gdi/Region.h"
#include "platform/gdi/detail/GdiObjects.h"

#include <pixman.h>
#include <cstddef>
#include <vector>

namespace win::detail {

class Region {
public:
    Region();  // empty
    explicit Region(const RECT& rect);  // empty when right <= left or bottom <= top
    // Any rectangles, overlapping or not, in any order.
    explicit Region(const std::vector<RECT>& rects);
    Region(const Region& other);
    Region(Region&& other) noexcept;
    Region& operator=(const Region& other);
    Region& operator=(Region&& other) noexcept;
    ~Region();

    static Region Ellipse(const RECT& bounds);
    static Region RoundRect(const RECT& bounds, int ellipseWidth, int ellipseHeight);
    // Several closed polygons filled together; counts[i] points each. fillMode ALTERNATE or WINDING.
    static Region Polygons(const POINT* points, const int* counts, int polygons, int fillMode);

    int Kind() const;  // NULLREGION, SIMPLEREGION or COMPLEXREGION
    bool IsEmpty() const;
    RECT Bounds() const;  // all zero when empty
    std::vector<RECT> Rects() const;  // bands from top to bottom, left to right within a band
    bool Contains(POINT point) const;
    bool Intersects(const RECT& rect) const;

    void Offset(int dx, int dy);
    void Intersect(const Region& other);
    void Unite(const Region& other);
    void Subtract(const Region& other);
    void Xor(const Region& other);
    // mode is one of RGN_AND .. RGN_COPY; false for any other.
    bool Combine(const Region& first, const Region& second, int mode);

    friend bool operator==(const Region& first, const Region& second);

    const pixman_region32_t* Raw() const { return &region_; }

private:
    pixman_region32_t region_;
};

// The table's record of a region handle.
struct RegionObject : GdiObject {
    RegionObject() : GdiObject(OBJ_REGION) {}
    explicit RegionObject(Region value) : GdiObject(OBJ_REGION), region(std::move(value)) {}
    Region region;
};
// The region of a handle, or null (ERROR_INVALID_HANDLE set) when it is not a live region. The caller
// holds the GDI lock.
RegionObject* FindRegion(HRGN handle);

// Creation: null with the last error set when the table is full.

}  // namespace win::detail
