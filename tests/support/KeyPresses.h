#pragma once
// A key pressed through the test driver with other keys (Ctrl, Shift, Alt) held down around it, and the
// messages it caused handled.

#include "platform/win/testing/TestDriver.h"

#include <initializer_list>

namespace testsupport {

inline void PressWith(win::TestDriver& driver, std::initializer_list<win::UINT> held, win::UINT key)
{
    for (win::UINT k : held) {
        driver.KeyDown(k);
    }
    driver.PressKey(key);
    for (win::UINT k : held) {
        driver.KeyUp(k);
    }
    driver.Pump();
}

}  // namespace testsupport
