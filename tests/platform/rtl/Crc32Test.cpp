#include "platform/rtl/Crc32.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(Crc32, KnownVectors)
{
    const struct {
        std::string_view text;
        std::uint32_t crc;
    } cases[] = {
        {"", 0x00000000u},
        {"a", 0xE8B7BE43u},
        {"abc", 0x352441C2u},
        {"123456789", 0xCBF43926u},
        {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
        {std::string_view("\0\0\0\0", 4), 0x2144DF1Cu},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rtl::Crc32(c.text), c.crc) << '"' << c.text << '"';
    }
}

TEST(Crc32, IncrementalEqualsAtOnce)
{
    std::string data;
    for (int i = 0; i < 1000; ++i) {
        data += static_cast<char>((i * 131 + 7) & 0xFF);
    }
    const std::uint32_t whole = rtl::Crc32(data);
    for (std::size_t split : {0u, 1u, 3u, 4u, 7u, 8u, 15u, 16u, 63u, 500u, 999u, 1000u}) {
        std::uint32_t crc = rtl::Crc32Update(0, data.data(), split);
        crc = rtl::Crc32Update(crc, data.data() + split, data.size() - split);
        EXPECT_EQ(crc, whole) << "split at " << split;
    }
    std::uint32_t byteByByte = 0;
    for (char c : data) {
        byteByByte = rtl::Crc32Update(byteByByte, &c, 1);
    }
    EXPECT_EQ(byteByByte, whole);
}

TEST(Crc32, EmptyUpdateKeepsTheRunningValue)
{
    const std::uint32_t crc = rtl::Crc32("abc");
    EXPECT_EQ(rtl::Crc32Update(crc, nullptr, 0), crc);
}

}  // namespace
