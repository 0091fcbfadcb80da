#pragma once
// Bitmaps: device-dependent bitmaps of 1, 4, 8, 24 and 32 bits per pixel and DIB sections of those and
// of 16 bits (5-5-5, bit 15 unused), and the transfers between device-independent bits and bitmaps or
// device contexts. After drawing on a DIB section, GdiFlush before reading its memory (GdiObjects.h). How a bitmap keeps its
// bits and how drawing reaches them: BitmapObject in detail/GdiObjects.h.
//
// Device-independent bits: rows rounded up to 4 bytes, bottom-up for a positive biHeight and top-down
// for a negative one; 1, 4 and 8 bits index the colour table after the header (biClrUsed entries, all
// 2^bits when 0); 24 bits are B, G, R bytes; 32 bits are B, G, R and a fourth byte (the alpha that
// AlphaBlend reads, premultiplied). Only DIB_RGB_COLORS and BI_RGB (BI_BITFIELDS at 32 bits with the
// masks 0xFF0000, 0xFF00, 0xFF) are accepted.
//
// Device-dependent bits (CreateBitmap, Get/SetBitmapBits) are top-down rows rounded up to 2 bytes. A
// monochrome bitmap's 0 bits are black and its 1 bits white.

#include "platform/wintypes/GdiTypes.h"

namespace win {

struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr UINT DIB_PAL_COLORS = 1;
constexpr DWORD CBM_INIT = 4;

struct BITMAPINFOHEADER {
    DWORD biSize = sizeof(BITMAPINFOHEADER);
    LONG biWidth = 0;
    LONG biHeight = 0;
    WORD biPlanes = 1;
    WORD biBitCount = 0;
    DWORD biCompression = BI_RGB;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};

// The header and its colour table (or, for BI_BITFIELDS, the three masks); the table runs on past
// bmiColors[0] in the caller's memory.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

struct DIBSECTION {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    DWORD dsBitfields[3] = {0, 0, 0};
    HANDLE dshSection = nullptr;
    DWORD dsOffset = 0;
};

// bitsPerPixel 1, 4, 8, 24 or 32 (16 is refused); bits (device-dependent rows) may be null.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateBitmapIndirect(const BITMAP* bitmap);
// The depth of the bitmap selected into a memory device context when that is monochrome, else 32 bits;
// black. A zero width or height gives the shared 1 x 1 bitmap, as the API documents.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// A bitmap whose bits live in memory the caller reads and writes through *bits. section must be null.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
// A 32-bit device-dependent bitmap of header's size, with the bits when init is CBM_INIT.
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage);

LONG GetBitmapBits(HBITMAP bitmap, LONG size, void* bits);
LONG SetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits);

// Reads rows start .. start + lines - 1 of the bitmap (counted from the bottom for a bottom-up request)
// into bits in info's format, writing info's colour table for 1, 4 and 8 bits (the bitmap's own table
// when the depths match, else a fixed one) and answering the rows read. With bits null: when
// biBitCount is 0, fills the header with the bitmap's format; otherwise fills biSizeImage and the
// colour table. 0 on error.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);
// Writes rows of device-independent bits into the bitmap; the answer is the rows written.
int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
// Draws the source rectangle of device-independent bits, stretched, with a raster operation. The
// source's (x, y) is counted from the top row for top-down bits and from the bottom row for bottom-up
// ones; extents of different signs mirror. Answers the rows drawn, 0 on error.
int StretchDIBits(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);

}  // namespace win
