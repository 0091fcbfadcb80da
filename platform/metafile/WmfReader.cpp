#include "platform/metafile/WmfReader.h"

#include "platform/gdi/Bitmap.h"
#include "platform/imaging/Image.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace win {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::uint32_t kPlaceableSize = 22;
constexpr std::uint32_t kHeaderWords = 9;
constexpr std::uint32_t kRecordHeaderBytes = 6;  // size (two words) and function

constexpr int kMmText = 1;
constexpr int kMmIsotropic = 7;
constexpr int kMmAnisotropic = 8;
constexpr UINT kEtoOpaque = 0x0002;
constexpr UINT kEtoClipped = 0x0004;

[[noreturn]] __attribute__((format(printf, 1, 2))) void Invalid(const char* format, ...)
{
    char text[160];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    throw EInvalidGraphic(std::string("Metafile is not valid: ") + text);
}

// What a record does to the object table.
enum class ObjectUse { None, Create, CreatePalette, Select, SelectPalette, Delete };

// The records read, with the parameter words each needs at least.
struct RecordKind {
    WmfFunction function;
    const char* name;
    std::uint32_t words;
    ObjectUse objects = ObjectUse::None;
};

constexpr RecordKind kRecordKinds[] = {
    {WmfFunction::Eof, "EOF", 0},
    {WmfFunction::SaveDc, "SAVEDC", 0},
    {WmfFunction::RealizePalette, "REALIZEPALETTE", 0},
    {WmfFunction::CreatePalette, "CREATEPALETTE", 2, ObjectUse::CreatePalette},
    {WmfFunction::SetBkMode, "SETBKMODE", 1},
    {WmfFunction::SetMapMode, "SETMAPMODE", 1},
    {WmfFunction::SetRop2, "SETROP2", 1},
    {WmfFunction::SetRelAbs, "SETRELABS", 0},
    {WmfFunction::SetPolyFillMode, "SETPOLYFILLMODE", 1},
    {WmfFunction::SetStretchBltMode, "SETSTRETCHBLTMODE", 1},
    {WmfFunction::SetTextCharExtra, "SETTEXTCHAREXTRA", 1},
    {WmfFunction::RestoreDc, "RESTOREDC", 1},
    {WmfFunction::SelectObject, "SELECTOBJECT", 1, ObjectUse::Select},
    {WmfFunction::SetTextAlign, "SETTEXTALIGN", 1},
    {WmfFunction::DibCreatePatternBrush, "DIBCREATEPATTERNBRUSH", 2, ObjectUse::Create},
    {WmfFunction::DeleteObject, "DELETEOBJECT", 1, ObjectUse::Delete},
    {WmfFunction::SetBkColor, "SETBKCOLOR", 2},
    {WmfFunction::SetTextColor, "SETTEXTCOLOR", 2},
    {WmfFunction::SetWindowOrg, "SETWINDOWORG", 2},
    {WmfFunction::SetWindowExt, "SETWINDOWEXT", 2},
    {WmfFunction::SetViewportOrg, "SETVIEWPORTORG", 2},
    {WmfFunction::SetViewportExt, "SETVIEWPORTEXT", 2},
    {WmfFunction::LineTo, "LINETO", 2},
    {WmfFunction::MoveTo, "MOVETO", 2},
    {WmfFunction::SetMapperFlags, "SETMAPPERFLAGS", 2},
    {WmfFunction::SelectPalette, "SELECTPALETTE", 1, ObjectUse::SelectPalette},
    {WmfFunction::CreatePenIndirect, "CREATEPENINDIRECT", 5, ObjectUse::Create},
    {WmfFunction::CreateFontIndirect, "CREATEFONTINDIRECT", 9, ObjectUse::Create},
    {WmfFunction::CreateBrushIndirect, "CREATEBRUSHINDIRECT", 4, ObjectUse::Create},
    {WmfFunction::Polygon, "POLYGON", 1},
    {WmfFunction::Polyline, "POLYLINE", 1},
    {WmfFunction::ExcludeClipRect, "EXCLUDECLIPRECT", 4},
    {WmfFunction::IntersectClipRect, "INTERSECTCLIPRECT", 4},
    {WmfFunction::Ellipse, "ELLIPSE", 4},
    {WmfFunction::Rectangle, "RECTANGLE", 4},
    {WmfFunction::SetPixel, "SETPIXEL", 4},
    {WmfFunction::TextOut, "TEXTOUT", 1},
    {WmfFunction::PolyPolygon, "POLYPOLYGON", 1},
    {WmfFunction::RoundRect, "ROUNDRECT", 6},
    {WmfFunction::Escape, "ESCAPE", 2},
    {WmfFunction::Arc, "ARC", 8},
    {WmfFunction::Pie, "PIE", 8},
    {WmfFunction::Chord, "CHORD", 8},
    {WmfFunction::DibBitBlt, "DIBBITBLT", 8},
    {WmfFunction::ExtTextOut, "EXTTEXTOUT", 4},
    {WmfFunction::DibStretchBlt, "DIBSTRETCHBLT", 10},
    {WmfFunction::StretchDib, "STRETCHDIB", 11},
};

