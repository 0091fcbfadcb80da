#pragma once
// Start-up and shut-down of the translation library: the class registrations of its components.

namespace translation {

void initialize();
void finalize();

}  // namespace translation
