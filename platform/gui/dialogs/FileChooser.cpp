#include "platform/gui/dialogs/detail/FileChooser.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StringUtils.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace gui::detail {

namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

bool HasWildcards(const std::string& text)
{
    return text.find_first_of("*?") != std::string::npos;
}

std::string Slashed(std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

// A folder name with one trailing '/', ".." and "." resolved.
std::string FolderName(const std::string& name)
{
    return rtl::IncludeTrailingPathDelimiter(rtl::ExpandFileName(name));
}

struct OsStat {
    bool exists = false;
    bool folder = false;
};

OsStat StatOf(const std::string& ansiName)
{
    struct stat st {};
    try {
        if (::stat(rtl::OsFileName(ansiName).c_str(), &st) != 0)
            return {};
    } catch (const rtl::Exception&) {
        return {};
    }
    return {true, S_ISDIR(st.st_mode)};
}

std::string FileNotFound(const std::string& name)
{
    return name + "\nFile not found.\nPlease verify the correct file name was given.";
}

std::string PathNotFound(const std::string& path)
{
    return path + "\nPath does not exist.\nPlease verify the correct path was given.";
}

}  // namespace

std::vector<FilterPart> ParseFilter(const std::string& filter)
{
    std::vector<FilterPart> parts;
    const std::vector<std::string> fields = Split(filter, '|');
    for (size_t i = 0; i + 1 < fields.size(); i += 2) {
        FilterPart part{fields[i], {}};
        for (const std::string& pattern : Split(fields[i + 1], ';')) {
            const std::string trimmed = rtl::Trim(pattern);
            if (!trimmed.empty())
                part.patterns.push_back(trimmed);
        }
        if (!part.patterns.empty())
            parts.push_back(std::move(part));
    }
    return parts;
}

std::string FileChooser::SetFolder(const std::string& folder)
{
    std::string name;
    try {
        name = FolderName(folder.empty() || rtl::IsPathDelimiter(folder[0]) ? folder : folder_ + folder);
    } catch (const rtl::Exception& e) {
        return e.Message();
    }
    if (name.size() > kMaxPath)
        return "The path is too long.";
    const std::string previous = folder_;
    folder_ = name;
    std::string error = Refresh();
    if (!error.empty()) {
        folder_ = previous;
        if (!previous.empty())
            Refresh();
    }
    return error;
}

bool FileChooser::Up()
{
    if (folder_.size() <= 1)
        return false;
    return SetFolder(rtl::ExtractFilePath(rtl::ExcludeTrailingPathDelimiter(folder_))).empty();
}

std::vector<std::string> FileChooser::FolderChain() const
{
    std::vector<std::string> chain{"/"};
    for (size_t i = 1; i < folder_.size(); ++i)
        if (folder_[i] == '/')
            chain.push_back(folder_.substr(0, i + 1));
    if (const char* home = std::getenv("HOME")) {
        std::string ansi;
        if (rtl::TryUtf8ToAnsi(home, ansi) && *home) {
            const std::string homeFolder = rtl::IncludeTrailingPathDelimiter(ansi);
            if (std::find(chain.begin(), chain.end(), homeFolder) == chain.end())
                chain.push_back(homeFolder);
        }
    }
    return chain;
}

std::string FileChooser::Refresh()
{
    struct CloseDir {
        void operator()(DIR* dir) const { ::closedir(dir); }
    };
    std::string osFolder;
    try {
        osFolder = rtl::OsFileName(folder_);
    } catch (const rtl::Exception& e) {
        return e.Message();
    }
    std::unique_ptr<DIR, CloseDir> dir(::opendir(osFolder.c_str()));
    if (!dir)
        return folder_ + "\n" + std::strerror(errno);
    std::vector<FolderEntry> folders;
    std::vector<FolderEntry> files;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (entry->d_name[0] == '.')
            continue;
        FolderEntry item;
        if (!rtl::TryUtf8ToAnsi(entry->d_name, item.name)) {
            item.name = rtl::WideToAnsi(rtl::Utf8ToWide(entry->d_name));
            item.usable = false;
        }
        struct stat st {};
        if (::stat((osFolder + entry->d_name).c_str(), &st) != 0)
            continue;
        item.folder = S_ISDIR(st.st_mode);
        if (item.folder) {
            folders.push_back(std::move(item));
        } else if (std::any_of(patterns_.begin(), patterns_.end(),
                               [&](const std::string& p) { return rtl::MatchesMask(item.name, p); })) {
            files.push_back(std::move(item));
        }
    }
    const auto byCollation = [](const FolderEntry& a, const FolderEntry& b) {
        return rtl::AnsiCompareText(a.name, b.name) < 0;
    };
    std::sort(folders.begin(), folders.end(), byCollation);
    std::sort(files.begin(), files.end(), byCollation);
    entries_ = std::move(folders);
    entries_.insert(entries_.end(), files.begin(), files.end());
    return {};
}

FileChooser::Choice FileChooser::Choose(const std::string& typed)
{
    Choice choice;
    const std::string text = Slashed(rtl::Trim(typed));
    if (text.empty())
        return choice;
    for (const FolderEntry& entry : entries_)
        if (entry.name == text && !entry.usable) {
            choice.message = "\"" + entry.name + "\"\nThis name holds characters that cannot be used here.";
            return choice;
        }
    if (typed.find('\0') != std::string::npos) {
        choice.message = "A file name cannot hold a NUL character.";
        return choice;
    }
    if (text.find_first_of("\r\n\t") != std::string::npos) {
        choice.message = FileNotFound(text);
        return choice;
    }
    std::string full;
    try {
        full = rtl::ExpandFileName(text[0] == '/' ? text : folder_ + text);
    } catch (const rtl::Exception& e) {
        choice.message = e.Message();
        return choice;
    }
    if (HasWildcards(rtl::ExtractFileName(full))) {
        const std::string folder = rtl::ExtractFilePath(full);
        if (folder != folder_) {
            if (std::string error = SetFolder(folder); !error.empty()) {
                choice.message = error;
                return choice;
            }
        }
        choice.kind = Choice::Pattern;
        choice.patterns = Split(rtl::ExtractFileName(full), ';');
        SetPatterns(choice.patterns);
        Refresh();
        return choice;
    }
    const OsStat target = StatOf(full);
    if (target.folder) {
        if (std::string error = SetFolder(full); !error.empty()) {
            choice.message = error;
            return choice;
        }
        choice.kind = Choice::Folder;
        choice.path = folder_;
        return choice;
    }
    if (rtl::ExtractFileExt(rtl::ExtractFileName(full)).empty() && !options_.defaultExt.empty())
        full += "." + options_.defaultExt;
    if (full.size() > kMaxPath) {
        choice.message = "The path is too long.";
        return choice;
    }
    const std::string parent = rtl::ExtractFilePath(full);
    if ((options_.pathMustExist || options_.save) && !StatOf(parent).folder) {
        choice.message = PathNotFound(rtl::ExcludeTrailingPathDelimiter(parent));
        return choice;
    }
    if (options_.fileMustExist && !StatOf(full).exists) {
        choice.message = FileNotFound(rtl::ExtractFileName(full));
        return choice;
    }
    choice.kind = Choice::File;
    choice.path = full;
    return choice;
}

}  // namespace gui::detail
