#include "tests/shell/ProjectFixture.h"

#include "platform/rtl/Exceptions.h"
#include "platform/registry/Registry.h"
#include "platform/services/Sound.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace {

using namespace shell_test;
using analysis::ParamTable;
using shell::LoadMode;

class ProjectReader : public ProjectTest {
protected:
    // The default fan project with whole lines replaced ("" removes the line's text, not the line).
    std::string Project(std::initializer_list<std::pair<std::string, std::string>> replacements = {}) const
    {
        std::string text = testsupport::ReadBytes(Fixture("default-fan.kvx"));
        for (const auto& [from, to] : replacements) {
            const std::string line = "\r\n" + from + "\r\n";
            const size_t at = text.find(line);
            EXPECT_NE(at, std::string::npos) << from;
            if (at != std::string::npos)
                text.replace(at, line.size(), "\r\n" + to + "\r\n");
        }
        return text;
    }
    std::string Write(const std::string& text)
    {
        scratch.WriteFile("project.kvx", text);
        return scratch.Path("project.kvx");
    }
    std::string RegistryValue(const std::string& item)
    {
        win::TRegIniFile store("SOFTWARE\\PELLAWINSBRY\\ZEL\\SETUP");
        return store.ReadString("PROGRAM", item, "absent");
    }
    static std::string Param(int number, const std::string& field)
    {
        char head[16];
        std::snprintf(head, sizeof head, "P%03d=A1-%02d=", number, number);
        return head + field + std::string(15 - field.size(), ' ') + "       ";
    }
};

TEST_F(ProjectReader, ReadsBackWhatWasSaved)
{
    windows.customer = {"Jane Roe", "", "  Example Mills", "[INFO]", "AB1 2CD", "Utopia", "1", "2", "j@x", "Fan 3"};
    windows.titles = {"Booster", "Bypass"};
    // A value that the scale's decimals (1 and 3) would change gets one decimal more, no more.
    ParamTable[5]->Value = 123.456f;
    ParamTable[20]->Value = 0.9512f;
    ParamTable[21]->Value = 0.95123f;
    ParamTable[73]->Value = 0;
    analysis::PowerInKW = true;
    analysis::CurrencyMode = 3;
    analysis::CustomCurrency = "CHF";
    ASSERT_TRUE(Save("saved.kvx"));

    const FieldWindows written = windows;
    windows = FieldWindows();
    analysis::DefineAllParams();   // built-in values again
    analysis::PowerInKW = false;
    analysis::CurrencyMode = 1;
    analysis::CustomCurrency = "-";
    ASSERT_TRUE(Open(scratch.Path("saved.kvx")));

    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Estimation Saved!"});
    EXPECT_EQ(ParamTable[5]->Value, 123.46f);
    EXPECT_EQ(ParamTable[20]->Value, 0.9512f);
    EXPECT_EQ(ParamTable[21]->Value, 0.9512f);
    EXPECT_EQ(ParamTable[73]->Value, 0);
    EXPECT_EQ(ParamTable[9]->Value, 12000);
    EXPECT_TRUE(analysis::PowerInKW);
    EXPECT_EQ(analysis::CurrencyMode, 3);
    EXPECT_EQ(analysis::CustomCurrency, "CHF");
    EXPECT_EQ(analysis::FileAppType, 1);
    EXPECT_EQ(windows.customer, written.customer);
    EXPECT_EQ(analysis::Custom1Title, "Booster");
    EXPECT_EQ(analysis::Custom2Title, "Bypass");
    EXPECT_EQ(analysis::CurrencySymbol, "CHF");
    EXPECT_EQ(analysis::CurrencySubunit, "CHF/100");
    EXPECT_EQ(windows.currencyChecks, std::vector{shell::CurrencyButton::CUR004});
    EXPECT_EQ(windows.customCurrencyEdit, "CHF");
    EXPECT_EQ(windows.powerChecks, std::vector{shell::PowerButton::KW});
    EXPECT_EQ(RegistryValue("PS"), "1");
    EXPECT_EQ(RegistryValue("CS"), "3");
    EXPECT_EQ(RegistryValue("CC"), "CHF");
}

