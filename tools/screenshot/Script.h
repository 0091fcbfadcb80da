#pragma once
// The screenshot tool's scripts: one action a line, points in the client coordinates of the main window.
//   click X Y | rclick X Y | key VK_NAME | type TEXT | wait MS      (blank lines and # comments skipped)

#include <cstdint>
#include <string>
#include <vector>

namespace screenshot {

struct Action {
    enum Kind { Click, RightClick, Key, Type, Wait } kind = Click;
    int x = 0;
    int y = 0;
    unsigned vk = 0;
    std::string text;  // UTF-8
    std::uint64_t milliseconds = 0;
};

// Raises std::invalid_argument "line N: ..." naming the first line it cannot take.
std::vector<Action> ParseScript(const std::string& text);

// The virtual key of a name (VK_F4, VK_RETURN, VK_A ...); 0 for none.
unsigned VirtualKeyOfName(const std::string& name);

}  // namespace screenshot
