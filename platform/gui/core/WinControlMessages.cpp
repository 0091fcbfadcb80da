// The message handling of TWinControl: the window procedure's common work, painting, keys and focus,
// notifications reflected to the controls of child windows, and the window's default handling.

#include "platform/gui/core/WinControl.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Shapes.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Drag.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/PopupMenu.h"
#include "platform/gui/core/Screen.h"
#include "platform/gui/core/detail/Dispatching.h"
#include "platform/win/Cursor.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/Points.h"

#include <algorithm>
#include <vector>

namespace gui {

namespace {

constexpr win::UINT VK_EXECUTE = 0x2B;

void MoveWindowOrg(win::HDC dc, int dx, int dy)
{
    win::POINT origin;
    win::GetWindowOrgEx(dc, &origin);
    win::SetWindowOrgEx(dc, origin.x - dx, origin.y - dy, nullptr);
}

}  // namespace

void TWinControl::WndProc(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this); form && !form->SetFocusedControl(this)) {
            return;
        }
        break;
    case win::WM_KILLFOCUS:
        if (controlState_ & csFocusing) {
            return;
        }
        break;
    case win::WM_NCHITTEST:
        TControl::WndProc(message);
        if (message.Result == win::HTTRANSPARENT && ControlAtPos(ScreenToClient(win::PointOf(message.LParam)), false)) {
            message.Result = win::HTCLIENT;
        }
        return;
    case win::WM_CANCELMODE:
        if (TControl* capture = GetCaptureControl(); capture && capture != this && capture->Parent() == this) {
            capture->Perform(win::WM_CANCELMODE);
        }
        break;
    default:
        if (message.Msg >= win::WM_KEYFIRST && message.Msg <= win::WM_KEYLAST && Dragging()) {
            return;
        }
        if (win::IsClientMouseMessage(message.Msg) && IsControlMouseMsg(message)) {
            if (message.Result == 0 && handle_) {
                win::DefWindowProc(handle_, message.Msg, message.WParam, message.LParam);
            }
            return;
        }
        break;
    }
    TControl::WndProc(message);
}

bool TWinControl::IsControlMouseMsg(win::TMessage& message)
{
    TControl* control = nullptr;
    if (handle_ && win::GetCapture() == handle_) {
        if (TControl* capture = GetCaptureControl(); capture && capture != this && capture->Parent() == this) {
            control = capture;
        }
    } else {
        control = ControlAtPos(win::PointOf(message.LParam), false);
    }
    if (!control) {
        return false;
    }
    const win::POINT pt = win::PointOf(message.LParam);
    message.Result = control->Perform(message.Msg, message.WParam,
                                      win::MAKELPARAM(win::WORD(pt.x - control->Left()), win::WORD(pt.y - control->Top())));
    return true;
}

