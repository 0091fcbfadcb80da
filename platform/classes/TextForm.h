#pragma once
// The text form of stored component data, converted to and from the binary form (ComponentWriter.h)
// without creating any component, so data of classes that are not registered converts too.
//
//   object Form1: TForm1                 "inherited" or "inline" (or "inherited inline") for the
//     Caption = 'Main'#13#10'window'     prefix flags, "[n]" after the class for the child position;
//     Font.Style = [fsBold, fsItalic]    an unnamed component is "object TClass"
//     Items.Strings = (
//       'one'
//       'two')
//     Columns = <
//       item
//         Width = 64
//       end>
//     Data = {
//       0A0B0C0D}
//     OnClick = Button1Click
//     object Button1: TButton
//     end
//   end
//
// Values keep their exact kind, so binary -> text -> binary gives the same bytes:
//   integers   decimal (or $hex on input) in the smallest kind that holds them; a wider stored kind
//              carries the suffix i16, i32 or i64 ("5i32")
//   floats     the shortest decimal that reads back to the same bits, always with a point or an
//              exponent; no suffix is Extended, then s Single, d Double, c Currency (exact, up to four
//              decimals), t Date ("1.5", "0.1s", "2.25d", "12.3456c", "45000.5t")
//   strings    quoted with '' for a quote, #n for any character outside printable ASCII, pieces joined
//              by "+" across lines; a long string under 256 bytes is L'..', a wide string W'..' (#n up
//              to 65535), a UTF-8 string U'..' (its bytes)
//   idents     False, True, nil and Null are their own markers; any other name (enumeration value,
//              component reference, event handler) is an identifier
//
// The text is ASCII; a malformed text raises EParserError "Line n: ...".

#include "platform/classes/BinaryWriter.h"
#include "platform/rtl/Exceptions.h"

#include <functional>
#include <string>
#include <string_view>

namespace classes {

class EParserError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "EParserError"; }
};

// Asked after an object's own properties, before its property list ends, to append more properties
// (name and value each) to the binary form.
using TAppendProperties =
    std::function<void(const std::string& className, const std::string& name, TBinaryWriter& writer)>;

// Converts the whole of input (from its position) and appends the result to output only when the
// conversion succeeded.
void ObjectTextToBinary(rtl::TStream& input, rtl::TStream& output, const TAppendProperties& append = {});
void ObjectBinaryToText(rtl::TStream& input, rtl::TStream& output);

std::string ObjectTextToBinary(std::string_view text, const TAppendProperties& append = {});
std::string ObjectBinaryToText(std::string_view binary);

}  // namespace classes
