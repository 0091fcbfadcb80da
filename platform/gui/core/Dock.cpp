// Docking: a control moves into a dock site (ManualDock, or a dock drag dropped on the site), out of it
// into a floating host form or the open (ManualFloat), and the sites hear of their clients coming,
// going and changing (CM_DOCKCLIENT, CM_UNDOCKCLIENT, CM_DOCKNOTIFICATION).

#include "platform/gui/core/Application.h"
#include "platform/gui/core/Control.h"
#include "platform/gui/core/DockForm.h"
#include "platform/gui/core/Drag.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/WinControl.h"
#include "platform/win/WindowPos.h"

#include <algorithm>

namespace gui {

bool TControl::Floating() const
{
    if (hostDockSite_) {
        return dynamic_cast<TCustomDockForm*>(hostDockSite_) != nullptr;
    }
    return floatingDockSiteClass_ == nullptr && !parent_;
}

bool TControl::ManualDock(TWinControl* target, TControl* dropControl, TAlign side)
{
    if (!target) {
        win::POINT origin{left_, top_};
        if (parent_) {
            origin = parent_->ClientToScreen(origin);
        }
        return ManualFloat({origin.x, origin.y, origin.x + UndockWidth(), origin.y + UndockHeight()});
    }
    if (hostDockSite_ && !hostDockSite_->DoUnDock(target, this)) {
        return false;
    }
    TDragDockObject dock(this);
    dock.SetTarget(target);
    dock.SetDropAlign(side);
    dock.SetDropOnControl(dropControl);
    dock.SetFloating(false);
    const win::RECT rect = dock.DockRect();
    const win::POINT at = target->ScreenToClient({rect.left, rect.top});
    target->DockDrop(&dock, at.x, at.y);
    return true;
}

bool TControl::ManualFloat(const win::RECT& screenRect)
{
    if (hostDockSite_ && !hostDockSite_->DoUnDock(nullptr, this)) {
        return false;
    }
    TWinControl* host = nullptr;
    if (floatingDockSiteClass_ && floatingDockSiteClass_ != &ClassType() && floatingDockSiteClass_->createComponent) {
        host = dynamic_cast<TWinControl*>(floatingDockSiteClass_->createComponent(Application()));
    }
    if (host) {
        host->SetBounds(screenRect.left, screenRect.top, host->Width(), host->Height());
        host->SetClientWidth(screenRect.right - screenRect.left);
        host->SetClientHeight(screenRect.bottom - screenRect.top);
        Dock(host, {0, 0, host->ClientWidth(), host->ClientHeight()});
        host->Show();
    } else {
        Dock(nullptr, screenRect);
    }
    SetVisible(true);
    return true;
}

void TControl::Dock(TWinControl* site, const win::RECT& rect)
{
    if (hostDockSite_ != site) {
        if (hostDockSite_) {
            std::erase(hostDockSite_->dockClients_, this);
        }
        if (site && site->DockSite()) {
            site->dockClients_.push_back(this);
        }
    }
    controlState_ |= csDocking;
    struct Clear {
        TControl& control;
        ~Clear() { control.controlState_ &= ~csDocking; }
    } clear{*this};
    TWinControl* oldSite = hostDockSite_;
    win::RECT bounds = rect;
    DoDock(site, bounds);
    if (site) {
        site->DoAddDockClient(this, bounds);
    } else if (parent_) {
        SetParent(nullptr);
    }
    hostDockSite_ = site && site->DockSite() ? site : nullptr;
    if (oldSite && oldSite != site) {
        oldSite->DoRemoveDockClient(this);
    }
}

void TWinControl::DoAddDockClient(TControl* client, const win::RECT&)
{
    if (client->Parent() != this) {
        client->SetParent(this);
    }
}

void TControl::DoDock(TWinControl*, win::RECT& rect)
{
    SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void TWinControl::DockDrop(TDragDockObject* source, int x, int y)
{
    TCMDockClient dock{source, {x, y}};
    Perform(CM_DOCKCLIENT, 0, reinterpret_cast<win::LPARAM>(&dock));
    if (OnDockDrop) {
        OnDockDrop(this, source, x, y);
    }
}

void TWinControl::DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept)
{
    if (OnDockOver) {
        OnDockOver(this, source, x, y, state, accept);
    }
}

bool TWinControl::DoUnDock(TWinControl* newTarget, TControl* client)
{
    bool allow = true;
    if (OnUnDock) {
        OnUnDock(this, client, newTarget, allow);
    }
    if (allow) {
        Perform(CM_UNDOCKCLIENT, reinterpret_cast<win::WPARAM>(newTarget), reinterpret_cast<win::LPARAM>(client));
    }
    return allow;
}

void TWinControl::GetSiteInfo(TControl*, win::RECT& influenceRect, win::POINT, bool& canDock)
{
    canDock = true;
    if (handle_) {
        win::GetWindowRect(handle_, &influenceRect);
    } else {
        const win::POINT origin = ClientOrigin();
        influenceRect = {origin.x, origin.y, origin.x + width_, origin.y + height_};
    }
}

void TWinControl::SetParent(TWinControl* parent)
{
    if (parent == Parent()) {
        return;
    }
    // A top-level window becoming a child (or the other way) is made again with the other styles.
    if (handle_ && !Parent() && parent) {
        DestroyHandle();
    }
    TControl::SetParent(parent);
    if (!parent) {
        UpdateControlState();
    }
}

}  // namespace gui
