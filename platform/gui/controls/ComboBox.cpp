#include "platform/gui/controls/ComboBox.h"

#include "platform/gdi/Edges.h"
#include "platform/gui/controls/detail/ListItems.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/detail/Dispatching.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/List.h"
#include "platform/win/ComboBoxInfo.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/ObjectInstance.h"
#include "platform/win/Window.h"
#include "platform/wintypes/ControlMessages.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace gui {

const classes::TTypeInfo& ComboBoxStyleType()
{
    static const classes::TTypeInfo type = classes::EnumType(
            "TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"});
    return type;
}

// The combo box's items; a text changed in place keeps its object and selection, and the selection
// kept without a window follows deletions.
class TComboBoxStrings final : public detail::TListItems {
public:
    explicit TComboBoxStrings(TCustomComboBox& combo)
        : TListItems(combo, detail::ComboBoxItemMessages, combo.saved_, combo.sorted_), combo_(combo)
    {
    }
    void Delete(int index) override
    {
        TListItems::Delete(index);
        if (Window()) {
            return;
        }
        if (combo_.savedItemIndex_ == index) {
            combo_.savedItemIndex_ = -1;
        } else if (combo_.savedItemIndex_ > index) {
            --combo_.savedItemIndex_;
        }
    }
    void Clear() override
    {
        TListItems::Clear();
        if (!Window()) {
            combo_.savedItemIndex_ = -1;
        }
    }

protected:
    void Put(int index, const std::string& s) override
    {
        Check(index);
        void* object = GetObject(index);
        const bool selected = combo_.ItemIndex() == index;
        Delete(index);
        Insert(index, s);
        PutObject(index, object);
        if (selected) {
            combo_.SetItemIndex(index);
        }
    }

private:
    TCustomComboBox& combo_;
};

TCustomComboBox::TCustomComboBox(classes::TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TComboBoxStrings>(*this)), saved_(std::make_unique<rtl::TStringList>()),
      canvas_(std::make_unique<TControlCanvas>())
{
    SetControlStyle(csSetCaption | csDoubleClicks);
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    canvas_->SetControl(this);
}

TCustomComboBox::~TCustomComboBox()
{
    // The parts' windows call into this object until they are gone.
    DestroyHandle();
    for (win::WNDPROC instance : {editInstance_, listInstance_}) {
        if (instance) {
            win::FreeObjectInstance(instance);
        }
    }
}

