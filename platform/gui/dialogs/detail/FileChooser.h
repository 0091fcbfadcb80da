#pragma once
// What the open and save dialogs do apart from their window: the filter's parts, the current folder's
// listing, and what a typed or chosen name means. Names are ANSI; folders end with '/'.

#include <string>
#include <vector>

namespace gui::detail {

struct FilterPart {
    std::string description;
    std::vector<std::string> patterns;  // "*.kvx"; matched without regard to case
};

// "description|pattern;pattern|..."; a description without a pattern is dropped; an empty filter (or
// one with no pair left) is all files.
std::vector<FilterPart> ParseFilter(const std::string& filter);

struct FolderEntry {
    std::string name;      // as shown: a character the code page lacks is a '?'
    bool folder = false;
    bool usable = true;    // false when the name holds such a character
};

constexpr std::size_t kMaxPath = 259;

class FileChooser {
public:
    struct Options {
        bool save = false;
        bool fileMustExist = false;
        bool pathMustExist = false;
        std::string defaultExt;
    };

    explicit FileChooser(Options options) : options_(std::move(options)) {}

    // Enters folder (absolute, or relative to the current one): the system's reason when it cannot be
    // read, and the current folder stays.
    std::string SetFolder(const std::string& folder);
    const std::string& Folder() const { return folder_; }
    // The folder above the current one; false at the root.
    bool Up();
    // The folders "/" .. the current one, and the home folder when it is not among them.
    std::vector<std::string> FolderChain() const;

    void SetPatterns(std::vector<std::string> patterns) { patterns_ = std::move(patterns); }
    const std::vector<std::string>& Patterns() const { return patterns_; }
    // Folders, then the files matching the patterns, each sorted by the collation; names starting with
    // '.' are left out.
    const std::vector<FolderEntry>& Entries() const { return entries_; }
    // Reads the folder again.
    std::string Refresh();

    // What a name typed in the file name box (or an entry chosen in the list) means.
    struct Choice {
        enum Kind { Pattern, Folder, File, Refused } kind = Refused;
        std::string path;     // File: the full name; Folder: the folder entered
        std::string message;  // Refused: why; Pattern: empty
        std::vector<std::string> patterns;
    };
    // Folder choices are entered here already; a File choice is the caller's to confirm (overwrite).
    Choice Choose(const std::string& typed);

private:
    Options options_;
    std::string folder_;
    std::vector<std::string> patterns_{"*.*"};
    std::vector<FolderEntry> entries_;
};

}  // namespace gui::detail
