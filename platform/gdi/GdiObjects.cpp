#include "platform/gdi/GdiObjects.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/detail/Bitmap.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Pen.h"
#include "platform/gdi/detail/DrawingDevice.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/wintypes/LogFont.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace win {

using namespace detail;

namespace {

constexpr int StockCount = DEFAULT_GUI_FONT + 1;

// The GDI's own state; its objects live in the handle table.
struct Table {
    std::recursive_mutex mutex;
    std::array<HGDIOBJ, StockCount> stock{};
    HBITMAP defaultBitmap = nullptr;
    std::array<std::unique_ptr<BrushObject>, ColorSchemeSize> schemeBrushes;
    std::vector<DrawingDevice*> watchers;  // told of every deletion
    std::vector<BitmapObject*> dirtyBitmaps;  // drawn on, their bits behind
};

Table& Objects()
{
    static Table table;
    return table;
}

void ClearTable(Table& table)
{
    // Device contexts refer to other objects only by handle, so the order of destruction does not matter.
    table.dirtyBitmaps.clear();
    RemoveHandles(HandleKind::GdiObject);
    table.dirtyBitmaps.clear();
    table.stock.fill(nullptr);
    table.defaultBitmap = nullptr;
    for (auto& brush : table.schemeBrushes) {
        brush.reset();
    }
    table.watchers.clear();
}

void AddStock(Table& table, int index, std::unique_ptr<GdiObject> object)
{
    object->stock = true;
    table.stock[static_cast<std::size_t>(index)] = AddObject(std::move(object));
}

void AddStockBrush(Table& table, int index, UINT style, COLORREF color)
{
    auto brush = std::make_unique<BrushObject>();
    brush->logBrush.lbStyle = style;
    brush->logBrush.lbColor = color;
    AddStock(table, index, std::move(brush));
}

void AddStockPen(Table& table, int index, UINT style, COLORREF color)
{
    auto pen = std::make_unique<PenObject>();
    pen->logPen.lopnStyle = style;
    pen->logPen.lopnColor = color;
    AddStock(table, index, std::move(pen));
}

void AddStockFont(Table& table, int index, LONG height, const char* face, BYTE charSet, BYTE pitchAndFamily)
{
    auto font = std::make_unique<FontObject>();
    font->logFont.lfHeight = height;
    font->logFont.lfWeight = 400;
    font->logFont.lfCharSet = charSet;
    font->logFont.lfPitchAndFamily = pitchAndFamily;
    font->logFont.lfFaceName = face;
    AddStock(table, index, std::move(font));
}

void AddStockObjects(Table& table)
{
    AddStockBrush(table, WHITE_BRUSH, BS_SOLID, RGB(255, 255, 255));
    AddStockBrush(table, LTGRAY_BRUSH, BS_SOLID, RGB(192, 192, 192));
    AddStockBrush(table, GRAY_BRUSH, BS_SOLID, RGB(128, 128, 128));
    AddStockBrush(table, DKGRAY_BRUSH, BS_SOLID, RGB(64, 64, 64));
    AddStockBrush(table, BLACK_BRUSH, BS_SOLID, RGB(0, 0, 0));
    AddStockBrush(table, NULL_BRUSH, BS_NULL, 0);
    AddStockPen(table, WHITE_PEN, PS_SOLID, RGB(255, 255, 255));
    AddStockPen(table, BLACK_PEN, PS_SOLID, RGB(0, 0, 0));
    AddStockPen(table, NULL_PEN, PS_NULL, 0);
    constexpr BYTE AnsiCharSet = 0;
    constexpr BYTE OemCharSet = 255;
    constexpr BYTE FixedModern = 0x31;  // FIXED_PITCH | FF_MODERN
    constexpr BYTE VariableSwiss = 0x22;  // VARIABLE_PITCH | FF_SWISS
    AddStockFont(table, OEM_FIXED_FONT, 12, "Terminal", OemCharSet, FixedModern);
    AddStockFont(table, ANSI_FIXED_FONT, 12, "Courier", AnsiCharSet, FixedModern);
    AddStockFont(table, ANSI_VAR_FONT, 12, "MS Sans Serif", AnsiCharSet, VariableSwiss);
    AddStockFont(table, SYSTEM_FONT, 16, "System", AnsiCharSet, VariableSwiss);
    AddStockFont(table, DEVICE_DEFAULT_FONT, 16, "System", AnsiCharSet, VariableSwiss);
    AddStockFont(table, SYSTEM_FIXED_FONT, 15, "Fixedsys", AnsiCharSet, FixedModern);
    AddStockFont(table, DEFAULT_GUI_FONT, -11, "Tahoma", AnsiCharSet, VariableSwiss);
    auto palette = std::make_unique<PaletteObject>();
    palette->entries = 20;
    AddStock(table, DEFAULT_PALETTE, std::move(palette));

    auto bitmap = std::make_unique<BitmapObject>(1, 1);
    bitmap->stock = true;
    table.defaultBitmap = static_cast<HBITMAP>(AddObject(std::move(bitmap)));

    for (int index = 0; index < ColorSchemeSize; ++index) {
        auto brush = std::make_unique<BrushObject>();
        brush->stock = true;
        brush->sysColor = index;
        brush->handle = GetSysColorBrush(index);
        table.schemeBrushes[static_cast<std::size_t>(index)] = std::move(brush);
    }
}

}  // namespace

