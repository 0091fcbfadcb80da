#include "platform/win/Clipboard.h"

#include "platform/win/Atoms.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"

#include "platform/rtl/CodePage.h"
#include "platform/win/detail/Clipboard.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/win/detail/WindowTable.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

namespace win {

using namespace detail;

namespace {

struct ClipboardEntry {
    UINT format = 0;
    HANDLE data = nullptr;
    bool converted = false;  // made from another text format when asked for
};

struct ClipboardState {
    std::mutex mutex;
    DWORD openThread = 0;
    HWND openWindow = nullptr;
    HWND owner = nullptr;
    std::vector<ClipboardEntry> entries;
    DWORD sequence = 1;
    DWORD sequenceAtOpen = 1;
};

ClipboardState& TheClipboard()
{
    static ClipboardState state;
    return state;
}

bool IsText(UINT format)
{
    return format == CF_TEXT || format == CF_OEMTEXT || format == CF_UNICODETEXT;
}

ClipboardEntry* FindEntry(ClipboardState& state, UINT format)
{
    auto it = std::find_if(state.entries.begin(), state.entries.end(), [&](const ClipboardEntry& e) { return e.format == format; });
    return it == state.entries.end() ? nullptr : &*it;
}

const ClipboardEntry* SourceText(ClipboardState& state)
{
    for (const ClipboardEntry& entry : state.entries) {
        if (IsText(entry.format) && !entry.converted && entry.data) {
            return &entry;
        }
    }
    return nullptr;
}

HANDLE CopyToBlock(const void* data, std::size_t bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) {
        return nullptr;
    }
    std::memcpy(GlobalLock(block), data, bytes);
    GlobalUnlock(block);
    return block;
}

// The text of a block up to its terminating zero (or its end).
std::string AnsiOf(HANDLE block)
{
    const auto* data = static_cast<const char*>(GlobalLock(block));
    std::string text(data, strnlen(data, GlobalSize(block)));
    GlobalUnlock(block);
    return text;
}

std::u16string WideOf(HANDLE block)
{
    const auto* data = static_cast<const char16_t*>(GlobalLock(block));
    const std::size_t units = GlobalSize(block) / sizeof(char16_t);
    std::u16string text(data, std::find(data, data + units, u'\0'));
    GlobalUnlock(block);
    return text;
}

HANDLE ConvertText(const ClipboardEntry& source, UINT format)
{
    if (format == CF_UNICODETEXT) {
        const std::u16string wide = rtl::AnsiToWide(AnsiOf(source.data));
        return CopyToBlock(wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
    }
    const std::string ansi = source.format == CF_UNICODETEXT ? rtl::WideToAnsi(WideOf(source.data)) : AnsiOf(source.data);
    return CopyToBlock(ansi.c_str(), ansi.size() + 1);
}

bool IsOpenedByCaller(const ClipboardState& state)
{
    if (state.openThread != GetCurrentThreadId()) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return false;
    }
    return true;
}

// The formats set, in their order, then the text formats a text can be converted to.
std::vector<UINT> ListedFormats(ClipboardState& state)
{
    std::vector<UINT> formats;
    for (const ClipboardEntry& entry : state.entries) {
        if (!entry.converted) {
            formats.push_back(entry.format);
        }
    }
    if (SourceText(state)) {
        for (UINT text : {CF_TEXT, CF_OEMTEXT, CF_UNICODETEXT}) {
            if (std::find(formats.begin(), formats.end(), text) == formats.end()) {
                formats.push_back(text);
            }
        }
    }
    return formats;
}

void FreeEntries(ClipboardState& state)
{
    for (const ClipboardEntry& entry : state.entries) {
        if (entry.data) {
            GlobalFree(entry.data);
        }
    }
    state.entries.clear();
}

}  // namespace

void detail::ResetClipboard()
{
    ClipboardState& state = TheClipboard();
    std::lock_guard lock(state.mutex);
    FreeEntries(state);
    state.openThread = 0;
    state.openWindow = nullptr;
    state.owner = nullptr;
    state.sequence = 1;
}