const classes::TClassInfo& TCustomComboBox::StaticClass()
{
    static const classes::TClassInfo info("TCustomComboBox", &TWinControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCustomComboBox>(c)
            .Property("CharCase", EditCharCaseType(), &TCustomComboBox::CharCase, &TCustomComboBox::SetCharCase).Default(ecNormal)
            .Property("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount).Default(8)
            .Property("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight).Default(16)
            .Property("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems)
            .Property("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex).Default(-1)
            .Property("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength).Default(0)
            .Property("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted).Default(0)
            .Property("Style", ComboBoxStyleType(), &TCustomComboBox::Style, &TCustomComboBox::SetStyle).Default(csDropDown)
            .Property("TabStop", &TCustomComboBox::TabStop, &TCustomComboBox::SetTabStop).Default(1)
            .Property("Text", &TCustomComboBox::Text, &TCustomComboBox::SetText)
            .Property("OnChange", classes::NotifyEventType(), &TCustomComboBox::OnChange)
            .Property("OnCloseUp", classes::NotifyEventType(), &TCustomComboBox::OnCloseUp)
            .Property("OnDrawItem", DrawItemEventType(), &TCustomComboBox::OnDrawItem)
            .Property("OnDropDown", classes::NotifyEventType(), &TCustomComboBox::OnDropDown)
            .Property("OnMeasureItem", MeasureItemEventType(), &TCustomComboBox::OnMeasureItem)
            .Property("OnSelect", classes::NotifyEventType(), &TCustomComboBox::OnSelect)
            .Method<&TCustomComboBox::Clear>("Clear")
            .Method<&TCustomComboBox::SelectAll>("SelectAll");
    });
    return info;
}

const classes::TClassInfo& TComboBox::StaticClass()
{
    static const classes::TClassInfo info("TComboBox", &TCustomComboBox::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TComboBox>{c}; });
    return info;
}

// --- the window ---

void TCustomComboBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "COMBOBOX");
    params.style |= win::CBS_HASSTRINGS | win::CBS_AUTOHSCROLL;
    switch (style_) {
    case csDropDown: params.style |= win::CBS_DROPDOWN; break;
    case csSimple: params.style |= win::CBS_SIMPLE; break;
    case csDropDownList: params.style |= win::CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: params.style |= win::CBS_DROPDOWNLIST | win::CBS_OWNERDRAWFIXED; break;
    case csOwnerDrawVariable: params.style |= win::CBS_DROPDOWNLIST | win::CBS_OWNERDRAWVARIABLE; break;
    }
    if (sorted_) {
        params.style |= win::CBS_SORT;
    }
    if (charCase_ == ecUpperCase) {
        params.style |= win::CBS_UPPERCASE;
    } else if (charCase_ == ecLowerCase) {
        params.style |= win::CBS_LOWERCASE;
    }
}

void TCustomComboBox::CreateWnd()
{
    const std::string text = GetText();
    TWinControl::CreateWnd();
    const win::HWND hwnd = Handle();
    win::COMBOBOXINFO info;
    if (win::GetComboBoxInfo(hwnd, &info)) {
        editHandle_ = info.hwndItem;
        listHandle_ = info.hwndList;
    }
    if (editHandle_) {
        if (!editInstance_) {
            editInstance_ = win::MakeObjectInstance([this](win::TMessage& message) { PartWndProc(message, true); });
        }
        defEditProc_ = reinterpret_cast<win::WNDPROC>(
                win::SetWindowLongPtr(editHandle_, win::GWL_WNDPROC, reinterpret_cast<win::LONG_PTR>(editInstance_)));
    }
    if (listHandle_) {
        if (!listInstance_) {
            listInstance_ = win::MakeObjectInstance([this](win::TMessage& message) { PartWndProc(message, false); });
        }
        defListProc_ = reinterpret_cast<win::WNDPROC>(
                win::SetWindowLongPtr(listHandle_, win::GWL_WNDPROC, reinterpret_cast<win::LONG_PTR>(listInstance_)));
    }
    win::SendMessage(hwnd, win::CB_SETMINVISIBLE, win::WPARAM(dropDownCount_), 0);
    win::SendMessage(hwnd, win::CB_LIMITTEXT, win::WPARAM(maxLength_), 0);
    if (!OwnerDrawn()) {
        itemHeight_ = int(win::SendMessage(hwnd, win::CB_GETITEMHEIGHT, 0, 0));
    }
    for (int i = 0; i < saved_->Count(); ++i) {
        const std::string& item = saved_->Strings(i);
        const win::LRESULT index = win::SendMessage(hwnd, sorted_ ? win::CB_ADDSTRING : win::CB_INSERTSTRING, win::WPARAM(-1),
                                                    reinterpret_cast<win::LPARAM>(item.c_str()));
        if (index >= 0) {
            win::SendMessage(hwnd, win::CB_SETITEMDATA, win::WPARAM(index), reinterpret_cast<win::LPARAM>(saved_->Objects(i)));
        }
    }
    saved_->Clear();
    if (savedItemIndex_ >= 0) {
        win::SendMessage(hwnd, win::CB_SETCURSEL, win::WPARAM(savedItemIndex_), 0);
    } else if (editHandle_ && !text.empty()) {
        win::SendMessage(hwnd, win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(text.c_str()));
    }
}

void TCustomComboBox::DestroyWnd()
{
    const win::HWND hwnd = Handle();
    saved_->Clear();
    const int count = int(win::SendMessage(hwnd, win::CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        saved_->AddObject(items_->Strings(i), items_->Objects(i));
    }
    savedItemIndex_ = ItemIndex();
    // The window's items go without WM_DELETEITEM reaching code that would free their objects.
    win::SendMessage(hwnd, win::CB_RESETCONTENT, 0, 0);
    TWinControl::DestroyWnd();
}

void TCustomComboBox::DestroyWindowHandle()
{
    ReleaseParts();
    TWinControl::DestroyWindowHandle();
}

void TCustomComboBox::ReleaseParts()
{
    if (editHandle_ && win::IsWindow(editHandle_) && defEditProc_) {
        win::SetWindowLongPtr(editHandle_, win::GWL_WNDPROC, reinterpret_cast<win::LONG_PTR>(defEditProc_));
    }
    if (listHandle_ && win::IsWindow(listHandle_) && defListProc_) {
        win::SetWindowLongPtr(listHandle_, win::GWL_WNDPROC, reinterpret_cast<win::LONG_PTR>(defListProc_));
    }
    editHandle_ = listHandle_ = nullptr;
    defEditProc_ = defListProc_ = nullptr;
}

// --- properties ---

int TCustomComboBox::ItemIndex() const
{
    if (!HandleAllocated()) {
        return savedItemIndex_;
    }
    return int(win::SendMessage(const_cast<TCustomComboBox*>(this)->Handle(), win::CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int value)
{
    if (!HandleAllocated()) {
        savedItemIndex_ = value;
        return;
    }
    if (ItemIndex() != value) {
        win::SendMessage(Handle(), win::CB_SETCURSEL, win::WPARAM(value), 0);
    }
}

void TCustomComboBox::SetStyle(TComboBoxStyle value)
{
    if (value != style_) {
        style_ = value;
        RecreateWnd();
    }
}

void TCustomComboBox::SetDropDownCount(int value)
{
    value = std::max(1, value);
    dropDownCount_ = value;
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::CB_SETMINVISIBLE, win::WPARAM(value), 0);
    }
}

bool TCustomComboBox::DroppedDown() const
{
    return HandleAllocated() && win::SendMessage(const_cast<TCustomComboBox*>(this)->Handle(), win::CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value)
{
    win::SendMessage(Handle(), win::CB_SHOWDROPDOWN, value ? win::TRUE : win::FALSE, 0);
}

int TCustomComboBox::ItemHeight() const
{
    if (HandleAllocated() && !OwnerDrawn()) {
        return int(win::SendMessage(const_cast<TCustomComboBox*>(this)->Handle(), win::CB_GETITEMHEIGHT, 0, 0));
    }
    return itemHeight_;
}

void TCustomComboBox::SetItemHeight(int value)
{
    if (value > 0 && value != itemHeight_) {
        itemHeight_ = value;
        if (OwnerDrawn()) {
            RecreateWnd();
        }
    }
}

void TCustomComboBox::SetMaxLength(int value)
{
    maxLength_ = std::max(0, value);
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::CB_LIMITTEXT, win::WPARAM(maxLength_), 0);
    }
}

void TCustomComboBox::SetSorted(bool value)
{
    if (value == sorted_) {
        return;
    }
    sorted_ = value;
    if (!HandleAllocated() && sorted_) {
        // The selected item keeps its selection in its new place.
        std::vector<int> order(std::size_t(saved_->Count()));
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = int(i);
        }
        std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
            return rtl::AnsiCompareText(saved_->Strings(a), saved_->Strings(b)) < 0;
        });
        auto sorted = std::make_unique<rtl::TStringList>();
        int selected = -1;
        for (std::size_t i = 0; i < order.size(); ++i) {
            sorted->AddObject(saved_->Strings(order[i]), saved_->Objects(order[i]));
            if (order[i] == savedItemIndex_) {
                selected = int(i);
            }
        }
        saved_ = std::move(sorted);
        savedItemIndex_ = selected;
    }
    RecreateWnd();
}

