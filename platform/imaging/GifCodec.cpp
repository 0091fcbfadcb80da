#include "platform/imaging/GifCodec.h"

#include <algorithm>
#include <array>
#include <string>

namespace win {

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kTableSize = 1 << kMaxCodeBits;

[[noreturn]] void InvalidGif(const std::string& reason)
{
    throw EInvalidGraphic("Invalid GIF file: " + reason);
}

class Cursor {
public:
    explicit Cursor(std::string_view data) : data_(data) {}
    bool AtEnd() const { return at_ >= data_.size(); }
    size_t Remaining() const { return data_.size() - at_; }
    std::uint8_t U8()
    {
        if (at_ >= data_.size())
            InvalidGif("the file is truncated");
        return static_cast<std::uint8_t>(data_[at_++]);
    }
    std::uint32_t U16()
    {
        const std::uint32_t low = U8();
        return low | std::uint32_t{U8()} << 8;
    }
    void Skip(size_t count)
    {
        if (count > data_.size() - at_)
            InvalidGif("the file is truncated");
        at_ += count;
    }
    // Skips a chain of data sub-blocks up to its terminator.
    void SkipSubBlocks()
    {
        while (const std::uint8_t size = U8())
            Skip(size);
    }

private:
    std::string_view data_;
    size_t at_ = 0;
};

std::vector<std::uint32_t> ReadColourTable(Cursor& in, std::uint8_t flags)
{
    std::vector<std::uint32_t> table(size_t{2} << (flags & 7));
    for (std::uint32_t& colour : table) {
        const std::uint32_t red = in.U8();
        const std::uint32_t green = in.U8();
        colour = 0xff000000u | red << 16 | green << 8 | in.U8();
    }
    return table;
}

// The variable-width codes of the image data, least significant bit first, across its sub-blocks.
class CodeReader {
public:
    explicit CodeReader(Cursor& in) : in_(in) {}
    // Returns -1 when the data ends.
    int Read(int bits)
    {
        while (count_ < bits) {
            if (remaining_ == 0) {
                if (ended_ || (remaining_ = in_.U8()) == 0) {
                    ended_ = true;
                    return -1;
                }
            }
            buffer_ |= std::uint32_t{in_.U8()} << count_;
            count_ += 8;
            --remaining_;
        }
        const int code = static_cast<int>(buffer_ & ((1u << bits) - 1));
        buffer_ >>= bits;
        count_ -= bits;
        return code;
    }

private:
    Cursor& in_;
    std::uint32_t buffer_ = 0;
    int count_ = 0;
    std::uint8_t remaining_ = 0;
    bool ended_ = false;
};

// Decodes LZW image data into pixelCount colour indexes.
std::vector<std::uint8_t> DecodeLzw(Cursor& in, size_t pixelCount)
{
    const int minimumBits = in.U8();
    if (minimumBits < 1 || minimumBits > 8)
        InvalidGif("the LZW code size " + std::to_string(minimumBits) + " is out of range");
    const int clear = 1 << minimumBits;
    const int end = clear + 1;
    std::array<std::uint16_t, kTableSize> prefix{};
    std::array<std::uint8_t, kTableSize> suffix{};
    std::array<std::uint8_t, kTableSize> stack{};
    for (int code = 0; code < clear; ++code)
        suffix[static_cast<size_t>(code)] = static_cast<std::uint8_t>(code);

    // A code takes at least minimumBits + 1 bits and gives at least one and at most kTableSize indexes:
    // data too short for the frame's pixels is refused before they are allocated.
    if (pixelCount / kTableSize > in.Remaining() * 8 / size_t(minimumBits + 1))
        InvalidGif("the image data is too short for " + std::to_string(pixelCount) + " pixels");
    std::vector<std::uint8_t> out;
    out.reserve(pixelCount);
    CodeReader reader(in);
    int bits = minimumBits + 1;
    int next = clear + 2;
    int previous = -1;
    std::uint8_t first = 0;
    while (out.size() < pixelCount) {
        const int code = reader.Read(bits);
        if (code < 0)
            InvalidGif("the image data is truncated");
        if (code == clear) {
            bits = minimumBits + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code == end)
            break;
        if (previous < 0) {
            if (code > clear)
                InvalidGif("the image data is damaged (LZW code " + std::to_string(code) + " after a clear code)");
            first = static_cast<std::uint8_t>(code);
            out.push_back(first);
            previous = code;
            continue;
        }
        if (code > next)
            InvalidGif("the image data is damaged (LZW code " + std::to_string(code) + " not yet defined)");

        // Unwind the string of the code (or, for the code being defined, of the previous code plus its
        // own first index) onto the stack, last index first.
        size_t depth = 0;
        int walk = code;
        if (code == next) {
            stack[depth++] = first;
            walk = previous;
        }
        while (walk >= clear) {
            stack[depth++] = suffix[static_cast<size_t>(walk)];
            walk = prefix[static_cast<size_t>(walk)];
        }
        stack[depth++] = static_cast<std::uint8_t>(walk);
        first = static_cast<std::uint8_t>(walk);
        while (depth > 0 && out.size() < pixelCount)
            out.push_back(stack[--depth]);

        if (next < kTableSize) {
            prefix[static_cast<size_t>(next)] = static_cast<std::uint16_t>(previous);
            suffix[static_cast<size_t>(next)] = first;
            ++next;
            if (next == 1 << bits && bits < kMaxCodeBits)
                ++bits;
        }
        previous = code;
    }
    if (out.size() < pixelCount)
        InvalidGif("the image data ends before the last pixel");
    return out;
}

// The order in which an interlaced frame stores its rows.
std::vector<int> InterlacedRows(int height)
{
    std::vector<int> rows;
    rows.reserve(static_cast<size_t>(height));
    const int starts[] = {0, 4, 2, 1};
    const int steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < height; y += steps[pass])
            rows.push_back(y);
    return rows;
}

}  // namespace

