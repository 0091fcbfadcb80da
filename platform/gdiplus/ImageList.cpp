#include "platform/gdiplus/ImageList.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Surface.h"
#include "platform/gdiplus/detail/ImageList.h"
#include "platform/imaging/BmpCodec.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdiplus/detail/GdiPlusPixels.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>

struct win::IMAGELIST__ : win::detail::HandleObject {
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
    int grow = 4;
    int count = 0;
    int capacity = 0;
    int storedCapacity = 0;  // the capacity the stored form read gave, written back as it was
    COLORREF background = win::CLR_NONE;
    HBITMAP image = nullptr;
    HBITMAP mask = nullptr;  // with ILC_MASK only
    std::array<int, 15> overlays;
};

namespace win {

using namespace detail;

namespace {

using detail::AlphaOf;

constexpr std::uint32_t MaskTransparent = 0x00FFFFFF;
constexpr std::uint32_t MaskOpaque = 0;
constexpr std::uint16_t Signature = 0x4C49;  // "IL"
constexpr std::uint16_t Version = 0x0101;
constexpr int HeaderSize = 50;

// The lists live in the handle table, guarded by the GDI lock (their bitmaps live in the GDI anyway).
IMAGELIST__* FindList(HIMAGELIST list)
{
    auto* found = FindHandleOf<IMAGELIST__>(list, HandleKind::ImageList);
    if (!found) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return found;
}

bool ValidIndex(const IMAGELIST__& list, int index) { return index >= 0 && index < list.count; }

bool KeepsAlpha(const IMAGELIST__& list) { return (list.flags & ILC_COLORDDB) == ILC_COLOR32; }

Surface* BitmapSurface(HBITMAP bitmap)
{
    auto* object = FindObjectOf<BitmapObject>(bitmap, OBJ_BITMAP);
    return object ? &object->surface : nullptr;
}

// A bitmap selected into a device context may be drawn on while it is read; the documented API refuses it.
Surface* SourceSurface(HBITMAP bitmap)
{
    auto* object = FindObjectOf<BitmapObject>(bitmap, OBJ_BITMAP);
    if (!object || (object->references > 0 && !object->stock)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    object->Load();
    return &object->surface;
}

HBITMAP NewCells(int cx, int cy, int cells)
{
    return CreateBitmap(cx, cy * std::max(cells, 1), 1, 32, nullptr);
}

// Makes room for capacity images, keeping the images there are; false when memory runs out.
bool Reserve(IMAGELIST__& list, int capacity)
{
    if (capacity <= list.capacity && list.image) {
        return true;
    }
    const HBITMAP image = NewCells(list.cx, list.cy, capacity);
    const HBITMAP mask = (list.flags & ILC_MASK) ? NewCells(list.cx, list.cy, capacity) : nullptr;
    if (!image || ((list.flags & ILC_MASK) && !mask)) {
        DeleteObject(image);
        DeleteObject(mask);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    const auto copy = [&](HBITMAP from, HBITMAP to) {
        if (from && to && list.count > 0) {
            std::memcpy(BitmapSurface(to)->Bits(), BitmapSurface(from)->Bits(),
                        static_cast<std::size_t>(list.cx) * 4 * static_cast<std::size_t>(list.cy) * static_cast<std::size_t>(list.count));
        }
    };
    copy(list.image, image);
    copy(list.mask, mask);
    DeleteObject(list.image);
    DeleteObject(list.mask);
    list.image = image;
    list.mask = mask;
    list.capacity = std::max(capacity, 1);
    return true;
}

std::uint32_t* ImageRow(const IMAGELIST__& list, int index, int y)
{
    return BitmapSurface(list.image)->Row(index * list.cy + y);
}

std::uint32_t* MaskRow(const IMAGELIST__& list, int index, int y)
{
    return list.mask ? BitmapSurface(list.mask)->Row(index * list.cy + y) : nullptr;
}

bool ImageHasAlpha(const IMAGELIST__& list, int index)
{
    for (int y = 0; y < list.cy; ++y) {
        const std::uint32_t* row = ImageRow(list, index, y);
        if (std::any_of(row, row + list.cx, [](std::uint32_t pixel) { return AlphaOf(pixel) != 0; })) {
            return true;
        }
    }
    return false;
}

// Copies cell column of the source bitmaps into image index. An image carries alpha only in a list
// that keeps it and when some pixel of the cell has a fourth byte; otherwise the mask (white where
// transparent) or, without one, nothing is transparent.
void StoreCell(IMAGELIST__& list, int index, const Surface& image, const Surface* mask, int column)
{
    const int left = column * list.cx;
    const auto inside = [&](const Surface& surface, int x, int y) { return x < surface.Width() && y < surface.Height(); };
    bool alpha = false;
    if (KeepsAlpha(list)) {
        for (int y = 0; y < list.cy && !alpha; ++y) {
            for (int x = left; x < left + list.cx && !alpha; ++x) {
                alpha = inside(image, x, y) && AlphaOf(image.Pixel(x, y)) != 0;
            }
        }
    }
    for (int y = 0; y < list.cy; ++y) {
        std::uint32_t* to = ImageRow(list, index, y);
        std::uint32_t* toMask = MaskRow(list, index, y);
        for (int x = 0; x < list.cx; ++x) {
            const int sx = left + x;
            if (!inside(image, sx, y)) {
                to[x] = 0;
                if (toMask) {
                    toMask[x] = MaskTransparent;
                }
                continue;
            }
            const std::uint32_t pixel = image.Pixel(sx, y);
            to[x] = alpha ? pixel : pixel & 0x00FFFFFF;
            bool transparent = false;
            if (alpha) {
                transparent = AlphaOf(pixel) == 0;
            } else if (mask) {
                transparent = !inside(*mask, sx, y) || (mask->Pixel(sx, y) & 0x00FFFFFF) == MaskTransparent;
            }
            if (toMask) {
                toMask[x] = transparent ? MaskTransparent : MaskOpaque;
            }
        }
    }
}

int AddCells(IMAGELIST__& list, const Surface& image, const Surface* mask)
{
    const int cells = std::max(1, image.Width() / list.cx);
    if (list.count + cells > list.capacity) {
        const int needed = list.count + cells;
        const int step = std::max(list.grow, 1);
        if (!Reserve(list, needed + (step - needed % step) % step)) {
            return -1;
        }
    }
    const int first = list.count;
    for (int cell = 0; cell < cells; ++cell) {
        StoreCell(list, first + cell, image, mask, cell);
    }
    list.count += cells;
    return first;
}

COLORREF Resolve(COLORREF color, COLORREF fallback) { return color == CLR_DEFAULT ? fallback : color; }

struct DrawRequest {
    int index = 0;
    POINT at;  // device coordinates
    int width = 0;
    int height = 0;
    UINT style = 0;
    COLORREF background = CLR_NONE;  // resolved; CLR_NONE when drawn transparently
    COLORREF foreground = CLR_NONE;  // resolved
};

// The colour an opaque pixel of the image gets, before it meets the destination.
std::uint32_t BlendStyle(std::uint32_t straight, const DrawRequest& request, std::uint32_t destination)
{
    const int weight = (request.style & ILD_BLEND50) ? 2 : (request.style & ILD_BLEND25) ? 1 : 0;
    if (weight == 0) {
        return straight;
    }
    const std::uint32_t with = request.foreground == CLR_NONE ? destination : PixelFromColor(request.foreground);
    return detail::MixColor(straight, with, weight);
}

void DrawCell(const IMAGELIST__& list, DeviceContext& context, const DrawRequest& request)
{
    const bool alpha = ImageHasAlpha(list, request.index);
    const RECT area{request.at.x, request.at.y, request.at.x + request.width, request.at.y + request.height};
    detail::PaintClipped(context, area, [&](std::uint32_t& destination, int x, int y) {
        const int ix = x - request.at.x;
        const int iy = y - request.at.y;
        const std::uint32_t pixel = ImageRow(list, request.index, iy)[ix];
        const std::uint32_t* maskRow = MaskRow(list, request.index, iy);
        const bool transparent = maskRow && maskRow[ix] == MaskTransparent;
        if (request.style & ILD_MASK) {
            destination = transparent ? MaskTransparent : MaskOpaque;
            return;
        }
        if (request.style & ILD_IMAGE) {
            destination = pixel & 0x00FFFFFF;
            return;
        }
        const std::uint32_t under =
            request.background == CLR_NONE ? destination & 0x00FFFFFF : PixelFromColor(request.background);
        if (alpha) {
            const std::uint32_t colour = BlendStyle(pixel, request, destination & 0x00FFFFFF);
            destination = detail::SourceOver(detail::Premultiply(colour), under | 0xFF000000) & 0x00FFFFFF;
        } else if (transparent) {
            destination = under;
        } else {
            destination = BlendStyle(pixel, request, destination & 0x00FFFFFF) & 0x00FFFFFF;
        }
    });
}

void CopyCell(const IMAGELIST__& from, int fromIndex, IMAGELIST__& to, int toIndex)
{
    for (int y = 0; y < from.cy; ++y) {
        std::copy_n(ImageRow(from, fromIndex, y), from.cx, ImageRow(to, toIndex, y));
        if (to.mask) {
            const std::uint32_t* mask = MaskRow(from, fromIndex, y);
            std::uint32_t* target = MaskRow(to, toIndex, y);
            for (int x = 0; x < from.cx; ++x) {
                target[x] = mask ? mask[x] : MaskOpaque;
            }
        }
    }
}

HIMAGELIST NewList(int cx, int cy, UINT flags, int initial, int grow)
{
    auto list = std::make_unique<IMAGELIST__>();
    list->cx = cx;
    list->cy = cy;
    list->flags = flags;
    list->grow = std::max(grow, 1);
    list->overlays.fill(-1);
    if (!Reserve(*list, std::max(initial, 1))) {
        return nullptr;
    }
    return HandleFromValue<HIMAGELIST>(AddHandle(HandleKind::ImageList, std::move(list)));
}

// Little-endian fields of the stored header.
void Put16(std::string& out, int value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value)
{
    Put16(out, static_cast<int>(value & 0xFFFF));
    Put16(out, static_cast<int>(value >> 16));
}

std::uint32_t ReadStoredValue(const unsigned char* bytes, int offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | bytes[offset + i];
    }
    return value;
}

int GetSigned16(const unsigned char* bytes, int offset)
{
    return static_cast<std::int16_t>(ReadStoredValue(bytes, offset, 2));
}

Image CellsImage(const IMAGELIST__& list, HBITMAP bitmap, bool isMask)
{
    Image image(list.cx, list.cy * list.count);
    const Surface* surface = BitmapSurface(bitmap);
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint32_t* row = surface->Row(y);
        for (int x = 0; x < list.cx; ++x) {
            image.SetPixel(x, y, isMask ? (row[x] | 0xFF000000) : row[x]);
        }
    }
    if (isMask) {
        image.SetPalette({0xFF000000, 0xFFFFFFFF});
    } else {
        image.SetHasAlpha(true);
    }
    return image;
}

// A bitmap file from the stream: its length comes from its file header.
Image ReadBitmapFile(rtl::TStream& stream)
{
    unsigned char header[14];
    stream.ReadBuffer(header, sizeof header);
    const std::uint32_t size = ReadStoredValue(header, 2, 4);
    if (ReadStoredValue(header, 0, 2) != 0x4D42 || size < sizeof header
        || size - sizeof header > static_cast<std::uint64_t>(stream.Size() - stream.Position())) {
        throw EInvalidGraphic("Bitmap image is not valid");
    }
    std::string file(reinterpret_cast<const char*>(header), sizeof header);
    file.resize(size);
    stream.ReadBuffer(file.data() + sizeof header, static_cast<std::int64_t>(size - sizeof header));
    return ReadBmp(file);
}

// Builds a list from the stored form; raises an rtl exception for anything damaged.
HIMAGELIST ReadList(rtl::TStream& stream)
{
    unsigned char header[HeaderSize];
    stream.ReadBuffer(header, sizeof header);
    const int count = static_cast<int>(ReadStoredValue(header, 4, 2));
    const int cx = static_cast<int>(ReadStoredValue(header, 10, 2));
    const int cy = static_cast<int>(ReadStoredValue(header, 12, 2));
    const UINT flags = ReadStoredValue(header, 18, 2);
    if (ReadStoredValue(header, 0, 2) != Signature || ReadStoredValue(header, 2, 2) != Version || cx < 1 || cy < 1) {
        throw EInvalidGraphic("The data is not a stored image list");
    }
    std::optional<Image> image;
    std::optional<Image> mask;
    if (count > 0) {
        image = ReadBitmapFile(stream);
        if (flags & ILC_MASK) {
            mask = ReadBitmapFile(stream);
        }
        const auto fits = [&](const std::optional<Image>& part) {
            return !part || (part->Width() == cx && part->Height() == cy * count);
        };
        if (!fits(image) || !fits(mask)) {
            throw EInvalidGraphic("The bitmaps of a stored image list do not match its size");
        }
    }
    const HIMAGELIST handle = NewList(cx, cy, flags, count, static_cast<int>(ReadStoredValue(header, 8, 2)));
    if (!handle) {
        throw rtl::EOutOfResources("Not enough memory for the image list");
    }
    IMAGELIST__& list = *FindList(handle);
    list.background = ReadStoredValue(header, 14, 4);
    list.storedCapacity = static_cast<int>(ReadStoredValue(header, 6, 2));
    for (int overlay = 0; overlay < 15; ++overlay) {
        list.overlays[static_cast<std::size_t>(overlay)] = GetSigned16(header, 20 + overlay * 2);
    }
    list.count = count;
    for (int y = 0; y < cy * count; ++y) {
        std::uint32_t* row = BitmapSurface(list.image)->Row(y);
        std::uint32_t* maskRow = mask ? BitmapSurface(list.mask)->Row(y) : nullptr;
        for (int x = 0; x < cx; ++x) {
            row[x] = image->HasAlpha() ? image->Pixel(x, y) : image->Pixel(x, y) & 0x00FFFFFF;
            if (maskRow) {
                maskRow[x] = (mask->Pixel(x, y) & 0x00FFFFFF) == MaskTransparent ? MaskTransparent : MaskOpaque;
            }
        }
    }
    return handle;
}

// The drag operation: a private list holding the drag image and, when one is joined, the cursor.
struct DragState {
    HIMAGELIST image = nullptr;
    POINT hotSpot;
    POINT position;
    HWND window = nullptr;
    bool entered = false;
    bool shown = false;
};

DragState& Drag()
{
    static DragState state;
    return state;
}

void DestroyList(HIMAGELIST list)
{
    const auto record = RemoveHandle(HandleValue(list), HandleKind::ImageList);
    if (const auto* found = static_cast<const IMAGELIST__*>(record.get())) {
        DeleteObject(found->image);
        DeleteObject(found->mask);
    }
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow)
{
    if (cx < 1 || cy < 1 || initial < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto lock = LockGdi();
    return NewList(cx, cy, flags, initial, grow);
}

BOOL ImageList_Destroy(HIMAGELIST list)
{
    auto lock = LockGdi();
    if (!FindList(list)) {
        return FALSE;
    }
    if (Drag().image == list) {
        Drag() = DragState{};
    }
    DestroyList(list);
    return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST list)
{
    auto lock = LockGdi();
    const IMAGELIST__* found = FindList(list);
    return found ? found->count : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy)
{
    auto lock = LockGdi();
    const IMAGELIST__* found = FindList(list);
    if (!found || !cx || !cy) {
        return FALSE;
    }
    *cx = found->cx;
    *cy = found->cy;
    return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy)
{
    auto lock = LockGdi();
    IMAGELIST__* found = FindList(list);
    if (!found || cx < 1 || cy < 1) {
        return FALSE;
    }
    const HBITMAP image = NewCells(cx, cy, 1);
    const HBITMAP mask = (found->flags & ILC_MASK) ? NewCells(cx, cy, 1) : nullptr;
    if (!image || ((found->flags & ILC_MASK) && !mask)) {
        DeleteObject(image);
        DeleteObject(mask);
        return FALSE;
    }
    DeleteObject(found->image);
    DeleteObject(found->mask);
    found->image = image;
    found->mask = mask;
    found->cx = cx;
    found->cy = cy;
    found->count = 0;
    found->capacity = 1;
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color)
{
    auto lock = LockGdi();
    IMAGELIST__* found = FindList(list);
    if (!found) {
        return CLR_NONE;
    }
    return std::exchange(found->background, color);
}

COLORREF ImageList_GetBkColor(HIMAGELIST list)
{
    auto lock = LockGdi();
    const IMAGELIST__* found = FindList(list);
    return found ? found->background : CLR_NONE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask)
{
    auto lock = LockGdi();
    IMAGELIST__* found = FindList(list);
    const Surface* imageSurface = found ? SourceSurface(image) : nullptr;
    const Surface* maskSurface = mask ? SourceSurface(mask) : nullptr;
    if (!imageSurface || (mask && !maskSurface)) {
        return -1;
    }
    return AddCells(*found, *imageSurface, maskSurface);
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask)
{
    auto lock = LockGdi();
    IMAGELIST__* found = FindList(list);
    Surface* imageSurface = found ? SourceSurface(image) : nullptr;
    if (!imageSurface) {
        return -1;
    }
    Surface maskSurface(imageSurface->Width(), imageSurface->Height());
    const std::uint32_t key = PixelFromColor(mask);
    for (int y = 0; y < imageSurface->Height(); ++y) {
        std::uint32_t* row = imageSurface->Row(y);
        std::uint32_t* maskRow = maskSurface.Row(y);
        for (int x = 0; x < imageSurface->Width(); ++x) {
            if ((row[x] & 0x00FFFFFF) == key) {
                row[x] = 0;
                maskRow[x] = MaskTransparent;
            }
        }
    }
    return AddCells(*found, *imageSurface, &maskSurface);
}

BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask)
{
    auto lock = LockGdi();
    IMAGELIST__* found = FindList(list);
    const Surface* imageSurface = found && ValidIndex(*found, index) ? SourceSurface(image) : nullptr;
    const Surface* maskSurface = mask ? SourceSurface(mask) : nullptr;
    if (!imageSurface || (mask && !maskSurface)) {
        return FALSE;
    }
    StoreCell(*found, index, *imageSurface, maskSurface, 0);
    return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST list, int index)
{
    auto lock = LockGdi();
    IMAGELIST__* found = FindList(list);
    if (!found || (index != -1 && !ValidIndex(*found, index))) {
        return FALSE;
    }
    if (index == -1) {
        found->count = 0;
        return TRUE;
    }
    for (int next = index + 1; next < found->count; ++next) {
        CopyCell(*found, next, *found, next - 1);
    }
    --found->count;
    return TRUE;
}

BOOL ImageList_SetOverlayImage(HIMAGELIST list, int image, int overlay)
{
    auto lock = LockGdi();
    IMAGELIST__* found = FindList(list);
    if (!found || overlay < 1 || overlay > 15 || (image != -1 && !ValidIndex(*found, image))) {
        return FALSE;
    }
    found->overlays[static_cast<std::size_t>(overlay - 1)] = image;
    return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info)
{
    auto lock = LockGdi();
    const IMAGELIST__* found = FindList(list);
    if (!found || !info || !ValidIndex(*found, index)) {
        return FALSE;
    }
    info->hbmImage = found->image;
    info->hbmMask = found->mask;
    info->rcImage = RECT{0, index * found->cy, found->cx, (index + 1) * found->cy};
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style)
{
    return ImageList_DrawEx(list, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF background,
                      COLORREF foreground, UINT style)
{
    auto lock = LockGdi();
    const IMAGELIST__* found = FindList(list);
    DeviceContext* context = found ? FindDC(dc) : nullptr;
    if (!context || !ValidIndex(*found, index)) {
        return FALSE;
    }
    DrawRequest request;
    request.index = index;
    request.at = context->ToDevice(POINT{x, y});
    request.width = dx > 0 ? std::min(dx, found->cx) : found->cx;
    request.height = dy > 0 ? std::min(dy, found->cy) : found->cy;
    request.style = style;
    request.background = (style & ILD_TRANSPARENT) ? CLR_NONE : Resolve(background, found->background);
    request.foreground = Resolve(foreground, GetSysColor(COLOR_HIGHLIGHT));
    DrawCell(*found, *context, request);
    const int overlay = static_cast<int>((style & ILD_OVERLAYMASK) >> 8);
    if (overlay > 0 && !(style & ILD_MASK)) {
        const int overlayIndex = found->overlays[static_cast<std::size_t>(overlay - 1)];
        if (ValidIndex(*found, overlayIndex)) {
            request.index = overlayIndex;
            request.background = CLR_NONE;
            DrawCell(*found, *context, request);
        }
    }
    return TRUE;
}

BOOL ImageList_Write(HIMAGELIST list, rtl::TStream& stream)
{
    auto lock = LockGdi();
    const IMAGELIST__* found = FindList(list);
    if (!found) {
        return FALSE;
    }
    std::string out;
    Put16(out, Signature);
    Put16(out, Version);
    Put16(out, found->count);
    Put16(out, std::max(found->capacity, found->storedCapacity));
    Put16(out, found->grow);
    Put16(out, found->cx);
    Put16(out, found->cy);
    Put32(out, found->background);
    Put16(out, static_cast<int>(found->flags));
    for (int overlay : found->overlays) {
        Put16(out, overlay);
    }
    if (found->count > 0) {
        out += WriteBmp(CellsImage(*found, found->image, false), 32);
        if (found->mask) {
            out += WriteBmp(CellsImage(*found, found->mask, true), 1);
        }
    }
    stream.WriteBuffer(out.data(), static_cast<std::int64_t>(out.size()));
    return TRUE;
}

HIMAGELIST ImageList_Read(rtl::TStream& stream)
{
    const std::int64_t start = stream.Position();
    try {
        auto lock = LockGdi();
        return ReadList(stream);
    } catch (const rtl::Exception&) {
        stream.SetPosition(start);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

BOOL ImageList_BeginDrag(HIMAGELIST list, int index, int hotSpotX, int hotSpotY)
{
    auto lock = LockGdi();
    const IMAGELIST__* found = FindList(list);
    if (!found || !ValidIndex(*found, index) || Drag().image) {
        return FALSE;
    }
    const HIMAGELIST copy = NewList(found->cx, found->cy, found->flags | ILC_MASK, 1, 1);
    if (!copy) {
        return FALSE;
    }
    IMAGELIST__& cell = *FindList(copy);
    CopyCell(*found, index, cell, 0);
    cell.count = 1;
    Drag() = DragState{copy, POINT{hotSpotX, hotSpotY}, POINT{}, nullptr, false, false};
    return TRUE;
}

void ImageList_EndDrag()
{
    auto lock = LockGdi();
    if (Drag().image) {
        DestroyList(Drag().image);
    }
    Drag() = DragState{};
}

BOOL ImageList_DragEnter(HWND window, int x, int y)
{
    auto lock = LockGdi();
    DragState& drag = Drag();
    if (!drag.image || drag.entered) {
        return FALSE;
    }
    drag.window = window;
    drag.entered = true;
    drag.shown = true;
    drag.position = POINT{x, y};
    return TRUE;
}

BOOL ImageList_DragLeave(HWND window)
{
    auto lock = LockGdi();
    DragState& drag = Drag();
    if (!drag.entered || drag.window != window) {
        return FALSE;
    }
    drag.entered = false;
    drag.shown = false;
    drag.window = nullptr;
    return TRUE;
}

BOOL ImageList_DragMove(int x, int y)
{
    auto lock = LockGdi();
    DragState& drag = Drag();
    if (!drag.image) {
        return FALSE;
    }
    drag.position = POINT{x, y};
    return TRUE;
}

BOOL ImageList_DragShowNolock(BOOL show)
{
    auto lock = LockGdi();
    DragState& drag = Drag();
    if (!drag.image) {
        return FALSE;
    }
    drag.shown = show != FALSE;
    return TRUE;
}

BOOL ImageList_SetDragCursorImage(HIMAGELIST list, int index, int hotSpotX, int hotSpotY)
{
    auto lock = LockGdi();
    DragState& drag = Drag();
    const IMAGELIST__* cursor = FindList(list);
    if (!drag.image || !cursor || !ValidIndex(*cursor, index)) {
        return FALSE;
    }
    // Both hot spots land on one point; the joined image spans both.
    const IMAGELIST__& old = *FindList(drag.image);
    const POINT oldAt{std::max(0, hotSpotX - drag.hotSpot.x), std::max(0, hotSpotY - drag.hotSpot.y)};
    const POINT cursorAt{oldAt.x + drag.hotSpot.x - hotSpotX, oldAt.y + drag.hotSpot.y - hotSpotY};
    const int width = std::max(oldAt.x + old.cx, cursorAt.x + cursor->cx);
    const int height = std::max(oldAt.y + old.cy, cursorAt.y + cursor->cy);
    const HIMAGELIST joined = NewList(width, height, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (!joined) {
        return FALSE;
    }
    IMAGELIST__& joinedList = *FindList(joined);
    joinedList.count = 1;
    for (int y = 0; y < height; ++y) {
        std::fill_n(MaskRow(joinedList, 0, y), width, MaskTransparent);
    }
    const auto paste = [&](const IMAGELIST__& from, int fromIndex, POINT at) {
        for (int y = 0; y < from.cy; ++y) {
            const std::uint32_t* mask = MaskRow(from, fromIndex, y);
            for (int x = 0; x < from.cx; ++x) {
                if (!mask || mask[x] == MaskOpaque) {
                    ImageRow(joinedList, 0, at.y + y)[at.x + x] = ImageRow(from, fromIndex, y)[x];
                    MaskRow(joinedList, 0, at.y + y)[at.x + x] = MaskOpaque;
                }
            }
        }
    };
    paste(old, 0, oldAt);
    paste(*cursor, index, cursorAt);
    DestroyList(drag.image);
    drag.image = joined;
    drag.hotSpot = POINT{oldAt.x + drag.hotSpot.x, oldAt.y + drag.hotSpot.y};
    return TRUE;
}

std::optional<HWND> DragImageShown()
{
    auto lock = LockGdi();
    const DragState& drag = Drag();
    if (!drag.entered || !drag.shown) {
        return std::nullopt;
    }
    return drag.window;
}

HIMAGELIST ImageList_GetDragImage(POINT* position, POINT* hotSpot)
{
    auto lock = LockGdi();
    const DragState& drag = Drag();
    if (!drag.image) {
        return nullptr;
    }
    if (position) {
        *position = drag.position;
    }
    if (hotSpot) {
        *hotSpot = drag.hotSpot;
    }
    return drag.image;
}

void detail::FinalizeImageLists()
{
    auto lock = LockGdi();
    Drag() = DragState{};
    for (const auto& record : RemoveHandles(HandleKind::ImageList)) {
        const auto& list = static_cast<const IMAGELIST__&>(*record);
        DeleteObject(list.image);
        DeleteObject(list.mask);
    }
}

}  // namespace win
