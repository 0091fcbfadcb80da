#include "DisplayFixture.h"

#include "platform/display/detail/KeyTranslator.h"
#include "platform/win/Input.h"
#include "platform/win/Window.h"
#include "platform/wintypes/Messages.h"
#include "tests/support/UsingCodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace displaytest {
namespace {

using win::detail::KeyMessage;
using win::detail::KeyTranslator;
using win::detail::ScreenKeyEvent;
namespace Mod = win::detail::ScreenMod;

// Usage ids of the keys the tests press.
constexpr int UsageF = 9;
constexpr int UsageQ = 20;
constexpr int UsageY = 28;
constexpr int UsageZ = 29;
constexpr int UsageA = 4;
constexpr int UsageE = 8;
constexpr int UsageEqual = 46;  // the German layout's dead acute
constexpr int UsageF10 = 67;
constexpr int UsageRight = 79;
constexpr int UsageKeypadDivide = 84;
constexpr int UsageKeypadEnter = 88;
constexpr int UsageKeypad7 = 95;
constexpr int UsageLeftCtrl = 224;
constexpr int UsageLeftAlt = 226;
constexpr int UsageRightCtrl = 228;
constexpr int UsageRightAlt = 230;

ScreenKeyEvent Press(int usage, std::uint32_t symbol = 0, unsigned modifiers = 0, bool repeat = false)
{
    ScreenKeyEvent event;
    event.scancode = usage;
    event.symbol = symbol;
    event.modifiers = modifiers;
    event.repeat = repeat;
    return event;
}

ScreenKeyEvent Release(int usage, std::uint32_t symbol = 0, unsigned modifiers = 0)
{
    ScreenKeyEvent event = Press(usage, symbol, modifiers);
    event.down = false;
    return event;
}

KeyMessage FirstDown(KeyTranslator& translator, const ScreenKeyEvent& event)
{
    translator.Key(event);
    translator.Flush();
    const auto messages = translator.Take();
    return messages.empty() ? KeyMessage{} : messages.front();
}

TEST(KeyTranslatorTest, VirtualKeysFollowTheLayoutForLettersAndTheScanCodeElsewhere)
{
    struct Case {
        const char* what;
        int usage;
        std::uint32_t symbol;
        unsigned modifiers;
        win::UINT vk;
        win::UINT scan;
        bool extended;
    };
    const Case cases[] = {
        {"German Z key (US Y position)", UsageY, 'z', 0, 'Z', 0x15, false},
        {"German Y key (US Z position)", UsageZ, 'y', 0, 'Y', 0x2C, false},
        {"US A", UsageA, 'a', 0, 'A', 0x1E, false},
        {"keypad 7 with Num Lock", UsageKeypad7, 0, Mod::NumLock, win::VK_NUMPAD0 + 7, 0x47, false},
        {"keypad 7 without Num Lock", UsageKeypad7, 0, 0, win::VK_HOME, 0x47, false},
        {"right arrow", UsageRight, 0, 0, win::VK_RIGHT, 0x4D, true},
        {"left Ctrl", UsageLeftCtrl, 0, 0, win::VK_CONTROL, 0x1D, false},
        {"right Ctrl", UsageRightCtrl, 0, 0, win::VK_CONTROL, 0x1D, true},
        {"keypad Enter", UsageKeypadEnter, 0, 0, win::VK_RETURN, 0x1C, true},
        {"keypad Divide", UsageKeypadDivide, 0, 0, win::VK_DIVIDE, 0x35, true},
    };
    for (const Case& c : cases) {
        KeyTranslator translator;
        const KeyMessage message = FirstDown(translator, Press(c.usage, c.symbol, c.modifiers));
        EXPECT_EQ(message.message, win::WM_KEYDOWN) << c.what;
        EXPECT_EQ(message.vk, c.vk) << c.what;
        EXPECT_EQ((message.lParam >> 16) & 0xFF, c.scan) << c.what;
        EXPECT_EQ((message.lParam >> 24) & 1, c.extended ? 1u : 0u) << c.what;
        EXPECT_EQ(message.lParam & 0xFFFF, 1u) << c.what;
        EXPECT_EQ(message.lParam >> 30, 0u) << c.what;
    }
}

TEST(KeyTranslatorTest, AutoRepeatSetsThePreviousStateAndReleaseTheTransition)
{
    KeyTranslator translator;
    translator.Key(Press(UsageA, 'a'));
    translator.Key(Press(UsageA, 'a', 0, true));
    translator.Key(Release(UsageA, 'a'));
    const auto messages = translator.Take();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ((messages[0].lParam >> 30) & 3, 0u);
    EXPECT_EQ((messages[1].lParam >> 30) & 3, 1u);
    EXPECT_EQ(messages[1].message, win::WM_KEYDOWN);
    EXPECT_EQ((messages[2].lParam >> 30) & 3, 3u);
    EXPECT_EQ(messages[2].message, win::WM_KEYUP);
}

TEST(KeyTranslatorTest, UnknownScanCodesAndReleasesWithoutPressAreDropped)
{
    KeyTranslator translator;
    translator.Key(Press(0));
    translator.Key(Press(300));
    translator.Key(Press(-4));
    translator.Key(Release(UsageA, 'a'));
    translator.Flush();
    EXPECT_TRUE(translator.Take().empty());
}

TEST(KeyTranslatorTest, ResynchronizingReleasesKeysNoLongerDown)
{
    KeyTranslator translator;
    translator.Key(Press(UsageLeftAlt));
    translator.Key(Press(UsageLeftCtrl));
    translator.Flush();
    translator.Take();
    translator.Resynchronize({UsageLeftCtrl}, 5);
    const auto messages = translator.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].vk, win::VK_MENU);
    EXPECT_FALSE(translator.IsDown(win::VK_MENU));
    EXPECT_TRUE(translator.IsDown(win::VK_CONTROL));
}

