#include "platform/text/detail/FontConfig.h"

#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>

namespace win {

using namespace detail;

namespace {

constexpr std::string_view kFallbackFamily = "DejaVu Sans";

constexpr std::array<FontFamily, 10> kFamilies = {{
    {"Liberation Sans", "Liberation Sans"},
    {"Liberation Serif", "Liberation Serif"},
    {"Liberation Mono", "Liberation Mono"},
    {"DejaVu Sans", "DejaVu Sans"},
    {"Arial", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Tahoma", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Verdana", "Liberation Sans"},
}};
constexpr int kSetFamilies = 4;

// The files of each family of the set, in the order regular, bold, italic, bold italic.
constexpr std::array<std::array<std::string_view, 4>, kSetFamilies> kFileNames = {{
    {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf", "LiberationSans-Italic.ttf",
     "LiberationSans-BoldItalic.ttf"},
    {"LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf", "LiberationSerif-Italic.ttf",
     "LiberationSerif-BoldItalic.ttf"},
    {"LiberationMono-Regular.ttf", "LiberationMono-Bold.ttf", "LiberationMono-Italic.ttf",
     "LiberationMono-BoldItalic.ttf"},
    {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf", "DejaVuSans-BoldOblique.ttf"},
}};

int StyleIndex(bool bold, bool italic) { return (bold ? 1 : 0) + (italic ? 2 : 0); }

std::filesystem::path FindFile(const std::vector<std::filesystem::path>& folders, std::string_view name)
{
    for (const auto& folder : folders) {
        std::error_code error;
        const auto path = folder / name;
        if (std::filesystem::is_regular_file(path, error))
            return path;
    }
    return {};
}

std::string PatternString(FcPattern* pattern, const char* object)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch)
        return {};
    return reinterpret_cast<const char*>(value);
}

// The file fontconfig picks for a family and style among the files added to the private configuration,
// with the names the file gives itself; an empty path when it picks none.
FontFile MatchInConfig(FcConfig* config, std::string_view family, bool bold, bool italic)
{
    FcPattern* pattern = FcPatternCreate();
    const std::string familyText(family);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(familyText.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    FontFile file;
    if (match) {
        int weight = 0;
        int slant = 0;
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        file = {PatternString(match, FC_FILE), PatternString(match, FC_FAMILY), PatternString(match, FC_STYLE),
                weight >= FC_WEIGHT_BOLD, slant != FC_SLANT_ROMAN};
        FcPatternDestroy(match);
    }
    return file;
}

std::string JoinNames(const std::vector<std::string>& names)
{
    std::string text;
    for (const auto& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::string FolderList(const std::vector<std::filesystem::path>& folders)
{
    std::vector<std::string> names;
    for (const auto& folder : folders)
        names.push_back(folder.string());
    return JoinNames(names);
}

}  // namespace

std::vector<std::filesystem::path> FontConfig::DefaultFolders()
{
    return {"/usr/share/fonts/truetype/liberation2", "/usr/share/fonts/truetype/liberation",
            "/usr/share/fonts/truetype/dejavu"};
}

FontConfig::FontConfig(const std::vector<std::filesystem::path>& folders)
{
    // A configuration of our own with no configuration file: the user's and the system's font settings
    // and font folders never enter it, only the files added here.
    FcConfig* config = FcConfigCreate();
    if (!config)
        throw rtl::EOutOfResources("The font configuration cannot be created");
    std::vector<std::string> missing;
    std::vector<std::filesystem::path> paths;  // empty for a file that is missing or no font
    for (const auto& family : kFileNames) {
        for (const auto name : family) {
            auto path = FindFile(folders, name);
            if (path.empty() || !FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(path.c_str()))) {
                missing.emplace_back(name);
                path.clear();
            }
            paths.push_back(std::move(path));
        }
    }
    for (int family = 0; family < kSetFamilies; ++family) {
        for (int style = 0; style < 4; ++style) {
            const bool bold = style & 1;
            const bool italic = style & 2;
            const auto& expected = paths[std::size_t(family * 4 + style)];
            FontFile file = MatchInConfig(config, kFamilies[family].family, bold, italic);
            if (!expected.empty() && (file.path != expected.string() || file.family != kFamilies[family].family ||
                                      file.bold != bold || file.italic != italic))
                missing.push_back(expected.string());
            files_.push_back(std::move(file));
        }
    }
    FcConfigDestroy(config);
    if (!missing.empty())
        throw rtl::EFOpenError("The program's fonts are not installed: " + JoinNames(missing) + " (looked in " +
                               FolderList(folders) + ")");
    data_.resize(files_.size());
}

std::string_view FontConfig::Family(std::string_view faceName)
{
    for (const auto& entry : kFamilies)
        if (rtl::SameText(entry.name, faceName))
            return entry.family;
    return kFallbackFamily;
}

std::string_view FontConfig::FaceName(std::string_view faceName)
{
    for (const auto& entry : kFamilies)
        if (rtl::SameText(entry.name, faceName))
            return entry.name;
    return kFallbackFamily;
}

std::span<const FontFamily> FontConfig::Families() { return kFamilies; }

const FontFile& FontConfig::Match(std::string_view faceName, bool bold, bool italic) const
{
    const auto family = Family(faceName);
    const auto found = std::find_if(kFamilies.begin(), kFamilies.begin() + kSetFamilies,
                                    [&](const FontFamily& entry) { return entry.family == family; });
    return files_[std::size_t(std::distance(kFamilies.begin(), found) * 4 + StyleIndex(bold, italic))];
}

std::shared_ptr<const std::vector<std::uint8_t>> FontConfig::FileData(const FontFile& file) const
{
    std::size_t index = 0;
    while (index < files_.size() && &files_[index] != &file)
        ++index;
    if (index == files_.size())
        throw rtl::EInvalidArgument("The font file " + file.path + " is not one of the program's fonts");
    std::lock_guard lock(dataLock_);
    if (!data_[index]) {
        std::error_code error;
        const auto size = std::filesystem::file_size(file.path, error);
        std::vector<std::uint8_t> bytes(error ? 0 : size);
        std::ifstream stream(file.path, std::ios::binary);
        if (error || bytes.empty() || !stream.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size)))
            throw rtl::EFOpenError("Cannot read the font file " + file.path);
        data_[index] = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
    }
    return data_[index];
}

}  // namespace win
