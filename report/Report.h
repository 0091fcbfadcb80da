#pragma once
// Start-up and shut-down of the report library.

namespace report {

// Makes the global lock and the string table with the library's texts (the program's resource
// "REPORTSTRINGS" must be registered), loads the HTML Help library when it is there, registers the
// library's classes for finding by name, and gives the script engine its messages. The creation
// functions of the engine, the prepared pages, the script and the windows start empty.
void initialize();
void finalize();

}  // namespace report
