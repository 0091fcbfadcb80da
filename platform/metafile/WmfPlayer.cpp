#include "platform/metafile/WmfPlayer.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/Surface.h"
#include "platform/rtl/Charsets.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/metafile/EmfRecorder.h"
#include "platform/metafile/detail/EnhMetaFile.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/Shapes.h"
#include "platform/text/TextOut.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace win {

using namespace detail;

namespace {

// Mapped coordinates stay well inside int, whatever extents a file gives.
constexpr std::int64_t kCoordinateLimit = std::int64_t{1} << 24;

// value * numerator / denominator, rounded to the nearest (halves away from zero).
int ScaleWmf(std::int64_t value, std::int64_t numerator, std::int64_t denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const std::int64_t product = value * numerator;
    const std::int64_t magnitude = (std::llabs(product) + denominator / 2) / denominator;
    return static_cast<int>(std::clamp(product < 0 ? -magnitude : magnitude, -kCoordinateLimit, kCoordinateLimit));
}

// A packed bitmap copied into aligned memory, as the bitmap calls read it.
class AlignedDib {
public:
    explicit AlignedDib(const WmfDib& dib) : words_((dib.info.size() + dib.bits.size() + 3) / 4)
    {
        auto* bytes = reinterpret_cast<char*>(words_.data());
        std::memcpy(bytes, dib.info.data(), dib.info.size());
        std::memcpy(bytes + dib.info.size(), dib.bits.data(), dib.bits.size());
        bitsOffset_ = dib.info.size();
    }
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(words_.data()); }
    const void* Bits() const { return reinterpret_cast<const char*>(words_.data()) + bitsOffset_; }

private:
    std::vector<std::uint32_t> words_;
    size_t bitsOffset_ = 0;
};

class WmfRecordPlayer {
public:
    WmfRecordPlayer(HDC dc, const WindowsMetafile& metafile, const RECT& rect, int baseLevel)
        : dc_(dc), metafile_(metafile), rect_(rect), baseLevel_(baseLevel),
          slots_(static_cast<size_t>(metafile.objectCount))
    {
        state_.origin = POINT{metafile.bounds.left, metafile.bounds.top};
        state_.extent = SIZE{metafile.bounds.right - metafile.bounds.left, metafile.bounds.bottom - metafile.bounds.top};
    }
    WmfRecordPlayer(const WmfRecordPlayer&) = delete;
    WmfRecordPlayer& operator=(const WmfRecordPlayer&) = delete;
    // Back to the context's state before the play, then every object the metafile made is deleted.
    ~WmfRecordPlayer()
    {
        RestoreDC(dc_, baseLevel_);
        for (const Slot& slot : slots_) {
            if (slot.handle)
                DeleteObject(slot.handle);
        }
        for (HGDIOBJ handle : retired_)
            DeleteObject(handle);
    }

    void Play(const WmfRecord& record);

private:
    // What SAVEDC keeps besides the context's own state.
    struct State {
        POINT origin;
        SIZE extent;
        int charset = ANSI_CHARSET;  // of the selected font
    };
    struct Slot {
        bool used = false;
        HGDIOBJ handle = nullptr;  // null for a palette, which draws nothing here
        int charset = -1;  // fonts: their character set
    };

    int X(int x) const { return rect_.left + ScaleWmf(x - state_.origin.x, Width(), state_.extent.cx); }
    int Y(int y) const { return rect_.top + ScaleWmf(y - state_.origin.y, Height(), state_.extent.cy); }
    POINT Map(POINT point) const { return POINT{X(point.x), Y(point.y)}; }
    // Both corners mapped, then ordered.
    RECT MapBox(const RECT& box) const
    {
        const int left = X(box.left), right = X(box.right), top = Y(box.top), bottom = Y(box.bottom);
        return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }
    int LengthX(int length) const { return ScaleWmf(length, std::llabs(Width()), std::llabs(state_.extent.cx)); }
    int LengthY(int length) const { return ScaleWmf(length, std::llabs(Height()), std::llabs(state_.extent.cy)); }
    std::int64_t Width() const { return std::int64_t{rect_.right} - rect_.left; }
    std::int64_t Height() const { return std::int64_t{rect_.bottom} - rect_.top; }
    // Whether the mapping mirrors the picture in one direction only (arcs then run the other way).
    bool Mirrored() const
    {
        const bool flipsX = (Width() < 0) != (state_.extent.cx < 0);
        const bool flipsY = (Height() < 0) != (state_.extent.cy < 0);
        return flipsX != flipsY;
    }

