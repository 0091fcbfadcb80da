#include "platform/imaging/BmpCodec.h"

#include <bit>
#include <limits>
#include <unordered_map>

namespace win {

namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kFileHeaderSize = 14;

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;

[[noreturn]] void InvalidBmp()
{
    throw EInvalidGraphic("Bitmap image is not valid");
}

// Little-endian fields of a byte buffer; a field past the end makes the bitmap invalid.
class Bytes {
public:
    explicit Bytes(std::string_view data) : data_(data) {}
    size_t Size() const { return data_.size(); }
    std::uint8_t U8(size_t at) const
    {
        if (at >= data_.size())
            InvalidBmp();
        return static_cast<std::uint8_t>(data_[at]);
    }
    std::uint16_t U16(size_t at) const { return static_cast<std::uint16_t>(U8(at) | U8(at + 1) << 8); }
    std::uint32_t U32(size_t at) const { return U16(at) | static_cast<std::uint32_t>(U16(at + 2)) << 16; }
    std::int32_t I32(size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    const std::uint8_t* Span(size_t at, std::uint64_t count) const
    {
        if (at > data_.size() || count > data_.size() - at)
            InvalidBmp();
        return reinterpret_cast<const std::uint8_t*>(data_.data()) + at;
    }

private:
    std::string_view data_;
};

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    static Channel FromMask(std::uint32_t mask)
    {
        Channel channel;
        if (mask == 0)
            return channel;
        channel.mask = mask;
        channel.shift = std::countr_zero(mask);
        channel.max = mask >> channel.shift;
        if ((channel.max & (channel.max + 1)) != 0)  // the bits of a mask must be contiguous
            InvalidBmp();
        return channel;
    }
    std::uint32_t Extract(std::uint32_t pixel, std::uint32_t absent) const
    {
        if (mask == 0)
            return absent;
        const std::uint64_t value = (pixel & mask) >> shift;
        return static_cast<std::uint32_t>((value * 255 * 2 + max) / (std::uint64_t{max} * 2));
    }
};

struct DibHeader {
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative: rows top-down
    std::uint32_t bits = 0;
    std::uint32_t compression = BI_RGB;
    int xPixelsPerMetre = 0;
    int yPixelsPerMetre = 0;
    std::uint32_t colourCount = 0;      // palette entries in use
    std::uint32_t paletteEntrySize = 4;  // RGBQUAD; 3 (RGBTRIPLE) for the core header
    size_t paletteOffset = 0;
    Channel red, green, blue, alpha;
};

// Step 1: the header, with the masks of a bit-field bitmap.
DibHeader ReadDibHeader(const Bytes& dib)
{
    DibHeader header;
    header.headerSize = dib.U32(0);
    if (header.headerSize == kCoreHeaderSize) {
        header.width = dib.U16(4);
        header.height = static_cast<std::int16_t>(dib.U16(6));
        if (dib.U16(8) != 1)
            InvalidBmp();
        header.bits = dib.U16(10);
        header.paletteEntrySize = 3;
        header.paletteOffset = kCoreHeaderSize;
    } else if (header.headerSize == 40 || header.headerSize == 52 || header.headerSize == 56
               || header.headerSize == 108 || header.headerSize == 124) {
        header.width = dib.I32(4);
        header.height = dib.I32(8);
        if (dib.U16(12) != 1)
            InvalidBmp();
        header.bits = dib.U16(14);
        header.compression = dib.U32(16);
        header.xPixelsPerMetre = dib.I32(24);
        header.yPixelsPerMetre = dib.I32(28);
        header.colourCount = dib.U32(32);
        header.paletteOffset = header.headerSize;
    } else {
        InvalidBmp();
    }
    if (header.width <= 0 || header.height == 0 || header.height == std::numeric_limits<std::int32_t>::min())
        InvalidBmp();

    switch (header.compression) {
    case BI_RGB:
        if (header.bits == 16) {
            header.red = Channel::FromMask(0x7c00);
            header.green = Channel::FromMask(0x03e0);
            header.blue = Channel::FromMask(0x001f);
        } else if (header.bits == 32) {
            header.red = Channel::FromMask(0x00ff0000);
            header.green = Channel::FromMask(0x0000ff00);
            header.blue = Channel::FromMask(0x000000ff);
            header.alpha = Channel::FromMask(0xff000000);
        } else if (header.bits != 1 && header.bits != 4 && header.bits != 8 && header.bits != 24) {
            InvalidBmp();
        }
        break;
    case BI_RLE8:
    case BI_RLE4:
        if (header.bits != (header.compression == BI_RLE8 ? 8u : 4u) || header.height < 0)
            InvalidBmp();
        break;
    case BI_BITFIELDS: {
        if (header.bits != 16 && header.bits != 32)
            InvalidBmp();
        // An info header is followed by the three masks; the later headers hold them (and alpha).
        const size_t masks = kInfoHeaderSize;
        header.red = Channel::FromMask(dib.U32(masks));
        header.green = Channel::FromMask(dib.U32(masks + 4));
        header.blue = Channel::FromMask(dib.U32(masks + 8));
        if (header.headerSize >= 56)
            header.alpha = Channel::FromMask(dib.U32(masks + 12));
        if (header.headerSize == kInfoHeaderSize)
            header.paletteOffset += 12;
        break;
    }
    default:
        InvalidBmp();
    }

    if (header.bits <= 8) {
        const std::uint32_t most = 1u << header.bits;
        if (header.colourCount == 0 || header.colourCount > most)
            header.colourCount = most;
    } else {
        header.colourCount = 0;  // a colour table of a true-colour bitmap only advises a display
    }
    return header;
}

// Step 2: the colour table.
std::vector<std::uint32_t> ReadPalette(const Bytes& dib, const DibHeader& header)
{
    const std::uint8_t* entries = dib.Span(header.paletteOffset, std::uint64_t{header.colourCount} * header.paletteEntrySize);
    std::vector<std::uint32_t> palette(header.colourCount);
    for (std::uint32_t i = 0; i < header.colourCount; ++i, entries += header.paletteEntrySize)
        palette[i] = 0xff000000u | std::uint32_t{entries[2]} << 16 | std::uint32_t{entries[1]} << 8 | entries[0];
    return palette;
}

std::uint64_t RowStride(std::uint64_t width, std::uint32_t bits)
{
    return (width * bits + 31) / 32 * 4;
}

// Step 3a: palette indexes of an RLE bitmap, bottom row first; pixels it skips keep index 0.
std::vector<std::uint8_t> DecodeRle(const Bytes& dib, size_t offset, const DibHeader& header)
{
    const auto width = static_cast<size_t>(header.width);
    const auto height = static_cast<size_t>(header.height);
    const bool four = header.compression == BI_RLE4;
    std::vector<std::uint8_t> indexes(width * height, 0);
    size_t x = 0, y = 0;
    auto put = [&](std::uint8_t index) {
        if (x < width && y < height)
            indexes[y * width + x] = index;
        ++x;
    };
    size_t at = offset;
    while (y < height) {
        const std::uint8_t count = dib.U8(at);
        const std::uint8_t value = dib.U8(at + 1);
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                put(four ? static_cast<std::uint8_t>(i % 2 == 0 ? value >> 4 : value & 0x0f) : value);
        } else if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            break;
        } else if (value == 2) {  // move right and up
            x += dib.U8(at);
            y += dib.U8(at + 1);
            at += 2;
        } else {  // a run of literal indexes, padded to a 16-bit boundary
            const size_t bytes = four ? (value + 1u) / 2 : value;
            const std::uint8_t* literal = dib.Span(at, bytes);
            for (unsigned i = 0; i < value; ++i)
                put(four ? static_cast<std::uint8_t>(i % 2 == 0 ? literal[i / 2] >> 4 : literal[i / 2] & 0x0f) : literal[i]);
            at += bytes + bytes % 2;
        }
    }
    return indexes;
}

