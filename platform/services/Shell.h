#pragma once
// The shell's open verb. The program asks the shell to open web addresses (links, mail addresses),
// documents and folders, and the calculator; the desktop's opener shows them. Nothing else is started:
// a program file, a launcher entry or a link of any other scheme is refused, because these targets can
// come from files the user was sent.

#include "platform/wintypes/Types.h"

namespace win {

// ShellExecute's answers: above 32 success, else the reason.
constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_PNF = 3;
constexpr int SE_ERR_NOASSOC = 31;

// verb null, empty or "open"; file a URL (http, https, ftp, mailto), "calc.exe", or an existing file or
// folder (either separator, relative to dir when dir is given). parameters and show are taken and not
// used: nothing that would use them is started. Answers 42 when the target opened, SE_ERR_FNF for a
// missing file or no calculator, SE_ERR_NOASSOC for anything refused or failed.
HINSTANCE ShellExecute(HWND window, const char* verb, const char* file, const char* parameters, const char* dir,
                       int show);

}  // namespace win
