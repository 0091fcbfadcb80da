#include "platform/metafile/EmfRecords.h"

#include <algorithm>
#include <array>

namespace win::emf {

static_assert(sizeof(EmrBitBlt) == 100 && sizeof(EmrStretchBlt) == 108 && sizeof(EmrMaskBlt) == 128 && sizeof(EmrStretchDiBits) == 80);
static_assert(sizeof(EmrText) == 76 && sizeof(EmrCreateFont) == 104 && sizeof(EmrExtCreatePen) == 52);
static_assert(sizeof(EmrFrameRgn) == 40 && sizeof(RegionHeader) == 32 && sizeof(EmrEof) == 20);

namespace {

constexpr std::array kRecords{
    RecordKind{EMR_HEADER, "HEADER", kHeaderMinimum},
    RecordKind{EMR_POLYGON, "POLYGON", sizeof(EmrPoly)},
    RecordKind{EMR_POLYLINE, "POLYLINE", sizeof(EmrPoly)},
    RecordKind{EMR_POLYLINETO, "POLYLINETO", sizeof(EmrPoly)},
    RecordKind{EMR_POLYPOLYLINE, "POLYPOLYLINE", sizeof(EmrPolyPoly)},
    RecordKind{EMR_POLYPOLYGON, "POLYPOLYGON", sizeof(EmrPolyPoly)},
    RecordKind{EMR_SETWINDOWORGEX, "SETWINDOWORGEX", sizeof(EmrPoint)},
    RecordKind{EMR_SETVIEWPORTORGEX, "SETVIEWPORTORGEX", sizeof(EmrPoint)},
    RecordKind{EMR_SETBRUSHORGEX, "SETBRUSHORGEX", sizeof(EmrPoint)},
    RecordKind{EMR_EOF, "EOF", sizeof(EmrEof)},
    RecordKind{EMR_SETPIXELV, "SETPIXELV", sizeof(EmrSetPixel)},
    RecordKind{EMR_SETBKMODE, "SETBKMODE", sizeof(EmrValue)},
    RecordKind{EMR_SETPOLYFILLMODE, "SETPOLYFILLMODE", sizeof(EmrValue)},
    RecordKind{EMR_SETROP2, "SETROP2", sizeof(EmrValue)},
    RecordKind{EMR_SETSTRETCHBLTMODE, "SETSTRETCHBLTMODE", sizeof(EmrValue)},
    RecordKind{EMR_SETTEXTALIGN, "SETTEXTALIGN", sizeof(EmrValue)},
    RecordKind{EMR_SETTEXTCOLOR, "SETTEXTCOLOR", sizeof(EmrValue)},
    RecordKind{EMR_SETBKCOLOR, "SETBKCOLOR", sizeof(EmrValue)},
    RecordKind{EMR_MOVETOEX, "MOVETOEX", sizeof(EmrPoint)},
    RecordKind{EMR_EXCLUDECLIPRECT, "EXCLUDECLIPRECT", sizeof(EmrRect)},
    RecordKind{EMR_INTERSECTCLIPRECT, "INTERSECTCLIPRECT", sizeof(EmrRect)},
    RecordKind{EMR_SAVEDC, "SAVEDC", sizeof(RecordHead)},
    RecordKind{EMR_RESTOREDC, "RESTOREDC", sizeof(EmrValue)},
    RecordKind{EMR_SELECTOBJECT, "SELECTOBJECT", sizeof(EmrObject)},
    RecordKind{EMR_CREATEPEN, "CREATEPEN", sizeof(EmrCreatePen)},
    RecordKind{EMR_CREATEBRUSHINDIRECT, "CREATEBRUSHINDIRECT", sizeof(EmrCreateBrush)},
    RecordKind{EMR_DELETEOBJECT, "DELETEOBJECT", sizeof(EmrObject)},
    RecordKind{EMR_ELLIPSE, "ELLIPSE", sizeof(EmrRect)},
    RecordKind{EMR_RECTANGLE, "RECTANGLE", sizeof(EmrRect)},
    RecordKind{EMR_ROUNDRECT, "ROUNDRECT", sizeof(EmrRoundRect)},
    RecordKind{EMR_ARC, "ARC", sizeof(EmrArc)},
    RecordKind{EMR_CHORD, "CHORD", sizeof(EmrArc)},
    RecordKind{EMR_PIE, "PIE", sizeof(EmrArc)},
    RecordKind{EMR_LINETO, "LINETO", sizeof(EmrPoint)},
    RecordKind{EMR_GDICOMMENT, "GDICOMMENT", sizeof(EmrComment)},
    RecordKind{EMR_FILLRGN, "FILLRGN", sizeof(EmrFillRgn)},
    RecordKind{EMR_FRAMERGN, "FRAMERGN", sizeof(EmrFrameRgn)},
    RecordKind{EMR_INVERTRGN, "INVERTRGN", sizeof(EmrPaintRgn)},
    RecordKind{EMR_PAINTRGN, "PAINTRGN", sizeof(EmrPaintRgn)},
    RecordKind{EMR_EXTSELECTCLIPRGN, "EXTSELECTCLIPRGN", sizeof(EmrExtSelectClip)},
    RecordKind{EMR_BITBLT, "BITBLT", sizeof(EmrBitBlt)},
    RecordKind{EMR_STRETCHBLT, "STRETCHBLT", sizeof(EmrStretchBlt)},
    RecordKind{EMR_MASKBLT, "MASKBLT", sizeof(EmrMaskBlt)},
    RecordKind{EMR_STRETCHDIBITS, "STRETCHDIBITS", sizeof(EmrStretchDiBits)},
    RecordKind{EMR_EXTCREATEFONTINDIRECTW, "EXTCREATEFONTINDIRECTW", sizeof(EmrCreateFont)},
    RecordKind{EMR_EXTTEXTOUTA, "EXTTEXTOUTA", sizeof(EmrText)},
    RecordKind{EMR_EXTTEXTOUTW, "EXTTEXTOUTW", sizeof(EmrText)},
    RecordKind{EMR_POLYGON16, "POLYGON16", sizeof(EmrPoly)},
    RecordKind{EMR_POLYLINE16, "POLYLINE16", sizeof(EmrPoly)},
    RecordKind{EMR_CREATEMONOBRUSH, "CREATEMONOBRUSH", sizeof(EmrCreateDibBrush)},
    RecordKind{EMR_CREATEDIBPATTERNBRUSHPT, "CREATEDIBPATTERNBRUSHPT", sizeof(EmrCreateDibBrush)},
    RecordKind{EMR_EXTCREATEPEN, "EXTCREATEPEN", sizeof(EmrExtCreatePen)},
    RecordKind{EMR_ALPHABLEND, "ALPHABLEND", sizeof(EmrStretchBlt)},
    RecordKind{EMR_TRANSPARENTBLT, "TRANSPARENTBLT", sizeof(EmrStretchBlt)},
    RecordKind{EMR_GRADIENTFILL, "GRADIENTFILL", sizeof(EmrGradientFill)},
};

[[noreturn]] void Fail(const std::string& what)
{
    throw EInvalidGraphic("Invalid metafile: " + what);
}

// Checks one record's inner counts and offsets against its size.
class RecordChecker {
public:
    RecordChecker(const RecordView& record, const RecordKind& kind, u32 handles)
        : record_(record), kind_(kind), handles_(handles)
    {
    }

