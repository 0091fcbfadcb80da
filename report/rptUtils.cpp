#include "report/rptUtils.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Collection.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/Reflection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Errors.h"
#include "platform/classes/Fixups.h"
#include "platform/rtl/Crc32.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/TempFiles.h"
#include "platform/services/DialogService.h"
#include "report/rptComponent.h"
#include "report/rptReport.h"
#include "report/rptRes.h"
#include "report/rptXMLSerializer.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <type_traits>

namespace report {

namespace {

struct AppPath {
    std::mutex mutex;
    std::string folder;  // empty: the program's
};

AppPath& TheAppPath()
{
    static AppPath path;
    return path;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool IsOfClass(const classes::TComponent* component, std::string_view className)
{
    const classes::TClassInfo* cls = classes::GetClass(className);
    return component && cls && component->InheritsFrom(*cls);
}

// Byte (or unit) 1 and the one after it as that one plus 128; a 1 at the very end stays.
template <class Char>
std::basic_string<Char> FormStrUnescape(std::basic_string_view<Char> text)
{
    std::basic_string<Char> result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == Char(1) && i + 1 < text.size())
            result += Char(std::make_unsigned_t<Char>(text[++i]) + 128);
        else
            result += text[i];
    }
    return result;
}

std::string FormStrUnescape(std::string_view text)
{
    return FormStrUnescape<char>(text);
}

// The strings and string Variants of a collection item read from older stored data, unescaped.
void UnescapeStrings(classes::TPersistent& item)
{
    for (const classes::TPropInfo& prop : item.ClassType().Properties()) {
        if (!prop.IsReadable() || !prop.IsWritable())
            continue;
        switch (prop.Kind()) {
        case classes::TTypeKind::String:
        case classes::TTypeKind::LString:
            if (std::string value = classes::GetStrProp(item, prop); value.find('\x01') != std::string::npos)
                classes::SetStrProp(item, prop, FormStrUnescape(value));
            break;
        case classes::TTypeKind::WString:
            if (std::u16string value = classes::GetWideStrProp(item, prop); value.find(u'\x01') != std::u16string::npos)
                classes::SetWideStrProp(item, prop, FormStrUnescape<char16_t>(value));
            break;
        case classes::TTypeKind::Variant: {
            const rtl::Variant value = classes::GetVariantProp(item, prop);
            if (value.Type() == rtl::varString)
                classes::SetVariantProp(item, prop, rtl::Variant(FormStrUnescape(value.ToString())));
            else if (value.Type() == rtl::varOleStr)
                classes::SetVariantProp(item, prop, rtl::Variant(FormStrUnescape<char16_t>(value.ToWideString())));
            break;
        }
        default:
            break;
        }
    }
}

// The scan of rptBracketedText for either kind of text.
template <class Char>
std::basic_string<Char> Bracketed(std::basic_string_view<Char> text, std::basic_string_view<Char> open,
                                  std::basic_string_view<Char> close, int& position, int& start)
{
    const int length = int(text.size());
    if (text.empty() || position < 1 || position > length || open.empty() || close.empty())
        return {};
    auto at = [&](int j, std::basic_string_view<Char> what) {
        return text.substr(std::size_t(j - 1)).starts_with(what);
    };
    int j = position - 1;
    int depth = 0;
    bool outsideSingle = true;
    bool outsideDouble = true;
    start = position;
    do {
        ++j;
        if (outsideSingle && outsideDouble) {
            if (at(j, open)) {
                if (depth == 0)
                    start = j;
                ++depth;
            } else if (at(j, close)) {
                --depth;
            }
        }
        const Char c = text[std::size_t(j - 1)];
        if (outsideSingle && c == Char('"'))
            outsideDouble = !outsideDouble;
        if (outsideDouble && c == Char('\''))
            outsideSingle = !outsideSingle;
    } while (depth != 0 && j < length);
    const int first = start + int(open.size());
    std::basic_string<Char> result;
    if (j > first)
        result = text.substr(std::size_t(first - 1), std::size_t(std::min(j, length + 1) - first));
    if (start != j)
        j += int(close.size()) - 1;
    position = j;
    return result;
}

}  // namespace

// --- names ---

std::string rptComponentPath(classes::TComponent* owner, classes::TComponent* component)
{
    if (!component)
        return {};
    classes::TComponent* componentOwner = component->Owner();
    if (!componentOwner || componentOwner == owner
        || (dynamic_cast<TrptReport*>(owner) && owner->Owner() == componentOwner))
        return component->Name();
    if (IsOfClass(componentOwner, "TCustomForm") || IsOfClass(componentOwner, "TDataModule"))
        return componentOwner->Name() + "." + component->Name();
    if (IsOfClass(componentOwner, "TFrame")) {
        const std::string frame = componentOwner->Name() + "." + component->Name();
        return componentOwner->Owner() ? componentOwner->Owner()->Name() + "." + frame : frame;
    }
    return {};
}

