#include "platform/gui/graphics/Icon.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/gui/graphics/detail/LittleEndian.h"
#include "platform/imaging/IcoCodec.h"
#include "platform/win/Icon.h"

#include <vector>

namespace gui {

namespace {

using detail::PutU16;
using detail::PutU32;


// Bottom-up rows of a bitmap at a depth, as an icon file keeps them.
std::string DibBits(win::HBITMAP bitmap, int width, int height, int depth)
{
    std::vector<std::uint32_t> storage((40 + 2 * 4) / 4, 0);
    auto* info = reinterpret_cast<win::BITMAPINFO*>(storage.data());
    info->bmiHeader = win::BITMAPINFOHEADER();
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height;
    info->bmiHeader.biBitCount = static_cast<win::WORD>(depth);
    std::string bits(std::size_t((width * depth + 31) / 32 * 4) * std::size_t(height), '\0');
    win::GetDIBits(nullptr, bitmap, 0, win::UINT(height), bits.data(), info, win::DIB_RGB_COLORS);
    return bits;
}

win::SIZE IconSize(win::HICON icon)
{
    win::ICONINFO info;
    if (!icon || !win::GetIconInfo(icon, &info)) {
        return {};
    }
    win::BITMAP mask;
    win::GetObject(info.hbmMask, sizeof mask, &mask);
    win::DeleteObject(info.hbmMask);
    if (info.hbmColor) {
        win::DeleteObject(info.hbmColor);
        return win::SIZE{mask.bmWidth, mask.bmHeight};
    }
    return win::SIZE{mask.bmWidth, mask.bmHeight / 2};
}


}  // namespace

std::string WriteIconFile(win::HICON icon)
{
    win::ICONINFO info;
    if (!icon || !win::GetIconInfo(icon, &info)) {
        throw EInvalidGraphic("Icon image is not valid");
    }
    const win::SIZE size = IconSize(icon);
    const bool colour = info.hbmColor != nullptr;
    const int depth = colour ? 32 : 1;
    std::string image;
    PutU32(image, 40);
    PutU32(image, std::uint32_t(size.cx));
    PutU32(image, std::uint32_t(size.cy * 2));
    PutU16(image, 1);
    PutU16(image, std::uint32_t(depth));
    PutU32(image, 0);
    PutU32(image, 0);
    PutU32(image, 0);
    PutU32(image, 0);
    PutU32(image, colour ? 0 : 2);
    PutU32(image, 0);
    if (colour) {
        image += DibBits(info.hbmColor, size.cx, size.cy, 32);
        image += DibBits(info.hbmMask, size.cx, size.cy, 1);
    } else {
        // The mask holds the AND half above the XOR half; bottom-up rows put the XOR half first.
        PutU32(image, 0x000000);
        PutU32(image, 0xFFFFFF);
        image += DibBits(info.hbmMask, size.cx, size.cy * 2, 1);
    }
    win::DeleteObject(info.hbmMask);
    if (info.hbmColor) {
        win::DeleteObject(info.hbmColor);
    }
    std::string file;
    PutU16(file, 0);
    PutU16(file, info.fIcon ? 1 : 2);
    PutU16(file, 1);
    file += char(size.cx >= 256 ? 0 : size.cx);
    file += char(size.cy >= 256 ? 0 : size.cy);
    file += char(colour ? 0 : 2);
    file += char(0);
    PutU16(file, info.fIcon ? 1 : info.xHotspot);
    PutU16(file, info.fIcon ? std::uint32_t(depth) : info.yHotspot);
    PutU32(file, std::uint32_t(image.size()));
    PutU32(file, 22);
    return file + image;
}

win::HICON ReadIconFile(std::string_view file, int size)
{
    const std::vector<win::IconEntry> entries = win::ReadIcoDirectory(file);
    const std::size_t best =
        win::BestIcoEntry(entries, size ? size : win::GetSystemMetrics(win::SM_CXICON));
    const std::string_view bytes = win::IcoEntryBytes(file, best);
    win::HICON icon = win::CreateIconFromResourceEx(reinterpret_cast<const win::BYTE*>(bytes.data()),
                                                    win::DWORD(bytes.size()), win::TRUE, 0x00030000, 0, 0,
                                                    win::LR_DEFAULTCOLOR);
    if (!icon) {
        throw EInvalidGraphic("Icon image is not valid");
    }
    return icon;
}

TIcon::~TIcon()
{
    if (handle_) {
        win::DestroyIcon(handle_);
    }
}

const classes::TClassInfo& TIcon::StaticClass()
{
    static const classes::TClassInfo info("TIcon", &TGraphic::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TIcon>{c}; });
    return info;
}

void TIcon::Replace(win::HICON handle, std::string file)
{
    if (handle_ && handle_ != handle) {
        win::DestroyIcon(handle_);
    }
    handle_ = handle;
    size_ = IconSize(handle);
    file_ = std::move(file);
}

void TIcon::Assign(const classes::TPersistent* source)
{
    if (!source) {
        Replace(nullptr, {});
        return Changed(this);
    }
    if (const auto* icon = dynamic_cast<const TIcon*>(source)) {
        if (icon != this) {
            Replace(icon->handle_ ? win::CopyIcon(icon->handle_) : nullptr, icon->file_);
            Changed(this);
        }
        return;
    }
    TGraphic::Assign(source);
}

void TIcon::LoadFromStream(rtl::TStream& stream)
{
    std::string bytes = ReadRest(stream);
    win::HICON icon = ReadIconFile(bytes);
    Replace(icon, std::move(bytes));
    Changed(this);
}

void TIcon::SaveToStream(rtl::TStream& stream)
{
    const std::string bytes = !file_.empty() || !handle_ ? file_ : WriteIconFile(handle_);
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TIcon::LoadFromClipboardFormat(win::UINT, win::HANDLE, win::HPALETTE)
{
    throw EInvalidGraphic("Clipboard does not support Icons");
}

void TIcon::SaveToClipboardFormat(win::UINT&, win::HANDLE&, win::HPALETTE&)
{
    throw EInvalidGraphic("Clipboard does not support Icons");
}

void TIcon::SetWidth(int value)
{
    if (value != size_.cx) {
        throw EInvalidGraphicOperation("Cannot change the size of an icon");
    }
}

void TIcon::SetHeight(int value)
{
    if (value != size_.cy) {
        throw EInvalidGraphicOperation("Cannot change the size of an icon");
    }
}

void TIcon::SetHandle(win::HICON handle)
{
    if (handle != handle_) {
        Replace(handle, {});
        Changed(this);
    }
}

win::HICON TIcon::ReleaseHandle()
{
    win::HICON handle = handle_;
    handle_ = nullptr;
    Replace(nullptr, {});
    return handle;
}

void TIcon::Draw(TCanvas& canvas, const win::RECT& rect)
{
    if (handle_) {
        win::DrawIconEx(canvas.ReadyHandle(), rect.left, rect.top, handle_, win::Width(rect), win::Height(rect), 0,
                        nullptr, win::DI_NORMAL);
    }
}

}  // namespace gui
