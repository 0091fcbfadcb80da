#include "report/rptStyles.h"

#include "platform/classes/Reflection.h"
#include "platform/gui/graphics/Font.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/wintypes/LogFont.h"
#include "report/rptFrame.h"
#include "report/rptReport.h"
#include "report/rptRes.h"
#include "report/rptUtils.h"
#include "report/rptXML.h"
#include "report/rptXMLSerializer.h"

namespace report {

// --- TrptStyleItem ---

TrptStyleItem::TrptStyleItem(classes::TCollection* collection)
    : classes::TCollectionItem(collection), font_(std::make_unique<gui::TFont>()),
      frame_(std::make_unique<TrptFrame>())
{
    font_->SetPixelsPerInch(96);
    font_->SetName("Arial");
    font_->SetSize(10);
    font_->SetCharset(win::DEFAULT_CHARSET);
}

TrptStyleItem::~TrptStyleItem() = default;

const classes::TClassInfo& TrptStyleItem::StaticClass()
{
    using S = TrptStyleItem;
    static const classes::TClassInfo info("TrptStyleItem", &classes::TCollectionItem::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<S>(c)
            .Property("Name", &S::Name, &S::SetName)
            .Property("Color", gui::ColorType(), &S::Color)
            .Property("Font", &S::Font, &S::SetFont)
            .Property("Frame", &S::Frame, &S::SetFrame);
    });
    return info;
}

void TrptStyleItem::Assign(const classes::TPersistent* source)
{
    const auto* style = dynamic_cast<const TrptStyleItem*>(source);
    if (!style)
        return classes::TCollectionItem::Assign(source);
    name_ = style->name_;
    Color = style->Color;
    font_->Assign(style->font_.get());
    frame_->Assign(style->frame_.get());
}

void TrptStyleItem::SetName(const std::string& name)
{
    if (auto* styles = dynamic_cast<TrptStyles*>(Collection()))
        if (TrptStyleItem* other = styles->Find(name); other && other != this)
            throw rtl::Exception("Duplicate name");
    name_ = name;
}

void TrptStyleItem::SetFont(gui::TFont* font)
{
    font_->Assign(font);
}

void TrptStyleItem::SetFrame(TrptFrame* frame)
{
    frame_->Assign(frame);
}

// --- TrptStyles ---

TrptStyles::TrptStyles(TrptReport* report)
    : classes::TCollection(TrptStyleItem::StaticClass(), report, "Styles"), report_(report)
{
}

const classes::TClassInfo& TrptStyles::StaticClass()
{
    static const classes::TClassInfo info("TrptStyles", &classes::TCollection::StaticClass());
    return info;
}

TrptStyleItem* TrptStyles::Add()
{
    return static_cast<TrptStyleItem*>(classes::TCollection::Add());
}

TrptStyleItem* TrptStyles::Items(int index) const
{
    return static_cast<TrptStyleItem*>(classes::TCollection::Items(index));
}

TrptStyleItem* TrptStyles::Find(std::string_view name) const
{
    for (int i = 0; i < Count(); ++i)
        if (rtl::AnsiSameText(Items(i)->Name(), name))
            return Items(i);
    return nullptr;
}

void TrptStyles::GetList(rtl::TStrings& list) const
{
    list.Clear();
    for (int i = 0; i < Count(); ++i)
        list.Add(Items(i)->Name());
}

void TrptStyles::Apply()
{
    // Memo views are the objects that take a style; the sheet has no memo view to give one yet.
    if (!report_)
        return;
}

void TrptStyles::LoadFromStream(rtl::TStream& stream)
{
    Clear();
    Name.clear();
    rtl::TStringList problems;
    problems.SetSorted(true);
    problems.SetDuplicates(rtl::TDuplicates::Ignore);
    TrptXMLDocument document;
    try {
        document.LoadFromStream(stream);
    } catch (const TrptInvalidXMLException& e) {
        problems.Add(e.Message());  // the styles of what was read are kept
    }
    const TrptXMLItem& root = document.Root();
    if (rtl::AnsiSameText(root.Name(), "style")) {
        Name = root.Prop("Name");
        TrptXMLSerializer serializer(nullptr);
        serializer.Owner = report_;
        for (int i = 0; i < root.Count(); ++i)
            if (rtl::AnsiSameText(root.Items(i).Name(), "item"))
                serializer.XMLToObj(root.Items(i).Text(), Add());
        serializer.FixupReferences();
        problems.AddStrings(serializer.Errors());
    }
    if (problems.Count() > 0) {
        const std::string text = rptGetResources().Get("clErrors") + "\r\n" + problems.Text();
        if (!report_)
            throw rtl::Exception(text);
        report_->Errors().AddStrings(problems);
        rptReportFailure(report_, text);
    }
    Apply();
}

void TrptStyles::LoadFromFile(const std::string& fileName)
{
    rtl::TFileStream stream(fileName, rtl::fmOpenRead | rtl::fmShareDenyWrite);
    LoadFromStream(stream);
}

void TrptStyles::SaveToStream(rtl::TStream& stream)
{
    TrptXMLDocument document;
    document.SetIndented(true);
    TrptXMLItem& root = document.Root();
    root.SetName("style");
    root.SetProp("Name", Name);
    TrptXMLSerializer serializer(nullptr);
    serializer.Owner = report_;
    for (int i = 0; i < Count(); ++i) {
        TrptXMLItem& item = root.Add();
        item.SetName("item");
        const std::string text = serializer.ObjToXML(Items(i));
        item.SetText(text.empty() ? text : text.substr(1));
    }
    document.SaveToStream(stream);
}

void TrptStyles::SaveToFile(const std::string& fileName, const rtl::AtomicWriteOptions& options)
{
    rtl::TStringStream text;
    SaveToStream(text);
    rtl::WriteFileAtomically(fileName, text.DataString(), options);
}

}  // namespace report
