#pragma once
// How the printing calls fail: the last error and the text PrintErrorText() gives.

#include "platform/printing/PrintBackend.h"

#include <string>

namespace win::detail {

// Sets the last error and the error text of the calling thread.
void NoteFailure(DWORD code, const std::string& text);
void NoteFailure(const EPrintError& error);
// The failure of a system call on a file (errno), as a printing error: ERROR_PATH_NOT_FOUND for a missing
// folder, ERROR_DISK_FULL for a full disk or a file beyond the size allowed, ERROR_ACCESS_DENIED for
// anything else.
EPrintError FileError(const std::string& what, int error);

}  // namespace win::detail