const RecordKind* FindKind(std::uint16_t function)
{
    for (const RecordKind& kind : kRecordKinds) {
        if (static_cast<std::uint16_t>(kind.function) == function)
            return &kind;
    }
    return nullptr;
}

const char* NameOf(WmfFunction function)
{
    const RecordKind* kind = FindKind(static_cast<std::uint16_t>(function));
    return kind ? kind->name : "?";
}

std::uint16_t FileWord(std::string_view data, std::uint64_t at)
{
    if (at + 2 > data.size())
        Invalid("the file ends at byte %zu, inside a header", data.size());
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(data[at]) | static_cast<std::uint8_t>(data[at + 1]) << 8);
}

std::uint32_t FileDWord(std::string_view data, std::uint64_t at)
{
    return FileWord(data, at) | static_cast<std::uint32_t>(FileWord(data, at + 2)) << 16;
}

// Words of a packed bitmap's header, relative to its start.
std::uint32_t DibDWord(std::string_view dib, std::uint32_t at)
{
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(dib[at]))
           | static_cast<std::uint32_t>(static_cast<std::uint8_t>(dib[at + 1])) << 8
           | static_cast<std::uint32_t>(static_cast<std::uint8_t>(dib[at + 2])) << 16
           | static_cast<std::uint32_t>(static_cast<std::uint8_t>(dib[at + 3])) << 24;
}

// The header of the bitmap at the start of packed, its colour table and its bits, checked against the
// bytes the record holds and against the largest image allowed.
WmfDib SplitDib(std::string_view packed, std::uint32_t recordStart, WmfFunction function)
{
    const auto fail = [&](const char* what) {
        Invalid("record %s at offset %u: %s", NameOf(function), recordStart, what);
    };
    if (packed.size() < 40)
        fail("the bitmap header is cut off");
    const std::uint32_t headerSize = DibDWord(packed, 0);
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124)
        fail("the bitmap header is of an unknown size");
    if (headerSize > packed.size())
        fail("the bitmap header is cut off");
    const auto width = static_cast<std::int32_t>(DibDWord(packed, 4));
    const auto height = static_cast<std::int32_t>(DibDWord(packed, 8));
    const std::uint32_t planesAndBits = DibDWord(packed, 12);
    const std::uint32_t bitsPerPixel = planesAndBits >> 16;
    const std::uint32_t compression = DibDWord(packed, 16);
    const std::uint32_t coloursUsed = DibDWord(packed, 32);
    if ((planesAndBits & 0xFFFF) != 1)
        fail("the bitmap has more than one plane");
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32)
        fail("the bitmap's depth is not 1, 4, 8, 24 or 32 bits");
    if (compression != BI_RGB)
        fail("the bitmap is compressed");
    if (width <= 0 || height == 0 || height == INT32_MIN)
        fail("the bitmap has no pixels");
    const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    CheckImageSize(static_cast<std::uint64_t>(width), rows);
    std::uint64_t colours = 0;
    if (bitsPerPixel <= 8) {
        const std::uint32_t most = 1u << bitsPerPixel;
        if (coloursUsed > most)
            fail("the bitmap's colour table is larger than its depth allows");
        colours = coloursUsed ? coloursUsed : most;
    } else if (coloursUsed != 0) {
        fail("the bitmap has a colour table without using one");
    }
    const std::uint64_t infoSize = headerSize + colours * 4;
    const std::uint64_t bitsSize = static_cast<std::uint64_t>((static_cast<std::uint64_t>(width) * bitsPerPixel + 31) / 32 * 4) * rows;
    if (infoSize + bitsSize > packed.size())
        fail("the bitmap's bits run past the record");
    return WmfDib{packed.substr(0, infoSize), packed.substr(infoSize, bitsSize)};
}

