#include "platform/win/Icon.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/imaging/BmpCodec.h"
#include "platform/imaging/PngCodec.h"
#include "platform/win/Cursor.h"
#include "platform/win/detail/Cursor.h"

#include <map>
#include <mutex>
#include <string_view>

namespace win {

using namespace detail;

namespace {

struct Icons {
    std::mutex mutex;
    std::map<WORD, HICON> system;
    IconResourceLoader loader;
};

Icons& TheIcons()
{
    static Icons icons;
    return icons;
}

constexpr WORD SystemIconIds[] = {32512, 32513, 32514, 32515, 32516, 32517};
constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);

int MaskStride(int width)
{
    return (width + 15) / 16 * 2;
}

// Masks in the rows CreateBitmap takes for one bit per pixel.
std::vector<BYTE> MaskOf(const std::vector<std::uint32_t>& argb, int width, int height)
{
    const int stride = MaskStride(width);
    std::vector<BYTE> mask(std::size_t(stride) * std::size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((argb[std::size_t(y) * std::size_t(width) + std::size_t(x)] >> 24) == 0) {
                mask[std::size_t(y) * std::size_t(stride) + std::size_t(x / 8)] |= BYTE(0x80 >> (x % 8));
            }
        }
    }
    return mask;
}

// classic: a bitmap of fewer than 32 bits, whose colour under the mask is kept to be XORed on drawing;
// any other picture is transparent where its alpha is 0 and blends where the alpha is partial.
CursorShape ShapeFromImage(const Image& image, bool classic)
{
    CursorShape shape;
    shape.size = SIZE{image.Width(), image.Height()};
    shape.colour = image.Pixels();
    shape.andMask = MaskOf(shape.colour, image.Width(), image.Height());
    for (std::uint32_t& pixel : shape.colour) {
        const std::uint32_t alpha = pixel >> 24;
        shape.alpha = shape.alpha || (alpha != 0 && alpha != 255);
        if (alpha == 0 && !classic) {
            pixel = 0;
        }
    }
    return shape;
}

// The nearest source pixel under each pixel of a width x height picture.
Image Resized(const Image& image, int width, int height)
{
    Image result(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            result.SetPixel(x, y, image.Pixel(x * image.Width() / width, y * image.Height() / height));
        }
    }
    result.SetHasAlpha(image.HasAlpha());
    return result;
}

int DibBitCount(std::string_view dib)
{
    if (dib.size() < 16) {
        return 0;
    }
    const auto byte = [&](std::size_t at) { return static_cast<int>(static_cast<std::uint8_t>(dib[at])); };
    const int headerSize = byte(0) | byte(1) << 8;
    return headerSize == 12 ? (byte(10) | byte(11) << 8) : (byte(14) | byte(15) << 8);
}

HBITMAP MonoBitmap(int width, int height, const std::vector<BYTE>& rows)
{
    return CreateBitmap(width, height, 1, 1, rows.data());
}

// A 32-bit bitmap of the pixels; premultiplied for AlphaBlend, or with the alpha bytes kept or zeroed.
enum class Alpha { Zero, Straight, Premultiplied };
HBITMAP ColourBitmap(int width, int height, const std::vector<std::uint32_t>& argb, Alpha alpha)
{
    std::uint32_t* out = nullptr;
    HBITMAP bitmap = NewColourSection(width, height, &out);
    if (!bitmap) {
        return nullptr;
    }
    for (std::size_t i = 0; i < argb.size(); ++i) {
        std::uint32_t pixel = argb[i];
        const std::uint32_t a = pixel >> 24;
        if (alpha == Alpha::Premultiplied) {
            const auto scale = [a](std::uint32_t c) { return (c * a + 127) / 255; };
            pixel = a << 24 | scale(pixel >> 16 & 0xFF) << 16 | scale(pixel >> 8 & 0xFF) << 8 | scale(pixel & 0xFF);
        } else if (alpha == Alpha::Zero) {
            pixel &= 0x00FFFFFF;
        }
        out[i] = pixel;
    }
    return bitmap;
}

// The picture drawn at width x height: the one of that size, else the icon's own.
const CursorShape& SizeFor(const CursorShape& shape, int width, int height)
{
    for (const CursorShape& other : shape.otherSizes) {
        if (other.size.cx == width && other.size.cy == height) {
            return other;
        }
    }
    return shape;
}

BOOL Blit(HDC dc, int x, int y, int cx, int cy, HDC source, HBITMAP bitmap, const SIZE& size, DWORD rop)
{
    if (!bitmap) {
        return FALSE;
    }
    HGDIOBJ old = SelectObject(source, bitmap);
    const BOOL done = StretchBlt(dc, x, y, cx, cy, source, 0, 0, size.cx, size.cy, rop);
    SelectObject(source, old);
    DeleteObject(bitmap);
    return done;
}

