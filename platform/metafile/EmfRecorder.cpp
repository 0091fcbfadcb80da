#include "platform/metafile/EmfRecorder.h"

#include "platform/gdi/Blit.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gdi/detail/Bitmap.h"
#include "platform/gdi/detail/Brush.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Pen.h"
#include "platform/gdi/detail/DrawingDevice.h"
#include "platform/gdi/detail/Region.h"
#include "platform/gdi/detail/Surface.h"
#include "platform/metafile/detail/EmfRecorder.h"
#include "platform/metafile/detail/EnhMetaFile.h"
#include "platform/rtl/CodePage.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Pen.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/TextOut.h"
#include "platform/text/detail/TextMetrics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>

namespace win {

using namespace detail;

using namespace emf;

namespace {

u32 RecordOf(ClipChange change)
{
    return change == ClipChange::Intersect ? EMR_INTERSECTCLIPRECT : EMR_EXCLUDECLIPRECT;
}

u32 RecordOf(PolyShape shape)
{
    return shape == PolyShape::Polyline ? EMR_POLYLINE : shape == PolyShape::Polygon ? EMR_POLYGON : EMR_POLYLINETO;
}

u32 RecordOf(PolyPolyShape shape)
{
    return shape == PolyPolyShape::PolyPolyline ? EMR_POLYPOLYLINE : EMR_POLYPOLYGON;
}

u32 RecordOf(BoxShape shape)
{
    return shape == BoxShape::Rectangle ? EMR_RECTANGLE : EMR_ELLIPSE;
}

u32 RecordOf(ArcShape shape)
{
    return shape == ArcShape::Arc ? EMR_ARC : shape == ArcShape::Pie ? EMR_PIE : EMR_CHORD;
}

u32 RecordOf(BlitKind kind)
{
    switch (kind) {
    case BlitKind::BitBlt:
        return EMR_BITBLT;
    case BlitKind::StretchBlt:
        return EMR_STRETCHBLT;
    case BlitKind::TransparentBlt:
        return EMR_TRANSPARENTBLT;
    case BlitKind::AlphaBlend:
        break;
    }
    return EMR_ALPHABLEND;
}

Rectl Inclusive(const RECT& rect)
{
    return Rectl{rect.left, rect.top, rect.right - 1, rect.bottom - 1};
}

Rectl Plain(const RECT& rect)
{
    return Rectl{rect.left, rect.top, rect.right, rect.bottom};
}

RECT Normalized(int x, int y, int width, int height)
{
    return RECT{std::min(x, x + width), std::min(y, y + height), std::max(x, x + width), std::max(y, y + height)};
}

void Pad(std::string& bytes)
{
    bytes.resize((bytes.size() + 3) / 4 * 4, '\0');
}

std::string RegionBytes(const Region& region)
{
    const std::vector<RECT> rects = region.Rects();
    RegionHeader header;
    header.nCount = static_cast<u32>(rects.size());
    header.nRgnSize = header.nCount * 16;
    header.bound = Plain(region.Bounds());
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    for (const RECT& rect : rects) {
        const Rectl value = Plain(rect);
        bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
    }
    return bytes;
}

// A device-independent bitmap as a record carries it: header and colour table, then the rows.
struct Dib {
    std::string info;
    std::string bits;
};

Dib TopDownDib(int width, int height, int depth, const std::vector<std::uint32_t>& palette)
{
    BITMAPINFOHEADER header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biBitCount = static_cast<WORD>(depth);
    header.biClrUsed = static_cast<DWORD>(palette.size());
    Dib dib;
    dib.info.assign(reinterpret_cast<const char*>(&header), sizeof(header));
    for (const std::uint32_t colour : palette) {
        dib.info.append(reinterpret_cast<const char*>(&colour), 4);
    }
    dib.bits.assign(static_cast<std::size_t>(DibRowBytes(width, depth)) * static_cast<std::size_t>(height), '\0');
    return dib;
}

// The two colours of a monochrome source, those of its 0 and its 1 bits.
struct TwoColours {
    std::uint32_t zero;
    std::uint32_t one;
};

// The pixels of a rectangle of a context's surface (surface coordinates); outside the surface black, or
// 0 bits. A monochrome source gives a DIB of one bit a pixel with its two colours.
Dib Capture(const Surface& surface, RECT area, std::optional<TwoColours> monochrome)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    Dib dib = monochrome ? TopDownDib(width, height, 1, {monochrome->zero & 0x00FFFFFF, monochrome->one & 0x00FFFFFF})
                         : TopDownDib(width, height, 32, {});
    const std::size_t rowBytes = static_cast<std::size_t>(DibRowBytes(width, monochrome ? 1 : 32));
    for (int row = 0; row < height; ++row) {
        const int y = area.top + row;
        auto* out = reinterpret_cast<std::uint8_t*>(dib.bits.data()) + static_cast<std::size_t>(row) * rowBytes;
        for (int column = 0; column < width; ++column) {
            const int x = area.left + column;
            if (x < 0 || y < 0 || x >= surface.Width() || y >= surface.Height()) {
                continue;
            }
            const std::uint32_t pixel = surface.Pixel(x, y);
            if (monochrome) {
                if ((pixel & 0x00FFFFFF) == (monochrome->one & 0x00FFFFFF)) {
                    out[column / 8] = static_cast<std::uint8_t>(out[column / 8] | (0x80 >> (column % 8)));
                }
            } else {
                std::memcpy(out + static_cast<std::size_t>(column) * 4, &pixel, 4);
            }
        }
    }
    return dib;
}

// The two colours of a bitmap of one bit a pixel; none for any other.
std::optional<TwoColours> MonochromeColours(const BitmapObject* bitmap)
{
    if (!bitmap || bitmap->bitsPerPixel != 1) {
        return std::nullopt;
    }
    return TwoColours{bitmap->palette[0], bitmap->palette[1]};
}

// The pixels of a source context's logical rectangle as a record carries them, with the context's
// background colour; null when the context has no pixels.
struct SourceImage {
    Dib dib;
    COLORREF background;
    bool inside;  // the rectangle lies within the source's surface
};

std::optional<SourceImage> CaptureSource(HDC source, const RECT& logical)
{
    DeviceContext* from = FindDC(source);
    if (!from || !from->Target()) {
        return std::nullopt;
    }
    RECT area = from->ToDevice(logical);
    OffsetRect(&area, from->surfaceOrigin.x, from->surfaceOrigin.y);
    const Surface& surface = *from->Target();
    BitmapObject* bitmap = SelectedBitmap(*from);
    if (bitmap) {
        bitmap->Load();
    }
    return SourceImage{Capture(surface, area, MonochromeColours(bitmap)),
                       from->state.backgroundColor,
                       area.left >= 0 && area.top >= 0 && area.right <= surface.Width() && area.bottom <= surface.Height()};
}

int FontEscapement(const DeviceContext& context)
{
    const auto face = SelectedFace(context);
    return face ? face->Escapement() : 0;
}

// The device rectangle enclosing a box (offsets along the baseline and down from it) turned about the
// reference point by the escapement, in tenths of a degree counter-clockwise, as text is drawn; glyphs
// turned off the pixel grid may reach one pixel past the exact corners.
RECT RotatedBox(POINT reference, const RECT& box, int escapement)
{
    if (escapement % 3600 == 0) {
        RECT plain = box;
        OffsetRect(&plain, reference.x, reference.y);
        return plain;
    }
    const double angle = escapement / 10.0 * std::numbers::pi / 180.0;
    const double cosine = std::cos(angle);
    const double sine = std::sin(angle);
    double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
    for (const LONG along : {box.left, box.right}) {
        for (const LONG down : {box.top, box.bottom}) {
            const double x = reference.x + along * cosine + down * sine;
            const double y = reference.y - along * sine + down * cosine;
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x);
            bottom = std::max(bottom, y);
        }
    }
    return RECT{LONG(std::floor(left)) - 1, LONG(std::floor(top)) - 1, LONG(std::ceil(right)) + 1, LONG(std::ceil(bottom)) + 1};
}

}  // namespace