TEST_F(ProjectReader, CheckPassStoresNothing)
{
    const std::string path = Write(Project({{"FAN", "PUMP"},
                                            {"HP", "KW"},
                                            {"1", "2"},
                                            {"-", "EUR"},
                                            {Param(5, "150.0;"), Param(5, "300.0;")},
                                            {Param(1, "24;"), Param(1, "8;")},
                                            {"Jane Roe", "Someone Else"}}));
    analysis::InfoLines[1] = "kept";
    analysis::FileAppType = 1;
    EXPECT_TRUE(Load(path, LoadMode::Check));

    EXPECT_TRUE(dialogs.Asked().empty());
    EXPECT_EQ(ParamTable[5]->Value, 150);
    EXPECT_EQ(analysis::ShadowParamTable[5]->Value, 150);
    EXPECT_EQ(analysis::ShadowParamTable[1]->Value, 24);
    EXPECT_FALSE(analysis::PowerInKW);
    EXPECT_EQ(analysis::CurrencyMode, 1);
    EXPECT_EQ(analysis::CustomCurrency, "-");
    EXPECT_EQ(analysis::FileAppType, 1);
    EXPECT_EQ(analysis::InfoLines[1], "kept");
    EXPECT_TRUE(windows.currencyChecks.empty() && windows.powerChecks.empty());
    EXPECT_EQ(windows.customer[0], "");
    EXPECT_EQ(RegistryValue("PS"), "absent");

    // The live pass then takes it all.
    EXPECT_TRUE(Load(path, LoadMode::Live));
    EXPECT_EQ(ParamTable[5]->Value, 300);
    EXPECT_EQ(ParamTable[1]->Value, 8);
    EXPECT_TRUE(analysis::PowerInKW);
    EXPECT_EQ(analysis::CurrencyMode, 2);
    EXPECT_EQ(analysis::CustomCurrency, "EUR");
    EXPECT_EQ(analysis::FileAppType, 2);
    EXPECT_EQ(analysis::InfoLines[1], "Someone Else");
    EXPECT_EQ(analysis::CurrencySymbol, "\xA3");
    EXPECT_EQ(analysis::CurrencySubunit, "Pence");
}

TEST_F(ProjectReader, SettingsAreReadInAnyCaseBetweenBlanks)
{
    const std::string path = Write(Project({{"[POWER]", "   [power]  "}, {"HP", " Kw"}, {"FAN", "cooling tower"}}));
    EXPECT_TRUE(Open(path));
    EXPECT_TRUE(dialogs.Asked().empty());
    EXPECT_TRUE(analysis::PowerInKW);
    EXPECT_EQ(analysis::FileAppType, 3);
}

TEST_F(ProjectReader, CurrencyModesFillSymbolSubunitAndButtons)
{
    struct Case {
        const char* mode;
        const char* symbol;
        const char* subunit;
        shell::CurrencyButton button;
    };
    const Case cases[] = {
        {"0", "\x80", "Cents", shell::CurrencyButton::CUR001},
        {"1", "$", "Cents", shell::CurrencyButton::CUR002},
        {"2", "\xA3", "Pence", shell::CurrencyButton::CUR003},
        {"3", "-", "-/100", shell::CurrencyButton::CUR004},
    };
    for (const Case& c : cases) {
        windows = FieldWindows();
        EXPECT_TRUE(Open(Write(Project({{"1", c.mode}}))));
        EXPECT_EQ(analysis::CurrencySymbol, c.symbol);
        EXPECT_EQ(analysis::CurrencySubunit, c.subunit);
        EXPECT_EQ(windows.currencyChecks, std::vector{c.button});
        EXPECT_EQ(windows.customCurrencyEdit, c.button == shell::CurrencyButton::CUR004 ? "-" : "unset");
        EXPECT_EQ(windows.powerChecks, std::vector{shell::PowerButton::HP});
        EXPECT_EQ(RegistryValue("CS"), c.mode);
        EXPECT_EQ(RegistryValue("PS"), "0");
    }
}

