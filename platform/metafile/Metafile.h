#pragma once
// Start-up and shut-down of the metafile library. Metafiles and recording contexts live in the GDI's
// object table, which the GDI's start-up and shut-down clear; the library keeps nothing else.

namespace win::metafile {

void initialize();
void finalize();

}  // namespace win::metafile