    void Check()
    {
        switch (record_.Type()) {
        case EMR_POLYGON:
        case EMR_POLYLINE:
        case EMR_POLYLINETO:
            Span(sizeof(EmrPoly), Field<EmrPoly>(&EmrPoly::count), 8, "point count");
            break;
        case EMR_POLYGON16:
        case EMR_POLYLINE16:
            Span(sizeof(EmrPoly), Field<EmrPoly>(&EmrPoly::count), 4, "point count");
            break;
        case EMR_POLYPOLYLINE:
        case EMR_POLYPOLYGON:
            CheckPolyPoly();
            break;
        case EMR_SELECTOBJECT:
        case EMR_DELETEOBJECT:
            Handle(Field<EmrObject>(&EmrObject::handle), record_.Type() == EMR_SELECTOBJECT);
            break;
        case EMR_CREATEPEN:
        case EMR_CREATEBRUSHINDIRECT:
        case EMR_EXTCREATEFONTINDIRECTW:
            Handle(Field<EmrObject>(&EmrObject::handle), false);
            break;
        case EMR_EXTCREATEPEN: {
            const auto pen = Whole<EmrExtCreatePen>();
            Handle(pen.handle, false);
            if (pen.entries > 16) {
                Fail(At("too many pen style entries"));
            }
            Span(sizeof(EmrExtCreatePen), pen.entries, 4, "pen style count");
            break;
        }
        case EMR_CREATEMONOBRUSH:
        case EMR_CREATEDIBPATTERNBRUSHPT: {
            const auto brush = Whole<EmrCreateDibBrush>();
            Handle(brush.handle, false);
            Dib(brush.offBmi, brush.cbBmi, brush.offBits, brush.cbBits);
            if (record_.Type() == EMR_CREATEMONOBRUSH && record_.Read<std::uint16_t>(brush.offBmi + 14) != 1) {
                Fail(At("monochrome brush with more than one bit a pixel"));
            }
            break;
        }
        case EMR_EXTSELECTCLIPRGN: {
            const auto clip = Whole<EmrExtSelectClip>();
            if (clip.mode < 1 || clip.mode > 5) {
                Fail(At("unknown clip mode"));
            }
            if (clip.cbRgnData != 0 || clip.mode != 5) {
                RegionData(sizeof(EmrExtSelectClip), clip.cbRgnData);
            }
            break;
        }
        case EMR_FILLRGN:
        case EMR_FRAMERGN: {
            const auto fill = Whole<EmrFillRgn>();
            Handle(fill.brush, true);
            RegionData(kind_.fixedSize, fill.cbRgnData);
            break;
        }
        case EMR_INVERTRGN:
        case EMR_PAINTRGN:
            RegionData(sizeof(EmrPaintRgn), Field<EmrPaintRgn>(&EmrPaintRgn::cbRgnData));
            break;
        case EMR_BITBLT:
        case EMR_STRETCHBLT:
        case EMR_ALPHABLEND:
        case EMR_TRANSPARENTBLT: {
            const auto blit = Whole<EmrBitBlt>();
            const bool sourceless = blit.cbBmi == 0 && blit.cbBits == 0;
            if (!sourceless || record_.Type() != EMR_BITBLT) {
                Dib(blit.offBmi, blit.cbBmi, blit.offBits, blit.cbBits);
            }
            break;
        }
        case EMR_MASKBLT:
            CheckMaskBlt();
            break;
        case EMR_STRETCHDIBITS: {
            const auto blit = Whole<EmrStretchDiBits>();
            Dib(blit.offBmi, blit.cbBmi, blit.offBits, blit.cbBits);
            break;
        }
        case EMR_EXTTEXTOUTA:
        case EMR_EXTTEXTOUTW: {
            const auto text = Whole<EmrText>();
            Inside(text.offString, std::uint64_t{text.chars} * (record_.Type() == EMR_EXTTEXTOUTW ? 2 : 1), "text");
            if (text.offDx != 0) {
                Inside(text.offDx, std::uint64_t{text.chars} * 4, "advance array");
            }
            break;
        }
        case EMR_GRADIENTFILL: {
            const auto fill = Whole<EmrGradientFill>();
            if (fill.mode > 2) {
                Fail(At("unknown gradient mode"));
            }
            const std::uint64_t bytes = std::uint64_t{fill.vertices} * 16 + std::uint64_t{fill.meshes} * (fill.mode == 2 ? 12 : 8);
            Inside(sizeof(EmrGradientFill), bytes, "gradient");
            const std::size_t meshAt = sizeof(EmrGradientFill) + std::size_t{fill.vertices} * 16;
            const u32 corners = fill.mode == 2 ? 3 : 2;
            for (u32 index = 0; index < fill.meshes * corners; ++index) {
                if (record_.Read<u32>(meshAt + std::size_t{index} * 4) >= fill.vertices) {
                    Fail(At("gradient vertex index out of range"));
                }
            }
            break;
        }
        case EMR_GDICOMMENT:
            Inside(sizeof(EmrComment), Field<EmrComment>(&EmrComment::cbData), "comment");
            break;
        default:
            break;
        }
    }

private:
    std::string At(const std::string& what) const
    {
        return what + " in record " + kind_.name + " at offset " + std::to_string(record_.offset);
    }

