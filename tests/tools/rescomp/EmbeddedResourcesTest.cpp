#include "platform/classes/ResourceStrings.h"
#include "platform/classes/Resources.h"
#include "tools/rescomp/ProgramResources.h"
#include "translation/Translation.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace sample_resources {
void initialize();
void finalize();
}  // namespace sample_resources

namespace {

using namespace std::string_literals;
using classes::FindResource;

const std::string kSampleFolder = std::string(RIVUVE_FIXTURES) + "/forms/folder";

// Every resource of a folder gives the same bytes from the compiled-in table as from the folder,
// looked up by name or id and, for ids, by their "#n" text too.
void ExpectSameAsFolder(const std::string& folder)
{
    std::vector<classes::TCompiledResource> resources = classes::CompileResourceFolder(folder);
    ASSERT_FALSE(resources.empty());
    for (const classes::TCompiledResource& resource : resources) {
        SCOPED_TRACE(resource.type.Text() + " " + resource.name.Text());
        unsetenv("RIVUVE_RESOURCES");
        std::optional<std::string_view> embedded = FindResource(resource.name, resource.type);
        std::optional<std::string_view> byText = FindResource(resource.name.Text(), resource.type.Text());
        setenv("RIVUVE_RESOURCES", folder.c_str(), 1);
        std::optional<std::string_view> fromFolder = FindResource(resource.name, resource.type);
        ASSERT_TRUE(embedded && byText && fromFolder);
        EXPECT_EQ(*embedded, resource.data);
        EXPECT_EQ(*byText, resource.data);
        EXPECT_EQ(*fromFolder, resource.data);
    }
    unsetenv("RIVUVE_RESOURCES");
}

class EmbeddedResources : public ::testing::Test {
protected:
    // The translation library compiles the folders' translation sources.
    void SetUp() override
    {
        translation::initialize();
        resources::initialize();
        sample_resources::initialize();
    }
    void TearDown() override
    {
        unsetenv("RIVUVE_RESOURCES");
        sample_resources::finalize();
        resources::finalize();
        translation::finalize();
    }
};

TEST_F(EmbeddedResources, ProgramResourcesMatchTheirFolder)
{
    if (!RIVUVE_RESOURCES_EMBEDDED)
        GTEST_SKIP() << "built without resources";
    ExpectSameAsFolder(RIVUVE_RESOURCE_FOLDER);
    EXPECT_EQ(classes::LoadStr(41000), "Application update wizard");
    EXPECT_EQ(classes::LoadStr(41029),
              "Access to remote file \"%s\" is password protected.\n\nPlease enter your username and password "
              "(received after registration) to continue software upgrade.");
}

TEST_F(EmbeddedResources, SampleFormWithItsStringTableMatchesItsFolder)
{
    ExpectSameAsFolder(kSampleFolder);
    std::optional<std::string_view> form = FindResource("TSample", classes::RT_RCDATA);
    ASSERT_TRUE(form);
    EXPECT_NE(form->find("\x0FTranslationData\x0A"s), std::string_view::npos);
    EXPECT_NE(form->find("stCaptions\r\nTSample\x01Sample\x01\r\n"), std::string_view::npos);
}

TEST_F(EmbeddedResources, MissingResourceRaisesFromTheTableAndFromTheFolder)
{
    EXPECT_THROW(classes::TResourceStream("NOSUCH", classes::RT_RCDATA), classes::EResNotFound);
    setenv("RIVUVE_RESOURCES", RIVUVE_RESOURCE_FOLDER, 1);
    EXPECT_THROW(classes::TResourceStream(7, "NOSUCHTYPE"), classes::EResNotFound);
}

}  // namespace