// The object table as the records fill it: a new object takes the lowest free slot.
class ObjectSlots {
public:
    enum Kind : std::uint8_t { Free, Object, Palette };
    explicit ObjectSlots(int count) : slots_(static_cast<size_t>(count), Free) {}

    void Apply(ObjectUse use, std::uint16_t index, const RecordKind& kind, std::uint32_t recordStart)
    {
        switch (use) {
        case ObjectUse::None:
            return;
        case ObjectUse::Create:
        case ObjectUse::CreatePalette:
            for (Kind& slot : slots_) {
                if (slot == Free) {
                    slot = use == ObjectUse::Create ? Object : Palette;
                    return;
                }
            }
            Invalid("record %s at offset %u makes more objects than the header's %zu", kind.name, recordStart,
                    slots_.size());
        case ObjectUse::Select:
        case ObjectUse::SelectPalette:
        case ObjectUse::Delete:
            if (index >= slots_.size())
                Invalid("record %s at offset %u names object %u of %zu", kind.name, recordStart, index, slots_.size());
            if (slots_[index] == Free)
                Invalid("record %s at offset %u names object %u, which does not exist", kind.name, recordStart, index);
            if (use == ObjectUse::Delete)
                slots_[index] = Free;
            return;
        }
    }

private:
    std::vector<Kind> slots_;
};

// Values the player cannot take, and the variable parts of the records, checked through the decoders.
void CheckRecord(const WindowsMetafile& metafile, const WmfRecord& record)
{
    const std::uint32_t start = record.offset - kRecordHeaderBytes;
    switch (record.function) {
    case WmfFunction::SetMapMode: {
        const int mode = metafile.Word(record, 0);
        if (mode != kMmText && mode != kMmIsotropic && mode != kMmAnisotropic)
            Invalid("record SETMAPMODE at offset %u: mapping mode %d is not supported", start, mode);
        break;
    }
    case WmfFunction::CreatePalette:
        if (std::uint64_t{4} + std::uint64_t{4} * metafile.Word(record, 1) > record.size)
            Invalid("record CREATEPALETTE at offset %u: the entries run past the record", start);
        break;
    case WmfFunction::Escape:
        if (std::uint64_t{4} + metafile.Word(record, 1) > record.size)
            Invalid("record ESCAPE at offset %u: the data runs past the record", start);
        break;
    case WmfFunction::Polygon:
    case WmfFunction::Polyline:
        metafile.Points(record);
        break;
    case WmfFunction::PolyPolygon: {
        std::vector<int> counts;
        metafile.PolyPoints(record, counts);
        break;
    }
    case WmfFunction::TextOut:
    case WmfFunction::ExtTextOut:
        metafile.Text(record);
        break;
    case WmfFunction::CreatePenIndirect:
        metafile.Pen(record);
        break;
    case WmfFunction::CreateBrushIndirect:
        metafile.Brush(record);
        break;
    case WmfFunction::CreateFontIndirect:
        metafile.Font(record);
        break;
    case WmfFunction::DibCreatePatternBrush:
        metafile.PatternDib(record);
        break;
    case WmfFunction::StretchDib:
    case WmfFunction::DibStretchBlt:
    case WmfFunction::DibBitBlt:
        metafile.Blit(record);
        break;
    default:
        break;
    }
}

