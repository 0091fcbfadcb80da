#pragma once
// Regions: sets of pixels kept as bands of rectangles. Region is the value type the window system and
// the device contexts work with; HRGN handles wrap one each in the object table.
//
// Pixel rules: a rectangle holds left <= x < right, top <= y < bottom. A polygon region holds the
// pixels whose centres lie inside the polygon (a centre on a left edge is inside, on a right edge
// outside). Elliptic and round-rectangle regions are one pixel narrower and shorter than their
// bounding rectangle, as the documented API makes them: the ellipse of (0, 0, 11, 11) covers (0, 0, 10, 10), so a
// window of w x h pixels takes CreateRoundRectRgn(0, 0, w + 1, h + 1, ...).

#include "platform/gdi/GdiObjects.h"
#include "platform/wintypes/GdiTypes.h"

#include <pixman.h>

#include <cstddef>
#include <vector>

namespace win {

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
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgnIndirect(const RECT* rect);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);
HRGN CreatePolyPolygonRgn(const POINT* points, const int* counts, int polygons, int fillMode);
// xform must be null or the identity; data holds nCount rectangles after its header.
HRGN ExtCreateRegion(const XFORM* xform, DWORD size, const RGNDATA* data);
// With data null: the bytes needed. Otherwise fills data and answers size, or 0 when size is too small.
DWORD GetRegionData(HRGN region, DWORD size, RGNDATA* data);

// The kind of the result, or ERROR when a handle is not a region or mode is unknown. destination may be
// one of the sources.
int CombineRgn(HRGN destination, HRGN first, HRGN second, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const RECT* rect);
BOOL EqualRgn(HRGN first, HRGN second);
int GetRgnBox(HRGN region, RECT* rect);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);

}  // namespace win
