#include "platform/gui/graphics/Bitmap.h"

#include "platform/classes/Resources.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gui/graphics/detail/LittleEndian.h"
#include "platform/imaging/BmpCodec.h"
#include "platform/win/Clipboard.h"
#include "platform/win/GlobalMemory.h"

#include <cstring>
#include <unordered_map>

namespace gui {

namespace {

using detail::PutU16;
using detail::PutU32;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// MaskBlt: keep the destination where the mask is 1, copy the source where it is 0.
constexpr win::DWORD kDestinationCopy = 0x00AA0029;

int DepthOf(TPixelFormat format)
{
    switch (format) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
    case pf16bit:
    case pf24bit:
        return 24;
    default:
        return 32;
    }
}

TPixelFormat FormatOf(int depth)
{
    switch (depth) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 24:
        return pf24bit;
    default:
        return pf32bit;
    }
}

int RowBytes(int width, int depth)
{
    return (width * depth + 31) / 32 * 4;
}

// Colour tables as 0x00RRGGBB (the RGBQUAD order in memory).
std::vector<std::uint32_t> DefaultTable(int depth)
{
    static const std::uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                          0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                          0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    if (depth == 1) {
        return {0x000000, 0xFFFFFF};
    }
    std::vector<std::uint32_t> table(std::begin(vga), std::end(vga));
    if (depth == 8) {
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    table.push_back(std::uint32_t(r * 51) << 16 | std::uint32_t(g * 51) << 8 | std::uint32_t(b * 51));
        for (int grey = 1; table.size() < 256; ++grey) {
            const std::uint32_t level = std::uint32_t(grey * 255 / 25);
            table.push_back(level << 16 | level << 8 | level);
        }
    }
    return depth <= 8 ? table : std::vector<std::uint32_t>{};
}

// A BITMAPINFO with room for a full colour table.
class DibInfo {
public:
    DibInfo(int width, int height, int depth, const std::vector<std::uint32_t>& table)
        : storage_((kInfoHeaderSize + 256 * 4) / 4, 0)
    {
        win::BITMAPINFOHEADER& header = Info()->bmiHeader;
        header = win::BITMAPINFOHEADER();
        header.biWidth = width;
        header.biHeight = height;
        header.biBitCount = static_cast<win::WORD>(depth);
        header.biClrUsed = static_cast<win::DWORD>(table.size());
        std::copy(table.begin(), table.end(), storage_.begin() + kInfoHeaderSize / 4);
    }
    win::BITMAPINFO* Info() { return reinterpret_cast<win::BITMAPINFO*>(storage_.data()); }
    std::uint32_t* Table() { return storage_.data() + kInfoHeaderSize / 4; }

private:
    std::vector<std::uint32_t> storage_;
};

// A bottom-up DIB section.
win::HBITMAP NewSection(int width, int height, int depth, const std::vector<std::uint32_t>& table, void** bits)
{
    DibInfo info(width, height, depth, table);
    void* ignored = nullptr;
    win::HBITMAP section =
        win::CreateDIBSection(nullptr, info.Info(), win::DIB_RGB_COLORS, bits ? bits : &ignored, nullptr, 0);
    if (!section) {
        throw rtl::EOutOfResources("Out of system resources: a bitmap of " + std::to_string(width) + " x " +
                                   std::to_string(height) + " pixels cannot be made");
    }
    return section;
}

std::vector<std::uint32_t> TableOf(win::HBITMAP bitmap, int depth)
{
    if (depth > 8) {
        return {};
    }
    win::BITMAP record;
    win::GetObject(bitmap, sizeof record, &record);
    DibInfo info(record.bmWidth, record.bmHeight, depth, {});
    win::GetDIBits(nullptr, bitmap, 0, win::UINT(record.bmHeight), nullptr, info.Info(), win::DIB_RGB_COLORS);
    return std::vector<std::uint32_t>(info.Table(), info.Table() + (1 << depth));
}

// Copies a picture from a context into a bitmap (the target keeps what lies outside); a colour source
// becomes white on a monochrome target where it has the background colour.
void CopyPicture(win::HDC source, win::HBITMAP to, int width, int height, win::COLORREF sourceBackground)
{
    win::HDC target = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ oldTarget = win::SelectObject(target, to);
    const win::COLORREF background = win::SetBkColor(source, sourceBackground);
    win::BitBlt(target, 0, 0, width, height, source, 0, 0, win::SRCCOPY);
    win::SetBkColor(source, background);
    win::SelectObject(target, oldTarget);
    win::DeleteDC(target);
}

