#include "platform/services/Modules.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>

namespace win {

namespace {

struct Module {
    std::uintptr_t handle;
    std::vector<ModuleProc> procs;
    std::function<bool()> installed;
    int loads = 0;
};

struct Table {
    std::mutex mutex;
    std::map<std::string, Module> modules;  // by upper-case name
    std::uintptr_t nextHandle = 0x7A000000;
};

Table& TheTable()
{
    static Table table;
    return table;
}

std::string Key(std::string_view name)
{
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(), [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; });
    return key;
}

// The loaded module of a handle; null with ERROR_INVALID_HANDLE. The table's lock is held.
Module* Loaded(Table& table, HMODULE module)
{
    for (auto& [name, entry] : table.modules)
        if (entry.loads > 0 && entry.handle == reinterpret_cast<std::uintptr_t>(module))
            return &entry;
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
}

}  // namespace

void RegisterModule(std::string_view fileName, std::vector<ModuleProc> procs, std::function<bool()> installed)
{
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    auto [it, added] = table.modules.try_emplace(Key(fileName));
    if (added) {
        it->second.handle = table.nextHandle;
        table.nextHandle += 0x10000;
    }
    it->second.procs = std::move(procs);
    it->second.installed = std::move(installed);
}

void UnregisterModule(std::string_view fileName)
{
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    table.modules.erase(Key(fileName));
}

HMODULE LoadLibrary(const char* fileName)
{
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    auto it = fileName ? table.modules.find(Key(fileName)) : table.modules.end();
    if (it == table.modules.end() || (it->second.installed && !it->second.installed())) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    ++it->second.loads;
    return reinterpret_cast<HMODULE>(it->second.handle);
}

FARPROC GetProcAddress(HMODULE module, const char* procName)
{
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    Module* entry = Loaded(table, module);
    if (!entry)
        return nullptr;
    for (const ModuleProc& proc : entry->procs)
        if (procName && proc.name == procName)
            return proc.address;
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

BOOL FreeLibrary(HMODULE module)
{
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    Module* entry = Loaded(table, module);
    if (!entry)
        return FALSE;
    --entry->loads;
    return TRUE;
}

}  // namespace win
