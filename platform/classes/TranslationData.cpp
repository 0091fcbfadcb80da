#include "platform/classes/TranslationData.h"

#include "platform/classes/TextForm.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/StringUtils.h"

#include <charconv>

namespace classes {

namespace {

constexpr std::string_view kTypeNames[kStringsTypeCount] = {
    "stCaptions", "stHints",       "stDisplayLabels", "stFonts",       "stMultiLines", "stDlgsCaptions",
    "stStrings",  "stOtherStrings", "stLocales",      "stCollections", "stCharSets",   "stListView_TreeView_Items"};

class SourceParser {
public:
    SourceParser(std::string_view source, char delimiter) : source_(source), delimiter_(delimiter)
    {
        for (int type = 0; type < kStringsTypeCount; ++type)
            if (TStringsType(type) != TStringsType::stListView_TreeView_Items)
                lists_[std::size_t(type)].emplace();
    }

    TTranslationLists Parse()
    {
        std::vector<std::string>* target = &*lists_[std::size_t(TStringsType::stStrings)];
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
                target->push_back(Entry());
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

    std::vector<std::string>* Section()
    {
        std::size_t close = line_.find(']', column_);
        if (close == std::string_view::npos || !rtl::Trim(line_.substr(close + 1)).empty())
            Fail("Section header must be [Name]");
        std::string name = rtl::Trim(line_.substr(column_ + 1, close - column_ - 1));
        for (int type = 0; type < kStringsTypeCount; ++type)
            if (rtl::SameText(kTypeNames[type].substr(2), name) && lists_[std::size_t(type)])
                return &*lists_[std::size_t(type)];
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

std::string_view StringsTypeName(TStringsType type)
{
    return kTypeNames[int(type)];
}

std::string EncodeTranslationLine(std::string_view line)
{
    std::string encoded(line);
    for (char& c : encoded) {
        if (c == '\r')
            c = '\x19';
        else if (c == '\n')
            c = '\x1A';
    }
    return encoded;
}

std::string TranslationDataBlock(const TTranslationLists& lists)
{
    std::string block;
    for (int type = 0; type < kStringsTypeCount; ++type) {
        const auto& list = lists[std::size_t(type)];
        if (!list)
            continue;
        block.append(kTypeNames[type]).append("\r\n");
        for (const std::string& line : *list)
            block.append(EncodeTranslationLine(line)).append("\r\n");
    }
    return block;
}

void WriteTranslationData(const TTranslationLists& lists, rtl::TStream& stream)
{
    std::string block = TranslationDataBlock(lists);
    stream.WriteBuffer(block.data(), std::int64_t(block.size()));
}

TTranslationLists ParseTranslationSource(std::string_view source, char delimiter)
{
    return SourceParser(source, delimiter).Parse();
}

}  // namespace classes
