#pragma once
// Start-up and shut-down of the auxiliary components library.

namespace components {

// Registers the settings store and the hyperlink label, so stored window data can create them by name.
void initialize();
void finalize();

}  // namespace components
