#pragma once
// A control-foundation canvas over a drawing surface, for the drawing tests.

#include "controls/clGraphics.h"
#include "tests/support/DrawingSurface.h"

namespace controlstest {

struct SurfaceCanvas {
    explicit SurfaceCanvas(const testsupport::Surface& surface) : canvas(&frame) { frame.SetHandle(surface.DC()); }
    ~SurfaceCanvas() { frame.SetHandle(nullptr); }
    SurfaceCanvas(const SurfaceCanvas&) = delete;
    SurfaceCanvas& operator=(const SurfaceCanvas&) = delete;
    gui::TCanvas frame;
    controls::TclCanvas canvas;
};

}  // namespace controlstest
