#pragma once
// The enhanced-metafile file format: record numbers, the header and the record layouts of the subset
// this system writes and plays, and the reader that checks a file before anything uses it.
//
// Every field is little-endian and 4-byte aligned; the structs below have exactly the file's layout, and
// records are read and written by copying bytes, never by casting pointers into a file. Offsets inside a
// record (texts, dx arrays, bitmaps) count from the record's first byte. Bounds (rclBounds, the header's
// and each drawing record's) are inclusive: right and bottom belong to them. The boxes of shapes, clip
// and text rectangles are the drawing calls' own (right and bottom excluded), in the recording
// context's logical units; region data and EXTSELECTCLIPRGN's clip are in its device units. The header's
// frame is in 0.01 mm, its right and bottom the far edges of the picture.
//
// A file holding a record outside the subset (SupportedRecords) is refused as an unknown format. This unit
// depends on no device context, so a fuzz target compiles it alone.

#include "platform/imaging/Image.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace win {

namespace emf {

using u32 = std::uint32_t;
using i32 = std::int32_t;

enum RecordType : u32 {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYLINETO = 6,
    EMR_POLYPOLYLINE = 7,
    EMR_POLYPOLYGON = 8,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_SETBRUSHORGEX = 13,
    EMR_EOF = 14,
    EMR_SETPIXELV = 15,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETROP2 = 20,
    EMR_SETSTRETCHBLTMODE = 21,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_EXCLUDECLIPRECT = 29,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ROUNDRECT = 44,
    EMR_ARC = 45,
    EMR_CHORD = 46,
    EMR_PIE = 47,
    EMR_LINETO = 54,
    EMR_GDICOMMENT = 70,
    EMR_FILLRGN = 71,
    EMR_FRAMERGN = 72,
    EMR_INVERTRGN = 73,
    EMR_PAINTRGN = 74,
    EMR_EXTSELECTCLIPRGN = 75,
    EMR_BITBLT = 76,
    EMR_STRETCHBLT = 77,
    EMR_MASKBLT = 78,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTA = 83,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_CREATEMONOBRUSH = 93,
    EMR_CREATEDIBPATTERNBRUSHPT = 94,
    EMR_EXTCREATEPEN = 95,
    EMR_ALPHABLEND = 114,
    EMR_TRANSPARENTBLT = 116,
    EMR_GRADIENTFILL = 118,
};

inline constexpr u32 ENHMETA_SIGNATURE = 0x464D4520;  // " EMF"
inline constexpr u32 ENHMETA_STOCK_OBJECT = 0x80000000;
inline constexpr u32 kStockObjectLast = 17;  // DEFAULT_GUI_FONT

struct Rectl {
    i32 left = 0, top = 0, right = 0, bottom = 0;
};
struct Pointl {
    i32 x = 0, y = 0;
};
struct Sizel {
    i32 cx = 0, cy = 0;
};
struct Points {
    std::int16_t x = 0, y = 0;
};

struct RecordHead {
    u32 iType = 0;
    u32 nSize = 0;
};

struct EnhMetaHeader {
    RecordHead emr{EMR_HEADER, sizeof(EnhMetaHeader)};
    Rectl rclBounds;  // device units of the reference device, inclusive
    Rectl rclFrame;  // 0.01 mm
    u32 dSignature = ENHMETA_SIGNATURE;  // at offset 40
    u32 nVersion = 0x10000;
    u32 nBytes = 0;
    u32 nRecords = 0;
    std::uint16_t nHandles = 1;  // the table's size, entry 0 being the metafile itself
    std::uint16_t sReserved = 0;
    u32 nDescription = 0;  // characters, UTF-16
    u32 offDescription = 0;
    u32 nPalEntries = 0;
    Sizel szlDevice;  // the reference device in pixels
    Sizel szlMillimeters;  // and in millimetres
    u32 cbPixelFormat = 0;
    u32 offPixelFormat = 0;
    u32 bOpenGL = 0;
    Sizel szlMicrometers;
};
static_assert(sizeof(EnhMetaHeader) == 108);
inline constexpr std::size_t kHeaderMinimum = 88;  // files of the first version end at szlMillimeters

// Records of one value or one point.
struct EmrValue {
    RecordHead emr;
    u32 value = 0;
};
struct EmrPoint {
    RecordHead emr;
    Pointl point;
};
struct EmrRect {
    RecordHead emr;
    Rectl rect;
};
struct EmrSetPixel {
    RecordHead emr;
    Pointl point;
    u32 color = 0;
};
struct EmrRoundRect {
    RecordHead emr;
    Rectl box;
    Sizel corner;
};
struct EmrArc {
    RecordHead emr;
    Rectl box;
    Pointl start;
    Pointl end;
};
// POLYLINE, POLYGON, POLYLINETO (points 8 bytes) and their 16-bit forms (4 bytes): count points follow.
struct EmrPoly {
    RecordHead emr;
    Rectl bounds;
    u32 count = 0;
};
// POLYPOLYLINE, POLYPOLYGON: polygons counts, then points points.
struct EmrPolyPoly {
    RecordHead emr;
    Rectl bounds;
    u32 polygons = 0;
    u32 points = 0;
};

struct EmrCreatePen {
    RecordHead emr;
    u32 handle = 0;
    u32 style = 0;
    Pointl width;
    u32 color = 0;
};
// ExtCreatePen's pen; entries user-style lengths follow.
struct EmrExtCreatePen {
    RecordHead emr;
    u32 handle = 0;
    u32 offBmi = 0, cbBmi = 0, offBits = 0, cbBits = 0;
    u32 style = 0;
    u32 width = 0;
    u32 brushStyle = 0;
    u32 color = 0;
    u32 hatch = 0;
    u32 entries = 0;
};
struct EmrCreateBrush {
    RecordHead emr;
    u32 handle = 0;
    u32 style = 0;
    u32 color = 0;
    u32 hatch = 0;
};
struct EmrCreateDibBrush {
    RecordHead emr;
    u32 handle = 0;
    u32 usage = 0;
    u32 offBmi = 0, cbBmi = 0, offBits = 0, cbBits = 0;
};
struct LogFontW {
    i32 height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
    std::uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0;
    std::uint8_t outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
    char16_t faceName[32] = {};
};
struct EmrCreateFont {
    RecordHead emr;
    u32 handle = 0;
    LogFontW font;
};
struct EmrObject {
    RecordHead emr;
    u32 handle = 0;
};

// Region records: cbRgnData bytes of region data (RGNDATAHEADER and rectangles, Region.h) follow.
struct EmrExtSelectClip {
    RecordHead emr;
    u32 cbRgnData = 0;
    u32 mode = 0;
};
struct EmrFillRgn {
    RecordHead emr;
    Rectl bounds;
    u32 cbRgnData = 0;
    u32 brush = 0;
};
struct EmrFrameRgn {
    RecordHead emr;
    Rectl bounds;
    u32 cbRgnData = 0;
    u32 brush = 0;
    Sizel stroke;
};
struct EmrPaintRgn {  // INVERTRGN and PAINTRGN
    RecordHead emr;
    Rectl bounds;
    u32 cbRgnData = 0;
};
struct RegionHeader {
    u32 dwSize = 32;
    u32 iType = 1;
    u32 nCount = 0;
    u32 nRgnSize = 0;
    Rectl bound;  // exclusive, as a region's rectangles
};

struct XForm {
    float m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
};
// BITBLT; STRETCHBLT, ALPHABLEND and TRANSPARENTBLT add the source extent. With no source (a pattern
// operation) cbBmi and cbBits are 0. rop holds the raster operation, the packed BLENDFUNCTION
// (ALPHABLEND) or the transparent colour (TRANSPARENTBLT).
struct EmrBitBlt {
    RecordHead emr;
    Rectl bounds;
    i32 x = 0, y = 0, cx = 0, cy = 0;
    u32 rop = 0;
    i32 xSrc = 0, ySrc = 0;
    XForm xform;
    u32 bkColorSrc = 0;
    u32 usage = 0;
    u32 offBmi = 0, cbBmi = 0, offBits = 0, cbBits = 0;
};
struct EmrStretchBlt : EmrBitBlt {
    i32 cxSrc = 0, cySrc = 0;
};
// MASKBLT: a BITBLT (always with a source) and a 1-bit mask, of which the pixels from (xMask, yMask)
// choose per destination pixel between the foreground (1) and background (0) operations of rop.
struct EmrMaskBlt : EmrBitBlt {
    i32 xMask = 0, yMask = 0;
    u32 usageMask = 0;
    u32 offBmiMask = 0, cbBmiMask = 0, offBitsMask = 0, cbBitsMask = 0;
};
struct EmrStretchDiBits {
    RecordHead emr;
    Rectl bounds;
    i32 x = 0, y = 0, xSrc = 0, ySrc = 0, cxSrc = 0, cySrc = 0;
    u32 offBmi = 0, cbBmi = 0, offBits = 0, cbBits = 0;
    u32 usage = 0;
    u32 rop = 0;
    i32 cx = 0, cy = 0;
};
// vertices TRIVERTEX records (16 bytes) follow, then meshes GRADIENT_RECT (8) or GRADIENT_TRIANGLE (12).
struct EmrGradientFill {
    RecordHead emr;
    Rectl bounds;
    u32 vertices = 0;
    u32 meshes = 0;
    u32 mode = 0;
};

// EXTTEXTOUTA (one byte a character) and EXTTEXTOUTW (UTF-16): chars characters at offString and, when
// offDx is not 0, chars advances at offDx.
struct EmrText {
    RecordHead emr;
    Rectl bounds;
    u32 graphicsMode = 1;
    float exScale = 0;
    float eyScale = 0;
    Pointl reference;
    u32 chars = 0;
    u32 offString = 0;
    u32 options = 0;
    Rectl rect;
    u32 offDx = 0;
};
struct EmrComment {
    RecordHead emr;
    u32 cbData = 0;
};
struct EmrEof {
    RecordHead emr;
    u32 nPalEntries = 0;
    u32 offPalEntries = 0;
    u32 nSizeLast = sizeof(EmrEof);
};

// The supported record types: one entry each, with the size of the record's fixed part.
struct RecordKind {
    u32 type;
    const char* name;
    u32 fixedSize;
};
std::span<const RecordKind> SupportedRecords();
// The entry of a type, or null when the subset has no such record.
const RecordKind* FindRecordKind(u32 type);

// A record of a checked file: where it starts and its bytes.
struct RecordView {
    std::size_t offset = 0;
    std::span<const std::uint8_t> bytes;
    u32 Type() const { return Read<u32>(0); }
    u32 Size() const { return static_cast<u32>(bytes.size()); }
    template <class Value>
    Value Read(std::size_t at) const
    {
        Value value;
        std::memcpy(&value, bytes.data() + at, sizeof(Value));
        return value;
    }
};

// Checks a whole metafile: the header, every record's size and type, every count, offset and handle index
// inside the records, the record count, and EOF last. Raises EInvalidGraphic with what is wrong and where.
// The answer lists the records, the header first and EOF last.
struct CheckedMetafile {
    EnhMetaHeader header;
    std::vector<RecordView> records;
};
CheckedMetafile CheckMetafile(std::span<const std::uint8_t> bytes);

// The header's description, UTF-16.
std::u16string Description(std::span<const std::uint8_t> bytes, const EnhMetaHeader& header);

// For writing: appends a record's bytes to out.
template <class Record>
void Append(std::string& out, const Record& record)
{
    out.append(reinterpret_cast<const char*>(&record), sizeof(Record));
}

}  // namespace emf

}  // namespace win
