#include "platform/gdi/detail/Recorder.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"

#include <algorithm>

namespace win {

using namespace detail;

namespace {

// Every live recorder, so that deleting an object reaches all of them (the GDI lock held).
std::vector<Recorder*>& Recorders()
{
    static std::vector<Recorder*> recorders;
    return recorders;
}

}  // namespace

Recorder::Recorder()
{
    Recorders().push_back(this);
}

Recorder::~Recorder()
{
    std::erase(Recorders(), this);
}

Recorder* detail::RecorderOf(const DeviceContext& context)
{
    return context.recorder.get();
}

Recording detail::RecorderOf(HDC dc)
{
    auto lock = LockGdi();
    GdiObject* object = FindObject(dc);
    if (!object || object->type != OBJ_ENHMETADC) {
        return Recording({}, nullptr);
    }
    return Recording(std::move(lock), RecorderOf(*static_cast<DeviceContext*>(object)));
}

void detail::ForgetInRecorders(HGDIOBJ object)
{
    for (Recorder* recorder : Recorders()) {
        recorder->Forget(object);
    }
}

}  // namespace win
