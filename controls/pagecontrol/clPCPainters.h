#pragma once
// The tab painters: TclPCCustomPainter, the abstract base every tab style derives from (one instance per
// control, exchanged when the control's style changes), the read-only view of the control painters work
// from, the class references that answer class-level questions without an instance, and the
// process-wide factory of registered painter classes keyed by style number.
//
// Margins are win::RECT values (start, top, end, bottom) given for top tabs with a horizontal caption;
// the caller turns them to the actual position with clPCOrientRect. The content layout of a tab and its
// drawing are in clPCContent.cpp; the standard painter in clPCStandardPainter.h.

#include "controls/pagecontrol/clPC.h"

#include "controls/clGraphics.h"
#include "controls/clLookAndFeels.h"
#include "platform/classes/ClassRegistry.h"

#include <memory>
#include <string>
#include <vector>

namespace pagecontrol {

// The class reference of a painter class: one const instance per class, answering the class-level
// questions and making painters of the class.
class TclPCPainterClassInfo {
public:
    explicit TclPCPainterClassInfo(const classes::TClassInfo& info) : info_(info) {}
    virtual ~TclPCPainterClassInfo() = default;
    TclPCPainterClassInfo(const TclPCPainterClassInfo&) = delete;
    TclPCPainterClassInfo& operator=(const TclPCPainterClassInfo&) = delete;

    const classes::TClassInfo& ClassInfo() const { return info_; }

    virtual bool IsTabRotationSupported() const { return true; }
    // 0 tabs, 1 buttons, 2 flat buttons.
    virtual int GetStandardStyleKind() const { return 0; }
    virtual TclPCStyleID GetStyleID() const { return -1; }
    virtual std::string GetStyleName() const { return {}; }
    virtual bool IsStyleOfLookAndFeel(controls::TclLookAndFeel*) const { return false; }
    virtual bool IsDefaultStyleOfLookAndFeel(controls::TclLookAndFeel*) const { return false; }
    virtual bool MovesActiveRowToFrame() const { return true; }
    virtual bool AllowsMultiSelect() const { return false; }
    virtual bool IsStandardTabStyle() const { return false; }
    virtual bool HasPressedTabState() const { return false; }
    // The virtual constructor.
    virtual std::unique_ptr<TclPCCustomPainter> Create(TclCustomTabControl* control) const;

private:
    const classes::TClassInfo& info_;
};

// The control as painters see it.
class TclPCPainterParentInfo : public classes::TObject {
public:
    explicit TclPCPainterParentInfo(TclCustomTabControl* control) : control_(control) {}

    classes::TObject* ActivePageControl() const { return control_->GetActivePageControl(); }
    controls::TclCanvas* Canvas() const { return control_->ClCanvas(); }
    gui::TFont* Font() const { return control_->Font(); }
    bool IsTabsContainer() const { return false; }
    gui::TColor Color() const { return control_->Color(); }
    const win::RECT& EndRowRect() const { return control_->EndRowRect(); }
    const win::RECT& StartRowRect() const { return control_->StartRowRect(); }
    int Height() const { return control_->Height(); }
    int Width() const { return control_->Width(); }
    bool HideTabs() const { return control_->HideTabs(); }
    int ImageBorder() const { return control_->ImageBorder(); }
    int CurrentVisibleIndex() const { return control_->CurrentVisibleIndex(); }
    bool MultiLine() const { return control_->MultiLine(); }
    TclPCNavigatorButtons NavigatorButtons() const { return control_->NavigatorButtons(); }
    TclPCNavigatorButtonState NavigatorButtonState(TclPCNavigatorButton button) const
    {
        return control_->NavigatorButtonState(button);
    }
    TclPCNavigatorPosition NavigatorPosition() const { return control_->NavigatorPosition(); }
    TclPCOptions Options() const { return control_->Options(); }
    // The page's colour, or the control's when the tab has no page.
    gui::TColor PageColor(int visibleIndex) const;
    gui::TControl* Page(int visibleIndex) const;
    bool RaggedRight() const { return control_->RaggedRight(); }
    gui::TColor TabColor(int visibleIndex) const;
    TclTabSlants* TabSlants() const { return control_->TabSlants(); }
    bool Rotate() const { return control_->Rotate(); }
    int RowCount() const { return control_->RowCount(); }
    bool ShowFrame() const { return control_->ShowFrame(); }
    int TabHeight() const { return control_->TabHeight(); }
    // Rows lie on the side of the page opposite the tab position.
    bool HasOppositeRows() const;
    TclTabPosition TabPosition() const { return control_->TabPosition(); }
    int TabWidth() const { return control_->TabWidth(); }
    int StartRowCount() const { return control_->StartRowCount(); }
    TclTab* VisibleTab(int visibleIndex) const { return control_->VisibleTabs().Tab(visibleIndex); }

private:
    TclCustomTabControl* control_;
};

// Raises rtl::EAbstractError for an operation a painter class must implement.
[[noreturn]] void clPCAbstractCall();
// The colour of hot captions and glyphs: the system's hot-light colour on the systems that have one, else blue.
gui::TColor clPCHotTrackColor();

class TclPCCustomPainter : public classes::TObject {
public:
    // 59: stores the control, creates the parent info and the saved-clip list.
    TclPCCustomPainter(TclCustomTabControl* control, TclPCCustomPainterClass cls);
    // Deletes the regions still saved.
    ~TclPCCustomPainter() override;
    TclPCCustomPainter(const TclPCCustomPainter&) = delete;
    TclPCCustomPainter& operator=(const TclPCCustomPainter&) = delete;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override;
    TclPCCustomPainterClass ClassRef() const { return class_; }

