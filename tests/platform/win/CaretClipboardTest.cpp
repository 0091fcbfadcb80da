#include "WinFixture.h"

#include "platform/win/Caret.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Cursor.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/detail/Caret.h"
#include "platform/win/detail/Cursor.h"
#include "platform/win/testing/TestDriver.h"
#include "platform/win/Window.h"

#include <cstring>
#include <thread>

namespace wintest {
namespace {

using namespace win;
using namespace win::detail;

class CaretClipboardTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        RegisterRecorderClass();
        hwnd = MakeWindow(WS_POPUP | WS_VISIBLE);
    }

    bool Drawn()
    {
        CaretState state;
        return GetCaretState(state) && state.drawn;
    }

    rtl::VirtualClock clock{0.0, 1000};
    rtl::ScopedClock installed{clock};
    TestDriver driver{clock};
    HWND hwnd = nullptr;
};

TEST_F(CaretClipboardTest, TheCaretBlinksOnTheClockAndAMoveShowsItAtOnce)
{
    SetCaretBlinkTime(500);
    ASSERT_TRUE(CreateCaret(hwnd, nullptr, 0, 14));
    EXPECT_FALSE(Drawn()) << "created hidden";
    ASSERT_TRUE(ShowCaret(hwnd));
    EXPECT_FALSE(ShowCaret(hwnd)) << "shown already";
    std::vector<bool> phases;
    for (int i = 0; i < 4; ++i) {
        phases.push_back(Drawn());
        driver.AdvanceBy(500);
    }
    EXPECT_EQ(phases, (std::vector<bool>{true, false, true, false}));
    driver.AdvanceBy(250);
    SetCaretPos(7, 3);
    EXPECT_TRUE(Drawn());
    driver.AdvanceBy(499);
    EXPECT_TRUE(Drawn()) << "a move starts a whole blink time over";
    driver.AdvanceBy(1);
    EXPECT_FALSE(Drawn());
    CaretState state;
    ASSERT_TRUE(GetCaretState(state));
    EXPECT_EQ(state.rect, (RECT{7, 3, 8, 17}));
    SetCaretPos(7, 3);
    const DWORD drawn = TestDriver::PixelAt(hwnd, 7, 3);
    EXPECT_EQ(drawn, TestDriver::PixelAt(hwnd, 7, 16));
    EXPECT_EQ(drawn ^ 0xFFFFFF, TestDriver::PixelAt(hwnd, 8, 3)) << "the caret inverts what is under it";
    driver.AdvanceBy(500);
    EXPECT_EQ(TestDriver::PixelAt(hwnd, 7, 3), TestDriver::PixelAt(hwnd, 8, 3)) << "and gives it back";
    HideCaret(hwnd);
    driver.AdvanceBy(2000);
    EXPECT_FALSE(Drawn());
    EXPECT_TRUE(DestroyCaret());
    EXPECT_FALSE(GetCaretState(state));
    for (const Received& entry : Log().Entries()) {
        EXPECT_NE(entry.message, WM_TIMER) << "the blinking is the system's own";
    }
}

TEST_F(CaretClipboardTest, ClipboardTextComesBackInEveryTextFormat)
{
    ASSERT_TRUE(OpenClipboard(hwnd));
    ASSERT_TRUE(EmptyClipboard());
    const char text[] = "Savings 12%";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    std::memcpy(GlobalLock(block), text, sizeof text);
    GlobalUnlock(block);
    EXPECT_EQ(SetClipboardData(CF_TEXT, block), block);
    const UINT custom = RegisterClipboardFormat("Rivuve Rows");
    EXPECT_GE(custom, 0xC000u);
    HGLOBAL rows = GlobalAlloc(GMEM_MOVEABLE, 4);
    SetClipboardData(custom, rows);
    ASSERT_TRUE(CloseClipboard());

    EXPECT_EQ(GetClipboardOwner(), hwnd);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(CountClipboardFormats(), 4);
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr) << "closed";
    EXPECT_EQ(GetLastError(), ERROR_CLIPBOARD_NOT_OPEN);

    ASSERT_TRUE(OpenClipboard(nullptr));
    std::vector<UINT> formats;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        formats.push_back(format);
    }
    EXPECT_EQ(formats, (std::vector<UINT>{CF_TEXT, custom, CF_OEMTEXT, CF_UNICODETEXT}));
    HANDLE wide = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(GlobalLock(wide))), u"Savings 12%");
    GlobalUnlock(wide);

    std::thread other([] { EXPECT_FALSE(OpenClipboard(nullptr)) << "open on another thread"; });
    other.join();

    Log().Clear();
    const DWORD sequence = GetClipboardSequenceNumber();
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_GT(GetClipboardSequenceNumber(), sequence);
    EXPECT_EQ(Log().Only({WM_DESTROYCLIPBOARD}), (std::vector<std::pair<HWND, UINT>>{{hwnd, WM_DESTROYCLIPBOARD}}));
    EXPECT_EQ(GlobalSize(block), 0u) << "the clipboard freed the data it owned";
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    CloseClipboard();
}

TEST_F(CaretClipboardTest, SystemAndResourceCursors)
{
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), arrow);
    EXPECT_EQ(GetCursor(), arrow);
    const HINSTANCE module = HandleFromValue<HINSTANCE>(0x400000);
    EXPECT_EQ(LoadCursor(module, MAKEINTRESOURCE(5)), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
    const BYTE masks[2 * 16] = {};
    const HCURSOR drag = CreateCursor(module, 1, 2, 16, 16, masks, masks);
    SetCursorResourceLoader([&](HINSTANCE instance, const char* name) {
        return instance == module && name == MAKEINTRESOURCE(5) ? drag : nullptr;
    });
    EXPECT_EQ(LoadCursor(module, MAKEINTRESOURCE(5)), drag);
    CursorShape shape;
    ASSERT_TRUE(GetCursorShape(drag, shape));
    EXPECT_EQ(shape.hotSpot, (POINT{1, 2}));
    EXPECT_FALSE(DestroyCursor(arrow)) << "system cursors stay";
    EXPECT_TRUE(DestroyCursor(drag));
    EXPECT_FALSE(GetCursorShape(drag, shape));
}

}  // namespace
}  // namespace wintest