EmfRecorder::EmfRecorder(DeviceContext& context, std::string fileName, std::optional<RECT> frame, std::u16string description)
    : context_(context), fileName_(std::move(fileName)), frame_(frame), description_(std::move(description))
{
    WatchDeletions(*this);
}

EmfRecorder::~EmfRecorder()
{
    UnwatchDeletions(*this);
}

Region EmfRecorder::Reach(const DeviceContext&) const
{
    constexpr int reach = 1 << 26;
    return Region(RECT{-reach, -reach, reach, reach});
}

void EmfRecorder::Write(const void* record, std::size_t size, std::string_view tail)
{
    std::string bytes(static_cast<const char*>(record), size);
    bytes.append(tail);
    Pad(bytes);
    const auto total = static_cast<u32>(bytes.size());
    std::memcpy(bytes.data() + 4, &total, 4);
    records_ += bytes;
    ++count_;
}

void EmfRecorder::Bound(RECT device)
{
    if (IsRectEmpty(&device)) {
        return;
    }
    if (!bounds_) {
        bounds_ = device;
    } else {
        UnionRect(&*bounds_, &*bounds_, &device);
    }
}

int EmfRecorder::PenReach() const
{
    const PenShape pen = PenShapeOf(context_);
    return pen.null ? 0 : pen.width / 2 + 1;
}

RECT EmfRecorder::DeviceBounds(const POINT* points, std::size_t count, bool pen) const
{
    RECT box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (std::size_t index = 0; index < count; ++index) {
        const POINT point = context_.ToDevice(points[index]);
        box = RECT{std::min(box.left, point.x), std::min(box.top, point.y), std::max(box.right, point.x + 1),
                   std::max(box.bottom, point.y + 1)};
    }
    if (count == 0) {
        return RECT{};
    }
    if (pen) {
        const int reach = PenReach();
        InflateRect(&box, reach, reach);
    }
    return box;
}

u32 EmfRecorder::NewIndex()
{
    if (!freeIndexes_.empty()) {
        const u32 index = freeIndexes_.back();
        freeIndexes_.pop_back();
        return index;
    }
    return handles_++;
}

