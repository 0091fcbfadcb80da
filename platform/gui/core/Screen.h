#pragma once
// TScreen: the program's view of the screen: its forms and which one is active, the focused control,
// the cursor shown over everything (Cursor, crDefault: each control's own) and the cursor table, the
// screen's size, work area and monitors, its pixels per inch and the system fonts of hints, menus and
// icons.

#include "platform/classes/Component.h"
#include "platform/gui/core/ControlTypes.h"
#include "platform/gui/graphics/Font.h"
#include "platform/wintypes/Types.h"

#include <map>
#include <memory>
#include <vector>

namespace gui {

class TCustomForm;
class TDataModule;
class TForm;
class TWinControl;

class TScreen : public classes::TComponent {
public:
    explicit TScreen(classes::TComponent* owner);
    ~TScreen() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Forms in z-order of their last activation, the active one first.
    int FormCount() const;
    TForm* Forms(int index) const;
    int CustomFormCount() const { return int(customForms_.size()); }
    TCustomForm* CustomForms(int index) const { return customForms_[std::size_t(index)]; }
    int DataModuleCount() const { return int(dataModules_.size()); }
    TDataModule* DataModules(int index) const { return dataModules_[std::size_t(index)]; }
    TForm* ActiveForm() const;
    TCustomForm* ActiveCustomForm() const { return activeCustomForm_; }
    TWinControl* ActiveControl() const { return activeControl_; }
    // The form that has (or last had) the focus.
    TCustomForm* FocusedForm() const { return focusedForm_; }

    // The cursor over every window while it is not crDefault.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    // The cursor of an id: the system's, the library's own, or one the program added; the arrow for an
    // unknown id, null for crNone.
    win::HCURSOR Cursors(int id) const;
    void SetCursors(int id, win::HCURSOR cursor);

    int Width() const;
    int Height() const;
    win::RECT DesktopRect() const;
    win::RECT WorkAreaRect() const;
    int MonitorCount() const;
    // The monitor at a screen point (the nearest with MONITOR_DEFAULTTONEAREST).
    win::HMONITOR MonitorFromPoint(win::POINT point, win::DWORD flags) const;
    win::RECT MonitorWorkArea(win::HMONITOR monitor) const;
    int PixelsPerInch() const { return pixelsPerInch_; }

    TFont* HintFont() const { return hintFont_.get(); }
    void SetHintFont(TFont* value) { hintFont_->Assign(value); }
    TFont* MenuFont() const { return menuFont_.get(); }
    void SetMenuFont(TFont* value) { menuFont_->Assign(value); }
    TFont* IconFont() const { return iconFont_.get(); }
    void SetIconFont(TFont* value) { iconFont_->Assign(value); }
    // The fonts again from the system settings (after WM_SETTINGCHANGE).
    void ResetFonts();

    TNotifyEvent OnActiveControlChange;
    TNotifyEvent OnActiveFormChange;

    // Kept by the forms and data modules.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void AddDataModule(TDataModule* module);
    void RemoveDataModule(TDataModule* module);
    void SetFocusedForm(TCustomForm* form) { focusedForm_ = form; }
    // form became the one with the focus, control its focused control.
    void FormFocused(TCustomForm* form, TWinControl* control);
    void ActiveControlChanged(TWinControl* control);
    // Which form is active, from the window system's active window.
    void UpdateActiveForm();

private:
    void LoadCursors();

    // Every form, TForm or not: whether one is a TForm is asked when it is whole, not while it is made.
    std::vector<TCustomForm*> customForms_;
    std::vector<TDataModule*> dataModules_;
    TCustomForm* activeCustomForm_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    TCustomForm* focusedForm_ = nullptr;
    TCursor cursor_ = crDefault;
    win::HCURSOR defaultCursor_ = nullptr;
    std::map<int, win::HCURSOR> cursors_;
    int pixelsPerInch_ = 96;
    std::unique_ptr<TFont> hintFont_;
    std::unique_ptr<TFont> menuFont_;
    std::unique_ptr<TFont> iconFont_;
};

// The mouse as the program sees it.
class TMouse {
public:
    win::POINT CursorPos() const;
    void SetCursorPos(win::POINT value);
    // The window holding the capture.
    win::HWND Capture() const;
    void SetCapture(win::HWND value);
    // How far the mouse moves with a button down before a drag starts.
    int DragThreshold() const { return dragThreshold_; }
    void SetDragThreshold(int value) { dragThreshold_ = value; }
    bool DragImmediate() const { return dragImmediate_; }
    void SetDragImmediate(bool value) { dragImmediate_ = value; }
    bool MousePresent() const;
    bool WheelPresent() const;
    int WheelScrollLines() const;

private:
    int dragThreshold_ = 5;
    bool dragImmediate_ = true;
};

// The program's screen and mouse objects, made by gui::core::initialize().
TScreen* Screen();
TMouse* Mouse();

}  // namespace gui
