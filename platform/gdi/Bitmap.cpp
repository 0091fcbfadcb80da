#include "platform/gdi/Bitmap.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/detail/Bitmap.h"
#include "platform/gdi/detail/Blit.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Surface.h"
#include "platform/rtl/Exceptions.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/RasterDevice.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <unordered_map>

namespace win {

using namespace detail;

namespace {

bool ValidDepth(int bitsPerPixel)
{
    return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 16 || bitsPerPixel == 24 ||
           bitsPerPixel == 32;
}

int CheckedRowBytes(int width, int height, int bitsPerPixel)
{
    if (!ValidDepth(bitsPerPixel)) {
        throw rtl::EInvalidArgument("A bitmap of " + std::to_string(bitsPerPixel) + " bits per pixel is not supported");
    }
    if (width < 0 || height < 0) {
        throw rtl::EInvalidArgument("A bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                                    " pixels has a negative size");
    }
    if (std::int64_t{width} * height > Surface::MaxPixels) {
        throw rtl::EOutOfResources("A bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                                   " pixels is too large");
    }
    return DibRowBytes(width, bitsPerPixel);
}

std::vector<std::uint32_t> AllocateBits(int rowBytes, int height)
{
    try {
        return std::vector<std::uint32_t>((static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height) + 3) / 4, 0);
    } catch (const std::bad_alloc&) {
        throw rtl::EOutOfResources("Not enough memory for a bitmap of " + std::to_string(rowBytes) + " x " +
                                   std::to_string(height) + " bytes");
    }
}

// The colours of a device-dependent bitmap of few bits, and of device-independent bits asked for in a
// depth other than the bitmap's: black and white; the sixteen colours of the classic scheme's base
// set; a 6 x 6 x 6 colour cube followed by grey steps.
std::vector<std::uint32_t> DefaultPalette(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return {0x000000, 0xFFFFFF};
    case 4:
        return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    case 8: {
        std::vector<std::uint32_t> palette;
        for (std::uint32_t r = 0; r < 6; ++r) {
            for (std::uint32_t g = 0; g < 6; ++g) {
                for (std::uint32_t b = 0; b < 6; ++b) {
                    palette.push_back((r * 51) << 16 | (g * 51) << 8 | b * 51);
                }
            }
        }
        for (std::uint32_t step = 1; palette.size() < 256; ++step) {
            const std::uint32_t grey = step * 255 / 41;
            palette.push_back(grey << 16 | grey << 8 | grey);
        }
        return palette;
    }
    default:
        return {};
    }
}

Surface WorkingSurface(int width, int height, int bitsPerPixel, bool topDown, std::vector<std::uint32_t>& memory)
{
    if (bitsPerPixel != 32) {
        return Surface(width, height);
    }
    if (topDown || height == 0) {
        return Surface(width, height, memory.data(), width);
    }
    return Surface(width, height, memory.data() + static_cast<std::ptrdiff_t>(height - 1) * width, -width);
}

// Between rows of bits and rows of 0x00RRGGBB pixels: the pixels x0 .. x1 - 1 of a row, pixels[x] the
// pixel of column x.
constexpr std::uint32_t Expand5(std::uint32_t value) { return (value << 3) | (value >> 2); }

void ReadPixels(const std::uint8_t* bits, int bitsPerPixel, const std::vector<std::uint32_t>& palette, int x0, int x1,
                std::uint32_t* pixels)
{
    const auto colour = [&palette](unsigned index) { return index < palette.size() ? palette[index] : 0u; };
    switch (bitsPerPixel) {
    case 1:
        for (int x = x0; x < x1; ++x) {
            pixels[x] = colour((bits[x / 8] >> (7 - x % 8)) & 1);
        }
        break;
    case 4:
        for (int x = x0; x < x1; ++x) {
            pixels[x] = colour(x % 2 ? bits[x / 2] & 0x0F : bits[x / 2] >> 4);
        }
        break;
    case 8:
        for (int x = x0; x < x1; ++x) {
            pixels[x] = colour(bits[x]);
        }
        break;
    case 16:
        for (int x = x0; x < x1; ++x) {
            const std::uint32_t value = bits[x * 2] | std::uint32_t{bits[x * 2 + 1]} << 8;
            pixels[x] = Expand5(value >> 10 & 0x1F) << 16 | Expand5(value >> 5 & 0x1F) << 8 | Expand5(value & 0x1F);
        }
        break;
    case 24:
        for (int x = x0; x < x1; ++x) {
            const std::uint8_t* p = bits + x * 3;
            pixels[x] = std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
        }
        break;
    default:
        std::memcpy(pixels + x0, bits + static_cast<std::ptrdiff_t>(x0) * 4, static_cast<std::size_t>(x1 - x0) * 4);
        break;
    }
}

void ReadRow(const std::uint8_t* bits, int bitsPerPixel, const std::vector<std::uint32_t>& palette, int width,
             std::uint32_t* pixels)
{
    ReadPixels(bits, bitsPerPixel, palette, 0, width, pixels);
}

class NearestIndex {
public:
    explicit NearestIndex(const std::vector<std::uint32_t>& palette) : palette_(palette) {}

