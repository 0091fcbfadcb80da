#pragma once
// Replacing a file's whole content so that a failure at any point (a full disk, a crash, a kill) leaves
// either the old file or the new one, never a mixture.

#include <string_view>

namespace rtl {

// Writes data to a temporary file beside fileName, flushes it to disk and renames it over fileName; the
// new file keeps the old one's permissions. Raises EFCreateError ("Cannot create file "<name>". <reason>")
// and leaves the old file untouched when anything fails.
void WriteFileAtomically(std::string_view fileName, std::string_view data);

}  // namespace rtl
