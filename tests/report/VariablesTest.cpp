#include "report/rptVariables.h"

#include "tests/report/ReportFixture.h"

#include <gtest/gtest.h>

namespace {

using report::TrptArray;
using report::TrptVariables;

class VariablesTest : public report_test::ReportTest {};

TEST_F(VariablesTest, NamesAreFoundWithoutRegardToCase)
{
    TrptVariables variables;
    EXPECT_TRUE(variables.Variables("Total").IsNull());
    EXPECT_EQ(variables.Count(), 0);
    variables.SetVariables("Total", rtl::Variant(5));
    variables.SetVariables("TOTAL", rtl::Variant(6));
    ASSERT_EQ(variables.Count(), 1);
    EXPECT_EQ(variables.Items(0)->Name, "Total");
    EXPECT_EQ(variables.Variables("total").ToInteger(), 6);
    EXPECT_EQ(variables.IndexOf("tOTAL"), 0);
    EXPECT_EQ(variables.IndexOf("Other"), -1);
    // Two names that differ only in case (through Add): the first is found.
    report::TrptVariable* second = variables.Add();
    second->Name = "total";
    second->Value = rtl::Variant("second");
    EXPECT_EQ(variables.Variables("TOTAL").ToInteger(), 6);
    // A new variable holds Null.
    EXPECT_TRUE(variables.Add()->Value.IsNull());
}

TEST_F(VariablesTest, ArrayKeysAreTheirText)
{
    TrptArray array;
    EXPECT_TRUE(array.Variables(rtl::Variant(1)).IsNull());
    EXPECT_EQ(array.Count(), 0);
    array.SetVariables(rtl::Variant(1), rtl::Variant("one"));
    array.SetVariables(rtl::Variant("1"), rtl::Variant("uno"));
    array.SetVariables(rtl::Variant("Key"), rtl::Variant(2.5));
    ASSERT_EQ(array.Count(), 2);
    EXPECT_EQ(array.Variables(rtl::Variant(1)).ToString(), "uno");
    EXPECT_EQ(array.Variables(rtl::Variant("KEY")).ToDouble(), 2.5);
    EXPECT_EQ(array.IndexOf(rtl::Variant(std::int64_t(1))), 0);
}

TEST_F(VariablesTest, AssignCopiesNameAndValue)
{
    TrptVariables variables;
    report::TrptVariable* from = variables.Add();
    from->Name = "A";
    from->Value = rtl::Variant("text");
    report::TrptVariable* to = variables.Add();
    to->Assign(from);
    EXPECT_EQ(to->Name, "A");
    EXPECT_EQ(to->Value.ToString(), "text");
    TrptVariables copy;
    copy.Assign(&variables);
    EXPECT_EQ(copy.Count(), 2);
}

TEST_F(VariablesTest, GlobalVariablesLiveWithTheLibrary)
{
    report::rptGlobalVariables().SetVariables("CopyName0", rtl::Variant("Copy"));
    EXPECT_EQ(report::rptGlobalVariables().Variables("CopyName0").ToString(), "Copy");
}

TEST(GlobalVariables, AreNoneOutsideTheLibrary)
{
    EXPECT_THROW(report::rptGlobalVariables(), rtl::EInvalidOperation);
}

}  // namespace
