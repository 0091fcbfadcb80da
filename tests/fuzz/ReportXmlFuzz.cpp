// Feeds arbitrary bytes to the report library's XML reader. A refusal is the only acceptable failure; a
// document that is read must read the same whole and partially (with every unloadable item loaded), and
// what the writer makes of it, with and without unloaded items, must read back as the same tree.
#include "report/rptXML.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

using report::TrptXMLDocument;
using report::TrptXMLItem;

std::string Tree(const TrptXMLItem& item)
{
    std::string tree = item.Name() + "[" + item.Text() + "]{";
    for (int i = 0; i < item.Count(); ++i)
        tree += Tree(item.Items(i));
    return tree + "}";
}

void LoadEverything(TrptXMLDocument& document, TrptXMLItem& item)
{
    document.LoadItem(item);
    for (int i = 0; i < item.Count(); ++i)
        LoadEverything(document, item.Items(i));
}

void UnloadEverything(TrptXMLDocument& document, TrptXMLItem& item)
{
    for (int i = 0; i < item.Count(); ++i)
        UnloadEverything(document, item.Items(i));
    document.UnloadItem(item);
}

std::string Saved(const TrptXMLDocument& document)
{
    rtl::TStringStream stream;
    document.SaveToStream(stream);
    return stream.DataString();
}

std::string ReadBack(const std::string& text)
{
    TrptXMLDocument document;
    rtl::TStringStream stream(text);
    document.LoadFromStream(stream);
    return Tree(document.Root());
}

void Expect(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    TrptXMLDocument whole;
    try {
        rtl::TStringStream stream(input);
        whole.LoadFromStream(stream);
    } catch (const report::TrptInvalidXMLException&) {
        return 0;
    }
    const std::string tree = Tree(whole.Root());
    Expect(ReadBack(Saved(whole)) == tree);
    whole.SetIndented(true);
    Expect(ReadBack(Saved(whole)) == tree);

    TrptXMLDocument partial;
    partial.LoadPartially(std::make_unique<rtl::TStringStream>(input));
    const std::string unloaded = Saved(partial);
    Expect(ReadBack(unloaded) == tree);
    LoadEverything(partial, partial.Root());
    Expect(Tree(partial.Root()) == tree);
    UnloadEverything(partial, partial.Root());
    Expect(Saved(partial) == unloaded);
    LoadEverything(partial, partial.Root());
    Expect(Tree(partial.Root()) == tree);
    return 0;
}
