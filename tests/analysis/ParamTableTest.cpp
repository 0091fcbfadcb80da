#include "analysis/Analysis.h"
#include "analysis/Globals.h"
#include "analysis/NumberText.h"
#include "analysis/ParamTable.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/ProgramEnd.h"
#include "platform/services/DialogService.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using namespace analysis;

// Definitions run against scripted dialogs; ending the program is recorded and unwinds.
class ParamTableTest : public testing::Test {
protected:
    ParamTableTest()
        : dialogs_(dialogScript_), programEnd_([this](int code) { endCodes_.push_back(code); })
    {
        analysis::finalize();
    }
    ~ParamTableTest() override { analysis::finalize(); }

    // Runs a definition that must fail and returns the one error box it showed.
    std::string DefinitionError(float value, float minValue, float maxValue, float scale, std::uint8_t kind = 0,
                                std::uint16_t number = 5)
    {
        const int before = DefinedParamCount;
        EXPECT_THROW(DefineParam(number, 'A', '1', number, "", "", value, minValue, maxValue, scale, kind, 1),
                     rtl::EProgramEnd);
        EXPECT_EQ(DefinedParamCount, before + 1);
        EXPECT_EQ(endCodes_.size(), 1u);
        endCodes_.clear();
        if (number >= 1 && number <= MaxParams) {
            EXPECT_EQ(ParamTable[number], nullptr) << "a faulty definition is not stored";
            EXPECT_EQ(ShadowParamTable[number], nullptr);
        }
        if (dialogScript_.Asked().size() != 1u)
            return "boxes shown: " + std::to_string(dialogScript_.Asked().size());
        const win::AskedMessageBox box = dialogScript_.Asked().back();
        EXPECT_EQ(box.type & win::MB_TYPEMASK, unsigned(win::MB_OK));
        EXPECT_EQ(box.type & win::MB_ICONMASK, unsigned(win::MB_ICONERROR));
        return box.text;
    }

    win::ScriptedDialogs dialogScript_;
    win::ScopedDialogService dialogs_;
    std::vector<int> endCodes_;
    rtl::ScopedProgramEndHandler programEnd_;
};

TEST_F(ParamTableTest, AllDefinitionsFillBothTablesByNumber)
{
    DefineAllParams();
    EXPECT_TRUE(dialogScript_.Asked().empty());
    EXPECT_TRUE(endCodes_.empty());
    ASSERT_EQ(DefinedParamCount, 73);
    for (int i = 1; i <= 73; ++i) {
        const TParamRecord* p = ParamTable[i];
        const TParamRecord* s = ShadowParamTable[i];
        ASSERT_NE(p, nullptr);
        ASSERT_NE(s, nullptr);
        EXPECT_NE(p, s);
        EXPECT_EQ(p->Number, i);
        EXPECT_EQ(p->Id, i);
        EXPECT_EQ(p->Group, 'A');
        EXPECT_EQ(p->GroupDigit, '1');
        EXPECT_TRUE(p->Name.Empty());
        EXPECT_TRUE(p->Units.Empty());
        EXPECT_EQ(p->DefFlag, i == 7 ? 10 : 1);
        EXPECT_EQ(p->Kind, i == 71 || i == 72 ? 1 : 0);
        EXPECT_EQ(std::memcmp(&p->Value, &s->Value, sizeof(float) * 4), 0);
        EXPECT_EQ(p->Name, s->Name);
    }
    EXPECT_EQ(ParamTable[74], nullptr);
    EXPECT_THROW(ParamTable[301], rtl::EInvalidArgument);
    EXPECT_THROW(ParamTable[0], rtl::EInvalidArgument);
}

TEST_F(ParamTableTest, BuiltInValuesAndLimits)
{
    DefineAllParams();
    EXPECT_EQ(ParamTable[5]->MinValue, 0.2f);
    EXPECT_EQ(ParamTable[6]->MinValue, 50.0f);
    EXPECT_EQ(ParamTable[7]->MinValue, 50.0f);
    EXPECT_EQ(ParamTable[9]->MaxValue, 1000000.0f);
    for (int i = 21; i <= 30; ++i)
        EXPECT_EQ(ParamTable[i + 20]->Value, ParamTable[i]->Value) << "the valve repeats the damper";
    EXPECT_EQ(ParamTable[23]->Value, 0.573f);
    EXPECT_EQ(ParamTable[40]->Value, 0.0104f);
    int dutyTotal = 0;
    for (int i = 10; i <= 19; ++i)
        dutyTotal += int(ParamTable[i]->Value);
    EXPECT_EQ(dutyTotal, 100);
    EXPECT_EQ(ParamTable[73]->Value, 1.0f);
}