u32 EmfRecorder::ObjectIndex(HGDIOBJ handle)
{
    GdiObject* object = FindObject(handle);
    if (!object) {
        return ENHMETA_STOCK_OBJECT | NULL_BRUSH;
    }
    if (object->stock) {
        for (u32 index = 0; index <= kStockObjectLast; ++index) {
            if (GetStockObject(static_cast<int>(index)) == handle) {
                return ENHMETA_STOCK_OBJECT | index;
            }
        }
    }
    if (const auto found = objects_.find(handle); found != objects_.end()) {
        return found->second;
    }
    const u32 index = NewIndex();
    objects_[handle] = index;
    if (object->type == OBJ_PEN) {
        const auto& pen = static_cast<const PenObject&>(*object);
        if (pen.extended) {
            EmrExtCreatePen record;
            record.emr.iType = EMR_EXTCREATEPEN;
            record.handle = index;
            record.style = pen.extStyle;
            record.width = static_cast<u32>(pen.logPen.lopnWidth.x);
            record.color = pen.logPen.lopnColor;
            record.entries = static_cast<u32>(pen.dashes.size());
            Write(&record, sizeof(record),
                  std::string_view(reinterpret_cast<const char*>(pen.dashes.data()), pen.dashes.size() * 4));
        } else {
            EmrCreatePen record;
            record.emr.iType = EMR_CREATEPEN;
            record.handle = index;
            record.style = pen.logPen.lopnStyle;
            record.width = Pointl{pen.logPen.lopnWidth.x, 0};
            record.color = pen.logPen.lopnColor;
            Write(&record, sizeof(record));
        }
    } else if (object->type == OBJ_BRUSH) {
        const auto& brush = static_cast<const BrushObject&>(*object);
        if (brush.pattern) {
            const Surface& pattern = *brush.pattern;
            // A monochrome pattern stays one: played back, it takes the colours of the moment again.
            const Dib dib = Capture(pattern, pattern.Bounds(),
                                    brush.monochrome ? std::optional<TwoColours>(TwoColours{0, 0x00FFFFFF}) : std::nullopt);
            EmrCreateDibBrush record;
            record.emr.iType = brush.monochrome ? EMR_CREATEMONOBRUSH : EMR_CREATEDIBPATTERNBRUSHPT;
            record.handle = index;
            record.offBmi = sizeof(record);
            record.cbBmi = static_cast<u32>(dib.info.size());
            record.offBits = record.offBmi + record.cbBmi;
            record.cbBits = static_cast<u32>(dib.bits.size());
            Write(&record, sizeof(record), dib.info + dib.bits);
        } else {
            EmrCreateBrush record;
            record.emr.iType = EMR_CREATEBRUSHINDIRECT;
            record.handle = index;
            record.style = brush.logBrush.lbStyle;
            record.color = brush.Color();
            record.hatch = static_cast<u32>(brush.logBrush.lbHatch);
            Write(&record, sizeof(record));
        }
    } else if (object->type == OBJ_FONT) {
        const LOGFONT& font = static_cast<const FontObject&>(*object).logFont;
        EmrCreateFont record;
        record.emr.iType = EMR_EXTCREATEFONTINDIRECTW;
        record.handle = index;
        record.font = LogFontW{font.lfHeight, font.lfWidth, font.lfEscapement, font.lfOrientation, font.lfWeight,
                               font.lfItalic, font.lfUnderline, font.lfStrikeOut, font.lfCharSet, font.lfOutPrecision,
                               font.lfClipPrecision, font.lfQuality, font.lfPitchAndFamily, {}};
        const std::u16string face = rtl::AnsiToWide(font.lfFaceName.View());
        std::copy_n(face.begin(), std::min<std::size_t>(face.size(), 31), record.font.faceName);
        Write(&record, sizeof(record));
    }
    return index;
}

void EmfRecorder::SelectIndex(u32& fileSlot, HGDIOBJ object)
{
    const u32 index = ObjectIndex(object);
    if (index != fileSlot) {
        EmrObject record{{EMR_SELECTOBJECT, 0}, index};
        Write(&record, sizeof(record));
        fileSlot = index;
    }
}

void EmfRecorder::SyncValue(u32 type, auto& fileValue, auto contextValue)
{
    if (fileValue != contextValue) {
        EmrValue record{{type, 0}, static_cast<u32>(contextValue)};
        Write(&record, sizeof(record));
        fileValue = contextValue;
    }
}

void EmfRecorder::Sync(bool position)
{
    const DcState& state = context_.state;
    SyncValue(EMR_SETTEXTCOLOR, file_.textColor, state.textColor);
    SyncValue(EMR_SETBKCOLOR, file_.backgroundColor, state.backgroundColor);
    SyncValue(EMR_SETBKMODE, file_.backgroundMode, state.backgroundMode);
    SyncValue(EMR_SETROP2, file_.rop2, state.rop2);
    SyncValue(EMR_SETSTRETCHBLTMODE, file_.stretchMode, state.stretchMode);
    SyncValue(EMR_SETPOLYFILLMODE, file_.polyFillMode, state.polyFillMode);
    SyncValue(EMR_SETTEXTALIGN, file_.textAlign, state.textAlign);
    for (const auto& [type, fileValue, contextValue] :
         {std::tuple<u32, POINT*, POINT>{EMR_SETBRUSHORGEX, &file_.brushOrigin, state.brushOrigin},
          std::tuple<u32, POINT*, POINT>{EMR_SETWINDOWORGEX, &file_.windowOrigin, state.windowOrigin},
          std::tuple<u32, POINT*, POINT>{EMR_SETVIEWPORTORGEX, &file_.viewportOrigin, state.viewportOrigin}}) {
        if (*fileValue != contextValue) {
            EmrPoint record{{type, 0}, Pointl{contextValue.x, contextValue.y}};
            Write(&record, sizeof(record));
            *fileValue = contextValue;
        }
    }
    SyncClip(state.clip);
    SelectIndex(file_.pen, state.pen);
    SelectIndex(file_.brush, state.brush);
    SelectIndex(file_.font, state.font);
    if (position && file_.position != state.currentPosition) {
        EmrPoint record{{EMR_MOVETOEX, 0}, Pointl{state.currentPosition.x, state.currentPosition.y}};
        Write(&record, sizeof(record));
        file_.position = state.currentPosition;
    }
}