void TWinControl::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_PAINT:
        if (!doubleBuffered_ || message.WParam != 0) {
            if (!(controlState_ & csCustomPaint) && controls_.empty()) {
                DefaultHandler(message);
            } else {
                PaintHandler(message);
            }
            return;
        } else {
            // Into a bitmap first, then onto the window at once: no flicker of the erased background.
            const win::RECT client = ClientRect();
            win::HDC screen = win::GetDC(nullptr);
            win::HBITMAP bitmap = win::CreateCompatibleBitmap(screen, std::max<int>(client.right, 1),
                                                              std::max<int>(client.bottom, 1));
            win::ReleaseDC(nullptr, screen);
            win::HDC memory = win::CreateCompatibleDC(nullptr);
            win::HGDIOBJ old = win::SelectObject(memory, bitmap);
            win::PAINTSTRUCT paint;
            win::HDC dc = win::BeginPaint(handle_, &paint);
            Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(memory), reinterpret_cast<win::LPARAM>(memory));
            win::TMessage inner{win::WM_PAINT, reinterpret_cast<win::WPARAM>(memory), 0, 0};
            Dispatch(inner);
            win::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, win::SRCCOPY);
            win::EndPaint(handle_, &paint);
            win::SelectObject(memory, old);
            win::DeleteDC(memory);
            win::DeleteObject(bitmap);
            return;
        }
    case win::WM_ERASEBKGND: {
        auto* dc = reinterpret_cast<win::HDC>(message.WParam);
        if (!(ControlStyle() & csOpaque) && (!doubleBuffered_ || message.WParam == win::WPARAM(message.LParam))) {
            if (ParentBackground() && parent_) {
                // The parent's picture behind this control.
                const int saved = win::SaveDC(dc);
                parent_->controlState_ |= csPaintCopy;
                MoveWindowOrg(dc, -left_, -top_);
                parent_->Perform(win::WM_ERASEBKGND, message.WParam, message.WParam);
                parent_->Perform(win::WM_PAINT, message.WParam, 0);
                parent_->controlState_ &= ~csPaintCopy;
                win::RestoreDC(dc, saved);
            } else {
                const win::RECT client = ClientRect();
                win::FillRect(dc, &client, brush_->Handle());
            }
        }
        message.Result = 1;
        return;
    }
    case win::WM_PRINTCLIENT:
        if (message.LParam & win::PRF_ERASEBKGND) {
            Perform(win::WM_ERASEBKGND, message.WParam, message.WParam);
        }
        if (message.LParam & win::PRF_CLIENT) {
            win::TMessage paint{win::WM_PAINT, message.WParam, 0, 0};
            PaintHandler(paint);
        }
        return;
    case win::WM_NCDESTROY:
        DefaultHandler(message);
        handle_ = nullptr;
        showing_ = false;
        mouseTracked_ = false;
        return;
    case win::WM_WINDOWPOSCHANGED:
        if (!(controlState_ & csDestroyingHandle)) {
            UpdateBounds();
        }
        DefaultHandler(message);
        return;
    case win::WM_SIZE:
        UpdateBounds();
        DefaultHandler(message);
        Realign();
        if (!HasState(classes::csLoading)) {
            Resize();
        }
        return;
    case win::WM_MOVE:
        DefaultHandler(message);
        UpdateBounds();
        return;
    case win::WM_KEYDOWN:
    case win::WM_SYSKEYDOWN:
        if (!DoKeyDown(message)) {
            DefaultHandler(message);
        }
        return;
    case win::WM_KEYUP:
    case win::WM_SYSKEYUP:
        if (!DoKeyUp(message)) {
            DefaultHandler(message);
        }
        return;
    case win::WM_CHAR:
        if (!DoKeyPress(message)) {
            DefaultHandler(message);
        }
        return;
    case CN_KEYDOWN:
    case CN_CHAR:
    case CN_SYSKEYDOWN:
    case CN_SYSCHAR:
        return HandleKeyMessage(message);
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        Broadcast(message);
        return;
    case CM_CHILDKEY:
        message.Result = parent_ ? parent_->Perform(CM_CHILDKEY, message.WParam, message.LParam) : 0;
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case CM_FOCUSCHANGED:
        Broadcast(message);
        return;
    case CM_ENABLEDCHANGED:
        if (!Enabled() && parent_) {
            RemoveFocus(false);
        }
        if (handle_ && !HasState(classes::csDesigning)) {
            win::EnableWindow(handle_, Enabled() ? win::TRUE : win::FALSE);
        }
        Invalidate();
        return;
    case CM_VISIBLECHANGED:
        if (!Visible() && parent_) {
            RemoveFocus(false);
        }
        if (!HasState(classes::csDesigning)) {
            UpdateControlState();
        }
        return;
    case CM_SHOWINGCHANGED:
        win::SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                          (showing_ ? win::SWP_SHOWWINDOW : win::SWP_HIDEWINDOW) | win::SWP_NOSIZE | win::SWP_NOMOVE |
                              win::SWP_NOZORDER | win::SWP_NOACTIVATE);
        return;
    case CM_COLORCHANGED:
        brush_->SetColor(Color());
        NotifyControls(CM_PARENTCOLORCHANGED);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        if (handle_) {
            Perform(win::WM_SETFONT, reinterpret_cast<win::WPARAM>(Font()->Handle()), 0);
        }
        NotifyControls(CM_PARENTFONTCHANGED);
        Invalidate();
        return;
    case CM_CTL3DCHANGED:
        NotifyControls(CM_PARENTCTL3DCHANGED);
        return;
    case CM_PARENTCTL3DCHANGED:
        if (parentCtl3D_ && parent_) {
            SetCtl3D(parent_->Ctl3D());
            parentCtl3D_ = true;
        }
        return;
    case CM_SHOWHINTCHANGED:
        NotifyControls(CM_PARENTSHOWHINTCHANGED);
        return;
    case CM_SYSCOLORCHANGE:
    case CM_WININICHANGE:
    case CM_FONTCHANGE:
    case CM_TIMECHANGE:
    case CM_SYSFONTCHANGED:
        NotifyControls(message.Msg);
        return;
    case win::WM_SYSCOLORCHANGE:
        DefaultHandler(message);
        NotifyControls(CM_SYSCOLORCHANGE);
        return;
    case win::WM_SETTINGCHANGE:
        DefaultHandler(message);
        NotifyControls(CM_WININICHANGE);
        return;
    case win::WM_FONTCHANGE:
        DefaultHandler(message);
        NotifyControls(CM_FONTCHANGE);
        return;
    case win::WM_TIMECHANGE:
        DefaultHandler(message);
        NotifyControls(CM_TIMECHANGE);
        return;
    case CM_RECREATEWND: {
        const bool hadFocus = Focused();
        DestroyHandle();
        UpdateControlState();
        if (hadFocus && handle_ && CanFocus()) {
            win::SetFocus(handle_);
        }
        return;
    }
    case CM_CONTROLLISTCHANGE:
        if (parent_) {
            parent_->Perform(CM_CONTROLLISTCHANGE, message.WParam, message.LParam);
        }
        return;
    case CM_CONTROLCHANGE:
        return;
    case win::WM_COMMAND:
    case win::WM_HSCROLL:
    case win::WM_VSCROLL:
    case win::WM_CHARTOITEM:
    case win::WM_VKEYTOITEM:
        return ReflectToChild(message, reinterpret_cast<win::HWND>(message.LParam));
    case win::WM_NOTIFY: {
        const auto* header = reinterpret_cast<const win::NMHDR*>(message.LParam);
        return ReflectToChild(message, header ? header->hwndFrom : nullptr);
    }
    case win::WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const win::DRAWITEMSTRUCT*>(message.LParam);
        return ReflectToChild(message, item && item->CtlType != win::ODT_MENU ? item->hwndItem : nullptr);
    }
    case win::WM_DELETEITEM: {
        const auto* item = reinterpret_cast<const win::DELETEITEMSTRUCT*>(message.LParam);
        return ReflectToChild(message, item ? item->hwndItem : nullptr);
    }
    case win::WM_COMPAREITEM: {
        const auto* item = reinterpret_cast<const win::COMPAREITEMSTRUCT*>(message.LParam);
        return ReflectToChild(message, item ? item->hwndItem : nullptr);
    }
    case win::WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<const win::MEASUREITEMSTRUCT*>(message.LParam);
        win::HWND child = nullptr;
        if (item && item->CtlType != win::ODT_MENU) {
            for (TWinControl* control : winControls_) {
                if (control->handle_ && win::UINT(win::GetWindowLongPtr(control->handle_, win::GWL_ID)) == item->CtlID) {
                    child = control->handle_;
                }
            }
        }
        return ReflectToChild(message, child);
    }
    case win::WM_SETCURSOR:
        if (reinterpret_cast<win::HWND>(message.WParam) == handle_ &&
            static_cast<std::int16_t>(win::LOWORD(message.LParam)) == win::HTCLIENT && Screen()) {
            TCursor cursor = Screen()->Cursor();
            if (cursor == crDefault) {
                win::POINT pt;
                win::GetCursorPos(&pt);
                if (TControl* control = ControlAtPos(ScreenToClient(pt), false)) {
                    cursor = control->Cursor();
                }
                if (cursor == crDefault) {
                    cursor = Cursor();
                }
            }
            if (cursor != crDefault) {
                win::SetCursor(Screen()->Cursors(cursor));
                message.Result = 1;
                return;
            }
        }
        DefaultHandler(message);
        return;
    case win::WM_MOUSEMOVE:
        if (handle_ && !mouseTracked_) {
            win::TRACKMOUSEEVENT track;
            track.dwFlags = win::TME_LEAVE;
            track.hwndTrack = handle_;
            mouseTracked_ = win::TrackMouseEvent(&track) != win::FALSE;
        }
        TControl::Dispatch(message);
        return;
    case win::WM_MOUSELEAVE:
        mouseTracked_ = false;
        if (Application()) {
            Application()->MouseLeftWindow(this);
        }
        DefaultHandler(message);
        return;
    case win::WM_CONTEXTMENU: {
        if (message.Result != 0) {
            return;
        }
        const win::POINT pt = win::PointOf(message.LParam);
        if (!(pt.x == -1 && pt.y == -1)) {
            if (TControl* control = ControlAtPos(ScreenToClient(pt), false)) {
                message.Result = control->Perform(win::WM_CONTEXTMENU, 0, message.LParam);
                if (message.Result != 0) {
                    return;
                }
            }
        }
        TControl::Dispatch(message);
        return;
    }
    case CM_DOCKCLIENT:
    case CM_UNDOCKCLIENT:
    case CM_DOCKNOTIFICATION:
        message.Result = 0;
        if (message.Msg == CM_DOCKCLIENT) {
            auto* dock = reinterpret_cast<TCMDockClient*>(message.LParam);
            win::RECT rect = dock->dockSource->DockRect();
            win::POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
            if (handle_) {
                win::MapWindowPoints(nullptr, handle_, corners, 2);
            }
            rect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
            DisableAlign();
            dock->dockSource->Control()->Dock(this, rect);
            EnableAlign();
        }
        return;
    default:
        TControl::Dispatch(message);
        return;
    }
}

