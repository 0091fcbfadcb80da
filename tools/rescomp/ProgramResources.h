#pragma once
// The resources compiled into the program from resources/ by rescomp (library rivuve_resources).

namespace resources {

// Registers the program's resource table with the object model library (classes::RegisterResources).
void initialize();
void finalize();

}  // namespace resources
