#include "WinFixture.h"

#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"

#include <atomic>
#include <set>
#include <chrono>
#include <future>
#include <thread>

namespace wintest {
namespace {

using namespace win;
using namespace std::chrono_literals;

class MessageQueueTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        RegisterRecorderClass();
    }

    // Dispatches everything queued; answers the messages fetched.
    std::vector<UINT> Pump()
    {
        std::vector<UINT> fetched;
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            fetched.push_back(msg.message);
            DispatchMessage(&msg);
        }
        return fetched;
    }
};

TEST_F(MessageQueueTest, PostedMessagesKeepTheirOrderAndFiltersPickAmongThem)
{
    const HWND a = MakeWindow(WS_OVERLAPPED);
    const HWND b = MakeWindow(WS_OVERLAPPED);
    ASSERT_TRUE(PostMessage(a, WM_USER + 1, 0, 0));
    ASSERT_TRUE(PostMessage(b, WM_USER + 2, 0, 0));
    ASSERT_TRUE(PostThreadMessage(GetCurrentThreadId(), WM_USER + 3, 7, 0));
    ASSERT_TRUE(PostMessage(a, WM_APP, 0, 0));

    MSG msg;
    // A peek without removing leaves the message where it was.
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1u);
    // A window filter skips the others; a range skips what lies outside.
    ASSERT_TRUE(PeekMessage(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2u);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a);
    // -1 takes thread messages only.
    ASSERT_TRUE(PeekMessage(&msg, HandleFromValue<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 3u);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(Pump(), std::vector<UINT>{WM_USER + 1});
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueueTest, QuitComesAfterThePostedMessagesWhateverTheFilter)
{
    const HWND hwnd = MakeWindow(WS_OVERLAPPED);
    PostMessage(hwnd, WM_USER, 0, 0);
    PostQuitMessage(3);
    PostMessage(hwnd, WM_USER + 1, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, hwnd, WM_CHAR, WM_CHAR, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_QUIT) << "WM_QUIT ignores the filter";
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_USER + 1);
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) << "the quit request is taken once";
    EXPECT_EQ(GetMessage(&msg, HandleFromValue<HWND>(0x12345), 0, 0), -1);
}

// A modal loop of a window: runs until WM_QUIT, which it posts again for the loop outside.
std::vector<UINT> modalSeen;

LRESULT ModalProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER) {
        MSG msg;
        while (GetMessage(&msg, nullptr, 0, 0)) {
            modalSeen.push_back(msg.message);
            DispatchMessage(&msg);
        }
        PostQuitMessage(static_cast<int>(msg.wParam));
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

TEST_F(MessageQueueTest, ModalLoopEndsOnQuitAndPostsItAgain)
{
    WNDCLASSEX windowClass;
    windowClass.lpfnWndProc = ModalProc;
    windowClass.lpszClassName = "Modal";
    ASSERT_NE(RegisterClassEx(&windowClass), 0);
    const HWND hwnd = CreateWindowEx(0, "Modal", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    modalSeen.clear();
    PostMessage(hwnd, WM_USER, 0, 0);
    PostMessage(hwnd, WM_USER + 1, 0, 0);
    PostQuitMessage(42);

    std::vector<UINT> outerSeen;
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        outerSeen.push_back(msg.message);
        DispatchMessage(&msg);
    }
    EXPECT_EQ(outerSeen, std::vector<UINT>{WM_USER});
    EXPECT_EQ(modalSeen, std::vector<UINT>{WM_USER + 1});
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 42u);
}

TEST_F(MessageQueueTest, SendMessageAcrossThreadsCompletesOnlyWhileTheTargetPumps)
{
    const HWND hwnd = MakeWindow(WS_OVERLAPPED);
    Log().Clear();
    std::atomic<bool> returned{false};
    std::atomic<DWORD> senderThread{0};
    std::thread worker([&] {
        senderThread = GetCurrentThreadId();
        EXPECT_EQ(SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("from worker")), TRUE);
        returned = true;
    });
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(returned) << "the send must wait for the target thread";
    EXPECT_TRUE(Log().Entries().empty()) << "nothing runs on the target until it pumps";

    MSG msg;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!returned && std::chrono::steady_clock::now() < deadline) {
        EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) << "a sent message is never fetched";
        std::this_thread::sleep_for(1ms);
    }
    worker.join();
    EXPECT_TRUE(returned);
    EXPECT_EQ(GetWindowText(hwnd), "from worker");
    ASSERT_EQ(Log().Only({WM_SETTEXT}).size(), 1u);
}

