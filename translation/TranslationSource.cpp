#include "translation/TranslationSource.h"

#include "platform/classes/Resources.h"
#include "platform/classes/TextForm.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/StringUtils.h"

#include <charconv>

namespace translation {

namespace {

using classes::EParserError;

class SourceParser {
public:
    SourceParser(std::string_view source, char delimiter) : source_(source), delimiter_(delimiter)
    {
        for (int type = 0; type < kStringsTypeCount; ++type)
            if (TStringsType(type) != TStringsType::stListView_TreeView_Items)
                lists_[std::size_t(type)] = std::make_unique<rtl::TStringList>();
    }

    TTranslationLists Parse()
    {
        rtl::TStringList* target = lists_[std::size_t(TStringsType::stStrings)].get();
        while (pos_ < source_.size()) {
            std::size_t end = source_.find('\n', pos_);
            if (end == std::string_view::npos)
                end = source_.size();
            line_ = source_.substr(pos_, end - pos_);
            if (!line_.empty() && line_.back() == '\r')
                line_.remove_suffix(1);
            pos_ = end + 1;
            ++lineNumber_;
            column_ = 0;
            SkipBlanks();
            if (AtEnd() || line_[column_] == '#')
                continue;
            if (line_[column_] == '[')
                target = Section();
            else
                target->Add(Entry());
        }
        return std::move(lists_);
    }

private:
    [[noreturn]] void Fail(const std::string& message) const
    {
        throw EParserError("Line " + std::to_string(lineNumber_) + ": " + message);
    }

    bool AtEnd() const { return column_ >= line_.size(); }

    void SkipBlanks()
    {
        while (!AtEnd() && (line_[column_] == ' ' || line_[column_] == '\t'))
            ++column_;
    }

    rtl::TStringList* Section()
    {
        std::size_t close = line_.find(']', column_);
        if (close == std::string_view::npos || !rtl::Trim(line_.substr(close + 1)).empty())
            Fail("Section header must be [Name]");
        std::string name = rtl::Trim(line_.substr(column_ + 1, close - column_ - 1));
        for (int type = 0; type < kStringsTypeCount; ++type)
            if (rtl::SameText(StringsTypeName(TStringsType(type)).substr(2), name) && lists_[std::size_t(type)])
                return lists_[std::size_t(type)].get();
        Fail("Unknown translation list [" + name + "]");
    }

    std::string Entry()
    {
        std::string line;
        if (line_[column_] == '"') {
            line = Quoted();
        } else {
            std::size_t equals = line_.find('=', column_);
            if (equals == std::string_view::npos)
                Fail("'=' expected");
            line = rtl::Trim(line_.substr(column_, equals - column_));
            column_ = equals;
        }
        if (line.empty())
            Fail("Identifier expected");
        if (line.find(delimiter_) != std::string::npos)
            Fail("An identifier may not contain the delimiter");
        SkipBlanks();
        if (AtEnd() || line_[column_] != '=')
            Fail("'=' expected");
        ++column_;
        SkipBlanks();
        while (!AtEnd()) {
            if (line_[column_] != '"')
                Fail("Quoted text expected");
            line += delimiter_ + Quoted();
            SkipBlanks();
            if (AtEnd())
                break;
            if (line_[column_] != ',')
                Fail("',' expected between texts");
            ++column_;
            SkipBlanks();
            if (AtEnd())
                Fail("Quoted text expected after ','");
        }
        return line + delimiter_;
    }

    std::string Quoted()
    {
        std::string text;
        ++column_;
        for (;;) {
            if (AtEnd())
                Fail("Unterminated text");
            char c = line_[column_++];
            if (c == '"')
                return text;
            if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
                Fail("Byte " + std::to_string(static_cast<unsigned char>(c)) + " must be written as \\xNN");
            if (c != '\\') {
                text += c;
                continue;
            }
            if (AtEnd())
                Fail("Unterminated text");
            switch (char e = line_[column_++]) {
            case '"':
            case '\\':
                text += e;
                break;
            case 'r':
                text += '\r';
                break;
            case 'n':
                text += '\n';
                break;
            case 't':
                text += '\t';
                break;
            case 'x': {
                unsigned value = 0;
                const char* first = line_.data() + column_;
                auto [end, ec] = std::from_chars(first, first + std::min<std::size_t>(2, line_.size() - column_), value, 16);
                if (ec != std::errc() || end != first + 2)
                    Fail("\\x must be followed by two hexadecimal digits");
                column_ += 2;
                text += char(value);
                break;
            }
            default:
                Fail(std::string("Unknown escape \\") + e);
            }
        }
    }

    std::string_view source_;
    char delimiter_;
    TTranslationLists lists_;
    std::size_t pos_ = 0;
    std::string_view line_;
    std::size_t column_ = 0;
    int lineNumber_ = 0;
};

}  // namespace

TTranslationListRefs ListRefs(const TTranslationLists& lists)
{
    TTranslationListRefs refs{};
    for (std::size_t type = 0; type < refs.size(); ++type)
        refs[type] = lists[type].get();
    return refs;
}

TTranslationLists ParseTranslationSource(std::string_view source, char delimiter)
{
    return SourceParser(source, delimiter).Parse();
}

std::string CompileWindowSource(std::string_view source)
{
    return TranslationDataBlock(ListRefs(ParseTranslationSource(source)));
}

std::vector<std::pair<int, std::string>> CompileStringTableSource(std::string_view source)
{
    TTranslationLists lists = ParseTranslationSource(source);
    for (int type = 0; type < kStringsTypeCount; ++type) {
        const auto& list = lists[std::size_t(type)];
        if (list && list->Count() > 0 && TStringsType(type) != TStringsType::stStrings)
            throw EParserError("a string table has numbered strings only");
    }
    std::vector<std::pair<int, std::string>> strings;
    const rtl::TStringList& numbered = *lists[std::size_t(TStringsType::stStrings)];
    for (int i = 0; i < numbered.Count(); ++i) {
        std::string line = numbered.Strings(i);
        std::size_t first = line.find('\x01');
        std::size_t second = line.find('\x01', first + 1);
        std::string number = line.substr(0, first);
        int id = 0;
        auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), id);
        if (ec != std::errc() || end != number.data() + number.size() || id < 1 || id > 65535)
            throw EParserError("\"" + number + "\" is not a string number (1 to 65535)");
        if (second == std::string::npos || second + 1 != line.size())
            throw EParserError("string " + number + " needs exactly one text");
        strings.emplace_back(id, line.substr(first + 1, second - first - 1));
    }
    return strings;
}

namespace {

constexpr classes::TTranslationSourceCompiler kCompiler{&CompileWindowSource, &CompileStringTableSource};

}  // namespace

void InstallTranslationSourceCompiler()
{
    classes::SetTranslationSourceCompiler(&kCompiler);
}

void RemoveTranslationSourceCompiler()
{
    classes::SetTranslationSourceCompiler(nullptr);
}

}  // namespace translation
