#include "platform/gui/core/Action.h"

#include "platform/classes/ComponentReader.h"
#include "platform/gui/core/ActionList.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Control.h"
#include "platform/gui/core/Messages.h"
#include "platform/win/MessageQueue.h"

#include <algorithm>

namespace gui {

const classes::TTypeInfo& ActionEventType()
{
    static const classes::TTypeInfo type =
        classes::MethodType<void(TBasicAction*, bool&)>("TActionEvent");
    return type;
}

const classes::TTypeInfo& HintEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(std::string&, bool&)>("THintEvent");
    return type;
}

// --- TBasicAction ---

TBasicAction::TBasicAction(classes::TComponent* owner) : TComponent(owner)
{
}

TBasicAction::~TBasicAction()
{
    for (TBasicActionLink* link : std::vector<TBasicActionLink*>(clients_)) {
        link->SetAction(nullptr);
    }
}

const classes::TClassInfo& TBasicAction::StaticClass()
{
    static const classes::TClassInfo info("TBasicAction", &TComponent::StaticClass());
    return info;
}

bool TBasicAction::Execute()
{
    if (!OnExecute) {
        return false;
    }
    OnExecute(this);
    return true;
}

bool TBasicAction::Update()
{
    if (!OnUpdate) {
        return false;
    }
    OnUpdate(this);
    return true;
}

void TBasicAction::SetOnExecute(TNotifyEvent value)
{
    if (value == OnExecute) {
        return;
    }
    ForEachLink([&](TBasicActionLink* link) {
        if (auto* actionLink = dynamic_cast<TActionLink*>(link)) {
            actionLink->SetOnExecute(value);
        }
    });
    OnExecute = value;
    Change();
}

void TBasicAction::RegisterChanges(TBasicActionLink* link)
{
    if (std::find(clients_.begin(), clients_.end(), link) == clients_.end()) {
        clients_.push_back(link);
    }
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* link)
{
    std::erase(clients_, link);
}

void TBasicAction::Change()
{
    ForEachLink([](TBasicActionLink* link) { link->Change(); });
}

void TBasicAction::Notification(classes::TComponent* component, classes::TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == classes::TOperation::Remove && component == actionComponent_) {
        actionComponent_ = nullptr;
    }
}

// --- TContainedAction ---

TContainedAction::~TContainedAction()
{
    if (actionList_) {
        actionList_->RemoveAction(this);
    }
}

const classes::TClassInfo& TContainedAction::StaticClass()
{
    static const classes::TClassInfo info("TContainedAction", &TBasicAction::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TContainedAction>(c).Property("Category", &TContainedAction::Category,
                                                            &TContainedAction::SetCategory);
    });
    return info;
}

bool TContainedAction::Execute()
{
    if (actionList_ && actionList_->ExecuteAction(this)) {
        return true;
    }
    if (Application() && Application()->ExecuteAction(this)) {
        return true;
    }
    if (TBasicAction::Execute()) {
        return true;
    }
    return Application() &&
           win::SendMessage(Application()->Handle(), CM_ACTIONEXECUTE, 0, reinterpret_cast<win::LPARAM>(this)) == 1;
}

bool TContainedAction::Update()
{
    if (actionList_ && actionList_->UpdateAction(this)) {
        return true;
    }
    if (Application() && Application()->UpdateAction(this)) {
        return true;
    }
    if (TBasicAction::Update()) {
        return true;
    }
    return Application() &&
           win::SendMessage(Application()->Handle(), CM_ACTIONUPDATE, 0, reinterpret_cast<win::LPARAM>(this)) == 1;
}

void TContainedAction::SetActionList(TCustomActionList* value)
{
    if (value == actionList_) {
        return;
    }
    if (actionList_) {
        actionList_->RemoveAction(this);
    }
    if (value) {
        value->AddAction(this);
    }
}

int TContainedAction::Index() const
{
    return actionList_ ? actionList_->IndexOf(this) : -1;
}

void TContainedAction::SetIndex(int value)
{
    if (actionList_) {
        actionList_->Move(Index(), value);
    }
}

classes::TComponent* TContainedAction::GetParentComponent() const
{
    return actionList_;
}

void TContainedAction::SetParentComponent(classes::TComponent* parent)
{
    if (auto* list = dynamic_cast<TCustomActionList*>(parent)) {
        SetActionList(list);
    }
}

void TContainedAction::ReadState(classes::TReader& reader)
{
    if (auto* list = dynamic_cast<TCustomActionList*>(reader.Parent())) {
        SetActionList(list);
    }
    TBasicAction::ReadState(reader);
}

