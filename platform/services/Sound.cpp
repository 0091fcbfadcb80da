#include "platform/services/Sound.h"

#include "platform/services/detail/Sound.h"

#include <mutex>

namespace win {

namespace {

struct Log {
    std::mutex mutex;
    std::vector<SoundRequest> requests;
    detail::BellRinger ringer;
};

Log& TheLog()
{
    static Log log;
    return log;
}

void Record(SoundRequest request)
{
    Log& log = TheLog();
    std::lock_guard lock(log.mutex);
    log.requests.push_back(std::move(request));
}

}  // namespace

BOOL MessageBeep(UINT type)
{
    Record(SoundRequest{SoundRequest::Beep, type, {}, 0});
    detail::BellRinger ringer;
    {
        Log& log = TheLog();
        std::lock_guard lock(log.mutex);
        ringer = log.ringer;
    }
    if (ringer) {
        ringer(type);
    }
    return TRUE;
}

BOOL PlaySound(const char* sound, HMODULE, DWORD flags)
{
    Record(SoundRequest{SoundRequest::Play, 0, sound && !IS_INTRESOURCE(sound) ? sound : "", flags});
    return TRUE;
}

std::vector<SoundRequest> SoundLog()
{
    Log& log = TheLog();
    std::lock_guard lock(log.mutex);
    return log.requests;
}

void detail::SetBellRinger(BellRinger ringer)
{
    Log& log = TheLog();
    std::lock_guard lock(log.mutex);
    log.ringer = std::move(ringer);
}

void ClearSoundLog()
{
    Log& log = TheLog();
    std::lock_guard lock(log.mutex);
    log.requests.clear();
}

}  // namespace win
