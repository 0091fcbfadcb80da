#include "platform/gui/core/Screen.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/core/DataModule.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/Messages.h"
#include "platform/win/Activation.h"
#include "platform/win/Cursor.h"
#include "platform/win/HitTest.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"

#include <algorithm>
#include <array>

namespace gui {

namespace {

struct CursorSource {
    TCursor id;
    const char* system;    // an IDC_ id of the system's cursors, or null
    const char* resource;  // the library's own cursor in the program's resources
};

const std::array<CursorSource, 21>& CursorSources()
{
    static const std::array<CursorSource, 21> sources = {{
        {crArrow, win::IDC_ARROW, nullptr},
        {crCross, win::IDC_CROSS, nullptr},
        {crIBeam, win::IDC_IBEAM, nullptr},
        {crSizeNESW, win::IDC_SIZENESW, nullptr},
        {crSizeNS, win::IDC_SIZENS, nullptr},
        {crSizeNWSE, win::IDC_SIZENWSE, nullptr},
        {crSizeWE, win::IDC_SIZEWE, nullptr},
        {crUpArrow, win::IDC_UPARROW, nullptr},
        {crHourGlass, win::IDC_WAIT, nullptr},
        {crDrag, nullptr, "DRAG"},
        {crNoDrop, nullptr, "NODROP"},
        {crHSplit, nullptr, "HSPLIT"},
        {crVSplit, nullptr, "VSPLIT"},
        {crMultiDrag, nullptr, "MULTIDRAG"},
        {crSQLWait, nullptr, "SQLWAIT"},
        {crNo, win::IDC_NO, nullptr},
        {crAppStart, win::IDC_APPSTARTING, nullptr},
        {crHelp, win::IDC_HELP, nullptr},
        {crHandPoint, win::IDC_HAND, nullptr},
        {crSizeAll, win::IDC_SIZEALL, nullptr},
        {crDefault, win::IDC_ARROW, nullptr},
    }};
    return sources;
}

win::NONCLIENTMETRICS NonClientMetrics()
{
    win::NONCLIENTMETRICS metrics;
    win::SystemParametersInfo(win::SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics;
}

void TakeFont(TFont& font, const win::LOGFONT& logFont)
{
    font.SetHandle(win::CreateFontIndirect(&logFont));
}

TScreen* screen = nullptr;

}  // namespace

TScreen* Screen()
{
    return screen;
}

TMouse* Mouse()
{
    static TMouse mouse;
    return &mouse;
}

TScreen::TScreen(classes::TComponent* owner)
    : TComponent(owner),
      hintFont_(std::make_unique<TFont>()),
      menuFont_(std::make_unique<TFont>()),
      iconFont_(std::make_unique<TFont>())
{
    pixelsPerInch_ = ScreenPixelsPerInch();
    LoadCursors();
    ResetFonts();
    if (!screen) {
        screen = this;
    }
}

TScreen::~TScreen()
{
    if (screen == this) {
        screen = nullptr;
    }
}

const classes::TClassInfo& TScreen::StaticClass()
{
    static const classes::TClassInfo info("TScreen", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TScreen>(c)
            .Property("Cursor", CursorType(), &TScreen::Cursor, &TScreen::SetCursor)
            .Property("Height", &TScreen::Height)
            .Property("PixelsPerInch", &TScreen::PixelsPerInch)
            .Property("Width", &TScreen::Width);
    });
    return info;
}

void TScreen::LoadCursors()
{
    defaultCursor_ = win::LoadCursor(nullptr, win::IDC_ARROW);
    for (const CursorSource& source : CursorSources()) {
        if (source.system) {
            cursors_[source.id] = win::LoadCursor(nullptr, source.system);
        }
    }
}

void TScreen::ResetFonts()
{
    const win::NONCLIENTMETRICS metrics = NonClientMetrics();
    TakeFont(*hintFont_, metrics.lfStatusFont);
    hintFont_->SetColor(clInfoText);
    TakeFont(*menuFont_, metrics.lfMenuFont);
    win::LOGFONT iconFont;
    if (win::SystemParametersInfo(win::SPI_GETICONTITLELOGFONT, sizeof iconFont, &iconFont, 0)) {
        TakeFont(*iconFont_, iconFont);
    }
}

void TScreen::SetCursor(TCursor value)
{
    if (value == cursor_) {
        return;
    }
    cursor_ = value;
    win::POINT pt;
    if (value == crDefault && win::GetCursorPos(&pt)) {
        // Each control's own cursor again: the window under the mouse sets it.
        const win::HWND hwnd = win::WindowFromPoint(pt);
        if (hwnd && win::GetWindowThreadProcessId(hwnd, nullptr) == win::GetCurrentThreadId()) {
            const win::LRESULT code =
                win::SendMessage(hwnd, win::WM_NCHITTEST, 0, win::MAKELPARAM(win::WORD(pt.x), win::WORD(pt.y)));
            win::SendMessage(hwnd, win::WM_SETCURSOR, reinterpret_cast<win::WPARAM>(hwnd),
                             win::MAKELPARAM(win::WORD(code), win::WORD(win::WM_MOUSEMOVE)));
            return;
        }
    }
    win::SetCursor(Cursors(value));
}

win::HCURSOR TScreen::Cursors(int id) const
{
    if (id == crNone) {
        return nullptr;
    }
    if (auto found = cursors_.find(id); found != cursors_.end() && found->second) {
        return found->second;
    }
    // The library's own cursors come from the program's resources, once they are registered.
    for (const CursorSource& source : CursorSources()) {
        if (source.id == id && source.resource) {
            if (win::HCURSOR cursor = win::LoadCursor(win::GetModuleHandle(nullptr), source.resource)) {
                const_cast<TScreen*>(this)->cursors_[id] = cursor;
                return cursor;
            }
        }
    }
    return defaultCursor_;
}

void TScreen::SetCursors(int id, win::HCURSOR cursor)
{
    if (id == crDefault) {
        return;
    }
    cursors_[id] = cursor;
}

int TScreen::Width() const
{
    return win::GetSystemMetrics(win::SM_CXSCREEN);
}

int TScreen::Height() const
{
    return win::GetSystemMetrics(win::SM_CYSCREEN);
}

win::RECT TScreen::DesktopRect() const
{
    const int left = win::GetSystemMetrics(win::SM_XVIRTUALSCREEN);
    const int top = win::GetSystemMetrics(win::SM_YVIRTUALSCREEN);
    return {left, top, left + win::GetSystemMetrics(win::SM_CXVIRTUALSCREEN),
            top + win::GetSystemMetrics(win::SM_CYVIRTUALSCREEN)};
}

win::RECT TScreen::WorkAreaRect() const
{
    win::RECT rect;
    win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &rect, 0);
    return rect;
}