void TWinControl::ReflectToChild(win::TMessage& message, win::HWND child)
{
    if (TWinControl* control = FindControl(child); control && control != this) {
        message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
        return;
    }
    DefaultHandler(message);
}

void TWinControl::DefaultHandler(win::TMessage& message)
{
    if (!handle_) {
        TControl::DefaultHandler(message);
        return;
    }
    if (message.Msg == win::WM_CONTEXTMENU && parent_) {
        message.Result = parent_->Perform(message.Msg, message.WParam, message.LParam);
        if (message.Result != 0) {
            return;
        }
    }
    if (message.Msg >= win::WM_CTLCOLORMSGBOX && message.Msg <= win::WM_CTLCOLORSTATIC) {
        message.Result = win::SendMessage(reinterpret_cast<win::HWND>(message.LParam), CN_BASE + message.Msg,
                                          message.WParam, message.LParam);
        return;
    }
    if (message.Msg >= CN_CTLCOLORMSGBOX && message.Msg <= CN_CTLCOLORSTATIC) {
        auto* dc = reinterpret_cast<win::HDC>(message.WParam);
        win::SetTextColor(dc, ColorToRGB(Font()->Color()));
        win::SetBkColor(dc, ColorToRGB(brush_->Color()));
        message.Result = reinterpret_cast<win::LRESULT>(brush_->Handle());
        return;
    }
    message.Result = win::CallWindowProc(defWndProc_, handle_, message.Msg, message.WParam, message.LParam);
}