// Step 1: the placeable header, with its checksum over the ten words before it.
void ReadPlaceableHeader(std::string_view data, WindowsMetafile& metafile)
{
    if (data.size() < kPlaceableSize + 2 * kHeaderWords)
        Invalid("the file is too short (%zu bytes) for its headers", data.size());
    if (FileDWord(data, 0) != kPlaceableKey)
        Invalid("the file does not start with the placeable metafile key");
    std::uint16_t checksum = 0;
    for (std::uint32_t word = 0; word < 10; ++word)
        checksum ^= FileWord(data, 2 * word);
    if (checksum != FileWord(data, 20))
        Invalid("the placeable header's checksum is wrong");
    const auto coordinate = [&](std::uint32_t at) { return static_cast<LONG>(static_cast<std::int16_t>(FileWord(data, at))); };
    metafile.bounds = RECT{coordinate(6), coordinate(8), coordinate(10), coordinate(12)};
    if (IsRectEmpty(&metafile.bounds))
        Invalid("the placeable header's bounds are empty");
    metafile.unitsPerInch = FileWord(data, 14);
    if (metafile.unitsPerInch == 0)
        Invalid("the placeable header gives 0 units per inch");
}

struct MetafileHeader {
    std::uint64_t end = 0;  // of the records, bytes from the start of the file
    std::uint32_t largestRecord = 0;  // words
};

// Step 2: the metafile header.
MetafileHeader ReadMetafileHeader(std::string_view data, WindowsMetafile& metafile)
{
    const std::uint32_t at = kPlaceableSize;
    const std::uint16_t type = FileWord(data, at);
    if (type != 1 && type != 2)
        Invalid("the metafile header's type is %u", type);
    if (FileWord(data, at + 2) != kHeaderWords)
        Invalid("the metafile header's size is not 9 words");
    const std::uint16_t version = FileWord(data, at + 4);
    if (version != 0x0100 && version != 0x0300)
        Invalid("the metafile version 0x%04X is unknown", version);
    const std::uint64_t words = FileDWord(data, at + 6);
    if (words < kHeaderWords + 3 || at + 2 * words > data.size())
        Invalid("the metafile header's size (%llu words) does not fit the file",
                static_cast<unsigned long long>(words));
    metafile.objectCount = FileWord(data, at + 10);
    return MetafileHeader{at + 2 * words, FileDWord(data, at + 12)};
}

// Step 3: the records up to the end record.
void ReadRecords(std::string_view data, const MetafileHeader& header, WindowsMetafile& metafile)
{
    ObjectSlots slots(metafile.objectCount);
    std::uint64_t at = kPlaceableSize + 2 * kHeaderWords;
    for (;;) {
        if (at + kRecordHeaderBytes > header.end)
            Invalid("the metafile has no end record");
        const auto start = static_cast<std::uint32_t>(at);
        const std::uint64_t words = FileDWord(data, at);
        const std::uint16_t function = FileWord(data, at + 4);
        const RecordKind* kind = FindKind(function);
        if (!kind)
            throw EInvalidGraphic(
                [&] {
                    char text[80];
                    std::snprintf(text, sizeof text, "Unknown metafile record 0x%04X at offset %u", function, start);
                    return std::string(text);
                }());
        if (words < 3)
            Invalid("record %s at offset %u has a size of %llu words", kind->name, start,
                    static_cast<unsigned long long>(words));
        if (at + 2 * words > header.end)
            Invalid("record %s at offset %u runs past the end of the metafile", kind->name, start);
        if (words > header.largestRecord)
            Invalid("record %s at offset %u is larger than the header's largest record", kind->name, start);
        const WmfRecord record{static_cast<WmfFunction>(function), start + kRecordHeaderBytes,
                               static_cast<std::uint32_t>(2 * words - kRecordHeaderBytes)};
        if (record.size < 2 * kind->words)
            Invalid("record %s at offset %u is too short for its parameters", kind->name, start);
        if (record.function == WmfFunction::Eof)
            return;
        CheckRecord(metafile, record);
        const bool named = kind->objects == ObjectUse::Select || kind->objects == ObjectUse::SelectPalette
                           || kind->objects == ObjectUse::Delete;
        slots.Apply(kind->objects, named ? metafile.Word(record, 0) : 0, *kind, start);
        metafile.records.push_back(record);
        at += 2 * words;
    }
}

}  // namespace

