#pragma once
// A fresh window system per test, with a window class that records what its windows receive.

#include "platform/wintypes/Types.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace displaytest {

// channel scaled by alpha / 255, as a screen or compositing manager that blends premultiplied pixels wants it.
inline std::uint32_t Premultiplied(std::uint32_t channel, std::uint32_t alpha)
{
    return static_cast<std::uint32_t>(std::lround(channel * alpha / 255.0));
}

struct Received {
    win::HWND hwnd;
    win::UINT message;
    win::WPARAM wParam;
    win::LPARAM lParam;
};

// Gives a layered window a picture of width-pixel rows of premultiplied 0xAARRGGBB pixels with per-pixel
// alpha, shown at the constant alpha (UpdateLayeredWindow); false when it was refused.
bool GivePicture(win::HWND hwnd, int width, const std::vector<std::uint32_t>& pixels, win::BYTE constantAlpha = 255);

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Set before SetUp: the GUI class library and everything it stands on start too (its standard
    // window classes among them).
    bool withGui_ = false;

    // A top-level window of the recording class at the screen rectangle.
    static win::HWND MakeWindow(win::DWORD style, int x, int y, int width, int height, win::HWND owner = nullptr,
                                win::DWORD exStyle = 0, win::UINT classStyle = 0);
    // Fetches, translates and dispatches what the calling thread's queue holds.
    static void Pump();
    // What the recording windows received, in order; the messages among wanted only.
    static std::vector<Received> Log();
    static std::vector<Received> Only(std::initializer_list<win::UINT> wanted);
    static void ClearLog();
    // The smallest track size the recording windows answer to WM_GETMINMAXINFO (zero: the default).
    static void SetMinTrackSize(win::POINT size);
};

}  // namespace displaytest
