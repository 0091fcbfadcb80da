#include "platform/gui/Colors.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorsTest, Placeholder)
{
    EXPECT_EQ(gui::clNone, 0x1FFFFFFF);
}

}  // namespace
