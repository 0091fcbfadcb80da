#include "platform/classes/TextForm.h"

#include "platform/classes/BinaryReader.h"
#include "platform/rtl/Collation.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace classes {

namespace {

constexpr int kMaxDepth = TBinaryReader::kMaxDepth;
// Source characters of string text per line before a long string continues on the next one.
constexpr std::size_t kStringLine = 64;
constexpr std::size_t kBinaryLine = 32;

bool IsIdentStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsIdentChar(char c)
{
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}

// One or more identifiers joined by points.
bool IsIdentPath(std::string_view s)
{
    bool start = true;
    for (char c : s) {
        if (c == '.' && !start)
            start = true;
        else if (start ? IsIdentStart(c) : IsIdentChar(c))
            start = false;
        else
            return false;
    }
    return !start;
}

template <class V>
void AppendLE(std::string& out, V value)
{
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    out.append(bytes, sizeof value);
}

std::string ExtendedBytes(long double value)
{
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    return std::string(bytes, 10);
}

// --- text to binary ---------------------------------------------------------------------------------

struct Token {
    enum Kind { End, Symbol, Ident, Number, String, Hex };
    Kind kind = End;
    std::string text;          // symbol, identifier, number, hex digits
    char prefix = 0;           // strings: 0, 'L', 'W' or 'U'
    std::u16string units;      // strings: characters as 16-bit units
    int line = 1;
};

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    [[noreturn]] void Fail(int line, const std::string& message) const
    {
        throw EParserError("Line " + std::to_string(line) + ": " + message);
    }

    Token Next()
    {
        SkipBlanks();
        Token token;
        token.line = line_;
        if (pos_ >= text_.size())
            return token;
        char c = text_[pos_];
        if (c == '\'' || c == '#')
            return ReadString(token, 0);
        if (IsIdentStart(c)) {
            std::size_t start = pos_;
            while (pos_ < text_.size() && (IsIdentChar(text_[pos_]) || text_[pos_] == '.'))
                ++pos_;
            token.text = text_.substr(start, pos_ - start);
            bool prefixed = token.text.size() == 1 && pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#');
            if (prefixed && (c == 'L' || c == 'W' || c == 'U'))
                return ReadString(token, c);
            token.kind = Token::Ident;
            return token;
        }
        if ((c >= '0' && c <= '9') || c == '$' || (c == '-' && pos_ + 1 < text_.size()
                                                    && ((text_[pos_ + 1] >= '0' && text_[pos_ + 1] <= '9') || text_[pos_ + 1] == '$'))) {
            std::size_t start = pos_++;
            while (pos_ < text_.size() && (IsIdentChar(text_[pos_]) || text_[pos_] == '.' || text_[pos_] == '$'
                                           || ((text_[pos_] == '+' || text_[pos_] == '-')
                                               && (text_[pos_ - 1] == 'e' || text_[pos_ - 1] == 'E'))))
                ++pos_;
            token.kind = Token::Number;
            token.text = text_.substr(start, pos_ - start);
            return token;
        }
        if (std::string_view("=:[](),<>+").find(c) != std::string_view::npos) {
            ++pos_;
            token.kind = Token::Symbol;
            token.text = std::string(1, c);
            return token;
        }
        if (c == '{')
            return ReadHex(token);
        Fail(line_, std::string("Invalid character ") + Describe(c));
    }

private:
    static std::string Describe(char c)
    {
        auto byte = static_cast<unsigned char>(c);
        if (byte > 32 && byte < 127)
            return std::string("'") + c + "'";
        return "#" + std::to_string(byte);
    }

