#include "tests/shell/ProjectFixture.h"

#include "analysis/Calculation.h"
#include "analysis/NumberText.h"

#include "platform/rtl/AtomicFile.h"
#include "tests/support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace shell_test;

class ProjectWriter : public ProjectTest {
protected:
    ProjectWriter()
    {
        windows.customer = {"Jane Roe", "Plant Engineer", "Example Mills", "12 Mill Road", "AB1 2CD", "Utopia",
                            "555 0100", "555 0101", "jane@example.invalid", "Supply Fan 3"};
        windows.titles = {"Custom Control 1", "Custom Control 2"};
    }
};

TEST_F(ProjectWriter, WritesTheDefaultFanProjectByteForByte)
{
    ASSERT_TRUE(Save("fan.kvx"));
    const std::string written = scratch.ReadFile("fan.kvx");
    // The fixture holds every curve value with three decimals; the built-in values that three decimals
    // would change take a fourth, and nothing else differs.
    std::string expected = testsupport::ReadBytes(Fixture("default-fan.kvx"));
    const std::pair<const char*, const char*> fourthDecimals[] = {
        {"P022=A1-22=0.768; ", "P022=A1-22=0.7683;"}, {"P024=A1-24=0.410; ", "P024=A1-24=0.4098;"},
        {"P025=A1-25=0.279; ", "P025=A1-25=0.2789;"}, {"P026=A1-26=0.177; ", "P026=A1-26=0.1767;"},
        {"P027=A1-27=0.101; ", "P027=A1-27=0.1012;"}, {"P029=A1-29=0.018; ", "P029=A1-29=0.0179;"},
        {"P030=A1-30=0.003; ", "P030=A1-30=0.0033;"}, {"P040=A1-40=0.010; ", "P040=A1-40=0.0104;"},
        {"P042=A1-42=0.768; ", "P042=A1-42=0.7683;"}, {"P044=A1-44=0.410; ", "P044=A1-44=0.4098;"},
        {"P045=A1-45=0.279; ", "P045=A1-45=0.2789;"}, {"P046=A1-46=0.177; ", "P046=A1-46=0.1767;"},
        {"P047=A1-47=0.101; ", "P047=A1-47=0.1012;"}, {"P049=A1-49=0.018; ", "P049=A1-49=0.0179;"},
        {"P050=A1-50=0.003; ", "P050=A1-50=0.0033;"},
    };
    for (const auto& [from, to] : fourthDecimals) {
        const size_t at = expected.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        expected.replace(at, std::string_view(from).size(), to);
    }
    EXPECT_EQ(written, expected);

    // The shape the format promises, checked apart from the fixture.
    std::vector<std::string> lines;
    for (size_t pos = 0; pos < written.size();) {
        const size_t end = written.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
        lines.push_back(written.substr(pos, end - pos));
        pos = end + 2;
    }
    ASSERT_EQ(lines.size(), 112u);
    EXPECT_EQ(lines[3], "DATE       : 3/5/2024");
    for (int i = 26; i <= 98; ++i)
        EXPECT_EQ(lines[size_t(i - 1)].size(), 33u) << "line " << i;
    EXPECT_EQ(lines[25], "P001=A1-01=24;" + std::string(19, ' '));
    EXPECT_EQ(lines[28], "P004=A1-04=10.00;" + std::string(16, ' '));
    EXPECT_EQ(lines[44], "P020=A1-20=0.970;" + std::string(16, ' '));

    ASSERT_EQ(dialogs.Asked().size(), 1u);
    EXPECT_EQ(dialogs.Asked()[0].text, "Estimation Saved!");
    EXPECT_EQ(dialogs.Asked()[0].type, unsigned(win::MB_OK | win::MB_ICONINFORMATION));
}

// The fan's estimate from the table, as the program makes it: the edits show the parameters with their
// decimals, and the options loader takes the curves from the curve parameters. The yearly costs to the
// cent: drive, damper, vane, custom 1, custom 2, no control.
class TableInputs final : public analysis::RivuveInputs {
public:
    std::string EditText(analysis::InputEdit edit) const override { return Text(int(edit) - 100); }
    std::string DutyCycleText(int flowPoint) const override { return Text(9 + flowPoint); }

private:
    static std::string Text(int number)
    {
        const analysis::TParamRecord& record = *analysis::ParamTable[number];
        return analysis::FloatToGroupedText(analysis::DecimalsOfScale(record.Scale), record.Value);
    }
};

