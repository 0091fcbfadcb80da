#include "platform/gui/controls/Menus.h"

#include "platform/classes/ComponentReader.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/List.h"
#include "platform/win/Menu.h"

#include <algorithm>
#include <bitset>

namespace gui {

namespace {

// Commands in use by live items: WM_COMMAND carries 16 bits.
std::bitset<0x10000> usedCommands;

win::UINT UniqueCommand()
{
    static win::UINT last = 0;
    for (int tries = 0; tries < 0xFFFF; ++tries) {
        last = last % 0xFFFF + 1;
        if (!usedCommands[last]) {
            usedCommands[last] = true;
            return last;
        }
    }
    throw rtl::EOutOfResources("Out of system resources");
}

// A caption without its accelerator marks.
std::string StripHotkey(const std::string& caption)
{
    std::string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
        }
        text += caption[i];
    }
    return text;
}

}  // namespace

const classes::TTypeInfo& MenuDrawItemEventType()
{
    static const classes::TTypeInfo type =
        classes::MethodType<void(classes::TObject*, TCanvas*, win::RECT, bool)>("TMenuDrawItemEvent");
    return type;
}

const classes::TTypeInfo& MenuMeasureItemEventType()
{
    static const classes::TTypeInfo type =
        classes::MethodType<void(classes::TObject*, TCanvas*, int&, int&)>("TMenuMeasureItemEvent");
    return type;
}

// --- TMenuItem ---

TMenuItem::TMenuItem(classes::TComponent* owner) : TComponent(owner), command_(UniqueCommand()) {}

TMenuItem::~TMenuItem()
{
    if (parent_) {
        parent_->Remove(this);
    }
    while (!items_.empty()) {
        delete items_.back();
    }
    if (handle_) {
        // The submenus are their items' own: take them out before the handle goes.
        while (win::RemoveMenu(handle_, 0, win::MF_BYPOSITION)) {
        }
        win::DestroyMenu(handle_);
    }
    usedCommands[command_] = false;
}

const classes::TClassInfo& TMenuItem::StaticClass()
{
    static const classes::TClassInfo info("TMenuItem", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TMenuItem>(c)
            .Property("Action", classes::ClassRefType<TBasicAction>(), &TMenuItem::Action, &TMenuItem::SetAction)
            .Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck).Default(0)
            .Property("Bitmap", classes::ClassRefType<TBitmap>(), &TMenuItem::Bitmap, &TMenuItem::SetBitmap)
            .Stored(&TMenuItem::HasBitmap)
            .Property("Break", &TMenuItem::Break, &TMenuItem::SetBreak).Default(0)
            .Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .Stored(&TMenuItem::IsCaptionStored)
            .Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(0)
            .Stored(&TMenuItem::IsCheckedStored)
            .Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(0)
            .Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(1)
            .Stored(&TMenuItem::IsEnabledStored)
            .Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0)
            .Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
            .Stored(&TMenuItem::IsHintStored)
            .Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1)
            .Stored(&TMenuItem::IsImageIndexStored)
            .Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(0)
            .Property("ShortCut", ShortCutType(), &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(0)
            .Stored(&TMenuItem::IsShortCutStored)
            .Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(1)
            .Stored(&TMenuItem::IsVisibleStored)
            .Property("OnClick", classes::NotifyEventType(), &TMenuItem::OnClick)
            .Stored(&TMenuItem::IsOnClickStored)
            .Property("OnDrawItem", MenuDrawItemEventType(), &TMenuItem::OnDrawItem)
            .Property("OnMeasureItem", MenuMeasureItemEventType(), &TMenuItem::OnMeasureItem);
    });
    return info;
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (item->parent_) {
        throw EMenuError("Menu inserted twice");
    }
    if (index != Count()) {
        rtl::CheckListIndex(index, Count());
    }
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    Changed();
}

void TMenuItem::Delete(int index)
{
    delete Items(index);
}

