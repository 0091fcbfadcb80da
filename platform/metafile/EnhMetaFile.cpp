#include "platform/metafile/EnhMetaFile.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/detail/Bitmap.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Region.h"
#include "platform/metafile/detail/EnhMetaFile.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/Lines.h"
#include "platform/wintypes/LogFont.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/Shapes.h"
#include "platform/text/TextOut.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

namespace win {

using namespace detail;

using namespace emf;

namespace {

struct MetafileObject : GdiObject {
    MetafileObject(std::string value, CheckedMetafile checked)
        : GdiObject(OBJ_ENHMETAFILE), bytes(std::move(value)), file(std::move(checked))
    {
    }
    std::string bytes;
    CheckedMetafile file;  // its records point into bytes
};

// Checks bytes and gives them a handle; raises EInvalidGraphic.
HENHMETAFILE AddChecked(std::string bytes)
{
    auto object = std::make_unique<MetafileObject>(std::move(bytes), CheckedMetafile{});
    const auto* data = reinterpret_cast<const std::uint8_t*>(object->bytes.data());
    object->file = CheckMetafile(std::span<const std::uint8_t>(data, object->bytes.size()));
    object->bytes.resize(object->file.header.nBytes);
    auto lock = LockGdi();
    return static_cast<HENHMETAFILE>(AddObject(std::move(object)));
}

HENHMETAFILE FromBytes(std::string bytes)
{
    try {
        return AddChecked(std::move(bytes));
    } catch (const EInvalidGraphic&) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
}

MetafileObject* FindMetafile(HENHMETAFILE handle)
{
    return FindObjectOf<MetafileObject>(handle, OBJ_ENHMETAFILE);
}

HENHMETAFILE ReadFile(const std::string& fileName)
{
    std::string bytes;
    try {
        rtl::TFileStream stream(fileName, rtl::fmOpenRead);
        const std::int64_t size = stream.Size();
        if (size > std::int64_t{1} << 30) {
            SetLastError(ERROR_INVALID_DATA);
            return nullptr;
        }
        bytes.resize(static_cast<std::size_t>(size));
        stream.ReadBuffer(bytes.data(), size);
    } catch (const rtl::Exception&) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    return FromBytes(std::move(bytes));
}

HENHMETAFILE Copy(HENHMETAFILE metafile, const char* fileName)
{
    std::string bytes = EnhMetaFileBytes(metafile);
    if (bytes.empty()) {
        return nullptr;
    }
    return AddEnhMetaFile(std::move(bytes), fileName ? fileName : "");
}

// Plays records onto a target, mapping the frame onto a rectangle of the target's logical coordinates.
class EmfPlayer {
public:
    EmfPlayer(HDC dc, const EnhMetaHeader& header, const RECT* rect) : dc_(dc), handles_(header.nHandles, nullptr)
    {
        // The frame in the reference device's pixels; without a usable frame, the bounds.
        const auto toPixels = [](i32 value, i32 pixels, i32 mm) {
            constexpr double largest = std::numeric_limits<int>::max();
            return static_cast<int>(std::clamp(std::round(double(value) * pixels / (double(mm) * 100)), -largest, largest));
        };
        const auto pastEnd = [](i32 value) { return value == std::numeric_limits<i32>::max() ? value : value + 1; };
        const Sizel device = header.szlDevice;
        const Sizel mm = header.szlMillimeters;
        if (device.cx > 0 && device.cy > 0 && mm.cx > 0 && mm.cy > 0 && header.rclFrame.right > header.rclFrame.left &&
            header.rclFrame.bottom > header.rclFrame.top) {
            frame_ = RECT{toPixels(header.rclFrame.left, device.cx, mm.cx), toPixels(header.rclFrame.top, device.cy, mm.cy),
                          toPixels(header.rclFrame.right, device.cx, mm.cx), toPixels(header.rclFrame.bottom, device.cy, mm.cy)};
        } else {
            frame_ = RECT{header.rclBounds.left, header.rclBounds.top, pastEnd(header.rclBounds.right),
                          pastEnd(header.rclBounds.bottom)};
        }
        if (IsRectEmpty(&frame_)) {
            frame_ = RECT{0, 0, 1, 1};
        }
        target_ = rect ? *rect : frame_;
        saveLevel_ = SaveDC(dc);
        POINT window{}, viewport{};
        GetWindowOrgEx(dc, &window);
        GetViewportOrgEx(dc, &viewport);
        shift_ = POINT{viewport.x - window.x, viewport.y - window.y};
        initialClip_ = CreateRectRgn(0, 0, 0, 0);
        if (GetClipRgn(dc, initialClip_) != 1) {
            DeleteObject(initialClip_);
            initialClip_ = nullptr;
        }
    }

    EmfPlayer(const EmfPlayer&) = delete;
    EmfPlayer& operator=(const EmfPlayer&) = delete;

    ~EmfPlayer()
    {
        RestoreDC(dc_, saveLevel_);
        for (HGDIOBJ object : handles_) {
            if (object) {
                DeleteObject(object);
            }
        }
        for (HGDIOBJ object : pending_) {
            DeleteObject(object);
        }
        if (initialClip_) {
            DeleteObject(initialClip_);
        }
    }

    HANDLETABLE* Table() { return reinterpret_cast<HANDLETABLE*>(handles_.data()); }
    UINT Size() const { return static_cast<UINT>(handles_.size()); }

    void Play(const RecordView& record);

private:
    struct Origins {
        POINT window;
        POINT viewport;
    };

