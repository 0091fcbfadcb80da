// Stopping transfers: aborts, destroyed components, two transfers at once, handlers that raise.

#include "update/upHTTP.h"

#include "update/detail/RelayWindow.h"

#include "tests/support/ScratchFolder.h"
#include "tests/update/EnvironmentGuard.h"
#include "tests/update/HttpServer.h"
#include "tests/update/TransferRecorder.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

namespace {

using update::TupCustomHTTP;
using update_test::HttpBase;
using update_test::PumpUntil;
using update_test::TransferRecorder;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class StoppedTransfer : public ::testing::Test {
protected:
    StoppedTransfer()
    {
        for (const char* name : {"http_proxy", "all_proxy", "ALL_PROXY"})
            environment_.Set(name, std::nullopt);
    }

    // Starts url into a file and runs messages until its first block arrived.
    void StartAndWaitForData(const std::string& url)
    {
        http_->SetURL(url);
        http_->SetOutputFileName(output_);
        http_->SetTransferBufferSize(255);
        ASSERT_TRUE(http_->Start());
        ASSERT_TRUE(PumpUntil([&] { return recorder_.Count("BlockReceived") > 0; }));
    }

    // Runs messages for a while and answers whether any event came meanwhile.
    bool EventsFollow(std::size_t seen)
    {
        PumpUntil([] { return false; }, 600);
        return recorder_.events.size() != seen;
    }

    update_test::EnvironmentGuard environment_;
    testsupport::ScratchFolder scratch_;
    const std::string output_ = scratch_.Path("download.bin");
    std::unique_ptr<TupCustomHTTP> http_ = std::make_unique<TupCustomHTTP>(nullptr);
    TransferRecorder recorder_{*http_};
};

TEST_F(StoppedTransfer, AbortEndsTheDripAndTheStallQuickly)
{
    struct Case {
        const char* route;
        bool deleteFile;
        bool kill;
    };
    const Case cases[] = {
        {"/drip/100", false, false},
        {"/drip/100", true, false},
        {"/stall", false, true},
        {"/stall", true, true},
        {"/stall", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.route) + (c.deleteFile ? " deleting" : " keeping") + (c.kill ? " at once" : ""));
        recorder_.events.clear();
        StartAndWaitForData(HttpBase() + c.route);
        EXPECT_TRUE(http_->IsTransferring());
        EXPECT_FALSE(http_->Start());  // one transfer at a time
        const Clock::time_point start = Clock::now();
        http_->Abort(c.deleteFile, c.kill);
        ASSERT_TRUE(PumpUntil([&] { return recorder_.Ended() && !http_->IsTransferring(); }, 2000));
        EXPECT_LT(SecondsSince(start), 2.0);
        EXPECT_EQ(recorder_.Last(), "TransferAborted");
        EXPECT_FALSE(EventsFollow(recorder_.events.size()));
        EXPECT_FALSE(rtl::FileExists(output_));
        EXPECT_EQ(rtl::FileExists(output_ + ".part"), !c.deleteFile);
        rtl::DeleteFile(output_ + ".part");
    }
}

TEST_F(StoppedTransfer, AbortFromTheBlockHandlerStopsBeforeTheNextBlock)
{
    int blocks = 0;
    recorder_.onBlock = [&] {
        if (++blocks == 2)
            http_->Abort(true, false);
    };
    StartAndWaitForData(HttpBase() + "/drip/100");
    ASSERT_TRUE(PumpUntil([&] { return recorder_.Ended(); }, 3000));
    EXPECT_EQ(blocks, 2);
    EXPECT_EQ(recorder_.Last(), "TransferAborted");
    EXPECT_FALSE(rtl::FileExists(output_ + ".part"));
}

TEST_F(StoppedTransfer, DestroyingTheComponentRunsNoHandler)
{
    StartAndWaitForData(HttpBase() + "/stall");
    const std::size_t seen = recorder_.events.size();
    const Clock::time_point start = Clock::now();
    http_.reset();
    EXPECT_LT(SecondsSince(start), 2.0);
    EXPECT_FALSE(EventsFollow(seen));
}

TEST_F(StoppedTransfer, DestroyingTheComponentFromItsOwnHandler)
{
    recorder_.onBlock = [&] { http_.reset(); };
    http_->SetURL(HttpBase() + "/drip/100");
    ASSERT_TRUE(http_->Start());
    ASSERT_TRUE(PumpUntil([&] { return !http_; }, 3000));
    const std::size_t seen = recorder_.events.size();
    EXPECT_FALSE(EventsFollow(seen));
    // The abandoned worker ends by itself and gives its window back.
    EXPECT_TRUE(PumpUntil([] { return update::detail::RelayWindow() == nullptr; }, 3000));
}

TEST(TwoTransfers, ShareOneRelayWindowThatGoesWithTheLast)
{
    update_test::EnvironmentGuard environment;
    environment.Set("http_proxy", std::nullopt);
    ASSERT_EQ(update::detail::RelayWindow(), nullptr);
    auto first = std::make_unique<TupCustomHTTP>(nullptr);
    auto second = std::make_unique<TupCustomHTTP>(nullptr);
    TransferRecorder firstEvents(*first), secondEvents(*second);
    const win::HWND window = update::detail::RelayWindow();
    ASSERT_NE(window, nullptr);
    first->SetURL(HttpBase() + "/drip/5");
    second->SetURL(HttpBase() + "/drip/5");
    ASSERT_TRUE(first->Start());
    ASSERT_TRUE(second->Start());
    EXPECT_TRUE(first->IsTransferring() && second->IsTransferring());
    ASSERT_TRUE(PumpUntil([&] { return firstEvents.Ended() && secondEvents.Ended(); }));
    EXPECT_EQ(firstEvents.data, "ddddd");
    EXPECT_EQ(secondEvents.data, "ddddd");
    EXPECT_EQ(update::detail::RelayWindow(), window);
    first.reset();
    EXPECT_EQ(update::detail::RelayWindow(), window);
    second.reset();
    EXPECT_EQ(update::detail::RelayWindow(), nullptr);
}

TEST(HandlerExceptions, StayOnTheGuiSide)
{
    update_test::EnvironmentGuard environment;
    environment.Set("http_proxy", std::nullopt);
    TupCustomHTTP http(nullptr);
    TransferRecorder recorder(http);
    int raised = 0;
    recorder.onBlock = [&] {
        ++raised;
        throw rtl::Exception("a handler that fails");
    };
    http.SetURL(HttpBase() + "/files/payload.bin");
    ASSERT_TRUE(update_test::RunTransfer(http, recorder));
    EXPECT_GT(raised, 1);
    EXPECT_EQ(recorder.Last(), "TransferComplete");
}

}  // namespace
