#pragma once
// The items of a list control (list box, combo box) as a TStrings: the window's while it has one, else a
// list the control keeps (kept sorted when the control sorts). The window is asked by the control's own
// messages (LB_ or CB_); a text is read with its length first, since the text message takes no buffer
// size. Bad indexes raise EListError "List index out of bounds (%d)".

#include "platform/gui/core/WinControl.h"
#include "platform/rtl/StringList.h"
#include "platform/wintypes/Types.h"

#include <memory>
#include <string>

namespace gui::detail {

struct ItemMessages {
    win::UINT count;
    win::UINT add;
    win::UINT insert;
    win::UINT remove;
    win::UINT reset;
    win::UINT text;
    win::UINT textLength;
    win::UINT data;
    win::UINT setData;
};

extern const ItemMessages ListBoxItemMessages;
extern const ItemMessages ComboBoxItemMessages;

class TListItems : public rtl::TStrings {
public:
    // saved and sorted are the control's members (saved may not be made yet).
    TListItems(TWinControl& control, const ItemMessages& messages, const std::unique_ptr<rtl::TStringList>& saved,
               const bool& sorted)
        : control_(control), messages_(messages), saved_(saved), sorted_(sorted)
    {
    }

    int Count() const override;
    int Add(const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

protected:
    std::string Get(int index) const override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;

    win::HWND Window() const;
    void Check(int index) const;

private:
    win::LRESULT Send(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) const;

    TWinControl& control_;
    const ItemMessages& messages_;
    const std::unique_ptr<rtl::TStringList>& saved_;
    const bool& sorted_;
};

}  // namespace gui::detail