COLORREF BrushObject::Color() const
{
    return sysColor >= 0 ? GetSysColor(sysColor) : logBrush.lbColor;
}

GdiLock detail::LockGdi()
{
    return GdiLock(Objects().mutex);
}

HGDIOBJ detail::AddObject(std::unique_ptr<GdiObject> object)
{
    GdiObject* record = object.get();
    const std::intptr_t value = AddHandle(HandleKind::GdiObject, std::move(object));
    if (value == 0) {
        return nullptr;
    }
    record->handle = HandleFromValue<HGDIOBJ>(value);
    return record->handle;
}

GdiObject* detail::FindObject(HGDIOBJ handle)
{
    int schemeIndex = 0;
    if (SysColorBrushIndex(static_cast<HBRUSH>(handle), schemeIndex)) {
        if (GdiObject* brush = Objects().schemeBrushes[static_cast<std::size_t>(schemeIndex)].get()) {
            return brush;
        }
    }
    auto* object = FindHandleOf<GdiObject>(handle, HandleKind::GdiObject);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return object;
}

void detail::RemoveObject(GdiObject* object)
{
    RemoveHandle(HandleValue(object->handle), HandleKind::GdiObject);
}

void detail::InitializeGdi()
{
    auto lock = LockGdi();
    Table& table = Objects();
    ClearTable(table);
    ResetHandles();
    AddStockObjects(table);
}

void detail::FinalizeGdi()
{
    auto lock = LockGdi();
    ClearTable(Objects());
    ResetHandles();
}

HGDIOBJ GetStockObject(int index)
{
    auto lock = LockGdi();
    if (index < 0 || index >= StockCount) {
        return nullptr;
    }
    return Objects().stock[static_cast<std::size_t>(index)];
}

void detail::WatchDeletions(DrawingDevice& device)
{
    auto lock = LockGdi();
    Objects().watchers.push_back(&device);
}

void detail::UnwatchDeletions(DrawingDevice& device)
{
    auto lock = LockGdi();
    std::erase(Objects().watchers, &device);
}

void detail::NoteDirtyBitmap(BitmapObject& bitmap)
{
    Objects().dirtyBitmaps.push_back(&bitmap);
}

void detail::ForgetDirtyBitmap(BitmapObject& bitmap)
{
    std::erase(Objects().dirtyBitmaps, &bitmap);
}

void detail::FlushBitmaps()
{
    const std::vector<BitmapObject*> dirty = Objects().dirtyBitmaps;
    for (BitmapObject* bitmap : dirty) {
        bitmap->Flush();
    }
}