    // A metafile device coordinate to the target's logical coordinates.
    // Nothing a file says reaches further than kReach pixels past the target (or grows a pen or a font
    // beyond it), so that a hostile file cannot make the drawing code cover billions of pixels.
    // Extents are taken in 64 bits and every mapped coordinate stays within kLimit, so that the sums the
    // drawing code forms of them fit an int.
    static constexpr int kReach = 1 << 16;
    static constexpr int kLimit = 1 << 30;
    // offset (from the frame's start) scaled from the frame's extent onto the target's, within reach of it.
    static int Place(std::int64_t offset, LONG targetStart, LONG targetEnd, LONG frameStart, LONG frameEnd)
    {
        const std::int64_t extent = std::int64_t{targetEnd} - targetStart;
        const std::int64_t scaled = std::clamp<std::int64_t>(Scale(offset - frameStart, extent, std::int64_t{frameEnd} - frameStart),
                                                             std::min<std::int64_t>(0, extent) - kReach,
                                                             std::max<std::int64_t>(0, extent) + kReach);
        return static_cast<int>(std::clamp<std::int64_t>(targetStart + scaled, -kLimit, kLimit));
    }
    int ScaleX(std::int64_t x) const { return Place(x, target_.left, target_.right, frame_.left, frame_.right); }
    int ScaleY(std::int64_t y) const { return Place(y, target_.top, target_.bottom, frame_.top, frame_.bottom); }
    static int Scale(std::int64_t value, std::int64_t to, std::int64_t from)
    {
        const double scaled = std::round(double(value) * double(to) / double(from));
        return static_cast<int>(std::clamp(scaled, -1e9, 1e9));
    }
    int LengthX(std::int64_t length) const
    {
        return std::clamp(Scale(length, std::int64_t{target_.right} - target_.left, std::int64_t{frame_.right} - frame_.left),
                          -kReach, kReach);
    }
    int LengthY(std::int64_t length) const
    {
        return std::clamp(Scale(length, std::int64_t{target_.bottom} - target_.top, std::int64_t{frame_.bottom} - frame_.top),
                          -kReach, kReach);
    }
    POINT Map(Pointl logical) const { return MapWide(logical.x, logical.y); }
    // For a point a file gives as a sum (a blit's far corner), which may not fit 32 bits.
    POINT MapWide(std::int64_t x, std::int64_t y) const
    {
        return POINT{ScaleX(x - origins_.window.x + origins_.viewport.x), ScaleY(y - origins_.window.y + origins_.viewport.y)};
    }
    RECT MapRect(const Rectl& rect) const
    {
        const POINT a = Map(Pointl{rect.left, rect.top});
        const POINT b = Map(Pointl{rect.right, rect.bottom});
        return RECT{a.x, a.y, b.x, b.y};
    }

    std::vector<POINT> MapPoints(const RecordView& record, std::size_t at, std::size_t count, bool small) const
    {
        std::vector<POINT> points;
        for (std::size_t index = 0; index < count; ++index) {
            if (small) {
                const auto point = record.Read<Points>(at + index * 4);
                points.push_back(Map(Pointl{point.x, point.y}));
            } else {
                points.push_back(Map(record.Read<Pointl>(at + index * 8)));
            }
        }
        return points;
    }

    // Region data mapped to the target's logical coordinates (device: without the file's origins).
    HRGN MapRegion(const RecordView& record, std::size_t at, bool device) const
    {
        const auto header = record.Read<RegionHeader>(at);
        std::vector<RECT> rects;
        for (u32 index = 0; index < header.nCount; ++index) {
            const auto rect = record.Read<Rectl>(at + sizeof(RegionHeader) + std::size_t{index} * 16);
            if (device) {
                rects.push_back(RECT{ScaleX(rect.left) + shift_.x, ScaleY(rect.top) + shift_.y, ScaleX(rect.right) + shift_.x,
                                     ScaleY(rect.bottom) + shift_.y});
            } else {
                rects.push_back(MapRect(rect));
            }
        }
        auto lock = LockGdi();
        return static_cast<HRGN>(AddObject(std::make_unique<RegionObject>(Region(rects))));
    }

    HGDIOBJ Object(u32 index) const
    {
        if (index & ENHMETA_STOCK_OBJECT) {
            return GetStockObject(static_cast<int>(index & ~ENHMETA_STOCK_OBJECT));
        }
        return index < handles_.size() ? handles_[index] : nullptr;
    }

    void Keep(u32 index, HGDIOBJ object)
    {
        if (index >= handles_.size()) {
            DeleteObject(object);
            return;
        }
        Drop(index);
        handles_[index] = object;
    }

    void Drop(u32 index)
    {
        if (index < handles_.size() && handles_[index]) {
            // An object still selected goes when the target's state is restored.
            if (!DeleteObject(handles_[index])) {
                pending_.push_back(handles_[index]);
            }
            handles_[index] = nullptr;
        }
    }

    void Clip(const RecordView& record);
    void PlayBlit(const RecordView& record);
    void PlayMaskBlt(const RecordView& record);
    void PlayStretchDiBits(const RecordView& record);
    void PlayText(const RecordView& record);
    void PlayGradient(const RecordView& record);
    void PlayObject(const RecordView& record);

    HDC dc_;
    std::vector<HGDIOBJ> handles_;
    std::vector<HGDIOBJ> pending_;
    RECT frame_;
    RECT target_;
    POINT shift_;  // the target's logical-to-device offset
    HRGN initialClip_ = nullptr;
    int saveLevel_ = 0;
    Origins origins_{};
    std::vector<Origins> savedOrigins_;
};

// A copy of a record's bitmap with its colour table, aligned, and its bits.
struct RecordDib {
    std::vector<std::uint32_t> info;
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info.data()); }
    std::vector<std::uint8_t> bits;
};

