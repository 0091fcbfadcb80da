#include "report/rptComponent.h"

#include "platform/classes/Errors.h"
#include "platform/gui/graphics/Font.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/SyncObjs.h"
#include "report/rptDataSet.h"
#include "report/rptPage.h"
#include "report/rptReport.h"
#include "report/rptRes.h"
#include "report/rptView.h"
#include "report/rptXML.h"
#include "report/rptXMLSerializer.h"

#include <algorithm>
#include <cmath>

namespace report {

namespace {

// A report object is owned by the report of the parent that makes it; any other owner owns it itself.
classes::TComponent* HostOwner(classes::TComponent* owner)
{
    if (auto* parent = dynamic_cast<TrptComponent*>(owner))
        return parent->OwningReport();
    return owner;
}

// One item of an attribute text: a blank, the name, "=" and the value in quotation marks.
void AddItem(std::string& text, std::string_view name, const std::string& value)
{
    text += " ";
    text += name;
    text += "=\"" + value + "\"";
}

std::string BoolText(bool value)
{
    return value ? "1" : "0";
}

}  // namespace

double rptRound8(double x)
{
    return std::nearbyint(x * 1e8) / 1e8;
}

bool rptFloatDiff(double a, double b)
{
    return std::fabs(a - b) > 0.0001;
}

const classes::TTypeInfo& RestrictionsType()
{
    static const classes::TTypeInfo element = classes::EnumType(
        "TrptRestriction", {"rfDontModify", "rfDontSize", "rfDontMove", "rfDontDelete", "rfDontEdit"});
    static const classes::TTypeInfo type = classes::SetType("TrptRestrictions", element);
    return type;
}

// --- TrptComponent ---

TrptComponent::TrptComponent(classes::TComponent* owner)
    : classes::TComponent(HostOwner(owner)), font_(std::make_unique<gui::TFont>())
{
    font_->SetPixelsPerInch(96);
    font_->SetName("Arial");
    font_->SetSize(10);
    font_->SetColor(gui::clBlack);
    font_->OnChange = rtl::MethodOf<&TrptComponent::FontChanged>(this);
    SetParentFont(true);
    if (auto* parent = dynamic_cast<TrptComponent*>(owner))
        SetParent(parent);
}

TrptComponent::~TrptComponent()
{
    SetParent(nullptr);
    Clear();
    FreeChildren();
    font_->OnChange = nullptr;
}

const classes::TClassInfo& TrptComponent::StaticClass()
{
    static const classes::TClassInfo info("TrptComponent", &classes::TComponent::StaticClass());
    return info;
}

void TrptComponent::FreeChildren()
{
    if (TrptComponent* root = TreeRoot(); root == this)
        treeNames_.reset();
    else
        for (TrptComponent* child : objects_)
            child->IndexTree(root, false);
    std::vector<TrptComponent*> children;
    children.swap(objects_);
    for (TrptComponent* child : children) {
        child->parent_ = nullptr;
        delete child;
    }
}

const std::vector<TrptComponent*>& TrptComponent::AllObjects()
{
    allObjects_.clear();
    auto collect = [this](auto& self, const TrptComponent& parent) -> void {
        for (TrptComponent* child : parent.objects_) {
            allObjects_.push_back(child);
            self(self, *child);
        }
    };
    collect(collect, *this);
    return allObjects_;
}

std::string TrptComponent::NameStem() const
{
    if (!nameStem_.empty())
        return nameStem_;
    std::string stem = ClassName();
    for (std::string_view part : {"Trpt", "View"})
        if (const std::size_t at = stem.find(part); at != std::string::npos)
            stem.erase(at, part.size());
    return stem;
}

void TrptComponent::SetParent(TrptComponent* value)
{
    if (value == parent_)
        return;
    for (const TrptComponent* up = value; up; up = up->parent_)
        if (up == this)
            throw classes::EComponentError("An object cannot be placed inside itself");
    if (parent_) {
        IndexTree(TreeRoot(), false);
        std::erase(parent_->objects_, this);
    }
    if (value)
        value->objects_.push_back(this);
    parent_ = value;
    if (value) {
        treeNames_.reset();
        IndexTree(TreeRoot(), true);
        SetParentFont(parentFont_);
    }
}

TrptComponent* TrptComponent::TreeRoot()
{
    TrptComponent* root = this;
    while (root->parent_)
        root = root->parent_;
    return root;
}

void TrptComponent::IndexTree(TrptComponent* root, bool add)
{
    if (!root->treeNames_)
        return;
    auto visit = [&](auto& self, TrptComponent* object) -> void {
        if (add)
            root->treeNames_->Add(object->Name(), object);
        else
            root->treeNames_->Remove(object->Name(), object);
        for (TrptComponent* child : object->objects_)
            self(self, child);
    };
    visit(visit, this);
}

void TrptComponent::SetLeft(double value)
{
    if (!designMode_ || !(restrictions_ & 1 << rfDontMove))
        left_ = value;
}

void TrptComponent::SetTop(double value)
{
    if (!designMode_ || !(restrictions_ & 1 << rfDontMove))
        top_ = value;
}

void TrptComponent::SetWidth(double value)
{
    if (!designMode_ || !(restrictions_ & 1 << rfDontSize))
        width_ = value;
}

void TrptComponent::SetHeight(double value)
{
    if (!designMode_ || !(restrictions_ & 1 << rfDontSize))
        height_ = value;
}

void TrptComponent::SetFont(const gui::TFont* value)
{
    font_->Assign(value);
    parentFont_ = false;
}

void TrptComponent::SetParentFont(bool value)
{
    if (value && parent_)
        SetFont(parent_->Font());
    parentFont_ = value;
}

void TrptComponent::SetVisible(bool value)
{
    visible_ = value;
}

void TrptComponent::FontChanged(classes::TObject*)
{
    parentFont_ = false;
    for (TrptComponent* child : objects_)
        if (child->parentFont_)
            child->SetParentFont(true);
}

std::string TrptComponent::GetTypeName() const
{
    return ClassName();
}

void TrptComponent::Clear()
{
    std::size_t i = 0;
    while (i < objects_.size()) {
        TrptComponent* child = objects_[i];
        if (child->HasState(classes::csAncestor)) {
            child->Clear();
            ++i;
        } else {
            delete child;  // leaves the list, so the next child is at i
        }
    }
}

std::string TrptComponent::DiffToXML(const TrptComponent& original) const
{
    return BaseDiff(original);
}

void TrptComponent::SetBounds(double left, double top, double width, double height)
{
    SetLeft(left);
    SetTop(top);
    SetWidth(width);
    SetHeight(height);
}

TrptPage* TrptComponent::Page() const
{
    for (const TrptComponent* c = this; c; c = c->parent_)
        if (auto* page = dynamic_cast<const TrptPage*>(c))
            return const_cast<TrptPage*>(page);
    return nullptr;
}

TrptReport* TrptComponent::OwningReport() const
{
    for (const TrptComponent* c = this; c; c = c->parent_)
        if (auto* report = dynamic_cast<const TrptReport*>(c))
            return const_cast<TrptReport*>(report);
    return nullptr;
}

double TrptComponent::AbsLeft() const
{
    return parent_ ? left_ + parent_->AbsLeft() : left_;
}

double TrptComponent::AbsTop() const
{
    return parent_ ? top_ + parent_->AbsTop() : top_;
}

TrptComponent* TrptComponent::FindObject(std::string_view name)
{
    // Names are identifiers, and a text of identifier characters collates equal to one exactly when
    // it differs only in ASCII case: such a text is answered by the tree's index. Several objects of
    // the name (possible in trees joined later) leave the order to the walk.
    if (classes::IsValidIdent(name)) {
        TrptComponent* root = TreeRoot();
        if (!root->treeNames_) {
            root->treeNames_ = std::make_unique<classes::TNameIndex<TrptComponent>>();
            root->IndexTree(root, true);
        }
        TrptComponent* found = nullptr;
        int count = 0;
        root->treeNames_->ForEach(name, [&](TrptComponent* object) {
            for (const TrptComponent* up = object->parent_; up; up = up->parent_)
                if (up == this) {
                    found = object;
                    ++count;
                    return;
                }
        });
        if (count <= 1)
            return found;
    }
    for (TrptComponent* object : AllObjects())
        if (rtl::AnsiSameText(object->Name(), name))
            return object;
    return nullptr;
}

bool TrptComponent::IsReading() const
{
    return reading_ || HasState(classes::csLoading);
}

bool TrptComponent::IsFromAncestor() const
{
    return HasState(classes::csAncestor) || fromAncestor_;
}

void TrptComponent::AssignFreeName()
{
    rtl::TStringList names;
    names.SetSorted(true);
    TrptComponent* scope = OwningReport();
    if (!scope)
        scope = parent_;
    if (scope)
        for (TrptComponent* object : scope->AllObjects())
            names.Add(object->Name());
    const std::string stem = NameStem();
    for (int i = 1;; ++i) {
        const std::string name = stem + std::to_string(i);
        int index;
        if (!names.Find(name, index)) {
            SetName(name);
            return;
        }
    }
}

std::string TrptComponent::BaseDiff(const TrptComponent& original) const
{
    std::string text;
    if (rptFloatDiff(left_, original.left_))
        AddItem(text, "l", rtl::FloatToStr(left_));
    if (rptFloatDiff(top_, original.top_))
        AddItem(text, "t", rtl::FloatToStr(top_));
    if (rptFloatDiff(width_, original.width_))
        AddItem(text, "w", rtl::FloatToStr(width_));
    if (rptFloatDiff(height_, original.height_))
        AddItem(text, "h", rtl::FloatToStr(height_));
    if (visible_ != original.visible_)
        AddItem(text, "Visible", BoolText(visible_));
    if (!parentFont_)
        text += FontDiff(*font_, *original.font_);
    if (parentFont_ != original.parentFont_)
        AddItem(text, "ParentFont", BoolText(parentFont_));
    if (Tag() != original.Tag())
        AddItem(text, "Tag", rtl::IntToStr(Tag()));
    return text;
}

std::string TrptComponent::FontDiff(const gui::TFont& font, const gui::TFont& original)
{
    std::string text;
    if (font.Name() != original.Name())
        AddItem(text, "Font.Name", StrToXML(font.Name()));
    if (font.Size() != original.Size())
        AddItem(text, "Font.Size", rtl::IntToStr(font.Size()));
    if (font.Color() != original.Color())
        AddItem(text, "Font.Color", rtl::IntToStr(font.Color()));
    if (font.Style() != original.Style())
        AddItem(text, "Font.Style", rtl::IntToStr(font.Style()));
    if (font.Charset() != original.Charset())
        AddItem(text, "Font.Charset", rtl::IntToStr(font.Charset()));
    return text;
}

void TrptComponent::SetName(const std::string& name)
{
    if (rtl::AnsiSameText(name, Name()))
        return;
    if (TrptReport* report = OwningReport()) {
        TrptComponent* other = name.empty() ? nullptr : report->FindObject(name);
        if (other && other != this)
            throw classes::EComponentError(rptGetResources().Get("prDupl"));
        if (IsFromAncestor())
            throw classes::EComponentError("Could not rename " + Name() + ", it was introduced in the ancestor report");
    }
    const std::string old = Name();
    classes::TComponent::SetName(name);
    TrptComponent* root = TreeRoot();
    if (root->treeNames_) {
        root->treeNames_->Remove(old, this);
        root->treeNames_->Add(Name(), this);
    }
}

void TrptComponent::Notification(classes::TComponent* component, classes::TOperation operation)
{
    if (operation == classes::TOperation::Remove)
        classes::TComponent::Notification(component, operation);
}

void TrptComponent::GetChildren(const classes::TGetChildProc& proc, classes::TComponent*)
{
    for (TrptComponent* child : objects_)
        proc(child);
}

void TrptComponent::SetParentComponent(classes::TComponent* value)
{
    if (auto* parent = dynamic_cast<TrptComponent*>(value))
        SetParent(parent);
}

void TrptComponent::SetChildOrder(classes::TComponent* child, int order)
{
    auto it = std::find(objects_.begin(), objects_.end(), child);
    if (it == objects_.end())
        return;
    TrptComponent* moved = *it;
    objects_.erase(it);
    objects_.insert(objects_.begin() + std::clamp(order, 0, int(objects_.size())), moved);
}

// --- templates ---

void TrptComponent::LoadFromStream(rtl::TStream& stream)
{
    Clear();
    TrptReport* report = OwningReport();
    TrptXMLSerializer serializer(&stream);
    serializer.Owner = report;
    // The report's stored collections read their items through the serializer of the template.
    struct Current {
        TrptReport* report;
        ~Current()
        {
            if (report)
                report->SetCurrentSerializer(nullptr);
        }
    } current{report};
    if (report)
        report->SetCurrentSerializer(&serializer);
    auto passErrors = [&] {
        if (report)
            report->Errors().AddStrings(serializer.Errors());
    };
    try {
        if (report && report->EngineOptions()->ThreadSafeMode) {
            rtl::CriticalSectionGuard lock(rptGlobalLock());
            serializer.ReadRootComponent(this);
        } else {
            serializer.ReadRootComponent(this);
        }
    } catch (...) {
        passErrors();
        throw;
    }
    passErrors();
}

void TrptComponent::SaveToStream(rtl::TStream& stream, bool saveChildren, bool saveDefaultValues,
                                 bool forceClassNames)
{
    TrptXMLSerializer serializer(&stream);
    serializer.Owner = OwningReport();
    serializer.SerializeDefaultValues = saveDefaultValues;
    if (auto* report = dynamic_cast<TrptReport*>(this))
        serializer.OnGetAncestor = rtl::MethodOf<&TrptReport::LookupAncestorObject>(report);
    serializer.WriteRootComponent(this, saveChildren, forceClassNames);
}

void TrptComponent::Assign(const classes::TPersistent* source)
{
    if (auto* component = dynamic_cast<const TrptComponent*>(source)) {
        rtl::TMemoryStream stream;
        const_cast<TrptComponent*>(component)->SaveToStream(stream, false, true, false);
        stream.SetPosition(0);
        LoadFromStream(stream);
    }
}

void TrptComponent::CopyTree(const TrptComponent* source, bool forceClassNames)
{
    rtl::TMemoryStream stream;
    const_cast<TrptComponent*>(source)->SaveToStream(stream, true, true, forceClassNames);
    stream.SetPosition(0);
    LoadFromStream(stream);
}

std::string TrptComponent::FullAttributes(const TrptComponent* original)
{
    rtl::TStringStream stream;
    TrptXMLSerializer serializer(&stream);
    serializer.Owner = OwningReport();
    serializer.WriteObjectTag(this);
    const std::string tag = stream.DataString();
    const std::size_t blank = tag.find(' ');
    std::string text = blank == std::string::npos ? std::string() : tag.substr(blank + 1, tag.size() - 2 - (blank + 1));
    if (original)
        text += " " + BaseDiff(*original);
    return text;
}

TrptDataSet* TrptComponent::ResolveDataSet(TrptDataSet* current, const std::string& userName) const
{
    TrptReport* report = OwningReport();
    if (!report || report->EngineOptions()->UseGlobalDataSetList)
        return rptFindDataSet(current, userName, report);
    TrptDataSetItem* item = report->LocalDataSets()->Find(userName);
    return item ? item->DataSet() : nullptr;
}

// --- alignment ---

void TrptComponent::ApplyChildAlign()
{
    std::vector<TrptView*> sorted;
    for (TrptComponent* child : objects_)
        if (auto* view = dynamic_cast<TrptView*>(child))
            sorted.push_back(view);
    // By Left as a number; views with the same Left keep their order.
    std::stable_sort(sorted.begin(), sorted.end(), [](TrptView* a, TrptView* b) { return a->Left() < b->Left(); });
    const int count = int(sorted.size());
    for (int i = 0; i < count; ++i)
        if (sorted[std::size_t(i)]->Align() == baLeft || sorted[std::size_t(i)]->Align() == baWidth)
            AlignBeside(sorted, sorted[std::size_t(i)], i, +1);
    for (int i = count - 1; i >= 0; --i)
        if (sorted[std::size_t(i)]->Align() == baRight || sorted[std::size_t(i)]->Align() == baWidth)
            AlignBeside(sorted, sorted[std::size_t(i)], i, -1);
    for (TrptComponent* child : objects_) {
        auto* view = dynamic_cast<TrptView*>(child);
        if (!view)
            continue;
        switch (view->Align()) {
        case baCenter: view->SetLeft((width_ - view->Width()) / 2); break;
        case baBottom: view->SetTop(height_ - view->Height()); break;
        case baClient: view->SetBounds(0, 0, width_, height_); break;
        default: break;
        }
    }
}

// Places a view beside the nearest view it overlaps vertically: on the left side (step +1) or the right.
void TrptComponent::AlignBeside(const std::vector<TrptView*>& sorted, TrptView* view, int index, int step)
{
    const TrptAlign align = view->Align();
    TrptView* neighbour = nullptr;
    for (int j = index; j >= 0 && j < int(sorted.size()); j -= step) {
        TrptView* other = sorted[std::size_t(j)];
        if (other == view)
            continue;
        const bool overlaps = !(other->AbsTop() >= view->AbsTop() + view->Height() - 0.0001)
                           && !(view->AbsTop() >= other->AbsTop() + other->Height() - 0.0001);
        if (!overlaps)
            continue;
        if (align == baWidth
            && ((step == 1 && other->Left() > view->Left())
                || (step == -1 && view->Left() + view->Width() > other->Left() + other->Width())))
            continue;
        neighbour = other;
        break;
    }
    if (step == 1 && (align == baLeft || align == baWidth))
        view->SetLeft(neighbour ? neighbour->Left() + neighbour->Width() : 0);
    else if (align == baRight)
        view->SetLeft((neighbour ? neighbour->Left() : width_) - view->Width());
    else if (step == -1 && align == baWidth)
        view->SetWidth((neighbour ? neighbour->Left() : width_) - view->Left());
}

// --- TrptReportComponent ---

const classes::TClassInfo& TrptReportComponent::StaticClass()
{
    static const classes::TClassInfo info("TrptReportComponent", &TrptComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TrptReportComponent>(c).Property("Description", &TrptReportComponent::Description,
                                                               &TrptReportComponent::SetDescription);
    });
    return info;
}

void TrptReportComponent::SaveState()
{
    savedBounds_ = {Left(), Top(), Width(), Height()};
}

void TrptReportComponent::RestoreState()
{
    SetBounds(savedBounds_.left, savedBounds_.top, savedBounds_.width, savedBounds_.height);
}

TrptFloatRect TrptReportComponent::GetPageBounds() const
{
    return rptRectOf(AbsLeft(), AbsTop(), AbsLeft() + Width(), AbsTop() + Height());
}

}  // namespace report
