#pragma once
// The image lists' shut-down.

namespace win::detail {

// Shut-down: destroys every image list still alive (before the GDI ends).
void FinalizeImageLists();

}  // namespace win::detail
