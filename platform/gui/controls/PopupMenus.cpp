// TPopupMenu, and the hidden window that owns every popup menu while it shows: it hands the menu loop's
// messages to the menu whose items they name.

#include "platform/gui/controls/Menus.h"

#include "platform/gui/core/Application.h"
#include "platform/gui/core/Control.h"
#include "platform/gui/core/Screen.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/win/Menu.h"
#include "platform/win/ObjectInstance.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"

#include <algorithm>

namespace gui {

namespace {

class PopupList {
public:
    void Add(TPopupMenu* menu)
    {
        if (menus_.empty()) {
            window_ = win::AllocateHWnd([this](win::TMessage& message) { WndProc(message); });
        }
        menus_.push_back(menu);
    }
    void Remove(TPopupMenu* menu)
    {
        std::erase(menus_, menu);
        if (menus_.empty() && window_) {
            win::DeallocateHWnd(window_);
            window_ = nullptr;
        }
    }
    win::HWND Window() const { return window_; }

private:
    bool Alive(TPopupMenu* menu) const { return std::find(menus_.begin(), menus_.end(), menu) != menus_.end(); }

    // The first live menu for which found answers non-null, and that answer.
    template <class Find>
    TMenuItem* FindItem(Find found) const
    {
        for (TPopupMenu* menu : std::vector<TPopupMenu*>(menus_)) {
            if (!Alive(menu)) {
                continue;
            }
            if (TMenuItem* item = found(menu)) {
                return item;
            }
        }
        return nullptr;
    }

    void MenuSelect(win::WPARAM wParam, win::LPARAM lParam)
    {
        if (!Application()) {
            return;
        }
        const win::UINT flags = win::HIWORD(win::DWORD(wParam));
        const auto menu = reinterpret_cast<win::HMENU>(lParam);
        TMenuItem* item = nullptr;
        if (flags == 0xFFFF && !menu) {
            Application()->SetHint("");
            return;
        }
        if (flags & win::MF_POPUP) {
            const win::HMENU sub = win::GetSubMenu(menu, win::LOWORD(win::DWORD(wParam)));
            item = FindItem([&](TPopupMenu* m) { return m->FindItemByHandle(sub); });
        } else {
            item = FindItem([&](TPopupMenu* m) { return m->FindItemByCommand(win::LOWORD(win::DWORD(wParam))); });
        }
        Application()->SetHint(item ? GetLongHint(item->Hint()) : std::string());
    }

    void OwnerDraw(win::TMessage& message)
    {
        if (message.Msg == win::WM_MEASUREITEM) {
            auto* measure = reinterpret_cast<win::MEASUREITEMSTRUCT*>(message.LParam);
            TMenuItem* item = measure->CtlType == win::ODT_MENU
                                  ? FindItem([&](TPopupMenu* m) { return m->FindItemByCommand(measure->itemID); })
                                  : nullptr;
            if (!item) {
                return;
            }
            TCanvas canvas;
            win::HDC dc = win::GetDC(nullptr);
            canvas.SetHandle(dc);
            canvas.SetFont(Screen()->MenuFont());
            int width = int(measure->itemWidth);
            int height = int(measure->itemHeight);
            item->MeasureItem(&canvas, width, height);
            canvas.SetHandle(nullptr);
            win::ReleaseDC(nullptr, dc);
            measure->itemWidth = win::UINT(std::max(0, width));
            measure->itemHeight = win::UINT(std::max(0, height));
            message.Result = 1;
            return;
        }
        auto* draw = reinterpret_cast<win::DRAWITEMSTRUCT*>(message.LParam);
        TMenuItem* item = draw->CtlType == win::ODT_MENU
                              ? FindItem([&](TPopupMenu* m) { return m->FindItemByCommand(draw->itemID); })
                              : nullptr;
        if (!item) {
            return;
        }
        TCanvas canvas;
        canvas.SetHandle(draw->hDC);
        canvas.SetFont(Screen()->MenuFont());
        item->DrawItem(&canvas, draw->rcItem, (draw->itemState & win::ODS_SELECTED) != 0);
        canvas.SetHandle(nullptr);
        message.Result = 1;
    }

