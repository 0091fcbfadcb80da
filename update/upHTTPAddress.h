#pragma once
// Web addresses: split into their parts, escaped for a request, and the file name and host they name.

#include <string>
#include <string_view>

namespace update {

struct TupAddressParts {
    std::string scheme;
    std::string host;
    int port = 0;
    std::string user;
    std::string password;
    std::string path;
    // The query with its leading '?'; a fragment is never sent and is dropped.
    std::string extra;
};

// Splits address (the HTTP scheme assumed when it holds no "://") with escapes decoded; blanks are
// taken as they stand everywhere but in the scheme and the host. False when it cannot be parsed or a
// part is longer than its limit (scheme 32, host 256, user and password 128 each, path and extra part
// 2048 each).
bool CrackAddress(std::string_view address, TupAddressParts& parts);
// Replaces control characters, bytes from 128 and the characters " #%*+<>" by '%' and two upper-case
// hexadecimal digits.
std::string EscapeAddressPart(std::string_view text);
// The last segment of the address's path ('/' read as '\'), without the query; empty when the address
// cannot be parsed.
std::string FileNameOfAddress(std::string_view address);
std::string HostOfAddress(std::string_view address);

}  // namespace update
