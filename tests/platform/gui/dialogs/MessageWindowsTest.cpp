// Message boxes and message dialogs as windows: their buttons, the focused one, and what Enter, Esc,
// the close box, mnemonics, Tab and the arrows answer; the layout; the owner disabled meanwhile.

#include "platform/gui/dialogs/MessageDialogs.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gui/core/Screen.h"
#include "platform/rtl/Threads.h"
#include "platform/services/Sound.h"
#include "platform/win/Icon.h"

#include "tests/platform/gui/dialogs/DialogWindowsFixture.h"

#include <atomic>
#include <memory>
#include <optional>
#include <thread>

namespace guitest {
namespace {

constexpr win::UINT VK_N = 'N';
constexpr win::UINT VK_Y = 'Y';

class MessageWindows : public DialogWindowsTest {
protected:
    // What the dialog showed when the first step ran.
    struct Seen {
        std::string caption;
        std::vector<std::string> buttons;
        std::string focused;
        bool defaultFrame = false;
        bool closeGreyed = false;
    };

    Seen Look()
    {
        Seen seen;
        const win::HWND dialog = Dialog();
        seen.caption = win::GetWindowText(dialog);
        seen.buttons = Texts(dialog, "TButton");
        const win::HWND focus = win::GetFocus();
        seen.focused = win::GetWindowText(focus);
        seen.defaultFrame = (win::GetWindowLongPtr(focus, win::GWL_STYLE) & 0xF) == 1;  // BS_DEFPUSHBUTTON
        seen.closeGreyed = (win::GetClassLongPtr(dialog, win::GCL_STYLE) & win::CS_NOCLOSE) != 0;
        return seen;
    }

