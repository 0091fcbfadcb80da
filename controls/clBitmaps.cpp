#include "controls/clBitmaps.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/gdi/Blit.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace controls {

namespace {

constexpr std::int64_t kHeaderSize = 10;
constexpr char kSignature[4] = {'X', 'D', 'B', 'M'};
constexpr std::size_t kLongestRun = 125;

[[noreturn]] void DamagedPackedData()
{
    throw rtl::EReadError("damaged packed bitmap data");
}

// The length of the run that starts at data[start]: equal bytes for a repeat run, else bytes that each
// differ from the one before, leaving a pair of equal bytes to start the next run.
std::size_t CountRun(std::string_view data, std::size_t start, bool repeat)
{
    std::size_t count = 1;
    while (count < kLongestRun && start + count < data.size()) {
        const bool same = data[start + count] == data[start + count - 1];
        if (repeat != same) {
            if (!repeat)
                --count;
            break;
        }
        ++count;
    }
    return count;
}

}  // namespace

TclRGBQuad clColorToBGRA(gui::TColor color, std::uint8_t alpha)
{
    const win::COLORREF rgb = gui::ColorToRGB(color);
    return TclRGBQuad{win::GetBValue(rgb), win::GetGValue(rgb), win::GetRValue(rgb), alpha};
}

win::COLORREF clPixelRGB(const TclRGBQuad& pixel)
{
    return win::RGB(pixel.Red, pixel.Green, pixel.Blue);
}

namespace {

std::uint8_t RoundByte(double value)
{
    return std::uint8_t(std::clamp(std::lrint(value), 0L, 255L));
}

std::uint32_t PixelValue(const TclRGBQuad& p)
{
    return std::uint32_t(p.Blue) | std::uint32_t(p.Green) << 8 | std::uint32_t(p.Red) << 16 |
           std::uint32_t(p.Alpha) << 24;
}

TclRGBQuad PixelOfValue(std::uint32_t v)
{
    return TclRGBQuad{std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}

TclRGBQuad Grey(TclRGBQuad p, double red, double green, double blue)
{
    const std::uint8_t grey = RoundByte(p.Red * red + p.Green * green + p.Blue * blue);
    p.Red = p.Green = p.Blue = grey;
    return p;
}

}  // namespace

TclRGBQuad clBlendPixel(const TclRGBQuad& s, const TclRGBQuad& d, std::uint8_t constantAlpha)
{
    const double c = constantAlpha / 255.0;
    const double a = c * s.Alpha;
    const double e = 1 - a / 255;
    return TclRGBQuad{RoundByte(c * s.Blue + e * d.Blue), RoundByte(c * s.Green + e * d.Green),
                      RoundByte(c * s.Red + e * d.Red), RoundByte(a + e * d.Alpha)};
}

std::vector<TclRGBQuad> clGetBitmapPixels(gui::TBitmap& bitmap, bool topDown)
{
    gui::TBitmap copy;
    gui::TBitmap* source = &bitmap;
    if (bitmap.PixelFormat() != gui::pf32bit) {
        copy.Assign(&bitmap);
        copy.SetPixelFormat(gui::pf32bit);
        source = &copy;
    }
    const int width = source->Width();
    const int height = source->Height();
    std::vector<TclRGBQuad> pixels(std::size_t(width) * std::size_t(height));
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        std::memcpy(&pixels[std::size_t(row) * std::size_t(width)], source->ScanLine(y),
                    std::size_t(width) * sizeof(TclRGBQuad));
    }
    return pixels;
}

void clPutBitmapPixels(gui::TBitmap& bitmap, const std::vector<TclRGBQuad>& pixels, bool topDown)
{
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    if (bitmap.PixelFormat() != gui::pf32bit)
        bitmap.SetPixelFormat(gui::pf32bit);
    if (pixels.size() != std::size_t(width) * std::size_t(height))
        throw gui::EInvalidGraphicOperation("The pixels do not match the bitmap's size");
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        std::memcpy(bitmap.ScanLine(y), &pixels[std::size_t(row) * std::size_t(width)],
                    std::size_t(width) * sizeof(TclRGBQuad));
    }
}

