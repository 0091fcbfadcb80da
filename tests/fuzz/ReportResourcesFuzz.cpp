// Feeds arbitrary bytes to the report library's string table reader: a malformed document or an unknown
// code page is refused and adds nothing; anything else is added and every text can be handed out.
#include "platform/rtl/Exceptions.h"
#include "report/rptRes.h"
#include "report/rptXML.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    report::TrptResources resources;
    resources.Add("probe", u"unchanged");
    try {
        resources.AddStrings(input);
    } catch (const report::TrptInvalidXMLException&) {
        if (resources.Get("probe") != "unchanged" || resources.CodePage() != 0)
            std::abort();
        return 0;
    } catch (const rtl::EConvertError&) {
        if (resources.Get("probe") != "unchanged" || resources.CodePage() != 0)
            std::abort();
        return 0;
    }
    report::TrptXMLDocument document;
    rtl::TStringStream stream(input);
    document.LoadFromStream(stream);
    for (int i = 0; i < document.Root().Count(); ++i)
        resources.Get(document.Root().Items(i).Prop("Name"));
    return 0;
}
