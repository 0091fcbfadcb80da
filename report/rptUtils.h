#pragma once
// Small routines the report library shares: component lookup and naming for stored templates, the
// stored-string escape, hexadecimal and CRC-32 of streams, tolerant number parsing and formatting,
// page lists, bracketed text, temporary files, the program's folder, error reporting, and the rectangle
// class TrptRectArea.

#include "platform/gui/graphics/Colors.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace classes {
class TCollection;
class TComponent;
class TReader;
class TWriter;
}  // namespace classes

namespace report {

class TrptComponent;
class TrptReport;

// --- names ---

// The component a stored name refers to, seen from owner: a plain name is owner's component (or, for a
// report, its owner's); "Form.Name" a component of a global form or data module, "Form.Frame.Name" one
// owned by a component of it. Null when the last part is missing; EClassNotFound "Missing " + name when
// an earlier part is.
classes::TComponent* FindComponentByPath(classes::TComponent* owner, std::string_view name);
// How owner's stored data names component: its plain name when owner owns it, when it has no owner or
// when owner is a report and the component belongs to the report's owner; "Form.Name" for a component of
// a form or data module; "Owner.Frame.Name" (or "Frame.Name") for one of a frame; otherwise empty. Forms,
// data modules and frames are the classes registered as TCustomForm, TDataModule and TFrame and their
// descendants.
std::string rptComponentPath(classes::TComponent* owner, classes::TComponent* component);

// Encoding writes each byte of 128 or more as byte 1 followed by the byte minus 128; decoding turns byte
// 1 and the byte after it back into that byte plus 128. A byte 1 of the text itself is not escaped (stored
// data has always been written so), and one at the very end stays.
std::string rptFormStrEscape(std::string_view text, bool encode);

// A collection the report stores with its window's stored data. Written while the report writes itself
// as a template (its writing mark is set), a list holding per item a list with one long string, the
// item's attribute text; otherwise the ordinary collection form. Reading takes both: the ordinary form
// with rptFormStrEscape decoding of every string and string Variant of the items, the list form through
// the report's current serializer (references resolved with the template's) or one of its own.
void rptStoreCollection(classes::TCollection* collection, classes::TWriter& writer, TrptReport* report);
void rptLoadCollection(classes::TCollection* collection, classes::TReader& reader, TrptReport* report);

// --- streams ---

// The whole stream, from its start, as two upper-case hexadecimal digits per byte.
std::string rptStreamToHex(rtl::TStream& stream);
// Writes the bytes of the hexadecimal pairs (half the text's length) at position 0 of the stream, which
// is not cut. A character that is no hexadecimal digit raises EConvertError naming it and its position,
// before anything is written.
void rptHexToStream(std::string_view text, rtl::TStream& stream);
// The CRC-32 of the whole stream from position 0; the stream's position is kept.
std::uint32_t StreamCRC32(rtl::TStream& stream);

// --- numbers and text ---

// Every "," and "." as the locale's decimal separator, blanks removed, then read as a number;
// EConvertError for text that is none ("1 2,5" is 12.5, "1.2.5" fails).
double rptStrToFloat(std::string_view text);
// Two decimals ("2.50") when the value has a fraction, otherwise the general form ("3").
std::string rptFloatText(double value);
// Exactly `decimals` decimals after the given separator, no thousands separator.
std::string rptFloatToFixedStr(double value, int decimals, char separator);

struct TrptFloatRect {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
};
TrptFloatRect rptRectOf(double left, double top, double right, double bottom);

// The pieces between separators; a separator at the very end adds no empty piece, an empty text none.
void rptSplitText(std::string_view text, rtl::TStrings& list, char separator = ';');
// "1,3,5-12" as the page numbers 1, 3, 5 .. 12, in the order written, duplicates kept; blanks are
// ignored and a final "-" runs to lastPage, as does any range that ends beyond it. A piece that is no
// number (32 bits) raises EConvertError; the list keeps the pages of the pieces before it.
void rptParsePageNumbers(std::string_view text, rtl::TStrings& list, int lastPage);

// The text between the opening string at position (1-based) and its matching closing string, nested
// pairs and quoted text skipped; start receives the position of the opening string and position ends on
// the last character of the closing one. Empty, position unchanged, when no opening string is there.
// (The process code pages have no double-byte characters, which the scan would step over whole.)
std::string rptBracketedText(std::string_view text, std::string_view open, std::string_view close, int& position,
                             int& start);
std::u16string rptBracketedTextW(std::u16string_view text, std::u16string_view open, std::u16string_view close,
                                 int& position, int& start);

// "#" and the red, green and blue of the colour (system colours resolved) as upper-case hexadecimal.
std::string rptColorToHtmlHex(gui::TColor color);
std::string rptReplaceChar(std::string_view text, char from, char to);
std::string rptSlashesToBackslashes(std::string_view path);

// --- files ---

// The program's private temporary folder, with its trailing separator.
std::string rptGetTempPath();
// A new empty file named "fr..." in the temporary folder, or in folder when one is given.
std::string rptCreateTempFile();
std::string rptCreateTempFileIn(std::string_view folder);
std::string rptProgramFileName();
// The program's folder with its trailing separator, or the folder set with rptSetAppPath.
std::string rptGetAppPath();
// Makes rptGetAppPath answer folder (a trailing separator is added); empty returns to the program's
// folder. The library's initialize() returns to it too.
void rptSetAppPath(std::string_view folder);

// --- errors ---

// The message of an exception: an rtl::Exception's own, else what().
std::string rptExceptionMessage(const std::exception& e);

// A modal message box with the error icon, captioned with the string table's "mbError".
void rptErrorBox(const std::string& message);
// As the report's EngineOptions.NewSilentMode says: rptErrorBox, nothing, or rtl::Exception with the
// message.
void rptReportFailure(TrptReport* report, const std::string& message);

// --- rectangles ---

// A rectangle in report pixels.
class TrptRectArea {
public:
    // The component's place on its page: AbsLeft, AbsTop, and those plus Width and Height.
    explicit TrptRectArea(const TrptComponent& component);
    TrptRectArea(double left, double top, double right, double bottom);

    // Whether the two share some width (some height), beyond 0.0001.
    bool OverlapsX(const TrptRectArea& other) const;
    bool OverlapsY(const TrptRectArea& other) const;
    // The width both share, from the larger left to the smaller right, with top and bottom 0; none
    // when they do not overlap.
    std::unique_ptr<TrptRectArea> IntersectX(const TrptRectArea& other) const;

    double Left;
    double Top;
    double Right;
    double Bottom;
};

}  // namespace report