    void SkipBlanks()
    {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '\n')
                ++line_;
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                return;
            ++pos_;
        }
    }

    Token ReadString(Token& token, char prefix)
    {
        token.kind = Token::String;
        token.prefix = prefix;
        std::uint32_t limit = prefix == 'W' ? 0xFFFF : 0xFF;
        while (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
            if (text_[pos_] == '#') {
                std::size_t start = ++pos_;
                while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
                    ++pos_;
                std::uint32_t code = 0;
                auto [end, ec] = std::from_chars(text_.data() + start, text_.data() + pos_, code);
                if (start == pos_ || ec != std::errc() || code > limit)
                    Fail(line_, "Invalid character code in string");
                token.units += char16_t(code);
                continue;
            }
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
                    Fail(line_, "Unterminated string");
                char c = text_[pos_++];
                if (c == '\'') {
                    if (pos_ < text_.size() && text_[pos_] == '\'') {
                        ++pos_;
                        token.units += u'\'';
                        continue;
                    }
                    break;
                }
                if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
                    Fail(line_, "Character " + Describe(c) + " in a string must be written as #n");
                token.units += char16_t(c);
            }
        }
        return token;
    }

    Token ReadHex(Token& token)
    {
        ++pos_;
        token.kind = Token::Hex;
        for (;;) {
            SkipBlanks();
            if (pos_ >= text_.size())
                Fail(line_, "'}' expected");
            char c = text_[pos_++];
            if (c == '}')
                break;
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                Fail(line_, "Invalid binary value: " + Describe(c) + " is not a hexadecimal digit");
            token.text += c;
        }
        if (token.text.size() % 2)
            Fail(line_, "Invalid binary value: odd number of hexadecimal digits");
        return token;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

class TextParser {
public:
    TextParser(std::string_view text, std::string& out, const TAppendProperties& append)
        : lexer_(text), writer_(stream_), out_(out), append_(append)
    {
        Advance();
    }

    void ParseForm()
    {
        stream_.WriteString(kFormSignature);
        ParseObject();
        if (token_.kind != Token::End)
            Expected("end of text");
        out_ = stream_.DataString();
    }

private:
    [[noreturn]] void Fail(const std::string& message) const { lexer_.Fail(token_.line, message); }

    [[noreturn]] void Expected(const std::string& what) const
    {
        std::string found;
        switch (token_.kind) {
        case Token::End:
            found = "end of text";
            break;
        case Token::String:
            found = "string";
            break;
        case Token::Hex:
            found = "'{'";
            break;
        default:
            found = "'" + token_.text + "'";
        }
        Fail(what + " expected but " + found + " found");
    }

    void Advance() { token_ = lexer_.Next(); }

    bool IsKeyword(std::string_view word) const
    {
        return token_.kind == Token::Ident && rtl::SameText(token_.text, word);
    }

    bool IsSymbol(char c) const { return token_.kind == Token::Symbol && token_.text[0] == c; }

    void ExpectSymbol(char c)
    {
        if (!IsSymbol(c))
            Expected(std::string("'") + c + "'");
        Advance();
    }

    std::string ExpectIdent(bool dotted = false)
    {
        if (token_.kind != Token::Ident || (!dotted && token_.text.find('.') != std::string::npos)
            || !IsIdentPath(token_.text))
            Expected("Identifier");
        std::string ident = token_.text;
        Advance();
        return ident;
    }

    bool AtObject() const { return IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline"); }

    void WriteStr(std::string_view name)
    {
        if (name.size() > 255)
            Fail("Name too long: " + std::string(name));
        writer_.WriteStr(name);
    }

    struct Depth {
        explicit Depth(TextParser& parser) : parser_(parser)
        {
            if (++parser_.depth_ > kMaxDepth)
                parser_.Fail("Nesting too deep");
        }
        ~Depth() { --parser_.depth_; }
        TextParser& parser_;
    };

    void ParseObject()
    {
        Depth depth(*this);
        std::uint8_t flags = 0;
        if (IsKeyword("inherited")) {
            flags |= kPrefixInherited;
            Advance();
            if (IsKeyword("inline")) {
                flags |= kPrefixInline;
                Advance();
            }
        } else if (IsKeyword("inline")) {
            flags |= kPrefixInline;
            Advance();
        } else if (IsKeyword("object")) {
            Advance();
        } else {
            Expected("'object'");
        }
        std::string name;
        int classLine = token_.line;
        std::string className = ExpectIdent();
        if (IsSymbol(':')) {
            Advance();
            name = className;
            classLine = token_.line;
            className = ExpectIdent();
        }
        std::string position;
        if (IsSymbol('[')) {
            Advance();
            flags |= kPrefixChildPos;
            position = ParseIntegerBytes();
            ExpectSymbol(']');
        }
        if (flags)
            stream_.WriteString(std::string(1, char(kPrefixMark | flags)) + position);
        if (className.size() >= kPrefixMark)
            lexer_.Fail(classLine, "Class name too long: " + className);
        WriteStr(className);
        WriteStr(name);
        while (token_.kind == Token::Ident && !AtObject() && !IsKeyword("end"))
            ParseProperty();
        if (append_)
            append_(className, name, writer_);
        writer_.WriteListEnd();
        while (AtObject())
            ParseObject();
        if (!IsKeyword("end"))
            Expected("'end'");
        Advance();
        writer_.WriteListEnd();
    }

    void ParseProperty()
    {
        WriteStr(ExpectIdent(true));
        ExpectSymbol('=');
        ParseValue();
    }

    void ParseValue()
    {
        Depth depth(*this);
        switch (token_.kind) {
        case Token::Number:
            return ParseNumber();
        case Token::String:
            return ParseString();
        case Token::Ident:
            if (!IsIdentPath(token_.text))
                Expected("Value");
            writer_.WriteIdent(token_.text);
            return Advance();
        case Token::Hex: {
            std::string bytes;
            for (std::size_t i = 0; i < token_.text.size(); i += 2)
                bytes += char(std::stoi(token_.text.substr(i, 2), nullptr, 16));
            writer_.WriteBinary(bytes);
            return Advance();
        }
        case Token::Symbol:
            if (IsSymbol('['))
                return ParseSet();
            if (IsSymbol('('))
                return ParseList();
            if (IsSymbol('<'))
                return ParseCollection();
            [[fallthrough]];
        case Token::End:
            Expected("Value");
        }
    }

    void ParseSet()
    {
        Advance();
        std::vector<std::string> names;
        if (!IsSymbol(']')) {
            for (;;) {
                names.push_back(ExpectIdent());
                if (!IsSymbol(','))
                    break;
                Advance();
            }
        }
        ExpectSymbol(']');
        writer_.WriteSet(names);
    }

    void ParseList()
    {
        Advance();
        writer_.WriteListBegin();
        while (!IsSymbol(')'))
            ParseValue();
        Advance();
        writer_.WriteListEnd();
    }

    void ParseCollection()
    {
        Advance();
        writer_.WriteValue(TValueType::Collection);
        while (!IsSymbol('>')) {
            if (!IsKeyword("item"))
                Expected("'item'");
            Advance();
            writer_.WriteListBegin();
            while (!IsKeyword("end"))
                ParseProperty();
            Advance();
            writer_.WriteListEnd();
        }
        Advance();
        writer_.WriteListEnd();
    }

    void ParseString()
    {
        char prefix = token_.prefix;
        std::u16string units = token_.units;
        Advance();
        while (IsSymbol('+')) {
            Advance();
            if (token_.kind != Token::String || (token_.prefix && token_.prefix != prefix))
                Expected("String");
            units += token_.units;
            Advance();
        }
        if (prefix == 'W')
            return writer_.WriteWideString(units);
        std::string bytes;
        for (char16_t unit : units)
            bytes += char(unit);
        if (prefix == 'U')
            return writer_.WriteUtf8String(bytes);
        if (prefix == 'L' && bytes.size() <= 255)
            return writer_.WriteLongString(bytes);
        writer_.WriteString(bytes);
    }

    // An integer literal's value with its marker, as stored.
    std::string ParseIntegerBytes()
    {
        if (token_.kind != Token::Number)
            Expected("Integer");
        std::string bytes = IntegerBytes(token_.text);
        Advance();
        return bytes;
    }

    std::string IntegerBytes(std::string_view text) const
    {
        std::string_view digits = text;
        std::string_view suffix;
        if (std::size_t i = text.find('i'); i != std::string_view::npos) {
            digits = text.substr(0, i);
            suffix = text.substr(i);
        }
        bool negative = !digits.empty() && digits[0] == '-';
        if (negative)
            digits.remove_prefix(1);
        int base = 10;
        if (!digits.empty() && digits[0] == '$') {
            base = 16;
            digits.remove_prefix(1);
        }
        std::uint64_t magnitude = 0;
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
        if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()
            || magnitude > (negative ? std::uint64_t(INT64_MAX) + 1 : std::uint64_t(INT64_MAX)))
            Fail("Invalid integer value " + std::string(text));
        auto value = std::int64_t(negative ? 0 - magnitude : magnitude);
        std::string bytes;
        auto sized = [&](TValueType type, auto narrow) {
            using N = decltype(narrow);
            if (value < std::numeric_limits<N>::min() || value > std::numeric_limits<N>::max())
                Fail("Integer value out of range for " + std::string(suffix) + ": " + std::string(text));
            bytes += char(type);
            AppendLE(bytes, N(value));
        };
        if (suffix.empty()) {
            rtl::TStringStream minimal;
            TBinaryWriter(minimal).WriteInteger(value);
            return minimal.DataString();
        }
        if (suffix == "i16")
            sized(TValueType::Int16, std::int16_t());
        else if (suffix == "i32")
            sized(TValueType::Int32, std::int32_t());
        else if (suffix == "i64")
            sized(TValueType::Int64, std::int64_t());
        else
            Fail("Invalid integer value " + std::string(text));
        return bytes;
    }

    void ParseNumber()
    {
        std::string_view text = token_.text;
        char suffix = 0;
        if (!text.empty() && std::string_view("sdct").find(text.back()) != std::string_view::npos
            && text.find('$') == std::string_view::npos) {
            suffix = text.back();
            text.remove_suffix(1);
        }
        bool isFloat = suffix || text.find_first_of(".eE") != std::string_view::npos;
        if (!isFloat || text.find('$') != std::string_view::npos) {
            stream_.WriteString(IntegerBytes(token_.text));
            return Advance();
        }
        std::string bytes;
        switch (suffix) {
        case 0:
            bytes = char(TValueType::Extended) + ExtendedBytes(ReadFloat<long double>(text));
            break;
        case 's':
            bytes += char(TValueType::Single);
            AppendLE(bytes, ReadFloat<float>(text));
            break;
        case 'd':
            bytes += char(TValueType::Double);
            AppendLE(bytes, ReadFloat<double>(text));
            break;
        case 't':
            bytes += char(TValueType::Date);
            AppendLE(bytes, ReadFloat<double>(text));
            break;
        case 'c':
            bytes += char(TValueType::Currency);
            AppendLE(bytes, ReadCurrency(text));
            break;
        }
        stream_.WriteString(bytes);
        Advance();
    }

    template <class F>
    F ReadFloat(std::string_view text) const
    {
        F value{};
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
            Fail("Invalid floating point value " + token_.text);
        return value;
    }

    // Exact: the scaled amount comes from the digits, not from a binary float.
    std::int64_t ReadCurrency(std::string_view text) const
    {
        bool negative = !text.empty() && text[0] == '-';
        if (negative)
            text.remove_prefix(1);
        std::size_t point = text.find('.');
        std::string_view whole = text.substr(0, point);
        std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
        std::string digits = std::string(whole) + std::string(fraction) + std::string(4 - std::min<std::size_t>(fraction.size(), 4), '0');
        std::uint64_t magnitude = 0;
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
        if (whole.empty() || fraction.size() > 4 || ec != std::errc() || end != digits.data() + digits.size()
            || magnitude > (negative ? std::uint64_t(INT64_MAX) + 1 : std::uint64_t(INT64_MAX)))
            Fail("Invalid currency value " + token_.text);
        return std::int64_t(negative ? 0 - magnitude : magnitude);
    }

    Lexer lexer_;
    Token token_;
    rtl::TStringStream stream_;
    TBinaryWriter writer_;
    std::string& out_;
    const TAppendProperties& append_;
    int depth_ = 0;
};

// --- binary to text ---------------------------------------------------------------------------------

class TextWriter : public TBinaryReader {
public:
    using TBinaryReader::TBinaryReader;

    std::string Convert()
    {
        if (ReadBytes(std::int64_t(kFormSignature.size())) != kFormSignature)
            throw rtl::EReadError("Invalid stream format");
        WriteObject(0);
        return std::move(out_);
    }

private:
    static std::string Indent(int level) { return std::string(std::size_t(level) * 2, ' '); }

    static const std::string& CheckedName(const std::string& name)
    {
        if (!IsIdentPath(name))
            throw rtl::EReadError("Invalid name in stored data: " + name);
        return name;
    }

    void WriteObject(int level)
    {
        Nesting nesting(*this);
        std::uint8_t flags = 0;
        Read(&flags, 1);
        std::string position;
        if ((flags & kPrefixMark) == kPrefixMark) {
            flags &= 0x0F;
            if (flags & kPrefixChildPos)
                position = " [" + IntegerText() + "]";
        } else {
            Stream().Seek(-1, rtl::SeekOrigin::Current);
            flags = 0;
        }
        const char* keyword = (flags & kPrefixInherited) ? ((flags & kPrefixInline) ? "inherited inline" : "inherited")
                              : (flags & kPrefixInline) ? "inline" : "object";
        std::string className = ReadStr();
        std::string name = ReadStr();
        out_ += Indent(level) + keyword + " " + (name.empty() ? "" : CheckedName(name) + ": ")
                + CheckedName(className) + position + "\n";
        while (!EndOfList())
            WriteProperty(level + 1);
        ReadListEnd();
        while (!EndOfList())
            WriteObject(level + 1);
        ReadListEnd();
        out_ += Indent(level) + "end\n";
    }

    void WriteProperty(int level)
    {
        std::string name = ReadStr();
        out_ += Indent(level) + CheckedName(name) + " = ";
        WriteValue(level);
        out_ += "\n";
    }

    std::string IntegerText()
    {
        TValueType type = ReadValue();
        std::int64_t value = 0;
        const char* suffix = "";
        switch (type) {
        case TValueType::Int8:
            value = ReadLE<std::int8_t>();
            break;
        case TValueType::Int16:
            value = ReadLE<std::int16_t>();
            suffix = value >= INT8_MIN && value <= INT8_MAX ? "i16" : "";
            break;
        case TValueType::Int32:
            value = ReadLE<std::int32_t>();
            suffix = value >= INT16_MIN && value <= INT16_MAX ? "i32" : "";
            break;
        case TValueType::Int64:
            value = ReadLE<std::int64_t>();
            suffix = value >= INT32_MIN && value <= INT32_MAX ? "i64" : "";
            break;
        default:
            InvalidValue();
        }
        return std::to_string(value) + suffix;
    }

    // The shortest text that reads back to the same bytes.
    template <class F>
    static std::string FloatText(F value, std::string_view stored)
    {
        if (!std::isfinite(value))
            throw rtl::EReadError("Invalid property value: a float that is not a finite number");
        char buffer[64];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
        std::string text(buffer, end);
        if (text.find_first_of(".e") == std::string::npos)
            text += ".0";
        F back{};
        std::from_chars(text.data(), text.data() + text.size(), back);
        std::string again(sizeof(F), '\0');
        std::memcpy(again.data(), &back, sizeof back);
        if (again.compare(0, stored.size(), stored) != 0)
            throw rtl::EReadError("Invalid property value: a float that text cannot hold exactly");
        return text;
    }

    template <class F>
    std::string StoredFloat(const char* suffix)
    {
        std::string stored = ReadBytes(sizeof(F));
        F value;
        std::memcpy(&value, stored.data(), sizeof value);
        return FloatText(value, stored) + suffix;
    }

    std::string ExtendedText()
    {
        std::string stored = ReadBytes(10);
        long double value = 0;
        std::memcpy(&value, stored.data(), 10);
        return FloatText(value, stored);
    }

    std::string CurrencyText()
    {
        auto scaled = ReadLE<std::int64_t>();
        std::uint64_t magnitude = scaled < 0 ? 0 - std::uint64_t(scaled) : std::uint64_t(scaled);
        std::string text = (scaled < 0 ? "-" : "") + std::to_string(magnitude / 10000);
        std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
        fraction.erase(fraction.find_last_not_of('0') + 1);
        return text + "." + (fraction.empty() ? "0" : fraction) + "c";
    }

    // Quoted pieces and #n codes, broken into lines of about kStringLine characters.
    void WriteStringText(const std::u16string& units, const char* prefix, int level)
    {
        std::vector<std::string> lines(1);
        bool quoted = false;
        for (char16_t unit : units) {
            std::string& line = lines.back();
            bool plain = unit >= 32 && unit <= 126;
            if (plain && !quoted)
                line += '\'';
            else if (!plain && quoted)
                line += '\'';
            quoted = plain;
            if (plain)
                line += unit == u'\'' ? "''" : std::string(1, char(unit));
            else
                line += "#" + std::to_string(unsigned(unit));
            if (line.size() >= kStringLine) {
                if (quoted)
                    line += '\'';
                quoted = false;
                lines.emplace_back();
            }
        }
        if (quoted)
            lines.back() += '\'';
        if (lines.back().empty())
            lines.pop_back();
        if (lines.empty())
            lines.push_back("''");
        out_ += prefix;
        for (std::size_t i = 0; i < lines.size(); ++i)
            out_ += (i ? " +\n" + Indent(level + 1) : std::string()) + lines[i];
    }

    static std::u16string Units(const std::string& bytes)
    {
        std::u16string units;
        for (char c : bytes)
            units += char16_t(static_cast<unsigned char>(c));
        return units;
    }

    void WriteValue(int level)
    {
        Nesting nesting(*this);
        TValueType type = NextValue();
        switch (type) {
        case TValueType::Int8:
        case TValueType::Int16:
        case TValueType::Int32:
        case TValueType::Int64:
            out_ += IntegerText();
            return;
        case TValueType::Extended:
            ReadValue();
            out_ += ExtendedText();
            return;
        case TValueType::Single:
            ReadValue();
            out_ += StoredFloat<float>("s");
            return;
        case TValueType::Double:
            ReadValue();
            out_ += StoredFloat<double>("d");
            return;
        case TValueType::Date:
            ReadValue();
            out_ += StoredFloat<double>("t");
            return;
        case TValueType::Currency:
            ReadValue();
            out_ += CurrencyText();
            return;
        case TValueType::String:
            return WriteStringText(Units(ReadString()), "", level);
        case TValueType::LString: {
            ReadValue();
            std::string bytes = ReadBytes(ReadLength());
            return WriteStringText(Units(bytes), bytes.size() <= 255 ? "L" : "", level);
        }
        case TValueType::UTF8String:
            ReadValue();
            return WriteStringText(Units(ReadBytes(ReadLength())), "U", level);
        case TValueType::WString:
            return WriteStringText(ReadWideString(), "W", level);
        case TValueType::Ident:
        case TValueType::False:
        case TValueType::True:
        case TValueType::Nil:
        case TValueType::Null:
            out_ += CheckedName(ReadIdent());
            return;
        case TValueType::Set: {
            std::string text;
            for (const std::string& name : ReadSet())
                text += (text.empty() ? "" : ", ") + CheckedName(name);
            out_ += "[" + text + "]";
            return;
        }
        case TValueType::List:
            return WriteList(level);
        case TValueType::Collection:
            return WriteCollection(level);
        case TValueType::Binary:
            return WriteBinaryText(ReadBinary(), level);
        }
    }

    void WriteList(int level)
    {
        ReadListBegin();
        out_ += "(";
        while (!EndOfList()) {
            out_ += "\n" + Indent(level + 1);
            WriteValue(level + 1);
        }
        ReadListEnd();
        out_ += ")";
    }

    void WriteCollection(int level)
    {
        CheckValue(TValueType::Collection);
        out_ += "<";
        while (!EndOfList()) {
            ReadListBegin();
            out_ += "\n" + Indent(level + 1) + "item\n";
            while (!EndOfList())
                WriteProperty(level + 2);
            ReadListEnd();
            out_ += Indent(level + 1) + "end";
        }
        ReadListEnd();
        out_ += ">";
    }

    void WriteBinaryText(const std::string& bytes, int level)
    {
        static const char digits[] = "0123456789ABCDEF";
        out_ += "{";
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i % kBinaryLine == 0)
                out_ += "\n" + Indent(level + 1);
            auto byte = static_cast<unsigned char>(bytes[i]);
            out_ += digits[byte >> 4];
            out_ += digits[byte & 15];
        }
        out_ += "}";
    }

    std::string out_;
};

