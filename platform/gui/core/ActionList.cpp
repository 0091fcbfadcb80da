#include "platform/gui/core/ActionList.h"

#include "platform/gui/graphics/ImageList.h"

#include <algorithm>

namespace gui {

TCustomActionList::~TCustomActionList()
{
    for (TContainedAction* action : std::vector<TContainedAction*>(actions_)) {
        action->actionList_ = nullptr;
    }
}

const classes::TClassInfo& TCustomActionList::StaticClass()
{
    static const classes::TClassInfo info("TCustomActionList", &TComponent::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TCustomActionList>{c}; });
    return info;
}

const classes::TClassInfo& TActionList::StaticClass()
{
    static const classes::TClassInfo info("TActionList", &TCustomActionList::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TActionList>(c)
            .Property("Images", classes::ClassRefType<TCustomImageList>(), &TActionList::Images, &TActionList::SetImages)
            .Property("OnExecute", ActionEventType(), &TActionList::OnExecute)
            .Property("OnUpdate", ActionEventType(), &TActionList::OnUpdate);
    });
    return info;
}

void TCustomActionList::AddAction(TContainedAction* action)
{
    if (std::find(actions_.begin(), actions_.end(), action) != actions_.end()) {
        return;
    }
    actions_.push_back(action);
    action->actionList_ = this;
    action->FreeNotification(this);
}

void TCustomActionList::RemoveAction(TContainedAction* action)
{
    std::erase(actions_, action);
    if (action->actionList_ == this) {
        action->actionList_ = nullptr;
    }
}

int TCustomActionList::IndexOf(const TContainedAction* action) const
{
    auto it = std::find(actions_.begin(), actions_.end(), action);
    return it == actions_.end() ? -1 : int(it - actions_.begin());
}

void TCustomActionList::Move(int from, int to)
{
    if (from < 0 || from >= ActionCount()) {
        return;
    }
    TContainedAction* action = actions_[std::size_t(from)];
    actions_.erase(actions_.begin() + from);
    actions_.insert(actions_.begin() + std::clamp(to, 0, ActionCount()), action);
}

bool TCustomActionList::ExecuteAction(TBasicAction* action)
{
    bool handled = false;
    if (OnExecute) {
        OnExecute(action, handled);
    }
    return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* action)
{
    bool handled = false;
    if (OnUpdate) {
        OnUpdate(action, handled);
    }
    return handled;
}

bool TCustomActionList::IsShortCut(win::WORD key, TShiftState shift)
{
    const TShortCut shortCut = gui::ShortCut(key, shift);
    if ((shortCut & 0xFF) == 0) {
        return false;
    }
    for (TContainedAction* contained : std::vector<TContainedAction*>(actions_)) {
        auto* action = dynamic_cast<TCustomAction*>(contained);
        if (action && action->ShortCut() == shortCut && action->Visible()) {
            return action->HandleShortCut();
        }
    }
    return false;
}

void TCustomActionList::SetImages(TCustomImageList* value)
{
    if (value == images_) {
        return;
    }
    if (images_) {
        images_->RemoveFreeNotification(this);
    }
    images_ = value;
    if (value) {
        value->FreeNotification(this);
    }
}

void TCustomActionList::GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root)
{
    for (TContainedAction* action : actions_) {
        if (action->Owner() == root) {
            proc(action);
        }
    }
}

void TCustomActionList::SetChildOrder(classes::TComponent* child, int order)
{
    if (auto* action = dynamic_cast<TContainedAction*>(child)) {
        Move(IndexOf(action), order);
    }
}

void TCustomActionList::Notification(classes::TComponent* component, classes::TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != classes::TOperation::Remove) {
        return;
    }
    if (component == images_) {
        images_ = nullptr;
    }
    if (auto* action = dynamic_cast<TContainedAction*>(component)) {
        RemoveAction(action);
    }
}

}  // namespace gui
