// The update information file: key values, version comparison, dates and the download queue.

#include "update/upUtils.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/Dates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using update::byDate;
using update::byNumber;

TEST(InfoFile, ValuesOfKeys)
{
    struct Case {
        std::string text;
        const char* key;
        bool braced;
        std::string expected;
    };
    const Case cases[] = {
        {"#VERSION=1.03b\r\n#date=1/1/2020\r\n", "#version", false, "1.03b"},
        {"#version=1.03 \r\n", "#version", false, "1.03 "},
        {"#message={Line one\r\nLine two}\r\n#version=2", "#message", true, "Line one\r\nLine two"},
        {"#message=not braced\r\n", "#message", true, ""},
        {"#message={never closed", "#message", true, "never closed"},
        {"#url=http://host/file.exe", "#url", false, "http://host/file.exe"},
        {"#version=\r\n", "#version", false, ""},
        {"#date=1/1/2020\r\n", "#version", false, ""},
        {std::string("#version=1.0\0tail", 17), "#version", false, "1.0"},
        {"#version=1.0\ttab", "#version", false, "1.0"},
        {"#version=1.0\nnext", "#version", false, "1.0"},
        // The first occurrence counts, also inside another key's value.
        {"#message={#version=9}\r\n#version=1\r\n", "#version", false, "9}"},
        {"", "#version", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(update::GetInfoValue(c.text, c.key, c.braced), c.expected);
    }
}

TEST(InfoFile, VersionComparison)
{
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"1.02", "1.02.00", 0},
        {"1.10", "1.9", 1},
        {"1.02", "1.1", 1},
        {"1.2", "1.10", -1},
        {"1.03 ", "1.02.00", 1},  // "03 " is no integer: the texts decide, '3' > '2'
        {"1.01 ", "1.02.00", -1},
        {"", "1.02", -1},
        {"", "", 0},
        {"1.0.0.0.9", "1.0.0.0.1", 0},  // a fifth part is ignored
        {"1.-1", "1.0", -1},             // -1 reads as no integer
        {"99999999999.0", "1.0", 1},     // past 32 bits: no integer either
        {"1.99999999999", "1.2", 1},
        {"2", "10", -1},
        {"1.0a", "1.0", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " against " + c.b);
        EXPECT_EQ(update::CompareVersions(c.a, c.b), c.expected);
    }
}

class InfoFileDates : public ::testing::Test {
protected:
    const rtl::TDateTime today_ = rtl::EncodeDate(2026, 12, 11);
    rtl::VirtualClock clock_{today_ + 0.5};
    rtl::ScopedClock scoped_{clock_};
};

TEST_F(InfoFileDates, UsDatesAndTheirFallback)
{
    struct Case {
        const char* text;
        rtl::TDateTime expected;
    };
    const Case cases[] = {
        {"10/02/2008", rtl::EncodeDate(2008, 10, 2)},
        {"10/02/08", rtl::EncodeDate(8, 10, 2)},
        {"2/29/2024", rtl::EncodeDate(2024, 2, 29)},
        {"2/29/2023", today_},
        {"13/01/2020", today_},
        {"10/02", today_},
        {"", today_},
        {"a/b/c", today_},
        {"10/02/2008/1", today_},
        {"10/02/99999999999", today_},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(update::ParseUsDate(c.text), c.expected);
    }
    EXPECT_EQ(update::FormatUsDate(rtl::EncodeDate(2008, 10, 2)), "10/02/2008");
    EXPECT_EQ(update::FormatUsDate(rtl::EncodeDate(2008, 1, 9) + 0.75), "01/09/2008");
    EXPECT_EQ(update::FormatUsDate(rtl::EncodeDate(8, 1, 9)), "01/09/0008");
}

