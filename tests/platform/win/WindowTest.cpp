#include "WinFixture.h"

#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"

#include <set>

namespace wintest {
namespace {

using namespace win;
using Step = std::pair<HWND, UINT>;

class WindowTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        RegisterRecorderClass();
    }
};

TEST_F(WindowTest, CreationSendsTheMessagesInOrder)
{
    const HWND top = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(top, nullptr);
    const HWND child = MakeWindow(WS_CHILD, top);
    ASSERT_NE(child, nullptr);

    const std::vector<Step> expected = {
        {top, WM_GETMINMAXINFO}, {top, WM_NCCREATE}, {top, WM_NCCALCSIZE},  {top, WM_CREATE},
        {top, WM_SIZE},          {top, WM_MOVE},     {top, WM_SHOWWINDOW},  {child, WM_NCCREATE},
        {child, WM_NCCALCSIZE},  {child, WM_CREATE}, {child, WM_SIZE},      {child, WM_MOVE},
        {top, WM_PARENTNOTIFY},
    };
    std::vector<Step> actual;
    for (const Received& entry : Log().Entries()) {
        actual.emplace_back(entry.hwnd, entry.message);
    }
    EXPECT_EQ(actual, expected);
    EXPECT_TRUE(IsWindowVisible(top));
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_EQ(GetWindowText(top), "");
}

TEST_F(WindowTest, DestructionGoesOwnedFirstThenParentBeforeChildrenAndNcDestroyDeepestFirst)
{
    const HWND owner = MakeWindow(WS_OVERLAPPED);
    const HWND a = MakeWindow(WS_CHILD, owner);
    const HWND a1 = MakeWindow(WS_CHILD, a);
    const HWND b = MakeWindow(WS_CHILD, owner);
    const HWND popup = MakeWindow(WS_POPUP, owner);  // owned by owner
    const HWND p1 = MakeWindow(WS_CHILD, popup);
    ASSERT_EQ(GetWindow(popup, GW_OWNER), owner);
    Log().Clear();

    ASSERT_TRUE(DestroyWindow(owner));

    const std::vector<Step> expected = {
        {popup, WM_DESTROY}, {p1, WM_DESTROY},     {p1, WM_NCDESTROY}, {popup, WM_NCDESTROY},
        {owner, WM_DESTROY}, {a, WM_DESTROY},      {a1, WM_DESTROY},   {b, WM_DESTROY},
        {a1, WM_NCDESTROY},  {a, WM_NCDESTROY},    {b, WM_NCDESTROY},  {owner, WM_NCDESTROY},
    };
    EXPECT_EQ(Log().Only({WM_DESTROY, WM_NCDESTROY}), expected);
    for (HWND gone : {owner, a, a1, b, popup, p1}) {
        EXPECT_FALSE(IsWindow(gone));
    }
}

TEST_F(WindowTest, DestroyingAChildTellsTheParentFirst)
{
    const HWND parent = MakeWindow(WS_OVERLAPPED);
    const HWND child = MakeWindow(WS_CHILD, parent);
    Log().Clear();
    ASSERT_TRUE(DestroyWindow(child));
    const std::vector<Step> expected = {{parent, WM_PARENTNOTIFY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}};
    EXPECT_EQ(Log().Only({WM_PARENTNOTIFY, WM_DESTROY, WM_NCDESTROY}), expected);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
}