// The same from a bitmap no context holds.
void CopyPicture(win::HBITMAP from, win::HBITMAP to, int width, int height, win::COLORREF sourceBackground)
{
    win::HDC source = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ oldSource = win::SelectObject(source, from);
    CopyPicture(source, to, width, height, sourceBackground);
    win::SelectObject(source, oldSource);
    win::DeleteDC(source);
}

void FillWhite(win::HBITMAP bitmap, int width, int height)
{
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, bitmap);
    win::PatBlt(dc, 0, 0, width, height, win::WHITENESS);
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
}

std::uint32_t U16At(std::string_view data, std::size_t at)
{
    return at + 2 <= data.size() ? std::uint32_t(std::uint8_t(data[at])) | std::uint32_t(std::uint8_t(data[at + 1])) << 8
                                 : 0;
}

std::uint32_t U32At(std::string_view data, std::size_t at)
{
    return U16At(data, at) | U16At(data, at + 2) << 16;
}

// The depth a bitmap file keeps: its own, 16 bits as 24.
int FileDepth(std::string_view file)
{
    const std::uint32_t headerSize = U32At(file, kFileHeaderSize);
    const std::uint32_t bits = U16At(file, kFileHeaderSize + (headerSize == 12 ? 10 : 14));
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 ? int(bits) : bits == 16 ? 24 : 32;
}



}  // namespace

// --- bitmap files ---

win::HBITMAP ReadBitmapFile(std::string_view file, int& depth)
{
    const win::Image image = win::ReadBmp(file);
    depth = FileDepth(file);
    std::vector<std::uint32_t> table;
    std::unordered_map<std::uint32_t, int> indexOf;
    if (depth <= 8) {
        for (std::uint32_t colour : image.Palette()) {
            indexOf.emplace(colour & 0x00FFFFFF, int(table.size()));
            table.push_back(colour & 0x00FFFFFF);
        }
        if (table.empty() || table.size() > (std::size_t{1} << depth)) {
            depth = 24;
            table.clear();
        }
    }
    const int width = image.Width();
    const int height = image.Height();
    void* bits = nullptr;
    win::HBITMAP section = NewSection(width, height, depth, table, &bits);
    const int stride = RowBytes(width, depth);
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<std::uint8_t*>(bits) + std::size_t(height - 1 - y) * std::size_t(stride);
        const std::uint32_t* pixels = image.Row(y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = pixels[x];
            if (depth == 32) {
                const std::uint32_t stored = image.HasAlpha() ? pixel : pixel & 0x00FFFFFF;
                std::memcpy(row + x * 4, &stored, 4);
            } else if (depth == 24) {
                row[x * 3] = std::uint8_t(pixel);
                row[x * 3 + 1] = std::uint8_t(pixel >> 8);
                row[x * 3 + 2] = std::uint8_t(pixel >> 16);
            } else {
                const auto found = indexOf.find(pixel & 0x00FFFFFF);
                const int index = found == indexOf.end() ? 0 : found->second;
                const int perByte = 8 / depth;
                const int shift = (perByte - 1 - x % perByte) * depth;
                row[x / perByte] = std::uint8_t(row[x / perByte] | index << shift);
            }
        }
    }
    return section;
}

std::string WriteBitmapFile(win::HBITMAP bitmap, int depth)
{
    win::BITMAP record;
    if (!win::GetObject(bitmap, sizeof record, &record)) {
        throw EInvalidGraphic("Bitmap image is not valid");
    }
    const int width = record.bmWidth;
    const int height = record.bmHeight;
    const std::vector<std::uint32_t> table = depth <= 8 ? TableOf(bitmap, depth) : std::vector<std::uint32_t>{};
    DibInfo info(width, height, depth, table);
    const std::size_t imageSize = std::size_t(RowBytes(width, depth)) * std::size_t(height);
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize + table.size() * 4;
    std::string file;
    file.reserve(offset + imageSize);
    file += "BM";
    PutU32(file, std::uint32_t(offset + imageSize));
    PutU32(file, 0);
    PutU32(file, std::uint32_t(offset));
    PutU32(file, kInfoHeaderSize);
    PutU32(file, std::uint32_t(width));
    PutU32(file, std::uint32_t(height));
    PutU16(file, 1);
    PutU16(file, std::uint32_t(depth));
    PutU32(file, 0);  // BI_RGB
    PutU32(file, std::uint32_t(imageSize));
    PutU32(file, 0);
    PutU32(file, 0);
    PutU32(file, std::uint32_t(table.size()));
    PutU32(file, 0);
    for (std::uint32_t colour : table) {
        PutU32(file, colour);
    }
    std::string bits(imageSize, '\0');
    if (win::GetDIBits(nullptr, bitmap, 0, win::UINT(height), bits.data(), info.Info(), win::DIB_RGB_COLORS) != height) {
        throw EInvalidGraphic("Bitmap image is not valid");
    }
    return file + bits;
}

