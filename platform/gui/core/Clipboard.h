#pragma once
// TClipboard: the clipboard as the program uses it: text in and out, and whether a format is there.
// Opening nests: the clipboard is opened once for the outermost Open and closed with its Close.

#include "platform/classes/Persistent.h"
#include "platform/wintypes/Types.h"

#include <string>

namespace gui {

class TClipboard : public classes::TPersistent {
public:
    TClipboard() = default;
    ~TClipboard() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // EClipboardException "Cannot open clipboard" while another thread holds it.
    void Open();
    void Close();
    void Clear();
    bool HasFormat(win::UINT format) const;
    // CF_TEXT: empty when there is no text.
    std::string AsText();
    void SetAsText(const std::string& value);
    // Puts a copy of data under format.
    void SetBuffer(win::UINT format, const void* data, std::size_t size);

private:
    void Adding();

    int openRefCount_ = 0;
    bool emptied_ = false;
};

// The program's clipboard object.
TClipboard* Clipboard();

}  // namespace gui
