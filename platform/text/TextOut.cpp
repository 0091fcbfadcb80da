#include "platform/text/TextOut.h"

#include "platform/gdi/detail/Brush.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/Region.h"
#include "platform/gdi/detail/Surface.h"
#include "platform/rtl/CodePage.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/DrawingDevice.h"
#include "platform/gdi/detail/Raster.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/detail/FontFace.h"
#include "platform/text/detail/FontMetrics.h"
#include "platform/text/detail/TextMetrics.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace win {

using namespace detail;

namespace {

// One glyph to draw: its character and its pen distance along the baseline from the text's start.
struct Placed {
    char32_t ch;
    int pen;
    std::size_t unit;  // its first UTF-16 unit in the text
};

struct Layout {
    std::vector<Placed> glyphs;
    int width = 0;
};

// Tab stops for tabbed text: offset is how far the text starts right of the tab origin.
struct Tabs {
    std::span<const int> stops;
    int offset = 0;
};

// Places the characters: with tabs given a tab moves the pen to the next stop and draws nothing; a
// surrogate pair is one character at its first unit, its second unit adding
// nothing but its dx entry.
Layout LayOutGlyphs(const DeviceContext& context, const FontFace& face, std::u16string_view text, const int* dx,
             const Tabs* tabs)
{
    const std::vector<int> extras = dx ? std::vector<int>() : ExtraSpacing(context.state, text);
    Layout layout;
    for (std::size_t i = 0; i < text.size();) {
        if (tabs && text[i] == u'\t') {
            layout.width = NextTabStop(face, layout.width + tabs->offset, tabs->stops) - tabs->offset;
            ++i;
            continue;
        }
        const TextChar c = CharAt(text, i);
        layout.glyphs.push_back({c.ch, layout.width, i});
        if (dx) {
            layout.width += dx[i] + (c.units == 2 ? dx[i + 1] : 0);
        } else {
            layout.width += face.Advance(c.ch) + extras[i];
        }
        i += c.units;
    }
    return layout;
}

// Where each unit of the text starts along the baseline, as a metafile records it: a unit without a
// glyph of its own (a tab, a surrogate pair's second unit) starts where the next glyph does. The first
// unit starts at the text's start, so that the recorded text is as wide as the drawn one and aligns,
// and fills its background, alike; only text without glyphs, which draws no background, records none
// of its width.
std::vector<int> UnitStarts(const Layout& layout, std::size_t units)
{
    std::vector<int> starts(units + 1, layout.width);
    auto glyph = layout.glyphs.rbegin();
    for (std::size_t unit = units; unit-- > 0;) {
        starts[unit] = starts[unit + 1];
        if (glyph != layout.glyphs.rend() && glyph->unit == unit) {
            starts[unit] = glyph->pen;
            ++glyph;
        }
    }
    if (!layout.glyphs.empty()) {
        starts[0] = 0;
    }
    return starts;
}

// Device geometry of one text: the baseline's start and its direction.
struct Baseline {
    double x = 0, y = 0;
    double cosine = 1, sine = 0;

    // The device point along pixels along the baseline and down pixels below it (negative: above).
    POINT At(double along, double down) const
    {
        return POINT{LONG(std::lround(x + along * cosine + down * sine)), LONG(std::lround(y - along * sine + down * cosine))};
    }
};

// The band from along0 to along1 between down0 and down1 (device coordinates), as a region.
Region Band(const Baseline& baseline, double along0, double along1, double down0, double down1)
{
    if (baseline.sine == 0 && baseline.cosine == 1) {
        const POINT a = baseline.At(along0, down0);
        const POINT b = baseline.At(along1, down1);
        return Region(RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)});
    }
    const POINT corners[] = {baseline.At(along0, down0), baseline.At(along1, down0), baseline.At(along1, down1),
                             baseline.At(along0, down1)};
    const int count = 4;
    return Region::Polygons(corners, &count, 1, WINDING);
}

