// The STATIC window class on a form: centred text where DrawText puts it, and a click on a static without
// SS_NOTIFY falling through to the window below it.

#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/wintypes/ControlMessages.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/core/DrawingChecks.h"

namespace guitest {
namespace {

class StaticWindowTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        form = MakeForm(300, 200);
        form->OnMouseDown = gui::TMouseEvent::Of<&StaticWindowTest::FormMouseDown>(this);
        form->Show();
        driver.Pump();
    }
    win::HWND MakeStatic(win::DWORD style, const char* text)
    {
        win::HWND hwnd = win::CreateWindowEx(0, "STATIC", text, win::WS_CHILD | win::WS_VISIBLE | style, 20, 30, 200,
                                             20, form->Handle(), nullptr, nullptr, nullptr);
        win::SendMessage(hwnd, win::WM_SETFONT, reinterpret_cast<win::WPARAM>(form->Font()->Handle()), 1);
        driver.Pump();
        return hwnd;
    }
    void FormMouseDown(classes::TObject*, gui::TMouseButton, gui::TShiftState, int x, int y)
    {
        formPresses.push_back({x, y});
    }

    gui::TForm* form = nullptr;
    std::vector<win::POINT> formPresses;
};

TEST_F(StaticWindowTest, CentredTextLiesWhereDrawTextCentresIt)
{
    const char* text = "Scroll anchor";
    win::HWND hwnd = MakeStatic(win::SS_CENTER, text);
    const win::DWORD background = win::TestDriver::PixelAt(hwnd, 0, 0);
    int first = -1;
    int last = -1;
    for (int x = 0; x < 200; ++x) {
        for (int y = 0; y < 20; ++y) {
            if (win::TestDriver::PixelAt(hwnd, x, y) != background) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    // Where DrawText puts the text, measured on a screen context with the same font.
    const win::SIZE size = MeasureText(form->Font(), text);
    const int left = (200 - size.cx) / 2;
    ASSERT_GE(first, 0) << "the text is drawn";
    EXPECT_GE(first, left);
    EXPECT_LE(first, left + 2);
    EXPECT_LE(last, left + size.cx);
    EXPECT_GE(last, left + size.cx - 3);
    win::DestroyWindow(hwnd);
}

TEST_F(StaticWindowTest, AClickWithoutNotifyReachesTheParentAndWithNotifyStaysOnTheStatic)
{
    win::HWND plain = MakeStatic(win::SS_LEFT, "Plain");
    driver.Click(plain, win::TestDriver::Button::Left, 5, 5);
    driver.Pump();
    ASSERT_EQ(formPresses.size(), 1u);
    EXPECT_EQ(formPresses[0].x, 25);
    EXPECT_EQ(formPresses[0].y, 35);
    win::DestroyWindow(plain);

    win::HWND notifying = MakeStatic(win::SS_NOTIFY, "Notifying");
    driver.Click(notifying, win::TestDriver::Button::Left, 5, 5);
    driver.Pump();
    EXPECT_EQ(formPresses.size(), 1u) << "the static takes the click";
    win::DestroyWindow(notifying);
}

}  // namespace
}  // namespace guitest