void TCustomComboBox::SetCharCase(TEditCharCase value)
{
    if (value != charCase_) {
        charCase_ = value;
        RecreateWnd();
    }
}

int TCustomComboBox::SelStart()
{
    win::DWORD start = 0;
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::CB_GETEDITSEL, reinterpret_cast<win::WPARAM>(&start), 0);
    }
    return int(start);
}

void TCustomComboBox::SetSelStart(int value)
{
    win::SendMessage(Handle(), win::CB_SETEDITSEL, 0, win::MAKELPARAM(win::WORD(value), win::WORD(value)));
}

int TCustomComboBox::SelLength()
{
    win::DWORD start = 0;
    win::DWORD end = 0;
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::CB_GETEDITSEL, reinterpret_cast<win::WPARAM>(&start), reinterpret_cast<win::LPARAM>(&end));
    }
    return int(end) - int(start);
}

void TCustomComboBox::SetSelLength(int value)
{
    const int start = SelStart();
    win::SendMessage(Handle(), win::CB_SETEDITSEL, 0, win::MAKELPARAM(win::WORD(start), win::WORD(start + std::max(0, value))));
}

std::string TCustomComboBox::SelText()
{
    const int start = SelStart();
    const std::string text = Text();
    if (start >= int(text.size())) {
        return {};
    }
    return text.substr(std::size_t(start), std::size_t(std::max(0, SelLength())));
}

void TCustomComboBox::SetSelText(const std::string& value)
{
    if (HandleAllocated() && editHandle_) {
        win::SendMessage(editHandle_, win::EM_REPLACESEL, 0, reinterpret_cast<win::LPARAM>(value.c_str()));
    }
}

