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
// fileName. A symbolic link is followed to the file it leads to, which is replaced and the link kept;
// the new file keeps the old one's permission bits, and its owner and group where the process may give
// them. A name that exists as anything but a regular file (a folder, a FIFO, a device) is refused.
// Temporary files that killed writers left in the folder, older than a minute, are removed first.
// Raises EFCreateError ("Cannot create file "<name>". <reason>") and leaves the old file untouched when
// anything fails.
void WriteFileAtomically(std::string_view fileName, std::string_view data, const AtomicWriteOptions& options = {});

// The same for a name already in the system's form (UTF-8, '/'), raising EOSError with the system's text.
void WriteSystemFileAtomically(const std::string& osName, std::string_view data,
                               const AtomicWriteOptions& options = {});

// Whether osEntry (a name in a folder) is named as the temporary files of these writes are: ".~rv",
// eight lower-case letters or digits and ".tmp", the same length whatever file is written.
bool IsAtomicWriteTemporary(std::string_view osEntry);

}  // namespace rtl
