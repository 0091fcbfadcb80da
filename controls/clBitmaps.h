#pragma once
// The control foundation's bitmaps: pixels as blue, green, red and alpha bytes (alpha-premultiplied
// when blended), and TclCustomBitmap, a framework bitmap with a canvas wrapper, change locking and a
// packed form of its stored data.
//
// Packed stored data: a 32-bit packed length N, "XDBM", the version 1 (16 bits), then N bytes of runs
// that encode the framework's own data (a 32-bit length and a bitmap file). A run is a head byte h and
// either h & 0x7F literal bytes (h >= 0x80) or one byte repeated h times.

#include "controls/clClasses.h"
#include "controls/clGraphics.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gui/graphics/Bitmap.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace controls {

struct TclRGBQuad {
    std::uint8_t Blue = 0;
    std::uint8_t Green = 0;
    std::uint8_t Red = 0;
    std::uint8_t Alpha = 0;
};

// ColorToRGB, with red and blue swapped into pixel order and the alpha byte given.
TclRGBQuad clColorToBGRA(gui::TColor color, std::uint8_t alpha = 0);

// A pixel's red, green and blue as an RGB value, without its alpha.
win::COLORREF clPixelRGB(const TclRGBQuad& pixel);

// The source blended over the destination at a constant alpha: c = k / 255, a = c x source alpha,
// e = 1 - a / 255; colours c x s + e x d, alpha a + e x d.alpha, rounded half to even within 0..255.
TclRGBQuad clBlendPixel(const TclRGBQuad& source, const TclRGBQuad& destination, std::uint8_t constantAlpha);

// Every pixel of a bitmap (of any depth), rows from the top when topDown, else from the bottom.
std::vector<TclRGBQuad> clGetBitmapPixels(gui::TBitmap& bitmap, bool topDown = true);
// Writes them back into a 32-bit bitmap of their size.
void clPutBitmapPixels(gui::TBitmap& bitmap, const std::vector<TclRGBQuad>& pixels, bool topDown = true);

// A bitmap of the size and depth.
std::unique_ptr<gui::TBitmap> clCreateBitmapSized(int width, int height, gui::TPixelFormat format = gui::pf24bit);
std::unique_ptr<gui::TBitmap> clCreateBitmapForRect(const win::RECT& rect, gui::TPixelFormat format = gui::pf24bit);
// The header of a 32-bit bottom-up device-independent bitmap of the size.
win::BITMAPINFO clInitDIBHeader(int width, int height);
// The bitmap takes the rect's size and the device context's pixels there.
void clCopyDCToBitmap(gui::TBitmap& bitmap, win::HDC dc, const win::RECT& rect);
// The whole bitmap stretched onto the rect of the device context.
void clStretchBitmap(win::HDC dc, const win::RECT& rect, gui::TBitmap& bitmap, win::DWORD rop = win::SRCCOPY);
// The bitmap at the rect's top-left corner, cut to the rect.
void clBlitBitmapToDC(win::HDC dc, const win::RECT& rect, gui::TBitmap& bitmap, win::DWORD rop = win::SRCCOPY);

// Runs of at most 125 bytes: a repeat run (byte n, then the byte) for a byte that repeats, else a
// literal run (n + 0x80, then the n bytes).
std::string PackBitmapRuns(std::string_view data);
// Decodes exactly the given runs; a run that passes their end raises rtl::EReadError.
std::string UnpackBitmapRuns(std::string_view runs);

class TclCustomBitmap : public gui::TBitmap {
public:
    TclCustomBitmap() : TclCustomBitmap(0, 0) {}
    TclCustomBitmap(int width, int height, gui::TPixelFormat format = gui::pf24bit);
    explicit TclCustomBitmap(const win::RECT& rect, gui::TPixelFormat format = gui::pf24bit)
        : TclCustomBitmap(clRectGetWidth(rect), clRectGetHeight(rect), format)
    {
    }
    ~TclCustomBitmap() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TclCanvas& ClCanvas() { return *clCanvas_; }
    // Whether the stored data is packed.
    bool CompressData() const { return compressData_; }
    void SetCompressData(bool value) { compressData_ = value; }

