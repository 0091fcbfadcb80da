#pragma once
// The pages of a report: TrptPage, the base of every page, and TrptDataPage, which holds the report's
// data components. Report and dialog pages come with their parts.

#include "report/rptComponent.h"

namespace report {

class TrptPage : public TrptComponent {
public:
    using TrptComponent::TrptComponent;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

class TrptDataPage : public TrptPage {
public:
    // 1000 by 1000 report pixels.
    explicit TrptDataPage(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // "obDataPage", as the string table has it.
    std::string GetTypeName() const override;
};

}  // namespace report
