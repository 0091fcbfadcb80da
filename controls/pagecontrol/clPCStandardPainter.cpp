#include "controls/pagecontrol/clPCStandardPainter.h"

#include "controls/pagecontrol/clPCImageList.h"

#include "controls/uxOffice11Colors.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gui/graphics/Colors.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pagecontrol {

namespace {

// Metrics of the three standard kinds: tabs, buttons, flat buttons.
struct KindMetrics {
    int minTabHeight;
    int kindIndent;
    TclPCDistance spacing;
    win::RECT imageMargins;
    win::RECT activeImageMargins;
    win::RECT textMargins;
    win::RECT activeTextMargins;
    TclPCDistance contentMargins;
    TclPCDistance activeContentMargins;
    TclPCDistance truncatedMargins;
    TclPCDistance activeTruncatedMargins;
};

constexpr std::array<KindMetrics, 3> kindMetrics = {{
    {18, 2, {0, 0}, {6, 1, 0, 0}, {8, 1, 0, 3}, {5, 1, 5, -1}, {5, 1, 5, 2}, {2, 2}, {4, 4}, {2, 2}, {4, 4}},
    {20, 4, {3, 3}, {6, -1, 0, 1}, {7, -1, 0, 1}, {6, 0, 4, 1}, {6, 0, 4, 1}, {3, 3}, {3, 3}, {3, 3}, {3, 3}},
    {20, 4, {10, 3}, {6, -1, 0, 1}, {7, -1, 0, 1}, {6, 0, 4, 1}, {6, 0, 4, 1}, {2, 2}, {4, 2}, {2, 2}, {3, 2}},
}};

const KindMetrics& MetricsOf(int kind) { return kindMetrics[std::size_t(std::clamp(kind, 0, 2))]; }

constexpr int arrowGlyphSize = 5;
constexpr int goGlyphSize = 4;

gui::TColor lightBrushColor = gui::clBtnFace;
std::array<gui::TColor, 6> oneNoteColors{};
controls::TclSystemPaletteChangedNotifier* paletteNotifier = nullptr;

void ComputeOneNoteColors()
{
    static constexpr std::array<std::array<gui::TColor, 6>, 4> table = {{
        {gui::clBtnShadow, gui::clBtnShadow, gui::TColor(win::RGB(255, 255, 255)), gui::TColor(win::RGB(10, 36, 106)),
         gui::clBtnFace, gui::clBtnFace},
        {gui::TColor(win::RGB(59, 97, 156)), gui::TColor(win::RGB(0, 53, 154)), gui::TColor(win::RGB(255, 255, 255)),
         gui::TColor(win::RGB(0, 0, 128)), gui::TColor(win::RGB(255, 255, 255)), gui::TColor(win::RGB(117, 166, 241))},
        {gui::TColor(win::RGB(96, 128, 88)), gui::TColor(win::RGB(96, 119, 107)), gui::TColor(win::RGB(255, 255, 255)),
         gui::TColor(win::RGB(63, 93, 56)), gui::TColor(win::RGB(255, 255, 255)), gui::TColor(win::RGB(176, 194, 140))},
        {gui::TColor(win::RGB(124, 124, 148)), gui::TColor(win::RGB(118, 116, 146)),
         gui::TColor(win::RGB(255, 255, 255)), gui::TColor(win::RGB(75, 75, 111)), gui::TColor(win::RGB(255, 255, 255)),
         gui::TColor(win::RGB(186, 185, 206))},
    }};
    const int scheme = controls::uxOffice11CurrentScheme();
    oneNoteColors = table[std::size_t(scheme >= 0 && scheme <= 3 ? scheme : 0)];
}

void ComputeLightBrushColor()
{
    const win::COLORREF face = gui::ColorToRGB(gui::clBtnFace);
    auto lighter = [](int value) { return value >= 236 ? 255 : value + 20; };
    lightBrushColor = gui::TColor(win::RGB(lighter(win::GetRValue(face)), lighter(win::GetGValue(face)),
                                           lighter(win::GetBValue(face))));
}

struct PaletteHandler {
    void Changed() { ComputeOneNoteColors(); }
};
PaletteHandler paletteHandler;

}  // namespace

// ------------------------------------------------------------------------------------------------------------
// Class reference

int TclPCStandardPainterClassInfo::GetMinTabHeight() const { return MetricsOf(GetStandardStyleKind()).minTabHeight; }

int TclPCStandardPainterClassInfo::GetStyleKindIndent() const { return MetricsOf(GetStandardStyleKind()).kindIndent; }

