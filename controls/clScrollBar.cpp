#include "controls/clScrollBar.h"

#include "controls/clClasses.h"
#include "controls/clControls.h"
#include "controls/clPainterResources.h"

#include "platform/classes/ResourceStrings.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/core/Messages.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Window.h"

#include <algorithm>
#include <cstdint>

namespace controls {

namespace {

// Releases an object link at the end of a scope; a handler may free the bar.
struct BarLink {
    explicit BarLink(classes::TObject* bar) : link(clCreateObjectLink(bar)) {}
    ~BarLink() { clReleaseObjectLink(link); }
    BarLink(const BarLink&) = delete;
    BarLink& operator=(const BarLink&) = delete;
    bool Alive() const { return link->Ref != nullptr; }
    TclObjectLink* link;
};

inline constexpr classes::TResStringRec SScrollBarRange{"SScrollBarRange", "Scrollbar property out of range"};

constexpr std::uint32_t kFirstRepeatDelay = 400;
constexpr std::uint32_t kRepeatInterval = 60;
// The zone around a bar in which a dragged thumb follows the pointer: along the bar and across it.
constexpr int kTrackZoneAlong = 34;
constexpr int kTrackZoneAcross = 136;

// a * b / c rounded half away from zero, in 64 bits; the caller keeps c from being 0.
std::int64_t MulDiv64(std::int64_t a, std::int64_t b, std::int64_t c)
{
    const __int128 product = __int128{a} * b;
    const __int128 divisor = c < 0 ? -__int128{c} : __int128{c};
    const bool negative = (product < 0) != (c < 0);
    const __int128 magnitude = ((product < 0 ? -product : product) + divisor / 2) / divisor;
    return std::int64_t(negative ? -magnitude : magnitude);
}

int Length(const win::RECT& r, bool horizontal) { return horizontal ? r.right - r.left : r.bottom - r.top; }

}  // namespace

// --- TclScrollBarViewInfo ---

void TclScrollBarViewInfo::Calculate()
{
    const bool horizontal = scrollBar_->Kind() == gui::sbHorizontal;
    const int width = scrollBar_->Width();
    const int height = scrollBar_->Height();
    if (horizontal) {
        const int a = std::min(win::GetSystemMetrics(win::SM_CYHSCROLL), width / 2);
        topLeftArrow_ = {0, 0, a, height};
        bottomRightArrow_ = {width - a, 0, width, height};
    } else {
        const int a = std::min(win::GetSystemMetrics(win::SM_CXVSCROLL), height / 2);
        topLeftArrow_ = {0, 0, width, a};
        bottomRightArrow_ = {0, height - a, width, height};
    }
    CalcThumb();
}

void TclScrollBarViewInfo::CalcThumb()
{
    thumb_ = {};
    const TclScrollBar& bar = *scrollBar_;
    const bool horizontal = bar.Kind() == gui::sbHorizontal;
    if (bar.Enabled()) {
        const int trackStart = horizontal ? topLeftArrow_.right : topLeftArrow_.bottom;
        const int trackEnd = horizontal ? bottomRightArrow_.left : bottomRightArrow_.top;
        const std::int64_t track = trackEnd - trackStart;
        const std::int64_t min = bar.Min();
        const std::int64_t max = bar.Max();
        const std::int64_t position = bar.Position();
        std::int64_t size = 0;
        std::int64_t offset = 0;
        bool hasThumb = false;
        if (bar.PageSize() != 0) {
            const std::int64_t range = max - min + 1;
            size = std::min(track, MulDiv64(bar.PageSize(), track, range));
            if (track >= minThumbLength_ && max != min) {
                hasThumb = true;
                size = std::max<std::int64_t>(size, minThumbLength_);
                // D is 0 when the page covers the whole range: the thumb then fills the track from its start.
                const std::int64_t d = max - min - bar.PageSize() + 1;
                if (d > 0) {
                    offset = MulDiv64(track - size, std::min(position - min, d), d);
                }
            }
        } else {
            size = win::GetSystemMetrics(horizontal ? win::SM_CXHTHUMB : win::SM_CYVTHUMB);
            if (track >= size) {
                hasThumb = true;
                if (track - size > 0 && max != min) {
                    offset = MulDiv64(track - size, position - min, max - min);
                }
            }
        }
        if (hasThumb && size > 0) {
            // A position outside the range (while loading) must not carry the thumb off the track.
            offset = std::clamp<std::int64_t>(offset, 0, std::max<std::int64_t>(track - size, 0));
            const int start = int(trackStart + offset);
            const int end = int(trackStart + offset + size);
            thumb_ = horizontal ? win::RECT{start, 0, end, bar.Height()} : win::RECT{0, start, bar.Width(), end};
        }
    }
    CalcPageRects();
}

void TclScrollBarViewInfo::CalcPageRects()
{
    pageUp_ = {};
    pageDown_ = {};
    if (!HasThumb()) {
        return;
    }
    if (scrollBar_->Kind() == gui::sbHorizontal) {
        pageUp_ = {topLeftArrow_.right, 0, thumb_.left, scrollBar_->Height()};
        pageDown_ = {thumb_.right, 0, bottomRightArrow_.left, scrollBar_->Height()};
    } else {
        pageUp_ = {0, topLeftArrow_.bottom, scrollBar_->Width(), thumb_.top};
        pageDown_ = {0, thumb_.bottom, scrollBar_->Width(), bottomRightArrow_.top};
    }
}

// --- TclScrollBar ---

TclScrollBar::TclScrollBar(classes::TComponent* owner) : TCustomControl(owner)
{
    bitmap_ = std::make_unique<gui::TBitmap>();
    bitmapCanvas_ = std::make_unique<TclCanvas>(bitmap_->Canvas());
    lookAndFeel_ = std::make_unique<TclLookAndFeel>(this);
    lookAndFeel_->OnChanged =
        rtl::Method<void(TclLookAndFeel*, TclLookAndFeelValues)>::Of<&TclScrollBar::HandleLookAndFeelChange>(this);
    viewInfo_ = std::make_unique<TclScrollBarViewInfo>(this);
    SetControlStyle(gui::csCaptureMouse | gui::csFramed | gui::csOpaque);
    timer_ = std::make_unique<TclTimer>(nullptr);
    timer_->SetEnabled(false);
    timer_->SetInterval(kFirstRepeatDelay);
    timer_->SetOnTimer(classes::TNotifyEvent::Of<&TclScrollBar::RepeatTick>(this));
    SetBounds(Left(), Top(), 121, win::GetSystemMetrics(win::SM_CYHSCROLL));
    themeNotificator_ = std::make_unique<TuxThemeChangedNotificator>();
    themeNotificator_->OnThemeChanged = rtl::Method<void()>::Of<&TclScrollBar::HandleThemeChange>(this);
}

TclScrollBar::~TclScrollBar() { clInvalidateObjectLinks(this); }

const classes::TClassInfo& TclScrollBar::StaticClass()
{
    static const classes::TTypeInfo kindType = classes::EnumType("TScrollBarKind", {"sbHorizontal", "sbVertical"});
    static const classes::TClassInfo info("TclScrollBar", &TCustomControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TclScrollBar>(c)
            .Property("Ctl3D", &TclScrollBar::Ctl3D, &TclScrollBar::SetCtl3D).Stored(&TclScrollBar::StoresCtl3D)
            .Property("Kind", kindType, &TclScrollBar::Kind, &TclScrollBar::SetKind).Default(gui::sbHorizontal)
            .Property("LargeChange", &TclScrollBar::LargeChange, &TclScrollBar::SetLargeChange).Default(1)
            .Property("Max", &TclScrollBar::Max, &TclScrollBar::SetMax).Default(100)
            .Property("Min", &TclScrollBar::Min, &TclScrollBar::SetMin).Default(0)
            .Property("PageSize", &TclScrollBar::PageSize, &TclScrollBar::SetPageSize).Default(0)
            .Property("Position", &TclScrollBar::Position, &TclScrollBar::SetPosition).Default(0)
            .Property("SmallChange", &TclScrollBar::SmallChange, &TclScrollBar::SetSmallChange).Default(1)
            .Property("UnlimitedTracking", &TclScrollBar::UnlimitedTracking, &TclScrollBar::SetUnlimitedTracking)
            .Default(0)
            .Property("OnChange", classes::NotifyEventType(), &TclScrollBar::OnChange);
    });
    return info;
}