std::uint16_t WindowsMetafile::Word(const WmfRecord& record, std::uint32_t index) const
{
    if (std::uint64_t{2} * index + 2 > record.size)
        Invalid("record %s at offset %u is too short for its parameters", NameOf(record.function),
                record.offset - kRecordHeaderBytes);
    return FileWord(bytes, record.offset + std::uint64_t{2} * index);
}

int WindowsMetafile::Int(const WmfRecord& record, std::uint32_t index) const
{
    return static_cast<std::int16_t>(Word(record, index));
}

std::uint32_t WindowsMetafile::DWord(const WmfRecord& record, std::uint32_t index) const
{
    return Word(record, index) | static_cast<std::uint32_t>(Word(record, index + 1)) << 16;
}

COLORREF WindowsMetafile::Colour(const WmfRecord& record, std::uint32_t index) const
{
    return DWord(record, index) & 0x00FFFFFF;
}

POINT WindowsMetafile::Point(const WmfRecord& record, std::uint32_t index) const
{
    return POINT{Int(record, index + 1), Int(record, index)};
}

RECT WindowsMetafile::Box(const WmfRecord& record, std::uint32_t index) const
{
    return RECT{Int(record, index + 3), Int(record, index + 2), Int(record, index + 1), Int(record, index)};
}

std::vector<POINT> WindowsMetafile::Points(const WmfRecord& record) const
{
    const int count = Int(record, 0);
    if (count < 0 || 2 + std::uint64_t{4} * static_cast<std::uint32_t>(count) > record.size)
        Invalid("record %s at offset %u: %d points run past the record", NameOf(record.function),
                record.offset - kRecordHeaderBytes, count);
    std::vector<POINT> points;
    points.reserve(static_cast<size_t>(count));
    for (int index = 0; index < count; ++index)
        points.push_back(POINT{Int(record, 1 + 2 * index), Int(record, 2 + 2 * index)});
    return points;
}

std::vector<POINT> WindowsMetafile::PolyPoints(const WmfRecord& record, std::vector<int>& counts) const
{
    const std::uint32_t polygons = Word(record, 0);
    if (2 + std::uint64_t{2} * polygons > record.size)
        Invalid("record POLYPOLYGON at offset %u: %u polygon counts run past the record", record.offset - kRecordHeaderBytes,
                polygons);
    counts.clear();
    std::uint64_t total = 0;
    for (std::uint32_t polygon = 0; polygon < polygons; ++polygon) {
        counts.push_back(Word(record, 1 + polygon));
        total += static_cast<std::uint64_t>(counts.back());
    }
    const std::uint32_t first = 1 + polygons;
    if (2 * std::uint64_t{first} + 4 * total > record.size)
        Invalid("record POLYPOLYGON at offset %u: %llu points run past the record", record.offset - kRecordHeaderBytes,
                static_cast<unsigned long long>(total));
    std::vector<POINT> points;
    points.reserve(total);
    for (std::uint32_t index = 0; index < total; ++index)
        points.push_back(POINT{Int(record, first + 2 * index), Int(record, first + 2 * index + 1)});
    return points;
}

