#pragma once
// The lines of a string list, for comparing with an expected vector in one expectation.

#include "platform/rtl/StringList.h"

#include <string>
#include <vector>

namespace testsupport {

inline std::vector<std::string> LinesOf(const rtl::TStrings& list)
{
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.Strings(i));
    return lines;
}

}  // namespace testsupport
