#pragma once
// What the playing fuzz targets share: the libraries a metafile draws with, started once, and a small
// memory context to play onto.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/metafile/Metafile.h"
#include "platform/rtl/Rtl.h"
#include "platform/text/Text.h"

namespace fuzz {

inline void InitializeDrawing()
{
    static const bool initialized = [] {
        rtl::initialize();
        win::gdi::initialize();
        win::text::initialize();
        win::metafile::initialize();
        return true;
    }();
    (void)initialized;
}

class SmallCanvas {
public:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 48;

    SmallCanvas() : dc_(win::CreateCompatibleDC(nullptr)), bitmap_(win::CreateCompatibleBitmap(dc_, kWidth, kHeight))
    {
        win::SelectObject(dc_, bitmap_);
    }
    ~SmallCanvas()
    {
        win::DeleteDC(dc_);
        win::DeleteObject(bitmap_);
    }
    SmallCanvas(const SmallCanvas&) = delete;
    SmallCanvas& operator=(const SmallCanvas&) = delete;

    win::HDC Dc() const { return dc_; }
    // Not the whole canvas, so that playing also maps onto an offset.
    static win::RECT Inside() { return win::RECT{2, 3, kWidth - 4, kHeight - 3}; }

private:
    win::HDC dc_;
    win::HBITMAP bitmap_;
};

}  // namespace fuzz
