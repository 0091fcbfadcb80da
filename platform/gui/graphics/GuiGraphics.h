#pragma once
// Start-up and shut-down of the class library's graphics. initialize() registers the graphics classes
// for stored window data and scripts, the picture file formats and the loaders of the program's icons
// and cursors; finalize() frees the printer object, gives back the control canvases' device contexts and
// drops all of that again.

namespace gui::graphics {

void initialize();
void finalize();

}  // namespace gui::graphics
