#include "controls/clGraphics.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/core/WinControl.h"
#include "platform/rtl/Charsets.h"
#include "platform/rtl/CodePage.h"
#include "platform/text/DrawText.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/TextOut.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/wintypes/Messages.h"

#include <algorithm>

namespace controls {

// Platform flags

namespace {
struct PlatformFlags {
    bool win9x = false;
    bool nt4Up = false;
    bool win2000Up = false;
    bool winXPUp = false;
    bool vistaUp = false;
};
PlatformFlags platformFlags;
}  // namespace

bool clPlatformWin9x() { return platformFlags.win9x; }
bool clPlatformNT4Up() { return platformFlags.nt4Up; }
bool clPlatformWin2000Up() { return platformFlags.win2000Up; }
bool clPlatformWinXPUp() { return platformFlags.winXPUp; }
bool clPlatformVistaUp() { return platformFlags.vistaUp; }

void clDetectPlatform()
{
    win::OSVERSIONINFO info;
    win::GetVersionEx(&info);
    const bool nt = info.dwPlatformId == win::VER_PLATFORM_WIN32_NT;
    platformFlags.win9x = info.dwPlatformId == 0 || info.dwPlatformId == 1;
    platformFlags.nt4Up = nt && info.dwMajorVersion > 3;
    platformFlags.win2000Up = nt && info.dwMajorVersion > 4;
    // Literally "minor above 0": version 6.0 does not count.
    platformFlags.winXPUp = nt && info.dwMajorVersion > 4 && info.dwMinorVersion > 0;
    platformFlags.vistaUp = info.dwMajorVersion > 5;
}

// TclRegion

TclRegion::TclRegion() : handle_(win::CreateRectRgn(0, 0, 0, 0)) {}
TclRegion::TclRegion(const win::RECT& rect) : handle_(win::CreateRectRgnIndirect(&rect)) {}
TclRegion::TclRegion(int left, int top, int right, int bottom) : handle_(win::CreateRectRgn(left, top, right, bottom)) {}

void TclRegion::ReleaseHandle()
{
    if (handle_) {
        win::DeleteObject(handle_);
        handle_ = nullptr;
    }
}

bool TclRegion::IsVoid() const
{
    win::RECT box{};
    return win::GetRgnBox(handle_, &box) == win::NULLREGION;
}

void TclRegion::CombineWith(const TclRegion& other, TclRegionOperation operation)
{
    static constexpr int modes[] = {win::RGN_COPY, win::RGN_OR, win::RGN_DIFF, win::RGN_AND};
    if (operation == roSet)
        win::CombineRgn(handle_, other.handle_, nullptr, win::RGN_COPY);
    else
        win::CombineRgn(handle_, handle_, other.handle_, modes[operation]);
}

bool TclRegion::SameAs(const TclRegion* other) const
{
    if (!other)
        return false;
    return (IsVoid() && other->IsVoid()) || SameAsHandle(other->handle_);
}

bool TclRegion::SameAsHandle(win::HRGN other) const
{
    return win::EqualRgn(handle_, other) != 0;
}

void TclRegion::Shift(int dx, int dy)
{
    win::OffsetRgn(handle_, dx, dy);
}

bool TclRegion::ContainsXY(int x, int y) const
{
    return win::PtInRegion(handle_, x, y) != 0;
}

// TclCanvas: access and origins

TclCanvas::~TclCanvas() = default;

void TclCanvas::ApplyBrushColor(gui::TColor color)
{
    if (canvas_->Brush()->Color() != color)
        canvas_->Brush()->SetColor(color);
}

win::POINT TclCanvas::QueryWindowOrigin() const
{
    win::POINT origin{};
    win::GetWindowOrgEx(GetDCHandle(), &origin);
    return origin;
}

win::POINT TclCanvas::QueryViewportOrigin() const
{
    win::POINT origin{};
    win::GetViewportOrgEx(GetDCHandle(), &origin);
    return origin;
}

void TclCanvas::SetWindowOrigin(win::POINT origin)
{
    win::SetWindowOrgEx(GetDCHandle(), origin.x, origin.y, nullptr);
}

win::POINT TclCanvas::QueryDeviceOrigin() const
{
    const win::POINT viewport = QueryViewportOrigin();
    const win::POINT window = QueryWindowOrigin();
    return win::POINT{viewport.x - window.x, viewport.y - window.y};
}

// Stacks

void TclCanvas::PushDC()
{
    savedDCs_.push_back(win::SaveDC(GetDCHandle()));
}

void TclCanvas::PopDC()
{
    if (savedDCs_.empty())
        return;
    win::RestoreDC(GetDCHandle(), savedDCs_.back());
    savedDCs_.pop_back();
}

void TclCanvas::PushClipRegion()
{
    savedClips_.push_back(CopyClipRegion(true));
}

void TclCanvas::PopClipRegion()
{
    if (savedClips_.empty())
        return;
    std::unique_ptr<TclRegion> region = std::move(savedClips_.back());
    savedClips_.pop_back();
    ApplyClipRegion(*region, roSet, true);
}

void TclCanvas::PushState()
{
    PushDC();
    SavedState state{std::make_unique<gui::TFont>(), std::make_unique<gui::TBrush>(), std::make_unique<gui::TPen>()};
    state.font->Assign(canvas_->Font());
    state.brush->Assign(canvas_->Brush());
    state.pen->Assign(canvas_->Pen());
    savedStates_.push_back(std::move(state));
}

void TclCanvas::PopState()
{
    if (savedStates_.empty())
        return;
    SavedState state = std::move(savedStates_.back());
    savedStates_.pop_back();
    canvas_->SetFont(state.font.get());
    canvas_->SetBrush(state.brush.get());
    canvas_->SetPen(state.pen.get());
    PopDC();
}

// Clipping

std::unique_ptr<TclRegion> TclCanvas::CopyClipRegion(bool logical) const
{
    auto region = std::make_unique<TclRegion>();
    if (win::GetClipRgn(GetDCHandle(), region->Handle()) != 1)
        win::SetRectRgn(region->Handle(), 0, 0, 30000, 30000);
    if (logical) {
        const win::POINT origin = QueryDeviceOrigin();
        region->Shift(-origin.x, -origin.y);
    }
    return region;
}

void TclCanvas::ApplyClipRegion(TclRegion& region, TclRegionOperation operation, bool logical)
{
    if (operation != roSet) {
        std::unique_ptr<TclRegion> combined = CopyClipRegion(logical);
        combined->CombineWith(region, operation);
        ApplyClipRegion(*combined, roSet, logical);
        return;
    }
    const win::POINT origin = logical ? QueryDeviceOrigin() : win::POINT{0, 0};
    region.Shift(origin.x, origin.y);
    win::SelectClipRgn(GetDCHandle(), region.Handle());
    region.Shift(-origin.x, -origin.y);
}

void TclCanvas::ExcludeFromClip(const win::RECT& r)
{
    win::ExcludeClipRect(GetDCHandle(), r.left, r.top, r.right, r.bottom);
}

void TclCanvas::ClipToRect(const win::RECT& r)
{
    win::IntersectClipRect(GetDCHandle(), r.left, r.top, r.right, r.bottom);
}

// Text

using win::Height;
using win::Width;

void TclCanvas::PaintText(std::string_view text, win::RECT rect, int flags, bool enabled)
{
    if (text.empty())
        return;
    const bool useDrawText = !(flags & clTextSingleLine) ||
                             (flags & (clTextShowPrefix | clTextEndEllipsis | clTextPathEllipsis)) != 0;
    win::SIZE extent{};
    clGetTextExtentAnsi(GetDCHandle(), text, extent);
    if (Width(rect) >= extent.cx && Height(rect) >= extent.cy)
        flags |= clTextNoClip;
    const int margin = enabled ? 0 : 1;

    unsigned format = 0;
    unsigned options = 0;
    if (useDrawText) {
        if (!(flags & clTextSingleLine) && (flags & (clTextBottom | clTextVCenter))) {
            win::RECT block = rect;
            block.right -= margin;
            CalcTextBounds(text, block,
                           clTextLeft | clTextTop | (flags & (clTextWordBreak | clTextShowPrefix | clTextDontBreakChars)));
            if (flags & clTextBottom)
                rect.top = rect.bottom - Height(block) - margin;
            else
                rect.top = (rect.top + rect.bottom - Height(block)) / 2;
        }
        format = clTextFlagsToDrawTextFlags(flags);
    } else {
        const int horizontal = flags & (clTextLeft | clTextRight | clTextHCenter);
        if (extent.cx < Width(rect)) {
            if (horizontal == clTextRight)
                rect.left = rect.right - extent.cx - margin;
            else if (horizontal == clTextHCenter)
                rect.left = (rect.left + rect.right - extent.cx) / 2;
        }
        const int vertical = flags & (clTextTop | clTextBottom | clTextVCenter);
        if (extent.cy < Height(rect)) {
            if (vertical == clTextBottom)
                rect.top = rect.bottom - extent.cy - margin;
            else if (vertical == clTextVCenter)
                rect.top = (rect.top + rect.bottom - extent.cy) / 2;
        }
        options = (flags & clTextNoClip) ? 0 : win::ETO_CLIPPED;
    }

    const auto draw = [&](win::RECT at) {
        win::HDC dc = GetDCHandle();
        if (useDrawText)
            clDrawAnsiText(dc, text, at, -1, format);
        else
            clExtTextOutAnsi(dc, text, win::POINT{at.left, at.top}, -1, options, &at);
    };
    gui::TBrush* brush = canvas_->Brush();
    gui::TFont* font = canvas_->Font();
    const gui::TBrushStyle brushStyle = brush->Style();
    const gui::TColor fontColor = font->Color();
    if (!enabled) {
        brush->SetStyle(gui::bsClear);
        font->SetColor(gui::clBtnHighlight);
        draw(win::Moved(rect, 1, 1));
        font->SetColor(gui::clBtnShadow);
    }
    draw(rect);
    if (brush->Style() != brushStyle)
        brush->SetStyle(brushStyle);
    font->SetColor(fontColor);
}

void TclCanvas::CalcTextBounds(std::string_view text, win::RECT& rect, int flags)
{
    const int width = Width(rect);
    const int height = Height(rect);
    const unsigned format = clTextFlagsToDrawTextFlags(flags);
    if (width <= 0 && !text.empty())
        rect.right = rect.left + 1;
    win::RECT measured = rect;
    if (clDrawAnsiText(GetDCHandle(), text, measured, -1, (format | win::DT_CALCRECT) & ~win::DT_VCENTER) == 0)
        measured = win::RECT{rect.left, rect.top, rect.left, rect.top};
    int dx = 0;
    int dy = 0;
    if (flags & clTextHCenter)
        dx = (width - Width(measured)) / 2;
    else if (flags & clTextRight)
        dx = width - Width(measured);
    if (flags & clTextVCenter)
        dy = (height - Height(measured)) / 2;
    else if (flags & clTextBottom)
        dy = height - Height(measured);
    rect = win::Moved(measured, dx, dy);
}

win::SIZE TclCanvas::MeasureText(std::string_view text)
{
    canvas_->RequiredState(gui::csHandleValid | gui::csFontValid);
    win::SIZE size{0, 0};
    clGetTextExtentAnsi(canvas_->ReadyHandle(), text, size);
    return size;
}

int TclCanvas::FontLineHeight(gui::TFont* font)
{
    canvas_->SetFont(font);
    return MeasureTextHeight("Qq");
}

// Fills and frames

void TclCanvas::FillRectColor(const win::RECT& rect, gui::TColor color)
{
    if (color == gui::clNone)
        return;
    if (color != gui::clDefault)
        ApplyBrushColor(color);
    canvas_->FillRect(rect);
}

namespace {
// Division rounding toward minus infinity, so that tiles left of or above the origin line up too.
int FloorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
}  // namespace

void TclCanvas::FillAreaTiled(const win::RECT& rect, gui::TBitmap* bitmap, bool exclude)
{
    if (rect.left >= rect.right || rect.top >= rect.bottom)
        return;
    if (!clBitmapHasImage(bitmap)) {
        canvas_->FillRect(rect);
    } else {
        const int w = bitmap->Width();
        const int h = bitmap->Height();
        win::HDC source = bitmap->Canvas()->ReadyHandle();
        win::HDC dc = GetDCHandle();
        for (int row = FloorDiv(rect.top, h); row <= FloorDiv(rect.bottom - 1, h); ++row) {
            for (int column = FloorDiv(rect.left, w); column <= FloorDiv(rect.right - 1, w); ++column) {
                const win::RECT tile{column * w, row * h, column * w + w, row * h + h};
                const win::RECT part{std::max(tile.left, rect.left), std::max(tile.top, rect.top),
                                     std::min(tile.right, rect.right), std::min(tile.bottom, rect.bottom)};
                win::BitBlt(dc, part.left, part.top, Width(part), Height(part), source, part.left - tile.left,
                            part.top - tile.top, win::SRCCOPY);
            }
        }
    }
    if (exclude) {
        TclRegion region(rect);
        ApplyClipRegion(region, roSubtract, true);
    }
}

void TclCanvas::DrawFrameSides(const win::RECT& r, gui::TColor color, bool exclude, int sides, int width)
{
    if (r.left >= r.right || r.top >= r.bottom)
        return;
    if (color != gui::clDefault)
        ApplyBrushColor(color);
    if (sides & clSideLeft)
        FillAreaTiled(win::RECT{r.left, r.top, std::min(r.left + width, r.right), r.bottom}, nullptr, exclude);
    if (sides & clSideRight)
        FillAreaTiled(win::RECT{std::max(r.right - width, r.left), r.top, r.right, r.bottom}, nullptr, exclude);
    if (sides & clSideTop)
        FillAreaTiled(win::RECT{r.left, r.top, r.right, std::min(r.top + width, r.bottom)}, nullptr, exclude);
    if (sides & clSideBottom)
        FillAreaTiled(win::RECT{r.left, std::max(r.bottom - width, r.top), r.right, r.bottom}, nullptr, exclude);
}

void TclCanvas::FillWithFrame(const win::RECT& rect, const TclBackground& background, bool exclude, int width,
                              gui::TColor frameColor, int sides)
{
    DrawFrameSides(rect, frameColor, exclude, sides, width);
    win::RECT inner = rect;
    if (sides & clSideLeft)
        inner.left += width;
    if (sides & clSideTop)
        inner.top += width;
    if (sides & clSideRight)
        inner.right -= width;
    if (sides & clSideBottom)
        inner.bottom -= width;
    if (background.Color != gui::clDefault)
        ApplyBrushColor(background.Color);
    FillAreaTiled(inner, background.Bitmap, exclude);
}

void TclCanvas::DrawTwoToneFrame(const win::RECT& r, gui::TColor leftTopColor, gui::TColor rightBottomColor,
                                 int sides, int width)
{
    const auto strip = [&](gui::TColor color, win::RECT part) {
        ApplyBrushColor(color);
        canvas_->FillRect(part);
    };
    if (sides & clSideLeft)
        strip(leftTopColor, win::RECT{r.left, r.top, r.left + width, r.bottom});
    if (sides & clSideTop)
        strip(leftTopColor, win::RECT{r.left, r.top, r.right, r.top + width});
    if (sides & clSideRight)
        strip(rightBottomColor, win::RECT{r.right - width, r.top, r.right, r.bottom});
    if (sides & clSideBottom)
        strip(rightBottomColor, win::RECT{r.left, r.bottom - width, r.right, r.bottom});
}

void TclCanvas::Paint3DEdge(const win::RECT& rect, bool sunken, bool outer, int sides)
{
    gui::TColor leftTop;
    gui::TColor rightBottom;
    if (!sunken) {
        leftTop = outer ? gui::cl3DLight : gui::clBtnHighlight;
        rightBottom = outer ? gui::cl3DDkShadow : gui::clBtnShadow;
    } else {
        leftTop = outer ? gui::clBtnShadow : gui::cl3DDkShadow;
        rightBottom = outer ? gui::clBtnHighlight : gui::cl3DLight;
    }
    DrawTwoToneFrame(rect, leftTop, rightBottom, sides, 1);
}

void TclCanvas::PaintFocusRect(const win::RECT& rect)
{
    canvas_->Brush()->SetColor(gui::clWhite);
    canvas_->Font()->SetColor(gui::clBlack);
    canvas_->RequiredState(gui::csHandleValid | gui::csFontValid);
    canvas_->DrawFocusRect(rect);
}

void TclCanvas::InvertArea(const win::RECT& rect)
{
    canvas_->SetCopyMode(gui::cmDstInvert);
    canvas_->CopyRect(rect, canvas_, rect);
    canvas_->SetCopyMode(gui::cmSrcCopy);
}

// Objects

namespace {
gui::TBrushStyle BrushStyleOf(const win::LOGBRUSH& brush)
{
    if (brush.lbStyle == win::BS_HOLLOW)
        return gui::bsClear;
    if (brush.lbStyle == win::BS_HATCHED && brush.lbHatch <= 5)
        return gui::TBrushStyle(gui::bsHorizontal + int(brush.lbHatch));
    return gui::bsSolid;
}

gui::TPenMode PenModeOfROP2(int rop2)
{
    for (int mode = gui::pmBlack; mode <= gui::pmNotXor; ++mode)
        if (gui::PenModeToROP2(gui::TPenMode(mode)) == rop2)
            return gui::TPenMode(mode);
    return gui::pmCopy;
}
}  // namespace

void TclCanvas::AdoptDCObjects(win::HDC dc)
{
    win::LOGFONT logFont;
    if (clReadLogFont(static_cast<win::HFONT>(win::GetCurrentObject(dc, win::OBJ_FONT)), logFont)) {
        canvas_->Font()->SetHandle(win::CreateFontIndirect(&logFont));
        canvas_->Font()->SetColor(gui::TColor(win::GetTextColor(dc)));
    }
    win::LOGBRUSH logBrush{};
    if (clReadLogBrush(static_cast<win::HBRUSH>(win::GetCurrentObject(dc, win::OBJ_BRUSH)), logBrush)) {
        gui::TBrush* brush = canvas_->Brush();
        brush->SetHandle(win::CreateBrushIndirect(&logBrush));
        brush->SetColor(gui::TColor(logBrush.lbColor));
        brush->SetStyle(BrushStyleOf(logBrush));
    }
    win::LOGPEN logPen{};
    if (clReadLogPen(static_cast<win::HPEN>(win::GetCurrentObject(dc, win::OBJ_PEN)), logPen)) {
        gui::TPen* pen = canvas_->Pen();
        pen->SetHandle(win::CreatePenIndirect(&logPen));
        pen->SetColor(gui::TColor(logPen.lopnColor));
        pen->SetStyle(gui::TPenStyle(logPen.lopnStyle & 0xFF));
        pen->SetMode(PenModeOfROP2(win::GetROP2(dc)));
        pen->SetWidth(logPen.lopnWidth.x);
    }
}

// Bitmaps

void TclCanvas::RotateFlipBitmap(gui::TBitmap* bitmap, int rotation, bool flip)
{
    if (!bitmap || (rotation == 0 && !flip) || bitmap->Empty())
        return;
    const int w = bitmap->Width();
    const int h = bitmap->Height();
    win::BITMAPINFO info;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> pixels(std::size_t(w) * h);
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::GetDIBits(dc, bitmap->Handle(), 0, h, pixels.data(), &info, win::DIB_RGB_COLORS);

    const bool turned = rotation == 1 || rotation == 2;
    const int newW = turned ? h : w;
    const int newH = turned ? w : h;
    std::vector<std::uint32_t> result(pixels.size());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int nx = x;
            int ny = y;
            switch (rotation) {
            case 1: nx = y; ny = w - 1 - x; break;
            case 2: nx = h - 1 - y; ny = x; break;
            case 3: nx = w - 1 - x; ny = h - 1 - y; break;
            default: break;
            }
            if (flip)
                ny = newH - 1 - ny;
            result[std::size_t(ny) * newW + nx] = pixels[std::size_t(y) * w + x];
        }
    }
    if (turned) {
        bitmap->SetHeight(0);
        bitmap->SetWidth(newW);
        bitmap->SetHeight(newH);
    }
    info.bmiHeader.biWidth = newW;
    info.bmiHeader.biHeight = -newH;
    win::SetDIBits(dc, bitmap->Handle(), 0, newH, result.data(), &info, win::DIB_RGB_COLORS);
    win::DeleteDC(dc);
}