std::unique_ptr<TclPCCustomPainter> TclPCStandardPainterClassInfo::Create(TclCustomTabControl* control) const
{
    return std::make_unique<TclPCStandardPainter>(control, this);
}

// ------------------------------------------------------------------------------------------------------------
// Tab sizes and margins

int TclPCStandardPainter::GetTabDecorationWidth(int visibleIndex)
{
    if (!HasImages() || (visibleIndex != -1 && !HasTabImage(visibleIndex) && !Control()->Rotate())) {
        return 12;
    }
    return GetTabImageSize().cx + 2 * Control()->ImageBorder() + 18;
}

int TclPCStandardPainter::GetTabMinWidth(int visibleIndex)
{
    return std::max(GetTabDecorationWidth(visibleIndex), GetDefaultMinTabWidth());
}

int TclPCStandardPainter::CalculateTabNormalWidth(TclTab* tab)
{
    if (Control()->TabWidth() > 0) {
        return Control()->TabWidth();
    }
    const int visibleIndex = tab->VisibleIndex();
    return std::max(GetTabDecorationWidth(visibleIndex) + clPCGetTabTextSize(tab).cx, GetTabMinWidth(visibleIndex));
}

int TclPCStandardPainter::CalculateTabContentHeight()
{
    int height = 0;
    if (HasImages()) {
        height = GetTabImageSize().cy + 2 * Control()->ImageBorder() + 6;
    }
    return std::max(height, TallestCaptionHeight() + 8);
}

int TclPCStandardPainter::TallestCaptionHeight()
{
    controls::TclScreenCanvas* screen = controls::clGetScreenCanvas();
    int tallest = 0;
    TclVisibleTabList& visible = Control()->VisibleTabs();
    for (int i = 0; screen && i < visible.Count(); ++i) {
        screen->PushState();
        Control()->PrepareTabCanvasFont(visible.Tab(i), *screen);
        tallest = std::max(tallest, screen->MeasureTextHeight("Zg"));
        screen->PopState();
    }
    return tallest;
}

int TclPCStandardPainter::CalculateTabNormalHeight()
{
    int height = std::max(CalculateTabContentHeight(), StandardClass().GetMinTabHeight());
    if (Control()->Rotate() && HasImages() && (height - GetTabImageSize().cy) % 2 != 0) {
        ++height;
    }
    return std::max(height, Control()->TabHeight());
}

void TclPCStandardPainter::GetTabImageAreaMargins(int visibleIndex, win::RECT& margins)
{
    const KindMetrics& m = MetricsOf(StyleKind());
    margins = UseActiveTabMetrics(visibleIndex) ? m.activeImageMargins : m.imageMargins;
}

void TclPCStandardPainter::GetTabTextAreaMargins(int visibleIndex, win::RECT& margins)
{
    const KindMetrics& m = MetricsOf(StyleKind());
    margins = UseActiveTabMetrics(visibleIndex) ? m.activeTextMargins : m.textMargins;
}

void TclPCStandardPainter::GetTabContentMargins(int visibleIndex, TclPCDistance& margins)
{
    const KindMetrics& m = MetricsOf(StyleKind());
    margins = UseActiveTabMetrics(visibleIndex) ? m.activeContentMargins : m.contentMargins;
}

void TclPCStandardPainter::GetTruncatedTabContentMargins(int visibleIndex, TclPCDistance& margins)
{
    const KindMetrics& m = MetricsOf(StyleKind());
    margins = UseActiveTabMetrics(visibleIndex) ? m.activeTruncatedMargins : m.truncatedMargins;
}

void TclPCStandardPainter::GetTabsSpacing(TclPCDistance& spacing) { spacing = MetricsOf(StyleKind()).spacing; }

bool TclPCStandardPainter::UseActiveTabMetrics(int visibleIndex)
{
    return ParentInfo().VisibleTab(visibleIndex)->IsCurrent();
}

void TclPCStandardPainter::StoreTabImageAndTextRects(int, const win::RECT& imageRect, const win::RECT& textRect)
{
    SetLayoutRects(imageRect, textRect);
}

// ------------------------------------------------------------------------------------------------------------
// Tabs area and navigator buttons

namespace {

bool ButtonsAtRowStart(TclTabPosition tabPosition, TclPCNavigatorPosition position)
{
    if (tabPosition == tpLeft || tabPosition == tpRight) {
        return position == npLeftTop || position == npRightTop;
    }
    return position == npLeftTop || position == npLeftBottom;
}

}  // namespace

