#pragma once
// Controls of the kinds the library's users derive, for the control tests: a windowed control that takes
// the focus when pressed and answers the dialog keys of a default, cancel or accelerator button; a panel
// that holds controls; a graphic control painting one colour; and a form class read from stored data.
// Each logs what happens to it into a shared log.

#include "platform/gui/core/CustomControl.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/GraphicControl.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/PopupMenu.h"
#include "platform/win/Input.h"

#include <string>
#include <vector>

namespace guitest {

// What the controls saw, in order.
inline std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

class TTestControl : public gui::TCustomControl {
public:
    explicit TTestControl(classes::TComponent* owner) : TCustomControl(owner)
    {
        SetBounds(0, 0, 60, 20);
        SetTabStop(true);
    }

    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TTestControl", &TCustomControl::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TTestControl>(c)
                .Property("Caption", &TTestControl::Caption, &TTestControl::SetCaption)
                .Stored(&TTestControl::IsCaptionStored)
                .Property("TabStop", &TTestControl::TabStop, &TTestControl::SetTabStop).Default(1)
                .Property("Default", &TTestControl::isDefault).Default(0)
                .Property("Cancel", &TTestControl::isCancel).Default(0);
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void Dispatch(win::TMessage& message) override
    {
        switch (message.Msg) {
        case gui::CM_DIALOGKEY:
            // The default and cancel buttons' part of the dialog keys.
            if ((message.WParam == win::VK_RETURN && isDefault) || (message.WParam == win::VK_ESCAPE && isCancel)) {
                Log().push_back(Name() + (message.WParam == win::VK_RETURN ? " default" : " cancel"));
                Click();
                message.Result = 1;
                return;
            }
            break;
        case gui::CM_DIALOGCHAR:
            if (gui::IsAccel(char(message.WParam), Caption()) && CanFocus()) {
                Log().push_back(Name() + " accelerator");
                SetFocus();
                message.Result = 1;
                return;
            }
            break;
        case gui::CM_MOUSEENTER:
        case gui::CM_MOUSELEAVE:
            if (message.LParam == 0) {
                Log().push_back(Name() + (message.Msg == gui::CM_MOUSEENTER ? " enter" : " leave"));
            }
            break;
        default:
            break;
        }
        TCustomControl::Dispatch(message);
    }

    bool isDefault = false;
    bool isCancel = false;
    gui::TColor paintColor = gui::clWhite;

protected:
    void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override
    {
        if (button == gui::mbLeft && CanFocus()) {
            SetFocus();
        }
        TCustomControl::MouseDown(button, shift, x, y);
    }
    void DoEnter() override
    {
        Log().push_back(Name() + " enter focus");
        TCustomControl::DoEnter();
    }
    void DoExit() override
    {
        Log().push_back(Name() + " exit focus");
        TCustomControl::DoExit();
    }
    void Paint() override
    {
        Canvas()->Brush()->SetColor(paintColor);
        Canvas()->FillRect(ClientRect());
    }
    void Loaded() override
    {
        TCustomControl::Loaded();
        Log().push_back(Name() + " loaded");
    }
};

class TTestPanel : public TTestControl {
public:
    explicit TTestPanel(classes::TComponent* owner) : TTestControl(owner)
    {
        SetControlStyle(ControlStyle() | gui::csAcceptsControls);
        SetTabStop(false);
    }

    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TTestPanel", &TTestControl::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TTestPanel>(c).Property("TabStop", &TTestPanel::TabStop, &TTestPanel::SetTabStop).Default(0);
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

class TTestGraphic : public gui::TGraphicControl {
public:
    explicit TTestGraphic(classes::TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 30, 10); }

    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TTestGraphic", &TGraphicControl::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TTestGraphic>(c).Property("Caption", &TTestGraphic::Caption, &TTestGraphic::SetCaption);
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void Dispatch(win::TMessage& message) override
    {
        if ((message.Msg == gui::CM_MOUSEENTER || message.Msg == gui::CM_MOUSELEAVE) && message.LParam == 0) {
            Log().push_back(Name() + (message.Msg == gui::CM_MOUSEENTER ? " enter" : " leave"));
        }
        TGraphicControl::Dispatch(message);
    }

    gui::TColor paintColor = gui::clRed;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(paintColor);
        Canvas()->FillRect(ClientRect());
    }
    void Loaded() override
    {
        TGraphicControl::Loaded();
        Log().push_back(Name() + " loaded");
    }
};

// A popup menu as the library's menus will be: it records where it was asked to pop up.
class TRecordingPopup : public classes::TComponent, public gui::IPopupMenu {
public:
    using TComponent::TComponent;
    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TRecordingPopup", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TRecordingPopup>(c).Implements<gui::IPopupMenu>();
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    std::int32_t QueryInterface(const classes::TGUID& iid, void** object) override
    {
        return classes::GetInterface(this, iid, object);
    }
    std::int32_t AddRef() override { return -1; }
    std::int32_t Release() override { return -1; }
    bool AutoPopup() const override { return true; }
    void SetPopupComponent(classes::TComponent* component) override { popupComponent = component; }
    void Popup(int x, int y) override { shownAt.push_back({x, y}); }
    bool IsShortCut(win::WORD, gui::TShiftState) override { return false; }

    classes::TComponent* popupComponent = nullptr;
    std::vector<win::POINT> shownAt;
};

}  // namespace guitest
