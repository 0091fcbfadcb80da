#include "shell/ProjectLines.h"

#include "platform/rtl/Numbers.h"
#include "platform/rtl/StringUtils.h"

namespace shell {

namespace {

struct SectionHeader {
    std::string_view text;
    ProjectSection section;
};

constexpr SectionHeader kHeaders[] = {
    {"[DATA RIVUVE SAVER]", ProjectSection::Data},
    {"[APPLICATION]", ProjectSection::Application},
    {"[INCENTIVE]", ProjectSection::Incentive},
    {"[FILE INFO]", ProjectSection::FileInfo},
    {"[INFO]", ProjectSection::Info},
    {"[POWER]", ProjectSection::Power},
    {"[CURRENCY MODE]", ProjectSection::CurrencyMode},
    {"[CUSTOM CURRENCY]", ProjectSection::CustomCurrency},
};

// The section whose header the working copy of a line is; null when it is none.
const ProjectSection* HeaderSection(std::string_view work)
{
    for (const SectionHeader& header : kHeaders)
        if (work == header.text)
            return &header.section;
    return nullptr;
}

std::uint16_t SectionBit(ProjectSection section)
{
    return std::uint16_t(1u << unsigned(section));
}

// A parameter line: "P", the number, "=", group letter, group digit, "-", two-digit Id, "=", the value
// and ";" (1-based positions: the value from 12, the ";" at 20 at the latest).
constexpr size_t kMinParamLength = 12;
constexpr size_t kValueStart = 11;      // 0-based index of position 12
constexpr size_t kLastSemicolon = 19;   // 0-based index of position 20
constexpr size_t kLastNumberEnd = 4;    // 0-based index of position 5

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Group letter, group digit, "-" and a two-digit Id of the reader's own group.
bool IsOwnGroupAndId(std::string_view fields)
{
    return fields.size() >= 5 && fields[0] == 'A' && fields[1] == '1' && fields[2] == '-' && IsDigit(fields[3]) &&
           IsDigit(fields[4]);
}

// Lines of another group, or not parameter lines at all, are passed over without a word.
bool IsOwnParamLine(std::string_view work)
{
    return work.size() >= kMinParamLength && work[0] == 'P' && IsOwnGroupAndId(work.substr(5));
}

// "P74=A1-74=1;" or "P0001=A1-01=24;": meant as a line of the group, but the number's width moves every
// field away from the positions the reader takes them from.
bool IsUnplacedParamLine(std::string_view work)
{
    size_t end = 1;
    while (end < work.size() && IsDigit(work[end]))
        ++end;
    if (work.empty() || work[0] != 'P' || end == 1 || end == kLastNumberEnd || end == work.size())
        return false;
    const char separator = work[end];
    return (separator == ',' || separator == ':' || separator == '=') && IsOwnGroupAndId(work.substr(end + 1));
}

// False for a line error.
bool ParseParamLine(std::string_view work, ParamLine& param)
{
    param.Group = work[5];
    param.GroupDigit = work[6];
    param.IdText = std::string(work.substr(8, 2));
    param.Id = (work[8] - '0') * 10 + (work[9] - '0');

    std::string number;
    for (size_t i = 1;; ++i) {
        const char c = work[i];
        if (c == ',' || c == ':' || c == '=')
            break;
        if (!IsDigit(c) || i == kLastNumberEnd)
            return false;
        number += c;
    }

    std::string value;
    for (size_t i = kValueStart;; ++i) {
        if (i >= work.size() || i > kLastSemicolon)
            return false;
        const char c = work[i];
        if (c == ';')
            break;
        if (!IsDigit(c) && c != '-' && c != '.')
            return false;
        value += c;
    }
    if (value.empty())
        return false;

    param.Number = number.empty() ? 0 : std::stoi(number);
    if (param.Number == 0)
        return false;
    // A value text of the accepted characters that is no number ("1.2.3", "-", "12-000") would read as
    // 0 or as its first digits and open the project with a figure nobody wrote.
    int errorPos;
    param.Value = rtl::ValFloat(value, errorPos);
    return errorPos == 0;
}

ProjectLineClass TakeInfoLine(std::string_view line, ProjectReadState& state)
{
    state.Buffer = line.substr(0, InfoLineLength);
    ++state.InfoCount;
    state.InfoLines[state.InfoCount] = state.Buffer.View();
    return ProjectLineClass::Taken;
}

ProjectLineClass JudgeInSection(std::string_view line, const std::string& work, ProjectReadState& state)
{
    switch (state.Section) {
    case ProjectSection::Power:
        if (work != "KW" && work != "HP")
            return ProjectLineClass::Ignored;
        state.PowerInKW = work == "KW";
        state.PowerSeen = true;
        return ProjectLineClass::Taken;
    case ProjectSection::CurrencyMode:
        if (work.size() != 1 || work[0] < '0' || work[0] > '3')
            return ProjectLineClass::Ignored;
        state.CurrencyMode = work[0] - '0';
        state.CurrencyModeSeen = true;
        return ProjectLineClass::Taken;
    case ProjectSection::CustomCurrency:
        state.Buffer = line.substr(0, InfoLineLength);
        if (work.empty())
            return ProjectLineClass::Ignored;
        state.CustomCurrency = state.Buffer.View();
        return ProjectLineClass::Taken;
    case ProjectSection::Application:
        if (work == "FAN")
            state.FileAppType = 1;
        else if (work == "PUMP")
            state.FileAppType = 2;
        else if (work == "COOLING TOWER")
            state.FileAppType = 3;
        else
            return ProjectLineClass::Ignored;
        state.ApplicationSeen = true;
        return ProjectLineClass::Taken;
    case ProjectSection::Incentive:
        state.IncentiveSeen = true;
        return ProjectLineClass::Taken;
    case ProjectSection::Data:
        if (!IsOwnParamLine(work))
            return IsUnplacedParamLine(work) ? ProjectLineClass::Unplaced : ProjectLineClass::Ignored;
        return ParseParamLine(work, state.Param) ? ProjectLineClass::Parameter : ProjectLineClass::LineError;
    case ProjectSection::None:
    case ProjectSection::Info:   // ClassifyProjectLine judges its lines
    case ProjectSection::FileInfo:
        break;
    }
    return ProjectLineClass::Ignored;
}

}  // namespace

ProjectLineClass ClassifyProjectLine(std::string_view line, ProjectReadState& state)
{
    const std::string work = rtl::UpperCase(TrimLeading(TrimTrailing(line)));
    const ProjectSection* header = HeaderSection(work);
    // A customer text is the user's to choose: one that looks like a header the file already had (the
    // writer puts every other section before [INFO]) stays text.
    if (state.Section == ProjectSection::Info && !(header && !HeaderRead(state, *header))) {
        if (state.InfoCount < MaxInfoLines)
            return TakeInfoLine(line, state);
        return ProjectLineClass::Ignored;
    }
    if (header) {
        state.Section = *header;
        state.HeadersRead |= SectionBit(*header);
        return ProjectLineClass::SectionHeader;
    }
    return JudgeInSection(line, work, state);
}

bool HeaderRead(const ProjectReadState& state, ProjectSection section)
{
    return (state.HeadersRead & SectionBit(section)) != 0;
}

std::string TrimTrailing(std::string_view text)
{
    const size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string TrimLeading(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

}  // namespace shell
