#pragma once
// Menus: TMenuItem trees, TMenu holding one, and TPopupMenu shown at a point with TrackPopupMenu.
//
// Menu handles follow the items: a change marks the menu, and its handles are rebuilt before it shows
// (and, for a submenu, when it opens). Commands are numbers unique among live items; a WM_COMMAND for
// an item that is gone finds nothing and is dropped.

#include "platform/classes/Component.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/core/Action.h"
#include "platform/gui/core/ControlTypes.h"
#include "platform/gui/core/PopupMenu.h"
#include "platform/rtl/Exceptions.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Types.h"

#include <memory>
#include <string>
#include <vector>

namespace gui {

class TBitmap;
class TCanvas;
class TCustomImageList;
class TMenu;
class TMenuItem;

using TMenuDrawItemEvent = rtl::Method<void(classes::TObject* sender, TCanvas* canvas, win::RECT rect, bool selected)>;
using TMenuMeasureItemEvent = rtl::Method<void(classes::TObject* sender, TCanvas* canvas, int& width, int& height)>;
const classes::TTypeInfo& MenuDrawItemEventType();
const classes::TTypeInfo& MenuMeasureItemEventType();

class EMenuError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "EMenuError"; }
};

// "Ctrl+Shift+F5": modifier names, then the key's name; 0 gives "".
std::string ShortCutToText(TShortCut shortCut);
// The reverse, modifiers and key names without regard to case; unknown text gives 0.
TShortCut TextToShortCut(const std::string& text);
void ShortCutToKey(TShortCut shortCut, win::WORD& key, TShiftState& shift);

// The caption of a separator item.
inline constexpr const char* cLineCaption = "-";

// What an action sets on a menu item.
class TMenuActionLink : public TActionLink {
public:
    explicit TMenuActionLink(TMenuItem* client);

    bool IsCaptionLinked() const override;
    bool IsCheckedLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHintLinked() const override;
    bool IsImageIndexLinked() const override;
    bool IsShortCutLinked() const override;
    bool IsVisibleLinked() const override;
    bool IsOnExecuteLinked() const override;

    void SetCaption(const std::string& value) override;
    void SetChecked(bool value) override;
    void SetEnabled(bool value) override;
    void SetHint(const std::string& value) override;
    void SetImageIndex(int value) override;
    void SetShortCut(TShortCut value) override;
    void SetVisible(bool value) override;
    void SetOnExecute(classes::TNotifyEvent value) override;

private:
    TMenuItem* item_;
};

class TMenuItem : public classes::TComponent {
public:
    explicit TMenuItem(classes::TComponent* owner);
    ~TMenuItem() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The tree. A bad index is EListError "List index out of bounds (%d)"; an item already in a tree
    // is EMenuError "Menu inserted twice".
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Frees the item at index.
    void Delete(int index);
    // Takes the item out without freeing it.
    void Remove(TMenuItem* item);
    // Frees every item.
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    void SetMenuIndex(int value);
    // The child whose caption (without '&') is caption, without regard to case; null when none.
    TMenuItem* Find(const std::string& caption) const;
    // The menu of the tree, or null.
    TMenu* GetParentMenu() const;

    // The command id of WM_COMMAND; the submenu's handle for an item with items.
    win::UINT Command() const { return command_; }
    win::HMENU Handle();
    bool IsLine() const { return caption_ == cLineCaption; }

    // OnClick (or the action); an AutoCheck item toggles first.
    virtual void Click();

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool value) { autoCheck_ = value; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Break() const { return break_; }
    void SetBreak(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    // Drawn in the image column when the menu has no Images (or the item no ImageIndex).
    TBitmap* Bitmap() const;
    void SetBitmap(TBitmap* value);
    bool HasBitmap() const;
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);

    classes::TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

    // Handlers told (with the item as sender) whenever something the item shows changes: the tool
    // buttons on the item follow it.
    void RegisterChanges(classes::TNotifyEvent handler);
    void UnRegisterChanges(classes::TNotifyEvent handler);

    // Drawing an owner-drawn item (the menu's OwnerDraw or Images, an item with a bitmap or handlers).
    virtual void DrawItem(TCanvas* canvas, win::RECT rect, bool selected);
    virtual void MeasureItem(TCanvas* canvas, int& width, int& height);
    bool IsOwnerDrawn() const;

    bool HasParent() const override { return true; }
    classes::TComponent* GetParentComponent() const override;
    void SetParentComponent(classes::TComponent* value) override;
    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root) override;
    void SetChildOrder(classes::TComponent* child, int order) override;
    // A stored item joins the menu or item it is stored in.
    void ReadState(classes::TReader& reader) override;

protected:
    void Notification(classes::TComponent* component, classes::TOperation operation) override;

