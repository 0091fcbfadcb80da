#pragma once
// TDataModule: a container of non-visual components designed like a form, without a window. A data
// module class reads its stored data like a form (CreateFromStoredData), then OnCreate; OnDestroy runs
// when it is freed. The screen lists the data modules that exist.

#include "platform/classes/Component.h"
#include "platform/classes/Reflection.h"
#include "platform/wintypes/Types.h"

namespace gui {

class TDataModule : public classes::TComponent {
public:
    explicit TDataModule(classes::TComponent* owner);
    ~TDataModule() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root) override;
    void DefineProperties(classes::TFiler& filer) override;

    bool OldCreateOrder() const { return oldCreateOrder_; }
    void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }
    // Where the designer showed it: kept with the stored data.
    win::POINT DesignOffset() const { return designOffset_; }
    win::SIZE DesignSize() const { return designSize_; }

    classes::TNotifyEvent OnCreate;
    classes::TNotifyEvent OnDestroy;

protected:
    void CreateFromStoredData();
    virtual void BindComponents() {}

private:
    bool oldCreateOrder_ = false;
    win::POINT designOffset_;
    win::SIZE designSize_;
};

}  // namespace gui