    unsigned operator()(std::uint32_t pixel)
    {
        pixel &= 0x00FFFFFF;
        if (pixel == lastPixel_) {
            return lastIndex_;
        }
        lastPixel_ = pixel;
        lastIndex_ = Search(pixel);
        return lastIndex_;
    }

private:
    unsigned Search(std::uint32_t pixel)
    {
        const auto found = cache_.find(pixel);
        if (found != cache_.end()) {
            return found->second;
        }
        unsigned best = 0;
        long bestDistance = -1;
        for (unsigned index = 0; index < palette_.size(); ++index) {
            const long dr = static_cast<long>(pixel >> 16) - static_cast<long>(palette_[index] >> 16 & 0xFF);
            const long dg = static_cast<long>(pixel >> 8 & 0xFF) - static_cast<long>(palette_[index] >> 8 & 0xFF);
            const long db = static_cast<long>(pixel & 0xFF) - static_cast<long>(palette_[index] & 0xFF);
            const long distance = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || distance < bestDistance) {
                best = index;
                bestDistance = distance;
            }
        }
        cache_.emplace(pixel, best);
        return best;
    }

    const std::vector<std::uint32_t>& palette_;
    std::unordered_map<std::uint32_t, unsigned> cache_;
    std::uint32_t lastPixel_ = 0xFFFFFFFF;  // no pixel: pixels have a clear top byte here
    unsigned lastIndex_ = 0;
};

// The pixels x0 .. x1 - 1 of a row into its bits; pixels[x] is the pixel of column x.
void WritePixels(const std::uint32_t* pixels, int x0, int x1, int bitsPerPixel, NearestIndex& nearest, std::uint8_t* bits)
{
    switch (bitsPerPixel) {
    case 1:
        for (int x = x0; x < x1; ++x) {
            const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            bits[x / 8] = static_cast<std::uint8_t>((nearest(pixels[x]) & 1) ? bits[x / 8] | bit : bits[x / 8] & ~bit);
        }
        break;
    case 4:
        for (int x = x0; x < x1; ++x) {
            const auto index = static_cast<std::uint8_t>(nearest(pixels[x]) & 0x0F);
            bits[x / 2] = static_cast<std::uint8_t>(x % 2 ? (bits[x / 2] & 0xF0) | index : (bits[x / 2] & 0x0F) | index << 4);
        }
        break;
    case 8:
        for (int x = x0; x < x1; ++x) {
            bits[x] = static_cast<std::uint8_t>(nearest(pixels[x]));
        }
        break;
    case 16:
        for (int x = x0; x < x1; ++x) {
            const std::uint32_t pixel = pixels[x];
            const std::uint32_t value = (pixel >> 19 & 0x1F) << 10 | (pixel >> 11 & 0x1F) << 5 | (pixel >> 3 & 0x1F);
            bits[x * 2] = static_cast<std::uint8_t>(value);
            bits[x * 2 + 1] = static_cast<std::uint8_t>(value >> 8);
        }
        break;
    case 24:
        for (int x = x0; x < x1; ++x) {
            bits[x * 3] = static_cast<std::uint8_t>(pixels[x]);
            bits[x * 3 + 1] = static_cast<std::uint8_t>(pixels[x] >> 8);
            bits[x * 3 + 2] = static_cast<std::uint8_t>(pixels[x] >> 16);
        }
        break;
    default:
        std::memcpy(bits + static_cast<std::ptrdiff_t>(x0) * 4, pixels + x0, static_cast<std::size_t>(x1 - x0) * 4);
        break;
    }
}

void WriteRow(const std::uint32_t* pixels, int width, int bitsPerPixel, NearestIndex& nearest, std::uint8_t* bits)
{
    WritePixels(pixels, 0, width, bitsPerPixel, nearest, bits);
}

// The format of device-independent bits as a header describes them.
struct DibFormat {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    int rowBytes = 0;
    std::vector<std::uint32_t> palette;
};

bool ParseDib(const BITMAPINFO* info, UINT usage, DibFormat& format)
{
    if (!info || usage != DIB_RGB_COLORS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const bool standardMasks = header.biCompression == BI_BITFIELDS && header.biBitCount == 32 &&
                               reinterpret_cast<const DWORD*>(info->bmiColors)[0] == 0xFF0000 &&
                               reinterpret_cast<const DWORD*>(info->bmiColors)[1] == 0xFF00 &&
                               reinterpret_cast<const DWORD*>(info->bmiColors)[2] == 0xFF;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || !ValidDepth(header.biBitCount) || header.biWidth < 0 ||
        header.biHeight == std::numeric_limits<LONG>::min() || (header.biCompression != BI_RGB && !standardMasks)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    format.width = header.biWidth;
    format.height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    format.topDown = header.biHeight < 0;
    format.bitsPerPixel = header.biBitCount;
    format.rowBytes = DibRowBytes(format.width, format.bitsPerPixel);
    if (format.bitsPerPixel <= 8) {
        const DWORD most = 1u << format.bitsPerPixel;
        const DWORD count = header.biClrUsed && header.biClrUsed < most ? header.biClrUsed : most;
        const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const std::uint8_t*>(info) + header.biSize);
        for (DWORD index = 0; index < most; ++index) {
            const RGBQUAD entry = index < count ? table[index] : RGBQUAD{};
            format.palette.push_back(std::uint32_t{entry.rgbRed} << 16 | std::uint32_t{entry.rgbGreen} << 8 | entry.rgbBlue);
        }
    }
    return true;
}

void WriteColorTable(BITMAPINFO* info, const std::vector<std::uint32_t>& palette)
{
    auto* table = reinterpret_cast<RGBQUAD*>(reinterpret_cast<std::uint8_t*>(info) + info->bmiHeader.biSize);
    for (std::size_t index = 0; index < palette.size(); ++index) {
        table[index] = RGBQUAD{static_cast<BYTE>(palette[index]), static_cast<BYTE>(palette[index] >> 8),
                               static_cast<BYTE>(palette[index] >> 16), 0};
    }
}

HBITMAP AddBitmap(int width, int height, int bitsPerPixel, bool dibSection, bool topDown, BitmapObject** record)
{
    std::unique_ptr<BitmapObject> bitmap;
    try {
        bitmap = std::make_unique<BitmapObject>(width, height, bitsPerPixel, dibSection, topDown);
    } catch (const rtl::EOutOfResources&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    } catch (const rtl::EInvalidArgument&) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (record) {
        *record = bitmap.get();
    }
    return static_cast<HBITMAP>(AddObject(std::move(bitmap)));
}

constexpr int DdbRowBytes(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 15) / 16) * 2; }

}  // namespace

