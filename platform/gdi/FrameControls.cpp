#include "platform/gdi/FrameControls.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Region.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

namespace win {

using namespace detail;

namespace {

// One letter a pixel; which letters paint, and in what, the caller says.
using Pattern = std::vector<std::string_view>;

const Pattern CheckMark{
    "......X",
    ".....XX",
    "X...XXX",
    "XX.XXX.",
    "XXXXX..",
    ".XXX...",
    "..X....",
};

// a, b: the outer ring's upper-left and lower-right halves; c, d: the inner ring's; w: the body; o: the
// dot, body when unchecked.
const Pattern Radio{
    "....aaaa....",
    "..aaccccaa..",
    ".accwwwwcdb.",
    ".acwwwwwwdb.",
    "acwwwoowwwdb",
    "acwwoooowwdb",
    "acwwoooowwdb",
    "acwwwoowwwdb",
    ".acwwwwwwdb.",
    ".acdwwwwddb.",
    "..bbddddbb..",
    "....bbbb....",
};
constexpr std::string_view RadioDisc = "abcdwo";

const Pattern CaptionClose{
    ".........",
    "XX....XX.",
    ".XX..XX..",
    "..XXXX...",
    "...XX....",
    "..XXXX...",
    ".XX..XX..",
    "XX....XX.",
    ".........",
};
const Pattern CaptionMin{
    ".........",
    ".........",
    ".........",
    ".........",
    ".........",
    ".........",
    ".........",
    ".XXXXXX..",
    ".XXXXXX..",
};
const Pattern CaptionMax{
    "XXXXXXXXX",
    "XXXXXXXXX",
    "X.......X",
    "X.......X",
    "X.......X",
    "X.......X",
    "X.......X",
    "X.......X",
    "XXXXXXXXX",
};
const Pattern CaptionRestore{
    "..XXXXXX.",
    "..XXXXXX.",
    "..X....X.",
    "XXXXXX.X.",
    "XXXXXX.X.",
    "X....XXX.",
    "X....X...",
    "X....X...",
    "XXXXXX...",
};
const Pattern CaptionHelp{
    "..XXXX...",
    ".XX..XX..",
    ".XX..XX..",
    ".....XX..",
    "....XX...",
    "...XX....",
    "...XX....",
    ".........",
    "...XX....",
};

const Pattern MenuArrow{
    "..X....",
    "..XX...",
    "..XXX..",
    "..XXXX.",
    "..XXX..",
    "..XX...",
    "..X....",
};
const Pattern MenuBullet{
    ".......",
    "..XXX..",
    ".XXXXX.",
    ".XXXXX.",
    ".XXXXX.",
    "..XXX..",
    ".......",
};

int Side(const RECT& rect) { return std::min(Width(rect), Height(rect)); }

RECT Centred(const RECT& rect, int width, int height)
{
    const int left = rect.left + (Width(rect) - width) / 2;
    const int top = rect.top + (Height(rect) - height) / 2;
    return RECT{left, top, left + width, top + height};
}

HBRUSH SysBrush(int index) { return GetSysColorBrush(index); }
HBRUSH StockBrush(int index) { return static_cast<HBRUSH>(GetStockObject(index)); }

// region in logical coordinates.
void FillRegion(HDC dc, Region region, HBRUSH brush)
{
    if (region.IsEmpty()) {
        return;
    }
    HRGN handle = nullptr;
    {
        auto lock = LockGdi();
        handle = static_cast<HRGN>(AddObject(std::make_unique<RegionObject>(std::move(region))));
    }
    if (handle) {
        FillRgn(dc, handle, brush);
        DeleteObject(handle);
    }
}

void Fill(HDC dc, const RECT& rect, HBRUSH brush)
{
    if (!IsRectEmpty(&rect)) {
        FillRect(dc, &rect, brush);
    }
}

// The pixels of box whose letter, in the pattern scaled to the box, is one of letters.
Region PatternRegion(const Pattern& pattern, const RECT& box, std::string_view letters, bool mirror = false)
{
    std::vector<RECT> pixels;
    const int width = Width(box);
    const int height = Height(box);
    const int patternWidth = static_cast<int>(pattern[0].size());
    const int patternHeight = static_cast<int>(pattern.size());
    for (int y = 0; y < height; ++y) {
        const std::string_view row = pattern[static_cast<std::size_t>(y * patternHeight / height)];
        for (int x = 0; x < width; ++x) {
            int column = x * patternWidth / width;
            if (mirror) {
                column = patternWidth - 1 - column;
            }
            if (letters.find(row[static_cast<std::size_t>(column)]) != std::string_view::npos) {
                pixels.push_back(RECT{box.left + x, box.top + y, box.left + x + 1, box.top + y + 1});
            }
        }
    }
    return Region(pixels);
}

// 3D highlight where x + y is odd, 3D face elsewhere.
void FillDithered(HDC dc, const RECT& rect)
{
    Fill(dc, rect, SysBrush(COLOR_3DFACE));
    std::vector<RECT> pixels;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left + ((rect.left + y + 1) & 1); x < rect.right; x += 2) {
            pixels.push_back(RECT{x, y, x + 1, y + 1});
        }
    }
    FillRegion(dc, Region(pixels), SysBrush(COLOR_3DHIGHLIGHT));
}

