#pragma once
// TActionList: the actions of a form, kept in stored window data as its children. The list may handle
// the execution and update of all its actions (OnExecute, OnUpdate) and runs the action of a shortcut.

#include "platform/gui/core/Action.h"

#include <vector>

namespace gui {

class TCustomImageList;

class TCustomActionList : public classes::TComponent {
public:
    explicit TCustomActionList(classes::TComponent* owner) : TComponent(owner) {}
    ~TCustomActionList() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    int ActionCount() const { return int(actions_.size()); }
    TContainedAction* Actions(int index) const { return actions_[std::size_t(index)]; }
    void AddAction(TContainedAction* action);
    void RemoveAction(TContainedAction* action);
    int IndexOf(const TContainedAction* action) const;
    void Move(int from, int to);

    // OnExecute / OnUpdate of the list; true when it handled the action.
    virtual bool ExecuteAction(TBasicAction* action);
    virtual bool UpdateAction(TBasicAction* action);
    // Runs the enabled, visible action whose ShortCut is key with shift; false when none has it.
    bool IsShortCut(win::WORD key, TShiftState shift);

    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);

    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root) override;
    void SetChildOrder(classes::TComponent* child, int order) override;

    TActionEvent OnExecute;
    TActionEvent OnUpdate;

protected:
    void Notification(classes::TComponent* component, classes::TOperation operation) override;

private:
    std::vector<TContainedAction*> actions_;
    TCustomImageList* images_ = nullptr;
};

class TActionList : public TCustomActionList {
public:
    explicit TActionList(classes::TComponent* owner) : TCustomActionList(owner) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace gui
