#pragma once
// Drawing surfaces and the fixture files of the GUI class library's tests.

#include "tests/support/DrawingSurface.h"

#include <fstream>
#include <iterator>
#include <string>

namespace guitest {

using testsupport::Surface;

inline std::string FixturePath(const std::string& name)
{
    return std::string(RIVUVE_FIXTURES) + "/" + name;
}

inline std::string ReadFixture(const std::string& name)
{
    std::ifstream in(FixturePath(name), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace guitest
