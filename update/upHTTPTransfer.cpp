// The worker's side of a transfer: one request per libcurl call, redirects and logins decided here
// after each header block, the body written block by block.

#include "update/detail/HttpTransfer.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/StringUtils.h"
#include "update/upUtils.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <string_view>
#include <vector>

namespace update::detail {

namespace {

constexpr long DefaultConnectTimeoutMs = 60000;
constexpr long DefaultReceiveTimeoutSeconds = 60;

bool IsRedirect(std::int32_t code)
{
    return code == 301 || code == 302 || code == 303 || code == 307 || code == 308;
}

std::string SchemeOf(const std::string& url)
{
    return rtl::LowerCase(url.substr(0, url.find("://")));
}

// The request address rebuilt from its parts, path and query escaped.
std::string RequestAddress(const TupAddressParts& parts)
{
    return parts.scheme + "://" + parts.host + ":" + std::to_string(parts.port) + EscapeAddressPart(parts.path)
           + EscapeAddressPart(parts.extra);
}

// The first byte a Content-Range value ("bytes first-last/length") names; -1 when it names none.
std::int64_t RangeStartOf(std::string_view value)
{
    constexpr std::string_view unit = "bytes ";
    if (value.size() < unit.size() || rtl::LowerCase(std::string(value.substr(0, unit.size()))) != unit)
        return -1;
    value.remove_prefix(unit.size());
    std::int64_t first = -1;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), first);
    return error == std::errc() && end != value.data() + value.size() && *end == '-' ? first : -1;
}

}  // namespace

std::string PartFileName(const std::string& outputFileName)
{
    return outputFileName + ".part";
}

std::string NoProxyList(std::string_view bypass)
{
    std::string list;
    std::string entry;
    auto flush = [&] {
        if (entry.rfind("*.", 0) == 0)
            entry.erase(0, 1);
        if (!entry.empty() && rtl::LowerCase(entry) != "<local>")
            list += (list.empty() ? "" : ",") + entry;
        entry.clear();
    };
    for (const char c : bypass) {
        if (c == ';' || c == ' ' || c == '\t')
            flush();
        else
            entry += c;
    }
    flush();
    return list;
}

HttpTransfer::HttpTransfer(TupCustomHTTP* component, TransferSettings transferSettings, std::unique_ptr<EasyHandle> easy)
    : settings(std::move(transferSettings)), handle(std::move(easy)), component_(component)
{
    startOffset = settings.startOffset;
}

HttpTransfer::~HttpTransfer()
{
    curl_slist_free_all(headers_);
}

void HttpTransfer::DeletePartFile()
{
    if (!settings.outputFileName.empty())
        rtl::DeleteFile(PartFileName(settings.outputFileName));
}

bool HttpTransfer::StopRequested() const
{
    const TupEventThread* thread = TupEventThread::Current();
    return thread && thread->Terminated();
}

void HttpTransfer::Relay(const std::function<void()>& call)
{
    if (TupEventThread* thread = TupEventThread::Current())
        thread->RelayCall(call);
}

void HttpTransfer::Status(std::int32_t code, const char* text) const
{
    if (settings.onConnectionStatus)
        settings.onConnectionStatus(component_, code, text);
}

void HttpTransfer::Stop()
{
    aborted = true;
    output.reset();
    if (deleteOnAbort.load())
        DeletePartFile();
    Relay([this] {
        if (component_->OnTransferAborted)
            component_->OnTransferAborted(component_);
    });
}

void HttpTransfer::TransferProc()
{
    startTick_ = rtl::GetTickCount64();
    TupAddressParts parts;
    if (CrackAddress(settings.url, parts)) {
        const std::string scheme = rtl::LowerCase(parts.scheme);
        if (scheme == "file")
            RunFile(parts);
        else if (scheme == "http" || scheme == "https")
            RunHttp(parts);
    }
    if (StopRequested()) {
        Stop();
        return;
    }
    // A body that ended inside the checked block leaves nothing of the old file past its end.
    if (output && outputIsFile && toCompare_ > 0)
        output->SetSize(output->Position());
    if (!outputError && output && outputIsFile && !static_cast<TupFileStream&>(*output).Flush()) {
        outputError = true;
        outputErrorReason = rtl::SysErrorMessage(errno);
    }
}

// --- "file" addresses ---