RecordDib DibOf(const RecordView& record, u32 offBmi, u32 cbBmi, u32 offBits, u32 cbBits)
{
    RecordDib dib;
    dib.info.resize((cbBmi + 3) / 4 + 1, 0);
    std::memcpy(dib.info.data(), record.bytes.data() + offBmi, cbBmi);
    dib.bits.assign(record.bytes.data() + offBits, record.bytes.data() + offBits + cbBits);
    return dib;
}

HBITMAP BitmapOf(const RecordDib& dib)
{
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, dib.Info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        return nullptr;
    }
    const BITMAPINFOHEADER& header = dib.Info()->bmiHeader;
    const std::size_t size = static_cast<std::size_t>(DibRowBytes(header.biWidth, header.biBitCount)) *
                             static_cast<std::size_t>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    std::memcpy(bits, dib.bits.data(), std::min(size, dib.bits.size()));
    return bitmap;
}

// A checked DIB's pixels chosen by columns and rows (top row 0), as a top-down DIB of their number, of
// the same depth and colour table: nearest-neighbour scaling and cutting without converting a colour.
RecordDib Resample(const RecordDib& dib, const std::vector<int>& columns, const std::vector<int>& rows)
{
    const BITMAPINFOHEADER& header = dib.Info()->bmiHeader;
    const int depth = header.biBitCount;
    const std::size_t table = DibColourTableBytes(header);
    RecordDib out;
    out.info.resize((sizeof(BITMAPINFOHEADER) + table) / 4 + 1, 0);
    BITMAPINFOHEADER resized = header;
    resized.biSize = sizeof(BITMAPINFOHEADER);
    resized.biWidth = static_cast<LONG>(columns.size());
    resized.biHeight = -static_cast<LONG>(rows.size());
    resized.biSizeImage = 0;
    std::memcpy(out.info.data(), &resized, sizeof(resized));
    std::memcpy(reinterpret_cast<std::uint8_t*>(out.info.data()) + sizeof(resized),
                reinterpret_cast<const std::uint8_t*>(dib.info.data()) + header.biSize, table);
    const auto rowBytes = static_cast<std::size_t>(DibRowBytes(header.biWidth, depth));
    const auto outRowBytes = static_cast<std::size_t>(DibRowBytes(resized.biWidth, depth));
    const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    out.bits.assign(outRowBytes * rows.size(), 0);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const int stored = header.biHeight < 0 ? rows[row] : height - 1 - rows[row];
        const std::uint8_t* in = dib.bits.data() + static_cast<std::size_t>(stored) * rowBytes;
        std::uint8_t* to = out.bits.data() + row * outRowBytes;
        for (std::size_t column = 0; column < columns.size(); ++column) {
            const auto from = static_cast<std::size_t>(columns[column]);
            if (depth >= 8) {
                std::memcpy(to + column * std::size_t(depth / 8), in + from * std::size_t(depth / 8), std::size_t(depth / 8));
                continue;
            }
            const std::size_t perByte = std::size_t(8 / depth);
            const unsigned mask = (1u << depth) - 1;
            const unsigned value = (in[from / perByte] >> ((perByte - 1 - from % perByte) * std::size_t(depth))) & mask;
            to[column / perByte] = static_cast<std::uint8_t>(to[column / perByte] |
                                                             (value << ((perByte - 1 - column % perByte) * std::size_t(depth))));
        }
    }
    return out;
}

// The source pixel, from first to first + count, of each destination pixel from skip to skip + wanted of
// a destination extent (negative: mirrored), nearest neighbour.
std::vector<int> NearestAxis(int first, int count, int extent, int skip, int wanted)
{
    const std::int64_t pixels = std::abs(extent);
    std::vector<int> sources;
    for (std::int64_t k = skip; k < std::int64_t{skip} + wanted; ++k) {
        const std::int64_t i = extent < 0 ? pixels - 1 - k : k;
        sources.push_back(first + static_cast<int>((2 * i + 1) * count / (2 * pixels)));
    }
    return sources;
}

