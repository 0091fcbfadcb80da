#pragma once
// What the desktop service tests share: a recording launcher installed for the test, a PATH of the
// test's own choosing, and executable files to put on it.

#include "platform/services/Launcher.h"
#include "tests/support/ScratchFolder.h"

#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace desktoptest {

class ScopedPath {
public:
    explicit ScopedPath(const std::string& path)
    {
        if (const char* old = std::getenv("PATH"))
            saved_ = old;
        ::setenv("PATH", path.c_str(), 1);
    }
    ~ScopedPath()
    {
        if (saved_)
            ::setenv("PATH", saved_->c_str(), 1);
        else
            ::unsetenv("PATH");
    }
    ScopedPath(const ScopedPath&) = delete;
    ScopedPath& operator=(const ScopedPath&) = delete;

private:
    std::optional<std::string> saved_;
};

// An executable script named name in the folder.
inline void AddProgram(const testsupport::ScratchFolder& folder, const std::string& name,
                       const std::string& script = "#!/bin/sh\nexit 0\n")
{
    folder.WriteFile(name, script);
    ::chmod(folder.Path(name).c_str(), 0755);
}

class Recording {
public:
    Recording() : scope_(launcher) {}
    win::RecordingLauncher launcher;

private:
    win::ScopedLauncher scope_;
};

using Call = win::RecordingLauncher::Call;
using Argv = std::vector<std::string>;

}  // namespace desktoptest
