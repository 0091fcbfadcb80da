#pragma once
// Points the process's registry at a file in a fresh folder for as long as the guard lives, so a test
// never reads or writes the user's settings; the registry forgets that file afterwards.

#include "platform/registry/RegistryStore.h"
#include "tests/support/ScratchFolder.h"

#include <string>
#include <string_view>

namespace testsupport {

class ScratchRegistry {
public:
    explicit ScratchRegistry(std::string_view fileName = "registry") : file_(folder_.Path(fileName))
    {
        win::UseRegistryFile(file_);
    }
    ~ScratchRegistry() { win::UseRegistryFile({}); }
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

    const std::string& File() const { return file_; }
    const ScratchFolder& Folder() const { return folder_; }
    // Forgets the tree and reads the file again, as the next run of the program would.
    void Restart() const { win::UseRegistryFile(file_); }

private:
    ScratchFolder folder_;
    std::string file_;
};

}  // namespace testsupport