classes::TComponent* FindComponentByPath(classes::TComponent* owner, std::string_view name)
{
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos) {
        if (!owner)
            return nullptr;
        classes::TComponent* found = owner->FindComponent(name);
        if (!found && dynamic_cast<TrptReport*>(owner) && owner->Owner())
            found = owner->Owner()->FindComponent(name);
        return found;
    }
    auto missing = [&] { return classes::EClassNotFound("Missing " + std::string(name)); };
    classes::TComponent* root = classes::FindGlobalComponent(name.substr(0, dot));
    if (!root)
        throw missing();
    std::string_view rest = name.substr(dot + 1, 255);
    const std::size_t second = rest.find('.');
    if (second == std::string_view::npos)
        return root->FindComponent(rest);
    classes::TComponent* holder = root->FindComponent(rest.substr(0, second));
    if (!holder)
        throw missing();
    return holder->FindComponent(rest.substr(second + 1));
}

std::string rptFormStrEscape(std::string_view text, bool encode)
{
    if (!encode)
        return FormStrUnescape(text);
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 128) {
            result += '\x01';
            result += char(byte - 128);
        } else {
            result += c;
        }
    }
    return result;
}

void rptStoreCollection(classes::TCollection* collection, classes::TWriter& writer, TrptReport* report)
{
    if (!report || !report->Writing())
        return writer.WriteCollection(collection);
    TrptXMLSerializer serializer(nullptr);
    serializer.Owner = report;
    serializer.NameScopeRoot = report;
    writer.WriteListBegin();
    for (int i = 0; i < collection->Count(); ++i) {
        writer.WriteListBegin();
        writer.WriteLongString(serializer.ObjToXML(collection->Items(i)));
        writer.WriteListEnd();
    }
    writer.WriteListEnd();
}

void rptLoadCollection(classes::TCollection* collection, classes::TReader& reader, TrptReport* report)
{
    if (reader.NextValue() == classes::TValueType::Collection) {
        reader.ReadValue();
        reader.ReadCollection(collection);
        for (int i = 0; i < collection->Count(); ++i)
            UnescapeStrings(*collection->Items(i));
        return;
    }
    reader.ReadListBegin();
    TrptXMLSerializer* current = report ? report->CurrentSerializer() : nullptr;
    // Items that references of the template wait for go now: those references go with them.
    for (int i = 0; current && i < collection->Count(); ++i)
        current->RemoveFixups(collection->Items(i));
    collection->Clear();
    while (!reader.EndOfList()) {
        reader.ReadListBegin();
        classes::TCollectionItem* item = collection->Add();
        while (!reader.EndOfList()) {
            const std::string text = reader.ReadString();
            if (current) {
                current->XMLToObj(text, item);
                continue;
            }
            TrptXMLSerializer own(nullptr);
            own.Owner = report;
            own.ReadPersistentStr(report, item, text);
            if (report)
                report->Errors().AddStrings(own.Errors());
        }
        reader.ReadListEnd();
    }
    reader.ReadListEnd();
}

// --- streams ---

std::string rptStreamToHex(rtl::TStream& stream)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    stream.SetPosition(0);
    std::string hex;
    std::array<unsigned char, 4096> buffer;
    for (std::int64_t n; (n = stream.Read(buffer.data(), std::int64_t(buffer.size()))) > 0;)
        for (std::int64_t i = 0; i < n; ++i) {
            hex += kDigits[buffer[std::size_t(i)] >> 4];
            hex += kDigits[buffer[std::size_t(i)] & 15];
        }
    return hex;
}

