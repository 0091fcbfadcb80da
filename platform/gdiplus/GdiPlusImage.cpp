#include "platform/gdiplus/GdiPlusImage.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Surface.h"
#include "platform/imaging/BmpCodec.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdiplus/detail/GdiPlusPixels.h"
#include "platform/imaging/GifCodec.h"
#include "platform/imaging/IcoCodec.h"
#include "platform/imaging/JpegCodec.h"
#include "platform/imaging/PictureFormat.h"
#include "platform/imaging/PngCodec.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace win::gdiplus {

using namespace win::detail;

namespace {

constexpr CLSID PngEncoder{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr GUID PngFormat{0xB96B3CAF, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr BYTE PngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr BYTE PngSignatureMask[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

bool FormatHasAlpha(PixelFormat format) { return format != PixelFormat32bppRGB; }

// Runs make and hands the new bitmap out; the status of a failure otherwise.
template <class Make>
Status Create(GpBitmap** out, Make make)
{
    if (!GdiPlusStarted()) {
        return GdiplusNotInitialized;
    }
    if (!out) {
        return InvalidParameter;
    }
    try {
        *out = make().release();
        return *out ? Ok : InvalidParameter;
    } catch (const std::bad_alloc&) {
        return OutOfMemory;
    } catch (const rtl::EOutOfResources&) {
        return OutOfMemory;
    } catch (const EInvalidGraphic&) {
        return InvalidParameter;
    }
}

Image DecodePicture(const std::string& data)
{
    switch (SniffPictureFormat(data)) {
    case PictureFormat::Png:
        return ReadPng(data);
    case PictureFormat::Bmp:
        return ReadBmp(data);
    case PictureFormat::Jpeg:
        return ReadJpeg(data);
    case PictureFormat::Gif:
        return ReadGif(data);
    case PictureFormat::Ico:
        return ReadIco(data);
    default:
        return Image();
    }
}

std::unique_ptr<GpBitmap> FromImage(const Image& image)
{
    const PixelFormat format = image.HasAlpha() ? PixelFormat32bppARGB : PixelFormat32bppRGB;
    auto bitmap = std::make_unique<GpBitmap>(image.Width(), image.Height(), format);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            bitmap->Raw(x, y) = image.HasAlpha() ? image.Pixel(x, y) : image.Pixel(x, y) | 0xFF000000;
        }
    }
    return bitmap;
}

bool InsideBitmap(const GpBitmap& bitmap, const GpRect& rect)
{
    return rect.X >= 0 && rect.Y >= 0 && rect.Width > 0 && rect.Height > 0 && rect.X <= bitmap.Width() - rect.Width
           && rect.Y <= bitmap.Height() - rect.Height;
}

}  // namespace

GpBitmap::GpBitmap(int width, int height, PixelFormat format) : width_(width), height_(height), format_(format)
{
    CheckImageSize(static_cast<std::uint64_t>(std::max(width, 0)), static_cast<std::uint64_t>(std::max(height, 0)));
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), format == PixelFormat32bppRGB ? 0xFF000000 : 0);
}

std::uint32_t GpBitmap::Premultiplied(int x, int y) const
{
    return ConvertPixel(Raw(x, y), format_, PixelFormat32bppPARGB);
}

void GpBitmap::SetPremultiplied(int x, int y, std::uint32_t premultiplied)
{
    Raw(x, y) = ConvertPixel(premultiplied, PixelFormat32bppPARGB, format_);
}

bool IsSupportedFormat(PixelFormat format)
{
    return format == PixelFormat32bppRGB || format == PixelFormat32bppARGB || format == PixelFormat32bppPARGB;
}

std::uint32_t ConvertPixel(std::uint32_t pixel, PixelFormat from, PixelFormat to)
{
    if (from == to) {
        return pixel;
    }
    if (from == PixelFormat32bppRGB) {
        return pixel | 0xFF000000;
    }
    if (to == PixelFormat32bppRGB) {
        // Seen over black, as an opaque surface shows it.
        return (from == PixelFormat32bppPARGB ? pixel : Premultiply(pixel)) | 0xFF000000;
    }
    return to == PixelFormat32bppPARGB ? Premultiply(pixel) : Unpremultiply(pixel);
}

Status GdipCreateBitmapFromScan0(int width, int height, int stride, PixelFormat format, const void* scan0, GpBitmap** bitmap)
{
    if (width < 1 || height < 1 || !IsSupportedFormat(format) || (scan0 && std::abs(stride) < width * 4)) {
        return GdiPlusStarted() ? InvalidParameter : GdiplusNotInitialized;
    }
    return Create(bitmap, [&] {
        auto result = std::make_unique<GpBitmap>(width, height, format);
        if (scan0) {
            for (int y = 0; y < height; ++y) {
                const auto* row = static_cast<const char*>(scan0) + static_cast<std::ptrdiff_t>(y) * stride;
                std::memcpy(&result->Raw(0, y), row, static_cast<std::size_t>(width) * 4);
            }
        }
        return result;
    });
}

