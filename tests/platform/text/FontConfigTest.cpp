#include "platform/text/detail/FontConfig.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TempFiles.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace {

using namespace win;
using namespace win::detail;
namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadFile(const fs::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

fs::path MakeTempFolder(const char* name)
{
    std::string folder = rtl::PrivateTempFolder() + name + "-XXXXXX";
    if (!::mkdtemp(folder.data()))
        throw std::runtime_error("no temporary folder");
    return folder;
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

struct Resolution {
    const char* face;
    bool bold;
    bool italic;
    const char* file;  // expected file name
    const char* family;
};

const Resolution kResolutions[] = {
    {"Arial", false, false, "LiberationSans-Regular.ttf", "Liberation Sans"},
    {"Arial", true, false, "LiberationSans-Bold.ttf", "Liberation Sans"},
    {"Arial", false, true, "LiberationSans-Italic.ttf", "Liberation Sans"},
    {"Arial", true, true, "LiberationSans-BoldItalic.ttf", "Liberation Sans"},
    {"arial", false, false, "LiberationSans-Regular.ttf", "Liberation Sans"},
    {"MS Sans Serif", false, false, "LiberationSans-Regular.ttf", "Liberation Sans"},
    {"Tahoma", true, false, "LiberationSans-Bold.ttf", "Liberation Sans"},
    {"Verdana", false, false, "LiberationSans-Regular.ttf", "Liberation Sans"},
    {"Times New Roman", false, false, "LiberationSerif-Regular.ttf", "Liberation Serif"},
    {"Times New Roman", true, true, "LiberationSerif-BoldItalic.ttf", "Liberation Serif"},
    {"Courier New", false, false, "LiberationMono-Regular.ttf", "Liberation Mono"},
    {"Courier New", false, true, "LiberationMono-Italic.ttf", "Liberation Mono"},
    {"Liberation Serif", true, false, "LiberationSerif-Bold.ttf", "Liberation Serif"},
    {"Wingdings", false, false, "DejaVuSans.ttf", "DejaVu Sans"},
    {"", true, true, "DejaVuSans-BoldOblique.ttf", "DejaVu Sans"},
    {"Arial Black", false, true, "DejaVuSans-Oblique.ttf", "DejaVu Sans"},
};

void ExpectResolutions(const FontConfig& config)
{
    for (const auto& c : kResolutions) {
        SCOPED_TRACE(std::string(c.face) + (c.bold ? " bold" : "") + (c.italic ? " italic" : ""));
        const FontFile& file = config.Match(c.face, c.bold, c.italic);
        EXPECT_EQ(fs::path(file.path).filename(), c.file);
        EXPECT_EQ(file.family, c.family);
        EXPECT_EQ(file.bold, c.bold);
        EXPECT_EQ(file.italic, c.italic);
        EXPECT_EQ(FontConfig::Family(c.face), c.family);
    }
}

TEST(FontConfigTest, NamesResolveToTheProjectFonts)
{
    ExpectResolutions(FontConfig());
}

// A user whose own font settings put a different font under the name Arial: the system's configuration
// follows them, the program's does not.
TEST(FontConfigTest, DecoyArialOfTheUserChangesNothing)
{
    const fs::path home = MakeTempFolder("decoy");
    const fs::path fonts = home / ".fonts";
    fs::create_directories(fonts);
    fs::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf", fonts / "Arial.ttf");
    const fs::path conf = home / "fonts.conf";
    std::ofstream(conf) << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
                        << "<dir>" << fonts.string() << "</dir>\n<cachedir>" << (home / "cache").string()
                        << "</cachedir>\n"
                        << "<match target=\"pattern\"><test name=\"family\"><string>Arial</string></test>"
                        << "<edit name=\"family\" mode=\"assign\" binding=\"strong\"><string>DejaVu Serif</string>"
                        << "</edit></match>\n</fontconfig>\n";
    {
        ScopedEnv home_("HOME", home.string());
        ScopedEnv data("XDG_DATA_HOME", home.string());
        ScopedEnv config_("XDG_CONFIG_HOME", home.string());
        ScopedEnv file("FONTCONFIG_FILE", conf.string());

        // The decoy is real: the system's configuration now draws Arial with it.
        FcConfig* system = FcInitLoadConfigAndFonts();
        ASSERT_NE(system, nullptr);
        FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("Arial"));
        FcConfigSubstitute(system, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result;
        FcPattern* match = FcFontMatch(system, pattern, &result);
        ASSERT_NE(match, nullptr);
        FcChar8* path = nullptr;
        FcPatternGetString(match, FC_FILE, 0, &path);
        EXPECT_EQ(fs::path(reinterpret_cast<const char*>(path)), fonts / "Arial.ttf");
        FcPatternDestroy(match);
        FcPatternDestroy(pattern);
        FcConfigDestroy(system);

        ExpectResolutions(FontConfig());
    }
    fs::remove_all(home);
}

TEST(FontConfigTest, MissingOrBrokenFontsAreNamed)
{
    const fs::path folder = MakeTempFolder("nofonts");
    try {
        FontConfig config({folder});
        ADD_FAILURE() << "no error without fonts";
    } catch (const rtl::EFOpenError& e) {
        EXPECT_EQ(e.Message().rfind("The program's fonts are not installed: LiberationSans-Regular.ttf, ", 0), 0u)
            << e.Message();
        EXPECT_NE(e.Message().find("DejaVuSans-BoldOblique.ttf"), std::string::npos);
        EXPECT_NE(e.Message().find(folder.string()), std::string::npos);
    }

    // A folder of its own ahead of the system's, with a damaged copy of one file.
    for (const auto& entry : fs::directory_iterator("/usr/share/fonts/truetype/liberation2"))
        fs::copy_file(entry.path(), folder / entry.path().filename());
    for (const auto& name : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf",
                             "DejaVuSans-BoldOblique.ttf"})
        fs::copy_file(fs::path("/usr/share/fonts/truetype/dejavu") / name, folder / name);
    fs::remove(folder / "LiberationMono-Bold.ttf");
    fs::copy_file(folder / "LiberationSerif-Regular.ttf", folder / "LiberationMono-Bold.ttf");
    std::ofstream(folder / "LiberationSans-Italic.ttf", std::ios::trunc) << "not a font";
    try {
        FontConfig config({folder, "/usr/share/fonts/truetype/liberation2"});
        ADD_FAILURE() << "no error with damaged fonts";
    } catch (const rtl::EFOpenError& e) {
        EXPECT_NE(e.Message().find("LiberationSans-Italic.ttf"), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find("LiberationMono-Bold.ttf"), std::string::npos) << e.Message();
        EXPECT_EQ(e.Message().find("LiberationSans-Regular.ttf"), std::string::npos) << e.Message();
    }
    fs::remove_all(folder);
}

TEST(FontConfigTest, FileDataIsTheWholeFileReadOnce)
{
    const FontConfig config;
    for (const char* face : {"Arial", "Times New Roman", "Courier New", "Other"}) {
        const FontFile& file = config.Match(face, true, false);
        const auto data = config.FileData(file);
        EXPECT_EQ(*data, ReadFile(file.path)) << face;
        EXPECT_EQ(config.FileData(file), data) << face;
    }
    FontFile stranger = config.Match("Arial", false, false);
    EXPECT_THROW(config.FileData(stranger), rtl::EInvalidArgument);
}

TEST(FontConfigTest, ReportedNames)
{
    const struct {
        const char* asked;
        const char* reported;
    } cases[] = {
        {"Arial", "Arial"},
        {"aRIAL", "Arial"},
        {"ms sans serif", "MS Sans Serif"},
        {"Liberation Mono", "Liberation Mono"},
        {"Symbol", "DejaVu Sans"},
        {"", "DejaVu Sans"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FontConfig::FaceName(c.asked), c.reported) << c.asked;
}

}  // namespace
