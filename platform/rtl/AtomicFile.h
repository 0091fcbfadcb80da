#pragma once
// Replacing a file's whole content so that a failure at any point (a full disk, a crash, a kill) leaves
// either the old file or the new one, never a mixture.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace rtl {

struct AtomicWriteOptions {
    // The permissions of the written file. Unset: an existing file keeps its own, a new one gets 0666
    // less the umask.
    std::optional<unsigned> mode;
    // Runs when the temporary file is complete and on disk, just before it replaces the target; tests
    // use it to stop a writer at the worst moment.
    std::function<void()> beforeReplace;
};

// Writes data to a temporary file beside fileName (an ANSI name), flushes it to disk and renames it over
// fileName. Raises EFCreateError ("Cannot create file "<name>". <reason>") and leaves the old file
// untouched when anything fails.
void WriteFileAtomically(std::string_view fileName, std::string_view data, const AtomicWriteOptions& options = {});

// The same for a name already in the system's form (UTF-8, '/'), raising EOSError with the system's text.
void WriteSystemFileAtomically(const std::string& osName, std::string_view data,
                               const AtomicWriteOptions& options = {});

// Whether osEntry (a name in the folder of osName) is a temporary file of a write to osName, which a writer
// that was killed may have left behind; a caller that serialises its writes may remove such files.
bool IsAtomicWriteLeftover(std::string_view osName, std::string_view osEntry);

}  // namespace rtl
