#include "platform/gui/graphics/ResourceIcons.h"

#include "platform/classes/Resources.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/imaging/IcoCodec.h"
#include "platform/win/Cursor.h"
#include "platform/win/Icon.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace gui {

namespace {

classes::TResId ResourceName(const char* name)
{
    return win::IS_INTRESOURCE(name) ? classes::TResId(int(reinterpret_cast<std::uintptr_t>(name)))
                                     : classes::TResId(name);
}

// The icon or cursor of a resource file, or null when the resource is missing or damaged.
win::HICON MakeShared(std::string_view file, bool cursor)
{
    try {
        const std::vector<win::IconEntry> entries = cursor ? win::ReadCurDirectory(file) : win::ReadIcoDirectory(file);
        const std::size_t best =
            win::BestIcoEntry(entries, win::GetSystemMetrics(cursor ? win::SM_CXCURSOR : win::SM_CXICON));
        std::string bytes(win::IcoEntryBytes(file, best));
        if (cursor) {
            const std::uint16_t hotSpot[2] = {std::uint16_t(entries[best].hotSpotX), std::uint16_t(entries[best].hotSpotY)};
            bytes.insert(0, reinterpret_cast<const char*>(hotSpot), sizeof hotSpot);
        }
        return win::CreateIconFromResourceEx(reinterpret_cast<const win::BYTE*>(bytes.data()),
                                             win::DWORD(bytes.size()), cursor ? win::FALSE : win::TRUE, 0x00030000,
                                             0, 0, win::LR_SHARED);
    } catch (const rtl::Exception&) {
        return nullptr;
    }
}

class Loader {
public:
    explicit Loader(bool cursor) : cursor_(cursor) {}

    win::HICON operator()(win::HINSTANCE instance, const char* name)
    {
        if (instance != win::GetModuleHandle(nullptr) || !name) {
            return nullptr;
        }
        const classes::TResId id = ResourceName(name);
        std::lock_guard lock(mutex_);
        auto found = made_.find(id.Text());
        if (found != made_.end()) {
            return found->second;
        }
        const auto file = classes::FindResource(id, cursor_ ? classes::RT_CURSOR : classes::RT_ICON);
        win::HICON icon = file ? MakeShared(*file, cursor_) : nullptr;
        if (icon) {
            made_.emplace(id.Text(), icon);
        }
        return icon;
    }

private:
    bool cursor_;
    std::mutex mutex_;
    std::map<std::string, win::HICON> made_;
};

}  // namespace

void InstallResourceIconLoaders()
{
    auto icons = std::make_shared<Loader>(false);
    auto cursors = std::make_shared<Loader>(true);
    win::SetIconResourceLoader([icons](win::HINSTANCE instance, const char* name) { return (*icons)(instance, name); });
    win::SetCursorResourceLoader(
        [cursors](win::HINSTANCE instance, const char* name) { return (*cursors)(instance, name); });
}

void RemoveResourceIconLoaders()
{
    win::SetIconResourceLoader(nullptr);
    win::SetCursorResourceLoader(nullptr);
}

}  // namespace gui