void TclScrollBar::ApplyScrollParams(int min, int max, int position, int pageSize, bool redraw)
{
    if (max < min || pageSize < 0 || std::int64_t{pageSize} > std::int64_t{max} - min + 1) {
        throw rtl::EInvalidOperation(classes::LoadResString(SScrollBarRange));
    }
    redraw = redraw && HandleAllocated();
    position = std::clamp(position, min, max);
    if (min == min_ && max == max_ && pageSize == pageSize_ && position == position_) {
        return;
    }
    min_ = min;
    max_ = max;
    pageSize_ = pageSize;
    if (position == position_) {
        viewInfo_->CalcThumb();
        if (redraw) {
            Invalidate();
        }
        return;
    }
    SetEnabled(true);
    position_ = position;
    viewInfo_->CalcThumb();
    if (redraw) {
        Invalidate();
    }
    RaiseChange();
}

void TclScrollBar::SetKind(gui::TScrollBarKind value)
{
    if (value == kind_) {
        return;
    }
    kind_ = value;
    if (HasState(classes::csLoading)) {
        RecalcLayout();
    } else {
        SetBounds(Left(), Top(), Height(), Width());
    }
    Invalidate();
}

TclScrollBarPart TclScrollBar::HitTest(win::POINT point) const
{
    if (!clRectContainsPoint(ClientRect(), point)) {
        return clsbpNone;
    }
    if (clRectContainsPoint(viewInfo_->TopLeftArrowRect(), point)) {
        return clsbpFirstButton;
    }
    if (clRectContainsPoint(viewInfo_->BottomRightArrowRect(), point)) {
        return clsbpSecondButton;
    }
    if (!viewInfo_->HasThumb()) {
        return clsbpNone;
    }
    if (clRectContainsPoint(viewInfo_->ThumbRect(), point)) {
        return clsbpThumb;
    }
    if (clRectContainsPoint(viewInfo_->PageUpRect(), point)) {
        return clsbpFirstPage;
    }
    if (clRectContainsPoint(viewInfo_->PageDownRect(), point)) {
        return clsbpSecondPage;
    }
    return clsbpNone;
}