// The screen canvas

namespace {
// A canvas on the desktop window's context, which it gives back when it goes.
class TScreenCanvas : public gui::TCanvas {
public:
    ~TScreenCanvas() override
    {
        if (HandleAllocated()) {
            win::HDC dc = RawHandle();
            SetHandle(nullptr);
            win::ReleaseDC(win::GetDesktopWindow(), dc);
        }
    }

protected:
    void CreateHandle() override
    {
        SetHandle(win::GetDCEx(win::GetDesktopWindow(), nullptr, win::DCX_CACHE | win::DCX_LOCKWINDOWUPDATE));
    }
};

enum class UnitState { Stopped, Running, Ended };
UnitState graphicsState = UnitState::Stopped;
std::unique_ptr<TclScreenCanvas> screenCanvas;
}  // namespace

TclScreenCanvas::TclScreenCanvas() : TclCanvas(new TScreenCanvas)
{
    screen_.reset(Canvas());
}

TclScreenCanvas::~TclScreenCanvas() = default;

TclScreenCanvas* clGetScreenCanvas()
{
    if (graphicsState != UnitState::Running)
        return nullptr;
    if (!screenCanvas)
        screenCanvas = std::make_unique<TclScreenCanvas>();
    return screenCanvas.get();
}

// Helpers on raw device contexts