void HttpTransfer::RunFile(const TupAddressParts& parts)
{
    int fd = -1;
    try {
        fd = rtl::OpenForReading(rtl::OsFileName(parts.path));
    } catch (const rtl::Exception&) {
    }
    struct stat info{};
    if (fd < 0 || fstat(fd, &info) != 0) {
        if (fd >= 0)
            close(fd);
        status = 404;
        contentLength = 0;
        ReadResponseHeaders(status);
        if (continueTransfer)
            OpenOutput();
        return;
    }
    rtl::THandleStream file(fd, true);
    std::vector<char> block(std::size_t(std::min<std::int64_t>(settings.bufferSize, 1 << 20)));
    for (;;) {
        status = 200;
        // Like a range asked of a server, the Range setting gives a new file of its bytes.
        const std::int64_t position =
            std::clamp<std::int64_t>(startOffset != 0 ? startOffset : settings.rangeStart, 0, info.st_size);
        if (startOffset != 0)
            startOffset = position;
        contentLength = info.st_size - position;
        file.Seek(position, rtl::SeekOrigin::Beginning);
        ReadResponseHeaders(status);
        if (!continueTransfer)
            return;
        if (OpenOutput()) {
            while (!StopRequested()) {
                const std::int64_t read = file.Read(block.data(), std::int64_t(block.size()));
                if (read <= 0 || !TakeBody(block.data(), read))
                    break;
            }
            success = action_ == Action::None && !outputError && done == contentLength;
        }
        if (action_ != Action::Retry || StopRequested())
            return;
        action_ = Action::None;
    }
}

// --- HTTP ---

void HttpTransfer::RunHttp(const TupAddressParts& parts)
{
    username_ = parts.user.empty() ? settings.username : parts.user;
    password_ = parts.user.empty() ? settings.password : parts.password;
    if (settings.proxy.accessType != atDirect) {
        proxyUsername_ = settings.proxy.username;
        proxyPassword_ = settings.proxy.password;
    }
    if (settings.proxy.accessType == atUseProxy
        && (settings.proxy.server.empty() || settings.proxy.port < 1 || settings.proxy.port > 65535))
        return;
    url_ = RequestAddress(parts);
    for (;;) {
        if (StopRequested() || !PrepareRequest(url_))
            return;
        action_ = Action::None;
        rawHeaders_.clear();
        headerValues_.clear();
        socketOpened_ = false;
        firstHeaderLine_ = true;
        bodyStarted_ = false;
        const CURLcode result = RunRequest(*handle, settings.sendTimeout, [this] { return StopRequested(); });
        if (action_ == Action::Redirect || action_ == Action::Retry)
            continue;
        if (action_ == Action::End || StopRequested())
            return;
        Status(100, "Request complete");
        if (status == 200 || status == 206)
            success = result == CURLE_OK && !outputError && (contentLength < 0 || !output || done == contentLength);
        return;
    }
}

