#pragma once
// The start-up and shut-down of the library's units, in the order the library's initialize() runs them.

namespace report::detail {

// The string table with the library's own texts, and the HTML Help library.
void InitializeResources();
void FinalizeResources();
// The global lock, the process-wide data-set list and variables, and the registrations of the report
// classes.
void InitializeReportClasses();
void FinalizeReportClasses();
void InitializeDataSetList();
void FinalizeDataSetList();
void InitializeVariables();
void FinalizeVariables();

}  // namespace report::detail
