#include "report/script/sc_iparser.h"

#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace script {

namespace {

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(unsigned char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool IsPunctuation(unsigned char c)
{
    return (c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') || (c >= '{' && c <= '~');
}

// Characters that end a string piece unclosed: controls other than TAB, CR and LF included.
bool EndsStringPiece(unsigned char c)
{
    return c < 9 || (c >= 10 && c <= 31);
}

std::string AsciiLower(std::string_view word)
{
    std::string folded(word);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return folded;
}

bool IsAscii(std::string_view word)
{
    return std::all_of(word.begin(), word.end(), [](char c) { return static_cast<unsigned char>(c) < 128; });
}

}  // namespace

TscParser::TscParser()
{
    Keywords.SetSorted(true);
    Keywords.OnChange = [this](rtl::TStringList&) { KeywordsChanged(); };
    ResetDefaults();
}

void TscParser::ResetDefaults()
{
    Keywords.Clear();
    commentLine1_ = "//";
    commentLine2_.clear();
    SetCommentBlock(commentBlock1_, "{,}");
    SetCommentBlock(commentBlock2_, "(*,*)");
    hexSequence_ = "$";
    identChars_.reset();
    AddIdentChars('0', '9');
    AddIdentChars('A', 'Z');
    AddIdentChars('a', 'z');
    identChars_.set('_');
    skipChar_.clear();
    skipEOL_ = true;
    caseSensitive_ = false;
    stringQuotes_ = "'";
    Changed();
}

void TscParser::SetCommentBlock(CommentBlock& block, std::string_view text)
{
    rtl::TStringList items;
    items.SetCommaText(text);
    block.text = text;
    block.open = items.Count() > 0 ? items.Strings(0) : std::string();
    block.close = items.Count() > 1 ? items.Strings(1) : std::string();
}

void TscParser::KeywordsChanged()
{
    exactKeywords_.clear();
    foldedKeywords_.clear();
    keywordsAscii_ = true;
    for (int i = 0; i < Keywords.Count(); ++i) {
        const std::string keyword = Keywords.Strings(i);
        exactKeywords_.insert(keyword);
        foldedKeywords_.insert(AsciiLower(keyword));
        keywordsAscii_ = keywordsAscii_ && IsAscii(keyword);
    }
}

void TscParser::SetIdentChars(std::string_view chars)
{
    identChars_.reset();
    for (char c : chars)
        identChars_.set(static_cast<unsigned char>(c));
}

void TscParser::AddIdentChars(unsigned char first, unsigned char last)
{
    for (unsigned c = first; c <= last; ++c)
        identChars_.set(c);
}

void TscParser::SetText(std::string_view source)
{
    if (source.size() > size_t(INT_MAX) - 2)
        throw rtl::EInvalidArgument("Script text too long");
    text_.assign(source);
    text_ += '\0';
    size_ = int(source.size());
    position_ = wordStart_ = 1;
    lineStarts_.assign(1, 0);
    for (const char* p = text_.data(); (p = static_cast<const char*>(std::memchr(p, '\n', size_t(size_) - size_t(p - text_.data())))); ++p)
        lineStarts_.push_back(int(p - text_.data()) + 1);
    Changed();
}

void TscParser::SetPosition(int position)
{
    position_ = wordStart_ = position;
}

bool TscParser::TextAt(int position, std::string_view marker) const
{
    return position >= 1 && size_t(position - 1) + marker.size() <= size_t(size_) &&
           std::memcmp(text_.data() + position - 1, marker.data(), marker.size()) == 0;
}

bool TscParser::SkipLineComment()
{
    // Markers are plain character sequences; the comment runs to the LF, which is then skipped as a
    // blank, so even with visible line ends a line comment takes its line end with it.
    if (position_ >= size_)
        return false;
    if (!(!commentLine1_.empty() && TextAt(position_, commentLine1_)) &&
        !(!commentLine2_.empty() && TextAt(position_, commentLine2_)))
        return false;
    const size_t lf = text_.find('\n', size_t(position_ - 1));
    position_ = lf == std::string::npos || lf >= size_t(size_) ? size_ + 1 : int(lf) + 1;
    return true;
}

bool TscParser::SkipBlockComment(const CommentBlock& block)
{
    // Block comments do not nest; an unclosed one runs to the end of the text.
    if (block.text.empty() || block.open.empty() || !TextAt(position_, block.open))
        return false;
    const size_t close = text_.find(block.close, size_t(position_ - 1) + block.open.size());
    if (close == std::string::npos || close + block.close.size() > size_t(size_))
        position_ = size_ + 1;
    else
        position_ = int(close + block.close.size()) + 1;
    return true;
}

void TscParser::SkipSpaces()
{
    if (position_ == skippedFrom_) {
        position_ = wordStart_ = skippedTo_;
        return;
    }
    const int from = position_;
    const bool hasSkipChar = !skipChar_.empty();
    const unsigned char skipChar = hasSkipChar ? static_cast<unsigned char>(skipChar_[0]) : 0;
    // Each continuation character asks for the line end after it, once blanks and comments are past.
    long pendingLineEnds = 0;
    for (;;) {
        while (position_ <= size_ && IsBlank(At(position_)))
            ++position_;
        if (hasSkipChar && position_ <= size_ && At(position_) == skipChar) {
            ++position_;
            ++pendingLineEnds;
            continue;
        }
        if (SkipLineComment() || SkipBlockComment(commentBlock1_) || SkipBlockComment(commentBlock2_))
            continue;
        if (pendingLineEnds > 0 && position_ <= size_ && (At(position_) == '\r' || At(position_) == '\n')) {
            --pendingLineEnds;
            while (position_ <= size_ && (At(position_) == '\r' || At(position_) == '\n'))
                ++position_;
            continue;
        }
        break;
    }
    wordStart_ = position_;
    skippedFrom_ = from;
    skippedTo_ = position_;
}

bool TscParser::AtLineEnd()
{
    SkipSpaces();
    if (position_ > size_ || (At(position_) != '\r' && At(position_) != '\n'))
        return false;
    while (position_ <= size_ && (At(position_) == '\r' || At(position_) == '\n'))
        ++position_;
    return true;
}

std::string_view TscParser::ReadWordView()
{
    SkipSpaces();
    if (position_ > size_ || !identChars_[At(position_)] || IsDigit(At(position_)))
        return {};
    while (position_ <= size_ && identChars_[At(position_)])
        ++position_;
    return std::string_view(text_).substr(size_t(wordStart_ - 1), size_t(position_ - wordStart_));
}

std::string TscParser::ReadWord()
{
    return std::string(ReadWordView());
}

bool TscParser::IsKeyword(std::string_view word) const
{
    if (caseSensitive_)
        return exactKeywords_.contains(std::string(word));
    if (keywordsAscii_ && IsAscii(word))
        return foldedKeywords_.contains(AsciiLower(word));
    int index;
    return Keywords.Find(std::string(word), index);
}

bool TscParser::SameToken(std::string_view token, std::string_view text) const
{
    if (caseSensitive_)
        return token == text;
    if (IsAscii(token) && IsAscii(text)) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return std::equal(token.begin(), token.end(), text.begin(), text.end(),
                          [&](char a, char b) { return lower(a) == lower(b); });
    }
    return rtl::AnsiSameText(token, text);
}

std::string TscParser::GetIdent()
{
    const int start = position_;
    std::string word = ReadWord();
    if (!word.empty() && IsKeyword(word)) {
        position_ = start;
        return {};
    }
    return word;
}

std::string TscParser::GetKeyword()
{
    return ReadWord();
}

std::string_view TscParser::GetCharView()
{
    if (position_ > size_ || !IsPunctuation(At(position_)))
        return {};
    ++position_;
    return std::string_view(text_).substr(size_t(position_ - 2), 1);
}

std::string TscParser::GetChar()
{
    return std::string(GetCharView());
}

bool TscParser::ReadDigits(bool hex)
{
    const int start = position_;
    while (position_ <= size_ && (hex ? HexValue(At(position_)) >= 0 : IsDigit(At(position_))))
        ++position_;
    return position_ > start;
}

bool TscParser::ReadInteger()
{
    const int start = position_;
    bool read;
    if (!hexSequence_.empty() && TextAt(position_, hexSequence_)) {
        position_ += int(hexSequence_.size());
        read = ReadDigits(true);
    } else {
        read = ReadDigits(false);
    }
    if (!read)
        position_ = start;
    return read;
}

bool TscParser::ReadFloat()
{
    const int start = position_;
    if (!ReadInteger())
        return false;
    if (position_ <= size_ && At(position_) == '.') {
        ++position_;
        if (!ReadDigits(false)) {
            position_ = start;
            return false;
        }
    }
    if (position_ <= size_ && (At(position_) == 'E' || At(position_) == 'e')) {
        const int exponent = position_;
        ++position_;
        if (position_ <= size_ && (At(position_) == '+' || At(position_) == '-'))
            ++position_;
        if (!ReadDigits(false))
            position_ = exponent;
    }
    return true;
}

std::string TscParser::GetNumber()
{
    SkipSpaces();
    const int start = position_;
    if (!ReadFloat() && !ReadInteger()) {
        position_ = start;
        return {};
    }
    std::string token = text_.substr(size_t(wordStart_ - 1), size_t(position_ - wordStart_));
    if (!hexSequence_.empty() && hexSequence_ != "$") {
        for (size_t at = token.find(hexSequence_); at != std::string::npos; at = token.find(hexSequence_, at + 1))
            token.replace(at, hexSequence_.size(), "$");
    }
    return token;
}

bool TscParser::ReadQuotedPiece(std::string& out)
{
    if (stringQuotes_.empty() || position_ > size_ || At(position_) != static_cast<unsigned char>(stringQuotes_[0]))
        return false;
    const unsigned char quote = At(position_);
    const bool escapes = stringQuotes_ == "\"";
    const size_t outStart = out.size();
    int p = position_ + 1;
    for (;;) {
        unsigned char c = At(p);
        if (EndsStringPiece(c))
            break;
        if (escapes && c == '\\') {
            c = At(++p);
            if (EndsStringPiece(c))
                break;
            ++p;
            if (c == 'n' || c == 'N') {
                out += '\n';
            } else if (c == 'r') {
                out += '\r';
            } else if (c == 'x') {
                unsigned code = 0;
                bool digits = false;
                for (int v; (v = HexValue(At(p))) >= 0; ++p) {
                    code = (code * 16 + unsigned(v)) & 0xFF;
                    digits = true;
                }
                if (digits)
                    out += char(code);
            } else {
                out += char(c);
            }
            continue;
        }
        if (c == quote) {
            if (!escapes && At(p + 1) == quote) {
                out += char(quote);
                p += 2;
                continue;
            }
            position_ = p + 1;
            return true;
        }
        out += char(c);
        ++p;
    }
    out.resize(outStart);
    return false;
}

bool TscParser::ReadCharCode(std::string& out)
{
    if (position_ > size_ || At(position_) != '#')
        return false;
    const int start = position_;
    ++position_;
    const int digitsStart = position_ + (!hexSequence_.empty() && TextAt(position_, hexSequence_) ? int(hexSequence_.size()) : 0);
    const bool hex = digitsStart != position_;
    if (!ReadInteger()) {
        position_ = start;
        return false;
    }
    // The low eight bits of the code, however long the digit run.
    unsigned code = 0;
    for (int p = digitsStart; p < position_; ++p)
        code = (code * (hex ? 16 : 10) + unsigned(HexValue(At(p)))) & 0xFF;
    out += char(code);
    return true;
}

std::string TscParser::GetString()
{
    SkipSpaces();
    std::string value;
    bool read = false;
    while (ReadQuotedPiece(value) || ReadCharCode(value))
        read = true;
    return read ? "'" + value + "'" : std::string();
}

std::string TscParser::GetFRString()
{
    const int start = position_;
    int depth = 1;
    bool inSingle = false, inDouble = false;
    while (position_ <= size_) {
        const unsigned char c = At(position_);
        if (!inSingle && !inDouble) {
            if (c == '<' || c == '[')
                ++depth;
            else if (c == '>' || c == ']')
                --depth;
            if (depth == 0)
                break;
        }
        if (c == '"' && !inSingle)
            inDouble = !inDouble;
        else if (c == '\'' && !inDouble)
            inSingle = !inSingle;
        ++position_;
    }
    return text_.substr(size_t(start - 1), size_t(position_ - start));
}

std::string TscParser::PositionText(int position) const
{
    position = std::max(position, 1);
    const int line = int(std::lower_bound(lineStarts_.begin(), lineStarts_.end(), position) - lineStarts_.begin());
    return std::to_string(line) + ":" + std::to_string(position - lineStarts_[size_t(line - 1)]);
}

int TscParser::OffsetOf(int column, int line) const
{
    if (line < 1 || line > int(lineStarts_.size()))
        return -1;
    return lineStarts_[size_t(line - 1)] + column;
}

}  // namespace script
