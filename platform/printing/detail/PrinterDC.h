#pragma once
// The printer contexts the GDI's CreateDC and CreateIC make through the factory the library's start-up
// registers (gdi/detail/DeviceContext.h).

#include "platform/wintypes/DevMode.h"
#include "platform/wintypes/GdiTypes.h"

namespace win::detail {

HDC CreatePrinterDC(const char* printer, const DEVMODEA* mode, bool information);

}  // namespace win::detail
