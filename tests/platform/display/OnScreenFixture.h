#pragma once
// The sdl display on a private Xvfb, with what the on-screen tests share: waiting for the screen, the X
// tools a user's desktop would use, and windows whose every pixel is known.

#include "DisplayFixture.h"

#include "platform/wintypes/GdiTypes.h"
#include "tests/support/Xvfb.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace displaytest {

class OnScreenTest : public DisplayTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Pumps the thread's messages until done answers true (false after 5 s).
    static bool PumpUntil(const std::function<bool()>& done);
    // Pumps until the display has presented what was drawn so far, and a little longer.
    static void Settle();
    // Draws a pixel of the window anew and settles: once that is presented, what the screen had sent
    // before has been handled too.
    static void SettleAfterDrawing(win::HWND hwnd);
    // Runs a tool that must succeed; its output without the last line break.
    static std::string Tool(const std::vector<std::string>& argv);
    // The X window showing a window of the given title.
    static std::string XWindowOf(const std::string& title);
    // A shown window whose every pixel is set: blue columns over a yellow ground (PatternAt).
    static win::HWND PatternedWindow(const char* title, int x, int y, int width, int height, win::DWORD style,
                                     win::HWND owner = nullptr, win::DWORD exStyle = 0);
    // The colour of a PatternedWindow's column x.
    static win::COLORREF PatternAt(int x);

    testsupport::XvfbServer server_;

private:
    // Pumps until a present after the count before was made, and a little longer.
    static void SettleFrom(std::uint64_t before);

    bool started_ = false;  // the window system and the display run
};

}  // namespace displaytest