void TMenuItem::Remove(TMenuItem* item)
{
    const auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) {
        throw EMenuError("Sub-menu is not in menu");
    }
    items_.erase(it);
    item->parent_ = nullptr;
    if (handle_ && item->handle_) {
        // The handle of the removed item must not go with this one's.
        win::RemoveMenu(handle_, win::UINT(win::HandleValue(item->handle_)), win::MF_BYCOMMAND);
    }
    Changed();
}

void TMenuItem::Clear()
{
    while (!items_.empty()) {
        delete items_.back();
    }
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

TMenuItem* TMenuItem::Items(int index) const
{
    rtl::CheckListIndex(index, Count());
    return items_[std::size_t(index)];
}

int TMenuItem::MenuIndex() const
{
    return parent_ ? parent_->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int value)
{
    if (!parent_) {
        return;
    }
    TMenuItem* parent = parent_;
    const int count = parent->Count();
    value = std::clamp(value, 0, count - 1);
    if (value != MenuIndex()) {
        parent->Remove(this);
        parent->Insert(value, this);
    }
}

TMenuItem* TMenuItem::Find(const std::string& caption) const
{
    const std::string wanted = StripHotkey(caption);
    for (TMenuItem* item : items_) {
        if (rtl::AnsiSameText(StripHotkey(item->caption_), wanted)) {
            return item;
        }
    }
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* item = this;
    while (item->parent_) {
        item = item->parent_;
    }
    return item->menu_;
}

win::HMENU TMenuItem::Handle()
{
    if (!handle_) {
        handle_ = win::CreatePopupMenu();
        RebuildHandle();
    }
    return handle_;
}

void TMenuItem::Changed()
{
    if (TMenu* menu = GetParentMenu()) {
        menu->MenuChanged();
    }
    // A handler may unregister itself or another one.
    for (const classes::TNotifyEvent& handler : std::vector<classes::TNotifyEvent>(changeHandlers_)) {
        if (std::find(changeHandlers_.begin(), changeHandlers_.end(), handler) != changeHandlers_.end()) {
            handler(this);
        }
    }
}

void TMenuItem::RegisterChanges(classes::TNotifyEvent handler)
{
    changeHandlers_.push_back(handler);
}

void TMenuItem::UnRegisterChanges(classes::TNotifyEvent handler)
{
    std::erase(changeHandlers_, handler);
}

bool TMenuItem::IsOwnerDrawn() const
{
    const TMenu* menu = GetParentMenu();
    return (menu && (menu->OwnerDraw() || menu->Images())) || HasBitmap() || OnDrawItem || OnMeasureItem;
}

void TMenuItem::AppendTo(win::HMENU menu)
{
    win::MENUITEMINFO info;
    info.fMask = win::MIIM_FTYPE | win::MIIM_STATE | win::MIIM_ID | win::MIIM_STRING | win::MIIM_DATA;
    if (IsLine()) {
        info.fType = win::MFT_SEPARATOR;
    } else {
        info.fType = (IsOwnerDrawn() ? win::MFT_OWNERDRAW : win::MFT_STRING) | (radioItem_ ? win::MFT_RADIOCHECK : 0) |
                     (break_ ? win::MFT_MENUBREAK : 0);
    }
    info.fState = (enabled_ ? 0 : win::MFS_GRAYED) | (checked_ ? win::MFS_CHECKED : 0) | (default_ ? win::MFS_DEFAULT : 0);
    info.wID = command_;
    info.dwItemData = command_;
    std::string text = caption_;
    if (shortCut_ != 0) {
        text += '\t' + ShortCutToText(shortCut_);
    }
    info.dwTypeData = text.data();
    if (!items_.empty()) {
        info.fMask |= win::MIIM_SUBMENU;
        info.hSubMenu = Handle();
        RebuildHandle();
    }
    win::InsertMenuItem(menu, win::UINT(-1), win::TRUE, &info);
}

void TMenuItem::RebuildHandle()
{
    if (!handle_) {
        return;
    }
    while (win::RemoveMenu(handle_, 0, win::MF_BYPOSITION)) {
    }
    for (TMenuItem* item : items_) {
        if (item->visible_) {
            item->AppendTo(handle_);
        }
    }
}

TMenuItem* TMenuItem::FindCommand(win::UINT command)
{
    if (command_ == command) {
        return this;
    }
    for (TMenuItem* item : items_) {
        if (TMenuItem* found = item->FindCommand(command)) {
            return found;
        }
    }
    return nullptr;
}

TMenuItem* TMenuItem::FindHandle(win::HMENU handle)
{
    if (handle_ && handle_ == handle) {
        return this;
    }
    for (TMenuItem* item : items_) {
        if (TMenuItem* found = item->FindHandle(handle)) {
            return found;
        }
    }
    return nullptr;
}

void TMenuItem::Click()
{
    if (!enabled_) {
        return;
    }
    if (autoCheck_ && !(actionLink_ && actionLink_->IsCheckedLinked())) {
        SetChecked(!checked_);
    }
    if (OnClick && !(actionLink_ && OnClick == Action()->OnExecute)) {
        OnClick(this);
    } else if (actionLink_) {
        actionLink_->Execute(this);
    }
}

void TMenuItem::SetCaption(const std::string& value)
{
    if (value != caption_) {
        caption_ = value;
        Changed();
    }
}

void TMenuItem::SetShortCut(TShortCut value)
{
    if (value != shortCut_) {
        shortCut_ = value;
        Changed();
    }
}

void TMenuItem::TurnSiblingsOff()
{
    if (!parent_) {
        return;
    }
    for (TMenuItem* item : parent_->items_) {
        if (item != this && item->radioItem_ && item->groupIndex_ == groupIndex_) {
            item->SetChecked(false);
        }
    }
}

void TMenuItem::SetChecked(bool value)
{
    if (value != checked_) {
        checked_ = value;
        if (value && radioItem_) {
            TurnSiblingsOff();
        }
        Changed();
    }
}

void TMenuItem::SetRadioItem(bool value)
{
    if (value != radioItem_) {
        radioItem_ = value;
        if (checked_ && value) {
            TurnSiblingsOff();
        }
        Changed();
    }
}

void TMenuItem::SetGroupIndex(int value)
{
    if (value != groupIndex_) {
        groupIndex_ = value;
        if (checked_ && radioItem_) {
            TurnSiblingsOff();
        }
        Changed();
    }
}

void TMenuItem::SetEnabled(bool value)
{
    if (value != enabled_) {
        enabled_ = value;
        Changed();
    }
}

void TMenuItem::SetVisible(bool value)
{
    if (value != visible_) {
        visible_ = value;
        Changed();
    }
}

void TMenuItem::SetDefault(bool value)
{
    if (value == default_) {
        return;
    }
    if (value && parent_) {
        for (TMenuItem* item : parent_->items_) {
            item->default_ = false;
        }
    }
    default_ = value;
    Changed();
}

void TMenuItem::SetBreak(bool value)
{
    if (value != break_) {
        break_ = value;
        Changed();
    }
}

void TMenuItem::SetImageIndex(int value)
{
    if (value != imageIndex_) {
        imageIndex_ = value;
        Changed();
    }
}

TBitmap* TMenuItem::Bitmap() const
{
    if (!bitmap_) {
        bitmap_ = std::make_unique<TBitmap>();
    }
    return bitmap_.get();
}

bool TMenuItem::HasBitmap() const
{
    return bitmap_ && !bitmap_->Empty();
}

void TMenuItem::SetBitmap(TBitmap* value)
{
    if (value && !value->Empty()) {
        Bitmap()->Assign(value);
    } else {
        bitmap_.reset();
    }
    Changed();
}

void TMenuItem::SetHint(const std::string& value)
{
    if (value != hint_) {
        hint_ = value;
        Changed();
    }
}

TBasicAction* TMenuItem::Action() const
{
    return actionLink_ ? actionLink_->Action() : nullptr;
}

void TMenuItem::SetAction(TBasicAction* value)
{
    if (!value) {
        actionLink_.reset();
        return;
    }
    if (!actionLink_) {
        actionLink_ = std::make_unique<TMenuActionLink>(this);
    }
    actionLink_->SetAction(value);
    value->FreeNotification(this);
    if (auto* action = dynamic_cast<TCustomAction*>(value)) {
        // The item takes what the action shows.
        SetCaption(action->Caption());
        SetChecked(action->Checked());
        SetEnabled(action->Enabled());
        SetHint(action->Hint());
        SetImageIndex(action->ImageIndex());
        SetShortCut(action->ShortCut());
        SetVisible(action->Visible());
    }
}

void TMenuItem::Notification(classes::TComponent* component, classes::TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == classes::TOperation::Remove && component == Action()) {
        actionLink_.reset();
    }
}