bool HttpTransfer::PrepareRequest(const std::string& url)
{
    CURL* curl = handle->curl;
    curl_easy_reset(curl);
    curl_slist_free_all(headers_);
    headers_ = nullptr;
    headers_ = curl_slist_append(headers_, ("Accept: " + settings.acceptTypes).c_str());
    // A body that a request-handle handler gives goes out at once, not after a pause for
    // "100 Continue" that the send timeout would take for a stalled server.
    headers_ = curl_slist_append(headers_, "Expect:");
    if (settings.cacheOptions & OptionBit(coPragmaNoCache)) {
        headers_ = curl_slist_append(headers_, "Pragma: no-cache");
        headers_ = curl_slist_append(headers_, "Cache-Control: no-cache");
    }
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers_);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, settings.userAgent.c_str());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, (settings.internetOptions & OptionBit(ioKeepConnection)) ? 0L : 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS,
                     settings.connectTimeout ? long(settings.connectTimeout) : DefaultConnectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME,
                     settings.receiveTimeout ? std::max(1L, long(settings.receiveTimeout / 1000))
                                             : DefaultReceiveTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER,
                     (settings.internetOptions & OptionBit(ioIgnoreUnknownCertificateAuthority)) ? 0L : 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST,
                     (settings.internetOptions & OptionBit(ioIgnoreCertificateInvalid)) ? 0L : 2L);
    if (!settings.caFile.empty())
        curl_easy_setopt(curl, CURLOPT_CAINFO, settings.caFile.c_str());
    if (!username_.empty() || !password_.empty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, username_.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password_.c_str());
        curl_easy_setopt(curl, CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
    }
    switch (settings.proxy.accessType) {
    case atDirect:
        curl_easy_setopt(curl, CURLOPT_PROXY, "");
        break;
    case atUseProxy:
        curl_easy_setopt(curl, CURLOPT_PROXY, settings.proxy.server.c_str());
        curl_easy_setopt(curl, CURLOPT_PROXYPORT, long(settings.proxy.port));
        curl_easy_setopt(curl, CURLOPT_NOPROXY, NoProxyList(settings.proxy.bypass).c_str());
        break;
    case atPreconfig:
        break;  // libcurl reads http_proxy, https_proxy and no_proxy itself
    }
    if (!proxyUsername_.empty() && !proxyPassword_.empty()) {
        curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, proxyUsername_.c_str());
        curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, proxyPassword_.c_str());
        curl_easy_setopt(curl, CURLOPT_PROXYAUTH, CURLAUTH_BASIC);
    }
    const std::int64_t rangeStart = probingWhole_ ? 0 : startOffset != 0 || settings.endOffset != 0 ? startOffset : settings.rangeStart;
    const std::int64_t rangeEnd = probingWhole_ ? 0 : startOffset != 0 || settings.endOffset != 0 ? settings.endOffset : settings.rangeEnd;
    if (probingWhole_ || rangeStart != 0 || rangeEnd != 0) {
        const std::string range = std::to_string(rangeStart) + "-" + (rangeEnd != 0 ? std::to_string(rangeEnd) : "");
        curl_easy_setopt(curl, CURLOPT_RANGE, range.c_str());
    }
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &HeaderCallback);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WriteCallback);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl, CURLOPT_OPENSOCKETFUNCTION, &OpenSocketCallback);
    curl_easy_setopt(curl, CURLOPT_OPENSOCKETDATA, this);
    curl_easy_setopt(curl, CURLOPT_PREREQFUNCTION, &PrerequestCallback);
    curl_easy_setopt(curl, CURLOPT_PREREQDATA, this);
    if (settings.onRequestHandleReady)
        settings.onRequestHandleReady(component_, curl);
    return true;
}

curl_socket_t HttpTransfer::OpenSocketCallback(void* self, curlsocktype, curl_sockaddr* address)
{
    auto& transfer = *static_cast<HttpTransfer*>(self);
    transfer.Status(10, "Resolving name");
    transfer.Status(11, "Name resolved");
    transfer.Status(20, "Connecting to server");
    transfer.socketOpened_ = true;
    const int fd = socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
    return fd < 0 ? CURL_SOCKET_BAD : fd;
}

int HttpTransfer::PrerequestCallback(void* self, char*, char*, int, int)
{
    auto& transfer = *static_cast<HttpTransfer*>(self);
    if (transfer.socketOpened_)
        transfer.Status(21, "Connected");
    transfer.Status(30, "Sending Request");
    return CURL_PREREQFUNC_OK;
}

std::size_t HttpTransfer::HeaderCallback(char* buffer, std::size_t size, std::size_t count, void* self)
{
    auto& transfer = *static_cast<HttpTransfer*>(self);
    const std::size_t length = size * count;
    const std::string line(buffer, length);
    if (transfer.firstHeaderLine_) {
        transfer.firstHeaderLine_ = false;
        transfer.Status(31, "Request sent");
        transfer.Status(40, "Receiving response");
    }
    if (line.rfind("HTTP/", 0) == 0) {
        transfer.rawHeaders_ = line;
        transfer.headerValues_.clear();
        return length;
    }
    transfer.rawHeaders_ += line;
    if (line == "\r\n" || line == "\n") {
        transfer.EndOfHeaderBlock();
        return transfer.action_ == Action::None && !transfer.StopRequested() ? length : 0;
    }
    const std::size_t colon = line.find(':');
    if (colon != std::string::npos)
        transfer.headerValues_.emplace(rtl::LowerCase(rtl::Trim(line.substr(0, colon))),
                                       rtl::Trim(line.substr(colon + 1)));
    return length;
}

