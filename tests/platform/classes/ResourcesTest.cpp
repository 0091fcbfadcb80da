#include "platform/classes/ResourceStrings.h"
#include "platform/classes/Resources.h"
#include "platform/classes/TextForm.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using namespace std::string_literals;
using classes::FindResource;
using classes::RT_CURSOR;
using classes::RT_RCDATA;
using classes::RT_STRING;
using classes::TResourceStream;

const classes::TResourceEntry kTable[] = {
    {RT_CURSOR, nullptr, 0, "CL_DRAGCURSOR", "cursor bytes\0\1\2", 15},
    {0, "UXSKINS", 0, "BLACK", "skin", 4},
    {RT_RCDATA, nullptr, 7, nullptr, "seven", 5},
    {RT_STRING, nullptr, 41000, nullptr, "Application update wizard", 25},
    {RT_STRING, nullptr, 41001, nullptr, "Value %d of %s", 14},
};
const classes::TResourceEntry kOverride[] = {
    {0, "UXSKINS", 0, "BLACK", "newer", 5},
};

std::string Bytes(TResourceStream& stream)
{
    std::string bytes(std::size_t(stream.Size()), '\0');
    stream.ReadBuffer(bytes.data(), stream.Size());
    return bytes;
}

// Each test starts with the table above registered and no resource folder.
class Resources : public ::testing::Test {
protected:
    void SetUp() override
    {
        unsetenv("RIVUVE_RESOURCES");
        classes::RegisterResources(kTable, std::size(kTable));
    }
    void TearDown() override
    {
        unsetenv("RIVUVE_RESOURCES");
        classes::UnregisterResources(kTable);
        classes::UnregisterResources(kOverride);
        classes::SetResStringLoader(nullptr);
    }
};

TEST_F(Resources, FoundByNameWithoutRegardToCaseAndById)
{
    TResourceStream byName("cl_DragCursor", RT_CURSOR);
    EXPECT_EQ(Bytes(byName), "cursor bytes\0\1\2"s);
    TResourceStream custom("Black", "uxskins");
    EXPECT_EQ(Bytes(custom), "skin");
    TResourceStream byId(7, RT_RCDATA);
    EXPECT_EQ(Bytes(byId), "seven");
    TResourceStream byIdText("#7", "#10");
    EXPECT_EQ(Bytes(byIdText), "seven");
    EXPECT_FALSE(FindResource("7", RT_CURSOR));
    EXPECT_FALSE(FindResource(7, "RCDATA"));  // the type named RCDATA is not the standard type 10
}

TEST_F(Resources, LaterTableWinsUntilUnregistered)
{
    classes::RegisterResources(kOverride, std::size(kOverride));
    EXPECT_EQ(*FindResource("BLACK", "UXSKINS"), "newer");
    classes::UnregisterResources(kOverride);
    EXPECT_EQ(*FindResource("BLACK", "UXSKINS"), "skin");
}

TEST_F(Resources, MissingResourceRaisesTheLibraryError)
{
    struct Case {
        classes::TResId name;
        classes::TResId type;
        const char* message;
    };
    const Case cases[] = {
        {"NOSUCH", RT_CURSOR, "Resource NOSUCH not found"},
        {8, RT_RCDATA, "Resource #8 not found"},
        {"CL_DRAGCURSOR", RT_RCDATA, "Resource CL_DRAGCURSOR not found"},
    };
    for (const Case& c : cases) {
        try {
            TResourceStream stream(c.name, c.type);
            ADD_FAILURE() << c.message;
        } catch (const classes::EResNotFound& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST_F(Resources, StreamIsReadOnlyAndSeekable)
{
    TResourceStream stream(7, RT_RCDATA);
    stream.SetPosition(2);
    char rest[8] = {};
    EXPECT_EQ(stream.Read(rest, 8), 3);
    EXPECT_STREQ(rest, "ven");
    EXPECT_EQ(stream.Read(rest, 8), 0);
    EXPECT_EQ(stream.Seek(-1, rtl::SeekOrigin::Beginning), -1);
    EXPECT_EQ(stream.Position(), 5);
    EXPECT_THROW(stream.WriteBuffer("x", 1), rtl::EStreamError);
}

class ResourceFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/rivuve-resources-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    void Put(const std::string& name, const std::string& content)
    {
        std::filesystem::create_directories((root_ / name).parent_path());
        std::ofstream(root_ / name, std::ios::binary) << content;
    }

    std::filesystem::path root_;
};

TEST_F(ResourceFolder, MalformedSourcesNameTheirFileAndLine)
{
    struct Case {
        std::vector<std::pair<std::string, std::string>> files;
        const char* message;
    };
    const Case cases[] = {
        {{{"forms/TBad.form", "object Bad: TBad\n  Caption 'x'\nend\n"}},
         "forms/TBad.form: Line 2: '=' expected but string found"},
        {{{"forms/TLone.strings", "IDS_0 = \"x\"\n"}}, "forms/TLone.strings: no form TLone.form for this string table"},
        // Translation sources need the translation library, which these tests do not start.
        {{{"forms/TSample.form", "object Sample: TSample\nend\n"}, {"forms/TSample.strings", "IDS_0 = \"x\"\n"}},
         "forms/TSample.strings: translation sources need the translation library, which is not started"},
        {{{"stringtables/t.txt", "5 = \"x\"\n"}},
         "stringtables/t.txt: translation sources need the translation library, which is not started"},
        {{{"RCDATA/a.bin", "1"}, {"RCDATA/A.txt", "2"}}, "Duplicate resource A of type #10 in"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::filesystem::remove_all(root_);
        std::filesystem::create_directory(root_);
        for (const auto& [name, content] : c.files)
            Put(name, content);
        try {
            classes::CompileResourceFolder(root_.string());
            ADD_FAILURE() << "no error";
        } catch (const rtl::Exception& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
    }
    EXPECT_THROW(classes::CompileResourceFolder((root_ / "missing").string()), rtl::EFOpenError);
}

std::string Translated(const classes::TResStringRec& rec)
{
    return "[" + classes::DefaultLoadResString(rec) + "]";
}

TEST_F(Resources, ResourceStringsGoThroughOneReplaceableLoader)
{
    EXPECT_EQ(classes::LoadStr(41000), "Application update wizard");
    EXPECT_EQ(classes::LoadStr(41002), "");
    EXPECT_EQ(classes::FmtLoadStr(41001, {3, "seven"}), "Value 3 of seven");
    EXPECT_EQ(classes::LoadResString(classes::SResNotFound), "Resource %s not found");

    classes::SetResStringLoader(&Translated);
    EXPECT_EQ(classes::LoadStr(41000), "[Application update wizard]");
    EXPECT_EQ(classes::FmtLoadStr(41001, {3, "seven"}), "[Value 3 of seven]");
    try {
        TResourceStream stream("NOSUCH", RT_CURSOR);
        ADD_FAILURE();
    } catch (const classes::EResNotFound& e) {
        EXPECT_STREQ(e.what(), "[Resource NOSUCH not found]");
    }
    EXPECT_EQ(classes::SetResStringLoader(nullptr), &Translated);
    EXPECT_EQ(classes::LoadStr(41000), "Application update wizard");
}

}  // namespace