Status GdipCreateBitmapFromStream(rtl::TStream* stream, GpBitmap** bitmap)
{
    if (!stream) {
        return GdiPlusStarted() ? InvalidParameter : GdiplusNotInitialized;
    }
    std::string data;
    try {
        data.resize(static_cast<std::size_t>(std::max<std::int64_t>(0, stream->Size() - stream->Position())));
        stream->ReadBuffer(data.data(), static_cast<std::int64_t>(data.size()));
    } catch (const rtl::Exception&) {
        return Win32Error;
    }
    if (SniffPictureFormat(data) == PictureFormat::Unknown) {
        return GdiPlusStarted() ? UnknownImageFormat : GdiplusNotInitialized;
    }
    return Create(bitmap, [&] {
        const Image image = DecodePicture(data);
        return image.Empty() ? nullptr : FromImage(image);
    });
}

Status GdipLoadImageFromStream(rtl::TStream* stream, GpImage** image)
{
    return GdipCreateBitmapFromStream(stream, image);
}

Status GdipCreateBitmapFromHBITMAP(HBITMAP source, HPALETTE, GpBitmap** bitmap)
{
    auto lock = LockGdi();
    auto* object = FindObjectOf<BitmapObject>(source, OBJ_BITMAP);
    if (!object) {
        return GdiPlusStarted() ? InvalidParameter : GdiplusNotInitialized;
    }
    object->Load();
    const Surface& surface = object->surface;
    return Create(bitmap, [&] {
        auto result = std::make_unique<GpBitmap>(surface.Width(), surface.Height(), PixelFormat32bppRGB);
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) {
                result->Raw(x, y) = surface.Pixel(x, y) | 0xFF000000;
            }
        }
        return result;
    });
}

Status GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* result, ARGB background)
{
    if (const Status status = CheckCall(bitmap); status != Ok || !result) {
        return status != Ok ? status : InvalidParameter;
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(bitmap->Width()) * static_cast<std::size_t>(bitmap->Height()));
    const std::uint32_t under = Premultiply(background);
    for (int y = 0; y < bitmap->Height(); ++y) {
        for (int x = 0; x < bitmap->Width(); ++x) {
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap->Width()) + static_cast<std::size_t>(x)] =
                SourceOver(bitmap->Premultiplied(x, y), under);
        }
    }
    *result = CreateBitmap(bitmap->Width(), bitmap->Height(), 1, 32, pixels.data());
    return *result ? Ok : OutOfMemory;
}

Status GdipCloneImage(GpImage* image, GpImage** clone)
{
    if (const Status status = CheckCall(image); status != Ok) {
        return status;
    }
    return GdipCloneBitmapAreaI(0, 0, image->Width(), image->Height(), image->Format(), image, clone);
}

Status GdipCloneBitmapAreaI(int x, int y, int width, int height, PixelFormat format, GpBitmap* source, GpBitmap** clone)
{
    if (const Status status = CheckCall(source); status != Ok) {
        return status;
    }
    if (!IsSupportedFormat(format) || !InsideBitmap(*source, GpRect{x, y, width, height})) {
        return InvalidParameter;
    }
    return Create(clone, [&] {
        auto result = std::make_unique<GpBitmap>(width, height, format);
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                result->Raw(column, row) = ConvertPixel(source->Raw(x + column, y + row), source->Format(), format);
            }
        }
        return result;
    });
}

Status GdipDisposeImage(GpImage* image)
{
    if (const Status status = CheckCall(image); status != Ok) {
        return status;
    }
    delete image;
    return Ok;
}

Status GdipGetImageWidth(GpImage* image, UINT* width)
{
    if (const Status status = CheckCall(image); status != Ok || !width) {
        return status != Ok ? status : InvalidParameter;
    }
    *width = static_cast<UINT>(image->Width());
    return Ok;
}

Status GdipGetImageHeight(GpImage* image, UINT* height)
{
    if (const Status status = CheckCall(image); status != Ok || !height) {
        return status != Ok ? status : InvalidParameter;
    }
    *height = static_cast<UINT>(image->Height());
    return Ok;
}

Status GdipGetImageDimension(GpImage* image, REAL* width, REAL* height)
{
    if (const Status status = CheckCall(image); status != Ok || !width || !height) {
        return status != Ok ? status : InvalidParameter;
    }
    *width = static_cast<REAL>(image->Width());
    *height = static_cast<REAL>(image->Height());
    return Ok;
}

Status GdipGetImagePixelFormat(GpImage* image, PixelFormat* format)
{
    if (const Status status = CheckCall(image); status != Ok || !format) {
        return status != Ok ? status : InvalidParameter;
    }
    *format = image->Format();
    return Ok;
}

Status GdipBitmapGetPixel(GpBitmap* bitmap, int x, int y, ARGB* color)
{
    if (const Status status = CheckCall(bitmap); status != Ok || !color) {
        return status != Ok ? status : InvalidParameter;
    }
    if (!InsideBitmap(*bitmap, GpRect{x, y, 1, 1})) {
        return InvalidParameter;
    }
    *color = ConvertPixel(bitmap->Raw(x, y), bitmap->Format(), PixelFormat32bppARGB);
    return Ok;
}

