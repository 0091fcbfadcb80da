#include "platform/gui/graphics/Picture.h"

#include "platform/classes/Filer.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Icon.h"
#include "platform/gui/graphics/Metafile.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Clipboard.h"

namespace gui {

TPicture::TPicture(classes::TPersistent* owner) : owner_(owner)
{
}

TPicture::~TPicture() = default;

const classes::TClassInfo& TPicture::StaticClass()
{
    static const classes::TClassInfo info("TPicture", &TPersistent::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TPicture>{c}; });
    return info;
}

void TPicture::Changed(classes::TObject*)
{
    if (OnChange) {
        OnChange(this);
    }
}

void TPicture::Take(std::unique_ptr<TGraphic> graphic)
{
    graphic_ = std::move(graphic);
    if (graphic_) {
        graphic_->OnChange = classes::TNotifyEvent::Of<&TPicture::Changed>(this);
    }
    Changed(this);
}

void TPicture::SetGraphic(TGraphic* value)
{
    std::unique_ptr<TGraphic> copy;
    if (value) {
        copy = CreateGraphic(&value->ClassType());
        copy->Assign(value);
    }
    Take(std::move(copy));
}

TGraphic* TPicture::GraphicOfClass(const classes::TClassInfo& graphicClass)
{
    if (!graphic_ || &graphic_->ClassType() != &graphicClass) {
        Take(CreateGraphic(&graphicClass));
    }
    return graphic_.get();
}

TBitmap* TPicture::Bitmap()
{
    return static_cast<TBitmap*>(GraphicOfClass(TBitmap::StaticClass()));
}

void TPicture::SetBitmap(TBitmap* value)
{
    SetGraphic(value);
}

TIcon* TPicture::Icon()
{
    return static_cast<TIcon*>(GraphicOfClass(TIcon::StaticClass()));
}

void TPicture::SetIcon(TIcon* value)
{
    SetGraphic(value);
}

TMetafile* TPicture::Metafile()
{
    return static_cast<TMetafile*>(GraphicOfClass(TMetafile::StaticClass()));
}

void TPicture::SetMetafile(TMetafile* value)
{
    SetGraphic(value);
}

int TPicture::Width() const
{
    return graphic_ ? graphic_->Width() : 0;
}

int TPicture::Height() const
{
    return graphic_ ? graphic_->Height() : 0;
}

void TPicture::Assign(const classes::TPersistent* source)
{
    if (!source) {
        return Take(nullptr);
    }
    if (const auto* picture = dynamic_cast<const TPicture*>(source)) {
        if (picture != this) {
            SetGraphic(picture->graphic_.get());
        }
        return;
    }
    if (const auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        return SetGraphic(const_cast<TGraphic*>(graphic));
    }
    TPersistent::Assign(source);
}

void TPicture::AssignTo(classes::TPersistent* dest) const
{
    if (graphic_ && dynamic_cast<TGraphic*>(dest) && &dest->ClassType() == &graphic_->ClassType()) {
        return dest->Assign(graphic_.get());
    }
    TPersistent::AssignTo(dest);
}

void TPicture::LoadFromFile(const std::string& fileName)
{
    std::string extension = rtl::ExtractFileExt(fileName);
    if (!extension.empty()) {
        extension.erase(0, 1);
    }
    TGraphicClass graphicClass = GraphicClassOfExtension(extension);
    if (!graphicClass) {
        throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
    }
    std::unique_ptr<TGraphic> graphic = CreateGraphic(graphicClass);
    graphic->LoadFromFile(fileName);
    Take(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName)
{
    if (graphic_) {
        graphic_->SaveToFile(fileName);
    }
}

void TPicture::LoadFromClipboardFormat(win::UINT format, win::HANDLE data, win::HPALETTE palette)
{
    std::unique_ptr<TGraphic> graphic =
        CreateGraphic(format == win::CF_ENHMETAFILE ? &TMetafile::StaticClass() : &TBitmap::StaticClass());
    graphic->LoadFromClipboardFormat(format, data, palette);
    Take(std::move(graphic));
}

void TPicture::SaveToClipboardFormat(win::UINT& format, win::HANDLE& data, win::HPALETTE& palette)
{
    if (graphic_) {
        graphic_->SaveToClipboardFormat(format, data, palette);
    }
}

void TPicture::DefineProperties(classes::TFiler& filer)
{
    const auto* ancestor = dynamic_cast<const TPicture*>(filer.Ancestor());
    bool hasData = graphic_ != nullptr;
    if (ancestor) {
        hasData = ancestor->graphic_ ? !graphic_ || !graphic_->Equals(ancestor->graphic_.get()) : graphic_ != nullptr;
    }
    filer.DefineBinaryProperty(
        "Data", [this](rtl::TStream& stream) { ReadData(stream); },
        [this](rtl::TStream& stream) { WriteData(stream); }, hasData);
}

void TPicture::ReadData(rtl::TStream& stream)
{
    std::uint8_t length = 0;
    if (stream.Read(&length, 1) != 1) {
        throw rtl::EReadError("The stored picture has no class name");
    }
    std::string className(length, '\0');
    if (stream.Read(className.data(), length) != length) {
        throw rtl::EReadError("The stored picture's class name runs past the end of its data");
    }
    if (className.empty()) {
        return Take(nullptr);
    }
    TGraphicClass graphicClass = GraphicClassOfName(className);
    if (!graphicClass) {
        throw rtl::EReadError("The stored picture is of the unknown class " + className);
    }
    std::unique_ptr<TGraphic> graphic = CreateGraphic(graphicClass);
    graphic->ReadData(stream);
    Take(std::move(graphic));
}

void TPicture::WriteData(rtl::TStream& stream)
{
    const std::string className = graphic_ ? graphic_->ClassName() : std::string();
    const auto length = static_cast<std::uint8_t>(className.size());
    stream.WriteBuffer(&length, 1);
    stream.WriteBuffer(className.data(), length);
    if (graphic_) {
        graphic_->WriteData(stream);
    }
}

}  // namespace gui