std::vector<std::string> FanYearlyCosts()
{
    using namespace analysis;
    VfdCurve.Fill(ParamTable[20]->Value);
    const std::pair<ControlCurve*, int> curves[] = {
        {&DamperCurve, 21}, {&InletVaneCurve, 31}, {&ValveCurve, 41}, {&Custom1Curve, 51}, {&Custom2Curve, 61}};
    for (const auto& [curve, first] : curves)
        for (int i = 1; i <= FlowPointCount; ++i)
            (*curve)[i] = ParamTable[first + i - 1]->Value;
    PowerUnitFactor = 0.7457;
    EXPECT_TRUE(CalculateRivuve(1, TableInputs()).Ok());
    std::vector<std::string> costs;
    for (double cost : {FanVfdYearlyCost, DamperYearlyCost, InletVaneYearlyCost, Custom1YearlyCost, Custom2YearlyCost,
                        NoControlYearlyCost})
        costs.push_back(FixedText(2, cost));
    return costs;
}

TEST_F(ProjectWriter, SavingAndOpeningKeepTheFigures)
{
    const std::vector<std::string> before = FanYearlyCosts();
    ASSERT_EQ(before.size(), 6u);
    EXPECT_EQ(before[0], "22735.70");
    EXPECT_EQ(before[1], "75032.03");
    EXPECT_EQ(before[2], "56162.11");
    EXPECT_EQ(before[5], "103142.08");
    ASSERT_TRUE(Save("fan.kvx"));
    for (int number = 20; number <= 70; ++number)
        analysis::ParamTable[number]->Value = 1;
    ASSERT_TRUE(Open(scratch.Path("fan.kvx")));
    EXPECT_EQ(FanYearlyCosts(), before);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Estimation Saved!"});
}

TEST_F(ProjectWriter, NumbersKeepThePointWhateverTheLocale)
{
    rtl::SetLocaleSource(rtl::FixedLocaleSource::Germany());
    analysis::InitNumberSeparators();
    ASSERT_TRUE(Save("fan.kvx"));
    const std::string text = scratch.ReadFile("fan.kvx");
    EXPECT_NE(text.find("\r\nDATE       : 05.03.2024\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nP009=A1-09=12000;"), std::string::npos);
    EXPECT_NE(text.find("\r\nP020=A1-20=0.970;"), std::string::npos);

    // And the file reads back under the same locale.
    analysis::ParamTable[20]->Value = 0.5f;
    EXPECT_TRUE(Open(scratch.Path("fan.kvx")));
    EXPECT_FLOAT_EQ(analysis::ParamTable[20]->Value, 0.97f);
}

TEST_F(ProjectWriter, ValueFieldsFollowTheScaleAndAreNeverCut)
{
    struct Case {
        float scale;
        float value;
        const char* field;
    };
    const Case cases[] = {
        {1, 12000, "12000;"}, {10, 0.2f, "0.2;"}, {100, 10, "10.00;"}, {1000, 0.0104f, "0.0104;"},
        {10000, 0.5f, "0.5000;"}, {7, 1, "1.0000;"}, {1, -3, "-3;"},
        {1000, 1099511627776.0f, "1099511627776.000;"},   // wider than the field: kept whole, the units follow it
        // The scale's decimals would change these: one decimal more, at most four.
        {1, 24.5f, "24.5;"}, {100, 10.125f, "10.125;"}, {1000, 0.12345f, "0.1235;"}, {10000, 0.12345f, "0.1235;"},
        {10, 4999.95f, "4999.95;"}, {1, 999999.5f, "999999.5;"}, {1000, 0.9995f, "0.9995;"}
    };
    analysis::TParamRecord& record = *analysis::ParamTable[9];
    for (const Case& c : cases) {
        record.Scale = c.scale;
        record.Value = c.value;
        ASSERT_TRUE(Save("scaled.kvx"));
        const std::string text = scratch.ReadFile("scaled.kvx");
        const std::string field = c.field;
        const std::string expected =
            "\r\nP009=A1-09=" + field + std::string(field.size() < 15 ? 15 - field.size() : 0, ' ') + "       \r\n";
        EXPECT_NE(text.find(expected), std::string::npos) << c.field;
    }
}

