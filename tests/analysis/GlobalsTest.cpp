#include "analysis/Globals.h"
#include "analysis/ParamTable.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/services/DialogService.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using namespace analysis;

TEST(Globals, StartValues)
{
    ProjectModified = true;
    DefinedParamCount = 12;
    RecentFiles[2] = "old.kvx";
    InfoLines[20] = "old line";
    InitGlobals();
    EXPECT_EQ(FileTypeText, "PELLAWINSBRY RIVUVE FILE");
    EXPECT_EQ(VersionText, "1.02.00");
    EXPECT_EQ(ProductTitle, "Pellawinsbry Rivuve Savings Estimator");
    EXPECT_EQ(DefinedParamCount, 0);
    EXPECT_EQ(RecentFiles[2], "");
    EXPECT_TRUE(InfoLines[20].Empty());
    EXPECT_EQ(OverviewApp, 1);
    EXPECT_EQ(OverviewMethod, 1);
    EXPECT_EQ(CurrencyMode, 1);
    EXPECT_FALSE(PowerInKW);
    EXPECT_EQ(CurrencySymbol, "$");
    EXPECT_EQ(CurrencySubunit, "Cents");
    EXPECT_EQ(CurrencyName, "DOLLAR");
    EXPECT_EQ(ChartStyle, 1);
    EXPECT_EQ(AppTypeText, "FAN");
    EXPECT_FALSE(ProjectOpen);
    EXPECT_FALSE(ProjectModified);
    EXPECT_EQ(PowerUnitFactor, 1.0);
    EXPECT_NE(LocaleDecimalSep, LocaleThousandSep);
}

TEST(Globals, FoldersHaveNoTrailingSeparator)
{
    InitGlobals();
    EXPECT_EQ(ExeFolder, rtl::ExcludeTrailingPathDelimiter(rtl::ProgramFolder()));
    ASSERT_FALSE(TempFolder.empty());
    EXPECT_NE(TempFolder.back(), '/');
    EXPECT_TRUE(rtl::DirectoryExists(TempFolder));
    EXPECT_EQ(TempFolder + "/", GetTempFolder());
}

TEST(Globals, ShowIOErrorReportsOnlyFailures)
{
    win::ScriptedDialogs dialogs;
    win::ScopedDialogService scope(dialogs);
    EXPECT_FALSE(ShowIOError(0));
    EXPECT_TRUE(dialogs.Asked().empty());
    EXPECT_TRUE(ShowIOError(ENOENT));
    ASSERT_EQ(dialogs.Asked().size(), 1u);
    EXPECT_EQ(dialogs.Asked()[0].text, rtl::SysErrorMessage(ENOENT));
    EXPECT_EQ(dialogs.Asked()[0].type, unsigned(win::MB_OK | win::MB_ICONWARNING));
}

TEST(Globals, OneBasedArraysRefuseIndexesOutside)
{
    ByFlowPoint<double> values;
    values[10] = 1.5;
    EXPECT_EQ(values[10], 1.5);
    EXPECT_THROW(values[0], rtl::EInvalidArgument);
    EXPECT_THROW(values[11], rtl::EInvalidArgument);
}

}  // namespace