// Step 3b: one uncompressed row into 0xAARRGGBB pixels.
void DecodeRow(const std::uint8_t* row, const DibHeader& header, const std::vector<std::uint32_t>& palette,
               std::uint32_t* out, int width)
{
    auto colour = [&](std::uint32_t index) {
        if (index >= palette.size())
            InvalidBmp();
        return palette[index];
    };
    for (int x = 0; x < width; ++x) {
        const auto ux = static_cast<size_t>(x);
        switch (header.bits) {
        case 1:
            out[x] = colour(row[ux / 8] >> (7 - ux % 8) & 1);
            break;
        case 4:
            out[x] = colour(ux % 2 == 0 ? row[ux / 2] >> 4 : row[ux / 2] & 0x0f);
            break;
        case 8:
            out[x] = colour(row[ux]);
            break;
        case 24:
            out[x] = 0xff000000u | std::uint32_t{row[ux * 3 + 2]} << 16 | std::uint32_t{row[ux * 3 + 1]} << 8 | row[ux * 3];
            break;
        default: {
            const std::uint32_t pixel = header.bits == 16
                                            ? std::uint32_t{row[ux * 2]} | std::uint32_t{row[ux * 2 + 1]} << 8
                                            : std::uint32_t{row[ux * 4]} | std::uint32_t{row[ux * 4 + 1]} << 8
                                                  | std::uint32_t{row[ux * 4 + 2]} << 16 | std::uint32_t{row[ux * 4 + 3]} << 24;
            out[x] = header.alpha.Extract(pixel, 0xff) << 24 | header.red.Extract(pixel, 0) << 16
                     | header.green.Extract(pixel, 0) << 8 | header.blue.Extract(pixel, 0);
            break;
        }
        }
    }
}

