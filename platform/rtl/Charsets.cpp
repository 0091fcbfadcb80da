#include "platform/rtl/Charsets.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/FormatSettings.h"

namespace rtl {

namespace {

constexpr CharsetEntry kCharsets[] = {
    {"ANSI_CHARSET", ANSI_CHARSET},
    {"DEFAULT_CHARSET", DEFAULT_CHARSET},
    {"SYMBOL_CHARSET", SYMBOL_CHARSET},
    {"MAC_CHARSET", MAC_CHARSET},
    {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET},
    {"HANGEUL_CHARSET", HANGEUL_CHARSET},
    {"JOHAB_CHARSET", JOHAB_CHARSET},
    {"GB2312_CHARSET", GB2312_CHARSET},
    {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET},
    {"GREEK_CHARSET", GREEK_CHARSET},
    {"TURKISH_CHARSET", TURKISH_CHARSET},
    {"VIETNAMESE_CHARSET", VIETNAMESE_CHARSET},
    {"HEBREW_CHARSET", HEBREW_CHARSET},
    {"ARABIC_CHARSET", ARABIC_CHARSET},
    {"BALTIC_CHARSET", BALTIC_CHARSET},
    {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
    {"THAI_CHARSET", THAI_CHARSET},
    {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
    {"OEM_CHARSET", OEM_CHARSET},
};

struct CharsetCodePage {
    int charset;
    int codePage;
    int lcid;   // 0: the current locale's
};

constexpr CharsetCodePage kCodePages[] = {
    {ANSI_CHARSET, 1252, 0},         {SYMBOL_CHARSET, 42, 0},          {SHIFTJIS_CHARSET, 932, 1041},
    {HANGEUL_CHARSET, 949, 1042},    {JOHAB_CHARSET, 1361, 2066},      {GB2312_CHARSET, 936, 2052},
    {CHINESEBIG5_CHARSET, 950, 3076}, {GREEK_CHARSET, 1253, 1032},     {TURKISH_CHARSET, 1254, 1055},
    {VIETNAMESE_CHARSET, 1258, 1066}, {HEBREW_CHARSET, 1255, 1037},    {ARABIC_CHARSET, 1256, 13313},
    {BALTIC_CHARSET, 1257, 1061},    {RUSSIAN_CHARSET, 1251, 1049},    {THAI_CHARSET, 874, 1054},
    {EASTEUROPE_CHARSET, 1250, 1029},
};

const CharsetCodePage* FindCharset(int charset)
{
    for (const CharsetCodePage& entry : kCodePages)
        if (entry.charset == charset)
            return &entry;
    return nullptr;
}

}  // namespace

std::span<const CharsetEntry> CharsetTable()
{
    return kCharsets;
}

std::optional<int> CharsetFromName(std::string_view name)
{
    for (const CharsetEntry& entry : kCharsets)
        if (entry.name == name)
            return entry.charset;
    return std::nullopt;
}

std::string_view CharsetToName(int charset)
{
    for (const CharsetEntry& entry : kCharsets)
        if (entry.charset == charset)
            return entry.name;
    return {};
}

bool TryCharsetToCodePage(int charset, int& codePage)
{
    const CharsetCodePage* entry = FindCharset(charset);
    if (entry == nullptr)
        return false;
    codePage = entry->codePage;
    return true;
}

int CharsetToCodePage(int charset)
{
    int codePage;
    return TryCharsetToCodePage(charset, codePage) ? codePage : AnsiCodePage();
}

int CodePageToCharset(int codePage)
{
    for (const CharsetCodePage& entry : kCodePages)
        if (entry.codePage == codePage)
            return entry.charset;
    return DEFAULT_CHARSET;
}

int CharsetToLocale(int charset)
{
    const CharsetCodePage* entry = FindCharset(charset);
    return entry != nullptr && entry->lcid != 0 ? entry->lcid : CurrentLocaleSource().Lcid();
}

}  // namespace rtl
