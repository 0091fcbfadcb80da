#include "platform/gui/graphics/Graphic.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/GifImage.h"
#include "platform/gui/graphics/Icon.h"
#include "platform/gui/graphics/JpegImage.h"
#include "platform/gui/graphics/Metafile.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Collation.h"

#include <algorithm>
#include <vector>

namespace gui {

namespace {

struct FileFormat {
    std::string extension;
    std::string description;
    TGraphicClass graphicClass;
};

std::vector<FileFormat>& FileFormats()
{
    static std::vector<FileFormat> formats;
    return formats;
}

std::string SavedBytes(TGraphic& graphic)
{
    rtl::TMemoryStream stream;
    graphic.SaveToStream(stream);
    return std::string(stream.Memory(), std::size_t(stream.Size()));
}

}  // namespace

const classes::TClassInfo& TGraphic::StaticClass()
{
    static const classes::TClassInfo info("TGraphic", &TPersistent::StaticClass());
    return info;
}

std::string TGraphic::ReadRest(rtl::TStream& stream)
{
    const std::int64_t size = stream.Size() - stream.Position();
    std::string bytes(std::size_t(size > 0 ? size : 0), '\0');
    stream.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
    return bytes;
}

void TGraphic::LoadFromFile(const std::string& fileName)
{
    rtl::TFileStream stream(fileName, rtl::fmOpenRead | rtl::fmShareDenyWrite);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& fileName)
{
    rtl::WriteFileAtomically(fileName, SavedBytes(*this));
}

bool TGraphic::Equals(TGraphic* other)
{
    if (!other || &other->ClassType() != &ClassType()) {
        return false;
    }
    if (Empty() || other->Empty()) {
        return Empty() && other->Empty();
    }
    return SavedBytes(*this) == SavedBytes(*other);
}

void TGraphic::SetTransparent(bool value)
{
    if (value != transparent_) {
        transparent_ = value;
        Changed(this);
    }
}

void TGraphic::SetModified(bool value)
{
    if (value) {
        Changed(this);
    } else {
        modified_ = false;
    }
}

void TGraphic::Changed(classes::TObject*)
{
    modified_ = true;
    if (OnChange) {
        OnChange(this);
    }
}

void TGraphic::DefineProperties(classes::TFiler& filer)
{
    auto* ancestor = dynamic_cast<TGraphic*>(filer.Ancestor());
    const bool hasData = filer.Ancestor() ? !ancestor || !Equals(ancestor) : !Empty();
    filer.DefineBinaryProperty(
        "Data", [this](rtl::TStream& stream) { ReadData(stream); },
        [this](rtl::TStream& stream) { WriteData(stream); }, hasData);
}

std::unique_ptr<TGraphic> CreateGraphic(TGraphicClass graphicClass)
{
    if (!graphicClass || !graphicClass->InheritsFrom(TGraphic::StaticClass()) || !graphicClass->createObject) {
        throw EInvalidGraphicOperation("Cannot create a picture of class " +
                                       (graphicClass ? graphicClass->Name() : std::string("nil")));
    }
    return std::unique_ptr<TGraphic>(static_cast<TGraphic*>(graphicClass->createObject()));
}

void RegisterFileFormat(const std::string& extension, const std::string& description, TGraphicClass graphicClass)
{
    classes::RegisterClass(*graphicClass);
    FileFormats().push_back(FileFormat{extension, description, graphicClass});
}

void UnregisterGraphicClass(TGraphicClass graphicClass)
{
    std::erase_if(FileFormats(), [graphicClass](const FileFormat& format) { return format.graphicClass == graphicClass; });
}

TGraphicClass GraphicClassOfExtension(std::string_view extension)
{
    if (extension.starts_with('.')) {
        extension.remove_prefix(1);
    }
    const auto& formats = FileFormats();
    for (auto it = formats.rbegin(); it != formats.rend(); ++it) {
        if (rtl::SameText(it->extension, extension)) {
            return it->graphicClass;
        }
    }
    return nullptr;
}

TGraphicClass GraphicClassOfName(std::string_view className)
{
    for (const FileFormat& format : FileFormats()) {
        if (rtl::SameText(format.graphicClass->Name(), className)) {
            return format.graphicClass;
        }
    }
    const classes::TClassInfo* found = classes::GetClass(className);
    return found && found->InheritsFrom(TGraphic::StaticClass()) ? found : nullptr;
}

std::string GraphicFilter(TGraphicClass graphicClass)
{
    std::string masks;
    std::string filters;
    const auto& formats = FileFormats();
    for (auto it = formats.rbegin(); it != formats.rend(); ++it) {
        if (!it->graphicClass->InheritsFrom(*graphicClass)) {
            continue;
        }
        const std::string mask = "*." + it->extension;
        masks += (masks.empty() ? "" : ";") + mask;
        filters += "|" + it->description + " (" + mask + ")|" + mask;
    }
    if (masks.empty()) {
        return {};
    }
    return "All (" + masks + ")|" + masks + filters;
}

std::string GraphicExtension(TGraphicClass graphicClass)
{
    for (const FileFormat& format : FileFormats()) {
        if (format.graphicClass == graphicClass) {
            return format.extension;
        }
    }
    return {};
}

std::string GraphicFileMask(TGraphicClass graphicClass)
{
    std::string masks;
    const auto& formats = FileFormats();
    for (auto it = formats.rbegin(); it != formats.rend(); ++it) {
        if (it->graphicClass->InheritsFrom(*graphicClass)) {
            masks += (masks.empty() ? "*." : ";*.") + it->extension;
        }
    }
    return masks;
}

void ResetFileFormats(bool withBuiltIns)
{
    FileFormats().clear();
    if (!withBuiltIns) {
        return;
    }
    RegisterFileFormat("wmf", "Metafiles", &TMetafile::StaticClass());
    RegisterFileFormat("emf", "Enhanced Metafiles", &TMetafile::StaticClass());
    RegisterFileFormat("ico", "Icons", &TIcon::StaticClass());
    RegisterFileFormat("bmp", "Bitmaps", &TBitmap::StaticClass());
    RegisterFileFormat("jpeg", "JPEG Image File", &TJPEGImage::StaticClass());
    RegisterFileFormat("jpg", "JPEG Image File", &TJPEGImage::StaticClass());
    RegisterFileFormat("gif", "GIF Image", &TGIFImage::StaticClass());
}

}  // namespace gui