WmfText WindowsMetafile::Text(const WmfRecord& record) const
{
    const std::uint32_t start = record.offset - kRecordHeaderBytes;
    WmfText text;
    const bool extended = record.function == WmfFunction::ExtTextOut;
    const int length = Int(record, extended ? 2 : 0);
    if (length < 0)
        Invalid("record %s at offset %u: the text length is negative", NameOf(record.function), start);
    const std::uint32_t padded = (static_cast<std::uint32_t>(length) + 1) / 2;  // words
    std::uint32_t stringWord = 1;
    if (extended) {
        text.at = Point(record, 0);
        text.options = Word(record, 3) & (kEtoOpaque | kEtoClipped);
        stringWord = 4;
        if (text.options) {
            text.hasRect = true;
            text.rect = RECT{Int(record, 4), Int(record, 5), Int(record, 6), Int(record, 7)};
            stringWord = 8;
        }
    }
    const std::uint64_t textEnd = 2 * (std::uint64_t{stringWord} + padded);
    if (textEnd > record.size || (!extended && textEnd + 4 > record.size))
        Invalid("record %s at offset %u: %d bytes of text run past the record", NameOf(record.function), start, length);
    text.text = std::string_view(bytes).substr(record.offset + 2 * stringWord, static_cast<size_t>(length));
    if (!extended) {
        text.at = Point(record, stringWord + padded);
    } else if (length > 0 && record.size - textEnd >= 2 * std::uint64_t{static_cast<std::uint32_t>(length)}) {
        // The advances are there when the record has room for them.
        for (int index = 0; index < length; ++index)
            text.dx.push_back(Int(record, stringWord + padded + static_cast<std::uint32_t>(index)));
    }
    return text;
}

LOGPEN WindowsMetafile::Pen(const WmfRecord& record) const
{
    LOGPEN pen;
    pen.lopnStyle = Word(record, 0);
    pen.lopnWidth = POINT{Int(record, 1), Int(record, 2)};
    pen.lopnColor = Colour(record, 3);
    if ((pen.lopnStyle & PS_STYLE_MASK) > PS_INSIDEFRAME)
        Invalid("record CREATEPENINDIRECT at offset %u: pen style %u is not supported", record.offset - kRecordHeaderBytes,
                pen.lopnStyle);
    pen.lopnStyle &= PS_STYLE_MASK;
    return pen;
}

LOGBRUSH WindowsMetafile::Brush(const WmfRecord& record) const
{
    LOGBRUSH brush;
    brush.lbStyle = Word(record, 0);
    brush.lbColor = Colour(record, 1);
    brush.lbHatch = Word(record, 3);
    const bool known = brush.lbStyle == BS_SOLID || brush.lbStyle == BS_NULL
                       || (brush.lbStyle == BS_HATCHED && brush.lbHatch <= static_cast<ULONG_PTR>(HS_DIAGCROSS));
    if (!known)
        Invalid("record CREATEBRUSHINDIRECT at offset %u: brush style %u (hatch %u) is not supported",
                record.offset - kRecordHeaderBytes, brush.lbStyle, static_cast<unsigned>(brush.lbHatch));
    if (brush.lbStyle != BS_HATCHED)
        brush.lbHatch = 0;
    return brush;
}

