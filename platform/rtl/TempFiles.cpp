#include "platform/rtl/TempFiles.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rtl {

namespace {

std::string TempBase()
{
    for (const char* variable : {"RIVUVE_TMPDIR", "TMPDIR"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value)
            continue;
        try {
            return AnsiFileName(value);
        } catch (const EEncodingError& e) {
            throw EEncodingError("The temporary folder named by " + std::string(variable) + " cannot be used. " +
                                 e.Message());
        }
    }
    return "/tmp";
}

[[noreturn]] void RefuseFolder(const std::string& folder, const std::string& reason, int errorCode)
{
    throw EOSError("The temporary folder \"" + folder + "\" cannot be used: " + reason, errorCode);
}

// Opens the folder without following a link and checks that only the user can reach into it.
void CheckPrivateFolder(const std::string& folder, bool created)
{
    // Without the trailing separator: "link/" would lead through the link.
    const std::string osFolder = OsFileName(ExcludeTrailingPathDelimiter(folder));
    const int handle = ::open(osFolder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (handle < 0) {
        const int error = errno;
        RefuseFolder(folder, error == ELOOP ? "it is a symbolic link" : SysErrorMessage(error), error);
    }
    struct stat st;
    const bool statted = ::fstat(handle, &st) == 0;
    // A folder made just now may have lost owner rights to the umask.
    const bool fixed = statted && (!created || ::fchmod(handle, 0700) == 0);
    const int error = errno;
    ::close(handle);
    if (!statted || !fixed)
        RefuseFolder(folder, SysErrorMessage(error), error);
    if (st.st_uid != ::geteuid())
        RefuseFolder(folder, "it belongs to another user", EPERM);
    if (!created && (st.st_mode & 077) != 0)
        RefuseFolder(folder, "other users can access it", EPERM);
}

}  // namespace

std::string PrivateTempFolder()
{
    const std::string folder =
        IncludeTrailingPathDelimiter(TempBase()) + "rivuve-" + std::to_string(::geteuid()) + PathDelim;
    bool created = true;
    if (::mkdir(OsFileName(folder).c_str(), 0700) != 0) {
        const int error = errno;
        if (error != EEXIST)
            RefuseFolder(folder, SysErrorMessage(error), error);
        created = false;
    }
    CheckPrivateFolder(folder, created);
    return folder;
}

std::string CreateTempFileName(std::string_view prefix, std::string_view folder)
{
    if (prefix.find_first_of("\\/") != std::string_view::npos)
        throw EInvalidArgument("A temporary file prefix cannot hold a folder: \"" + std::string(prefix) + "\"");
    const std::string base = folder.empty() ? PrivateTempFolder() : IncludeTrailingPathDelimiter(folder);
    // The random part is six ASCII letters and digits, the same in ANSI and UTF-8.
    std::string name = OsFileName(base + std::string(prefix) + "XXXXXX");
    const int handle = ::mkstemp(name.data());
    if (handle < 0) {
        const int error = errno;
        throw EOSError("Cannot create a temporary file in \"" + base + "\". " + SysErrorMessage(error), error);
    }
    ::close(handle);
    return base + std::string(prefix) + name.substr(name.size() - 6);
}

}  // namespace rtl
