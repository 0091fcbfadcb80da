#pragma once
// TGIFImage: a GIF picture (its first frame), kept as its file and shown through a bitmap decoded on first
// use; the pixels of its transparent colour leave the destination as it is. Its "Data" in stored window
// data is the GIF file.

#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Graphic.h"

#include <memory>
#include <string>

namespace gui {

class TGIFImage : public TGraphic {
public:
    TGIFImage();
    ~TGIFImage() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void Assign(const classes::TPersistent* source) override;

    void LoadFromStream(rtl::TStream& stream) override;
    void SaveToStream(rtl::TStream& stream) override;
    // The program writes no GIF files: the clipboard gets and gives bitmaps only (CF_DIB).
    void LoadFromClipboardFormat(win::UINT format, win::HANDLE data, win::HPALETTE palette) override;
    void SaveToClipboardFormat(win::UINT& format, win::HANDLE& data, win::HPALETTE& palette) override;

    // EInvalidGraphicOperation: a GIF picture is as large as its file says.
    void SetWidth(int value) override;
    void SetHeight(int value) override;

protected:
    void AssignTo(classes::TPersistent* dest) const override;
    void Draw(TCanvas& canvas, const win::RECT& rect) override;
    bool GetEmpty() const override { return file_.empty(); }
    int GetWidth() const override { return size_.cx; }
    int GetHeight() const override { return size_.cy; }
    bool GetTransparent() const override { return hasTransparency_; }

private:
    // The picture with its alpha premultiplied, for blending.
    win::HBITMAP Picture();

    std::string file_;
    win::SIZE size_;
    bool hasTransparency_ = false;
    win::HBITMAP picture_ = nullptr;
};

}  // namespace gui
