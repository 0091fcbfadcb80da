#pragma once
// Records the events of a TupCustomHTTP in order, with the thread each ran on, and runs the GUI
// thread's messages until a transfer has ended.

#include "update/upHTTP.h"

#include "platform/rtl/Streams.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Waits.h"

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace update_test {

using update::TupCustomHTTP;

class TransferRecorder {
public:
    explicit TransferRecorder(TupCustomHTTP& http) : guiThread_(std::this_thread::get_id())
    {
        http.OnResponseHeaders = TupCustomHTTP::ResponseHeadersEvent::Of<&TransferRecorder::ResponseHeaders>(this);
        http.OnTransferComplete = TupCustomHTTP::TransferCompleteEvent::Of<&TransferRecorder::TransferComplete>(this);
        http.OnHeadersRejected = TupCustomHTTP::NotifyEvent::Of<&TransferRecorder::HeadersRejected>(this);
        http.OnBlockReceived = TupCustomHTTP::BlockReceivedEvent::Of<&TransferRecorder::BlockReceived>(this);
        http.OnRedirectNotice = TupCustomHTTP::RedirectNoticeEvent::Of<&TransferRecorder::RedirectNotice>(this);
        http.OnTransferUnsuccessful = TupCustomHTTP::NotifyEvent::Of<&TransferRecorder::TransferUnsuccessful>(this);
        http.OnTransferAborted = TupCustomHTTP::NotifyEvent::Of<&TransferRecorder::TransferAborted>(this);
        http.OnConnectionLost = TupCustomHTTP::ConnectionLostEvent::Of<&TransferRecorder::ConnectionLost>(this);
        http.OnServerUnreachable = TupCustomHTTP::NotifyEvent::Of<&TransferRecorder::ServerUnreachable>(this);
        http.OnErrorStatus = TupCustomHTTP::ErrorStatusEvent::Of<&TransferRecorder::ErrorStatus>(this);
        http.OnCompleteWithoutOutput = TupCustomHTTP::NotifyEvent::Of<&TransferRecorder::CompleteWithoutOutput>(this);
        http.OnOutputError = TupCustomHTTP::OutputErrorEvent::Of<&TransferRecorder::OutputError>(this);
    }

    // The events that ran on the GUI thread, by name; the redirect notices separately (a worker event).
    std::vector<std::string> events;
    std::vector<std::string> redirects;
    std::string data;           // the memory stream of the last event that carried one
    std::int32_t status = 0;    // of OnErrorStatus
    std::int32_t fileSize = 0;  // of OnTransferComplete
    std::string outputErrorFile;
    std::string outputErrorReason;
    bool offGuiThread = false;  // a relayed event ran elsewhere
    std::function<void()> onBlock;
    bool continueAfterHeaders = true;
    std::int32_t announcedLength = -1;
    std::string lastModifiedSeen;
    rtl::TDateTime lastModified = 0;

    // Whether the transfer has ended: one of the events that close a transfer has run.
    bool Ended() const
    {
        for (const std::string& event : events)
            if (event == "TransferComplete" || event == "TransferUnsuccessful" || event == "TransferAborted"
                || event == "HeadersRejected")
                return true;
        return false;
    }
    std::string Last() const { return events.empty() ? "" : events.back(); }
    int Count(const std::string& name) const
    {
        int count = 0;
        for (const std::string& event : events)
            count += event == name;
        return count;
    }

private:
    void Note(const char* name)
    {
        if (std::this_thread::get_id() != guiThread_)
            offGuiThread = true;
        if (events.empty() || events.back() != name || std::string(name) != "BlockReceived")
            events.emplace_back(name);
    }
    void Keep(rtl::TStream* stream)
    {
        data.clear();
        if (!stream)
            return;
        const std::int64_t position = stream->Position();
        stream->SetPosition(0);
        data.resize(std::size_t(stream->Size()));
        stream->Read(data.data(), std::int64_t(data.size()));
        stream->SetPosition(position);
    }

    void ResponseHeaders(classes::TObject*, std::int32_t, const std::string&, const std::string&, const std::string&,
                         const std::string&, std::int32_t contentLength, const std::string&, rtl::TDateTime,
                         rtl::TDateTime modified, rtl::TDateTime, const std::string&, bool& continueTransfer)
    {
        Note("ResponseHeaders");
        announcedLength = contentLength;
        lastModified = modified;
        continueTransfer = continueAfterHeaders;
    }
    void TransferComplete(classes::TObject*, const std::string&, std::int32_t size, rtl::TStream* stream)
    {
        Note("TransferComplete");
        fileSize = size;
        Keep(stream);
    }
    void HeadersRejected(classes::TObject*) { Note("HeadersRejected"); }
    void BlockReceived(classes::TObject*, const std::string&, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                       std::uint8_t, float, rtl::TStream*)
    {
        Note("BlockReceived");
        if (onBlock)
            onBlock();
    }
    void RedirectNotice(classes::TObject*, const std::string& url) { redirects.push_back(url); }
    void TransferUnsuccessful(classes::TObject*) { Note("TransferUnsuccessful"); }
    void TransferAborted(classes::TObject*) { Note("TransferAborted"); }
    void ConnectionLost(classes::TObject*, const std::string&, std::int32_t, std::int32_t, rtl::TStream* stream)
    {
        Note("ConnectionLost");
        Keep(stream);
    }
    void ServerUnreachable(classes::TObject*) { Note("ServerUnreachable"); }
    void ErrorStatus(classes::TObject*, std::int32_t code, rtl::TStream* stream)
    {
        Note("ErrorStatus");
        status = code;
        Keep(stream);
    }
    void CompleteWithoutOutput(classes::TObject*) { Note("CompleteWithoutOutput"); }
    void OutputError(classes::TObject*, const std::string& fileName, const std::string& reason)
    {
        Note("OutputError");
        outputErrorFile = fileName;
        outputErrorReason = reason;
    }

    std::thread::id guiThread_;
};

// Handles the GUI thread's messages until done() or the time is up; answers done().
inline bool PumpUntil(const std::function<bool()>& done, int milliseconds = 20000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        win::MSG msg;
        while (win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE))
            win::DispatchMessage(&msg);
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        win::MsgWaitForMultipleObjects(0, nullptr, win::FALSE, 20, win::QS_ALLINPUT);
    }
}

// Starts http and runs messages until the transfer ended and its worker is gone.
inline bool RunTransfer(TupCustomHTTP& http, TransferRecorder& recorder)
{
    if (!http.Start())
        return false;
    return PumpUntil([&] { return recorder.Ended() && !http.IsTransferring(); });
}

}  // namespace update_test
