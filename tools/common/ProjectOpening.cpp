#include "tools/common/ProjectOpening.h"

#include "platform/registry/RegistryStore.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/TempFiles.h"
#include "shell/ProjectFile.h"
#include "tools/common/Estimator.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace tools {

ToolRegistry::ToolRegistry()
{
    if (std::getenv("RIVUVE_REGISTRY"))
        return;
    const std::string parent = rtl::PrivateTempFolder();
    std::string pattern = rtl::OsFileName(parent + "registry-XXXXXX");
    if (!::mkdtemp(pattern.data())) {
        const int error = errno;
        throw rtl::EOSError("Cannot make a folder for the temporary registry in " + parent + ": " +
                                rtl::SysErrorMessage(error),
                            error);
    }
    folder_ = pattern;
    win::UseRegistryFile(folder_ / "registry");
}

ToolRegistry::~ToolRegistry()
{
    if (folder_.empty())
        return;
    win::UseRegistryFile({});
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

bool OpenProject(const std::string& fileName, shell::ProjectWindows& windows, const analysis::TextSource& texts,
                 int& reported)
{
    reported = 0;
    if (!shell::OpenProjectFile(fileName, windows, texts, &reported))
        return false;
    LoadOptions();
    return true;
}

}  // namespace tools