TEST_F(InfoFileDates, NewerVersion)
{
    struct Case {
        const char* text;
        update::TupUpdaterVersionControl control;
        const char* versionNumber;
        const char* versionDate;
        bool expected;
    };
    const Case cases[] = {
        {"#version=1.03\r\n", byNumber, "1.02.00", "", true},
        {"#version=1.02\r\n", byNumber, "1.02.00", "", false},
        {"#VERSION=1.10\r\n", byNumber, "1.9", "", true},
        {"#version=1.03 \r\n", byNumber, "1.02.00", "", true},
        {"#date=1/1/2030\r\n", byNumber, "1.02", "", false},
        {"#version=0.1\r\n", byNumber, "", "", true},
        {"#date=10/03/2008\r\n", byDate, "", "10/02/2008", true},
        {"#date=10/02/2008\r\n", byDate, "", "10/02/2008", false},
        {"#date=10/01/2008\r\n", byDate, "", "10/02/2008", false},
        {"#version=9\r\n", byDate, "", "10/02/2008", true},          // no date: released today
        {"#date=31/31/2008\r\n", byDate, "", "10/02/2008", true},    // unreadable: today
        {"#date=10/02/08\r\n", byDate, "", "10/02/2008", false},     // the year 8
        {"#date=12/11/2026\r\n", byDate, "", "12/10/2026", true},
        {"#date=12/11/2026\r\n", byDate, "", "not a date", false},   // both read as today
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(update::IsNewerVersion(c.text, c.control, c.versionNumber, c.versionDate), c.expected);
    }
}

std::vector<std::string> Lines(const update::TupStringList& list)
{
    std::vector<std::string> lines;
    for (int index = 0; index < list.Count(); ++index)
        lines.push_back(list.Strings(index));
    return lines;
}

TEST(InfoFile, DownloadQueueNumbering)
{
    struct Case {
        const char* text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"#url=a\r\n#url0=b\r\n#url3=c\r\n#url4=d\r\n", {"a", "b", "c", "d"}},
        {"#url=a\r\n#url0=b\r\n#url1=x\r\n#url2=y\r\n#url3=c\r\n", {"a", "b", "c"}},
        {"#url=a\r\n#url2=b\r\n#url3=c\r\n", {"a", "b", "c"}},
        {"#url0=a\r\n#url2=b\r\n", {"a", "b"}},
        {"#url1=a\r\n#url2=b\r\n#url4=d\r\n", {"a", "b"}},
        {"#url=a\r\n#url3=c\r\n", {"a"}},
        {"#url=\r\n#url1=a\r\n", {"a"}},
        {"#url12=x\r\n#url1=a\r\n", {"a"}},
        {"#URL2=b\r\n#Url=a\r\n", {"a", "b"}},
        {"#url=http://host/f.exe=%current%\\f.exe", {"http://host/f.exe=%current%\\f.exe"}},
        {"#url1=first\r\n#url1=second\r\n", {"first"}},
        {"#url", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        update::TupStringList queue;
        queue.Add("left over from an earlier check");
        update::FillDownloadQueue(c.text, queue);
        EXPECT_EQ(Lines(queue), c.expected);
    }
}

TEST(InfoFile, ManyKeysAndHostileText)
{
    std::string text;
    const int keys = 200000;
    for (int k = 1; k <= keys; ++k)
        text += "#url" + std::to_string(k) + "=f" + std::to_string(k) + "\n";
    update::TupStringList queue;
    update::FillDownloadQueue(text, queue);
    ASSERT_EQ(queue.Count(), keys);
    EXPECT_EQ(queue.Strings(keys - 1), "f" + std::to_string(keys));

    // Keys without values or line ends, NULs and an unclosed brace: empty values end the queue.
    const std::string hostile = std::string("#url=\0#url1=#url2=\0#message={", 29) + std::string(1000, '#');
    update::FillDownloadQueue(hostile, queue);
    EXPECT_EQ(Lines(queue), (std::vector<std::string>{"#url2="}));
    EXPECT_EQ(update::GetInfoValue(hostile, "#message", true), std::string(1000, '#'));
}

}  // namespace