BitmapObject::BitmapObject(int width, int height, int bitsPerPixelValue, bool dibSectionValue, bool topDownValue)
    : GdiObject(OBJ_BITMAP), bitsPerPixel(bitsPerPixelValue), dibSection(dibSectionValue), topDown(topDownValue),
      palette(DefaultPalette(bitsPerPixelValue)), rowBytes(CheckedRowBytes(width, height, bitsPerPixelValue)),
      memory(AllocateBits(rowBytes, height)), surface(WorkingSurface(width, height, bitsPerPixel, topDown, memory))
{
    Reload();
}

BitmapObject::~BitmapObject()
{
    ForgetDirtyBitmap(*this);
}

namespace {

// The columns whose bits lie in the bytes that hold columns x0 .. x1 - 1.
void WholeBytes(int bitsPerPixel, int width, int& x0, int& x1)
{
    if (bitsPerPixel < 8) {
        const int perByte = 8 / bitsPerPixel;
        x0 = x0 / perByte * perByte;
        x1 = std::min(width, (x1 + perByte - 1) / perByte * perByte);
    }
}

}  // namespace

void BitmapObject::Reload()
{
    if (bitsPerPixel == 32) {
        return;
    }
    for (int y = 0; y < Height(); ++y) {
        ReadRow(BitsRow(y), bitsPerPixel, palette, Width(), surface.Row(y));
    }
    mirror.assign(Bits(), Bits() + static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(Height()));
    dirty = unsettled = RECT{};
}

