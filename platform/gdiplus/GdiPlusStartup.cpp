#include "platform/gdiplus/GdiPlusTypes.h"

#include <atomic>
#include <cstdlib>

namespace win::gdiplus {

namespace {

std::atomic<int> starts{0};

Status Hook(ULONG_PTR* token)
{
    if (token) {
        *token = 1;
    }
    return Ok;
}

void Unhook(ULONG_PTR) {}

}  // namespace

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output)
{
    if (!token || !input || input->GdiplusVersion != 1 || (input->SuppressBackgroundThread && !output)) {
        return InvalidParameter;
    }
    if (output) {
        *output = input->SuppressBackgroundThread ? GdiplusStartupOutput{Hook, Unhook} : GdiplusStartupOutput{};
    }
    *token = static_cast<ULONG_PTR>(++starts);
    return Ok;
}

void GdiplusShutdown(ULONG_PTR)
{
    int running = starts.load();
    while (running > 0 && !starts.compare_exchange_weak(running, running - 1)) {
    }
}

bool GdiPlusPresent() { return true; }

bool GdiPlusStarted() { return starts.load() > 0; }

Status CheckCall(const void* object)
{
    if (!GdiPlusStarted()) {
        return GdiplusNotInitialized;
    }
    return object ? Ok : InvalidParameter;
}

void* GdipAlloc(std::size_t size) { return std::malloc(size); }

void GdipFree(void* pointer) { std::free(pointer); }

}  // namespace win::gdiplus
