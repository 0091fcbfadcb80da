#include "platform/gui/graphics/Metafile.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gui/graphics/Font.h"
#include "platform/imaging/PictureFormat.h"
#include "platform/metafile/EmfRecorder.h"
#include "platform/metafile/WmfPlayer.h"
#include "platform/metafile/WmfReader.h"
#include "platform/win/Clipboard.h"
#include "platform/win/GlobalMemory.h"

#include <cstring>

namespace gui {

namespace {

constexpr int kHundredthMMPerInch = 2540;


}  // namespace

TMetafile::~TMetafile()
{
    if (handle_) {
        win::DeleteEnhMetaFile(handle_);
    }
}

const classes::TClassInfo& TMetafile::StaticClass()
{
    static const classes::TClassInfo info("TMetafile", &TGraphic::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TMetafile>{c}; });
    return info;
}

void TMetafile::Replace(win::HENHMETAFILE handle, std::string placeable, int inch)
{
    if (handle_ && handle_ != handle) {
        win::DeleteEnhMetaFile(handle_);
    }
    handle_ = handle;
    placeable_ = std::move(placeable);
    inch_ = inch;
    mmWidth_ = 0;
    mmHeight_ = 0;
    win::ENHMETAHEADER header;
    if (handle && win::GetEnhMetaFileHeader(handle, sizeof header, &header)) {
        mmWidth_ = header.rclFrame.right - header.rclFrame.left;
        mmHeight_ = header.rclFrame.bottom - header.rclFrame.top;
    }
}

void TMetafile::Clear()
{
    Replace(nullptr, {}, 0);
    enhanced_ = true;
    Changed(this);
}

void TMetafile::Assign(const classes::TPersistent* source)
{
    if (!source) {
        return Clear();
    }
    if (const auto* metafile = dynamic_cast<const TMetafile*>(source)) {
        if (metafile != this) {
            win::HENHMETAFILE copy = metafile->handle_ ? win::CopyEnhMetaFileA(metafile->handle_, nullptr) : nullptr;
            Replace(copy, metafile->placeable_, metafile->inch_);
            mmWidth_ = metafile->mmWidth_;
            mmHeight_ = metafile->mmHeight_;
            enhanced_ = metafile->enhanced_;
            Changed(this);
        }
        return;
    }
    TGraphic::Assign(source);
}

void TMetafile::LoadFromStream(rtl::TStream& stream)
{
    std::string bytes = ReadRest(stream);
    switch (win::SniffPictureFormat(bytes)) {
    case win::PictureFormat::Emf:
        Replace(win::ReadEnhMetaFile(bytes), {}, 0);
        enhanced_ = true;
        break;
    case win::PictureFormat::Wmf: {
        const win::WindowsMetafile placeable = win::ReadWindowsMetafile(bytes);
        win::HENHMETAFILE handle = win::EnhMetaFileFromWindowsMetafile(placeable);
        if (!handle) {
            throw EInvalidGraphic("Metafile is not valid");
        }
        Replace(handle, std::move(bytes), placeable.unitsPerInch);
        const int inch = placeable.unitsPerInch > 0 ? placeable.unitsPerInch : 1440;
        mmWidth_ = win::MulDiv(win::Width(placeable.bounds), kHundredthMMPerInch, inch);
        mmHeight_ = win::MulDiv(win::Height(placeable.bounds), kHundredthMMPerInch, inch);
        enhanced_ = false;
        break;
    }
    default:
        throw EInvalidGraphic("Metafile is not valid");
    }
    Changed(this);
}