std::unique_ptr<gui::TBitmap> clCreateBitmapSized(int width, int height, gui::TPixelFormat format)
{
    auto bitmap = std::make_unique<gui::TBitmap>();
    bitmap->SetPixelFormat(format);
    bitmap->SetSize(width, height);
    return bitmap;
}

std::unique_ptr<gui::TBitmap> clCreateBitmapForRect(const win::RECT& rect, gui::TPixelFormat format)
{
    return clCreateBitmapSized(clRectGetWidth(rect), clRectGetHeight(rect), format);
}

win::BITMAPINFO clInitDIBHeader(int width, int height)
{
    win::BITMAPINFO info;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biSizeImage = win::DWORD(std::max(width, 0)) * win::DWORD(std::max(height, 0)) * 4;
    return info;
}

void clCopyDCToBitmap(gui::TBitmap& bitmap, win::HDC dc, const win::RECT& rect)
{
    bitmap.SetSize(clRectGetWidth(rect), clRectGetHeight(rect));
    win::BitBlt(bitmap.Canvas()->Handle(), 0, 0, bitmap.Width(), bitmap.Height(), dc, rect.left, rect.top,
                win::SRCCOPY);
}

void clStretchBitmap(win::HDC dc, const win::RECT& rect, gui::TBitmap& bitmap, win::DWORD rop)
{
    if (bitmap.Empty())
        return;
    win::StretchBlt(dc, rect.left, rect.top, clRectGetWidth(rect), clRectGetHeight(rect), bitmap.Canvas()->Handle(), 0,
                    0, bitmap.Width(), bitmap.Height(), rop);
}

void clBlitBitmapToDC(win::HDC dc, const win::RECT& rect, gui::TBitmap& bitmap, win::DWORD rop)
{
    const int width = std::min(clRectGetWidth(rect), bitmap.Width());
    const int height = std::min(clRectGetHeight(rect), bitmap.Height());
    if (width <= 0 || height <= 0)
        return;
    win::BitBlt(dc, rect.left, rect.top, width, height, bitmap.Canvas()->Handle(), 0, 0, rop);
}

std::string PackBitmapRuns(std::string_view data)
{
    std::string runs;
    std::size_t i = 0;
    while (i < data.size()) {
        const bool repeat = i + 1 < data.size() && data[i + 1] == data[i];
        const std::size_t count = CountRun(data, i, repeat);
        if (repeat) {
            runs += char(count);
            runs += data[i];
        } else {
            runs += char(count + 0x80);
            runs.append(data.substr(i, count));
        }
        i += count;
    }
    return runs;
}

std::string UnpackBitmapRuns(std::string_view runs)
{
    std::string data;
    std::size_t i = 0;
    while (i < runs.size()) {
        const auto head = static_cast<unsigned char>(runs[i++]);
        if (head & 0x80) {
            const std::size_t count = head & 0x7F;
            if (count > runs.size() - i)
                DamagedPackedData();
            data.append(runs.substr(i, count));
            i += count;
        } else {
            if (i >= runs.size())
                DamagedPackedData();
            data.append(head, runs[i++]);
        }
    }
    return data;
}

// TclCustomBitmap

TclCustomBitmap::TclCustomBitmap(int width, int height, gui::TPixelFormat format)
    : clCanvas_(std::make_unique<TclCanvas>(Canvas()))
{
    LockChanges();
    SetSize(width, height);
    SetPixelFormat(format);
    UnlockChanges(true);
}

TclCustomBitmap::~TclCustomBitmap() = default;

const classes::TClassInfo& TclCustomBitmap::StaticClass()
{
    static const classes::TClassInfo info("TclCustomBitmap", &gui::TBitmap::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TclCustomBitmap>{c}; });
    return info;
}

void TclCustomBitmap::LockChanges()
{
    ++lockCount_;
}

void TclCustomBitmap::UnlockChanges(bool force)
{
    if (lockCount_ == 0)
        return;
    if (--lockCount_ == 0 && (force || changedWhileLocked_))
        Changed(this);
}

void TclCustomBitmap::Changed(classes::TObject* sender)
{
    if (lockCount_ > 0) {
        changedWhileLocked_ = true;
        return;
    }
    gui::TBitmap::Changed(sender);
    HandleBitmapChanged();
    changedWhileLocked_ = false;
}