unsigned clTextFlagsToDrawTextFlags(int flags)
{
    unsigned result = win::DT_NOPREFIX;
    if (flags & clTextRight)
        result |= win::DT_RIGHT;
    if (flags & clTextHCenter)
        result |= win::DT_CENTER;
    if (flags & clTextBottom)
        result |= win::DT_BOTTOM;
    if (flags & clTextVCenter)
        result |= win::DT_VCENTER;
    if (flags & clTextSingleLine)
        result |= win::DT_SINGLELINE;
    if (flags & clTextNoClip)
        result |= win::DT_NOCLIP;
    if (flags & clTextExpandTabs)
        result |= win::DT_EXPANDTABS;
    if (flags & clTextShowPrefix)
        result &= ~win::DT_NOPREFIX;
    if (flags & clTextWordBreak) {
        result |= win::DT_WORDBREAK;
        if (!(flags & clTextDontBreakChars))
            result |= win::DT_EDITCONTROL;
    }
    if (flags & clTextEndEllipsis)
        result |= win::DT_END_ELLIPSIS;
    if (flags & clTextCalcRect)
        result |= win::DT_CALCRECT;
    if (flags & clTextPathEllipsis)
        result |= win::DT_PATH_ELLIPSIS;
    return result;
}

namespace {
int LengthOf(std::string_view text, int length)
{
    return length < 0 ? int(text.size()) : std::min(length, int(text.size()));
}
}  // namespace

