#pragma once
// The analysis window as the program makes it, headless and driven on the virtual clock: the libraries
// and the estimator started as the tools start them (a default fan project in HP and "$", the options
// the loader gives an empty registry), '.' and ',' as the locale's separators unless a test changes them, a scratch registry, scripted dialogs, the end of the program recorded, and a host that
// records what the window asks of the windows above it.

#include "analysis/Globals.h"
#include "analysis/ParamTable.h"
#include "analysis/windows/AnalysisHost.h"
#include "analysis/windows/Fan.h"
#include "controls/pagecontrol/clPC.h"
#include "platform/chart/Chart.h"
#include "platform/chart/ChartAxis.h"
#include "platform/chart/ChartSeries.h"
#include "platform/chart/ChartTitle.h"
#include "platform/gui/controls/BitBtn.h"
#include "platform/gui/controls/CheckBox.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/graphics/Font.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/ProgramEnd.h"
#include "platform/services/DialogService.h"
#include "platform/services/Sound.h"
#include "platform/win/testing/TestDriver.h"
#include "tests/support/KeyPresses.h"
#include "tests/support/ScratchRegistry.h"
#include "tools/common/Estimator.h"
#include "tools/common/ProgramLibraries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fantest {

struct RecordingHost final : analysis::AnalysisHost {
    std::vector<std::string> calls;
    std::function<void()> onSave;
    void GetHelp(std::string_view topic) override { calls.push_back("help " + std::string(topic)); }
    void SaveProject() override
    {
        calls.push_back("save");
        if (onSave)
            onSave();
    }
    void UpdateStatusBar() override { calls.push_back("status"); }
    void ShowSetupPage(int index) override { calls.push_back("setup " + std::to_string(index)); }
};

class FanWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        UseSeparators('.', ',');
        libraries_.emplace(tools::ProgramLibraries::Reach::Windows);
        registry.emplace();
        dialogService.emplace(dialogs);
        tools::StartEstimator();
        analysis::AppType = 1;
        win::ClearSoundLog();
        analysis::InstallAnalysisHost(&host);
        driver.SetMessageLoop([] { return gui::Application()->ProcessMessage(); });
        window = new analysis::TFANFORM(gui::Application());
    }
    void TearDown() override
    {
        delete window;
        analysis::InstallAnalysisHost(nullptr);
        EXPECT_TRUE(driver.Stalls().empty()) << driver.Stalls().front();
        dialogService.reset();
        registry.reset();
        libraries_.reset();
        rtl::SetLocaleSource(nullptr);
    }

    // The locale's separators, taken by the number texts as the program takes them at start-up.
    static void UseSeparators(char decimal, char thousands)
    {
        auto locale = rtl::FixedLocaleSource::UnitedStates();
        locale->Set(rtl::LocaleItem::DecimalSeparator, std::string(1, decimal));
        locale->Set(rtl::LocaleItem::ThousandSeparator, std::string(1, thousands));
        rtl::SetLocaleSource(std::move(locale));
        analysis::InitNumberSeparators();
    }

    // Shows the window (FormShow runs) and lets it settle.
    void Open()
    {
        window->Show();
        driver.Pump();
    }
    // Runs the window modally; the steps given with Then run one after the other while it shows.
    gui::TModalResult RunModal()
    {
        const gui::TModalResult result = window->ShowModal();
        driver.Pump();
        return result;
    }
    void Then(std::function<void()> step)
    {
        nextStep_ = std::max(nextStep_, clock.TickCount64()) + 100;
        driver.At(nextStep_, std::move(step));
    }

    template <class T = gui::TControl>
    T& Named(const std::string& name) const
    {
        auto* component = dynamic_cast<T*>(window->FindComponent(name));
        if (!component)
            throw std::runtime_error("no " + name);
        return *component;
    }
    gui::TEdit& Edit(const std::string& name) const { return Named<gui::TEdit>(name); }
    std::string Caption(const std::string& name) const { return Named<gui::TControl>(name).Caption(); }
    int Page() const { return window->PageControl1->ActivePageIndex(); }
    void GoToPage(int index)
    {
        window->PageControl1->SetActivePageIndex(index);
        driver.Pump();
    }

    // Typing goes to the focused control, as the user's keys would.
    void Focus(gui::TWinControl& control)
    {
        control.SetFocus();
        driver.Pump();
    }
    void Type(const std::string& text)
    {
        driver.TypeText(text);
        driver.Pump();
    }
    // Replaces the text of the focused edit by typing.
    void Retype(gui::TEdit& edit, const std::string& text)
    {
        Focus(edit);
        edit.SelectAll();
        driver.PressKey(win::VK_DELETE);
        Type(text);
    }
    void Press(win::UINT vk)
    {
        driver.PressKey(vk);
        driver.Pump();
    }
    void PressWith(win::UINT modifier, win::UINT vk) { testsupport::PressWith(driver, {modifier}, vk); }
    // Clicks the middle of a visible control.
    void ClickOn(gui::TControl& control)
    {
        gui::TWinControl* parent = control.Parent();
        const win::RECT bounds = control.BoundsRect();
        driver.Click(parent->Handle(), win::TestDriver::Button::Left, (bounds.left + bounds.right) / 2,
                     (bounds.top + bounds.bottom) / 2);
        driver.Pump();
    }
    void ClickTab(int index)
    {
        const win::RECT tab = window->PageControl1->Tabs()->Tab(index)->VisibleRect();
        driver.Click(window->PageControl1->Handle(), win::TestDriver::Button::Left, (tab.left + tab.right) / 2,
                     (tab.top + tab.bottom) / 2);
        driver.Pump();
    }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const win::MessageDialogRequest& request : dialogs.AskedMessageDialogs())
            texts.push_back(request.text);
        return texts;
    }
    static int Beeps()
    {
        int beeps = 0;
        for (const win::SoundRequest& request : win::SoundLog())
            beeps += request.kind == win::SoundRequest::Beep;
        return beeps;
    }

    std::optional<testsupport::ScratchRegistry> registry;
    win::ScriptedDialogs dialogs;
    std::optional<win::ScopedDialogService> dialogService;
    std::vector<int> endCodes;
    rtl::ScopedProgramEndHandler programEnd{[this](int code) { endCodes.push_back(code); }};
    rtl::VirtualClock clock{0.0, 10000};
    rtl::ScopedClock installedClock{clock};
    win::TestDriver driver{clock};
    RecordingHost host;
    analysis::TFANFORM* window = nullptr;

private:
    std::optional<tools::ProgramLibraries> libraries_;
    std::uint64_t nextStep_ = 0;
};

}  // namespace fantest