BOOL DrawShape(HDC dc, int x, int y, int cx, int cy, const CursorShape& shape, UINT flags)
{
    HDC source = CreateCompatibleDC(nullptr);
    if (!source) {
        return FALSE;
    }
    BOOL done = TRUE;
    const SIZE size = shape.size;
    if (shape.alpha && (flags & DI_NORMAL) == DI_NORMAL) {
        HBITMAP colour = ColourBitmap(size.cx, size.cy, shape.colour, Alpha::Premultiplied);
        HGDIOBJ old = colour ? SelectObject(source, colour) : nullptr;
        done = colour && AlphaBlend(dc, x, y, cx, cy, source, 0, 0, size.cx, size.cy,
                                    BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
        if (colour) {
            SelectObject(source, old);
            DeleteObject(colour);
        }
    } else {
        // Monochrome sources paint their 0 bits in the text colour and their 1 bits in the background.
        const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
        const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
        const bool both = (flags & DI_NORMAL) == DI_NORMAL;
        if (flags & DI_MASK) {
            done = Blit(dc, x, y, cx, cy, source, MonoBitmap(size.cx, size.cy, shape.andMask), size,
                        both ? SRCAND : SRCCOPY);
        }
        if (done && (flags & DI_IMAGE)) {
            HBITMAP image = shape.colour.empty() ? MonoBitmap(size.cx, size.cy, shape.xorMask)
                                                 : ColourBitmap(size.cx, size.cy, shape.colour, Alpha::Zero);
            done = Blit(dc, x, y, cx, cy, source, image, size, both ? SRCINVERT : SRCCOPY);
        }
        SetTextColor(dc, text);
        SetBkColor(dc, back);
    }
    DeleteDC(source);
    return done;
}

bool FindShape(HICON icon, CursorShape& shape)
{
    if (!GetCursorShape(icon, shape)) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return false;
    }
    return true;
}

// The bits of a bitmap as one bit per pixel in CreateBitmap's rows.
bool ReadMask(HBITMAP bitmap, int width, int height, std::vector<BYTE>& rows)
{
    rows.assign(std::size_t(MaskStride(width)) * std::size_t(height), 0);
    BITMAP info;
    if (!GetObject(bitmap, sizeof info, &info)) {
        return false;
    }
    if (info.bmBitsPixel == 1) {
        return GetBitmapBits(bitmap, LONG(rows.size()), rows.data()) == LONG(rows.size());
    }
    // A deeper mask: white is transparent.
    std::vector<std::uint32_t> pixels;
    if (!ReadPixels(bitmap, width, height, pixels)) {
        return false;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] & 0x00FFFFFF) == 0x00FFFFFF) {
                rows[std::size_t(y) * std::size_t(MaskStride(width)) + std::size_t(x / 8)] |= BYTE(0x80 >> (x % 8));
            }
        }
    }
    return true;
}

}  // namespace

HBITMAP detail::NewColourSection(int width, int height, std::uint32_t** pixels)
{
    BITMAPINFO info;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    *pixels = static_cast<std::uint32_t*>(bits);
    return bitmap;
}

bool detail::ReadPixels(HBITMAP bitmap, int width, int height, std::vector<std::uint32_t>& pixels)
{
    BITMAPINFO info;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biBitCount = 32;
    pixels.assign(std::size_t(width) * std::size_t(height), 0);
    HDC screen = CreateCompatibleDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(screen);
    return rows == height;
}

void detail::ResetIcons()
{
    Icons& icons = TheIcons();
    std::lock_guard lock(icons.mutex);
    icons.system.clear();
    icons.loader = nullptr;
    for (WORD id : SystemIconIds) {
        CursorShape shape = SystemIconShape(id);
        shape.systemId = id;
        icons.system[id] = AddCursorShape(std::move(shape));
    }
}

HICON LoadIcon(HINSTANCE instance, const char* name)
{
    Icons& icons = TheIcons();
    IconResourceLoader loader;
    {
        std::lock_guard lock(icons.mutex);
        if (!instance && IS_INTRESOURCE(name)) {
            auto it = icons.system.find(static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name)));
            if (it != icons.system.end()) {
                return it->second;
            }
        }
        loader = icons.loader;
    }
    HICON icon = instance && loader ? loader(instance, name) : nullptr;
    if (!icon) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    }
    return icon;
}

void SetIconResourceLoader(IconResourceLoader loader)
{
    Icons& icons = TheIcons();
    std::lock_guard lock(icons.mutex);
    icons.loader = std::move(loader);
}