int clDrawAnsiText(win::HDC dc, std::string_view text, win::RECT& rect, int length, unsigned format)
{
    return win::DrawTextA(dc, text.data(), LengthOf(text, length), &rect, format);
}

bool clExtTextOutAnsi(win::HDC dc, std::string_view text, win::POINT point, int length, unsigned options,
                      const win::RECT* clip)
{
    return win::ExtTextOutA(dc, point.x, point.y, options, clip, text.data(), win::UINT(LengthOf(text, length)),
                            nullptr) != 0;
}

bool clGetTextExtentAnsi(win::HDC dc, std::string_view text, win::SIZE& size, int length)
{
    return win::GetTextExtentPoint32A(dc, text.data(), LengthOf(text, length), &size) != 0;
}

win::SIZE clSingleLineTextSize(win::HDC dc, std::string_view text)
{
    win::RECT rect{};
    clCalcTextRect(dc, text, 1, rect);
    return win::SIZE{Width(rect), Height(rect)};
}

void clCalcTextRect(win::HDC dc, std::string_view text, int rows, win::RECT& rect, bool keepFullHeight)
{
    rect = win::RECT{0, 0, 0, 0};
    if (rows <= 0)
        return;
    win::SIZE line{};
    clGetTextExtentAnsi(dc, "Wg", line);
    const int allowed = rows * line.cy;
    if (rows == 1) {
        clDrawAnsiText(dc, text, rect, -1, win::DT_CALCRECT | win::DT_SINGLELINE);
    } else {
        constexpr unsigned wrapped = win::DT_CALCRECT | win::DT_WORDBREAK | win::DT_NOFULLWIDTHCHARBREAK;
        const auto wrapAt = [&](int width) {
            win::RECT r{0, 0, width, 1};
            clDrawAnsiText(dc, text, r, -1, wrapped);
            return r;
        };
        int low = Width(wrapAt(1));
        win::RECT single{};
        clDrawAnsiText(dc, text, single, -1, win::DT_CALCRECT | win::DT_SINGLELINE);
        int high = Width(single);
        while (high - low > 1) {
            const int middle = (low + high) / 2;
            if (Height(wrapAt(middle)) > allowed)
                low = middle;
            else
                high = middle;
        }
        rect = wrapAt(low);
        if (Height(rect) > allowed)
            rect = wrapAt(high);
    }
    if (keepFullHeight)
        rect.bottom = allowed;
}

