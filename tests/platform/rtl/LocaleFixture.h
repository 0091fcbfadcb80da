#pragma once
// Runs a test under the two fixed locales: English (United States), '.' and ',', and German
// (Germany), ',' and '.'. For texts without money or names the German text is the English one with
// the two separators swapped.

#include "platform/rtl/FormatSettings.h"

#include <gtest/gtest.h>
#include <string>

namespace rtl_test {

enum class Locale { UnitedStates, Germany };

inline std::string LocaleName(const testing::TestParamInfo<Locale>& info)
{
    return info.param == Locale::UnitedStates ? "UnitedStates" : "Germany";
}

class LocaleTest : public testing::TestWithParam<Locale> {
protected:
    void SetUp() override
    {
        rtl::SetLocaleSource(GetParam() == Locale::UnitedStates ? rtl::FixedLocaleSource::UnitedStates()
                                                                : rtl::FixedLocaleSource::Germany());
    }
    void TearDown() override { rtl::SetLocaleSource(nullptr); }

    bool German() const { return GetParam() == Locale::Germany; }

    // The English text in the current locale: '.' and ',' swapped under German.
    std::string Local(std::string text) const
    {
        if (German())
            for (char& c : text)
                c = c == '.' ? ',' : c == ',' ? '.' : c;
        return text;
    }
};

}  // namespace rtl_test
