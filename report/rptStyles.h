#pragma once
// The style sheet of a report: named text styles (colour, font and frame) that memo views refer to by
// name, stored with the report and as style sheet files.
//
// Style sheet XML: root "style" with the sheet's "Name"; one "item" per style holding the style's
// attributes as the template serializer writes them (Name, Color, Font.Name, Font.Height, Frame.Typ ...).

#include "platform/classes/Collection.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"

#include <memory>
#include <string>
#include <string_view>

namespace gui {
class TFont;
}

namespace report {

class TrptFrame;
class TrptReport;

class TrptStyleItem : public classes::TCollectionItem {
public:
    // Colour none, font "Arial" 10 of the default character set, no frame sides.
    explicit TrptStyleItem(classes::TCollection* collection);
    ~TrptStyleItem() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Copies name, colour, font and frame of another style.
    void Assign(const classes::TPersistent* source) override;

    const std::string& Name() const { return name_; }
    // A name another style of the sheet has (without regard to case) raises "Duplicate name" and keeps the
    // old one.
    void SetName(const std::string& name);
    gui::TColor Color = gui::clNone;
    gui::TFont* Font() const { return font_.get(); }
    void SetFont(gui::TFont* font);
    TrptFrame* Frame() const { return frame_.get(); }
    void SetFrame(TrptFrame* frame);

private:
    std::string name_;
    std::unique_ptr<gui::TFont> font_;
    std::unique_ptr<TrptFrame> frame_;
};

class TrptStyles : public classes::TCollection {
public:
    // report: the report the sheet belongs to (may be null).
    explicit TrptStyles(TrptReport* report);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TrptReport* Report() const { return report_; }
    TrptStyleItem* Add();
    TrptStyleItem* Items(int index) const;
    // The style of that name without regard to case; null when none.
    TrptStyleItem* Find(std::string_view name) const;
    // The names, in order.
    void GetList(rtl::TStrings& list) const;
    // Gives the report's memo views their styles again (a memo whose style is gone loses it).
    void Apply();

    // Empties the sheet and reads one. A sheet whose root is not "style" adds nothing. A read never stops
    // at a bad value or a malformed document: the styles read so far stay, and every problem becomes one
    // line, added to the report's Errors and reported as its EngineOptions.NewSilentMode says (without a
    // report: raised). Then Apply.
    void LoadFromStream(rtl::TStream& stream);
    void LoadFromFile(const std::string& fileName);
    void SaveToStream(rtl::TStream& stream);
    // Replaces the file whole or not at all: EFCreateError leaves the old one.
    void SaveToFile(const std::string& fileName, const rtl::AtomicWriteOptions& options = {});

    std::string Name;

private:
    TrptReport* report_;
};

}  // namespace report