void EmfRecorder::SyncClip(const std::optional<Region>& clip)
{
    if (file_.clip != clip) {
        EmrExtSelectClip record{{EMR_EXTSELECTCLIPRGN, 0}, 0, RGN_COPY};
        const std::string region = clip ? RegionBytes(*clip) : std::string();
        record.cbRgnData = static_cast<u32>(region.size());
        Write(&record, sizeof(record), region);
        file_.clip = clip;
    }
}

void EmfRecorder::ClipRect(DeviceContext&, ClipChange change, const RECT& rect, const std::optional<Region>& before)
{
    const u32 type = RecordOf(change);
    SyncClip(before);
    const EmrRect record{{type, 0}, Plain(rect)};
    Write(&record, sizeof(record));
    file_.clip = context_.state.clip;
}

void EmfRecorder::SaveDC(DeviceContext&)
{
    Sync();
    RecordHead record{EMR_SAVEDC, 0};
    Write(&record, sizeof(record));
    saved_.push_back(file_);
}

void EmfRecorder::RestoreDC(DeviceContext&, int level)
{
    const auto count = static_cast<int>(saved_.size());
    const int index = level < 0 ? count + level : level - 1;
    if (level == 0 || index < 0 || index >= count) {
        return;
    }
    EmrValue record{{EMR_RESTOREDC, 0}, static_cast<u32>(index - count)};
    Write(&record, sizeof(record));
    file_ = saved_[static_cast<std::size_t>(index)];
    saved_.resize(static_cast<std::size_t>(index));
}

BOOL EmfRecorder::LineTo(DeviceContext&, int x, int y)
{
    Sync(true);
    const POINT ends[2] = {context_.state.currentPosition, POINT{x, y}};
    Bound(DeviceBounds(ends, 2, true));
    EmrPoint record{{EMR_LINETO, 0}, Pointl{x, y}};
    Write(&record, sizeof(record));
    context_.state.currentPosition = POINT{x, y};
    file_.position = context_.state.currentPosition;
    return TRUE;
}

BOOL EmfRecorder::Poly(DeviceContext&, PolyShape shape, const POINT* points, std::size_t count)
{
    const u32 type = RecordOf(shape);
    Sync(type == EMR_POLYLINETO);
    std::vector<POINT> all(points, points + count);
    if (type == EMR_POLYLINETO) {
        all.push_back(context_.state.currentPosition);
    }
    const RECT bounds = DeviceBounds(all.data(), all.size(), true);
    Bound(bounds);
    EmrPoly record{{type, 0}, Inclusive(bounds), static_cast<u32>(count)};
    std::string tail;
    for (std::size_t index = 0; index < count; ++index) {
        const Pointl point{points[index].x, points[index].y};
        tail.append(reinterpret_cast<const char*>(&point), sizeof(point));
    }
    Write(&record, sizeof(record), tail);
    if (type == EMR_POLYLINETO && count > 0) {
        context_.state.currentPosition = points[count - 1];
        file_.position = context_.state.currentPosition;
    }
    return TRUE;
}

BOOL EmfRecorder::PolyPoly(DeviceContext&, PolyPolyShape shape, const POINT* points, const DWORD* counts, std::size_t polygons)
{
    const u32 type = RecordOf(shape);
    Sync();
    std::size_t total = 0;
    std::string tail;
    for (std::size_t index = 0; index < polygons; ++index) {
        total += counts[index];
        tail.append(reinterpret_cast<const char*>(&counts[index]), 4);
    }
    for (std::size_t index = 0; index < total; ++index) {
        const Pointl point{points[index].x, points[index].y};
        tail.append(reinterpret_cast<const char*>(&point), sizeof(point));
    }
    const RECT bounds = DeviceBounds(points, total, true);
    Bound(bounds);
    EmrPolyPoly record{{type, 0}, Inclusive(bounds), static_cast<u32>(polygons), static_cast<u32>(total)};
    Write(&record, sizeof(record), tail);
    return TRUE;
}

void EmfRecorder::BoundShape(const RECT& box)
{
    const POINT corners[2] = {POINT{box.left, box.top}, POINT{box.right - 1, box.bottom - 1}};
    Bound(DeviceBounds(corners, 2, true));
}

BOOL EmfRecorder::Box(DeviceContext&, BoxShape shape, const RECT& box)
{
    const u32 type = RecordOf(shape);
    Sync();
    BoundShape(box);
    EmrRect record{{type, 0}, Plain(box)};
    Write(&record, sizeof(record));
    return TRUE;
}

BOOL EmfRecorder::RoundRect(DeviceContext&, const RECT& box, SIZE corner)
{
    Sync();
    BoundShape(box);
    EmrRoundRect record{{EMR_ROUNDRECT, 0}, Plain(box), Sizel{corner.cx, corner.cy}};
    Write(&record, sizeof(record));
    return TRUE;
}

BOOL EmfRecorder::Arc(DeviceContext&, ArcShape shape, const RECT& box, POINT start, POINT end)
{
    const u32 type = RecordOf(shape);
    Sync();
    BoundShape(box);
    EmrArc record{{type, 0}, Plain(box), Pointl{start.x, start.y}, Pointl{end.x, end.y}};
    Write(&record, sizeof(record));
    return TRUE;
}

