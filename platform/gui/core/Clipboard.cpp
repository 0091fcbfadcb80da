#include "platform/gui/core/Clipboard.h"

#include "platform/gui/core/Application.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Clipboard.h"
#include "platform/win/GlobalMemory.h"

#include <cstring>
#include <memory>

namespace gui {

namespace {

class EClipboardException : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "EClipboardException"; }
};

}  // namespace

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}

TClipboard::~TClipboard()
{
    if (openRefCount_ > 0) {
        win::CloseClipboard();
    }
}

const classes::TClassInfo& TClipboard::StaticClass()
{
    static const classes::TClassInfo info("TClipboard", &TPersistent::StaticClass());
    return info;
}

void TClipboard::Open()
{
    if (openRefCount_ == 0) {
        if (!win::OpenClipboard(Application() ? Application()->Handle() : nullptr)) {
            throw EClipboardException("Cannot open clipboard");
        }
        emptied_ = false;
    }
    ++openRefCount_;
}

void TClipboard::Close()
{
    if (openRefCount_ == 0) {
        return;
    }
    if (--openRefCount_ == 0) {
        win::CloseClipboard();
    }
}

void TClipboard::Clear()
{
    Open();
    win::EmptyClipboard();
    Close();
}

void TClipboard::Adding()
{
    if (openRefCount_ > 0 && !emptied_) {
        win::EmptyClipboard();
        emptied_ = true;
    }
}

bool TClipboard::HasFormat(win::UINT format) const
{
    return win::IsClipboardFormatAvailable(format) != win::FALSE;
}

std::string TClipboard::AsText()
{
    Open();
    std::string text;
    if (win::HANDLE data = win::GetClipboardData(win::CF_TEXT)) {
        const auto* chars = static_cast<const char*>(win::GlobalLock(data));
        const std::size_t size = win::GlobalSize(data);
        if (chars) {
            text.assign(chars, strnlen(chars, size));
        }
        win::GlobalUnlock(data);
    }
    Close();
    return text;
}

void TClipboard::SetAsText(const std::string& value)
{
    SetBuffer(win::CF_TEXT, value.c_str(), value.size() + 1);
}

void TClipboard::SetBuffer(win::UINT format, const void* data, std::size_t size)
{
    Open();
    struct CloseAfter {
        TClipboard& clipboard;
        ~CloseAfter() { clipboard.Close(); }
    } closeAfter{*this};
    win::HGLOBAL block = win::GlobalAlloc(win::GMEM_MOVEABLE | win::GMEM_DDESHARE, size);
    if (!block) {
        throw rtl::EOutOfResources("Out of memory for the clipboard");
    }
    std::memcpy(win::GlobalLock(block), data, size);
    win::GlobalUnlock(block);
    Adding();
    win::SetClipboardData(format, block);
}

}  // namespace gui
