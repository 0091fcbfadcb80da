#pragma once
// A component with a property of each picture kind, as the controls of the next libraries will hold them,
// and the round trip of components through their stored form.

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/TextForm.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Icon.h"
#include "platform/gui/graphics/Metafile.h"
#include "platform/gui/graphics/Picture.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

namespace guitest {

class TGraphicsHolder : public classes::TComponent {
public:
    explicit TGraphicsHolder(classes::TComponent* owner) : TComponent(owner) {}

    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TGraphicsHolder", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TGraphicsHolder>(c)
                .Property("Picture", &TGraphicsHolder::Picture, &TGraphicsHolder::SetPicture)
                .Property("Glyph", &TGraphicsHolder::Glyph, &TGraphicsHolder::SetGlyph)
                .Property("Icon", &TGraphicsHolder::Icon, &TGraphicsHolder::SetIcon)
                .Property("Metafile", &TGraphicsHolder::Metafile, &TGraphicsHolder::SetMetafile);
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Like a data module, it stores the components it owns.
    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root) override
    {
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->HasParent() && Components(i)->Owner() == root)
                proc(Components(i));
    }

    gui::TPicture* Picture() const { return picture_.get(); }
    void SetPicture(gui::TPicture* value) { picture_->Assign(value); }
    gui::TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(gui::TBitmap* value) { glyph_->Assign(value); }
    gui::TIcon* Icon() const { return icon_.get(); }
    void SetIcon(gui::TIcon* value) { icon_->Assign(value); }
    gui::TMetafile* Metafile() const { return metafile_.get(); }
    void SetMetafile(gui::TMetafile* value) { metafile_->Assign(value); }

private:
    std::unique_ptr<gui::TPicture> picture_ = std::make_unique<gui::TPicture>(this);
    std::unique_ptr<gui::TBitmap> glyph_ = std::make_unique<gui::TBitmap>();
    std::unique_ptr<gui::TIcon> icon_ = std::make_unique<gui::TIcon>();
    std::unique_ptr<gui::TMetafile> metafile_ = std::make_unique<gui::TMetafile>();
};

// The text form of a component tree.
inline std::string TextOf(classes::TComponent& root)
{
    rtl::TMemoryStream binary;
    classes::TWriter(binary).WriteRootComponent(&root);
    return classes::ObjectBinaryToText(std::string_view(binary.Memory(), std::size_t(binary.Size())));
}

// Reads a text form into root (or a new component of its class, with root null).
inline classes::TComponent* ReadText(const std::string& text, classes::TComponent* root)
{
    const std::string bytes = classes::ObjectTextToBinary(text);
    rtl::TMemoryStream in;
    in.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    in.SetPosition(0);
    return classes::TReader(in).ReadRootComponent(root);
}

// A stored value replaced by a name its type does not have, and what the reader's error must name.
struct WrongValue {
    const char* value;
    const char* wrong;
    const char* component;
    const char* property;
};

// Reads form once per case with the case's value replaced: each read fails naming component and property.
inline void ExpectWrongValuesRefused(const std::string& form, std::initializer_list<WrongValue> cases)
{
    for (const WrongValue& c : cases) {
        std::string text = form;
        text.replace(text.find(c.value), std::string(c.value).size(), c.wrong);
        try {
            std::unique_ptr<classes::TComponent> root(ReadText(text, nullptr));
            ADD_FAILURE() << c.wrong << " read";
        } catch (const rtl::Exception& e) {
            EXPECT_NE(e.Message().find(c.property), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find(c.component), std::string::npos) << e.Message();
        }
    }
}

// The bytes of a picture as its class saves them.
inline std::string SavedBytes(gui::TGraphic& graphic)
{
    rtl::TMemoryStream stream;
    graphic.SaveToStream(stream);
    return std::string(stream.Memory(), std::size_t(stream.Size()));
}

// Text-form hex of bytes, as a binary value is written.
inline std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (char c : bytes) {
        text += digits[(static_cast<unsigned char>(c) >> 4) & 15];
        text += digits[static_cast<unsigned char>(c) & 15];
    }
    return text;
}

}  // namespace guitest