// --- TCustomAction ---

const classes::TClassInfo& TCustomAction::StaticClass()
{
    static const classes::TClassInfo info("TCustomAction", &TContainedAction::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TCustomAction>{c}; });
    return info;
}

bool TCustomAction::Execute()
{
    Update();
    if (!enabled_) {
        return false;
    }
    if (autoCheck_) {
        SetChecked(!checked_);
    }
    return TContainedAction::Execute();
}

bool TCustomAction::DoHint(std::string& hintStr)
{
    bool canShow = true;
    if (OnHint) {
        OnHint(hintStr, canShow);
    }
    return canShow;
}

void TCustomAction::SetCaption(const std::string& value)
{
    if (value == caption_) {
        return;
    }
    ForEachLink([&](TBasicActionLink* link) {
        if (auto* l = dynamic_cast<TActionLink*>(link)) {
            l->SetCaption(value);
        }
    });
    caption_ = value;
    Change();
}

void TCustomAction::SetChecked(bool value)
{
    if (value == checked_) {
        return;
    }
    ForEachLink([&](TBasicActionLink* link) {
        if (auto* l = dynamic_cast<TActionLink*>(link)) {
            l->SetChecked(value);
        }
    });
    checked_ = value;
    // The other checked actions of its group are unchecked.
    if (value && groupIndex_ > 0 && ActionList()) {
        for (int i = 0; i < ActionList()->ActionCount(); ++i) {
            auto* other = dynamic_cast<TCustomAction*>(ActionList()->Actions(i));
            if (other && other != this && other->groupIndex_ == groupIndex_) {
                other->SetChecked(false);
            }
        }
    }
    Change();
}

void TCustomAction::SetEnabled(bool value)
{
    if (value == enabled_) {
        return;
    }
    ForEachLink([&](TBasicActionLink* link) {
        if (auto* l = dynamic_cast<TActionLink*>(link)) {
            l->SetEnabled(value);
        }
    });
    enabled_ = value;
    Change();
}

void TCustomAction::SetGroupIndex(int value)
{
    groupIndex_ = value;
}

void TCustomAction::SetHelpContext(int value)
{
    if (value == helpContext_) {
        return;
    }
    ForEachLink([&](TBasicActionLink* link) {
        if (auto* l = dynamic_cast<TActionLink*>(link)) {
            l->SetHelpContext(value);
        }
    });
    helpContext_ = value;
    Change();
}

void TCustomAction::SetHint(const std::string& value)
{
    if (value == hint_) {
        return;
    }
    ForEachLink([&](TBasicActionLink* link) {
        if (auto* l = dynamic_cast<TActionLink*>(link)) {
            l->SetHint(value);
        }
    });
    hint_ = value;
    Change();
}

void TCustomAction::SetImageIndex(int value)
{
    if (value == imageIndex_) {
        return;
    }
    ForEachLink([&](TBasicActionLink* link) {
        if (auto* l = dynamic_cast<TActionLink*>(link)) {
            l->SetImageIndex(value);
        }
    });
    imageIndex_ = value;
    Change();
}

void TCustomAction::SetShortCut(TShortCut value)
{
    if (value == shortCut_) {
        return;
    }
    ForEachLink([&](TBasicActionLink* link) {
        if (auto* l = dynamic_cast<TActionLink*>(link)) {
            l->SetShortCut(value);
        }
    });
    shortCut_ = value;
    Change();
}

void TCustomAction::SetVisible(bool value)
{
    if (value == visible_) {
        return;
    }
    ForEachLink([&](TBasicActionLink* link) {
        if (auto* l = dynamic_cast<TActionLink*>(link)) {
            l->SetVisible(value);
        }
    });
    visible_ = value;
    Change();
}

const classes::TClassInfo& TAction::StaticClass()
{
    static const classes::TClassInfo info("TAction", &TCustomAction::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TAction>(c)
            .Property("AutoCheck", &TAction::AutoCheck, &TAction::SetAutoCheck).Default(0)
            .Property("Caption", &TAction::Caption, &TAction::SetCaption)
            .Property("Checked", &TAction::Checked, &TAction::SetChecked).Default(0)
            .Property("Enabled", &TAction::Enabled, &TAction::SetEnabled).Default(1)
            .Property("GroupIndex", &TAction::GroupIndex, &TAction::SetGroupIndex).Default(0)
            .Property("HelpContext", &TAction::HelpContext, &TAction::SetHelpContext).Default(0)
            .Property("Hint", &TAction::Hint, &TAction::SetHint)
            .Property("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex).Default(-1)
            .Property("ShortCut", ShortCutType(), &TAction::ShortCut, &TAction::SetShortCut).Default(0)
            .Property("Visible", &TAction::Visible, &TAction::SetVisible).Default(1)
            .Property("OnExecute", classes::NotifyEventType(), &TAction::OnExecute, &TAction::SetOnExecute)
            .Property("OnHint", HintEventType(), &TAction::OnHint)
            .Property("OnUpdate", classes::NotifyEventType(), &TAction::OnUpdate);
    });
    return info;
}

