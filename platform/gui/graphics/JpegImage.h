#pragma once
// TJPEGImage: a JPEG picture, kept as its file and shown through a bitmap decoded on first use. A picture
// assigned from a bitmap is compressed when it is saved, at CompressionQuality. Its "Data" in stored
// window data is a 32-bit length and then the JPEG file.

#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Graphic.h"

#include <memory>
#include <string>

namespace gui {

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // From another JPEG picture its file; from a bitmap its picture, compressed on saving.
    void Assign(const classes::TPersistent* source) override;

    void LoadFromStream(rtl::TStream& stream) override;
    void SaveToStream(rtl::TStream& stream) override;
    // As a bitmap: CF_DIB.
    void LoadFromClipboardFormat(win::UINT format, win::HANDLE data, win::HPALETTE palette) override;
    void SaveToClipboardFormat(win::UINT& format, win::HANDLE& data, win::HPALETTE& palette) override;

    // EInvalidGraphicOperation: a JPEG picture is as large as its file says.
    void SetWidth(int value) override;
    void SetHeight(int value) override;

    // 1 to 100, for compressing a picture assigned from a bitmap.
    int CompressionQuality() const { return quality_; }
    void SetCompressionQuality(int value);
    // Shows the picture in shades of grey.
    bool Grayscale() const { return grayscale_; }
    void SetGrayscale(bool value);

    // The picture as a bitmap (decoded on first use); the JPEG picture owns it.
    TBitmap* Bitmap();
    // Compresses a picture assigned from a bitmap now.
    void Compress();

protected:
    void AssignTo(classes::TPersistent* dest) const override;
    void Draw(TCanvas& canvas, const win::RECT& rect) override;
    bool GetEmpty() const override { return file_.empty() && !bitmap_; }
    int GetWidth() const override { return size_.cx; }
    int GetHeight() const override { return size_.cy; }
    void ReadData(rtl::TStream& stream) override;
    void WriteData(rtl::TStream& stream) override;

private:
    std::string file_;
    win::SIZE size_;
    std::unique_ptr<TBitmap> bitmap_;
    int quality_ = 75;
    bool grayscale_ = false;
};

}  // namespace gui
