#include "platform/gdi/Pen.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Pen.h"
#include "platform/gdi/detail/Raster.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace win {

using namespace detail;

namespace {

constexpr DWORD MaxUserLengths = 16;

std::vector<int> StyleLengths(int style, bool geometric, int width)
{
    std::vector<int> lengths;
    if (geometric) {
        switch (style) {
        case PS_DASH:
            lengths = {3, 1};
            break;
        case PS_DOT:
            lengths = {1, 1};
            break;
        case PS_DASHDOT:
            lengths = {3, 1, 1, 1};
            break;
        case PS_DASHDOTDOT:
            lengths = {3, 1, 1, 1, 1, 1};
            break;
        default:
            break;
        }
        for (int& length : lengths) {
            length *= width;
        }
        return lengths;
    }
    switch (style) {
    case PS_DASH:
        return {18, 6};
    case PS_DOT:
        return {3, 3};
    case PS_DASHDOT:
        return {9, 6, 3, 6};
    case PS_DASHDOTDOT:
        return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE:
        return {1, 1};
    default:
        return {};
    }
}

}  // namespace

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles)
{
    const DWORD type = style & PS_TYPE_MASK;
    const DWORD lineStyle = style & PS_STYLE_MASK;
    const DWORD cap = style & PS_ENDCAP_MASK;
    const DWORD join = style & PS_JOIN_MASK;
    const bool user = lineStyle == PS_USERSTYLE;
    const bool valid = brush && (type == PS_COSMETIC || type == PS_GEOMETRIC) && lineStyle <= PS_ALTERNATE &&
                       cap <= PS_ENDCAP_FLAT && join <= PS_JOIN_MITER &&
                       (style & ~(PS_TYPE_MASK | PS_STYLE_MASK | PS_ENDCAP_MASK | PS_JOIN_MASK)) == 0 &&
                       (type == PS_GEOMETRIC || (width == 1 && brush->lbStyle == BS_SOLID)) &&
                       (type == PS_COSMETIC || lineStyle != PS_ALTERNATE) &&
                       (brush->lbStyle == BS_SOLID || brush->lbStyle == BS_NULL || brush->lbStyle == BS_HATCHED) &&
                       (user ? styles && styleCount >= 1 && styleCount <= MaxUserLengths : styleCount == 0) &&
                       width <= 0x7FFF;
    if (!valid) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto pen = std::make_unique<PenObject>();
    pen->extended = true;
    pen->extStyle = style;
    pen->logPen.lopnStyle = brush->lbStyle == BS_NULL ? PS_NULL : lineStyle;
    pen->logPen.lopnWidth.x = static_cast<LONG>(width);
    pen->logPen.lopnColor = brush->lbColor & 0x00FFFFFF;
    if (user) {
        pen->dashes.assign(styles, styles + styleCount);
    }
    auto lock = LockGdi();
    return static_cast<HPEN>(AddObject(std::move(pen)));
}

int detail::GetExtPenObject(const PenObject& pen, int size, void* buffer)
{
    const std::size_t extra = pen.dashes.size() > 1 ? (pen.dashes.size() - 1) * sizeof(DWORD) : 0;
    const auto needed = static_cast<int>(sizeof(EXTLOGPEN) + extra);
    if (!buffer) {
        return needed;
    }
    if (size < needed) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    EXTLOGPEN record;
    record.elpPenStyle = pen.extStyle;
    record.elpWidth = static_cast<DWORD>(pen.logPen.lopnWidth.x);
    record.elpBrushStyle = pen.logPen.lopnStyle == PS_NULL ? BS_NULL : BS_SOLID;
    record.elpColor = pen.logPen.lopnColor;
    record.elpNumEntries = static_cast<DWORD>(pen.dashes.size());
    std::memcpy(buffer, &record, sizeof(record));
    if (!pen.dashes.empty()) {
        std::memcpy(static_cast<std::uint8_t*>(buffer) + offsetof(EXTLOGPEN, elpStyleEntry), pen.dashes.data(),
                    pen.dashes.size() * sizeof(DWORD));
    }
    return needed;
}

PenShape detail::PenShapeOf(const DeviceContext& context)
{
    PenShape shape;
    const auto* pen = FindObjectOf<PenObject>(context.state.pen, OBJ_PEN);
    if (!pen || pen->logPen.lopnStyle == PS_NULL) {
        shape.null = true;
        return shape;
    }
    const int style = static_cast<int>(pen->logPen.lopnStyle);
    shape.colour = pen->logPen.lopnColor;
    shape.width = std::max<int>(pen->logPen.lopnWidth.x, 1);
    shape.geometric = pen->extended ? (pen->extStyle & PS_TYPE_MASK) == PS_GEOMETRIC : shape.width > 1;
    shape.insideFrame = style == PS_INSIDEFRAME;
    if (pen->extended) {
        shape.endCap = pen->extStyle & PS_ENDCAP_MASK;
        shape.join = pen->extStyle & PS_JOIN_MASK;
    }
    if (style == PS_USERSTYLE) {
        for (const DWORD length : pen->dashes) {
            shape.dashes.push_back(static_cast<int>(length));
        }
    } else if (pen->extended || !shape.geometric) {
        shape.dashes = StyleLengths(style, shape.geometric, shape.width);
    }
    return shape;
}

RECT detail::PenReach(const RECT& bounds, const PenShape& pen)
{
    // A miter reaches ten times half the width (the miter limit); anything else less.
    const std::int64_t reach = (pen.null ? 0 : pen.geometric ? std::int64_t{pen.width} * 5 : 1) + 2;
    return ClampedRect(bounds.left - reach, bounds.top - reach, bounds.right + reach, bounds.bottom + reach);
}

RECT detail::PointsBounds(const std::vector<POINT>& points)
{
    if (points.empty()) {
        return RECT{};
    }
    std::int64_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    for (const POINT& point : points) {
        left = std::min<std::int64_t>(left, point.x);
        top = std::min<std::int64_t>(top, point.y);
        right = std::max<std::int64_t>(right, std::int64_t{point.x} + 1);
        bottom = std::max<std::int64_t>(bottom, std::int64_t{point.y} + 1);
    }
    return ClampedRect(left, top, right, bottom);
}

}  // namespace win
