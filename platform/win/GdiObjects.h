#pragma once
// The table of graphics objects: every pen, brush, font, bitmap, region, palette and device context is
// a record here under a handle. Handles of deleted objects stay invalid (a slot's generation changes
// when it is reused). Stock objects and the brushes of the colour scheme live as long as the system and
// cannot be deleted.
//
// Selection: a device context holds references to the objects of its current state and of every state
// SaveDC keeps, so that RestoreDC never brings back a deleted object. An object with references cannot
// be deleted; a bitmap belongs to one device context at a time.
//
// Locking: one recursive lock guards the table and every record in it, device contexts and their
// surfaces included. The API functions take it; the Find and Add helpers below expect it held.

#include "platform/win/GdiTypes.h"
#include "platform/win/Surface.h"

#include <memory>
#include <mutex>

namespace win {

struct GdiObject {
    explicit GdiObject(DWORD objectType) : type(objectType) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    virtual ~GdiObject() = default;

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
    COLORREF Color() const;
    bool IsNull() const { return logBrush.lbStyle == BS_NULL; }
};

struct PenObject : GdiObject {
    PenObject() : GdiObject(OBJ_PEN) {}
    LOGPEN logPen;
};

struct FontObject : GdiObject {
    FontObject() : GdiObject(OBJ_FONT) {}
    LOGFONT logFont;
};

struct BitmapObject : GdiObject {
    BitmapObject(int width, int height) : GdiObject(OBJ_BITMAP), surface(width, height) {}
    Surface surface;
};

struct PaletteObject : GdiObject {
    PaletteObject() : GdiObject(OBJ_PAL) {}
    WORD entries = 0;
};

std::unique_lock<std::recursive_mutex> LockGdi();
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

// Start-up and shut-down: win::initialize and win::finalize call them. InitializeGdi makes a fresh
// table with the stock objects; FinalizeGdi drops every object.
void InitializeGdi();
void FinalizeGdi();

HGDIOBJ GetStockObject(int index);
// The shared 1 x 1 bitmap new memory device contexts hold; not a stock object of the API.
HBITMAP DefaultBitmap();
// 0 for a handle that is not a live object.
DWORD GetObjectType(HGDIOBJ handle);
// FALSE for an invalid handle, a device context (DeleteDC deletes those) and an object a device context
// holds; TRUE without deleting anything for a stock object.
BOOL DeleteObject(HGDIOBJ handle);
// Writes the object's record: LOGPEN, LOGBRUSH, LOGFONT, BITMAP or the WORD entry count of a palette.
// With buffer null answers the size of the record; 0 when the handle is invalid or size too small.
int GetObject(HGDIOBJ handle, int size, void* buffer);

HBRUSH CreateSolidBrush(COLORREF color);
// BS_SOLID and BS_NULL brushes; null with ERROR_INVALID_PARAMETER for other styles.
HBRUSH CreateBrushIndirect(const LOGBRUSH* logBrush);
// The record only; pens draw with the full drawing set.
HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* logPen);
// The record only; text draws with the font machinery.
HFONT CreateFontIndirect(const LOGFONT* logFont);

}  // namespace win