    template <class Record>
    Record Whole() const
    {
        return record_.Read<Record>(0);
    }

    template <class Record, class Value>
    Value Field(Value Record::*member) const
    {
        return Whole<Record>().*member;
    }

    void Inside(std::uint64_t offset, std::uint64_t length, const char* what) const
    {
        if (offset > record_.Size() || length > record_.Size() - offset) {
            Fail(At(std::string(what) + " outside the record"));
        }
    }

    void Span(std::size_t fixed, u32 count, std::size_t each, const char* what) const
    {
        Inside(fixed, std::uint64_t{count} * each, what);
    }

    void Handle(u32 index, bool stockAllowed) const
    {
        if (stockAllowed && (index & ENHMETA_STOCK_OBJECT)) {
            if ((index & ~ENHMETA_STOCK_OBJECT) > kStockObjectLast) {
                Fail(At("unknown stock object"));
            }
            return;
        }
        if (index == 0 || index >= handles_) {
            Fail(At("object index " + std::to_string(index) + " out of range"));
        }
    }

    void CheckPolyPoly() const
    {
        const auto poly = Whole<EmrPolyPoly>();
        Span(sizeof(EmrPolyPoly), poly.polygons, 4, "polygon count");
        Span(sizeof(EmrPolyPoly) + std::size_t{poly.polygons} * 4, poly.points, 8, "point count");
        std::uint64_t total = 0;
        for (u32 index = 0; index < poly.polygons; ++index) {
            total += record_.Read<u32>(sizeof(EmrPolyPoly) + std::size_t{index} * 4);
        }
        if (total != poly.points) {
            Fail(At("polygon counts do not add up to the point count"));
        }
    }