// A glyph in button text, or embossed when inactive.
void PaintGlyph(HDC dc, const Region& glyph, UINT state)
{
    if (state & DFCS_INACTIVE) {
        Region shadow = glyph;
        shadow.Offset(1, 1);
        FillRegion(dc, shadow, SysBrush(COLOR_3DHIGHLIGHT));
        FillRegion(dc, glyph, SysBrush(COLOR_GRAYTEXT));
    } else {
        FillRegion(dc, glyph, SysBrush(COLOR_BTNTEXT));
    }
}

// The frame of a push, caption or scroll button with its inside in 3D face; answers the inside. soft:
// the push and caption buttons' edges.
RECT PaintButtonFrame(HDC dc, const RECT& rect, UINT state, bool soft, bool pushed)
{
    RECT inside = rect;
    if ((state & (DFCS_FLAT | DFCS_MONO)) || (pushed && !soft)) {
        FrameRect(dc, &rect, SysBrush((state & DFCS_MONO) ? COLOR_WINDOWFRAME : COLOR_3DSHADOW));
        InflateRect(&inside, -1, -1);
    } else {
        DrawEdge(dc, &inside, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST | (soft ? BF_SOFT : 0));
    }
    Fill(dc, inside, SysBrush(COLOR_3DFACE));
    return inside;
}

void PaintPushButton(HDC dc, const RECT& rect, UINT state)
{
    const RECT inside = PaintButtonFrame(dc, rect, state, true, (state & (DFCS_PUSHED | DFCS_CHECKED)) != 0);
    if ((state & DFCS_CHECKED) && !(state & (DFCS_PUSHED | DFCS_FLAT | DFCS_MONO))) {
        FillDithered(dc, inside);
    }
}

