#include "platform/win/Atoms.h"

#include "platform/rtl/StringUtils.h"
#include "platform/win/detail/Atoms.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>
#include <mutex>

namespace win {

namespace {

constexpr ATOM FirstStringAtom = 0xC000;

struct AtomEntry {
    std::string name;
    int references = 0;
    bool permanent = false;  // registered messages are never deleted
};

struct AtomTable {
    std::mutex mutex;
    std::map<ATOM, AtomEntry> entries;
    std::map<std::string, ATOM> byName;  // by upper-case name
};

AtomTable& Table()
{
    static AtomTable table;
    return table;
}

// "#123" names the integer atom 123 (1 .. 0xBFFF).
bool IntegerAtom(const char* name, ATOM& atom)
{
    if (IS_INTRESOURCE(name)) {
        atom = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name));
        return true;
    }
    if (name[0] != '#') {
        return false;
    }
    const char* end = name + std::strlen(name);
    unsigned value = 0;
    const auto [ptr, error] = std::from_chars(name + 1, end, value);
    if (error != std::errc() || ptr != end || value == 0 || value >= FirstStringAtom) {
        return false;
    }
    atom = static_cast<ATOM>(value);
    return true;
}

ATOM Add(const char* name, bool permanent)
{
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    ATOM atom;
    if (IntegerAtom(name, atom)) {
        return atom;
    }
    const std::size_t length = std::strlen(name);
    if (length == 0 || length > 255) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    AtomTable& table = Table();
    std::lock_guard lock(table.mutex);
    const std::string key = rtl::AnsiUpperCase(name);
    if (auto it = table.byName.find(key); it != table.byName.end()) {
        AtomEntry& entry = table.entries[it->second];
        ++entry.references;
        entry.permanent = entry.permanent || permanent;
        return it->second;
    }
    atom = FirstStringAtom;
    while (table.entries.contains(atom)) {
        if (atom == 0xFFFF) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return 0;
        }
        ++atom;
    }
    table.entries[atom] = AtomEntry{name, 1, permanent};
    table.byName[key] = atom;
    return atom;
}

}  // namespace

ATOM GlobalAddAtom(const char* name)
{
    return Add(name, false);
}

ATOM GlobalFindAtom(const char* name)
{
    if (!name) {
        return 0;
    }
    ATOM atom;
    if (IntegerAtom(name, atom)) {
        return atom;
    }
    AtomTable& table = Table();
    std::lock_guard lock(table.mutex);
    auto it = table.byName.find(rtl::AnsiUpperCase(name));
    return it == table.byName.end() ? 0 : it->second;
}

ATOM GlobalDeleteAtom(ATOM atom)
{
    if (atom < FirstStringAtom) {
        return 0;
    }
    AtomTable& table = Table();
    std::lock_guard lock(table.mutex);
    auto it = table.entries.find(atom);
    if (it == table.entries.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return atom;
    }
    if (--it->second.references <= 0 && !it->second.permanent) {
        table.byName.erase(rtl::AnsiUpperCase(it->second.name));
        table.entries.erase(it);
    }
    return 0;
}

UINT GlobalGetAtomName(ATOM atom, char* buffer, int size)
{
    if (!buffer || size <= 0 || atom == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string name;
    if (atom < FirstStringAtom) {
        name = "#" + std::to_string(atom);
    } else {
        AtomTable& table = Table();
        std::lock_guard lock(table.mutex);
        auto it = table.entries.find(atom);
        if (it == table.entries.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return 0;
        }
        name = it->second.name;
    }
    const std::size_t count = std::min(name.size(), static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, name.data(), count);
    buffer[count] = '\0';
    return static_cast<UINT>(count);
}

UINT RegisterWindowMessage(const char* name)
{
    if (!name || IS_INTRESOURCE(name) || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (name[0] == '#') {
        // Not an integer atom here: a message name is always a string.
        const std::string quoted = std::string(" ") + name;
        return Add(quoted.c_str(), true);
    }
    return Add(name, true);
}

void detail::ResetAtoms()
{
    AtomTable& table = Table();
    std::lock_guard lock(table.mutex);
    table.entries.clear();
    table.byName.clear();
}

}  // namespace win
