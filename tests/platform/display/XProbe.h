#pragma once
// What the X server itself tells of the screen, asked over a connection of the test's own: the cursor
// it shows, the bells rung, the windows' depths, contents and order and who has the focus or runs as
// the compositing manager. The X headers stay in XProbe.cpp.

#include <cstdint>
#include <memory>
#include <vector>

namespace displaytest {

struct CursorImage {
    int width = 0;
    int height = 0;
    int xHot = 0;
    int yHot = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, rows from the top
};

// A window's own contents, as the X server keeps them.
struct WindowImage {
    int depth = 0;  // 0: no such window, or not viewable
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // the window's pixel values (0xAARRGGBB at depth 32), rows from the top
};

class XProbe {
public:
    // Connects to DISPLAY and listens for bells from then on.
    XProbe();
    ~XProbe();
    XProbe(const XProbe&) = delete;
    XProbe& operator=(const XProbe&) = delete;

    bool Connected() const;
    // The cursor shown now.
    CursorImage Cursor();
    // Whether a bell rang since the last call (or since the connection was made).
    bool BellRang();
    // The window's depth and pixels (window: an X window id).
    WindowImage Window(unsigned long window);
    // The root's children, bottom to top.
    std::vector<unsigned long> Stacking();
    // The window with the keyboard focus.
    unsigned long Focus();
    // Whether a compositing manager runs (owns _NET_WM_CM_S<screen>).
    bool CompositorRuns();

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

}  // namespace displaytest
