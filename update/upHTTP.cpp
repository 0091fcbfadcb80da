#include "update/upHTTP.h"

#include "update/detail/HttpTransfer.h"

#include "platform/classes/Reflection.h"
#include "platform/rtl/FileUtils.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace update {

namespace {

// Names the component, and no maker.
constexpr const char* DefaultUserAgent = "Rivuve update transfer";

}  // namespace

const classes::TTypeInfo& InternetOptionsType()
{
    static const classes::TTypeInfo element = classes::EnumType(
        "TupInternetOption",
        {"ioIgnoreCertificateInvalid", "ioIgnoreCertificateDateInvalid", "ioIgnoreRedirectToHTTP",
         "ioIgnoreRedirectToHTTPS", "ioIgnoreUnknownCertificateAuthority", "ioKeepConnection", "ioNoAuthentication",
         "ioNoAutoRedirect", "ioNoCookies"});
    static const classes::TTypeInfo type = classes::SetType("TupInternetOptions", element);
    return type;
}

const classes::TTypeInfo& CacheOptionsType()
{
    static const classes::TTypeInfo element = classes::EnumType(
        "TupCacheOption", {"coAlwaysReload", "coReloadIfNoExpireInformation", "coReloadUpdatedObjects",
                           "coPragmaNoCache", "coNoCacheWrite", "coCreateTempFilesIfCantCache", "coUseCacheIfNetFail"});
    static const classes::TTypeInfo type = classes::SetType("TupCacheOptions", element);
    return type;
}

const classes::TTypeInfo& ThreadPriorityType()
{
    static const classes::TTypeInfo type = classes::EnumType(
        "TThreadPriority", {"tpIdle", "tpLowest", "tpLower", "tpNormal", "tpHigher", "tpHighest", "tpTimeCritical"});
    return type;
}

