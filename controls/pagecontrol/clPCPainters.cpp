#include "controls/pagecontrol/clPCPainters.h"

#include "controls/pagecontrol/clPCImageList.h"

#include "controls/uxTheme.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/rtl/Exceptions.h"
#include "platform/text/DrawText.h"

#include <algorithm>

namespace pagecontrol {

namespace {

TclPCPaintersFactory* factory = nullptr;

constexpr int tabThemeTextColor = 3803;
constexpr int tabThemeItemPart = 1;
constexpr int tabThemePanePart = 9;

}  // namespace

gui::TColor clPCHotTrackColor()
{
    win::OSVERSIONINFO version;
    if (win::GetVersionEx(&version)) {
        const bool win9x = version.dwPlatformId == 1 && version.dwMinorVersion != 0;
        const bool nt5 = version.dwPlatformId == 2 && version.dwMajorVersion == 5;
        if (win9x || nt5) {
            return gui::TColor(win::GetSysColor(win::COLOR_HOTLIGHT));
        }
    }
    return gui::clBlue;
}

void clPCAbstractCall() { throw rtl::EAbstractError("Abstract Error"); }

// ------------------------------------------------------------------------------------------------------------
// Class references

std::unique_ptr<TclPCCustomPainter> TclPCPainterClassInfo::Create(TclCustomTabControl* control) const
{
    return std::make_unique<TclPCCustomPainter>(control, this);
}

TclPCCustomPainterClass clPCCustomPainterClass()
{
    static const TclPCPainterClassInfo info(TclPCCustomPainter::StaticClass());
    return &info;
}

// ------------------------------------------------------------------------------------------------------------
// TclPCPainterParentInfo

gui::TControl* TclPCPainterParentInfo::Page(int visibleIndex) const
{
    return control_->GetTabPage(control_->VisibleTabs().TabIndexAt(visibleIndex));
}

gui::TColor TclPCPainterParentInfo::PageColor(int visibleIndex) const
{
    gui::TControl* page = Page(visibleIndex);
    return page ? page->Color() : control_->Color();
}

gui::TColor TclPCPainterParentInfo::TabColor(int visibleIndex) const
{
    return control_->Painter()->GetTabColor(visibleIndex);
}

bool TclPCPainterParentInfo::HasOppositeRows() const
{
    if (control_->TabPosition() == tpTop || control_->TabPosition() == tpLeft) {
        return control_->StartRowCount() < control_->RowCount();
    }
    return control_->StartRowCount() > 0;
}

// ------------------------------------------------------------------------------------------------------------
// TclPCCustomPainter

TclPCCustomPainter::TclPCCustomPainter(TclCustomTabControl* control, TclPCCustomPainterClass cls)
    : control_(control), class_(cls), parentInfo_(std::make_unique<TclPCPainterParentInfo>(control))
{
}

TclPCCustomPainter::~TclPCCustomPainter()
{
    for (win::HRGN region : savedClips_) {
        if (region) {
            win::DeleteObject(region);
        }
    }
}

const classes::TClassInfo& TclPCCustomPainter::StaticClass()
{
    static const classes::TClassInfo info("TclPCCustomPainter", &TObject::StaticClass());
    return info;
}

const classes::TClassInfo& TclPCCustomPainter::ClassType() const { return class_->ClassInfo(); }

int TclPCCustomPainter::CalculateTabNormalWidth(TclTab*) { clPCAbstractCall(); }

void TclPCCustomPainter::GetTabRectCorrection(int, win::RECT& correction) { correction = {}; }

void TclPCCustomPainter::FillPageArea() { Canvas().FillRectColor(GetPageClientRect(), GetPageAreaColor()); }

gui::TColor TclPCCustomPainter::GetPageAreaColor()
{
    const int current = control_->CurrentVisibleIndex();
    return current == -1 ? control_->Color() : parentInfo_->PageColor(current);
}

void TclPCCustomPainter::GetPageClientMargins(win::RECT& margins)
{
    GetPageFrameMargins(margins);
    if (IsFrameVisible()) {
        const int width = GetFrameBorderWidth();
        margins.left += width;
        margins.top += width;
        margins.right += width;
        margins.bottom += width;
    }
}

void TclPCCustomPainter::GetPageFrameMargins(win::RECT& margins)
{
    margins = {};
    if (control_->HideTabs() || control_->RowCount() == 0) {
        return;
    }
    const win::RECT& start = control_->StartRowRect();
    const win::RECT& end = control_->EndRowRect();
    const bool fewerStartRows = control_->StartRowCount() < control_->RowCount();
    const bool someStartRows = control_->StartRowCount() > 0;
    switch (control_->TabPosition()) {
    case tpTop:
        margins.top = start.bottom;
        margins.bottom = fewerStartRows ? control_->Height() - end.top : 0;
        break;
    case tpBottom:
        margins.top = control_->Height() - end.top;
        margins.bottom = someStartRows ? start.bottom : 0;
        break;
    case tpLeft:
        margins.top = start.right;
        margins.bottom = fewerStartRows ? control_->Width() - end.left : 0;
        break;
    case tpRight:
        margins.top = control_->Width() - end.left;
        margins.bottom = someStartRows ? start.right : 0;
        break;
    }
}

void TclPCCustomPainter::GetTabImageAreaMargins(int, win::RECT&) { clPCAbstractCall(); }

void TclPCCustomPainter::GetTabImageOnlyOffset(int, TclPCDistance&) { clPCAbstractCall(); }

void TclPCCustomPainter::GetTabTextAreaMargins(int, win::RECT&) { clPCAbstractCall(); }

void TclPCCustomPainter::AfterPaintTab(int visibleIndex)
{
    control_->AfterPaintTab(Canvas(), parentInfo_->VisibleTab(visibleIndex), layoutImageRect_, layoutTextRect_);
}

win::POINT TclPCCustomPainter::GetGoDialogPosition() { clPCAbstractCall(); }

int TclPCCustomPainter::GetImageTextDistance(int) { clPCAbstractCall(); }

int TclPCCustomPainter::GetTabMinWidth(int) { clPCAbstractCall(); }

void TclPCCustomPainter::GetTabContentIndent(TclPCDistance&) { clPCAbstractCall(); }

void TclPCCustomPainter::GetNativeFrameContentMargins(win::RECT& margins)
{
    const controls::HTHEME theme = controls::AcquireThemeHandle(controls::totTab);
    if (!theme) {
        return;
    }
    const win::RECT bounds{0, 0, 100, 100};
    win::RECT content{};
    if (controls::uxUxGetThemeBackgroundContentRect(theme, nullptr, tabThemePanePart, 0, bounds, content)
        != controls::S_OK) {
        return;
    }
    margins = {content.left, content.top, bounds.right - content.right, bounds.bottom - content.bottom};
    if (controls::IsBuiltInWindowsTheme()) {
        const int m = std::max(margins.left, margins.top);
        margins = {m, m, 2 * m, 2 * m};
    }
}

gui::TColor TclPCCustomPainter::GetTabBodyColor(int) { clPCAbstractCall(); }

gui::TColor TclPCCustomPainter::GetTabColor(int visibleIndex)
{
    TclTab* tab = parentInfo_->VisibleTab(visibleIndex);
    gui::TColor color = tab->Color();
    if (color != gui::clDefault) {
        return color;
    }
    gui::TControl* page = parentInfo_->Page(visibleIndex);
    if (page && (control_->HasOption(pcoUsePageColorForTab) || UsePageColorForTab())) {
        color = page->ParentColor() ? gui::clDefault : page->Color();
    }
    return color;
}

std::unique_ptr<controls::TclRegion> TclPCCustomPainter::GetTabClipRegion(int visibleIndex)
{
    return std::make_unique<controls::TclRegion>(parentInfo_->VisibleTab(visibleIndex)->VisibleRect());
}

void TclPCCustomPainter::GetTabContentMargins(int, TclPCDistance&) { clPCAbstractCall(); }

void TclPCCustomPainter::GetTabThemePartAndState(int, int& part, int& state)
{
    part = 0;
    state = 0;
}

void TclPCCustomPainter::CalculateTabsAreaBounds(TclPCNavigatorButtons, TclPCTabsArea&) { clPCAbstractCall(); }

gui::TColor TclPCCustomPainter::GetTabTextColor(int visibleIndex)
{
    TclTab* tab = parentInfo_->VisibleTab(visibleIndex);
    if (tab->Highlighted()) {
        if (!IsNativePainting()) {
            return gui::clHighlightText;
        }
        const int state = tab->IsCurrent() ? 3 : tab->IsHot() ? 2 : 1;
        win::COLORREF color = 0;
        const controls::HTHEME theme = controls::AcquireThemeHandle(controls::totTab);
        if (theme
            && controls::uxUxGetThemeColor(theme, tabThemeItemPart, state, tabThemeTextColor, color)
                   == controls::S_OK) {
            return gui::TColor(color);
        }
        return control_->Font()->Color();
    }
    return tab->IsHot() ? clPCHotTrackColor() : gui::clBtnText;
}

void TclPCCustomPainter::GetTruncatedTabContentMargins(int, TclPCDistance&) { clPCAbstractCall(); }

void TclPCCustomPainter::DrawTabText(controls::TclCanvas& canvas, const std::string& text, int visibleIndex,
                                     const win::RECT& rect)
{
    const win::UINT flags = win::DT_SINGLELINE | win::DT_END_ELLIPSIS;
    win::RECT bounds = rect;
    if (IsNativePainting() && parentInfo_->VisibleTab(visibleIndex)->IsSelectable()
        && controls::AreThemeTypesAvailable(0)) {
        int part = 0;
        int state = 0;
        GetTabThemePartAndState(visibleIndex, part, state);
        const controls::HTHEME theme = controls::AcquireThemeHandle(controls::totTab);
        if (theme
            && controls::uxUxDrawThemeTextAnsi(theme, canvas.GetDCHandle(), part, state, text, -1, flags, 0, bounds)
                   == controls::S_OK) {
            return;
        }
    }
    controls::clDrawAnsiText(canvas.GetDCHandle(), text, bounds, -1, flags);
}

void TclPCCustomPainter::PaintElements()
{
    if (!control_->HideTabs()) {
        PaintNavigatorButtons();
        PaintTabs();
    }
    PaintFrame();
}

void TclPCCustomPainter::StoreTabImageAndTextRects(int, const win::RECT&, const win::RECT&) { clPCAbstractCall(); }

void TclPCCustomPainter::InvalidateTab(int visibleIndex)
{
    control_->InvalidateArea(parentInfo_->VisibleTab(visibleIndex)->VisibleRect());
}

bool TclPCCustomPainter::GetNavigatorButtonAt(int, int, TclPCNavigatorButton&) { clPCAbstractCall(); }

bool TclPCCustomPainter::UseActiveTabMetrics(int) { clPCAbstractCall(); }

void TclPCCustomPainter::PaintNavigatorButtons() { clPCAbstractCall(); }

void TclPCCustomPainter::PaintFrame()
{
    if (IsFrameVisible()) {
        PaintFrameBorder();
    }
    FillPageArea();
    Canvas().ExcludeFromClip(GetPageFrameRect());
}

void TclPCCustomPainter::PaintFrameBorder() { clPCAbstractCall(); }

void TclPCCustomPainter::PaintTabs() { clPCAbstractCall(); }

int TclPCCustomPainter::CalculateTabNormalHeight() { clPCAbstractCall(); }

win::RECT TclPCCustomPainter::GetGoDialogButtonBounds() { clPCAbstractCall(); }

// ------------------------------------------------------------------------------------------------------------
// Shared operations

bool TclPCCustomPainter::HasImages() const
{
    gui::TCustomImageList* images = control_->Images();
    return images && images->Width() > 0;
}

bool TclPCCustomPainter::HasTabImage(int visibleIndex) const
{
    return HasImages() && parentInfo_->VisibleTab(visibleIndex)->ImageIndex() >= 0;
}

win::SIZE TclPCCustomPainter::GetTabImageSize() const { return control_->ImageList()->ImageSize(); }

win::SIZE TclPCCustomPainter::GetRotatedImageSize() const { return control_->ImageList()->RotatedImageSize(); }

controls::TclBitmap* TclPCCustomPainter::TabCaptionBitmap(int visibleIndex) const
{
    return parentInfo_->VisibleTab(visibleIndex)->RotatedCaptionBitmap();
}

bool TclPCCustomPainter::IsOwnerDrawing() const { return control_->OwnerDraw() && bool(control_->OnDrawTab); }

bool TclPCCustomPainter::DoDrawTab(int visibleIndex)
{
    bool defaultDraw = true;
    gui::TFreeHold hold(control_);
    control_->OnDrawTab(control_, parentInfo_->VisibleTab(visibleIndex), defaultDraw);
    return !defaultDraw;
}

void TclPCCustomPainter::PrepareTabCanvasFont(int visibleIndex, controls::TclCanvas& canvas)
{
    control_->PrepareTabCanvasFont(parentInfo_->VisibleTab(visibleIndex), canvas);
}

win::RECT TclPCCustomPainter::GetTabRowRect(int visibleIndex) const
{
    TclTab* tab = parentInfo_->VisibleTab(visibleIndex);
    return tab->VisibleRow() < control_->StartRowCount() ? control_->StartRowRect() : control_->EndRowRect();
}

namespace {

win::RECT ShrinkBounds(TclCustomTabControl* control, const win::RECT& margins)
{
    const win::RECT oriented = clPCOrientRect(margins, control->TabPosition());
    win::RECT rect{oriented.left, oriented.top, control->Width() - oriented.right, control->Height() - oriented.bottom};
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    return rect;
}

}  // namespace

win::RECT TclPCCustomPainter::GetPageClientRect()
{
    win::RECT margins{};
    GetPageClientMargins(margins);
    return ShrinkBounds(control_, margins);
}

win::RECT TclPCCustomPainter::GetPageFrameRect()
{
    win::RECT margins{};
    GetPageFrameMargins(margins);
    return ShrinkBounds(control_, margins);
}

bool TclPCCustomPainter::ClipToRect(const win::RECT& rect, bool intersect)
{
    if (controls::clRectHasNoArea(rect)) {
        return false;
    }
    const win::HDC dc = Canvas().GetDCHandle();
    if (intersect && !win::RectVisible(dc, &rect)) {
        return false;
    }
    SaveClipRegion();
    if (intersect) {
        win::IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    } else {
        const win::HRGN region = win::CreateRectRgnIndirect(&rect);
        win::SelectClipRgn(dc, region);
        win::DeleteObject(region);
    }
    return true;
}

void TclPCCustomPainter::SaveClipRegion()
{
    const win::HDC dc = Canvas().GetDCHandle();
    win::HRGN region = win::CreateRectRgn(0, 0, 0, 0);
    if (win::GetClipRgn(dc, region) != 1) {
        win::DeleteObject(region);
        region = nullptr;
    }
    savedClips_.push_back(region);
}

void TclPCCustomPainter::RestoreClipRegion()
{
    if (savedClips_.empty()) {
        return;
    }
    const win::HRGN region = savedClips_.back();
    savedClips_.pop_back();
    win::SelectClipRgn(Canvas().GetDCHandle(), region);
    if (region) {
        win::DeleteObject(region);
    }
}

void TclPCCustomPainter::DrawPolyline(const std::vector<win::POINT>& points, gui::TColor color)
{
    if (points.empty()) {
        return;
    }
    controls::TclCanvas& canvas = Canvas();
    canvas.GetCanvasPen()->SetColor(color);
    canvas.DrawPolyline(points);
    const win::POINT last = points.back();
    canvas.MovePenTo(last.x, last.y);
    canvas.DrawLineTo(last.x + 1, last.y + 1);
}

win::POINT TclPCCustomPainter::RotatePoint(win::POINT p, const win::RECT& r) const
{
    return RotatePoint(p, r, control_->TabPosition());
}

win::POINT TclPCCustomPainter::RotatePoint(win::POINT p, const win::RECT& r, TclTabPosition side)
{
    const int d = r.bottom - 1 - p.y;
    switch (side) {
    case tpBottom:
        return {p.x, r.bottom - 1 - (p.y - r.top)};
    case tpLeft:
        return {r.right - 1 - d, r.bottom - 1 - (p.x - r.left)};
    case tpRight:
        return {r.left + d, r.bottom - 1 - (p.x - r.left)};
    default:
        return p;
    }
}

void TclPCCustomPainter::DrawRotatedPolyline(std::vector<win::POINT> points, const win::RECT& r, gui::TColor color)
{
    for (win::POINT& point : points) {
        point = RotatePoint(point, r);
    }
    DrawPolyline(points, color);
}

// ------------------------------------------------------------------------------------------------------------
// The factory

TclPCCustomPainterClass TclPCPaintersFactory::FindPainterClass(TclPCStyleID styleID) const
{
    for (TclPCCustomPainterClass cls : classes_) {
        if (cls->GetStyleID() == styleID) {
            return cls;
        }
    }
    return nullptr;
}

TclPCStyleID TclPCPaintersFactory::FindStyleIDForLookAndFeel(controls::TclLookAndFeel* lookAndFeel) const
{
    for (auto it = classes_.rbegin(); it != classes_.rend(); ++it) {
        if ((*it)->IsStyleOfLookAndFeel(lookAndFeel)) {
            return (*it)->GetStyleID();
        }
    }
    return -1;
}

TclPCStyleID TclPCPaintersFactory::GetDefaultStyleID(controls::TclLookAndFeel* lookAndFeel) const
{
    if (classes_.empty()) {
        throw rtl::Exception("TclPCPaintersFactory.GetDefaultStyleID: There are no styles registered");
    }
    for (auto it = classes_.rbegin(); it != classes_.rend(); ++it) {
        if ((*it)->IsDefaultStyleOfLookAndFeel(lookAndFeel)) {
            return (*it)->GetStyleID();
        }
    }
    return classes_.front()->GetStyleID();
}

std::unique_ptr<TclPCCustomPainter> TclPCPaintersFactory::GetPainterInstance(TclPCCustomPainterClass cls,
                                                                             TclCustomTabControl* control) const
{
    if (!cls) {
        throw rtl::Exception("TclPCPaintersFactory.GetPainterInstance: PCPainterClass is nil");
    }
    return cls->Create(control);
}

TclPCPaintersFactory* PaintersFactory() { return factory; }

void clPCRegisterPainter(TclPCCustomPainterClass cls)
{
    if (!cls) {
        return;
    }
    if (!factory) {
        factory = new TclPCPaintersFactory;
    }
    if (std::find(factory->classes_.begin(), factory->classes_.end(), cls) == factory->classes_.end()) {
        factory->classes_.push_back(cls);
    }
}

void clPCUnregisterPainter(TclPCCustomPainterClass cls)
{
    if (!factory) {
        return;
    }
    auto& list = factory->classes_;
    list.erase(std::remove(list.begin(), list.end(), cls), list.end());
    if (list.empty()) {
        delete factory;
        factory = nullptr;
    }
}

namespace detail {
void FinalizePainterFactory()
{
    delete factory;
    factory = nullptr;
}
}  // namespace detail

}  // namespace pagecontrol