int TclScrollBar::PositionFromThumb() const
{
    const bool horizontal = Horizontal();
    const win::RECT& thumb = viewInfo_->ThumbRect();
    const int trackStart = horizontal ? viewInfo_->TopLeftArrowRect().right : viewInfo_->TopLeftArrowRect().bottom;
    const int trackEnd = horizontal ? viewInfo_->BottomRightArrowRect().left : viewInfo_->BottomRightArrowRect().top;
    const std::int64_t free = std::int64_t{trackEnd - trackStart} - Length(thumb, horizontal);
    // A thumb that fills the track leaves nowhere to move: the position is Min.
    if (free <= 0) {
        return min_;
    }
    const std::int64_t range = pageSize_ > 0 ? std::int64_t{max_} - min_ + 1 - pageSize_ : std::int64_t{max_} - min_;
    const std::int64_t thumbStart = horizontal ? thumb.left : thumb.top;
    const std::int64_t position = min_ + MulDiv64(range, thumbStart - trackStart, free);
    return int(std::clamp<std::int64_t>(position, min_, max_));
}

int TclScrollBar::PartState(TclScrollBarPart part) const
{
    if (!Enabled()) {
        return cxbsDisabled;
    }
    const bool hotTracking = HotTrackEnabled();
    if (part == clsbpThumb && !hotTracking) {
        return cxbsNormal;
    }
    if (pressedPart_ != clsbpNone) {
        return part == pressedPart_ && part == hotPart_ ? cxbsPressed : cxbsNormal;
    }
    return part == hotPart_ && !HasState(classes::csDesigning) ? cxbsHot : cxbsNormal;
}

void TclScrollBar::SetBounds(int left, int top, int width, int height)
{
    const bool changed = left != Left() || top != Top() || width != Width() || height != Height();
    TCustomControl::SetBounds(left, top, width, height);
    if (changed && Width() > 0 && Height() > 0) {
        RecalcLayout();
    }
}