Status GdipBitmapSetPixel(GpBitmap* bitmap, int x, int y, ARGB color)
{
    if (const Status status = CheckCall(bitmap); status != Ok) {
        return status;
    }
    if (!InsideBitmap(*bitmap, GpRect{x, y, 1, 1})) {
        return InvalidParameter;
    }
    bitmap->Raw(x, y) = ConvertPixel(color, PixelFormat32bppARGB, bitmap->Format());
    return Ok;
}

Status GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format, BitmapData* data)
{
    if (const Status status = CheckCall(bitmap); status != Ok || !data) {
        return status != Ok ? status : InvalidParameter;
    }
    const GpRect area = rect ? *rect : GpRect{0, 0, bitmap->Width(), bitmap->Height()};
    const bool user = (flags & ImageLockModeUserInputBuf) != 0;
    if (!IsSupportedFormat(format) || !InsideBitmap(*bitmap, area) || !(flags & (ImageLockModeRead | ImageLockModeWrite))
        || (user && (!data->Scan0 || std::abs(data->Stride) < area.Width * 4))) {
        return InvalidParameter;
    }
    if (bitmap->locked) {
        return WrongState;
    }
    if (!user) {
        bitmap->lockBuffer.assign(static_cast<std::size_t>(area.Width) * static_cast<std::size_t>(area.Height), 0);
        data->Scan0 = bitmap->lockBuffer.data();
        data->Stride = area.Width * 4;
    }
    if (flags & ImageLockModeRead) {
        for (int y = 0; y < area.Height; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(static_cast<char*>(data->Scan0) + static_cast<std::ptrdiff_t>(y) * data->Stride);
            for (int x = 0; x < area.Width; ++x) {
                row[x] = ConvertPixel(bitmap->Raw(area.X + x, area.Y + y), bitmap->Format(), format);
            }
        }
    }
    data->Width = static_cast<UINT>(area.Width);
    data->Height = static_cast<UINT>(area.Height);
    data->PixelFormat = format;
    bitmap->locked = true;
    bitmap->lockRect = area;
    bitmap->lockFlags = flags;
    return Ok;
}

Status GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* data)
{
    if (const Status status = CheckCall(bitmap); status != Ok || !data) {
        return status != Ok ? status : InvalidParameter;
    }
    if (!bitmap->locked) {
        return WrongState;
    }
    const GpRect area = bitmap->lockRect;
    if (bitmap->lockFlags & ImageLockModeWrite) {
        for (int y = 0; y < area.Height; ++y) {
            const auto* row =
                reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(data->Scan0) + static_cast<std::ptrdiff_t>(y) * data->Stride);
            for (int x = 0; x < area.Width; ++x) {
                bitmap->Raw(area.X + x, area.Y + y) = ConvertPixel(row[x], data->PixelFormat, bitmap->Format());
            }
        }
    }
    bitmap->locked = false;
    bitmap->lockBuffer.clear();
    return Ok;
}

Status GdipGetImageEncodersSize(UINT* count, UINT* size)
{
    if (const Status status = CheckCall(count); status != Ok || !size) {
        return status != Ok ? status : InvalidParameter;
    }
    *count = 1;
    *size = sizeof(ImageCodecInfo);
    return Ok;
}

Status GdipGetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders)
{
    if (const Status status = CheckCall(encoders); status != Ok) {
        return status;
    }
    if (count != 1 || size < sizeof(ImageCodecInfo)) {
        return InvalidParameter;
    }
    ImageCodecInfo& png = encoders[0];
    png = ImageCodecInfo{};
    png.Clsid = PngEncoder;
    png.FormatID = PngFormat;
    png.CodecName = u"Built-in PNG Codec";
    png.FormatDescription = u"PNG";
    png.FilenameExtension = u"*.PNG";
    png.MimeType = u"image/png";
    png.Flags = 0x00010007;  // encoder, decoder, supports bitmap, built in
    png.Version = 1;
    png.SigCount = 1;
    png.SigSize = sizeof PngSignature;
    png.SigPattern = PngSignature;
    png.SigMask = PngSignatureMask;
    return Ok;
}

Status GdipSaveImageToStream(GpImage* image, rtl::TStream* stream, const CLSID* encoder, const EncoderParameters* parameters)
{
    if (const Status status = CheckCall(image); status != Ok || !stream || !encoder) {
        return status != Ok ? status : InvalidParameter;
    }
    if (!(*encoder == PngEncoder) || parameters) {
        return InvalidParameter;
    }
    Image picture(image->Width(), image->Height());
    picture.SetHasAlpha(FormatHasAlpha(image->Format()));
    for (int y = 0; y < image->Height(); ++y) {
        for (int x = 0; x < image->Width(); ++x) {
            picture.SetPixel(x, y, ConvertPixel(image->Raw(x, y), image->Format(), PixelFormat32bppARGB));
        }
    }
    const std::string data = WritePng(picture);
    try {
        stream->WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
    } catch (const rtl::Exception&) {
        return Win32Error;
    }
    return Ok;
}

}  // namespace win::gdiplus
