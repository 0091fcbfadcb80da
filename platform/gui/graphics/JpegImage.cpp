#include "platform/gui/graphics/JpegImage.h"

#include "platform/gdi/Blit.h"
#include "platform/imaging/JpegCodec.h"

#include <algorithm>

namespace gui {

namespace {

win::Image Greyed(win::Image image)
{
    for (int y = 0; y < image.Height(); ++y) {
        std::uint32_t* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            const std::uint32_t p = row[x];
            const std::uint32_t grey = ((p >> 16 & 0xFF) * 299 + (p >> 8 & 0xFF) * 587 + (p & 0xFF) * 114 + 500) / 1000;
            row[x] = (p & 0xFF000000) | grey << 16 | grey << 8 | grey;
        }
    }
    return image;
}

}  // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

const classes::TClassInfo& TJPEGImage::StaticClass()
{
    static const classes::TClassInfo info("TJPEGImage", &TGraphic::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TJPEGImage>(c)
            .Property("CompressionQuality", &TJPEGImage::CompressionQuality, &TJPEGImage::SetCompressionQuality)
            .Default(75)
            .Property("Grayscale", &TJPEGImage::Grayscale, &TJPEGImage::SetGrayscale)
            .Default(0);
    });
    return info;
}

void TJPEGImage::Assign(const classes::TPersistent* source)
{
    if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(source)) {
        if (jpeg != this) {
            file_ = jpeg->file_;
            size_ = jpeg->size_;
            quality_ = jpeg->quality_;
            grayscale_ = jpeg->grayscale_;
            bitmap_.reset();
            if (file_.empty() && jpeg->bitmap_) {
                bitmap_ = std::make_unique<TBitmap>();
                bitmap_->Assign(jpeg->bitmap_.get());
            }
            Changed(this);
        }
        return;
    }
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(bitmap);
        file_.clear();
        size_ = win::SIZE{copy->Width(), copy->Height()};
        bitmap_ = std::move(copy);
        return Changed(this);
    }
    TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(classes::TPersistent* dest) const
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        return bitmap->Assign(const_cast<TJPEGImage*>(this)->Bitmap());
    }
    TGraphic::AssignTo(dest);
}

void TJPEGImage::LoadFromStream(rtl::TStream& stream)
{
    std::string bytes = ReadRest(stream);
    const win::Image image = win::ReadJpeg(bytes);
    file_ = std::move(bytes);
    size_ = win::SIZE{image.Width(), image.Height()};
    bitmap_.reset();
    Changed(this);
}

void TJPEGImage::SaveToStream(rtl::TStream& stream)
{
    Compress();
    stream.WriteBuffer(file_.data(), std::int64_t(file_.size()));
}

void TJPEGImage::Compress()
{
    if (file_.empty() && bitmap_ && !bitmap_->Empty()) {
        file_ = win::WriteJpeg(ImageOfBitmap(bitmap_->Handle()), quality_);
    }
}

TBitmap* TJPEGImage::Bitmap()
{
    if (!bitmap_ && !file_.empty()) {
        const win::Image image = win::ReadJpeg(file_);
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetHandle(BitmapOfImage(grayscale_ ? Greyed(image) : image, false));
        bitmap_ = std::move(bitmap);
    }
    return bitmap_.get();
}

void TJPEGImage::ReadData(rtl::TStream& stream)
{
    const std::int64_t available = stream.Size() - stream.Position();
    if (available < 4) {
        throw rtl::EReadError("The stored JPEG picture has no length");
    }
    std::uint32_t length = 0;
    stream.ReadBuffer(&length, 4);
    if (length > available - 4) {
        throw rtl::EReadError("The stored JPEG picture's length (" + std::to_string(length) +
                              " bytes) runs past the end of its data (" + std::to_string(available - 4) + " bytes)");
    }
    rtl::TMemoryStream jpeg;
    jpeg.CopyFrom(stream, length);
    jpeg.SetPosition(0);
    if (length == 0) {
        file_.clear();
        size_ = {};
        bitmap_.reset();
        return Changed(this);
    }
    LoadFromStream(jpeg);
}

void TJPEGImage::WriteData(rtl::TStream& stream)
{
    Compress();
    const auto length = static_cast<std::uint32_t>(file_.size());
    stream.WriteBuffer(&length, 4);
    stream.WriteBuffer(file_.data(), std::int64_t(file_.size()));
}

void TJPEGImage::LoadFromClipboardFormat(win::UINT format, win::HANDLE data, win::HPALETTE palette)
{
    TBitmap bitmap;
    bitmap.LoadFromClipboardFormat(format, data, palette);
    Assign(&bitmap);
}

void TJPEGImage::SaveToClipboardFormat(win::UINT& format, win::HANDLE& data, win::HPALETTE& palette)
{
    if (!Bitmap()) {
        throw EInvalidGraphic("JPEG image is empty");
    }
    Bitmap()->SaveToClipboardFormat(format, data, palette);
}

void TJPEGImage::SetWidth(int value)
{
    if (value != size_.cx) {
        throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
    }
}

void TJPEGImage::SetHeight(int value)
{
    if (value != size_.cy) {
        throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
    }
}

void TJPEGImage::SetCompressionQuality(int value)
{
    quality_ = std::clamp(value, 1, 100);
}

void TJPEGImage::SetGrayscale(bool value)
{
    if (value != grayscale_) {
        grayscale_ = value;
        if (!file_.empty()) {
            bitmap_.reset();
        }
        Changed(this);
    }
}

void TJPEGImage::Draw(TCanvas& canvas, const win::RECT& rect)
{
    if (TBitmap* bitmap = Bitmap()) {
        win::StretchBlt(canvas.ReadyHandle(), rect.left, rect.top, win::Width(rect), win::Height(rect),
                        bitmap->Canvas()->ReadyHandle(), 0, 0, bitmap->Width(), bitmap->Height(),
                        static_cast<win::DWORD>(canvas.CopyMode()));
    }
}

}  // namespace gui