COLORREF EmfRecorder::GetPixel(DeviceContext&, int, int)
{
    return CLR_INVALID;
}

COLORREF EmfRecorder::SetPixel(DeviceContext&, int x, int y, COLORREF color)
{
    Sync();
    const POINT point{x, y};
    Bound(DeviceBounds(&point, 1, false));
    EmrSetPixel record{{EMR_SETPIXELV, 0}, Pointl{x, y}, color & 0x00FFFFFF};
    Write(&record, sizeof(record));
    return color & 0x00FFFFFF;
}

namespace {

RECT DeviceBox(const DeviceContext& context, const Region& logical)
{
    RECT box = logical.Bounds();
    const POINT shift = context.ToDevice(POINT{0, 0});
    OffsetRect(&box, shift.x, shift.y);
    return box;
}

}  // namespace

void EmfRecorder::WriteRegion(u32 type, const Region& region, u32 brush, SIZE stroke)
{
    const RECT bounds = DeviceBox(context_, region);
    Bound(bounds);
    const std::string data = RegionBytes(region);
    const auto size = static_cast<u32>(data.size());
    if (type == EMR_FILLRGN) {
        EmrFillRgn record{{type, 0}, Inclusive(bounds), size, brush};
        Write(&record, sizeof(record), data);
    } else if (type == EMR_FRAMERGN) {
        EmrFrameRgn record{{type, 0}, Inclusive(bounds), size, brush, Sizel{stroke.cx, stroke.cy}};
        Write(&record, sizeof(record), data);
    } else {
        EmrPaintRgn record{{type, 0}, Inclusive(bounds), size};
        Write(&record, sizeof(record), data);
    }
}

BOOL EmfRecorder::FillRgn(DeviceContext&, const Region& region, HBRUSH brush)
{
    Sync();
    if (const std::intptr_t value = HandleValue(brush); value > 0 && value <= COLOR_MENUBAR + 1) {
        brush = GetSysColorBrush(static_cast<int>(value - 1));
    }
    if (!FindObjectOf<BrushObject>(brush, OBJ_BRUSH)) {
        return FALSE;
    }
    WriteRegion(EMR_FILLRGN, region, ObjectIndex(brush), SIZE{});
    return TRUE;
}

BOOL EmfRecorder::FrameRgn(DeviceContext&, const Region& region, HBRUSH brush, int width, int height)
{
    Sync();
    if (!FindObjectOf<BrushObject>(brush, OBJ_BRUSH)) {
        return FALSE;
    }
    WriteRegion(EMR_FRAMERGN, region, ObjectIndex(brush), SIZE{width, height});
    return TRUE;
}

BOOL EmfRecorder::InvertRgn(DeviceContext&, const Region& region)
{
    return WriteInversion(region);
}

BOOL EmfRecorder::WriteInversion(const Region& region)
{
    Sync();
    WriteRegion(EMR_INVERTRGN, region, 0, SIZE{});
    return TRUE;
}

BOOL EmfRecorder::PaintRgn(DeviceContext&, const Region& region)
{
    Sync();
    WriteRegion(EMR_PAINTRGN, region, 0, SIZE{});
    return TRUE;
}

BOOL EmfRecorder::PaintDevice(DeviceContext&, const Region& region, const BrushPaint& paint, int rop2)
{
    Region logical = region;
    const POINT shift = context_.ToLogical(POINT{0, 0});
    logical.Offset(shift.x, shift.y);
    if (rop2 == R2_NOT) {
        return WriteInversion(logical);
    }
    Sync();
    const RECT bounds = region.Bounds();
    if (paint.IsSolid()) {
        const u32 index = NewIndex();
        EmrCreateBrush brush{{EMR_CREATEBRUSHINDIRECT, 0}, index, BS_SOLID, ColorFromPixel(paint.SolidPixel()), 0};
        Write(&brush, sizeof(brush));
        if (rop2 == R2_COPYPEN) {
            WriteRegion(EMR_FILLRGN, logical, index, SIZE{});
        } else {
            EmrValue mix{{EMR_SETROP2, 0}, static_cast<u32>(rop2)};
            Write(&mix, sizeof(mix));
            EmrObject select{{EMR_SELECTOBJECT, 0}, index};
            Write(&select, sizeof(select));
            WriteRegion(EMR_PAINTRGN, logical, 0, SIZE{});
            select.handle = file_.brush;
            Write(&select, sizeof(select));
            mix.value = static_cast<u32>(file_.rop2);
            Write(&mix, sizeof(mix));
        }
        EmrObject remove{{EMR_DELETEOBJECT, 0}, index};
        Write(&remove, sizeof(remove));
        freeIndexes_.push_back(index);
        return TRUE;
    }
    // Patterned paint: the pixels it leaves, transparent where it paints nothing, blended over.
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) {
        return TRUE;
    }
    Dib dib = TopDownDib(width, height, 32, {});
    for (const RECT& part : region.Rects()) {
        for (int y = part.top; y < part.bottom; ++y) {
            for (int x = part.left; x < part.right; ++x) {
                std::uint32_t pixel = 0;
                if (paint.At(x, y, pixel)) {
                    pixel = (pixel & 0x00FFFFFF) | 0xFF000000;
                    const std::size_t at = (static_cast<std::size_t>(y - bounds.top) * width + (x - bounds.left)) * 4;
                    std::memcpy(dib.bits.data() + at, &pixel, 4);
                }
            }
        }
    }
    WriteImage(bounds, dib.info, dib.bits);
    return TRUE;
}

