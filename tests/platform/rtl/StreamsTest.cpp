#include "platform/rtl/Streams.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"

#include "tests/support/ScratchFolder.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using rtl::SeekOrigin;

class StreamFiles : public ::testing::Test {
protected:
    testsupport::ScratchFolder scratch_;
    const std::string folder_ = scratch_.Folder();

    std::string Path(const std::string& name) const { return scratch_.Path(name); }
    void WriteFile(const std::string& name, const std::string& content) const { scratch_.WriteFile(name, content); }
    std::string ReadFile(const std::string& name) const { return scratch_.ReadFile(name); }
};

// The exception class name and message a call raises, or "" when it raises nothing.
std::pair<std::string, std::string> Raised(const std::function<void()>& call)
{
    try {
        call();
    } catch (const rtl::Exception& e) {
        return {e.ClassName(), e.Message()};
    }
    return {};
}

TEST_F(StreamFiles, ShortReadFailsWithReadErrorForEveryKind)
{
    WriteFile("short", "abc");
    const std::function<std::unique_ptr<rtl::TStream>()> makers[] = {
        [&] { return std::make_unique<rtl::TFileStream>(Path("short"), rtl::fmOpenRead); },
        [] {
            auto memory = std::make_unique<rtl::TMemoryStream>();
            memory->WriteBuffer("abc", 3);
            memory->SetPosition(0);
            return memory;
        },
        [] { return std::make_unique<rtl::TStringStream>("abc"); },
    };
    for (const auto& make : makers) {
        auto stream = make();
        char buffer[8] = {};
        const auto [kind, message] = Raised([&] { stream->ReadBuffer(buffer, 4); });
        EXPECT_EQ(kind, "EReadError");
        EXPECT_EQ(message, "Stream read error");
    }
}

TEST_F(StreamFiles, OpenAndCreateErrorsNameTheFileAndTheCause)
{
    std::filesystem::create_directory(Path("folder"));
    struct Case {
        std::string name;
        std::uint16_t mode;
        std::string kind;
        std::string text;
    };
    const Case cases[] = {
        {"missing.kvx", rtl::fmOpenRead, "EFOpenError",
         "Cannot open file \"" + Path("missing.kvx") + "\". " + rtl::SysErrorMessage(ENOENT)},
        {"no/such/folder/new.kvx", rtl::fmCreate, "EFCreateError",
         "Cannot create file \"" + Path("no/such/folder/new.kvx") + "\". " + rtl::SysErrorMessage(ENOENT)},
        {"folder", rtl::fmOpenRead | rtl::fmShareDenyNone, "EFOpenError",
         "Cannot open file \"" + Path("folder") + "\". " + rtl::SysErrorMessage(EISDIR)},
        {"folder", rtl::fmCreate, "EFCreateError",
         "Cannot create file \"" + Path("folder") + "\". " + rtl::SysErrorMessage(EISDIR)},
        {"missing.kvx", 0x0050, "EFOpenError", "Cannot open file \"" + Path("missing.kvx") + "\". Invalid open mode 80"},
        // A FIFO is refused at once, neither waited on for a writer nor replaced.
        {"pipe", rtl::fmOpenRead, "EFOpenError",
         "Cannot open file \"" + Path("pipe") + "\". " + rtl::SysErrorMessage(rtl::ErrorNotRegularFile)},
        {"pipe", rtl::fmOpenReadWrite, "EFOpenError",
         "Cannot open file \"" + Path("pipe") + "\". " + rtl::SysErrorMessage(rtl::ErrorNotRegularFile)},
    };
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    for (const Case& c : cases) {
        const auto [kind, message] = Raised([&] { rtl::TFileStream(Path(c.name), c.mode); });
        EXPECT_EQ(kind, c.kind) << c.name;
        EXPECT_EQ(message, c.text) << c.name;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("missing.kvx")));
}

TEST_F(StreamFiles, BackslashesInNamesReachTheSameFile)
{
    std::filesystem::create_directory(Path("sub"));
    WriteFile("sub/data", "xyz");
    std::string name = folder_ + "sub\\data";
    rtl::TFileStream stream(name, rtl::fmOpenRead | rtl::fmShareDenyNone);
    EXPECT_EQ(stream.Size(), 3);
    EXPECT_EQ(stream.FileName(), name);
}

