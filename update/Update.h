#pragma once
// Start-up and shut-down of the update library.

namespace update {

// Registers the classes stored window data may name, takes the running program's path and folder,
// creates the relay window's lock and starts libcurl.
void initialize();
void finalize();

}  // namespace update
