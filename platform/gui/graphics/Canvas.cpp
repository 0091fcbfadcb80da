#include "platform/gui/graphics/Canvas.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/Shapes.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Graphic.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/TextOut.h"
#include "platform/win/DrawState.h"

namespace gui {

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>())
{
    font_->OnChange = classes::TNotifyEvent::Of<&TCanvas::FontChanged>(this);
    pen_->OnChange = classes::TNotifyEvent::Of<&TCanvas::PenChanged>(this);
    brush_->OnChange = classes::TNotifyEvent::Of<&TCanvas::BrushChanged>(this);
}

TCanvas::~TCanvas()
{
    SetHandle(nullptr);
}

const classes::TClassInfo& TCanvas::StaticClass()
{
    static const classes::TClassInfo info("TCanvas", &TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCanvas>(c)
            .Property("Brush", &TCanvas::Brush, &TCanvas::SetBrush)
            .Property("CopyMode", &TCanvas::CopyMode, &TCanvas::SetCopyMode)
            .Default(cmSrcCopy)
            .Property("Font", &TCanvas::Font, &TCanvas::SetFont)
            .Property("Pen", &TCanvas::Pen, &TCanvas::SetPen);
    });
    return info;
}

// --- state ---

void TCanvas::RequiredState(unsigned state)
{
    const unsigned needed = state & ~state_;
    if (!needed) {
        return;
    }
    if (needed & csHandleValid) {
        CreateHandle();
        if (!handle_) {
            throw rtl::EInvalidOperation("Canvas does not allow drawing");
        }
    }
    if (needed & csFontValid) {
        SelectFont();
    }
    if (needed & csPenValid) {
        SelectPen();
    }
    if (needed & csBrushValid) {
        SelectBrush();
    }
    state_ |= needed;
}

void TCanvas::SelectFont()
{
    win::SelectObject(handle_, font_->Handle());
    win::SetTextColor(handle_, ColorToRGB(font_->Color()));
}

void TCanvas::SelectPen()
{
    win::SelectObject(handle_, pen_->Handle());
    win::SetROP2(handle_, PenModeToROP2(pen_->Mode()));
}

void TCanvas::SelectBrush()
{
    win::SelectObject(handle_, brush_->Handle());
    if (brush_->Style() == bsSolid) {
        win::SetBkColor(handle_, ColorToRGB(brush_->Color()));
        win::SetBkMode(handle_, win::OPAQUE);
    } else {
        // Hatches show the destination between their lines.
        win::SetBkColor(handle_, ~ColorToRGB(brush_->Color()) & 0x00FFFFFF);
        win::SetBkMode(handle_, win::TRANSPARENT);
    }
}

void TCanvas::DeselectHandles()
{
    if (handle_ && (state_ & (csFontValid | csPenValid | csBrushValid))) {
        win::SelectObject(handle_, win::GetStockObject(win::BLACK_PEN));
        win::SelectObject(handle_, win::GetStockObject(win::HOLLOW_BRUSH));
        win::SelectObject(handle_, win::GetStockObject(win::SYSTEM_FONT));
    }
    state_ &= ~(csFontValid | csPenValid | csBrushValid);
}

void TCanvas::FontChanged(classes::TObject*)
{
    if (state_ & csFontValid) {
        state_ &= ~csFontValid;
        win::SelectObject(handle_, win::GetStockObject(win::SYSTEM_FONT));
    }
}

void TCanvas::PenChanged(classes::TObject*)
{
    if (state_ & csPenValid) {
        state_ &= ~csPenValid;
        win::SelectObject(handle_, win::GetStockObject(win::BLACK_PEN));
    }
}

void TCanvas::BrushChanged(classes::TObject*)
{
    if (state_ & csBrushValid) {
        state_ &= ~csBrushValid;
        win::SelectObject(handle_, win::GetStockObject(win::HOLLOW_BRUSH));
    }
}

win::HDC TCanvas::Handle()
{
    Changing();
    RequiredState(csAllValid);
    Changed();
    return handle_;
}

win::HDC TCanvas::ReadyHandle()
{
    RequiredState(csHandleValid);
    return handle_;
}

