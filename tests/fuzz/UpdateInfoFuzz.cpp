// Feeds arbitrary bytes to the update information file's readers: every key's value, the download
// queue, the version decision both ways and the date reader. Values never hold their end marks, queue
// lines are never empty, and version comparison is antisymmetric.
#include "tests/fuzz/FuzzInput.h"
#include "update/upUtils.h"

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
    for (const char* key : {"#version", "#date", "#url", "#url0", "#url1", "#message", "#method"}) {
        for (const bool braced : {false, true}) {
            const std::string value = update::GetInfoValue(text, key, braced);
            for (const char c : value)
                Check(braced ? c != '}' : static_cast<unsigned char>(c) >= 32);
        }
    }
    update::TupStringList queue;
    update::FillDownloadQueue(text, queue);
    for (int index = 0; index < queue.Count(); ++index)
        Check(!queue.Strings(index).empty());

    const std::string version = update::GetInfoValue(text, "#version", false);
    const std::string_view half = text.substr(text.size() / 2);
    Check(update::CompareVersions(version, half) == -update::CompareVersions(half, version));
    Check(update::CompareVersions(text, text) == 0);
    update::IsNewerVersion(text, update::byNumber, half, half);
    update::IsNewerVersion(text, update::byDate, half, half);
    const double date = update::ParseUsDate(update::GetInfoValue(text, "#date", false));
    Check(date == date);
    update::ParseUsDate(text);
    return 0;
}
