#include "translation/LangIniFile.h"

#include "platform/rtl/Dates.h"
#include "platform/rtl/FileUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using translation::TMemIniFile;

void Load(TMemIniFile& ini, const std::string& text)
{
    rtl::TStringList lines;
    lines.SetText(text);
    ini.LoadLines(lines);
}

std::string Stored(const TMemIniFile& ini)
{
    rtl::TStringList lines;
    ini.StoreLines(lines);
    return lines.Text();
}

TEST(LangIniFile, LoadLinesAndStoreLinesInAlphabeticalOrder)
{
    struct Case {
        const char* name;
        const char* text;
        const char* stored;
    };
    const Case cases[] = {
        {"keys and sections sorted", "[Strings]\nb=2\na=1\n[Captions]\nForm1=Main\n",
         "[Captions]\r\nForm1=Main\r\n\r\n[Strings]\r\na=1\r\nb=2\r\n\r\n"},
        {"nothing trimmed, split at the first =", "[ S ]\n k = v=w \nnovalue\n",
         "[ S ]\r\n k = v=w \r\nnovalue=\r\n\r\n"},
        {"comments, empty lines and lines before a section skipped", "x=1\n;[C]\n\n[S]\n;k=v\nk=v\n",
         "[S]\r\nk=v\r\n\r\n"},
        {"a repeated section continues the first", "[S]\nb=2\n[T]\nt=1\n[s]\na=1\n",
         "[S]\r\na=1\r\nb=2\r\n\r\n[T]\r\nt=1\r\n\r\n"},
        {"a header must close", "[S]\n[T\nk=v\n", "[S]\r\n[T=\r\nk=v\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMemIniFile ini("");
        Load(ini, c.text);
        EXPECT_TRUE(ini.Changed());
        EXPECT_EQ(Stored(ini), c.stored);
    }
}

TEST(LangIniFile, TextsByKey)
{
    TMemIniFile ini("");
    Load(ini, "[Strings]\nIDS_0=zero\nIDS_0=later\n[Empty]\n");
    EXPECT_EQ(ini.GetText("strings", "ids_0", "?"), "later");
    EXPECT_EQ(ini.GetText("Strings", "IDS_1", "?"), "?");
    EXPECT_EQ(ini.GetText("Nothing", "IDS_0", "?"), "?");
    EXPECT_TRUE(ini.HasSection("STRINGS"));
    EXPECT_FALSE(ini.HasSection("Empty"));
    EXPECT_FALSE(ini.HasSection("Nothing"));

    ini.PutText("Strings", "ids_0", "replaced");
    ini.PutText("New", "b", "x=y");
    ini.PutText("New", "a", "1");
    EXPECT_EQ(ini.GetText("Strings", "IDS_0", "?"), "replaced");
    rtl::TStringList list;
    list.Add("old");
    ini.ListKeys("Strings", list);
    EXPECT_EQ(list.Text(), "ids_0\r\nIDS_0\r\n") << "one of the two equal keys replaced";
    ini.ListValues("Strings", list);
    EXPECT_EQ(list.Text(), "replaced\r\nzero\r\n");
    ini.ListValues("New", list);
    EXPECT_EQ(list.Text(), "1\r\nx=y\r\n");
    ini.ListSections(list);
    EXPECT_EQ(list.Text(), "Empty\r\nNew\r\nStrings\r\n");

    ini.DropKey("New", "A");
    ini.DropKey("Nothing", "a");
    ini.DropSection("strings");
    ini.DropSection("Nothing");
    EXPECT_EQ(Stored(ini), "[Empty]\r\n\r\n[New]\r\nb=x=y\r\n\r\n");
}

TEST(LangIniFile, NumbersAndFlags)
{
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"0x1F", 31}, {"0X1f", 31}, {"0x", -1}, {"12a", -1}, {"", -1}, {"-17", -17}, {"$10", 16}, {"x", -1},
    };
    TMemIniFile ini("");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ini.PutText("S", "k", c.text);
        EXPECT_EQ(ini.GetInteger("S", "k", -1), c.expected);
    }
    ini.PutBoolean("S", "b", true);
    EXPECT_EQ(ini.GetText("S", "b", ""), "1");
    ini.PutBoolean("S", "b", false);
    EXPECT_EQ(ini.GetText("S", "b", ""), "0");
    EXPECT_FALSE(ini.GetBoolean("S", "b", true));
    ini.PutText("S", "b", "2");
    EXPECT_TRUE(ini.GetBoolean("S", "b", false));
    EXPECT_TRUE(ini.GetBoolean("S", "missing", true));
    ini.PutInteger("S", "i", -42);
    EXPECT_EQ(ini.GetText("S", "i", ""), "-42");
}

TEST(LangIniFile, DatesTimesAndFloatsRoundTrip)
{
    TMemIniFile ini("");
    rtl::TDateTime day = rtl::EncodeDate(2024, 2, 29);
    rtl::TDateTime time = rtl::EncodeTime(13, 45, 10, 0);
    ini.PutDateValue("S", "d", day);
    ini.PutTimeValue("S", "t", time);
    ini.PutDateTimeValue("S", "dt", day + time);
    ini.PutFloatValue("S", "f", 2.5);
    EXPECT_EQ(ini.GetText("S", "d", ""), rtl::DateToStr(day));
    EXPECT_DOUBLE_EQ(ini.GetDateValue("S", "d", 0), day);
    EXPECT_NEAR(ini.GetTimeValue("S", "t", 0), time, 1e-9);
    EXPECT_NEAR(ini.GetDateTimeValue("S", "dt", 0), day + time, 1e-9);
    EXPECT_DOUBLE_EQ(ini.GetFloatValue("S", "f", 0), 2.5);
    ini.PutText("S", "bad", "not a date");
    EXPECT_EQ(ini.GetDateValue("S", "bad", 7), 7);
    EXPECT_EQ(ini.GetFloatValue("S", "bad", 7), 7);
    EXPECT_EQ(ini.GetTimeValue("S", "missing", 7), 7);
    EXPECT_EQ(ini.GetDateTimeValue("S", "bad", 7), 7);
}

TEST(LangIniFile, FileIsReadAtCreationAndWrittenBack)
{
    char pattern[] = "/tmp/rivuve-langini-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::filesystem::path folder = pattern;
    std::string name = (folder / "lang.ini").string();
    std::ofstream(name, std::ios::binary) << "[Strings]\r\nb=2\r\na=1\r\n";
    {
        TMemIniFile ini(name);
        EXPECT_EQ(ini.GetText("Strings", "b", ""), "2");
        ini.PutText("Strings", "c", "3");
        ini.WriteBack();
        EXPECT_FALSE(ini.Changed());
    }
    std::ifstream file(name, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    EXPECT_EQ(content.str(), "[Strings]\r\na=1\r\nb=2\r\nc=3\r\n\r\n");
    TMemIniFile missing((folder / "none.ini").string());
    EXPECT_FALSE(missing.HasSection("Strings"));
    std::filesystem::remove_all(folder);
}

}  // namespace
