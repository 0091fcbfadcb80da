#pragma once
// The tab model of the tab control: TclTab items in TclTabs (a string list whose strings are the
// captions), the ascending list of visible tabs, the slant settings of the slanted styles, the record a
// painter fills with the room left for the rows, and the orientation routines shared by the control and
// the painters. Tab changes are reported to the control, which repaints or lays out again.

#include "platform/classes/Persistent.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/Font.h"
#include "platform/rtl/Method.h"
#include "platform/rtl/StringList.h"
#include "platform/wintypes/Types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace controls {
class TclBitmap;
}

namespace pagecontrol {

class TclCustomTabControl;
class TclTabs;

enum TclTabPosition : std::uint8_t { tpTop, tpBottom, tpLeft, tpRight };
enum TclPCNavigatorPosition : std::uint8_t { npLeftTop, npLeftBottom, npRightTop, npRightBottom };
enum TclPCNavigatorButton : std::uint8_t { nbTopLeft, nbBottomRight, nbGoDialog, nbClose };
// A set of navigator buttons, bit n for button n.
using TclPCNavigatorButtons = std::uint8_t;
constexpr TclPCNavigatorButtons clPCButtonBit(TclPCNavigatorButton button) { return std::uint8_t(1u << button); }
enum TclPCNavigatorButtonState : std::uint8_t { nbsNormal, nbsPressed, nbsHotTrack, nbsDisabled };

enum TclPCOption : std::uint8_t {
    pcoAlwaysShowGoDialogButton,
    pcoCloseButton,
    pcoFixedTabWidthWhenRotated,
    pcoGoDialog,
    pcoGradient,
    pcoGradientClientArea,
    pcoNoArrows,
    pcoRedrawOnResize,
    pcoSort,
    pcoTopToBottomText,
    pcoUsePageColorForTab
};
using TclPCOptions = std::uint16_t;
constexpr TclPCOptions clPCOptionBit(TclPCOption option) { return TclPCOptions(1u << option); }
constexpr TclPCOptions clPCDefaultOptions = 177;

using TclPCStyleID = std::int32_t;

// Which way a caption reads.
enum TclPCCaptionDirection : std::uint8_t { cdHorizontal, cdBottomToTop, cdTopToBottom };

// Why a tab is repainted; clpcrLayout lays out again instead.
enum TclPCTabRepaintReason : std::uint8_t {
    clpcrCaption,
    clpcrColor,
    clpcrEnabled,
    clpcrControlFocus,
    clpcrHighlighted,
    clpcrHot,
    clpcrCurrent,
    clpcrLayout,
    clpcrPressed,
    clpcrSelected,
    clpcrKeyboardFocus
};

// Two distances: along a row and across rows (or start and end margins).
struct TclPCDistance {
    int dw = 0;
    int dh = 0;
};

// What the painter leaves to the rows: see TclPCCustomPainter::CalculateTabsAreaBounds.
struct TclPCTabsArea {
    win::RECT Bounds{};
    int StartRowsEdgeAdjustment = 0;
    int EndRowsEdgeAdjustment = 0;
    int RowSpacing = 0;
    int RowLength = 0;
    win::RECT RowBounds{};
};

class TclTab : public classes::TPersistent {
public:
    TclTab(TclTabs* tabs, int index);
    // Leaves its list (unless the list is deleting it) and stops being the control's focused tab.
    ~TclTab() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    // From another TclTab: Caption, Enabled, Highlighted; ImageIndex; the object; Visible, Selected.
    void Assign(const classes::TPersistent* source) override;

    // Queries.
    bool IsCurrent() const;
    bool IsHot() const;
    bool IsPressed() const;
    bool IsFocused() const;
    bool IsSelectable() const;
    int VisibleIndex() const;
    // The side of the page its row lies on.
    TclTabPosition RowSide() const;
    win::RECT NormalRect() const;
    win::RECT FullRect() const;
    win::RECT VisibleRect() const;
    bool IsDisplayed() const;
    // 1 .. 12 by row side and caption direction.
    int ContentOrientationCode() const;