    void CheckMaskBlt() const
    {
        const auto blit = Whole<EmrMaskBlt>();
        if (blit.cx < 0 || blit.cy < 0 || blit.xSrc < 0 || blit.ySrc < 0 || blit.xMask < 0 || blit.yMask < 0) {
            Fail(At("negative mask blit extent or origin"));
        }
        const DibSize source = Dib(blit.offBmi, blit.cbBmi, blit.offBits, blit.cbBits);
        if (std::int64_t{blit.xSrc} + blit.cx > source.width || std::int64_t{blit.ySrc} + blit.cy > source.height) {
            Fail(At("source smaller than the blit"));
        }
        const DibSize mask = Dib(blit.offBmiMask, blit.cbBmiMask, blit.offBitsMask, blit.cbBitsMask);
        if (mask.bits != 1) {
            Fail(At("mask with more than one bit a pixel"));
        }
        if (std::int64_t{blit.xMask} + blit.cx > mask.width || std::int64_t{blit.yMask} + blit.cy > mask.height) {
            Fail(At("mask smaller than the blit"));
        }
    }

    void RegionData(std::size_t at, u32 size) const
    {
        Inside(at, size, "region data");
        if (size < sizeof(RegionHeader)) {
            Fail(At("region data too short"));
        }
        const auto header = record_.Read<RegionHeader>(at);
        if (header.dwSize != sizeof(RegionHeader) || header.iType != 1 ||
            std::uint64_t{header.nCount} * 16 > size - sizeof(RegionHeader)) {
            Fail(At("bad region data"));
        }
    }

    struct DibSize {
        std::int64_t width, height;
        std::uint16_t bits;
    };

    // A device-independent bitmap: its header and colour table inside cbBmi, its rows inside cbBits.
    DibSize Dib(u32 offBmi, u32 cbBmi, u32 offBits, u32 cbBits) const
    {
        constexpr u32 kInfoHeader = 40;
        Inside(offBmi, cbBmi, "bitmap header");
        Inside(offBits, cbBits, "bitmap bits");
        if (cbBmi < kInfoHeader || record_.Read<u32>(offBmi) < kInfoHeader) {
            Fail(At("bitmap header too short"));
        }
        const auto width = record_.Read<i32>(offBmi + 4);
        const auto height = record_.Read<i32>(offBmi + 8);
        const auto bits = record_.Read<std::uint16_t>(offBmi + 14);
        const auto compression = record_.Read<u32>(offBmi + 16);
        const auto used = record_.Read<u32>(offBmi + 32);
        if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
            Fail(At("unsupported bitmap depth"));
        }
        if (compression != 0 && !(compression == 3 && bits == 32)) {
            Fail(At("unsupported bitmap compression"));
        }
        if (width <= 0 || height == 0 || height == INT32_MIN) {
            Fail(At("bad bitmap size"));
        }
        try {
            CheckImageSize(std::uint64_t(width), std::uint64_t(height < 0 ? -std::int64_t{height} : height));
        } catch (const EInvalidGraphic&) {
            Fail(At("bitmap too large"));
        }
        std::uint64_t table = 0;
        if (bits <= 8) {
            table = std::uint64_t{used == 0 ? (1u << bits) : used} * 4;
            if (used > (1u << bits)) {
                Fail(At("bitmap colour table too long"));
            }
        } else if (compression == 3) {
            table = 12;
        }
        if (std::uint64_t{record_.Read<u32>(offBmi)} + table > cbBmi) {
            Fail(At("bitmap colour table outside the record"));
        }
        const std::uint64_t rowBytes = (std::uint64_t(width) * bits + 31) / 32 * 4;
        const std::uint64_t rows = height < 0 ? -std::int64_t{height} : height;
        if (rowBytes * rows > cbBits) {
            Fail(At("bitmap bits shorter than the bitmap"));
        }
        return DibSize{width, static_cast<std::int64_t>(rows), bits};
    }