    void CloseBox() { win::SendMessage(Dialog(), win::WM_SYSCOMMAND, win::SC_CLOSE, 0); }
};

TEST_F(MessageWindows, ButtonsFocusAndKeysFollowTheType)
{
    // After the action the box has ended with an answer, or stays and Enter then answers.
    enum Action { Enter, Escape, Close, MnemonicN, AltY, Tab, Right };
    struct Case {
        unsigned type;
        std::vector<std::string> buttons;
        std::string focused;
        bool closeGreyed;
        Action action;
        bool stays;
        int answer;
    };
    const unsigned warning = win::MB_YESNO | win::MB_ICONWARNING | win::MB_DEFBUTTON2;
    const Case cases[] = {
        {warning, {"&Yes", "&No"}, "&No", true, Enter, false, win::IDNO},
        {warning, {"&Yes", "&No"}, "&No", true, Escape, true, win::IDNO},
        {warning, {"&Yes", "&No"}, "&No", true, Close, true, win::IDNO},
        {win::MB_YESNO, {"&Yes", "&No"}, "&Yes", true, MnemonicN, false, win::IDNO},
        {win::MB_OK, {"OK"}, "OK", false, Escape, false, win::IDOK},
        {win::MB_OK | win::MB_ICONHAND, {"OK"}, "OK", false, Close, false, win::IDOK},
        {win::MB_YESNOCANCEL | win::MB_ICONQUESTION, {"&Yes", "&No", "Cancel"}, "&Yes", false, Escape, false, win::IDCANCEL},
        {win::MB_YESNOCANCEL, {"&Yes", "&No", "Cancel"}, "&Yes", false, Close, false, win::IDCANCEL},
        {win::MB_YESNOCANCEL, {"&Yes", "&No", "Cancel"}, "&Yes", false, Tab, true, win::IDNO},
        {win::MB_YESNOCANCEL | win::MB_DEFBUTTON3, {"&Yes", "&No", "Cancel"}, "Cancel", false, Enter, false, win::IDCANCEL},
        {win::MB_OKCANCEL | win::MB_DEFBUTTON2, {"OK", "Cancel"}, "Cancel", false, Enter, false, win::IDCANCEL},
        {win::MB_ABORTRETRYIGNORE | win::MB_DEFBUTTON2, {"&Abort", "&Retry", "&Ignore"}, "&Retry", true, Right, true, win::IDIGNORE},
        {win::MB_ABORTRETRYIGNORE, {"&Abort", "&Retry", "&Ignore"}, "&Abort", true, Escape, true, win::IDABORT},
        {win::MB_RETRYCANCEL, {"&Retry", "Cancel"}, "&Retry", false, Escape, false, win::IDCANCEL},
        // Last: the box ends at Y, so the release of Alt reaches no window and the key stays down.
        {win::MB_YESNO | win::MB_DEFBUTTON2, {"&Yes", "&No"}, "&No", true, AltY, false, win::IDYES},
    };
    for (const Case& c : cases) {
        Seen seen;
        bool stayed = false;
        win::HWND dialog = nullptr;
        const int answer = WhileShowing(
            {[&] {
                 dialog = Dialog();
                 seen = Look();
                 switch (c.action) {
                 case Enter: Press(win::VK_RETURN); break;
                 case Escape: Press(win::VK_ESCAPE); break;
                 case Close: CloseBox(); break;
                 case MnemonicN: Press(VK_N); break;
                 case AltY:
                     driver.KeyDown(win::VK_MENU);
                     Press(VK_Y);
                     driver.KeyUp(win::VK_MENU);
                     break;
                 case Tab: Press(win::VK_TAB); break;
                 case Right: Press(win::VK_RIGHT); break;
                 }
             },
             [&] {
                 stayed = win::IsWindowVisible(dialog);
                 if (stayed)
                     Press(win::VK_RETURN);
             }},
            [&] { return win::MessageBox("Reset every setting?", "Question", c.type); });
        const std::string name = std::to_string(c.type) + "/" + std::to_string(c.action);
        EXPECT_EQ(seen.caption, "Question") << name;
        EXPECT_EQ(seen.buttons, c.buttons) << name;
        EXPECT_EQ(seen.focused, c.focused) << name;
        EXPECT_TRUE(seen.defaultFrame) << name;
        EXPECT_EQ(seen.closeGreyed, c.closeGreyed) << name;
        EXPECT_EQ(stayed, c.stays) << name;
        EXPECT_EQ(answer, c.answer) << name;
    }
}

TEST_F(MessageWindows, CaptionDefaultsToErrorAndTheIconBeeps)
{
    win::ClearSoundLog();
    std::string caption;
    WhileShowing({[&] {
                     caption = win::GetWindowText(Dialog());
                     Press(win::VK_RETURN);
                 }},
                 [&] { return win::MessageBox("Text", "", win::MB_OK | win::MB_ICONASTERISK); });
    EXPECT_EQ(caption, "Error");
    const std::vector<win::SoundRequest> sounds = win::SoundLog();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].beepType, unsigned(win::MB_ICONASTERISK));
}

// The owner is disabled while the box shows and active again after it.
TEST_F(MessageWindows, OwnerIsDisabledDuringTheBox)
{
    gui::TForm* owner = MakeForm(300, 200, "Owner");
    owner->Show();
    ASSERT_EQ(win::GetActiveWindow(), owner->Handle());
    bool ownerEnabled = true;
    win::HWND boxOwner = nullptr;
    WhileShowing({[&] {
                     ownerEnabled = win::IsWindowEnabled(owner->Handle());
                     boxOwner = win::GetWindow(Dialog(), win::GW_OWNER);
                     Press(win::VK_RETURN);
                 }},
                 [&] { return win::MessageBox("Text", "Caption", win::MB_OK); });
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(boxOwner, owner->Handle());
    EXPECT_TRUE(win::IsWindowEnabled(owner->Handle()));
    EXPECT_EQ(win::GetActiveWindow(), owner->Handle());
}

