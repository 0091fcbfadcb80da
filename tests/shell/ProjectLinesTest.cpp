#include "shell/ProjectLines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using shell::ClassifyProjectLine;
using shell::MaxInfoLines;
using shell::ProjectLineClass;
using shell::ProjectReadState;
using shell::ProjectSection;

TEST(ProjectLines, TrimmingTouchesBlanksOnly)
{
    EXPECT_EQ(shell::TrimTrailing("  a b  "), "  a b");
    EXPECT_EQ(shell::TrimLeading("  a b  "), "a b  ");
    EXPECT_EQ(shell::TrimTrailing("a\t"), "a\t");
    EXPECT_EQ(shell::TrimLeading("\ta"), "\ta");
    EXPECT_EQ(shell::TrimTrailing("   "), "");
    EXPECT_EQ(shell::TrimLeading("   "), "");
}

TEST(ProjectLines, HeadersAreTrimmedAndMatchedInAnyCase)
{
    ProjectReadState state;
    EXPECT_EQ(ClassifyProjectLine("  [power]  ", state), ProjectLineClass::SectionHeader);
    EXPECT_EQ(state.Section, ProjectSection::Power);
    EXPECT_EQ(ClassifyProjectLine("[Data Rivuve Saver]", state), ProjectLineClass::SectionHeader);
    EXPECT_EQ(state.Section, ProjectSection::Data);
    // Any other text in brackets is an ordinary line of the current section.
    EXPECT_EQ(ClassifyProjectLine("[POWER ]", state), ProjectLineClass::Ignored);
    EXPECT_EQ(state.Section, ProjectSection::Data);
}

TEST(ProjectLines, SectionValues)
{
    struct Case {
        ProjectSection section;
        const char* line;
        ProjectLineClass result;
    };
    const Case cases[] = {
        {ProjectSection::Power, " Kw ", ProjectLineClass::Taken},
        {ProjectSection::Power, "hp", ProjectLineClass::Taken},
        {ProjectSection::Power, "", ProjectLineClass::Ignored},
        {ProjectSection::Power, "WATT", ProjectLineClass::Ignored},
        {ProjectSection::CurrencyMode, "3", ProjectLineClass::Taken},
        {ProjectSection::CurrencyMode, "4", ProjectLineClass::Ignored},
        {ProjectSection::CurrencyMode, "01", ProjectLineClass::Ignored},
        {ProjectSection::Application, "cooling tower", ProjectLineClass::Taken},
        {ProjectSection::Application, "COMPRESSOR", ProjectLineClass::Ignored},
        {ProjectSection::Incentive, "", ProjectLineClass::Taken},
        {ProjectSection::CustomCurrency, "  ", ProjectLineClass::Ignored},
        {ProjectSection::FileInfo, "KW", ProjectLineClass::Ignored},
        {ProjectSection::None, "P005=A1-05=x;", ProjectLineClass::Ignored},
    };
    for (const Case& c : cases) {
        ProjectReadState state;
        state.Section = c.section;
        EXPECT_EQ(ClassifyProjectLine(c.line, state), c.result) << c.line;
    }

    ProjectReadState state;
    state.Section = ProjectSection::Power;
    ClassifyProjectLine("kw", state);
    EXPECT_TRUE(state.PowerInKW && state.PowerSeen);
    state.Section = ProjectSection::Application;
    ClassifyProjectLine("Cooling Tower", state);
    EXPECT_TRUE(state.ApplicationSeen);
    EXPECT_EQ(state.FileAppType, 3);
    state.Section = ProjectSection::CustomCurrency;
    ClassifyProjectLine(" CHF pounds", state);
    ClassifyProjectLine("", state);
    EXPECT_EQ(state.CustomCurrency, " CHF ");   // the last non-blank line, as written, cut to 5
}