BOOL EmfRecorder::PaintPixels(DeviceContext&, const RECT& wanted, const RowPaint& paint)
{
    // A drawing without bounds of its own (a clear) covers the reference device's page.
    RECT area;
    const RECT page{0, 0, context_.device.resolution.cx, context_.device.resolution.cy};
    IntersectRect(&area, &wanted, &page);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return TRUE;
    }
    Sync();
    // Over black a pixel shows its premultiplied colour; over white, in addition, how much of the
    // destination it lets through.
    Dib dib = TopDownDib(width, height, 32, {});
    std::vector<std::uint32_t> overBlack(static_cast<std::size_t>(width));
    std::vector<std::uint32_t> overWhite(static_cast<std::size_t>(width));
    for (int y = area.top; y < area.bottom; ++y) {
        std::fill(overBlack.begin(), overBlack.end(), 0);
        std::fill(overWhite.begin(), overWhite.end(), 0x00FFFFFF);
        paint(overBlack.data(), area.left, area.right, y);
        paint(overWhite.data(), area.left, area.right, y);
        for (int column = 0; column < width; ++column) {
            const std::uint32_t black = overBlack[static_cast<std::size_t>(column)] & 0x00FFFFFF;
            const std::uint32_t white = overWhite[static_cast<std::size_t>(column)] & 0x00FFFFFF;
            std::uint32_t through = 0;
            for (const int shift : {0, 8, 16}) {
                const auto b = (black >> shift) & 0xFF;
                const auto w = (white >> shift) & 0xFF;
                through = std::max(through, w > b ? w - b : 0);
            }
            const std::uint32_t pixel = black | ((255 - through) << 24);
            const std::size_t at = (static_cast<std::size_t>(y - area.top) * width + column) * 4;
            std::memcpy(dib.bits.data() + at, &pixel, 4);
        }
    }
    WriteImage(area, dib.info, dib.bits);
    return TRUE;
}

void EmfRecorder::WriteImage(const RECT& area, const std::string& info, const std::string& bits)
{
    Bound(area);
    EmrStretchBlt record;
    record.emr.iType = EMR_ALPHABLEND;
    record.bounds = Inclusive(area);
    const POINT origin = context_.ToLogical(POINT{area.left, area.top});
    record.x = origin.x;
    record.y = origin.y;
    record.cx = record.cxSrc = area.right - area.left;
    record.cy = record.cySrc = area.bottom - area.top;
    record.rop = u32{AC_SRC_OVER} | (u32{255} << 16) | (u32{AC_SRC_ALPHA} << 24);
    record.offBmi = sizeof(record);
    record.cbBmi = static_cast<u32>(info.size());
    record.offBits = record.offBmi + record.cbBmi;
    record.cbBits = static_cast<u32>(bits.size());
    Write(&record, sizeof(record), info + bits);
}

BOOL EmfRecorder::Blit(DeviceContext&, BlitKind kind, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                       int sourceWidth, int sourceHeight, DWORD rop)
{
    const u32 type = RecordOf(kind);
    const RECT logical = Normalized(sourceX, sourceY, sourceWidth, sourceHeight);
    const std::optional<SourceImage> image = CaptureSource(source, logical);
    if (!image) {
        return FALSE;
    }
    if (type == EMR_ALPHABLEND && !image->inside) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Sync();
    EmrStretchBlt record;
    PlaceBlit(record, type, x, y, width, height, rop);
    record.xSrc = sourceX - logical.left;
    record.ySrc = sourceY - logical.top;
    record.bkColorSrc = image->background;
    record.usage = DIB_RGB_COLORS;
    const std::size_t size = type == EMR_BITBLT ? sizeof(EmrBitBlt) : sizeof(EmrStretchBlt);
    record.offBmi = static_cast<u32>(size);
    record.cbBmi = static_cast<u32>(image->dib.info.size());
    record.offBits = record.offBmi + record.cbBmi;
    record.cbBits = static_cast<u32>(image->dib.bits.size());
    record.cxSrc = sourceWidth;
    record.cySrc = sourceHeight;
    Write(&record, size, image->dib.info + image->dib.bits);
    return TRUE;
}

BOOL EmfRecorder::MaskBlt(DeviceContext&, int x, int y, int width, int height, HDC source, int sourceX,
                          int sourceY, BitmapObject& mask, POINT maskOrigin, DWORD rop)
{
    if (width == 0 || height == 0) {
        return TRUE;  // draws nothing, and a file holds no empty bitmaps
    }
    const std::optional<SourceImage> image = CaptureSource(source, Normalized(sourceX, sourceY, width, height));
    if (!image) {
        return FALSE;
    }
    Sync();
    mask.Load();
    // Only the part of the mask the blit uses goes into the file.
    const Dib maskDib = Capture(mask.surface, RECT{maskOrigin.x, maskOrigin.y, maskOrigin.x + width, maskOrigin.y + height},
                                MonochromeColours(&mask));
    EmrMaskBlt record;
    PlaceBlit(record, EMR_MASKBLT, x, y, width, height, rop);
    record.bkColorSrc = image->background;
    record.usage = DIB_RGB_COLORS;
    record.offBmi = sizeof(record);
    record.cbBmi = static_cast<u32>(image->dib.info.size());
    record.offBits = record.offBmi + record.cbBmi;
    record.cbBits = static_cast<u32>(image->dib.bits.size());
    record.usageMask = DIB_RGB_COLORS;
    record.offBmiMask = record.offBits + record.cbBits;
    record.cbBmiMask = static_cast<u32>(maskDib.info.size());
    record.offBitsMask = record.offBmiMask + record.cbBmiMask;
    record.cbBitsMask = static_cast<u32>(maskDib.bits.size());
    Write(&record, sizeof(record), image->dib.info + image->dib.bits + maskDib.info + maskDib.bits);
    return TRUE;
}