// A box asked for on a worker thread shows on the GUI thread, owned by its active form; the worker
// waits and gets the answer given there.
TEST_F(MessageWindows, AWorkerThreadsBoxShowsOnTheGuiThread)
{
    gui::TForm* owner = MakeForm(300, 200, "Owner");
    owner->Show();
    // Shared with the worker, which outlives this test if the box never reaches this thread.
    struct Worker {
        std::atomic<win::DWORD> thread{0};
        std::atomic<int> answer{0};
    };
    auto worker = std::make_shared<Worker>();
    std::thread running;
    win::DWORD shownOn = 0;
    win::HWND boxOwner = nullptr;
    std::string caption;
    const bool ran = WhileShowing({[&] {
                                      shownOn = win::GetWindowThreadProcessId(Dialog(), nullptr);
                                      boxOwner = win::GetWindow(Dialog(), win::GW_OWNER);
                                      caption = win::GetWindowText(Dialog());
                                      Press(VK_N);
                                  }},
                                  [&] {
                                      running = std::thread([worker] {
                                          worker->thread = win::GetCurrentThreadId();
                                          worker->answer = win::MessageBox("Stop the calculation?", "Worker",
                                                                           win::MB_YESNO | win::MB_ICONQUESTION);
                                      });
                                      // The worker's request is run here; the wait only bounds a failure.
                                      return rtl::CheckSynchronize(60000);
                                  });
    if (!ran) {
        running.detach();
        FAIL() << "the worker's box never reached the GUI thread";
    }
    running.join();
    EXPECT_EQ(shownOn, win::GetCurrentThreadId());
    EXPECT_NE(shownOn, worker->thread.load());
    EXPECT_EQ(caption, "Worker");
    EXPECT_EQ(boxOwner, owner->Handle());
    EXPECT_EQ(worker->answer.load(), win::IDNO);
    EXPECT_EQ(windows.texts, std::vector<std::string>{"Stop the calculation?"});
    EXPECT_TRUE(win::IsWindowEnabled(owner->Handle()));
}

// A long text wraps at half the work area's width, and the buttons sit centred below it.
TEST_F(MessageWindows, LongTextWrapsAtHalfTheWorkAreaAndButtonsAreCentred)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += (i % 7 == 0 ? "energy " : "saving ");
    const win::RECT work = gui::Screen()->WorkAreaRect();
    win::RECT client{};
    win::RECT frame{};
    std::vector<win::RECT> buttons;
    int rightmostText = -1;
    win::POINT origin{0, 0};
    WhileShowing({[&] {
                     const win::HWND dialog = Dialog();
                     win::ClientToScreen(dialog, &origin);
                     win::GetClientRect(dialog, &client);
                     win::GetWindowRect(dialog, &frame);
                     for (win::HWND child : Children(dialog)) {
                         win::RECT rect;
                         win::GetWindowRect(child, &rect);
                         buttons.push_back(rect);
                     }
                     win::UpdateWindow(dialog);
                     const win::DWORD face = win::TestDriver::PixelAt(dialog, 1, 1);
                     for (int y = 0; y < client.bottom / 2; ++y)
                         for (int x = 0; x < client.right; ++x)
                             if (win::TestDriver::PixelAt(dialog, x, y) != face)
                                 rightmostText = std::max(rightmostText, x);
                     Press(win::VK_RETURN);
                 }},
                 [&] { return win::MessageBox(text, "Long", win::MB_OKCANCEL); });
    ASSERT_EQ(buttons.size(), 2u);
    const int half = (work.right - work.left) / 2;
    EXPECT_GT(rightmostText, half * 3 / 4) << "the text fills its lines";
    EXPECT_LE(rightmostText, half + 40) << "no line is wider than half the work area (after the margins)";
    EXPECT_GT(client.bottom, 4 * 13) << "the text runs over several lines";
    const int leftGap = buttons[0].left - origin.x;
    const int rightGap = origin.x + client.right - buttons[1].right;
    EXPECT_LE(std::abs(leftGap - rightGap), 1) << leftGap << " " << rightGap;
    EXPECT_EQ(buttons[0].bottom, buttons[1].bottom);
    // Centred in the work area.
    EXPECT_LE(std::abs((frame.left - work.left) - (work.right - frame.right)), 1);
    EXPECT_LE(std::abs((frame.top - work.top) - (work.bottom - frame.bottom)), 1);
}