// --- painting ---

void TWinControl::PaintHandler(win::TMessage& message)
{
    auto* dc = reinterpret_cast<win::HDC>(message.WParam);
    win::PAINTSTRUCT paint;
    if (!dc) {
        dc = win::BeginPaint(handle_, &paint);
    }
    if (controls_.empty()) {
        PaintWindow(dc);
    } else {
        const int saved = win::SaveDC(dc);
        int clip = win::SIMPLEREGION;
        for (TControl* control : controls_) {
            if (control->Visible() && (control->ControlStyle() & csOpaque)) {
                clip = win::ExcludeClipRect(dc, control->Left(), control->Top(), control->Left() + control->Width(),
                                            control->Top() + control->Height());
                if (clip == win::NULLREGION) {
                    break;
                }
            }
        }
        if (clip != win::NULLREGION) {
            PaintWindow(dc);
        }
        win::RestoreDC(dc, saved);
    }
    PaintControls(dc, nullptr);
    if (!message.WParam) {
        win::EndPaint(handle_, &paint);
    }
}

void TWinControl::PaintWindow(win::HDC dc)
{
    win::TMessage message{win::WM_PAINT, reinterpret_cast<win::WPARAM>(dc), 0, 0};
    DefaultHandler(message);
}

void TWinControl::PaintControls(win::HDC dc, TControl* first)
{
    auto from = first ? std::find(controls_.begin(), controls_.end(), first) : controls_.begin();
    if (from == controls_.end()) {
        from = controls_.begin();
    }
    // A child's painting may free it or a sibling: the ones to paint are taken first, and each is painted
    // only while it is still a child.
    const std::vector<TControl*> order(from, controls_.end());
    for (TControl* control : order) {
        if (!HasChild(control)) {
            continue;
        }
        const win::RECT bounds = control->BoundsRect();
        if (!control->Visible() || !win::RectVisible(dc, &bounds)) {
            continue;
        }
        if (controlState_ & csPaintCopy) {
            control->controlState_ |= csPaintCopy;
        }
        const int saved = win::SaveDC(dc);
        MoveWindowOrg(dc, bounds.left, bounds.top);
        win::IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
        detail::DispatchScope scope(control);
        control->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(dc), 0);
        win::RestoreDC(dc, saved);
        if (scope.Alive()) {
            control->controlState_ &= ~csPaintCopy;
        }
    }
    for (TWinControl* child : winControls_) {
        if (child->ctl3D_ && (child->ControlStyle() & csFramed) && child->Visible()) {
            win::HBRUSH shadow = win::CreateSolidBrush(ColorToRGB(clBtnShadow));
            const win::RECT outer{child->left_ - 1, child->top_ - 1, child->left_ + child->width_, child->top_ + child->height_};
            win::FrameRect(dc, &outer, shadow);
            win::DeleteObject(shadow);
            win::HBRUSH light = win::CreateSolidBrush(ColorToRGB(clBtnHighlight));
            const win::RECT inner{child->left_, child->top_, child->left_ + child->width_ + 1, child->top_ + child->height_ + 1};
            win::FrameRect(dc, &inner, light);
            win::DeleteObject(light);
        }
    }
}

