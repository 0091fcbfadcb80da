#include "platform/registry/RegistryStore.h"

#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/FileLock.h"
#include "platform/rtl/TempFiles.h"
#include "platform/registry/Registry.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace win;
namespace fs = std::filesystem;

std::string ReadFileBytes(const fs::path& name)
{
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFileBytes(const fs::path& name, const std::string& bytes)
{
    std::ofstream(name, std::ios::binary) << bytes;
}

int FileMode(const fs::path& name)
{
    struct stat st {};
    return ::stat(name.c_str(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

void WriteValue(const std::string& key, const std::string& name, const std::string& value)
{
    TRegistry registry;
    if (!registry.OpenKey(key, true))
        throw std::runtime_error("cannot open " + key);
    registry.WriteString(name, value);
}

std::string ReadValue(const std::string& key, const std::string& name)
{
    TRegistry registry;
    return registry.OpenKey(key, false) ? registry.ReadString(name) : "<no key>";
}

// Runs body in a child process and returns its exit status; the child never returns into the test.
template <typename F>
pid_t StartChild(F&& body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        int status = 1;
        try {
            status = body();
        } catch (...) {
        }
        ::_exit(status);
    }
    return pid;
}

int WaitChild(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string folder = rtl::PrivateTempFolder() + "registry-XXXXXX";
        ASSERT_TRUE(::mkdtemp(folder.data()));
        folder_ = folder;
        file_ = folder_ / "config" / "rivuve" / "registry";
        UseRegistryFile(file_);
        SetRegistryWriteHook([this] { ++writes_; });
    }
    void TearDown() override
    {
        SetRegistryWriteHook(nullptr);
        UseRegistryFile({});
        fs::remove_all(folder_);
    }

    // Forgets the tree, as a new run of the program would start.
    void Restart() { UseRegistryFile(file_); }

    fs::path folder_;
    fs::path file_;
    int writes_ = 0;
};

TEST_F(RegistryStoreTest, WritesOnceWhenTheOutermostStoreCloses)
{
    {
        TRegistry outer;
        {
            TRegistry inner;
            ASSERT_TRUE(inner.OpenKey("Software\\Test", true));
            inner.WriteString("A", "1");
            inner.WriteString("B", "2");
        }
        EXPECT_EQ(writes_, 0);
        EXPECT_FALSE(fs::exists(file_));
        ASSERT_TRUE(outer.OpenKey("Software\\Test", false));
        outer.WriteInteger("C", 3);
    }
    EXPECT_EQ(writes_, 1);
    EXPECT_EQ(FileMode(file_), 0600);
    EXPECT_EQ(FileMode(file_.parent_path()), 0700);
    EXPECT_EQ(FileMode(file_.parent_path().parent_path()), 0700);

    // Reading, or writing nothing, leaves the file alone.
    EXPECT_EQ(ReadValue("Software\\Test", "A"), "1");
    { TRegistry idle; }
    EXPECT_EQ(writes_, 1);

    Restart();
    EXPECT_EQ(ReadValue("Software\\Test", "B"), "2");
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Test", false));
    EXPECT_EQ(registry.ReadInteger("C"), 3);
}

TEST_F(RegistryStoreTest, AwkwardBytesSurviveTheFile)
{
    std::string allBytes;
    for (int c = 0; c < 256; ++c)
        allBytes += static_cast<char>(c);
    const std::vector<std::string> texts = {"CR\r\nLF", "\x80\xff", "a=b", "[x]", "  leading", "\"q\"\\", allBytes};
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Software\\[Odd] = Key ", true));
        for (size_t i = 0; i < texts.size(); ++i) {
            registry.WriteString(texts[i], texts[i]);
            registry.WriteBinaryData("bin" + texts[i], texts[i].data(), int(texts[i].size()));
        }
    }
    Restart();
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\[Odd] = Key ", false));
    std::vector<char> buffer(512);
    for (const std::string& text : texts) {
        EXPECT_EQ(registry.ReadString(text), text);
        const int size = registry.ReadBinaryData("bin" + text, buffer.data(), int(buffer.size()));
        EXPECT_EQ(std::string(buffer.data(), size_t(size)), text);
    }
}

TEST_F(RegistryStoreTest, DamagedFileIsSetAsideOnce)
{
    fs::create_directories(file_.parent_path());
    const std::string garbage = "RIVUVE REGISTRY 1\n[HKEY_CURRENT_USER\\A]\nnot a value\n";
    WriteFileBytes(file_, garbage);

    EXPECT_EQ(ReadValue("A", "x"), "<no key>");
    const std::string notice = TakeRegistryNotice();
    EXPECT_NE(notice.find("The settings file " + file_.string() + " was damaged and has been set aside as " +
                          file_.string() + ".damaged-"),
              std::string::npos)
        << notice;
    EXPECT_NE(notice.find("; the program starts with default settings."), std::string::npos) << notice;
    EXPECT_EQ(TakeRegistryNotice(), "");

    std::vector<fs::path> aside;
    for (const auto& entry : fs::directory_iterator(file_.parent_path()))
        if (entry.path().filename().string().starts_with("registry.damaged-"))
            aside.push_back(entry.path());
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(ReadFileBytes(aside[0]), garbage);

    WriteValue("A", "x", "fresh");
    Restart();
    EXPECT_EQ(ReadValue("A", "x"), "fresh");
    EXPECT_EQ(TakeRegistryNotice(), "");
}

// A file far larger than settings ever need is set aside as a damaged one is, unread.
TEST_F(RegistryStoreTest, OversizedFileIsSetAsideUnread)
{
    fs::create_directories(file_.parent_path());
    WriteFileBytes(file_, "RIVUVE REGISTRY 1\n[HKEY_CURRENT_USER\\A]\n\"x\"=sz:\"old\"\n");
    // Sparse: the size is there without the bytes.
    fs::resize_file(file_, std::uintmax_t(MaxRegistryFileSize) + 1);

    EXPECT_EQ(ReadValue("A", "x"), "<no key>");
    EXPECT_NE(TakeRegistryNotice().find("was damaged and has been set aside as"), std::string::npos);
    EXPECT_FALSE(fs::exists(file_));
    WriteValue("A", "x", "fresh");
    Restart();
    EXPECT_EQ(ReadValue("A", "x"), "fresh");
}

// A copy of the program that holds the lock and does not let go (a stopped one) delays this one's
// reads and writes by two seconds of the program's clock each: reads take the file as it stands, writes
// keep their changes, and the program is told once. The change reaches the file once the lock is free.
TEST_F(RegistryStoreTest, HeldLockDelaysByTwoSecondsAndLosesNothing)
{
    WriteValue("Key", "Value", "before");
    const int writesBefore = writes_;
    const int holder = ::open((file_.string() + ".lock").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    rtl::VirtualClock clock;
    {
        rtl::ScopedClock scope(clock);
        Restart();
        EXPECT_EQ(ReadValue("Key", "Value"), "before");
        EXPECT_EQ(clock.TickCount64(), rtl::kFileLockTimeout);
        WriteValue("Key", "Value", "during");
        EXPECT_EQ(clock.TickCount64(), 2 * rtl::kFileLockTimeout);
        WriteValue("Other", "Value", "also");
        EXPECT_EQ(ReadValue("Key", "Value"), "during");
        EXPECT_EQ(writes_, writesBefore);
        const std::string notice = TakeRegistryNotice();
        EXPECT_TRUE(notice.starts_with("The settings could not be saved: Cannot write the settings file " +
                                       file_.string() + ". Another copy of the program keeps it locked."))
            << notice;
        EXPECT_EQ(notice.find("The settings could not be saved", 1), std::string::npos) << notice;
        EXPECT_EQ(TakeRegistryNotice(), "");
    }
    ::close(holder);
    WriteValue("Key", "Value", "after");
    EXPECT_EQ(writes_, writesBefore + 1);
    Restart();
    EXPECT_EQ(ReadValue("Key", "Value"), "after");
    EXPECT_EQ(ReadValue("Other", "Value"), "also");
    EXPECT_EQ(TakeRegistryNotice(), "");
}

// A settings file kept elsewhere and linked in stays linked; a FIFO in its place is refused at once.
TEST_F(RegistryStoreTest, LinkedFileStaysLinkedAndOtherFilesAreRefused)
{
    fs::create_directories(file_.parent_path());
    fs::create_directories(folder_ / "dotfiles");
    WriteValue("Key", "Value", "first");
    fs::rename(file_, folder_ / "dotfiles" / "registry");
    fs::create_symlink(folder_ / "dotfiles" / "registry", file_);
    Restart();
    WriteValue("Key", "Value", "second");
    EXPECT_TRUE(fs::is_symlink(file_));
    Restart();
    EXPECT_EQ(ReadValue("Key", "Value"), "second");
    EXPECT_NE(ReadFileBytes(folder_ / "dotfiles" / "registry").find("second"), std::string::npos);

    fs::remove(file_);
    ASSERT_EQ(::mkfifo(file_.c_str(), 0600), 0);
    Restart();
    try {
        ReadValue("Key", "Value");
        ADD_FAILURE() << "read a FIFO";
    } catch (const rtl::EFOpenError& e) {
        EXPECT_NE(e.Message().find("Not a regular file"), std::string::npos) << e.Message();
    }
}

// Another running copy's changes, written while this one had the file loaded, survive this one's write;
// this one's deletions and additions are replayed over them.
TEST_F(RegistryStoreTest, ChangesMergeWithAnotherCopys)
{
    WriteValue("Shared", "Old", "old");
    WriteValue("Shared", "Both", "first");

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Shared", false));
    registry.WriteString("Mine", "mine");
    registry.WriteString("Both", "mine");
    EXPECT_TRUE(registry.DeleteValue("Old"));

    const pid_t child = StartChild([this] {
        UseRegistryFile(file_);
        WriteValue("Shared", "Theirs", "theirs");
        WriteValue("Shared", "Both", "theirs");
        WriteValue("Other", "Theirs", "theirs");
        return 0;
    });
    ASSERT_EQ(WaitChild(child), 0);

    FlushRegistry();
    Restart();
    EXPECT_EQ(ReadValue("Shared", "Mine"), "mine");
    EXPECT_EQ(ReadValue("Shared", "Theirs"), "theirs");
    EXPECT_EQ(ReadValue("Shared", "Both"), "mine");
    EXPECT_EQ(ReadValue("Other", "Theirs"), "theirs");
    EXPECT_EQ(ReadValue("Shared", "Old"), "");
}

TEST_F(RegistryStoreTest, TwoProcessesWritingAtOnceKeepEverything)
{
    constexpr int rounds = 20;
    std::vector<pid_t> children;
    for (const char* name : {"first", "second"})
        children.push_back(StartChild([this, name] {
            UseRegistryFile(file_);
            for (int i = 0; i < rounds; ++i)
                WriteValue("Race", std::string(name) + std::to_string(i), std::to_string(i));
            return 0;
        }));
    for (pid_t child : children)
        ASSERT_EQ(WaitChild(child), 0);

    Restart();
    for (const char* name : {"first", "second"})
        for (int i = 0; i < rounds; ++i)
            EXPECT_EQ(ReadValue("Race", std::string(name) + std::to_string(i)), std::to_string(i));
}

TEST_F(RegistryStoreTest, LaterOpenSeesAnotherCopysWrite)
{
    WriteValue("Key", "Value", "before");
    EXPECT_EQ(ReadValue("Key", "Value"), "before");
    const pid_t child = StartChild([this] {
        UseRegistryFile(file_);
        WriteValue("Key", "Value", "after");
        return 0;
    });
    ASSERT_EQ(WaitChild(child), 0);
    EXPECT_EQ(ReadValue("Key", "Value"), "after");
}

TEST_F(RegistryStoreTest, KilledWriterLeavesTheOldFileWhole)
{
    WriteValue("Key", "Value", "old");
    const std::string before = ReadFileBytes(file_);

    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = StartChild([&] {
        UseRegistryFile(file_);
        SetRegistryWriteHook([&] {
            // The temporary file is complete; wait here to be killed before the rename.
            (void)!::write(pipeFds[1], "w", 1);
            for (;;)
                ::pause();
        });
        WriteValue("Key", "Value", std::string(100000, 'n'));
        return 0;
    });
    ::close(pipeFds[1]);
    char signal = 0;
    ASSERT_EQ(::read(pipeFds[0], &signal, 1), 1);
    ::close(pipeFds[0]);
    ::kill(child, SIGKILL);
    EXPECT_EQ(WaitChild(child), 128 + SIGKILL);

    EXPECT_EQ(ReadFileBytes(file_), before);
    Restart();
    EXPECT_EQ(ReadValue("Key", "Value"), "old");

    std::vector<fs::path> leftovers;
    for (const auto& entry : fs::directory_iterator(file_.parent_path()))
        if (rtl::IsAtomicWriteTemporary(entry.path().filename().string()))
            leftovers.push_back(entry.path());
    ASSERT_EQ(leftovers.size(), 1u);
    // The dead writer's lock is gone, and once its temporary file is a minute old the next write clears
    // it away.
    const timespec longAgo[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, leftovers[0].c_str(), longAgo, 0), 0);
    WriteValue("Key", "Value", "new");
    Restart();
    EXPECT_EQ(ReadValue("Key", "Value"), "new");
    EXPECT_FALSE(fs::exists(leftovers[0]));
}

TEST_F(RegistryStoreTest, FailedWriteIsReportedAtExitAndLosesNothing)
{
    // A file where the folder should be: the registry cannot be written.
    fs::create_directories(folder_ / "blocked");
    WriteFileBytes(folder_ / "blocked" / "config", "a file");
    file_ = folder_ / "blocked" / "config" / "registry";
    UseRegistryFile(file_);

    WriteValue("Key", "Value", "kept");
    EXPECT_EQ(ReadValue("Key", "Value"), "kept");
    try {
        FlushRegistry();
        ADD_FAILURE() << "no error";
    } catch (const rtl::EFCreateError& e) {
        EXPECT_TRUE(e.Message().starts_with("Cannot write the settings file " + file_.string()));
    }
    EXPECT_EQ(ReadValue("Key", "Value"), "kept");
}

TEST_F(RegistryStoreTest, FileLocation)
{
    const fs::path config = folder_ / "xdg";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::unsetenv("RIVUVE_REGISTRY");
    UseRegistryFile({});
    WriteValue("Key", "Value", "xdg");
    EXPECT_EQ(FileMode(config / "rivuve" / "registry"), 0600);
    EXPECT_EQ(FileMode(config / "rivuve"), 0700);

    const fs::path chosen = folder_ / "chosen";
    ::setenv("RIVUVE_REGISTRY", chosen.c_str(), 1);
    UseRegistryFile({});
    WriteValue("Key", "Value", "chosen");
    EXPECT_TRUE(fs::exists(chosen));
    ::unsetenv("RIVUVE_REGISTRY");
    ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