TEST_F(MessageWindows, MessageDialogsTakeTheirTypesCaptionIconAndButtons)
{
    struct Case {
        gui::TMsgDlgType type;
        gui::TMsgDlgButtons buttons;
        std::string caption;
        std::vector<std::string> texts;
        std::string focused;
        win::UINT key;
        int answer;
    };
    const auto set = [](std::initializer_list<gui::TMsgDlgBtn> buttons) {
        gui::TMsgDlgButtons bits = 0;
        for (gui::TMsgDlgBtn b : buttons)
            bits |= 1u << b;
        return bits;
    };
    gui::Application()->SetTitle("Rivuve");
    const Case cases[] = {
        {gui::mtWarning, set({gui::mbYes}), "Warning", {"&Yes"}, "&Yes", win::VK_RETURN, gui::mrYes},
        {gui::mtConfirmation, set({gui::mbYes, gui::mbNo, gui::mbCancel}), "Confirm", {"&Yes", "&No", "Cancel"}, "&Yes",
         win::VK_ESCAPE, 2},
        {gui::mtError, set({gui::mbAbort, gui::mbRetry, gui::mbIgnore}), "Error", {"&Abort", "&Retry", "&Ignore"},
         "&Retry", win::VK_RETURN, gui::mrRetry},
        {gui::mtInformation, set({gui::mbOK, gui::mbYes}), "Information", {"&Yes", "OK"}, "OK", win::VK_ESCAPE,
         gui::mrOk},
        {gui::mtCustom, set({gui::mbYes, gui::mbNo}), "Rivuve", {"&Yes", "&No"}, "&Yes", win::VK_ESCAPE, gui::mrNo},
        {gui::mtConfirmation, set({gui::mbAll, gui::mbNoToAll, gui::mbYesToAll}), "Confirm",
         {"&All", "N&o to All", "Yes to &All"}, "&All", win::VK_RETURN, gui::mrAll},
    };
    for (const Case& c : cases) {
        Seen seen;
        const int answer = WhileShowing({[&] {
                                            seen = Look();
                                            Press(c.key);
                                        }},
                                        [&] { return gui::MessageDlg("Go on?", c.type, c.buttons, 0); });
        EXPECT_EQ(seen.caption, c.caption);
        EXPECT_EQ(seen.buttons, c.texts) << c.caption;
        EXPECT_EQ(seen.focused, c.focused) << c.caption;
        EXPECT_EQ(answer, c.answer) << c.caption;
    }
}

// The exclamation icon stands at the left of a warning; a custom dialog has none.
TEST_F(MessageWindows, WarningShowsTheExclamationIcon)
{
    win::HDC screen = win::GetDC(nullptr);
    win::HDC memory = win::CreateCompatibleDC(screen);
    win::HBITMAP bitmap = win::CreateCompatibleBitmap(screen, 32, 32);
    win::HGDIOBJ old = win::SelectObject(memory, bitmap);
    win::ReleaseDC(nullptr, screen);
    std::vector<std::vector<win::COLORREF>> shown;
    const auto grab = [&] {
        shown.clear();
        const win::HWND dialog = Dialog();
        win::UpdateWindow(dialog);
        for (int y = 0; y < 48; ++y) {
            shown.emplace_back();
            for (int x = 0; x < 48; ++x)
                shown.back().push_back(win::TestDriver::PixelAt(dialog, x, y));
        }
        Press(win::VK_RETURN);
    };
    // The icon drawn over the dialog's face colour, as a reference.
    const auto contains = [&](win::COLORREF face) {
        win::HBRUSH brush = win::CreateSolidBrush(face);
        win::RECT all{0, 0, 32, 32};
        win::FillRect(memory, &all, brush);
        win::DeleteObject(brush);
        win::DrawIcon(memory, 0, 0, win::LoadIcon(nullptr, win::IDI_EXCLAMATION));
        for (int top = 0; top + 32 <= 48; ++top)
            for (int left = 0; left + 32 <= 48; ++left) {
                bool same = true;
                for (int y = 0; y < 32 && same; ++y)
                    for (int x = 0; x < 32 && same; ++x)
                        same = shown[std::size_t(top + y)][std::size_t(left + x)] == win::GetPixel(memory, x, y);
                if (same)
                    return true;
            }
        return false;
    };
    WhileShowing({grab}, [&] { return gui::MessageDlg("Careful", gui::mtWarning, 1u << gui::mbYes, 0); });
    EXPECT_TRUE(contains(shown[0][0]));
    WhileShowing({grab}, [&] { return gui::MessageDlg("Plain", gui::mtCustom, 1u << gui::mbOK, 0); });
    EXPECT_FALSE(contains(shown[0][0]));
    win::SelectObject(memory, old);
    win::DeleteObject(bitmap);
    win::DeleteDC(memory);
}

