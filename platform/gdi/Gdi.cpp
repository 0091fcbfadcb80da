#include "platform/gdi/Gdi.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"

namespace win::gdi {

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
