#include "platform/gdi/Region.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Region.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace win {

using namespace detail;

namespace {

// Coordinates beyond this are refused, as the documented API refuses them; it keeps the products of
// the scan conversion inside 128 bits.
constexpr LONG CoordinateLimit = 1 << 27;

struct Span {
    LONG left;
    LONG right;
    friend bool operator==(const Span&, const Span&) = default;
};

// Rows of spans collected top down and merged into bands: consecutive rows with the same spans make
// one band.
class BandBuilder {
public:
    void AddRow(LONG y, std::vector<Span> spans)
    {
        if (!current_.empty() && y == bandBottom_ && spans == current_) {
            ++bandBottom_;
            return;
        }
        Flush();
        current_ = std::move(spans);
        bandTop_ = y;
        bandBottom_ = y + 1;
    }

    std::vector<RECT> Finish()
    {
        Flush();
        return std::move(rects_);
    }

private:
    void Flush()
    {
        for (const Span& span : current_) {
            rects_.push_back(RECT{span.left, bandTop_, span.right, bandBottom_});
        }
        current_.clear();
    }

    std::vector<Span> current_;
    LONG bandTop_ = 0;
    LONG bandBottom_ = 0;
    std::vector<RECT> rects_;
};

RECT Normalized(LONG left, LONG top, LONG right, LONG bottom)
{
    return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

bool InLimits(LONG value)
{
    return value >= -CoordinateLimit && value <= CoordinateLimit;
}

bool InLimits(const RECT& rect)
{
    return InLimits(rect.left) && InLimits(rect.top) && InLimits(rect.right) && InLimits(rect.bottom);
}

std::int64_t FloorDiv(std::int64_t numerator, std::int64_t denominator)
{
    std::int64_t quotient = numerator / denominator;
    if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) {
        --quotient;
    }
    return quotient;
}

std::int64_t CeilDiv(std::int64_t numerator, std::int64_t denominator)
{
    return -FloorDiv(-numerator, denominator);
}

// The largest m >= 0 with m * m * scale <= limit (limit >= 0, scale > 0).
std::int64_t LargestRoot(__int128 limit, __int128 scale)
{
    auto m = static_cast<std::int64_t>(std::sqrt(static_cast<long double>(limit) / static_cast<long double>(scale)));
    while (static_cast<__int128>(m + 1) * (m + 1) * scale <= limit) {
        ++m;
    }
    while (m > 0 && static_cast<__int128>(m) * m * scale > limit) {
        --m;
    }
    return m;
}

// The round rectangle inscribed in the pixel box left..right - 2, top..bottom - 2 (the rule that makes
// these regions one pixel smaller than their rectangle), its corners quarter ellipses of the given
// size. Work is in doubled coordinates so that pixel centres (2x + 1) and the ellipse centres are whole.
std::vector<RECT> RoundRectRows(const RECT& box, LONG cornerWidth, LONG cornerHeight)
{
    BandBuilder bands;
    const LONG width = box.right - box.left - 1;  // continuous extent between outermost pixel centres' box
    const LONG height = box.bottom - box.top - 1;
    if (width <= 0 || height <= 0) {
        return {};
    }
    const std::int64_t a = std::clamp<LONG>(cornerWidth, 1, width + 1) - 1;  // doubled corner radii
    const std::int64_t b = std::clamp<LONG>(cornerHeight, 1, height + 1) - 1;
    if (a == 0 || b == 0) {
        return {RECT{box.left, box.top, box.right - 1, box.bottom - 1}};
    }
    const std::int64_t leftCentre = 2 * std::int64_t{box.left} + a;
    const std::int64_t rightCentre = 2 * std::int64_t{box.right - 1} - a;
    const std::int64_t topCentre = 2 * std::int64_t{box.top} + b;
    const std::int64_t bottomCentre = 2 * std::int64_t{box.bottom - 1} - b;
    for (LONG y = box.top; y < box.bottom - 1; ++y) {
        const std::int64_t centreY = 2 * std::int64_t{y} + 1;
        std::int64_t dy = 0;
        if (centreY < topCentre) {
            dy = topCentre - centreY;
        } else if (centreY > bottomCentre) {
            dy = centreY - bottomCentre;
        }
        LONG left = box.left;
        LONG right = box.right - 1;
        if (dy > 0) {
            // Pixel centres at horizontal distance d from the corner centre are inside while
            // d^2 * b^2 + dy^2 * a^2 <= a^2 * b^2.
            const __int128 limit = static_cast<__int128>(a) * a * (b * b - dy * dy);
            const std::int64_t reach = LargestRoot(limit, static_cast<__int128>(b) * b);
            left = static_cast<LONG>(std::max<std::int64_t>(box.left, CeilDiv(leftCentre - reach - 1, 2)));
            right = static_cast<LONG>(std::min<std::int64_t>(box.right - 1, FloorDiv(rightCentre + reach - 1, 2) + 1));
        }
        if (left < right) {
            bands.AddRow(y, {Span{left, right}});
        } else {
            bands.AddRow(y, {});
        }
    }
    return bands.Finish();
}

struct Edge {
    std::int64_t x0;
    std::int64_t y0;
    std::int64_t x1;
    std::int64_t y1;  // y0 < y1
    int direction;  // +1 when the polygon runs downwards along it
};

// The first pixel whose centre lies at or right of the edge's crossing of row y: a centre on the
// crossing counts as right of it, so a left edge keeps it and a right edge leaves it out.
LONG CrossingPixel(const Edge& edge, LONG y)
{
    const std::int64_t dy = edge.y1 - edge.y0;
    // crossing x = (2 * x0 * dy + (2y + 1 - 2 * y0) * (x1 - x0)) / (2 * dy)
    const std::int64_t numerator = 2 * edge.x0 * dy + (2 * std::int64_t{y} + 1 - 2 * edge.y0) * (edge.x1 - edge.x0);
    const std::int64_t denominator = 2 * dy;
    return static_cast<LONG>(CeilDiv(2 * numerator - denominator, 2 * denominator));
}

std::vector<RECT> PolygonRows(const std::vector<Edge>& edges, int fillMode)
{
    BandBuilder bands;
    if (edges.empty()) {
        return {};
    }
    std::int64_t top = edges.front().y0;
    std::int64_t bottom = edges.front().y1;
    for (const Edge& edge : edges) {
        top = std::min(top, edge.y0);
        bottom = std::max(bottom, edge.y1);
    }
    std::vector<std::pair<LONG, int>> crossings;
    for (auto y = static_cast<LONG>(top); y < bottom; ++y) {
        crossings.clear();
        for (const Edge& edge : edges) {
            if (edge.y0 <= y && y < edge.y1) {
                crossings.emplace_back(CrossingPixel(edge, y), edge.direction);
            }
        }
        std::sort(crossings.begin(), crossings.end());
        std::vector<Span> spans;
        int winding = 0;
        LONG start = 0;
        for (const auto& [x, direction] : crossings) {
            const bool wasInside = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
            winding += fillMode == WINDING ? direction : 1;
            const bool inside = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
            if (!wasInside && inside) {
                start = x;
            } else if (wasInside && !inside && start < x) {
                if (!spans.empty() && spans.back().right == start) {
                    spans.back().right = x;
                } else {
                    spans.push_back(Span{start, x});
                }
            }
        }
        bands.AddRow(y, std::move(spans));
    }
    return bands.Finish();
}

HRGN NewRegion(Region region)
{
    auto lock = LockGdi();
    return static_cast<HRGN>(AddObject(std::make_unique<RegionObject>(std::move(region))));
}

}  // namespace

