#pragma once
// TTranslationForm: the hidden window whose string table serves code that has no window of its own
// (the project file's messages, the mail routine's result texts). It is created once at start-up,
// never shown, and read from its stored data, the resource "TTRANSLATIONFORM", whose one TtrLingua
// "trLingua1" holds the table. Until the GUI library's windows exist it is a plain root component.

#include "platform/classes/Component.h"

#include <string>
#include <string_view>

namespace translation {

class TtrLingua;

class TTranslationForm : public classes::TComponent {
public:
    // Reads the stored data; EResNotFound when the program's resources lack it, the reader's error
    // when they are damaged. The first instance becomes the program's (TranslationForm()).
    explicit TTranslationForm(classes::TComponent* owner);
    ~TTranslationForm() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TtrLingua* trLingua1() const { return trLingua1_; }

private:
    TtrLingua* trLingua1_ = nullptr;
};

// Reads the translation component "trLingua1" of a window class's stored data, the resource named after
// the class ("TFANFORM"), into root, which stands for the window, and answers it. The window's other
// components and its own properties are stepped over, so code that only looks texts up needs none of
// the window's control classes.
// EResNotFound when the program's resources lack the window, the reader's error when they are damaged,
// EReadError when the window has no trLingua1.
TtrLingua& ReadStoredWindow(classes::TComponent& root, std::string_view windowClass);

// The program's instance, or null before it is created and after it is gone.
TTranslationForm* TranslationForm();
// The text of identifier in its string table (empty when the table lacks it); rtl::EInvalidOperation
// when the window does not exist.
std::string TranslationFormText(std::string_view identifier);

}  // namespace translation
