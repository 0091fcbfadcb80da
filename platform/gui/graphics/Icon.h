#pragma once
// TIcon: an icon of the window system read from an icon file (the image of the system icon size, or the
// nearest to it) and written back as that file. An icon made from a handle is written as an icon file of
// one 32-bit image. Its "Data" in stored window data is the icon file.

#include "platform/gui/graphics/Graphic.h"
#include "platform/wintypes/Types.h"

#include <string>

namespace gui {

class TIcon : public TGraphic {
public:
    TIcon() = default;
    ~TIcon() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void Assign(const classes::TPersistent* source) override;

    void LoadFromStream(rtl::TStream& stream) override;
    void SaveToStream(rtl::TStream& stream) override;
    // Icons do not go through the clipboard: EInvalidGraphic "Clipboard does not support Icons".
    void LoadFromClipboardFormat(win::UINT format, win::HANDLE data, win::HPALETTE palette) override;
    void SaveToClipboardFormat(win::UINT& format, win::HANDLE& data, win::HPALETTE& palette) override;

    // EInvalidGraphicOperation "Cannot change the size of an icon".
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    void SetTransparent(bool) override {}

    win::HICON Handle() const { return handle_; }
    // Takes the icon (or cursor); the icon file is made from it when it is saved.
    void SetHandle(win::HICON handle);
    win::HICON ReleaseHandle();
    bool HandleAllocated() const { return handle_ != nullptr; }

protected:
    void Draw(TCanvas& canvas, const win::RECT& rect) override;
    bool GetEmpty() const override { return handle_ == nullptr; }
    int GetWidth() const override { return size_.cx; }
    int GetHeight() const override { return size_.cy; }
    bool GetTransparent() const override { return true; }

private:
    void Replace(win::HICON handle, std::string file);

    win::HICON handle_ = nullptr;
    win::SIZE size_;
    std::string file_;  // the icon file as read; empty for an icon made from a handle
};

// The icon file of an icon or cursor handle (one image).
std::string WriteIconFile(win::HICON icon);
// The icon of an icon file's image nearest to size (0: the system icon size); EInvalidGraphic for a file
// that holds no valid icon.
win::HICON ReadIconFile(std::string_view file, int size = 0);

}  // namespace gui
