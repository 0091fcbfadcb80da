#pragma once
// The standard tab painter every style derives from: tab sizes from captions and images, the metric
// tables of the three standard kinds (tabs, buttons, flat buttons), the tabs area with its navigator
// buttons, tab painting (clip, owner drawing, content, shape), the classic navigator buttons and glyphs
// and the classic 3D page frame. Beside it the colour and shape routines the styles share.

#include "controls/pagecontrol/clPCPainters.h"

#include <cstdint>
#include <vector>

namespace pagecontrol {

// The class reference of the standard family: the class-level metrics follow the standard kind.
class TclPCStandardPainterClassInfo : public TclPCPainterClassInfo {
public:
    using TclPCPainterClassInfo::TclPCPainterClassInfo;

    bool MovesActiveRowToFrame() const override { return GetStandardStyleKind() == 0; }
    bool AllowsMultiSelect() const override { return GetStandardStyleKind() != 0; }
    bool IsStandardTabStyle() const override { return true; }
    bool HasPressedTabState() const override { return GetStandardStyleKind() != 0; }
    virtual int GetMinTabHeight() const;
    virtual int GetStyleKindIndent() const;
    std::unique_ptr<TclPCCustomPainter> Create(TclCustomTabControl* control) const override;
};

struct TclPCNavigatorButtonPosition {
    TclPCNavigatorButton Button;
    win::RECT Bounds;
};
using TclPCNavigatorButtonPositions = std::vector<TclPCNavigatorButtonPosition>;

// What a navigator glyph is drawn with; when DrawInColors is clear the glyph is embossed.
struct TclPCNavigatorButtonGlyphInfo {
    gui::TColor BrushColor = gui::clBtnText;
    gui::TColor PenColor = gui::clBtnText;
    bool DrawInColors = true;
    bool SmallCloseGlyph = false;
};

class TclPCStandardPainter : public TclPCCustomPainter {
public:
    using TclPCCustomPainter::TclPCCustomPainter;

    const TclPCStandardPainterClassInfo& StandardClass() const
    {
        return static_cast<const TclPCStandardPainterClassInfo&>(*ClassRef());
    }
    int StyleKind() const { return ClassRef()->GetStandardStyleKind(); }

    // --- new operations, in slot order ---
    virtual void PaintTab(int visibleIndex);
    virtual void GetNavigatorButtonGlyphInfo(TclPCNavigatorButton button, TclPCNavigatorButtonGlyphInfo& info);
    virtual win::RECT CalculateNavigatorButtonsRegion(TclPCNavigatorButtons buttons);
    virtual void CalculateNavigatorButtonsBounds(TclPCNavigatorButtons buttons);
    virtual int GetNavigatorButtonsRegionWidth(TclPCNavigatorButtons buttons);
    virtual gui::TColor GetNavigatorButtonFaceColor(TclPCNavigatorButtonState) { return gui::clBtnFace; }
    virtual gui::TColor GetNavigatorButtonGlyphColor(TclPCNavigatorButtonState state);
    virtual win::POINT GetNavigatorButtonGlyphOffset(TclPCNavigatorButton button, TclPCNavigatorButtonState state);
    virtual int GetNavigatorButtonHeight() { return 20; }
    virtual int GetNavigatorButtonWidth(TclPCNavigatorButton button);
    virtual int GetDefaultMinTabWidth() { return 42; }
    virtual gui::TColor GetBackgroundColor() { return Control()->Color(); }
    virtual int GetMinFrameSize() { return 2 * GetFrameBorderWidth(); }
    virtual int GetTabStateKind() { return 2; }
    virtual int GetTabDecorationWidth(int visibleIndex);
    virtual void GetTabsRegionExtension(win::RECT& extension) { extension = {}; }
    virtual int CalculateTabContentHeight();
    virtual void DrawTabFocusRect(int visibleIndex, const win::RECT& rect);
    virtual void PaintNavigatorButton(TclPCNavigatorButton button, win::RECT rect);
    virtual void FillNavigatorButtonFace(TclPCNavigatorButtonState state, const win::RECT& rect);
    virtual void DrawNavigatorButtonBorder(win::RECT& rect, TclPCNavigatorButtonState state);
    virtual void DrawFrameBorder(const win::RECT& rect);
    virtual void PaintTabShape(int) {}
    virtual void PaintNativeTab(int) {}
    virtual std::vector<TclPCNavigatorButton> GetNavigatorButtonsOrder(TclPCNavigatorButtons buttons);

