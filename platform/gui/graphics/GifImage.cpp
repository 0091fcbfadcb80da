#include "platform/gui/graphics/GifImage.h"

#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/imaging/GifCodec.h"

namespace gui {

namespace {

bool HasTransparency(const win::Image& image)
{
    for (std::uint32_t pixel : image.Pixels()) {
        if ((pixel >> 24) != 0xFF) {
            return true;
        }
    }
    return false;
}

}  // namespace

TGIFImage::TGIFImage() = default;

TGIFImage::~TGIFImage()
{
    if (picture_) {
        win::DeleteObject(picture_);
    }
}

const classes::TClassInfo& TGIFImage::StaticClass()
{
    static const classes::TClassInfo info("TGIFImage", &TGraphic::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TGIFImage>{c}; });
    return info;
}

void TGIFImage::Assign(const classes::TPersistent* source)
{
    if (const auto* gif = dynamic_cast<const TGIFImage*>(source)) {
        if (gif != this) {
            rtl::TMemoryStream stream;
            stream.WriteBuffer(gif->file_.data(), std::int64_t(gif->file_.size()));
            stream.SetPosition(0);
            LoadFromStream(stream);
        }
        return;
    }
    TGraphic::Assign(source);
}

void TGIFImage::AssignTo(classes::TPersistent* dest) const
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        return bitmap->Assign(this);
    }
    TGraphic::AssignTo(dest);
}

void TGIFImage::LoadFromStream(rtl::TStream& stream)
{
    std::string bytes = ReadRest(stream);
    const win::Image image = win::ReadGif(bytes);
    if (picture_) {
        win::DeleteObject(picture_);
        picture_ = nullptr;
    }
    file_ = std::move(bytes);
    size_ = win::SIZE{image.Width(), image.Height()};
    hasTransparency_ = HasTransparency(image);
    Changed(this);
}

void TGIFImage::SaveToStream(rtl::TStream& stream)
{
    stream.WriteBuffer(file_.data(), std::int64_t(file_.size()));
}

void TGIFImage::LoadFromClipboardFormat(win::UINT, win::HANDLE, win::HPALETTE)
{
    throw EInvalidGraphic("Unsupported clipboard format");
}

void TGIFImage::SaveToClipboardFormat(win::UINT& format, win::HANDLE& data, win::HPALETTE& palette)
{
    TBitmap bitmap;
    bitmap.Assign(this);
    bitmap.SaveToClipboardFormat(format, data, palette);
}

void TGIFImage::SetWidth(int value)
{
    if (value != size_.cx) {
        throw EInvalidGraphicOperation("Cannot change the size of a GIF image");
    }
}

void TGIFImage::SetHeight(int value)
{
    if (value != size_.cy) {
        throw EInvalidGraphicOperation("Cannot change the size of a GIF image");
    }
}

win::HBITMAP TGIFImage::Picture()
{
    if (!picture_ && !file_.empty()) {
        picture_ = BitmapOfImage(win::ReadGif(file_), true);
    }
    return picture_;
}

void TGIFImage::Draw(TCanvas& canvas, const win::RECT& rect)
{
    win::HBITMAP picture = Picture();
    if (!picture) {
        return;
    }
    win::HDC source = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(source, picture);
    win::AlphaBlend(canvas.ReadyHandle(), rect.left, rect.top, win::Width(rect), win::Height(rect), source, 0, 0,
                    size_.cx, size_.cy, win::BLENDFUNCTION{win::AC_SRC_OVER, 0, 255, win::AC_SRC_ALPHA});
    win::SelectObject(source, old);
    win::DeleteDC(source);
}

}  // namespace gui