TEST(ProjectLines, ParameterLines)
{
    struct Case {
        const char* line;
        ProjectLineClass result;
        int number;
        double value;
    };
    const Case cases[] = {
        {"P005=A1-05=150.0;", ProjectLineClass::Parameter, 5, 150.0},
        {"  p073=a1-73=1;   ", ProjectLineClass::Parameter, 73, 1},
        {"P5:xxA1-05=-2;", ProjectLineClass::Parameter, 5, -2},     // ':' ends the number
        {"P005=A1-05#12345678;", ProjectLineClass::Parameter, 5, 12345678},   // position 11 is not examined
        {"P019=A1-19=0;", ProjectLineClass::Parameter, 19, 0},
        {"P005=A1-05=-0.25;", ProjectLineClass::Parameter, 5, -0.25},
        {"P005=A1-05=.5;", ProjectLineClass::Parameter, 5, 0.5},
        // Made of the accepted characters but not wholly a number.
        {"P005=A1-05=1.2.3;", ProjectLineClass::LineError, 0, 0},
        {"P005=A1-05=-;", ProjectLineClass::LineError, 0, 0},
        {"P005=A1-05=12-000;", ProjectLineClass::LineError, 0, 0},
        {"P005=A1-05=5-;", ProjectLineClass::LineError, 0, 0},
        {"P005=A1-05=--5;", ProjectLineClass::LineError, 0, 0},
        {"P005=A1-05=.;", ProjectLineClass::LineError, 0, 0},
        {"P100=A1-05=1;", ProjectLineClass::Parameter, 100, 1},
        {"P005=A1-05=150.0", ProjectLineClass::LineError, 0, 0},       // no ';'
        {"P000=A1-05=1;", ProjectLineClass::LineError, 0, 0},
        {"P=00=A1-05=1;", ProjectLineClass::LineError, 0, 0},         // no number at all
        {"P0055A1-05=1;", ProjectLineClass::LineError, 0, 0},         // a fifth character still a digit
        {"P0x5=A1-05=1;", ProjectLineClass::LineError, 0, 0},
        {"P005=A1-05=123456789;", ProjectLineClass::LineError, 0, 0},  // ';' after position 20
        {"P005=A1-05=12345678;", ProjectLineClass::Parameter, 5, 12345678},
        {"P005=A1-05=;", ProjectLineClass::LineError, 0, 0},
        {"P005=A1-05=1,5;", ProjectLineClass::LineError, 0, 0},
        {"P005=B2-05=1;", ProjectLineClass::Ignored, 0, 0},   // another group
        {"X005=A1-05=1;", ProjectLineClass::Ignored, 0, 0},
        {"P005=A1-5=1;", ProjectLineClass::Ignored, 0, 0},
        {"P005=A1-05", ProjectLineClass::Ignored, 0, 0},      // shorter than 12
        // A number of other than three digits moves the fields away from their positions.
        {"P0001=A1-01=24;", ProjectLineClass::Unplaced, 0, 0},
        {"P74=A1-74=1;", ProjectLineClass::Unplaced, 0, 0},
        {" p7:a1-07=1; ", ProjectLineClass::Unplaced, 0, 0},
        {"P74=B2-74=1;", ProjectLineClass::Ignored, 0, 0},    // another group
        {"P=A1-74=1;", ProjectLineClass::Ignored, 0, 0},
        {"P74=A1-7", ProjectLineClass::Ignored, 0, 0},
        {"", ProjectLineClass::Ignored, 0, 0},
    };
    for (const Case& c : cases) {
        ProjectReadState state;
        state.Section = ProjectSection::Data;
        EXPECT_EQ(ClassifyProjectLine(c.line, state), c.result) << c.line;
        if (c.result == ProjectLineClass::Parameter) {
            EXPECT_EQ(state.Param.Number, c.number) << c.line;
            EXPECT_EQ(state.Param.Value, c.value) << c.line;
            EXPECT_EQ(state.Param.Group, 'A');
            EXPECT_EQ(state.Param.GroupDigit, '1');
        }
    }

    ProjectReadState state;
    state.Section = ProjectSection::Data;
    ClassifyProjectLine("P005=A1-07=1;", state);
    EXPECT_EQ(state.Param.Id, 7);
    EXPECT_EQ(state.Param.IdText, "07");
}

TEST(ProjectLines, InfoTakesLinesVerbatimUpToTheLimit)
{
    ProjectReadState state;
    ClassifyProjectLine("[POWER]", state);
    ClassifyProjectLine("[INFO]", state);
    EXPECT_EQ(ClassifyProjectLine("", state), ProjectLineClass::Taken);
    // A company may be called so: the file had its power section already.
    EXPECT_EQ(ClassifyProjectLine("[POWER]", state), ProjectLineClass::Taken);
    EXPECT_EQ(state.Section, ProjectSection::Info);
    ClassifyProjectLine("  " + std::string(70, 'x'), state);
    EXPECT_EQ(ClassifyProjectLine(" [info]", state), ProjectLineClass::Taken);
    for (int i = 5; i <= 14; ++i)
        ClassifyProjectLine("line " + std::to_string(i), state);
    EXPECT_EQ(ClassifyProjectLine("line 15", state), ProjectLineClass::Ignored);
    EXPECT_EQ(ClassifyProjectLine("[POWER]", state), ProjectLineClass::Ignored);
    EXPECT_EQ(state.InfoCount, 14);
    EXPECT_EQ(state.InfoLines[1], "");
    EXPECT_EQ(state.InfoLines[2], "[POWER]");
    EXPECT_EQ(state.InfoLines[3], "  " + std::string(58, 'x'));
    EXPECT_EQ(state.InfoLines[4], " [info]");
    EXPECT_EQ(state.InfoLines[14], "line 14");
    EXPECT_TRUE(state.InfoLines[15].Empty());
    EXPECT_EQ(state.Section, ProjectSection::Info);
    EXPECT_FALSE(state.PowerSeen);
}

// A hand-edited file need not keep [INFO] last: the header of a section it has not had yet ends [INFO],
// before the limit of lines as after it.
TEST(ProjectLines, InfoEndsAtTheHeaderOfASectionNotYetRead)
{
    for (int lines : {1, MaxInfoLines + 2}) {
        SCOPED_TRACE(lines);
        ProjectReadState state;
        ClassifyProjectLine("[INFO]", state);
        for (int i = 1; i <= lines; ++i)
            ClassifyProjectLine("line " + std::to_string(i), state);
        EXPECT_EQ(ClassifyProjectLine("  [Power] ", state), ProjectLineClass::SectionHeader);
        EXPECT_EQ(ClassifyProjectLine("kw", state), ProjectLineClass::Taken);
        EXPECT_TRUE(state.PowerSeen);
        EXPECT_TRUE(state.PowerInKW);
        EXPECT_EQ(state.InfoCount, std::min(lines, MaxInfoLines));
        EXPECT_EQ(state.InfoLines[1], "line 1");
        // Outside [INFO] a header read before opens its section again, as it always did.
        EXPECT_EQ(ClassifyProjectLine("[INFO]", state), ProjectLineClass::SectionHeader);
        EXPECT_EQ(state.Section, ProjectSection::Info);
    }
}

}  // namespace
