#pragma once
// TrptView, the base of every object shown on a page. Here it has only its placement inside the parent;
// the views part gives it the rest.

#include "report/rptComponent.h"

namespace report {

enum TrptAlign { baNone, baLeft, baRight, baCenter, baWidth, baBottom, baClient };
const classes::TTypeInfo& AlignType();

class TrptView : public TrptReportComponent {
public:
    // Prepared pages store a view with all its attributes.
    explicit TrptView(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Placement inside the parent (TrptComponent::ApplyChildAlign).
    TrptAlign Align() const { return align_; }
    void SetAlign(TrptAlign align) { align_ = align; }

private:
    TrptAlign align_ = baNone;
};

}  // namespace report
