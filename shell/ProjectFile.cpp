#include "shell/ProjectFile.h"

#include "analysis/Globals.h"
#include "analysis/NumberText.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Dates.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Numbers.h"
#include "platform/services/DialogService.h"
#include "platform/registry/Registry.h"
#include "platform/services/Sound.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace shell {

namespace {

using analysis::TParamRecord;
using analysis::TParamTable;
using analysis::TextSource;

constexpr std::string_view kLineBreak = "\r\n";
constexpr const char* kOptionsKey = "SOFTWARE\\PELLAWINSBRY\\ZEL\\SETUP";
// The incentive type, which files from before it existed do not hold.
constexpr int kIncentiveTypeParam = 73;

// --- messages ---

void Inform(const std::string& text)
{
    win::MessageBox(text, "Information", win::MB_OK | win::MB_ICONINFORMATION);
}

void ShowError(const std::string& text)
{
    win::MessageBox(text, "Error", win::MB_OK | win::MB_ICONERROR);
}

// True when the user chose Cancel.
bool Cancelled(const std::string& text, const std::string& caption, unsigned icon)
{
    return win::MessageBox(text, caption, win::MB_OKCANCEL | icon) == win::IDCANCEL;
}

// A failure of a file operation: the system's text for an error code, any other fault its own message.
void ShowFileError(const rtl::Exception& e)
{
    if (const auto* os = dynamic_cast<const rtl::EOSError*>(&e))
        analysis::ShowIOError(os->ErrorCode());
    else
        win::MessageBox(e.what(), "Warning", win::MB_OK | win::MB_ICONWARNING);
}

// --- writing ---

// The decimals of a value in the file, by the exact scale.
int FileDecimals(float scale)
{
    if (scale == 1)
        return 0;
    if (scale == 10)
        return 1;
    if (scale == 100)
        return 2;
    if (scale == 1000)
        return 3;
    return 4;
}

// Whether the reader, which keeps single precision, gets the value back from the text.
bool ReadsBack(const std::string& text, float value)
{
    int errorPos;
    return float(rtl::ValFloat(text, errorPos)) == value;
}

// The decimals of the scale, or one more (at most 4) for a value they would change: the curves' built-in
// values have four decimals at scale 1000, and saving a project must not change its figures.
int ValueDecimals(const TParamRecord& record)
{
    const int decimals = FileDecimals(record.Scale);
    if (decimals < 4 && !ReadsBack(analysis::FixedText(decimals, record.Value), record.Value))
        return decimals + 1;
    return decimals;
}

std::string ParamFileLine(const TParamRecord& record, int number)
{
    char head[32];
    std::snprintf(head, sizeof head, "P%03d=%c%c-%02d=", number, record.Group, record.GroupDigit, int(record.Id));
    return head + analysis::FloatToFieldText(ValueDecimals(record), 15, record.Value) +
           analysis::PadText(record.Units.View(), 7) + record.Name.Str();
}

std::string ProjectFileText(const TParamTable& table, const ProjectWindows& windows)
{
    using namespace analysis;
    std::string text;
    const auto line = [&text](std::string_view content) {
        text += content;
        text += kLineBreak;
    };
    line("[FILE INFO]");
    line("");
    line("FILE TYPE  : " + FileTypeText.Str() + " " + VersionText.Str());
    line("DATE       : " + rtl::DateToStr(rtl::Date()));
    line("");
    line("[APPLICATION]");
    line("");
    line(AppTypeText);
    line("");
    line("[INCENTIVE]");
    line("");
    line("[POWER]");
    line("");
    line(PowerInKW ? "KW" : "HP");
    line("");
    line("[CURRENCY MODE]");
    line("");
    line(rtl::IntToStr(CurrencyMode));
    line("");
    line("[CUSTOM CURRENCY]");
    line("");
    line(CustomCurrency.View());
    line("");
    line("[DATA RIVUVE SAVER]");
    line("");
    for (int i = 1; i <= DefinedParamCount; ++i)
        line(ParamFileLine(*table[i], i));
    line("");
    line("[INFO]");
    for (int edit = 1; edit <= CustomerEditCount; ++edit)
        line(windows.CustomerText(CustomerEdit(edit)));
    line(windows.CustomTitleText(1));
    line(windows.CustomTitleText(2));
    return text;
}

// --- reading ---

// The whole file, or false after the message; a file larger than MaxProjectFileSize is refused unread.
bool ReadProjectText(const std::string& fileName, std::string& content)
{
    int error = 0;
    try {
        const int fd = rtl::OpenForReading(rtl::OsFileName(fileName));
        if (fd < 0) {
            analysis::ShowIOError(errno);
            return false;
        }
        error = rtl::ReadToEnd(fd, content, MaxProjectFileSize);
        if (::close(fd) != 0 && !error)
            error = errno;
    } catch (const rtl::Exception& e) {
        ShowFileError(e);
        return false;
    }
    return !analysis::ShowIOError(error);
}

// The settings a read starts from: the program's, with no customer text.
ProjectReadState FreshState()
{
    ProjectReadState state;
    state.PowerInKW = analysis::PowerInKW;
    state.CurrencyMode = analysis::CurrencyMode;
    state.CustomCurrency = analysis::CustomCurrency;
    state.FileAppType = analysis::FileAppType;
    return state;
}

void KeepSettings(const ProjectReadState& state)
{
    analysis::PowerInKW = state.PowerInKW;
    analysis::CurrencyMode = state.CurrencyMode;
    analysis::CustomCurrency = state.CustomCurrency;
    analysis::FileAppType = state.FileAppType;
    analysis::InfoLines = state.InfoLines;
}

// The line's group, group digit and Id are the record's; the number in the line does not find the record.
bool Names(const ParamLine& param, const TParamRecord* record)
{
    return record && record->Group == param.Group && record->GroupDigit == param.GroupDigit && record->Id == param.Id;
}

// A line the reader reports: the default beep, then the text in a box with OK and Cancel; Cancel ends the
// read.
void ReportLine(ProjectReadState& state, const std::string& text)
{
    ++state.Reported;
    win::MessageBeep(win::MB_OK);
    if (Cancelled(text, "Confirm", win::MB_ICONQUESTION))
        state.Abort = true;
}

void ShowLineError(ProjectReadState& state, const TextSource& texts)
{
    ReportLine(state, texts.Text("IDS_21") + rtl::IntToStr(state.LineNumber) + " !");
}

// The lines of the file in order, each without its line end: CR LF, a lone LF or a lone CR; a run of CRs
// before an LF (a file sent through two line-end conversions) is one line end too. A run of CRs is
// measured once, not again for each of its CRs, so a file of nothing but CRs reads in linear time.
class LineSplitter {
public:
    explicit LineSplitter(std::string_view content) : content_(content) {}

