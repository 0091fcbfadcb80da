#pragma once
// The script lexer. It keeps no token stream: the grammar interpreter asks it, at the current position,
// for one token of a given kind and moves the position back itself when a rule fails. Everything that
// differs between the script languages (comment markers, string quote, hexadecimal prefix, keywords,
// case, line ends, continuation character) is a setting. Positions are 1-based offsets into the text;
// PositionText turns them into "line:column".

#include "platform/rtl/StringList.h"

#include <bitset>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace script {

class TscParser {
public:
    TscParser();
    TscParser(const TscParser&) = delete;
    TscParser& operator=(const TscParser&) = delete;

    // Reserved words as the grammar writes them; sorted.
    rtl::TStringList Keywords;

    // Empties Keywords and restores every setting below to its default.
    void ResetDefaults();

    const std::string& CommentLine1() const { return commentLine1_; }
    void SetCommentLine1(std::string_view marker) { commentLine1_ = marker; Changed(); }
    const std::string& CommentLine2() const { return commentLine2_; }
    void SetCommentLine2(std::string_view marker) { commentLine2_ = marker; Changed(); }
    // "open,close": commas and blanks separate the two markers, a double-quoted marker is taken whole.
    const std::string& CommentBlock1() const { return commentBlock1_.text; }
    void SetCommentBlock1(std::string_view text) { SetCommentBlock(commentBlock1_, text); Changed(); }
    const std::string& CommentBlock2() const { return commentBlock2_.text; }
    void SetCommentBlock2(std::string_view text) { SetCommentBlock(commentBlock2_, text); Changed(); }
    // Only the first character is used.
    const std::string& StringQuotes() const { return stringQuotes_; }
    void SetStringQuotes(std::string_view quote) { stringQuotes_ = quote; }
    const std::string& HexSequence() const { return hexSequence_; }
    void SetHexSequence(std::string_view prefix) { hexSequence_ = prefix; }
    const std::bitset<256>& IdentChars() const { return identChars_; }
    // The identifier characters become exactly the characters of chars.
    void SetIdentChars(std::string_view chars);
    void AddIdentChars(unsigned char first, unsigned char last);
    // The line-continuation character (first character used; empty: none).
    const std::string& SkipChar() const { return skipChar_; }
    void SetSkipChar(std::string_view c) { skipChar_ = c; Changed(); }
    // Line ends count as blanks. Off, CR is no blank (LF stays one), so CR LF line ends are visible.
    bool SkipEOL() const { return skipEOL_; }
    void SetSkipEOL(bool skip) { skipEOL_ = skip; Changed(); }
    // Reserved words are matched exactly instead of without regard to case.
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool caseSensitive) { caseSensitive_ = caseSensitive; }

    // The source text; Text() holds it with one NUL after it.
    void SetText(std::string_view source);
    const std::string& Text() const { return text_; }
    int Size() const { return size_; }
    int Position() const { return position_; }
    void SetPosition(int position);
    int WordStart() const { return wordStart_; }
    // 0, then the position of every LF of the text.
    const std::vector<int>& LineStarts() const { return lineStarts_; }

    // Skips blanks, continuation characters with their line end, and comments.
    void SkipSpaces();
    // After SkipSpaces: true, with every CR and LF that follows skipped, at a line end.
    bool AtLineEnd();
    // The word of identifier characters that starts here (not with a digit), or empty.
    std::string ReadWord();
    bool IsKeyword(std::string_view word) const;
    // Whether a token equals a grammar text: exactly when case-sensitive, else without regard to case.
    bool SameToken(std::string_view token, std::string_view text) const;
    // ReadWord, or empty when the word is reserved.
    std::string GetIdent();
    // ReadWord, reserved words included.
    std::string GetKeyword();
    // The punctuation character at the position, without skipping blanks; or empty.
    std::string GetChar();
    // A decimal, float or hexadecimal number; the hexadecimal prefix is returned as "$".
    std::string GetNumber();
    // Quoted pieces and '#' character codes in a row, returned in single quotes; or empty.
    std::string GetString();
    // After an opening '<': the text up to the '>' that balances it; the position stays on that '>'.
    std::string GetFRString();
    // "line:column" of the position.
    std::string PositionText() const { return PositionText(position_); }
    std::string PositionText(int position) const;
    // The position of column on line, or -1 for a line the text does not have.
    int OffsetOf(int column, int line) const;

    // The same readers, answering views into Text() where the token stands there as written; the
    // grammar interpreter uses them to read without copying.
    std::string_view ReadWordView();
    std::string_view GetCharView();

private:
    struct CommentBlock {
        std::string text, open, close;
    };
    static void SetCommentBlock(CommentBlock& block, std::string_view text);
    // A setting that moves where SkipSpaces stops has changed.
    void Changed() { skippedFrom_ = 0; }
    void KeywordsChanged();

    unsigned char At(int position) const { return static_cast<unsigned char>(text_[size_t(position - 1)]); }
    bool IsBlank(unsigned char c) const { return c <= 32 && (skipEOL_ || c != '\r'); }
    bool TextAt(int position, std::string_view marker) const;
    bool SkipLineComment();
    bool SkipBlockComment(const CommentBlock& block);
    bool ReadDigits(bool hex);
    bool ReadInteger();
    bool ReadFloat();
    bool ReadQuotedPiece(std::string& out);
    bool ReadCharCode(std::string& out);

    std::string commentLine1_, commentLine2_;
    CommentBlock commentBlock1_, commentBlock2_;
    std::string stringQuotes_, hexSequence_, skipChar_;
    std::bitset<256> identChars_;
    bool skipEOL_ = true;
    bool caseSensitive_ = false;

    std::string text_ = std::string(1, '\0');
    int size_ = 0;
    int position_ = 1;
    int wordStart_ = 1;
    std::vector<int> lineStarts_{0};
    // The last SkipSpaces: its start and where it ended. The interpreter asks again and again at one place.
    int skippedFrom_ = 0;
    int skippedTo_ = 0;
    // Keywords folded for a look-up without the collation: ASCII words compare there as in the sorted
    // list. Rebuilt when the list changes.
    std::unordered_set<std::string> exactKeywords_, foldedKeywords_;
    bool keywordsAscii_ = true;
};

}  // namespace script