TEST_F(ProjectReader, MissingSectionsAreReportedInOrder)
{
    EXPECT_FALSE(Open(Fixture("currency-mode-4.kvx")));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Currency Mode Information is Missing! Unable to load this file."});
    EXPECT_EQ(dialogs.Asked()[0].type, unsigned(win::MB_OK | win::MB_ICONERROR));

    dialogs = win::ScriptedDialogs();
    // Inside [INFO] the header of a section read before is a customer text.
    EXPECT_FALSE(Load(Write("[APPLICATION]\r\n[INFO]\r\n[APPLICATION]\r\nFAN\r\n"), LoadMode::Live));
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{
                                  "Application Information is Missing! Unable to load this file.",
                                  "Power Mode Information is Missing! Unable to load this file.",
                                  "Currency Mode Information is Missing! Unable to load this file.",
                                  "Parameter Information is Missing! Unable to load this file.",
                              }));
}

TEST_F(ProjectReader, MissingIncentiveMeansAYearlyIncentive)
{
    ASSERT_EQ(ParamTable[73]->Value, 1);
    EXPECT_TRUE(Open(Write(Project({{"[INCENTIVE]", ""}}))));
    EXPECT_TRUE(dialogs.Asked().empty());
    EXPECT_EQ(ParamTable[73]->Value, 0);
}

// An out-of-range value is reported once, as such, and the parameter takes its built-in value rather
// than the one of the project open before.
TEST_F(ProjectReader, ValueOutOfRangeIsReportedOnceAndTakesTheBuiltInValue)
{
    ParamTable[5]->Value = 300;
    EXPECT_TRUE(Open(Write(Project({{Param(5, "150.0;"), "P005=A1-05=20000.0;"}}))));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Parameter A1-05 out of range !"});
    EXPECT_EQ(dialogs.Asked()[0].type, unsigned(win::MB_OKCANCEL | win::MB_ICONERROR));
    EXPECT_EQ(ParamTable[5]->Value, 150);
}

TEST_F(ProjectReader, LineErrorsNameTheLine)
{
    // Parameter 5 is line 30 of the file.
    const char* lines[] = {"P005=A1-05=150.0", "P000=A1-05=1;", "P005=A1-05=123456789;"};
    for (const char* line : lines) {
        for (LoadMode mode : {LoadMode::Check, LoadMode::Live}) {
            dialogs = win::ScriptedDialogs();
            win::ClearSoundLog();
            EXPECT_TRUE(Load(Write(Project({{Param(5, "150.0;"), line}})), mode)) << line;
            EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Error in line : 30 !"}) << line;
            EXPECT_EQ(dialogs.Asked()[0].type, unsigned(win::MB_OKCANCEL | win::MB_ICONQUESTION));
            // The box comes with the default beep.
            ASSERT_EQ(win::SoundLog().size(), 1u);
            EXPECT_EQ(win::SoundLog()[0].beepType, unsigned(win::MB_OK));
        }
    }
}

TEST_F(ProjectReader, NumberBeyondTheTableIsReportedInTheLivePassOnly)
{
    const std::string path = Write(Project({{Param(5, "150.0;"), "P100=A1-05=1;"}}));
    EXPECT_TRUE(Load(path, LoadMode::Check));
    EXPECT_TRUE(dialogs.Asked().empty());
    EXPECT_TRUE(Load(path, LoadMode::Live));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Line/Parameter # out of range !"});
    EXPECT_EQ(ParamTable[5]->Value, 150);
}

// Neither line is reported for itself; the file lacks parameters 5 and 6 all the same.
TEST_F(ProjectReader, OtherGroupsAreSkippedSilently)
{
    const std::string path =
        Write(Project({{Param(5, "150.0;"), "P005=B2-05=1;"}, {Param(6, "95.0;"), "X005=A1-05=1;"}}));
    EXPECT_TRUE(Open(path));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Missing parameters : 2 ! They take their default values."});
    EXPECT_EQ(ParamTable[5]->Value, 150);
}

