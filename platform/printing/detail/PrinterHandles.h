#pragma once
// The printer handles OpenPrinter hands out.

#include "platform/wintypes/Types.h"

#include <optional>
#include <string>

namespace win::detail {

// The printer of a handle; none (ERROR_INVALID_HANDLE set) for a handle that is no open printer.
std::optional<std::string> PrinterOfHandle(HANDLE printer);

}  // namespace win::detail
