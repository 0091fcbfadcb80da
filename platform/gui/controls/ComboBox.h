#pragma once
// TCustomComboBox: a windowed control over a COMBOBOX window: an edit field (csDropDown, csSimple) or the
// selected item itself (csDropDownList and the owner-drawn styles) over a list of Items, dropped down
// from a button. OnChange fires when the user types or chooses an item, never when ItemIndex or Text is
// set from code; OnSelect follows a choice, OnDropDown and OnCloseUp the list. Owner-drawn styles draw
// each item (and the field) in DrawItem (OnDrawItem) on Canvas, lent the item's device context.
//
// The edit and list windows (EditHandle, ListHandle) run through EditWndProc and ListWndProc, which pass
// their messages to ComboWndProc and on to the window's own procedure: descendants that change how the
// parts behave override them. TComboBox publishes it.

#include "platform/gui/controls/ListTypes.h"
#include "platform/gui/controls/StdCtrlTypes.h"
#include "platform/gui/core/WinControl.h"
#include "platform/gui/graphics/ControlCanvas.h"
#include "platform/rtl/StringList.h"

#include <memory>
#include <string>

namespace gui {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
const classes::TTypeInfo& ComboBoxStyleType();

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(classes::TComponent* owner);
    ~TCustomComboBox() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    rtl::TStrings* Items() const { return items_.get(); }
    void SetItems(rtl::TStrings* value) { items_->Assign(*value); }
    // The selected item (-1: none). Setting it fires no event.
    int ItemIndex() const;
    void SetItemIndex(int value);
    std::string Text() const { return GetText(); }
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    // The most items the dropped list shows at once.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value);
    bool DroppedDown() const;
    void SetDroppedDown(bool value);
    int ItemHeight() const;
    void SetItemHeight(int value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    // The edit field's selection (0 without an edit field).
    int SelStart();
    void SetSelStart(int value);
    int SelLength();
    void SetSelLength(int value);
    std::string SelText();
    void SetSelText(const std::string& value);
    void SelectAll();
    void Clear();
    TCanvas* Canvas() const { return canvas_.get(); }
    win::HWND EditHandle() const { return editHandle_; }
    win::HWND ListHandle() const { return listHandle_; }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void WndProc(win::TMessage& message) override;
    void Dispatch(win::TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DestroyWindowHandle() override;

    // A message of the edit or list window (hwnd), whose own procedure is defaultProc.
    virtual void ComboWndProc(win::TMessage& message, win::HWND hwnd, win::WNDPROC defaultProc);
    virtual void EditWndProc(win::TMessage& message);
    virtual void ListWndProc(win::TMessage& message);
    win::WNDPROC DefEditProc() const { return defEditProc_; }
    win::WNDPROC DefListProc() const { return defListProc_; }

    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    // Draws one item on Canvas: OnDrawItem, else its text at Left + 2 on the brush.
    virtual void DrawItem(int index, const win::RECT& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);

private:
    friend class TComboBoxStrings;
    bool OwnerDrawn() const { return style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable; }
    void CommandMessage(win::WORD code);
    // Gives the edit and list windows back their own procedures.
    void ReleaseParts();
    void PartWndProc(win::TMessage& message, bool edit);

    std::unique_ptr<rtl::TStrings> items_;
    // What the window held when it was destroyed, or what was set before it existed.
    std::unique_ptr<rtl::TStringList> saved_;
    std::unique_ptr<TControlCanvas> canvas_;
    int savedItemIndex_ = -1;
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    int itemHeight_ = 16;
    int maxLength_ = 0;
    bool sorted_ = false;
    TEditCharCase charCase_ = ecNormal;
    win::HWND editHandle_ = nullptr;
    win::HWND listHandle_ = nullptr;
    win::WNDPROC editInstance_ = nullptr;
    win::WNDPROC listInstance_ = nullptr;
    win::WNDPROC defEditProc_ = nullptr;
    win::WNDPROC defListProc_ = nullptr;
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace gui