win::HBITMAP BitmapOfImage(const win::Image& image, bool premultipliedAlpha)
{
    void* bits = nullptr;
    win::HBITMAP section = NewSection(image.Width(), image.Height(), 32, {}, &bits);
    auto* out = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint32_t* row = image.Row(y);
        std::uint32_t* target = out + std::size_t(image.Height() - 1 - y) * std::size_t(image.Width());
        for (int x = 0; x < image.Width(); ++x) {
            const std::uint32_t pixel = row[x];
            if (!premultipliedAlpha) {
                target[x] = pixel & 0x00FFFFFF;
                continue;
            }
            const std::uint32_t a = image.HasAlpha() ? pixel >> 24 : 255;
            const auto scale = [a](std::uint32_t c) { return (c * a + 127) / 255; };
            target[x] = a << 24 | scale(pixel >> 16 & 0xFF) << 16 | scale(pixel >> 8 & 0xFF) << 8 | scale(pixel & 0xFF);
        }
    }
    return section;
}

win::Image ImageOfBitmap(win::HBITMAP bitmap)
{
    win::BITMAP record;
    if (!win::GetObject(bitmap, sizeof record, &record)) {
        throw EInvalidGraphic("Bitmap image is not valid");
    }
    const int height = std::abs(record.bmHeight);
    win::Image image(record.bmWidth, height);
    DibInfo info(record.bmWidth, -height, 32, {});
    std::vector<std::uint32_t> pixels(std::size_t(record.bmWidth) * std::size_t(height));
    win::GetDIBits(nullptr, bitmap, 0, win::UINT(height), pixels.data(), info.Info(), win::DIB_RGB_COLORS);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < record.bmWidth; ++x) {
            image.SetPixel(x, y, 0xFF000000 | pixels[std::size_t(y) * std::size_t(record.bmWidth) + std::size_t(x)]);
        }
    }
    return image;
}

// --- the canvas ---

class TBitmap::BitmapCanvas : public TCanvas {
public:
    explicit BitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
    ~BitmapCanvas() override { FreeContext(); }

    void FreeContext()
    {
        if (dc_) {
            win::HDC dc = dc_;
            dc_ = nullptr;
            SetHandle(nullptr);
            win::SelectObject(dc, oldBitmap_);
            win::DeleteDC(dc);
        }
    }

protected:
    void CreateHandle() override
    {
        bitmap_.HandleNeeded();
        dc_ = win::CreateCompatibleDC(nullptr);
        oldBitmap_ = bitmap_.handle_ ? win::SelectObject(dc_, bitmap_.handle_) : nullptr;
        SetHandle(dc_);
    }

private:
    TBitmap& bitmap_;
    win::HDC dc_ = nullptr;
    win::HGDIOBJ oldBitmap_ = nullptr;
};

// --- TBitmap ---

TBitmap::TBitmap() = default;

TBitmap::~TBitmap()
{
    FreeContext();
    canvas_.reset();
    DropMask();
    if (handle_) {
        win::DeleteObject(handle_);
    }
}

const classes::TClassInfo& TBitmap::StaticClass()
{
    static const classes::TClassInfo info("TBitmap", &TGraphic::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TBitmap>{c}; });
    return info;
}

void TBitmap::Replace(win::HBITMAP handle, int width, int height, TPixelFormat format, std::string file)
{
    FreeContext();
    DropMask();
    if (handle_ && handle_ != handle) {
        win::DeleteObject(handle_);
    }
    handle_ = handle;
    width_ = width;
    height_ = height;
    format_ = format;
    file_ = std::move(file);
}

void TBitmap::FreeContext()
{
    if (canvas_) {
        static_cast<BitmapCanvas&>(*canvas_).FreeContext();
    }
}

void TBitmap::DropMask()
{
    if (mask_) {
        win::DeleteObject(mask_);
        mask_ = nullptr;
    }
}

void TBitmap::HandleNeeded()
{
    if (!handle_ && !file_.empty()) {
        int depth = 0;
        handle_ = ReadBitmapFile(file_, depth);
    }
}

