#pragma once
// The base of the parts of a chart and of a series (title, legend, axes, walls, pointer ...): a part
// tells its holder through OnChange whenever it, or a font, pen or brush it holds, changes.

#include "platform/classes/Persistent.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/graphics/Font.h"
#include "platform/gui/graphics/GraphicsObject.h"

#include <memory>

namespace chart {

class TChartPart : public classes::TPersistent {
public:
    TChartPart() = default;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    classes::TNotifyEvent OnChange;

protected:
    void Changed();
    // Makes a font, pen or brush of the part report its changes as the part's.
    void Watch(gui::TGraphicsObject& object);
    void Watch(TChartPart& part);
    // Sets a field of the part and reports a change when its value differs.
    template <class V>
    void Change(V& field, V value)
    {
        if (field != value) {
            field = value;
            Changed();
        }
    }

private:
    void ObjectChanged(classes::TObject*) { Changed(); }
};

// Every text of a chart starts in Arial 8 pt black.
std::unique_ptr<gui::TFont> NewChartFont();

}  // namespace chart