void HttpTransfer::EndOfHeaderBlock()
{
    long code = 0;
    curl_easy_getinfo(handle->curl, CURLINFO_RESPONSE_CODE, &code);
    if (code >= 100 && code < 200)
        return;
    Status(41, "Response received");
    auto header = [this](const char* name) {
        const auto found = headerValues_.find(name);
        return found == headerValues_.end() ? std::string() : found->second;
    };
    const auto responseCode = std::int32_t(code);
    if (IsRedirect(responseCode) && !header("location").empty()
        && !(settings.internetOptions & OptionBit(ioNoAutoRedirect))) {
        action_ = FollowRedirect(header("location")) ? Action::Redirect : Action::End;
        return;
    }
    if (responseCode == 401 && settings.hasLoginHandler && AskLogin()) {
        action_ = Action::Retry;
        return;
    }
    if (responseCode == 407 && settings.hasProxyHandler && AskProxyLogin()) {
        action_ = Action::Retry;
        return;
    }
    // A length that is not one plain number, or two of them, leaves the response unreadable.
    std::int64_t length = -1;
    const std::size_t lengths = headerValues_.count("content-length");
    if (lengths > 1 || (lengths == 1 && (!rtl::TryStrToInt64(header("content-length"), length) || length < 0))) {
        action_ = Action::End;
        return;
    }
    if (probingWhole_) {
        probingWhole_ = false;
        if (length == startOffset) {
            success = true;  // the resource is complete already: a success without output
            status = 200;
            action_ = Action::End;
        } else {
            startOffset = 0;
            action_ = Action::Retry;
        }
        return;
    }
    if (responseCode == 416 && startOffset > 0) {
        probingWhole_ = true;
        action_ = Action::Retry;
        return;
    }
    if (responseCode == 206 && startOffset > 0 && RangeStartOf(header("content-range")) != startOffset) {
        // A part that does not begin where the partial file ends cannot continue it.
        StartAgain();
        return;
    }
    status = responseCode;
    contentLength = length;
    // Only a part continues the partial file; any other answer, a 200 among them, is the whole resource.
    if (responseCode != 206 || header("content-range").empty())
        startOffset = 0;
    ReadResponseHeaders(status);
    if ((!continueTransfer || !OpenOutput()) && action_ == Action::None)
        action_ = Action::End;
}

bool HttpTransfer::FollowRedirect(const std::string& location)
{
    if (++redirects_ > TupCustomHTTP::MaxRedirects)
        return false;
    CURLU* url = curl_url();
    char* resolved = nullptr;
    const bool parsed = curl_url_set(url, CURLUPART_URL, url_.c_str(), 0) == CURLUE_OK
                        && curl_url_set(url, CURLUPART_URL, location.c_str(), 0) == CURLUE_OK
                        && curl_url_get(url, CURLUPART_URL, &resolved, 0) == CURLUE_OK;
    const std::string target = parsed ? resolved : "";
    curl_free(resolved);
    curl_url_cleanup(url);
    const std::string from = SchemeOf(url_);
    const std::string to = SchemeOf(target);
    if (!parsed || (to != "http" && to != "https"))
        return false;
    if (from == "https" && to == "http" && !(settings.internetOptions & OptionBit(ioIgnoreRedirectToHTTP)))
        return false;
    Status(110, "Redirect");
    if (settings.onRedirectNotice)
        settings.onRedirectNotice(component_, target);
    url_ = target;
    return true;
}

bool HttpTransfer::AskLogin()
{
    const auto found = headerValues_.find("www-authenticate");
    const std::string realm = found == headerValues_.end() ? "" : RealmOfChallenge(found->second);
    bool tryAgain = false;
    Relay([&] {
        component_->OnLoginRequest(component_, realm, tryAgain);
        username_ = component_->HTTPUsername();
        password_ = component_->HTTPPassword();
    });
    return tryAgain && !StopRequested();
}

bool HttpTransfer::AskProxyLogin()
{
    bool tryAgain = false;
    Relay([&] { component_->OnProxyAuthenticationRequest(component_, proxyUsername_, proxyPassword_, tryAgain); });
    return tryAgain && !StopRequested();
}

void HttpTransfer::ReadResponseHeaders(std::int32_t code)
{
    contentType = headerValues_.count("content-type") ? headerValues_.find("content-type")->second : "";
    if (!settings.hasHeadersHandler)
        return;
    auto header = [this](const char* name) {
        const auto found = headerValues_.find(name);
        return found == headerValues_.end() ? std::string() : found->second;
    };
    const std::int32_t length = contentLength < 0 ? 0 : EventInteger(startOffset + contentLength);
    Relay([&] {
        component_->OnResponseHeaders(component_, code, rawHeaders_, contentType, header("content-language"),
                                      header("content-encoding"), length, header("location"),
                                      ParseInternetDate(header("date")), ParseInternetDate(header("last-modified")),
                                      ParseInternetDate(header("expires")), header("etag"), continueTransfer);
    });
}