void rptHexToStream(std::string_view text, rtl::TStream& stream)
{
    std::string bytes(text.size() / 2, '\0');
    for (std::size_t i = 0; i < bytes.size() * 2; ++i) {
        const int digit = HexValue(text[i]);
        if (digit < 0)
            throw rtl::EConvertError("'" + std::string(1, text[i]) + "' at position " + std::to_string(i + 1)
                                     + " is not a hexadecimal digit");
        bytes[i / 2] = char(bytes[i / 2] << 4 | digit);
    }
    stream.SetPosition(0);
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

std::uint32_t StreamCRC32(rtl::TStream& stream)
{
    const std::int64_t saved = stream.Position();
    stream.SetPosition(0);
    std::uint32_t crc = 0;
    std::array<char, 4096> buffer;
    for (std::int64_t n; (n = stream.Read(buffer.data(), std::int64_t(buffer.size()))) > 0;)
        crc = rtl::Crc32Update(crc, buffer.data(), std::size_t(n));
    stream.SetPosition(saved);
    return crc;
}

// --- numbers and text ---

double rptStrToFloat(std::string_view text)
{
    const char separator = rtl::DefaultFormatSettings().DecimalSeparator;
    std::string number;
    for (char c : text)
        if (c == ',' || c == '.')
            number += separator;
        else if (c != ' ')
            number += c;
    return rtl::StrToFloat(number);
}

std::string rptFloatText(double value)
{
    return rtl::Frac(value) != 0 ? rtl::Format("%2.2f", {value}) : rtl::FloatToStr(value);
}

std::string rptFloatToFixedStr(double value, int decimals, char separator)
{
    rtl::FormatSettings settings = rtl::DefaultFormatSettings();
    settings.DecimalSeparator = separator;
    return rtl::Format("%.*f", {decimals, value}, settings);
}

TrptFloatRect rptRectOf(double left, double top, double right, double bottom)
{
    return TrptFloatRect{left, top, right, bottom};
}

void rptSplitText(std::string_view text, rtl::TStrings& list, char separator)
{
    list.Clear();
    while (!text.empty()) {
        const std::size_t end = text.find(separator);
        list.Add(std::string(text.substr(0, end)));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

void rptParsePageNumbers(std::string_view text, rtl::TStrings& list, int lastPage)
{
    list.Clear();
    std::string pages;
    std::copy_if(text.begin(), text.end(), std::back_inserter(pages), [](char c) { return c != ' '; });
    if (pages.empty())
        return;
    if (pages.back() == '-')
        pages += std::to_string(lastPage);
    std::string_view rest = pages;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view piece = rest.substr(0, comma);
        const std::size_t dash = piece.find('-');
        if (dash == std::string_view::npos) {
            list.Add(std::to_string(rtl::StrToInt(piece)));
        } else {
            const std::int32_t first = rtl::StrToInt(piece.substr(0, dash));
            const std::int32_t last = std::min(rtl::StrToInt(piece.substr(dash + 1)), lastPage);
            for (std::int64_t page = first; page <= last; ++page)
                list.Add(std::to_string(page));
        }
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
}

std::string rptBracketedText(std::string_view text, std::string_view open, std::string_view close, int& position,
                             int& start)
{
    return Bracketed<char>(text, open, close, position, start);
}

std::u16string rptBracketedTextW(std::u16string_view text, std::u16string_view open, std::u16string_view close,
                                 int& position, int& start)
{
    return Bracketed<char16_t>(text, open, close, position, start);
}

std::string rptColorToHtmlHex(gui::TColor color)
{
    const win::COLORREF rgb = gui::ColorToRGB(color);
    return rtl::Format("#%.2x%.2x%.2x", {int(rgb & 0xFF), int(rgb >> 8 & 0xFF), int(rgb >> 16 & 0xFF)});
}

std::string rptReplaceChar(std::string_view text, char from, char to)
{
    std::string result(text);
    std::replace(result.begin(), result.end(), from, to);
    return result;
}

std::string rptSlashesToBackslashes(std::string_view path)
{
    return rptReplaceChar(path, '/', '\\');
}

// --- files ---

std::string rptGetTempPath()
{
    return rtl::PrivateTempFolder();
}

std::string rptCreateTempFile()
{
    return rtl::CreateTempFileName("fr");
}

std::string rptCreateTempFileIn(std::string_view folder)
{
    return rtl::CreateTempFileName("fr", folder);
}

std::string rptProgramFileName()
{
    return rtl::ProgramFileName();
}

std::string rptGetAppPath()
{
    AppPath& path = TheAppPath();
    std::lock_guard lock(path.mutex);
    return path.folder.empty() ? rtl::ProgramFolder() : path.folder;
}

void rptSetAppPath(std::string_view folder)
{
    AppPath& path = TheAppPath();
    std::lock_guard lock(path.mutex);
    path.folder = folder.empty() ? std::string() : rtl::IncludeTrailingPathDelimiter(folder);
}

// --- errors ---

std::string rptExceptionMessage(const std::exception& e)
{
    if (const auto* exception = dynamic_cast<const rtl::Exception*>(&e))
        return exception->Message();
    return e.what();
}

void rptErrorBox(const std::string& message)
{
    win::MessageBox(message, rptGetResources().Get("mbError"), win::MB_OK | win::MB_ICONSTOP);
}

void rptReportFailure(TrptReport* report, const std::string& message)
{
    switch (report ? report->EngineOptions()->NewSilentMode : simMessageBoxes) {
    case simMessageBoxes: rptErrorBox(message); break;
    case simSilent: break;
    case simReThrow: throw rtl::Exception(message);
    }
}

// --- rectangles ---

TrptRectArea::TrptRectArea(const TrptComponent& component)
    : TrptRectArea(component.AbsLeft(), component.AbsTop(), component.AbsLeft() + component.Width(),
                   component.AbsTop() + component.Height())
{
}

TrptRectArea::TrptRectArea(double left, double top, double right, double bottom)
    : Left(left), Top(top), Right(right), Bottom(bottom)
{
}

bool TrptRectArea::OverlapsX(const TrptRectArea& other) const
{
    return other.Left < Right - 0.0001 && other.Right > Left + 0.0001;
}

bool TrptRectArea::OverlapsY(const TrptRectArea& other) const
{
    return other.Top < Bottom - 0.0001 && other.Bottom > Top + 0.0001;
}

std::unique_ptr<TrptRectArea> TrptRectArea::IntersectX(const TrptRectArea& other) const
{
    if (!OverlapsX(other))
        return nullptr;
    return std::make_unique<TrptRectArea>(std::max(Left, other.Left), 0, std::min(Right, other.Right), 0);
}

}  // namespace report
