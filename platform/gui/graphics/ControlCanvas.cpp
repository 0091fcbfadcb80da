#include "platform/gui/graphics/ControlCanvas.h"

#include "platform/win/Paint.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace gui {

namespace {

constexpr std::size_t kCanvasCacheSize = 4;

struct CanvasList {
    std::mutex mutex;
    std::vector<TControlCanvas*> canvases;  // holding a device context, oldest first
};

CanvasList& Canvases()
{
    static CanvasList list;
    return list;
}

}  // namespace

TControlCanvas::~TControlCanvas()
{
    FreeHandle();
}

const classes::TClassInfo& TControlCanvas::StaticClass()
{
    static const classes::TClassInfo info("TControlCanvas", &TCanvas::StaticClass());
    return info;
}

void TControlCanvas::SetControl(TCanvasControl* control)
{
    if (control != control_) {
        FreeHandle();
        control_ = control;
    }
}

void TControlCanvas::CreateHandle()
{
    if (!control_) {
        return;
    }
    if (!deviceContext_) {
        CanvasList& list = Canvases();
        std::vector<TControlCanvas*> surplus;
        {
            std::lock_guard lock(list.mutex);
            for (TControlCanvas* canvas : list.canvases) {
                if (list.canvases.size() - surplus.size() < kCanvasCacheSize) {
                    break;
                }
                if (canvas->LockCount() == 0) {
                    surplus.push_back(canvas);
                }
            }
        }
        for (TControlCanvas* canvas : surplus) {
            canvas->FreeHandle();
        }
        deviceContext_ = control_->GetDeviceContext(window_);
        std::lock_guard lock(list.mutex);
        list.canvases.push_back(this);
    }
    SetHandle(deviceContext_);
}

void TControlCanvas::FreeHandle()
{
    if (!deviceContext_) {
        return;
    }
    SetHandle(nullptr);
    win::ReleaseDC(window_, deviceContext_);
    deviceContext_ = nullptr;
    window_ = nullptr;
    CanvasList& list = Canvases();
    std::lock_guard lock(list.mutex);
    std::erase(list.canvases, this);
}

void FreeDeviceContexts()
{
    CanvasList& list = Canvases();
    std::vector<TControlCanvas*> canvases;
    {
        std::lock_guard lock(list.mutex);
        canvases = list.canvases;
    }
    for (TControlCanvas* canvas : canvases) {
        if (canvas->LockCount() == 0) {
            canvas->FreeHandle();
        }
    }
}

}  // namespace gui
