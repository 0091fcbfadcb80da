#pragma once
// TBitmap: a device-independent bitmap of 1, 4, 8, 24 or 32 bits with a canvas to draw on it, read from
// and written to bitmap files (every depth and compression on reading; uncompressed on writing).
//
// A bitmap read from a file or stored data keeps that file until it is changed (through its canvas,
// its handle or its scan lines), and writes it back as it was read. Its "Data" in stored window data is
// a 32-bit little-endian length and then the bitmap file.
//
// Transparent drawing leaves the destination where the bitmap has its transparent colour: the colour
// set, or with TransparentMode tmAuto the pixel at its bottom-left corner.

#include "platform/gui/graphics/Canvas.h"
#include "platform/gui/graphics/Graphic.h"

#include <memory>
#include <string>
#include <vector>

namespace gui {

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // From another bitmap a copy; from any other picture the picture drawn on a bitmap of its size
    // (white where it is transparent); from null an empty bitmap.
    void Assign(const classes::TPersistent* source) override;

    void LoadFromStream(rtl::TStream& stream) override;
    void SaveToStream(rtl::TStream& stream) override;
    // CF_DIB (a packed bitmap in a global block) and CF_BITMAP (a bitmap handle, copied).
    void LoadFromClipboardFormat(win::UINT format, win::HANDLE data, win::HPALETTE palette) override;
    void SaveToClipboardFormat(win::UINT& format, win::HANDLE& data, win::HPALETTE& palette) override;
    // A BITMAP resource of the program (a bitmap file); classes::EResNotFound when there is none.
    void LoadFromResourceName(win::HINSTANCE instance, const std::string& name);
    void LoadFromResourceID(win::HINSTANCE instance, int id);

    void SetWidth(int value) override { SetSize(value, Height()); }
    void SetHeight(int value) override { SetSize(Width(), value); }
    // Keeps the picture at the top left; new pixels are white.
    virtual void SetSize(int width, int height);

    // The bitmap's handle, made on demand and out of the canvas's context; taking it counts as a change
    // (the caller may draw on it).
    win::HBITMAP Handle();
    // Takes the handle (a bitmap of any kind; a copy is made as a DIB section and the handle deleted).
    void SetHandle(win::HBITMAP handle);
    // Gives the handle away; the bitmap is empty afterwards.
    win::HBITMAP ReleaseHandle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    TCanvas* Canvas();

    TPixelFormat PixelFormat() const { return format_; }
    // Converts the picture to the new depth (15 and 16 bits are kept as 24, the device's as 32).
    void SetPixelFormat(TPixelFormat value);
    bool Monochrome() const { return format_ == pf1bit; }
    void SetMonochrome(bool value) { SetPixelFormat(value ? pf1bit : pfDevice); }
    // A row of pixels from the top, in the bitmap's own layout; counts as a change.
    void* ScanLine(int row);

    TColor TransparentColor();
    // clDefault goes back to tmAuto.
    void SetTransparentColor(TColor value);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode value);
    // A monochrome bitmap, white where the picture has the transparent colour; the bitmap keeps it.
    win::HBITMAP MaskHandle();
    // Turns the bitmap into its mask for the colour: white where it has the colour, black elsewhere.
    void Mask(TColor transparentColor);

    // Keeps the picture as a bitmap file only, without a handle (made again on demand).
    void Dormant();
    // Forgets the kept file; the handle stays.
    void FreeImage();

protected:
    void Changed(classes::TObject* sender) override;
    void Draw(TCanvas& canvas, const win::RECT& rect) override;
    bool GetEmpty() const override { return width_ == 0 || height_ == 0; }
    int GetWidth() const override { return width_; }
    int GetHeight() const override { return height_; }
    void ReadData(rtl::TStream& stream) override;
    void WriteData(rtl::TStream& stream) override;

private:
    class BitmapCanvas;
    friend class BitmapCanvas;
    // Before a change: the kept file and the mask no longer match.
    void Changing(classes::TObject* sender);
    void HandleNeeded();
    // Replaces the picture; the old handle, its canvas context and its mask go.
    void Replace(win::HBITMAP handle, int width, int height, TPixelFormat format, std::string file);
    void FreeContext();
    void DropMask();
    std::string FileBytes();

    win::HBITMAP handle_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = pfDevice;
    std::string file_;  // the bitmap file as read (or made dormant); empty when it no longer matches
    std::unique_ptr<TCanvas> canvas_;
    win::HBITMAP mask_ = nullptr;
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = tmAuto;
};

// Bitmap files: the file of a bitmap handle at the given depth (1, 4, 8, 24 or 32 bits), and a DIB
// section of a bitmap file's picture at its depth (EInvalidGraphic for a file that is not a whole, valid
// bitmap); depth receives the depth kept.
std::string WriteBitmapFile(win::HBITMAP bitmap, int depth);
win::HBITMAP ReadBitmapFile(std::string_view file, int& depth);
// A 32-bit DIB section of a decoded picture: its alpha premultiplied as AlphaBlend takes it, or dropped.
win::HBITMAP BitmapOfImage(const win::Image& image, bool premultipliedAlpha);
// The picture of a bitmap, opaque.
win::Image ImageOfBitmap(win::HBITMAP bitmap);

}  // namespace gui
