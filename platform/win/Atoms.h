#pragma once
// The atom table: names (without regard to case) turned into small numbers, shared by global atoms
// and registered window messages. Atoms count their additions and go away with the last deletion.

#include "platform/wintypes/Types.h"

#include <string>

namespace win {

// 0 for an empty or overlong name (over 255 characters). A name "#123" is the integer atom 123.
ATOM GlobalAddAtom(const char* name);
ATOM GlobalFindAtom(const char* name);
ATOM GlobalDeleteAtom(ATOM atom);
UINT GlobalGetAtomName(ATOM atom, char* buffer, int size);

// A message number in 0xC000 .. 0xFFFF, the same for the same name during the whole run.
UINT RegisterWindowMessage(const char* name);

}  // namespace win