std::unique_ptr<TclCustomBitmap> TclCustomBitmap::CreateSized(int width, int height, gui::TPixelFormat format) const
{
    return std::make_unique<TclCustomBitmap>(width, height, format);
}

void TclCustomBitmap::EraseContent()
{
    clCanvas_->FillRectColor(GetFullRect(), gui::clBlack);
}

void TclCustomBitmap::CopyBitmapRop(gui::TBitmap& source, win::DWORD rop)
{
    const win::RECT all{0, 0, source.Width(), source.Height()};
    CopyRectRop(all, source, all, rop);
}

void TclCustomBitmap::CopyRectRop(const win::RECT& destRect, gui::TBitmap& source, const win::RECT& sourceRect,
                                  win::DWORD rop)
{
    const int width = clRectGetWidth(destRect);
    const int height = clRectGetHeight(destRect);
    if (width <= 0 || height <= 0 || clRectGetWidth(sourceRect) <= 0 || clRectGetHeight(sourceRect) <= 0)
        return;
    win::StretchBlt(Canvas()->Handle(), destRect.left, destRect.top, width, height, source.Canvas()->Handle(),
                    sourceRect.left, sourceRect.top, clRectGetWidth(sourceRect), clRectGetHeight(sourceRect), rop);
}

void TclCustomBitmap::SetSize(int width, int height)
{
    LockChanges();
    gui::TBitmap::SetSize(width, height);
    UnlockChanges();
}

void TclCustomBitmap::RotateFlip(int rotation, bool flip)
{
    TclCanvas::RotateFlipBitmap(this, rotation, flip);
}

void TclCustomBitmap::ReadData(rtl::TStream& stream)
{
    const std::int64_t start = stream.Position();
    const std::int64_t available = stream.Size() - start;
    if (available >= kHeaderSize) {
        std::array<char, kHeaderSize> header{};
        stream.ReadBuffer(header.data(), kHeaderSize);
        if (std::memcmp(header.data() + 4, kSignature, 4) == 0) {
            std::int32_t length = 0;
            std::memcpy(&length, header.data(), 4);
            if (length < 0 || length > available - kHeaderSize)
                DamagedPackedData();
            std::string runs(std::size_t(length), '\0');
            stream.ReadBuffer(runs.data(), length);
            const std::string data = UnpackBitmapRuns(runs);
            rtl::TMemoryStream plain;
            plain.WriteBuffer(data.data(), std::int64_t(data.size()));
            plain.SetPosition(0);
            return gui::TBitmap::ReadData(plain);
        }
        stream.SetPosition(start);
    }
    gui::TBitmap::ReadData(stream);
}

void TclCustomBitmap::WriteData(rtl::TStream& stream)
{
    if (!compressData_)
        return gui::TBitmap::WriteData(stream);
    rtl::TMemoryStream plain;
    gui::TBitmap::WriteData(plain);
    const std::string runs = PackBitmapRuns(std::string_view(plain.Memory(), std::size_t(plain.Size())));
    const auto length = std::int32_t(runs.size());
    const std::uint16_t version = 1;
    stream.WriteBuffer(&length, 4);
    stream.WriteBuffer(kSignature, 4);
    stream.WriteBuffer(&version, 2);
    stream.WriteBuffer(runs.data(), length);
}

// TclBitmap

TclBitmap::TclBitmap(int width, int height, std::uint32_t transparentPixel)
    : TclCustomBitmap(0, 0, gui::pf32bit), transparentPixel_(transparentPixel)
{
    SetSize(width, height);
}

const classes::TClassInfo& TclBitmap::StaticClass()
{
    static const classes::TClassInfo info("TclBitmap", &TclCustomBitmap::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TclBitmap>{c}; });
    return info;
}

bool TclBitmap::IsTransparentPixel(const TclRGBQuad& pixel) const
{
    return PixelValue(pixel) == transparentPixel_ ||
           std::find(transparentColors_.begin(), transparentColors_.end(), clPixelRGB(pixel)) !=
               transparentColors_.end();
}

void TclBitmap::SetHatch(gui::TColor color1, std::uint8_t alpha1, gui::TColor color2, std::uint8_t alpha2, int size)
{
    hatchColor1_ = color1;
    hatchAlpha1_ = alpha1;
    hatchColor2_ = color2;
    hatchAlpha2_ = alpha2;
    hatchSize_ = std::max(size, 1);
}