classes::TComponent* TMenuItem::GetParentComponent() const
{
    if (parent_ && parent_->menu_) {
        return parent_->menu_;
    }
    return parent_;
}

void TMenuItem::SetParentComponent(classes::TComponent* value)
{
    if (parent_) {
        parent_->Remove(this);
    }
    if (auto* menu = dynamic_cast<TMenu*>(value)) {
        menu->Items()->Add(this);
    } else if (auto* item = dynamic_cast<TMenuItem*>(value)) {
        item->Add(this);
    }
}

void TMenuItem::ReadState(classes::TReader& reader)
{
    if (reader.Parent() && reader.Parent() != GetParentComponent()) {
        SetParentComponent(reader.Parent());
    }
    TComponent::ReadState(reader);
}

void TMenuItem::GetChildren(const classes::TGetChildProc& proc, classes::TComponent*)
{
    for (TMenuItem* item : items_) {
        proc(item);
    }
}

void TMenuItem::SetChildOrder(classes::TComponent* child, int order)
{
    if (auto* item = dynamic_cast<TMenuItem*>(child); item && item->parent_ == this) {
        item->SetMenuIndex(order);
    }
}

// --- TMenuActionLink ---

TMenuActionLink::TMenuActionLink(TMenuItem* client) : TActionLink(client), item_(client) {}

