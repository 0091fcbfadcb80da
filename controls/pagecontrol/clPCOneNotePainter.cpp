#include "controls/pagecontrol/clPCOneNotePainter.h"

#include "controls/uxOffice11Colors.h"

#include <algorithm>

namespace pagecontrol {

namespace {

// Entries of the OneNote colour set.
constexpr int borderEntry = 1;
constexpr int inactiveOutlineEntry = 2;
constexpr int hotOutlineEntry = 4;
constexpr int inactiveShadeEntry = 6;

gui::TColor Mix(gui::TColor a, gui::TColor b, int percent) { return controls::uxOffice11MixColors(a, b, percent); }

}  // namespace

std::unique_ptr<TclPCCustomPainter> TclPCOneNotePainterClassInfo::Create(TclCustomTabControl* control) const
{
    return std::make_unique<TclPCOneNotePainter>(control, this);
}

TclPCCustomPainterClass clPCOneNotePainterClass()
{
    static const classes::TClassInfo info("TclPCOneNotePainter", &clPCSlantedPainterClass()->ClassInfo());
    static const TclPCOneNotePainterClassInfo cls(info);
    return &cls;
}

void TclPCOneNotePainter::GetTabContentMargins(int, TclPCDistance& margins)
{
    margins = {SlantCut(), 4};
    if (Control()->IsRowVertical() && Control()->CaptionDirection() == cdTopToBottom) {
        clPCSwapInts(margins.dw, margins.dh);
    }
}

void TclPCOneNotePainter::GetTabsRegionExtension(win::RECT& extension)
{
    extension = Control()->IsRowVertical() ? win::RECT{0, 4, 0, 4} : win::RECT{4, 0, 4, 0};
}

TclPCTabFigure TclPCOneNotePainter::BuildTabOutline(int visibleIndex)
{
    const TabFrame f = FrameOf(visibleIndex);
    const int L = f.L;
    const int B = f.B;
    const int W = f.W;
    const int H = f.H;
    // The corner pixel at (L, B - 1) is shaded apart; the region adds it by itself.
    return {{{L + 1, B - 1}, {L + H - 3, B - H + 3}, {L + H + 2, B - H}, {L + W - 3, B - H}, {L + W - 1, B - H + 2},
             {L + W - 1, B - 1}},
            {lpLT, lpLT, lpT, lpRT, lpR, lpB}};
}

std::unique_ptr<controls::TclRegion> TclPCOneNotePainter::GetTabShapeRegion(int visibleIndex, bool inner)
{
    const TabFrame f = FrameOf(visibleIndex);
    const int L = f.L;
    const int B = f.B;
    const int W = f.W;
    const int H = f.H;
    const int T = f.T();
    if (inner) {
        // Inside the inner shade lines, down to the page.
        const TclPCTabFigure lines{{{L + 2, B - 1}, {L + H - 3, T + 4}, {L + H + 2, T + 1}, {L + W - 3, T + 1},
                                    {L + W - 2, T + 2}, {L + W - 2, B - 1}},
                                   {lpLT, lpLT, lpT, lpRT, lpR, lpB}};
        return FigureRegion(visibleIndex, ExtendedToFrame(lines), true);
    }
    std::unique_ptr<controls::TclRegion> region = FigureRegion(visibleIndex, BuildTabOutline(visibleIndex), false);
    // The shaded corner pixel beside the outline's start.
    const win::POINT corner = MapPoint(visibleIndex, {L, B - 1});
    controls::TclRegion pixel(corner.x, corner.y, corner.x + 1, corner.y + 1);
    region->CombineWith(pixel, controls::roAdd);
    return region;
}

gui::TColor TclPCOneNotePainter::ColorUnder(win::POINT point)
{
    const int index = Control()->VisibleIndexAt(point.x, point.y);
    return index >= 0 ? GetTabBodyColor(index) : Control()->Color();
}

void TclPCOneNotePainter::DrawTabOutline(int visibleIndex)
{
    TclTab* tab = ParentInfo().VisibleTab(visibleIndex);
    const gui::TColor body = GetTabBodyColor(visibleIndex);
    gui::TColor outline = clPCOneNoteColors(hotOutlineEntry);
    gui::TColor inner = outline;
    gui::TColor right = outline;
    if (!tab->IsHot() && tab->IsCurrent()) {
        outline = clPCOneNoteColors(borderEntry);
        inner = Mix(gui::clWhite, body, 60);
        right = Mix(inner, body, 70);
    } else if (!tab->IsHot()) {
        const gui::TColor shade = clPCOneNoteColors(inactiveShadeEntry);
        outline = clPCOneNoteColors(inactiveOutlineEntry);
        inner = Mix(Mix(gui::clWhite, shade, 50), body, 50);
        right = Mix(shade, body, 50);
    }
    const TabFrame f = FrameOf(visibleIndex);
    const int L = f.L;
    const int B = f.B;
    const int W = f.W;
    const int H = f.H;
    controls::TclCanvas& canvas = Canvas();
    // Pixels the shape's edges leave between the lines take the control's colour.
    canvas.FillRectColor(tab->FullRect(), Control()->Color());
    const win::POINT corner = MapPoint(visibleIndex, {L, B - 1});
    canvas.SetPixelColor(corner.x, corner.y, Mix(outline, ColorUnder(MapPoint(visibleIndex, {L - 1, B - 1})), 25));
    DrawMappedPolyline(visibleIndex, BuildTabOutline(visibleIndex).Points, outline);
    const win::POINT top = MapPoint(visibleIndex, {L + H + 2, B - H});
    canvas.SetPixelColor(top.x, top.y, Mix(outline, ColorUnder(MapPoint(visibleIndex, {L + H + 1, B - H})), 60));
    DrawMappedPolyline(visibleIndex,
                       {{L + 2, B - 1}, {L + H - 3, B - H + 4}, {L + H + 2, B - H + 1}, {L + W - 4, B - H + 1}}, inner);
    DrawMappedPolyline(visibleIndex, {{L + W - 3, B - H + 1}, {L + W - 2, B - H + 2}, {L + W - 2, B - 1}}, right);
}

void TclPCOneNotePainter::PaintActiveTabBase(int visibleIndex)
{
    const TabFrame f = FrameOf(visibleIndex);
    const gui::TColor body = GetTabBodyColor(visibleIndex);
    const win::POINT corner = MapPoint(visibleIndex, {f.L, f.B});
    Canvas().SetPixelColor(corner.x, corner.y, Mix(GetTabBorderColor(), body, 50));
    DrawMappedPolyline(visibleIndex, {{f.L + 1, f.B}, {f.L + f.W - 1, f.B}}, body);
}

}  // namespace pagecontrol
