#pragma once
// One request of a transfer, run by the worker itself through the handle's own multi handle: between
// socket events the worker sees a stop request at once and times a request body that stopped moving,
// which libcurl's own limits cannot do within a second (its speed is an average over several).

#include <curl/curl.h>

#include <cstdint>
#include <functional>

namespace update::detail {

// The easy handle of a component's transfers and the multi handle it runs in; the multi handle keeps
// the connections open from one request and one transfer to the next.
struct EasyHandle {
    EasyHandle() : curl(curl_easy_init()), multi(curl_multi_init()) {}
    ~EasyHandle()
    {
        curl_easy_cleanup(curl);
        curl_multi_cleanup(multi);
    }
    EasyHandle(const EasyHandle&) = delete;
    EasyHandle& operator=(const EasyHandle&) = delete;

    CURL* curl;
    CURLM* multi;
};

// Runs the request set up on handle.curl to its end and answers libcurl's result for it.
// CURLE_ABORTED_BY_CALLBACK when stopRequested answered true; CURLE_OPERATION_TIMEDOUT when a request
// body of known length was still going out, no answer had begun, and no byte of it left for sendTimeout
// milliseconds (0: no such limit).
CURLcode RunRequest(EasyHandle& handle, std::uint32_t sendTimeout, const std::function<bool()>& stopRequested);

}  // namespace update::detail
