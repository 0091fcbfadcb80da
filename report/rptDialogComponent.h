#pragma once
// TrptDialogComponent: a non-visual object placed on a data or dialog page (data sets derive from it).
// It is never kept in prepared pages, is 28 by 28 report pixels, may own the component it stands for,
// and inside a report stores its position with its window's stored data as "pLeft" and "pTop".

#include "report/rptComponent.h"

#include <memory>

namespace report {

class TrptDialogComponent : public TrptReportComponent {
public:
    explicit TrptDialogComponent(classes::TComponent* owner);
    ~TrptDialogComponent() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The component this object stands for, freed with it.
    classes::TComponent* HostComponent() const { return hostComponent_.get(); }
    void SetHostComponent(std::unique_ptr<classes::TComponent> component) { hostComponent_ = std::move(component); }

    // The design-time picture comes with the dialog page.
    void Draw(gui::TCanvas*, double, double, double, double) override {}

protected:
    void DefineProperties(classes::TFiler& filer) override;

private:
    std::unique_ptr<classes::TComponent> hostComponent_;
};

}  // namespace report
