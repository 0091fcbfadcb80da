#pragma once
// Start-up and shut-down of the estimator's library.

namespace analysis {

// Gives the program-wide state its start values (InitGlobals).
void initialize();
// Frees the parameter records; the tables are empty and DefinedParamCount is 0 afterwards.
void finalize();

}  // namespace analysis
