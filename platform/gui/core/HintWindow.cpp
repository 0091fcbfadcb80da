#include "platform/gui/core/HintWindow.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/Screen.h"
#include "platform/text/DrawText.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

namespace gui {

namespace {

const classes::TClassInfo* hintWindowClass = nullptr;

}  // namespace

const classes::TClassInfo* HintWindowClass()
{
    return hintWindowClass ? hintWindowClass : &THintWindow::StaticClass();
}

void SetHintWindowClass(const classes::TClassInfo* cls)
{
    hintWindowClass = cls;
}

THintWindow::THintWindow(classes::TComponent* owner) : TCustomControl(owner)
{
    SetColor(clInfoBk);
    if (Screen()) {
        Canvas()->SetFont(Screen()->HintFont());
        SetFont(Screen()->HintFont());
    }
    SetVisible(false);
}

const classes::TClassInfo& THintWindow::StaticClass()
{
    static const classes::TClassInfo info("THintWindow", &TCustomControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<THintWindow>{c};
    });
    return info;
}

void THintWindow::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.style = win::WS_POPUP | win::WS_BORDER;
    params.exStyle = win::WS_EX_TOOLWINDOW | win::WS_EX_TOPMOST;
    params.windowClass.style |= win::CS_SAVEBITS;
    params.wndParent = nullptr;
}

win::RECT THintWindow::CalcHintRect(int maxWidth, const std::string& hint, void*)
{
    win::RECT rect{0, 0, maxWidth, 0};
    Canvas()->SetFont(Screen() ? Screen()->HintFont() : Font());
    win::DrawTextA(Canvas()->Handle(), hint.c_str(), -1, &rect,
                  win::DT_CALCRECT | win::DT_LEFT | win::DT_WORDBREAK | win::DT_NOPREFIX);
    rect.right += 6;
    rect.bottom += 2;
    return rect;
}

void THintWindow::ActivateHint(win::RECT rect, const std::string& hint)
{
    SetCaption(hint);
    rect.bottom += 4;
    SetBoundsRect(rect);
    // Kept in the work area of the monitor it would show on.
    const win::RECT work = Screen() ? Screen()->MonitorWorkArea(Screen()->MonitorFromPoint({rect.left, rect.top}, 2))
                                    : win::RECT{};
    int left = std::max<int>(std::min<int>(rect.left, work.right - Width()), work.left);
    int top = std::max<int>(std::min<int>(rect.top, work.bottom - Height()), work.top);
    win::SetWindowPos(Handle(), win::HWND_TOPMOST, left, top, Width(), Height(),
                      win::SWP_SHOWWINDOW | win::SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::ActivateHintData(const win::RECT& rect, const std::string& hint, void*)
{
    ActivateHint(rect, hint);
}

bool THintWindow::IsHintMsg(const win::MSG& msg) const
{
    switch (msg.message) {
    case win::WM_KEYDOWN:
    case win::WM_KEYUP:
    case win::WM_CHAR:
    case win::WM_SYSKEYDOWN:
    case win::WM_SYSKEYUP:
    case win::WM_SYSCHAR:
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN:
    case win::WM_MBUTTONDOWN:
    case win::WM_NCLBUTTONDOWN:
    case win::WM_NCRBUTTONDOWN:
    case win::WM_NCMBUTTONDOWN:
    case win::WM_ACTIVATE:
    case win::WM_ACTIVATEAPP:
    case CM_ACTIVATE:
    case CM_DEACTIVATE:
        return HandleAllocated() && win::IsWindowVisible(const_cast<THintWindow*>(this)->Handle());
    default:
        return false;
    }
}

void THintWindow::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_NCHITTEST:
        message.Result = win::HTTRANSPARENT;
        return;
    case win::WM_NCPAINT: {
        win::HDC dc = win::GetWindowDC(Handle());
        win::RECT rect{0, 0, Width(), Height()};
        win::DrawEdge(dc, &rect, win::BDR_RAISEDOUTER, win::BF_RECT | win::BF_MONO);
        win::ReleaseDC(Handle(), dc);
        return;
    }
    case win::WM_MOUSEACTIVATE:
        message.Result = 3;  // MA_NOACTIVATE
        return;
    default:
        TCustomControl::Dispatch(message);
        return;
    }
}

void THintWindow::Paint()
{
    win::RECT rect = ClientRect();
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(rect);
    rect.left += 2;
    rect.top += 2;
    Canvas()->Font()->SetColor(clInfoText);
    Canvas()->Brush()->SetStyle(bsClear);
    win::DrawTextA(Canvas()->Handle(), Caption().c_str(), -1, &rect, win::DT_LEFT | win::DT_NOPREFIX | win::DT_WORDBREAK);
}

}  // namespace gui
