#pragma once
// What the fuzz targets of the standard windows share: the libraries started once for the whole run, a
// shown top-level frame to hold the control under test, and Shift and Ctrl held as the input says.

#include "platform/win/Input.h"
#include "platform/win/Window.h"
#include "tests/support/GuiLibraries.h"

#include <cstdint>

namespace fuzz {

// Bit 1: Shift down, bit 2: Ctrl down; every other key up.
inline void SetModifiers(std::uint8_t bits)
{
    win::BYTE state[256] = {};
    state[win::VK_SHIFT] = (bits & 1) ? 0x80 : 0;
    state[win::VK_CONTROL] = (bits & 2) ? 0x80 : 0;
    win::SetKeyboardState(state);
}

// A shown frame of 300 x 200; the first call starts the libraries, which stay started for the run.
inline win::HWND MakeFrame()
{
    static const bool started = (testsupport::StartGuiLibraries(), true);
    (void)started;
    return win::CreateWindowEx(0, "STATIC", "", win::WS_OVERLAPPEDWINDOW | win::WS_VISIBLE, 0, 0, 300, 200, nullptr,
                               nullptr, nullptr, nullptr);
}

}  // namespace fuzz
