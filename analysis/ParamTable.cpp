#include "analysis/ParamTable.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/ProgramEnd.h"
#include "platform/services/DialogService.h"

#include <string>

namespace analysis {

TParamTable ParamTable;
TParamTable ShadowParamTable;
std::int32_t DefinedParamCount = 0;

void TParamTable::Clear()
{
    for (auto& record : records_)
        record.reset();
}

std::size_t TParamTable::Checked(int number)
{
    if (number < 1 || number > MaxParams)
        throw rtl::EInvalidArgument("Parameter number " + std::to_string(number) + " is outside 1.." +
                                    std::to_string(MaxParams));
    return std::size_t(number - 1);
}

namespace {

[[noreturn]] void DefinitionError(const std::string& message)
{
    win::MessageBox(message, "Error", win::MB_OK | win::MB_ICONERROR);
    rtl::EndProgram(1);
}

void CheckDefinition(const TParamRecord& record)
{
    const std::string number = rtl::IntToStr(record.Number);
    if (!(record.MinValue < record.MaxValue))
        DefinitionError("PARAMETER LIST ERROR MIN>=MAX LIST NO. :" + number);
    if (record.Scale == 0)
        DefinitionError("RANGE STEP LIST ERROR LIST NO. :" + number);
    if (record.Scale < 1)
        DefinitionError("RANGE STEP LIST ERROR LIST < 1 NO. :" + number);
    if (record.Value < record.MinValue || record.Value > record.MaxValue)
        DefinitionError("DEFAULT not in Range LIST NO :" + number);
    if (record.Kind > 1)
        DefinitionError("EDIT TYPE is not 0/1 LIST NO :" + number);
    // The tables have no entry for such a number; storing it would write outside them.
    if (record.Number < 1 || record.Number > MaxParams)
        DefinitionError("PARAMETER NUMBER not in 1.." + rtl::IntToStr(MaxParams) + " LIST NO :" + number);
}

}  // namespace

void DefineParam(std::uint16_t number, char group, char groupDigit, std::uint16_t id, std::string_view name,
                 std::string_view units, float value, float minValue, float maxValue, float scale,
                 std::uint8_t kind, std::uint8_t defFlag)
{
    ++DefinedParamCount;
    if (DefinedParamCount > MaxParams)
        DefinitionError("Maximum number of parameters exceeded !");

    auto record = std::make_unique<TParamRecord>();
    record->Number = number;
    record->Group = group;
    record->GroupDigit = groupDigit;
    record->Id = id;
    record->Name = name;
    record->Units = units;
    record->Value = value;
    record->MinValue = minValue;
    record->MaxValue = maxValue;
    record->Scale = scale;
    record->Kind = kind;
    record->DefFlag = defFlag;
    CheckDefinition(*record);

    ShadowParamTable.Set(number, std::make_unique<TParamRecord>(*record));
    ParamTable.Set(number, std::move(record));
}

namespace {

struct Definition {
    float value, minValue, maxValue, scale;
    std::uint8_t kind = 0;
    std::uint8_t defFlag = 1;
};

// Parameters 1..73 in order: schedule, energy cost, motor, drive, incentive, duty cycle, the six
// control curves, the custom-control switches and the incentive type.
const Definition kDefinitions[] = {
    {24, 1, 24, 1},          // 1 hours per day
    {7, 1, 7, 1},            // 2 days per week
    {52, 1, 52, 1},          // 3 weeks per year
    {10, 0, 100, 100},       // 4 cost per kWh in the hundredth currency unit
    {150, 0.2f, 5000, 10},   // 5 motor power, kW or HP
    {95, 50, 100, 10},       // 6 motor efficiency, percent
    {97, 50, 100, 10, 0, 10},   // 7 drive efficiency, percent (hidden edit)
    {0, 0, 100, 10},         // 8 incentive per kW or HP
    {12000, 0, 1000000, 1},  // 9 drive cost
    // 10..19 duty cycle at 100 % .. 10 % flow, percent of the time
    {1, 0, 100, 1}, {2, 0, 100, 1}, {9, 0, 100, 1}, {17, 0, 100, 1}, {24, 0, 100, 1},
    {17, 0, 100, 1}, {13, 0, 100, 1}, {11, 0, 100, 1}, {6, 0, 100, 1}, {0, 0, 100, 1},
    {0.97f, 0, 1, 1000},     // 20 drive efficiency as a fraction
    // 21..30 outlet damper curve
    {1.0f, 0, 1, 1000}, {0.7683f, 0, 1, 1000}, {0.573f, 0, 1, 1000}, {0.4098f, 0, 1, 1000},
    {0.2789f, 0, 1, 1000}, {0.1767f, 0, 1, 1000}, {0.1012f, 0, 1, 1000}, {0.049f, 0, 1, 1000},
    {0.0179f, 0, 1, 1000}, {0.0033f, 0, 1, 1000},
    // 31..40 inlet vane curve
    {1.0f, 0, 1, 1000}, {0.81f, 0, 1, 1000}, {0.64f, 0, 1, 1000}, {0.49f, 0, 1, 1000},
    {0.36f, 0, 1, 1000}, {0.25f, 0, 1, 1000}, {0.16f, 0, 1, 1000}, {0.091f, 0, 1, 1000},
    {0.04f, 0, 1, 1000}, {0.0104f, 0, 1, 1000},
    // 41..50 throttling valve curve: the outlet damper's values
    {1.0f, 0, 1, 1000}, {0.7683f, 0, 1, 1000}, {0.573f, 0, 1, 1000}, {0.4098f, 0, 1, 1000},
    {0.2789f, 0, 1, 1000}, {0.1767f, 0, 1, 1000}, {0.1012f, 0, 1, 1000}, {0.049f, 0, 1, 1000},
    {0.0179f, 0, 1, 1000}, {0.0033f, 0, 1, 1000},
    // 51..60 custom control 1 curve
    {1, 0, 1, 1000}, {1, 0, 1, 1000}, {1, 0, 1, 1000}, {1, 0, 1, 1000}, {1, 0, 1, 1000},
    {1, 0, 1, 1000}, {1, 0, 1, 1000}, {1, 0, 1, 1000}, {1, 0, 1, 1000}, {1, 0, 1, 1000},
    // 61..70 custom control 2 curve
    {1, 0, 1, 1000}, {1, 0, 1, 1000}, {1, 0, 1, 1000}, {1, 0, 1, 1000}, {1, 0, 1, 1000},
    {1, 0, 1, 1000}, {1, 0, 1, 1000}, {1, 0, 1, 1000}, {1, 0, 1, 1000}, {1, 0, 1, 1000},
    {0, 0, 1, 1, 1},         // 71 custom control 1 compared: 0 "Disabled", 1 "Enabled"
    {0, 0, 1, 1, 1},         // 72 custom control 2 compared
    {1, 0, 1, 1},            // 73 incentive type: 1 one-time, 0 yearly
};
static_assert(std::size(kDefinitions) == 73);

}  // namespace

void DefineAllParams()
{
    std::uint16_t number = 0;
    for (const Definition& d : kDefinitions) {
        ++number;
        DefineParam(number, 'A', '1', number, "", "", d.value, d.minValue, d.maxValue, d.scale, d.kind, d.defFlag);
    }
}

int DecimalsOfScale(float scale)
{
    if (scale > 1000)
        return 4;
    if (scale > 100)
        return 3;
    if (scale > 10)
        return 2;
    if (scale > 1)
        return 1;
    return 0;
}

}  // namespace analysis
