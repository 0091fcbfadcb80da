// The range check of the analysis window's numeric edits, on the parameters' built-in limits: what an
// edit shows after it is left, the value that text stands for, and the beep.

#include "analysis/Analysis.h"
#include "analysis/Globals.h"
#include "analysis/ParamTable.h"
#include "analysis/windows/Fan.h"
#include "platform/rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using analysis::CheckEntry;

struct EntryCase {
    int param;
    const char* typed;
    const char* shown;
    float value;
    bool beep;
};

class FanEntryTest : public testing::Test {
protected:
    FanEntryTest() { analysis::DefineAllParams(); }
    ~FanEntryTest() override
    {
        analysis::finalize();
        rtl::SetLocaleSource(nullptr);
        analysis::InitNumberSeparators();
    }

    // Each entry as the check leaves it; whatever was typed, the value lies in the parameter's range.
    template <std::size_t N>
    static void Expect(const EntryCase (&cases)[N])
    {
        for (const EntryCase& c : cases) {
            SCOPED_TRACE(std::to_string(c.param) + " '" + c.typed + "'");
            const analysis::TParamRecord& param = *analysis::ParamTable[c.param];
            const analysis::CheckedEntry checked = CheckEntry(c.typed, param);
            EXPECT_EQ(checked.Text, c.shown);
            EXPECT_FLOAT_EQ(checked.Value, c.value);
            EXPECT_EQ(checked.Beep, c.beep);
            EXPECT_GE(checked.Value, param.MinValue);
            EXPECT_LE(checked.Value, param.MaxValue);
        }
    }

    static void UseLocale(std::unique_ptr<rtl::FixedLocaleSource> locale)
    {
        rtl::SetLocaleSource(std::move(locale));
        analysis::InitNumberSeparators();
    }
};

TEST_F(FanEntryTest, LeavingAnEditClampsToTheParameterRangeWithABeep)
{
    UseLocale(rtl::FixedLocaleSource::UnitedStates());
    const EntryCase cases[] = {
        {1, "30", "24", 24, true},
        {1, "0", "1", 1, true},
        {1, "12", "12", 12, false},
        {1, "12.6", "13", 13, false},   // the value is the one the edit shows afterwards
        {4, "5", "5.00", 5, false},
        {4, "7.125", "7.13", 7.13f, false},
        {5, "0.1", "0.2", 0.2f, true},
        {5, "4999.9", "4,999.9", 4999.9f, false},
        {6, "49.9", "50.0", 50, true},
        {9, "2000000", "1,000,000", 1000000, true},
        {9, "12,000", "12,000", 12000, false},
        {9, "1,2,3", "123", 123, false},   // thousands separators are dropped wherever they stand
        {10, "100", "100", 100, false},
        {10, "101", "100", 100, true},
        {73, "1", "1", 1, false},
        {73, "2", "1", 1, true},
    };
    Expect(cases);
}

// An emptied edit and pasted text that is no number take the minimum with a beep, so nothing outside
// the range reaches the table or the estimate (hours 0 or an efficiency of 0 would make a project the
// reader refuses); a number beyond single precision takes the maximum.
TEST_F(FanEntryTest, EmptyOrForeignTextBecomesTheMinimumAndHugeNumbersTheMaximum)
{
    UseLocale(rtl::FixedLocaleSource::UnitedStates());
    const EntryCase cases[] = {
        {1, "", "1", 1, true},
        {6, "", "50.0", 50, true},
        {9, "", "0", 0, true},
        {1, "abc", "1", 1, true},
        {5, "12abc", "0.2", 0.2f, true},
        {9, "-500", "0", 0, true},
        {1, ".", "1", 1, true},
        {4, "1..5", "0.00", 0, true},
        {9, "99999999999999999999999999999999999999999999999999", "1,000,000", 1000000, true},
        {9, "nan", "0", 0, true},
    };
    Expect(cases);
}

TEST_F(FanEntryTest, TextsFollowTheLocaleSeparators)
{
    UseLocale(rtl::FixedLocaleSource::Germany());
    const EntryCase cases[] = {
        {5, "150,0", "150,0", 150, false},
        {5, "1.500,5", "1.500,5", 1500.5f, false},
        {4, "5", "5,00", 5, false},
        {9, "2.000.000", "1.000.000", 1000000, true},
        {20, "0,5", "0,500", 0.5f, false},
    };
    Expect(cases);
}

}  // namespace