TEST_F(StreamFiles, ShareModesBetweenStreams)
{
    using namespace rtl;
    struct Case {
        std::uint16_t first;
        std::uint16_t second;
        bool opens;
    };
    const Case cases[] = {
        {fmOpenRead | fmShareDenyNone, fmOpenRead | fmShareDenyNone, true},
        {fmOpenReadWrite | fmShareDenyNone, fmOpenRead | fmShareDenyNone, true},
        {fmOpenReadWrite | fmShareDenyNone, fmOpenReadWrite | fmShareDenyNone, true},
        {fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyWrite, true},
        {fmOpenRead | fmShareDenyWrite, fmOpenReadWrite | fmShareDenyNone, false},
        {fmOpenReadWrite | fmShareDenyNone, fmOpenRead | fmShareDenyWrite, false},
        {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyNone, false},
        {fmOpenRead | fmShareDenyNone, fmOpenRead | fmShareExclusive, false},
        {fmOpenRead, fmOpenRead | fmShareDenyNone, false},  // compatibility mode shares nothing
        {fmOpenWrite | fmShareDenyRead, fmOpenRead | fmShareDenyNone, false},
        {fmOpenWrite | fmShareDenyRead, fmOpenWrite | fmShareDenyNone, true},
        {fmOpenWrite | fmShareDenyNone, fmOpenWrite | fmShareDenyWrite, false},
        {fmOpenRead | fmShareDenyNone, fmOpenWrite | fmShareDenyRead, false},
        {fmCreate, fmOpenRead | fmShareDenyNone, false},
        {fmOpenRead | fmShareDenyNone, fmCreate, false},
    };
    for (const Case& c : cases) {
        WriteFile("shared", "content");
        const std::string kind = [&] {
            TFileStream first(Path("shared"), c.first);
            return Raised([&] { TFileStream second(Path("shared"), c.second); }).first;
        }();
        if (c.opens) {
            EXPECT_EQ(kind, "") << std::hex << c.first << " then " << c.second;
        } else {
            EXPECT_EQ(kind, c.second == fmCreate ? "EFCreateError" : "EFOpenError")
                << std::hex << c.first << " then " << c.second;
        }
        // Once the first stream is gone, nothing holds the file any more.
        EXPECT_NO_THROW(TFileStream(Path("shared"), fmOpenReadWrite | fmShareExclusive));
    }
}

TEST_F(StreamFiles, RefusedCreateLeavesTheHeldFileIntact)
{
    WriteFile("held", "precious");
    {
        rtl::TFileStream holder(Path("held"), rtl::fmOpenRead | rtl::fmShareDenyWrite);
        const auto [kind, message] = Raised([&] { rtl::TFileStream(Path("held"), rtl::fmCreate); });
        EXPECT_EQ(kind, "EFCreateError");
        EXPECT_NE(message.find(Path("held")), std::string::npos);
    }
    EXPECT_EQ(ReadFile("held"), "precious");
}

