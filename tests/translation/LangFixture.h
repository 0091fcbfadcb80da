#pragma once
// A data-module-like owner for translation components, and its stored data: the text form of the
// module with one TtrLingua, followed by the component's TranslationData block.

#include "platform/classes/BinaryWriter.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/Reflection.h"
#include "platform/classes/TextForm.h"
#include "platform/rtl/Streams.h"
#include "translation/Lingua.h"
#include "translation/Translation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace translation_test {

class TSampleModule : public classes::TComponent {
public:
    using classes::TComponent::TComponent;
    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TSampleModule", &classes::TComponent::StaticClass());
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    translation::TtrLingua* Lingua() const { return dynamic_cast<translation::TtrLingua*>(FindComponent("trLingua1")); }

    // Stored with the components it owns, as a data module is.
    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent*) override
    {
        for (int i = 0; i < ComponentCount(); ++i)
            proc(Components(i));
    }
};

// A component that counts its apply passes and lets tests finish its loading.
class TCountingLingua : public translation::TtrLingua {
public:
    using translation::TtrLingua::TtrLingua;
    using translation::TtrLingua::Loaded;
    int applies = 0;

protected:
    void ApplyLanguage() override { ++applies; }
};

// The block as the stored data carries it: "stCaptions" CR LF, then the section's lines each with CR LF.
inline std::string Block(std::initializer_list<std::string> lines)
{
    std::string block;
    for (const std::string& line : lines)
        block += line + "\r\n";
    return block;
}

// Reads a module's text form into module, the block appended to the stored properties of its TtrLingua.
inline void ReadModuleText(const std::string& text, const std::string& block, classes::TComponent& module)
{
    std::string binary = classes::ObjectTextToBinary(text, [&](const std::string& className, const std::string&,
                                                               classes::TBinaryWriter& writer) {
        if (className != "TtrLingua")
            return;
        writer.WriteStr("TranslationData");
        writer.WriteBinary(block);
    });
    rtl::TMemoryStream stream;
    stream.WriteBuffer(binary.data(), std::int64_t(binary.size()));
    stream.Seek(0, rtl::SeekOrigin::Beginning);
    classes::TReader(stream).ReadRootComponent(&module);
}

// The module read from its text form, the component's properties given as text-form lines, the block
// appended to the component's stored properties.
inline std::unique_ptr<TSampleModule> LoadModule(const std::string& linguaProperties, const std::string& block,
                                                 TSampleModule* existing = nullptr)
{
    std::unique_ptr<TSampleModule> module(existing ? existing : new TSampleModule(nullptr));
    ReadModuleText("object SampleModule: TSampleModule\n  object trLingua1: TtrLingua\n" + linguaProperties
                       + "  end\nend\n",
                   block, *module);
    return module;
}

// A translation line written with "|" for the delimiter byte 1.
inline std::string L(std::string line)
{
    std::replace(line.begin(), line.end(), '|', '\x01');
    return line;
}

// The lines of a list, one per text line, the delimiter byte 1 shown as "|".
inline std::string Lines(const rtl::TStrings& list)
{
    std::string text;
    for (int i = 0; i < list.Count(); ++i)
        text += list.Strings(i) + "\n";
    std::replace(text.begin(), text.end(), '\x01', '|');
    return text;
}

class TranslationTest : public ::testing::Test {
protected:
    void SetUp() override { translation::initialize(); }
    void TearDown() override { translation::finalize(); }
};

}  // namespace translation_test