    // --- operations, in slot order (class-level ones are on the class reference) ---
    virtual int CalculateTabNormalWidth(TclTab* tab);
    virtual void GetTabRectCorrection(int visibleIndex, win::RECT& correction);
    virtual void DrawNativePageBackground(win::HDC, gui::TControl*) {}
    virtual void PaintTabImageAndText(int visibleIndex);
    virtual void FillPageArea();
    virtual void DrawPageBackground() { FillPageArea(); }
    virtual int GetNavigatorButtonsDistance(TclPCNavigatorButton, TclPCNavigatorButton) { return 0; }
    virtual int GetNavigatorButtonsTabsGap() { return 0; }
    virtual int GetNavigatorButtonsSideIndent() { return 0; }
    virtual int GetNavigatorButtonsEndIndent() { return 0; }
    virtual gui::TColor GetPageAreaColor();
    virtual void GetPageClientMargins(win::RECT& margins);
    virtual void GetPageFrameMargins(win::RECT& margins);
    virtual void GetTabImageAreaMargins(int visibleIndex, win::RECT& margins);
    virtual void GetTabImageOnlyOffset(int visibleIndex, TclPCDistance& offset);
    virtual void GetTabTextAreaMargins(int visibleIndex, win::RECT& margins);
    virtual int GetFrameBorderWidth() { return 0; }
    virtual void AfterPaintTab(int visibleIndex);
    virtual bool UsePageColorForTab() { return false; }
    virtual win::POINT GetGoDialogPosition();
    virtual int GetImageTextDistance(int visibleIndex);
    virtual int GetTabMinWidth(int visibleIndex);
    virtual void GetTabContentIndent(TclPCDistance& indent);
    virtual void GetNativeFrameContentMargins(win::RECT& margins);
    virtual gui::TColor GetTabBodyColor(int visibleIndex);
    virtual gui::TColor GetTabColor(int visibleIndex);
    virtual std::unique_ptr<controls::TclRegion> GetTabClipRegion(int visibleIndex);
    virtual controls::TclRegionOperation GetTabClipRegionOperation(int) { return controls::roIntersect; }
    virtual void GetTabContentMargins(int visibleIndex, TclPCDistance& margins);
    virtual void GetTabThemePartAndState(int visibleIndex, int& part, int& state);
    virtual void GetTabsContainerFrameExtension(win::RECT& extension) { extension = {}; }
    virtual void GetTabsSpacing(TclPCDistance& spacing) { spacing = {}; }
    virtual void CalculateTabsAreaBounds(TclPCNavigatorButtons buttons, TclPCTabsArea& area);
    virtual gui::TColor GetTabTextColor(int visibleIndex);
    virtual void GetTruncatedTabContentMargins(int visibleIndex, TclPCDistance& margins);
    virtual void UpdateStyleMetrics() {}
    virtual void DrawTabText(controls::TclCanvas& canvas, const std::string& text, int visibleIndex,
                             const win::RECT& rect);
    virtual void PaintElements();
    virtual void StoreTabImageAndTextRects(int visibleIndex, const win::RECT& imageRect, const win::RECT& textRect);
    virtual void InvalidateTab(int visibleIndex);
    virtual bool IsHotTrackAlwaysEnabled() { return IsNativePainting(); }
    virtual bool IsNativePainting() { return false; }
    virtual bool GetNavigatorButtonAt(int x, int y, TclPCNavigatorButton& button);
    virtual bool IsTabHitAt(int, int, int) { return true; }
    virtual bool UseActiveTabMetrics(int visibleIndex);
    virtual bool IsTabBackgroundTransparent(int) { return false; }
    virtual bool HasEmbossedDisabledText() { return true; }
    virtual bool NeedsRedrawOnResize() { return IsNativePainting(); }
    virtual bool IsFrameVisible() { return ParentInfo().ShowFrame(); }
    virtual void Paint() { PaintElements(); }
    virtual void PaintNavigatorButtons();
    virtual void PaintFrame();
    virtual void PaintFrameBorder();
    virtual void PaintTabs();
    virtual void FillTabTextBitmap(gui::TBitmap*, const win::RECT&, int) {}
    virtual void InvalidateNavigatorButton(TclPCNavigatorButton, TclPCNavigatorButtonState) {}
    virtual void InvalidateNavigatorButtonsRegion() {}
    virtual void RepaintTab(int, TclPCTabRepaintReason) {}
    virtual int CalculateTabNormalHeight();
    virtual win::RECT GetGoDialogButtonBounds();

