#include "controls/clLookAndFeelPainters.h"

#include "controls/clClasses.h"
#include "controls/detail/clThemeParts.h"
#include "controls/uxOffice11Colors.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/text/DrawText.h"

#include <algorithm>

namespace controls {

TclLookAndFeelKind clStyleToLookAndFeelKind(int style)
{
    switch (style) {
    case 0: return lfFlat;
    case 2: return lfUltraFlat;
    case 4: return lfOffice11;
    default: return lfStandard;
    }
}

// Class identities and the one instance of each painter.

namespace {
template <class Painter>
TclCustomLookAndFeelPainterClass InstanceOf()
{
    // The constructors are protected: the instance is of a local final class.
    struct Instance final : Painter {};
    static const Instance instance;
    return &instance;
}
}  // namespace

#define CL_PAINTER_CLASS(Name, Parent)                                                        \
    TclCustomLookAndFeelPainterClass Name::Class() { return InstanceOf<Name>(); }             \
    const classes::TClassInfo& Name::StaticClass()                                            \
    {                                                                                         \
        static const classes::TClassInfo info(#Name, Parent);                                 \
        return info;                                                                          \
    }

CL_PAINTER_CLASS(TclCustomLookAndFeelPainter, nullptr)
CL_PAINTER_CLASS(TclStandardLookAndFeelPainter, &TclCustomLookAndFeelPainter::StaticClass())
CL_PAINTER_CLASS(TclFlatLookAndFeelPainter, &TclCustomLookAndFeelPainter::StaticClass())
CL_PAINTER_CLASS(TclUltraFlatLookAndFeelPainter, &TclCustomLookAndFeelPainter::StaticClass())
CL_PAINTER_CLASS(TclOffice11LookAndFeelPainter, &TclUltraFlatLookAndFeelPainter::StaticClass())
CL_PAINTER_CLASS(TclWinXPLookAndFeelPainter, &TclStandardLookAndFeelPainter::StaticClass())

#undef CL_PAINTER_CLASS

// General

void TclCustomLookAndFeelPainter::FillBackground(TclCanvas& canvas, const win::RECT& rect, bool transparent,
                                                 gui::TColor color, gui::TBitmap* bitmap) const
{
    if (!transparent)
        canvas.FillRectColor(rect, color);
    else if (clBitmapHasImage(bitmap))
        canvas.FillAreaTiled(rect, bitmap);
}

void TclCustomLookAndFeelPainter::FooterCellContentRect(const win::RECT& bounds, win::RECT& rect) const
{
    const int width = FooterCellFrameWidth();
    rect = win::RECT{bounds.left + width, bounds.top + width, bounds.right - width, bounds.bottom - width};
}

void TclCustomLookAndFeelPainter::FooterCellTextRect(const win::RECT& bounds, win::RECT& rect) const
{
    FooterCellContentRect(bounds, rect);
    rect = win::RECT{rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2};
}

gui::TColor TclCustomLookAndFeelPainter::EditorBackColor(bool) const { return gui::clDefault; }
gui::TColor TclCustomLookAndFeelPainter::EditorFontColor(bool) const { return gui::clDefault; }

// Buttons

void TclCustomLookAndFeelPainter::GroupedButtonRect(const win::RECT& rect, int, int, win::RECT& result) const
{
    result = rect;
}

int TclCustomLookAndFeelPainter::ButtonFrameWidth(TclButtonState) const { return 0; }
gui::TColor TclCustomLookAndFeelPainter::ButtonFaceColor(TclButtonState) const { return gui::clBtnFace; }

void TclCustomLookAndFeelPainter::ButtonFocusFrameRect(TclCanvas&, const win::RECT& rect, win::RECT& result) const
{
    result = win::RECT{rect.left + 4, rect.top + 4, rect.right - 4, rect.bottom - 4};
    if (result.left >= result.right || result.top >= result.bottom)
        result = rect;
}

void TclUltraFlatLookAndFeelPainter::ButtonFocusFrameRect(TclCanvas&, const win::RECT& rect, win::RECT& result) const
{
    result = win::RECT{rect.left + 3, rect.top + 3, rect.right - 3, rect.bottom - 3};
    if (result.left >= result.right || result.top >= result.bottom)
        result = rect;
}

void TclCustomLookAndFeelPainter::ButtonGroupMargins(int, int, win::RECT& margins) const
{
    const int width = ButtonFrameWidth(cxbsNormal);
    margins = win::RECT{width, width, width, width};
}

gui::TColor TclCustomLookAndFeelPainter::ButtonGlyphColor(TclButtonState state, gui::TColor defaultColor) const
{
    if (state == cxbsDisabled)
        return gui::clBtnShadow;
    return defaultColor == gui::clDefault ? gui::clBtnText : defaultColor;
}

bool TclCustomLookAndFeelPainter::HitTestGroupExpandButton(const win::RECT& rect, win::POINT point) const
{
    return clRectContainsPoint(rect, point);
}

gui::TColor TclUltraFlatLookAndFeelPainter::ButtonStateFrameColor(TclButtonState state) const
{
    return state == cxbsNormal ? gui::clBtnShadow : gui::clHighlight;
}

gui::TColor TclOffice11LookAndFeelPainter::ButtonStateFrameColor(TclButtonState state) const
{
    return state == cxbsNormal ? HeaderLineColor() : uxOffice11SelectedBorderColor();
}

gui::TColor TclOffice11LookAndFeelPainter::ButtonFaceColor(TclButtonState state) const
{
    switch (state) {
    case cxbsHot: return uxOffice11HotColor();
    case cxbsPressed: return uxOffice11PressedColor();
    case cxbsDisabled: return gui::clBtnFace;
    default: return uxOffice11FaceColor();
    }
}

gui::TColor TclOffice11LookAndFeelPainter::ButtonGlyphColor(TclButtonState state, gui::TColor) const
{
    if (state == cxbsPressed && uxOffice11CurrentScheme() == 0)
        return gui::clHighlightText;
    return state == cxbsDisabled ? uxOffice11DisabledTextColor() : uxOffice11TextColor();
}

gui::TColor TclOffice11LookAndFeelPainter::CheckBoxFillColor(TclButtonState state) const
{
    if (state == cxbsHot || state == cxbsPressed || state == cxbsDisabled)
        return ButtonFaceColor(state);
    return gui::clWindow;
}

gui::TColor TclOffice11LookAndFeelPainter::FilterPanelBackColor() const { return uxOffice11ShadowColor(); }
gui::TColor TclOffice11LookAndFeelPainter::FilterPanelFontColor() const { return uxOffice11HighlightColor(); }
gui::TColor TclOffice11LookAndFeelPainter::FaceColorA() const { return uxOffice11FaceColor(); }
gui::TColor TclOffice11LookAndFeelPainter::ShadowColorA() const { return uxOffice11GridLineColor(); }
gui::TColor TclOffice11LookAndFeelPainter::GroupPanelFontColor() const { return uxOffice11Face22Color(); }
gui::TColor TclOffice11LookAndFeelPainter::GroupRowBackColor() const { return uxOffice11GroupRowColor(); }
gui::TColor TclOffice11LookAndFeelPainter::AltFaceColor() const { return uxOffice11FaceColor(); }
gui::TColor TclOffice11LookAndFeelPainter::AltSelectionColor() const { return uxOffice11SelectionColor(); }
gui::TColor TclOffice11LookAndFeelPainter::ThinFrameColor() const { return uxOffice11FrameColor(); }
gui::TColor TclOffice11LookAndFeelPainter::SchedulerAltContentColor() const { return uxOffice11AltFaceColor(); }
gui::TColor TclOffice11LookAndFeelPainter::FaceColorC() const { return uxOffice11Face20Color(); }
gui::TColor TclOffice11LookAndFeelPainter::FaceColorE() const { return uxOffice11FaceColor(); }
gui::TColor TclOffice11LookAndFeelPainter::HighlightBorderColor() const { return uxOffice11SelectedBorderColor(); }
gui::TColor TclOffice11LookAndFeelPainter::HeaderDarkColor() const { return uxOffice11Face96Color(); }
gui::TColor TclOffice11LookAndFeelPainter::HeaderLineColor() const { return uxOffice11Shadow70Color(); }
gui::TColor TclOffice11LookAndFeelPainter::HeaderLightLineColor() const { return uxOffice11WhiteColor(); }

gui::TColor TclOffice11LookAndFeelPainter::HeaderFaceColor() const
{
    return uxOffice11MixColors(uxOffice11Face22Color(), uxOffice11Face96Color(), 50);
}

// Check boxes

gui::TColor TclCustomLookAndFeelPainter::CheckBoxFillColor(TclButtonState state) const
{
    return state == cxbsPressed || state == cxbsDisabled ? gui::clBtnFace : gui::clWindow;
}

void TclCustomLookAndFeelPainter::CheckBoxExtent(win::SIZE& size) const
{
    size = clCheckBoxSize();
}

// Headers

TclBorders TclCustomLookAndFeelPainter::HeaderEdges(TclBorders) const
{
    return clAllSides;
}

TclBorders TclUltraFlatLookAndFeelPainter::HeaderEdges(TclBorders neighbours) const
{
    TclBorders borders = clAllSides;
    if (neighbours & clSideLeft)
        borders &= ~clSideLeft;
    if (neighbours & clSideTop)
        borders &= ~clSideTop;
    return borders;
}

void TclCustomLookAndFeelPainter::HeaderOuterRect(const win::RECT& rect, TclBorders neighbours, TclBorders borders,
                                                  win::RECT& result) const
{
    const TclBorders dropped = borders & ~HeaderEdges(neighbours);
    const int width = HeaderFrameWidth();
    result = rect;
    if (dropped & clSideLeft)
        result.left -= width;
    if (dropped & clSideTop)
        result.top -= width;
    if (dropped & clSideRight)
        result.right += width;
    if (dropped & clSideBottom)
        result.bottom += width;
}

void TclCustomLookAndFeelPainter::HeaderContentRect(const win::RECT& rect, TclBorders borders, win::RECT& result) const
{
    const int width = HeaderFrameWidth();
    result = rect;
    if (borders & clSideLeft)
        result.left += width;
    if (borders & clSideTop)
        result.top += width;
    if (borders & clSideRight)
        result.right -= width;
    if (borders & clSideBottom)
        result.bottom -= width;
}

int TclCustomLookAndFeelPainter::HeaderHeightForFont(int fontHeight) const
{
    return fontHeight + 2 * HeaderFrameWidth() + 4;
}

int TclCustomLookAndFeelPainter::HeaderSectionFrameWidth(TclButtonState) const { return 1; }

void TclCustomLookAndFeelPainter::HeaderSectionTextRect(const win::RECT& rect, TclButtonState state,
                                                        win::RECT& result) const
{
    result = state == cxbsPressed ? win::Moved(rect, 1, 1) : rect;
}

void TclCustomLookAndFeelPainter::HeaderSectionContentRect(const win::RECT& rect, TclButtonState state,
                                                           win::RECT& result) const
{
    const int width = HeaderSectionFrameWidth(state);
    result = win::RECT{rect.left + width, rect.top + width, rect.right - width, rect.bottom - width};
}

int TclCustomLookAndFeelPainter::HeaderWidthForText(TclCanvas& canvas, TclBorders borders, std::string_view text,
                                                    gui::TFont* font) const
{
    if (font)
        canvas.SetCanvasFont(font);
    int width = canvas.MeasureTextWidth(text) + 4;
    if (borders & clSideLeft)
        width += HeaderFrameWidth();
    if (borders & clSideRight)
        width -= HeaderFrameWidth();
    return width;
}

void TclCustomLookAndFeelPainter::SortMarkAreaExtent(win::POINT& extent) const
{
    win::POINT mark{};
    SortMarkExtent(mark);
    extent = win::POINT{16, mark.y};
}

void TclCustomLookAndFeelPainter::SortMarkExtent(win::POINT& extent) const { extent = win::POINT{0, 0}; }

// Tabs, scroll bars, scheduler

bool TclCustomLookAndFeelPainter::CanPaintTab(bool) const { return false; }
bool TclCustomLookAndFeelPainter::HasHotTabs(bool) const { return false; }
int TclCustomLookAndFeelPainter::TabFrameWidth(bool) const { return 0; }
int TclCustomLookAndFeelPainter::ScrollThumbMinExtent(bool) const { return 8; }

void TclCustomLookAndFeelPainter::SizeGripExtent(win::SIZE& size) const
{
    size = win::SIZE{win::GetSystemMetrics(win::SM_CXVSCROLL), win::GetSystemMetrics(win::SM_CYHSCROLL)};
}

void TclCustomLookAndFeelPainter::SchedulerNavButtonMetrics(bool isNext, win::RECT& margins,
                                                            win::SIZE& arrowSize) const
{
    margins = isNext ? win::RECT{2, 6, 0, 6} : win::RECT{0, 6, 2, 6};
    arrowSize = win::SIZE{7, 7};
}

gui::TColor TclCustomLookAndFeelPainter::ContainerFrameColor(bool) const { return gui::clDefault; }

// Progress bars, group boxes, track bars, splitters

void TclCustomLookAndFeelPainter::ProgressFrameMargins(bool, win::RECT& margins) const
{
    margins = win::RECT{0, 0, 0, 0};
}

void TclCustomLookAndFeelPainter::GroupBoxMargins(bool, int, win::RECT& margins) const
{
    margins = win::RECT{0, 0, 0, 0};
}

gui::TColor TclCustomLookAndFeelPainter::GroupBoxCaptionFontColor(int) const { return gui::clDefault; }
bool TclCustomLookAndFeelPainter::GroupBoxSeeThrough(bool, int) const { return false; }

void TclCustomLookAndFeelPainter::TrackBarThumbExtent(bool, win::SIZE& size) const { size = win::SIZE{0, 0}; }
void TclCustomLookAndFeelPainter::SplitterGripExtent(bool, win::SIZE& size) const { size = win::SIZE{0, 0}; }

// The themed painter: answers from the theme classes while they can be opened, else Standard's.

namespace {

using namespace detail;

bool PartSize(HTHEME theme, int part, int state, int kind, win::SIZE& size)
{
    return uxUxGetThemePartSizeNoRect(theme, nullptr, part, state, kind, size) == S_OK;
}

}  // namespace

gui::TColor TclWinXPLookAndFeelPainter::ThinFrameColor() const
{
    win::COLORREF color = 0;
    if (HTHEME theme = AcquireThemeHandle(totComboBox); theme && uxUxGetThemeColor(theme, 1, 1, 3801, color) == S_OK)
        return gui::TColor(color);
    return TclStandardLookAndFeelPainter::ThinFrameColor();
}

int TclWinXPLookAndFeelPainter::BorderWidth() const
{
    return AcquireThemeHandle(totListView) ? 1 : TclStandardLookAndFeelPainter::BorderWidth();
}

void TclWinXPLookAndFeelPainter::GroupedButtonRect(const win::RECT& rect, int count, int index,
                                                   win::RECT& result) const
{
    HTHEME theme = AcquireThemeHandle(totButton);
    if (!theme)
        return TclStandardLookAndFeelPainter::GroupedButtonRect(rect, count, index, result);
    result = uxUxIsThemeBackgroundPartiallyTransparent(theme, kButtonPush, 1) ? clRectExpand(rect, 1, 1) : rect;
}

int TclWinXPLookAndFeelPainter::ButtonFrameWidth(TclButtonState state) const
{
    if (HTHEME theme = AcquireThemeHandle(totButton))
        return ContentOf100(theme, kButtonPush, PushButtonState(state)).left;
    return TclStandardLookAndFeelPainter::ButtonFrameWidth(state);
}

gui::TColor TclWinXPLookAndFeelPainter::ButtonFaceColor(TclButtonState state) const
{
    win::COLORREF color = 0;
    if (HTHEME theme = AcquireThemeHandle(totButton);
        theme && uxUxGetThemeColor(theme, kButtonPush, PushButtonState(state), 3802, color) == S_OK)
        return gui::TColor(color);
    return TclStandardLookAndFeelPainter::ButtonFaceColor(state);
}

void TclWinXPLookAndFeelPainter::ButtonFocusFrameRect(TclCanvas& canvas, const win::RECT& rect,
                                                      win::RECT& result) const
{
    HTHEME theme = AcquireThemeHandle(totButton);
    if (!theme)
        return TclStandardLookAndFeelPainter::ButtonFocusFrameRect(canvas, rect, result);
    result = rect;
    uxUxGetThemeBackgroundContentRect(theme, canvas.GetDCHandle(), kButtonPush, 1, rect, result);
}

void TclWinXPLookAndFeelPainter::ButtonGroupMargins(int count, int index, win::RECT& margins) const
{
    HTHEME theme = AcquireThemeHandle(totButton);
    if (!theme)
        return TclStandardLookAndFeelPainter::ButtonGroupMargins(count, index, margins);
    const win::RECT content = ContentOf100(theme, kButtonPush, 1);
    const int less = uxUxIsThemeBackgroundPartiallyTransparent(theme, kButtonPush, 1) ? 1 : 0;
    margins = win::RECT{content.left - less, content.top - less, 100 - content.right - less,
                        100 - content.bottom - less};
}

gui::TColor TclWinXPLookAndFeelPainter::ButtonGlyphColor(TclButtonState state, gui::TColor defaultColor) const
{
    win::COLORREF color = 0;
    if (HTHEME theme = AcquireThemeHandle(totButton);
        theme && uxUxGetThemeColor(theme, kButtonPush, PushButtonState(state), 3803, color) == S_OK)
        return gui::TColor(color);
    return TclStandardLookAndFeelPainter::ButtonGlyphColor(state, defaultColor);
}

int TclWinXPLookAndFeelPainter::ExpandButtonExtent() const
{
    win::SIZE size{};
    if (HTHEME theme = AcquireThemeHandle(totTreeView); theme && PartSize(theme, 2, 1, kTrueSize, size))
        return size.cx;
    return TclStandardLookAndFeelPainter::ExpandButtonExtent();
}

int TclWinXPLookAndFeelPainter::GroupExpandButtonExtent() const
{
    win::SIZE size{};
    if (HTHEME theme = AcquireThemeHandle(totExplorerBar); theme && PartSize(theme, 7, 1, kTrueSize, size))
        return size.cx;
    return TclStandardLookAndFeelPainter::GroupExpandButtonExtent();
}

int TclWinXPLookAndFeelPainter::SmallExpandButtonExtent() const
{
    return AcquireThemeHandle(totTreeView) ? ExpandButtonExtent() : TclStandardLookAndFeelPainter::SmallExpandButtonExtent();
}

int TclWinXPLookAndFeelPainter::CheckFrameWidth() const
{
    return AcquireThemeHandle(totButton) ? 0 : TclStandardLookAndFeelPainter::CheckFrameWidth();
}

void TclWinXPLookAndFeelPainter::CheckBoxExtent(win::SIZE& size) const
{
    HTHEME theme = AcquireThemeHandle(totButton);
    if (!theme || !PartSize(theme, kButtonCheckBox, kCheckedNormal, kTrueSize, size))
        TclStandardLookAndFeelPainter::CheckBoxExtent(size);
}

void TclWinXPLookAndFeelPainter::RadioButtonExtent(win::SIZE& size) const
{
    HTHEME theme = AcquireThemeHandle(totButton);
    if (!theme || !PartSize(theme, kButtonRadio, kCheckedNormal, kTrueSize, size))
        TclStandardLookAndFeelPainter::RadioButtonExtent(size);
}

int TclWinXPLookAndFeelPainter::HeaderFrameWidth() const
{
    if (HTHEME theme = AcquireThemeHandle(totHeader)) {
        const win::RECT content = ContentOf100(theme, 1, 1);
        return (content.left + content.top) / 2;
    }
    return TclStandardLookAndFeelPainter::HeaderFrameWidth();
}

int TclWinXPLookAndFeelPainter::HeaderSectionFrameWidth(TclButtonState state) const
{
    return AcquireThemeHandle(totHeader) ? HeaderFrameWidth() : TclStandardLookAndFeelPainter::HeaderSectionFrameWidth(state);
}

void TclWinXPLookAndFeelPainter::HeaderSectionContentRect(const win::RECT& rect, TclButtonState state,
                                                          win::RECT& result) const
{
    if (!AcquireThemeHandle(totHeader))
        return TclStandardLookAndFeelPainter::HeaderSectionContentRect(rect, state, result);
    const int width = HeaderFrameWidth();
    result = clRectExpand(rect, -width, -width);
}

int TclWinXPLookAndFeelPainter::FooterCellFrameWidth() const
{
    if (HTHEME theme = AcquireThemeHandle(totTrackBar))
        return ContentOf100(theme, 1, 1).left;
    return TclStandardLookAndFeelPainter::FooterCellFrameWidth();
}

void TclWinXPLookAndFeelPainter::FilterCheckExtent(win::POINT& extent) const
{
    win::SIZE size{};
    if (HTHEME theme = AcquireThemeHandle(totButton);
        theme && PartSize(theme, kButtonCheckBox, kCheckedNormal, kTrueSize, size)) {
        extent = win::POINT{size.cx, size.cy};
        return;
    }
    TclStandardLookAndFeelPainter::FilterCheckExtent(extent);
}

void TclWinXPLookAndFeelPainter::FilterDismissButtonExtent(win::POINT& extent) const
{
    win::SIZE size{};
    if (HTHEME theme = AcquireThemeHandle(totWindow); theme && PartSize(theme, 19, 1, kTrueSize, size)) {
        extent = win::POINT{size.cx + 4, size.cy + 4};
        return;
    }
    TclStandardLookAndFeelPainter::FilterDismissButtonExtent(extent);
}

bool TclWinXPLookAndFeelPainter::CanPaintTab(bool vertical) const
{
    return AcquireThemeHandle(totTab) != nullptr || TclStandardLookAndFeelPainter::CanPaintTab(vertical);
}

int TclWinXPLookAndFeelPainter::ScrollThumbMinExtent(bool vertical) const
{
    HTHEME theme = AcquireThemeHandle(totScrollBar);
    if (!theme)
        return TclStandardLookAndFeelPainter::ScrollThumbMinExtent(vertical);
    const int gripper = vertical ? 9 : 8;
    win::SIZE least{};
    if (!PartSize(theme, gripper, 0, kMinSize, least))
        return 8;
    const int along = vertical ? least.cy : least.cx;
    win::SIZE size{};
    if (!PartSize(theme, gripper, 0, kTrueSize, size))
        return std::max(along, 8);
    return std::max({along, (vertical ? size.cy : size.cx) + 4, 8});
}

void TclWinXPLookAndFeelPainter::PaintThemedText(TclCanvas& canvas, HTHEME theme, gui::TColor, gui::TColor textColor,
                                                 gui::TFont* font, std::string_view text, bool showPrefix,
                                                 bool endEllipsis, bool multiLine, TclVertAlignment vert,
                                                 TclHorzAlignment horz, const win::RECT& textRect,
                                                 const win::RECT& clipRect, int state, int part) const
{
    if (text.empty())
        return;
    if (font)
        canvas.SetCanvasFont(font);
    canvas.GetCanvasFont()->SetColor(textColor);
    win::RECT rect = textRect;
    if (multiLine)
        canvas.CalcTextBounds(text, rect, clCellTextFlags(horz, vert, true, endEllipsis));
    static constexpr win::UINT horzFlags[] = {win::DT_LEFT, win::DT_RIGHT, win::DT_CENTER};
    static constexpr win::UINT vertFlags[] = {win::DT_TOP, win::DT_BOTTOM, win::DT_VCENTER};
    win::UINT flags = horzFlags[horz] | vertFlags[vert] | win::DT_EDITCONTROL;
    flags |= multiLine ? win::DT_WORDBREAK : win::DT_SINGLELINE;
    if (endEllipsis)
        flags |= win::DT_END_ELLIPSIS;
    if (!showPrefix)
        flags |= win::DT_NOPREFIX;
    canvas.PushClipRegion();
    canvas.ClipToRect(clipRect);
    uxUxDrawThemeTextAnsi(theme, canvas.GetDCHandle(), part, state, text, -1, flags, 0, rect);
    canvas.PopClipRegion();
}

}  // namespace controls