std::string ReadAll(rtl::TStream& input)
{
    std::int64_t size = input.Size() - input.Position();
    std::string data(std::size_t(std::max<std::int64_t>(size, 0)), '\0');
    input.ReadBuffer(data.data(), std::int64_t(data.size()));
    return data;
}

}  // namespace

std::string ObjectTextToBinary(std::string_view text, const TAppendProperties& append)
{
    std::string binary;
    TextParser(text, binary, append).ParseForm();
    return binary;
}

std::string ObjectBinaryToText(std::string_view binary)
{
    rtl::TStringStream input{std::string(binary)};
    TextWriter writer(input);
    std::string text = writer.Convert();
    if (input.Position() != input.Size())
        throw rtl::EReadError("Invalid stream format");
    return text;
}

void ObjectTextToBinary(rtl::TStream& input, rtl::TStream& output, const TAppendProperties& append)
{
    std::string binary = ObjectTextToBinary(ReadAll(input), append);
    output.WriteBuffer(binary.data(), std::int64_t(binary.size()));
}

void ObjectBinaryToText(rtl::TStream& input, rtl::TStream& output)
{
    std::string text = ObjectBinaryToText(ReadAll(input));
    output.WriteBuffer(text.data(), std::int64_t(text.size()));
}

}  // namespace classes