void EmfPlayer::PlayObject(const RecordView& record)
{
    switch (record.Type()) {
    case EMR_CREATEPEN: {
        const auto pen = record.Read<EmrCreatePen>(0);
        Keep(pen.handle, CreatePen(static_cast<int>(pen.style), LengthX(pen.width.x), pen.color));
        break;
    }
    case EMR_EXTCREATEPEN: {
        const auto pen = record.Read<EmrExtCreatePen>(0);
        std::vector<DWORD> dashes;
        for (u32 index = 0; index < pen.entries; ++index) {
            dashes.push_back(static_cast<DWORD>(LengthX(record.Read<u32>(sizeof(EmrExtCreatePen) + index * 4))));
        }
        const LOGBRUSH brush{pen.brushStyle, pen.color, pen.hatch};
        const bool geometric = (pen.style & PS_TYPE_MASK) == PS_GEOMETRIC;
        Keep(pen.handle, ExtCreatePen(pen.style, geometric ? static_cast<DWORD>(LengthX(pen.width)) : pen.width, &brush,
                                      pen.entries, dashes.empty() ? nullptr : dashes.data()));
        break;
    }
    case EMR_CREATEBRUSHINDIRECT: {
        const auto brush = record.Read<EmrCreateBrush>(0);
        const LOGBRUSH logBrush{brush.style, brush.color, brush.hatch};
        Keep(brush.handle, brush.style == BS_SOLID || brush.style == BS_NULL || brush.style == BS_HATCHED
                               ? CreateBrushIndirect(&logBrush)
                               : nullptr);
        break;
    }
    case EMR_CREATEDIBPATTERNBRUSHPT: {
        const auto brush = record.Read<EmrCreateDibBrush>(0);
        std::vector<std::uint32_t> packed((brush.cbBmi + brush.cbBits + 3) / 4 + 1, 0);
        auto* bytes = reinterpret_cast<std::uint8_t*>(packed.data());
        std::memcpy(bytes, record.bytes.data() + brush.offBmi, brush.cbBmi);
        std::memcpy(bytes + brush.cbBmi, record.bytes.data() + brush.offBits, brush.cbBits);
        Keep(brush.handle, CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS));
        break;
    }
    case EMR_CREATEMONOBRUSH: {
        // A one-bit bitmap makes the brush paint in the text and background colours of each use.
        const auto brush = record.Read<EmrCreateDibBrush>(0);
        const RecordDib dib = DibOf(record, brush.offBmi, brush.cbBmi, brush.offBits, brush.cbBits);
        const LONG height = std::abs(dib.Info()->bmiHeader.biHeight);
        HBITMAP bitmap = CreateBitmap(dib.Info()->bmiHeader.biWidth, height, 1, 1, nullptr);
        if (bitmap && SetDIBits(nullptr, bitmap, 0, static_cast<UINT>(height), dib.bits.data(), dib.Info(),
                                DIB_RGB_COLORS)) {
            Keep(brush.handle, CreatePatternBrush(bitmap));
        } else {
            Keep(brush.handle, nullptr);
        }
        DeleteObject(bitmap);
        break;
    }
    case EMR_EXTCREATEFONTINDIRECTW: {
        const auto font = record.Read<EmrCreateFont>(0);
        LOGFONT logFont;
        logFont.lfHeight = LengthY(font.font.height);
        logFont.lfWidth = LengthX(font.font.width);
        logFont.lfEscapement = font.font.escapement;
        logFont.lfOrientation = font.font.orientation;
        logFont.lfWeight = font.font.weight;
        logFont.lfItalic = font.font.italic;
        logFont.lfUnderline = font.font.underline;
        logFont.lfStrikeOut = font.font.strikeOut;
        logFont.lfCharSet = font.font.charSet;
        logFont.lfOutPrecision = font.font.outPrecision;
        logFont.lfClipPrecision = font.font.clipPrecision;
        logFont.lfQuality = font.font.quality;
        logFont.lfPitchAndFamily = font.font.pitchAndFamily;
        const std::u16string_view face(font.font.faceName, std::find(font.font.faceName, font.font.faceName + 32, u'\0'));
        logFont.lfFaceName = rtl::WideToAnsi(face);
        CheckPlayedFont(logFont, target_);
        Keep(font.handle, CreateFontIndirect(&logFont));
        break;
    }
    case EMR_SELECTOBJECT:
        if (HGDIOBJ object = Object(record.Read<EmrObject>(0).handle)) {
            SelectObject(dc_, object);
        }
        break;
    case EMR_DELETEOBJECT:
        Drop(record.Read<EmrObject>(0).handle);
        break;
    default:
        break;
    }
}

void EmfPlayer::Clip(const RecordView& record)
{
    switch (record.Type()) {
    case EMR_INTERSECTCLIPRECT:
    case EMR_EXCLUDECLIPRECT: {
        const RECT rect = MapRect(record.Read<EmrRect>(0).rect);
        (record.Type() == EMR_INTERSECTCLIPRECT ? IntersectClipRect : ExcludeClipRect)(dc_, rect.left, rect.top, rect.right,
                                                                                        rect.bottom);
        break;
    }
    case EMR_EXTSELECTCLIPRGN: {
        const auto clip = record.Read<EmrExtSelectClip>(0);
        const int mode = static_cast<int>(clip.mode);
        HRGN region = clip.cbRgnData ? MapRegion(record, sizeof(EmrExtSelectClip), true) : nullptr;
        if (mode == RGN_COPY) {
            // The file's clip never reaches past the target's.
            SelectClipRgn(dc_, initialClip_);
            if (region) {
                ExtSelectClipRgn(dc_, region, RGN_AND);
            }
        } else if (region) {
            ExtSelectClipRgn(dc_, region, mode);
            if (initialClip_) {
                ExtSelectClipRgn(dc_, initialClip_, RGN_AND);
            }
        }
        if (region) {
            DeleteObject(region);
        }
        break;
    }
    default:
        break;
    }
}

void EmfPlayer::PlayBlit(const RecordView& record)
{
    auto blit = record.Read<EmrStretchBlt>(0);
    if (record.Type() == EMR_BITBLT) {
        blit.cxSrc = blit.cx;
        blit.cySrc = blit.cy;
    }
    const POINT from = Map(Pointl{blit.x, blit.y});
    const POINT to = MapWide(std::int64_t{blit.x} + blit.cx, std::int64_t{blit.y} + blit.cy);
    if (blit.cbBmi == 0) {
        PatBlt(dc_, from.x, from.y, to.x - from.x, to.y - from.y, blit.rop);
        return;
    }
    HBITMAP bitmap = BitmapOf(DibOf(record, blit.offBmi, blit.cbBmi, blit.offBits, blit.cbBits));
    if (!bitmap) {
        return;
    }
    HDC source = CreateCompatibleDC(dc_);
    SelectObject(source, bitmap);
    SetBkColor(source, blit.bkColorSrc);
    switch (record.Type()) {
    case EMR_ALPHABLEND: {
        const BLENDFUNCTION blend{static_cast<BYTE>(blit.rop), static_cast<BYTE>(blit.rop >> 8),
                                  static_cast<BYTE>(blit.rop >> 16), static_cast<BYTE>(blit.rop >> 24)};
        AlphaBlend(dc_, from.x, from.y, to.x - from.x, to.y - from.y, source, blit.xSrc, blit.ySrc, blit.cxSrc, blit.cySrc, blend);
        break;
    }
    case EMR_TRANSPARENTBLT:
        TransparentBlt(dc_, from.x, from.y, to.x - from.x, to.y - from.y, source, blit.xSrc, blit.ySrc, blit.cxSrc,
                       blit.cySrc, blit.rop);
        break;
    default:
        StretchBlt(dc_, from.x, from.y, to.x - from.x, to.y - from.y, source, blit.xSrc, blit.ySrc, blit.cxSrc, blit.cySrc,
                   blit.rop);
        break;
    }
    DeleteDC(source);
    DeleteObject(bitmap);
}

