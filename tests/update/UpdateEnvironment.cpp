// Starts the libraries the update library stands on, and it, once for every test of this binary.

#include "update/Update.h"

#include "tests/support/GuiLibraries.h"

#include <gtest/gtest.h>

namespace {

class UpdateLibraries : public ::testing::Environment {
public:
    void SetUp() override
    {
        testsupport::StartGuiLibraries();
        update::initialize();
    }
    void TearDown() override
    {
        update::finalize();
        testsupport::EndGuiLibraries();
    }
};

[[maybe_unused]] const auto* const libraries = ::testing::AddGlobalTestEnvironment(new UpdateLibraries);

}  // namespace