// The translated keys delivered to a focused window, through TranslateMessage.
class KeyDeliveryTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        window_ = MakeWindow(win::WS_OVERLAPPEDWINDOW | win::WS_VISIBLE, 10, 10, 200, 100);
        win::SetFocus(window_);
        Pump();
        ClearLog();
    }

    void Deliver(KeyTranslator& translator)
    {
        translator.Flush();
        for (const KeyMessage& key : translator.Take()) {
            win::MSG msg;
            msg.hwnd = window_;
            msg.message = key.message;
            msg.wParam = key.vk;
            msg.lParam = static_cast<win::LPARAM>(key.lParam);
            msg.time = key.time;
            msg.lPrivate = key.lPrivate;
            ASSERT_TRUE(win::PostInputMessage(&msg));
        }
        Pump();
    }

    // The characters the window received by message.
    std::string Chars(win::UINT message)
    {
        std::string chars;
        for (const Received& entry : Only({message})) {
            chars += static_cast<char>(entry.wParam);
        }
        return chars;
    }

    win::HWND window_ = nullptr;
};

TEST_F(KeyDeliveryTest, F10AndAltLetterAreSystemKeysAndAltLetterASystemCharacter)
{
    KeyTranslator translator;
    translator.Key(Press(UsageF10));
    translator.Key(Release(UsageF10));
    Deliver(translator);
    ASSERT_EQ(Only({win::WM_SYSKEYDOWN}).size(), 1u);
    EXPECT_EQ(Only({win::WM_SYSKEYDOWN})[0].wParam, win::VK_F10);
    ClearLog();

    translator.Key(Press(UsageLeftAlt, 0, Mod::LeftAlt));
    translator.Key(Press(UsageF, 'f', Mod::LeftAlt));
    translator.Text("f", 0);  // the screen's text while Alt is held is not taken
    translator.Key(Release(UsageF, 'f', Mod::LeftAlt));
    translator.Key(Release(UsageLeftAlt));
    Deliver(translator);
    const auto downs = Only({win::WM_SYSKEYDOWN});
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[1].wParam, static_cast<win::WPARAM>('F'));
    EXPECT_EQ((downs[1].lParam >> 29) & 1, 1);
    EXPECT_EQ(Chars(win::WM_SYSCHAR), "f");
    EXPECT_EQ(Chars(win::WM_CHAR), "");
}

TEST_F(KeyDeliveryTest, AltGrQOnAGermanLayoutTypesTheAtSignAndOpensNoMenu)
{
    testsupport::UsingCodePage page(1252);
    KeyTranslator translator(true);
    translator.Key(Press(UsageRightAlt, 0, Mod::RightAlt));
    translator.Key(Press(UsageQ, 'q', Mod::RightAlt));
    translator.Text("@", 0);
    translator.Key(Release(UsageQ, 'q', Mod::RightAlt));
    translator.Key(Release(UsageRightAlt));
    Deliver(translator);
    EXPECT_EQ(Chars(win::WM_CHAR), "@");
    EXPECT_TRUE(Only({win::WM_SYSKEYDOWN, win::WM_SYSKEYUP, win::WM_SYSCHAR, win::WM_SYSCOMMAND}).empty());
    const auto downs = Only({win::WM_KEYDOWN});
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[0].wParam, win::VK_CONTROL);
    EXPECT_EQ(downs[1].wParam, win::VK_MENU);
    EXPECT_EQ((downs[1].lParam >> 24) & 1, 1);
    EXPECT_FALSE(win::GetKeyState(static_cast<int>(win::VK_CONTROL)) < 0);
}

TEST_F(KeyDeliveryTest, TextGoesWithItsKeyInTheCodePageAndDeadKeysMakeNoCharacter)
{
    testsupport::UsingCodePage page(1252);
    KeyTranslator translator(true);
    // A dead acute (no text), then e, whose key brings the composed character.
    translator.Key(Press(UsageEqual, 0));
    translator.Key(Release(UsageEqual, 0));
    translator.Key(Press(UsageE, 'e'));
    translator.Text("\xC3\xA9", 0);
    translator.Key(Release(UsageE, 'e'));
    // A character outside the code page, invalid UTF-8, and an input method's commit with no key.
    translator.Key(Press(UsageA, 'a'));
    translator.Text("\xE2\x82\xAC\xC5\x81", 0);  // the Euro sign is in 1252, the L with stroke is not
    translator.Key(Release(UsageA, 'a'));
    translator.Key(Press(UsageA, 'a'));
    translator.Text("\xC3", 0);
    translator.Key(Release(UsageA, 'a'));
    translator.Text("Gr\xC3\xBC\xC3\x9F" "e", 0);
    Deliver(translator);
    EXPECT_EQ(Chars(win::WM_CHAR), "\xE9\x80?Gr\xFC\xDF" "e");
    EXPECT_TRUE(Only({win::WM_DEADCHAR}).empty());
}

TEST_F(KeyDeliveryTest, CtrlLetterMakesTheControlCharacterAndEnterItsOwn)
{
    KeyTranslator translator;
    translator.Key(Press(UsageLeftCtrl, 0, Mod::LeftCtrl));
    translator.Key(Press(UsageA, 'a', Mod::LeftCtrl));
    translator.Text("a", 0);
    translator.Key(Release(UsageA, 'a', Mod::LeftCtrl));
    translator.Key(Release(UsageLeftCtrl));
    translator.Key(Press(UsageKeypadEnter));
    translator.Key(Release(UsageKeypadEnter));
    Deliver(translator);
    EXPECT_EQ(Chars(win::WM_CHAR), "\x01\r");
}

}  // namespace
}  // namespace displaytest
