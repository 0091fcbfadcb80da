#pragma once
// TControlCanvas: a canvas on a control's window. The control gives the device context (its window's, or
// its parent's for a control without a window of its own) and the canvas releases it. Few contexts are
// kept at a time: when a fifth canvas takes one, the oldest canvas that is not locked gives its back
// (made again on its next use), and FreeDeviceContexts gives all back.

#include "platform/gui/graphics/Canvas.h"
#include "platform/wintypes/Types.h"

namespace gui {

// What a control canvas needs of its control; the controls implement it.
class TCanvasControl {
public:
    // A device context for drawing on the control, and the window it belongs to (ReleaseDC's window).
    virtual win::HDC GetDeviceContext(win::HWND& window) = 0;

protected:
    ~TCanvasControl() = default;
};

class TControlCanvas : public TCanvas {
public:
    TControlCanvas() = default;
    ~TControlCanvas() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TCanvasControl* Control() const { return control_; }
    void SetControl(TCanvasControl* control);
    // Gives the device context back to the window.
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TCanvasControl* control_ = nullptr;
    win::HDC deviceContext_ = nullptr;
    win::HWND window_ = nullptr;
};

// Every control canvas gives its device context back (idle time, or before a window goes).
void FreeDeviceContexts();

}  // namespace gui
