#include "update/detail/RequestLoop.h"

#include "platform/rtl/Clock.h"

#include <algorithm>

namespace update::detail {

namespace {

// How long the worker waits on quiet sockets before it looks for a stop request again.
constexpr std::uint64_t StopCheckMilliseconds = 100;

// Whether bytes of a request body of known length are still to go before any answer began; sent is
// the count that went so far.
bool SendingBody(CURL* curl, curl_off_t& sent)
{
    curl_off_t length = -1;
    long code = 0;
    sent = 0;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_UPLOAD_T, &length);
    curl_easy_getinfo(curl, CURLINFO_SIZE_UPLOAD_T, &sent);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
    return code == 0 && length > 0 && sent < length;
}

CURLcode ResultOf(EasyHandle& handle)
{
    CURLcode result = CURLE_GOT_NOTHING;
    int left = 0;
    while (const CURLMsg* message = curl_multi_info_read(handle.multi, &left))
        if (message->msg == CURLMSG_DONE && message->easy_handle == handle.curl)
            result = message->data.result;
    return result;
}

}  // namespace

CURLcode RunRequest(EasyHandle& handle, std::uint32_t sendTimeout, const std::function<bool()>& stopRequested)
{
    if (curl_multi_add_handle(handle.multi, handle.curl) != CURLM_OK)
        return CURLE_FAILED_INIT;
    CURLcode result = CURLE_OK;
    curl_off_t lastSent = -1;
    std::uint64_t lastMove = 0;
    for (;;) {
        int running = 0;
        if (curl_multi_perform(handle.multi, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        if (running == 0) {
            result = ResultOf(handle);
            break;
        }
        if (stopRequested()) {
            result = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        std::uint64_t wait = StopCheckMilliseconds;
        curl_off_t sent = 0;
        if (sendTimeout != 0 && SendingBody(handle.curl, sent)) {
            const std::uint64_t now = rtl::GetTickCount64();
            if (sent != lastSent) {
                lastSent = sent;
                lastMove = now;
            }
            const std::uint64_t still = now - lastMove;
            if (still >= sendTimeout) {
                result = CURLE_OPERATION_TIMEDOUT;
                break;
            }
            wait = std::min<std::uint64_t>(wait, sendTimeout - still);
        }
        curl_multi_poll(handle.multi, nullptr, 0, int(wait), nullptr);
    }
    curl_multi_remove_handle(handle.multi, handle.curl);
    return result;
}

}  // namespace update::detail