void TclScrollBar::RaiseChange()
{
    if (OnChange) {
        OnChange(this);
    }
}

void TclScrollBar::PaintAllParts(TclCanvas& canvas)
{
    if (!viewInfo_->HasThumb()) {
        // The track without thumb; a disabled bar shows it disabled like its other parts.
        PaintOnePart(canvas, ClientRect(), clsbpFirstPage, Enabled() ? cxbsNormal : cxbsDisabled);
    } else {
        PaintOnePart(canvas, viewInfo_->ThumbRect(), clsbpThumb, PartState(clsbpThumb));
    }
    PaintOnePart(canvas, viewInfo_->TopLeftArrowRect(), clsbpFirstButton, PartState(clsbpFirstButton));
    PaintOnePart(canvas, viewInfo_->BottomRightArrowRect(), clsbpSecondButton, PartState(clsbpSecondButton));
    if (!clRectHasNoArea(viewInfo_->PageUpRect())) {
        PaintOnePart(canvas, viewInfo_->PageUpRect(), clsbpFirstPage, PartState(clsbpFirstPage));
    }
    if (!clRectHasNoArea(viewInfo_->PageDownRect())) {
        PaintOnePart(canvas, viewInfo_->PageDownRect(), clsbpSecondPage, PartState(clsbpSecondPage));
    }
}

void TclScrollBar::PaintOnePart(TclCanvas& canvas, const win::RECT& rect, TclScrollBarPart part, int state)
{
    Painter()->PaintScrollBarPart(canvas, Horizontal(), rect, part, TclButtonState(state));
}

bool TclScrollBar::HotTrackEnabled() const { return Painter()->HasHotButtons(); }

void TclScrollBar::RaiseScroll(TclScrollCode code, int& position)
{
    if (OnScroll) {
        OnScroll(this, code, position);
    }
}

int TclScrollBar::MinThumbLength() const { return Painter()->ScrollThumbMinExtent(!Horizontal()); }

TclCustomLookAndFeelPainterClass TclScrollBar::Painter() const
{
    return lookAndFeel_->PainterForThemedType(totScrollBar);
}

void TclScrollBar::SetCtl3D(bool value)
{
    askedCtl3D_ = value;
    HandleLookAndFeelChange(lookAndFeel_.get(), 0);
}

void TclScrollBar::HandleLookAndFeelChange(TclLookAndFeel*, TclLookAndFeelValues)
{
    // A skin draws its own edges: the framework's 3-D frame goes while the asked value is kept.
    applyingCtl3D_ = true;
    TCustomControl::SetCtl3D(askedCtl3D_ && !lookAndFeel_->SkinPainter());
    applyingCtl3D_ = false;
    RecalcLayout();
    Invalidate();
}

void TclScrollBar::HandleThemeChange()
{
    RecalcLayout();
    Invalidate();
    clUpdateScrollPageBrushBitmaps();
    if (Parent()) {
        Parent()->Realign();
    }
}

void TclScrollBar::RecalcLayout()
{
    viewInfo_->SetMinThumbLength(MinThumbLength());
    viewInfo_->Recalculate();
}

void TclScrollBar::DoScroll(TclScrollCode code)
{
    int position = position_;
    switch (code) {
    case scLineUp: position -= smallChange_; break;
    case scLineDown: position += smallChange_; break;
    case scPageUp: position -= largeChange_; break;
    case scPageDown: position += largeChange_; break;
    case scTop: position = min_; break;
    case scBottom: position = max_; break;
    default: break;
    }
    Notify(code, std::clamp(position, min_, max_));
}

void TclScrollBar::Notify(TclScrollCode code, int position)
{
    BarLink guard(this);
    RaiseScroll(code, position);
    if (!guard.Alive()) {
        return;
    }
    position = std::clamp(position, min_, max_);
    if (position == position_) {
        return;
    }
    if (code == scTrack) {
        // The thumb stays where the pointer put it.
        position_ = position;
        Invalidate();
    } else {
        SetPosition(position);
    }
}

