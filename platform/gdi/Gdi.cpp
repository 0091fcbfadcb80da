#include "platform/gdi/Gdi.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/SystemInfo.h"

namespace win::gdi {

using namespace win::detail;

void initialize()
{
    ResetSystemInfo();
    InitializeGdi();
}

void finalize()
{
    FinalizeGdi();
}

}  // namespace win::gdi