std::uint32_t Blend(std::uint32_t text, std::uint32_t destination, unsigned coverage)
{
    std::uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned t = (text >> shift) & 0xFF;
        const unsigned d = (destination >> shift) & 0xFF;
        result |= ((t * coverage + d * (255 - coverage) + 127) / 255) << shift;
    }
    return result;
}

// Blends a glyph's mask with its first pixel at device (left, top) into the part of clip it covers.
void BlendMask(DeviceContext& context, const GlyphMask& mask, int left, int top, const std::vector<RECT>& clip,
               std::uint32_t text)
{
    Surface& surface = *context.Target();
    for (const RECT& rect : clip) {
        const int x0 = std::max<int>(rect.left, left);
        const int x1 = std::min<int>(rect.right, left + mask.width);
        const int y0 = std::max<int>(rect.top, top);
        const int y1 = std::min<int>(rect.bottom, top + mask.height);
        for (int y = y0; y < y1; ++y) {
            const std::uint8_t* coverage = mask.coverage.data() + std::size_t(y - top) * std::size_t(mask.width);
            std::uint32_t* row = surface.Row(y + context.surfaceOrigin.y);
            for (int x = x0; x < x1; ++x) {
                const unsigned c = coverage[x - left];
                if (c != 0) {
                    std::uint32_t& pixel = row[x + context.surfaceOrigin.x];
                    pixel = c == 255 ? text : Blend(text, pixel, c);
                }
            }
        }
    }
}

void Paint(DeviceContext& context, const Region& region, const Region& clip, COLORREF color)
{
    Region part = region;
    part.Intersect(clip);
    PaintRegion(context, part, BrushPaint(PixelFromColor(color & 0x00FFFFFF)), R2_COPYPEN);
}

// Where the baseline starts for the alignment, the reference point in device coordinates.
Baseline Align(const FontFace& face, const TEXTMETRIC& metrics, UINT align, POINT reference, int width)
{
    Baseline baseline;
    const double angle = face.Escapement() / 10.0 * std::numbers::pi / 180.0;
    if (face.Escapement() != 0) {
        baseline.cosine = std::cos(angle);
        baseline.sine = std::sin(angle);
    }
    double along = 0;
    if ((align & TA_CENTER) == TA_CENTER) {
        along = -width / 2;
    } else if (align & TA_RIGHT) {
        along = -width;
    }
    double down = 0;
    if ((align & TA_BASELINE) == TA_BASELINE) {
        down = 0;
    } else if (align & TA_BOTTOM) {
        down = -metrics.tmDescent;
    } else {
        down = metrics.tmAscent;
    }
    baseline.x = reference.x + along * baseline.cosine + down * baseline.sine;
    baseline.y = reference.y - along * baseline.sine + down * baseline.cosine;
    return baseline;
}

// Paints the laid-out text on a raster context's target: the opaque rectangle, the cell's background,
// the glyphs and the font's lines, all cut to the clip. The caller holds a DrawScope.
void Render(DeviceContext& context, const FontFace& face, const TEXTMETRIC& metrics, const Layout& layout,
            POINT reference, UINT options, const RECT* rect)
{
    const DcState& state = context.state;
    const Baseline baseline = Align(face, metrics, state.textAlign, reference, layout.width);
    Region clip = context.ClipRegion();
    if (rect && (options & ETO_OPAQUE)) {
        Paint(context, Region(context.ToDevice(*rect)), clip, state.backgroundColor);
    }
    if (rect && (options & ETO_CLIPPED)) {
        clip.Intersect(Region(context.ToDevice(*rect)));
    }
    if (state.backgroundMode == OPAQUE && !layout.glyphs.empty()) {
        Paint(context, Band(baseline, 0, layout.width, -metrics.tmAscent, metrics.tmDescent), clip,
              state.backgroundColor);
    }
    const std::vector<RECT> clipRects = clip.Rects();
    const std::uint32_t textPixel = PixelFromColor(state.textColor & 0x00FFFFFF);
    // An unturned baseline starts on a whole pixel, so its pens are whole pixels along it.
    const bool level = face.Escapement() == 0;
    const POINT start = baseline.At(0, 0);
    for (const Placed& placed : layout.glyphs) {
        const GlyphMask& mask = face.Glyph(placed.ch);
        const POINT pen = level ? POINT{start.x + placed.pen, start.y} : baseline.At(placed.pen, 0);
        BlendMask(context, mask, pen.x + mask.left, pen.y + mask.top, clipRects, textPixel);
    }
    const LOGFONT& font = face.LogFont();
    if ((font.lfUnderline || font.lfStrikeOut) && !layout.glyphs.empty()) {
        const OUTLINETEXTMETRIC outline = OutlineTextMetricsW(face);
        if (font.lfUnderline) {
            const int size = std::max<int>(1, int(outline.otmsUnderscoreSize));
            const int top = -outline.otmsUnderscorePosition - size / 2;
            Paint(context, Band(baseline, 0, layout.width, top, top + size), clip, state.textColor);
        }
        if (font.lfStrikeOut) {
            const int size = std::max<int>(1, int(outline.otmsStrikeoutSize));
            const int top = -outline.otmsStrikeoutPosition;
            Paint(context, Band(baseline, 0, layout.width, top, top + size), clip, state.textColor);
        }
    }
}