// --- keys ---

void TWinControl::HandleKeyMessage(win::TMessage& message)
{
    detail::DispatchScope scope(this);
    TCustomForm* form = GetParentForm(this);
    const auto key = win::WORD(message.WParam);
    switch (message.Msg) {
    case CN_KEYDOWN: {
        message.Result = 1;
        if (IsMenuKey(message) || !scope.Alive()) {
            return;
        }
        if (HasState(classes::csDesigning)) {
            break;
        }
        if (Perform(CM_CHILDKEY, key, reinterpret_cast<win::LPARAM>(this)) != 0 || !scope.Alive()) {
            return;
        }
        win::LRESULT mask = 0;
        switch (key) {
        case win::VK_TAB:
            mask = win::DLGC_WANTTAB;
            break;
        case win::VK_LEFT:
        case win::VK_RIGHT:
        case win::VK_UP:
        case win::VK_DOWN:
            mask = win::DLGC_WANTARROWS;
            break;
        case win::VK_RETURN:
        case VK_EXECUTE:
        case win::VK_ESCAPE:
        case win::VK_CANCEL:
            mask = win::DLGC_WANTALLKEYS;
            break;
        default:
            break;
        }
        if (mask != 0 && Perform(CM_WANTSPECIALKEY, key) == 0 && (Perform(win::WM_GETDLGCODE) & mask) == 0 && form &&
            form->Perform(CM_DIALOGKEY, key, message.LParam) != 0) {
            return;
        }
        break;
    }
    case CN_CHAR:
        message.Result = 1;
        if (!HasState(classes::csDesigning) && (Perform(win::WM_GETDLGCODE) & win::DLGC_WANTCHARS) == 0 && form &&
            form->Perform(CM_DIALOGCHAR, key, message.LParam) != 0) {
            return;
        }
        break;
    case CN_SYSKEYDOWN:
        message.Result = 1;
        if (IsMenuKey(message)) {
            return;
        }
        break;
    case CN_SYSCHAR:
        message.Result = (key != win::VK_SPACE && form) ? form->Perform(CM_DIALOGCHAR, key, message.LParam) : 0;
        return;
    default:
        break;
    }
    if (scope.Alive()) {
        message.Result = 0;
    }
}