std::vector<TclPCNavigatorButton> TclPCStandardPainter::GetNavigatorButtonsOrder(TclPCNavigatorButtons buttons)
{
    static constexpr std::array<TclPCNavigatorButton, 4> atStart{nbClose, nbTopLeft, nbBottomRight, nbGoDialog};
    static constexpr std::array<TclPCNavigatorButton, 4> atEnd{nbGoDialog, nbTopLeft, nbBottomRight, nbClose};
    const auto& order = ButtonsAtRowStart(Control()->TabPosition(), Control()->NavigatorPosition()) ? atStart : atEnd;
    std::vector<TclPCNavigatorButton> result;
    for (TclPCNavigatorButton button : order) {
        if (buttons & clPCButtonBit(button)) {
            result.push_back(button);
        }
    }
    return result;
}

int TclPCStandardPainter::GetNavigatorButtonWidth(TclPCNavigatorButton button)
{
    if (button == nbGoDialog) {
        return Control()->IsRowVertical() ? 13 : 12;
    }
    return 20;
}

namespace {

// The buttons' total extent along the row: their widths and the distances between neighbours.
int ButtonsExtent(TclPCStandardPainter& painter, const std::vector<TclPCNavigatorButton>& order)
{
    int extent = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        extent += painter.GetNavigatorButtonWidth(order[i]);
        if (i + 1 < order.size()) {
            extent += painter.GetNavigatorButtonsDistance(order[i], order[i + 1]);
        }
    }
    return extent;
}

}  // namespace

int TclPCStandardPainter::GetNavigatorButtonsRegionWidth(TclPCNavigatorButtons buttons)
{
    if (!buttons) {
        return 0;
    }
    return ButtonsExtent(*this, GetNavigatorButtonsOrder(buttons)) + GetNavigatorButtonsEndIndent()
           + GetNavigatorButtonsTabsGap();
}

win::RECT TclPCStandardPainter::CalculateNavigatorButtonsRegion(TclPCNavigatorButtons buttons)
{
    TclCustomTabControl* control = Control();
    const int h = GetNavigatorButtonHeight();
    const int e = ButtonsExtent(*this, GetNavigatorButtonsOrder(buttons));
    const bool atStart = ButtonsAtRowStart(control->TabPosition(), control->NavigatorPosition());
    const int endIndent = GetNavigatorButtonsEndIndent();
    const int sideIndent = GetNavigatorButtonsSideIndent();
    if (control->IsRowVertical()) {
        const int left = control->TabPosition() == tpLeft ? sideIndent : control->Width() - h - sideIndent;
        const int top = atStart ? endIndent : control->Height() - e - endIndent;
        return {left, top, left + h, top + e};
    }
    const int left = atStart ? endIndent : control->Width() - e - endIndent;
    const int top = control->TabPosition() == tpTop ? sideIndent : control->Height() - h - sideIndent;
    return {left, top, left + e, top + h};
}

void TclPCStandardPainter::CalculateNavigatorButtonsBounds(TclPCNavigatorButtons buttons)
{
    navigatorLayout_.clear();
    navigatorRegion_ = {};
    if (!buttons) {
        return;
    }
    navigatorRegion_ = CalculateNavigatorButtonsRegion(buttons);
    const bool vertical = Control()->IsRowVertical();
    const int h = GetNavigatorButtonHeight();
    const std::vector<TclPCNavigatorButton> order = GetNavigatorButtonsOrder(buttons);
    int position = vertical ? navigatorRegion_.top : navigatorRegion_.left;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const int width = GetNavigatorButtonWidth(order[i]);
        const win::RECT& region = navigatorRegion_;
        const win::RECT bounds = vertical ? win::RECT{region.left, position, region.left + h, position + width}
                                          : win::RECT{position, region.top, position + width, region.top + h};
        navigatorLayout_.push_back({order[i], bounds});
        position += width;
        if (i + 1 < order.size()) {
            position += GetNavigatorButtonsDistance(order[i], order[i + 1]);
        }
    }
}

