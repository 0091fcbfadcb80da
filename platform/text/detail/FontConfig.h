#pragma once
// The program's private font set: the Liberation and DejaVu files the project installs, and nothing else,
// so text measures the same on every machine whatever fonts or font settings the user has. Face names map
// to the set by one fixed table: Arial, "MS Sans Serif", Tahoma and Verdana to Liberation Sans, "Times
// New Roman" to Liberation Serif, "Courier New" to Liberation Mono, the set's own families to themselves,
// anything else to DejaVu Sans. Each family has a regular, bold, italic and bold italic file.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace win::detail {

struct FontFile {
    std::string path;
    std::string family;  // as the file names it: "Liberation Sans"
    std::string style;   // as the file names it: "Bold Italic"
    bool bold = false;
    bool italic = false;
};

// A name a logical font may ask for, and the family it is drawn with.
struct FontFamily {
    std::string_view name;
    std::string_view family;
};

class FontConfig {
public:
    // The system font folders the project's font packages install into.
    static std::vector<std::filesystem::path> DefaultFolders();

    // Finds every file of the set in the folders (the first folder holding a file wins) and checks that
    // each is the family and style it should be. Raises EFOpenError "The program's fonts are not
    // installed: ..." naming the files that are missing or unusable.
    explicit FontConfig(const std::vector<std::filesystem::path>& folders = DefaultFolders());
    FontConfig(const FontConfig&) = delete;
    FontConfig& operator=(const FontConfig&) = delete;

    // The family a face name is drawn with (names match without regard to case).
    static std::string_view Family(std::string_view faceName);
    // The name the realised font reports: a name of the table in the table's spelling, or the family it
    // is drawn with for any other name.
    static std::string_view FaceName(std::string_view faceName);
    // Every name of the table, the set's families first.
    static std::span<const FontFamily> Families();

    const FontFile& Match(std::string_view faceName, bool bold, bool italic) const;
    // The whole file, read at the first request and kept.
    std::shared_ptr<const std::vector<std::uint8_t>> FileData(const FontFile& file) const;

private:
    std::vector<FontFile> files_;  // four per family, in the order of Families(): regular, bold, italic, both
    mutable std::mutex dataLock_;
    mutable std::vector<std::shared_ptr<const std::vector<std::uint8_t>>> data_;
};

}  // namespace win::detail
