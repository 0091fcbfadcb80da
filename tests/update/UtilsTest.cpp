// Folders and macros, the online test, the bounded list, web handlers, header dates and file routines.

#include "update/upUtils.h"

#include "tests/support/ScratchFolder.h"
#include "tests/support/ScratchRegistry.h"
#include "tests/update/EnvironmentGuard.h"

#include "platform/classes/Resources.h"
#include "platform/registry/Registry.h"
#include "platform/registry/ShellFolders.h"
#include "platform/rtl/Dates.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/services/Launcher.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace {

using update_test::EnvironmentGuard;

// The program as if it lay in /opt/prog, with a home of its own.
class ProgramFolders : public ::testing::Test {
protected:
    ProgramFolders()
    {
        environment_.Set("HOME", home_.Folder() + "home");
        environment_.Set("XDG_CONFIG_HOME", std::nullopt);
        update::SetUpgraderProgramPath("/opt/prog/rivuve");
    }
    ~ProgramFolders() override { update::SetUpgraderProgramPath(rtl::ProgramFileName()); }

    testsupport::ScratchFolder home_;
    EnvironmentGuard environment_;
};

TEST_F(ProgramFolders, MacrosExpandToFoldersOrToNothing)
{
    const std::string home = home_.Folder() + "home";
    struct Case {
        std::string path;
        bool absolute;
        std::string expected;
    };
    const Case cases[] = {
        {"%CURRENT%sub/file.txt", true, "/opt/prog/sub/file.txt"},
        {"%current%\\f.exe", true, "/opt/prog/\\f.exe"},
        {"sub\\file.txt", true, "/opt/prog/sub\\file.txt"},
        {"ab", true, "/opt/prog/ab"},
        {"a", true, "/opt/prog/a"},
        {"/usr/share/x", true, "/usr/share/x"},
        {"\\\\server\\share\\x", true, "\\\\server\\share\\x"},
        {"C:\\x.txt", true, ""},
        {"C:", true, ""},
        {"%windows%\\x.dll", true, ""},
        {"%ProgramFiles%x", true, ""},
        {"%system%x", false, ""},
        {"%help%a.hlp", true, ""},
        {"%desktop%a.txt", true, home + "/Desktop/a.txt"},
        {"%mydocuments%a", true, home + "/Documents/a"},
        {"%MyPictures%a", true, home + "/Pictures/a"},
        {"%appdata%a", true, home + "/.config/a"},
        {"%temp%a", true, update::GetUpdateTempFolder() + "a"},
        {"%current%%Current%", true, "/opt/prog//opt/prog/"},
        {"sub/x", false, "sub/x"},
        {"%current%x", false, "/opt/prog/x"},
        {"", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(update::ExpandFolderMacros(c.path, c.absolute), c.expected);
    }
}

TEST_F(ProgramFolders, SpecialFoldersByIndex)
{
    EXPECT_EQ(update::GetSpecialFolder(0), "/opt/prog/");
    for (int missing : {-1, 5, 6, 7, 9, 10, 11, 12})
        EXPECT_EQ(update::GetSpecialFolder(missing), "") << missing;
    EXPECT_EQ(update::GetWindowsFolderPath(), "");
    EXPECT_EQ(update::GetSystemFolderPath(), "");
    const std::string temp = update::GetUpdateTempFolder();
    EXPECT_TRUE(update::IsExistingFolder(temp));
    EXPECT_EQ(temp.back(), '/');
}

TEST_F(ProgramFolders, ShellFoldersFollowTheUserDirectories)
{
    const std::string home = home_.Folder() + "home";
    const std::string config = home_.Folder() + "config";
    environment_.Set("XDG_CONFIG_HOME", config);
    rtl::ForceDirectories(config);
    testsupport::WriteBytes(config + "/user-dirs.dirs",
                            "# written by the desktop\n"
                            "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                            "XDG_PICTURES_DIR=\"/media/pictures\"\n"
                            "XDG_DOCUMENTS_DIR=\"relative\"\n");
    EXPECT_EQ(win::ShellFolderPath("Desktop"), home + "/Schreibtisch");
    EXPECT_EQ(win::ShellFolderPath("MY PICTURES"), "/media/pictures");
    EXPECT_EQ(win::ShellFolderPath("Personal"), home + "/Documents");
    EXPECT_EQ(win::ShellFolderPath("AppData"), config);
    EXPECT_EQ(win::ShellFolderPath("Fonts"), "");
    EXPECT_EQ(update::ExpandFolderMacros("%desktop%x", true), home + "/Schreibtisch/x");
}

TEST(Folders, CreateFoldersMakesEveryMissingLevel)
{
    testsupport::ScratchFolder scratch;
    update::CreateFolders(scratch.Path("a/b\\c/file.txt"));
    EXPECT_TRUE(update::IsExistingFolder(scratch.Path("a/b/c")));
    EXPECT_FALSE(rtl::FileExists(scratch.Path("a/b/c/file.txt")));
    // An existing folder and a level that cannot be made are passed over quietly.
    scratch.WriteFile("plain", "x");
    update::CreateFolders(scratch.Path("a/b/c/file.txt"));
    update::CreateFolders(scratch.Path("plain/sub/file.txt"));
    EXPECT_FALSE(update::IsExistingFolder(scratch.Path("plain/sub")));
}

class OnlineTest : public ::testing::Test {
protected:
    ~OnlineTest() override { update::SetHostResolver(nullptr); }
    testsupport::ScratchRegistry registry_;

    static void SetDialUpFlag(int value)
    {
        win::TRegistry registry;
        registry.SetRootKey(win::HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(registry.OpenKey("\\System\\CurrentControlSet\\Services\\RemoteAccess", true));
        registry.WriteInteger("Remote Connection", value);
    }
};

TEST_F(OnlineTest, TheLastAddressOfTheHostDecides)
{
    struct Case {
        std::vector<std::string> addresses;
        bool online;
    };
    const Case cases[] = {
        {{"127.0.0.1"}, false},
        {{}, false},
        {{"10.0.0.5", "127.0.0.1"}, false},
        {{"127.0.0.1", "192.168.1.2"}, true},
        {{"127.0.1.1"}, true},
    };
    for (const Case& c : cases) {
        update::SetHostResolver([&](const std::string& host) {
            EXPECT_FALSE(host.empty());
            return c.addresses;
        });
        EXPECT_EQ(update::HasNetworkAddress(), c.online) << ::testing::PrintToString(c.addresses);
        EXPECT_EQ(update::IsOnline(), c.online) << ::testing::PrintToString(c.addresses);
    }
}

TEST_F(OnlineTest, TheDialUpFlagWinsOverTheAddress)
{
    update::SetHostResolver([](const std::string&) { return std::vector<std::string>{"127.0.0.1"}; });
    SetDialUpFlag(1);
    EXPECT_TRUE(update::IsOnline());
    update::SetHostResolver([](const std::string&) { return std::vector<std::string>{"10.1.2.3"}; });
    SetDialUpFlag(0);
    EXPECT_FALSE(update::IsOnline());
}

TEST(StringList, LineLimitDropsTheOldestQuietly)
{
    update::TupStringList list;
    list.SetLineLimit(3);
    int changes = 0;
    list.OnChange = [&](rtl::TStringList&) { ++changes; };
    for (const char* line : {"one", "two", "three", "four"})
        list.Add(line);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(0), "two");
    EXPECT_EQ(list.Strings(2), "four");
    EXPECT_EQ(changes, 4);  // the drop tells nobody
    list.Add("four");
    EXPECT_EQ(list.Strings(2), "four");
    EXPECT_EQ(list.Strings(1), "four");  // an unsorted list takes a line twice
}

TEST(StringList, SortedDuplicates)
{
    update::TupStringList list;
    list.SetSorted(true);
    list.SetLineLimit(2);
    list.Add("b");
    list.Add("a");
    EXPECT_EQ(list.Add("b"), 1);  // ignored: nothing dropped for it
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(0), "a");
    list.SetDuplicates(rtl::TDuplicates::Error);
    EXPECT_THROW(list.Add("a"), rtl::EStringListError);
    EXPECT_EQ(list.Count(), 2);
}

