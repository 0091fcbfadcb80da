#include "platform/rtl/Exceptions.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {

TEST(Exceptions, ClassNamesAndHierarchy)
{
    try {
        throw rtl::EReadError("Stream read error");
    } catch (const rtl::EStreamError& e) {
        EXPECT_STREQ(e.ClassName(), "EReadError");
        EXPECT_EQ(e.Message(), "Stream read error");
    }
    EXPECT_THROW(rtl::Abort(), rtl::EAbort);
}

TEST(Exceptions, OSErrorCarriesSystemText)
{
    try {
        rtl::RaiseLastOSError(ENOENT);
        FAIL();
    } catch (const rtl::EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), ENOENT);
        EXPECT_NE(e.Message().find(rtl::SysErrorMessage(ENOENT)), std::string::npos);
        EXPECT_EQ(e.Message().rfind("System Error.  Code: 2.\r\n", 0), 0u);
    }
}

}  // namespace
