#include "translation/TranslationForm.h"

#include "platform/classes/BinaryReader.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/Resources.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "translation/Lingua.h"

#include <optional>

namespace translation {

namespace {

TTranslationForm* instance = nullptr;

// Walks a window's stored data without making anything: component headers, properties and children
// are stepped over, so data of classes this library does not know can be read past.
class StoredDataWalker : public classes::TBinaryReader {
public:
    explicit StoredDataWalker(rtl::TStream& stream) : TBinaryReader(stream) {}

    void ReadSignature()
    {
        char signature[4] = {};
        Read(signature, sizeof signature);
        if (std::string_view(signature, sizeof signature) != "RVF0")
            throw rtl::EReadError("Invalid stream format");
    }
    // The optional prefix, the class name and the name; answers the name.
    std::string ReadHeader()
    {
        std::uint8_t byte = 0;
        Read(&byte, 1);
        if ((byte & classes::kPrefixMark) != classes::kPrefixMark)
            Stream().Seek(-1, rtl::SeekOrigin::Current);
        else if (byte & classes::kPrefixChildPos)
            ReadInteger();
        ReadStr();
        return ReadStr();
    }
    void SkipProperties()
    {
        while (!EndOfList()) {
            ReadStr();
            SkipValue();
        }
        CheckValue(classes::TValueType::Null);
    }
    void SkipComponent(int depth = 0)
    {
        if (depth > kMaxDepth)
            InvalidValue();
        ReadHeader();
        SkipProperties();
        while (!EndOfList())
            SkipComponent(depth + 1);
        CheckValue(classes::TValueType::Null);
    }
    // Steps over one component and its children; the first one named trLingua1 met on the way is kept
    // whole in table.
    void FindTable(std::optional<std::string>& table, int depth = 0)
    {
        if (depth > kMaxDepth)
            InvalidValue();
        const std::int64_t start = Stream().Position();
        if (ReadHeader() == "trLingua1" && !table) {
            Stream().SetPosition(start);
            SkipComponent(depth);
            table = Bytes(start, Stream().Position());
            return;
        }
        SkipProperties();
        while (!EndOfList())
            FindTable(table, depth + 1);
        CheckValue(classes::TValueType::Null);
    }
    std::string Bytes(std::int64_t from, std::int64_t to)
    {
        const std::int64_t back = Stream().Position();
        Stream().SetPosition(from);
        std::string bytes(std::size_t(to - from), '\0');
        Read(bytes.data(), bytes.size());
        Stream().SetPosition(back);
        return bytes;
    }
};

// The stored data cut down to the root's header and its translation component: the root's properties
// and the other components are left out, so the table reads into a plain component even where the
// window's own classes are not linked in. Nothing when the window has no trLingua1.
std::optional<std::string> TableOfStoredWindow(rtl::TStream& stream)
{
    StoredDataWalker walker(stream);
    walker.ReadSignature();
    const std::int64_t rootStart = stream.Position();
    walker.ReadHeader();
    const std::string rootHeader = walker.Bytes(rootStart, stream.Position());
    walker.SkipProperties();
    std::optional<std::string> table;
    while (!walker.EndOfList())
        walker.FindTable(table);
    if (!table)
        return std::nullopt;
    const char null = char(classes::TValueType::Null);
    return "RVF0" + rootHeader + null + *table + null;
}

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
    const std::optional<std::string> table = TableOfStoredWindow(stream);
    TtrLingua* lingua = nullptr;
    if (table) {
        rtl::TStringStream tableStream(*table);
        classes::TReader reader(tableStream);
        reader.ReadRootComponent(&root);
        lingua = dynamic_cast<TtrLingua*>(root.FindComponent("trLingua1"));
    }
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