TEST(StringList, NameAndValueParts)
{
    struct Case {
        const char* line;
        bool fromEnd;
        int position;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"a=b=c", false, 2, "a", "b=c"},
        {"a=b=c", true, 4, "a=b", "c"},
        {"plain", false, 0, "plain", ""},
        {"=v", false, 1, "", "v"},
        {"n=", true, 2, "n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        update::TupStringList list;
        list.SetSeparatorFromEnd(c.fromEnd);
        list.Add(c.line);
        EXPECT_EQ(list.SeparatorPos(0), c.position);
        EXPECT_EQ(list.NamePart(0), c.name);
        EXPECT_EQ(list.ValuePart(0), c.value);
        list.SetValuePart(0, "new");
        EXPECT_EQ(list.Strings(0), c.position == 0 ? std::string(c.line) : std::string(c.name) + "=new");
    }
}

TEST(StringList, SaveValuesWritesOnlyLinesWithValues)
{
    testsupport::ScratchFolder scratch;
    update::TupStringList list;
    for (const char* line : {"http://h/a.exe=/opt/a.exe", "http://h/b.exe", "c=", "d=/opt/d"})
        list.Add(line);
    list.SaveValuesToFile(scratch.Path("queue.txt"));
    EXPECT_EQ(scratch.ReadFile("queue.txt"), "/opt/a.exe\r\n/opt/d\r\n");

    scratch.WriteFile("old.txt", "kept");
    update::TupStringList empty;
    empty.Add("no value");
    empty.SaveValuesToFile(scratch.Path("old.txt"));
    empty.SaveValuesToFile(scratch.Path("new.txt"));
    EXPECT_EQ(scratch.ReadFile("old.txt"), "kept");
    EXPECT_FALSE(rtl::FileExists(scratch.Path("new.txt")));
}

