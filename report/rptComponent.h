#pragma once
// TrptComponent, the base of every object of a report (the report, its pages, bands, views, dialog
// objects and data sets), and TrptReportComponent, the base of the printable ones: geometry in report
// pixels, the parent/child tree, automatic names and the rename rules, the font shared with the parent,
// the alignment of child views, and the difference text with which prepared pages store an object
// against the template object it was made from.
//
// The host owner of a report object is the report its creating parent belongs to (or, when the creating
// owner is no report object, that owner); the tree is Parent and Objects, and an object frees its
// children.

#include "platform/classes/Component.h"
#include "platform/classes/NameIndex.h"
#include "platform/classes/Reflection.h"
#include "report/rptUtils.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace gui {
class TCanvas;
class TFont;
}  // namespace gui

namespace report {

class TrptDataSet;
class TrptPage;
class TrptReport;
class TrptView;

// Report pixels: 96 per inch.
constexpr double fr01cm = 3.77953;
constexpr double fr1cm = 37.7953;
constexpr double fr01in = 9.6;
constexpr double fr1in = 96;
constexpr double fr1CharX = 9.6;
constexpr double fr1CharY = 17;

// X rounded to 8 decimals, halves to even.
double rptRound8(double x);
// Whether two distances differ by more than 0.0001.
bool rptFloatDiff(double a, double b);

enum TrptRestriction { rfDontModify, rfDontSize, rfDontMove, rfDontDelete, rfDontEdit };
using TrptRestrictions = std::uint8_t;  // bit 1 << TrptRestriction
const classes::TTypeInfo& RestrictionsType();

// How prepared pages store an object: pfKeep, at all; pfWhole, with all its attributes.
enum TrptPreparedFlag { pfKeep, pfWhole };
using TrptPreparedFlags = std::uint8_t;

class TrptComponent : public classes::TComponent {
public:
    explicit TrptComponent(classes::TComponent* owner);
    // Leaves the parent, then frees the children.
    ~TrptComponent() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    gui::TFont* Font() const { return font_.get(); }
    bool ParentFont() const { return parentFont_; }
    bool Visible() const { return visible_; }
    TrptRestrictions Restrictions() const { return restrictions_; }
    void SetRestrictions(TrptRestrictions restrictions) { restrictions_ = restrictions; }
    std::int32_t GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(std::int32_t groupIndex) { groupIndex_ = groupIndex; }
    TrptComponent* Parent() const { return parent_; }
    // The children, in order.
    const std::vector<TrptComponent*>& Objects() const { return objects_; }
    // Every descendant, depth first (each child, then its children), collected afresh.
    const std::vector<TrptComponent*>& AllObjects();
    // The stem of automatic names: the class name without its first "Trpt" and first "View".
    std::string NameStem() const;
    void SetNameStem(std::string stem) { nameStem_ = std::move(stem); }
    bool DesignMode() const { return designMode_; }
    void SetDesignMode(bool designMode) { designMode_ = designMode; }
    bool Reading() const { return reading_; }
    void SetReading(bool reading) { reading_ = reading; }
    bool PrintingNow() const { return printingNow_; }
    void SetPrintingNow(bool printingNow) { printingNow_ = printingNow; }
    bool FromAncestor() const { return fromAncestor_; }
    void SetFromAncestor(bool fromAncestor) { fromAncestor_ = fromAncestor; }
    // Set while the template serializer writes the object (its stored collections then take their
    // template form).
    bool Writing() const { return writing_; }
    void SetWriting(bool writing) { writing_ = writing; }
    TrptPreparedFlags PreparedFlags() const { return preparedFlags_; }

    // Leaves the old parent's children and joins the new one's at the end; a new parent gives its font
    // again to a child that follows it.
    virtual void SetParent(TrptComponent* value);
    // Ignored in design mode when restricted (rfDontMove, rfDontSize).
    virtual void SetLeft(double value);
    virtual void SetTop(double value);
    virtual void SetWidth(double value);
    virtual void SetHeight(double value);
    // Copies the font; the object then no longer follows its parent's.
    virtual void SetFont(const gui::TFont* value);
    virtual void SetParentFont(bool value);
    virtual void SetVisible(bool value);
    // Any change of Font: the object no longer follows its parent's font, and the children that follow
    // this one take it again.
    virtual void FontChanged(classes::TObject* sender);
    // The kind of object as users see it; the class name here.
    virtual std::string GetTypeName() const;
    // Arranges the child views by their Align.
    virtual void ApplyChildAlign();
    // Run on every object when the report's script is prepared.
    virtual void BeforeStart() {}
    // Frees the children, except those that come from an ancestor, which are cleared themselves.
    virtual void Clear();
    // Reads the object and its children from an XML template, after Clear: the problems of the read
    // become lines of the owning report's Errors; only a malformed document raises (the objects read
    // before it stay). A report in thread-safe mode reads under the library's global lock.
    virtual void LoadFromStream(rtl::TStream& stream);
    // Writes the object (and its children when asked) as an XML template; saveDefaultValues writes every
    // stored property, forceClassNames writes objects from the ancestor under their class names.
    virtual void SaveToStream(rtl::TStream& stream, bool saveChildren = true, bool saveDefaultValues = false,
                              bool forceClassNames = false);
    // Run by the engine after each data row on the objects that asked for it.
    virtual void EngineNotify() {}
    // The attribute text by which this object differs from the template object it was made from.
    virtual std::string DiffToXML(const TrptComponent& original) const;