void clWrapTextToLines(std::string_view text, TclCanvas& canvas, const win::RECT& rect, rtl::TStrings& list)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) < 33; };
    const int n = int(text.size());
    const int width = Width(rect);
    win::HDC dc = canvas.GetDCHandle();
    int lineStart = 0;
    int previousWordEnd = -1;
    int position = 0;
    while (position < n) {
        const int wordStart = position;
        int end = position + 1;
        while (end < n && !isBlank(text[end]))
            ++end;
        if (previousWordEnd >= 0 &&
            clSingleLineTextSize(dc, text.substr(lineStart, end - lineStart)).cx > width) {
            list.Add(std::string(text.substr(lineStart, previousWordEnd - lineStart)));
            lineStart = wordStart;
        }
        previousWordEnd = end;
        position = end;
        if (position < n && isBlank(text[position]))
            ++position;
    }
    list.Add(std::string(text.substr(std::min(lineStart, n))));
}

win::SIZE clMeasureTextInFont(gui::TFont* font, std::string_view text, int pointSize)
{
    TclScreenCanvas* screen = clGetScreenCanvas();
    if (!screen)
        return win::SIZE{0, 0};
    screen->SetCanvasFont(font);
    if (pointSize != 0)
        screen->GetCanvasFont()->SetSize(pointSize);
    return screen->MeasureText(text);
}

