#pragma once
// Sounds. Nothing is played (MessageBeep rings the display's bell where one is installed): each request is
// recorded, so tests can see what the program asked for.

#include "platform/services/DialogService.h"
#include "platform/wintypes/Types.h"

#include <string>
#include <vector>

namespace win {

constexpr DWORD SND_SYNC = 0x00000000;
constexpr DWORD SND_ASYNC = 0x00000001;
constexpr DWORD SND_NODEFAULT = 0x00000002;
constexpr DWORD SND_MEMORY = 0x00000004;
constexpr DWORD SND_LOOP = 0x00000008;
constexpr DWORD SND_NOSTOP = 0x00000010;
constexpr DWORD SND_NOWAIT = 0x00002000;
constexpr DWORD SND_ALIAS = 0x00010000;
constexpr DWORD SND_FILENAME = 0x00020000;
constexpr DWORD SND_PURGE = 0x00000040;

// type is one of the message box icons (MB_ICONHAND ...) or MB_OK.
BOOL MessageBeep(UINT type);
// A null sound stops the sound playing: recorded with an empty name.
BOOL PlaySound(const char* sound, HMODULE module, DWORD flags);

struct SoundRequest {
    enum Kind { Beep, Play } kind = Beep;
    UINT beepType = 0;
    std::string sound;
    DWORD flags = 0;
};
std::vector<SoundRequest> SoundLog();
void ClearSoundLog();

}  // namespace win