bool HttpTransfer::OpenOutput()
{
    const bool toFile = (status == 200 || status == 206) && !settings.outputFileName.empty();
    if (!toFile) {
        if (contentLength > TupCustomHTTP::MaxMemoryOutput) {
            outputError = true;
            outputErrorReason = "The answer is larger than the memory kept for it";
            return false;
        }
        output = std::make_unique<rtl::TMemoryStream>();
        outputIsFile = false;
        return true;
    }
    const std::string partName = PartFileName(settings.outputFileName);
    try {
        auto file = std::make_unique<TupFileStream>(partName, startOffset == 0 ? 1 : 0, true);
        toCompare_ = 0;
        if (startOffset > 0) {
            const std::int64_t size = file->Size();
            if (size < startOffset) {
                // The partial file is shorter than the resume asks for.
                StartAgain();
                return false;
            }
            // The first block is checked against what the file holds from the start offset on; what it
            // holds past that block was never checked and goes.
            toCompare_ = std::min(settings.bufferSize, size - startOffset);
            file->SetSize(startOffset + toCompare_);
            file->Seek(startOffset, rtl::SeekOrigin::Beginning);
        }
        output = std::move(file);
        outputIsFile = true;
    } catch (const rtl::Exception& error) {
        outputError = true;
        outputErrorReason = error.Message();
        return false;
    }
    if (settings.incompleteAttributes != FileAttributeBit(atrArchive))
        SetFileAttributeSet(partName, settings.incompleteAttributes);
    return true;
}

std::size_t HttpTransfer::WriteCallback(char* buffer, std::size_t size, std::size_t count, void* self)
{
    auto& transfer = *static_cast<HttpTransfer*>(self);
    const std::size_t length = size * count;
    if (transfer.action_ != Action::None || !transfer.output || transfer.StopRequested())
        return 0;
    std::int64_t wanted = std::int64_t(length);
    if (transfer.contentLength >= 0)
        wanted = std::min(wanted, transfer.contentLength - transfer.done);
    if (wanted > 0 && !transfer.TakeBody(buffer, wanted))
        return 0;
    return length;
}

bool HttpTransfer::TakeBody(const char* data, std::int64_t size)
{
    const std::int64_t compared = std::min(size, toCompare_);
    if (compared > 0) {
        std::vector<char> held(static_cast<std::size_t>(compared));
        if (output->Read(held.data(), compared) != compared || !std::equal(held.begin(), held.end(), data)) {
            // The partial file is not the start of what the server now sends.
            StartAgain();
            return false;
        }
        toCompare_ -= compared;
        done += compared;
    }
    return compared == size || WriteBody(data + compared, size - compared);
}

void HttpTransfer::StartAgain()
{
    output.reset();
    status = -1;
    startOffset = 0;
    contentLength = -1;
    done = 0;
    toCompare_ = 0;
    action_ = Action::Retry;
}

bool HttpTransfer::WriteBody(const char* data, std::int64_t size)
{
    while (size > 0) {
        if (StopRequested())
            return false;
        const std::int64_t block = std::min(size, settings.bufferSize);
        if (!outputIsFile && done + block > TupCustomHTTP::MaxMemoryOutput) {
            outputError = true;
            outputErrorReason = "The answer is larger than the memory kept for it";
            return false;
        }
        errno = 0;
        if (output->Write(data, block) != block) {
            outputError = true;
            outputErrorReason = rtl::SysErrorMessage(errno ? errno : ENOSPC);
            return false;
        }
        data += block;
        size -= block;
        done += block;
        const TupTransferStatistics statistics = TransferStatistics(
            startOffset, done, contentLength, std::int64_t((rtl::GetTickCount64() - startTick_) / 1000));
        Relay([&] {
            component_->statistics_ = statistics;
            if (component_->OnBlockReceived)
                component_->OnBlockReceived(component_, contentType,
                                            contentLength < 0 ? 0 : EventInteger(startOffset + contentLength),
                                            EventInteger(startOffset + done), EventInteger(statistics.elapsed),
                                            EventInteger(statistics.timeLeft), statistics.percentDone,
                                            float(statistics.rate), output.get());
        });
    }
    return true;
}

}  // namespace update::detail