void TclScrollBar::EndPress()
{
    if (pressedPart_ == clsbpNone) {
        return;
    }
    BarLink guard(this);
    if (pressedPart_ == clsbpThumb) {
        SetPosition(PositionFromThumb());
        DoScroll(scPosition);
        if (!guard.Alive()) {
            return;
        }
    }
    timer_->SetEnabled(false);
    pressedPart_ = clsbpNone;
    hotPart_ = clsbpNone;
    DoScroll(scEndScroll);
    if (!guard.Alive()) {
        return;
    }
    viewInfo_->CalcThumb();
    Invalidate();
}

void TclScrollBar::ScrollByPart(TclScrollBarPart part)
{
    switch (part) {
    case clsbpFirstButton: DoScroll(scLineUp); break;
    case clsbpSecondButton: DoScroll(scLineDown); break;
    case clsbpFirstPage: DoScroll(scPageUp); break;
    case clsbpSecondPage: DoScroll(scPageDown); break;
    case clsbpThumb: DoScroll(scTrack); break;
    default: break;
    }
}

void TclScrollBar::RepeatTick(classes::TObject*)
{
    const bool repeating = pressedPart_ != clsbpNone && pressedPart_ != clsbpThumb;
    if (!MouseCapture() || !repeating) {
        EndPress();
        return;
    }
    timer_->SetInterval(kRepeatInterval);
    BarLink guard(this);
    ScrollByPart(pressedPart_);
    if (guard.Alive() && pressedPart_ != clsbpNone) {
        timer_->SetEnabled(HitTest(ScreenToClient(clGetCursorScreenPos())) == pressedPart_);
    }
}

void TclScrollBar::DragThumbBy(int offset)
{
    const bool horizontal = Horizontal();
    const int trackStart = horizontal ? viewInfo_->TopLeftArrowRect().right : viewInfo_->TopLeftArrowRect().bottom;
    const int trackEnd = horizontal ? viewInfo_->BottomRightArrowRect().left : viewInfo_->BottomRightArrowRect().top;
    win::RECT thumb = viewInfo_->ThumbRect();
    const int length = Length(thumb, horizontal);
    const int saved = horizontal ? savedThumbCorner_.x : savedThumbCorner_.y;
    const int start = std::max(trackStart, std::min(saved + offset, trackEnd - length));
    thumb = horizontal ? clRectPlaceLeft(thumb, start, length) : clRectPlaceTop(thumb, start, length);
    viewInfo_->SetThumbRect(thumb);
    viewInfo_->CalcPageRects();
}

void TclScrollBar::SetHotPart(TclScrollBarPart part)
{
    if (part == hotPart_) {
        return;
    }
    hotPart_ = part;
    if (HotTrackEnabled()) {
        Invalidate();
    }
}

void TclScrollBar::Paint()
{
    // The off-screen bitmap covers what is to be painted, never more than the window shows: a bar of any
    // size costs no more memory than the screen.
    win::RECT area = Canvas()->ClipRect();
    const win::RECT client = ClientRect();
    area = {std::max(area.left, client.left), std::max(area.top, client.top), std::min(area.right, client.right),
            std::min(area.bottom, client.bottom)};
    if (clRectHasNoArea(area)) {
        return;
    }
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (bitmap_->Width() != width || bitmap_->Height() != height) {
        bitmap_->SetSize(width, height);
    }
    bitmapCanvas_->SetWindowOrigin({area.left, area.top});
    PaintAllParts(*bitmapCanvas_);
    bitmapCanvas_->SetWindowOrigin({0, 0});
    win::BitBlt(Canvas()->Handle(), area.left, area.top, width, height, bitmap_->Canvas()->Handle(), 0, 0,
                win::SRCCOPY);
}

void TclScrollBar::MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != gui::mbLeft) {
        return;
    }
    const TclScrollBarPart part = HitTest({x, y});
    if (part == clsbpNone) {
        return;
    }
    pressedPart_ = part;
    hotPart_ = part;
    BarLink guard(this);
    if (part == clsbpThumb) {
        pressPoint_ = {x, y};
        savedPosition_ = position_;
        savedThumbCorner_ = {viewInfo_->ThumbRect().left, viewInfo_->ThumbRect().top};
        DoScroll(scTrack);
    } else {
        ScrollByPart(part);
        if (guard.Alive()) {
            timer_->SetInterval(kFirstRepeatDelay);
            timer_->SetEnabled(true);
        }
    }
    if (guard.Alive()) {
        Repaint();
    }
}

