#pragma once
// The text of an EDIT window and what editing does to it: the selection (an anchor and a caret), one
// level of undo whose second use redoes, the modified flag, the length limit of what the user enters,
// the character case, and the lines the text makes (broken at CR LF and, with a measure, wrapped).

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace win::detail {

class EditBuffer {
public:
    enum class Case { normal, upper, lower };
    // What a change through Replace did.
    enum class Outcome { unchanged, changed, changedAndCut, refused };

    struct Line {
        std::size_t start = 0;
        std::size_t length = 0;  // without its line break
    };
    // The width in pixels of a piece of text on one line.
    using Measure = std::function<int(std::string_view)>;

    explicit EditBuffer(bool multiLine) : multiLine_(multiLine) {}

    const std::string& Text() const { return text_; }
    // Replaces the whole text without regard to the limit (a NUL ends it); the undo buffer empties and the
    // selection goes to the start.
    void SetText(std::string_view text);

    std::size_t Anchor() const { return anchor_; }
    std::size_t Caret() const { return caret_; }
    std::size_t SelStart() const { return std::min(anchor_, caret_); }
    std::size_t SelEnd() const { return std::max(anchor_, caret_); }
    bool HasSelection() const { return anchor_ != caret_; }
    std::string SelectedText() const { return text_.substr(SelStart(), SelEnd() - SelStart()); }
    // Both ends are clamped to the text and kept off the middle of a CR LF.
    void Select(std::size_t anchor, std::size_t caret);
    void MoveCaret(std::size_t caret, bool extend) { Select(extend ? anchor_ : caret, caret); }

    // Replaces the selection by what the user (or EM_REPLACESEL) puts there: cut at a NUL, at a line break
    // in a single-line edit, in its case, and to what the limit leaves room for. typing merges the change
    // into the undo step of the typing just before it.
    Outcome Replace(std::string_view text, bool canUndo, bool typing = false);

    bool CanUndo() const { return undoValid_; }
    // Swaps the text and selection with those before the last change.
    bool Undo();
    void EmptyUndoBuffer() { undoValid_ = false; }

    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }
    std::size_t Limit() const { return limit_; }
    void SetLimit(std::size_t value) { limit_ = value; }
    Case CharCase() const { return case_; }
    void SetCharCase(Case value) { case_ = value; }
    bool MultiLine() const { return multiLine_; }

    // Word moves: the start of the next word, the start of this or the previous word; a word with the
    // blanks after it.
    std::size_t NextWord(std::size_t pos) const;
    std::size_t PreviousWord(std::size_t pos) const;
    std::pair<std::size_t, std::size_t> WordAt(std::size_t pos) const;
    // The caret one character on or back, stepping over a CR LF at once.
    std::size_t NextChar(std::size_t pos) const;
    std::size_t PreviousChar(std::size_t pos) const;

    // The lines of the text; with wrapWidth > 0 a line longer than the width breaks after its last blank
    // that fits, or between characters.
    std::vector<Line> Lines(const Measure& measure, int wrapWidth) const;
    static std::size_t LineOf(const std::vector<Line>& lines, std::size_t pos);

private:
    std::string Prepare(std::string_view text) const;
    void Remember();

    bool multiLine_;
    std::string text_;
    std::size_t anchor_ = 0;
    std::size_t caret_ = 0;
    std::size_t limit_ = 32767;
    Case case_ = Case::normal;
    bool modified_ = false;
    std::string undoText_;
    std::size_t undoAnchor_ = 0;
    std::size_t undoCaret_ = 0;
    bool undoValid_ = false;
    // Where the typing of the current undo step ended; npos when the next typing starts a new step.
    std::size_t typingEnd_ = std::string::npos;
};

}  // namespace win::detail