TEST(WebHandler, CommandLinesSplitIntoProgramAndParameters)
{
    struct Case {
        const char* command;
        const char* program;
        const char* parameters;
    };
    const Case cases[] = {
        {"\"C:\\Program Files\\Web\\web.exe\" -nohome \"%1\"", "C:\\Program Files\\Web\\web.exe", "-nohome %1"},
        {"\"/usr/bin/web\"", "/usr/bin/web", ""},
        {"C:\\Web\\web.exe -url %1", "C:\\Web\\web.exe", "-url %1"},
        {"C:\\My -Apps\\web.exe %1", "C:\\My -Apps\\web.exe", "%1"},
        {"web.exe /open", "web.exe", "/open"},
        {"C:\\WINDOWS\\rundll32.exe url.dll,FileProtocolHandler %1", "C:\\WINDOWS\\rundll32.exe url.dll",
         "FileProtocolHandler %1"},
        {"  web  ", "web", ""},
        {"web %1", "web", "%1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        std::string program = "stale", parameters = "stale";
        update::SplitCommandLine(c.command, program, parameters);
        EXPECT_EQ(program, c.program);
        EXPECT_EQ(parameters, c.parameters);
    }
}

class WebHandlerRegistry : public ::testing::Test {
protected:
    testsupport::ScratchRegistry registry_;

    static void SetDefault(const std::string& key, const std::string& value)
    {
        win::TRegistry registry;
        registry.SetRootKey(win::HKEY_CURRENT_USER);
        ASSERT_TRUE(registry.OpenKey("\\Software\\Classes\\" + key, true));
        registry.WriteString("", value);
    }
    static std::string Handler()
    {
        std::string program;
        return update::FindHtmlHandler(".html", program) ? program : "<none>";
    }
};

TEST_F(WebHandlerRegistry, TheOpenCommandOfTheFileType)
{
    EXPECT_EQ(Handler(), "<none>");
    SetDefault(".html", "webpage");
    EXPECT_EQ(Handler(), "<none>");
    SetDefault("webpage\\shell\\print\\command", "/usr/bin/printer %1");
    EXPECT_EQ(Handler(), "/usr/bin/printer");  // no verb says "open": the first with a command
    SetDefault("webpage\\shell\\viewopen\\command", "/usr/bin/viewer %1");
    SetDefault("webpage\\shell\\zopen\\command", "/usr/bin/last %1");
    EXPECT_EQ(Handler(), "/usr/bin/viewer");  // the first "open" verb in key order
    SetDefault("webpage\\shell\\open\\command", "\"/usr/bin/web browser\" \"%1\"");
    EXPECT_EQ(Handler(), "/usr/bin/web browser");
}

TEST_F(WebHandlerRegistry, AddressesOpenInTheBrowserOrTheDesktopOpener)
{
    win::RecordingLauncher launcher;
    win::ScopedLauncher scoped(launcher);
    using Call = win::RecordingLauncher::Call;
    update::OpenURL("updates.example/news.html", true);  // nothing registered: the shell's open verb
    SetDefault(".html", "webpage");
    SetDefault("webpage\\shell\\open\\command", "\"/usr/bin/web browser\" -new \"%1\"");
    update::OpenURL("https://updates.example/a b?x=1;rm -rf", true);
    update::OpenURL("https://updates.example/", false);
    const std::vector<Call> expected = {
        {Call::Run, {"xdg-open", "http://updates.example/news.html"}},
        {Call::Start, {"/usr/bin/web browser", "https://updates.example/a b?x=1;rm -rf"}},
        {Call::Run, {"xdg-open", "https://updates.example/"}},
    };
    EXPECT_EQ(launcher.Calls(), expected);
}

TEST(InternetDates, HeaderFormsAndZones)
{
    EnvironmentGuard environment;
    environment.Set("TZ", "UTC0");
    const rtl::TDateTime moment = rtl::EncodeDate(1994, 11, 6) + rtl::EncodeTime(8, 49, 37, 0);
    struct Case {
        const char* text;
        rtl::TDateTime expected;
    };
    const Case cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", moment},
        {"Sunday, 06-Nov-94 08:49:37 GMT", moment},
        {"Sun Nov  6 08:49:37 1994", moment},
        {"  sun, 06 nov 1994 08:49:37 GMT  ", moment},
        {"Sun, 06 Nov 1994 08:49:37 +0200", moment - 2.0 / 24},
        {"Sun, 06 Nov 1994 08:49:37 -0130", moment + 1.5 / 24},
        {"Sun, 06 Nov 1994 08:49:37 CEST", moment},
        {"06 Nov 1994", rtl::EncodeDate(1994, 11, 6)},
        {"Thu, 01 Jan 70 00:00:00 GMT", rtl::EncodeDate(2070, 1, 1)},
        {"", 0},
        {"garbage", 0},
        {"Sun, 31 Feb 1994 08:49:37 GMT", 0},
        {"Sun, 06 Xyz 1994 08:49:37 GMT", 0},
        {"Sun, 06 Nov 99999999999 08:49:37 GMT", 0},
        {"Sun, 06 Nov 1994 25:00:00 +0200", 0},
        {"Sun, 99999999999 Nov 1994", rtl::EncodeDate(1994, 11, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_NEAR(update::ParseInternetDate(c.text), c.expected, 1e-8);
    }
}

TEST(InternetDates, LocalTimeTakesTheOffsetOfThatDate)
{
    EnvironmentGuard environment;
    environment.Set("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
    const rtl::TDateTime summer = rtl::EncodeDate(2020, 7, 1) + 0.5;
    const rtl::TDateTime winter = rtl::EncodeDate(2020, 1, 1) + 0.5;
    EXPECT_NEAR(update::UtcToLocal(summer), summer + 2.0 / 24, 1e-9);
    EXPECT_NEAR(update::UtcToLocal(winter), winter + 1.0 / 24, 1e-9);
    EXPECT_NEAR(update::ParseInternetDate("Wed, 01 Jul 2020 12:00:00 GMT"), summer + 2.0 / 24, 1e-9);
}

TEST(FileRoutines, TimesSizesAndPercents)
{
    testsupport::ScratchFolder scratch;
    const std::string file = scratch.Path("download.bin");
    scratch.WriteFile("download.bin", "12345");
    struct stat before{};
    ASSERT_EQ(stat(file.c_str(), &before), 0);

    const rtl::TDateTime written = rtl::EncodeDate(2008, 10, 2) + rtl::EncodeTime(10, 20, 31, 0);
    ASSERT_TRUE(update::SetFileTimes(file, written, written, -1));
    EXPECT_NEAR(rtl::FileAge(file), rtl::EncodeDate(2008, 10, 2) + rtl::EncodeTime(10, 20, 30, 0), 1e-9);
    struct stat after{};
    ASSERT_EQ(stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_atim.tv_sec, before.st_atim.tv_sec);
    EXPECT_FALSE(update::SetFileTimes(scratch.Path("missing"), -1, written, -1));
    // A date the DOS form cannot hold leaves the time as it was.
    ASSERT_TRUE(update::SetFileTimes(file, -1, rtl::EncodeDate(1970, 1, 1), -1));
    EXPECT_NEAR(rtl::FileAge(file), rtl::EncodeDate(2008, 10, 2) + rtl::EncodeTime(10, 20, 30, 0), 1e-9);

    EXPECT_EQ(update::GetFileSize64(file), 5);
    EXPECT_EQ(update::GetFileSize64(scratch.Path("missing")), -1);
    EXPECT_EQ(update::GetFileSize64(scratch.Folder()), -1);

    struct Percent {
        std::int64_t part;
        std::int64_t whole;
        int expected;
    };
    const Percent percents[] = {
        {0, 0, 0},     {1, 3, 33},  {2, 3, 67},   {5, 0, 0},  {150, 100, 100}, {1, 200, 0},
        {3, 200, 2},   {-5, 10, 0}, {INT64_MAX, INT64_MAX, 100}, {INT64_MAX, 1, 100},
    };
    for (const Percent& p : percents)
        EXPECT_EQ(update::PercentOf(p.part, p.whole), p.expected) << p.part << " of " << p.whole;
}

TEST(Waiting, SignalEndsTheWaitAndTheVariableIsCleared)
{
    win::HANDLE event = nullptr;
    std::thread signaller([&] {
        while (event == nullptr || event == update::NoWaitEvent)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        update::SignalWait(event);
    });
    update::WaitWithMessages(event, 0, true);
    signaller.join();
    EXPECT_EQ(event, update::NoWaitEvent);
    update::SignalWait(event);  // no event: nothing happens

    // Nothing signals: the time limit ends the wait. The limit is counted on the millisecond tick, which
    // may turn just after the wait starts, so up to one millisecond of it can pass unseen.
    const auto start = std::chrono::steady_clock::now();
    update::WaitWithMessages(event, 50, false);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(49));
    EXPECT_EQ(event, update::NoWaitEvent);
}

TEST(Resources, WrittenToAStream)
{
    static const char bytes[] = "UPDHELPER bytes";
    static const classes::TResourceEntry entries[] = {
        {0, "RCDATA", 0, "HELPERTEST", bytes, sizeof bytes - 1},
        {0, "RCDATA", 0, "EMPTYTEST", bytes, 0},
    };
    classes::RegisterResources(entries, 2);
    rtl::TMemoryStream stream;
    stream.WriteBuffer("x", 1);
    EXPECT_TRUE(update::WriteResourceToStream("HelperTest", "RCDATA", &stream));
    EXPECT_EQ(std::string(stream.Memory(), std::size_t(stream.Size())), std::string("x") + bytes);
    EXPECT_FALSE(update::WriteResourceToStream("EmptyTest", "RCDATA", &stream));
    EXPECT_FALSE(update::WriteResourceToStream("Missing", "RCDATA", &stream));
    EXPECT_FALSE(update::WriteResourceToStream("HelperTest", "RCDATA", nullptr));
    classes::UnregisterResources(entries);
}

}  // namespace