    // While locked, changes are only noted; the last unlock reports one when one happened or when forced.
    void LockChanges();
    void UnlockChanges(bool force = false);
    // A new bitmap of this one's class, of the size and depth.
    virtual std::unique_ptr<TclCustomBitmap> CreateSized(int width, int height, gui::TPixelFormat format) const;
    // Fills the whole bitmap black.
    virtual void EraseContent();
    // The source's picture over this one's top-left corner, through the raster operation.
    void CopyBitmapRop(gui::TBitmap& source, win::DWORD rop = win::SRCCOPY);
    // A rect of the source onto a rect of this bitmap (stretched when the sizes differ).
    void CopyRectRop(const win::RECT& destRect, gui::TBitmap& source, const win::RECT& sourceRect,
                     win::DWORD rop = win::SRCCOPY);
    void SetSize(int width, int height) override;
    // TclCanvas::RotateFlipBitmap's rotation and flip.
    void RotateFlip(int rotation, bool flip);
    win::RECT GetFullRect() const { return win::RECT{0, 0, Width(), Height()}; }

    // The stored "Data": packed when CompressData is set; either form is read.
    void ReadData(rtl::TStream& stream) override;
    void WriteData(rtl::TStream& stream) override;

protected:
    void Changed(classes::TObject* sender) override;
    // Called after each change that is reported.
    virtual void HandleBitmapChanged() {}

private:
    std::unique_ptr<TclCanvas> clCanvas_;
    int lockCount_ = 0;
    bool changedWhileLocked_ = false;
    bool compressData_ = false;
};

// Pixel operations of TclBitmap::ApplyPixelOp.
enum TclPixelOp : std::uint8_t {
    clpoLighten,
    clpoDirty,
    clpoAverageGrey,
    clpoOpaque,
    clpoMask,
    clpoFadeGrey,
    clpoDisableGrey,
    clpoOpaqueUnlessTransparent,
    clpoHatch,
    clpoFill
};

// A 32-bit bitmap whose pixels can be transparent (equal to the transparent pixel value, or with an RGB in
// the transparent colour list) and changed by pixel operations.
class TclBitmap : public TclCustomBitmap {
public:
    TclBitmap() : TclBitmap(0, 0) {}
    TclBitmap(int width, int height, std::uint32_t transparentPixel = 0);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // RGB values (COLORREF) whose pixels count as transparent.
    std::vector<win::COLORREF>& TransparentColors() { return transparentColors_; }
    std::uint32_t TransparentPixel() const { return transparentPixel_; }
    void SetTransparentPixel(std::uint32_t value) { transparentPixel_ = value; }
    bool IsTransparentPixel(const TclRGBQuad& pixel) const;
    // The hatch of clpoHatch: squares of the size, the first colour where x div size + y div size is even.
    void SetHatch(gui::TColor color1, std::uint8_t alpha1, gui::TColor color2, std::uint8_t alpha2, int size);

    // Changes every pixel (transparent ones stay, except for the mask, opaque, hatch and fill operations).
    void ApplyPixelOp(TclPixelOp op);
    std::unique_ptr<TclCustomBitmap> CreateSized(int width, int height, gui::TPixelFormat format) const override;
    // Whether some pixel has an alpha byte other than 0.
    bool HasAlpha();
    // The transparent pixel value everywhere when its top byte is not 0, else black.
    void EraseContent() override;
    void SetSize(int width, int height) override;

private:
    TclRGBQuad OperatedPixel(TclPixelOp op, TclRGBQuad pixel, int x, int y) const;

    std::vector<win::COLORREF> transparentColors_;
    std::uint32_t transparentPixel_ = 0;
    gui::TColor hatchColor1_ = gui::clWhite;
    gui::TColor hatchColor2_ = gui::clBlack;
    std::uint8_t hatchAlpha1_ = 255;
    std::uint8_t hatchAlpha2_ = 255;
    int hatchSize_ = 1;
};

// The rect of the device context hatched with squares of the size: the first colour at its alpha where
// x div size + y div size is even (counted from the rect's corner), the second elsewhere.
void clOverlayHatch(win::HDC dc, const win::RECT& rect, gui::TColor color1, std::uint8_t alpha1, gui::TColor color2,
                    std::uint8_t alpha2, int size);

}  // namespace controls
