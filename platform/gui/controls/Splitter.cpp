#include "platform/gui/controls/Splitter.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gui/core/WinControl.h"
#include "platform/win/Paint.h"
#include "platform/win/WindowPos.h"

#include <algorithm>

namespace gui {

const classes::TTypeInfo& ResizeStyleType()
{
    static const classes::TTypeInfo type = classes::EnumType("TResizeStyle", {"rsNone", "rsLine", "rsUpdate", "rsPattern"});
    return type;
}

namespace {

const classes::TTypeInfo& SplitterCanResizeEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(classes::TObject*, int&, bool&)>("TSplitterCanResizeEvent");
    return type;
}

}  // namespace

TSplitter::TSplitter(classes::TComponent* owner) : TGraphicControl(owner)
{
    SetAlign(alLeft);
    SetWidth(3);
    SetCursor(crHSplit);
}

const classes::TClassInfo& TSplitter::StaticClass()
{
    static const classes::TClassInfo info("TSplitter", &TGraphicControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TSplitter>(c)
            .Property("Align", AlignType(), &TSplitter::Align, &TSplitter::SetAlign).Default(alLeft)
            .Property("AutoSnap", &TSplitter::AutoSnap, &TSplitter::SetAutoSnap).Default(1)
            .Property("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled).Default(0)
            .Property("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize).Default(30)
            .Property("ResizeStyle", ResizeStyleType(), &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle).Default(rsPattern)
            .Property("OnCanResize", SplitterCanResizeEventType(), &TSplitter::OnCanResize)
            .Property("OnMoved", classes::NotifyEventType(), &TSplitter::OnMoved);
    });
    return info;
}

void TSplitter::SetBeveled(bool value)
{
    if (value != beveled_) {
        beveled_ = value;
        Invalidate();
    }
}

void TSplitter::Paint()
{
    TCanvas& canvas = *Canvas();
    const win::RECT rect{0, 0, Width(), Height()};
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(rect);
    if (beveled_) {
        win::RECT edge = rect;
        win::DrawEdge(canvas.Handle(), &edge, win::EDGE_RAISED, Horizontal() ? win::BF_LEFT | win::BF_RIGHT : win::BF_TOP | win::BF_BOTTOM);
    }
}

TControl* TSplitter::FindControl() const
{
    const TWinControl* parent = Parent();
    if (!parent) {
        return nullptr;
    }
    const win::RECT me = BoundsRect();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (control == this || !control->Visible() || control->Align() != Align()) {
            continue;
        }
        const win::RECT r = control->BoundsRect();
        const bool touches = (Align() == alLeft && r.right == me.left) || (Align() == alRight && r.left == me.right) ||
                             (Align() == alTop && r.bottom == me.top) || (Align() == alBottom && r.top == me.bottom);
        if (touches) {
            return control;
        }
    }
    return nullptr;
}

int TSplitter::SizeFor(int x, int y) const
{
    int delta = 0;
    switch (Align()) {
    case alLeft: delta = x - down_.x; break;
    case alRight: delta = down_.x - x; break;
    case alTop: delta = y - down_.y; break;
    default: delta = down_.y - y; break;
    }
    int size = startSize_ + delta;
    if (size < minSize_) {
        size = autoSnap_ && size < minSize_ / 2 ? 0 : minSize_;
    }
    return std::min(size, std::max(maxSize_, 0));
}

bool TSplitter::CanResize(int& newSize)
{
    bool accept = true;
    if (OnCanResize) {
        OnCanResize(this, newSize, accept);
    }
    return accept;
}

