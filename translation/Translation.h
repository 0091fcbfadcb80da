#pragma once
// Start-up and shut-down of the translation library: the class registrations of its components, and
// the compiler of translation sources that resource folders read through RIVUVE_RESOURCES need.

namespace translation {

void initialize();
void finalize();

}  // namespace translation
