#pragma once
// The registry classes' access to the process's one tree (see RegistryStore.h).

#include "platform/registry/RegistryStore.h"
#include "platform/registry/detail/RegistryTree.h"

#include <mutex>

namespace win::detail {

// Access to the tree for the registry classes: holds the store's lock while it lives.
class RegistryAccess {
public:
    RegistryAccess();
    RegistryAccess(const RegistryAccess&) = delete;
    RegistryAccess& operator=(const RegistryAccess&) = delete;

    const RegistryTree& Tree() const;
    // Applies the change to the tree and keeps it for the next write.
    void Apply(const RegistryChange& change);

private:
    std::unique_lock<std::mutex> lock_;
};

// Each registry object counts as one open store from creation to destruction. OpenRegistryStore reads
// the file when the tree was not read yet, or when another running copy has replaced it since and this
// process has nothing unwritten; CloseRegistryStore writes when the count drops to 0.
void OpenRegistryStore();
void CloseRegistryStore();

}  // namespace win::detail
