// Feeds arbitrary key, modifier and text events through the screen's key translator. Every key-up it
// makes must match a key it reported down, and every character it attaches must come from the text it
// was given (or be '?' for one the code page cannot hold).
#include "platform/display/detail/KeyTranslator.h"
#include "platform/rtl/CodePage.h"
#include "platform/win/Input.h"
#include "platform/wintypes/Messages.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace win;
    using namespace win::detail;
    KeyTranslator translator(size > 0 && (data[0] & 1));
    std::vector<std::string> texts;
    std::size_t at = 1;
    auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
    while (at < size) {
        const std::uint8_t op = next();
        switch (op % 5) {
        case 0:
        case 1: {
            ScreenKeyEvent event;
            event.down = op % 5 == 0;
            event.repeat = event.down && (op & 0x80);
            event.scancode = next() | ((op & 0x40) ? 0x100 : 0);
            event.symbol = next();
            event.modifiers = static_cast<unsigned>(next()) << ((op >> 3) & 7);
            translator.Key(event);
            break;
        }
        case 2: {
            const std::size_t length = next() % 8;
            std::string text;
            for (std::size_t i = 0; i < length && at < size; ++i) {
                text += static_cast<char>(next());
            }
            std::u16string wide;
            if (rtl::TryUtf8ToWide(text, wide)) {
                texts.push_back(text);
            }
            translator.Text(text, 0);
            break;
        }
        case 3:
            translator.Flush();
            break;
        default:
            translator.Resynchronize({next(), next()}, 0);
            break;
        }
    }
    translator.Flush();
    std::map<UINT, int> down;
    for (const KeyMessage& key : translator.Take()) {
        if (key.message == WM_KEYDOWN || key.message == WM_SYSKEYDOWN) {
            ++down[key.vk];
        } else if (down[key.vk]-- <= 0) {
            std::abort();  // a key-up without a key down
        }
        if ((key.lPrivate & InputDeadChar) || ((key.lPrivate & InputHasChar) && key.message != WM_KEYDOWN &&
                                               key.message != WM_SYSKEYDOWN)) {
            std::abort();
        }
        const char ch = static_cast<char>(key.lPrivate & 0xFF);
        if ((key.lPrivate & InputHasChar) && ch != 0 && ch != '?') {
            const std::string utf8 = rtl::AnsiToUtf8(std::string(1, ch));
            bool found = false;
            for (const std::string& text : texts) {
                found = found || text.find(utf8) != std::string::npos;
            }
            if (!found) {
                std::abort();  // a character that no text brought
            }
        }
    }
    return 0;
}