    // False at the end of the content.
    bool Next(std::string_view& line)
    {
        if (pos_ >= content_.size())
            return false;
        const size_t end = std::min(content_.find_first_of("\r\n", pos_), content_.size());
        line = content_.substr(pos_, end - pos_);
        pos_ = NextLineStart(end);
        return true;
    }

private:
    size_t NextLineStart(size_t end)
    {
        if (end == content_.size() || content_[end] == '\n')
            return end + 1;
        // A run of CRs is measured at its first CR; a later CR of the same run lies before crRunEnd_.
        if (end >= crRunEnd_)
            crRunEnd_ = std::min(content_.find_first_not_of('\r', end), content_.size());
        if (crRunEnd_ < content_.size() && content_[crRunEnd_] == '\n')
            return crRunEnd_ + 1;
        return end + 1;
    }

    std::string_view content_;
    size_t pos_ = 0;
    size_t crRunEnd_ = 0;
};

// Notes the records of table the parameter line in state.Param names, whether or not the line could be
// read: a parameter whose line was reported is not reported again as missing.
void NoteNamedParams(ProjectReadState& state, const TParamTable& table)
{
    for (int i = 1; i <= analysis::DefinedParamCount; ++i)
        if (Names(state.Param, table[i]))
            state.Named[size_t(i)] = true;
}

// Reads the lines in order; false when the user cancelled. A pass that follows one that showed the line
// errors already (the live pass of the Open command) passes over them without a word.
bool ReadLines(std::string_view content, ProjectReadState& state, TParamTable& table, LoadMode mode,
               bool showLineErrors, const TextSource& texts)
{
    LineSplitter lines(content);
    std::string_view line;
    while (lines.Next(line)) {
        if (state.Abort)
            return false;
        ++state.LineNumber;
        switch (ClassifyProjectLine(line, state)) {
        case ProjectLineClass::LineError:
            NoteNamedParams(state, table);
            if (showLineErrors)
                ShowLineError(state, texts);
            break;
        case ProjectLineClass::Parameter:
            NoteNamedParams(state, table);
            if (mode == LoadMode::Live)
                StoreParamLine(state, table, texts);
            break;
        case ProjectLineClass::Unplaced:
            ++state.Unplaced;
            break;
        default:
            break;
        }
    }
    return !state.Abort;
}

// The parameters of table no line of the file named. A file without [INCENTIVE] predates the incentive
// type, which the live pass sets by rule: it is not missing.
int MissingParamCount(const ProjectReadState& state, const TParamTable& table)
{
    int missing = 0;
    for (int i = 1; i <= analysis::DefinedParamCount; ++i)
        if (table[i] && !state.Named[size_t(i)] && !(i == kIncentiveTypeParam && !state.IncentiveSeen))
            ++missing;
    return missing;
}

// One report for the parameters the file does not give and the lines of the group the reader could not
// place; false when the user cancelled it.
bool MissingParamsAccepted(ProjectReadState& state, const TParamTable& table, const TextSource& texts)
{
    const int missing = MissingParamCount(state, table);
    if (missing == 0 && state.Unplaced == 0)
        return true;
    std::string text;
    if (missing > 0)
        text = texts.Text("IDS_78") + rtl::IntToStr(missing) + texts.Text("IDS_79");
    if (state.Unplaced > 0)
        text += (text.empty() ? "" : "\n") + texts.Text("IDS_80") + rtl::IntToStr(state.Unplaced) + " !";
    ReportLine(state, text);
    return !state.Abort;
}

bool RequiredSectionsSeen(const ProjectReadState& state, const TextSource& texts)
{
    if (!state.ApplicationSeen)
        ShowError(texts.Text("IDS_25"));
    if (!state.PowerSeen)
        ShowError(texts.Text("IDS_26"));
    if (!state.CurrencyModeSeen)
        ShowError(texts.Text("IDS_27"));
    // Without its parameters a file would open with the figures of whatever project was open before.
    const bool parameters = HeaderRead(state, ProjectSection::Data);
    if (!parameters)
        ShowError(texts.Text("IDS_77"));
    return state.ApplicationSeen && state.PowerSeen && state.CurrencyModeSeen && parameters;
}

void FillCustomerTexts(ProjectWindows& windows)
{
    using namespace analysis;
    for (int edit = 1; edit <= CustomerEditCount; ++edit)
        windows.SetCustomerText(CustomerEdit(edit), InfoLines[edit].Str());
    Custom1Title = InfoLines[11].View();
    Custom2Title = InfoLines[12].View();
}

void FillCurrency(ProjectWindows& windows, const TextSource& texts)
{
    using namespace analysis;
    switch (CurrencyMode) {
    case 0:
        CurrencySymbol = texts.Text("IDS_28");
        CurrencySubunit = texts.Text("IDS_29");
        windows.CheckCurrencyButton(CurrencyButton::CUR001);
        break;
    case 1:
        CurrencySymbol = "$";
        CurrencySubunit = texts.Text("IDS_29");
        windows.CheckCurrencyButton(CurrencyButton::CUR002);
        break;
    case 2:
        CurrencySymbol = texts.Text("IDS_31");
        CurrencySubunit = texts.Text("IDS_32");
        windows.CheckCurrencyButton(CurrencyButton::CUR003);
        break;
    default:
        CurrencySymbol = CustomCurrency.View();
        windows.CheckCurrencyButton(CurrencyButton::CUR004);
        windows.SetCustomCurrencyText(CustomCurrency.Str());
        CurrencySubunit = CurrencySymbol.Str() + texts.Text("IDS_33");
        break;
    }
}

void WriteOptions()
{
    try {
        win::TRegIniFile store(kOptionsKey);
        store.WriteBool("PROGRAM", "PS", analysis::PowerInKW);
        store.WriteInteger("PROGRAM", "CS", analysis::CurrencyMode);
        store.WriteString("PROGRAM", "CC", analysis::CustomCurrency.Str());
    } catch (const rtl::Exception& e) {
        // The project is loaded all the same; the options only reach the next start.
        win::MessageBox(e.what(), "Warning", win::MB_OK | win::MB_ICONWARNING);
    }
}

void FillWindows(const ProjectReadState& state, TParamTable& table, ProjectWindows& windows, const TextSource& texts)
{
    FillCustomerTexts(windows);
    FillCurrency(windows, texts);
    windows.CheckPowerButton(analysis::PowerInKW ? PowerButton::KW : PowerButton::HP);
    WriteOptions();
    // A parameter the file gave no value takes its built-in one, not the one of the project open before.
    if (&table != &analysis::ShadowParamTable) {
        for (int i = 1; i <= analysis::DefinedParamCount; ++i)
            if (!state.Received[size_t(i)] && table[i] && analysis::ShadowParamTable[i])
                table[i]->Value = analysis::ShadowParamTable[i]->Value;
    }
    // Files from before the incentive type existed mean a yearly incentive.
    if (!state.IncentiveSeen && analysis::DefinedParamCount >= kIncentiveTypeParam && table[kIncentiveTypeParam])
        table[kIncentiveTypeParam]->Value = 0;
}

bool Load(const std::string& fileName, TParamTable& table, LoadMode mode, bool showLineErrors,
          ProjectWindows& windows, const TextSource& texts, int& reported)
{
    const bool live = mode == LoadMode::Live;
    if (live)
        analysis::InfoLines.Fill({});
    std::string content;
    if (!ReadProjectText(fileName, content))
        return false;

    ProjectReadState state = FreshState();
    const bool complete = ReadLines(content, state, table, mode, showLineErrors, texts);
    // The check pass leaves the program as it found it; only the live pass keeps what it read.
    if (live)
        KeepSettings(state);
    const bool opened = complete && RequiredSectionsSeen(state, texts) &&
                        (!showLineErrors || MissingParamsAccepted(state, table, texts));
    reported += state.Reported;
    if (opened && live)
        FillWindows(state, table, windows, texts);
    return opened;
}

}  // namespace

