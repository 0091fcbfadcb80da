#pragma once
// TCustomListBox: a windowed control over a LISTBOX window. Items are the window's texts (kept by the
// control while it has no window; Objects ride in the items' data), with one selected item (ItemIndex) or
// many (MultiSelect: each click toggles; with ExtendedSelect, Shift and Ctrl as usual). Owner-drawn
// styles draw each item in DrawItem (OnDrawItem) on Canvas, lent the item's device context, font and
// brush; selected items come in clHighlight / clHighlightText. OnClick fires when the user changes the
// selection, OnDblClick on a double click. TListBox publishes it.

#include "platform/gui/controls/ListTypes.h"
#include "platform/gui/controls/StdCtrlTypes.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/WinControl.h"
#include "platform/gui/graphics/ControlCanvas.h"
#include "platform/rtl/StringList.h"

#include <memory>
#include <vector>

namespace gui {

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(classes::TComponent* owner);
    ~TCustomListBox() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    rtl::TStrings* Items() const { return items_.get(); }
    void SetItems(rtl::TStrings* value) { items_->Assign(*value); }
    // The selected item of a single-selection list (-1: none); the caret item of a multiple-selection one.
    int ItemIndex() const;
    void SetItemIndex(int value);
    // EListError "List index out of bounds (%d)" for a bad index.
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const;
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle value);
    int ItemHeight() const;
    void SetItemHeight(int value);
    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool value);
    int Columns() const { return columns_; }
    void SetColumns(int value);
    int TopIndex() const;
    void SetTopIndex(int value);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TCanvas* Canvas() const { return canvas_.get(); }

    // The item at a client point: -1 off the items unless `existing` is false (then the nearest).
    int ItemAtPos(win::POINT pos, bool existing) const;
    win::RECT ItemRect(int index) const;
    void Clear();

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void Dispatch(win::TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // Draws one item on Canvas: OnDrawItem, else its text at Left + 2 on the brush.
    virtual void DrawItem(int index, const win::RECT& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);

private:
    friend class TListBoxStrings;
    std::unique_ptr<rtl::TStrings> items_;
    // What the window held when it was destroyed, or what was set before it existed.
    std::unique_ptr<rtl::TStringList> saved_;
    std::vector<bool> savedSelection_;
    std::unique_ptr<TControlCanvas> canvas_;
    int savedItemIndex_ = -1;
    int savedTopIndex_ = 0;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    bool sorted_ = false;
    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 16;
    bool integralHeight_ = false;
    int columns_ = 0;
    TFormBorderStyle borderStyle_ = bsSingle;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace gui