int TScreen::MonitorCount() const
{
    return win::GetSystemMetrics(win::SM_CMONITORS);
}

win::HMONITOR TScreen::MonitorFromPoint(win::POINT point, win::DWORD flags) const
{
    return win::MonitorFromPoint(point, flags);
}

win::RECT TScreen::MonitorWorkArea(win::HMONITOR monitor) const
{
    win::MONITORINFO info;
    if (!win::GetMonitorInfo(monitor, &info)) {
        return WorkAreaRect();
    }
    return info.rcWork;
}

int TScreen::FormCount() const
{
    return int(std::count_if(customForms_.begin(), customForms_.end(),
                             [](TCustomForm* form) { return dynamic_cast<TForm*>(form) != nullptr; }));
}

TForm* TScreen::Forms(int index) const
{
    for (TCustomForm* form : customForms_) {
        if (auto* plain = dynamic_cast<TForm*>(form); plain && index-- == 0) {
            return plain;
        }
    }
    return nullptr;
}

TForm* TScreen::ActiveForm() const
{
    return dynamic_cast<TForm*>(activeCustomForm_);
}

void TScreen::AddForm(TCustomForm* form)
{
    customForms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form)
{
    std::erase(customForms_, form);
    if (focusedForm_ == form) {
        focusedForm_ = nullptr;
    }
    if (activeCustomForm_ == form) {
        activeCustomForm_ = nullptr;
        activeControl_ = nullptr;
        if (OnActiveFormChange) {
            OnActiveFormChange(this);
        }
    } else if (activeControl_ && form->ContainsControl(activeControl_)) {
        activeControl_ = nullptr;
    }
}

void TScreen::AddDataModule(TDataModule* module)
{
    dataModules_.push_back(module);
}

void TScreen::RemoveDataModule(TDataModule* module)
{
    std::erase(dataModules_, module);
}

void TScreen::FormFocused(TCustomForm* form, TWinControl* control)
{
    if (std::find(customForms_.begin(), customForms_.end(), form) == customForms_.end()) {
        return;  // a form that is going away
    }
    const bool formChanged = form != activeCustomForm_;
    activeCustomForm_ = form;
    auto moveFront = [](auto& list, auto* item) {
        auto it = std::find(list.begin(), list.end(), item);
        if (it != list.end()) {
            std::rotate(list.begin(), it, it + 1);
        }
    };
    moveFront(customForms_, form);
    ActiveControlChanged(control);
    if (formChanged && OnActiveFormChange) {
        OnActiveFormChange(this);
    }
}

void TScreen::ActiveControlChanged(TWinControl* control)
{
    if (control == activeControl_) {
        return;
    }
    activeControl_ = control;
    if (OnActiveControlChange) {
        OnActiveControlChange(this);
    }
}

void TScreen::UpdateActiveForm()
{
    TWinControl* window = FindControl(win::GetActiveWindow());
    auto* form = dynamic_cast<TCustomForm*>(window);
    if (!form || form == activeCustomForm_ ||
        std::find(customForms_.begin(), customForms_.end(), form) == customForms_.end()) {
        return;
    }
    activeCustomForm_ = form;
    if (OnActiveFormChange) {
        OnActiveFormChange(this);
    }
}

// --- TMouse ---

win::POINT TMouse::CursorPos() const
{
    win::POINT pt;
    if (!win::GetCursorPos(&pt)) {
        return {-1, -1};
    }
    return pt;
}

void TMouse::SetCursorPos(win::POINT value)
{
    win::SetCursorPos(value.x, value.y);
}

win::HWND TMouse::Capture() const
{
    return win::GetCapture();
}

void TMouse::SetCapture(win::HWND value)
{
    if (value) {
        win::SetCapture(value);
    } else {
        win::ReleaseCapture();
    }
}

bool TMouse::MousePresent() const
{
    return win::GetSystemMetrics(win::SM_MOUSEPRESENT) != 0;
}

bool TMouse::WheelPresent() const
{
    return win::GetSystemMetrics(win::SM_MOUSEWHEELPRESENT) != 0;
}

int TMouse::WheelScrollLines() const
{
    win::UINT lines = 3;
    win::SystemParametersInfo(win::SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return int(lines);
}

}  // namespace gui