    // Properties.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    gui::TColor Color() const { return color_; }
    void SetColor(gui::TColor value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Highlighted() const { return highlighted_; }
    void SetHighlighted(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int Index() const { return index_; }
    void* Object() const { return object_; }
    void SetObject(void* value) { object_ = value; }
    bool Selected() const { return selected_; }
    void SetSelected(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    TclTabs* Tabs() const { return tabs_; }
    TclCustomTabControl* Control() const;

    // Layout state.
    int Row() const { return row_; }
    int VisibleRow() const { return visibleRow_; }
    int NormalWidth() const { return normalWidth_; }
    win::POINT NormalTopLeft() const { return normalTopLeft_; }
    const win::RECT& RectCorrection() const { return correction_; }
    // The cached vertical caption, and the paint bitmap of native painting.
    controls::TclBitmap* RotatedCaptionBitmap() const { return rotatedCaption_.get(); }
    void SetRotatedCaptionBitmap(std::unique_ptr<controls::TclBitmap> bitmap);
    void DropRotatedCaptionBitmap();
    controls::TclBitmap* PaintBitmap();

private:
    friend class TclTabs;
    friend class TclCustomTabControl;

    void Report(TclPCTabRepaintReason reason);
    void ReportChange(TclPCTabRepaintReason reason, bool wasDisplayed);
    void SetSelectedValue(bool value) { selected_ = value; }

    std::string caption_;
    gui::TColor color_ = gui::clDefault;
    bool enabled_ = true;
    bool highlighted_ = false;
    int imageIndex_;
    int index_;
    void* object_ = nullptr;
    std::unique_ptr<controls::TclBitmap> paintBitmap_;
    int row_ = 0;
    bool selected_ = false;
    win::POINT normalTopLeft_{};
    int normalWidth_ = 0;
    win::RECT correction_{};
    TclTabs* tabs_;
    std::unique_ptr<controls::TclBitmap> rotatedCaption_;
    bool visible_ = true;
    int visibleRow_ = 0;
};

class TclTabs : public rtl::TStrings {
public:
    explicit TclTabs(TclCustomTabControl* control);
    ~TclTabs() override;

    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    int Count() const override { return int(tabs_.size()); }
    // Indexes outside 0 .. Count - 1 change nothing.
    void Move(int curIndex, int newIndex) override;

    TclTab* Tab(int index) const;
    TclTab* operator[](int index) const { return Tab(index); }
    TclTab* VisibleTab(int visibleIndex) const;
    int VisibleTabCount() const;
    TclCustomTabControl* Control() const { return control_; }
    // One normal height for every tab.
    int TabNormalHeight() const { return tabNormalHeight_; }
    void SetTabNormalHeight(int value) { tabNormalHeight_ = value; }

protected:
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;

private:
    friend class TclTab;
    void CheckIndex(int index, const char* operation) const;
    void Renumber(int from);
    // A tab freed from outside.
    void Forget(TclTab* tab);
    void StructureChanged();

    TclCustomTabControl* control_;
    std::vector<TclTab*> tabs_;
    int tabNormalHeight_ = 0;
    int updating_ = 0;
    bool notifying_ = false;
};

// The indexes of the visible tabs, ascending; a visible index is a position in it.
class TclVisibleTabList {
public:
    explicit TclVisibleTabList(TclCustomTabControl* control) : control_(control) {}

    int Count() const { return int(indexes_.size()); }
    TclTab* Tab(int visibleIndex) const;
    // True when present; index is where it is or would be inserted.
    bool Find(int tabIndex, int& index) const;
    void Add(int tabIndex);
    void Remove(int tabIndex);
    void Rebuild();
    // -1 when the tab is not visible.
    int VisibleIndexOf(int tabIndex) const;
    int TabIndexAt(int visibleIndex) const { return indexes_[std::size_t(visibleIndex)]; }

private:
    TclCustomTabControl* control_;
    std::vector<int> indexes_;
};

enum TclTabSlantKind : std::uint8_t { skCutCorner, skSlant };
enum TclTabSlantPosition : std::uint8_t { spLeft, spRight };
using TclTabSlantPositions = std::uint8_t;

class TclTabSlants : public classes::TPersistent {
public:
    explicit TclTabSlants(classes::TPersistent* owner) : owner_(owner) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    void Assign(const classes::TPersistent* source) override;
    classes::TPersistent* GetOwner() const override { return owner_; }

    TclTabSlantKind Kind() const { return kind_; }
    void SetKind(TclTabSlantKind value);
    TclTabSlantPositions Positions() const { return positions_; }
    void SetPositions(TclTabSlantPositions value);

    classes::TNotifyEvent OnChange;

private:
    void Changed();

    classes::TPersistent* owner_;
    TclTabSlantKind kind_ = skSlant;
    TclTabSlantPositions positions_ = 1u << spLeft;
};

// The first and last displayed visible index; -1 and -2 when none.
void clPCGetVisibleTabRange(TclCustomTabControl* control, int& first, int& last);
// A rectangle given for top tabs, turned to the position, and back.
win::RECT clPCOrientRect(const win::RECT& rect, TclTabPosition position);
win::RECT clPCOrientRectInverse(const win::RECT& rect, TclTabPosition position);
// The caption's extent on the screen canvas, in the font or (null) in the font prepared for the tab.
win::SIZE clPCGetTabTextSize(TclTab* tab, gui::TFont* font = nullptr);
// 1 .. 12 by the side of the tab's row and the caption's direction.
int clPCContentOrientationCode(TclTabPosition rowSide, TclPCCaptionDirection direction);

}  // namespace pagecontrol