LRESULT BounceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER) {
        // Sends back to the window of the thread that is waiting for this answer.
        return SendMessage(reinterpret_cast<HWND>(lParam), WM_USER + 1, 0, 0) + 1;
    }
    if (message == WM_USER + 1) {
        return 41;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

TEST_F(MessageQueueTest, ThreadsSendingToEachOtherDoNotDeadlock)
{
    WNDCLASSEX windowClass;
    windowClass.lpfnWndProc = BounceProc;
    windowClass.lpszClassName = "Bounce";
    ASSERT_NE(RegisterClassEx(&windowClass), 0);
    const HWND mainWindow = CreateWindowEx(0, "Bounce", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    std::promise<LRESULT> answer;
    auto result = answer.get_future();
    std::thread worker([&] {
        const HWND own = CreateWindowEx(0, "Bounce", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        answer.set_value(SendMessage(mainWindow, WM_USER, 0, reinterpret_cast<LPARAM>(own)));
        DestroyWindow(own);
    });
    MSG msg;
    while (result.wait_for(1ms) != std::future_status::ready) {
        PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    }
    worker.join();
    EXPECT_EQ(result.get(), 42);
}

TEST_F(MessageQueueTest, NotifyMessageToAnotherThreadDoesNotWait)
{
    const HWND hwnd = MakeWindow(WS_OVERLAPPED);
    Log().Clear();
    std::thread worker([&] { EXPECT_TRUE(SendNotifyMessage(hwnd, WM_USER + 5, 1, 2)); });
    worker.join();  // returned while this thread did not pump
    EXPECT_TRUE(Log().Entries().empty());
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(Log().Only({WM_USER + 5}), (std::vector<std::pair<HWND, UINT>>{{hwnd, WM_USER + 5}}));
}

TEST_F(MessageQueueTest, SendToAThreadThatEndedFailsInsteadOfHanging)
{
    std::promise<HWND> made;
    std::promise<void> release;
    std::thread worker([&] {
        made.set_value(MakeWindow(WS_OVERLAPPED));
        release.get_future().wait();
    });
    const HWND orphan = made.get_future().get();
    release.set_value();
    worker.join();
    EXPECT_FALSE(IsWindow(orphan)) << "a thread's windows end with it";
    EXPECT_EQ(SendMessage(orphan, WM_USER, 0, 0), 0);
}

TEST_F(MessageQueueTest, BroadcastsReachHiddenAndMessageOnlyWindows)
{
    const HWND visible = MakeWindow(WS_OVERLAPPED | WS_VISIBLE);
    const HWND hidden = MakeWindow(WS_POPUP);
    const HWND messageOnly = MakeWindow(0, HWND_MESSAGE);
    const HWND child = MakeWindow(WS_CHILD, visible);
    ASSERT_NE(messageOnly, nullptr);
    EXPECT_EQ(FindWindowEx(HWND_MESSAGE, nullptr, "recorder", nullptr), messageOnly);
    EXPECT_FALSE(IsWindowVisible(messageOnly));
    Log().Clear();
    SendMessage(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0);
    PostMessage(HWND_BROADCAST, WM_USER, 0, 0);
    Pump();
    for (UINT message : {WM_SETTINGCHANGE, WM_USER}) {
        std::set<HWND> reached;
        for (const auto& [hwnd, seen] : Log().Only({message})) {
            reached.insert(hwnd);
        }
        EXPECT_EQ(reached, (std::set<HWND>{visible, hidden, messageOnly})) << "message " << message;
        EXPECT_FALSE(reached.contains(child));
    }
}

}  // namespace
}  // namespace wintest