void TCustomComboBox::SelectAll()
{
    if (HandleAllocated()) {
        win::SendMessage(Handle(), win::CB_SETEDITSEL, 0, win::MAKELPARAM(0, 0xFFFF));
    }
}

void TCustomComboBox::Clear()
{
    SetText("");
    items_->Clear();
}

// --- events ---

void TCustomComboBox::Change()
{
    if (OnChange) {
        OnChange(this);
    }
}

void TCustomComboBox::Select()
{
    if (OnSelect) {
        OnSelect(this);
    }
}

void TCustomComboBox::DropDown()
{
    if (OnDropDown) {
        OnDropDown(this);
    }
}

void TCustomComboBox::CloseUp()
{
    if (OnCloseUp) {
        OnCloseUp(this);
    }
}

void TCustomComboBox::DrawItem(int index, const win::RECT& rect, TOwnerDrawState state)
{
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    DrawItemText(*canvas_, *items_, index, rect);
}

void TCustomComboBox::MeasureItem(int index, int& height)
{
    if (OnMeasureItem) {
        OnMeasureItem(this, index, height);
    }
}

// --- messages ---

void TCustomComboBox::CommandMessage(win::WORD code)
{
    detail::DispatchScope scope(this);
    switch (code) {
    case win::CBN_SELCHANGE:
        Click();
        if (scope.Alive()) {
            Change();
        }
        if (scope.Alive()) {
            Select();
        }
        break;
    case win::CBN_EDITCHANGE:
        Change();
        break;
    case win::CBN_DROPDOWN:
        DropDown();
        break;
    case win::CBN_CLOSEUP:
        CloseUp();
        break;
    default:
        break;
    }
}

void TCustomComboBox::WndProc(win::TMessage& message)
{
    // The parts ask the box for their colours: they are the box's.
    if ((message.Msg == win::WM_CTLCOLOREDIT || message.Msg == win::WM_CTLCOLORLISTBOX) && message.LParam != 0 &&
        (reinterpret_cast<win::HWND>(message.LParam) == editHandle_ || reinterpret_cast<win::HWND>(message.LParam) == listHandle_)) {
        auto* dc = reinterpret_cast<win::HDC>(message.WParam);
        win::SetTextColor(dc, ColorToRGB(Font()->Color()));
        win::SetBkColor(dc, ColorToRGB(Brush()->Color()));
        message.Result = reinterpret_cast<win::LRESULT>(Brush()->Handle());
        return;
    }
    TWinControl::WndProc(message);
}

void TCustomComboBox::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        CommandMessage(win::HIWORD(win::DWORD(message.WParam)));
        return;
    case CN_DRAWITEM:
        DrawListItem(*canvas_, *this, *reinterpret_cast<const win::DRAWITEMSTRUCT*>(message.LParam),
                     [this](int index, const win::RECT& rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
        message.Result = 1;
        return;
    case CN_MEASUREITEM:
        MeasureListItem(*reinterpret_cast<win::MEASUREITEMSTRUCT*>(message.LParam), itemHeight_, style_ == csOwnerDrawVariable,
                        [this](int index, int& height) { MeasureItem(index, height); });
        message.Result = 1;
        return;
    default:
        TWinControl::Dispatch(message);
    }
}

void TCustomComboBox::PartWndProc(win::TMessage& message, bool edit)
{
    detail::DispatchScope scope(this);
    try {
        if (edit) {
            EditWndProc(message);
        } else {
            ListWndProc(message);
        }
    } catch (...) {
        if (Application()) {
            Application()->HandleException(this);
        } else {
            throw;
        }
    }
}

void TCustomComboBox::EditWndProc(win::TMessage& message)
{
    ComboWndProc(message, editHandle_, defEditProc_);
}

void TCustomComboBox::ListWndProc(win::TMessage& message)
{
    ComboWndProc(message, listHandle_, defListProc_);
}

void TCustomComboBox::ComboWndProc(win::TMessage& message, win::HWND hwnd, win::WNDPROC defaultProc)
{
    // The edit field's focus is the box's: the form's active control follows it.
    if (message.Msg == win::WM_SETFOCUS && hwnd == editHandle_) {
        if (TCustomForm* form = GetParentForm(this); form && !form->SetFocusedControl(this)) {
            return;
        }
    }
    if (!defaultProc || !hwnd) {
        message.Result = 0;
        return;
    }
    message.Result = win::CallWindowProc(defaultProc, hwnd, message.Msg, message.WParam, message.LParam);
}

}  // namespace gui