    void Add(HGDIOBJ handle, int charset = -1);
    void Select(int index);
    void Delete(int index);
    void Restore(int level);
    void Arc(const WmfRecord& record);
    void Text(const WmfRecord& record);
    void Blit(const WmfRecord& record);

    HDC dc_;
    const WindowsMetafile& metafile_;
    RECT rect_;
    int baseLevel_;
    State state_;
    std::vector<State> saved_;
    std::vector<Slot> slots_;
    std::vector<HGDIOBJ> retired_;  // deleted by the metafile while the context still held them
};

void WmfRecordPlayer::Add(HGDIOBJ handle, int charset)
{
    // The reader made sure a slot is free.
    const auto free = std::find_if(slots_.begin(), slots_.end(), [](const Slot& slot) { return !slot.used; });
    if (free != slots_.end())
        *free = Slot{true, handle, charset};
    else if (handle)
        retired_.push_back(handle);
}

void WmfRecordPlayer::Select(int index)
{
    const Slot& slot = slots_.at(static_cast<size_t>(index));
    if (!slot.handle)
        return;
    if (SelectObject(dc_, slot.handle) && slot.charset >= 0)
        state_.charset = slot.charset;
}

void WmfRecordPlayer::Delete(int index)
{
    Slot& slot = slots_.at(static_cast<size_t>(index));
    if (slot.handle && !DeleteObject(slot.handle))
        retired_.push_back(slot.handle);
    slot = Slot{};
}

// RESTOREDC: a level counted from the first SAVEDC of the metafile, or a negative count back; levels
// the metafile did not save are ignored.
void WmfRecordPlayer::Restore(int level)
{
    const auto depth = static_cast<int>(saved_.size());
    const int index = level < 0 ? depth + level : level - 1;
    if (level == 0 || index < 0 || index >= depth)
        return;
    RestoreDC(dc_, baseLevel_ + 1 + index);
    state_ = saved_[static_cast<size_t>(index)];
    saved_.resize(static_cast<size_t>(index));
}

void WmfRecordPlayer::Arc(const WmfRecord& record)
{
    const RECT box = MapBox(metafile_.Box(record, 4));
    POINT start = Map(metafile_.Point(record, 2));
    POINT end = Map(metafile_.Point(record, 0));
    if (Mirrored())
        std::swap(start, end);
    const auto draw = record.function == WmfFunction::Arc ? &win::Arc
                      : record.function == WmfFunction::Pie ? &win::Pie
                                                            : &win::Chord;
    draw(dc_, box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y);
}

void WmfRecordPlayer::Text(const WmfRecord& record)
{
    const WmfText text = metafile_.Text(record);
    // The bytes are in the font's charset; drawn as wide text, no character is lost to the process page.
    // Those code pages give one character a byte, so the advances still pair with the characters.
    int codePage = 0;
    if (!rtl::TryCharsetToCodePage(state_.charset, codePage) || codePage < 1250 || codePage > 1258)
        codePage = rtl::AnsiCodePage();
    const std::u16string wide = rtl::AnsiToWide(text.text, codePage);
    const POINT at = Map(text.at);
    if (record.function == WmfFunction::TextOut) {
        TextOutW(dc_, at.x, at.y, wide.data(), static_cast<int>(wide.size()));
        return;
    }
    // Advances through the mapping of the running sum, so that rounding does not add up.
    std::vector<int> dx;
    int sum = 0;
    for (int advance : text.dx) {
        dx.push_back(LengthX(sum + advance) - LengthX(sum));
        sum += advance;
    }
    const RECT box = MapBox(text.rect);
    ExtTextOutW(dc_, at.x, at.y, text.options, text.hasRect ? &box : nullptr, wide.data(),
                static_cast<UINT>(wide.size()), dx.empty() ? nullptr : dx.data());
}

void WmfRecordPlayer::Blit(const WmfRecord& record)
{
    const WmfBlit blit = metafile_.Blit(record);
    const RECT& to = blit.destination;
    const int x = X(to.left);
    const int y = Y(to.top);
    const int width = X(to.left + to.right) - x;
    const int height = Y(to.top + to.bottom) - y;
    if (blit.dib.info.empty()) {
        PatBlt(dc_, x, y, width, height, blit.rop);
        return;
    }
    const AlignedDib dib(blit.dib);
    RECT from = blit.source;
    const LONG rows = dib.Info()->bmiHeader.biHeight;
    // The blits of a bitmap count the source from its top row, as a bitmap in a device context would;
    // StretchDIBits counts bottom-up bits from their bottom row.
    if (record.function != WmfFunction::StretchDib && rows > 0)
        from.top = rows - from.top - from.bottom;
    StretchDIBits(dc_, x, y, width, height, from.left, from.top, from.right, from.bottom, dib.Bits(), dib.Info(),
                  DIB_RGB_COLORS, blit.rop);
}

