#include "translation/ExtendedTranslations.h"

#include "platform/classes/Filer.h"
#include "platform/classes/Reflection.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Streams.h"
#include "translation/TranslationData.h"

#include <algorithm>

namespace translation {

const classes::TTypeInfo& PropertyTypeKindType()
{
    static const classes::TTypeInfo type = classes::EnumType(
        "TTypeKind", {"tkUnknown", "tkInteger", "tkChar", "tkEnumeration", "tkFloat", "tkString", "tkSet", "tkClass",
                      "tkMethod", "tkWChar", "tkLString", "tkWString", "tkVariant", "tkArray", "tkRecord",
                      "tkInterface", "tkInt64", "tkDynArray"});
    return type;
}

// --- one item ---

TtrExtendedItem::TtrExtendedItem(classes::TCollection* collection) : classes::TCollectionItem(collection) {}

const classes::TClassInfo& TtrExtendedItem::StaticClass()
{
    using I = TtrExtendedItem;
    static const classes::TClassInfo info("TtrExtendedItem", &classes::TCollectionItem::StaticClass(),
                                          [](classes::TClassInfo& c) {
        // The texts travel in "ValuesEx" (DefineProperties).
        classes::ClassBuilder<I>(c)
            .Property("IsRoot", &I::IsRoot).Stored(false)
            .Property("Identifier", &I::Identifier, &I::SetIdentifier)
            .Property("PropertyType", PropertyTypeKindType(), &I::PropertyType, &I::SetPropertyType)
            .Property("Values", &I::Values, &I::SetValues).Stored(false);
    });
    return info;
}

classes::TComponent* TtrExtendedItem::Window() const
{
    const auto* items = dynamic_cast<const TtrExtendedItems*>(Collection());
    return items ? items->Window() : nullptr;
}

bool TtrExtendedItem::IsRoot() const
{
    const classes::TComponent* window = Window();
    return window && Identifier().starts_with(window->ClassName() + ".");
}

std::string TtrExtendedItem::Identifier() const
{
    if (!related_)
        return identifier_;
    const std::size_t point = identifier_.find('.');
    const std::string path = point == std::string::npos ? std::string() : identifier_.substr(point);
    return (related_ == Window() ? related_->ClassName() : related_->Name()) + path;
}

std::string TtrExtendedItem::DisplayName() const
{
    std::string identifier = Identifier();
    return identifier.empty() ? classes::TCollectionItem::DisplayName() : identifier;
}

void TtrExtendedItem::Assign(const classes::TPersistent* source)
{
    const auto* item = dynamic_cast<const TtrExtendedItem*>(source);
    if (!item)
        return classes::TCollectionItem::Assign(source);
    identifier_ = item->Identifier();
    values_ = item->values_;
    propertyType_ = item->propertyType_;
}

void TtrExtendedItem::DefineProperties(classes::TFiler& filer)
{
    classes::TCollectionItem::DefineProperties(filer);
    const auto* ancestor = dynamic_cast<const TtrExtendedItem*>(filer.Ancestor());
    filer.DefineBinaryProperty(
        "ValuesEx",
        [this](rtl::TStream& stream) {
            std::string block(std::size_t(stream.Size()), '\0');
            stream.SetPosition(0);
            if (!block.empty())
                stream.ReadBuffer(block.data(), std::int64_t(block.size()));
            values_ = std::move(block);
        },
        [this](rtl::TStream& stream) { stream.WriteBuffer(values_.data(), std::int64_t(values_.size())); },
        !values_.empty() && (!ancestor || ancestor->values_ != values_));
}

// --- the collection ---

TtrExtendedItems::TtrExtendedItems(classes::TComponent* language)
    : classes::TCollection(TtrExtendedItem::StaticClass(), language, "ExtendedTranslations"), language_(language)
{
}

const classes::TClassInfo& TtrExtendedItems::StaticClass()
{
    static const classes::TClassInfo info("TtrExtendedItems", &classes::TCollection::StaticClass());
    return info;
}

TtrExtendedItem& TtrExtendedItems::Add()
{
    return static_cast<TtrExtendedItem&>(*classes::TCollection::Add());
}

TtrExtendedItem* TtrExtendedItems::Items(int index) const
{
    return static_cast<TtrExtendedItem*>(classes::TCollection::Items(index));
}

TtrExtendedItem* TtrExtendedItems::FindByIdentifier(std::string_view identifier) const
{
    for (int i = 0; i < Count(); ++i)
        if (rtl::AnsiSameText(Items(i)->Identifier(), identifier))
            return Items(i);
    return nullptr;
}

void TtrExtendedItems::Relink()
{
    classes::TComponent* window = Window();
    for (int i = Count() - 1; i >= 0; --i) {
        TtrExtendedItem& item = *Items(i);
        const std::string identifier = item.Identifier();
        classes::TComponent* target = nullptr;
        if (window && identifier.starts_with(window->ClassName() + "."))
            target = window;
        else if (window)
            target = window->FindComponent(std::string_view(identifier).substr(0, identifier.find('.')));
        if (!target) {
            Delete(i);
            continue;
        }
        item.SetIdentifier(identifier);
        item.SetRelatedComponent(target);
    }
}

void TtrExtendedItems::ComponentRemoved(classes::TComponent* component)
{
    const std::string prefix = component->Name() + ".";
    for (int i = Count() - 1; i >= 0; --i) {
        const TtrExtendedItem& item = *Items(i);
        if (item.RelatedComponent() == component
            || (!component->Name().empty() && item.Identifier().starts_with(prefix)))
            Delete(i);
    }
}

void TtrExtendedItems::RenameComponent(const std::string& oldName, const std::string& newName)
{
    const std::string prefix = oldName + ".";
    for (int i = 0; i < Count(); ++i) {
        TtrExtendedItem& item = *Items(i);
        const std::string identifier = item.Identifier();
        if (identifier.starts_with(prefix))
            item.SetIdentifier(newName + identifier.substr(oldName.size()));
    }
}

void TtrExtendedItems::ReplaceDelimiter(char oldDelimiter, char newDelimiter)
{
    for (int i = 0; i < Count(); ++i) {
        std::string values = Items(i)->Values();
        std::replace(values.begin(), values.end(), oldDelimiter, newDelimiter);
        Items(i)->SetValues(values);
    }
}

void TtrExtendedItems::ConvertTabDelimitedValues(char delimiter)
{
    for (int i = 0; i < Count(); ++i) {
        std::string values = Items(i)->Values();
        if (ConvertTabDelimitedLine(values, delimiter))
            Items(i)->SetValues(values);
    }
}

}  // namespace translation
