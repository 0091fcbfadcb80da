#pragma once
// The process's one registry tree and its file.
//
// The tree is read from the file when the first store opens. Changes stay in memory until the outermost
// open store closes (or FlushRegistry runs at exit); then, holding an exclusive lock on "<file>.lock",
// the file is read again, this process's changes since the last read are replayed over it (so changes
// another running copy wrote meanwhile survive), and the result is written to a temporary file beside
// it (mode 0600), flushed to disk and renamed over the old file. Nothing is written when nothing changed.
// A damaged file, or one larger than MaxRegistryFileSize, is renamed aside to "<file>.damaged-<time>"
// and the tree starts empty; the program learns of it once through TakeRegistryNotice.
//
// Nobody waits for the lock longer than rtl::kFileLockTimeout (a stopped copy of the program may hold
// it): a read then takes the file as it stands, and a write keeps its changes in memory for the next
// one; the program learns once through TakeRegistryNotice that the settings could not be saved.
//
// The file is $RIVUVE_REGISTRY when set, otherwise $XDG_CONFIG_HOME/rivuve/registry (XDG_CONFIG_HOME
// defaults to ~/.config); a missing folder is created with mode 0700.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace win {

inline constexpr std::int64_t MaxRegistryFileSize = std::int64_t{64} << 20;

// Writes the changes that are still only in memory; finalize calls it. Raises
// EFCreateError when the file cannot be written; the changes then stay in memory.
void FlushRegistry();

// The notices about a damaged file set aside and about settings that could not be saved, each given
// once, one per line; empty when there is none (or they were taken).
std::string TakeRegistryNotice();

// For tests: points the store at another file and forgets the tree, unwritten changes, the open count
// and the notice; an empty name goes back to the usual place.
void UseRegistryFile(const std::filesystem::path& fileName);
// For tests: runs while a write holds the lock, after the temporary file is on disk and before it
// replaces the registry file.
void SetRegistryWriteHook(std::function<void()> hook);

}  // namespace win

namespace win::registry {

// Start-up forgets the tree, unwritten changes and the notice and goes back to the usual file;
// shut-down writes what is still only in memory (FlushRegistry, raising as it does).
void initialize();
void finalize();

}  // namespace win::registry
