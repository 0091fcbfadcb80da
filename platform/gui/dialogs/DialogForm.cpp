#include "platform/gui/dialogs/detail/DialogForm.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/Screen.h"
#include "platform/text/DrawText.h"
#include "platform/text/TextMetrics.h"
#include "platform/win/Activation.h"
#include "platform/win/Desktop.h"
#include "platform/win/Input.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"

namespace gui::detail {

namespace {

win::LOGFONT MessageFont()
{
    win::NONCLIENTMETRICS metrics;
    win::SystemParametersInfo(win::SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfMessageFont;
}

// A screen DC with the font selected, for as long as it lives.
class MeasuringDC {
public:
    explicit MeasuringDC(win::HFONT font) : dc_(win::GetDC(nullptr)), old_(win::SelectObject(dc_, font)) {}
    ~MeasuringDC()
    {
        win::SelectObject(dc_, old_);
        win::ReleaseDC(nullptr, dc_);
    }
    MeasuringDC(const MeasuringDC&) = delete;
    MeasuringDC& operator=(const MeasuringDC&) = delete;
    win::HDC Handle() const { return dc_; }

private:
    win::HDC dc_;
    win::HGDIOBJ old_;
};

DialogUnits UnitsOf(win::HFONT font)
{
    MeasuringDC dc(font);
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    win::SIZE extent{};
    win::GetTextExtentPoint32A(dc.Handle(), kLetters, 52, &extent);
    win::TEXTMETRIC metrics{};
    win::GetTextMetricsA(dc.Handle(), &metrics);
    return {(extent.cx / 26 + 1) / 2, metrics.tmHeight};
}

}  // namespace

int DialogUnits::X(int units) const
{
    return (units * baseX + 2) / 4;
}

int DialogUnits::Y(int units) const
{
    return (units * baseY + 4) / 8;
}

TDialogForm::TDialogForm(const std::string& caption) : TForm(nullptr)
{
    const win::LOGFONT messageFont = MessageFont();
    Font()->SetHandle(win::CreateFontIndirect(&messageFont));
    units_ = UnitsOf(Font()->Handle());
    SetBorderStyle(bsDialog);
    SetBorderIcons(1u << biSystemMenu);
    SetCaption(caption);
    SetPosition(poDesigned);
    SetPopupMode(pmAuto);
}

win::SIZE TDialogForm::MeasureText(const std::string& text, int maxWidth, win::UINT format) const
{
    MeasuringDC dc(Font()->Handle());
    win::RECT rect{0, 0, maxWidth, 0};
    win::DrawTextA(dc.Handle(), text.c_str(), int(text.size()), &rect, format | win::DT_CALCRECT);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

TButton* TDialogForm::AddButton(const std::string& caption, TModalResult result, int left, int top, int width, int height)
{
    auto* button = new TButton(this);
    button->SetParent(this);
    button->SetCaption(caption);
    button->SetModalResult(result);
    button->SetBounds(left, top, width, height);
    return button;
}

TLabel* TDialogForm::AddLabel(const std::string& caption, int left, int top, TWinControl* focusControl)
{
    auto* label = new TLabel(this);
    label->SetParent(this);
    label->SetCaption(caption);
    label->SetLeft(left);
    label->SetTop(top);
    label->SetFocusControl(focusControl);
    return label;
}

TEdit* TDialogForm::AddEdit(const std::string& text, int left, int top, int width, int height)
{
    auto* edit = new TEdit(this);
    edit->SetParent(this);
    edit->SetBounds(left, top, width, height);
    edit->SetText(text);
    return edit;
}

void TDialogForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    // The class style is the class's: a dialog without a close box has a class of its own.
    if (!closeAnswer_) {
        params.windowClass.style |= win::CS_NOCLOSE;
        params.winClassName += "NoClose";
    }
}

TModalResult TDialogForm::Execute(bool onScreen)
{
    win::RECT work = Screen()->WorkAreaRect();
    if (!onScreen) {
        if (win::HWND active = win::GetActiveWindow())
            work = Screen()->MonitorWorkArea(win::MonitorFromWindow(active, win::MONITOR_DEFAULTTONEAREST));
    }
    SetLeft(work.left + (work.right - work.left - Width()) / 2);
    SetTop(work.top + (work.bottom - work.top - Height()) / 2);
    return ShowModal();
}

void TDialogForm::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CM_DIALOGKEY:
        if (message.WParam == win::VK_ESCAPE) {
            if (closeAnswer_)
                SetModalResult(*closeAnswer_);
            message.Result = 1;
            return;
        }
        break;
    case win::WM_SYSCOMMAND:
        if ((message.WParam & 0xFFF0) == win::SC_CLOSE) {
            if (closeAnswer_)
                SetModalResult(*closeAnswer_);
            message.Result = 0;
            return;
        }
        break;
    default:
        break;
    }
    TForm::Dispatch(message);
}

}  // namespace gui::detail
