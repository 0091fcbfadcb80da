#pragma once
// The lines of a project file as the reader judges them, one at a time: section headers, the values of
// the power, currency, application and incentive sections, parameter lines and the customer texts of
// [INFO]. Whatever a line gives is kept in the read state; the reader decides afterwards what of it
// reaches the program (ProjectFile.h).

#include "analysis/Globals.h"
#include "analysis/ParamTable.h"
#include "platform/rtl/ShortString.h"

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace shell {

// [INFO] keeps this many lines, each cut to InfoLineLength characters.
inline constexpr int MaxInfoLines = 14;
inline constexpr int InfoLineLength = 60;

enum class ProjectSection { None, FileInfo, Application, Incentive, Power, CurrencyMode, CustomCurrency, Data, Info };

enum class ProjectLineClass {
    SectionHeader,
    Taken,       // a value of the current section, now in the state
    Ignored,
    Parameter,   // a well-formed parameter line, parsed into ProjectReadState::Param
    LineError,   // a malformed parameter line; ProjectReadState::Param holds its group and Id
    Unplaced,    // a line of the group whose number is not written with three digits: its fields are
                 // not where the reader looks for them
};

// The values of the last parameter line.
struct ParamLine {
    int Number = 0;
    char Group = 0;
    char GroupDigit = 0;
    int Id = 0;
    std::string IdText;   // the Id's two characters as written
    double Value = 0;
};

// The reader's state for one read; a read starts from a fresh one.
struct ProjectReadState {
    ProjectSection Section = ProjectSection::None;
    // One bit per section (1 << ProjectSection) whose header the file has had.
    std::uint16_t HeadersRead = 0;
    bool ApplicationSeen = false;
    bool PowerSeen = false;
    bool CurrencyModeSeen = false;
    bool IncentiveSeen = false;
    int InfoCount = 0;
    bool Abort = false;
    int LineNumber = 0;
    ParamLine Param;
    // The parameters (by number) a line of the file gave a value, and the lines reported so far.
    std::bitset<analysis::MaxParams + 1> Received;
    int Reported = 0;
    // The parameters a parameter line named by its group and Id, well-formed or not, and the lines of the
    // group the reader could not place.
    std::bitset<analysis::MaxParams + 1> Named;
    int Unplaced = 0;
    rtl::ShortString<InfoLineLength> Buffer;   // the last custom-currency or info line copied

    // The project's settings as read so far. A read starts them from the program's values, so a section
    // that gives nothing leaves its setting as it was.
    bool PowerInKW = false;
    std::int32_t CurrencyMode = 0;
    rtl::ShortString<5> CustomCurrency;
    std::int32_t FileAppType = 0;
    analysis::OneBasedArray<rtl::ShortString<80>, 20> InfoLines;
};

// Judges one line (without its line break) in the current section and updates the state. Headers are
// matched with blanks trimmed and letters upper-cased, and so are the values of the power, currency
// mode and application sections; custom-currency and info lines are taken as they stand. Inside [INFO]
// only the header of a section the file has not had yet ends the section, so a hand-edited [INFO] need
// not come last; every other line, a header already read included, is text (the first MaxInfoLines
// are taken).
ProjectLineClass ClassifyProjectLine(std::string_view line, ProjectReadState& state);

// Whether the file has had the section's header so far.
bool HeaderRead(const ProjectReadState& state, ProjectSection section);

// Remove blanks (character 32 only) at the end or at the start.
std::string TrimTrailing(std::string_view text);
std::string TrimLeading(std::string_view text);

}  // namespace shell
