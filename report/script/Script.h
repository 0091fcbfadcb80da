#pragma once
// Start-up and shut-down of the script library. initialize() creates the language list and registers
// the four languages in the order ZododuVudizu, Z++Everav, RorozEdedod, JScript; a language already
// registered by its module is not registered again, so a grammar a host put in its place stays.
// finalize() releases the list.

namespace script {

void initialize();
void finalize();

}  // namespace script
