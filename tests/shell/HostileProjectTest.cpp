// Project files made to hurt the reader, opened with the Open command over a project whose values are
// others: each is read to its end, refused with the messages of what it lacks, or opened with the one
// report of the parameters it does not give, which then have their built-in values.

#include "tests/shell/ProjectFixture.h"

#include "platform/services/Sound.h"
#include "tests/support/HostileProjects.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace shell_test;
using analysis::ParamTable;

// What an open left in the program.
struct Reading {
    std::vector<float> values;   // parameters 1..73
    std::vector<std::string> infoLines;
    bool powerInKW = false;
    int currencyMode = 0;
    std::string customCurrency;
    int fileAppType = 0;

    static Reading Now()
    {
        Reading reading;
        for (int i = 1; i <= analysis::DefinedParamCount; ++i)
            reading.values.push_back(ParamTable[i]->Value);
        for (int i = 1; i <= 20; ++i)
            reading.infoLines.push_back(analysis::InfoLines[i].Str());
        reading.powerInKW = analysis::PowerInKW;
        reading.currencyMode = analysis::CurrencyMode;
        reading.customCurrency = analysis::CustomCurrency.Str();
        reading.fileAppType = analysis::FileAppType;
        return reading;
    }
    bool operator==(const Reading&) const = default;
};

class HostileProject : public ProjectTest {
protected:
    std::string Write(const std::string& text)
    {
        scratch.WriteFile("project.kvx", text);
        return scratch.Path("project.kvx");
    }
    // The project open before: its motor power and drive cost are neither the file's nor the built-in ones.
    void OpenPrevious()
    {
        dialogs = win::ScriptedDialogs();
        ParamTable[5]->Value = 300;
        ParamTable[9]->Value = 20000;
    }
};

TEST_F(HostileProject, EachIsReadOrRefusedWithItsMessages)
{
    // Motor power 200 and drive cost 5,000, not the built-in 150 and 12,000.
    const std::string project = testsupport::ReadBytes(Fixture("motor-200.kvx"));
    ASSERT_TRUE(Open(Write(project)));
    ASSERT_EQ(MessageTexts(), std::vector<std::string>{});
    const Reading whole = Reading::Now();
    ASSERT_EQ(whole.values[4], 200);
    ASSERT_EQ(whole.values[8], 5000);

    const std::string incomplete = " ! They take their default values.";
    struct Expected {
        bool opened;
        std::vector<std::string> messages;
        bool asWhole;       // every value, setting and customer text as the well-formed file gives them
        float motorPower;   // parameter 5
        float driveCost;    // parameter 9
    };
    const std::map<std::string, Expected> expected = {
        {"1 MiB of CRs",
         {false,
          {"Application Information is Missing! Unable to load this file.",
           "Power Mode Information is Missing! Unable to load this file.",
           "Currency Mode Information is Missing! Unable to load this file.",
           "Parameter Information is Missing! Unable to load this file."},
          false, 300, 20000}},
        {"mixed line ends", {true, {}, true, 200, 5000}},
        {"a valid file and a CR tail", {true, {}, true, 200, 5000}},
        {"cut after P004", {true, {"Missing parameters : 69" + incomplete}, false, 150, 12000}},
        {"cut in the head of P040", {true, {"Missing parameters : 34" + incomplete}, false, 200, 5000}},
        // The line cut in its value is reported for itself and not counted again.
        {"cut in the value of P040",
         {true, {"Error in line : 65 !", "Missing parameters : 33" + incomplete}, false, 200, 5000}},
        {"no parameter line", {true, {"Missing parameters : 73" + incomplete}, false, 150, 12000}},
    };
    const std::vector<testsupport::HostileProject> files =
        testsupport::HostileProjects(project, size_t(shell::MaxProjectFileSize));
    ASSERT_EQ(files.size(), expected.size());
    for (const testsupport::HostileProject& file : files) {
        SCOPED_TRACE(file.name);
        ASSERT_LE(file.bytes.size(), size_t(shell::MaxProjectFileSize));
        const Expected& e = expected.at(file.name);
        OpenPrevious();
        EXPECT_EQ(Open(Write(file.bytes)), e.opened);
        EXPECT_EQ(MessageTexts(), e.messages);
        EXPECT_EQ(ParamTable[5]->Value, e.motorPower);
        EXPECT_EQ(ParamTable[9]->Value, e.driveCost);
        if (e.asWhole) {
            EXPECT_TRUE(Reading::Now() == whole);
        }
    }
}

TEST_F(HostileProject, TheReportOfMissingParametersIsALineReport)
{
    const std::string cut = testsupport::ReadBytes(Fixture("cut-after-p004.kvx"));
    const std::string path = Write(cut);
    // Once per Open, with the line error's beep and buttons, and counted as a reported line.
    OpenPrevious();
    win::ClearSoundLog();
    int reported = 0;
    EXPECT_TRUE(shell::OpenProjectFile(path, windows, TranslationTexts(), &reported));
    ASSERT_EQ(dialogs.Asked().size(), 1u);
    EXPECT_EQ(dialogs.Asked()[0].type, unsigned(win::MB_OKCANCEL | win::MB_ICONQUESTION));
    EXPECT_EQ(win::SoundLog().size(), 1u);
    EXPECT_EQ(reported, 1);

    // A recent file (the live pass alone) reports it too.
    OpenPrevious();
    EXPECT_TRUE(Load(path, shell::LoadMode::Live));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Missing parameters : 69 ! They take their default values."});
    EXPECT_EQ(ParamTable[5]->Value, 150);

    // Cancel refuses the file before the live table changes.
    OpenPrevious();
    dialogs.Answer(win::IDCANCEL);
    EXPECT_FALSE(Open(path));
    EXPECT_EQ(ParamTable[5]->Value, 300);
    EXPECT_EQ(ParamTable[9]->Value, 20000);
}

// Lines of the group whose number has other than three digits are counted in the same report; lines of
// another group stay unread without a word.
TEST_F(HostileProject, LinesThatCannotBePlacedAreCountedInTheReport)
{
    std::string text = testsupport::ReadBytes(Fixture("default-fan.kvx"));
    const auto replace = [&text](const std::string& from, const std::string& to) {
        text.replace(text.find(from), from.size(), to);
    };
    replace("P001=A1-01=24;", "P0001=A1-01=24;");
    replace("P073=A1-73=1;", "P073=A1-73=1;\r\nP74=A1-74=1;\r\nP1=B2-01=1;");
    OpenPrevious();
    EXPECT_TRUE(Open(Write(text)));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Missing parameters : 1 ! They take their default values.\n"
                                                       "Parameter lines that cannot be read : 2 !"});

    // With nothing missing the report names the lines alone.
    replace("P0001=A1-01=24;", "P001=A1-01=24;");
    OpenPrevious();
    EXPECT_TRUE(Open(Write(text)));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Parameter lines that cannot be read : 1 !"});
}

}  // namespace