void TBitmap::Changing(classes::TObject*)
{
    HandleNeeded();
    file_.clear();
    DropMask();
}

void TBitmap::Changed(classes::TObject* sender)
{
    DropMask();
    TGraphic::Changed(sender);
}

std::string TBitmap::FileBytes()
{
    if (!file_.empty()) {
        return file_;
    }
    return handle_ ? WriteBitmapFile(handle_, DepthOf(format_)) : std::string();
}

TCanvas* TBitmap::Canvas()
{
    if (!canvas_) {
        canvas_ = std::make_unique<BitmapCanvas>(*this);
        canvas_->OnChanging = classes::TNotifyEvent::Of<&TBitmap::Changing>(this);
        canvas_->OnChange = classes::TNotifyEvent::Of<&TBitmap::Changed>(this);
    }
    return canvas_.get();
}

void TBitmap::Assign(const classes::TPersistent* source)
{
    if (!source) {
        Replace(nullptr, 0, 0, pfDevice, {});
        return Changed(this);
    }
    if (source == this) {
        return;
    }
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        auto& other = const_cast<TBitmap&>(*bitmap);
        const std::string bytes = other.FileBytes();
        if (bytes.empty()) {
            Replace(nullptr, 0, 0, other.format_, {});
        } else {
            int depth = 0;
            win::HBITMAP copy = ReadBitmapFile(bytes, depth);
            Replace(copy, other.width_, other.height_, other.format_, other.file_);
        }
        transparent_ = other.transparent_;
        transparentColor_ = other.transparentColor_;
        transparentMode_ = other.transparentMode_;
        return Changed(this);
    }
    if (const auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        auto& other = const_cast<TGraphic&>(*graphic);
        Replace(nullptr, 0, 0, pfDevice, {});
        if (!other.Empty()) {
            SetSize(other.Width(), other.Height());
            Canvas()->Draw(0, 0, &other);
        }
        return Changed(this);
    }
    TGraphic::Assign(source);
}

void TBitmap::LoadFromStream(rtl::TStream& stream)
{
    std::string bytes = ReadRest(stream);
    int depth = 0;
    win::HBITMAP section = ReadBitmapFile(bytes, depth);
    win::BITMAP record;
    win::GetObject(section, sizeof record, &record);
    Replace(section, record.bmWidth, record.bmHeight, FormatOf(depth), std::move(bytes));
    Changed(this);
}