TEST_F(ProjectReader, TheRecordIsFoundByItsIdNotByTheLineNumber)
{
    EXPECT_TRUE(Open(Write(Project({{Param(2, "7;"), "P002=A1-01=8;"}}))));
    EXPECT_EQ(ParamTable[1]->Value, 8);
    EXPECT_EQ(ParamTable[2]->Value, 7);
}

TEST_F(ProjectReader, CancelStopsTheRead)
{
    const std::string tail = "[APPLICATION]\r\nFAN\r\n[POWER]\r\nKW\r\n[CURRENCY MODE]\r\n1\r\n[DATA RIVUVE SAVER]\r\n"
                             "P006=A1-06=90.0;\r\nP005=A1-05=150.0\r\n";
    for (LoadMode mode : {LoadMode::Check, LoadMode::Live}) {
        dialogs = win::ScriptedDialogs();
        dialogs.Answer(win::IDCANCEL);
        EXPECT_FALSE(Load(Write(tail), mode));
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Error in line : 9 !"});
    }
    // What was stored before the cancel stays; the settings of the cancelled read stay too.
    EXPECT_EQ(ParamTable[6]->Value, 90);
    EXPECT_TRUE(analysis::PowerInKW);

    // Cancel in a range message, on a line before others, ends the read there.
    dialogs = win::ScriptedDialogs();
    dialogs.Answer(win::IDCANCEL);
    EXPECT_FALSE(Load(Write(Project({{Param(5, "150.0;"), "P005=A1-05=0.1;"}, {Param(6, "95.0;"), "P006=A1-06=60.0;"}})),
                      LoadMode::Live));
    EXPECT_EQ(ParamTable[6]->Value, 90);
}

TEST_F(ProjectReader, InfoKeepsFourteenLinesVerbatim)
{
    std::string text = "[APPLICATION]\r\nFAN\r\n[POWER]\r\nHP\r\n[CURRENCY MODE]\r\n1\r\n[DATA RIVUVE SAVER]\r\n[INFO]\r\n\r\n"
                       "  Mills\r\n[POWER]\r\n";
    for (int i = 4; i <= 16; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    EXPECT_TRUE(Open(Write(text)));
    EXPECT_EQ(windows.customer[0], "");   // PREPFOR
    EXPECT_EQ(windows.customer[1], "  Mills");
    EXPECT_EQ(windows.customer[2], "[POWER]");
    EXPECT_EQ(windows.customer[9], "line 10");   // PROJECTNAME
    EXPECT_EQ(analysis::Custom1Title, "line 11");
    EXPECT_EQ(analysis::InfoLines[14], "line 14");
    EXPECT_TRUE(analysis::InfoLines[15].Empty());
    EXPECT_FALSE(analysis::PowerInKW);
}

// A hand-edited file may put [INFO] anywhere: only the header of a section it has not had yet ends it.
TEST_F(ProjectReader, InfoNeedNotBeTheLastSection)
{
    const std::string text = "[FILE INFO]\r\n[INFO]\r\nJane Roe\r\n[FILE INFO]\r\n[APPLICATION]\r\nFAN\r\n"
                             "[POWER]\r\nKW\r\n[CURRENCY MODE]\r\n0\r\n[DATA RIVUVE SAVER]\r\n"
                             "P005=A1-05=200.0;\r\n[INFO]\r\nSupply Fan 3\r\n";
    EXPECT_TRUE(Open(Write(text)));
    // Parameter 73 of a file without [INCENTIVE] is set by rule, not missing.
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Missing parameters : 71 ! They take their default values."});
    EXPECT_EQ(windows.customer[0], "Jane Roe");
    EXPECT_EQ(windows.customer[1], "[FILE INFO]");
    EXPECT_EQ(windows.customer[2], "Supply Fan 3");
    EXPECT_EQ(analysis::FileAppType, 1);
    EXPECT_TRUE(analysis::PowerInKW);
    EXPECT_EQ(analysis::CurrencyMode, 0);
    EXPECT_EQ(ParamTable[5]->Value, 200);
}

TEST_F(ProjectReader, CustomCurrencySection)
{
    analysis::CustomCurrency = "abc";
    EXPECT_TRUE(Open(Write(Project({{"-", ""}}))));
    EXPECT_EQ(analysis::CustomCurrency, "abc");
    EXPECT_TRUE(Open(Write(Project({{"-", "  Fr.xyz"}}))));
    EXPECT_EQ(analysis::CustomCurrency, "  Fr.");
}

TEST_F(ProjectReader, UnreadableFilesGiveTheSystemsText)
{
    struct Case {
        std::string path;
        int error;
    };
    scratch.WriteFile("huge.kvx", std::string(size_t(shell::MaxProjectFileSize) + 1, ' '));
    const Case cases[] = {
        {scratch.Path("missing.kvx"), ENOENT},
        {scratch.Folder(), EISDIR},
        {scratch.Path("huge.kvx"), EFBIG},
    };
    for (const Case& c : cases) {
        dialogs = win::ScriptedDialogs();
        EXPECT_FALSE(Load(c.path, LoadMode::Live)) << c.path;
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{rtl::SysErrorMessage(c.error)}) << c.path;
    }
}

