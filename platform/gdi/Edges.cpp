#include "platform/gdi/Edges.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/Brush.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/RasterDevice.h"
#include "platform/gdi/detail/Raster.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gdi/detail/Region.h"
#include "platform/gdi/detail/Surface.h"

namespace win {

using namespace detail;

namespace {

template <class Draw>
BOOL Drawing(HDC dc, Draw draw)
{
    return WithDC(dc, FALSE, [&](DeviceContext& context) { return draw(context) ? TRUE : FALSE; });
}

// Edges and frames are drawn as the fills they are made of.
bool Paint(DeviceContext& context, const Region& region, const BrushPaint& paint, int rop2)
{
    return context.Drawing().PaintDevice(context, region, paint, rop2) != FALSE;
}

bool PaintColour(DeviceContext& context, const RECT& rect, int colourIndex)
{
    return IsRectEmpty(&rect) || Paint(context, Region(rect), BrushPaint(PixelFromColor(GetSysColor(colourIndex))), R2_COPYPEN);
}

// One line round the sides the flags name; the rectangle shrinks by it on those sides.
void EdgeLine(DeviceContext& context, RECT& rect, UINT flags, int topLeft, int bottomRight)
{
    const RECT r = rect;
    // The top and left lines stop short of the corners the bottom and right lines take.
    const int bottomRow = (flags & BF_BOTTOM) ? 1 : 0;
    const int rightColumn = (flags & BF_RIGHT) ? 1 : 0;
    if (flags & BF_LEFT) {
        PaintColour(context, RECT{r.left, r.top, r.left + 1, r.bottom - bottomRow}, topLeft);
    }
    if (flags & BF_TOP) {
        PaintColour(context, RECT{r.left, r.top, r.right - rightColumn, r.top + 1}, topLeft);
    }
    if (flags & BF_RIGHT) {
        PaintColour(context, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    }
    if (flags & BF_BOTTOM) {
        PaintColour(context, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    }
    rect = RECT{r.left + ((flags & BF_LEFT) ? 1 : 0), r.top + ((flags & BF_TOP) ? 1 : 0),
                r.right - ((flags & BF_RIGHT) ? 1 : 0), r.bottom - ((flags & BF_BOTTOM) ? 1 : 0)};
}

// The pixels of a focus frame (device coordinates) that DrawFocusRect inverts: those whose x + y is even.
Region FocusDots(const Region& frame)
{
    std::vector<RECT> dots;
    for (const RECT& part : frame.Rects()) {
        for (int y = part.top; y < part.bottom; ++y) {
            for (int x = part.left + ((part.left + y) & 1); x < part.right; x += 2) {
                dots.push_back(RECT{x, y, x + 1, y + 1});
            }
        }
    }
    return Region(dots);
}

bool PaintFrame(DeviceContext& context, const Region& outer, const Region& inner, const BrushPaint& paint, int rop2)
{
    Region frame = outer;
    frame.Subtract(inner);
    return Paint(context, frame, paint, rop2);
}

}  // namespace

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags)
{
    if (!rect || (flags & BF_DIAGONAL)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return Drawing(dc, [&](DeviceContext& context) {
        RECT inside = context.ToDevice(*rect);
        const bool soft = flags & BF_SOFT;
        const bool mono = flags & BF_MONO;
        const bool flat = (flags & BF_FLAT) && !mono;
        if (edge & BDR_OUTER) {
            int topLeft = (edge & BDR_RAISEDOUTER) ? COLOR_3DLIGHT : COLOR_3DSHADOW;
            int bottomRight = (edge & BDR_RAISEDOUTER) ? COLOR_3DDKSHADOW : COLOR_3DHIGHLIGHT;
            if (soft) {
                topLeft = (edge & BDR_RAISEDOUTER) ? COLOR_3DHIGHLIGHT : COLOR_3DDKSHADOW;
            }
            if (flat) {
                topLeft = bottomRight = COLOR_3DSHADOW;
            } else if (mono) {
                topLeft = bottomRight = COLOR_WINDOWFRAME;
            }
            EdgeLine(context, inside, flags, topLeft, bottomRight);
        }
        if (edge & BDR_INNER) {
            int topLeft = (edge & BDR_RAISEDINNER) ? COLOR_3DHIGHLIGHT : COLOR_3DDKSHADOW;
            int bottomRight = (edge & BDR_RAISEDINNER) ? COLOR_3DSHADOW : COLOR_3DLIGHT;
            if (soft) {
                topLeft = (edge & BDR_RAISEDINNER) ? COLOR_3DLIGHT : COLOR_3DSHADOW;
            }
            if (flat) {
                topLeft = bottomRight = COLOR_3DFACE;
            } else if (mono) {
                topLeft = bottomRight = COLOR_WINDOW;
            }
            EdgeLine(context, inside, flags, topLeft, bottomRight);
        }
        if (flags & BF_MIDDLE) {
            PaintColour(context, inside, flat || mono ? COLOR_WINDOW : COLOR_3DFACE);
        }
        if (flags & BF_ADJUST) {
            const POINT topLeft = context.ToLogical(POINT{inside.left, inside.top});
            const POINT bottomRight = context.ToLogical(POINT{inside.right, inside.bottom});
            *rect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
        }
        return true;
    });
}

BOOL DrawFocusRect(HDC dc, const RECT* rect)
{
    if (!rect) {
        return FALSE;
    }
    return Drawing(dc, [&](DeviceContext& context) {
        const RECT outer = context.ToDevice(*rect);
        RECT inner = outer;
        InflateRect(&inner, -1, -1);
        Region frame(outer);
        frame.Subtract(Region(inner));
        return Paint(context, FocusDots(frame), BrushPaint(0), R2_NOT);
    });
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush)
{
    if (!rect) {
        return 0;
    }
    return Drawing(dc, [&](DeviceContext& context) {
        const auto paint = BrushPaint::Of(context, brush);
        if (!paint) {
            return false;
        }
        const RECT outer = context.ToDevice(*rect);
        RECT inner = outer;
        InflateRect(&inner, -1, -1);
        return PaintFrame(context, Region(outer), IsRectEmpty(&inner) ? Region() : Region(inner), *paint, R2_COPYPEN);
    });
}

BOOL FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height)
{
    if (width < 0 || height < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return Drawing(dc, [&](DeviceContext& context) {
        const RegionObject* object = FindRegion(region);
        const auto paint = object ? BrushPaint::Of(context, brush) : nullptr;
        if (!paint) {
            return false;
        }
        return context.Drawing().FrameRgn(context, object->region, brush, width, height) != FALSE;
    });
}

BOOL InvertRect(HDC dc, const RECT* rect)
{
    if (!rect) {
        return FALSE;
    }
    return Drawing(dc, [&](DeviceContext& context) {
        return Paint(context, Region(context.ToDevice(*rect)), BrushPaint(0), R2_NOT);
    });
}

BOOL InvertRgn(HDC dc, HRGN region)
{
    return Drawing(dc, [&](DeviceContext& context) {
        const RegionObject* object = FindRegion(region);
        if (!object) {
            return false;
        }
        return context.Drawing().InvertRgn(context, object->region) != FALSE;
    });
}

// The raster device's region frames and inversions.

BOOL RasterDevice::FrameRgn(DeviceContext& context, const Region& region, HBRUSH brush, int width, int height)
{
    const auto paint = BrushPaint::Of(context, brush);
    if (!paint || !context.Target()) {
        return FALSE;
    }
    Region outer = region;
    const POINT shift = context.ToDevice(POINT{0, 0});
    outer.Offset(shift.x, shift.y);
    DrawScope scope(context, outer.Bounds(), true, false);
    // The inside: the pixels whose neighbours up to width across and height down all belong.
    Region across = outer;
    for (int step = 1; step <= width; ++step) {
        for (const int sign : {-1, 1}) {
            Region moved = outer;
            moved.Offset(sign * step, 0);
            across.Intersect(moved);
        }
    }
    Region inner = across;
    for (int step = 1; step <= height; ++step) {
        for (const int sign : {-1, 1}) {
            Region moved = across;
            moved.Offset(0, sign * step);
            inner.Intersect(moved);
        }
    }
    Region frame = outer;
    frame.Subtract(inner);
    PaintRegion(context, frame, *paint, R2_COPYPEN);
    return TRUE;
}

BOOL RasterDevice::InvertRgn(DeviceContext& context, const Region& region)
{
    if (!context.Target()) {
        return FALSE;
    }
    Region area = region;
    const POINT shift = context.ToDevice(POINT{0, 0});
    area.Offset(shift.x, shift.y);
    DrawScope scope(context, area.Bounds());
    PaintRegion(context, area, BrushPaint(0), R2_NOT);
    return TRUE;
}

}  // namespace win