void TBitmap::SaveToStream(rtl::TStream& stream)
{
    const std::string bytes = FileBytes();
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TBitmap::ReadData(rtl::TStream& stream)
{
    const std::int64_t available = stream.Size() - stream.Position();
    if (available < 4) {
        throw rtl::EReadError("The stored bitmap has no length");
    }
    std::uint32_t length = 0;
    stream.ReadBuffer(&length, 4);
    if (length > available - 4) {
        throw rtl::EReadError("The stored bitmap's length (" + std::to_string(length) +
                              " bytes) runs past the end of its data (" + std::to_string(available - 4) + " bytes)");
    }
    if (length == 0) {
        Replace(nullptr, 0, 0, pfDevice, {});
        return Changed(this);
    }
    rtl::TMemoryStream bitmap;
    bitmap.CopyFrom(stream, length);
    bitmap.SetPosition(0);
    LoadFromStream(bitmap);
}

void TBitmap::WriteData(rtl::TStream& stream)
{
    const std::string bytes = FileBytes();
    const auto length = static_cast<std::uint32_t>(bytes.size());
    stream.WriteBuffer(&length, 4);
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TBitmap::LoadFromClipboardFormat(win::UINT format, win::HANDLE data, win::HPALETTE)
{
    if (format == win::CF_BITMAP) {
        win::BITMAP record;
        if (!data || !win::GetObject(data, sizeof record, &record)) {
            throw EInvalidGraphic("Bitmap image is not valid");
        }
        win::HBITMAP copy = NewSection(record.bmWidth, record.bmHeight, record.bmBitsPixel == 1 ? 1 : 32,
                                       DefaultTable(record.bmBitsPixel == 1 ? 1 : 32), nullptr);
        CopyPicture(static_cast<win::HBITMAP>(data), copy, record.bmWidth, record.bmHeight, win::RGB(255, 255, 255));
        Replace(copy, record.bmWidth, record.bmHeight, record.bmBitsPixel == 1 ? pf1bit : pfDevice, {});
        return Changed(this);
    }
    if (format != win::CF_DIB || !data) {
        throw EInvalidGraphic("Unsupported clipboard format");
    }
    const auto* packed = static_cast<const char*>(win::GlobalLock(data));
    const std::string_view dib(packed, win::GlobalSize(data));
    const std::uint32_t headerSize = U32At(dib, 0);
    const std::uint32_t bits = U16At(dib, headerSize == 12 ? 10 : 14);
    const std::uint32_t used = headerSize == 12 ? 0 : U32At(dib, 32);
    const std::uint32_t colours = used ? used : bits <= 8 ? 1u << bits : 0;
    const std::uint32_t masks = headerSize == 40 && U32At(dib, 16) == win::BI_BITFIELDS ? 12 : 0;
    std::string file = "BM";
    PutU32(file, std::uint32_t(kFileHeaderSize + dib.size()));
    PutU32(file, 0);
    PutU32(file, std::uint32_t(kFileHeaderSize + headerSize + masks + colours * (headerSize == 12 ? 3 : 4)));
    file += dib;
    win::GlobalUnlock(data);
    rtl::TMemoryStream stream;
    stream.WriteBuffer(file.data(), std::int64_t(file.size()));
    stream.SetPosition(0);
    LoadFromStream(stream);
}

void TBitmap::SaveToClipboardFormat(win::UINT& format, win::HANDLE& data, win::HPALETTE& palette)
{
    const std::string file = FileBytes();
    if (file.size() <= kFileHeaderSize) {
        throw EInvalidGraphic("Bitmap is empty");
    }
    data = win::GlobalAlloc(win::GMEM_MOVEABLE, file.size() - kFileHeaderSize);
    if (!data) {
        throw rtl::EOutOfResources("Not enough memory to put the bitmap on the clipboard");
    }
    std::memcpy(win::GlobalLock(data), file.data() + kFileHeaderSize, file.size() - kFileHeaderSize);
    win::GlobalUnlock(data);
    format = win::CF_DIB;
    palette = nullptr;
}

void TBitmap::LoadFromResourceName(win::HINSTANCE, const std::string& name)
{
    classes::TResourceStream stream(name, classes::RT_BITMAP);
    LoadFromStream(stream);
}

void TBitmap::LoadFromResourceID(win::HINSTANCE, int id)
{
    classes::TResourceStream stream(id, classes::RT_BITMAP);
    LoadFromStream(stream);
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) {
        return;
    }
    HandleNeeded();
    const int depth = DepthOf(format_);
    if (width == 0 || height == 0) {
        Replace(nullptr, width, height, format_, {});
        return Changed(this);
    }
    win::HBITMAP resized = NewSection(width, height, depth, handle_ ? TableOf(handle_, depth) : DefaultTable(depth),
                                      nullptr);
    FillWhite(resized, width, height);
    if (handle_) {
        CopyPicture(Canvas()->ReadyHandle(), resized, std::min(width, width_), std::min(height, height_),
                    win::RGB(255, 255, 255));
    }
    Replace(resized, width, height, format_, {});
    Changed(this);
}

win::HBITMAP TBitmap::Handle()
{
    // The caller may select the bitmap into a context of its own, which it can be in only one of.
    FreeContext();
    HandleNeeded();
    Changing(this);
    return handle_;
}

void TBitmap::SetHandle(win::HBITMAP handle)
{
    if (handle == handle_) {
        return;
    }
    if (!handle) {
        Replace(nullptr, 0, 0, pfDevice, {});
        return Changed(this);
    }
    win::DIBSECTION section;
    const int size = win::GetObject(handle, sizeof section, &section);
    if (!size) {
        throw EInvalidGraphic("Bitmap image is not valid");
    }
    const win::BITMAP& record = section.dsBm;
    const int depth = record.bmBitsPixel;
    if (size == int(sizeof section) && (depth == 1 || depth == 4 || depth == 8 || depth == 24 || depth == 32)) {
        Replace(handle, record.bmWidth, std::abs(record.bmHeight), FormatOf(depth), {});
    } else {
        const int kept = depth == 1 ? 1 : 32;
        win::HBITMAP copy = NewSection(record.bmWidth, record.bmHeight, kept, DefaultTable(kept), nullptr);
        CopyPicture(handle, copy, record.bmWidth, record.bmHeight, win::RGB(255, 255, 255));
        win::DeleteObject(handle);
        Replace(copy, record.bmWidth, record.bmHeight, FormatOf(kept), {});
    }
    Changed(this);
}

win::HBITMAP TBitmap::ReleaseHandle()
{
    HandleNeeded();
    FreeContext();
    DropMask();
    win::HBITMAP handle = handle_;
    handle_ = nullptr;
    Replace(nullptr, 0, 0, format_, {});
    return handle;
}

void TBitmap::SetPixelFormat(TPixelFormat value)
{
    if (value == format_) {
        return;
    }
    const int depth = DepthOf(value);
    HandleNeeded();
    if (!handle_ || depth == DepthOf(format_)) {
        format_ = value;
        return;
    }
    win::HBITMAP converted = NewSection(width_, height_, depth, DefaultTable(depth), nullptr);
    CopyPicture(Canvas()->ReadyHandle(), converted, width_, height_, win::RGB(255, 255, 255));
    Replace(converted, width_, height_, value, {});
    Changed(this);
}

void* TBitmap::ScanLine(int row)
{
    HandleNeeded();
    if (!handle_ || row < 0 || row >= height_) {
        throw EInvalidGraphic("Scan line index out of range");
    }
    Changing(this);
    // Drawing on a DIB section reaches its memory only when flushed; the caller reads the row directly.
    win::GdiFlush();
    win::DIBSECTION section;
    win::GetObject(handle_, sizeof section, &section);
    const int stored = section.dsBmih.biHeight > 0 ? height_ - 1 - row : row;
    return static_cast<std::uint8_t*>(section.dsBm.bmBits) + std::size_t(stored) * std::size_t(section.dsBm.bmWidthBytes);
}

TColor TBitmap::TransparentColor()
{
    if (transparentColor_ != clDefault) {
        return static_cast<TColor>(ColorToRGB(transparentColor_));
    }
    if (Monochrome()) {
        return clWhite;
    }
    HandleNeeded();
    if (!handle_) {
        return clDefault;
    }
    return static_cast<TColor>(win::GetPixel(Canvas()->ReadyHandle(), 0, height_ - 1));
}

void TBitmap::SetTransparentColor(TColor value)
{
    if (value != transparentColor_) {
        transparentColor_ = value;
        transparentMode_ = value == clDefault ? tmAuto : tmFixed;
        Changed(this);
    }
}

void TBitmap::SetTransparentMode(TTransparentMode value)
{
    if (value != transparentMode_) {
        SetTransparentColor(value == tmAuto ? clDefault : TransparentColor());
    }
}

win::HBITMAP TBitmap::MaskHandle()
{
    HandleNeeded();
    if (!mask_ && handle_) {
        const win::COLORREF transparent = ColorToRGB(TransparentColor());
        mask_ = NewSection(width_, height_, 1, DefaultTable(1), nullptr);
        CopyPicture(Canvas()->ReadyHandle(), mask_, width_, height_, transparent);
    }
    return mask_;
}

void TBitmap::Mask(TColor transparentColor)
{
    HandleNeeded();
    if (!handle_) {
        return;
    }
    win::HBITMAP mask = NewSection(width_, height_, 1, DefaultTable(1), nullptr);
    CopyPicture(Canvas()->ReadyHandle(), mask, width_, height_, ColorToRGB(transparentColor));
    Replace(mask, width_, height_, pf1bit, {});
    Changed(this);
}

void TBitmap::Dormant()
{
    if (!handle_) {
        return;
    }
    file_ = FileBytes();
    FreeContext();
    DropMask();
    win::DeleteObject(handle_);
    handle_ = nullptr;
}

void TBitmap::FreeImage()
{
    HandleNeeded();
    file_.clear();
}

void TBitmap::Draw(TCanvas& canvas, const win::RECT& rect)
{
    HandleNeeded();
    if (GetEmpty() || !handle_) {
        return;
    }
    win::HDC source = Canvas()->ReadyHandle();
    win::HDC target = canvas.ReadyHandle();
    const int width = win::Width(rect);
    const int height = win::Height(rect);
    if (!Transparent()) {
        win::StretchBlt(target, rect.left, rect.top, width, height, source, 0, 0, width_, height_,
                        static_cast<win::DWORD>(canvas.CopyMode()));
    } else if (width == width_ && height == height_) {
        win::MaskBlt(target, rect.left, rect.top, width, height, source, 0, 0, MaskHandle(), 0, 0,
                     win::MAKEROP4(kDestinationCopy, win::SRCCOPY));
    } else {
        win::TransparentBlt(target, rect.left, rect.top, width, height, source, 0, 0, width_, height_,
                            ColorToRGB(TransparentColor()));
    }
}

}  // namespace gui