void WmfRecordPlayer::Play(const WmfRecord& record)
{
    const WindowsMetafile& m = metafile_;
    switch (record.function) {
    case WmfFunction::SetBkColor:
        SetBkColor(dc_, m.Colour(record, 0));
        break;
    case WmfFunction::SetBkMode:
        SetBkMode(dc_, m.Word(record, 0));
        break;
    case WmfFunction::SetRop2:
        SetROP2(dc_, m.Word(record, 0));
        break;
    case WmfFunction::SetPolyFillMode:
        SetPolyFillMode(dc_, m.Word(record, 0));
        break;
    case WmfFunction::SetStretchBltMode:
        SetStretchBltMode(dc_, m.Word(record, 0));
        break;
    case WmfFunction::SetTextColor:
        SetTextColor(dc_, m.Colour(record, 0));
        break;
    case WmfFunction::SetTextAlign:
        SetTextAlign(dc_, m.Word(record, 0));
        break;
    case WmfFunction::SetTextCharExtra:
        SetTextCharacterExtra(dc_, LengthX(m.Int(record, 0)));
        break;
    case WmfFunction::SetWindowOrg:
        state_.origin = m.Point(record, 0);
        break;
    case WmfFunction::SetWindowExt: {
        const POINT extent = m.Point(record, 0);
        if (extent.x != 0 && extent.y != 0)
            state_.extent = SIZE{extent.x, extent.y};
        break;
    }
    case WmfFunction::MoveTo: {
        const POINT to = Map(m.Point(record, 0));
        MoveToEx(dc_, to.x, to.y, nullptr);
        break;
    }
    case WmfFunction::LineTo: {
        const POINT to = Map(m.Point(record, 0));
        LineTo(dc_, to.x, to.y);
        break;
    }
    case WmfFunction::Rectangle:
    case WmfFunction::Ellipse: {
        const RECT box = MapBox(m.Box(record, 0));
        (record.function == WmfFunction::Rectangle ? &win::Rectangle : &win::Ellipse)(dc_, box.left, box.top, box.right,
                                                                                       box.bottom);
        break;
    }
    case WmfFunction::RoundRect: {
        const RECT box = MapBox(m.Box(record, 2));
        RoundRect(dc_, box.left, box.top, box.right, box.bottom, LengthX(m.Int(record, 1)), LengthY(m.Int(record, 0)));
        break;
    }
    case WmfFunction::Arc:
    case WmfFunction::Pie:
    case WmfFunction::Chord:
        Arc(record);
        break;
    case WmfFunction::Polygon:
    case WmfFunction::Polyline: {
        std::vector<POINT> points = m.Points(record);
        for (POINT& point : points)
            point = Map(point);
        const int count = static_cast<int>(points.size());
        if (record.function == WmfFunction::Polygon)
            Polygon(dc_, points.data(), count);
        else
            Polyline(dc_, points.data(), count);
        break;
    }
    case WmfFunction::PolyPolygon: {
        std::vector<int> counts;
        std::vector<POINT> points = m.PolyPoints(record, counts);
        for (POINT& point : points)
            point = Map(point);
        PolyPolygon(dc_, points.data(), counts.data(), static_cast<int>(counts.size()));
        break;
    }
    case WmfFunction::SetPixel: {
        const POINT at = Map(m.Point(record, 2));
        SetPixel(dc_, at.x, at.y, m.Colour(record, 0));
        break;
    }
    case WmfFunction::TextOut:
    case WmfFunction::ExtTextOut:
        Text(record);
        break;
    case WmfFunction::CreatePenIndirect: {
        LOGPEN pen = m.Pen(record);
        if (pen.lopnWidth.x > 0)
            pen.lopnWidth.x = std::max(1, LengthX(pen.lopnWidth.x));
        Add(CreatePenIndirect(&pen));
        break;
    }
    case WmfFunction::CreateBrushIndirect: {
        const LOGBRUSH brush = m.Brush(record);
        Add(CreateBrushIndirect(&brush));
        break;
    }
    case WmfFunction::DibCreatePatternBrush: {
        const AlignedDib dib(m.PatternDib(record));
        Add(CreateDIBPatternBrushPt(dib.Info(), DIB_RGB_COLORS));
        break;
    }
    case WmfFunction::CreateFontIndirect: {
        LOGFONT font = m.Font(record);
        if (font.lfHeight != 0)
            font.lfHeight = (font.lfHeight < 0 ? -1 : 1) * std::max(1, LengthY(std::abs(static_cast<int>(font.lfHeight))));
        if (font.lfWidth > 0)
            font.lfWidth = std::max(1, LengthX(static_cast<int>(font.lfWidth)));
        CheckPlayedFont(font, rect_);
        Add(CreateFontIndirect(&font), font.lfCharSet);
        break;
    }
    case WmfFunction::CreatePalette:
        Add(nullptr);
        break;
    case WmfFunction::SelectObject:
        Select(m.Word(record, 0));
        break;
    case WmfFunction::DeleteObject:
        Delete(m.Word(record, 0));
        break;
    case WmfFunction::SaveDc:
        if (SaveDC(dc_))
            saved_.push_back(state_);
        break;
    case WmfFunction::RestoreDc:
        Restore(m.Int(record, 0));
        break;
    case WmfFunction::IntersectClipRect:
    case WmfFunction::ExcludeClipRect: {
        const RECT box = MapBox(m.Box(record, 0));
        (record.function == WmfFunction::IntersectClipRect ? &IntersectClipRect : &ExcludeClipRect)(
            dc_, box.left, box.top, box.right, box.bottom);
        break;
    }
    case WmfFunction::StretchDib:
    case WmfFunction::DibStretchBlt:
    case WmfFunction::DibBitBlt:
        Blit(record);
        break;
    // Placement is the caller's rectangle; the rest has no effect on our devices.
    case WmfFunction::SetMapMode:
    case WmfFunction::SetViewportOrg:
    case WmfFunction::SetViewportExt:
    case WmfFunction::Escape:
    case WmfFunction::RealizePalette:
    case WmfFunction::SelectPalette:
    case WmfFunction::SetMapperFlags:
    case WmfFunction::SetRelAbs:
    case WmfFunction::Eof:
        break;
    }
}

}  // namespace

