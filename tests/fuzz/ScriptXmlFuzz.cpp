// Loads arbitrary bytes as a script XML document: "Invalid file format" is the only acceptable failure,
// and a loaded document, saved, loaded and saved again, gives the same bytes, indented or not.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "report/script/sc_xml.h"
#include "tests/support/ScriptHost.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    script::TscXMLDocument document;
    rtl::TStringStream input(std::string(reinterpret_cast<const char*>(data), size));
    try {
        document.LoadFromStream(input);
    } catch (const rtl::Exception& e) {
        if (e.Message() != "Invalid file format") {
            std::fprintf(stderr, "unexpected failure: %s\n", e.what());
            std::abort();
        }
        return 0;
    }
    for (bool indent : {false, true}) {
        document.IndentOutput = indent;
        const std::string saved = testsupport::SavedText(document);
        script::TscXMLDocument reloaded;
        reloaded.IndentOutput = indent;
        rtl::TStringStream again(saved);
        reloaded.LoadFromStream(again);
        if (testsupport::SavedText(reloaded) != saved) {
            std::fprintf(stderr, "saving, loading and saving again changed the document\n");
            std::abort();
        }
    }
    return 0;
}
