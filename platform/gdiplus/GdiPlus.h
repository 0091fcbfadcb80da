#pragma once
// Start-up and shut-down of the GDI+ imaging and the image lists: both drop every image list and any
// drag in progress. Runs after the GDI's start-up and before its shut-down, since the lists keep their
// bitmaps in the GDI's table.

namespace win::gdiplus {

void initialize();
void finalize();

}  // namespace win::gdiplus