    const RecordView& record_;
    const RecordKind& kind_;
    u32 handles_;
};

EnhMetaHeader CheckHeader(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kHeaderMinimum) {
        Fail("too short for a header");
    }
    EnhMetaHeader header;
    std::memcpy(static_cast<void*>(&header), bytes.data(), kHeaderMinimum);
    if (header.emr.iType != EMR_HEADER || header.dSignature != ENHMETA_SIGNATURE) {
        Fail("not an enhanced metafile");
    }
    if (header.emr.nSize < kHeaderMinimum || header.emr.nSize % 4 != 0 || header.emr.nSize > bytes.size()) {
        Fail("bad header size");
    }
    std::memcpy(static_cast<void*>(&header), bytes.data(), std::min<std::size_t>(header.emr.nSize, sizeof(EnhMetaHeader)));
    if (header.nBytes > bytes.size() || header.nBytes < header.emr.nSize) {
        Fail("the stated size " + std::to_string(header.nBytes) + " does not fit the data's " + std::to_string(bytes.size()));
    }
    if (header.nHandles == 0) {
        Fail("no handle table");
    }
    if (header.nDescription != 0) {
        const std::uint64_t end = std::uint64_t{header.offDescription} + std::uint64_t{header.nDescription} * 2;
        if (header.offDescription < kHeaderMinimum || end > header.emr.nSize) {
            Fail("description outside the header");
        }
    }
    return header;
}

}  // namespace

std::span<const RecordKind> SupportedRecords()
{
    return kRecords;
}

const RecordKind* FindRecordKind(u32 type)
{
    const auto found = std::find_if(kRecords.begin(), kRecords.end(), [type](const RecordKind& kind) { return kind.type == type; });
    return found == kRecords.end() ? nullptr : &*found;
}

CheckedMetafile CheckMetafile(std::span<const std::uint8_t> bytes)
{
    CheckedMetafile file;
    file.header = CheckHeader(bytes);
    const auto data = bytes.first(file.header.nBytes);
    std::size_t offset = 0;
    bool ended = false;
    while (offset < data.size()) {
        if (ended) {
            Fail("data after EOF at offset " + std::to_string(offset));
        }
        if (data.size() - offset < sizeof(RecordHead)) {
            Fail("truncated record at offset " + std::to_string(offset));
        }
        RecordHead head;
        std::memcpy(&head, data.data() + offset, sizeof(head));
        const RecordKind* kind = FindRecordKind(head.iType);
        if (!kind) {
            throw EInvalidGraphic("Unknown metafile record " + std::to_string(head.iType) + " at offset " +
                                  std::to_string(offset));
        }
        if (head.nSize < sizeof(RecordHead) || head.nSize % 4 != 0 || head.nSize > data.size() - offset ||
            head.nSize < kind->fixedSize) {
            Fail("bad size " + std::to_string(head.nSize) + " of record " + kind->name + " at offset " +
                 std::to_string(offset));
        }
        if ((head.iType == EMR_HEADER) != (offset == 0)) {
            Fail(std::string("misplaced record ") + kind->name + " at offset " + std::to_string(offset));
        }
        const RecordView record{offset, data.subspan(offset, head.nSize)};
        RecordChecker(record, *kind, file.header.nHandles).Check();
        file.records.push_back(record);
        ended = head.iType == EMR_EOF;
        offset += head.nSize;
    }
    if (!ended) {
        Fail("no EOF record");
    }
    if (file.records.size() != file.header.nRecords) {
        Fail("the header counts " + std::to_string(file.header.nRecords) + " records, the file holds " +
             std::to_string(file.records.size()));
    }
    return file;
}

std::u16string Description(std::span<const std::uint8_t> bytes, const EnhMetaHeader& header)
{
    std::u16string text(header.nDescription, u'\0');
    if (header.nDescription != 0) {
        std::memcpy(text.data(), bytes.data() + header.offDescription, std::size_t{header.nDescription} * 2);
    }
    return text;
}

}  // namespace win::emf