int clMeasureTextWidthInFont(gui::TFont* font, std::string_view text, int pointSize)
{
    return clMeasureTextInFont(font, text, pointSize).cx;
}

int clScreenPixelsPerInch(int horizontal)
{
    TclScreenCanvas* screen = clGetScreenCanvas();
    if (!screen)
        return 96;
    return win::GetDeviceCaps(screen->GetDCHandle(), horizontal == 1 ? win::LOGPIXELSX : win::LOGPIXELSY);
}

bool clIsSpecialCharsetText(int charset, std::string_view text)
{
    if (charset == rtl::DEFAULT_CHARSET)
        charset = rtl::CodePageToCharset(rtl::AnsiCodePage());
    if (!text.empty() && static_cast<unsigned char>(text[0]) < 128)
        return false;
    return charset == 134 || charset == 136 || charset == 178;
}

void clInvalidateWindowRect(win::HWND window, const win::RECT& rect, bool erase)
{
    win::InvalidateRect(window, &rect, erase);
}

bool clReadLogFont(win::HFONT font, win::LOGFONT& logFont)
{
    return font && win::GetObject(font, sizeof(logFont), &logFont) != 0;
}

bool clReadLogBrush(win::HBRUSH brush, win::LOGBRUSH& logBrush)
{
    return brush && win::GetObject(brush, sizeof(logBrush), &logBrush) != 0;
}