Region::Region()
{
    pixman_region32_init(&region_);
}

Region::Region(const RECT& rect)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        pixman_region32_init(&region_);
    } else {
        pixman_region32_init_rect(&region_, rect.left, rect.top, static_cast<unsigned>(rect.right - rect.left),
                                  static_cast<unsigned>(rect.bottom - rect.top));
    }
}

Region::Region(const std::vector<RECT>& rects)
{
    pixman_region32_init(&region_);
    std::vector<pixman_box32_t> boxes;
    boxes.reserve(rects.size());
    for (const RECT& rect : rects) {
        if (rect.left < rect.right && rect.top < rect.bottom) {
            boxes.push_back(pixman_box32_t{rect.left, rect.top, rect.right, rect.bottom});
        }
    }
    if (!boxes.empty()) {
        pixman_region32_fini(&region_);
        pixman_region32_init_rects(&region_, boxes.data(), static_cast<int>(boxes.size()));
    }
}

Region::Region(const Region& other)
{
    pixman_region32_init(&region_);
    pixman_region32_copy(&region_, &other.region_);
}

Region::Region(Region&& other) noexcept : Region()
{
    std::swap(region_, other.region_);
}

Region& Region::operator=(const Region& other)
{
    if (this != &other) {
        pixman_region32_copy(&region_, &other.region_);
    }
    return *this;
}