// MaskBlt has no stretching: the source and the mask are scaled to the destination's size first (cut to
// the target's clip box, so that a file cannot ask for bitmaps larger than the target shows).
void EmfPlayer::PlayMaskBlt(const RecordView& record)
{
    const auto blit = record.Read<EmrMaskBlt>(0);
    const POINT from = Map(Pointl{blit.x, blit.y});
    const POINT to = MapWide(std::int64_t{blit.x} + blit.cx, std::int64_t{blit.y} + blit.cy);
    const RECT destination{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x), std::max(from.y, to.y)};
    RECT box{};
    GetClipBox(dc_, &box);
    RECT shown{};
    if (!IntersectRect(&shown, &destination, &box)) {
        return;
    }
    const auto axes = [&](int sourceX, int sourceY) {
        return std::pair{NearestAxis(sourceX, blit.cx, to.x - from.x, shown.left - destination.left, shown.right - shown.left),
                         NearestAxis(sourceY, blit.cy, to.y - from.y, shown.top - destination.top, shown.bottom - shown.top)};
    };
    const auto [sourceColumns, sourceRows] = axes(blit.xSrc, blit.ySrc);
    HBITMAP sourceBitmap =
        BitmapOf(Resample(DibOf(record, blit.offBmi, blit.cbBmi, blit.offBits, blit.cbBits), sourceColumns, sourceRows));
    const auto [maskColumns, maskRows] = axes(blit.xMask, blit.yMask);
    RecordDib maskDib =
        Resample(DibOf(record, blit.offBmiMask, blit.cbBmiMask, blit.offBitsMask, blit.cbBitsMask), maskColumns, maskRows);
    // The mask's bits count, whatever its colour table says.
    maskDib.info[offsetof(BITMAPINFOHEADER, biClrUsed) / 4] = 2;
    maskDib.info.resize(sizeof(BITMAPINFOHEADER) / 4 + 2);
    maskDib.info[sizeof(BITMAPINFOHEADER) / 4] = 0;
    maskDib.info[sizeof(BITMAPINFOHEADER) / 4 + 1] = 0x00FFFFFF;
    HBITMAP maskBitmap = BitmapOf(maskDib);
    if (sourceBitmap && maskBitmap) {
        HDC source = CreateCompatibleDC(dc_);
        SelectObject(source, sourceBitmap);
        SetBkColor(source, blit.bkColorSrc);
        MaskBlt(dc_, shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top, source, 0, 0, maskBitmap, 0,
                0, blit.rop);
        DeleteDC(source);
    }
    DeleteObject(sourceBitmap);
    DeleteObject(maskBitmap);
}

void EmfPlayer::PlayStretchDiBits(const RecordView& record)
{
    const auto blit = record.Read<EmrStretchDiBits>(0);
    const RecordDib dib = DibOf(record, blit.offBmi, blit.cbBmi, blit.offBits, blit.cbBits);
    const POINT from = Map(Pointl{blit.x, blit.y});
    const POINT to = Map(Pointl{blit.x + blit.cx, blit.y + blit.cy});
    StretchDIBits(dc_, from.x, from.y, to.x - from.x, to.y - from.y, blit.xSrc, blit.ySrc, blit.cxSrc, blit.cySrc,
                  dib.bits.data(), dib.Info(), DIB_RGB_COLORS, blit.rop);
}

void EmfPlayer::PlayText(const RecordView& record)
{
    const auto text = record.Read<EmrText>(0);
    const POINT reference = Map(text.reference);
    std::vector<int> dx;
    if (text.offDx != 0) {
        // Mapped through the running positions, so that rounding does not add up along the text.
        std::int64_t position = text.reference.x;
        int previous = reference.x;
        for (u32 index = 0; index < text.chars; ++index) {
            position += record.Read<i32>(text.offDx + std::size_t{index} * 4);
            const int mapped = Map(Pointl{static_cast<i32>(std::clamp<std::int64_t>(position, INT32_MIN, INT32_MAX)),
                                          text.reference.y}).x;
            dx.push_back(mapped - previous);
            previous = mapped;
        }
    }
    const RECT rect = MapRect(text.rect);
    const RECT* clip = text.options & (ETO_OPAQUE | ETO_CLIPPED) ? &rect : nullptr;
    const int* advances = dx.empty() ? nullptr : dx.data();
    if (record.Type() == EMR_EXTTEXTOUTW) {
        std::u16string string(text.chars, u'\0');
        std::memcpy(string.data(), record.bytes.data() + text.offString, std::size_t{text.chars} * 2);
        ExtTextOutW(dc_, reference.x, reference.y, text.options, clip, string.data(), text.chars, advances);
    } else {
        const std::string string(reinterpret_cast<const char*>(record.bytes.data()) + text.offString, text.chars);
        ExtTextOutA(dc_, reference.x, reference.y, text.options, clip, string.data(), text.chars, advances);
    }
}