TEST_F(ProjectReader, DamagedFileGivesMessagesNotACrash)
{
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += char((i * 7919 + 13) % 256);
    // A damaged data section: every byte value, NULs and lone CRs included, under a valid header.
    const std::string text = "[DATA RIVUVE SAVER]\r\n" + bytes + std::string("\rP005=A1-05=\0;\n", 15) + bytes;
    EXPECT_FALSE(Load(Write(text), LoadMode::Check));
    ASSERT_GE(dialogs.Asked().size(), 3u);
    EXPECT_EQ(MessageTexts().back(), "Currency Mode Information is Missing! Unable to load this file.");
    EXPECT_EQ(ParamTable[5]->Value, 150);
}

// Damaged and hand-made files opened with the Open command over a previous project whose motor power,
// drive cost and customer were others: each is refused with its message or opened with the file's
// values and, where the file gives none, the built-in ones.
TEST_F(ProjectReader, DamagedFilesAreRefusedOrOpenWithTheirOwnValues)
{
    const std::string whole = Project();
    const std::string parameterMissing = "Parameter Information is Missing! Unable to load this file.";
    struct Case {
        const char* name;
        std::string text;
        bool opened;
        std::vector<std::string> messages;
        float motorPower;   // parameter 5
        float driveCost;    // parameter 9
        const char* preparedFor;
    };
    const auto crcrlf = [](std::string text) {
        for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 3)
            text.insert(at, "\r");
        return text;
    };
    const Case cases[] = {
        {"settings only", "[APPLICATION]\r\nFAN\r\n[POWER]\r\nHP\r\n[CURRENCY MODE]\r\n1\r\n", false, {parameterMissing},
         300, 20000, "Previous"},
        {"cut off before the parameters", whole.substr(0, whole.find("[DATA RIVUVE SAVER]") + 10), false,
         {parameterMissing}, 300, 20000, "Previous"},
        {"parameter lines missing", Project({{Param(5, "150.0;"), ""}, {Param(9, "12000;"), ""}}), true,
         {"Missing parameters : 2 ! They take their default values."}, 150, 12000, "Jane Roe"},
        {"a value of another project", Project({{Param(5, "150.0;"), Param(5, "75.0;")}}), true, {}, 75, 12000, "Jane Roe"},
        {"two minus signs", Project({{Param(9, "12000;"), Param(9, "12-000;")}}), true, {"Error in line : 34 !"}, 150,
         12000, "Jane Roe"},
        {"a lone minus", Project({{Param(9, "12000;"), Param(9, "-;")}}), true, {"Error in line : 34 !"}, 150, 12000,
         "Jane Roe"},
        {"two points", Project({{Param(5, "150.0;"), Param(5, "1.2.3;")}}), true, {"Error in line : 30 !"}, 150, 12000,
         "Jane Roe"},
        {"a trailing minus", Project({{Param(5, "150.0;"), Param(5, "5-;")}}), true, {"Error in line : 30 !"}, 150, 12000,
         "Jane Roe"},
        {"out of range", Project({{Param(5, "150.0;"), Param(5, "20000.0;")}}), true, {"Parameter A1-05 out of range !"},
         150, 12000, "Jane Roe"},
        {"CR CR LF line ends", crcrlf(Project({{Param(5, "150.0;"), Param(5, "75.0;")}})), true, {}, 75, 12000,
         "Jane Roe"},
    };
    for (const Case& c : cases) {
        dialogs = win::ScriptedDialogs();
        windows = FieldWindows();
        windows.customer[0] = "Previous";
        analysis::InfoLines[1] = "Previous";
        ParamTable[5]->Value = 300;
        ParamTable[9]->Value = 20000;
        EXPECT_EQ(Open(Write(c.text)), c.opened) << c.name;
        EXPECT_EQ(MessageTexts(), c.messages) << c.name;
        EXPECT_EQ(ParamTable[5]->Value, c.motorPower) << c.name;
        EXPECT_EQ(ParamTable[9]->Value, c.driveCost) << c.name;
        EXPECT_EQ(windows.customer[0], c.preparedFor) << c.name;
        if (c.opened) {
            EXPECT_EQ(windows.customer[9], "Supply Fan 3") << c.name;
            EXPECT_EQ(analysis::Custom2Title, "Custom Control 2") << c.name;
        }
    }
}

