#include "platform/gui/core/DockForm.h"

#include "platform/gui/core/Messages.h"

namespace gui {

TCustomDockForm::TCustomDockForm(classes::TComponent* owner) : TCustomForm(owner)
{
    SetBorderStyle(bsSizeToolWin);
    SetFormStyle(fsStayOnTop);
    SetDockSite(true);
    SetDragKind(dkDock);
    SetAutoScroll(false);
}

const classes::TClassInfo& TCustomDockForm::StaticClass()
{
    static const classes::TClassInfo info("TCustomDockForm", &TCustomForm::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TCustomDockForm>{c}; });
    return info;
}

void TCustomDockForm::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CM_CONTROLCHANGE:
        TCustomForm::Dispatch(message);
        // The client it was made for came in: it fills the host, whose caption is the client's.
        if (message.LParam) {
            auto* client = reinterpret_cast<TControl*>(message.WParam);
            client->SetAlign(alClient);
            SetCaption(client->Caption());
        }
        return;
    case CM_UNDOCKCLIENT:
        TCustomForm::Dispatch(message);
        // The last client leaves: the host has nothing to hold.
        if (DockClientCount() <= 1) {
            Hide();
            Release();
        }
        return;
    case CM_DOCKNOTIFICATION: {
        const auto* notify = reinterpret_cast<const TDockNotifyRec*>(message.LParam);
        if (notify && notify->clientMsg == win::WM_SETTEXT) {
            SetCaption(reinterpret_cast<TControl*>(message.WParam)->Caption());
        } else if (notify && notify->clientMsg == CM_VISIBLECHANGED) {
            SetVisible(notify->msgWParam != 0);
        }
        return;
    }
    default:
        TCustomForm::Dispatch(message);
        return;
    }
}

}  // namespace gui