void EmfRecorder::PlaceBlit(EmrBitBlt& record, u32 type, int x, int y, int width, int height, DWORD rop)
{
    const RECT bounds = context_.ToDevice(Normalized(x, y, width, height));
    Bound(bounds);
    record.emr.iType = type;
    record.bounds = Inclusive(bounds);
    record.x = x;
    record.y = y;
    record.cx = width;
    record.cy = height;
    record.rop = rop;
}

BOOL EmfRecorder::PatBlt(DeviceContext&, int x, int y, int width, int height, DWORD rop)
{
    Sync();
    EmrBitBlt record;
    PlaceBlit(record, EMR_BITBLT, x, y, width, height, rop);
    Write(&record, sizeof(record));
    return TRUE;
}

int EmfRecorder::StretchDIBits(DeviceContext&, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                               int sourceHeight, const void* bits, const BITMAPINFO* info, DWORD rop)
{
    Sync();
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const std::size_t infoSize = header.biSize + DibColourTableBytes(header);
    const std::size_t rows = static_cast<std::size_t>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    const std::size_t bitsSize = static_cast<std::size_t>(DibRowBytes(header.biWidth, header.biBitCount)) * rows;
    const RECT bounds = context_.ToDevice(Normalized(x, y, width, height));
    Bound(bounds);
    EmrStretchDiBits record;
    record.emr.iType = EMR_STRETCHDIBITS;
    record.bounds = Inclusive(bounds);
    record.x = x;
    record.y = y;
    record.xSrc = sourceX;
    record.ySrc = sourceY;
    record.cxSrc = sourceWidth;
    record.cySrc = sourceHeight;
    record.offBmi = sizeof(record);
    record.cbBmi = static_cast<u32>(infoSize);
    record.offBits = static_cast<u32>(sizeof(record) + infoSize);
    record.cbBits = static_cast<u32>(bitsSize);
    record.usage = DIB_RGB_COLORS;
    record.rop = rop;
    record.cx = width;
    record.cy = height;
    std::string tail(reinterpret_cast<const char*>(info), infoSize);
    tail.append(static_cast<const char*>(bits), bitsSize);
    Write(&record, sizeof(record), tail);
    return sourceHeight < 0 ? -sourceHeight : sourceHeight;
}

BOOL EmfRecorder::GradientFill(DeviceContext&, const TRIVERTEX* vertices, ULONG vertexCount, const void* mesh, ULONG meshCount, ULONG mode)
{
    Sync();
    std::vector<POINT> points;
    std::string tail;
    for (ULONG index = 0; index < vertexCount; ++index) {
        points.push_back(POINT{vertices[index].x, vertices[index].y});
        const TRIVERTEX& vertex = vertices[index];
        const i32 position[2] = {vertex.x, vertex.y};
        const COLOR16 colour[4] = {vertex.Red, vertex.Green, vertex.Blue, vertex.Alpha};
        tail.append(reinterpret_cast<const char*>(position), 8);
        tail.append(reinterpret_cast<const char*>(colour), 8);
    }
    tail.append(static_cast<const char*>(mesh), std::size_t{meshCount} * (mode == GRADIENT_FILL_TRIANGLE ? 12 : 8));
    const RECT bounds = DeviceBounds(points.data(), points.size(), false);
    Bound(bounds);
    EmrGradientFill record{{EMR_GRADIENTFILL, 0}, Inclusive(bounds), vertexCount, meshCount, mode};
    Write(&record, sizeof(record), tail);
    return TRUE;
}