HICON CreateIconFromResourceEx(const BYTE* bits, DWORD size, BOOL icon, DWORD version, int cx, int cy, UINT flags)
{
    const DWORD hotSpotBytes = icon ? 0 : 4;
    if (!bits || version != 0x00030000 || size <= hotSpotBytes || cx < 0 || cy < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::string_view data(reinterpret_cast<const char*>(bits) + hotSpotBytes, size - hotSpotBytes);
    CursorShape shape;
    try {
        const bool png = data.starts_with(kPngSignature);
        Image image = png ? ReadPng(data) : ReadIconDib(data);
        if (flags & LR_DEFAULTSIZE) {
            cx = cx ? cx : GetSystemMetrics(icon ? SM_CXICON : SM_CXCURSOR);
            cy = cy ? cy : GetSystemMetrics(icon ? SM_CYICON : SM_CYCURSOR);
        }
        if ((cx && cx != image.Width()) || (cy && cy != image.Height())) {
            image = Resized(image, cx ? cx : image.Width(), cy ? cy : image.Height());
        }
        shape = ShapeFromImage(image, !png && DibBitCount(data) < 32);
    } catch (const rtl::Exception&) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    shape.icon = icon != FALSE;
    shape.shared = (flags & LR_SHARED) != 0;
    if (!icon) {
        shape.hotSpot = POINT{bits[0] | bits[1] << 8, bits[2] | bits[3] << 8};
    }
    return AddCursorShape(std::move(shape));
}

HICON CreateIconIndirect(const ICONINFO* info)
{
    BITMAP mask;
    if (!info || !info->hbmMask || !GetObject(info->hbmMask, sizeof mask, &mask)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    CursorShape shape;
    shape.icon = info->fIcon != FALSE;
    shape.hotSpot = info->fIcon ? POINT{} : POINT{LONG(info->xHotspot), LONG(info->yHotspot)};
    if (info->hbmColor) {
        BITMAP colour;
        if (!GetObject(info->hbmColor, sizeof colour, &colour) || !ReadPixels(info->hbmColor, colour.bmWidth,
                                                                               colour.bmHeight, shape.colour)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        shape.size = SIZE{colour.bmWidth, colour.bmHeight};
        if (colour.bmBitsPixel == 32) {
            for (std::uint32_t pixel : shape.colour) {
                shape.alpha = shape.alpha || (pixel >> 24) != 0;
            }
        }
        if (!ReadMask(info->hbmMask, colour.bmWidth, colour.bmHeight, shape.andMask)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
    } else {
        // AND mask above XOR mask.
        std::vector<BYTE> both;
        if (mask.bmHeight < 2 || !ReadMask(info->hbmMask, mask.bmWidth, mask.bmHeight, both)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        shape.size = SIZE{mask.bmWidth, mask.bmHeight / 2};
        const std::size_t half = std::size_t(MaskStride(mask.bmWidth)) * std::size_t(shape.size.cy);
        shape.andMask.assign(both.begin(), both.begin() + std::ptrdiff_t(half));
        shape.xorMask.assign(both.begin() + std::ptrdiff_t(half), both.begin() + std::ptrdiff_t(2 * half));
    }
    return AddCursorShape(std::move(shape));
}

BOOL GetIconInfo(HICON icon, ICONINFO* info)
{
    CursorShape shape;
    if (!info || !FindShape(icon, shape)) {
        return FALSE;
    }
    ICONINFO result;
    result.fIcon = shape.icon ? TRUE : FALSE;
    result.xHotspot = DWORD(shape.hotSpot.x);
    result.yHotspot = DWORD(shape.hotSpot.y);
    if (shape.colour.empty()) {
        std::vector<BYTE> both = shape.andMask;
        both.insert(both.end(), shape.xorMask.begin(), shape.xorMask.end());
        result.hbmMask = MonoBitmap(shape.size.cx, shape.size.cy * 2, both);
    } else {
        result.hbmMask = MonoBitmap(shape.size.cx, shape.size.cy, shape.andMask);
        result.hbmColor = ColourBitmap(shape.size.cx, shape.size.cy, shape.colour,
                                       shape.alpha ? Alpha::Straight : Alpha::Zero);
    }
    *info = result;
    return TRUE;
}

HICON CopyIcon(HICON icon)
{
    CursorShape shape;
    if (!FindShape(icon, shape)) {
        return nullptr;
    }
    shape.systemId = 0;
    shape.shared = false;
    return AddCursorShape(std::move(shape));
}

BOOL DestroyIcon(HICON icon)
{
    return DestroyCursor(icon);
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH, UINT flags)
{
    CursorShape shape;
    if (!FindShape(icon, shape) || (flags & DI_NORMAL) == 0) {
        return FALSE;
    }
    if (cx == 0) {
        cx = flags & DI_DEFAULTSIZE ? GetSystemMetrics(shape.icon ? SM_CXICON : SM_CXCURSOR) : shape.size.cx;
    }
    if (cy == 0) {
        cy = flags & DI_DEFAULTSIZE ? GetSystemMetrics(shape.icon ? SM_CYICON : SM_CYCURSOR) : shape.size.cy;
    }
    return DrawShape(dc, x, y, cx, cy, SizeFor(shape, cx, cy), flags);
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon)
{
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

}  // namespace win
