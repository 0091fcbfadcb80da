#include "platform/gui/controls/ListBox.h"

#include "platform/gdi/Edges.h"
#include "platform/gui/controls/detail/ListItems.h"
#include "platform/gui/core/Messages.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/List.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/wintypes/ControlMessages.h"

#include <algorithm>

namespace gui {

// The list box's items; a text changed in place keeps its object and selection.
class TListBoxStrings final : public detail::TListItems {
public:
    explicit TListBoxStrings(TCustomListBox& list)
        : TListItems(list, detail::ListBoxItemMessages, list.saved_, list.sorted_), list_(list)
    {
    }
    void Clear() override
    {
        TListItems::Clear();
        list_.savedSelection_.clear();
    }

protected:
    void Put(int index, const std::string& s) override
    {
        Check(index);
        void* object = GetObject(index);
        const bool selected = list_.Selected(index);
        const int itemIndex = list_.ItemIndex();
        Delete(index);
        Insert(index, s);
        PutObject(index, object);
        if (list_.multiSelect_) {
            list_.SetSelected(index, selected);
        } else if (itemIndex == index) {
            list_.SetItemIndex(index);
        }
    }

private:
    TCustomListBox& list_;
};

TCustomListBox::TCustomListBox(classes::TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TListBoxStrings>(*this)), saved_(std::make_unique<rtl::TStringList>()),
      canvas_(std::make_unique<TControlCanvas>())
{
    SetControlStyle(csSetCaption | csDoubleClicks);
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    canvas_->SetControl(this);
}

TCustomListBox::~TCustomListBox() = default;

const classes::TClassInfo& TCustomListBox::StaticClass()
{
    static const classes::TClassInfo info("TCustomListBox", &TWinControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCustomListBox>(c)
            .Property("BorderStyle", BorderStyleType(), &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle)
            .Default(bsSingle)
            .Property("Columns", &TCustomListBox::Columns, &TCustomListBox::SetColumns).Default(0)
            .Property("ExtendedSelect", &TCustomListBox::ExtendedSelect, &TCustomListBox::SetExtendedSelect).Default(1)
            .Property("IntegralHeight", &TCustomListBox::IntegralHeight, &TCustomListBox::SetIntegralHeight).Default(0)
            .Property("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight).Default(16)
            .Property("Items", &TCustomListBox::Items, &TCustomListBox::SetItems)
            .Property("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect).Default(0)
            .Property("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(0)
            .Property("Style", ListBoxStyleType(), &TCustomListBox::Style, &TCustomListBox::SetStyle).Default(lbStandard)
            .Property("TabStop", &TCustomListBox::TabStop, &TCustomListBox::SetTabStop).Default(1)
            .Property("OnDrawItem", DrawItemEventType(), &TCustomListBox::OnDrawItem)
            .Property("OnMeasureItem", MeasureItemEventType(), &TCustomListBox::OnMeasureItem)
            .Method<&TCustomListBox::Clear>("Clear");
    });
    return info;
}

const classes::TClassInfo& TListBox::StaticClass()
{
    static const classes::TClassInfo info("TListBox", &TCustomListBox::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TListBox>{c}; });
    return info;
}

void TCustomListBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "LISTBOX");
    params.style |= win::WS_VSCROLL | win::LBS_HASSTRINGS | win::LBS_NOTIFY;
    if (sorted_) {
        params.style |= win::LBS_SORT;
    }
    if (multiSelect_) {
        params.style |= extendedSelect_ ? win::LBS_EXTENDEDSEL : win::LBS_MULTIPLESEL;
    }
    if (style_ == lbOwnerDrawFixed) {
        params.style |= win::LBS_OWNERDRAWFIXED;
    } else if (style_ == lbOwnerDrawVariable) {
        params.style |= win::LBS_OWNERDRAWVARIABLE;
    }
    if (!integralHeight_) {
        params.style |= win::LBS_NOINTEGRALHEIGHT;
    }
    if (columns_ > 0) {
        params.style |= win::LBS_MULTICOLUMN | win::WS_HSCROLL;
    }
    if (borderStyle_ == bsSingle) {
        if (Ctl3D()) {
            params.exStyle |= win::WS_EX_CLIENTEDGE;
        } else {
            params.style |= win::WS_BORDER;
        }
    }
}

void TCustomListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    const win::HWND hwnd = Handle();
    if (style_ != lbStandard) {
        win::SendMessage(hwnd, win::LB_SETITEMHEIGHT, 0, itemHeight_);
    }
    if (columns_ > 0) {
        win::SendMessage(hwnd, win::LB_SETCOLUMNWIDTH, win::WPARAM(std::max(1, Width() / columns_)), 0);
    }
    for (int i = 0; i < saved_->Count(); ++i) {
        const std::string& text = saved_->Strings(i);
        const win::LRESULT index = win::SendMessage(hwnd, sorted_ ? win::LB_ADDSTRING : win::LB_INSERTSTRING, win::WPARAM(-1),
                                                    reinterpret_cast<win::LPARAM>(text.c_str()));
        if (index >= 0) {
            win::SendMessage(hwnd, win::LB_SETITEMDATA, win::WPARAM(index), reinterpret_cast<win::LPARAM>(saved_->Objects(i)));
            if (multiSelect_ && std::size_t(i) < savedSelection_.size() && savedSelection_[std::size_t(i)]) {
                win::SendMessage(hwnd, win::LB_SETSEL, 1, index);
            }
        }
    }
    saved_->Clear();
    savedSelection_.clear();
    if (multiSelect_) {
        win::SendMessage(hwnd, win::LB_SETCARETINDEX, win::WPARAM(savedItemIndex_), 0);
    } else {
        win::SendMessage(hwnd, win::LB_SETCURSEL, win::WPARAM(savedItemIndex_), 0);
    }
    win::SendMessage(hwnd, win::LB_SETTOPINDEX, win::WPARAM(savedTopIndex_), 0);
}

