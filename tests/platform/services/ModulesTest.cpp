#include "platform/services/Modules.h"

#include <gtest/gtest.h>

namespace {

int Answer()
{
    return 42;
}

// A module is found by its name in any case, offers exactly the procedures registered with it, and its
// handle fails once every load has been freed or the module is gone.
TEST(Modules, RegisteredModulesLoadAndOfferTheirProcedures)
{
    win::RegisterModule("Sample.DLL", {{"Answer", reinterpret_cast<win::FARPROC>(&Answer)}});
    win::HMODULE first = win::LoadLibrary("sample.dll");
    ASSERT_NE(first, nullptr);
    win::HMODULE second = win::LoadLibrary("SAMPLE.DLL");
    EXPECT_EQ(second, first);

    auto answer = reinterpret_cast<int (*)()>(win::GetProcAddress(first, "Answer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(win::GetProcAddress(first, "answer"), nullptr);
    EXPECT_EQ(win::GetLastError(), win::ERROR_PROC_NOT_FOUND);

    EXPECT_TRUE(win::FreeLibrary(first));
    EXPECT_NE(win::GetProcAddress(first, "Answer"), nullptr);
    EXPECT_TRUE(win::FreeLibrary(first));
    EXPECT_EQ(win::GetProcAddress(first, "Answer"), nullptr);
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_HANDLE);
    EXPECT_FALSE(win::FreeLibrary(first));

    win::HMODULE again = win::LoadLibrary("Sample.dll");
    win::UnregisterModule("SAMPLE.dll");
    EXPECT_EQ(win::GetProcAddress(again, "Answer"), nullptr);
    EXPECT_EQ(win::LoadLibrary("Sample.dll"), nullptr);
    EXPECT_EQ(win::GetLastError(), win::ERROR_MOD_NOT_FOUND);
}

TEST(Modules, UnknownNamesAreMissing)
{
    EXPECT_EQ(win::LoadLibrary("HHCtrl.OCX"), nullptr);
    EXPECT_EQ(win::GetLastError(), win::ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(win::LoadLibrary(nullptr), nullptr);
    EXPECT_EQ(win::GetProcAddress(nullptr, "HtmlHelpA"), nullptr);
}

}  // namespace
