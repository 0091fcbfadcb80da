#pragma once
// Actions: one command (its caption, state, shortcut and handler) shared by the controls and menu items
// that offer it. Each client holds a link to the action; the action tells its links of every change, and
// a client's click runs the action. Actions are updated at idle time (OnUpdate), so their Enabled and
// Checked follow the program's state.

#include "platform/classes/Component.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/core/ControlTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace gui {

class TBasicActionLink;
class TCustomActionList;

using TActionEvent = rtl::Method<void(class TBasicAction* action, bool& handled)>;
// May change the hint text or refuse the hint.
using THintEvent = rtl::Method<void(std::string& hintStr, bool& canShow)>;
const classes::TTypeInfo& ActionEventType();
const classes::TTypeInfo& HintEventType();

class TBasicAction : public classes::TComponent {
public:
    explicit TBasicAction(classes::TComponent* owner);
    ~TBasicAction() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // OnExecute; false when there is none.
    virtual bool Execute();
    // OnUpdate; false when there is none.
    virtual bool Update();
    virtual bool HandleShortCut() { return Execute(); }
    // The client that runs the action now (the clicked control).
    classes::TComponent* ActionComponent() const { return actionComponent_; }
    void SetActionComponent(classes::TComponent* value) { actionComponent_ = value; }

    void RegisterChanges(TBasicActionLink* link);
    void UnRegisterChanges(TBasicActionLink* link);

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

    void SetOnExecute(TNotifyEvent value);

protected:
    // Tells every client's link.
    void Change();
    template <class F>
    void ForEachLink(F f) const
    {
        for (TBasicActionLink* link : std::vector<TBasicActionLink*>(clients_)) {
            f(link);
        }
    }
    void Notification(classes::TComponent* component, classes::TOperation operation) override;

private:
    std::vector<TBasicActionLink*> clients_;
    classes::TComponent* actionComponent_ = nullptr;
};

// An action that lives in an action list.
class TContainedAction : public TBasicAction {
public:
    explicit TContainedAction(classes::TComponent* owner) : TBasicAction(owner) {}
    ~TContainedAction() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The action list's OnExecute, the application's OnActionExecute, OnExecute, and CM_ACTIONEXECUTE to the
    // application, until one handles it.
    bool Execute() override;
    bool Update() override;

    TCustomActionList* ActionList() const { return actionList_; }
    void SetActionList(TCustomActionList* value);
    const std::string& Category() const { return category_; }
    void SetCategory(const std::string& value) { category_ = value; }
    int Index() const;
    void SetIndex(int value);

    bool HasParent() const override { return true; }
    classes::TComponent* GetParentComponent() const override;
    void SetParentComponent(classes::TComponent* parent) override;
    void ReadState(classes::TReader& reader) override;

private:
    friend class TCustomActionList;
    TCustomActionList* actionList_ = nullptr;
    std::string category_;
};

class TCustomAction : public TContainedAction {
public:
    explicit TCustomAction(classes::TComponent* owner) : TContainedAction(owner) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Updates first, and runs only when enabled; AutoCheck toggles Checked.
    bool Execute() override;
    // OnHint; false: no hint.
    virtual bool DoHint(std::string& hintStr);

    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool value) { autoCheck_ = value; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

    THintEvent OnHint;

private:
    bool autoCheck_ = false;
    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    int groupIndex_ = 0;
    int helpContext_ = 0;
    std::string hint_;
    int imageIndex_ = -1;
    TShortCut shortCut_ = 0;
    bool visible_ = true;
};

class TAction : public TCustomAction {
public:
    explicit TAction(classes::TComponent* owner) : TCustomAction(owner) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

// A client's side of the bond with an action.
class TBasicActionLink : public classes::TObject {
public:
    explicit TBasicActionLink(classes::TObject* client) : client_(client) {}
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return action_; }
    virtual void SetAction(TBasicAction* value);
    // Runs the action for the client component.
    virtual bool Execute(classes::TComponent* component);
    virtual bool Update();

    TNotifyEvent OnChange;

protected:
    friend class TBasicAction;
    virtual void Change();
    classes::TObject* Client() const { return client_; }

private:
    classes::TObject* client_;
    TBasicAction* action_ = nullptr;
};

// The properties an action sets on its clients; each is applied only where the client still shows the
// action's value (Is...Linked).
class TActionLink : public TBasicActionLink {
public:
    using TBasicActionLink::TBasicActionLink;

    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsEnabledLinked() const;
    virtual bool IsHelpContextLinked() const;
    virtual bool IsHintLinked() const;
    virtual bool IsImageIndexLinked() const;
    virtual bool IsShortCutLinked() const;
    virtual bool IsVisibleLinked() const;
    virtual bool IsOnExecuteLinked() const;

    virtual void SetCaption(const std::string&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetHelpContext(int) {}
    virtual void SetHint(const std::string&) {}
    virtual void SetImageIndex(int) {}
    virtual void SetShortCut(TShortCut) {}
    virtual void SetVisible(bool) {}
    virtual void SetOnExecute(TNotifyEvent) {}

protected:
    TCustomAction* CustomAction() const;
};

class TControl;

class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TControl* client);

    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHelpContextLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;
    bool IsOnExecuteLinked() const override;

    void SetCaption(const std::string& value) override;
    void SetEnabled(bool value) override;
    void SetHelpContext(int value) override;
    void SetHint(const std::string& value) override;
    void SetVisible(bool value) override;
    void SetOnExecute(TNotifyEvent value) override;

private:
    TControl* control_;
};

}  // namespace gui
