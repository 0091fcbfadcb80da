#pragma once
// The dispatcher whose linked translation components share their lists. The component's look-ups
// themselves are members of TtrCustomLang (Lang.h), defined in Lookup.cpp; they read the fields of
// translation lines with GetDelimitedField (LangStrUtils.h) and, at run time, the sorted collection
// StringsLookup (SortedStrings.h).

#include "platform/classes/Component.h"

#include <vector>

namespace translation {

class TtrCustomLang;

// A dispatcher the translation components of several windows link to. A component whose options ask
// for shared lists takes its dialog captions, locales or strings from the first other linked component
// that has them.
class TLanguageDispatcher : public classes::TComponent {
public:
    using classes::TComponent::TComponent;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Linked components, in the order they linked.
    virtual std::vector<TtrCustomLang*> LinkedLanguages() const = 0;
    virtual void Link(TtrCustomLang& language) = 0;
    virtual void Unlink(TtrCustomLang& language) = 0;

    // The settings a component takes from its dispatcher while its window is read, before it links.
    virtual int NumOfLanguages() const = 0;
    virtual int DefaultLanguage() const = 0;
    virtual bool UseDefaultLanguage() const = 0;
};

}  // namespace translation
