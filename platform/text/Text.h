#pragma once
// Start-up and shut-down of the font engine: initialize() loads the private font set and forgets every
// realised font; finalize() lets them all go. Runs after the GDI's start-up and before its shut-down.

namespace win::text {

void initialize();
void finalize();

}  // namespace win::text