void TMetafile::SaveToStream(rtl::TStream& stream)
{
    if (!handle_) {
        return;
    }
    const std::string bytes = !enhanced_ && !placeable_.empty() ? placeable_ : win::EnhMetaFileBytes(handle_);
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TMetafile::ReadData(rtl::TStream& stream)
{
    const std::int64_t available = stream.Size() - stream.Position();
    if (available < 4) {
        throw rtl::EReadError("The stored metafile has no length");
    }
    std::int32_t length = 0;
    stream.ReadBuffer(&length, 4);
    if (length < 4 || length - 4 > available - 4) {
        throw rtl::EReadError("The stored metafile's length (" + std::to_string(length) +
                              " bytes) does not fit its data (" + std::to_string(available) + " bytes)");
    }
    if (length == 4) {
        return Clear();
    }
    rtl::TMemoryStream metafile;
    metafile.CopyFrom(stream, length - 4);
    metafile.SetPosition(0);
    LoadFromStream(metafile);
}

void TMetafile::WriteData(rtl::TStream& stream)
{
    rtl::TMemoryStream metafile;
    SaveToStream(metafile);
    const auto length = static_cast<std::int32_t>(metafile.Size() + 4);
    stream.WriteBuffer(&length, 4);
    stream.WriteBuffer(metafile.Memory(), metafile.Size());
}

void TMetafile::LoadFromClipboardFormat(win::UINT format, win::HANDLE data, win::HPALETTE)
{
    if (format != win::CF_ENHMETAFILE || !data) {
        throw EInvalidGraphic("Unsupported clipboard format");
    }
    rtl::TMemoryStream stream;
    stream.WriteBuffer(win::GlobalLock(data), std::int64_t(win::GlobalSize(data)));
    win::GlobalUnlock(data);
    stream.SetPosition(0);
    LoadFromStream(stream);
}

void TMetafile::SaveToClipboardFormat(win::UINT& format, win::HANDLE& data, win::HPALETTE& palette)
{
    const std::string bytes = win::EnhMetaFileBytes(handle_);
    if (bytes.empty()) {
        throw EInvalidGraphic("Metafile is empty");
    }
    data = win::GlobalAlloc(win::GMEM_MOVEABLE, bytes.size());
    if (!data) {
        throw rtl::EOutOfResources("Not enough memory to put the metafile on the clipboard");
    }
    std::memcpy(win::GlobalLock(data), bytes.data(), bytes.size());
    win::GlobalUnlock(data);
    format = win::CF_ENHMETAFILE;
    palette = nullptr;
}

int TMetafile::GetWidth() const
{
    return win::MulDiv(mmWidth_, ScreenPixelsPerInch(), kHundredthMMPerInch);
}

int TMetafile::GetHeight() const
{
    return win::MulDiv(mmHeight_, ScreenPixelsPerInch(), kHundredthMMPerInch);
}

void TMetafile::SetWidth(int value)
{
    SetMMWidth(win::MulDiv(value, kHundredthMMPerInch, ScreenPixelsPerInch()));
}

void TMetafile::SetHeight(int value)
{
    SetMMHeight(win::MulDiv(value, kHundredthMMPerInch, ScreenPixelsPerInch()));
}

void TMetafile::SetMMWidth(int value)
{
    if (value != mmWidth_) {
        mmWidth_ = value;
        Changed(this);
    }
}

void TMetafile::SetMMHeight(int value)
{
    if (value != mmHeight_) {
        mmHeight_ = value;
        Changed(this);
    }
}

void TMetafile::SetHandle(win::HENHMETAFILE handle)
{
    if (handle != handle_) {
        Replace(handle, {}, 0);
        Changed(this);
    }
}

win::HENHMETAFILE TMetafile::ReleaseHandle()
{
    win::HENHMETAFILE handle = handle_;
    handle_ = nullptr;
    Replace(nullptr, {}, 0);
    return handle;
}

void TMetafile::Draw(TCanvas& canvas, const win::RECT& rect)
{
    if (handle_) {
        win::PlayEnhMetaFile(canvas.ReadyHandle(), handle_, &rect);
    }
}

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, win::HDC referenceDevice) : metafile_(metafile)
{
    win::HDC screen = referenceDevice ? nullptr : win::CreateCompatibleDC(nullptr);
    win::HDC reference = referenceDevice ? referenceDevice : screen;
    const int horizontalMM = win::GetDeviceCaps(reference, win::HORZSIZE);
    const int verticalMM = win::GetDeviceCaps(reference, win::VERTSIZE);
    if (metafile_->MMWidth() == 0) {
        metafile_->SetMMWidth(metafile_->Width() == 0
                                  ? horizontalMM * 100
                                  : win::MulDiv(metafile_->Width(), horizontalMM * 100,
                                                win::GetDeviceCaps(reference, win::HORZRES)));
    }
    if (metafile_->MMHeight() == 0) {
        metafile_->SetMMHeight(metafile_->Height() == 0
                                   ? verticalMM * 100
                                   : win::MulDiv(metafile_->Height(), verticalMM * 100,
                                                 win::GetDeviceCaps(reference, win::VERTRES)));
    }
    const win::RECT frame{0, 0, metafile_->MMWidth(), metafile_->MMHeight()};
    SetHandle(win::CreateEnhMetaFileA(referenceDevice, nullptr, &frame, nullptr));
    if (screen) {
        win::DeleteDC(screen);
    }
}

TMetafileCanvas::~TMetafileCanvas()
{
    win::HDC recording = RawHandle();
    SetHandle(nullptr);
    if (recording) {
        const int mmWidth = metafile_->MMWidth();
        const int mmHeight = metafile_->MMHeight();
        metafile_->SetHandle(win::CloseEnhMetaFile(recording));
        metafile_->SetMMWidth(mmWidth);
        metafile_->SetMMHeight(mmHeight);
    }
}

const classes::TClassInfo& TMetafileCanvas::StaticClass()
{
    static const classes::TClassInfo info("TMetafileCanvas", &TCanvas::StaticClass());
    return info;
}

}  // namespace gui
