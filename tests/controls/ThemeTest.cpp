// The theme binding without the visual-styles library (as this system is) and with a fake library that
// records what it is asked and answers handles, sizes and theme names.

#include "controls/uxTheme.h"

#include "platform/win/MessageQueue.h"
#include "platform/wintypes/Messages.h"
#include "tests/controls/ControlsFixture.h"

#include <string>
#include <vector>

namespace {

// The fake library's state: what was opened and closed, and what it answers.
struct FakeTheme {
    std::vector<std::u16string> opened;
    std::vector<controls::HTHEME> closed;
    bool active = true;
    std::u16string fileName = u"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
    int nextHandle = 1;
};
FakeTheme fake;

controls::HTHEME FakeOpen(win::HWND, const char16_t* classList)
{
    fake.opened.emplace_back(classList);
    return reinterpret_cast<controls::HTHEME>(std::uintptr_t(fake.nextHandle++));
}

controls::HRESULT FakeClose(controls::HTHEME theme)
{
    fake.closed.push_back(theme);
    return controls::S_OK;
}

win::BOOL FakeActive()
{
    return fake.active;
}

controls::HRESULT FakeThemeName(char16_t* file, int fileLength, char16_t* color, int, char16_t* size, int)
{
    const std::u16string name = fake.fileName.substr(0, std::size_t(fileLength - 1));
    std::copy(name.begin(), name.end(), file);
    file[name.size()] = 0;
    color[0] = 0;
    size[0] = 0;
    return controls::S_OK;
}

controls::TuxThemeLibrary FakeLibrary()
{
    controls::TuxThemeLibrary library;
    library.OpenThemeData = &FakeOpen;
    library.CloseThemeData = &FakeClose;
    library.IsThemeActive = &FakeActive;
    library.GetCurrentThemeName = &FakeThemeName;
    return library;
}

class NoThemeLibrary : public controlstest::ControlsTest {};

TEST_F(NoThemeLibrary, EveryTestIsFalseAndWrappersLeaveTheirOutValues)
{
    EXPECT_TRUE(controls::uxIsThemeCapableOS());
    EXPECT_FALSE(controls::IsUxThemeLoaded());
    EXPECT_FALSE(controls::AreThemeTypesAvailable(0));
    EXPECT_FALSE(controls::IsThemeTypeAvailable(controls::totButton));
    EXPECT_EQ(controls::AcquireThemeHandle(controls::totButton), nullptr);
    EXPECT_TRUE(controls::ReleaseThemeHandle(controls::totButton));
    EXPECT_FALSE(controls::IsBuiltInWindowsTheme());
    EXPECT_FALSE(controls::uxUxIsThemeActive());

    controls::TuxThemeChangedNotificator notificator;
    EXPECT_FALSE(notificator.Listed());

    // A missing entry point answers failure instead of jumping to nothing.
    win::SIZE size{7, 8};
    EXPECT_NE(controls::uxUxGetThemePartSizeNoRect(nullptr, nullptr, 1, 1, 0, size), controls::S_OK);
    EXPECT_EQ(size.cx, 7);
    EXPECT_EQ(size.cy, 8);
    win::COLORREF color = 0x123456;
    EXPECT_NE(controls::uxUxGetThemeColor(nullptr, 1, 1, 3803, color), controls::S_OK);
    EXPECT_EQ(color, 0x123456u);
    win::RECT content{1, 2, 3, 4};
    EXPECT_NE(controls::uxUxGetThemeBackgroundContentRect(nullptr, nullptr, 1, 1, win::RECT{0, 0, 9, 9}, content),
              controls::S_OK);
    EXPECT_EQ(content.right, 3);
    EXPECT_EQ(controls::uxUxOpenThemeData(nullptr, "Button"), nullptr);
}

class FakeThemeLibrary : public controlstest::ControlsTest {
protected:
    void SetUp() override
    {
        fake = FakeTheme{};
        library_ = FakeLibrary();
        ControlsTest::SetUp();
    }
    controls::TclEntryPoints EntryPoints() const override
    {
        controls::TclEntryPoints entries = controls::PlatformEntryPoints();
        entries.ThemeLibrary = &library_;
        return entries;
    }

    controls::TuxThemeLibrary library_;
};

TEST_F(FakeThemeLibrary, HandlesAreCachedPerKindAndClassList)
{
    ASSERT_TRUE(controls::IsUxThemeLoaded());
    EXPECT_TRUE(controls::AreThemeTypesAvailable(0));
    controls::HTHEME button = controls::AcquireThemeHandle(controls::totButton);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(controls::AcquireThemeHandle(controls::totButton), button);
    EXPECT_EQ(fake.opened, std::vector<std::u16string>{u"Button"});

    // Another class list closes the handle and opens anew; the same list in other case does not.
    controls::HTHEME other = controls::AcquireThemeHandle(controls::totButton, "Button;Explorer");
    EXPECT_NE(other, button);
    EXPECT_EQ(fake.closed, std::vector<controls::HTHEME>{button});
    EXPECT_EQ(controls::AcquireThemeHandle(controls::totButton, "BUTTON;explorer"), other);
    EXPECT_EQ(fake.opened.size(), 2u);

    // A mask asks each kind.
    EXPECT_TRUE(controls::AreThemeTypesAvailable((1u << controls::totHeader) | (1u << controls::totTab)));
    EXPECT_EQ(fake.opened.size(), 4u);
    EXPECT_TRUE(controls::IsBuiltInWindowsTheme());
}

struct Hearing {
    std::vector<int>* heard = nullptr;
    int id = 0;
    controls::TuxThemeChangedNotificator* self = nullptr;
    bool leave = false;
    void Changed()
    {
        heard->push_back(id);
        if (leave) {
            delete self;
            self = nullptr;
        }
    }
};

TEST_F(FakeThemeLibrary, ThemeChangeReleasesHandlesAndTellsNotificatorsInOrder)
{
    controls::HTHEME first = controls::AcquireThemeHandle(controls::totButton);
    controls::AcquireThemeHandle(controls::totTab);

    std::vector<int> heard;
    Hearing hearings[3];
    for (int i = 0; i < 3; ++i) {
        hearings[i] = Hearing{&heard, i, new controls::TuxThemeChangedNotificator, i == 0};
        hearings[i].self->OnThemeChanged = rtl::MethodOf<&Hearing::Changed>(&hearings[i]);
        EXPECT_TRUE(hearings[i].self->Listed());
    }

    fake.active = false;
    win::SendMessage(win::HWND_BROADCAST, win::WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(heard, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(fake.closed.size(), 2u);
    // The flag was read again: visual styles are off now.
    EXPECT_FALSE(controls::AreThemeTypesAvailable(0));
    EXPECT_EQ(controls::AcquireThemeHandle(controls::totButton), nullptr);

    fake.active = true;
    win::SendMessage(win::HWND_BROADCAST, win::WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(heard, (std::vector<int>{0, 1, 2, 1, 2}));
    controls::HTHEME again = controls::AcquireThemeHandle(controls::totButton);
    EXPECT_NE(again, first);
    delete hearings[1].self;
    delete hearings[2].self;
}

}  // namespace
