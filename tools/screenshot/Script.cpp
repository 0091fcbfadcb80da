#include "Script.h"

#include "platform/win/Input.h"

#include <charconv>
#include <sstream>
#include <stdexcept>

namespace screenshot {

namespace {

struct NamedKey {
    const char* name;
    unsigned vk;
};

constexpr NamedKey NamedKeys[] = {
    {"VK_BACK", win::VK_BACK},     {"VK_TAB", win::VK_TAB},       {"VK_RETURN", win::VK_RETURN},
    {"VK_SHIFT", win::VK_SHIFT},   {"VK_CONTROL", win::VK_CONTROL}, {"VK_MENU", win::VK_MENU},
    {"VK_ESCAPE", win::VK_ESCAPE}, {"VK_SPACE", win::VK_SPACE},   {"VK_PRIOR", win::VK_PRIOR},
    {"VK_NEXT", win::VK_NEXT},     {"VK_END", win::VK_END},       {"VK_HOME", win::VK_HOME},
    {"VK_LEFT", win::VK_LEFT},     {"VK_UP", win::VK_UP},         {"VK_RIGHT", win::VK_RIGHT},
    {"VK_DOWN", win::VK_DOWN},     {"VK_INSERT", win::VK_INSERT}, {"VK_DELETE", win::VK_DELETE},
    {"VK_APPS", win::VK_APPS},
};

bool Number(const std::string& word, long long& value)
{
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

}  // namespace

unsigned VirtualKeyOfName(const std::string& name)
{
    for (const NamedKey& key : NamedKeys) {
        if (name == key.name) {
            return key.vk;
        }
    }
    if (name.size() == 4 && name.starts_with("VK_") &&
        ((name[3] >= 'A' && name[3] <= 'Z') || (name[3] >= '0' && name[3] <= '9'))) {
        return static_cast<unsigned char>(name[3]);
    }
    long long f = 0;
    if (name.starts_with("VK_F") && Number(name.substr(4), f) && f >= 1 && f <= 12) {
        return win::VK_F1 + static_cast<unsigned>(f - 1);
    }
    return 0;
}

std::vector<Action> ParseScript(const std::string& text)
{
    std::vector<Action> actions;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::istringstream words(line);
        std::string verb;
        if (!(words >> verb) || verb.starts_with("#")) {
            continue;
        }
        auto fail = [&](const std::string& why) {
            throw std::invalid_argument("line " + std::to_string(number) + ": " + why + ": \"" + line + "\"");
        };
        Action action;
        std::vector<std::string> rest;
        for (std::string word; words >> word;) {
            rest.push_back(word);
        }
        if (verb == "click" || verb == "rclick") {
            long long x = 0;
            long long y = 0;
            if (rest.size() != 2 || !Number(rest[0], x) || !Number(rest[1], y) || x < -32768 || x > 32767 ||
                y < -32768 || y > 32767) {
                fail("a click needs two coordinates");
            }
            action.kind = verb == "click" ? Action::Click : Action::RightClick;
            action.x = static_cast<int>(x);
            action.y = static_cast<int>(y);
        } else if (verb == "key") {
            if (rest.size() != 1 || !(action.vk = VirtualKeyOfName(rest[0]))) {
                fail("unknown key");
            }
            action.kind = Action::Key;
        } else if (verb == "type") {
            const std::size_t start = line.find("type") + 5;
            if (start > line.size()) {
                fail("nothing to type");
            }
            action.kind = Action::Type;
            action.text = line.substr(start);
        } else if (verb == "wait") {
            long long ms = 0;
            if (rest.size() != 1 || !Number(rest[0], ms) || ms < 0 || ms > 600000) {
                fail("a wait needs milliseconds (0 to 600000)");
            }
            action.kind = Action::Wait;
            action.milliseconds = static_cast<std::uint64_t>(ms);
        } else {
            fail("unknown action");
        }
        actions.push_back(action);
    }
    return actions;
}

}  // namespace screenshot
