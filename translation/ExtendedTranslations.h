#pragma once
// Extended translations: translations of any published property that a path from the window reaches
// (a sub-object's, a collection item's), which the line lists cannot hold. An item names its property
// by the path, the window's class name or a component's name first:
//
//     Label1.Font.Name        TForm1.Caption        ListView1.Columns[0].Caption
//
// and holds one text per language, each followed by the translation component's delimiter. The items
// travel in the window's stored data as the component's ExtendedTranslations collection, their texts
// in the binary property "ValuesEx".

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/TypeInfo.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace translation {

// The kind of the target property, as the stored data names it.
enum class TPropertyTypeKind : std::uint8_t {
    tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod, tkWChar,
    tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray
};
const classes::TTypeInfo& PropertyTypeKindType();

class TtrExtendedItems;

class TtrExtendedItem : public classes::TCollectionItem {
public:
    explicit TtrExtendedItem(classes::TCollection* collection);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The path begins with the window's class name and a point.
    bool IsRoot() const;
    // With a related component, the path follows that component's current name (the window's class
    // name for the window itself); without one it is the stored text.
    std::string Identifier() const;
    void SetIdentifier(const std::string& value) { identifier_ = value; }
    TPropertyTypeKind PropertyType() const { return propertyType_; }
    void SetPropertyType(TPropertyTypeKind value) { propertyType_ = value; }
    // Language k's text is field k - 1; every text is followed by the delimiter.
    const std::string& Values() const { return values_; }
    void SetValues(const std::string& value) { values_ = value; }

    // The component the path names; not owned (the translation component forgets it when it goes).
    classes::TComponent* RelatedComponent() const { return related_; }
    void SetRelatedComponent(classes::TComponent* component) { related_ = component; }

    std::string DisplayName() const override;
    // Copies the identifier, the texts and the property kind of another item.
    void Assign(const classes::TPersistent* source) override;
    void DefineProperties(classes::TFiler& filer) override;

private:
    // The translation component's window, or null.
    classes::TComponent* Window() const;

    std::string identifier_;
    TPropertyTypeKind propertyType_ = TPropertyTypeKind::tkUnknown;
    std::string values_;
    classes::TComponent* related_ = nullptr;
};

class TtrExtendedItems : public classes::TCollection {
public:
    // language is the translation component that owns the collection; its owner is the window.
    explicit TtrExtendedItems(classes::TComponent* language);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TtrExtendedItem& Add();
    TtrExtendedItem* Items(int index) const;
    // The first item whose identifier equals the text, case ignored; null when none.
    TtrExtendedItem* FindByIdentifier(std::string_view identifier) const;
    classes::TComponent* Window() const { return language_->Owner(); }

    // Each item is linked to the component its path names first (the window for the window's class
    // name); an item whose component no longer exists is deleted.
    void Relink();
    // The items of a component that goes (by their path, or linked to it) are deleted.
    void ComponentRemoved(classes::TComponent* component);
    // Every path of the renamed component (a prefix oldName + ".") takes the new name.
    void RenameComponent(const std::string& oldName, const std::string& newName);
    // Every delimiter byte in the texts becomes the new one.
    void ReplaceDelimiter(char oldDelimiter, char newDelimiter);
    // Texts stored with TAB as the delimiter (older tables) take the delimiter; texts that hold it
    // already keep their TABs.
    void ConvertTabDelimitedValues(char delimiter);

private:
    classes::TComponent* language_;
};

}  // namespace translation
