#pragma once
// Start-up and shut-down of the runtime library; the program block calls these first and last.

namespace rtl {

void initialize();
void finalize();

}  // namespace rtl
