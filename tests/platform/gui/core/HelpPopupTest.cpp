// Help's text popups: shown in the hint look at the point asked for, closed by a click, a key or deactivation.

#include "platform/gdi/SystemInfo.h"
#include "platform/services/Help.h"
#include "platform/win/Activation.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include "tests/platform/gui/core/ControlsFixture.h"

namespace guitest {
namespace {

using HelpPopupTest = ControlsTest;

win::HWND ShowText(const char* text, win::POINT at)
{
    win::HH_POPUP popup;
    popup.pszText = text;
    popup.pt = at;
    return win::HtmlHelpA(nullptr, nullptr, win::HH_DISPLAY_TEXT_POPUP, reinterpret_cast<win::ULONG_PTR>(&popup));
}

TEST_F(HelpPopupTest, ShowsTheTextInTheHintLookUntilAClickAKeyOrDeactivation)
{
    gui::TForm* form = MakeForm(300, 200, "Main");
    form->Show();
    gui::TForm* other = MakeForm(200, 100, "Other");
    enum Closer { Key, Click, Deactivation };
    for (Closer closer : {Key, Click, Deactivation}) {
        win::SetActiveWindow(form->Handle());
        driver.Pump();
        const win::HWND popup = ShowText("Flow: the volume moved per hour.", {140, 120});
        ASSERT_NE(popup, nullptr);
        driver.Pump();
        win::UpdateWindow(popup);
        win::RECT frame;
        win::GetWindowRect(popup, &frame);
        EXPECT_EQ(frame.left, 140);
        EXPECT_EQ(frame.top, 120);
        EXPECT_GT(frame.right - frame.left, 100) << "wide enough for the text";
        EXPECT_EQ(win::TestDriver::PixelAt(popup, 1, 1), win::GetSysColor(win::COLOR_INFOBK));
        EXPECT_EQ(win::GetActiveWindow(), form->Handle()) << "the popup does not take the activation";
        if (closer == Key)
            driver.PressKey(win::VK_SPACE);
        else if (closer == Click)
            driver.Click(form->Handle(), win::TestDriver::Button::Left, 10, 10);
        else
            other->Show();
        driver.Pump();
        EXPECT_FALSE(win::IsWindow(popup)) << closer;
    }
    EXPECT_EQ(ShowText("", {0, 0}), nullptr);
}

}  // namespace
}  // namespace guitest
