#include "report/rptUnicodeUtils.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/Reflection.h"
#include "platform/rtl/Charsets.h"
#include "platform/rtl/CodePage.h"

#include <cerrno>

namespace report {

namespace {

// The runtime's page for a page number the conversions take; 0 when there is no table for it.
int TablePage(int codePage)
{
    if (codePage == CP_OEMCP)
        return rtl::OemCodePage();
    return codePage != 0 && rtl::IsSupportedCodePage(codePage) ? codePage : 0;
}

}  // namespace

const classes::TClassInfo& TrptWideStringList::StaticClass()
{
    static const classes::TClassInfo info("TrptWideStringList", &classes::TPersistent::StaticClass());
    return info;
}

void TrptWideStringList::Assign(const classes::TPersistent* source)
{
    auto* list = dynamic_cast<const TrptWideStringList*>(source);
    if (!list)
        return TPersistent::Assign(source);
    if (list == this)
        return;
    Clear();
    for (int i = 0; i < list->Count(); ++i)
        AddObject(list->Strings(i), list->Objects(i));
}

void TrptWideStringList::DefineProperties(classes::TFiler& filer)
{
    filer.DefineProperty(
        "UTF8",
        [this](classes::TReader& reader) {
            reader.ReadListBegin();
            Clear();
            while (!reader.EndOfList())
                Add(rtl::Utf8ToWide(reader.ReadString()));
            reader.ReadListEnd();
        },
        [this](classes::TWriter& writer) {
            writer.WriteListBegin();
            for (int i = 0; i < Count(); ++i)
                writer.WriteString(rtl::WideToUtf8(Strings(i)));
            writer.WriteListEnd();
        },
        Count() > 0);
    filer.DefineProperty(
        "Strings",
        [this](classes::TReader& reader) {
            reader.ReadListBegin();
            Clear();
            while (!reader.EndOfList()) {
                const classes::TValueType type = reader.NextValue();
                if (type == classes::TValueType::WString || type == classes::TValueType::UTF8String)
                    Add(reader.ReadWideString());
                else
                    Add(rtl::AnsiToWide(reader.ReadString()));
            }
            reader.ReadListEnd();
        },
        nullptr, false);
}

std::string rptOemToAnsiStr(std::string_view text)
{
    return rtl::WideToAnsi(rtl::AnsiToWide(text, rtl::OemCodePage()));
}

int rptCharsetToCodePage(int charset)
{
    switch (charset) {
    case rtl::DEFAULT_CHARSET: return rtl::AnsiCodePage();
    case rtl::MAC_CHARSET: return CP_MACCP;
    case rtl::OEM_CHARSET: return CP_OEMCP;
    default: break;
    }
    int codePage = 0;
    if (!rtl::TryCharsetToCodePage(charset, codePage))
        rtl::RaiseLastOSError(EINVAL);
    return codePage;
}

std::u16string rptMultiByteToWide(std::string_view text, int charset, int codePage)
{
    if (codePage == 0)
        codePage = rptCharsetToCodePage(charset);
    std::u16string wide;
    if (codePage == CP_UTF8) {
        if (!rtl::TryUtf8ToWide(text, wide))
            wide.clear();
    } else if (const int page = TablePage(codePage)) {
        wide = rtl::AnsiToWide(text, page);
    }
    return wide;
}

std::string rptWideToMultiByte(std::u16string_view text, int charset, int codePage)
{
    if (codePage == 0)
        codePage = rptCharsetToCodePage(charset);
    if (codePage == CP_UTF8)
        return rtl::WideToUtf8(text);
    const int page = TablePage(codePage);
    return page ? rtl::WideToAnsi(text, page) : std::string();
}

int rptCharsetToLocale(int charset)
{
    return rtl::CharsetToLocale(charset);
}

}  // namespace report
