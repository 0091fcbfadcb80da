#pragma once
// TMetafile: a recorded drawing, read from enhanced metafiles and placeable Windows metafiles and played
// stretched into any rectangle. MMWidth and MMHeight are its size in 0.01 mm; Width and Height the same
// at the screen's resolution.
//
// Saving writes the enhanced metafile, or with Enhanced off the placeable metafile it was read from. The
// program has no writer of 16-bit metafiles: a drawing recorded here is always saved in the enhanced
// form, also under a ".wmf" name, which every reader of the program takes. Its "Data" in stored window
// data is a 32-bit length (itself included), then the metafile.

#include "platform/gui/graphics/Canvas.h"
#include "platform/gui/graphics/Graphic.h"
#include "platform/metafile/EnhMetaFile.h"

#include <string>

namespace gui {

class TMetafile : public TGraphic {
public:
    TMetafile() = default;
    ~TMetafile() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void Assign(const classes::TPersistent* source) override;
    void Clear();

    void LoadFromStream(rtl::TStream& stream) override;
    void SaveToStream(rtl::TStream& stream) override;
    // CF_ENHMETAFILE: the enhanced metafile's bytes in a global block.
    void LoadFromClipboardFormat(win::UINT format, win::HANDLE data, win::HPALETTE palette) override;
    void SaveToClipboardFormat(win::UINT& format, win::HANDLE& data, win::HPALETTE& palette) override;

    void SetWidth(int value) override;
    void SetHeight(int value) override;
    void SetTransparent(bool) override {}

    win::HENHMETAFILE Handle() const { return handle_; }
    // Takes the metafile; its size comes from its frame.
    void SetHandle(win::HENHMETAFILE handle);
    win::HENHMETAFILE ReleaseHandle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    bool Enhanced() const { return enhanced_; }
    void SetEnhanced(bool value) { enhanced_ = value; }
    int MMWidth() const { return mmWidth_; }
    void SetMMWidth(int value);
    int MMHeight() const { return mmHeight_; }
    void SetMMHeight(int value);
    // Units per inch of a placeable metafile read from a file (0 for others).
    int Inch() const { return inch_; }

protected:
    void Draw(TCanvas& canvas, const win::RECT& rect) override;
    bool GetEmpty() const override { return handle_ == nullptr; }
    int GetWidth() const override;
    int GetHeight() const override;
    bool GetTransparent() const override { return true; }
    void ReadData(rtl::TStream& stream) override;
    void WriteData(rtl::TStream& stream) override;

private:
    void Replace(win::HENHMETAFILE handle, std::string placeable, int inch);

    win::HENHMETAFILE handle_ = nullptr;
    std::string placeable_;  // the placeable metafile as read
    bool enhanced_ = true;
    int mmWidth_ = 0;
    int mmHeight_ = 0;
    int inch_ = 0;
};

// A canvas that records into a metafile: what is drawn on it becomes the metafile's drawing when the
// canvas goes. The reference device (null: the screen) gives the resolution; a metafile without a size
// takes the reference device's whole surface.
class TMetafileCanvas : public TCanvas {
public:
    TMetafileCanvas(TMetafile* metafile, win::HDC referenceDevice);
    ~TMetafileCanvas() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

private:
    TMetafile* metafile_;
};

}  // namespace gui
