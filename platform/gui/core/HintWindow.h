#pragma once
// THintWindow: the small window that shows a control's hint below the mouse: a topmost popup with a
// border that never takes the activation, in the application's HintColor, its text in Screen.HintFont.
// The application asks it for its size (CalcHintRect), places it (ActivateHint) and lets it paint; a
// class of its own replaces it everywhere through HintWindowClass.

#include "platform/gui/core/CustomControl.h"

#include <string>

namespace gui {

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The size the hint needs at most maxWidth wide: the text's rectangle (word-wrapped, no prefixes, in
    // the hint font) grown by 6 to the right and 2 at the bottom, at (0, 0).
    virtual win::RECT CalcHintRect(int maxWidth, const std::string& hint, void* data);
    // Shows the hint at rect (screen coordinates, 4 pixels higher), kept in the work area, without
    // activating it.
    virtual void ActivateHint(win::RECT rect, const std::string& hint);
    virtual void ActivateHintData(const win::RECT& rect, const std::string& hint, void* data);
    // Whether msg (a click, a key, an activation) should hide the hint.
    virtual bool IsHintMsg(const win::MSG& msg) const;
    void ReleaseHandle() { DestroyHandle(); }

    void Dispatch(win::TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
};

// What the application tells the hint machinery and OnShowHint about the hint to show; each may change it.
struct THintInfo {
    TControl* HintControl = nullptr;
    const classes::TClassInfo* HintWindowClass = nullptr;
    win::POINT HintPos;          // screen coordinates: the cursor, a cursor's height lower
    int HintMaxWidth = 0;        // the screen's width
    TColor HintColor = clInfoBk;
    win::RECT CursorRect;        // client coordinates of HintControl: the hint stays while the mouse is in it
    win::POINT CursorPos;        // client coordinates of HintControl
    int ReshowTimeout = 0;       // milliseconds after which the hint is shown again (0: never)
    int HideTimeout = 0;         // milliseconds until the hint hides
    std::string HintStr;
    void* HintData = nullptr;
};

// The class of the application's hint window (THintWindow's unless replaced); a class of THintWindow.
const classes::TClassInfo* HintWindowClass();
void SetHintWindowClass(const classes::TClassInfo* cls);

}  // namespace gui
