#include "controls/clExtendedStylePainters.h"

#include "platform/rtl/Collation.h"

#include <algorithm>

namespace controls {

namespace {
TclExtendedStylePainters* registry = nullptr;

classes::IInterface* Identity(IclStylePaintersListener* listener)
{
    return listener;
}
}  // namespace

TclExtendedStylePainterInfo::TclExtendedStylePainterInfo(std::string name, std::unique_ptr<classes::TObject> data,
                                                         TclCustomLookAndFeelPainterClass painter)
    : name_(std::move(name)), data_(std::move(data)), painter_(painter)
{
}

bool TclExtendedStylePainters::RegisterStylePainter(std::string_view name, TclCustomLookAndFeelPainterClass painter,
                                                    std::unique_ptr<classes::TObject>& data)
{
    if (IndexOfName(name) >= 0)
        return false;
    Add(new TclExtendedStylePainterInfo(std::string(name), std::move(data), painter));
    Sort([](void* a, void* b) {
        return rtl::AnsiCompareStr(static_cast<TclExtendedStylePainterInfo*>(a)->Name(),
                                   static_cast<TclExtendedStylePainterInfo*>(b)->Name());
    });
    TellListeners(painter);
    return true;
}

bool TclExtendedStylePainters::UnregisterStylePainter(std::string_view name)
{
    const int index = IndexOfName(name);
    if (index < 0)
        return false;
    std::unique_ptr<TclExtendedStylePainterInfo> entry(Painters(index));
    Delete(index);
    TellListeners(entry->Painter());
    return true;
}

bool TclExtendedStylePainters::PainterOfName(std::string_view name, TclCustomLookAndFeelPainterClass& painter) const
{
    const int index = IndexOfName(name);
    if (index < 0)
        return false;
    painter = Painters(index)->Painter();
    return true;
}

bool TclExtendedStylePainters::FindPainterData(TclCustomLookAndFeelPainterClass painter, classes::TObject*& data) const
{
    data = nullptr;
    for (int i = 0; i < Count(); ++i)
        if (Painters(i)->Painter() == painter) {
            data = Painters(i)->PainterData();
            return true;
        }
    return false;
}

void TclExtendedStylePainters::AddPaintersListener(IclStylePaintersListener* listener)
{
    const auto same = [listener](IclStylePaintersListener* l) { return Identity(l) == Identity(listener); };
    if (listener && std::none_of(listeners_.begin(), listeners_.end(), same))
        listeners_.push_back(listener);
}

void TclExtendedStylePainters::RemovePaintersListener(IclStylePaintersListener* listener)
{
    std::erase_if(listeners_, [listener](IclStylePaintersListener* l) { return Identity(l) == Identity(listener); });
}

int TclExtendedStylePainters::IndexOfName(std::string_view name) const
{
    if (name.empty())
        return -1;
    for (int i = 0; i < Count(); ++i)
        if (rtl::SameText(Painters(i)->Name(), name))
            return i;
    return -1;
}

void TclExtendedStylePainters::TellListeners(TclCustomLookAndFeelPainterClass painter)
{
    // A listener may leave the list while it is told.
    for (std::size_t i = listeners_.size(); i-- > 0;)
        if (i < listeners_.size())
            listeners_[i]->PaintersChanged(painter);
}

TclExtendedStylePainters* clGetStylePainterRegistry()
{
    return registry;
}

namespace detail {
void CreateStylePainterRegistry()
{
    delete registry;
    registry = new TclExtendedStylePainters;
}

void FreeStylePainterRegistry()
{
    delete registry;
    registry = nullptr;
}
}  // namespace detail

}  // namespace controls