private:
    friend class TMenu;
    friend class TMenuActionLink;
    // Something shown changed: the menu rebuilds its handles before it shows again.
    void Changed();
    // What the action gives is stored with the action, not with the item.
    bool Unlinked(bool (TMenuActionLink::*linked)() const) const { return !actionLink_ || !(actionLink_.get()->*linked)(); }
    bool IsCaptionStored() const { return Unlinked(&TMenuActionLink::IsCaptionLinked); }
    bool IsCheckedStored() const { return Unlinked(&TMenuActionLink::IsCheckedLinked); }
    bool IsEnabledStored() const { return Unlinked(&TMenuActionLink::IsEnabledLinked); }
    bool IsHintStored() const { return Unlinked(&TMenuActionLink::IsHintLinked); }
    bool IsImageIndexStored() const { return Unlinked(&TMenuActionLink::IsImageIndexLinked); }
    bool IsShortCutStored() const { return Unlinked(&TMenuActionLink::IsShortCutLinked); }
    bool IsVisibleStored() const { return Unlinked(&TMenuActionLink::IsVisibleLinked); }
    bool IsOnClickStored() const { return Unlinked(&TMenuActionLink::IsOnExecuteLinked); }
    // Fills the item's submenu handle from the visible items (and their submenus).
    void RebuildHandle();
    void AppendTo(win::HMENU menu);
    void TurnSiblingsOff();
    TMenuItem* FindCommand(win::UINT command);
    TMenuItem* FindHandle(win::HMENU handle);
    void SetMenu(TMenu* menu) { menu_ = menu; }

    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // on the root item only
    win::UINT command_ = 0;
    win::HMENU handle_ = nullptr;
    std::string caption_;
    TShortCut shortCut_ = 0;
    bool checked_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    bool autoCheck_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool default_ = false;
    bool break_ = false;
    int imageIndex_ = -1;
    mutable std::unique_ptr<TBitmap> bitmap_;  // made when first asked for
    std::string hint_;
    std::unique_ptr<TMenuActionLink> actionLink_;
    std::vector<classes::TNotifyEvent> changeHandlers_;
};

class TMenu : public classes::TComponent {
public:
    explicit TMenu(classes::TComponent* owner);
    ~TMenu() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The root item; its items are the menu's.
    TMenuItem* Items() const { return items_.get(); }
    // The menu's handle, rebuilt from the items when they changed.
    win::HMENU Handle();
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);

    // The item of a command, or of a submenu handle; null when none.
    TMenuItem* FindItemByCommand(win::UINT command) const;
    TMenuItem* FindItemByHandle(win::HMENU handle) const;
    // Clicks the item of the command; false when no item has it.
    bool DispatchCommand(win::UINT command);
    // A submenu of this menu is about to show: its item clicks (OnPopup for the root) and the handle
    // is rebuilt from what that left.
    bool DispatchPopup(win::HMENU handle);
    // Clicks the enabled, visible item whose ShortCut is key with shift (searching submenus).
    bool IsShortCut(win::WORD key, TShiftState shift);

    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root) override;
    void SetChildOrder(classes::TComponent* child, int order) override;

protected:
    friend class TMenuItem;
    // A submenu (or the root) opens.
    virtual void DoPopup(TMenuItem* item);
    virtual void MenuChanged();
    void Notification(classes::TComponent* component, classes::TOperation operation) override;
    bool changed_ = true;

private:
    std::unique_ptr<TMenuItem> items_;
    TCustomImageList* images_ = nullptr;
    bool ownerDraw_ = false;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
enum TTrackButton { tbRightButton, tbLeftButton };
const classes::TTypeInfo& PopupAlignmentType();
const classes::TTypeInfo& TrackButtonType();

class TPopupMenu : public TMenu, public IPopupMenu {
public:
    explicit TPopupMenu(classes::TComponent* owner);
    ~TPopupMenu() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    std::int32_t QueryInterface(const classes::TGUID& iid, void** object) override;
    std::int32_t AddRef() override { return -1; }
    std::int32_t Release() override { return -1; }

    // Runs the menu at a screen point; the chosen item's OnClick runs after the menu closed.
    void Popup(int x, int y) override;
    bool AutoPopup() const override { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    classes::TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(classes::TComponent* value) override;
    bool IsShortCut(win::WORD key, TShiftState shift) override { return TMenu::IsShortCut(key, shift); }
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment value) { alignment_ = value; }
    TTrackButton TrackButton() const { return trackButton_; }
    void SetTrackButton(TTrackButton value) { trackButton_ = value; }
    // The window that receives the menu's messages.
    static win::HWND PopupListWindow();
    // Runs the sub-items of an item of a popup menu as a popup menu at a screen point (a tool button's
    // drop-down); false, showing nothing, for an item without sub-items or outside any popup menu.
    static bool PopupItems(TMenuItem* item, int x, int y);

    classes::TNotifyEvent OnPopup;

protected:
    void DoPopup(TMenuItem* item) override;
    void Notification(classes::TComponent* component, classes::TOperation operation) override;

private:
    classes::TComponent* popupComponent_ = nullptr;
    bool autoPopup_ = true;
    TPopupAlignment alignment_ = paLeft;
    TTrackButton trackButton_ = tbRightButton;
};

// TMenuItem, TMenu and TPopupMenu, for stored window data.
std::vector<const classes::TClassInfo*> MenuClasses();

}  // namespace gui