TclRGBQuad TclBitmap::OperatedPixel(TclPixelOp op, TclRGBQuad p, int x, int y) const
{
    const bool keep = IsTransparentPixel(p);
    switch (op) {
    case clpoLighten:
        if (keep)
            return p;
        if (p.Alpha == 255) {
            for (std::uint8_t* c : {&p.Red, &p.Green, &p.Blue})
                *c = std::uint8_t(*c + win::MulDiv(255 - *c, 3, 10));
        } else {
            for (std::uint8_t* c : {&p.Blue, &p.Green, &p.Red, &p.Alpha})
                *c = std::uint8_t(win::MulDiv(*c, 200, 255));
        }
        return p;
    case clpoDirty:
        return keep ? p : clBlendPixel(clColorToBGRA(gui::clBtnShadow, 0xC0), Grey(p, 0.299, 0.587, 0.114), 238);
    case clpoAverageGrey:
        if (!keep)
            p.Red = p.Green = p.Blue = std::uint8_t((p.Red + p.Green + p.Blue) / 3);
        return p;
    case clpoOpaque: p.Alpha = 255; return p;
    case clpoMask: return PixelOfValue(keep ? 0xFFFFFFFF : 0);
    case clpoFadeGrey: return keep ? p : Grey(p, 0.299, 0.587, 0.114);
    case clpoDisableGrey: return keep ? p : Grey(p, 0.0729, 0.7146, 0.2125);
    case clpoOpaqueUnlessTransparent:
        if (!keep && p.Alpha == 0)
            p.Alpha = 255;
        return p;
    case clpoHatch: {
        const bool second = (x / hatchSize_ + y / hatchSize_) % 2 != 0;
        return clBlendPixel(clColorToBGRA(second ? hatchColor2_ : hatchColor1_, 255), p,
                            second ? hatchAlpha2_ : hatchAlpha1_);
    }
    case clpoFill: return PixelOfValue(transparentPixel_);
    }
    return p;
}

void TclBitmap::ApplyPixelOp(TclPixelOp op)
{
    std::vector<TclRGBQuad> pixels = clGetBitmapPixels(*this);
    const int width = Width();
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = OperatedPixel(op, pixels[i], int(i % std::size_t(width)), int(i / std::size_t(width)));
    clPutBitmapPixels(*this, pixels);
    Changed(this);
}

std::unique_ptr<TclCustomBitmap> TclBitmap::CreateSized(int width, int height, gui::TPixelFormat) const
{
    return std::make_unique<TclBitmap>(width, height);
}

bool TclBitmap::HasAlpha()
{
    const std::vector<TclRGBQuad> pixels = clGetBitmapPixels(*this);
    return std::any_of(pixels.begin(), pixels.end(), [](const TclRGBQuad& p) { return p.Alpha != 0; });
}

void TclBitmap::EraseContent()
{
    if (Empty())
        return;
    const TclRGBQuad fill = (transparentPixel_ >> 24) != 0 ? PixelOfValue(transparentPixel_) : TclRGBQuad{};
    clPutBitmapPixels(*this, std::vector<TclRGBQuad>(std::size_t(Width()) * std::size_t(Height()), fill));
    Changed(this);
}

void TclBitmap::SetSize(int width, int height)
{
    TclCustomBitmap::SetSize(width, height);
    EraseContent();
}

void clOverlayHatch(win::HDC dc, const win::RECT& rect, gui::TColor color1, std::uint8_t alpha1, gui::TColor color2,
                    std::uint8_t alpha2, int size)
{
    const int width = clRectGetWidth(rect);
    const int height = clRectGetHeight(rect);
    if (width <= 0 || height <= 0)
        return;
    TclBitmap bitmap(width, height);
    win::BitBlt(bitmap.Canvas()->Handle(), 0, 0, width, height, dc, rect.left, rect.top, win::SRCCOPY);
    bitmap.SetHatch(color1, alpha1, color2, alpha2, size);
    bitmap.ApplyPixelOp(clpoHatch);
    win::BitBlt(dc, rect.left, rect.top, width, height, bitmap.Canvas()->Handle(), 0, 0, win::SRCCOPY);
}

}  // namespace controls
