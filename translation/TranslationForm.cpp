#include "translation/TranslationForm.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/Resources.h"
#include "platform/rtl/Exceptions.h"
#include "translation/Lingua.h"

namespace translation {

namespace {

TTranslationForm* instance = nullptr;

}  // namespace

TTranslationForm::TTranslationForm(classes::TComponent* owner) : classes::TComponent(owner)
{
    trLingua1_ = &ReadStoredWindow(*this, "TTranslationForm");
    if (!instance)
        instance = this;
}

TTranslationForm::~TTranslationForm()
{
    if (instance == this)
        instance = nullptr;
}

const classes::TClassInfo& TTranslationForm::StaticClass()
{
    static const classes::TClassInfo info("TTranslationForm", &classes::TComponent::StaticClass());
    return info;
}

TtrLingua& ReadStoredWindow(classes::TComponent& root, std::string_view windowClass)
{
    classes::TResourceStream stream(windowClass, classes::RT_RCDATA);
    classes::TReader reader(stream);
    reader.ReadRootComponent(&root);
    auto* lingua = dynamic_cast<TtrLingua*>(root.FindComponent("trLingua1"));
    if (!lingua)
        throw rtl::EReadError("The stored data of " + std::string(windowClass)
                              + " has no translation component trLingua1");
    return *lingua;
}

TTranslationForm* TranslationForm()
{
    return instance;
}

std::string TranslationFormText(std::string_view identifier)
{
    if (!instance)
        throw rtl::EInvalidOperation("The translation window does not exist: texts of \"" + std::string(identifier)
                                     + "\" cannot be looked up");
    return instance->trLingua1()->LookupStringOrDefault(identifier);
}

}  // namespace translation
