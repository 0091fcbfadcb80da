#pragma once
// Placeable Windows metafiles: a 16-bit metafile behind a 22-byte header (key 0x9AC6CDD7) that gives
// the picture's bounds in logical units and its units per inch. Reading validates the whole file, every
// record and every object index, so that playing it (WmfPlayer.h) never meets a record it cannot take
// apart; the decoders below are the ones the reader validates with.
//
// Records: the kinds of WmfFunction and nothing else; any other refuses the file as an unknown format.
// Mapping modes: MM_TEXT, MM_ISOTROPIC and MM_ANISOTROPIC are accepted and all placed alike, through
// the window origin and extent onto the caller's rectangle; the metric modes (y upwards, fixed
// extents) are refused. Bitmaps: BI_RGB device-independent bits of 1, 4, 8, 24 or 32 bits with their
// colours in the record (DIB_RGB_COLORS).

#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/LogFont.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace win {

// The function numbers of the records read here.
enum class WmfFunction : std::uint16_t {
    Eof = 0x0000,
    SaveDc = 0x001E,
    RealizePalette = 0x0035,
    CreatePalette = 0x00F7,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetRop2 = 0x0104,
    SetRelAbs = 0x0105,
    SetPolyFillMode = 0x0106,
    SetStretchBltMode = 0x0107,
    SetTextCharExtra = 0x0108,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SetViewportOrg = 0x020D,
    SetViewportExt = 0x020E,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    SetMapperFlags = 0x0231,
    SelectPalette = 0x0234,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    ExcludeClipRect = 0x0415,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    SetPixel = 0x041F,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    Escape = 0x0626,
    Arc = 0x0817,
    Pie = 0x081A,
    Chord = 0x0830,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
};

// One validated record: its function and where its parameters (16-bit words) lie in the file.
struct WmfRecord {
    WmfFunction function = WmfFunction::Eof;
    std::uint32_t offset = 0;  // of the parameters; the record starts 6 bytes before
    std::uint32_t size = 0;  // parameter bytes
};

// A packed device-independent bitmap inside a record: the header with its colour table, and the bits.
struct WmfDib {
    std::string_view info;
    std::string_view bits;
};

// STRETCHDIB, DIBSTRETCHBLT and DIBBITBLT; the last two may carry no bitmap (a pattern blit), and
// then dib is empty. The source rectangle counts as StretchDIBits counts it.
struct WmfBlit {
    DWORD rop = 0;
    RECT destination;  // left, top and the extents (not right and bottom)
    RECT source;
    WmfDib dib;
};

// TEXTOUT and EXTTEXTOUT.
struct WmfText {
    POINT at;
    UINT options = 0;  // ETO_OPAQUE and ETO_CLIPPED
    bool hasRect = false;
    RECT rect;
    std::string_view text;  // bytes in the character set of the selected font
    std::vector<int> dx;  // one advance per byte, or empty
};

struct WindowsMetafile {
    RECT bounds;  // logical units
    int unitsPerInch = 0;
    int objectCount = 0;  // slots of the object table
    std::string bytes;  // the file
    std::vector<WmfRecord> records;  // up to and without the end record

    // The index-th parameter word of a record, unsigned or signed; two words (low first) for DWord.
    // Past the record's parameters they raise EInvalidGraphic.
    std::uint16_t Word(const WmfRecord& record, std::uint32_t index) const;
    int Int(const WmfRecord& record, std::uint32_t index) const;
    std::uint32_t DWord(const WmfRecord& record, std::uint32_t index) const;

    // A colour parameter (two words), without the palette flags of its top byte.
    COLORREF Colour(const WmfRecord& record, std::uint32_t index) const;
    // A point stored as y, x from word index on.
    POINT Point(const WmfRecord& record, std::uint32_t index) const;
    // A rectangle stored as bottom, right, top, left from word index on.
    RECT Box(const WmfRecord& record, std::uint32_t index) const;

    // Decoders of the records with more than a few words; each raises EInvalidGraphic for a record that
    // does not hold what it says.
    // POLYGON and POLYLINE.
    std::vector<POINT> Points(const WmfRecord& record) const;
    // POLYPOLYGON: the points of all polygons, and the number of each.
    std::vector<POINT> PolyPoints(const WmfRecord& record, std::vector<int>& counts) const;
    WmfText Text(const WmfRecord& record) const;
    LOGPEN Pen(const WmfRecord& record) const;
    LOGBRUSH Brush(const WmfRecord& record) const;
    LOGFONT Font(const WmfRecord& record) const;
    // DIBCREATEPATTERNBRUSH's bitmap.
    WmfDib PatternDib(const WmfRecord& record) const;
    WmfBlit Blit(const WmfRecord& record) const;
};

// Raises EInvalidGraphic, with what is wrong and where, for anything but a whole, valid placeable
// metafile of the records above.
WindowsMetafile ReadWindowsMetafile(std::string_view data);

}  // namespace win