void TCanvas::SetHandle(win::HDC handle)
{
    if (handle == handle_) {
        return;
    }
    if (handle_) {
        DeselectHandles();
        win::GetCurrentPositionEx(handle_, &penPos_);
        handle_ = nullptr;
        state_ &= ~csHandleValid;
    }
    if (handle) {
        state_ |= csHandleValid;
        handle_ = handle;
        win::MoveToEx(handle_, penPos_.x, penPos_.y, nullptr);
    }
}

void TCanvas::Refresh()
{
    DeselectHandles();
}

void TCanvas::Lock()
{
    mutex_.lock();
    ++lockCount_;
}

bool TCanvas::TryLock()
{
    if (!mutex_.try_lock()) {
        return false;
    }
    ++lockCount_;
    return true;
}

void TCanvas::Unlock()
{
    --lockCount_;
    mutex_.unlock();
}

void TCanvas::Changed()
{
    if (OnChange) {
        OnChange(this);
    }
}

void TCanvas::Changing()
{
    if (OnChanging) {
        OnChanging(this);
    }
}

// --- drawing ---

template <class Call>
void TCanvas::Drawing(unsigned state, Call call)
{
    Changing();
    RequiredState(state);
    call();
    Changed();
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    Drawing(csHandleValid | csPenValid, [&] { win::Arc(handle_, x1, y1, x2, y2, x3, y3, x4, y4); });
}

void TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    Drawing(csHandleValid | csPenValid | csBrushValid, [&] { win::Chord(handle_, x1, y1, x2, y2, x3, y3, x4, y4); });
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    Drawing(csHandleValid | csPenValid | csBrushValid, [&] { win::Ellipse(handle_, x1, y1, x2, y2); });
}

void TCanvas::LineTo(int x, int y)
{
    Drawing(csHandleValid | csPenValid | csBrushValid, [&] { win::LineTo(handle_, x, y); });
}

void TCanvas::MoveTo(int x, int y)
{
    RequiredState(csHandleValid);
    win::MoveToEx(handle_, x, y, nullptr);
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    Drawing(csHandleValid | csPenValid | csBrushValid, [&] { win::Pie(handle_, x1, y1, x2, y2, x3, y3, x4, y4); });
}

void TCanvas::Polygon(const std::vector<win::POINT>& points)
{
    Drawing(csHandleValid | csPenValid | csBrushValid,
            [&] { win::Polygon(handle_, points.data(), static_cast<int>(points.size())); });
}

void TCanvas::Polyline(const std::vector<win::POINT>& points)
{
    Drawing(csHandleValid | csPenValid | csBrushValid,
            [&] { win::Polyline(handle_, points.data(), static_cast<int>(points.size())); });
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    Drawing(csHandleValid | csPenValid | csBrushValid, [&] { win::Rectangle(handle_, x1, y1, x2, y2); });
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    Drawing(csHandleValid | csPenValid | csBrushValid, [&] { win::RoundRect(handle_, x1, y1, x2, y2, x3, y3); });
}

void TCanvas::FillRect(const win::RECT& rect)
{
    Drawing(csHandleValid | csBrushValid, [&] { win::FillRect(handle_, &rect, brush_->Handle()); });
}

void TCanvas::FrameRect(const win::RECT& rect)
{
    Drawing(csHandleValid | csBrushValid, [&] { win::FrameRect(handle_, &rect, brush_->Handle()); });
}

void TCanvas::DrawFocusRect(const win::RECT& rect)
{
    Drawing(csHandleValid | csBrushValid, [&] { win::DrawFocusRect(handle_, &rect); });
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    Drawing(csHandleValid | csFontValid | csBrushValid, [&] {
        win::ExtTextOutA(handle_, x, y, static_cast<win::UINT>(textFlags_), nullptr, text.data(),
                         static_cast<win::UINT>(text.size()), nullptr);
    });
    MoveTo(x + TextWidth(text), y);
}

void TCanvas::TextRect(const win::RECT& rect, int x, int y, const std::string& text)
{
    Drawing(csHandleValid | csFontValid | csBrushValid, [&] {
        win::UINT options = win::ETO_CLIPPED | static_cast<win::UINT>(textFlags_);
        if (brush_->Style() != bsClear) {
            options |= win::ETO_OPAQUE;
        }
        win::ExtTextOutA(handle_, x, y, options, &rect, text.data(), static_cast<win::UINT>(text.size()), nullptr);
    });
}