    void SetBounds(double left, double top, double width, double height);
    // Self or the nearest parent that is a page, or a report; null when none.
    TrptPage* Page() const;
    TrptReport* OwningReport() const;
    // Left and Top plus those of every parent.
    double AbsLeft() const;
    double AbsTop() const;
    // The first object of AllObjects of that name, without regard to case.
    TrptComponent* FindObject(std::string_view name);
    bool IsReading() const;
    bool IsFromAncestor() const;
    // The first free name NameStem + 1, 2 ... among the objects of the report (or of the parent).
    void AssignFreeName();
    // Copies another report object through its template text with every stored property, without its
    // children (other sources are ignored); CopyTree with them.
    void Assign(const classes::TPersistent* source) override;
    void CopyTree(const TrptComponent* source, bool forceClassNames = false);
    // The object's whole attribute text as a template element has it, followed (with original) by " "
    // and BaseDiff(original).
    std::string FullAttributes(const TrptComponent* original);
    // The data set of that user name: through the process-wide list, or, when the report does not use
    // it, through the report's own list (null when that has none of the name).
    TrptDataSet* ResolveDataSet(TrptDataSet* current, const std::string& userName) const;
    // The attribute items "l", "t", "w", "h", "Visible", the font's, "ParentFont" and "Tag" that differ
    // from original; each item is a blank, the name, "=" and the value in quotation marks.
    std::string BaseDiff(const TrptComponent& original) const;
    // "Font.Name", "Font.Size", "Font.Color", "Font.Style" and "Font.Charset" where they differ.
    static std::string FontDiff(const gui::TFont& font, const gui::TFont& original);

    // Renaming to the same name in other letters changes nothing. Within a report a name another object
    // has raises EComponentError ("prDupl"), and an object from the ancestor report cannot be renamed.
    void SetName(const std::string& name) override;
    // Stored children are the Objects, owned (while they are read) by this object.
    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root) override;
    classes::TComponent* GetChildOwner() override { return this; }
    classes::TComponent* GetParentComponent() const override { return parent_; }
    bool HasParent() const override { return parent_ != nullptr; }
    void SetParentComponent(classes::TComponent* value) override;
    // Moves a child to that place among the children.
    void SetChildOrder(classes::TComponent* child, int order) override;

protected:
    // Report objects take no notice of insertions, so an insertion is not passed on to the owned
    // components: a report of many objects would tell each of them about every new one. Removals are.
    void Notification(classes::TComponent* component, classes::TOperation operation) override;
    void SetPreparedFlags(TrptPreparedFlags flags) { preparedFlags_ = flags; }
    // Frees every child, ancestor ones too.
    void FreeChildren();
    // Whether the font is stored: only while it does not follow the parent's.
    bool IsFontStored() const { return !parentFont_; }

private:
    void AlignBeside(const std::vector<TrptView*>& sorted, TrptView* view, int index, int step);
    // The top of the tree this object is in (itself when it has no parent).
    TrptComponent* TreeRoot();
    // Adds this object and its descendants to root's name index, or removes them, when root has one.
    void IndexTree(TrptComponent* root, bool add);

    double left_ = 0;
    double top_ = 0;
    double width_ = 0;
    double height_ = 0;
    std::unique_ptr<gui::TFont> font_;
    bool parentFont_ = true;
    bool visible_ = true;
    TrptRestrictions restrictions_ = 0;
    std::int32_t groupIndex_ = 0;
    std::vector<TrptComponent*> objects_;
    std::vector<TrptComponent*> allObjects_;
    // Only at the top of a tree, made by its first FindObject: every object of the tree by name.
    std::unique_ptr<classes::TNameIndex<TrptComponent>> treeNames_;
    TrptComponent* parent_ = nullptr;
    std::string nameStem_;
    bool designMode_ = false;
    bool reading_ = false;
    bool printingNow_ = false;
    bool fromAncestor_ = false;
    bool writing_ = false;
    TrptPreparedFlags preparedFlags_ = 1 << pfKeep;
};

// A printable object: it draws itself, keeps its bounds across a print, and moves down by ShiftDistance
// with the objects of ShiftList when one above it grows.
class TrptReportComponent : public TrptComponent {
public:
    using TrptComponent::TrptComponent;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    const std::string& Description() const { return description_; }
    void SetDescription(std::string description) { description_ = std::move(description); }
    // The script procedures run before and after the object is printed.
    const std::string& OnBeforePrint() const { return onBeforePrint_; }
    void SetOnBeforePrint(std::string procedure) { onBeforePrint_ = std::move(procedure); }
    const std::string& OnAfterPrint() const { return onAfterPrint_; }
    void SetOnAfterPrint(std::string procedure) { onAfterPrint_ = std::move(procedure); }
    std::vector<TrptReportComponent*>& ShiftList() { return shiftList_; }
    double ShiftDistance() const { return shiftDistance_; }
    void SetShiftDistance(double distance) { shiftDistance_ = distance; }

    // Draws the object: device x = offsetX + scaleX * page x, device y = offsetY + scaleY * page y.
    virtual void Draw(gui::TCanvas* canvas, double scaleX, double scaleY, double offsetX, double offsetY) = 0;
    // Remembers the bounds, and puts them back.
    virtual void SaveState();
    // Fills the object from data before it is printed.
    virtual void FetchData() {}
    virtual void RestoreState();
    // The object's plain text, for text exports.
    virtual std::string GetPlainText() { return {}; }
    // The bounds on the page: AbsLeft, AbsTop, AbsLeft + Width, AbsTop + Height.
    virtual TrptFloatRect GetPageBounds() const;

private:
    std::string description_;
    std::string onBeforePrint_;
    std::string onAfterPrint_;
    struct Bounds {
        double left = 0, top = 0, width = 0, height = 0;
    } savedBounds_;
    std::vector<TrptReportComponent*> shiftList_;
    double shiftDistance_ = 0;
};

}  // namespace report