Region& Region::operator=(Region&& other) noexcept
{
    std::swap(region_, other.region_);
    return *this;
}

Region::~Region()
{
    pixman_region32_fini(&region_);
}

Region Region::Ellipse(const RECT& bounds)
{
    return Region(RoundRectRows(bounds, bounds.right - bounds.left, bounds.bottom - bounds.top));
}

Region Region::RoundRect(const RECT& bounds, int ellipseWidth, int ellipseHeight)
{
    return Region(RoundRectRows(bounds, std::abs(ellipseWidth), std::abs(ellipseHeight)));
}

Region Region::Polygons(const POINT* points, const int* counts, int polygons, int fillMode)
{
    std::vector<Edge> edges;
    const POINT* first = points;
    for (int polygon = 0; polygon < polygons; ++polygon) {
        const int count = counts[polygon];
        for (int index = 0; index < count; ++index) {
            const POINT& from = first[index];
            const POINT& to = first[(index + 1) % count];
            if (from.y < to.y) {
                edges.push_back(Edge{from.x, from.y, to.x, to.y, 1});
            } else if (from.y > to.y) {
                edges.push_back(Edge{to.x, to.y, from.x, from.y, -1});
            }
        }
        first += count;
    }
    return Region(PolygonRows(edges, fillMode));
}

int Region::Kind() const
{
    const int count = pixman_region32_n_rects(&region_);
    return count == 0 ? NULLREGION : count == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool Region::IsEmpty() const
{
    return !pixman_region32_not_empty(&region_);
}

RECT Region::Bounds() const
{
    if (IsEmpty()) {
        return RECT{};
    }
    const pixman_box32_t* box = pixman_region32_extents(&region_);
    return RECT{box->x1, box->y1, box->x2, box->y2};
}

std::vector<RECT> Region::Rects() const
{
    int count = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(&region_, &count);
    std::vector<RECT> rects;
    rects.reserve(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        rects.push_back(RECT{boxes[index].x1, boxes[index].y1, boxes[index].x2, boxes[index].y2});
    }
    return rects;
}

bool Region::Contains(POINT point) const
{
    return pixman_region32_contains_point(&region_, point.x, point.y, nullptr);
}

bool Region::Intersects(const RECT& rect) const
{
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        return false;
    }
    const pixman_box32_t box{rect.left, rect.top, rect.right, rect.bottom};
    return pixman_region32_contains_rectangle(&region_, &box) != PIXMAN_REGION_OUT;
}

void Region::Offset(int dx, int dy)
{
    pixman_region32_translate(&region_, dx, dy);
}

void Region::Intersect(const Region& other)
{
    pixman_region32_intersect(&region_, &region_, &other.region_);
}

void Region::Unite(const Region& other)
{
    pixman_region32_union(&region_, &region_, &other.region_);
}

void Region::Subtract(const Region& other)
{
    pixman_region32_subtract(&region_, &region_, &other.region_);
}

void Region::Xor(const Region& other)
{
    Region otherOnly(other);
    otherOnly.Subtract(*this);
    Subtract(other);
    Unite(otherOnly);
}

bool Region::Combine(const Region& first, const Region& second, int mode)
{
    Region result(first);
    switch (mode) {
    case RGN_AND:
        result.Intersect(second);
        break;
    case RGN_OR:
        result.Unite(second);
        break;
    case RGN_XOR:
        result.Xor(second);
        break;
    case RGN_DIFF:
        result.Subtract(second);
        break;
    case RGN_COPY:
        break;
    default:
        return false;
    }
    *this = std::move(result);
    return true;
}

namespace detail {

bool operator==(const Region& first, const Region& second)
{
    return pixman_region32_equal(&first.region_, &second.region_);
}

}  // namespace detail

RegionObject* detail::FindRegion(HRGN handle)
{
    return FindObjectOf<RegionObject>(handle, OBJ_REGION);
}

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    const RECT rect = Normalized(left, top, right, bottom);
    if (!InLimits(rect)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return NewRegion(Region(rect));
}

