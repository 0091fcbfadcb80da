#include "platform/display/detail/KeyTranslator.h"

#include "platform/rtl/CodePage.h"
#include "platform/win/Input.h"
#include "platform/wintypes/Messages.h"

#include <algorithm>
#include <utility>

namespace win::detail {

namespace {

constexpr UINT VK_OEM_102 = 0xE2;

// Usage ids of the keys with a special part.
constexpr int UsageA = 4;
constexpr int UsageZ = 29;
constexpr int Usage1 = 30;
constexpr int Usage0 = 39;
constexpr int UsageKeypad1 = 89;
constexpr int UsageKeypadPeriod = 99;
constexpr int UsageRightAlt = 230;

struct KeyRow {
    int usage;
    UINT vk;
    UINT scan;
    bool extended;
};

// The keys by usage id: their virtual key on any layout (letters and digits: on the US layout) and
// their Set-1 scan code.
constexpr KeyRow Keys[] = {
    {4, 'A', 0x1E, false}, {5, 'B', 0x30, false}, {6, 'C', 0x2E, false}, {7, 'D', 0x20, false},
    {8, 'E', 0x12, false}, {9, 'F', 0x21, false}, {10, 'G', 0x22, false}, {11, 'H', 0x23, false},
    {12, 'I', 0x17, false}, {13, 'J', 0x24, false}, {14, 'K', 0x25, false}, {15, 'L', 0x26, false},
    {16, 'M', 0x32, false}, {17, 'N', 0x31, false}, {18, 'O', 0x18, false}, {19, 'P', 0x19, false},
    {20, 'Q', 0x10, false}, {21, 'R', 0x13, false}, {22, 'S', 0x1F, false}, {23, 'T', 0x14, false},
    {24, 'U', 0x16, false}, {25, 'V', 0x2F, false}, {26, 'W', 0x11, false}, {27, 'X', 0x2D, false},
    {28, 'Y', 0x15, false}, {29, 'Z', 0x2C, false},
    {30, '1', 0x02, false}, {31, '2', 0x03, false}, {32, '3', 0x04, false}, {33, '4', 0x05, false},
    {34, '5', 0x06, false}, {35, '6', 0x07, false}, {36, '7', 0x08, false}, {37, '8', 0x09, false},
    {38, '9', 0x0A, false}, {39, '0', 0x0B, false},
    {40, VK_RETURN, 0x1C, false}, {41, VK_ESCAPE, 0x01, false}, {42, VK_BACK, 0x0E, false},
    {43, VK_TAB, 0x0F, false}, {44, VK_SPACE, 0x39, false}, {45, VK_OEM_MINUS, 0x0C, false},
    {46, VK_OEM_PLUS, 0x0D, false}, {47, VK_OEM_4, 0x1A, false}, {48, VK_OEM_6, 0x1B, false},
    {49, VK_OEM_5, 0x2B, false}, {50, VK_OEM_5, 0x2B, false}, {51, VK_OEM_1, 0x27, false},
    {52, VK_OEM_7, 0x28, false}, {53, VK_OEM_3, 0x29, false}, {54, VK_OEM_COMMA, 0x33, false},
    {55, VK_OEM_PERIOD, 0x34, false}, {56, VK_OEM_2, 0x35, false}, {57, VK_CAPITAL, 0x3A, false},
    {58, VK_F1, 0x3B, false}, {59, VK_F2, 0x3C, false}, {60, VK_F3, 0x3D, false}, {61, VK_F4, 0x3E, false},
    {62, VK_F5, 0x3F, false}, {63, VK_F6, 0x40, false}, {64, VK_F7, 0x41, false}, {65, VK_F8, 0x42, false},
    {66, VK_F9, 0x43, false}, {67, VK_F10, 0x44, false}, {68, VK_F11, 0x57, false}, {69, VK_F12, 0x58, false},
    {70, VK_SNAPSHOT, 0x37, true}, {71, VK_SCROLL, 0x46, false}, {72, VK_PAUSE, 0x45, false},
    {73, VK_INSERT, 0x52, true}, {74, VK_HOME, 0x47, true}, {75, VK_PRIOR, 0x49, true},
    {76, VK_DELETE, 0x53, true}, {77, VK_END, 0x4F, true}, {78, VK_NEXT, 0x51, true},
    {79, VK_RIGHT, 0x4D, true}, {80, VK_LEFT, 0x4B, true}, {81, VK_DOWN, 0x50, true}, {82, VK_UP, 0x48, true},
    {83, VK_NUMLOCK, 0x45, true}, {84, VK_DIVIDE, 0x35, true}, {85, VK_MULTIPLY, 0x37, false},
    {86, VK_SUBTRACT, 0x4A, false}, {87, VK_ADD, 0x4E, false}, {88, VK_RETURN, 0x1C, true},
    // The keypad's digits as navigation keys; with Num Lock they are VK_NUMPAD0..9 and VK_DECIMAL.
    {89, VK_END, 0x4F, false}, {90, VK_DOWN, 0x50, false}, {91, VK_NEXT, 0x51, false},
    {92, VK_LEFT, 0x4B, false}, {93, VK_CLEAR, 0x4C, false}, {94, VK_RIGHT, 0x4D, false},
    {95, VK_HOME, 0x47, false}, {96, VK_UP, 0x48, false}, {97, VK_PRIOR, 0x49, false},
    {98, VK_INSERT, 0x52, false}, {99, VK_DELETE, 0x53, false},
    {100, VK_OEM_102, 0x56, false}, {101, VK_APPS, 0x5D, true},
    {224, VK_CONTROL, 0x1D, false}, {225, VK_SHIFT, 0x2A, false}, {226, VK_MENU, 0x38, false},
    {227, VK_LWIN, 0x5B, true}, {228, VK_CONTROL, 0x1D, true}, {229, VK_SHIFT, 0x36, false},
    {230, VK_MENU, 0x38, true}, {231, VK_RWIN, 0x5C, true},
};

const KeyRow* FindKey(int usage)
{
    const auto* end = std::end(Keys);
    const auto* row = std::find_if(std::begin(Keys), end, [usage](const KeyRow& key) { return key.usage == usage; });
    return row == end ? nullptr : row;
}

// Keys whose character the window system makes from the key itself: the screen sends no text for them.
bool MakesOwnCharacter(UINT vk)
{
    return vk == VK_RETURN || vk == VK_BACK || vk == VK_TAB || vk == VK_ESCAPE;
}

// One ANSI character per character of valid UTF-8 text; '?' where the code page has none.
std::string ToAnsiCharacters(std::string_view utf8)
{
    std::u16string wide;
    return rtl::TryUtf8ToWide(utf8, wide) ? rtl::WideToAnsi(wide) : std::string();
}

}  // namespace

bool KeyTranslator::MapKey(const ScreenKeyEvent& event, Mapped& mapped)
{
    const KeyRow* row = FindKey(event.scancode);
    if (!row) {
        return false;
    }
    mapped = {row->vk, row->scan, row->extended};
    const std::uint32_t symbol = event.symbol;
    const bool mainBlock = (event.scancode >= UsageA && event.scancode <= UsageZ) ||
                           (event.scancode >= Usage1 && event.scancode <= Usage0);
    if (mainBlock && symbol >= 'a' && symbol <= 'z') {
        mapped.vk = symbol - 'a' + 'A';
    } else if (mainBlock && symbol >= '0' && symbol <= '9') {
        mapped.vk = symbol;
    } else if (event.scancode >= UsageKeypad1 && event.scancode <= UsageKeypadPeriod &&
               (event.modifiers & ScreenMod::NumLock)) {
        mapped.vk = event.scancode == UsageKeypadPeriod ? VK_DECIMAL
                    : event.scancode == UsageKeypadPeriod - 1
                        ? VK_NUMPAD0
                        : VK_NUMPAD0 + static_cast<UINT>(event.scancode - UsageKeypad1 + 1);
    }
    return true;
}

void KeyTranslator::Emit(const Mapped& key, bool down, bool repeat, DWORD time, DWORD lPrivate)
{
    const bool wasDown = down_[key.vk];
    if (down) {
        down_[key.vk] = true;
    }
    const bool alt = down_[VK_MENU];
    const bool system = key.vk == VK_F10 || (alt && !down_[VK_CONTROL]);
    DWORD lParam = 1 | (key.scan << 16);
    if (key.extended) {
        lParam |= 1u << 24;
    }
    if (alt) {
        lParam |= 1u << 29;
    }
    if (!down || wasDown || repeat) {
        lParam |= 1u << 30;
    }
    if (!down) {
        lParam |= 1u << 31;
        down_[key.vk] = std::find(downAs_.begin(), downAs_.end(), key.vk) != downAs_.end();
    }
    const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    out_.push_back({message, key.vk, lParam, lPrivate, time});
}

void KeyTranslator::EmitAltGr(bool down, bool repeat, DWORD time)
{
    const Mapped control{VK_CONTROL, 0x1D, false};
    const Mapped alt{VK_MENU, 0x38, true};
    if (down) {
        if (!repeat) {
            Emit(control, true, false, time, 0);
        }
        Emit(alt, true, repeat, time, 0);
    } else {
        Emit(alt, false, false, time, 0);
        Emit(control, false, false, time, 0);
    }
}

void KeyTranslator::EmitPending(DWORD lPrivate)
{
    pending_ = false;
    Emit(pendingKey_, true, pendingEvent_.repeat, pendingEvent_.time, lPrivate);
}

void KeyTranslator::Flush()
{
    if (!pending_) {
        return;
    }
    // No text came with the key: with Ctrl or Alt the window system makes the character from the key,
    // as it does for the keys that make control characters; any other key makes none (a dead key).
    const bool modified = (down_[VK_CONTROL] || down_[VK_MENU]) && !altGrDown_;
    EmitPending(modified || MakesOwnCharacter(pendingKey_.vk) ? 0 : InputChar(0));
}

void KeyTranslator::Key(const ScreenKeyEvent& event)
{
    Flush();
    if (event.scancode < 0 || event.scancode >= static_cast<int>(downAs_.size())) {
        return;
    }
    Mapped key;
    if (!MapKey(event, key)) {
        return;
    }
    UINT& downAs = downAs_[static_cast<std::size_t>(event.scancode)];
    // A release goes as its press went, should the layout have changed in between.
    const bool altGr = event.scancode == UsageRightAlt && (event.down ? altGr_ : altGrDown_);
    if (!event.down) {
        if (!downAs) {
            return;  // its press went to another program
        }
        key.vk = downAs;
        downAs = 0;
        if (altGr) {
            altGrDown_ = false;
            EmitAltGr(false, false, event.time);
        } else {
            Emit(key, false, false, event.time, 0);
        }
        return;
    }
    if (downAs && !event.repeat && downAs != key.vk) {
        return;  // pressed again as another key without a release: keep the first
    }
    downAs = key.vk;
    if (altGr) {
        altGrDown_ = true;
        EmitAltGr(true, event.repeat, event.time);
        return;
    }
    pending_ = true;
    pendingKey_ = key;
    pendingEvent_ = event;
}

void KeyTranslator::Text(std::string_view utf8, DWORD time)
{
    const bool modified = (down_[VK_CONTROL] || down_[VK_MENU]) && !altGrDown_;
    if (modified) {
        return;
    }
    const std::string ansi = ToAnsiCharacters(utf8);
    std::size_t next = 0;
    if (pending_ && !ansi.empty()) {
        EmitPending(InputChar(static_cast<unsigned char>(ansi[0])));
        next = 1;
    }
    const Mapped packet{VK_PACKET, 0, false};
    for (; next < ansi.size(); ++next) {
        Emit(packet, true, false, time, InputChar(static_cast<unsigned char>(ansi[next])));
        Emit(packet, false, false, time, 0);
    }
}

void KeyTranslator::Resynchronize(const std::vector<int>& pressed, DWORD time)
{
    Flush();
    for (std::size_t usage = 0; usage < downAs_.size(); ++usage) {
        if (downAs_[usage] && std::find(pressed.begin(), pressed.end(), static_cast<int>(usage)) == pressed.end()) {
            ScreenKeyEvent up;
            up.down = false;
            up.scancode = static_cast<int>(usage);
            up.time = time;
            Key(up);
        }
    }
}

std::vector<KeyMessage> KeyTranslator::Take()
{
    return std::exchange(out_, {});
}

}  // namespace win::detail
