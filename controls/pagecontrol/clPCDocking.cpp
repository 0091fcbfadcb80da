// The page control as a dock site: every control dropped on it gets a sheet of its own, whose tab follows
// the control's text and visibility; a control that leaves takes its sheet with it. Also the messages and
// mouse actions that belong to docking, and the alignment of the pages.

#include "controls/pagecontrol/clPC.h"

#include "controls/pagecontrol/clPCPainters.h"
#include "controls/pagecontrol/detail/AliveGuard.h"

#include "platform/gui/core/Drag.h"
#include "platform/gui/core/Form.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

namespace pagecontrol {

using detail::AliveGuard;

namespace {

// A caption shows one line: the text up to its first line break.
std::string FirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

}  // namespace

gui::TControl* TclPageControl::DockedControl(const TclTabSheet* page) const
{
    if (!page) {
        return nullptr;
    }
    for (int i = 0; i < DockClientCount(); ++i) {
        gui::TControl* client = DockClients(i);
        if (client->Parent() == page) {
            return client;
        }
    }
    return nullptr;
}

TclTabSheet* TclPageControl::DockedPage(const gui::TControl* client) const
{
    for (TclTabSheet* page : pages_) {
        if (client && client->Parent() == page && client->HostDockSite() == this) {
            return page;
        }
    }
    return nullptr;
}

void TclPageControl::HandleDockClient(gui::TCMDockClient& message)
{
    gui::TControl* control = message.dockSource->Control();
    auto* sheet = new TclTabSheet(this);
    AliveGuard sheetLink(sheet);
    newDockSheet_ = sheet;
    try {
        if (auto* form = dynamic_cast<gui::TCustomForm*>(control)) {
            sheet->SetCaption(FirstLine(form->Caption()));
        }
        sheet->SetPageControl(this);
        control->Dock(this, message.dockSource->DockRect());
    } catch (...) {
        newDockSheet_ = nullptr;
        if (sheetLink.Alive()) {
            delete sheet;
        }
        throw;
    }
    newDockSheet_ = nullptr;
    if (!sheetLink.Alive()) {
        return;
    }
    const bool visible = control->Visible();
    sheet->SetTabVisible(visible);
    if (visible && sheetLink.Alive()) {
        SetActivePage(sheet);
    }
    control->SetAlign(gui::alClient);
}

void TclPageControl::DoAddDockClient(gui::TControl* client, const win::RECT& rect)
{
    if (newDockSheet_) {
        client->SetParent(newDockSheet_);
        return;
    }
    TclCustomTabControl::DoAddDockClient(client, rect);
}

void TclPageControl::HandleUnDockClient(gui::TWinControl*, gui::TControl* client)
{
    undockingPage_ = DockedPage(client);
    client->SetAlign(gui::alNone);
}

void TclPageControl::DoRemoveDockClient(gui::TControl*)
{
    TclTabSheet* page = undockingPage_;
    if (!page || IsDestroying() || destroying_) {
        return;
    }
    AliveGuard self(this);
    AliveGuard pageLink(page);
    if (page == activePage_) {
        SelectNeighbourPage(true, true);
    }
    if (!self.Alive() || !pageLink.Alive()) {
        return;
    }
    undockingPage_ = nullptr;
    page->Free();
}

void TclPageControl::HandleControlChange(gui::TControl* client, const gui::TDockNotifyRec& notify)
{
    TclTabSheet* page = DockedPage(client);
    if (!page) {
        return;
    }
    if (notify.clientMsg == win::WM_SETTEXT) {
        page->SetCaption(FirstLine(client->GetText()));
    } else if (notify.clientMsg == gui::CM_VISIBLECHANGED) {
        page->SetTabVisible(notify.msgWParam != 0);
    }
}

void TclPageControl::DockOver(gui::TDragDockObject* source, int x, int y, gui::TDragState state, bool& accept)
{
    win::RECT window{};
    if (HandleAllocated()) {
        win::GetWindowRect(Handle(), &window);
        source->SetDockRect(window);
    }
    TclCustomTabControl::DockOver(source, x, y, state, accept);
}

void TclPageControl::GetSiteInfo(gui::TControl* client, win::RECT& influenceRect, win::POINT mousePos, bool& canDock)
{
    TclCustomTabControl::GetSiteInfo(client, influenceRect, mousePos, canDock);
    canDock = canDock && !DockedPage(client);
}

void TclPageControl::MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y)
{
    AliveGuard self(this);
    TclCustomTabControl::MouseDown(button, shift, x, y);
    if (!self.Alive() || button != gui::mbLeft || gui::Has(shift, gui::ssDouble) || !Painter()) {
        return;
    }
    const int visibleIndex = VisibleIndexAt(x, y);
    if (visibleIndex == -1) {
        return;
    }
    if (gui::TControl* docked = DockedControl(PageOfTab(VisibleTabs().Tab(visibleIndex)))) {
        docked->BeginDrag(false);
    }
}

void TclPageControl::WndProc(win::TMessage& message)
{
    switch (message.Msg) {
    case gui::CM_DOCKCLIENT:
        message.Result = 0;
        HandleDockClient(*reinterpret_cast<gui::TCMDockClient*>(message.LParam));
        return;
    case gui::CM_UNDOCKCLIENT:
        message.Result = 0;
        HandleUnDockClient(reinterpret_cast<gui::TWinControl*>(message.WParam),
                           reinterpret_cast<gui::TControl*>(message.LParam));
        return;
    case gui::CM_DOCKNOTIFICATION:
        message.Result = 0;
        if (message.LParam) {
            HandleControlChange(reinterpret_cast<gui::TControl*>(message.WParam),
                                *reinterpret_cast<const gui::TDockNotifyRec*>(message.LParam));
        }
        return;
    case win::WM_LBUTTONDBLCLK: {
        const win::POINT point{win::GET_X_LPARAM(message.LParam), win::GET_Y_LPARAM(message.LParam)};
        const int visibleIndex = Painter() ? VisibleIndexAt(point.x, point.y) : -1;
        gui::TControl* docked =
            visibleIndex != -1 ? DockedControl(PageOfTab(VisibleTabs().Tab(visibleIndex))) : nullptr;
        if (docked) {
            // Floats where it is on the screen now.
            message.Result = 0;
            docked->ManualDock(nullptr);
            return;
        }
        break;
    }
    default:
        break;
    }
    TclCustomTabControl::WndProc(message);
}

void TclPageControl::AlignControls(gui::TControl* control, win::RECT& rect)
{
    // Hidden pages fill the page area too, so a page has its size before it first shows.
    win::RECT area = ClientRect();
    AdjustClientRect(area);
    for (TclTabSheet* page : pages_) {
        if (!page->Visible() && page->Align() == gui::alClient) {
            page->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
        }
    }
    TclCustomTabControl::AlignControls(control, rect);
    if (activePage_ && activePage_->BorderWidth() > 0 && Painter() && Painter()->IsNativePainting()) {
        activePage_->PaintBorder();
    }
}

}  // namespace pagecontrol