LOGFONT WindowsMetafile::Font(const WmfRecord& record) const
{
    LOGFONT font;
    font.lfHeight = Int(record, 0);
    font.lfWidth = Int(record, 1);
    font.lfEscapement = Int(record, 2);
    font.lfOrientation = Int(record, 3);
    font.lfWeight = Int(record, 4);
    const std::string_view fields = std::string_view(bytes).substr(record.offset + 10, 8);
    font.lfItalic = static_cast<BYTE>(fields[0]);
    font.lfUnderline = static_cast<BYTE>(fields[1]);
    font.lfStrikeOut = static_cast<BYTE>(fields[2]);
    font.lfCharSet = static_cast<BYTE>(fields[3]);
    font.lfOutPrecision = static_cast<BYTE>(fields[4]);
    font.lfClipPrecision = static_cast<BYTE>(fields[5]);
    font.lfQuality = static_cast<BYTE>(fields[6]);
    font.lfPitchAndFamily = static_cast<BYTE>(fields[7]);
    // The face name runs to its terminating zero, the record's end or LF_FACESIZE bytes.
    std::string_view face = std::string_view(bytes).substr(record.offset + 18, std::min<size_t>(record.size - 18, LF_FACESIZE));
    face = face.substr(0, face.find('\0'));
    font.lfFaceName = face;
    return font;
}

WmfDib WindowsMetafile::PatternDib(const WmfRecord& record) const
{
    const std::uint16_t style = Word(record, 0);
    const std::uint16_t usage = Word(record, 1);
    const std::uint32_t start = record.offset - kRecordHeaderBytes;
    // A BS_PATTERN brush's bits always carry their colours; the usage word does not count for it.
    if (style != BS_PATTERN && style != 5 && style != BS_DIBPATTERNPT)
        Invalid("record DIBCREATEPATTERNBRUSH at offset %u: brush style %u is not supported", start, style);
    if (style != BS_PATTERN && usage != DIB_RGB_COLORS)
        Invalid("record DIBCREATEPATTERNBRUSH at offset %u: the bitmap's colours are palette indexes", start);
    return SplitDib(std::string_view(bytes).substr(record.offset + 4, record.size - 4), start, record.function);
}

WmfBlit WindowsMetafile::Blit(const WmfRecord& record) const
{
    const std::uint32_t start = record.offset - kRecordHeaderBytes;
    WmfBlit blit;
    blit.rop = DWord(record, 0);
    const auto rect = [&](std::uint32_t index) {  // y, x (or height, width) pairs: height, width, y, x
        return RECT{Int(record, index + 3), Int(record, index + 2), Int(record, index + 1), Int(record, index)};
    };
    std::uint32_t dibWord = 0;
    switch (record.function) {
    case WmfFunction::StretchDib:
        if (Word(record, 2) != DIB_RGB_COLORS)
            Invalid("record STRETCHDIB at offset %u: the bitmap's colours are palette indexes", start);
        blit.source = rect(3);
        blit.destination = rect(7);
        dibWord = 11;
        break;
    case WmfFunction::DibStretchBlt:
        // Without a bitmap the record holds a reserved word between the rectangles.
        dibWord = record.size == 2 * 11 ? 0 : 10;
        blit.source = rect(2);
        blit.destination = rect(dibWord ? 6 : 7);
        break;
    default: {
        dibWord = record.size == 2 * 9 ? 0 : 8;
        const POINT source = Point(record, 2);
        const std::uint32_t extent = dibWord ? 4 : 5;
        blit.destination = RECT{Int(record, extent + 3), Int(record, extent + 2), Int(record, extent + 1), Int(record, extent)};
        blit.source = RECT{source.x, source.y, blit.destination.right, blit.destination.bottom};
        break;
    }
    }
    if (dibWord)
        blit.dib = SplitDib(std::string_view(bytes).substr(record.offset + 2 * dibWord, record.size - 2 * dibWord), start,
                            record.function);
    return blit;
}

WindowsMetafile ReadWindowsMetafile(std::string_view data)
{
    WindowsMetafile metafile;
    ReadPlaceableHeader(data, metafile);
    const MetafileHeader header = ReadMetafileHeader(data, metafile);
    metafile.bytes.assign(data.substr(0, header.end));
    ReadRecords(metafile.bytes, header, metafile);
    return metafile;
}

}  // namespace win
