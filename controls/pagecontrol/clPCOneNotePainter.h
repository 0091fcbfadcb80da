#pragma once
// The OneNote tab style: the Slanted style with a longer, softened left slant whose edges are shaded
// in a colour set that follows the Office 2003 colour scheme (clPCOneNoteColors). The slant settings of
// the control are ignored for the shape; tabs cannot be rotated.

#include "controls/pagecontrol/clPCSlantedPainter.h"

namespace pagecontrol {

class TclPCOneNotePainterClassInfo : public TclPCSlantedPainterClassInfo {
public:
    using TclPCSlantedPainterClassInfo::TclPCSlantedPainterClassInfo;

    bool IsTabRotationSupported() const override { return false; }
    TclPCStyleID GetStyleID() const override { return 10; }
    std::string GetStyleName() const override { return "OneNote"; }
    std::unique_ptr<TclPCCustomPainter> Create(TclCustomTabControl* control) const override;
};

class TclPCOneNotePainter : public TclPCSlantedPainter {
public:
    using TclPCSlantedPainter::TclPCSlantedPainter;

    TclTabSlantPositions GetSlantPositions() override { return TclTabSlantPositions(1u << spLeft); }
    int CalculateSlantCut() override { return CalculateTabNormalHeight() + 2; }
    int GetMinTabDecorationWidth() override { return SlantCut() + 4; }
    void GetTabContentMargins(int visibleIndex, TclPCDistance& margins) override;
    void GetTabImageAreaMargins(int, win::RECT& margins) override { margins = {0, 3, 0, 1}; }
    void GetTabTextAreaMargins(int, win::RECT& margins) override { margins = {0, 4, 0, 1}; }
    void GetTabsSpacing(TclPCDistance& spacing) override { spacing = {5 - SlantCut(), -3}; }
    void GetTabsRegionExtension(win::RECT& extension) override;
    int GetNavigatorButtonsSideIndent() override { return 0; }
    bool UseHotGradientForActiveTab() override { return true; }
    gui::TColor GetTabBorderColor() override { return clPCOneNoteColors(1); }
    void PaintTabHighlightBand(int) override {}
    std::unique_ptr<controls::TclRegion> GetTabShapeRegion(int visibleIndex, bool inner) override;
    void DrawTabOutline(int visibleIndex) override;
    void PaintActiveTabBase(int visibleIndex) override;

protected:
    TclPCTabFigure BuildTabOutline(int visibleIndex) override;

private:
    // The body colour of the tab under a point, or the control's colour.
    gui::TColor ColorUnder(win::POINT point);
};

TclPCCustomPainterClass clPCOneNotePainterClass();

}  // namespace pagecontrol
