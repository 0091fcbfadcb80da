#pragma once
// The library's start-up and shut-down drop the installed back end.

namespace win::detail {

void ResetPrintBackend();

}  // namespace win::detail