bool clReadLogPen(win::HPEN pen, win::LOGPEN& logPen)
{
    return pen && win::GetObject(pen, sizeof(logPen), &logPen) != 0;
}

bool clReadBitmapInfo(win::HBITMAP bitmap, win::BITMAP& info)
{
    return bitmap && win::GetObject(bitmap, sizeof(info), &info) != 0;
}

void clBlitRect(win::HDC destination, win::HDC source, const win::RECT& destRect, win::DWORD rop,
                win::POINT sourceTopLeft)
{
    win::BitBlt(destination, destRect.left, destRect.top, Width(destRect), Height(destRect), source, sourceTopLeft.x,
                sourceTopLeft.y, rop);
}

// What lies behind a control

namespace {
// Moves the window origin so that what is drawn at (dx, dy) lands at (0, 0).
void MoveWindowOrigin(win::HDC dc, int dx, int dy)
{
    win::OffsetWindowOrgEx(dc, -dx, -dy, nullptr);
}

void PaintControlImage(gui::TControl* control, bool isParent, TclCanvas& canvas, win::RECT rect, win::POINT shift)
{
    canvas.PushDC();
    win::HDC dc = canvas.GetDCHandle();
    MoveWindowOrigin(dc, shift.x, shift.y);
    if (win::RectVisible(dc, &rect)) {
        const gui::TControlState state = control->ControlState();
        control->SetControlState(state | gui::csPaintCopy);
        auto* windowed = dynamic_cast<gui::TWinControl*>(control);
        if (!isParent && windowed && windowed->HandleAllocated()) {
            const win::LONG style = win::GetWindowLong(windowed->Handle(), win::GWL_STYLE);
            const win::LONG exStyle = win::GetWindowLong(windowed->Handle(), win::GWL_EXSTYLE);
            win::RECT inner = rect;
            bool framed = true;
            if (exStyle & win::WS_EX_CLIENTEDGE)
                win::DrawEdge(dc, &inner, win::EDGE_SUNKEN, win::BF_RECT | win::BF_ADJUST);
            else if (style & win::WS_BORDER)
                win::DrawEdge(dc, &inner, 3, win::BF_RECT | win::BF_ADJUST | win::BF_MONO);
            else
                framed = false;
            if (framed) {
                win::IntersectClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
                MoveWindowOrigin(dc, inner.left, inner.top);
            }
        }
        canvas.Canvas()->Lock();
        control->Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(dc), reinterpret_cast<win::LPARAM>(dc));
        control->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(dc), 0);
        canvas.Canvas()->Unlock();
        control->SetControlState(state);
    }
    canvas.PopDC();
}
}  // namespace