BOOL PlayWindowsMetafile(HDC dc, const WindowsMetafile& metafile, const RECT& rect)
{
    const int level = SaveDC(dc);
    if (level == 0)
        return FALSE;
    WmfRecordPlayer player(dc, metafile, rect, level);
    try {
        for (const WmfRecord& record : metafile.records)
            player.Play(record);
    } catch (const rtl::Exception&) {
        // A record the drawing calls refuse (a font too large to draw, say) ends the playing.
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    return TRUE;
}

HENHMETAFILE EnhMetaFileFromWindowsMetafile(const WindowsMetafile& metafile)
{
    // Recorded on a device of the metafile's own resolution, so that its coordinates keep their
    // precision instead of being rounded to display pixels. The device's page is a whole number of
    // hundreds of inches, which makes its size in millimetres exact and so the frame-to-pixel mapping
    // of the player exact too.
    const int width = std::max(1, static_cast<int>(std::abs(metafile.bounds.right - metafile.bounds.left)));
    const int height = std::max(1, static_cast<int>(std::abs(metafile.bounds.bottom - metafile.bounds.top)));
    const int inch = metafile.unitsPerInch;
    const int inches = 100 * ((std::max(width, height) + 100 * inch - 1) / (100 * inch));
    Device device;
    device.dpiX = device.dpiY = inch;
    device.resolution = SIZE{inch * inches, inch * inches};
    HDC reference = CreateInformationDC(device);
    const auto toFrame = [&](int units) { return static_cast<LONG>(std::llround(double(units) * 2540 / inch)); };
    const RECT frame{0, 0, toFrame(width), toFrame(height)};
    HDC recorder = reference ? CreateEnhMetaFileW(reference, nullptr, &frame, nullptr) : nullptr;
    HENHMETAFILE result = nullptr;
    if (recorder) {
        const BOOL played = PlayWindowsMetafile(recorder, metafile, RECT{0, 0, width, height});
        result = CloseEnhMetaFile(recorder);
        if (!played && result) {
            DeleteEnhMetaFile(result);
            result = nullptr;
        }
    }
    DeleteDC(reference);
    return result;
}

}  // namespace win
