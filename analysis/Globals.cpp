#include "analysis/Globals.h"

#include "analysis/ParamTable.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/TempFiles.h"
#include "platform/services/DialogService.h"

#include <optional>

namespace analysis {

std::string ExeFolder;
std::string TempFolder;
rtl::ShortString<24> FileTypeText;
rtl::ShortString<7> VersionText;
std::string ProductTitle;

bool ProjectOpen = false;
bool ProjectModified = false;
std::string ProjectFileName;
std::int32_t AppType = 0;
std::string AppTypeText;
std::int32_t FileAppType = 0;
std::string CmdLineFileName;
bool CmdLineFileExists = false;
OneBasedArray<rtl::ShortString<80>, 20> InfoLines;
OneBasedArray<std::string, 4> RecentFiles;
bool FanFormReady = false;
std::int32_t OverviewApp = 0;
std::int32_t OverviewMethod = 0;
std::int32_t ChartStyle = 0;
ByFlowPoint<rtl::ShortString<5>> DutyCycleText;
std::uint8_t RtfExportActive = 0;

std::uint16_t LanguageIndex = 0;
bool PowerInKW = false;
double PowerUnitFactor = 0.0;
std::int32_t CurrencyMode = 0;
rtl::ShortString<10> CurrencySymbol;
rtl::ShortString<10> CurrencySubunit;
rtl::ShortString<5> CustomCurrency;
rtl::ShortString<10> CurrencyName;

bool ShowCustomerInfo = false;
bool ShowTitle = false;
bool UseCustomLogo = false;
bool RoundPrices = false;
bool QuoteFollowUp = false;
bool WelcomeMessage = false;
bool LetterheadPaper = false;
bool AutoUpdateCheck = false;
bool Custom1Enabled = false;
bool Custom2Enabled = false;
bool DamperSelected = false;
bool InletVaneSelected = false;
bool ValveSelected = false;
rtl::ShortString<30> Custom1Title;
rtl::ShortString<30> Custom2Title;
rtl::ShortString<80> ClosingLine1;
rtl::ShortString<80> ClosingLine2;
ControlCurve VfdCurve;
ControlCurve DamperCurve;
ControlCurve InletVaneCurve;
ControlCurve ValveCurve;
ControlCurve Custom1Curve;
ControlCurve Custom2Curve;

char LocaleDecimalSep = 0;
char LocaleThousandSep = 0;

namespace {

// The first character of a locale item of the system's default locale; 0 when the query fails.
char SystemLocaleChar(rtl::LocaleItem item)
{
    std::optional<std::string> value = rtl::GetLocaleInfo(2048, item);
    return value && !value->empty() ? (*value)[0] : '\0';
}

}  // namespace

void InitGlobals()
{
    ExeFolder = rtl::ExcludeTrailingPathDelimiter(rtl::ProgramFolder());
    TempFolder = rtl::ExcludeTrailingPathDelimiter(GetTempFolder());
    InitNumberSeparators();
    FanFormReady = false;
    FileTypeText = "PELLAWINSBRY RIVUVE FILE";
    VersionText = "1.02.00";
    DefinedParamCount = 0;
    ProductTitle = "Pellawinsbry Rivuve Savings Estimator";
    RecentFiles.Fill(std::string());
    OverviewApp = 1;
    OverviewMethod = 1;
    CurrencyMode = 1;
    PowerInKW = false;
    LanguageIndex = 0;
    CurrencySymbol = "$";
    CurrencySubunit = "Cents";
    ChartStyle = 1;
    InfoLines.Fill(rtl::ShortString<80>());
    AppTypeText = "FAN";
    CmdLineFileExists = false;
    CmdLineFileName.clear();
    ProjectFileName.clear();
    ProjectOpen = false;
    ProjectModified = false;
    PowerUnitFactor = 1.0;
    CurrencyName = "DOLLAR";
}

void InitNumberSeparators()
{
    LocaleDecimalSep = SystemLocaleChar(rtl::LocaleItem::DecimalSeparator);
    LocaleThousandSep = SystemLocaleChar(rtl::LocaleItem::ThousandSeparator);
    if (LocaleDecimalSep == LocaleThousandSep) {
        // Equal separators would make every number text ambiguous to read back.
        LocaleDecimalSep = '.';
        LocaleThousandSep = ',';
        rtl::DefaultFormatSettings().DecimalSeparator = '.';
        rtl::DefaultFormatSettings().ThousandSeparator = ',';
    }
}

std::string GetTempFolder()
{
    return rtl::PrivateTempFolder();
}

bool ShowIOError(int errorCode)
{
    if (errorCode == 0)
        return false;
    win::MessageBox(rtl::SysErrorMessage(errorCode), "Warning", win::MB_OK | win::MB_ICONWARNING);
    return true;
}

}  // namespace analysis
