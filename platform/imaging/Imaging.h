#pragma once
// Start-up and shut-down of the picture codecs. They keep no state between calls.

namespace win::imaging {

void initialize();
void finalize();

}  // namespace win::imaging