    // --- shared operations ---
    TclCustomTabControl* Control() const { return control_; }
    const TclPCPainterParentInfo& ParentInfo() const { return *parentInfo_; }
    bool HasImages() const;
    bool HasTabImage(int visibleIndex) const;
    win::SIZE GetTabImageSize() const;
    // Width and height exchanged while images are turned.
    win::SIZE GetRotatedImageSize() const;
    controls::TclBitmap* TabCaptionBitmap(int visibleIndex) const;
    bool IsOwnerDrawing() const;
    // OnDrawTab; true when the handler drew the tab (it left DefaultDraw False).
    bool DoDrawTab(int visibleIndex);
    void PrepareTabCanvasFont(int visibleIndex, controls::TclCanvas& canvas);
    win::RECT GetTabRowRect(int visibleIndex) const;
    win::RECT GetPageClientRect();
    win::RECT GetPageFrameRect();
    // Nothing and False for an empty rectangle or one to intersect that is not visible on the device.
    bool ClipToRect(const win::RECT& rect, bool intersect = true);
    void SaveClipRegion();
    void RestoreClipRegion();
    int SavedClipRegionCount() const { return int(savedClips_.size()); }
    // The polyline and the pixel after its last point, down and right.
    void DrawPolyline(const std::vector<win::POINT>& points, gui::TColor color);
    // A point of a shape given for top tabs, turned to the tab position (or a row side) inside r.
    win::POINT RotatePoint(win::POINT point, const win::RECT& r) const;
    static win::POINT RotatePoint(win::POINT point, const win::RECT& r, TclTabPosition side);
    void DrawRotatedPolyline(std::vector<win::POINT> points, const win::RECT& r, gui::TColor color);
    controls::TclCanvas& Canvas() const { return *control_->ClCanvas(); }

    // The output of the last content layout.
    int LayoutVisibleIndex() const { return layoutVisibleIndex_; }
    const win::RECT& LayoutImageRect() const { return layoutImageRect_; }
    const win::RECT& LayoutTextRect() const { return layoutTextRect_; }

protected:
    // The content layout of a tab (clPCContent.cpp).
    void CalculateTabContentRects(int visibleIndex, win::RECT& imageRect, win::RECT& textRect);
    void SetLayoutRects(const win::RECT& imageRect, const win::RECT& textRect)
    {
        layoutImageRect_ = imageRect;
        layoutTextRect_ = textRect;
    }

private:
    void AdjustMargins(int visibleIndex, win::RECT& margins);
    void AdjustOffsets(int visibleIndex, TclPCDistance& offsets, bool forImageOnly);
    void RenderCaption(gui::TBitmap* bitmap, const win::RECT& rect, int visibleIndex, bool selectable);
    void DrawCaption(int visibleIndex, const win::RECT& textRect, bool selectable);

    TclCustomTabControl* control_;
    TclPCCustomPainterClass class_;
    std::unique_ptr<TclPCPainterParentInfo> parentInfo_;
    std::vector<win::HRGN> savedClips_;
    int layoutVisibleIndex_ = -1;
    win::RECT layoutImageRect_{};
    win::RECT layoutTextRect_{};
};

// The base class reference (abstract operations raise).
TclPCCustomPainterClass clPCCustomPainterClass();

class TclPCPaintersFactory : public classes::TObject {
public:
    TclPCCustomPainterClass FindPainterClass(TclPCStyleID styleID) const;
    // -1 when no class claims the look and feel.
    TclPCStyleID FindStyleIDForLookAndFeel(controls::TclLookAndFeel* lookAndFeel) const;
    TclPCStyleID GetDefaultStyleID(controls::TclLookAndFeel* lookAndFeel) const;
    std::unique_ptr<TclPCCustomPainter> GetPainterInstance(TclPCCustomPainterClass cls,
                                                           TclCustomTabControl* control) const;
    void ReleasePainter(std::unique_ptr<TclPCCustomPainter>& painter) const { painter.reset(); }
    int PainterClassCount() const { return int(classes_.size()); }
    TclPCCustomPainterClass PainterClass(int index) const { return classes_.at(std::size_t(index)); }

private:
    friend void clPCRegisterPainter(TclPCCustomPainterClass cls);
    friend void clPCUnregisterPainter(TclPCCustomPainterClass cls);
    std::vector<TclPCCustomPainterClass> classes_;
};

// The factory; null while no class is registered.
TclPCPaintersFactory* PaintersFactory();
void clPCRegisterPainter(TclPCCustomPainterClass cls);
void clPCUnregisterPainter(TclPCCustomPainterClass cls);

namespace detail {
// Frees the factory.
void FinalizePainterFactory();
}  // namespace detail

}  // namespace pagecontrol