win::SIZE TCanvas::TextExtent(const std::string& text)
{
    RequiredState(csHandleValid | csFontValid);
    win::SIZE size;
    win::GetTextExtentPoint32A(handle_, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (graphic && !graphic->Empty()) {
        StretchDraw(win::RECT{x, y, x + graphic->Width(), y + graphic->Height()}, graphic);
    }
}

void TCanvas::StretchDraw(const win::RECT& rect, TGraphic* graphic)
{
    if (!graphic) {
        return;
    }
    Drawing(csHandleValid, [&] {
        // Monochrome pictures take their two colours from the context.
        win::SetBkColor(handle_, ColorToRGB(brush_->Color()));
        win::SetTextColor(handle_, ColorToRGB(font_->Color()));
        graphic->Draw(*this, rect);
    });
}

void TCanvas::CopyRect(const win::RECT& dest, TCanvas* canvas, const win::RECT& source)
{
    Drawing(csHandleValid | csFontValid | csBrushValid, [&] {
        win::StretchBlt(handle_, dest.left, dest.top, win::Width(dest), win::Height(dest), canvas->ReadyHandle(),
                        source.left, source.top, win::Width(source), win::Height(source),
                        static_cast<win::DWORD>(copyMode_));
    });
}

void TCanvas::BrushCopy(const win::RECT& dest, TBitmap* bitmap, const win::RECT& source, TColor color)
{
    if (!bitmap || bitmap->Empty()) {
        return;
    }
    Drawing(csHandleValid | csBrushValid, [&] {
        win::HDC image = bitmap->Canvas()->ReadyHandle();
        const int width = win::Width(source);
        const int height = win::Height(source);
        if (brush_->Style() == bsClear) {
            win::TransparentBlt(handle_, dest.left, dest.top, win::Width(dest), win::Height(dest), image, source.left,
                                source.top, width, height, ColorToRGB(color));
            return;
        }
        // The mask is white where the picture has the colour; those pixels take the brush.
        win::HDC maskDC = win::CreateCompatibleDC(nullptr);
        win::HBITMAP mask = win::CreateBitmap(width, height, 1, 1, nullptr);
        win::HGDIOBJ oldMask = win::SelectObject(maskDC, mask);
        const win::COLORREF imageBack = win::SetBkColor(image, ColorToRGB(color));
        win::BitBlt(maskDC, 0, 0, width, height, image, source.left, source.top, win::SRCCOPY);
        win::SetBkColor(image, imageBack);
        win::StretchBlt(handle_, dest.left, dest.top, win::Width(dest), win::Height(dest), image, source.left,
                        source.top, width, height, win::SRCCOPY);
        const win::COLORREF text = win::SetTextColor(handle_, win::RGB(0, 0, 0));
        const win::COLORREF back = win::SetBkColor(handle_, win::RGB(255, 255, 255));
        win::StretchBlt(handle_, dest.left, dest.top, win::Width(dest), win::Height(dest), maskDC, 0, 0, width, height,
                        win::ROP_DSPDxax);
        win::SetTextColor(handle_, text);
        win::SetBkColor(handle_, back);
        win::SelectObject(maskDC, oldMask);
        win::DeleteObject(mask);
        win::DeleteDC(maskDC);
    });
}

TColor TCanvas::Pixels(int x, int y)
{
    RequiredState(csHandleValid);
    return static_cast<TColor>(win::GetPixel(handle_, x, y));
}

void TCanvas::SetPixels(int x, int y, TColor color)
{
    Drawing(csHandleValid | csPenValid, [&] { win::SetPixel(handle_, x, y, ColorToRGB(color)); });
}

win::RECT TCanvas::ClipRect()
{
    RequiredState(csHandleValid);
    win::RECT rect;
    win::GetClipBox(handle_, &rect);
    return rect;
}

win::POINT TCanvas::PenPos()
{
    RequiredState(csHandleValid);
    win::POINT position;
    win::GetCurrentPositionEx(handle_, &position);
    return position;
}

}  // namespace gui