void TclPCStandardPainter::CalculateTabsAreaBounds(TclPCNavigatorButtons buttons, TclPCTabsArea& area)
{
    TclCustomTabControl* control = Control();
    const int width = GetNavigatorButtonsRegionWidth(buttons);
    win::RECT extension{};
    GetTabsRegionExtension(extension);
    win::RECT bounds = controls::clRectInnerArea(clPCControlBounds(control), extension);
    const bool vertical = control->IsRowVertical();
    const TclPCNavigatorPosition position = control->NavigatorPosition();
    if (buttons) {
        if (!vertical) {
            if (position == npRightTop || position == npRightBottom) {
                bounds.right -= width;
            } else {
                bounds.left += width;
            }
        } else if (position == npLeftBottom || position == npRightBottom) {
            bounds.bottom -= width;
        } else {
            bounds.top += width;
        }
    }
    TclPCDistance spacing;
    GetTabsSpacing(spacing);
    area.Bounds = bounds;
    area.RowLength = vertical ? bounds.bottom - bounds.top : bounds.right - bounds.left;
    area.RowBounds = bounds;
    area.StartRowsEdgeAdjustment = 0;
    area.EndRowsEdgeAdjustment = 0;
    area.RowSpacing = spacing.dh;
    CalculateNavigatorButtonsBounds(buttons);
}

win::RECT TclPCStandardPainter::NavigatorButtonBounds(TclPCNavigatorButton button) const
{
    for (const TclPCNavigatorButtonPosition& entry : navigatorLayout_) {
        if (entry.Button == button) {
            return entry.Bounds;
        }
    }
    return {};
}

bool TclPCStandardPainter::GetNavigatorButtonAt(int x, int y, TclPCNavigatorButton& button)
{
    for (const TclPCNavigatorButtonPosition& entry : navigatorLayout_) {
        if (controls::clRectContainsXY(entry.Bounds, x, y)) {
            button = entry.Button;
            return true;
        }
    }
    return false;
}

win::RECT TclPCStandardPainter::GetGoDialogButtonBounds() { return NavigatorButtonBounds(nbGoDialog); }

void TclPCStandardPainter::InvalidateNavigatorButton(TclPCNavigatorButton button, TclPCNavigatorButtonState)
{
    const win::RECT bounds = NavigatorButtonBounds(button);
    if (!controls::clRectHasNoArea(bounds)) {
        Control()->InvalidateArea(bounds);
    }
}

void TclPCStandardPainter::InvalidateNavigatorButtonsRegion()
{
    if (!navigatorLayout_.empty()) {
        Control()->InvalidateArea(navigatorRegion_);
    }
}

// ------------------------------------------------------------------------------------------------------------
// Navigator button painting

gui::TColor TclPCStandardPainter::GetNavigatorButtonGlyphColor(TclPCNavigatorButtonState state)
{
    return state == nbsHotTrack ? clPCHotTrackColor() : gui::clBtnText;
}

void TclPCStandardPainter::GetNavigatorButtonGlyphInfo(TclPCNavigatorButton button, TclPCNavigatorButtonGlyphInfo& info)
{
    const TclPCNavigatorButtonState state = ParentInfo().NavigatorButtonState(button);
    const gui::TColor color = GetNavigatorButtonGlyphColor(state);
    info.BrushColor = color;
    info.PenColor = color;
    info.DrawInColors = Control()->Enabled() && state != nbsDisabled;
    info.SmallCloseGlyph = false;
}

win::POINT TclPCStandardPainter::GetNavigatorButtonGlyphOffset(TclPCNavigatorButton button,
                                                                TclPCNavigatorButtonState state)
{
    const bool vertical = Control()->IsRowVertical();
    int glyphWidth = 8;
    int glyphHeight = 7;
    if (button != nbClose) {
        const int s = button == nbGoDialog ? goGlyphSize : arrowGlyphSize;
        glyphWidth = s;
        glyphHeight = 2 * s - 1;
        if (vertical != (button == nbGoDialog)) {
            std::swap(glyphWidth, glyphHeight);
        }
    }
    int buttonWidth = GetNavigatorButtonWidth(button);
    int buttonHeight = GetNavigatorButtonHeight();
    if (vertical) {
        std::swap(buttonWidth, buttonHeight);
    }
    win::POINT offset{(buttonWidth - glyphWidth) / 2, (buttonHeight - glyphHeight) / 2};
    if (button == nbGoDialog) {
        ++offset.y;
    }
    if (state == nbsPressed) {
        if (button != nbGoDialog) {
            ++offset.x;
        }
        ++offset.y;
    }
    return offset;
}

