#include "translation/Translation.h"

#include <gtest/gtest.h>

namespace {

TEST(Translation, StartsAndStops)
{
    translation::initialize();
    translation::finalize();
}

}  // namespace
