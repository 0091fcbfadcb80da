#include "platform/win/DrawState.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/Icon.h"
#include "platform/win/detail/Cursor.h"

namespace win {

namespace {

bool ImageSize(HANDLE image, UINT kind, int& cx, int& cy)
{
    int width = 0;
    int height = 0;
    if (kind == DST_ICON) {
        detail::CursorShape shape;
        if (!detail::GetCursorShape(static_cast<HICON>(image), shape)) {
            return false;
        }
        width = shape.size.cx;
        height = shape.size.cy;
    } else {
        BITMAP bitmap;
        if (!GetObject(image, sizeof bitmap, &bitmap)) {
            return false;
        }
        width = bitmap.bmWidth;
        height = bitmap.bmHeight;
    }
    cx = cx ? cx : width;
    cy = cy ? cy : height;
    return true;
}

// The image's silhouette in a monochrome bitmap of cx x cy: 0 bits where it shows. It is drawn on white
// first, and every pixel that is not white then belongs to it.
HBITMAP Silhouette(HANDLE image, UINT kind, int cx, int cy)
{
    HDC colour = CreateCompatibleDC(nullptr);
    HBITMAP canvas = CreateBitmap(cx, cy, 1, 32, nullptr);
    HGDIOBJ oldCanvas = SelectObject(colour, canvas);
    PatBlt(colour, 0, 0, cx, cy, WHITENESS);
    if (kind == DST_ICON) {
        DrawIconEx(colour, 0, 0, static_cast<HICON>(image), cx, cy, 0, nullptr, DI_NORMAL);
    } else {
        HDC source = CreateCompatibleDC(nullptr);
        HGDIOBJ oldSource = SelectObject(source, image);
        BITMAP bitmap;
        GetObject(image, sizeof bitmap, &bitmap);
        StretchBlt(colour, 0, 0, cx, cy, source, 0, 0, bitmap.bmWidth, bitmap.bmHeight, SRCCOPY);
        SelectObject(source, oldSource);
        DeleteDC(source);
    }
    HBITMAP mono = CreateBitmap(cx, cy, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mono);
    SetBkColor(colour, RGB(255, 255, 255));
    BitBlt(dc, 0, 0, cx, cy, colour, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    SelectObject(colour, oldCanvas);
    DeleteObject(canvas);
    DeleteDC(colour);
    return mono;
}

// Paints the silhouette's 0 bits in the brush at (x, y).
void PaintSilhouette(HDC dc, HBITMAP silhouette, int x, int y, int cx, int cy, HBRUSH brush)
{
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ oldSource = SelectObject(source, silhouette);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    const COLORREF text = SetTextColor(dc, RGB(255, 255, 255));
    const COLORREF back = SetBkColor(dc, RGB(0, 0, 0));
    BitBlt(dc, x, y, cx, cy, source, 0, 0, ROP_DSPDxax);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    SelectObject(dc, oldBrush);
    SelectObject(source, oldSource);
    DeleteDC(source);
}

}  // namespace

BOOL DrawState(HDC dc, HBRUSH brush, DRAWSTATEPROC, LPARAM data, WPARAM, int x, int y, int cx, int cy, UINT flags)
{
    const UINT kind = flags & 0x000F;
    const UINT state = flags & 0x7FF0;
    auto* image = reinterpret_cast<HANDLE>(data);
    if ((kind != DST_ICON && kind != DST_BITMAP) || (state != DSS_NORMAL && state != DSS_DISABLED && state != DSS_MONO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!ImageSize(image, kind, cx, cy)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (state == DSS_NORMAL) {
        if (kind == DST_ICON) {
            return DrawIconEx(dc, x, y, static_cast<HICON>(image), cx, cy, 0, nullptr, DI_NORMAL);
        }
        HDC source = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(source, image);
        BITMAP bitmap;
        GetObject(image, sizeof bitmap, &bitmap);
        const BOOL done = StretchBlt(dc, x, y, cx, cy, source, 0, 0, bitmap.bmWidth, bitmap.bmHeight, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        return done;
    }
    HBITMAP silhouette = Silhouette(image, kind, cx, cy);
    if (state == DSS_DISABLED) {
        PaintSilhouette(dc, silhouette, x + 1, y + 1, cx, cy, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        PaintSilhouette(dc, silhouette, x, y, cx, cy, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
        HBRUSH text = nullptr;
        if (!brush) {
            text = CreateSolidBrush(GetTextColor(dc));
        }
        PaintSilhouette(dc, silhouette, x, y, cx, cy, brush ? brush : text);
        if (text) {
            DeleteObject(text);
        }
    }
    DeleteObject(silhouette);
    return TRUE;
}

}  // namespace win
