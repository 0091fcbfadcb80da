#pragma once
// What the X server itself tells of the screen, asked over a connection of the test's own: the cursor
// it shows and the bells rung. The X headers stay in XProbe.cpp.

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

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

}  // namespace displaytest
