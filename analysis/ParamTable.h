#pragma once
// The project's numbered parameters. Every number that describes a project (schedule, energy cost,
// motor and drive data, duty cycle, control curves, custom-control switches, incentive type) is one
// record of ParamTable, defined once at start-up by DefineAllParams. ShadowParamTable receives a copy
// of every definition and keeps the defined values for the life of the program.

#include "platform/rtl/ShortString.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

namespace analysis {

inline constexpr int MaxParams = 300;

struct TParamRecord {
    std::uint16_t Number = 0;   // 1..MaxParams, also the record's index in the tables
    char Group = 0;             // 'A' for every defined parameter
    char GroupDigit = 0;        // '1' for every defined parameter
    std::uint16_t Id = 0;       // within the group; written "A1-" and two digits
    rtl::ShortString<38> Name;
    rtl::ShortString<10> Units;
    float Value = 0;
    float MinValue = 0;
    float MaxValue = 0;
    float Scale = 0;            // 1, 10, 100 or 1000: the decimals of the value's text
    std::uint8_t Kind = 0;      // 0 a number shown in an edit; 1 a list, the value being the item index
    std::uint8_t DefFlag = 0;
};

// Records by number, 1..MaxParams; an entry never defined is null. A number outside 1..MaxParams
// raises rtl::EInvalidArgument.
class TParamTable {
public:
    TParamRecord* operator[](int number) const { return records_[Checked(number)].get(); }
    void Set(int number, std::unique_ptr<TParamRecord> record) { records_[Checked(number)] = std::move(record); }
    void Clear();

private:
    static std::size_t Checked(int number);

    std::array<std::unique_ptr<TParamRecord>, MaxParams> records_;
};

extern TParamTable ParamTable;
extern TParamTable ShadowParamTable;
// Definitions made so far; code that walks the tables walks 1..DefinedParamCount.
extern std::int32_t DefinedParamCount;

// Defines one parameter in both tables. A faulty definition shows an error box naming the fault and
// the parameter number and ends the program (rtl::EndProgram); nothing is stored then.
void DefineParam(std::uint16_t number, char group, char groupDigit, std::uint16_t id, std::string_view name,
                 std::string_view units, float value, float minValue, float maxValue, float scale,
                 std::uint8_t kind, std::uint8_t defFlag);

// Defines parameters 1..73 in ascending order with their built-in values.
void DefineAllParams();

// Decimals of a value's text from its scale: 0 up to 1, 1 up to 10, 2 up to 100, 3 up to 1000, 4 above.
int DecimalsOfScale(float scale);

}  // namespace analysis