TEST_F(ProjectWriter, FailureLeavesTheOldFileAndReportsTheSystemError)
{
    scratch.WriteFile("old.kvx", "old project");
    {
        testsupport::FileSizeLimit limit(1000);   // the disk fills up half way
        EXPECT_FALSE(Save("old.kvx"));
    }
    EXPECT_EQ(scratch.ReadFile("old.kvx"), "old project");
    EXPECT_EQ(scratch.EntryCount(), 1u);
    ASSERT_EQ(dialogs.Asked().size(), 1u);
    EXPECT_EQ(dialogs.Asked()[0].text, rtl::SysErrorMessage(EFBIG));
    EXPECT_EQ(dialogs.Asked()[0].caption, "Warning");
}

TEST_F(ProjectWriter, MissingFolderIsReported)
{
    EXPECT_FALSE(Save("no-such-folder/fan.kvx"));
    ASSERT_EQ(dialogs.Asked().size(), 1u);
    EXPECT_EQ(dialogs.Asked()[0].text, rtl::SysErrorMessage(ENOENT));
}

// The project is saved through a link into the file it leads to, under the longest name a folder takes,
// and a temporary file a killed save left a while ago is gone after the next save.
TEST_F(ProjectWriter, SavesThroughLinksUnderLongNamesAndSweepsLeftovers)
{
    namespace fs = std::filesystem;
    fs::create_directory(scratch.Path("projects"));
    const std::string real = scratch.Path("projects/") + std::string(250, 'p');
    testsupport::WriteBytes(real, "old");
    fs::create_symlink(real, scratch.Path("link.kvx"));
    const std::string leftover = scratch.Path("projects/.~rv0a1b2c3d.tmp");
    testsupport::WriteBytes(leftover, "a killed save's");
    const timespec longAgo[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, leftover.c_str(), longAgo, 0), 0);

    ASSERT_TRUE(Save("link.kvx"));
    ASSERT_TRUE(Save("plain.kvx"));
    EXPECT_TRUE(fs::is_symlink(scratch.Path("link.kvx")));
    EXPECT_EQ(testsupport::ReadBytes(real), scratch.ReadFile("plain.kvx"));
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.Path("projects")), {}), 1);
}

// Windows that kill their own process when the writer asks for the last customer text, that is when a
// writer that streams its lines has already put most of the project into the file.
class KillingWindows final : public shell::ProjectWindows {
public:
    std::string CustomerText(shell::CustomerEdit edit) const override
    {
        if (edit == shell::CustomerEdit::PROJECTNAME)
            ::raise(SIGKILL);
        return "text";
    }
    void SetCustomerText(shell::CustomerEdit, const std::string&) override {}
    std::string CustomTitleText(int) const override { return ""; }
    void CheckCurrencyButton(shell::CurrencyButton) override {}
    void SetCustomCurrencyText(const std::string&) override {}
    void CheckPowerButton(shell::PowerButton) override {}
};

extern "C" void KillOnFileSizeLimit(int)
{
    ::raise(SIGKILL);
}

enum class KillPoint { WhileComposing, WhileWritingToDisk };

class ProjectWriterKilled : public ProjectWriter, public testing::WithParamInterface<KillPoint> {};

TEST_P(ProjectWriterKilled, LeavesTheOldFileWhole)
{
    const std::string path = scratch.Path("project.kvx");
    ASSERT_TRUE(Save("project.kvx"));
    const std::string old = scratch.ReadFile("project.kvx");
    analysis::ParamTable[5]->Value = 200;   // the new project differs from the old one

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (GetParam() == KillPoint::WhileComposing) {
            KillingWindows killing;
            shell::SaveProjectFile(analysis::ParamTable, path, killing, TranslationTexts());
        } else {
            // Writing past 1000 bytes raises SIGXFSZ, which kills the writer in the middle of its output.
            std::signal(SIGXFSZ, KillOnFileSizeLimit);
            rlimit limit{1000, 1000};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            Save("project.kvx");
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the writer was not killed midway";
    EXPECT_EQ(scratch.ReadFile("project.kvx"), old);
    for (const auto& entry : std::filesystem::directory_iterator(scratch.Folder())) {
        const std::string name = entry.path().filename().string();
        if (name != "project.kvx" && name != "registry") {
            EXPECT_TRUE(rtl::IsAtomicWriteTemporary(name)) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Project, ProjectWriterKilled,
                         testing::Values(KillPoint::WhileComposing, KillPoint::WhileWritingToDisk),
                         [](const testing::TestParamInfo<KillPoint>& info) {
                             return info.param == KillPoint::WhileComposing ? "WhileComposing" : "WhileWritingToDisk";
                         });

}  // namespace