HRGN CreateRectRgnIndirect(const RECT* rect)
{
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom)
{
    const RECT rect = Normalized(left, top, right, bottom);
    if (!InLimits(rect)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return NewRegion(Region::Ellipse(rect));
}

HRGN CreateEllipticRgnIndirect(const RECT* rect)
{
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    const RECT rect = Normalized(left, top, right, bottom);
    if (!InLimits(rect) || !InLimits(ellipseWidth) || !InLimits(ellipseHeight)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return NewRegion(Region::RoundRect(rect, ellipseWidth, ellipseHeight));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode)
{
    return CreatePolyPolygonRgn(points, &count, 1, fillMode);
}

HRGN CreatePolyPolygonRgn(const POINT* points, const int* counts, int polygons, int fillMode)
{
    if (!counts || polygons <= 0 || (fillMode != ALTERNATE && fillMode != WINDING)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::int64_t total = 0;
    for (int polygon = 0; polygon < polygons; ++polygon) {
        if (counts[polygon] < 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        total += counts[polygon];
    }
    if (total > 0 && !points) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    for (std::int64_t index = 0; index < total; ++index) {
        if (!InLimits(points[index].x) || !InLimits(points[index].y)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
    }
    return NewRegion(Region::Polygons(points, counts, polygons, fillMode));
}

HRGN ExtCreateRegion(const XFORM* xform, DWORD size, const RGNDATA* data)
{
    const XFORM identity;
    if (xform && std::memcmp(xform, &identity, sizeof(XFORM)) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!data || size < sizeof(RGNDATAHEADER) || data->rdh.dwSize != sizeof(RGNDATAHEADER) ||
        data->rdh.iType != RDH_RECTANGLES ||
        (size - sizeof(RGNDATAHEADER)) / sizeof(RECT) < data->rdh.nCount) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::vector<RECT> rects(data->rdh.nCount);
    std::memcpy(rects.data(), reinterpret_cast<const BYTE*>(data) + sizeof(RGNDATAHEADER), rects.size() * sizeof(RECT));
    for (RECT& rect : rects) {
        rect = Normalized(rect.left, rect.top, rect.right, rect.bottom);
        if (!InLimits(rect)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
    }
    return NewRegion(Region(rects));
}

DWORD GetRegionData(HRGN region, DWORD size, RGNDATA* data)
{
    auto lock = LockGdi();
    const RegionObject* object = FindRegion(region);
    if (!object) {
        return 0;
    }
    const std::vector<RECT> rects = object->region.Rects();
    const auto needed = static_cast<DWORD>(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    if (!data) {
        return needed;
    }
    if (size < needed) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    RGNDATAHEADER header;
    header.nCount = static_cast<DWORD>(rects.size());
    header.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    header.rcBound = object->region.Bounds();
    data->rdh = header;
    std::memcpy(reinterpret_cast<BYTE*>(data) + sizeof(RGNDATAHEADER), rects.data(), rects.size() * sizeof(RECT));
    return size;
}

int CombineRgn(HRGN destination, HRGN first, HRGN second, int mode)
{
    auto lock = LockGdi();
    RegionObject* target = FindRegion(destination);
    const RegionObject* a = FindRegion(first);
    const RegionObject* b = mode == RGN_COPY ? a : FindRegion(second);
    if (!target || !a || !b) {
        return ERROR;
    }
    if (!target->region.Combine(a->region, b->region, mode)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR;
    }
    return target->region.Kind();
}

int OffsetRgn(HRGN region, int dx, int dy)
{
    auto lock = LockGdi();
    RegionObject* object = FindRegion(region);
    if (!object) {
        return ERROR;
    }
    object->region.Offset(dx, dy);
    return object->region.Kind();
}

BOOL PtInRegion(HRGN region, int x, int y)
{
    auto lock = LockGdi();
    const RegionObject* object = FindRegion(region);
    return object && object->region.Contains(POINT{x, y});
}

BOOL RectInRegion(HRGN region, const RECT* rect)
{
    auto lock = LockGdi();
    const RegionObject* object = FindRegion(region);
    return object && rect && object->region.Intersects(Normalized(rect->left, rect->top, rect->right, rect->bottom));
}

BOOL EqualRgn(HRGN first, HRGN second)
{
    auto lock = LockGdi();
    const RegionObject* a = FindRegion(first);
    const RegionObject* b = FindRegion(second);
    return a && b && a->region == b->region;
}

int GetRgnBox(HRGN region, RECT* rect)
{
    auto lock = LockGdi();
    const RegionObject* object = FindRegion(region);
    if (!object || !rect) {
        return ERROR;
    }
    *rect = object->region.Bounds();
    return object->region.Kind();
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom)
{
    auto lock = LockGdi();
    RegionObject* object = FindRegion(region);
    const RECT rect = Normalized(left, top, right, bottom);
    if (!object || !InLimits(rect)) {
        return FALSE;
    }
    object->region = Region(rect);
    return TRUE;
}

}  // namespace win