TEST_F(StreamFiles, ShareModesHoldAgainstAnotherProcess)
{
    WriteFile("locked", "x");
    rtl::TFileStream holder(Path("locked"), rtl::fmOpenReadWrite | rtl::fmShareExclusive);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string kind =
            Raised([&] { rtl::TFileStream(Path("locked"), rtl::fmOpenRead | rtl::fmShareDenyNone); }).first;
        ::_exit(kind == "EFOpenError" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(StreamFiles, FilePositionsBeyondFourGigabytes)
{
    constexpr std::int64_t kFiveGiB = std::int64_t(5) << 30;
    constexpr std::int64_t kFar = (std::int64_t(4) << 30) + 7;
    {
        rtl::TFileStream stream(Path("sparse"), rtl::fmCreate);
        stream.SetSize(kFiveGiB);
        EXPECT_EQ(stream.Position(), kFiveGiB);
        EXPECT_EQ(stream.Seek(kFar, SeekOrigin::Beginning), kFar);
        stream.WriteBuffer("xyz", 3);
        EXPECT_EQ(stream.Position(), kFar + 3);
    }
    EXPECT_EQ(std::filesystem::file_size(Path("sparse")), std::uintmax_t(kFiveGiB));
    rtl::TFileStream stream(Path("sparse"), rtl::fmOpenRead | rtl::fmShareDenyWrite);
    EXPECT_EQ(stream.Size(), kFiveGiB);
    EXPECT_EQ(stream.Seek(-(kFiveGiB - kFar), SeekOrigin::End), kFar);
    char buffer[3];
    stream.ReadBuffer(buffer, 3);
    EXPECT_EQ(std::string(buffer, 3), "xyz");
    EXPECT_EQ(stream.Seek(-1, SeekOrigin::Beginning), -1);
    EXPECT_EQ(stream.Position(), kFar + 3);
}

TEST_F(StreamFiles, AccessModesAreKept)
{
    WriteFile("data", "abc");
    char c;
    rtl::TFileStream writeOnly(Path("data"), rtl::fmOpenWrite | rtl::fmShareDenyNone);
    EXPECT_THROW(writeOnly.ReadBuffer(&c, 1), rtl::EReadError);
    rtl::TFileStream readOnly(Path("data"), rtl::fmOpenRead | rtl::fmShareDenyNone);
    EXPECT_THROW(readOnly.WriteBuffer("z", 1), rtl::EWriteError);
    EXPECT_EQ(ReadFile("data"), "abc");
}

TEST_F(StreamFiles, HandleStreamClosesOnlyAnOwnedHandle)
{
    WriteFile("data", "abc");
    const int borrowed = ::open(Path("data").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(borrowed, 0);
    {
        rtl::THandleStream stream(borrowed);
        char buffer[3];
        stream.ReadBuffer(buffer, 3);
        EXPECT_EQ(std::string(buffer, 3), "abc");
    }
    EXPECT_NE(::fcntl(borrowed, F_GETFD), -1);
    { rtl::THandleStream owner(borrowed, true); }
    EXPECT_EQ(::fcntl(borrowed, F_GETFD), -1);
}

TEST_F(StreamFiles, MemoryStreamSavesAndLoadsFiles)
{
    rtl::TMemoryStream out;
    out.WriteBuffer("saved bytes", 11);
    out.SaveToFile(Path("saved"));
    EXPECT_EQ(ReadFile("saved"), "saved bytes");

    rtl::TMemoryStream in;
    in.LoadFromFile(Path("saved"));
    EXPECT_EQ(std::string(in.Memory(), size_t(in.Size())), "saved bytes");
    EXPECT_EQ(in.Position(), 0);
    EXPECT_THROW(in.LoadFromFile(Path("missing")), rtl::EFOpenError);
    EXPECT_EQ(in.Size(), 11);
}

TEST(MemoryStream, GrowsAndSeeksPastTheEnd)
{
    rtl::TMemoryStream stream;
    EXPECT_EQ(stream.Seek(5, SeekOrigin::End), 5);
    EXPECT_EQ(stream.Size(), 0);
    char byte = 0;
    EXPECT_EQ(stream.Read(&byte, 1), 0);
    stream.WriteBuffer("ab", 2);
    EXPECT_EQ(stream.Size(), 7);
    EXPECT_EQ(std::string(stream.Memory(), 7), std::string("\0\0\0\0\0ab", 7));

    std::string big(100000, 'q');
    stream.WriteBuffer(big.data(), std::int64_t(big.size()));
    EXPECT_EQ(stream.Size(), 100007);
    EXPECT_EQ(std::string(stream.Memory() + 7, big.size()), big);

    stream.SetSize(3);
    EXPECT_EQ(stream.Position(), 3);
    EXPECT_EQ(stream.Seek(-1, SeekOrigin::Current), 2);
    EXPECT_EQ(stream.Seek(-10, SeekOrigin::Beginning), -10);
    EXPECT_EQ(stream.Read(&byte, 1), 0);
    EXPECT_EQ(stream.Write("x", 1), 0);
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Position(), 0);
}

TEST(MemoryStream, RefusesSizesNoProcessCanHold)
{
    rtl::TMemoryStream stream;
    stream.WriteBuffer("keep", 4);
    const std::function<void()> calls[] = {
        [&] { stream.SetSize(std::int64_t(1) << 50); },
        [&] { stream.SetSize(INT64_MAX); },
        [&] {
            stream.SetPosition(INT64_MAX - 1);
            stream.Write("xy", 2);
        },
    };
    for (const auto& call : calls) {
        const auto [kind, message] = Raised(call);
        EXPECT_EQ(kind, "EStreamError");
        EXPECT_EQ(message, "Out of memory while expanding memory stream");
        EXPECT_EQ(std::string(stream.Memory(), 4), "keep");
    }
    EXPECT_THROW(stream.SetSize(-1), rtl::EInvalidArgument);
}

TEST(MemoryStream, FailedLoadKeepsTheOldContent)
{
    // A source that claims more bytes than it delivers.
    class ShortSource : public rtl::TStringStream {
    public:
        ShortSource() : TStringStream("abc") {}
        std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override
        {
            const std::int64_t position = TStringStream::Seek(offset, origin);
            return origin == SeekOrigin::End ? position + 10 : position;
        }
    } source;
    rtl::TMemoryStream stream;
    stream.WriteBuffer("old", 3);
    EXPECT_THROW(stream.LoadFromStream(source), rtl::EReadError);
    EXPECT_EQ(stream.Size(), 3);
    EXPECT_EQ(std::string(stream.Memory(), 3), "old");
}

TEST(StringStream, ReadsWritesAndClampsPositions)
{
    rtl::TStringStream stream("hello world");
    EXPECT_EQ(stream.ReadString(5), "hello");
    EXPECT_EQ(stream.ReadString(100), " world");
    EXPECT_EQ(stream.ReadString(1), "");
    EXPECT_EQ(stream.Seek(100, SeekOrigin::Beginning), 11);
    EXPECT_EQ(stream.Seek(-100, SeekOrigin::Current), 0);
    // Writing inside the string overwrites and keeps the rest.
    stream.SetPosition(6);
    stream.WriteString("W");
    EXPECT_EQ(stream.DataString(), "hello World");
    stream.Seek(0, SeekOrigin::End);
    stream.WriteString("!!");
    EXPECT_EQ(stream.DataString(), "hello World!!");
    stream.SetSize(5);
    EXPECT_EQ(stream.DataString(), "hello");
    EXPECT_EQ(stream.Position(), 5);

    rtl::TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(stream, 0), 5);
    EXPECT_EQ(std::string(copy.Memory(), 5), "hello");
}

}  // namespace
