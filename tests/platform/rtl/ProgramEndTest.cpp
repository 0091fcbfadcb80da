#include "platform/rtl/ProgramEnd.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

TEST(ProgramEnd, RecordingHandlerSeesTheCodeAndTheCallerDoesNotGoOn)
{
    std::vector<int> codes;
    rtl::ScopedProgramEndHandler scope([&](int code) { codes.push_back(code); });
    bool wentOn = false;
    try {
        rtl::EndProgram(3);
        wentOn = true;
    } catch (const rtl::EProgramEnd& e) {
        EXPECT_EQ(e.ExitCode(), 3);
    }
    EXPECT_FALSE(wentOn);
    EXPECT_EQ(codes, std::vector<int>{3});
}

TEST(ProgramEnd, ProgramEndIsSilentForErrorReporters)
{
    // Handlers that show errors skip EAbort; ending the program must not turn into an error box.
    rtl::ScopedProgramEndHandler scope([](int) {});
    EXPECT_THROW(rtl::EndProgram(1), rtl::EAbort);
}

TEST(ProgramEnd, GuardRestoresTheHandlerBefore)
{
    std::vector<int> outer;
    rtl::ScopedProgramEndHandler outerScope([&](int code) { outer.push_back(code); });
    {
        rtl::ScopedProgramEndHandler innerScope([](int) {});
        EXPECT_THROW(rtl::EndProgram(5), rtl::EProgramEnd);
    }
    EXPECT_THROW(rtl::EndProgram(6), rtl::EProgramEnd);
    EXPECT_EQ(outer, std::vector<int>{6});
}

TEST(ProgramEndDeathTest, DefaultHandlerFlushesAndExitsWithTheCode)
{
    EXPECT_EXIT(
        {
            // Fully buffered, so the words only arrive if the end flushes the streams.
            static char buffer[256];
            std::setvbuf(stderr, buffer, _IOFBF, sizeof buffer);
            std::fputs("last words", stderr);
            rtl::EndProgram(7);
        },
        testing::ExitedWithCode(7), "last words");
}

}  // namespace