    // --- overrides of the base ---
    int CalculateTabNormalWidth(TclTab* tab) override;
    int CalculateTabNormalHeight() override;
    void GetTabImageAreaMargins(int visibleIndex, win::RECT& margins) override;
    void GetTabImageOnlyOffset(int, TclPCDistance& offset) override { offset = {}; }
    void GetTabTextAreaMargins(int visibleIndex, win::RECT& margins) override;
    void GetTabContentMargins(int visibleIndex, TclPCDistance& margins) override;
    void GetTruncatedTabContentMargins(int visibleIndex, TclPCDistance& margins) override;
    int GetFrameBorderWidth() override { return 2; }
    int GetImageTextDistance(int) override { return 6; }
    int GetTabMinWidth(int visibleIndex) override;
    void GetTabContentIndent(TclPCDistance& indent) override { indent = {4, 4}; }
    win::RECT GetGoDialogButtonBounds() override;
    void GetTabsSpacing(TclPCDistance& spacing) override;
    void CalculateTabsAreaBounds(TclPCNavigatorButtons buttons, TclPCTabsArea& area) override;
    void StoreTabImageAndTextRects(int visibleIndex, const win::RECT& imageRect, const win::RECT& textRect) override;
    bool GetNavigatorButtonAt(int x, int y, TclPCNavigatorButton& button) override;
    bool UseActiveTabMetrics(int visibleIndex) override;
    void Paint() override;
    void PaintNavigatorButtons() override;
    void PaintFrameBorder() override;
    void PaintTabs() override;
    void InvalidateNavigatorButton(TclPCNavigatorButton button, TclPCNavigatorButtonState oldState) override;
    void InvalidateNavigatorButtonsRegion() override;
    void RepaintTab(int visibleIndex, TclPCTabRepaintReason reason) override;

    const win::RECT& NavigatorButtonsRegion() const { return navigatorRegion_; }
    const TclPCNavigatorButtonPositions& NavigatorButtonPositions() const { return navigatorLayout_; }
    // The rectangle of a laid-out button; empty when it is not shown.
    win::RECT NavigatorButtonBounds(TclPCNavigatorButton button) const;

protected:
    // The height of "Zg" in the tallest font prepared for a visible tab.
    int TallestCaptionHeight();
    // The glyph at its offset from the button's top-left corner.
    void DrawNavigatorButtonGlyph(TclPCNavigatorButton button, TclPCNavigatorButtonState state, const win::RECT& rect);

private:
    win::RECT navigatorRegion_{};
    TclPCNavigatorButtonPositions navigatorLayout_;
};

// Colour routines; hue 0..360, saturation and brightness 0..100.
void clPCColorToHSB(gui::TColor color, double& hue, double& saturation, double& brightness);
gui::TColor clPCHSBToColor(double hue, double saturation, double brightness);
gui::TColor clPCBrightenColor(gui::TColor color, int percent);
gui::TColor clPCLightBrushColor();
// Entries 1 .. 6 of the OneNote colour set.
gui::TColor clPCOneNoteColors(int index);

// Sides of a border entry.
enum TclPCBorderSide : std::uint8_t { bsLeft, bsTop, bsRight, bsBottom };
struct TclPCBorderEntry {
    gui::TColor Color;
    TclPCBorderSide Side;
};
// Draws each entry's line along its side and moves that side in by one pixel; with exclude the drawn
// band leaves the clip region.
void clPCDrawBorder(controls::TclCanvas& canvas, win::RECT& rect, const std::vector<TclPCBorderEntry>& entries,
                    bool exclude);

enum TLinePosition : std::uint8_t { lpL, lpLT, lpT, lpRT, lpR, lpRB, lpB, lpLB };
using TPoints = std::vector<win::POINT>;
using TLinePositions = std::vector<TLinePosition>;
// The region of a closed outline whose segment i runs from point i to point i + 1 (the last back to
// the first) and draws side or corner positions[i]: with firstHalf only what lies inside the outline's
// pixels, else the outline's pixels too. Exact for straight and diagonal segments.
std::unique_ptr<controls::TclRegion> clPCFigureRegion(const TPoints& points, const TLinePositions& positions,
                                                      bool firstHalf);
void clPCAddFigurePoints(TPoints& points, const TPoints& newPoints, const TLinePositions& newPositions,
                         TLinePositions& positions);
void clPCGetRectSize(const win::RECT& rect, bool horizontal, int& width, int& height);
void clPCSwapInts(int& a, int& b);
win::RECT clPCControlBounds(gui::TControl* control);
void clPCRotateTabsDistance(TclPCDistance& distance);
TclPCDistance clPCMakeDistance(int a, int b);

namespace detail {
// Both colour sets, the palette notifier that recomputes the OneNote set; and their end.
void InitializeStandardPainter();
void FinalizeStandardPainter();
}  // namespace detail

}  // namespace pagecontrol