LRESULT RefusingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    RecorderProc(hwnd, message, wParam, lParam);
    const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
    if (message == WM_NCCREATE && std::string(create->lpszName) == "no nc") {
        return FALSE;
    }
    if (message == WM_CREATE && std::string(create->lpszName) == "no create") {
        return -1;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

TEST_F(WindowTest, RefusedCreationAnswersNullAndCleansUp)
{
    WNDCLASSEX windowClass;
    windowClass.lpfnWndProc = RefusingProc;
    windowClass.lpszClassName = "Refusing";
    ASSERT_NE(RegisterClassEx(&windowClass), 0);
    struct Case {
        const char* name;
        std::vector<UINT> endMessages;
    };
    for (const Case& c : {Case{"no nc", {WM_NCDESTROY}}, Case{"no create", {WM_DESTROY, WM_NCDESTROY}}}) {
        Log().Clear();
        EXPECT_EQ(CreateWindowEx(0, "refusing", c.name, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                 nullptr),
                  nullptr)
            << c.name;
        std::vector<UINT> ends;
        HWND seen = nullptr;
        for (const Received& entry : Log().Entries()) {
            seen = entry.hwnd;
            if (entry.message == WM_DESTROY || entry.message == WM_NCDESTROY) {
                ends.push_back(entry.message);
            }
        }
        EXPECT_EQ(ends, c.endMessages) << c.name;
        EXPECT_FALSE(IsWindow(seen)) << c.name;
    }
    // The class has no windows left, so it can go.
    EXPECT_TRUE(UnregisterClass("REFUSING", nullptr));
}

TEST_F(WindowTest, DestroyedHandlesAreInvalidAndNotReusedSoon)
{
    std::set<HWND> seen;
    for (int i = 0; i < 2000; ++i) {
        const HWND hwnd = MakeWindow(WS_OVERLAPPED);
        ASSERT_TRUE(seen.insert(hwnd).second) << "handle given out twice after " << i << " windows";
        ASSERT_TRUE(DestroyWindow(hwnd));
    }
    const HWND gone = *seen.begin();
    SetLastError(0);
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_EQ(SendMessage(gone, WM_USER, 1, 2), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(PostMessage(gone, WM_USER, 0, 0));
    EXPECT_FALSE(DestroyWindow(gone));
    EXPECT_FALSE(SetWindowText(gone, "x"));
    EXPECT_EQ(GetWindowLongPtr(gone, GWL_STYLE), 0);
    EXPECT_EQ(GetParent(gone), nullptr);
    EXPECT_EQ(GetWindowText(gone), "");
    EXPECT_FALSE(SetProp(gone, "p", nullptr));
    // Values that never were handles fail the same way.
    for (std::intptr_t bogus : {std::intptr_t{1}, std::intptr_t{0xFFFF}, std::intptr_t{-5}, std::intptr_t{0x7FFFFFFF}}) {
        EXPECT_FALSE(IsWindow(HandleFromValue<HWND>(bogus)));
        EXPECT_EQ(SendMessage(HandleFromValue<HWND>(bogus), WM_USER, 0, 0), 0);
    }
}

TEST_F(WindowTest, ExtraBytesHoldValuesThatFitAndRefuseTheRest)
{
    static_assert(sizeof(LONG_PTR) == 8);
    WNDCLASSEX windowClass;
    windowClass.lpfnWndProc = RecorderProc;
    windowClass.lpszClassName = "Extra";
    windowClass.cbWndExtra = 12;
    windowClass.cbClsExtra = 8;
    ASSERT_NE(RegisterClassEx(&windowClass), 0);
    const HWND hwnd = CreateWindowEx(0, "Extra", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);

    struct Case {
        int index;
        bool fitsLong;     // 4 bytes in the window's 12
        bool fitsPointer;  // 8 bytes in the window's 12
        bool fitsClass;    // 8 bytes in the class's 8
    };
    for (const Case& c : {Case{0, true, true, true}, Case{4, true, true, false}, Case{5, true, false, false},
                          Case{8, true, false, false}, Case{9, false, false, false}, Case{12, false, false, false},
                          Case{-1, false, false, false}}) {
        SCOPED_TRACE(c.index);
        SetLastError(0);
        const LONG firstLong = SetWindowLong(hwnd, c.index, 0x1234);
        EXPECT_EQ(GetLastError(), c.fitsLong ? 0u : ERROR_INVALID_INDEX);
        if (c.fitsLong) {
            EXPECT_EQ(SetWindowLong(hwnd, c.index, 0x5678), 0x1234);
            EXPECT_EQ(GetWindowLong(hwnd, c.index), 0x5678);
        } else {
            EXPECT_EQ(firstLong, 0);
            SetLastError(0);
            EXPECT_EQ(GetWindowLong(hwnd, c.index), 0);
            EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
        }

        const LONG_PTR big = LONG_PTR{0x0102030405060708};
        SetLastError(0);
        const LONG_PTR firstPointer = SetWindowLongPtr(hwnd, c.index, big);
        EXPECT_EQ(GetLastError(), c.fitsPointer ? 0u : ERROR_INVALID_INDEX);
        if (c.fitsPointer) {
            EXPECT_EQ(SetWindowLongPtr(hwnd, c.index, -big), big);
            EXPECT_EQ(GetWindowLongPtr(hwnd, c.index), -big);
        } else {
            EXPECT_EQ(firstPointer, 0);
            SetLastError(0);
            EXPECT_EQ(GetWindowLongPtr(hwnd, c.index), 0);
            EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
        }

        SetLastError(0);
        const ULONG_PTR firstClass = SetClassLongPtr(hwnd, c.index, big);
        EXPECT_EQ(GetLastError(), c.fitsClass ? 0u : ERROR_INVALID_INDEX);
        if (c.fitsClass) {
            EXPECT_EQ(SetClassLongPtr(hwnd, c.index, 7), static_cast<ULONG_PTR>(big));
            EXPECT_EQ(GetClassLongPtr(hwnd, c.index), 7u);
        } else {
            EXPECT_EQ(firstClass, 0u);
            SetLastError(0);
            EXPECT_EQ(GetClassLongPtr(hwnd, c.index), 0u);
            EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
        }
    }
}

}  // namespace
}  // namespace wintest