bool SaveProjectFile(const TParamTable& table, const std::string& fileName, const ProjectWindows& windows,
                     const TextSource& texts)
{
    try {
        rtl::WriteSystemFileAtomically(rtl::OsFileName(fileName), ProjectFileText(table, windows));
    } catch (const rtl::Exception& e) {
        ShowFileError(e);
        return false;
    }
    Inform(texts.Text("IDS_61"));
    return true;
}

bool LoadProjectFile(const std::string& fileName, TParamTable& table, LoadMode mode, ProjectWindows& windows,
                     const TextSource& texts)
{
    int reported = 0;
    return Load(fileName, table, mode, true, windows, texts, reported);
}

bool OpenProjectFile(const std::string& fileName, ProjectWindows& windows, const TextSource& texts, int* reported)
{
    int count = 0;
    const bool opened =
        Load(fileName, analysis::ShadowParamTable, LoadMode::Check, true, windows, texts, count) &&
        Load(fileName, analysis::ParamTable, LoadMode::Live, false, windows, texts, count);
    if (reported)
        *reported = count;
    return opened;
}

void StoreParamLine(ProjectReadState& state, TParamTable& table, const TextSource& texts)
{
    const ParamLine& param = state.Param;
    if (param.Number > analysis::DefinedParamCount) {
        ++state.Reported;
        if (Cancelled(texts.Text("IDS_16"), "Confirm", win::MB_ICONQUESTION))
            state.Abort = true;
        return;
    }
    const std::string name = texts.Text("IDS_12") + param.Group + param.GroupDigit + "-" + param.IdText;
    // Compared as stored, so a value written from the table reads back within its limits.
    const float value = float(param.Value);
    bool matched = false;
    bool reported = false;
    for (int i = 1; i <= analysis::DefinedParamCount; ++i) {
        TParamRecord* record = table[i];
        if (!Names(param, record))
            continue;
        matched = true;
        if (value < record->MinValue || value > record->MaxValue) {
            reported = true;
            if (Cancelled(name + texts.Text("IDS_13"), "Error", win::MB_ICONERROR))
                state.Abort = true;
        } else {
            record->Value = value;
            state.Received[size_t(i)] = true;
        }
    }
    // A value out of range has been reported as such; "does not match" is for a line no record takes.
    if (!matched) {
        reported = true;
        if (Cancelled(name + texts.Text("IDS_15"), "Error", win::MB_ICONERROR))
            state.Abort = true;
    }
    state.Reported += reported ? 1 : 0;
}

}  // namespace shell