void BitmapObject::Load(const RECT& wanted, bool reads)
{
    const RECT bounds = surface.Bounds();
    RECT area;
    if (bitsPerPixel == 32 || !IntersectRect(&area, &wanted, &bounds)) {
        return;
    }
    int x0 = area.left;
    int x1 = area.right;
    WholeBytes(bitsPerPixel, Width(), x0, x1);
    const std::size_t first = static_cast<std::size_t>(x0) * bitsPerPixel / 8;
    const std::size_t last = (static_cast<std::size_t>(x1) * bitsPerPixel + 7) / 8;
    // What the caller wrote since the bits and the surface last met wins over what was drawn there.
    for (int y = area.top; y < area.bottom; ++y) {
        const std::uint8_t* bits = BitsRow(y);
        std::uint8_t* known = mirror.data() + (bits - Bits());
        if (std::memcmp(bits + first, known + first, last - first) == 0) {
            continue;
        }
        for (std::size_t at = first; at < last;) {
            const auto [from, to] = std::mismatch(bits + at, bits + last, known + at);
            const auto start = static_cast<std::size_t>(from - bits);
            if (start == last) {
                break;
            }
            std::size_t end = start;
            while (end < last && bits[end] != known[end]) {
                ++end;
            }
            // The pixels with a bit in the changed bytes, and all of their bytes.
            const int p0 = static_cast<int>(start * 8 / static_cast<std::size_t>(bitsPerPixel));
            const int p1 = std::min(Width(), static_cast<int>((end * 8 + bitsPerPixel - 1) / static_cast<std::size_t>(bitsPerPixel)));
            ReadPixels(bits, bitsPerPixel, palette, p0, p1, surface.Row(y));
            const std::size_t b0 = static_cast<std::size_t>(p0) * bitsPerPixel / 8;
            const std::size_t b1 = (static_cast<std::size_t>(p1) * bitsPerPixel + 7) / 8;
            std::memcpy(known + b0, bits + b0, b1 - b0);
            at = b1;
        }
    }
    RECT settle;
    if (reads && IntersectRect(&settle, &unsettled, &area)) {
        Settle(settle);
        if (EqualRect(&settle, &unsettled)) {
            unsettled = RECT{};
        }
    }
}

void BitmapObject::Touch(const RECT& area)
{
    const RECT bounds = surface.Bounds();
    RECT part;
    if (bitsPerPixel == 32 || !IntersectRect(&part, &area, &bounds)) {
        return;
    }
    if (IsRectEmpty(&dirty)) {
        NoteDirtyBitmap(*this);
    }
    UnionRect(&dirty, &dirty, &part);
    UnionRect(&unsettled, &unsettled, &part);
}

void BitmapObject::Settle(const RECT& area)
{
    // Through the bits' own format and back: the colours the bits can hold, without changing them.
    NearestIndex nearest(palette);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes));
    int x0 = area.left;
    int x1 = area.right;
    WholeBytes(bitsPerPixel, Width(), x0, x1);
    for (int y = area.top; y < area.bottom; ++y) {
        std::uint32_t* pixels = surface.Row(y);
        std::memcpy(row.data(), BitsRow(y), row.size());
        WritePixels(pixels, x0, x1, bitsPerPixel, nearest, row.data());
        ReadPixels(row.data(), bitsPerPixel, palette, x0, x1, pixels);
    }
}

