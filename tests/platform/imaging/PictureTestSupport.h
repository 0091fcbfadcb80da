#pragma once
// What the picture codec tests share: the patterns the fixture files were made from
// (tests/fixtures/pictures/make-fixtures.py), a little-endian byte builder for hand-made files, and a
// check of written files with ImageMagick's identify.

#include "platform/imaging/Image.h"
#include "tests/support/RunTool.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace picturetest {

inline constexpr std::uint32_t kColours[16] = {
    0xff000000, 0xffffffff, 0xffff0000, 0xff00ff00, 0xff0000ff, 0xffffff00, 0xff00ffff, 0xffff00ff,
    0xff800000, 0xff008000, 0xff000080, 0xff808000, 0xff008080, 0xff800080, 0xffc0c0c0, 0xff404040,
};

// The 13 by 7 pattern of n colours.
inline std::uint32_t Pattern(int x, int y, int n)
{
    return kColours[(x + 3 * y) % n];
}

// The 16 by 16 picture of four 8 by 8 blocks.
inline std::uint32_t Quadrants(int x, int y)
{
    return kColours[2 + x / 8 + 2 * (y / 8)];
}

inline std::string Fixture(const std::string& name)
{
    const std::string bytes = testsupport::ReadBytes(std::string(RIVUVE_FIXTURES) + "/pictures/" + name);
    EXPECT_FALSE(bytes.empty()) << "missing fixture " << name;
    return bytes;
}

inline win::Image MakeImage(int width, int height, const std::function<std::uint32_t(int, int)>& pixel)
{
    win::Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixel(x, y, pixel(x, y));
    return image;
}

// The first pixel whose channels differ by more than tolerance, as text; empty when none does.
inline std::string FirstDifference(const win::Image& image, const std::function<std::uint32_t(int, int)>& expected,
                                   int tolerance = 0, bool compareAlpha = true)
{
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const std::uint32_t got = image.Pixel(x, y);
            const std::uint32_t want = expected(x, y);
            for (int shift = 0; shift < (compareAlpha ? 32 : 24); shift += 8) {
                const int a = static_cast<int>(got >> shift & 0xff);
                const int b = static_cast<int>(want >> shift & 0xff);
                if (std::abs(a - b) > tolerance) {
                    char text[96];
                    std::snprintf(text, sizeof text, "pixel (%d,%d) is %08x, expected %08x", x, y, got, want);
                    return text;
                }
            }
        }
    }
    return {};
}

// Little-endian fields for hand-made files.
class Bytes {
public:
    Bytes& U8(unsigned value)
    {
        data_ += static_cast<char>(value & 0xff);
        return *this;
    }
    Bytes& U16(unsigned value) { return U8(value).U8(value >> 8); }
    Bytes& U32(std::uint32_t value) { return U16(value & 0xffff).U16(value >> 16); }
    Bytes& Raw(std::string_view bytes)
    {
        data_ += bytes;
        return *this;
    }
    const std::string& Data() const { return data_; }
    size_t Size() const { return data_.size(); }

private:
    std::string data_;
};

using testsupport::FindProgram;

// Runs ImageMagick's identify on bytes written to a file with the given extension; returns its output,
// or fails the test when identify refuses the file. Skips the calling test when identify is missing.
#define EXPECT_IDENTIFY_ACCEPTS(bytes, extension)                                                          \
    do {                                                                                                   \
        if (!picturetest::FindProgram("identify"))                                                         \
            GTEST_SKIP() << "ImageMagick identify is not installed; written files are not checked";       \
        const std::string identifyFailure = picturetest::IdentifyFailure(bytes, extension);                \
        EXPECT_TRUE(identifyFailure.empty()) << identifyFailure;                                           \
    } while (false)

inline std::string IdentifyFailure(const std::string& bytes, const std::string& extension)
{
    testsupport::ScratchFolder folder;
    const std::string file = folder.Path("written." + extension);
    const std::string output = folder.Path("identify.txt");
    folder.WriteFile("written." + extension, bytes);
    const std::string program = *FindProgram("identify");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<std::string> arguments = {"identify", "-regard-warnings", file};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return "identify could not be started";
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return {};
    return "identify refused the " + extension + " file: " + folder.ReadFile("identify.txt");
}

}  // namespace picturetest
