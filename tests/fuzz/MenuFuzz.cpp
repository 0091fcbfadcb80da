// Applies sequences of menu calls read from the input to a handful of menus: items appended, inserted,
// modified, deleted and removed by position or command, submenus attached anywhere (circles included),
// menus destroyed, states and item information set and read back into small buffers. Afterwards no live
// menu reaches itself through its submenus, and no read wrote past its buffer.
#include "platform/win/Menu.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/support/GuiLibraries.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

using fuzz::Check;

constexpr std::size_t kMenus = 6;

// True when menu is reached again below itself; depth bounds the walk of a tree that is fine.
bool ReachesItself(win::HMENU start, win::HMENU menu, std::set<win::HMENU>& seen, int depth)
{
    if (depth > 64) {
        return true;
    }
    const int count = win::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        win::HMENU sub = win::GetSubMenu(menu, i);
        if (!sub || !win::IsMenu(sub)) {
            continue;
        }
        if (sub == start || ReachesItself(start, sub, seen, depth + 1)) {
            return true;
        }
        seen.insert(sub);
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool started = (testsupport::StartGuiLibraries(), true);
    (void)started;
    std::array<win::HMENU, kMenus> menus{};
    for (win::HMENU& menu : menus) {
        menu = win::CreatePopupMenu();
    }
    std::size_t at = 0;
    auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
    auto pick = [&] { return menus[next() % kMenus]; };
    auto place = [&] { return win::UINT(next() % 12) - 1; };  // -1 .. 10: positions and small ids
    const char* const texts[] = {"&Open", "Cu&t\tCtrl+X", "&&", "", "x&"};
    while (at < size) {
        const std::uint8_t op = next();
        const win::UINT flags = (op & 0x80) ? win::MF_BYPOSITION : win::MF_BYCOMMAND;
        switch (op % 13) {
        case 0:
            win::AppendMenu(pick(), win::MF_STRING | (next() & (win::MF_GRAYED | win::MF_CHECKED)), next() % 10,
                            texts[next() % 5]);
            break;
        case 1:
            win::AppendMenu(pick(), win::MF_SEPARATOR, 0, nullptr);
            break;
        case 2: {
            win::HMENU menu = pick();
            win::AppendMenu(menu, win::MF_POPUP, reinterpret_cast<win::UINT_PTR>(pick()), texts[next() % 5]);
            break;
        }
        case 3:
            win::InsertMenu(pick(), place(), flags | win::MF_STRING, next() % 10, texts[next() % 5]);
            break;
        case 4:
            win::ModifyMenu(pick(), place(), flags | ((op & 0x40) ? win::MF_POPUP : 0),
                            (op & 0x40) ? reinterpret_cast<win::UINT_PTR>(pick()) : next() % 10, texts[next() % 5]);
            break;
        case 5:
            win::DeleteMenu(pick(), place(), flags);
            break;
        case 6:
            win::RemoveMenu(pick(), place(), flags);
            break;
        case 7: {
            win::HMENU& menu = menus[next() % kMenus];
            win::DestroyMenu(menu);
            menu = win::CreatePopupMenu();
            break;
        }
        case 8:
            win::EnableMenuItem(pick(), place(), flags | (next() & win::MF_GRAYED));
            win::CheckMenuItem(pick(), place(), flags | (next() & win::MF_CHECKED));
            break;
        case 9:
            win::CheckMenuRadioItem(pick(), place(), place(), place(), flags);
            win::SetMenuDefaultItem(pick(), place(), op & 0x80);
            break;
        case 10: {
            win::MENUITEMINFO info;
            info.fMask = next() | (win::UINT(next()) << 8);
            info.fType = next() & (win::MFT_SEPARATOR | win::MFT_OWNERDRAW | win::MFT_RADIOCHECK | win::MFT_MENUBREAK);
            info.fState = next() & (win::MFS_GRAYED | win::MFS_CHECKED | win::MFS_DEFAULT);
            info.wID = next() % 10;
            info.hSubMenu = (op & 0x40) ? pick() : nullptr;
            char text[] = "Item";
            info.dwTypeData = text;
            if (op & 0x20) {
                win::SetMenuItemInfo(pick(), place(), op & 0x80, &info);
            } else {
                win::InsertMenuItem(pick(), place(), op & 0x80, &info);
            }
            break;
        }
        case 11: {
            std::array<char, 16> buffer;
            buffer.fill('#');
            const int room = next() % 6;
            win::GetMenuString(pick(), place(), buffer.data(), room, flags);
            win::MENUITEMINFO info;
            info.fMask = win::MIIM_STRING | win::MIIM_TYPE | win::MIIM_SUBMENU;
            info.dwTypeData = buffer.data() + 8;
            info.cch = next() % 6;
            win::GetMenuItemInfo(pick(), place(), op & 0x80, &info);
            for (std::size_t i = std::size_t(room); i < 8; ++i) {
                Check(buffer[i] == '#');
            }
            for (std::size_t i = 8 + 5; i < buffer.size(); ++i) {
                Check(buffer[i] == '#');
            }
            break;
        }
        default:
            win::GetMenuState(pick(), place(), flags);
            win::GetMenuItemID(pick(), int(place()));
            break;
        }
    }
    for (win::HMENU menu : menus) {
        if (win::IsMenu(menu)) {
            std::set<win::HMENU> seen;
            Check(!ReachesItself(menu, menu, seen, 0));
            Check(win::GetMenuItemCount(menu) >= 0);
        }
    }
    for (win::HMENU menu : menus) {
        win::DestroyMenu(menu);
    }
    return 0;
}