// One text as the drawing device receives it: recorded with one advance per unit, or rendered.
class GlyphRun final : public TextLayout {
public:
    GlyphRun(const FontFace& face, const TEXTMETRIC& metrics, const Layout& layout, POINT start, POINT deviceReference,
             UINT drawOptions, const RECT* clip, std::u16string_view units)
        : face_(face), metrics_(metrics), layout_(layout), deviceReference_(deviceReference), shown_(units)
    {
        const std::vector<int> starts = UnitStarts(layout, units.size());
        for (std::size_t unit = 0; unit < units.size(); ++unit) {
            advances.push_back(starts[unit + 1] - starts[unit]);
        }
        std::replace(shown_.begin(), shown_.end(), u'\t', u' ');
        reference = POINT{start.x + starts[0], start.y};
        options = drawOptions;
        rect = clip;
        text = shown_;
        extent = SIZE{layout.width - starts[0], metrics.tmHeight};
        ascent = metrics.tmAscent;
    }

    void Paint(DeviceContext& context) const override
    {
        Render(context, face_, metrics_, layout_, deviceReference_, options, rect);
    }

private:
    const FontFace& face_;
    const TEXTMETRIC& metrics_;
    const Layout& layout_;
    POINT deviceReference_;
    std::u16string shown_;
};

// Draws the text through the context's drawing device; with tabs (tabOrigin the logical x the stops
// count from) it is tabbed text. extent, when given, receives the width of the text and the cell height.
BOOL DrawGlyphRun(HDC dc, int x, int y, UINT options, const RECT* rect, std::u16string_view text, const int* dx,
          const std::span<const int>* tabStops = nullptr, int tabOrigin = 0, SIZE* extent = nullptr)
{
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        const auto face = SelectedFace(context);
        if (!face) {
            return FALSE;
        }
        DcState& state = context.state;
        const TEXTMETRIC metrics = TextMetricsW(*face);
        const bool updateCp = state.textAlign & TA_UPDATECP;
        const POINT start = updateCp ? state.currentPosition : POINT{x, y};
        const POINT reference = context.ToDevice(start);
        Tabs tabs;
        if (tabStops) {
            tabs.stops = *tabStops;
            tabs.offset = reference.x - context.ToDevice(POINT{tabOrigin, start.y}).x;
        }
        const Layout layout = LayOutGlyphs(context, *face, text, dx, tabStops ? &tabs : nullptr);
        if (extent) {
            *extent = SIZE{layout.width, metrics.tmHeight};
        }
        if (!context.Drawing().Text(context, GlyphRun(*face, metrics, layout, start, reference, options, rect, text))) {
            return FALSE;
        }
        if (updateCp) {
            const auto [dxEnd, dyEnd] = face->BaselineOffset(layout.width);
            state.currentPosition.x += dxEnd;
            state.currentPosition.y += dyEnd;
        }
        // The justification serves one text.
        state.justifyExtra = 0;
        state.justifyBreaks = 0;
        return TRUE;
    });
}