// Step 4: alpha is only believed when some pixel has any; older writers leave the bytes zero.
void SettleAlpha(Image& image, const DibHeader& header)
{
    if (header.alpha.mask == 0)
        return;
    bool any = false;
    for (std::uint32_t pixel : image.Pixels())
        any = any || (pixel >> 24) != 0;
    if (any) {
        image.SetHasAlpha(true);
        return;
    }
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            image.Row(y)[x] |= 0xff000000u;
}

// Reads a bitmap whose pixels start at pixelOffset within dib; an icon's height counts its AND mask,
// which follows the pixels.
Image DecodeDib(std::string_view data, size_t pixelOffset, bool icon)
{
    const Bytes dib(data);
    DibHeader header = ReadDibHeader(dib);
    if (icon) {
        if (header.height < 0 || header.compression != BI_RGB)
            InvalidBmp();
        header.height /= 2;
    }
    const bool topDown = header.height < 0;
    const std::int64_t height = topDown ? -header.height : header.height;
    CheckImageSize(static_cast<std::uint64_t>(header.width), static_cast<std::uint64_t>(height));
    const std::vector<std::uint32_t> palette = ReadPalette(dib, header);
    if (pixelOffset == 0)
        pixelOffset = header.paletteOffset + size_t{header.colourCount} * header.paletteEntrySize;
    if (pixelOffset < header.paletteOffset + size_t{header.colourCount} * header.paletteEntrySize)
        InvalidBmp();

    const bool rle = header.compression == BI_RLE8 || header.compression == BI_RLE4;
    const std::uint64_t stride = RowStride(static_cast<std::uint64_t>(header.width), header.bits);
    // Checked before the image is allocated, so that a short file cannot claim a huge one.
    std::vector<std::uint8_t> indexes;
    const std::uint8_t* pixels = nullptr;
    if (rle)
        indexes = DecodeRle(dib, pixelOffset, header);
    else
        pixels = dib.Span(pixelOffset, stride * static_cast<std::uint64_t>(height));

    Image image(static_cast<int>(header.width), static_cast<int>(height));
    image.SetResolution(header.xPixelsPerMetre, header.yPixelsPerMetre);
    if (header.bits <= 8)
        image.SetPalette(palette);
    const int width = image.Width();

    if (rle) {
        for (int y = 0; y < image.Height(); ++y) {
            std::uint32_t* out = image.Row(image.Height() - 1 - y);
            for (int x = 0; x < width; ++x) {
                const std::uint8_t index = indexes[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
                if (index >= palette.size())
                    InvalidBmp();
                out[x] = palette[index];
            }
        }
        return image;
    }

    for (int y = 0; y < image.Height(); ++y) {
        const int row = topDown ? y : image.Height() - 1 - y;
        DecodeRow(pixels + stride * static_cast<std::uint64_t>(y), header, palette, image.Row(row), width);
    }
    SettleAlpha(image, header);
    if (!icon || image.HasAlpha())
        return image;

    // The AND mask: 1 bits are transparent.
    const std::uint64_t maskStride = RowStride(static_cast<std::uint64_t>(width), 1);
    const std::uint8_t* mask = dib.Span(pixelOffset + stride * static_cast<std::uint64_t>(height),
                                        maskStride * static_cast<std::uint64_t>(height));
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* bits = mask + maskStride * static_cast<std::uint64_t>(y);
        std::uint32_t* out = image.Row(image.Height() - 1 - y);
        for (int x = 0; x < width; ++x) {
            const auto ux = static_cast<size_t>(x);
            if (bits[ux / 8] >> (7 - ux % 8) & 1)
                out[x] &= 0x00ffffffu;
        }
    }
    image.SetHasAlpha(true);
    image.SetPalette({});
    return image;
}

// ---- writing ----

void PutU16(std::string& out, std::uint32_t value)
{
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>(value >> 8 & 0xff);
}

void PutU32(std::string& out, std::uint32_t value)
{
    PutU16(out, value & 0xffff);
    PutU16(out, value >> 16);
}

int ChooseDepth(const Image& image)
{
    const size_t colours = image.Palette().size();
    if (colours > 0 && colours <= 2)
        return 1;
    if (colours > 0 && colours <= 16)
        return 4;
    if (colours > 0 && colours <= 256)
        return 8;
    return image.HasAlpha() ? 32 : 24;
}

