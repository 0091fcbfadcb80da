#pragma once
// The GDI's object records and their table (see GdiObjects.h): the records behind the handles, the one
// lock that guards them, and the helpers the drawing units find and add objects with.

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/detail/Handles.h"
#include "platform/gdi/detail/LockOrder.h"
#include "platform/gdi/detail/Surface.h"
#include "platform/wintypes/LogFont.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

namespace win::detail {

struct GdiObject : HandleObject {
    explicit GdiObject(DWORD objectType) : type(objectType) {}

    DWORD type;
    HGDIOBJ handle = nullptr;
    bool stock = false;
    int references = 0;  // device-context states holding the object
    HDC owner = nullptr;  // for a bitmap with references: the device context holding it
};

struct BrushObject : GdiObject {
    BrushObject() : GdiObject(OBJ_BRUSH) {}
    LOGBRUSH logBrush;
    int sysColor = -1;  // for the brushes of the colour scheme: its index, the colour read at each use
    // Pattern brushes: a copy of the pattern, taken when the brush is made. A monochrome pattern holds
    // black for its 0 bits and white for its 1 bits, painted in the text and background colours.
    std::shared_ptr<const Surface> pattern;
    bool monochrome = false;
    COLORREF Color() const;
    bool IsNull() const { return logBrush.lbStyle == BS_NULL; }
};

struct PenObject : GdiObject {
    PenObject() : GdiObject(OBJ_PEN) {}
    LOGPEN logPen;
    // Pens from ExtCreatePen: the full style (type, end cap, join) and the user style's lengths.
    bool extended = false;
    DWORD extStyle = 0;
    std::vector<DWORD> dashes;
};

struct FontObject : GdiObject {
    FontObject() : GdiObject(OBJ_FONT) {}
    LOGFONT logFont;
};

// A bitmap keeps its own bits in its own depth: 1, 4, 8, 16 (5-5-5), 24 or 32 bits per pixel, rows rounded
// up to 4 bytes, top-down or (DIB sections of positive height) bottom-up. Drawing works on a 32-bit
// surface: for 32 bits it is a view of the bits themselves (the top byte the alpha). For fewer it is a
// shadow of the bits that a drawing call prepares for the area it touches (Load) and marks as changed
// (Touch); what was drawn reaches the bits when they are read (GetDIBits, GetBitmapBits, GetObject), when
// the bitmap leaves its device context, or at GdiFlush, as the API has callers flush before they read a
// DIB section's memory. What the caller writes into that memory is seen by the next call that touches
// it: a copy of the bits as the surface last met them (mirror) tells which bytes changed. So a drawing
// call costs what it draws, not the size of the bitmap.
struct BitmapObject : GdiObject {
    // Raises rtl::EInvalidArgument for a depth other than 1, 4, 8, 16, 24 or 32 bits or a negative size and
    // rtl::EOutOfResources for one too large. New bits are 0: black, or palette entry 0.
    BitmapObject(int width, int height, int bitsPerPixel = 32, bool dibSection = false, bool topDown = true);
    ~BitmapObject() override;

    int bitsPerPixel;
    bool dibSection;
    bool topDown;
    std::vector<std::uint32_t> palette;  // 1, 4 and 8 bits: the colours, 0x00RRGGBB
    int rowBytes;  // from one row of the bits to the next
    std::vector<std::uint32_t> memory;  // the bits; words so that a 32-bit view is aligned
    Surface surface;  // what drawing works on
    std::vector<std::uint8_t> mirror;  // below 32 bits: the bits as the surface last met them
    RECT dirty;  // below 32 bits: surface pixels not yet written to the bits
    RECT unsettled;  // within dirty: pixels that may hold colours the bits cannot

    int Width() const { return surface.Width(); }
    int Height() const { return surface.Height(); }
    std::uint8_t* Bits() { return reinterpret_cast<std::uint8_t*>(memory.data()); }
    const std::uint8_t* Bits() const { return reinterpret_cast<const std::uint8_t*>(memory.data()); }
    // The bits of row y (0 the top row).
    std::uint8_t* BitsRow(int y) { return Bits() + static_cast<std::ptrdiff_t>(topDown ? y : Height() - 1 - y) * rowBytes; }
    const std::uint8_t* BitsRow(int y) const { return Bits() + static_cast<std::ptrdiff_t>(topDown ? y : Height() - 1 - y) * rowBytes; }

    // Below 32 bits (nothing to do at 32): prepares the surface's area (surface coordinates) for a call:
    // what the caller wrote there is loaded and, when the call reads pixels, they hold the colours the
    // bits can keep.
    void Load(const RECT& area, bool reads = true);
    void Load() { Load(surface.Bounds()); }
    // Notes drawing on an area of the surface.
    void Touch(const RECT& area);
    // Writes what was drawn to the bits.
    void Flush();
    // The surface made anew from the bits (a new palette, new bits).
    void Reload();

private:
    void Settle(const RECT& area);
};

struct PaletteObject : GdiObject {
    PaletteObject() : GdiObject(OBJ_PAL) {}
    WORD entries = 0;
    std::vector<PALETTEENTRY> colors;
};

using GdiLock = RankedLock<std::recursive_mutex, LockRank::Gdi>;
GdiLock LockGdi();
// Gives the object a handle; null with ERROR_NOT_ENOUGH_MEMORY when the table is full.
HGDIOBJ AddObject(std::unique_ptr<GdiObject> object);
// The live object of a handle, or null with ERROR_INVALID_HANDLE set.
GdiObject* FindObject(HGDIOBJ handle);
template <class Object>
Object* FindObjectOf(HGDIOBJ handle, DWORD type)
{
    GdiObject* object = FindObject(handle);
    if (!object || object->type != type) {
        if (object) {
            SetLastError(ERROR_INVALID_HANDLE);
        }
        return nullptr;
    }
    return static_cast<Object*>(object);
}
// Removes a record regardless of the deletion rules (the device-context unit deletes contexts so).
void RemoveObject(GdiObject* object);

// GetObject's copy of an object's record: the size needed with no buffer, 0 with ERROR_INVALID_PARAMETER
// when the buffer is too small.
template <class Record>
int CopyObjectRecord(const Record& record, int size, void* buffer)
{
    constexpr int needed = static_cast<int>(sizeof(Record));
    if (!buffer)
        return needed;
    if (size < needed) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::memcpy(buffer, &record, sizeof(Record));
    return needed;
}

// Start-up and shut-down: the GDI's initialize and finalize (Gdi.h) call them. InitializeGdi makes a fresh
// table with the stock objects; FinalizeGdi drops every object.
void InitializeGdi();
void FinalizeGdi();

// The shared 1 x 1 bitmap new memory device contexts hold; not a stock object of the API.
HBITMAP DefaultBitmap();

// Bitmaps with drawing not yet in their bits, for GdiFlush (GDI lock held).
void NoteDirtyBitmap(BitmapObject& bitmap);
void ForgetDirtyBitmap(BitmapObject& bitmap);
void FlushBitmaps();

}  // namespace win::detail
