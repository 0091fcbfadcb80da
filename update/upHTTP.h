#pragma once
// TupCustomHTTP: downloads one resource per transfer over HTTP or HTTPS (or reads a "file" address)
// into a file or into memory, on a worker thread, and reports through events that run on the GUI
// thread, except the three worker events (OnRequestHandleReady, OnConnectionStatus, OnRedirectNotice).
//
// File output is written to the output name plus ".part" and renamed over the output name only when
// the transfer succeeded; a lost connection and an abort that keeps its file leave the ".part" for a
// resume, every other failure deletes it. A resume (a start offset) checks the first block of the
// answer against what the ".part" holds from that offset on, and fetches the whole resource into a new
// file when they differ or when the server sends a part that begins elsewhere; a 200 is the whole
// resource and starts a new file. Output that cannot be written, and memory output over
// MaxMemoryOutput, end with OnOutputError and OnTransferUnsuccessful.
//
// https verifies the peer and its host name against the system's authorities, or the file named by
// $RIVUVE_CA_FILE.

#include "update/upHTTPAddress.h"
#include "update/upHTTPSettings.h"
#include "update/upThread.h"

#include "platform/rtl/Dates.h"
#include "platform/rtl/Method.h"
#include "platform/rtl/Streams.h"

#include <cstdint>
#include <memory>
#include <string>

namespace update {

namespace detail {
class HttpTransfer;
struct EasyHandle;
}  // namespace detail

enum TupInternetOption {
    ioIgnoreCertificateInvalid,
    ioIgnoreCertificateDateInvalid,
    ioIgnoreRedirectToHTTP,
    ioIgnoreRedirectToHTTPS,
    ioIgnoreUnknownCertificateAuthority,
    ioKeepConnection,
    ioNoAuthentication,
    ioNoAutoRedirect,
    ioNoCookies,
};
using TupInternetOptions = std::uint16_t;  // bit 1 << TupInternetOption

enum TupCacheOption {
    coAlwaysReload,
    coReloadIfNoExpireInformation,
    coReloadUpdatedObjects,
    coPragmaNoCache,
    coNoCacheWrite,
    coCreateTempFilesIfCantCache,
    coUseCacheIfNetFail,
};
using TupCacheOptions = std::uint8_t;  // bit 1 << TupCacheOption

template <class E>
constexpr unsigned OptionBit(E option)
{
    return 1u << unsigned(option);
}

const classes::TTypeInfo& InternetOptionsType();
const classes::TTypeInfo& CacheOptionsType();
const classes::TTypeInfo& ThreadPriorityType();

// Progress figures of a transfer: percent of the whole resource, whole seconds since the start, seconds
// left (0 while the length is unknown or reached) and KB per second.
struct TupTransferStatistics {
    std::uint8_t percentDone = 0;
    std::int64_t elapsed = 0;
    std::int64_t timeLeft = 0;
    double rate = 0;
};
TupTransferStatistics TransferStatistics(std::int64_t start, std::int64_t done, std::int64_t contentLength,
                                         std::int64_t elapsedSeconds);
// An event's Integer parameter: sizes and seconds stop at 2^31 - 1.
std::int32_t EventInteger(std::int64_t value);

// The realm of a WWW-Authenticate value: the text after its first '=' that is followed by '"', without
// the value's last character; empty when there is none.
std::string RealmOfChallenge(std::string_view challenge);

class TupCustomHTTP : public TupLoginComponent {
public:
    using TObject = classes::TObject;
    using NotifyEvent = rtl::Method<void(TObject* sender)>;
    using RequestHandleReadyEvent = rtl::Method<void(TObject* sender, void* requestHandle)>;
    using ResponseHeadersEvent = rtl::Method<void(
        TObject* sender, std::int32_t statusCode, const std::string& rawHeaders, const std::string& contentType,
        const std::string& contentLanguage, const std::string& contentEncoding, std::int32_t contentLength,
        const std::string& location, rtl::TDateTime date, rtl::TDateTime lastModified, rtl::TDateTime expires,
        const std::string& eTag, bool& continueTransfer)>;
    using TransferCompleteEvent =
        rtl::Method<void(TObject* sender, const std::string& contentType, std::int32_t fileSize, rtl::TStream* data)>;
    using BlockReceivedEvent = rtl::Method<void(TObject* sender, const std::string& contentType, std::int32_t fileSize,
                                                std::int32_t bytesReceived, std::int32_t elapsedTime,
                                                std::int32_t timeLeft, std::uint8_t percentDone, float transferRate,
                                                rtl::TStream* data)>;
    using ConnectionStatusEvent = rtl::Method<void(TObject* sender, std::int32_t statusCode, const std::string& statusText)>;
    using RedirectNoticeEvent = rtl::Method<void(TObject* sender, const std::string& newURL)>;
    using ConnectionLostEvent = rtl::Method<void(TObject* sender, const std::string& contentType, std::int32_t fileSize,
                                                 std::int32_t bytesTransferred, rtl::TStream* data)>;
    using ErrorStatusEvent = rtl::Method<void(TObject* sender, std::int32_t errorCode, rtl::TStream* data)>;
    using PasswordRequestEvent = rtl::Method<void(TObject* sender, const std::string& realm, bool& tryAgain)>;
    using ProxyAuthenticationEvent =
        rtl::Method<void(TObject* sender, std::string& proxyUsername, std::string& proxyPassword, bool& tryAgain)>;
    using StartWaitTimedOutEvent = rtl::Method<void(TObject* sender, bool& terminate)>;
    using OutputErrorEvent = rtl::Method<void(TObject* sender, const std::string& fileName, const std::string& reason)>;