void EmfPlayer::PlayGradient(const RecordView& record)
{
    const auto fill = record.Read<EmrGradientFill>(0);
    std::vector<TRIVERTEX> vertices;
    for (u32 index = 0; index < fill.vertices; ++index) {
        const std::size_t at = sizeof(EmrGradientFill) + std::size_t{index} * 16;
        const POINT point = Map(record.Read<Pointl>(at));
        vertices.push_back(TRIVERTEX{point.x, point.y, record.Read<COLOR16>(at + 8), record.Read<COLOR16>(at + 10),
                                     record.Read<COLOR16>(at + 12), record.Read<COLOR16>(at + 14)});
    }
    const std::size_t meshAt = sizeof(EmrGradientFill) + std::size_t{fill.vertices} * 16;
    std::vector<ULONG> mesh(std::size_t{fill.meshes} * (fill.mode == GRADIENT_FILL_TRIANGLE ? 3 : 2));
    for (std::size_t index = 0; index < mesh.size(); ++index) {
        mesh[index] = record.Read<u32>(meshAt + index * 4);
    }
    GradientFill(dc_, vertices.data(), fill.vertices, mesh.data(), fill.meshes, fill.mode);
}

void EmfPlayer::Play(const RecordView& record)
{
    const u32 type = record.Type();
    switch (type) {
    case EMR_SETTEXTCOLOR:
        SetTextColor(dc_, record.Read<EmrValue>(0).value);
        break;
    case EMR_SETBKCOLOR:
        SetBkColor(dc_, record.Read<EmrValue>(0).value);
        break;
    case EMR_SETBKMODE:
        SetBkMode(dc_, static_cast<int>(record.Read<EmrValue>(0).value));
        break;
    case EMR_SETROP2:
        SetROP2(dc_, static_cast<int>(record.Read<EmrValue>(0).value));
        break;
    case EMR_SETSTRETCHBLTMODE:
        SetStretchBltMode(dc_, static_cast<int>(record.Read<EmrValue>(0).value));
        break;
    case EMR_SETPOLYFILLMODE:
        SetPolyFillMode(dc_, static_cast<int>(record.Read<EmrValue>(0).value));
        break;
    case EMR_SETTEXTALIGN:
        SetTextAlign(dc_, record.Read<EmrValue>(0).value);
        break;
    case EMR_SETBRUSHORGEX: {
        const Pointl origin = record.Read<EmrPoint>(0).point;
        SetBrushOrgEx(dc_, ScaleX(origin.x) + shift_.x, ScaleY(origin.y) + shift_.y, nullptr);
        break;
    }
    case EMR_SETWINDOWORGEX: {
        const Pointl origin = record.Read<EmrPoint>(0).point;
        origins_.window = POINT{origin.x, origin.y};
        break;
    }
    case EMR_SETVIEWPORTORGEX: {
        const Pointl origin = record.Read<EmrPoint>(0).point;
        origins_.viewport = POINT{origin.x, origin.y};
        break;
    }
    case EMR_MOVETOEX: {
        const POINT point = Map(record.Read<EmrPoint>(0).point);
        MoveToEx(dc_, point.x, point.y, nullptr);
        break;
    }
    case EMR_SAVEDC:
        SaveDC(dc_);
        savedOrigins_.push_back(origins_);
        break;
    case EMR_RESTOREDC: {
        // Only states the file saved itself; the target's own stay out of reach.
        const auto relative = static_cast<i32>(record.Read<EmrValue>(0).value);
        if (relative < 0 && -std::int64_t{relative} <= static_cast<std::int64_t>(savedOrigins_.size())) {
            RestoreDC(dc_, relative);
            origins_ = savedOrigins_[savedOrigins_.size() + static_cast<std::size_t>(relative)];
            savedOrigins_.resize(savedOrigins_.size() + static_cast<std::size_t>(relative));
        }
        break;
    }
    case EMR_INTERSECTCLIPRECT:
    case EMR_EXCLUDECLIPRECT:
    case EMR_EXTSELECTCLIPRGN:
        Clip(record);
        break;
    case EMR_CREATEPEN:
    case EMR_EXTCREATEPEN:
    case EMR_CREATEBRUSHINDIRECT:
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
    case EMR_EXTCREATEFONTINDIRECTW:
    case EMR_SELECTOBJECT:
    case EMR_DELETEOBJECT:
        PlayObject(record);
        break;
    case EMR_LINETO: {
        const POINT point = Map(record.Read<EmrPoint>(0).point);
        LineTo(dc_, point.x, point.y);
        break;
    }
    case EMR_POLYLINE:
    case EMR_POLYLINE16:
    case EMR_POLYGON:
    case EMR_POLYGON16:
    case EMR_POLYLINETO: {
        const auto poly = record.Read<EmrPoly>(0);
        const bool small = type == EMR_POLYLINE16 || type == EMR_POLYGON16;
        const std::vector<POINT> points = MapPoints(record, sizeof(EmrPoly), poly.count, small);
        if (type == EMR_POLYLINETO) {
            PolylineTo(dc_, points.data(), poly.count);
        } else if (type == EMR_POLYGON || type == EMR_POLYGON16) {
            Polygon(dc_, points.data(), static_cast<int>(poly.count));
        } else {
            Polyline(dc_, points.data(), static_cast<int>(poly.count));
        }
        break;
    }
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON: {
        const auto poly = record.Read<EmrPolyPoly>(0);
        std::vector<DWORD> counts;
        for (u32 index = 0; index < poly.polygons; ++index) {
            counts.push_back(record.Read<u32>(sizeof(EmrPolyPoly) + std::size_t{index} * 4));
        }
        const std::vector<POINT> points =
            MapPoints(record, sizeof(EmrPolyPoly) + std::size_t{poly.polygons} * 4, poly.points, false);
        if (type == EMR_POLYPOLYLINE) {
            PolyPolyline(dc_, points.data(), counts.data(), poly.polygons);
        } else {
            const std::vector<int> sizes(counts.begin(), counts.end());
            PolyPolygon(dc_, points.data(), sizes.data(), static_cast<int>(poly.polygons));
        }
        break;
    }
    case EMR_RECTANGLE:
    case EMR_ELLIPSE: {
        const RECT box = MapRect(record.Read<EmrRect>(0).rect);
        (type == EMR_RECTANGLE ? Rectangle : Ellipse)(dc_, box.left, box.top, box.right, box.bottom);
        break;
    }
    case EMR_ROUNDRECT: {
        const auto round = record.Read<EmrRoundRect>(0);
        const RECT box = MapRect(round.box);
        RoundRect(dc_, box.left, box.top, box.right, box.bottom, LengthX(round.corner.cx), LengthY(round.corner.cy));
        break;
    }
    case EMR_ARC:
    case EMR_PIE:
    case EMR_CHORD: {
        const auto arc = record.Read<EmrArc>(0);
        const RECT box = MapRect(arc.box);
        const POINT start = Map(arc.start);
        const POINT end = Map(arc.end);
        (type == EMR_ARC ? Arc : type == EMR_PIE ? Pie : Chord)(dc_, box.left, box.top, box.right, box.bottom, start.x,
                                                               start.y, end.x, end.y);
        break;
    }
    case EMR_SETPIXELV: {
        const auto pixel = record.Read<EmrSetPixel>(0);
        const POINT point = Map(pixel.point);
        SetPixel(dc_, point.x, point.y, pixel.color);
        break;
    }
    case EMR_FILLRGN:
    case EMR_FRAMERGN: {
        const auto fill = record.Read<EmrFillRgn>(0);
        HRGN region = MapRegion(record, type == EMR_FILLRGN ? sizeof(EmrFillRgn) : sizeof(EmrFrameRgn), false);
        const auto brush = static_cast<HBRUSH>(Object(fill.brush));
        if (type == EMR_FILLRGN) {
            FillRgn(dc_, region, brush);
        } else {
            const Sizel stroke = record.Read<EmrFrameRgn>(0).stroke;
            FrameRgn(dc_, region, brush, LengthX(stroke.cx), LengthY(stroke.cy));
        }
        DeleteObject(region);
        break;
    }
    case EMR_INVERTRGN:
    case EMR_PAINTRGN: {
        HRGN region = MapRegion(record, sizeof(EmrPaintRgn), false);
        (type == EMR_INVERTRGN ? InvertRgn : PaintRgn)(dc_, region);
        DeleteObject(region);
        break;
    }
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
    case EMR_ALPHABLEND:
    case EMR_TRANSPARENTBLT:
        PlayBlit(record);
        break;
    case EMR_MASKBLT:
        PlayMaskBlt(record);
        break;
    case EMR_STRETCHDIBITS:
        PlayStretchDiBits(record);
        break;
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW:
        PlayText(record);
        break;
    case EMR_GRADIENTFILL:
        PlayGradient(record);
        break;
    default:  // the header, comments and EOF draw nothing
        break;
    }
}

