#pragma once
// Objects for the tests of the report's object tree: a view that publishes its geometry, alignment and
// font, and a window-like owner that stores the components it owns, with its round trip through the
// binary form.

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/graphics/Font.h"
#include "platform/rtl/Streams.h"
#include "report/rptUnicodeUtils.h"
#include "report/rptView.h"

#include <memory>
#include <string>

namespace report_test {

class TrptTestView : public report::TrptView {
public:
    using TrptView::TrptView;

    static const classes::TClassInfo& StaticClass()
    {
        using V = TrptTestView;
        static const classes::TClassInfo info("TrptTestView", &report::TrptView::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<V>(c)
                .Property("Align", report::AlignType(), &V::Align, &V::SetAlign).Default(report::baNone)
                .Property("Font", &V::Font, &V::SetFont).Stored(&V::IsFontStored)
                .Property("ParentFont", &V::ParentFont, &V::SetParentFont).Default(1)
                .Property("Visible", &V::Visible, &V::SetVisible).Default(1)
                .Property("Left", &V::Left, &V::SetLeft)
                .Property("Top", &V::Top, &V::SetTop)
                .Property("Width", &V::Width, &V::SetWidth)
                .Property("Height", &V::Height, &V::SetHeight)
                .Property("Lines", &V::Lines);
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void Draw(gui::TCanvas*, double, double, double, double) override {}

    report::TrptWideStringList* Lines() const { return lines_.get(); }

private:
    std::unique_ptr<report::TrptWideStringList> lines_ = std::make_unique<report::TrptWideStringList>();
};

// Stores the components it owns that have no parent, as a window does.
class TSampleForm : public classes::TComponent {
public:
    using classes::TComponent::TComponent;

    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TSampleForm", &classes::TComponent::StaticClass());
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent*) override
    {
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->HasParent())
                proc(Components(i));
    }
};

// The root and what it owns in the binary form of stored windows.
inline std::string StoreBinary(classes::TComponent& root)
{
    rtl::TMemoryStream stream;
    classes::TWriter writer(stream);
    writer.WriteRootComponent(&root);
    return std::string(stream.Memory(), std::size_t(stream.Size()));
}

inline std::unique_ptr<TSampleForm> LoadSampleForm(const std::string& binary)
{
    auto form = std::make_unique<TSampleForm>(nullptr);
    rtl::TStringStream stream(binary);
    classes::TReader reader(stream);
    reader.ReadRootComponent(form.get());
    return form;
}

inline void RegisterTreeClasses()
{
    classes::RegisterClasses({&TrptTestView::StaticClass(), &TSampleForm::StaticClass()});
}

}  // namespace report_test
