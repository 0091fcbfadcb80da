// Shortcut texts: "Shift+", "Ctrl+" and "Alt+" in that order, then the key's name.

#include "platform/gui/controls/Menus.h"

#include "platform/rtl/Collation.h"
#include "platform/win/Input.h"

#include <array>

namespace gui {

namespace {

struct KeyName {
    win::WORD key;
    const char* name;
};

constexpr std::array<KeyName, 15> kKeyNames{{{win::VK_BACK, "BkSp"},
                                             {win::VK_TAB, "Tab"},
                                             {win::VK_ESCAPE, "Esc"},
                                             {win::VK_RETURN, "Enter"},
                                             {win::VK_SPACE, "Space"},
                                             {win::VK_PRIOR, "PgUp"},
                                             {win::VK_NEXT, "PgDn"},
                                             {win::VK_END, "End"},
                                             {win::VK_HOME, "Home"},
                                             {win::VK_LEFT, "Left"},
                                             {win::VK_UP, "Up"},
                                             {win::VK_RIGHT, "Right"},
                                             {win::VK_DOWN, "Down"},
                                             {win::VK_INSERT, "Ins"},
                                             {win::VK_DELETE, "Del"}}};

struct Modifier {
    TShortCut flag;
    const char* prefix;
};

constexpr std::array<Modifier, 3> kModifiers{{{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}}};

std::string KeyToText(win::WORD key)
{
    for (const KeyName& entry : kKeyNames) {
        if (entry.key == key) {
            return entry.name;
        }
    }
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        return std::string(1, char(key));
    }
    if (key >= win::VK_F1 && key <= win::VK_F12) {
        return "F" + std::to_string(key - win::VK_F1 + 1);
    }
    if (const win::UINT ch = win::MapVirtualKey(key, win::MAPVK_VK_TO_CHAR); ch > 0x20 && ch < 0x7F) {
        return std::string(1, char(ch));
    }
    return {};
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut)
{
    const std::string name = KeyToText(win::WORD(shortCut & 0xFF));
    if (name.empty()) {
        return {};
    }
    std::string text;
    for (const Modifier& modifier : kModifiers) {
        if (shortCut & modifier.flag) {
            text += modifier.prefix;
        }
    }
    return text + name;
}

TShortCut TextToShortCut(const std::string& text)
{
    std::string_view rest = text;
    TShortCut modifiers = 0;
    for (bool found = true; found;) {
        found = false;
        for (const Modifier& modifier : kModifiers) {
            const std::string_view prefix = modifier.prefix;
            if (rest.size() > prefix.size() && rtl::AnsiSameText(rest.substr(0, prefix.size()), prefix)) {
                modifiers |= modifier.flag;
                rest.remove_prefix(prefix.size());
                found = true;
            }
        }
    }
    if (rest.empty()) {
        return 0;
    }
    for (win::WORD key = 0x08; key <= 0xFF; ++key) {
        const std::string name = KeyToText(key);
        if (!name.empty() && rtl::AnsiSameText(name, rest)) {
            return TShortCut(key | modifiers);
        }
    }
    return 0;
}

void ShortCutToKey(TShortCut shortCut, win::WORD& key, TShiftState& shift)
{
    key = win::WORD(shortCut & 0xFF);
    shift = 0;
    if (shortCut & scShift) {
        shift = With(shift, ssShift);
    }
    if (shortCut & scCtrl) {
        shift = With(shift, ssCtrl);
    }
    if (shortCut & scAlt) {
        shift = With(shift, ssAlt);
    }
}

}  // namespace gui
