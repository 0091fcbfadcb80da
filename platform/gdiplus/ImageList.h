#pragma once
// Image lists: many images of one size kept in one bitmap, drawn by index.
//
// Storage: the images lie in one column of a 32-bit bitmap, image i in the rows i * cy .. (i + 1) * cy;
// with ILC_MASK a second bitmap of the same layout holds the mask, black where the image is opaque and
// white where it is transparent. In a list of ILC_COLOR32 an image whose fourth bytes are not all zero
// keeps them as straight (not premultiplied) alpha and is drawn blended; its mask is white where the
// alpha is 0. Any other image is opaque where its mask is black. ImageList_GetImageInfo hands out the two
// bitmaps; they belong to the list and change handle when the list grows.
//
// Stored form (ImageList_Write, ImageList_Read), little-endian:
//   offset  size  content
//   0       2     "IL"
//   2       2     version, 0x0101
//   4       2     image count
//   6       2     capacity in images (a hint: reading reserves room for the images there are, and a list
//                 read writes back at least the capacity it was read with)
//   8       2     grow count
//   10      2     image width cx
//   12      2     image height cy
//   14      4     background colour (a COLORREF or CLR_NONE)
//   18      2     creation flags (ILC_*)
//   20      30    the image of overlays 1 to 15, 16-bit each, -1 for none
//   50            when the count is above 0: a bitmap file of the images (cx by count * cy, 32 bits, the
//                 fourth bytes as stored), then with ILC_MASK a bitmap file of the mask (1 bit)
// Reading takes each bitmap file's length from its file header, so the stream ends right after the list.

#include "platform/rtl/Streams.h"
#include "platform/wintypes/GdiTypes.h"

#include <optional>

namespace win {

struct IMAGELIST__;
using HIMAGELIST = IMAGELIST__*;

// ImageList_Create. The colour depths other than ILC_COLOR32 keep colours only.
constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLORDDB = 0x00FE;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;

// Drawing styles.
constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_BLEND = ILD_BLEND50;
constexpr UINT ILD_MASK = 0x0010;
constexpr UINT ILD_IMAGE = 0x0020;
constexpr UINT ILD_OVERLAYMASK = 0x0F00;
constexpr UINT INDEXTOOVERLAYMASK(int overlay) { return static_cast<UINT>(overlay) << 8; }

// Colours for the background and blend arguments.
constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

struct IMAGEINFO {
    HBITMAP hbmImage = nullptr;
    HBITMAP hbmMask = nullptr;
    int Unused1 = 0;
    int Unused2 = 0;
    RECT rcImage;
};

// cx and cy at least 1; null with ERROR_INVALID_PARAMETER otherwise.
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Removes every image.
BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color);
COLORREF ImageList_GetBkColor(HIMAGELIST list);

// The bitmap holds width / cx images side by side (at least one; a narrower bitmap gives one image cut
// to its size, the rest transparent). The mask, white where transparent, may be null (all opaque). The
// answer is the index of the first new image, -1 on failure. The bitmaps must not be selected into a
// device context.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// The mask is made of the pixels of colour mask; as the documented API does, those pixels of image are
// set to black.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
// Replaces image index with the first image of the bitmap.
BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask);
// index -1 removes every image.
BOOL ImageList_Remove(HIMAGELIST list, int index);
inline BOOL ImageList_RemoveAll(HIMAGELIST list) { return ImageList_Remove(list, -1); }
// Overlay 1 to 15 draws image index on top when a drawing style names it.
BOOL ImageList_SetOverlayImage(HIMAGELIST list, int image, int overlay);

BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info);

// Draws image index at (x, y) through the context's origins and clip.
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
// dx, dy: the part of the image drawn from its top left (0: the whole width or height). background:
// CLR_NONE draws transparently, CLR_DEFAULT takes the list's background colour, any colour fills the
// image's transparent pixels; ILD_TRANSPARENT draws transparently whatever it says. foreground: the
// colour ILD_BLEND25 (a quarter) and ILD_BLEND50 (a half) mix in, CLR_DEFAULT the highlight colour,
// CLR_NONE the destination's pixels. ILD_MASK draws the mask; ILD_IMAGE draws the image's colours
// without mask or alpha.
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF background,
                      COLORREF foreground, UINT style);

// The stored form above. Writing raises rtl stream errors as the stream does; reading answers null
// (ERROR_INVALID_PARAMETER set) for data that is not a stored image list, and then the stream's
// position is where it was.
BOOL ImageList_Write(HIMAGELIST list, rtl::TStream& stream);
HIMAGELIST ImageList_Read(rtl::TStream& stream);

// Drag images: one at a time per process. BeginDrag copies image index of list as the drag image;
// the hot spot is the point of the image that follows the cursor. DragEnter ties the drag to window
// (null: the desktop) and shows the image at (x, y), window coordinates; DragMove moves it; DragShowNolock
// shows or hides it; DragLeave hides it and unties it. GetDragImage answers the drag image list (null
// when no drag runs) with the position and the hot spot. The display paints the drag image over the
// window while DragImageShown answers it.
BOOL ImageList_BeginDrag(HIMAGELIST list, int index, int hotSpotX, int hotSpotY);
void ImageList_EndDrag();
BOOL ImageList_DragEnter(HWND window, int x, int y);
BOOL ImageList_DragLeave(HWND window);
BOOL ImageList_DragMove(int x, int y);
BOOL ImageList_DragShowNolock(BOOL show);
// Joins image index of list, as the cursor, to the drag image: the drag image becomes the union of both,
// the cursor image's hot spot at the drag hot spot.
BOOL ImageList_SetDragCursorImage(HIMAGELIST list, int index, int hotSpotX, int hotSpotY);
HIMAGELIST ImageList_GetDragImage(POINT* position, POINT* hotSpot);
// The window the drag is tied to when the drag image is to be seen, else nothing.
std::optional<HWND> DragImageShown();

}  // namespace win