std::int32_t EventInteger(std::int64_t value)
{
    return std::int32_t(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

TupTransferStatistics TransferStatistics(std::int64_t start, std::int64_t done, std::int64_t contentLength,
                                         std::int64_t elapsedSeconds)
{
    TupTransferStatistics statistics;
    statistics.elapsed = std::max<std::int64_t>(elapsedSeconds, 0);
    if (contentLength > 0)
        statistics.percentDone = PercentOf(start + done, start + contentLength);
    if (contentLength > 0 && done > 0 && done < contentLength) {
        const double total = std::nearbyint(double(contentLength) / double(done) * double(statistics.elapsed));
        statistics.timeLeft = std::max<std::int64_t>(std::int64_t(total) - statistics.elapsed, 0);
    }
    statistics.rate = double(done) / 1024.0;
    if (statistics.elapsed > 0)
        statistics.rate /= double(statistics.elapsed);
    return statistics;
}

std::string RealmOfChallenge(std::string_view challenge)
{
    const std::size_t equals = challenge.find('=');
    if (equals == std::string_view::npos || equals + 1 >= challenge.size() || challenge[equals + 1] != '"')
        return "";
    const std::string_view rest = challenge.substr(equals + 2);
    return std::string(rest.substr(0, rest.empty() ? 0 : rest.size() - 1));
}

TupCustomHTTP::TupCustomHTTP(classes::TComponent* owner)
    : TupLoginComponent(owner),
      proxy_(std::make_unique<TupHTTPProxy>()),
      range_(std::make_unique<TupHTTPRange>()),
      timeouts_(std::make_unique<TupHTTPTimeouts>()),
      attributes_(std::make_unique<TupOutputFileAttributes>()),
      userAgent_(DefaultUserAgent),
      thread_(new TupCustomThread(this))
{
    thread_->SetExceptionHandler([this](TupCustomThread&, std::exception_ptr) { ReportWorkerException(); });
    thread_->SetTerminateHandler([this](TupCustomThread&, int&) {
        if (transfer_)
            FinishTransfer(*transfer_);
    });
    thread_->OnStartWaitTimedOut = TupCustomThread::StartWaitTimedOutEvent::Of<&TupCustomHTTP::StartWaitTimedOut>(this);
}

TupCustomHTTP::~TupCustomHTTP()
{
    Destroying();
    if (busy_)
        thread_->Stop(true);
}

const classes::TClassInfo& TupCustomHTTP::StaticClass()
{
    static const classes::TClassInfo info("TupCustomHTTP", &TupLoginComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TupCustomHTTP>(c)
            .Property("Proxy", &TupCustomHTTP::Proxy, &TupCustomHTTP::SetProxy)
            .Property("InternetOptions", InternetOptionsType(), &TupCustomHTTP::InternetOptions,
                      &TupCustomHTTP::SetInternetOptions)
            .Default(OptionBit(ioKeepConnection))
            .Property("ThreadPriority", ThreadPriorityType(), &TupCustomHTTP::ThreadPriority,
                      &TupCustomHTTP::SetThreadPriority)
            .Default(rtl::tpNormal)
            .Property("TransferBufferSize", &TupCustomHTTP::TransferBufferSize, &TupCustomHTTP::SetTransferBufferSize)
            .Default(4096);
    });
    return info;
}

bool TupCustomHTTP::IsTransferring() const
{
    return busy_ && thread_->Running();
}

bool TupCustomHTTP::Start(std::int64_t startOffset, std::int64_t endOffset, bool wait)
{
    if (busy_)
        return false;
    detail::TransferSettings settings;
    settings.url = url_;
    settings.outputFileName = outputFileName_;
    settings.username = HTTPUsername();
    settings.password = HTTPPassword();
    settings.proxy = {proxy_->AccessType, proxy_->ProxyPort,     proxy_->ProxyServer,
                      proxy_->ProxyBypass, proxy_->ProxyUsername, proxy_->ProxyPassword};
    settings.internetOptions = internetOptions_;
    settings.cacheOptions = cacheOptions_;
    settings.bufferSize = transferBufferSize_;
    settings.startOffset = std::max<std::int64_t>(startOffset, 0);
    settings.endOffset = std::max<std::int64_t>(endOffset, 0);
    settings.rangeStart = range_->StartRange;
    settings.rangeEnd = range_->EndRange;
    settings.connectTimeout = timeouts_->ConnectTimeout;
    settings.receiveTimeout = timeouts_->ReceiveTimeout;
    settings.sendTimeout = timeouts_->SendTimeout;
    settings.incompleteAttributes = attributes_->Incomplete;
    settings.completeAttributes = attributes_->Complete;
    settings.acceptTypes = acceptTypes_;
    settings.userAgent = userAgent_;
    if (const char* caFile = std::getenv("RIVUVE_CA_FILE"))
        settings.caFile = caFile;
    settings.hasLoginHandler = bool(OnLoginRequest);
    settings.hasProxyHandler = bool(OnProxyAuthenticationRequest);
    settings.hasHeadersHandler = bool(OnResponseHeaders);
    settings.onRequestHandleReady = OnRequestHandleReady;
    settings.onConnectionStatus = OnConnectionStatus;
    settings.onRedirectNotice = OnRedirectNotice;

    auto handle = handle_ ? std::move(handle_) : std::make_unique<detail::EasyHandle>();
    transfer_ = std::make_shared<detail::HttpTransfer>(this, std::move(settings), std::move(handle));
    busy_ = true;
    statistics_ = TupTransferStatistics();
    statistics_.rate = -1;
    // The worker holds the transfer through its step: an abandoned transfer outlives the component.
    thread_->SetExecuteStep([transfer = transfer_](TupCustomThread&, int&) { transfer->TransferProc(); });
    thread_->SetWaitAfterStart(wait);
    if (thread_->Start())
        return true;
    FinishAbortedTransfer();
    return false;
}

void TupCustomHTTP::ReportWorkerException()
{
    if (transfer_)
        transfer_->workerFailed = true;
    if (OnTransferUnsuccessful)
        OnTransferUnsuccessful(this);
}

void TupCustomHTTP::FinishTransfer(detail::HttpTransfer& transfer)
{
    const std::shared_ptr<detail::HttpTransfer> keep = transfer_;
    busy_ = false;
    if (!handle_)
        handle_ = std::move(transfer.handle);
    if (transfer.aborted || transfer.workerFailed) {
        transfer.CloseOutput();
        if (transfer.workerFailed)
            transfer.DeletePartFile();
        return;
    }
    if (transfer.outputError) {
        transfer.CloseOutput();
        transfer.DeletePartFile();
        if (OnOutputError)
            OnOutputError(this, transfer.status == 200 || transfer.status == 206 ? transfer.settings.outputFileName : "",
                          transfer.outputErrorReason);
        if (OnTransferUnsuccessful)
            OnTransferUnsuccessful(this);
        return;
    }
    const std::int32_t total = EventInteger(transfer.startOffset + std::max<std::int64_t>(transfer.contentLength, 0));
    const std::int32_t received = EventInteger(transfer.startOffset + transfer.done);
    if (transfer.continueTransfer && transfer.success) {
        if (!transfer.output) {
            if (OnTransferUnsuccessful)
                OnTransferUnsuccessful(this);
            if (OnCompleteWithoutOutput)
                OnCompleteWithoutOutput(this);
            return;
        }
        rtl::TStream* data = nullptr;
        if (transfer.outputIsFile) {
            transfer.CloseOutput();
            const std::string& fileName = transfer.settings.outputFileName;
            if (std::rename(rtl::OsFileName(detail::PartFileName(fileName)).c_str(), rtl::OsFileName(fileName).c_str())
                != 0) {
                const std::string reason = rtl::SysErrorMessage(errno);
                transfer.DeletePartFile();
                if (OnOutputError)
                    OnOutputError(this, fileName, reason);
                if (OnTransferUnsuccessful)
                    OnTransferUnsuccessful(this);
                return;
            }
            if (transfer.settings.completeAttributes != transfer.settings.incompleteAttributes)
                SetFileAttributeSet(fileName, transfer.settings.completeAttributes);
        } else {
            data = transfer.output.get();
            data->SetPosition(0);
        }
        if (OnTransferComplete)
            OnTransferComplete(this, transfer.contentType, received, data);
    } else if (transfer.continueTransfer) {
        rtl::TStream* data = transfer.outputIsFile ? nullptr : transfer.output.get();
        if (data)
            data->SetPosition(0);
        if (transfer.status == 200 || transfer.status == 206) {
            transfer.CloseOutput();  // the ".part" stays for a resume
            if (OnConnectionLost)
                OnConnectionLost(this, transfer.contentType, total, received, data);
        } else if (transfer.status == -1) {
            transfer.CloseOutput();
            transfer.DeletePartFile();
            if (OnServerUnreachable)
                OnServerUnreachable(this);
        } else {
            if (OnErrorStatus)
                OnErrorStatus(this, transfer.status, data);
            transfer.CloseOutput();
            transfer.DeletePartFile();
        }
        if (OnTransferUnsuccessful)
            OnTransferUnsuccessful(this);
    }
    transfer.CloseOutput();
    if (!transfer.continueTransfer && OnHeadersRejected)
        OnHeadersRejected(this);
}

void TupCustomHTTP::FinishAbortedTransfer()
{
    busy_ = false;
    transfer_.reset();
    if (OnTransferAborted)
        OnTransferAborted(this);
}

void TupCustomHTTP::Abort(bool deleteFile, bool kill)
{
    if (!busy_ || !transfer_)
        return;
    transfer_->deleteOnAbort.store(deleteFile);
    if (!kill) {
        thread_->Stop(false);
        return;
    }
    thread_->Stop(true);
    FinishAbortedTransfer();
}

void TupCustomHTTP::StartWaitTimedOut(classes::TObject*, bool& terminate)
{
    if (OnStartWaitTimedOut)
        OnStartWaitTimedOut(this, terminate);
}

}  // namespace update