BOOL EmfRecorder::Text(DeviceContext&, const TextLayout& layout)
{
    const POINT reference = layout.reference;
    const UINT options = layout.options;
    const RECT* rect = layout.rect;
    const std::u16string_view text = layout.text;
    const std::vector<int>& advances = layout.advances;
    const SIZE extent = layout.extent;
    const int ascent = layout.ascent;
    const UINT align = context_.state.textAlign;
    Sync(align & TA_UPDATECP);
    // The text's box relative to the reference point, along the baseline and down from it.
    int along = 0;
    if ((align & TA_CENTER) == TA_CENTER) {
        along = -(extent.cx / 2);
    } else if (align & TA_RIGHT) {
        along = -extent.cx;
    }
    int down = 0;
    if ((align & TA_BASELINE) == TA_BASELINE) {
        down = -ascent;
    } else if (align & TA_BOTTOM) {
        down = -extent.cy;
    }
    RECT bounds = RotatedBox(context_.ToDevice(reference), RECT{along, down, along + extent.cx, down + extent.cy},
                             FontEscapement(context_));
    if (rect && (options & ETO_OPAQUE)) {
        const RECT opaque = context_.ToDevice(*rect);
        UnionRect(&bounds, &bounds, &opaque);
    }
    if (rect && (options & ETO_CLIPPED)) {
        const RECT clip = context_.ToDevice(*rect);
        IntersectRect(&bounds, &bounds, &clip);
    }
    Bound(bounds);
    EmrText record;
    record.emr.iType = EMR_EXTTEXTOUTW;
    record.bounds = Inclusive(bounds);
    record.reference = Pointl{reference.x, reference.y};
    record.chars = static_cast<u32>(text.size());
    record.offString = sizeof(record);
    record.options = options & (ETO_OPAQUE | ETO_CLIPPED);
    if (rect) {
        record.rect = Plain(*rect);
    }
    std::string tail(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    Pad(tail);
    record.offDx = static_cast<u32>(sizeof(record) + tail.size());
    tail.append(reinterpret_cast<const char*>(advances.data()), advances.size() * 4);
    Write(&record, sizeof(record), tail);
    if (align & TA_UPDATECP) {
        file_.position.reset();  // the text moved the player's position by its own measure
    }
    return TRUE;
}

void EmfRecorder::Forget(HGDIOBJ object)
{
    const auto found = objects_.find(object);
    if (found == objects_.end()) {
        return;
    }
    EmrObject record{{EMR_DELETEOBJECT, 0}, found->second};
    Write(&record, sizeof(record));
    for (u32* slot : {&file_.pen, &file_.brush, &file_.font}) {
        if (*slot == found->second) {
            *slot = ENHMETA_STOCK_OBJECT | NULL_BRUSH;  // nothing the file has selected any more
        }
    }
    freeIndexes_.push_back(found->second);
    objects_.erase(found);
}

std::string EmfRecorder::Finish()
{
    const Device& device = context_.device;
    const SIZE millimetres{device.resolution.cx * 254 / (device.dpiX * 10), device.resolution.cy * 254 / (device.dpiY * 10)};
    const auto toFrame = [](LONG pixels, LONG devicePixels, LONG mm) {
        return static_cast<i32>(std::llround(double(pixels) * mm * 100 / devicePixels));
    };
    EnhMetaHeader header;
    const RECT bounds = bounds_.value_or(RECT{});
    header.rclBounds = bounds_ ? Inclusive(bounds) : Rectl{0, 0, -1, -1};
    header.rclFrame = frame_ ? Plain(*frame_)
                             : Rectl{toFrame(bounds.left, device.resolution.cx, millimetres.cx),
                                     toFrame(bounds.top, device.resolution.cy, millimetres.cy),
                                     toFrame(bounds.right, device.resolution.cx, millimetres.cx),
                                     toFrame(bounds.bottom, device.resolution.cy, millimetres.cy)};
    header.szlDevice = Sizel{device.resolution.cx, device.resolution.cy};
    header.szlMillimeters = Sizel{millimetres.cx, millimetres.cy};
    header.szlMicrometers = Sizel{millimetres.cx * 1000, millimetres.cy * 1000};
    std::string description(reinterpret_cast<const char*>(description_.data()), description_.size() * 2);
    Pad(description);
    header.nDescription = static_cast<u32>(description_.size());
    header.offDescription = description_.empty() ? 0 : static_cast<u32>(sizeof(header));
    header.emr.nSize = static_cast<u32>(sizeof(header) + description.size());
    EmrEof eof{{EMR_EOF, sizeof(EmrEof)}};
    header.nRecords = count_ + 2;
    header.nHandles = static_cast<std::uint16_t>(std::min<u32>(handles_, 0xFFFF));
    header.nBytes = static_cast<u32>(header.emr.nSize + records_.size() + sizeof(eof));
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    bytes += description;
    bytes += records_;
    bytes.append(reinterpret_cast<const char*>(&eof), sizeof(eof));
    return bytes;
}

const std::string& EmfRecorder::FileName() const
{
    return fileName_;
}

namespace {

HDC CreateMetafileDC(HDC referenceDC, std::string fileName, const RECT* frame, std::u16string description)
{
    auto lock = LockGdi();
    auto context = std::make_unique<DeviceContext>(OBJ_ENHMETADC);
    if (referenceDC) {
        const DeviceContext* reference = FindDC(referenceDC);
        if (!reference) {
            return nullptr;
        }
        context->device = reference->device;
    } else {
        context->device.resolution = SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    context->device.technology = DT_METAFILE;
    DeviceContext& record = *context;
    record.drawing = std::make_unique<EmfRecorder>(record, std::move(fileName),
                                                   frame ? std::optional<RECT>(*frame) : std::nullopt, std::move(description));
    return AddDC(std::move(context));
}

}  // namespace

HDC CreateEnhMetaFileA(HDC referenceDC, const char* fileName, const RECT* frame, const char* description)
{
    return CreateMetafileDC(referenceDC, fileName ? fileName : "", frame,
                            description ? rtl::AnsiToWide(description) : std::u16string());
}

HDC CreateEnhMetaFileW(HDC referenceDC, const char16_t* fileName, const RECT* frame, const char16_t* description)
{
    std::string name;
    if (fileName && !AnsiFileNameOfWide(fileName, name)) {
        return nullptr;
    }
    return CreateMetafileDC(referenceDC, std::move(name), frame,
                            description ? std::u16string(description) : std::u16string());
}

HENHMETAFILE CloseEnhMetaFile(HDC dc)
{
    std::string bytes;
    std::string fileName;
    {
        auto lock = LockGdi();
        const DeviceContext* context = FindDC(dc);
        auto* recorder = context ? dynamic_cast<EmfRecorder*>(context->drawing.get()) : nullptr;
        if (!recorder) {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        bytes = recorder->Finish();
        fileName = recorder->FileName();
        DeleteDC(dc);
    }
    return AddEnhMetaFile(std::move(bytes), fileName);
}

}  // namespace win