// The enumeration in progress on this thread, whose transform PlayEnhMetaFileRecord uses.
thread_local EmfPlayer* enumerating = nullptr;

// A checked view of a record a caller hands over (for PlayEnhMetaFileRecord).
std::optional<RecordView> ViewOf(const ENHMETARECORD* record)
{
    if (!record || record->nSize < 8 || record->nSize % 4 != 0) {
        return std::nullopt;
    }
    const RecordKind* kind = FindRecordKind(record->iType);
    if (!kind || record->nSize < kind->fixedSize) {
        return std::nullopt;
    }
    return RecordView{0, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(record), record->nSize)};
}

}  // namespace

HENHMETAFILE ReadEnhMetaFile(std::string_view bytes)
{
    return AddChecked(std::string(bytes));
}

std::string EnhMetaFileBytes(HENHMETAFILE metafile)
{
    auto lock = LockGdi();
    const MetafileObject* object = FindMetafile(metafile);
    return object ? object->bytes : std::string();
}

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data)
{
    if (!data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return FromBytes(std::string(reinterpret_cast<const char*>(data), size));
}

UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, BYTE* data)
{
    auto lock = LockGdi();
    const MetafileObject* object = FindMetafile(metafile);
    if (!object) {
        return 0;
    }
    const auto needed = static_cast<UINT>(object->bytes.size());
    if (!data) {
        return needed;
    }
    if (size < needed) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::memcpy(data, object->bytes.data(), needed);
    return needed;
}

bool detail::AnsiFileNameOfWide(const char16_t* fileName, std::string& ansi)
{
    if (!rtl::TryWideToAnsi(fileName, ansi)) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    return true;
}

