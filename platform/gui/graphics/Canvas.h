#pragma once
// TCanvas: drawing on a device context with a font, a pen and a brush. The context comes from the
// canvas's kind (a bitmap's memory context, a control's window, a printer's page) or is given as Handle;
// the objects are selected into it when a drawing call needs them, and taken out again when they change
// or the context goes. Every drawing call brackets its work with OnChanging and OnChange.

#include "platform/classes/Persistent.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/graphics/Brush.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/Font.h"
#include "platform/gui/graphics/Pen.h"
#include "platform/wintypes/GdiTypes.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace gui {

class TBitmap;
class TGraphic;

using TCopyMode = std::int32_t;
constexpr TCopyMode cmBlackness = TCopyMode(win::BLACKNESS);
constexpr TCopyMode cmDstInvert = TCopyMode(win::DSTINVERT);
constexpr TCopyMode cmMergeCopy = TCopyMode(win::MERGECOPY);
constexpr TCopyMode cmMergePaint = TCopyMode(win::MERGEPAINT);
constexpr TCopyMode cmNotSrcCopy = TCopyMode(win::NOTSRCCOPY);
constexpr TCopyMode cmNotSrcErase = TCopyMode(win::NOTSRCERASE);
constexpr TCopyMode cmPatCopy = TCopyMode(win::PATCOPY);
constexpr TCopyMode cmPatInvert = TCopyMode(win::PATINVERT);
constexpr TCopyMode cmPatPaint = TCopyMode(win::PATPAINT);
constexpr TCopyMode cmSrcAnd = TCopyMode(win::SRCAND);
constexpr TCopyMode cmSrcCopy = TCopyMode(win::SRCCOPY);
constexpr TCopyMode cmSrcErase = TCopyMode(win::SRCERASE);
constexpr TCopyMode cmSrcInvert = TCopyMode(win::SRCINVERT);
constexpr TCopyMode cmSrcPaint = TCopyMode(win::SRCPAINT);
constexpr TCopyMode cmWhiteness = TCopyMode(win::WHITENESS);

// What a canvas has made ready in its context.
enum : unsigned { csHandleValid = 1, csFontValid = 2, csPenValid = 4, csBrushValid = 8 };
constexpr unsigned csAllValid = csHandleValid | csFontValid | csPenValid | csBrushValid;

class TCanvas : public classes::TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Lines and shapes, as the GDI draws them with the pen and the brush.
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const win::RECT& rect) { Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
    void LineTo(int x, int y);
    void MoveTo(int x, int y);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Polygon(const std::vector<win::POINT>& points);
    void Polyline(const std::vector<win::POINT>& points);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const win::RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);

    // Fills with the brush; FrameRect draws a one-pixel frame with it; DrawFocusRect inverts a dotted frame.
    void FillRect(const win::RECT& rect);
    void FrameRect(const win::RECT& rect);
    void DrawFocusRect(const win::RECT& rect);

    // Text in the font; the background is the brush's colour unless the brush is clear. TextOut moves the
    // pen to the end of the text; TextRect clips the text to the rectangle (and fills it, unless clear).
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const win::RECT& rect, int x, int y, const std::string& text);
    win::SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    // Graphics at their own size, or stretched to a rectangle.
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const win::RECT& rect, TGraphic* graphic);
    // A rectangle of another canvas, stretched, with CopyMode.
    void CopyRect(const win::RECT& dest, TCanvas* canvas, const win::RECT& source);
    // Part of a bitmap with every pixel of colour replaced by the brush (left as it is, with a clear brush).
    void BrushCopy(const win::RECT& dest, TBitmap* bitmap, const win::RECT& source, TColor color);

    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    // The bounds of what may be drawn, logical coordinates.
    win::RECT ClipRect();
    win::POINT PenPos();
    void SetPenPos(win::POINT position) { MoveTo(position.x, position.y); }

    // Reading the handle makes the context and selects every object (and counts as a change).
    win::HDC Handle();
    void SetHandle(win::HDC handle);
    // The context made ready without counting as a change: a blit's source, or the target of a picture
    // drawing itself inside the canvas's own drawing call.
    win::HDC ReadyHandle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Takes the objects out of the context; they are selected again on next use.
    void Refresh();

    // Between threads: drawing on one canvas from two threads goes through Lock.
    void Lock();
    bool TryLock();
    void Unlock();
    int LockCount() const { return lockCount_; }

    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* value) { font_->Assign(value); }
    TPen* Pen() const { return pen_.get(); }
    void SetPen(TPen* value) { pen_->Assign(value); }
    TBrush* Brush() const { return brush_.get(); }
    void SetBrush(TBrush* value) { brush_->Assign(value); }
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode value) { copyMode_ = value; }
    // ExtTextOut's options for every text (ETO_RTLREADING and kin).
    int TextFlags() const { return textFlags_; }
    void SetTextFlags(int value) { textFlags_ = value; }

    classes::TNotifyEvent OnChange;
    classes::TNotifyEvent OnChanging;

    // Makes ready what is asked for (csHandleValid and kin); EInvalidOperation "Canvas does not allow
    // drawing" when the canvas has no context to draw on.
    void RequiredState(unsigned state);

protected:
    virtual void Changed();
    virtual void Changing();
    // Gives the canvas its context (SetHandle) when it has none; the plain canvas has none to give.
    virtual void CreateHandle() {}
    // The raw context, as it is (null when none).
    win::HDC RawHandle() const { return handle_; }

private:
    template <class Call>
    void Drawing(unsigned state, Call call);
    void FontChanged(classes::TObject* sender);
    void PenChanged(classes::TObject* sender);
    void BrushChanged(classes::TObject* sender);
    void SelectFont();
    void SelectPen();
    void SelectBrush();
    void DeselectHandles();

    win::HDC handle_ = nullptr;
    unsigned state_ = 0;
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    win::POINT penPos_;
    TCopyMode copyMode_ = cmSrcCopy;
    int textFlags_ = 0;
    std::recursive_mutex mutex_;
    int lockCount_ = 0;
};

}  // namespace gui