namespace {

// A filled triangle of size s (from base to tip) pointing up, down, left or right, drawn a line of
// pixels at a time from the base: line k is 2 (s - k) - 1 pixels long.
void FillTriangle(controls::TclCanvas& canvas, int direction, int s, win::POINT o, gui::TColor color)
{
    for (int k = 0; k < s; ++k) {
        win::RECT line{};
        switch (direction) {
        case 0:  // up: the base is the bottom row
            line = {o.x + k, o.y + s - 1 - k, o.x + 2 * s - 1 - k, o.y + s - k};
            break;
        case 1:  // down
            line = {o.x + k, o.y + k, o.x + 2 * s - 1 - k, o.y + k + 1};
            break;
        case 2:  // left: the base is the right column
            line = {o.x + s - 1 - k, o.y + k, o.x + s - k, o.y + 2 * s - 1 - k};
            break;
        default:  // right
            line = {o.x + k, o.y + k, o.x + k + 1, o.y + 2 * s - 1 - k};
            break;
        }
        canvas.FillRectColor(line, color);
    }
}

void DrawGlyphShape(controls::TclCanvas& canvas, TclPCNavigatorButton button, bool vertical, bool smallClose,
                    win::POINT o, gui::TColor brushColor, gui::TColor penColor)
{
    if (button == nbClose && smallClose) {
        canvas.GetCanvasPen()->SetColor(penColor);
        // Two adjacent diagonals each way within 8 x 7 pixels (7 x 8 on vertical rows), ends included.
        static constexpr int across[4][4] = {{1, 0, 7, 6}, {0, 0, 6, 6}, {0, 6, 6, 0}, {1, 6, 7, 0}};
        static constexpr int along[4][4] = {{0, 0, 6, 6}, {0, 1, 6, 7}, {0, 6, 6, 0}, {0, 7, 6, 1}};
        for (const auto& line : vertical ? along : across) {
            canvas.MovePenTo(o.x + line[0], o.y + line[1]);
            canvas.DrawLineTo(o.x + line[2] + 1, o.y + line[3] + (line[3] > line[1] ? 1 : -1));
        }
        return;
    }
    if (button == nbClose) {
        canvas.GetCanvasPen()->SetColor(penColor);
        // Diagonals each way within 9 x 9 pixels: the middle one and its neighbours.
        static constexpr int shifts[3][2] = {{0, 0}, {1, 0}, {0, 1}};
        for (int k = 0; k < 3; ++k) {
            const int sx = shifts[k][0];
            const int sy = shifts[k][1];
            canvas.MovePenTo(o.x + sx, o.y + sy);
            canvas.DrawLineTo(o.x + 9 - sy, o.y + 9 - sx);
            canvas.MovePenTo(o.x + 8 - sx, o.y + sy);
            canvas.DrawLineTo(o.x - 1 + sy, o.y + 9 - sx);
        }
        return;
    }
    int direction = 1;
    int size = goGlyphSize;
    if (button != nbGoDialog) {
        size = arrowGlyphSize;
        direction = vertical ? (button == nbTopLeft ? 0 : 1) : (button == nbTopLeft ? 2 : 3);
    }
    FillTriangle(canvas, direction, size, o, brushColor);
}

}  // namespace

void TclPCStandardPainter::DrawNavigatorButtonGlyph(TclPCNavigatorButton button, TclPCNavigatorButtonState state,
                                                    const win::RECT& rect)
{
    TclPCNavigatorButtonGlyphInfo info;
    GetNavigatorButtonGlyphInfo(button, info);
    const win::POINT offset = GetNavigatorButtonGlyphOffset(button, state);
    const win::POINT origin{rect.left + offset.x, rect.top + offset.y};
    const bool vertical = Control()->IsRowVertical();
    controls::TclCanvas& canvas = Canvas();
    if (info.DrawInColors) {
        DrawGlyphShape(canvas, button, vertical, info.SmallCloseGlyph, origin, info.BrushColor, info.PenColor);
        return;
    }
    DrawGlyphShape(canvas, button, vertical, info.SmallCloseGlyph, {origin.x + 1, origin.y + 1}, gui::clBtnHighlight,
                   gui::clBtnHighlight);
    DrawGlyphShape(canvas, button, vertical, info.SmallCloseGlyph, origin, gui::clBtnShadow, gui::clBtnShadow);
}