BOOL OpenClipboard(HWND owner)
{
    if (owner && !IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    // Text another program put on the screen's clipboard replaces what the program had there.
    std::vector<BYTE> foreign;
    const bool fromScreen = FetchForeignClipboardText(foreign);
    ClipboardState& state = TheClipboard();
    std::lock_guard lock(state.mutex);
    if (state.openThread != 0 && state.openThread != GetCurrentThreadId()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (fromScreen) {
        if (HANDLE block = CopyToBlock(foreign.data(), foreign.size())) {
            FreeEntries(state);
            state.entries.push_back(ClipboardEntry{CF_UNICODETEXT, block, false});
            state.owner = nullptr;
            ++state.sequence;
        }
    }
    state.openThread = GetCurrentThreadId();
    state.openWindow = owner;
    state.sequenceAtOpen = state.sequence;
    return TRUE;
}

BOOL CloseClipboard()
{
    HWND owner;
    bool changed;
    {
        ClipboardState& state = TheClipboard();
        std::lock_guard lock(state.mutex);
        if (!IsOpenedByCaller(state)) {
            return FALSE;
        }
        state.openThread = 0;
        state.openWindow = nullptr;
        owner = state.owner;
        changed = state.sequence != state.sequenceAtOpen;
    }
    if (changed) {
        auto lock = LockSystem();
        Display().ClipboardHandedOver(owner);
    }
    return TRUE;
}

BOOL EmptyClipboard()
{
    HWND previous;
    {
        ClipboardState& state = TheClipboard();
        std::lock_guard lock(state.mutex);
        if (!IsOpenedByCaller(state)) {
            return FALSE;
        }
        previous = state.owner;
        FreeEntries(state);
        state.owner = state.openWindow;
        ++state.sequence;
    }
    if (previous && IsWindow(previous)) {
        SendMessage(previous, WM_DESTROYCLIPBOARD, 0, 0);
    }
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data)
{
    ClipboardState& state = TheClipboard();
    std::lock_guard lock(state.mutex);
    if (!IsOpenedByCaller(state)) {
        return nullptr;
    }
    if (format == 0 || !data || GlobalSize(data) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (IsText(format)) {
        // Converted texts of an older text go with it.
        std::erase_if(state.entries, [](const ClipboardEntry& e) {
            if (e.converted) {
                GlobalFree(e.data);
            }
            return e.converted;
        });
    }
    if (ClipboardEntry* entry = FindEntry(state, format)) {
        if (entry->data != data) {
            GlobalFree(entry->data);
        }
        entry->data = data;
    } else {
        state.entries.push_back(ClipboardEntry{format, data, false});
    }
    ++state.sequence;
    return data;
}

HANDLE GetClipboardData(UINT format)
{
    ClipboardState& state = TheClipboard();
    std::lock_guard lock(state.mutex);
    if (!IsOpenedByCaller(state)) {
        return nullptr;
    }
    if (ClipboardEntry* entry = FindEntry(state, format)) {
        return entry->data;
    }
    const ClipboardEntry* source = IsText(format) ? SourceText(state) : nullptr;
    if (!source) {
        return nullptr;
    }
    HANDLE converted = ConvertText(*source, format);
    if (converted) {
        state.entries.push_back(ClipboardEntry{format, converted, true});
    }
    return converted;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    ClipboardState& state = TheClipboard();
    std::lock_guard lock(state.mutex);
    return FindEntry(state, format) || (IsText(format) && SourceText(state));
}

int CountClipboardFormats()
{
    ClipboardState& state = TheClipboard();
    std::lock_guard lock(state.mutex);
    return static_cast<int>(ListedFormats(state).size());
}

UINT EnumClipboardFormats(UINT format)
{
    ClipboardState& state = TheClipboard();
    std::lock_guard lock(state.mutex);
    if (!IsOpenedByCaller(state)) {
        return 0;
    }
    const std::vector<UINT> formats = ListedFormats(state);
    SetLastError(ERROR_SUCCESS);
    if (format == 0) {
        return formats.empty() ? 0 : formats.front();
    }
    auto it = std::find(formats.begin(), formats.end(), format);
    return it == formats.end() || it + 1 == formats.end() ? 0 : *(it + 1);
}

UINT RegisterClipboardFormat(const char* name)
{
    return RegisterWindowMessage(name);
}

HWND GetClipboardOwner()
{
    ClipboardState& state = TheClipboard();
    std::lock_guard lock(state.mutex);
    return state.owner && IsWindow(state.owner) ? state.owner : nullptr;
}

HWND GetOpenClipboardWindow()
{
    ClipboardState& state = TheClipboard();
    std::lock_guard lock(state.mutex);
    return state.openWindow;
}

DWORD GetClipboardSequenceNumber()
{
    ClipboardState& state = TheClipboard();
    std::lock_guard lock(state.mutex);
    return state.sequence;
}

}  // namespace win
