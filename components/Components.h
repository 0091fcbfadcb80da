#pragma once
// Start-up and shut-down of the auxiliary components library.

namespace components {

// Registers the settings store class, so stored window data can create it by name.
void initialize();
void finalize();

}  // namespace components