HENHMETAFILE GetEnhMetaFileA(const char* fileName)
{
    if (!fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return ReadFile(fileName);
}

HENHMETAFILE GetEnhMetaFileW(const char16_t* fileName)
{
    if (!fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::string name;
    return AnsiFileNameOfWide(fileName, name) ? ReadFile(name) : nullptr;
}

HENHMETAFILE CopyEnhMetaFileA(HENHMETAFILE metafile, const char* fileName)
{
    return Copy(metafile, fileName);
}

HENHMETAFILE CopyEnhMetaFileW(HENHMETAFILE metafile, const char16_t* fileName)
{
    std::string name;
    if (fileName && !AnsiFileNameOfWide(fileName, name)) {
        return nullptr;
    }
    return Copy(metafile, fileName ? name.c_str() : nullptr);
}

BOOL DeleteEnhMetaFile(HENHMETAFILE metafile)
{
    auto lock = LockGdi();
    MetafileObject* object = FindMetafile(metafile);
    if (!object) {
        return FALSE;
    }
    RemoveObject(object);
    return TRUE;
}

UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, ENHMETAHEADER* header)
{
    auto lock = LockGdi();
    const MetafileObject* object = FindMetafile(metafile);
    if (!object) {
        return 0;
    }
    const UINT stored = std::min<UINT>(object->file.header.emr.nSize, sizeof(ENHMETAHEADER));
    if (!header) {
        return stored;
    }
    const UINT copied = std::min(size, stored);
    std::memcpy(header, &object->file.header, copied);
    return copied;
}

BOOL EnumEnhMetaFile(HDC dc, HENHMETAFILE metafile, ENHMFENUMPROC callback, LPARAM data, const RECT* rect)
{
    std::string bytes;
    {
        auto lock = LockGdi();
        if (!callback || !FindMetafile(metafile) || (dc && !FindDC(dc))) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        bytes = FindMetafile(metafile)->bytes;  // a copy: the callback may delete the handle
    }
    const auto* start = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const CheckedMetafile file = CheckMetafile(std::span<const std::uint8_t>(start, bytes.size()));
    std::optional<EmfPlayer> player;
    std::vector<HGDIOBJ> table(file.header.nHandles, nullptr);
    if (dc) {
        player.emplace(dc, file.header, rect);
    }
    EmfPlayer* outer = std::exchange(enumerating, player ? &*player : nullptr);
    BOOL result = TRUE;
    for (const RecordView& record : file.records) {
        std::vector<std::uint32_t> aligned(record.bytes.size() / 4);
        std::memcpy(aligned.data(), record.bytes.data(), record.bytes.size());
        HANDLETABLE* handles = player ? player->Table() : reinterpret_cast<HANDLETABLE*>(table.data());
        if (!callback(dc, handles, reinterpret_cast<const ENHMETARECORD*>(aligned.data()),
                      static_cast<int>(file.header.nHandles), data)) {
            result = FALSE;
            break;
        }
    }
    enumerating = outer;
    return result;
}

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect)
{
    std::string bytes;
    {
        auto lock = LockGdi();
        const MetafileObject* object = FindMetafile(metafile);
        if (!object || !FindDC(dc)) {
            return FALSE;
        }
        bytes = object->bytes;
    }
    const auto* start = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const CheckedMetafile file = CheckMetafile(std::span<const std::uint8_t>(start, bytes.size()));
    EmfPlayer player(dc, file.header, rect);
    try {
        for (const RecordView& record : file.records) {
            player.Play(record);
        }
    } catch (const rtl::Exception&) {
        // A record the drawing calls refuse (a font too large to draw, say) ends the playing.
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    return TRUE;
}

BOOL PlayEnhMetaFileRecord(HDC, HANDLETABLE* table, const ENHMETARECORD* record, UINT objects)
{
    const std::optional<RecordView> view = ViewOf(record);
    if (!view || !table || !enumerating || enumerating->Table() != table || objects != enumerating->Size()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (view->Type() == EMR_HEADER || view->Type() == EMR_EOF) {
        return TRUE;  // they draw nothing
    }
    // Checked as a file's record would be before playing it.
    try {
        EnhMetaHeader header;
        header.nHandles = static_cast<std::uint16_t>(objects);
        header.emr.nSize = sizeof(header);
        std::string file(reinterpret_cast<const char*>(&header), sizeof(header));
        file.append(reinterpret_cast<const char*>(view->bytes.data()), view->bytes.size());
        const EmrEof eof{{EMR_EOF, sizeof(EmrEof)}};
        file.append(reinterpret_cast<const char*>(&eof), sizeof(eof));
        std::memcpy(file.data() + offsetof(EnhMetaHeader, nBytes), &(header.nBytes = static_cast<u32>(file.size())), 4);
        header.nRecords = 3;
        std::memcpy(file.data() + offsetof(EnhMetaHeader, nRecords), &header.nRecords, 4);
        const CheckedMetafile checked =
            CheckMetafile(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()));
        enumerating->Play(checked.records[1]);
    } catch (const rtl::Exception&) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    return TRUE;
}

void detail::CheckPlayedFont(const LOGFONT& font, const RECT& target)
{
    const std::int64_t extent = std::max(std::llabs(std::int64_t{target.right} - target.left),
                                          std::llabs(std::int64_t{target.bottom} - target.top));
    const std::int64_t largest = std::max<std::int64_t>(2 * extent, kMaxPlayedFontFloor);
    for (const auto& [what, size] : {std::pair{"height", font.lfHeight}, std::pair{"width", font.lfWidth}})
        if (std::llabs(size) > largest)
            throw rtl::EInvalidArgument(std::string("The font ") + what + " " + std::to_string(size) +
                                        " is too large for the place the picture is drawn in");
}

HENHMETAFILE detail::AddEnhMetaFile(std::string bytes, std::string_view fileName)
{
    if (!fileName.empty()) {
        try {
            rtl::WriteFileAtomically(fileName, bytes);
        } catch (const rtl::Exception&) {
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
    }
    return FromBytes(std::move(bytes));
}

}  // namespace win
