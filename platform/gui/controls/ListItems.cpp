#include "platform/gui/controls/detail/ListItems.h"

#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/List.h"
#include "platform/win/MessageQueue.h"
#include "platform/wintypes/ControlMessages.h"

#include <algorithm>

namespace gui::detail {

const ItemMessages ListBoxItemMessages{win::LB_GETCOUNT,    win::LB_ADDSTRING,    win::LB_INSERTSTRING,
                                       win::LB_DELETESTRING, win::LB_RESETCONTENT, win::LB_GETTEXT,
                                       win::LB_GETTEXTLEN,  win::LB_GETITEMDATA,  win::LB_SETITEMDATA};
const ItemMessages ComboBoxItemMessages{win::CB_GETCOUNT,    win::CB_ADDSTRING,    win::CB_INSERTSTRING,
                                        win::CB_DELETESTRING, win::CB_RESETCONTENT, win::CB_GETLBTEXT,
                                        win::CB_GETLBTEXTLEN, win::CB_GETITEMDATA,  win::CB_SETITEMDATA};

namespace {

int Checked(win::LRESULT result)
{
    if (result < 0) {
        throw rtl::EOutOfResources("Out of system resources");
    }
    return int(result);
}

}  // namespace

win::HWND TListItems::Window() const
{
    return control_.HandleAllocated() ? control_.Handle() : nullptr;
}

win::LRESULT TListItems::Send(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) const
{
    return win::SendMessage(control_.Handle(), message, wParam, lParam);
}

void TListItems::Check(int index) const
{
    rtl::CheckListIndex(index, Count());
}

int TListItems::Count() const
{
    return Window() ? int(Send(messages_.count, 0, 0)) : saved_->Count();
}

int TListItems::Add(const std::string& s)
{
    if (!sorted_) {
        const int index = Count();
        Insert(index, s);
        return index;
    }
    if (Window()) {
        return Checked(Send(messages_.add, 0, reinterpret_cast<win::LPARAM>(s.c_str())));
    }
    int place = 0;
    while (place < saved_->Count() && rtl::AnsiCompareText(saved_->Strings(place), s) <= 0) {
        ++place;
    }
    saved_->Insert(place, s);
    return place;
}

void TListItems::Insert(int index, const std::string& s)
{
    if (index < 0 || index > Count()) {
        Error("List index out of bounds (%d)", index);
    }
    if (Window()) {
        Checked(Send(messages_.insert, win::WPARAM(index), reinterpret_cast<win::LPARAM>(s.c_str())));
    } else {
        saved_->Insert(index, s);
    }
}

void TListItems::Delete(int index)
{
    Check(index);
    if (Window()) {
        Send(messages_.remove, win::WPARAM(index), 0);
    } else {
        saved_->Delete(index);
    }
}

void TListItems::Clear()
{
    if (Window()) {
        Send(messages_.reset, 0, 0);
    } else {
        saved_->Clear();
    }
}

std::string TListItems::Get(int index) const
{
    Check(index);
    if (!Window()) {
        return saved_->Strings(index);
    }
    const win::LRESULT length = Send(messages_.textLength, win::WPARAM(index), 0);
    std::string text(std::size_t(std::max<win::LRESULT>(0, length)) + 1, '\0');
    const win::LRESULT copied = Send(messages_.text, win::WPARAM(index), reinterpret_cast<win::LPARAM>(text.data()));
    text.resize(std::size_t(std::clamp<win::LRESULT>(copied, 0, length)));
    return text;
}

void* TListItems::GetObject(int index) const
{
    Check(index);
    if (Window()) {
        return reinterpret_cast<void*>(Send(messages_.data, win::WPARAM(index), 0));
    }
    return saved_->Objects(index);
}

void TListItems::PutObject(int index, void* object)
{
    Check(index);
    if (Window()) {
        Send(messages_.setData, win::WPARAM(index), reinterpret_cast<win::LPARAM>(object));
    } else {
        saved_->SetObjects(index, object);
    }
}

}  // namespace gui::detail