    void Dispatch(win::TMessage& message)
    {
        switch (message.Msg) {
        case win::WM_COMMAND: {
            const win::UINT command = win::LOWORD(win::DWORD(message.WParam));
            for (TPopupMenu* menu : std::vector<TPopupMenu*>(menus_)) {
                if (Alive(menu) && menu->DispatchCommand(command)) {
                    return;
                }
            }
            return;
        }
        case win::WM_INITMENUPOPUP:
            for (TPopupMenu* menu : std::vector<TPopupMenu*>(menus_)) {
                if (Alive(menu) && menu->DispatchPopup(reinterpret_cast<win::HMENU>(message.WParam))) {
                    return;
                }
            }
            return;
        case win::WM_MENUSELECT:
            MenuSelect(message.WParam, message.LParam);
            return;
        case win::WM_MEASUREITEM:
        case win::WM_DRAWITEM:
            OwnerDraw(message);
            return;
        default:
            message.Result = win::DefWindowProc(window_, message.Msg, message.WParam, message.LParam);
            return;
        }
    }

    void WndProc(win::TMessage& message)
    {
        try {
            Dispatch(message);
        } catch (...) {
            if (!Application()) {
                throw;
            }
            Application()->HandleException(nullptr);
        }
    }

    std::vector<TPopupMenu*> menus_;
    win::HWND window_ = nullptr;
};

PopupList& ThePopupList()
{
    static PopupList list;
    return list;
}

win::UINT AlignmentFlags(TPopupAlignment alignment)
{
    switch (alignment) {
    case paRight: return win::TPM_RIGHTALIGN;
    case paCenter: return win::TPM_CENTERALIGN;
    default: return win::TPM_LEFTALIGN;
    }
}

}  // namespace

const classes::TTypeInfo& PopupAlignmentType()
{
    static const classes::TTypeInfo type = classes::EnumType("TPopupAlignment", {"paLeft", "paRight", "paCenter"});
    return type;
}

const classes::TTypeInfo& TrackButtonType()
{
    static const classes::TTypeInfo type = classes::EnumType("TTrackButton", {"tbRightButton", "tbLeftButton"});
    return type;
}

TPopupMenu::TPopupMenu(classes::TComponent* owner) : TMenu(owner)
{
    ThePopupList().Add(this);
}

TPopupMenu::~TPopupMenu()
{
    ThePopupList().Remove(this);
}

const classes::TClassInfo& TPopupMenu::StaticClass()
{
    static const classes::TClassInfo info("TPopupMenu", &TMenu::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TPopupMenu>(c)
            .Implements<IPopupMenu>()
            .Property("Alignment", PopupAlignmentType(), &TPopupMenu::Alignment, &TPopupMenu::SetAlignment).Default(paLeft)
            .Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(1)
            .Property("TrackButton", TrackButtonType(), &TPopupMenu::TrackButton, &TPopupMenu::SetTrackButton)
            .Default(tbRightButton)
            .Property("OnPopup", classes::NotifyEventType(), &TPopupMenu::OnPopup);
    });
    return info;
}

std::int32_t TPopupMenu::QueryInterface(const classes::TGUID& iid, void** object)
{
    return classes::GetInterface(this, iid, object);
}

win::HWND TPopupMenu::PopupListWindow()
{
    return ThePopupList().Window();
}

void TPopupMenu::Popup(int x, int y)
{
    const win::UINT flags = AlignmentFlags(alignment_) | (trackButton_ == tbRightButton ? win::TPM_RIGHTBUTTON : win::TPM_LEFTBUTTON);
    win::TrackPopupMenu(Handle(), flags, x, y, 0, PopupListWindow(), nullptr);
}

bool TPopupMenu::PopupItems(TMenuItem* item, int x, int y)
{
    // Only a popup menu's items have their messages routed by the popup list's window.
    if (!item || item->Count() == 0 || !dynamic_cast<TPopupMenu*>(item->GetParentMenu())) {
        return false;
    }
    win::TrackPopupMenu(item->Handle(), win::TPM_LEFTALIGN | win::TPM_LEFTBUTTON, x, y, 0, PopupListWindow(), nullptr);
    return true;
}

void TPopupMenu::SetPopupComponent(classes::TComponent* value)
{
    if (value == popupComponent_) {
        return;
    }
    if (popupComponent_) {
        popupComponent_->RemoveFreeNotification(this);
    }
    popupComponent_ = value;
    if (value) {
        value->FreeNotification(this);
    }
}

void TPopupMenu::DoPopup(TMenuItem* item)
{
    if (item == Items()) {
        if (OnPopup) {
            OnPopup(this);
        }
        return;
    }
    TMenu::DoPopup(item);
}

void TPopupMenu::Notification(classes::TComponent* component, classes::TOperation operation)
{
    TMenu::Notification(component, operation);
    if (operation == classes::TOperation::Remove && component == popupComponent_) {
        popupComponent_ = nullptr;
    }
}

std::vector<const classes::TClassInfo*> MenuClasses()
{
    return {&TMenuItem::StaticClass(), &TMenu::StaticClass(), &TPopupMenu::StaticClass()};
}

}  // namespace gui
