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
    classes::TResourceStream stream("TTRANSLATIONFORM", classes::RT_RCDATA);
    classes::TReader reader(stream);
    reader.ReadRootComponent(this);
    trLingua1_ = dynamic_cast<TtrLingua*>(FindComponent("trLingua1"));
    if (!trLingua1_)
        throw rtl::EReadError("The stored data of TTranslationForm has no translation component trLingua1");
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
