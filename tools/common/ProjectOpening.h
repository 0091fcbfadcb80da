#pragma once
// A tool opens a project file as the program's Open command does, on a registry that is not the user's
// unless the user names one.

#include "analysis/Texts.h"
#include "shell/ProjectWindows.h"

#include <filesystem>
#include <string>

namespace tools {

// The registry a tool works on for as long as this lives: the file RIVUVE_REGISTRY names, or else a
// file of its own in a fresh private folder that goes with it, so the tool never changes the user's
// settings. rtl::EOSError when the folder cannot be made.
class ToolRegistry {
public:
    ToolRegistry();
    ~ToolRegistry();
    ToolRegistry(const ToolRegistry&) = delete;
    ToolRegistry& operator=(const ToolRegistry&) = delete;

private:
    std::filesystem::path folder_;
};

// The check pass over the file, then, when it passes, the live pass into the parameter table and the
// windows, then the options loaded again (LoadOptions). The reader's messages, looked up in texts (the
// hidden translation window's table), go through the dialog service. False when the file was refused (a
// file the check pass refuses loads nothing). reported receives the number of lines the passes reported.
bool OpenProject(const std::string& fileName, shell::ProjectWindows& windows, const analysis::TextSource& texts,
                 int& reported);

}  // namespace tools
