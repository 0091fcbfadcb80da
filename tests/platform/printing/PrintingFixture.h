#pragma once
// The libraries printing stands on, started afresh for each test, with a memory back end whose printers
// the test adds; and the usual papers and printers of the tests.

#include "platform/DrawingLibraries.h"
#include "platform/printing/testing/MemoryPrintBackend.h"
#include "platform/rtl/Rtl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace printingtest {

// Sets an environment variable for a scope (null value: unset), and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnvironment() { old_ ? setenv(name_.c_str(), old_->c_str(), 1) : unsetenv(name_.c_str()); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

inline void StartLibraries()
{
    rtl::initialize();
    win::StartDrawingLibraries();
}

inline void EndLibraries()
{
    win::EndDrawingLibraries();
}

// A4 upright with 5 mm margins but 10 mm at the bottom.
inline win::Paper A4()
{
    return win::Paper{"iso_a4_210x297mm", "A4", 21000, 29700, win::RECT{500, 500, 500, 1000}};
}

inline win::Paper Letter()
{
    return win::Paper{"na_letter_8.5x11in", "Letter", 21590, 27940, win::RECT{635, 635, 635, 635}};
}

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartLibraries();
        auto backend = std::make_unique<win::MemoryPrintBackend>();
        backend_ = backend.get();
        win::SetPrintBackend(std::move(backend));
    }
    void TearDown() override { EndLibraries(); }

    win::MemoryPrintBackend* backend_ = nullptr;
};

}  // namespace printingtest
