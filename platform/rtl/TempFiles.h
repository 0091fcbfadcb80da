#pragma once
// The program's private temporary folder and unique temporary files in it.

#include <string>
#include <string_view>

namespace rtl {

// $RIVUVE_TMPDIR, else $TMPDIR, else /tmp, followed by "rivuve-<uid>/": created with mode 0700 when
// missing. An existing one must be a real folder (not a link) owned by the user and closed to everyone
// else; otherwise EOSError is raised and nothing is written there.
std::string PrivateTempFolder();

// Creates a new, empty file with a unique name starting with prefix, in folder (the private temporary
// folder when empty), and returns its name. The name is chosen and the file created in one step, so
// no other program can slip in between.
std::string CreateTempFileName(std::string_view prefix, std::string_view folder = {});

}  // namespace rtl
