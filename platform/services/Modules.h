#pragma once
// Libraries loaded by name. Everything the program calls is linked in, so a "library" here is a module
// that its provider registers under its Windows file name with the procedures it offers; LoadLibrary
// finds it by name (without regard to case) and GetProcAddress its procedures. A name nobody registered
// is missing, as a library that is not installed. Registrations outlive initialize() and finalize(), as
// the installed dialog service does: a provider may register before the libraries start.

#include "platform/wintypes/Types.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

using FARPROC = void (*)();

struct ModuleProc {
    std::string name;
    FARPROC address;
};

// Registers the module, or replaces the procedures of one registered under that name. A module that
// stands for an outside program is present only while installed() says so, asked at every load.
void RegisterModule(std::string_view fileName, std::vector<ModuleProc> procs, std::function<bool()> installed = {});
// Forgets the module; its handles fail from then on.
void UnregisterModule(std::string_view fileName);

// The module's handle, one more load counted; null with ERROR_MOD_NOT_FOUND for a name nobody
// registered. Loading a module twice gives the same handle.
HMODULE LoadLibrary(const char* fileName);
// Null with ERROR_PROC_NOT_FOUND for a procedure the module does not offer (names match exactly), and
// with ERROR_INVALID_HANDLE for a handle that is no loaded module.
FARPROC GetProcAddress(HMODULE module, const char* procName);
// Counts one load less; the handle fails once every load has been freed. FALSE with
// ERROR_INVALID_HANDLE for a handle that is no loaded module.
BOOL FreeLibrary(HMODULE module);

}  // namespace win
