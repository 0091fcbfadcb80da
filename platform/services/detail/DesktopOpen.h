#pragma once
// Hands a target to the desktop's opener (xdg-open): shared by the shell's open verb and help.

#include <string>

namespace win::detail {

// Whether text is safe to pass as the last argument of another program: not empty, no leading '-'
// (it would read as an option), no control character.
bool IsPlainArgument(const std::string& text);

// Opens target (UTF-8, a URL or an absolute path) and answers as ShellExecute does: 42 when the opener
// ended successfully or still runs after two seconds (it became the program showing the target),
// SE_ERR_FNF when it says the target is missing, SE_ERR_NOASSOC for any other failure.
int OpenWithDesktop(const std::string& target);

}  // namespace win::detail