TEST_F(ParamTableTest, EditTextsTakeTheirDecimalsFromTheScale)
{
    rtl::SetLocaleSource(rtl::FixedLocaleSource::UnitedStates());
    InitNumberSeparators();
    DefineAllParams();
    auto text = [](int n) { return FloatToGroupedText(DecimalsOfScale(ParamTable[n]->Scale), ParamTable[n]->Value); };
    EXPECT_EQ(text(20), "0.970");
    EXPECT_EQ(text(4), "10.00");
    EXPECT_EQ(text(5), "150.0");
    EXPECT_EQ(text(9), "12,000");
    rtl::SetLocaleSource(nullptr);
}

TEST(DecimalsOfScale, ScaleBands)
{
    const std::pair<float, int> cases[] = {{0.5f, 0}, {1, 0},    {2, 1},    {10, 1},    {11, 2},
                                           {100, 2},  {101, 3}, {1000, 3}, {1001, 4}, {20000, 4}};
    for (auto [scale, decimals] : cases)
        EXPECT_EQ(DecimalsOfScale(scale), decimals) << scale;
}

TEST_F(ParamTableTest, FaultyDefinitionsShowTheirMessageAndEndTheProgram)
{
    struct Case {
        float value, minValue, maxValue, scale;
        std::uint8_t kind;
        const char* message;
    };
    // Each case also trips every later check, so the first one that applies must win.
    const Case cases[] = {
        {5, 10, 10, 0, 2, "PARAMETER LIST ERROR MIN>=MAX LIST NO. :5"},
        {5, 20, 10, 1, 0, "PARAMETER LIST ERROR MIN>=MAX LIST NO. :5"},
        {50, 0, 10, 0, 2, "RANGE STEP LIST ERROR LIST NO. :5"},
        {50, 0, 10, 0.5f, 2, "RANGE STEP LIST ERROR LIST < 1 NO. :5"},
        {11, 0, 10, 1, 2, "DEFAULT not in Range LIST NO :5"},
        {-1, 0, 10, 1, 0, "DEFAULT not in Range LIST NO :5"},
        {5, 0, 10, 1, 2, "EDIT TYPE is not 0/1 LIST NO :5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const std::string message = DefinitionError(c.value, c.minValue, c.maxValue, c.scale, c.kind);
        EXPECT_EQ(message, c.message);
        dialogScript_ = win::ScriptedDialogs();
    }
}

TEST_F(ParamTableTest, NumberOutsideTheTablesIsADefinitionError)
{
    EXPECT_EQ(DefinitionError(5, 0, 10, 1, 0, 301), "PARAMETER NUMBER not in 1..300 LIST NO :301");
    dialogScript_ = win::ScriptedDialogs();
    EXPECT_EQ(DefinitionError(5, 0, 10, 1, 0, 0), "PARAMETER NUMBER not in 1..300 LIST NO :0");
}

TEST_F(ParamTableTest, The301stDefinitionExceedsTheTable)
{
    DefineAllParams();
    DefinedParamCount = 300;
    EXPECT_EQ(DefinitionError(5, 0, 10, 1, 0, 200), "Maximum number of parameters exceeded !");
    EXPECT_EQ(ParamTable[5]->Value, 150.0f) << "defined parameters are left alone";
}

TEST_F(ParamTableTest, NameAndUnitsAreCut)
{
    DefineParam(100, 'B', '2', 7, std::string(50, 'n'), "kilowatt-hours", 1, 0, 2, 1, 0, 1);
    EXPECT_EQ(ParamTable[100]->Name.Length(), 38);
    EXPECT_EQ(ParamTable[100]->Units, "kilowatt-h");
    EXPECT_EQ(ShadowParamTable[100]->Units, "kilowatt-h");
}

}  // namespace
