// Feeds arbitrary bytes to the readers of text that comes from servers and stored windows: header dates,
// the login realm, addresses and their escaping, and the stored login block.
#include "update/upHTTP.h"
#include "update/upUtils.h"

#include "platform/rtl/Streams.h"
#include "tests/fuzz/FuzzInput.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Check(std::isfinite(update::ParseInternetDate(text)));
    Check(update::RealmOfChallenge(text).size() <= text.size());

    update::TupAddressParts parts;
    if (update::CrackAddress(text, parts)) {
        Check(parts.scheme.size() <= 32 && parts.host.size() <= 256 && parts.user.size() <= 128
              && parts.password.size() <= 128 && parts.path.size() <= 2048 && parts.extra.size() <= 2048);
        Check(update::FileNameOfAddress(text).size() <= parts.path.size());
        Check(update::HostOfAddress(text) == parts.host);
    }
    const std::string escaped = update::EscapeAddressPart(text);
    for (const char c : escaped)
        Check(c > 32 && c < 127 && std::string_view("#*+<>").find(c) == std::string_view::npos);

    update::TupLoginComponent login(nullptr);
    rtl::TStringStream block{std::string(text)};
    login.ReadLoginInfo(block);
    Check(login.HTTPUsername().size() + login.HTTPPassword().size() < 255);
    if (!login.HTTPUsername().empty() || !login.HTTPPassword().empty()) {
        // What was read is written back as the same block.
        rtl::TStringStream written;
        login.WriteLoginInfo(written);
        Check(text.substr(0, std::size_t(written.Size())) == written.DataString());
    }
    return 0;
}