void clPaintParentBackground(gui::TControl* control, TclCanvas& canvas, const win::RECT& rect)
{
    // The visual-styles library is not loaded here, so the parent's own picture serves.
    clPaintParentImage(control, canvas, rect, false);
}

void clPaintParentImage(gui::TControl* control, TclCanvas& canvas, const win::RECT& rect, bool siblings)
{
    gui::TWinControl* parent = control ? control->Parent() : nullptr;
    if (!parent)
        return;
    const win::RECT inParent = win::Moved(rect, control->Left(), control->Top());
    canvas.PushDC();
    MoveWindowOrigin(canvas.GetDCHandle(), -control->Left(), -control->Top());
    PaintControlImage(parent, true, canvas, inParent, win::POINT{0, 0});
    if (siblings) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            gui::TControl* child = parent->Controls(i);
            if (child == control)
                break;
            if (child->Visible() && dynamic_cast<gui::TWinControl*>(child))
                PaintControlImage(child, false, canvas, win::RECT{0, 0, child->Width(), child->Height()},
                                  win::POINT{child->Left(), child->Top()});
        }
    }
    canvas.PopDC();
}

void clPaintParentBackgroundOnCanvas(gui::TControl* control, gui::TCanvas* canvas, const win::RECT& rect)
{
    TclCanvas wrapper(canvas);
    clPaintParentBackground(control, wrapper, rect);
}

void clPaintParentImageOnCanvas(gui::TControl* control, gui::TCanvas* canvas, const win::RECT& rect, bool siblings)
{
    TclCanvas wrapper(canvas);
    clPaintParentImage(control, wrapper, rect, siblings);
}

// Tints

gui::TColor clMixSystemColors(int facePercent, int highlightPercent, int windowPercent)
{
    const win::COLORREF face = gui::ColorToRGB(gui::clBtnFace);
    const win::COLORREF highlight = gui::ColorToRGB(gui::clHighlight);
    if (face == 0 || face == 0xFFFFFF)
        return gui::TColor(highlight);
    const win::COLORREF window = gui::ColorToRGB(gui::clWindow);
    const auto channel = [&](int shift) {
        const int value = win::MulDiv(int((face >> shift) & 0xFF), facePercent, 100) +
                          win::MulDiv(int((highlight >> shift) & 0xFF), highlightPercent, 100) +
                          win::MulDiv(int((window >> shift) & 0xFF), windowPercent, 100);
        return win::COLORREF(std::clamp(value, 0, 255)) << shift;
    };
    return gui::TColor(channel(0) | channel(8) | channel(16));
}

namespace {
gui::TColor NearestScreenColor(gui::TColor color)
{
    win::HDC dc = win::GetDC(nullptr);
    const win::COLORREF nearest = win::GetNearestColor(dc, win::COLORREF(color));
    win::ReleaseDC(nullptr, dc);
    return gui::TColor(nearest);
}
}  // namespace

gui::TColor clPressedTintColor()
{
    return NearestScreenColor(clMixSystemColors(14, 44, 40));
}

gui::TColor clHotTintColor()
{
    return NearestScreenColor(clMixSystemColors(-2, 30, 72));
}

// Small helpers

void clShrinkRectByMargins(win::RECT& rect, const win::RECT& margins)
{
    rect.left += margins.left;
    rect.top += margins.top;
    rect.right -= margins.right;
    rect.bottom -= margins.bottom;
}

bool clBitmapHasImage(gui::TBitmap* bitmap)
{
    return bitmap && !bitmap->Empty();
}

bool clImageListHasIndex(gui::TCustomImageList* list, int index)
{
    return list && index >= 0 && index < list->Count();
}

void clAssignImageList(gui::TCustomImageList*& field, gui::TCustomImageList* value, gui::TChangeLink* changeLink,
                       classes::TComponent* notified)
{
    if (field == value)
        return;
    if (field) {
        if (notified)
            field->RemoveFreeNotification(notified);
        if (changeLink)
            field->UnRegisterChanges(changeLink);
    }
    field = value;
    if (value) {
        if (changeLink)
            value->RegisterChanges(changeLink);
        if (notified)
            value->FreeNotification(notified);
    }
    if (changeLink)
        changeLink->Change();
}

namespace detail {
void InitializeGraphics()
{
    graphicsState = UnitState::Running;
}

void FinalizeGraphics()
{
    screenCanvas.reset();
    graphicsState = UnitState::Ended;
}
}  // namespace detail

}  // namespace controls