bool BadText(const void* text, long long count)
{
    if (count < 0 || (count > 0 && !text)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return true;
    }
    return false;
}

template <class Char>
LONG Tabbed(HDC dc, int x, int y, const Char* text, int count, int tabCount, const int* tabStops, int tabOrigin)
{
    if (BadText(text, count) || BadText(tabStops, tabCount)) {
        return 0;
    }
    std::u16string wide;
    if constexpr (sizeof(Char) == 1) {
        wide = rtl::AnsiToWide(std::string_view(text ? text : "", std::size_t(count)));
    } else {
        wide = std::u16string(text ? text : u"", std::size_t(count));
    }
    const std::span<const int> stops(tabStops, std::size_t(tabCount));
    SIZE extent{};
    if (!DrawGlyphRun(dc, x, y, 0, nullptr, wide, nullptr, &stops, tabOrigin, &extent)) {
        return 0;
    }
    return MAKELONG(WORD(extent.cx), WORD(extent.cy));
}

}  // namespace

UINT SetTextAlign(HDC dc, UINT align)
{
    return WithDC(dc, GDI_ERROR, [align](DeviceContext& context) { return std::exchange(context.state.textAlign, align); });
}

UINT GetTextAlign(HDC dc)
{
    return WithDC(dc, GDI_ERROR, [](DeviceContext& context) { return context.state.textAlign; });
}

int SetTextCharacterExtra(HDC dc, int extra)
{
    return WithDC(dc, int(0x80000000), [extra](DeviceContext& context) {
        return std::exchange(context.state.textCharacterExtra, extra);
    });
}

int GetTextCharacterExtra(HDC dc)
{
    return WithDC(dc, int(0x80000000), [](DeviceContext& context) { return context.state.textCharacterExtra; });
}

BOOL SetTextJustification(HDC dc, int breakExtra, int breakCount)
{
    return WithDC(dc, FALSE, [&](DeviceContext& context) {
        const bool on = breakCount > 0 && breakExtra != 0;
        context.state.justifyExtra = on ? breakExtra : 0;
        context.state.justifyBreaks = on ? breakCount : 0;
        return TRUE;
    });
}

BOOL TextOutA(HDC dc, int x, int y, const char* text, int count)
{
    if (BadText(text, count)) {
        return FALSE;
    }
    return DrawGlyphRun(dc, x, y, 0, nullptr, rtl::AnsiToWide(std::string_view(text ? text : "", std::size_t(count))), nullptr);
}

BOOL TextOutW(HDC dc, int x, int y, const char16_t* text, int count)
{
    if (BadText(text, count)) {
        return FALSE;
    }
    return DrawGlyphRun(dc, x, y, 0, nullptr, std::u16string_view(text ? text : u"", std::size_t(count)), nullptr);
}

BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, UINT count, const int* dx)
{
    if (BadText(text, static_cast<int>(count))) {
        return FALSE;
    }
    // Every code page of the program has one character per byte, so dx stays one entry per unit.
    return DrawGlyphRun(dc, x, y, options, rect, rtl::AnsiToWide(std::string_view(text ? text : "", count)), dx);
}

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, const char16_t* text, UINT count,
                 const int* dx)
{
    if (BadText(text, static_cast<int>(count))) {
        return FALSE;
    }
    return DrawGlyphRun(dc, x, y, options, rect, std::u16string_view(text ? text : u"", count), dx);
}


LONG TabbedTextOutA(HDC dc, int x, int y, const char* text, int count, int tabCount, const int* tabStops, int tabOrigin)
{
    return Tabbed(dc, x, y, text, count, tabCount, tabStops, tabOrigin);
}

LONG TabbedTextOutW(HDC dc, int x, int y, const char16_t* text, int count, int tabCount, const int* tabStops,
                    int tabOrigin)
{
    return Tabbed(dc, x, y, text, count, tabCount, tabStops, tabOrigin);
}

}  // namespace win
