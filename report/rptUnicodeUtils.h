#pragma once
// Wide-text helpers of the report library: the wide string list with its UTF-8 stored form, and
// conversions between character sets, code pages, locales and 8-bit or UTF-16 text.

#include "platform/classes/Persistent.h"
#include "platform/rtl/StringList.h"

#include <string>
#include <string_view>

namespace report {

// Code pages the conversions take besides the ANSI and OEM pages of the runtime: the OEM page of the
// process (CP_OEMCP), the Macintosh page (CP_MACCP, for which there is no table) and UTF-8.
constexpr int CP_OEMCP = 1;
constexpr int CP_MACCP = 2;
constexpr int CP_UTF8 = 65001;

// A list of wide lines that stores itself as "UTF8": a list of 8-bit strings, each line UTF-8 encoded
// (written when the list is not empty). It also reads the older "Strings" form: a list whose 8-bit
// entries are widened through the process code page and whose wide entries are taken as they are.
class TrptWideStringList : public classes::TPersistent, public rtl::TWideStringList {
public:
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Copies the lines of another wide string list.
    void Assign(const classes::TPersistent* source) override;

protected:
    void DefineProperties(classes::TFiler& filer) override;
};

// The same number of bytes, each OEM character (in the OEM page of the process code page) as the ANSI
// character of the process page, or "?" where that page has none.
std::string rptOemToAnsiStr(std::string_view text);

// The code page of a character set: DEFAULT_CHARSET gives the process ANSI page, MAC_CHARSET CP_MACCP,
// OEM_CHARSET CP_OEMCP, the others the system's page of the set. A set the system knows no page for
// raises EOSError.
int rptCharsetToCodePage(int charset);

// 8-bit text in the code page (0: the page of the character set) to wide text and back. Text the
// conversion cannot make, and empty text, give an empty result; characters the target page lacks become
// "?" when converting to 8-bit text.
std::u16string rptMultiByteToWide(std::string_view text, int charset, int codePage = 0);
std::string rptWideToMultiByte(std::u16string_view text, int charset, int codePage = 0);

// The locale that writes a character set (1041 for SHIFTJIS_CHARSET ...); the current locale for the
// others.
int rptCharsetToLocale(int charset);

}  // namespace report