void TSplitter::InvertBar(int size)
{
    const TWinControl* parent = Parent();
    if (!parent || !control_ || resizeStyle_ == rsNone || resizeStyle_ == rsUpdate) {
        return;
    }
    const win::RECT c = control_->BoundsRect();
    win::RECT bar{};
    switch (Align()) {
    case alLeft: bar = {c.left + size, Top(), c.left + size + Width(), Top() + Height()}; break;
    case alRight: bar = {c.right - size - Width(), Top(), c.right - size, Top() + Height()}; break;
    case alTop: bar = {Left(), c.top + size, Left() + Width(), c.top + size + Height()}; break;
    default: bar = {Left(), c.bottom - size - Height(), Left() + Width(), c.bottom - size}; break;
    }
    // On the screen, so the bar shows over the parent's child windows too (its own DC is clipped to
    // leave them out).
    win::POINT origin{0, 0};
    win::ClientToScreen(const_cast<TWinControl*>(parent)->Handle(), &origin);
    win::OffsetRect(&bar, origin.x, origin.y);
    win::HDC dc = win::GetDCEx(nullptr, nullptr, win::DCX_CACHE | win::DCX_LOCKWINDOWUPDATE);
    if (resizeStyle_ == rsLine) {
        win::PatBlt(dc, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top, win::DSTINVERT);
    } else {
        // The classic dotted bar: every other pixel inverted.
        static const win::WORD checker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        win::HBITMAP pattern = win::CreateBitmap(8, 8, 1, 1, checker);
        win::HBRUSH brush = win::CreatePatternBrush(pattern);
        const win::HGDIOBJ old = win::SelectObject(dc, brush);
        win::PatBlt(dc, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top, win::PATINVERT);
        win::SelectObject(dc, old);
        win::DeleteObject(brush);
        win::DeleteObject(pattern);
    }
    win::ReleaseDC(nullptr, dc);
}

void TSplitter::Apply(int size)
{
    if (Horizontal()) {
        control_->SetWidth(size);
    } else {
        control_->SetHeight(size);
    }
    if (OnMoved) {
        OnMoved(this);
    }
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !(control_ = FindControl())) {
        return;
    }
    down_ = {x, y};
    startSize_ = Horizontal() ? control_->Width() : control_->Height();
    newSize_ = startSize_;
    // What the parent can give: its client size less the other bars on these sides, and MinSize for the rest.
    const TWinControl* parent = Parent();
    maxSize_ = (Horizontal() ? parent->ClientWidth() : parent->ClientHeight()) - minSize_;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        const TControl* control = parent->Controls(i);
        if (control->Visible() && (Horizontal() ? control->Align() == alLeft || control->Align() == alRight
                                                : control->Align() == alTop || control->Align() == alBottom)) {
            maxSize_ -= Horizontal() ? control->Width() : control->Height();
        }
    }
    maxSize_ += startSize_;
    barSize_ = newSize_;
    InvertBar(barSize_);
}

void TSplitter::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (!control_) {
        if (Cursor() == crHSplit || Cursor() == crVSplit) {
            SetCursor(Horizontal() ? crHSplit : crVSplit);
        }
        return;
    }
    int size = SizeFor(x, y);
    if (size == newSize_ || !CanResize(size)) {
        return;
    }
    newSize_ = size;
    if (resizeStyle_ == rsUpdate) {
        // The splitter moves with the control; the drag goes on from where the pointer is on it now.
        const int moved = newSize_ - (Horizontal() ? control_->Width() : control_->Height());
        Apply(newSize_);
        startSize_ = newSize_;
        switch (Align()) {
        case alLeft: down_ = {x - moved, y}; break;
        case alRight: down_ = {x + moved, y}; break;
        case alTop: down_ = {x, y - moved}; break;
        default: down_ = {x, y + moved}; break;
        }
        return;
    }
    InvertBar(barSize_);
    barSize_ = newSize_;
    InvertBar(barSize_);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!control_) {
        return;
    }
    InvertBar(barSize_);
    barSize_ = -1;
    const int startSize = Horizontal() ? control_->Width() : control_->Height();
    if (newSize_ != startSize) {
        Apply(newSize_);
    }
    control_ = nullptr;
}

}  // namespace gui