void PaintCheckBox(HDC dc, const RECT& rect, UINT state)
{
    const int side = Side(rect);
    const RECT square = Centred(rect, side, side);
    RECT inside = square;
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        FrameRect(dc, &square, SysBrush((state & DFCS_MONO) ? COLOR_WINDOWFRAME : COLOR_3DSHADOW));
        InflateRect(&inside, -1, -1);
    } else {
        DrawEdge(dc, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    const bool threeState = (state & 0xFF) == DFCS_BUTTON3STATE;
    const bool checked = (state & DFCS_CHECKED) != 0;
    if (threeState && checked) {
        FillDithered(dc, inside);
    } else {
        Fill(dc, inside, SysBrush((state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_3DFACE : COLOR_WINDOW));
    }
    const int mark = side - 6;
    if (checked && mark > 0) {
        const RECT box{square.left + 3, square.top + 3, square.left + 3 + mark, square.top + 3 + mark};
        const bool grey = threeState || (state & DFCS_INACTIVE);
        FillRegion(dc, PatternRegion(CheckMark, box, "X"), SysBrush(grey ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    }
}

void PaintRadio(HDC dc, const RECT& rect, UINT state)
{
    const int side = Side(rect) & ~1;
    if (side <= 0) {
        return;
    }
    const RECT circle = Centred(rect, side, side);
    const UINT part = state & 0xFF;
    if (part == DFCS_BUTTONRADIOMASK) {
        Fill(dc, rect, StockBrush(WHITE_BRUSH));
        FillRegion(dc, PatternRegion(Radio, circle, RadioDisc), StockBrush(BLACK_BRUSH));
        return;
    }
    if (part == DFCS_BUTTONRADIOIMAGE) {
        Region outside(rect);
        outside.Subtract(PatternRegion(Radio, circle, RadioDisc));
        FillRegion(dc, outside, StockBrush(BLACK_BRUSH));
    }
    const int body = (state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_3DFACE : COLOR_WINDOW;
    const bool plain = (state & (DFCS_FLAT | DFCS_MONO)) != 0;
    if (plain) {
        const int ring = (state & DFCS_MONO) ? COLOR_WINDOWFRAME : COLOR_3DSHADOW;
        FillRegion(dc, PatternRegion(Radio, circle, "ab"), SysBrush(ring));
        FillRegion(dc, PatternRegion(Radio, circle, "cdwo"), SysBrush(body));
    } else {
        FillRegion(dc, PatternRegion(Radio, circle, "a"), SysBrush(COLOR_3DSHADOW));
        FillRegion(dc, PatternRegion(Radio, circle, "b"), SysBrush(COLOR_3DHIGHLIGHT));
        FillRegion(dc, PatternRegion(Radio, circle, "c"), SysBrush(COLOR_3DDKSHADOW));
        FillRegion(dc, PatternRegion(Radio, circle, "d"), SysBrush(COLOR_3DLIGHT));
        FillRegion(dc, PatternRegion(Radio, circle, "wo"), SysBrush(body));
    }
    if (state & DFCS_CHECKED) {
        const int dot = (state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT;
        FillRegion(dc, PatternRegion(Radio, circle, "o"), SysBrush(dot));
    }
}

// The triangle of a scroll arrow; part DFCS_SCROLLUP .. DFCS_SCROLLRIGHT.
Region ArrowRegion(const RECT& rect, UINT part)
{
    const int rows = std::max(1, (Side(rect) - 4) / 3);
    const int base = 2 * rows - 1;
    const bool vertical = part == DFCS_SCROLLUP || part == DFCS_SCROLLDOWN;
    const RECT box = Centred(rect, vertical ? base : rows, vertical ? rows : base);
    std::vector<RECT> lines;
    for (int k = 0; k < rows; ++k) {
        const int from = rows - 1 - k;
        const int to = rows + k;
        switch (part) {
        case DFCS_SCROLLUP:
            lines.push_back(RECT{box.left + from, box.top + k, box.left + to, box.top + k + 1});
            break;
        case DFCS_SCROLLDOWN:
            lines.push_back(RECT{box.left + from, box.bottom - 1 - k, box.left + to, box.bottom - k});
            break;
        case DFCS_SCROLLLEFT:
            lines.push_back(RECT{box.left + k, box.top + from, box.left + k + 1, box.top + to});
            break;
        default:
            lines.push_back(RECT{box.right - 1 - k, box.top + from, box.right - k, box.top + to});
            break;
        }
    }
    return Region(lines);
}

void PaintSizeGrip(HDC dc, const RECT& rect, bool leftCorner)
{
    Fill(dc, rect, SysBrush(COLOR_3DFACE));
    const int side = Side(rect);
    std::vector<RECT> shadow;
    std::vector<RECT> light;
    for (int dy = 0; dy < side; ++dy) {
        for (int dx = 0; dx < side && dx + dy <= 11; ++dx) {
            const int k = dx + dy;
            const int x = leftCorner ? rect.left + dx : rect.right - 1 - dx;
            const int y = rect.bottom - 1 - dy;
            if (k % 4 == 1 || k % 4 == 2) {
                shadow.push_back(RECT{x, y, x + 1, y + 1});
            } else if (k % 4 == 3) {
                light.push_back(RECT{x, y, x + 1, y + 1});
            }
        }
    }
    FillRegion(dc, Region(shadow), SysBrush(COLOR_3DSHADOW));
    FillRegion(dc, Region(light), SysBrush(COLOR_3DHIGHLIGHT));
}

void PaintScroll(HDC dc, const RECT& rect, UINT state)
{
    const UINT part = state & 0xFF;
    if (part == DFCS_SCROLLSIZEGRIP || part == DFCS_SCROLLSIZEGRIPRIGHT) {
        PaintSizeGrip(dc, rect, part == DFCS_SCROLLSIZEGRIPRIGHT);
        return;
    }
    const bool pushed = (state & DFCS_PUSHED) != 0;
    PaintButtonFrame(dc, rect, state, false, pushed);
    RECT glyph = rect;
    if (pushed) {
        OffsetRect(&glyph, 1, 1);
    }
    PaintGlyph(dc, ArrowRegion(glyph, part == DFCS_SCROLLCOMBOBOX ? DFCS_SCROLLDOWN : part), state);
}

void PaintCaption(HDC dc, const RECT& rect, UINT state)
{
    const bool pushed = (state & DFCS_PUSHED) != 0;
    PaintButtonFrame(dc, rect, state, true, pushed);
    static const Pattern* const glyphs[] = {&CaptionClose, &CaptionMin, &CaptionMax, &CaptionRestore, &CaptionHelp};
    const int side = std::max(1, Side(rect) * 9 / 14);
    RECT box = Centred(rect, side, side);
    if (pushed) {
        OffsetRect(&box, 1, 1);
    }
    PaintGlyph(dc, PatternRegion(*glyphs[state & 0xFF], box, "X"), state);
}

void PaintMenu(HDC dc, const RECT& rect, UINT state)
{
    Fill(dc, rect, StockBrush(WHITE_BRUSH));
    const UINT part = state & 0xFF;
    const Pattern& glyph = part == DFCS_MENUCHECK ? CheckMark : part == DFCS_MENUBULLET ? MenuBullet : MenuArrow;
    const int side = std::max(1, Side(rect) * 7 / 13);
    const RECT box = Centred(rect, side, side);
    FillRegion(dc, PatternRegion(glyph, box, "X", part == DFCS_MENUARROWRIGHT), StockBrush(BLACK_BRUSH));
}

bool KnownPart(UINT type, UINT part)
{
    switch (type) {
    case DFC_CAPTION:
        return part <= DFCS_CAPTIONHELP;
    case DFC_MENU:
        return part == DFCS_MENUARROW || part == DFCS_MENUCHECK || part == DFCS_MENUBULLET ||
               part == DFCS_MENUARROWRIGHT;
    case DFC_SCROLL:
        return part <= DFCS_SCROLLRIGHT || part == DFCS_SCROLLCOMBOBOX || part == DFCS_SCROLLSIZEGRIP ||
               part == DFCS_SCROLLSIZEGRIPRIGHT;
    case DFC_BUTTON:
        return part == DFCS_BUTTONCHECK || part == DFCS_BUTTONRADIOIMAGE || part == DFCS_BUTTONRADIOMASK ||
               part == DFCS_BUTTONRADIO || part == DFCS_BUTTON3STATE || part == DFCS_BUTTONPUSH;
    default:
        return false;
    }
}

}  // namespace

BOOL DrawFrameControl(HDC dc, RECT* rect, UINT type, UINT state)
{
    const UINT part = state & 0xFF;
    if (!rect || !KnownPart(type, part)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    {
        auto lock = LockGdi();
        if (!FindDC(dc)) {
            return FALSE;
        }
    }
    if (IsRectEmpty(rect)) {
        return TRUE;
    }
    switch (type) {
    case DFC_CAPTION:
        PaintCaption(dc, *rect, state);
        break;
    case DFC_MENU:
        PaintMenu(dc, *rect, state);
        break;
    case DFC_SCROLL:
        PaintScroll(dc, *rect, state);
        break;
    default:
        if (part == DFCS_BUTTONPUSH) {
            PaintPushButton(dc, *rect, state);
        } else if (part == DFCS_BUTTONCHECK || part == DFCS_BUTTON3STATE) {
            PaintCheckBox(dc, *rect, state);
        } else {
            PaintRadio(dc, *rect, state);
        }
        break;
    }
    return TRUE;
}

}  // namespace win
