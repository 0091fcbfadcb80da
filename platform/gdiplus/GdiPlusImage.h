#pragma once
// GDI+ images: bitmaps in memory, made from pixels, from a picture stream or from a GDI bitmap, read and
// written through lock bits, saved as PNG.
//
// A bitmap keeps its pixels in its own pixel format: 32bppARGB (straight alpha), 32bppPARGB
// (premultiplied) or 32bppRGB (opaque). Lock bits converts to and from the format asked for with the
// arithmetic of detail/GdiPlusPixels.h. A bitmap made from a caller's pixels keeps a copy of them (the caller's
// array may go at once).

#include "platform/rtl/Streams.h"
#include "platform/gdiplus/GdiPlusTypes.h"

#include <vector>

namespace win::gdiplus {

class GpBitmap {
public:
    GpBitmap(int width, int height, PixelFormat format);

    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelFormat Format() const { return format_; }
    // The pixel as premultiplied 0xAARRGGBB; the point must lie inside.
    std::uint32_t Premultiplied(int x, int y) const;
    void SetPremultiplied(int x, int y, std::uint32_t premultiplied);
    std::uint32_t& Raw(int x, int y) { return pixels_[Index(x, y)]; }
    std::uint32_t Raw(int x, int y) const { return pixels_[Index(x, y)]; }

    // Lock bits: the rectangle and flags of the lock in force, and its buffer.
    bool locked = false;
    GpRect lockRect;
    UINT lockFlags = 0;
    std::vector<std::uint32_t> lockBuffer;

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x); }

    int width_;
    int height_;
    PixelFormat format_;
    std::vector<std::uint32_t> pixels_;
};
// Every image here is a bitmap.
using GpImage = GpBitmap;

// A pixel from one 32-bit format into another.
std::uint32_t ConvertPixel(std::uint32_t pixel, PixelFormat from, PixelFormat to);
bool IsSupportedFormat(PixelFormat format);

// scan0 null gives transparent black pixels; stride may be negative (rows bottom to top).
Status GdipCreateBitmapFromScan0(int width, int height, int stride, PixelFormat format, const void* scan0, GpBitmap** bitmap);
// Reads the stream from its position to its end: PNG, BMP, JPEG, GIF or ICO. UnknownImageFormat for
// other data, InvalidParameter for a damaged picture.
Status GdipCreateBitmapFromStream(rtl::TStream* stream, GpBitmap** bitmap);
Status GdipLoadImageFromStream(rtl::TStream* stream, GpImage** image);
// The GDI bitmap's colours; its fourth bytes are not taken as alpha (32bppRGB).
Status GdipCreateBitmapFromHBITMAP(HBITMAP source, HPALETTE palette, GpBitmap** bitmap);
// A new 32-bit GDI bitmap of the image composited over background; its fourth bytes hold the result's
// alpha with premultiplied colours.
Status GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* result, ARGB background);
Status GdipCloneImage(GpImage* image, GpImage** clone);
Status GdipCloneBitmapAreaI(int x, int y, int width, int height, PixelFormat format, GpBitmap* source, GpBitmap** clone);
Status GdipDisposeImage(GpImage* image);

Status GdipGetImageWidth(GpImage* image, UINT* width);
Status GdipGetImageHeight(GpImage* image, UINT* height);
Status GdipGetImageDimension(GpImage* image, REAL* width, REAL* height);
Status GdipGetImagePixelFormat(GpImage* image, PixelFormat* format);
Status GdipBitmapGetPixel(GpBitmap* bitmap, int x, int y, ARGB* color);
Status GdipBitmapSetPixel(GpBitmap* bitmap, int x, int y, ARGB color);

// rect null locks the whole bitmap. With ImageLockModeUserInputBuf the caller's data (Scan0, Stride) is
// the buffer. One lock at a time (WrongState otherwise); unlocking with ImageLockModeWrite stores the
// buffer back.
Status GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format, BitmapData* data);
Status GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* data);

// Encoders: only PNG, MIME type "image/png".
struct ImageCodecInfo {
    CLSID Clsid;
    GUID FormatID;
    const char16_t* CodecName = nullptr;
    const char16_t* DllName = nullptr;
    const char16_t* FormatDescription = nullptr;
    const char16_t* FilenameExtension = nullptr;
    const char16_t* MimeType = nullptr;
    DWORD Flags = 0;
    DWORD Version = 0;
    DWORD SigCount = 0;
    DWORD SigSize = 0;
    const BYTE* SigPattern = nullptr;
    const BYTE* SigMask = nullptr;
};
struct EncoderParameters;
Status GdipGetImageEncodersSize(UINT* count, UINT* size);
Status GdipGetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders);
// Writes the image as PNG, with alpha when its format has alpha; parameters must be null.
Status GdipSaveImageToStream(GpImage* image, rtl::TStream* stream, const CLSID* encoder, const EncoderParameters* parameters);

}  // namespace win::gdiplus