void BitmapObject::Flush()
{
    if (IsRectEmpty(&dirty)) {
        return;
    }
    NearestIndex nearest(palette);
    int x0 = dirty.left;
    int x1 = dirty.right;
    WholeBytes(bitsPerPixel, Width(), x0, x1);
    const std::size_t first = static_cast<std::size_t>(x0) * bitsPerPixel / 8;
    const std::size_t last = (static_cast<std::size_t>(x1) * bitsPerPixel + 7) / 8;
    for (int y = dirty.top; y < dirty.bottom; ++y) {
        std::uint8_t* bits = BitsRow(y);
        WritePixels(surface.Row(y), x0, x1, bitsPerPixel, nearest, bits);
        ReadPixels(bits, bitsPerPixel, palette, x0, x1, surface.Row(y));
        std::memcpy(mirror.data() + (bits - Bits()) + first, bits + first, last - first);
    }
    dirty = unsettled = RECT{};
    ForgetDirtyBitmap(*this);
}

BitmapObject* detail::FindBitmap(HBITMAP handle)
{
    return FindObjectOf<BitmapObject>(handle, OBJ_BITMAP);
}

int detail::GetBitmapObject(BitmapObject& bitmap, int size, void* buffer)
{
    bitmap.Flush();
    BITMAP record;
    record.bmWidth = bitmap.Width();
    record.bmHeight = bitmap.Height();
    record.bmWidthBytes = bitmap.dibSection ? bitmap.rowBytes : DdbRowBytes(bitmap.Width(), bitmap.bitsPerPixel);
    record.bmPlanes = 1;
    record.bmBitsPixel = static_cast<WORD>(bitmap.bitsPerPixel);
    if (!bitmap.dibSection) {
        return CopyObjectRecord(record, size, buffer);
    }
    record.bmBits = const_cast<std::uint8_t*>(bitmap.Bits());
    if (size < static_cast<int>(sizeof(DIBSECTION))) {
        return CopyObjectRecord(record, size, buffer);
    }
    DIBSECTION section;
    section.dsBm = record;
    section.dsBmih.biWidth = bitmap.Width();
    section.dsBmih.biHeight = bitmap.topDown ? -bitmap.Height() : bitmap.Height();
    section.dsBmih.biBitCount = static_cast<WORD>(bitmap.bitsPerPixel);
    section.dsBmih.biSizeImage = static_cast<DWORD>(bitmap.rowBytes * bitmap.Height());
    section.dsBmih.biClrUsed = static_cast<DWORD>(bitmap.palette.size());
    return CopyObjectRecord(section, size, buffer);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    // Device-dependent bitmaps of 16 bits are not kept: only DIB sections have that depth.
    if (planes != 1 || !ValidDepth(static_cast<int>(bitsPerPixel)) || bitsPerPixel == 16 || width < 0 || height < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (width == 0 || height == 0) {
        return DefaultBitmap();
    }
    auto lock = LockGdi();
    HBITMAP handle = AddBitmap(width, height, static_cast<int>(bitsPerPixel), false, true, nullptr);
    if (handle && bits) {
        SetBitmapBits(handle, static_cast<DWORD>(DdbRowBytes(width, static_cast<int>(bitsPerPixel)) * height), bits);
    }
    return handle;
}

HBITMAP CreateBitmapIndirect(const BITMAP* bitmap)
{
    if (!bitmap) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateBitmap(bitmap->bmWidth, bitmap->bmHeight, bitmap->bmPlanes, bitmap->bmBitsPixel, bitmap->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height)
{
    int depth = 32;
    {
        auto lock = LockGdi();
        if (dc) {
            const DeviceContext* context = FindDC(dc);
            if (!context) {
                return nullptr;
            }
            const BitmapObject* selected = SelectedBitmap(*context);
            if (selected && selected->bitsPerPixel == 1) {
                depth = 1;
            }
        }
    }
    return CreateBitmap(width, height, 1, static_cast<UINT>(depth), nullptr);
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD)
{
    DibFormat format;
    if (section || !ParseDib(info, usage, format) || format.width == 0 || format.height == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto lock = LockGdi();
    if (dc && !FindDC(dc)) {
        return nullptr;
    }
    BitmapObject* record = nullptr;
    HBITMAP handle = AddBitmap(format.width, format.height, format.bitsPerPixel, true, format.topDown, &record);
    if (!handle) {
        return nullptr;
    }
    if (format.bitsPerPixel <= 8) {
        record->palette = format.palette;
        record->Reload();
    }
    if (bits) {
        *bits = record->Bits();
    }
    return handle;
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage)
{
    if (!header) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    HBITMAP bitmap = CreateCompatibleBitmap(nullptr, header->biWidth, height);
    if (!bitmap || !(init & CBM_INIT)) {
        return bitmap;
    }
    if (!bits || !info || SetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bits, info, usage) == 0) {
        DeleteObject(bitmap);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return bitmap;
}

LONG GetBitmapBits(HBITMAP handle, LONG size, void* bits)
{
    auto lock = LockGdi();
    BitmapObject* bitmap = FindBitmap(handle);
    if (!bitmap || size < 0) {
        return 0;
    }
    const int row = DdbRowBytes(bitmap->Width(), bitmap->bitsPerPixel);
    if (!bits) {
        return row * bitmap->Height();
    }
    bitmap->Flush();
    auto* out = static_cast<std::uint8_t*>(bits);
    LONG copied = 0;
    for (int y = 0; y < bitmap->Height() && copied + row <= size; ++y) {
        std::memcpy(out + copied, bitmap->BitsRow(y), static_cast<std::size_t>(row));
        copied += row;
    }
    return copied;
}

LONG SetBitmapBits(HBITMAP handle, DWORD size, const void* bits)
{
    auto lock = LockGdi();
    BitmapObject* bitmap = FindBitmap(handle);
    if (!bitmap || !bits) {
        return 0;
    }
    const auto row = static_cast<DWORD>(DdbRowBytes(bitmap->Width(), bitmap->bitsPerPixel));
    const auto* in = static_cast<const std::uint8_t*>(bits);
    bitmap->Flush();
    DWORD copied = 0;
    for (int y = 0; y < bitmap->Height() && copied + row <= size; ++y) {
        std::memcpy(bitmap->BitsRow(y), in + copied, row);
        copied += row;
    }
    bitmap->Load();
    return static_cast<LONG>(copied);
}

int GetDIBits(HDC dc, HBITMAP handle, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage)
{
    auto lock = LockGdi();
    BitmapObject* bitmap = FindBitmap(handle);
    if (!bitmap || !info || (dc && !FindDC(dc))) {
        return 0;
    }
    BITMAPINFOHEADER& header = info->bmiHeader;
    if (!bits && header.biBitCount == 0) {
        header.biWidth = bitmap->Width();
        header.biHeight = bitmap->Height();
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(bitmap->bitsPerPixel);
        header.biCompression = BI_RGB;
        header.biSizeImage = static_cast<DWORD>(DibRowBytes(bitmap->Width(), bitmap->bitsPerPixel) * bitmap->Height());
        header.biClrUsed = 0;
        return bitmap->Height();
    }
    DibFormat format;
    if (!ParseDib(info, usage, format)) {
        return 0;
    }
    const int width = bitmap->Width();
    const int rowBytes = DibRowBytes(width, format.bitsPerPixel);
    header.biWidth = width;
    header.biSizeImage = static_cast<DWORD>(rowBytes * bitmap->Height());
    header.biClrUsed = 0;
    const bool sameTable = format.bitsPerPixel == bitmap->bitsPerPixel && format.bitsPerPixel <= 8;
    const std::vector<std::uint32_t> table = sameTable ? bitmap->palette : DefaultPalette(format.bitsPerPixel);
    WriteColorTable(info, table);
    if (!bits) {
        return bitmap->Height();
    }
    bitmap->Load();
    bitmap->Flush();
    NearestIndex nearest(table);
    auto* out = static_cast<std::uint8_t*>(bits);
    int copied = 0;
    for (UINT line = 0; line < lines; ++line) {
        const auto scan = static_cast<std::int64_t>(start) + line;
        if (scan >= bitmap->Height()) {
            break;
        }
        const int y = format.topDown ? static_cast<int>(scan) : bitmap->Height() - 1 - static_cast<int>(scan);
        std::uint8_t* row = out + static_cast<std::ptrdiff_t>(line) * rowBytes;
        if (sameTable) {
            std::memcpy(row, bitmap->BitsRow(y), static_cast<std::size_t>(rowBytes));
        } else {
            WriteRow(bitmap->surface.Row(y), width, format.bitsPerPixel, nearest, row);
        }
        ++copied;
    }
    return copied;
}

int SetDIBits(HDC dc, HBITMAP handle, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
    auto lock = LockGdi();
    BitmapObject* bitmap = FindBitmap(handle);
    DibFormat format;
    if (!bitmap || (dc && !FindDC(dc)) || !bits || !ParseDib(info, usage, format)) {
        return 0;
    }
    bitmap->Load();
    const int width = std::min(format.width, bitmap->Width());
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(format.width));
    const auto* in = static_cast<const std::uint8_t*>(bits);
    int copied = 0;
    for (UINT line = 0; line < lines; ++line) {
        const auto scan = static_cast<std::int64_t>(start) + line;
        if (scan >= format.height) {
            break;
        }
        const int y = format.topDown ? static_cast<int>(scan) : format.height - 1 - static_cast<int>(scan);
        ReadRow(in + static_cast<std::ptrdiff_t>(line) * format.rowBytes, format.bitsPerPixel, format.palette,
                format.width, pixels.data());
        if (y < bitmap->Height()) {
            std::copy(pixels.begin(), pixels.begin() + width, bitmap->surface.Row(y));
        }
        ++copied;
    }
    bitmap->Touch(bitmap->surface.Bounds());
    bitmap->Flush();
    return copied;
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop)
{
    DibFormat format;
    if (!bits || !ParseDib(info, usage, format)) {
        return 0;
    }
    return WithDC(dc, 0, [&](DeviceContext& context) {
        return context.Drawing().StretchDIBits(context, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight,
                                               bits, info, rop);
    });
}

int RasterDevice::StretchDIBits(DeviceContext& context, int x, int y, int width, int height, int sourceX, int sourceY,
                                int sourceWidth, int sourceHeight, const void* bits, const BITMAPINFO* info, DWORD rop)
{
    DibFormat format;
    ParseDib(info, DIB_RGB_COLORS, format);
    std::unique_ptr<Surface> source;
    try {
        source = std::make_unique<Surface>(format.width, format.height);
    } catch (const rtl::Exception&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    const auto* in = static_cast<const std::uint8_t*>(bits);
    for (int row = 0; row < format.height; ++row) {
        const int top = format.topDown ? row : format.height - 1 - row;
        ReadRow(in + static_cast<std::ptrdiff_t>(row) * format.rowBytes, format.bitsPerPixel, format.palette,
                format.width, source->Row(top));
    }
    // Bottom-up bits count the source rectangle from their bottom row. A rectangle whose top is then
    // beyond an int lies wholly outside the bits.
    const std::int64_t top = format.topDown ? sourceY : std::int64_t{format.height} - sourceY - sourceHeight;
    if (top < std::numeric_limits<int>::min() || top > std::numeric_limits<int>::max()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    BlitSource from;
    from.surface = source.get();
    if (!StretchSurface(context, x, y, width, height, from, sourceX, static_cast<int>(top), sourceWidth, sourceHeight,
                        rop)) {
        return 0;
    }
    // The lines of the source rectangle; the most negative height has no positive int of its own.
    return static_cast<int>(std::min<std::int64_t>(std::llabs(std::int64_t{sourceHeight}), std::numeric_limits<int>::max()));
}

}  // namespace win
