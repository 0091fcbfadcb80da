#include "controls/pagecontrol/clPCSlantedPainter.h"

#include "controls/uxOffice11Colors.h"
#include "platform/gdi/Region.h"

#include <algorithm>
#include <array>
#include <bit>

namespace pagecontrol {

namespace {

constexpr TclTabSlantPositions LeftSlant = 1u << spLeft;
constexpr TclTabSlantPositions RightSlant = 1u << spRight;
constexpr int cutCorner = 6;
// The highlight band's depth below the outer edge: the frame border width + 3.
constexpr int highlightBand = 4;

int SideCount(TclTabSlantPositions positions) { return std::popcount(unsigned(positions & (LeftSlant | RightSlant))); }

bool IsVerticalSide(TclTabPosition side) { return side == tpLeft || side == tpRight; }

// The kind a segment of a top-tab figure takes once the figure is turned to a row side.
TLinePosition TurnedKind(TLinePosition kind, TclTabPosition side)
{
    static constexpr std::array<std::array<TLinePosition, 8>, 4> table = {{
        {lpL, lpLT, lpT, lpRT, lpR, lpRB, lpB, lpLB},  // top
        {lpL, lpLB, lpB, lpRB, lpR, lpRT, lpT, lpLT},  // bottom: mirrored top to bottom
        {lpB, lpLB, lpL, lpLT, lpT, lpRT, lpR, lpRB},  // left: a quarter turn
        {lpB, lpRB, lpR, lpRT, lpT, lpLT, lpL, lpLB},  // right: turned and mirrored
    }};
    return table[side][kind];
}

}  // namespace

// ------------------------------------------------------------------------------------------------------------
// Class reference

std::unique_ptr<TclPCCustomPainter> TclPCSlantedPainterClassInfo::Create(TclCustomTabControl* control) const
{
    return std::make_unique<TclPCSlantedPainter>(control, this);
}

TclPCCustomPainterClass clPCSlantedPainterClass()
{
    static const classes::TClassInfo info("TclPCSlantedPainter", &TclPCCustomPainter::StaticClass());
    static const TclPCSlantedPainterClassInfo cls(info);
    return &cls;
}

// ------------------------------------------------------------------------------------------------------------
// Slants and sizes

TclTabSlantPositions TclPCSlantedPainter::GetSlantPositions()
{
    const TclTabSlants* slants = Control()->TabSlants();
    if (slants->Kind() == skSlant && !Control()->Rotate()) {
        return slants->Positions();
    }
    return 0;
}

int TclPCSlantedPainter::CalculateSlantCut()
{
    return Control()->TabSlants()->Kind() == skSlant ? CalculateTabNormalHeight() - 1 : cutCorner;
}

void TclPCSlantedPainter::GetTabsSpacing(TclPCDistance& spacing)
{
    const TclTabSlantPositions slanted = GetSlantPositions();
    spacing.dw = slanted ? -(slantCut_ / 2) * SideCount(slanted) : 1;
    spacing.dh = -3;
    if (Control()->Rotate()) {
        clPCRotateTabsDistance(spacing);
    }
}

void TclPCSlantedPainter::GetTabsRegionExtension(win::RECT& extension)
{
    const TclTabSlantPositions slanted = GetSlantPositions();
    const int start = (slanted & LeftSlant) ? 1 : 0;
    const int end = (slanted & RightSlant) ? 1 : 0;
    // The left slant lies at the bottom of a vertical row, the right one at its top.
    extension = Control()->IsRowVertical() ? win::RECT{0, end, 0, start} : win::RECT{start, 0, end, 0};
}

void TclPCSlantedPainter::GetTabContentMargins(int, TclPCDistance& margins)
{
    TclCustomTabControl* control = Control();
    const TclTabSlants* slants = control->TabSlants();
    const TclPCCaptionDirection direction = control->CaptionDirection();
    const TclTabPosition position = control->TabPosition();
    bool swapped = false;
    if (!control->Rotate()) {
        const int slantedSide = slants->Kind() == skSlant ? slantCut_ : cutCorner;
        margins.dw = (slants->Positions() & LeftSlant) ? slantedSide : 3;
        margins.dh = (slants->Positions() & RightSlant) ? slantedSide : 3;
        swapped = control->IsRowVertical() && direction == cdTopToBottom;
    } else {
        margins.dw = 2;
        margins.dh = GetFrameBorderWidth() + 5 + (slants->Kind() == skCutCorner && slants->Positions() ? 1 : 0);
        swapped = position == tpLeft || (position == tpTop && direction == cdTopToBottom)
                  || (position == tpBottom && direction == cdBottomToTop);
    }
    if (swapped) {
        clPCSwapInts(margins.dw, margins.dh);
    }
}

void TclPCSlantedPainter::GetTruncatedTabContentMargins(int visibleIndex, TclPCDistance& margins)
{
    GetTabContentMargins(visibleIndex, margins);
}

void TclPCSlantedPainter::GetTabImageAreaMargins(int, win::RECT& margins)
{
    const int f = GetFrameBorderWidth();
    if (!Control()->Rotate()) {
        margins = {0, f + 3, 0, 1};
        return;
    }
    const TclTabSlants* slants = Control()->TabSlants();
    const int across = f + (slants->Kind() == skCutCorner && slants->Positions() ? 2 : 1);
    margins = {0, across, 0, across};
}

void TclPCSlantedPainter::GetTabTextAreaMargins(int, win::RECT& margins)
{
    const int f = GetFrameBorderWidth();
    margins = Control()->Rotate() ? win::RECT{0, f + 3, 0, f + 1} : win::RECT{0, f + 4, 0, 1};
}

int TclPCSlantedPainter::GetMinTabDecorationWidth()
{
    if (Control()->Rotate()) {
        return 0;
    }
    const TclTabSlants* slants = Control()->TabSlants();
    const int c = SideCount(slants->Positions());
    if (c == 0) {
        return 8;
    }
    if (slants->Kind() == skSlant) {
        return slantCut_ * c - 2 * c + 8;
    }
    return slantCut_ * c + GetFrameBorderWidth() * (2 - c) + 4;
}

win::SIZE TclPCSlantedPainter::GetTabImageSizeWithBorder()
{
    win::SIZE size = GetTabImageSize();
    const int border = 2 * Control()->ImageBorder();
    if (size.cx != 0) {
        size.cx += border;
    }
    if (size.cy != 0) {
        size.cy += border;
    }
    return size;
}

int TclPCSlantedPainter::GetTabDecorationWidth(int visibleIndex)
{
    TclPCDistance margins;
    GetTabContentMargins(visibleIndex, margins);
    int width = std::max(GetMinTabDecorationWidth(), margins.dw + margins.dh);
    if (HasImages() && (visibleIndex == -1 || HasTabImage(visibleIndex) || Control()->Rotate())) {
        width += GetTabImageSizeWithBorder().cx;
    }
    return width;
}

int TclPCSlantedPainter::CalculateTabNormalWidth(TclTab* tab)
{
    if (!tab->Visible()) {
        return 0;
    }
    const int visibleIndex = tab->VisibleIndex();
    int width = Control()->TabWidth();
    if (width < 1) {
        width = GetTabDecorationWidth(visibleIndex) + clPCGetTabTextSize(tab).cx;
        if (HasTabImage(visibleIndex) || (HasImages() && Control()->Rotate())) {
            width += GetImageTextDistance(visibleIndex);
        }
    }
    return std::max(width, GetTabMinWidth(visibleIndex));
}

int TclPCSlantedPainter::CalculateTabContentHeight()
{
    win::RECT textMargins{};
    GetTabTextAreaMargins(-1, textMargins);
    win::RECT imageMargins{};
    GetTabImageAreaMargins(-1, imageMargins);
    return std::max(TallestCaptionHeight() + textMargins.top + textMargins.bottom,
                    GetTabImageSizeWithBorder().cy + imageMargins.top + imageMargins.bottom);
}

void TclPCSlantedPainter::GetPageClientMargins(win::RECT& margins)
{
    TclPCStandardPainter::GetPageClientMargins(margins);
    const TclPCPainterParentInfo& info = ParentInfo();
    if (IsFrameVisible() || info.HideTabs() || info.RowCount() == 0) {
        return;
    }
    // Room for the base line under the rows.
    margins.top += 1;
    if (info.HasOppositeRows()) {
        margins.bottom += 1;
    }
}

// ------------------------------------------------------------------------------------------------------------
// Navigator buttons

int TclPCSlantedPainter::GetNavigatorButtonWidth(TclPCNavigatorButton button)
{
    switch (button) {
    case nbGoDialog:
        return 13;
    case nbClose:
        return 16;
    default:
        return 17;
    }
}

int TclPCSlantedPainter::GetNavigatorButtonsDistance(TclPCNavigatorButton button, TclPCNavigatorButton next)
{
    return button == nbClose || next == nbClose ? 3 : 1;
}

gui::TColor TclPCSlantedPainter::GetNavigatorButtonFaceColor(TclPCNavigatorButtonState state)
{
    switch (state) {
    case nbsHotTrack:
        return controls::uxOffice11MixColors(gui::clBtnFace, gui::clWhite, 35);
    case nbsPressed:
        return controls::uxOffice11MixColors(gui::clBtnFace, gui::clBlack, 90);
    default:
        return gui::clBtnFace;
    }
}

gui::TColor TclPCSlantedPainter::GetNavigatorButtonGlyphColor(TclPCNavigatorButtonState state)
{
    switch (state) {
    case nbsDisabled:
        return gui::clBtnShadow;
    case nbsPressed:
        return controls::uxOffice11MixColors(Control()->Color(), gui::clWhite, 10);
    default:
        return gui::clBtnText;
    }
}

void TclPCSlantedPainter::GetNavigatorButtonGlyphInfo(TclPCNavigatorButton button,
                                                      TclPCNavigatorButtonGlyphInfo& info)
{
    const TclPCNavigatorButtonState state =
        Control()->Enabled() ? ParentInfo().NavigatorButtonState(button) : nbsDisabled;
    info.BrushColor = GetNavigatorButtonGlyphColor(state);
    info.PenColor = info.BrushColor;
    info.DrawInColors = true;
    info.SmallCloseGlyph = button == nbClose;
}

void TclPCSlantedPainter::DrawNavigatorButtonBorder(win::RECT& rect, TclPCNavigatorButtonState state)
{
    const bool dark = state == nbsHotTrack || state == nbsPressed;
    Canvas().DrawFrameSides(rect, dark ? gui::clBlack : gui::clBtnShadow);
    rect = controls::clRectExpand(rect, -1, -1);
}

// ------------------------------------------------------------------------------------------------------------
// Shape

TclPCSlantedPainter::TabFrame TclPCSlantedPainter::FrameOf(int visibleIndex) const
{
    TclTab* tab = ParentInfo().VisibleTab(visibleIndex);
    const win::RECT r = tab->FullRect();
    int w = 0;
    int h = 0;
    clPCGetRectSize(r, !IsVerticalSide(tab->RowSide()), w, h);
    return {r.left, r.bottom, w, h};
}

win::POINT TclPCSlantedPainter::MapPoint(int visibleIndex, win::POINT point) const
{
    TclTab* tab = ParentInfo().VisibleTab(visibleIndex);
    return RotatePoint(point, tab->FullRect(), tab->RowSide());
}

void TclPCSlantedPainter::DrawMappedPolyline(int visibleIndex, std::vector<win::POINT> points, gui::TColor color)
{
    for (win::POINT& point : points) {
        point = MapPoint(visibleIndex, point);
    }
    DrawPolyline(points, color);
}

TclPCTabFigure TclPCSlantedPainter::BuildTabOutline(int visibleIndex)
{
    const TabFrame f = FrameOf(visibleIndex);
    const TclTabSlants* slants = Control()->TabSlants();
    const bool cut = slants->Kind() == skCutCorner;
    // Rotated tabs never slant, but they keep their cut corners.
    const bool slanting = !(Control()->Rotate() && !cut);
    const bool leftSlanted = slanting && (slants->Positions() & LeftSlant);
    const bool rightSlanted = slanting && (slants->Positions() & RightSlant);
    const bool plainCut = cut && slants->Positions() != 0;
    const int L = f.L;
    const int B = f.B;
    const int W = f.W;
    const int H = f.H;

    TclPCTabFigure figure;
    auto add = [&figure](win::POINT point, TLinePosition kind) {
        figure.Points.push_back(point);
        figure.Kinds.push_back(kind);
    };
    if (leftSlanted && !cut) {
        add({L, B - 1}, lpLT);
        add({L + H - 1, B - H}, lpT);
    } else if (leftSlanted) {
        add({L, B - 1}, lpL);
        add({L, B + cutCorner - H}, lpLT);
        add({L + cutCorner, B - H}, lpT);
    } else if (plainCut) {
        add({L, B - 1}, lpL);
        add({L, B - H}, lpT);
    } else {
        add({L, B - 1}, lpL);
        add({L, B + 2 - H}, lpLT);
        add({L + 2, B - H}, lpT);
    }
    if (rightSlanted && !cut) {
        add({L + W - H, B - H}, lpRT);
    } else if (rightSlanted) {
        add({L + W - 1 - cutCorner, B - H}, lpRT);
        add({L + W - 1, B + cutCorner - H}, lpR);
    } else if (plainCut) {
        add({L + W - 1, B - H}, lpR);
    } else {
        add({L + W - 3, B - H}, lpRT);
        add({L + W - 1, B + 2 - H}, lpR);
    }
    add({L + W - 1, B - 1}, lpB);
    return figure;
}

std::unique_ptr<controls::TclRegion> TclPCSlantedPainter::FigureRegion(int visibleIndex, const TclPCTabFigure& figure,
                                                                       bool inner) const
{
    const TclTabPosition side = ParentInfo().VisibleTab(visibleIndex)->RowSide();
    TPoints points;
    TLinePositions kinds;
    for (std::size_t i = 0; i < figure.Points.size(); ++i) {
        points.push_back(MapPoint(visibleIndex, figure.Points[i]));
        kinds.push_back(TurnedKind(figure.Kinds[i], side));
    }
    if (side == tpBottom || side == tpRight) {
        // Reversed, segment i runs from the old point n - i to n - i - 1: the old segment n - i - 1.
        std::reverse(points.begin(), points.end());
        std::reverse(kinds.begin(), kinds.end() - 1);
    }
    return clPCFigureRegion(points, kinds, inner);
}

std::unique_ptr<controls::TclRegion> TclPCSlantedPainter::GetTabShapeRegion(int visibleIndex, bool inner)
{
    const TclPCTabFigure outline = BuildTabOutline(visibleIndex);
    return FigureRegion(visibleIndex, inner ? ExtendedToFrame(outline) : outline, inner);
}

TclPCTabFigure TclPCSlantedPainter::ExtendedToFrame(TclPCTabFigure figure)
{
    TPoints& points = figure.Points;
    if (points.size() < 2) {
        return figure;
    }
    auto step = [](win::POINT from, win::POINT to) {
        return win::POINT{(to.x > from.x) - (to.x < from.x), (to.y > from.y) - (to.y < from.y)};
    };
    const win::POINT first = step(points[0], points[1]);
    const win::POINT last = step(points[points.size() - 2], points.back());
    points.front() = {points.front().x - first.x, points.front().y - first.y};
    points.back() = {points.back().x + last.x, points.back().y + last.y};
    return figure;
}

void TclPCSlantedPainter::DrawTabOutline(int visibleIndex)
{
    DrawMappedPolyline(visibleIndex, BuildTabOutline(visibleIndex).Points, GetTabBorderColor());
}

win::RECT TclPCSlantedPainter::FrameSideStrip(int visibleIndex) const
{
    TclTab* tab = ParentInfo().VisibleTab(visibleIndex);
    const win::RECT v = tab->VisibleRect();
    switch (tab->RowSide()) {
    case tpBottom:
        return {v.left, v.top - 1, v.right, v.top};
    case tpLeft:
        return {v.right, v.top, v.right + 1, v.bottom};
    case tpRight:
        return {v.left - 1, v.top, v.left, v.bottom};
    default:
        return {v.left, v.bottom, v.right, v.bottom + 1};
    }
}

std::unique_ptr<controls::TclRegion> TclPCSlantedPainter::GetTabClipRegion(int visibleIndex)
{
    TclTab* tab = ParentInfo().VisibleTab(visibleIndex);
    std::unique_ptr<controls::TclRegion> region = GetTabShapeRegion(visibleIndex, false);
    controls::TclRegion visible(tab->VisibleRect());
    region->CombineWith(visible, controls::roIntersect);
    if (tab->IsCurrent()) {
        controls::TclRegion strip(FrameSideStrip(visibleIndex));
        region->CombineWith(strip, controls::roAdd);
    }
    return region;
}

bool TclPCSlantedPainter::IsTabHitAt(int visibleIndex, int x, int y)
{
    if (!GetTabClipRegion(visibleIndex)->ContainsXY(x, y)) {
        return false;
    }
    const int next = visibleIndex + 1;
    if (next >= Control()->VisibleTabs().Count()) {
        return true;
    }
    TclTab* nextTab = ParentInfo().VisibleTab(next);
    return !(nextTab->IsDisplayed() && nextTab->IsCurrent() && GetTabClipRegion(next)->ContainsXY(x, y));
}

void TclPCSlantedPainter::InvalidateTab(int visibleIndex)
{
    // The strip on the page side is the current tab's too.
    TclPCStandardPainter::InvalidateTab(visibleIndex);
    Control()->InvalidateArea(FrameSideStrip(visibleIndex));
}

// ------------------------------------------------------------------------------------------------------------
// Colours

gui::TColor TclPCSlantedPainter::GetTabBodyColor(int visibleIndex)
{
    if (ParentInfo().VisibleTab(visibleIndex)->Highlighted()) {
        return gui::clHighlight;
    }
    const gui::TColor color = GetTabColor(visibleIndex);
    return color == gui::clDefault ? Control()->Color() : color;
}

void TclPCSlantedPainter::GetTabGradientColors(int visibleIndex, gui::TColor bodyColor, gui::TColor& color1,
                                               gui::TColor& color2)
{
    if (ParentInfo().VisibleTab(visibleIndex)->IsHot()) {
        color1 = clPCBrightenColor(bodyColor, 20);
        color2 = bodyColor;
        return;
    }
    color1 = clPCBrightenColor(bodyColor, 13);
    color2 = controls::uxOffice11ScaleColor(bodyColor, 90);
}

bool TclPCSlantedPainter::BodyGradient(int visibleIndex, gui::TColor& color1, gui::TColor& color2, bool& horizontal)
{
    TclTab* tab = ParentInfo().VisibleTab(visibleIndex);
    const bool hotCurrent = tab->IsCurrent() && tab->IsHot() && UseHotGradientForActiveTab();
    if (tab->IsCurrent() && !hotCurrent) {
        return false;
    }
    const gui::TColor body = GetTabBodyColor(visibleIndex);
    color1 = body;
    color2 = body;
    if (Control()->HasOption(pcoGradient)) {
        GetTabGradientColors(visibleIndex, body, color1, color2);
    }
    const TclTabPosition side = tab->RowSide();
    if (hotCurrent && (side == tpBottom || side == tpRight)) {
        std::swap(color1, color2);
    }
    horizontal = IsVerticalSide(side);
    return true;
}

void TclPCSlantedPainter::FillTabBody(int visibleIndex, const win::RECT& rect)
{
    gui::TColor color1 = gui::clNone;
    gui::TColor color2 = gui::clNone;
    bool horizontal = false;
    if (BodyGradient(visibleIndex, color1, color2, horizontal)) {
        controls::uxFillRectGradient(Canvas().GetDCHandle(), rect, color1, color2, horizontal);
    } else {
        Canvas().FillRectColor(rect, GetTabBodyColor(visibleIndex));
    }
}

void TclPCSlantedPainter::FillTabTextBitmap(gui::TBitmap* bitmap, const win::RECT&, int visibleIndex)
{
    gui::TColor color1 = gui::clNone;
    gui::TColor color2 = gui::clNone;
    bool horizontal = false;
    if (visibleIndex < 0 || !BodyGradient(visibleIndex, color1, color2, horizontal)) {
        return;
    }
    // The tab's fill in the bitmap's own terms: the bitmap is drawn at the caption rectangle, turned a
    // quarter for vertical captions.
    const win::RECT tab = ParentInfo().VisibleTab(visibleIndex)->FullRect();
    const win::RECT text = LayoutTextRect();
    win::RECT fill{};
    switch (Control()->CaptionDirection()) {
    case cdHorizontal:
        fill = controls::clRectShift(tab, -text.left, -text.top);
        break;
    case cdBottomToTop:
        // Bitmap x runs up the screen, bitmap y to the right.
        fill = {text.bottom - tab.bottom, tab.left - text.left, text.bottom - tab.top, tab.right - text.left};
        if (!horizontal) {
            std::swap(color1, color2);
        }
        horizontal = !horizontal;
        break;
    case cdTopToBottom:
        // Bitmap x runs down the screen, bitmap y to the left.
        fill = {tab.top - text.top, text.right - tab.right, tab.bottom - text.top, text.right - tab.left};
        if (horizontal) {
            std::swap(color1, color2);
        }
        horizontal = !horizontal;
        break;
    }
    controls::uxFillRectGradient(bitmap->Canvas()->Handle(), fill, color1, color2, horizontal);
}

// ------------------------------------------------------------------------------------------------------------
// Painting

void TclPCSlantedPainter::PaintTabHighlightBand(int visibleIndex)
{
    TclTab* tab = ParentInfo().VisibleTab(visibleIndex);
    if (!tab->IsCurrent() && !tab->IsHot()) {
        return;
    }
    const TabFrame f = FrameOf(visibleIndex);
    const win::POINT a = MapPoint(visibleIndex, {f.L, f.T()});
    const win::POINT b = MapPoint(visibleIndex, {f.L + f.W - 1, f.T() + highlightBand - 1});
    const win::RECT band{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
    Canvas().FillRectColor(band, gui::clHighlight);
    Canvas().ExcludeFromClip(band);
}

void TclPCSlantedPainter::PaintActiveTabBase(int visibleIndex)
{
    const TabFrame f = FrameOf(visibleIndex);
    const win::POINT start = MapPoint(visibleIndex, {f.L, f.B});
    const win::POINT end = MapPoint(visibleIndex, {f.L + f.W - 1, f.B});
    const win::RECT strip{std::min(start.x, end.x), std::min(start.y, end.y), std::max(start.x, end.x) + 1,
                          std::max(start.y, end.y) + 1};
    controls::TclCanvas& canvas = Canvas();
    canvas.FillRectColor(strip, GetTabBodyColor(visibleIndex));
    const TclTabSlantPositions slanted = GetSlantPositions();
    if (!(slanted & LeftSlant)) {
        canvas.SetPixelColor(start.x, start.y, GetTabBorderColor());
    }
    if (!(slanted & RightSlant)) {
        canvas.SetPixelColor(end.x, end.y, GetTabBorderColor());
    }
}

void TclPCSlantedPainter::PaintTabShape(int visibleIndex)
{
    TclTab* tab = ParentInfo().VisibleTab(visibleIndex);
    SaveClipRegion();
    DrawTabOutline(visibleIndex);
    std::unique_ptr<controls::TclRegion> inner = GetTabShapeRegion(visibleIndex, true);
    Canvas().ApplyClipRegion(*inner, controls::roIntersect);
    PaintTabHighlightBand(visibleIndex);
    FillTabBody(visibleIndex, tab->FullRect());
    RestoreClipRegion();
    if (tab->IsCurrent()) {
        PaintActiveTabBase(visibleIndex);
    }
    const win::RECT text = LayoutTextRect();
    if (LayoutVisibleIndex() == visibleIndex && !controls::clRectHasNoArea(text)) {
        const bool vertical = Control()->CaptionDirection() != cdHorizontal;
        DrawTabFocusRect(visibleIndex, controls::clRectExpand(text, vertical ? 2 : 3, vertical ? 3 : 2));
    }
}

void TclPCSlantedPainter::PaintTabs()
{
    TclCustomTabControl* control = Control();
    int first = 0;
    int last = 0;
    clPCGetVisibleTabRange(control, first, last);
    const int current = control->CurrentVisibleIndex();
    auto displayed = [&](int i) { return i >= 0 && ParentInfo().VisibleTab(i)->IsDisplayed(); };
    if (current >= first && current <= last && displayed(current)) {
        PaintTab(current);
    }
    // The rows next to the page first, then outwards; the tab side before the opposite one.
    const int rows = control->RowCount();
    const int startRows = control->StartRowCount();
    std::vector<int> order;
    std::vector<int> endRows;
    for (int row = startRows - 1; row >= 0; --row) {
        order.push_back(row);
    }
    for (int row = startRows; row < rows; ++row) {
        endRows.push_back(row);
    }
    const TclTabPosition position = control->TabPosition();
    if (position == tpTop || position == tpLeft) {
        order.insert(order.end(), endRows.begin(), endRows.end());
    } else {
        order.insert(order.begin(), endRows.begin(), endRows.end());
    }
    for (int row : order) {
        for (int i = std::max(first, 0); i <= last; ++i) {
            if (i != current && displayed(i) && ParentInfo().VisibleTab(i)->VisibleRow() == row) {
                PaintTab(i);
            }
        }
        DrawRowBaseLine(row);
    }
}

void TclPCSlantedPainter::DrawRowBaseLine(int row)
{
    TclCustomTabControl* control = Control();
    int first = 0;
    int last = 0;
    clPCGetVisibleTabRange(control, first, last);
    // The row's cross extent, and along it from its first to its last displayed tab.
    bool found = false;
    TclTabPosition side = tpTop;
    win::RECT span{};
    for (int i = std::max(first, 0); i <= last; ++i) {
        TclTab* tab = ParentInfo().VisibleTab(i);
        if (tab->VisibleRow() != row || !tab->IsDisplayed()) {
            continue;
        }
        const win::RECT visible = tab->VisibleRect();
        if (!found) {
            side = tab->RowSide();
            span = visible;
            found = true;
        }
        span.left = std::min(span.left, visible.left);
        span.top = std::min(span.top, visible.top);
        span.right = std::max(span.right, visible.right);
        span.bottom = std::max(span.bottom, visible.bottom);
    }
    if (!found) {
        return;
    }
    const int rows = control->RowCount();
    const int startRows = control->StartRowCount();
    const bool startRow = row < startRows;
    const bool nextToPage = startRow ? row == startRows - 1 : row == startRows;
    const bool outermost = startRow ? row == 0 : row == rows - 1;
    const bool vertical = IsVerticalSide(side);
    // The left slant of a tab lies at the low end of a horizontal row and at the high end of a vertical one.
    const TclTabSlantPositions slanted = GetSlantPositions();
    const bool lowSlanted = (slanted & (vertical ? RightSlant : LeftSlant)) != 0;
    const bool highSlanted = (slanted & (vertical ? LeftSlant : RightSlant)) != 0;
    const int length = vertical ? control->Height() : control->Width();
    int& low = vertical ? span.top : span.left;
    int& high = vertical ? span.bottom : span.right;
    if (nextToPage || lowSlanted) {
        low = 0;
    }
    if (nextToPage || highSlanted) {
        high = length;
    }
    // Narrowed by 3 on the outer side, widened by 1 on the page side; the line is the page-side edge.
    win::RECT line{};
    switch (side) {
    case tpTop:
        span.top += 3, span.bottom += 1;
        line = {span.left, span.bottom - 1, span.right, span.bottom};
        break;
    case tpBottom:
        span.bottom -= 3, span.top -= 1;
        line = {span.left, span.top, span.right, span.top + 1};
        break;
    case tpLeft:
        span.left += 3, span.right += 1;
        line = {span.right - 1, span.top, span.right, span.bottom};
        break;
    case tpRight:
        span.right -= 3, span.left -= 1;
        line = {span.left, span.top, span.left + 1, span.bottom};
        break;
    }
    // Each line leaves the clip, or the background filled at the end would cover it.
    controls::TclCanvas& canvas = Canvas();
    auto draw = [&canvas, color = GetTabBorderColor()](const win::RECT& rect) {
        canvas.FillRectColor(rect, color);
        canvas.ExcludeFromClip(rect);
    };
    draw(line);
    if (outermost || nextToPage) {
        return;
    }
    if (lowSlanted) {
        draw(vertical ? win::RECT{span.left, span.top, span.right, span.top + 1}
                      : win::RECT{span.left, span.top, span.left + 1, span.bottom});
    }
    if (highSlanted) {
        draw(vertical ? win::RECT{span.left, span.bottom - 1, span.right, span.bottom}
                      : win::RECT{span.right - 1, span.top, span.right, span.bottom});
    }
}

void TclPCSlantedPainter::PaintFrameBorder()
{
    const win::RECT frame = controls::clRectExpand(GetPageClientRect(), 1, 1);
    Canvas().DrawFrameSides(frame, GetTabBorderColor());
}

}  // namespace pagecontrol
