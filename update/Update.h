#pragma once
// Start-up and shut-down of the update library.

namespace update {

// Takes the running program's path and folder, creates the relay window's lock and starts libcurl.
void initialize();
void finalize();

}  // namespace update