bool TMenuActionLink::IsCaptionLinked() const
{
    return TActionLink::IsCaptionLinked() && item_->Caption() == CustomAction()->Caption();
}

bool TMenuActionLink::IsCheckedLinked() const
{
    return TActionLink::IsCheckedLinked() && item_->Checked() == CustomAction()->Checked();
}

bool TMenuActionLink::IsEnabledLinked() const
{
    return TActionLink::IsEnabledLinked() && item_->Enabled() == CustomAction()->Enabled();
}

bool TMenuActionLink::IsHintLinked() const
{
    return TActionLink::IsHintLinked() && item_->Hint() == CustomAction()->Hint();
}

bool TMenuActionLink::IsImageIndexLinked() const
{
    return TActionLink::IsImageIndexLinked() && item_->ImageIndex() == CustomAction()->ImageIndex();
}

bool TMenuActionLink::IsShortCutLinked() const
{
    return TActionLink::IsShortCutLinked() && item_->ShortCut() == CustomAction()->ShortCut();
}

bool TMenuActionLink::IsVisibleLinked() const
{
    return TActionLink::IsVisibleLinked() && item_->Visible() == CustomAction()->Visible();
}

bool TMenuActionLink::IsOnExecuteLinked() const
{
    return TActionLink::IsOnExecuteLinked() && item_->OnClick == Action()->OnExecute;
}

void TMenuActionLink::SetCaption(const std::string& value)
{
    if (IsCaptionLinked()) {
        item_->SetCaption(value);
    }
}

void TMenuActionLink::SetChecked(bool value)
{
    if (IsCheckedLinked()) {
        item_->SetChecked(value);
    }
}

void TMenuActionLink::SetEnabled(bool value)
{
    if (IsEnabledLinked()) {
        item_->SetEnabled(value);
    }
}

void TMenuActionLink::SetHint(const std::string& value)
{
    if (IsHintLinked()) {
        item_->SetHint(value);
    }
}