    // Memory output is refused beyond this size.
    static constexpr std::int64_t MaxMemoryOutput = std::int64_t{16} << 20;
    // Redirects followed for one request.
    static constexpr int MaxRedirects = 10;

    explicit TupCustomHTTP(classes::TComponent* owner);
    // Abandons a running transfer: no handler runs any more.
    ~TupCustomHTTP() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Refused (False) while a transfer runs. With wait it waits for the end while messages are
    // processed, and answers False only when OnStartWaitTimedOut ended a wait that timed out.
    bool Start(std::int64_t startOffset = 0, std::int64_t endOffset = 0, bool wait = false);
    // Nothing unless a transfer runs. kill False asks the worker to stop at its next check; kill True
    // abandons it at once. Either way OnTransferAborted follows, and deleteFile removes the ".part".
    void Abort(bool deleteFile, bool kill);
    bool IsTransferring() const;
    std::string FileNameOfAddress() const { return update::FileNameOfAddress(url_); }
    std::string HostOfAddress() const { return update::HostOfAddress(url_); }

    const std::string& URL() const { return url_; }
    void SetURL(const std::string& value) { url_ = value; }
    const std::string& OutputFileName() const { return outputFileName_; }
    void SetOutputFileName(const std::string& value) { outputFileName_ = value; }
    TupHTTPProxy* Proxy() const { return proxy_.get(); }
    void SetProxy(TupHTTPProxy* value) { proxy_->Assign(value); }
    TupInternetOptions InternetOptions() const { return internetOptions_; }
    void SetInternetOptions(TupInternetOptions value) { internetOptions_ = value; }
    TupCacheOptions CacheOptions() const { return cacheOptions_; }
    void SetCacheOptions(TupCacheOptions value) { cacheOptions_ = value; }
    std::int32_t TransferBufferSize() const { return transferBufferSize_; }
    // 255 .. 2147483647; a smaller value becomes 255.
    void SetTransferBufferSize(std::int32_t value) { transferBufferSize_ = value < 255 ? 255 : value; }
    rtl::TThreadPriority ThreadPriority() const { return thread_->Priority(); }
    void SetThreadPriority(rtl::TThreadPriority value) { thread_->SetPriority(value); }
    TupHTTPRange* Range() const { return range_.get(); }
    void SetRange(TupHTTPRange* value) { range_->Assign(value); }
    TupHTTPTimeouts* Timeouts() const { return timeouts_.get(); }
    void SetTimeouts(TupHTTPTimeouts* value) { timeouts_->Assign(value); }
    TupOutputFileAttributes* OutputFileAttributes() const { return attributes_.get(); }
    void SetOutputFileAttributes(TupOutputFileAttributes* value) { attributes_->Assign(value); }
    const std::string& AcceptTypes() const { return acceptTypes_; }
    void SetAcceptTypes(const std::string& value) { acceptTypes_ = value; }
    const std::string& UserAgent() const { return userAgent_; }
    void SetUserAgent(const std::string& value) { userAgent_ = value; }
    bool CatchWorkerExceptions() const { return thread_->CatchWorkerExceptions(); }
    void SetCatchWorkerExceptions(bool value) { thread_->SetCatchWorkerExceptions(value); }

    // The statistics of the last progress event; the rate is -1 from Start to the first block.
    const TupTransferStatistics& Statistics() const { return statistics_; }

    RequestHandleReadyEvent OnRequestHandleReady;
    ResponseHeadersEvent OnResponseHeaders;
    TransferCompleteEvent OnTransferComplete;
    NotifyEvent OnHeadersRejected;
    BlockReceivedEvent OnBlockReceived;
    ConnectionStatusEvent OnConnectionStatus;
    RedirectNoticeEvent OnRedirectNotice;
    NotifyEvent OnTransferUnsuccessful;
    NotifyEvent OnTransferAborted;
    ConnectionLostEvent OnConnectionLost;
    NotifyEvent OnServerUnreachable;
    ErrorStatusEvent OnErrorStatus;
    NotifyEvent OnCompleteWithoutOutput;
    PasswordRequestEvent OnLoginRequest;
    ProxyAuthenticationEvent OnProxyAuthenticationRequest;
    StartWaitTimedOutEvent OnStartWaitTimedOut;
    OutputErrorEvent OnOutputError;

private:
    friend class detail::HttpTransfer;

    // The end of a transfer on the GUI thread, and the stop step of an abort that could not wait.
    void FinishTransfer(detail::HttpTransfer& transfer);
    void FinishAbortedTransfer();
    void ReportWorkerException();
    void StartWaitTimedOut(classes::TObject* sender, bool& terminate);

    std::string url_;
    std::string outputFileName_;
    std::unique_ptr<TupHTTPProxy> proxy_;
    std::unique_ptr<TupHTTPRange> range_;
    std::unique_ptr<TupHTTPTimeouts> timeouts_;
    std::unique_ptr<TupOutputFileAttributes> attributes_;
    TupInternetOptions internetOptions_ = OptionBit(ioKeepConnection);
    TupCacheOptions cacheOptions_ =
        OptionBit(coReloadIfNoExpireInformation) | OptionBit(coReloadUpdatedObjects) | OptionBit(coCreateTempFilesIfCantCache);
    std::int32_t transferBufferSize_ = 4096;
    std::string acceptTypes_ = "text/html, */*";
    std::string userAgent_;

    TupCustomThread* thread_;
    // The easy handle between transfers: its connections survive for the next one.
    std::unique_ptr<detail::EasyHandle> handle_;
    std::shared_ptr<detail::HttpTransfer> transfer_;
    bool busy_ = false;
    TupTransferStatistics statistics_;
};

}  // namespace update