void TclPCStandardPainter::DrawNavigatorButtonBorder(win::RECT& r, TclPCNavigatorButtonState state)
{
    const bool pressed = state == nbsPressed;
    const gui::TColor outerTopLeft = pressed ? gui::clBtnShadow : gui::cl3DLight;
    const gui::TColor innerTopLeft = pressed ? gui::cl3DDkShadow : gui::clBtnHighlight;
    const gui::TColor outerBottomRight = pressed ? gui::clBtnHighlight : gui::cl3DDkShadow;
    const gui::TColor innerBottomRight = pressed ? gui::cl3DLight : gui::clBtnShadow;
    DrawPolyline({{r.left, r.bottom - 2}, {r.left, r.top}, {r.right - 2, r.top}}, outerTopLeft);
    DrawPolyline({{r.left + 1, r.bottom - 3}, {r.left + 1, r.top + 1}, {r.right - 3, r.top + 1}}, innerTopLeft);
    DrawPolyline({{r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, {r.right - 1, r.top}}, outerBottomRight);
    DrawPolyline({{r.left + 1, r.bottom - 2}, {r.right - 2, r.bottom - 2}, {r.right - 2, r.top + 1}}, innerBottomRight);
    r = controls::clRectExpand(r, -2, -2);
}

void TclPCStandardPainter::FillNavigatorButtonFace(TclPCNavigatorButtonState state, const win::RECT& rect)
{
    Canvas().FillRectColor(rect, GetNavigatorButtonFaceColor(state));
}

void TclPCStandardPainter::PaintNavigatorButton(TclPCNavigatorButton button, win::RECT rect)
{
    const TclPCNavigatorButtonState state = ParentInfo().NavigatorButtonState(button);
    const win::RECT outer = rect;
    DrawNavigatorButtonBorder(rect, state);
    FillNavigatorButtonFace(state, rect);
    DrawNavigatorButtonGlyph(button, state, outer);
}

void TclPCStandardPainter::PaintNavigatorButtons()
{
    for (const TclPCNavigatorButtonPosition& entry : navigatorLayout_) {
        if (ClipToRect(entry.Bounds)) {
            PaintNavigatorButton(entry.Button, entry.Bounds);
            RestoreClipRegion();
            Canvas().ExcludeFromClip(entry.Bounds);
        }
    }
}

// ------------------------------------------------------------------------------------------------------------
// Tabs, frame, whole control

void TclPCStandardPainter::PaintTabs()
{
    int first = 0;
    int last = 0;
    clPCGetVisibleTabRange(Control(), first, last);
    for (int i = std::max(first, 0); i <= last; ++i) {
        if (ParentInfo().VisibleTab(i)->IsDisplayed()) {
            PaintTab(i);
        }
    }
}

void TclPCStandardPainter::PaintTab(int visibleIndex)
{
    controls::TclCanvas& canvas = Canvas();
    std::unique_ptr<controls::TclRegion> region = GetTabClipRegion(visibleIndex);
    SaveClipRegion();
    canvas.ApplyClipRegion(*region, GetTabClipRegionOperation(visibleIndex));
    const bool ownerDrawn = IsOwnerDrawing() && DoDrawTab(visibleIndex);
    if (!ownerDrawn) {
        if (IsNativePainting()) {
            PaintNativeTab(visibleIndex);
        }
        PaintTabImageAndText(visibleIndex);
        PaintTabShape(visibleIndex);
    }
    RestoreClipRegion();
    if (ownerDrawn || !IsTabBackgroundTransparent(visibleIndex)) {
        AfterPaintTab(visibleIndex);
        canvas.ApplyClipRegion(*region, controls::roSubtract);
        return;
    }
    const win::RECT visible = ParentInfo().VisibleTab(visibleIndex)->VisibleRect();
    for (const win::RECT& rect : {LayoutImageRect(), LayoutTextRect()}) {
        win::RECT part{};
        if (win::IntersectRect(&part, &rect, &visible)) {
            canvas.ExcludeFromClip(part);
        }
    }
}

void TclPCStandardPainter::DrawTabFocusRect(int visibleIndex, const win::RECT& rect)
{
    TclTab* tab = ParentInfo().VisibleTab(visibleIndex);
    if (!tab->IsSelectable() || !tab->IsCurrent() || !Control()->Focused()) {
        return;
    }
    if (ClipToRect(tab->VisibleRect(), false)) {
        const win::RECT inner = controls::clRectExpand(rect, -1, -1);
        win::DrawFocusRect(Canvas().GetDCHandle(), &inner);
        RestoreClipRegion();
    }
}

void TclPCStandardPainter::PaintFrameBorder()
{
    win::RECT rect = GetPageFrameRect();
    const int minimum = GetMinFrameSize();
    rect.right = std::max(rect.right, rect.left + minimum);
    rect.bottom = std::max(rect.bottom, rect.top + minimum);
    DrawFrameBorder(rect);
}

void TclPCStandardPainter::DrawFrameBorder(const win::RECT& rect)
{
    controls::TclCanvas& canvas = Canvas();
    canvas.DrawTwoToneFrame(rect, gui::clBtnHighlight, gui::cl3DDkShadow);
    canvas.DrawTwoToneFrame(controls::clRectExpand(rect, -1, -1), gui::cl3DLight, gui::clBtnShadow);
}

void TclPCStandardPainter::Paint()
{
    PaintElements();
    const win::RECT bounds = clPCControlBounds(Control());
    if (IsNativePainting() && Control()->ParentBackground()) {
        controls::clPaintParentBackground(Control(), Canvas(), bounds);
    } else {
        Canvas().FillRectColor(bounds, GetBackgroundColor());
    }
}

void TclPCStandardPainter::RepaintTab(int visibleIndex, TclPCTabRepaintReason)
{
    if (Control()->CaptionDirection() != cdHorizontal) {
        ParentInfo().VisibleTab(visibleIndex)->DropRotatedCaptionBitmap();
    }
    InvalidateTab(visibleIndex);
}

// ------------------------------------------------------------------------------------------------------------
// Colour routines

void clPCColorToHSB(gui::TColor color, double& hue, double& saturation, double& brightness)
{
    const win::COLORREF rgb = gui::ColorToRGB(color);
    const double r = win::GetRValue(rgb);
    const double g = win::GetGValue(rgb);
    const double b = win::GetBValue(rgb);
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    brightness = high * 100 / 255;
    saturation = high == 0 ? 0 : 100 - low * 100 / high;
    if (saturation == 0) {
        hue = 0;
        return;
    }
    if (high == r) {
        hue = (g - b) * 60 / (high - low);
    } else if (high == g) {
        hue = (b - r) * 60 / (high - low) + 120;
    } else {
        hue = (r - g) * 60 / (high - low) + 240;
    }
    if (hue < 0) {
        hue += 360;
    }
}

gui::TColor clPCHSBToColor(double hue, double saturation, double brightness)
{
    if (brightness == 0) {
        return gui::clBlack;
    }
    const double high = brightness * 255 / 100;
    const double low = high * (100 - saturation) / 100;
    const double d = high - low;
    double r = 0;
    double g = 0;
    double b = 0;
    if (hue <= 60) {
        r = high, g = low + d * hue / 60, b = low;
    } else if (hue <= 120) {
        r = low + d * (120 - hue) / 60, g = high, b = low;
    } else if (hue <= 180) {
        r = low, g = high, b = low + d * (hue - 120) / 60;
    } else if (hue <= 240) {
        r = low, g = low + d * (240 - hue) / 60, b = high;
    } else if (hue > 300) {
        r = high, g = low, b = low + d * (360 - hue) / 60;
    } else {
        r = low + d * (hue - 240) / 60, g = low, b = high;
    }
    auto channel = [](double value) { return std::clamp(int(std::trunc(value)), 0, 255); };
    return gui::TColor(win::RGB(channel(r), channel(g), channel(b)));
}

gui::TColor clPCBrightenColor(gui::TColor color, int percent)
{
    double hue = 0;
    double saturation = 0;
    double brightness = 0;
    clPCColorToHSB(color, hue, saturation, brightness);
    brightness = std::min(brightness * (percent + 100) / 100, 100.0);
    return clPCHSBToColor(hue, saturation, brightness);
}

gui::TColor clPCLightBrushColor() { return lightBrushColor; }

gui::TColor clPCOneNoteColors(int index) { return oneNoteColors[std::size_t(std::clamp(index, 1, 6) - 1)]; }

// ------------------------------------------------------------------------------------------------------------
// Shape routines

void clPCDrawBorder(controls::TclCanvas& canvas, win::RECT& rect, const std::vector<TclPCBorderEntry>& entries,
                    bool exclude)
{
    for (const TclPCBorderEntry& entry : entries) {
        win::RECT band = rect;
        canvas.GetCanvasPen()->SetColor(entry.Color);
        switch (entry.Side) {
        case bsLeft:
            canvas.MovePenTo(rect.left, rect.top);
            canvas.DrawLineTo(rect.left, rect.bottom);
            band.right = rect.left + 1;
            ++rect.left;
            break;
        case bsTop:
            canvas.MovePenTo(rect.left, rect.top);
            canvas.DrawLineTo(rect.right, rect.top);
            band.bottom = rect.top + 1;
            ++rect.top;
            break;
        case bsRight:
            canvas.MovePenTo(rect.right - 1, rect.top);
            canvas.DrawLineTo(rect.right - 1, rect.bottom);
            band.left = rect.right - 1;
            --rect.right;
            break;
        case bsBottom:
            canvas.MovePenTo(rect.left, rect.bottom - 1);
            canvas.DrawLineTo(rect.right, rect.bottom - 1);
            band.top = rect.bottom - 1;
            --rect.bottom;
            break;
        }
        if (exclude) {
            canvas.ExcludeFromClip(band);
        }
    }
}

namespace {

// How far each kind of segment moves so that the polygon region takes its pixels (outer) or leaves
// them out (inner). Regions sample pixel centres, a centre on a left edge belonging to the region and
// one on a right edge not; the moves follow from that for straight and diagonal segments.
win::POINT FigureShift(TLinePosition position, bool inner)
{
    switch (position) {
    case lpL:
    case lpLB:
        return inner ? win::POINT{1, 0} : win::POINT{0, 0};
    case lpLT:
        return inner ? win::POINT{2, 0} : win::POINT{1, 0};
    case lpT:
        return inner ? win::POINT{0, 1} : win::POINT{0, 0};
    case lpRT:
    case lpR:
        return inner ? win::POINT{0, 0} : win::POINT{1, 0};
    case lpRB:
        return inner ? win::POINT{1, 0} : win::POINT{2, 0};
    case lpB:
        return inner ? win::POINT{0, 0} : win::POINT{0, 1};
    }
    return {0, 0};
}

// Where two moved segments meet: the crossing of their lines, or the moved point where they run
// parallel.
win::POINT MovedCorner(win::POINT from, win::POINT corner, win::POINT to, win::POINT inShift, win::POINT outShift)
{
    const double ax = double(corner.x) - from.x;
    const double ay = double(corner.y) - from.y;
    const double bx = double(to.x) - corner.x;
    const double by = double(to.y) - corner.y;
    const double denominator = ax * by - ay * bx;
    if (denominator == 0) {
        return {corner.x + outShift.x, corner.y + outShift.y};
    }
    // The incoming line through corner + inShift, the outgoing one through corner + outShift.
    const double dx = double(outShift.x) - inShift.x;
    const double dy = double(outShift.y) - inShift.y;
    const double t = (dx * by - dy * bx) / denominator;
    return {int(std::lround(corner.x + inShift.x + t * ax)), int(std::lround(corner.y + inShift.y + t * ay))};
}

}  // namespace

std::unique_ptr<controls::TclRegion> clPCFigureRegion(const TPoints& points, const TLinePositions& positions,
                                                      bool firstHalf)
{
    // Repeated points draw nothing: each run keeps its last segment.
    TPoints figure;
    TLinePositions kinds;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TLinePosition kind = i < positions.size() ? positions[i] : lpB;
        if (!figure.empty() && figure.back().x == points[i].x && figure.back().y == points[i].y) {
            kinds.back() = kind;
            continue;
        }
        figure.push_back(points[i]);
        kinds.push_back(kind);
    }
    while (figure.size() > 1 && figure.back().x == figure.front().x && figure.back().y == figure.front().y) {
        figure.pop_back();
        kinds.pop_back();
    }
    const std::size_t count = figure.size();
    if (count < 3) {
        return std::make_unique<controls::TclRegion>();
    }
    TPoints moved(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t before = (i + count - 1) % count;
        moved[i] = MovedCorner(figure[before], figure[i], figure[(i + 1) % count],
                               FigureShift(kinds[before], firstHalf), FigureShift(kinds[i], firstHalf));
    }
    return std::make_unique<controls::TclRegion>(win::CreatePolygonRgn(moved.data(), int(count), win::WINDING));
}

