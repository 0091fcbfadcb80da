#include "SampleComponents.h"

#include "platform/classes/Classes.h"
#include "platform/classes/Errors.h"

#include <gtest/gtest.h>

namespace {

using classes::TClassInfo;
using classes::TTypeKind;
using sample::TNode;
using sample::TShade;

class Reflection : public ::testing::Test {
protected:
    void SetUp() override
    {
        classes::initialize();
        sample::RegisterSamples();
    }
    void TearDown() override { classes::finalize(); }
};

TEST_F(Reflection, ClassesAreFoundByNameOnlyWhileRegistered)
{
    EXPECT_EQ(&classes::FindClass("tnode"), &TNode::StaticClass());
    EXPECT_EQ(&classes::FindClass("TComponent"), &classes::TComponent::StaticClass());
    EXPECT_TRUE(TNode::StaticClass().InheritsFrom(classes::TPersistent::StaticClass()));
    EXPECT_FALSE(classes::TPersistent::StaticClass().InheritsFrom(TNode::StaticClass()));
    TClassInfo impostor("TNode", &classes::TComponent::StaticClass());
    try {
        classes::RegisterClass(impostor);
        ADD_FAILURE();
    } catch (const classes::EFilerError& e) {
        EXPECT_EQ(e.Message(), "A class named TNode already exists");
    }
    classes::RegisterClass(TNode::StaticClass());  // again: no effect
    classes::UnRegisterClass(TNode::StaticClass());
    EXPECT_EQ(classes::GetClass("TNode"), nullptr);
    try {
        classes::FindClass("TNode");
        ADD_FAILURE();
    } catch (const classes::EClassNotFound& e) {
        EXPECT_EQ(e.Message(), "Class TNode not found");
    }
}

TEST_F(Reflection, PropertiesListInheritedOnesFirstWithTheirKinds)
{
    const auto& props = TNode::StaticClass().Properties();
    ASSERT_GE(props.size(), 4u);
    EXPECT_EQ(props[0].name, "Name");
    EXPECT_FALSE(props[0].IsStored(TNode(nullptr)));
    EXPECT_EQ(props[1].name, "Tag");
    EXPECT_EQ(props[2].name, "Small");
    struct Case {
        const char* name;
        TTypeKind kind;
        const char* typeName;
    };
    const Case cases[] = {
        {"Word", TTypeKind::Integer, "Word"},       {"Big", TTypeKind::Int64, "Int64"},
        {"Letter", TTypeKind::Char, "Char"},        {"WideLetter", TTypeKind::WChar, "WideChar"},
        {"Enabled", TTypeKind::Enumeration, "Boolean"}, {"Shade", TTypeKind::Enumeration, "TShade"},
        {"Shades", TTypeKind::Set, "TShades"},      {"Ratio", TTypeKind::Float, "Single"},
        {"Stamp", TTypeKind::Float, "TDateTime"},   {"Price", TTypeKind::Float, "Currency"},
        {"Caption", TTypeKind::LString, "string"},  {"WideCaption", TTypeKind::WString, "WideString"},
        {"Data", TTypeKind::Variant, "Variant"},    {"Font", TTypeKind::Class, "TFont"},
        {"Buddy", TTypeKind::Class, "TNode"},       {"Lines", TTypeKind::Class, "TStrings"},
        {"OnChange", TTypeKind::Method, "TNotifyEvent"},
    };
    for (const Case& c : cases) {
        const classes::TPropInfo* p = TNode::StaticClass().FindProperty(c.name);
        ASSERT_NE(p, nullptr) << c.name;
        EXPECT_EQ(p->Kind(), c.kind) << c.name;
        EXPECT_EQ(p->type->TypeName(), c.typeName);
    }
    EXPECT_FALSE(TNode::StaticClass().FindProperty("Font")->IsWritable());
    EXPECT_TRUE(TNode::StaticClass().FindProperty("Buddy")->IsWritable());
}

TEST_F(Reflection, EnumerationNamesAndSetsRoundTrip)
{
    const classes::TTypeInfo& shade = sample::ShadeType();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(classes::GetEnumValue(shade, classes::GetEnumName(shade, i)), i);
    EXPECT_EQ(classes::GetEnumValue(shade, "SHGREEN"), 1);
    EXPECT_EQ(classes::GetEnumValue(shade, "shPink"), -1);
    const classes::TTypeInfo& shades = sample::ShadesType();
    for (std::int64_t set = 0; set < 8; ++set)
        EXPECT_EQ(classes::StringToSet(shades, classes::SetToString(shades, set, true)), set);
    EXPECT_EQ(classes::SetToString(shades, 5), "shRed,shBlue");
    EXPECT_EQ(classes::StringToSet(shades, " [ shBlue , shRed ] "), 5);
    try {
        classes::StringToSet(shades, "[shRed,shPink]");
        ADD_FAILURE();
    } catch (const classes::EPropertyError& e) {
        EXPECT_EQ(e.Message(), "Invalid property element: shPink");
    }
}

TEST_F(Reflection, DottedPathsReachSubObjects)
{
    TNode node(nullptr);
    classes::SetPropValue(node, "Font.Name", rtl::Variant("Tahoma"));
    classes::SetPropValue(node, "frame.leftline.width", rtl::Variant(4));
    EXPECT_EQ(node.Font()->name, "Tahoma");
    EXPECT_EQ(node.Frame()->LeftLine()->width, 4);
    EXPECT_EQ(classes::GetPropValue(node, "Frame.LeftLine.Width").ToInteger(), 4);
    EXPECT_EQ(classes::FindPropPath(node, "Frame.Missing.Width").prop, nullptr);
    EXPECT_EQ(classes::FindPropPath(node, "Caption.Length").prop, nullptr);
    EXPECT_EQ(classes::FindPropPath(node, "Buddy.Caption").prop, nullptr);  // no buddy
    try {
        classes::GetPropValue(node, "Font.Colour");
        ADD_FAILURE();
    } catch (const classes::EPropertyError& e) {
        EXPECT_EQ(e.Message(), "Property Font.Colour does not exist");
    }
}

TEST_F(Reflection, EveryKindThroughVariants)
{
    TNode node(nullptr);
    TNode buddy(nullptr);
    struct Case {
        const char* name;
        rtl::Variant value;
        rtl::VarTypeCode readType;
        std::string readText;
    };
    const Case cases[] = {
        {"Word", rtl::Variant(65535), rtl::varInteger, "65535"},
        {"Cardinal", rtl::Variant(std::int64_t(4000000000)), rtl::varLongWord, "4000000000"},
        {"Big", rtl::Variant(std::int64_t(-1) << 40), rtl::varInt64, "-1099511627776"},
        {"Letter", rtl::Variant("Q"), rtl::varString, "Q"},
        {"Enabled", rtl::Variant(false), rtl::varBoolean, "False"},
        {"Shade", rtl::Variant("shBlue"), rtl::varInteger, "2"},
        {"Shade", rtl::Variant(1), rtl::varInteger, "1"},
        {"Shades", rtl::Variant("[shGreen]"), rtl::varLongWord, "2"},
        {"Scale", rtl::Variant("2.5"), rtl::varDouble, "2.5"},
        {"Price", rtl::Variant(1.25), rtl::varCurrency, "1.25"},
        {"Caption", rtl::Variant(42), rtl::varString, "42"},
        {"WideCaption", rtl::Variant("abc"), rtl::varOleStr, "abc"},
        {"Data", rtl::Variant::Null(), rtl::varNull, ""},
        {"OnChange", rtl::Variant("Clicked"), rtl::varString, "Clicked"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        classes::SetPropValue(node, c.name, c.value);
        rtl::Variant read = classes::GetPropValue(node, c.name);
        EXPECT_EQ(read.Type(), c.readType);
        EXPECT_EQ(rtl::VarToStr(read), c.readText);
    }
    EXPECT_EQ(node.shade, TShade::Green);
    node.onChange(&node);
    EXPECT_EQ(node.clicks, 1);
    classes::SetPropValue(node, "Buddy", rtl::Variant::FromObject(&buddy));
    EXPECT_EQ(node.buddy, &buddy);
    EXPECT_EQ(classes::GetPropValue(node, "Buddy").ToObject(), &buddy);

    struct Bad {
        const char* name;
        rtl::Variant value;
        const char* message;
    };
    const Bad bad[] = {
        {"Byte", rtl::Variant(256), "Invalid property value"},
        {"Shade", rtl::Variant(3), "Invalid property value"},
        {"Shade", rtl::Variant("shPink"), "Invalid property value"},
        {"Letter", rtl::Variant("too long"), "Invalid property value"},
        {"Buddy", rtl::Variant::FromObject(node.Font()), "Invalid property value"},
        {"OnChange", rtl::Variant("Missing"), "Method Missing not found"},
        {"Font", rtl::Variant::FromObject(nullptr), "Property Font is read-only"},
    };
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.name);
        try {
            classes::SetPropValue(node, b.name, b.value);
            ADD_FAILURE() << "accepted";
        } catch (const classes::EPropertyError& e) {
            EXPECT_EQ(e.Message(), b.message);
        }
    }
    EXPECT_EQ(node.shade, TShade::Green);
    EXPECT_THROW(classes::SetPropValue(node, "Count", rtl::Variant("many")), rtl::Exception);
}

TEST_F(Reflection, EventsNameTheirPublishedMethod)
{
    TNode owner(nullptr);
    auto* child = new TNode(&owner);
    const classes::TPropInfo& onChange = *TNode::StaticClass().FindProperty("OnChange");
    classes::SetMethodProp(*child, onChange, &owner, "other");
    EXPECT_EQ(child->onChange, rtl::MethodOf<&TNode::Other>(&owner));
    EXPECT_EQ(TNode::StaticClass().MethodName(&owner, classes::GetMethodProp(*child, onChange)), "Other");
    EXPECT_EQ(TNode::StaticClass().MethodName(child, classes::GetMethodProp(*child, onChange)), "");
    // A handler bound in code to a method that is not published has no name.
    child->onChange = classes::TNotifyEvent::Of<&TNode::Unpublished>(&owner);
    EXPECT_EQ(classes::GetPropValue(*child, onChange).ToString(), "");
    classes::SetMethodProp(*child, onChange, &owner, "");
    EXPECT_FALSE(child->onChange);
}

}  // namespace
