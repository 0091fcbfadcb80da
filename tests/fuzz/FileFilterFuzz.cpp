// Any filter and typed name in the file dialog, on a scratch folder: a name chosen is a file whose path
// holds no climbing part and no NUL and, where the window asks for it, names an existing folder; or it is
// refused with a message, silently only when it trims to nothing; nothing else.
#include "platform/gui/dialogs/detail/FileChooser.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StringUtils.h"

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string root;

void RemoveRoot()
{
    std::error_code error;
    std::filesystem::remove_all(root, error);
}

const std::string& Scratch()
{
    static const bool made = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "rivuve-filefuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            __builtin_trap();
        root = pattern + "/";
        std::filesystem::create_directory(root + "p");
        for (const char* name : {"a.KVX", "b.kvx", "c.txt", ".x.KVX", "p/d.kvx", "\xD0\xB6.kvx"})
            std::ofstream(root + name) << "x";
        std::atexit(RemoveRoot);
        return true;
    }();
    (void)made;
    return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t split = input.find('\n');
    const std::string filter = input.substr(0, split);
    const std::string typed = split == std::string::npos ? "" : input.substr(split + 1);
    gui::detail::FileChooser::Options options;
    options.save = data[0] & 1;
    options.fileMustExist = data[0] & 2;
    options.pathMustExist = data[0] & 4;
    options.defaultExt = (data[0] & 8) ? "KVX" : "";
    gui::detail::FileChooser chooser(options);
    const auto parts = gui::detail::ParseFilter(filter);
    for (const auto& part : parts)
        if (part.patterns.empty())
            __builtin_trap();
    if (!parts.empty())
        chooser.SetPatterns(parts[data[0] % parts.size()].patterns);
    if (!chooser.SetFolder(Scratch()).empty())
        __builtin_trap();
    const auto choice = chooser.Choose(typed);
    using Kind = gui::detail::FileChooser::Choice::Kind;
    if (choice.kind == Kind::Refused && choice.message.empty() && !rtl::Trim(typed).empty())
        __builtin_trap();
    if (choice.kind == Kind::File) {
        const std::string& path = choice.path;
        if (path.empty() || path[0] != '/' || path.size() > gui::detail::kMaxPath ||
            path.find("/../") != std::string::npos || path.find("/./") != std::string::npos ||
            path.find('\\') != std::string::npos || path.find('\0') != std::string::npos)
            __builtin_trap();
        // An open window without "path must exist" may name a folder that is not there.
        if ((options.save || options.pathMustExist) && !rtl::DirectoryExists(rtl::ExtractFilePath(path)))
            __builtin_trap();
        if (options.fileMustExist && !rtl::FileExists(path))
            __builtin_trap();
    }
    if (choice.kind == Kind::Folder && !rtl::DirectoryExists(chooser.Folder()))
        __builtin_trap();
    return 0;
}