// The colour table for a palette depth and each pixel's index in it.
struct Indexed {
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> indexes;
};

Indexed IndexPixels(const Image& image, int bits)
{
    const size_t most = size_t{1} << bits;
    Indexed result;
    std::unordered_map<std::uint32_t, std::uint8_t> lookup;
    auto add = [&](std::uint32_t colour) {
        colour &= 0x00ffffffu;
        auto found = lookup.find(colour);
        if (found != lookup.end())
            return found->second;
        if (result.palette.size() == most)
            throw EInvalidGraphic("The image has more than " + std::to_string(most) + " colours for a "
                                  + std::to_string(bits) + "-bit bitmap");
        const auto index = static_cast<std::uint8_t>(result.palette.size());
        lookup.emplace(colour, index);
        result.palette.push_back(colour);
        return index;
    };
    for (std::uint32_t colour : image.Palette())
        add(colour);
    result.indexes.reserve(image.Pixels().size());
    for (std::uint32_t pixel : image.Pixels())
        result.indexes.push_back(add(pixel));
    return result;
}

}  // namespace

Image ReadBmp(std::string_view data)
{
    const Bytes file(data);
    if (file.U16(0) != 0x4d42)  // "BM"
        InvalidBmp();
    const std::uint32_t pixelOffset = file.U32(10);
    if (pixelOffset <= kFileHeaderSize || pixelOffset > data.size())
        InvalidBmp();
    return DecodeDib(data.substr(kFileHeaderSize), pixelOffset - kFileHeaderSize, false);
}

Image ReadIconDib(std::string_view dib)
{
    return DecodeDib(dib, 0, true);
}

std::string WriteBmp(const Image& image, int bitsPerPixel)
{
    if (image.Empty())
        throw EInvalidGraphic("Cannot write an empty image as a bitmap");
    const int bits = bitsPerPixel == 0 ? ChooseDepth(image) : bitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        throw EInvalidGraphic("A bitmap cannot have " + std::to_string(bitsPerPixel) + " bits per pixel");

    Indexed indexed;
    if (bits <= 8)
        indexed = IndexPixels(image, bits);
    const auto width = static_cast<size_t>(image.Width());
    const size_t stride = static_cast<size_t>(RowStride(width, static_cast<std::uint32_t>(bits)));
    const size_t paletteSize = indexed.palette.size() * 4;
    const size_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + paletteSize;
    const size_t fileSize = pixelOffset + stride * static_cast<size_t>(image.Height());
    if (fileSize > 0xffffffffu)
        throw EInvalidGraphic("The image is too large for a bitmap file");

    std::string out;
    out.reserve(fileSize);
    out += "BM";
    PutU32(out, static_cast<std::uint32_t>(fileSize));
    PutU32(out, 0);
    PutU32(out, static_cast<std::uint32_t>(pixelOffset));
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(image.Width()));
    PutU32(out, static_cast<std::uint32_t>(image.Height()));
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint32_t>(bits));
    PutU32(out, BI_RGB);
    PutU32(out, static_cast<std::uint32_t>(stride * static_cast<size_t>(image.Height())));
    PutU32(out, static_cast<std::uint32_t>(image.XPixelsPerMetre()));
    PutU32(out, static_cast<std::uint32_t>(image.YPixelsPerMetre()));
    PutU32(out, static_cast<std::uint32_t>(indexed.palette.size()));
    PutU32(out, 0);
    for (std::uint32_t colour : indexed.palette)
        PutU32(out, colour);

    std::string row(stride, '\0');
    for (int y = image.Height() - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), '\0');
        const std::uint32_t* in = image.Row(y);
        const std::uint8_t* index = bits <= 8 ? indexed.indexes.data() + static_cast<size_t>(y) * width : nullptr;
        for (size_t x = 0; x < width; ++x) {
            switch (bits) {
            case 1:
                row[x / 8] = static_cast<char>(row[x / 8] | index[x] << (7 - x % 8));
                break;
            case 4:
                row[x / 2] = static_cast<char>(row[x / 2] | index[x] << (x % 2 == 0 ? 4 : 0));
                break;
            case 8:
                row[x] = static_cast<char>(index[x]);
                break;
            default:
                row[x * (bits / 8)] = static_cast<char>(in[x]);
                row[x * (bits / 8) + 1] = static_cast<char>(in[x] >> 8);
                row[x * (bits / 8) + 2] = static_cast<char>(in[x] >> 16);
                if (bits == 32)
                    row[x * 4 + 3] = static_cast<char>(image.HasAlpha() ? in[x] >> 24 : 0);
                break;
            }
        }
        out += row;
    }
    return out;
}

}  // namespace win
