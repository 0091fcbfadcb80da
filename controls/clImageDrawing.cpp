#include "controls/clImageDrawing.h"

#include "controls/clImageLists.h"
#include "controls/clResample.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/Cursor.h"
#include "platform/win/Icon.h"

#include <algorithm>
#include <memory>

namespace controls {

namespace {

struct WorkBitmaps {
    TclBitmap back;
    TclBitmap image;
    TclBitmap mask;
};

// Freed by the library's end only: a pointer, so that no destructor of its own runs at the program's exit,
// after the platform's tables are gone.
WorkBitmaps* work = nullptr;

WorkBitmaps& WorkNeeded()
{
    if (!work)
        work = new WorkBitmaps;
    return *work;
}

constexpr std::uint32_t kWhite = 0xFFFFFFFF;

bool IsWhite(const TclRGBQuad& p)
{
    return p.Red == 255 && p.Green == 255 && p.Blue == 255;
}

// Straight alpha, as the platform's image lists keep it, made premultiplied.
void Premultiply(std::vector<TclRGBQuad>& pixels)
{
    for (TclRGBQuad& p : pixels)
        for (std::uint8_t* c : {&p.Blue, &p.Green, &p.Red})
            *c = std::uint8_t((*c * p.Alpha + 127) / 255);
}

// The rect of a platform bitmap copied into a 32-bit bitmap of its size.
void CopyListBitmap(win::HBITMAP from, const win::RECT& rect, TclBitmap& into)
{
    into.SetSize(clRectGetWidth(rect), clRectGetHeight(rect));
    const win::HDC dc = win::CreateCompatibleDC(nullptr);
    const win::HGDIOBJ old = win::SelectObject(dc, from);
    win::BitBlt(into.Canvas()->Handle(), 0, 0, into.Width(), into.Height(), dc, rect.left, rect.top, win::SRCCOPY);
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
}

// The bits per pixel of the list's image bitmap; 0 when it cannot be read.
int ImageListBitsPerPixel(const win::IMAGEINFO& info)
{
    win::BITMAP header{};
    if (!info.hbmImage || win::GetObject(info.hbmImage, sizeof header, &header) == 0)
        return 0;
    return header.bmBitsPixel;
}

// The picture (premultiplied) and whether it carries alpha; the list's mask, when it has one, into listMask.
bool PrepareStateImage(gui::TBitmap* glyph, gui::TCustomImageList* images, int index, TclBitmap& image,
                       TclBitmap& listMask)
{
    listMask.SetSize(0, 0);
    gui::TBitmap* source = glyph;
    TclCustomBitmap infoImage;
    // A library list keeps every image as it was added; images added past it come from the platform list.
    if (auto* own = dynamic_cast<TclImageList*>(images); !glyph && own) {
        TclCustomBitmap infoMask;
        gui::TColor maskColor = gui::clNone;
        own->GetImageInfoAt(index, infoImage, infoMask, maskColor);
        if (!infoImage.Empty())
            source = &infoImage;
    }
    win::IMAGEINFO info;
    if (!glyph && !win::ImageList_GetImageInfo(images->Handle(), index, &info))
        return false;
    bool alpha = false;
    if (source) {
        image.SetSize(source->Width(), source->Height());
        clPutBitmapPixels(image, clGetBitmapPixels(*source));
        // Screen bitmaps are 32-bit here, so a device-format glyph may carry alpha too.
        alpha = (source->PixelFormat() == gui::pf32bit || source->PixelFormat() == gui::pfDevice) && image.HasAlpha();
    } else {
        CopyListBitmap(info.hbmImage, info.rcImage, image);
        alpha = ImageListBitsPerPixel(info) == 32 && image.HasAlpha();
        if (alpha) {
            std::vector<TclRGBQuad> pixels = clGetBitmapPixels(image);
            Premultiply(pixels);
            clPutBitmapPixels(image, pixels);
        }
    }
    if (!glyph && info.hbmMask)
        CopyListBitmap(info.hbmMask, info.rcImage, listMask);
    if (!alpha)
        image.ApplyPixelOp(clpoOpaque);
    return alpha;
}

// White where the picture is transparent, black elsewhere; the picture is cleared under the white.
void PrepareStateMask(TclBitmap& image, TclBitmap& mask, TclBitmap& listMask, bool alpha, gui::TBitmap* glyph,
                      gui::TColor transparentColor)
{
    mask.SetSize(image.Width(), image.Height());
    mask.TransparentColors().clear();
    mask.SetTransparentPixel(0);
    std::vector<TclRGBQuad> pixels = clGetBitmapPixels(image);
    if (!alpha) {
        if (!listMask.Empty() && listMask.Width() == image.Width() && listMask.Height() == image.Height()) {
            const std::vector<TclRGBQuad> cut = clGetBitmapPixels(listMask);
            for (std::size_t i = 0; i < pixels.size(); ++i)
                if (IsWhite(cut[i]))
                    pixels[i] = TclRGBQuad{};
        }
        if (transparentColor != gui::clNone)
            mask.TransparentColors().push_back(gui::ColorToRGB(transparentColor));
        if (glyph && glyph->Transparent())
            mask.TransparentColors().push_back(gui::ColorToRGB(glyph->TransparentColor()));
    }
    clPutBitmapPixels(mask, pixels);
    mask.ApplyPixelOp(clpoMask);
    const std::vector<TclRGBQuad> white = clGetBitmapPixels(mask);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        if (IsWhite(white[i]))
            pixels[i] = TclRGBQuad{};
    clPutBitmapPixels(image, pixels);
}

// The constant alpha the picture is blended with after the mode changed it.
std::uint8_t ApplyDrawMode(TclImageDrawMode mode, bool alpha, TclBitmap& image, TclBitmap& mask, win::RECT& target)
{
    switch (mode) {
    case clidmNormal: return 255;
    case clidmDisabled:
        if (alpha) {
            image.ApplyPixelOp(clpoDisableGrey);
            return 151;
        }
        image.ApplyPixelOp(clpoDirty);
        clAddShadow(image, mask, 1, false, gui::clBtnHighlight);
        return 255;
    case clidmFaded: image.ApplyPixelOp(clpoFadeGrey); return 64;
    case clidmGrayed: image.ApplyPixelOp(clpoAverageGrey); return 255;
    case clidmLightened: image.ApplyPixelOp(clpoLighten); return 255;
    case clidmShadowed:
        clAddShadow(image, mask, 2, true, gui::clBtnShadow);
        target = win::RECT{target.left - 1, target.top - 1, target.right + 1, target.bottom + 1};
        return 255;
    }
    return 255;
}

}  // namespace

void clDrawImageWithState(win::HDC dc, const win::RECT& rect, gui::TBitmap* glyph, gui::TCustomImageList* images,
                          int index, TclImageDrawMode mode, bool smooth, win::HBRUSH background,
                          gui::TColor transparentColor)
{
    if (glyph && glyph->Empty())
        glyph = nullptr;
    if (!glyph && (!images || index < 0 || index >= images->Count()))
        return;
    WorkBitmaps& work = WorkNeeded();
    TclBitmap listMask;
    const bool alpha = PrepareStateImage(glyph, images, index, work.image, listMask);
    PrepareStateMask(work.image, work.mask, listMask, alpha, glyph, transparentColor);
    win::RECT target = rect;
    const std::uint8_t constantAlpha = ApplyDrawMode(mode, alpha, work.image, work.mask, target);
    const int width = clRectGetWidth(target);
    const int height = clRectGetHeight(target);
    if (width <= 0 || height <= 0)
        return;

    TclBitmap& back = work.back;
    back.SetSize(width, height);
    const win::RECT all{0, 0, width, height};
    if (background)
        win::FillRect(back.Canvas()->Handle(), &all, background);
    else
        win::BitBlt(back.Canvas()->Handle(), 0, 0, width, height, dc, target.left, target.top, win::SRCCOPY);
    clAlphaBlend(back.Canvas()->Handle(), all, work.image.Canvas()->Handle(), work.image.GetFullRect(), constantAlpha,
                 smooth);
    win::BitBlt(dc, target.left, target.top, width, height, back.Canvas()->Handle(), 0, 0, win::SRCCOPY);
}

void clAddShadow(TclBitmap& image, TclBitmap& mask, int offset, bool grow, gui::TColor color)
{
    const int width = image.Width();
    const int height = image.Height();
    const int wide = width + offset;
    const int high = height + offset;
    const std::vector<TclRGBQuad> picture = clGetBitmapPixels(image);
    const std::vector<TclRGBQuad> cut = clGetBitmapPixels(mask);
    std::vector<TclRGBQuad> result(std::size_t(wide) * std::size_t(high));
    const TclRGBQuad shadow = clColorToBGRA(color, 255);
    const int maskWidth = std::min(mask.Width(), width);
    const int maskHeight = std::min(mask.Height(), height);
    for (int y = 0; y < maskHeight; ++y)
        for (int x = 0; x < maskWidth; ++x)
            if (!IsWhite(cut[std::size_t(y) * std::size_t(mask.Width()) + std::size_t(x)]))
                result[std::size_t(y + offset) * std::size_t(wide) + std::size_t(x + offset)] = shadow;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            TclRGBQuad& under = result[std::size_t(y) * std::size_t(wide) + std::size_t(x)];
            under = clBlendPixel(picture[std::size_t(y) * std::size_t(width) + std::size_t(x)], under, 255);
        }
    if (grow) {
        image.SetSize(wide, high);
        return clPutBitmapPixels(image, result);
    }
    std::vector<TclRGBQuad> kept(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        std::copy_n(&result[std::size_t(y) * std::size_t(wide)], width, &kept[std::size_t(y) * std::size_t(width)]);
    clPutBitmapPixels(image, kept);
}

win::SIZE clMeasureCursorSize()
{
    win::SIZE size{win::GetSystemMetrics(win::SM_CXCURSOR), win::GetSystemMetrics(win::SM_CYCURSOR)};
    win::ICONINFO info;
    const win::HCURSOR cursor = win::GetCursor();
    if (!cursor || !win::GetIconInfo(cursor, &info))
        return size;
    if (info.hbmColor)
        win::DeleteObject(info.hbmColor);
    gui::TBitmap mask;
    mask.SetHandle(info.hbmMask);
    if (mask.PixelFormat() != gui::pf1bit || mask.Empty())
        return size;
    const int width = mask.Width();
    const int height = mask.Height();
    const bool twoHalves = !info.hbmColor && height >= 2 * width;
    const std::vector<TclRGBQuad> pixels = clGetBitmapPixels(mask);
    // The lowest row in [first, last) where some pixel is not the given one; -1 when none is.
    const auto lowestRow = [&](int first, int last, bool white) {
        for (int y = last - 1; y >= first; --y)
            for (int x = 0; x < width; ++x)
                if (IsWhite(pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]) != white)
                    return y;
        return -1;
    };
    const int andRows = twoHalves ? height / 2 : height;
    int lowest = lowestRow(0, andRows, true);
    if (lowest < 0 && twoHalves) {
        lowest = lowestRow(andRows, height, false);
        if (lowest >= 0)
            lowest -= andRows;
    }
    size.cx = width;
    if (lowest >= 0)
        size.cy = std::max(0, lowest + 1 - int(info.yHotspot));
    return size;
}

namespace detail {
void FinalizeImageDrawing()
{
    delete work;
    work = nullptr;
}
}  // namespace detail

}  // namespace controls
