#pragma once
// Start-up and shut-down of the translation library: the class registrations of its components, the
// compiler of translation sources that resource folders read through RIVUVE_RESOURCES need, and the
// binding of the screen cursor to the GUI class library's screen.

namespace translation {

void initialize();
void finalize();

}  // namespace translation