void TclScrollBar::MouseMove(gui::TShiftState shift, int x, int y)
{
    TCustomControl::MouseMove(shift, x, y);
    if (pressedPart_ != clsbpThumb) {
        if (pressedPart_ != clsbpNone) {
            timer_->SetEnabled(HitTest({x, y}) == pressedPart_);
        }
        SetHotPart(HitTest({x, y}));
        return;
    }
    const bool horizontal = Horizontal();
    const win::RECT zone = horizontal ? clRectExpand(ClientRect(), kTrackZoneAlong, kTrackZoneAcross)
                                      : clRectExpand(ClientRect(), kTrackZoneAcross, kTrackZoneAlong);
    if (unlimitedTracking_ || clRectContainsXY(zone, x, y)) {
        const win::RECT before = viewInfo_->ThumbRect();
        DragThumbBy(horizontal ? x - pressPoint_.x : y - pressPoint_.y);
        if (clRectEquals(before, viewInfo_->ThumbRect())) {
            return;
        }
        const int position = PositionFromThumb();
        BarLink guard(this);
        if (position != position_) {
            Notify(scTrack, position);
        }
        if (guard.Alive()) {
            Invalidate();
        }
    } else {
        // Far off the bar the thumb snaps back to where it was pressed.
        const bool changed = position_ != savedPosition_;
        BarLink guard(this);
        SetPosition(savedPosition_);
        if (!guard.Alive()) {
            return;
        }
        viewInfo_->CalcThumb();
        Invalidate();
        if (changed) {
            DoScroll(scTrack);
        }
    }
}

void TclScrollBar::MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y)
{
    BarLink guard(this);
    EndPress();
    if (!guard.Alive()) {
        return;
    }
    SetHotPart(HitTest({x, y}));
    TCustomControl::MouseUp(button, shift, x, y);
}

void TclScrollBar::Loaded()
{
    TCustomControl::Loaded();
    RecalcLayout();
}

void TclScrollBar::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case gui::CM_ENABLEDCHANGED:
        TCustomControl::Dispatch(message);
        RecalcLayout();
        if (!Enabled()) {
            EndPress();
        }
        Invalidate();
        break;
    case gui::CM_MOUSEENTER:
        TCustomControl::Dispatch(message);
        if (HotTrackEnabled() || (pressedPart_ != clsbpNone && pressedPart_ != clsbpThumb)) {
            Invalidate();
        }
        break;
    case gui::CM_MOUSELEAVE:
        TCustomControl::Dispatch(message);
        if (pressedPart_ != clsbpThumb) {
            hotPart_ = clsbpNone;
            if (HotTrackEnabled() || pressedPart_ != clsbpNone) {
                Invalidate();
            }
        }
        break;
    case gui::CM_VISIBLECHANGED:
        if (message.WParam == 0) {
            EndPress();
        }
        TCustomControl::Dispatch(message);
        break;
    case gui::CM_CTL3DCHANGED:
        TCustomControl::Dispatch(message);
        if (!applyingCtl3D_) {
            askedCtl3D_ = TCustomControl::Ctl3D();
            HandleLookAndFeelChange(lookAndFeel_.get(), 0);
        }
        break;
    case gui::CM_SYSCOLORCHANGE:
        clUpdateScrollPageBrushBitmaps();
        TCustomControl::Dispatch(message);
        break;
    case gui::CN_CTLCOLORSCROLLBAR:
        clUpdateScrollPageBrushBitmaps();
        message.Result = win::DefWindowProc(Handle(), message.Msg, message.WParam, message.LParam);
        break;
    case gui::CN_HSCROLL:
    case gui::CN_VSCROLL:
        // A code the bar does not know is ignored.
        if ((message.WParam & 0xFFFF) <= scEndScroll) {
            DoScroll(TclScrollCode(message.WParam & 0xFFFF));
        }
        break;
    case win::WM_ERASEBKGND: message.Result = 1; break;
    case win::WM_CANCELMODE:
        EndPress();
        TCustomControl::Dispatch(message);
        break;
    default: TCustomControl::Dispatch(message);
    }
}

}  // namespace controls