void TCustomListBox::DestroyWnd()
{
    const win::HWND hwnd = Handle();
    saved_->Clear();
    savedSelection_.clear();
    const int count = int(win::SendMessage(hwnd, win::LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        saved_->AddObject(items_->Strings(i), items_->Objects(i));
        savedSelection_.push_back(win::SendMessage(hwnd, win::LB_GETSEL, win::WPARAM(i), 0) > 0);
    }
    savedItemIndex_ = ItemIndex();
    savedTopIndex_ = TopIndex();
    // The window's items go without WM_DELETEITEM reaching code that would free their objects.
    win::SendMessage(hwnd, win::LB_RESETCONTENT, 0, 0);
    TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() const
{
    if (!HandleAllocated()) {
        return savedItemIndex_;
    }
    const win::HWND hwnd = const_cast<TCustomListBox*>(this)->Handle();
    if (multiSelect_) {
        return win::SendMessage(hwnd, win::LB_GETCOUNT, 0, 0) > 0 ? int(win::SendMessage(hwnd, win::LB_GETCARETINDEX, 0, 0)) : -1;
    }
    return int(win::SendMessage(hwnd, win::LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int value)
{
    if (!HandleAllocated()) {
        savedItemIndex_ = value;
        return;
    }
    if (multiSelect_) {
        win::SendMessage(Handle(), win::LB_SETCARETINDEX, win::WPARAM(value), 0);
    } else if (ItemIndex() != value) {
        win::SendMessage(Handle(), win::LB_SETCURSEL, win::WPARAM(value), 0);
    }
}

bool TCustomListBox::Selected(int index) const
{
    rtl::CheckListIndex(index, items_->Count());
    if (!HandleAllocated()) {
        return multiSelect_ ? std::size_t(index) < savedSelection_.size() && savedSelection_[std::size_t(index)]
                            : index == savedItemIndex_;
    }
    return win::SendMessage(const_cast<TCustomListBox*>(this)->Handle(), win::LB_GETSEL, win::WPARAM(index), 0) > 0;
}

void TCustomListBox::SetSelected(int index, bool value)
{
    rtl::CheckListIndex(index, items_->Count());
    if (!multiSelect_) {
        if (value) {
            SetItemIndex(index);
        } else if (ItemIndex() == index) {
            SetItemIndex(-1);
        }
        return;
    }
    if (!HandleAllocated()) {
        savedSelection_.resize(std::max(savedSelection_.size(), std::size_t(index) + 1));
        savedSelection_[std::size_t(index)] = value;
        return;
    }
    win::SendMessage(Handle(), win::LB_SETSEL, value, index);
}

int TCustomListBox::SelCount() const
{
    if (!multiSelect_) {
        return -1;
    }
    if (!HandleAllocated()) {
        return int(std::count(savedSelection_.begin(), savedSelection_.end(), true));
    }
    return int(win::SendMessage(const_cast<TCustomListBox*>(this)->Handle(), win::LB_GETSELCOUNT, 0, 0));
}

void TCustomListBox::SetMultiSelect(bool value)
{
    if (value != multiSelect_) {
        multiSelect_ = value;
        RecreateWnd();
    }
}

void TCustomListBox::SetExtendedSelect(bool value)
{
    if (value != extendedSelect_) {
        extendedSelect_ = value;
        RecreateWnd();
    }
}

void TCustomListBox::SetSorted(bool value)
{
    if (value != sorted_) {
        sorted_ = value;
        if (!HandleAllocated() && sorted_) {
            std::vector<std::pair<std::string, void*>> items;
            for (int i = 0; i < saved_->Count(); ++i) {
                items.emplace_back(saved_->Strings(i), saved_->Objects(i));
            }
            std::stable_sort(items.begin(), items.end(),
                             [](const auto& a, const auto& b) { return rtl::AnsiCompareText(a.first, b.first) < 0; });
            saved_->Clear();
            for (const auto& [text, object] : items) {
                saved_->AddObject(text, object);
            }
        }
        RecreateWnd();
    }
}

void TCustomListBox::SetStyle(TListBoxStyle value)
{
    if (value != style_) {
        style_ = value;
        RecreateWnd();
    }
}

int TCustomListBox::ItemHeight() const
{
    if (HandleAllocated() && style_ == lbStandard) {
        return int(win::SendMessage(const_cast<TCustomListBox*>(this)->Handle(), win::LB_GETITEMHEIGHT, 0, 0));
    }
    return itemHeight_;
}

void TCustomListBox::SetItemHeight(int value)
{
    if (value > 0 && value != itemHeight_) {
        itemHeight_ = value;
        RecreateWnd();
    }
}

void TCustomListBox::SetIntegralHeight(bool value)
{
    if (value != integralHeight_) {
        integralHeight_ = value;
        RecreateWnd();
    }
}

void TCustomListBox::SetColumns(int value)
{
    value = std::max(0, value);
    if (value != columns_) {
        const bool styleChanges = (value == 0) != (columns_ == 0);
        columns_ = value;
        if (styleChanges) {
            RecreateWnd();
        } else if (HandleAllocated()) {
            win::SendMessage(Handle(), win::LB_SETCOLUMNWIDTH, win::WPARAM(std::max(1, Width() / columns_)), 0);
        }
    }
}

int TCustomListBox::TopIndex() const
{
    if (!HandleAllocated()) {
        return savedTopIndex_;
    }
    return int(win::SendMessage(const_cast<TCustomListBox*>(this)->Handle(), win::LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(int value)
{
    if (!HandleAllocated()) {
        savedTopIndex_ = value;
        return;
    }
    win::SendMessage(Handle(), win::LB_SETTOPINDEX, win::WPARAM(value), 0);
}

void TCustomListBox::SetBorderStyle(TFormBorderStyle value)
{
    if (value != borderStyle_) {
        borderStyle_ = value;
        RecreateWnd();
    }
}

int TCustomListBox::ItemAtPos(win::POINT pos, bool existing) const
{
    const win::HWND hwnd = const_cast<TCustomListBox*>(this)->Handle();
    const int count = int(win::SendMessage(hwnd, win::LB_GETCOUNT, 0, 0));
    const int top = TopIndex();
    for (int i = top; i < count; ++i) {
        win::RECT rect{};
        win::SendMessage(hwnd, win::LB_GETITEMRECT, win::WPARAM(i), reinterpret_cast<win::LPARAM>(&rect));
        if (pos.x >= rect.left && pos.x < rect.right && pos.y >= rect.top && pos.y < rect.bottom) {
            return i;
        }
    }
    return existing ? -1 : count;
}

win::RECT TCustomListBox::ItemRect(int index) const
{
    win::RECT rect{};
    const win::HWND hwnd = const_cast<TCustomListBox*>(this)->Handle();
    const int count = int(win::SendMessage(hwnd, win::LB_GETCOUNT, 0, 0));
    if (index == 0 || index < count) {
        win::SendMessage(hwnd, win::LB_GETITEMRECT, win::WPARAM(index), reinterpret_cast<win::LPARAM>(&rect));
    } else if (index == count) {
        // Just below the last item: where the next one would go.
        win::SendMessage(hwnd, win::LB_GETITEMRECT, win::WPARAM(index - 1), reinterpret_cast<win::LPARAM>(&rect));
        const win::LONG height = rect.bottom - rect.top;
        rect.top += height;
        rect.bottom += height;
    }
    return rect;
}

void TCustomListBox::Clear()
{
    items_->Clear();
}

void TCustomListBox::DrawItem(int index, const win::RECT& rect, TOwnerDrawState state)
{
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    DrawItemText(*canvas_, *items_, index, rect);
}

void TCustomListBox::MeasureItem(int index, int& height)
{
    if (OnMeasureItem) {
        OnMeasureItem(this, index, height);
    }
}

void TCustomListBox::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        switch (win::HIWORD(win::DWORD(message.WParam))) {
        case win::LBN_SELCHANGE:
            Click();
            break;
        case win::LBN_DBLCLK:
            DblClick();
            break;
        default:
            break;
        }
        return;
    case CN_DRAWITEM:
        DrawListItem(*canvas_, *this, *reinterpret_cast<const win::DRAWITEMSTRUCT*>(message.LParam),
                     [this](int index, const win::RECT& rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
        message.Result = 1;
        return;
    case CN_MEASUREITEM:
        MeasureListItem(*reinterpret_cast<win::MEASUREITEMSTRUCT*>(message.LParam), itemHeight_, style_ == lbOwnerDrawVariable,
                        [this](int index, int& height) { MeasureItem(index, height); });
        message.Result = 1;
        return;
    default:
        TWinControl::Dispatch(message);
    }
}

}  // namespace gui