// The live pass alone (a recent file) shows the line errors the Open command shows once.
TEST_F(ProjectReader, LineErrorsAreShownOncePerOpen)
{
    const std::string path = Write(Project({{Param(5, "150.0;"), "P005=A1-05=1.2.3;"}, {Param(8, "0.0;"), "P008=A1-08"}}));
    // The line of parameter 8 is too short to be a parameter line: the parameter is missing.
    const std::vector<std::string> messages{"Error in line : 30 !",
                                            "Missing parameters : 1 ! They take their default values."};
    int reported = 0;
    EXPECT_TRUE(shell::OpenProjectFile(path, windows, TranslationTexts(), &reported));
    EXPECT_EQ(MessageTexts(), messages);
    EXPECT_EQ(reported, 2);

    dialogs = win::ScriptedDialogs();
    EXPECT_TRUE(Load(path, LoadMode::Live));
    EXPECT_EQ(MessageTexts(), messages);

    // Lines reported by the live pass count too; a clean file reports none.
    dialogs = win::ScriptedDialogs();
    EXPECT_TRUE(shell::OpenProjectFile(Write(Project({{Param(5, "150.0;"), "P100=A1-05=1;"}, {Param(6, "95.0;"), "P006=A1-06=0.5;"}})),
                                       windows, TranslationTexts(), &reported));
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Line/Parameter # out of range !", "Parameter A1-06 out of range !"}));
    EXPECT_EQ(reported, 2);
    EXPECT_TRUE(shell::OpenProjectFile(Fixture("default-fan.kvx"), windows, TranslationTexts(), &reported));
    EXPECT_EQ(reported, 0);
}

// A FIFO or a device would block the reader forever or never end.
TEST_F(ProjectReader, OtherThanRegularFilesAreRefusedAtOnce)
{
    ASSERT_EQ(::mkfifo(scratch.Path("pipe.kvx").c_str(), 0600), 0);
    for (const std::string& path : {scratch.Path("pipe.kvx"), std::string("/dev/zero")}) {
        dialogs = win::ScriptedDialogs();
        EXPECT_FALSE(Open(path)) << path;
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Not a regular file (a pipe, a device or a socket)"}) << path;
    }
}

}  // namespace
