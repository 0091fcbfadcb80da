#include "update/upHTTPAddress.h"

#include <curl/curl.h>

#include <memory>

namespace update {

namespace {

struct UrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

// The part, decoded; empty when the address has none. False when it does not fit its limit.
bool GetPart(CURLU* url, CURLUPart which, std::size_t limit, std::string& value)
{
    char* text = nullptr;
    const CURLUcode result = curl_url_get(url, which, &text, which == CURLUPART_PORT ? CURLU_DEFAULT_PORT : CURLU_URLDECODE);
    value = result == CURLUE_OK && text ? text : "";
    curl_free(text);
    return value.size() <= limit;
}

}  // namespace

bool CrackAddress(std::string_view address, TupAddressParts& parts)
{
    parts = TupAddressParts();
    std::string text(address);
    if (text.find("://") == std::string::npos)
        text = "http://" + text;
    if (text.find('\0') != std::string::npos)
        return false;
    std::unique_ptr<CURLU, UrlDeleter> url(curl_url());
    // A folder or file name with blanks is what the user typed: the blanks are escaped as "%20" when
    // the request is built, not refused here.
    if (!url
        || curl_url_set(url.get(), CURLUPART_URL, text.c_str(), CURLU_NON_SUPPORT_SCHEME | CURLU_ALLOW_SPACE)
               != CURLUE_OK)
        return false;
    std::string port, query;
    if (!GetPart(url.get(), CURLUPART_SCHEME, 32, parts.scheme) || !GetPart(url.get(), CURLUPART_HOST, 256, parts.host)
        || !GetPart(url.get(), CURLUPART_USER, 128, parts.user)
        || !GetPart(url.get(), CURLUPART_PASSWORD, 128, parts.password)
        || !GetPart(url.get(), CURLUPART_PATH, 2048, parts.path) || !GetPart(url.get(), CURLUPART_PORT, 8, port)
        || !GetPart(url.get(), CURLUPART_QUERY, 2047, query))
        return false;
    if (!query.empty())
        parts.extra = "?" + query;
    parts.port = port.empty() ? 0 : std::stoi(port);
    return true;
}

std::string EscapeAddressPart(std::string_view text)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte >= 127 || std::string_view(" #%*+<>").find(c) != std::string_view::npos) {
            result += '%';
            result += digits[byte >> 4];
            result += digits[byte & 15];
        } else {
            result += c;
        }
    }
    return result;
}

std::string FileNameOfAddress(std::string_view address)
{
    TupAddressParts parts;
    if (!CrackAddress(address, parts))
        return "";
    const std::size_t slash = parts.path.find_last_of("/\\");
    return slash == std::string::npos ? parts.path : parts.path.substr(slash + 1);
}

std::string HostOfAddress(std::string_view address)
{
    TupAddressParts parts;
    return CrackAddress(address, parts) ? parts.host : "";
}

}  // namespace update