bool TWinControl::IsMenuKey(win::TMessage& message)
{
    if (HasState(classes::csDesigning)) {
        return false;
    }
    const auto key = win::WORD(message.WParam);
    const TShiftState shift = KeyDataToShiftState(message.LParam);
    for (TControl* control = this; control; control = control->Parent()) {
        if (auto* popup = classes::Supports<IPopupMenu>(control->PopupMenu()); popup && popup->IsShortCut(key, shift)) {
            return true;
        }
    }
    TCustomForm* form = GetParentForm(this);
    return form && form->IsShortCut(key, shift);
}

bool TWinControl::DoKeyDown(win::TMessage& message)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyDown(message)) {
        return true;
    }
    if (!(ControlStyle() & csNoStdEvents)) {
        auto key = win::WORD(message.WParam);
        KeyDown(key, KeyDataToShiftState(message.LParam));
        message.WParam = key;
        if (key == 0) {
            return true;
        }
    }
    return false;
}

bool TWinControl::DoKeyUp(win::TMessage& message)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyUp(message)) {
        return true;
    }
    if (!(ControlStyle() & csNoStdEvents)) {
        auto key = win::WORD(message.WParam);
        KeyUp(key, KeyDataToShiftState(message.LParam));
        message.WParam = key;
        if (key == 0) {
            return true;
        }
    }
    return false;
}

bool TWinControl::DoKeyPress(win::TMessage& message)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyPress(message)) {
        return true;
    }
    if (!(ControlStyle() & csNoStdEvents)) {
        char key = char(message.WParam);
        KeyPress(key);
        message.WParam = static_cast<unsigned char>(key);
        if (key == 0) {
            return true;
        }
    }
    return false;
}

void TWinControl::KeyDown(win::WORD& key, TShiftState shift)
{
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
    }
}

void TWinControl::KeyPress(char& key)
{
    if (OnKeyPress) {
        OnKeyPress(this, key);
    }
}

void TWinControl::KeyUp(win::WORD& key, TShiftState shift)
{
    if (OnKeyUp) {
        OnKeyUp(this, key, shift);
    }
}

void TWinControl::DoEnter()
{
    if (OnEnter) {
        OnEnter(this);
    }
}

void TWinControl::DoExit()
{
    if (OnExit) {
        OnExit(this);
    }
}

}  // namespace gui