BOOL GdiFlush()
{
    auto lock = LockGdi();
    FlushBitmaps();
    return TRUE;
}

HBITMAP detail::DefaultBitmap()
{
    auto lock = LockGdi();
    return Objects().defaultBitmap;
}

DWORD GetObjectType(HGDIOBJ handle)
{
    auto lock = LockGdi();
    const GdiObject* object = FindObject(handle);
    return object ? object->type : 0;
}

BOOL DeleteObject(HGDIOBJ handle)
{
    auto lock = LockGdi();
    GdiObject* object = FindObject(handle);
    if (!object || object->type == OBJ_DC || object->type == OBJ_MEMDC || object->type == OBJ_ENHMETADC ||
        object->type == OBJ_ENHMETAFILE || object->references > 0) {
        return FALSE;
    }
    if (!object->stock) {
        for (DrawingDevice* watcher : Objects().watchers) {
            watcher->Forget(handle);
        }
        RemoveObject(object);
    }
    return TRUE;
}

int GetObject(HGDIOBJ handle, int size, void* buffer)
{
    auto lock = LockGdi();
    GdiObject* object = FindObject(handle);
    if (!object) {
        return 0;
    }
    switch (object->type) {
    case OBJ_BRUSH: {
        const auto* brush = static_cast<const BrushObject*>(object);
        LOGBRUSH record = brush->logBrush;
        record.lbColor = brush->Color();
        return CopyObjectRecord(record, size, buffer);
    }
    case OBJ_PEN:
        if (static_cast<const PenObject*>(object)->extended) {
            return GetExtPenObject(*static_cast<const PenObject*>(object), size, buffer);
        }
        return CopyObjectRecord(static_cast<const PenObject*>(object)->logPen, size, buffer);
    case OBJ_FONT:
        return CopyObjectRecord(static_cast<const FontObject*>(object)->logFont, size, buffer);
    case OBJ_BITMAP:
        return GetBitmapObject(*static_cast<BitmapObject*>(object), size, buffer);
    case OBJ_PAL:
        return CopyObjectRecord(static_cast<const PaletteObject*>(object)->entries, size, buffer);
    default:
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    LOGBRUSH record;
    record.lbColor = color;
    return CreateBrushIndirect(&record);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* logBrush)
{
    if (logBrush && logBrush->lbStyle == BS_HATCHED) {
        return CreateHatchBrush(static_cast<int>(logBrush->lbHatch), logBrush->lbColor);
    }
    if (logBrush && logBrush->lbStyle == BS_PATTERN) {
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(logBrush->lbHatch));
    }
    if (!logBrush || (logBrush->lbStyle != BS_SOLID && logBrush->lbStyle != BS_NULL)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto brush = std::make_unique<BrushObject>();
    brush->logBrush = *logBrush;
    brush->logBrush.lbHatch = 0;
    auto lock = LockGdi();
    return static_cast<HBRUSH>(AddObject(std::move(brush)));
}

HPEN CreatePen(int style, int width, COLORREF color)
{
    LOGPEN record;
    record.lopnStyle = static_cast<UINT>(style);
    record.lopnWidth.x = width;
    record.lopnColor = color;
    return CreatePenIndirect(&record);
}

HPEN CreatePenIndirect(const LOGPEN* logPen)
{
    if (!logPen || logPen->lopnStyle > PS_INSIDEFRAME) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto pen = std::make_unique<PenObject>();
    pen->logPen = *logPen;
    pen->logPen.lopnWidth.y = 0;
    if (pen->logPen.lopnWidth.x < 0) {
        pen->logPen.lopnWidth.x = 0;
    }
    auto lock = LockGdi();
    return static_cast<HPEN>(AddObject(std::move(pen)));
}

HFONT CreateFontIndirect(const LOGFONT* logFont)
{
    if (!logFont) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto font = std::make_unique<FontObject>();
    font->logFont = *logFont;
    auto lock = LockGdi();
    return static_cast<HFONT>(AddObject(std::move(font)));
}

}  // namespace win