void TMenuActionLink::SetImageIndex(int value)
{
    if (IsImageIndexLinked()) {
        item_->SetImageIndex(value);
    }
}

void TMenuActionLink::SetShortCut(TShortCut value)
{
    if (IsShortCutLinked()) {
        item_->SetShortCut(value);
    }
}

void TMenuActionLink::SetVisible(bool value)
{
    if (IsVisibleLinked()) {
        item_->SetVisible(value);
    }
}

void TMenuActionLink::SetOnExecute(classes::TNotifyEvent value)
{
    if (IsOnExecuteLinked()) {
        item_->OnClick = value;
    }
}

// --- TMenu ---

TMenu::TMenu(classes::TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr))
{
    items_->SetMenu(this);
}

TMenu::~TMenu()
{
    items_.reset();
}

const classes::TClassInfo& TMenu::StaticClass()
{
    static const classes::TClassInfo info("TMenu", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TMenu>(c)
            .Property("Images", classes::ClassRefType<TCustomImageList>(), &TMenu::Images, &TMenu::SetImages)
            .Property("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw).Default(0);
    });
    return info;
}

win::HMENU TMenu::Handle()
{
    const bool fresh = items_->handle_ == nullptr;
    win::HMENU handle = items_->Handle();
    if (changed_ && !fresh) {
        items_->RebuildHandle();
    }
    changed_ = false;
    return handle;
}

void TMenu::SetImages(TCustomImageList* value)
{
    if (value != images_) {
        if (images_) {
            images_->RemoveFreeNotification(this);
        }
        images_ = value;
        if (images_) {
            images_->FreeNotification(this);
        }
        MenuChanged();
    }
}

void TMenu::SetOwnerDraw(bool value)
{
    if (value != ownerDraw_) {
        ownerDraw_ = value;
        MenuChanged();
    }
}

void TMenu::MenuChanged()
{
    changed_ = true;
}

TMenuItem* TMenu::FindItemByCommand(win::UINT command) const
{
    return items_->FindCommand(command);
}

TMenuItem* TMenu::FindItemByHandle(win::HMENU handle) const
{
    return handle ? items_->FindHandle(handle) : nullptr;
}

bool TMenu::DispatchCommand(win::UINT command)
{
    TMenuItem* item = FindItemByCommand(command);
    if (!item) {
        return false;
    }
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(win::HMENU handle)
{
    TMenuItem* item = FindItemByHandle(handle);
    if (!item) {
        return false;
    }
    DoPopup(item);
    // The handler may have freed the menu's items or changed them.
    if (TMenuItem* still = FindItemByHandle(handle)) {
        still->RebuildHandle();
    }
    return true;
}

void TMenu::DoPopup(TMenuItem* item)
{
    if (item != items_.get()) {
        item->Click();
    }
}

bool TMenu::IsShortCut(win::WORD key, TShiftState shift)
{
    const TShortCut wanted = gui::ShortCut(key, shift);
    if (wanted == 0) {
        return false;
    }
    std::vector<TMenuItem*> pending{items_.get()};
    while (!pending.empty()) {
        TMenuItem* item = pending.back();
        pending.pop_back();
        if (item != items_.get() && item->ShortCut() == wanted && item->Enabled() && item->Visible() && item->Count() == 0) {
            if (TBasicAction* action = item->Action()) {
                action->Update();
            }
            if (!item->Enabled()) {
                continue;
            }
            item->Click();
            return true;
        }
        if (item == items_.get() || (item->Enabled() && item->Visible())) {
            for (int i = item->Count() - 1; i >= 0; --i) {
                pending.push_back(item->Items(i));
            }
        }
    }
    return false;
}

void TMenu::GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root)
{
    items_->GetChildren(proc, root);
}

void TMenu::SetChildOrder(classes::TComponent* child, int order)
{
    items_->SetChildOrder(child, order);
}

void TMenu::Notification(classes::TComponent* component, classes::TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == classes::TOperation::Remove && component == images_) {
        images_ = nullptr;
        MenuChanged();
    }
}

}  // namespace gui