// --- links ---

TBasicActionLink::~TBasicActionLink()
{
    if (action_) {
        action_->UnRegisterChanges(this);
    }
}

void TBasicActionLink::SetAction(TBasicAction* value)
{
    if (value == action_) {
        return;
    }
    if (action_) {
        action_->UnRegisterChanges(this);
    }
    action_ = value;
    if (value) {
        value->RegisterChanges(this);
    }
}

bool TBasicActionLink::Execute(classes::TComponent* component)
{
    if (!action_) {
        return false;
    }
    action_->SetActionComponent(component);
    struct Reset {
        TBasicAction* action;
        ~Reset() { action->SetActionComponent(nullptr); }
    } reset{action_};
    return action_->Execute();
}

bool TBasicActionLink::Update()
{
    return action_ && action_->Update();
}

void TBasicActionLink::Change()
{
    if (OnChange) {
        OnChange(action_);
    }
}

TCustomAction* TActionLink::CustomAction() const
{
    return dynamic_cast<TCustomAction*>(Action());
}

bool TActionLink::IsCaptionLinked() const
{
    return CustomAction() != nullptr;
}

bool TActionLink::IsCheckedLinked() const
{
    return CustomAction() != nullptr;
}

bool TActionLink::IsEnabledLinked() const
{
    return CustomAction() != nullptr;
}

bool TActionLink::IsHelpContextLinked() const
{
    return CustomAction() != nullptr;
}

bool TActionLink::IsHintLinked() const
{
    return CustomAction() != nullptr;
}

bool TActionLink::IsImageIndexLinked() const
{
    return CustomAction() != nullptr;
}

bool TActionLink::IsShortCutLinked() const
{
    return CustomAction() != nullptr;
}

bool TActionLink::IsVisibleLinked() const
{
    return CustomAction() != nullptr;
}

bool TActionLink::IsOnExecuteLinked() const
{
    return Action() != nullptr;
}

TControlActionLink::TControlActionLink(TControl* client) : TActionLink(client), control_(client)
{
}

bool TControlActionLink::IsCaptionLinked() const
{
    return TActionLink::IsCaptionLinked() && control_->Caption() == CustomAction()->Caption();
}

bool TControlActionLink::IsEnabledLinked() const
{
    return TActionLink::IsEnabledLinked() && control_->Enabled() == CustomAction()->Enabled();
}

bool TControlActionLink::IsHelpContextLinked() const
{
    return TActionLink::IsHelpContextLinked() && control_->HelpContext() == CustomAction()->HelpContext();
}

bool TControlActionLink::IsHintLinked() const
{
    return TActionLink::IsHintLinked() && control_->Hint() == CustomAction()->Hint();
}

bool TControlActionLink::IsVisibleLinked() const
{
    return TActionLink::IsVisibleLinked() && control_->Visible() == CustomAction()->Visible();
}

bool TControlActionLink::IsOnExecuteLinked() const
{
    return TActionLink::IsOnExecuteLinked() && control_->OnClick == Action()->OnExecute;
}

void TControlActionLink::SetCaption(const std::string& value)
{
    if (IsCaptionLinked()) {
        control_->SetCaption(value);
    }
}

void TControlActionLink::SetEnabled(bool value)
{
    if (IsEnabledLinked()) {
        control_->SetEnabled(value);
    }
}

void TControlActionLink::SetHelpContext(int value)
{
    if (IsHelpContextLinked()) {
        control_->SetHelpContext(value);
    }
}

void TControlActionLink::SetHint(const std::string& value)
{
    if (IsHintLinked()) {
        control_->SetHint(value);
    }
}

void TControlActionLink::SetVisible(bool value)
{
    if (IsVisibleLinked()) {
        control_->SetVisible(value);
    }
}

void TControlActionLink::SetOnExecute(TNotifyEvent value)
{
    if (IsOnExecuteLinked()) {
        control_->OnClick = value;
    }
}

}  // namespace gui