Image ReadGif(std::string_view data)
{
    if (data.size() < 6 || (data.substr(0, 6) != "GIF87a" && data.substr(0, 6) != "GIF89a"))
        InvalidGif("no GIF signature");
    Cursor in(data);
    in.Skip(6);
    const std::uint32_t screenWidth = in.U16();
    const std::uint32_t screenHeight = in.U16();
    const std::uint8_t screenFlags = in.U8();
    in.Skip(2);  // background colour and aspect ratio
    std::vector<std::uint32_t> globalTable;
    if (screenFlags & 0x80)
        globalTable = ReadColourTable(in, screenFlags);

    int transparent = -1;
    for (;;) {
        const std::uint8_t introducer = in.U8();
        if (introducer == 0x3b)
            InvalidGif("the file has no image");
        if (introducer == 0x21) {
            const std::uint8_t label = in.U8();
            if (label == 0xf9) {  // graphic control: the transparency index of the next image
                const std::uint8_t size = in.U8();
                if (size < 4)
                    InvalidGif("the graphic control block is too short");
                const std::uint8_t flags = in.U8();
                in.Skip(2);
                const std::uint8_t index = in.U8();
                transparent = (flags & 1) ? index : -1;
                in.Skip(size - 4u);
            }
            in.SkipSubBlocks();
            continue;
        }
        if (introducer != 0x2c)
            InvalidGif("unknown block " + std::to_string(introducer));
        break;
    }

    const std::uint32_t left = in.U16();
    const std::uint32_t top = in.U16();
    const std::uint32_t width = in.U16();
    const std::uint32_t height = in.U16();
    const std::uint8_t flags = in.U8();
    CheckImageSize(width, height);
    // A few writers leave the logical screen 0 by 0 or smaller than the frame; the image holds both.
    const std::uint32_t canvasWidth = std::max(screenWidth, left + width);
    const std::uint32_t canvasHeight = std::max(screenHeight, top + height);
    CheckImageSize(canvasWidth, canvasHeight);
    std::vector<std::uint32_t> table = (flags & 0x80) ? ReadColourTable(in, flags) : globalTable;
    if (table.empty())
        InvalidGif("the image has no colour table");

    const std::vector<std::uint8_t> indexes = DecodeLzw(in, size_t{width} * height);

    if (transparent >= 0 && static_cast<size_t>(transparent) < table.size())
        table[static_cast<size_t>(transparent)] &= 0x00ffffffu;
    else
        transparent = -1;
    Image image(static_cast<int>(canvasWidth), static_cast<int>(canvasHeight));
    const bool covered = canvasWidth == width && canvasHeight == height;
    image.SetHasAlpha(transparent >= 0 || !covered);
    if (!covered && transparent >= 0)
        std::fill(image.Row(0), image.Row(0) + image.Pixels().size(),
                  table[static_cast<size_t>(transparent)]);

    const std::vector<int> rows = (flags & 0x40) ? InterlacedRows(static_cast<int>(height)) : std::vector<int>{};
    for (std::uint32_t i = 0; i < height; ++i) {
        const std::uint32_t y = top + (rows.empty() ? i : static_cast<std::uint32_t>(rows[i]));
        std::uint32_t* out = image.Row(static_cast<int>(y)) + left;
        const std::uint8_t* source = indexes.data() + size_t{i} * width;
        for (std::uint32_t x = 0; x < width; ++x) {
            if (source[x] >= table.size())
                InvalidGif("a pixel refers to colour " + std::to_string(source[x]) + " of a table of "
                        + std::to_string(table.size()));
            out[x] = table[source[x]];
        }
    }
    // Pixels outside the frame are in the palette only when they took its transparent colour.
    if (covered || transparent >= 0)
        image.SetPalette(std::move(table));
    return image;
}

}  // namespace win