void clPCAddFigurePoints(TPoints& points, const TPoints& newPoints, const TLinePositions& newPositions,
                         TLinePositions& positions)
{
    points.insert(points.end(), newPoints.begin(), newPoints.end());
    positions.insert(positions.end(), newPositions.begin(), newPositions.end());
}

void clPCGetRectSize(const win::RECT& rect, bool horizontal, int& width, int& height)
{
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    if (!horizontal) {
        std::swap(width, height);
    }
}

void clPCSwapInts(int& a, int& b) { std::swap(a, b); }

win::RECT clPCControlBounds(gui::TControl* control) { return {0, 0, control->Width(), control->Height()}; }

void clPCRotateTabsDistance(TclPCDistance& distance) { std::swap(distance.dw, distance.dh); }

TclPCDistance clPCMakeDistance(int a, int b) { return {a, b}; }

namespace detail {
void InitializeStandardPainter()
{
    ComputeLightBrushColor();
    ComputeOneNoteColors();
    paletteNotifier = new controls::TclSystemPaletteChangedNotifier();
    paletteNotifier->OnPaletteNotify = rtl::Method<void()>::Of<&PaletteHandler::Changed>(&paletteHandler);
}

void FinalizeStandardPainter()
{
    delete paletteNotifier;
    paletteNotifier = nullptr;
}
}  // namespace detail

}  // namespace pagecontrol