struct HelpCalls {
    std::vector<std::pair<win::WORD, int>> calls;
    bool Help(win::WORD command, int data, bool& callHelp)
    {
        calls.emplace_back(command, data);
        callHelp = false;
        return true;
    }
};

TEST_F(MessageWindows, HelpButtonCallsTheHelpAndTheBoxStays)
{
    HelpCalls help;
    gui::Application()->OnHelp = gui::THelpEvent::Of<&HelpCalls::Help>(&help);
    bool stayed = false;
    const int answer = WhileShowing({[&] { ClickOn(Child(Dialog(), "&Help")); },
                                     [&] {
                                         stayed = win::IsWindowVisible(Dialog()) && win::GetWindowText(Dialog()) == "Confirm";
                                         ClickOn(Child(Dialog(), "&No"));
                                     }},
                                    [&] {
                                        return gui::MessageDlg("Go on?", gui::mtConfirmation,
                                                               1u << gui::mbYes | 1u << gui::mbNo | 1u << gui::mbHelp, 1200);
                                    });
    gui::Application()->OnHelp = {};
    EXPECT_TRUE(stayed);
    EXPECT_EQ(answer, gui::mrNo);
    ASSERT_EQ(help.calls.size(), 1u);
    EXPECT_EQ(help.calls[0], std::make_pair(gui::HELP_CONTEXT, 1200));
}

TEST_F(MessageWindows, InputBoxGivesTheTypedTextOrTheDefault)
{
    struct Case {
        std::string typed;
        win::UINT key;
        std::string result;
    };
    const Case cases[] = {
        {"4500", win::VK_RETURN, "4500"},
        {"4500", win::VK_ESCAPE, "1450"},
        {"", win::VK_RETURN, "1450"},
    };
    for (const Case& c : cases) {
        std::string caption;
        std::vector<std::string> buttons;
        const std::string result = WhileShowing(
            {[&] {
                 caption = win::GetWindowText(Dialog());
                 buttons = Texts(Dialog(), "TButton");
                 if (!c.typed.empty())
                     driver.TypeText(c.typed);
                 Press(c.key);
             }},
            [&] { return gui::InputBox("Speed", "Motor speed (rpm):", "1450"); });
        EXPECT_EQ(caption, "Speed");
        EXPECT_EQ(buttons, (std::vector<std::string>{"OK", "Cancel"}));
        EXPECT_EQ(result, c.result) << c.typed << " " << c.key;
    }
    std::string value = "x";
    const bool confirmed = WhileShowing({[&] {
                                            driver.TypeText(std::string(300, 'a'));
                                            Press(win::VK_RETURN);
                                        }},
                                        [&] { return gui::InputQuery("Name", "Name:", value); });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(value, std::string(255, 'a')) << "the edit takes 255 characters";
}

}  // namespace
}  // namespace guitest
