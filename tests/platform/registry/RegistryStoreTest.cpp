#include "platform/registry/RegistryStore.h"

#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/TempFiles.h"
#include "platform/registry/Registry.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
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

    const auto leftovers = [&] {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(file_.parent_path()))
            count += rtl::IsAtomicWriteLeftover(file_.string(), entry.path().filename().string());
        return count;
    };
    EXPECT_EQ(leftovers(), 1);
    // The dead writer's lock is gone and its temporary file is cleared away by the next write.
    WriteValue("Key", "Value", "new");
    Restart();
    EXPECT_EQ(ReadValue("Key", "Value"), "new");
    EXPECT_EQ(leftovers(), 0);
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
