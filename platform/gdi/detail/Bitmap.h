#pragma once
// The bitmap record behind a handle, and the sizes of device-independent bits.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/detail/GdiObjects.h"

#include <cstddef>

namespace win::detail {

// Bytes of one device-independent row.
constexpr int DibRowBytes(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }
// Bytes between a packed DIB's header and its rows: its colour table (biClrUsed entries, or all its
// depth allows when that is 0) and, with BI_BITFIELDS, the three masks.
constexpr std::size_t DibColourTableBytes(const BITMAPINFOHEADER& header)
{
    const std::size_t colours = header.biBitCount <= 8 ? (header.biClrUsed ? header.biClrUsed : (1u << header.biBitCount)) : 0;
    return (colours + (header.biCompression == BI_BITFIELDS ? 3 : 0)) * sizeof(RGBQUAD);
}

// The bitmap of a handle, or null (ERROR_INVALID_HANDLE set). The caller holds the GDI lock.
BitmapObject* FindBitmap(HBITMAP handle);
// GetObject's record of a bitmap, its drawing written to its bits first.
int GetBitmapObject(BitmapObject& bitmap, int size, void* buffer);

}  // namespace win::detail
