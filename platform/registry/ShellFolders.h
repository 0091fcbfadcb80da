#pragma once
// The user's shell folders, which the original keeps in the registry, taken from the desktop's own
// settings: "Desktop", "Personal" and "My Pictures" from the XDG user directories (user-dirs.dirs under
// $XDG_CONFIG_HOME, else ~/Desktop, ~/Documents, ~/Pictures), "AppData" from $XDG_CONFIG_HOME (else
// ~/.config).

#include <string>
#include <string_view>

namespace win {

// The folder (an ANSI name without a trailing separator) of a shell folder name, matched without
// regard to case; empty for a name this system does not know or a folder it cannot name.
std::string ShellFolderPath(std::string_view name);

}  // namespace win
