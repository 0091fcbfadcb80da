#pragma once
// One transfer of TupCustomHTTP: the settings copied at Start, the worker's procedure over libcurl (or
// the file routines for "file" addresses), and the results FinishTransfer reads on the GUI thread once
// the worker stopped. The worker touches the component only inside relayed calls.

#include "update/detail/RequestLoop.h"
#include "update/upHTTP.h"

#include "platform/rtl/Streams.h"

#include <curl/curl.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace update::detail {

struct ProxySettings {
    TupHTTPAccessType accessType = atPreconfig;
    std::int32_t port = 8080;
    std::string server;
    std::string bypass;
    std::string username;
    std::string password;
};

struct TransferSettings {
    std::string url;
    std::string outputFileName;
    std::string username;
    std::string password;
    ProxySettings proxy;
    TupInternetOptions internetOptions = 0;
    TupCacheOptions cacheOptions = 0;
    std::int64_t bufferSize = 4096;
    std::int64_t startOffset = 0;
    std::int64_t endOffset = 0;
    std::uint32_t rangeStart = 0;
    std::uint32_t rangeEnd = 0;
    std::uint32_t connectTimeout = 0;
    std::uint32_t receiveTimeout = 0;
    std::uint32_t sendTimeout = 0;
    TupFileAttributes incompleteAttributes = 0;
    TupFileAttributes completeAttributes = 0;
    std::string acceptTypes;
    std::string userAgent;
    std::string caFile;
    bool hasLoginHandler = false;
    bool hasProxyHandler = false;
    bool hasHeadersHandler = false;
    TupCustomHTTP::RequestHandleReadyEvent onRequestHandleReady;
    TupCustomHTTP::ConnectionStatusEvent onConnectionStatus;
    TupCustomHTTP::RedirectNoticeEvent onRedirectNotice;
};

// The ".part" file beside the output name that a download is written to.
std::string PartFileName(const std::string& outputFileName);
// The proxy bypass list in libcurl's form: entries split at ';' and blanks, "*." made ".", "<local>"
// dropped, joined by ','.
std::string NoProxyList(std::string_view bypass);

class HttpTransfer {
public:
    HttpTransfer(TupCustomHTTP* component, TransferSettings settings, std::unique_ptr<EasyHandle> handle);
    ~HttpTransfer();
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    // The worker's procedure.
    void TransferProc();

    // What the worker left, read after it stopped.
    std::int32_t status = -1;
    bool success = false;
    bool continueTransfer = true;
    bool aborted = false;
    bool workerFailed = false;
    bool outputError = false;
    std::string outputErrorReason;
    std::string contentType;
    std::int64_t contentLength = -1;  // of this response, without the start offset
    std::int64_t startOffset = 0;
    std::int64_t done = 0;
    std::unique_ptr<rtl::TStream> output;
    bool outputIsFile = false;
    std::atomic<bool> deleteOnAbort{false};
    const TransferSettings settings;
    std::unique_ptr<EasyHandle> handle;

    // Deletes the ".part" file, when there is one.
    void DeletePartFile();
    void CloseOutput() { output.reset(); }

private:
    enum class Action { None, Redirect, Retry, End };

    bool StopRequested() const;
    // Closes the output (deleting the ".part" when asked) and relays OnTransferAborted.
    void Stop();
    void Relay(const std::function<void()>& call);
    void Status(std::int32_t code, const char* text) const;

    void RunFile(const TupAddressParts& parts);
    void RunHttp(const TupAddressParts& parts);
    bool PrepareRequest(const std::string& url);
    void ReadResponseHeaders(std::int32_t code);
    bool OpenOutput();
    // Checks the first block of a resumed body against the partial file, then writes the rest.
    bool TakeBody(const char* data, std::int64_t size);
    bool WriteBody(const char* data, std::int64_t size);
    // Drops the output and asks for the whole resource again, into a new file.
    void StartAgain();

    // The steps of one response's header block, once it is complete.
    void EndOfHeaderBlock();
    bool FollowRedirect(const std::string& location);
    bool AskLogin();
    bool AskProxyLogin();

    static std::size_t HeaderCallback(char* buffer, std::size_t size, std::size_t count, void* self);
    static std::size_t WriteCallback(char* buffer, std::size_t size, std::size_t count, void* self);
    static curl_socket_t OpenSocketCallback(void* self, curlsocktype purpose, curl_sockaddr* address);
    static int PrerequestCallback(void* self, char*, char*, int, int);

    TupCustomHTTP* const component_;
    std::string url_;
    std::string username_;
    std::string password_;
    std::string proxyUsername_;
    std::string proxyPassword_;
    curl_slist* headers_ = nullptr;
    std::uint64_t startTick_ = 0;

    // The response being read.
    Action action_ = Action::None;
    std::string rawHeaders_;
    std::multimap<std::string, std::string> headerValues_;  // lower-case names
    bool socketOpened_ = false;
    bool firstHeaderLine_ = true;
    int redirects_ = 0;
    bool probingWhole_ = false;
    // Bytes of the first block still to be checked against the partial file.
    std::int64_t toCompare_ = 0;
    bool bodyStarted_ = false;
};

}  // namespace update::detail
