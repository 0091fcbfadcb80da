#pragma once
// A canvas drawing on a device context it was given (a WM_PAINT's), locked, for the scope's lifetime.

#include "platform/gui/graphics/Canvas.h"

namespace gui::detail {

class PaintingOn {
public:
    PaintingOn(TCanvas& canvas, win::HDC dc) : canvas_(canvas)
    {
        canvas_.Lock();
        canvas_.SetHandle(dc);
    }
    ~PaintingOn()
    {
        canvas_.SetHandle(nullptr);
        canvas_.Unlock();
    }
    PaintingOn(const PaintingOn&) = delete;
    PaintingOn& operator=(const PaintingOn&) = delete;

private:
    TCanvas& canvas_;
};

}  // namespace gui::detail
