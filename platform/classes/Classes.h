#pragma once
// Start-up and shut-down of the object model library.

namespace classes {

// Registers the library's own classes for finding by name.
void initialize();
// Forgets every class registration, pending reference and global-component finder.
void finalize();

}  // namespace classes
