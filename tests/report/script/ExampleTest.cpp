#include "tests/report/script/ScriptFixture.h"

namespace {

using scripttest::ScriptTest;

TEST_F(ScriptTest, SmokeParsesTheWorkedExample)
{
    const auto result = Parse("ZododuVudizu", "begin\r\n  x := a + 1\r\nend.");
    EXPECT_TRUE(result.ok) << result.errorText << " at " << result.errorPlace;
    EXPECT_EQ(result.program, "program(compoundstmt(assignstmt(dsgn(node=x) expr(dsgn(node=a) op=+ number=1))))");
}

}  // namespace
