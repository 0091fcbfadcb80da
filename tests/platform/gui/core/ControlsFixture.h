#pragma once
// The GUI class library on a virtual clock, driven by the test driver through the application's own loop
// step, with message boxes answered from a script. A loop that would wait for ever fails the test.

#include "platform/classes/ClassRegistry.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Form.h"
#include "platform/rtl/Clock.h"
#include "platform/services/DialogService.h"
#include "platform/win/testing/TestDriver.h"

#include "tests/platform/gui/core/TestControls.h"
#include "tests/platform/gui/graphics/GuiFixture.h"
#include "tests/support/KeyPresses.h"

#include <initializer_list>
#include <ostream>

namespace win {
inline void PrintTo(const RECT& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}
inline void PrintTo(const POINT& point, std::ostream* os)
{
    *os << "(" << point.x << ", " << point.y << ")";
}
}  // namespace win

namespace guitest {

class ControlsTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Log().clear();
        driver.SetMessageLoop([] { return gui::Application()->ProcessMessage(); });
        for (const classes::TClassInfo* cls :
             {&TTestControl::StaticClass(), &TTestPanel::StaticClass(), &TTestGraphic::StaticClass()}) {
            classes::RegisterClass(*cls);
        }
    }
    void TearDown() override
    {
        EXPECT_TRUE(driver.Stalls().empty()) << driver.Stalls().front();
        GuiTest::TearDown();
        Log().clear();
    }

    // A shown form of client size width x height at (100, 100), made the active window.
    gui::TForm* MakeForm(int width = 400, int height = 300, const char* name = "Main")
    {
        auto* form = new gui::TForm(gui::Application());
        form->SetName(name);
        form->SetBounds(100, 100, 100, 100);
        form->SetClientWidth(width);
        form->SetClientHeight(height);
        return form;
    }

    template <class C>
    C* Make(gui::TWinControl* parent, const char* name, int left, int top, int width = 60, int height = 20)
    {
        classes::TComponent* owner = gui::GetParentForm(parent);
        auto* control = new C(owner ? owner : parent);
        control->SetName(name);
        control->SetBounds(left, top, width, height);
        control->SetParent(parent);
        return control;
    }

    // Shows the control's form and focuses the control.
    void ShowAndFocus(gui::TWinControl* control)
    {
        gui::GetParentForm(control)->Show();
        driver.Pump();
        control->SetFocus();
        driver.Pump();
    }

    // Presses key with the held keys (Ctrl, Shift, Alt) down, and lets the messages run.
    void PressWith(std::initializer_list<win::UINT> held, win::UINT key) { testsupport::PressWith(driver, held, key); }
    void Press(win::UINT key) { PressWith({}, key); }

    rtl::VirtualClock clock{0.0, 10000};
    rtl::ScopedClock installed{clock};
    win::TestDriver driver{clock};
    win::ScriptedDialogs dialogs;
    win::ScopedDialogService scriptedDialogs{dialogs};
};

}  // namespace guitest
