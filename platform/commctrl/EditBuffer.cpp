#include "platform/commctrl/detail/EditBuffer.h"

#include "platform/rtl/StringUtils.h"

namespace win::detail {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t';
}

}  // namespace

std::string EditBuffer::Prepare(std::string_view text) const
{
    text = text.substr(0, text.find('\0'));
    std::string result;
    if (!multiLine_) {
        result = text.substr(0, text.find_first_of("\r\n"));
    } else {
        // Line breaks of other systems become the CR LF the lines are made of.
        result.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                result += "\r\n";
                ++i;
            } else if (text[i] == '\r' || text[i] == '\n') {
                result += "\r\n";
            } else {
                result += text[i];
            }
        }
    }
    switch (case_) {
    case Case::upper:
        return rtl::AnsiUpperCase(result);
    case Case::lower:
        return rtl::AnsiLowerCase(result);
    case Case::normal:
        break;
    }
    return result;
}

void EditBuffer::SetText(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    text_ = case_ == Case::upper ? rtl::AnsiUpperCase(text)
            : case_ == Case::lower ? rtl::AnsiLowerCase(text)
                                   : std::string(text);
    anchor_ = caret_ = 0;
    undoValid_ = false;
    typingEnd_ = std::string::npos;
}

void EditBuffer::Select(std::size_t anchor, std::size_t caret)
{
    auto clamp = [this](std::size_t pos) {
        pos = std::min(pos, text_.size());
        if (pos > 0 && pos < text_.size() && text_[pos - 1] == '\r' && text_[pos] == '\n') {
            --pos;
        }
        return pos;
    };
    anchor_ = clamp(anchor);
    caret_ = clamp(caret);
    if (anchor_ != caret_ || caret_ != typingEnd_) {
        typingEnd_ = std::string::npos;
    }
}

void EditBuffer::Remember()
{
    undoText_ = text_;
    undoAnchor_ = anchor_;
    undoCaret_ = caret_;
    undoValid_ = true;
}

EditBuffer::Outcome EditBuffer::Replace(std::string_view text, bool canUndo, bool typing)
{
    std::string added = Prepare(text);
    const std::size_t start = SelStart();
    const std::size_t end = SelEnd();
    const std::size_t kept = text_.size() - (end - start);
    bool cut = false;
    if (kept + added.size() > limit_) {
        added.resize(limit_ > kept ? limit_ - kept : 0);
        if (!added.empty() && added.back() == '\r') {
            added.pop_back();
        }
        cut = true;
    }
    if (added.empty() && start == end) {
        return cut ? Outcome::refused : Outcome::unchanged;
    }
    const bool merge = typing && undoValid_ && start == end && typingEnd_ == start;
    if (!canUndo) {
        undoValid_ = false;
    } else if (!merge) {
        Remember();
    }
    text_.replace(start, end - start, added);
    anchor_ = caret_ = start + added.size();
    typingEnd_ = typing ? caret_ : std::string::npos;
    modified_ = true;
    return cut ? Outcome::changedAndCut : Outcome::changed;
}

bool EditBuffer::Undo()
{
    if (!undoValid_) {
        return false;
    }
    std::swap(text_, undoText_);
    std::swap(anchor_, undoAnchor_);
    std::swap(caret_, undoCaret_);
    typingEnd_ = std::string::npos;
    modified_ = true;
    return true;
}

std::size_t EditBuffer::NextWord(std::size_t pos) const
{
    pos = std::min(pos, text_.size());
    while (pos < text_.size() && !IsBlank(text_[pos])) {
        ++pos;
    }
    while (pos < text_.size() && IsBlank(text_[pos])) {
        ++pos;
    }
    return pos;
}

std::size_t EditBuffer::PreviousWord(std::size_t pos) const
{
    pos = std::min(pos, text_.size());
    while (pos > 0 && IsBlank(text_[pos - 1])) {
        --pos;
    }
    while (pos > 0 && !IsBlank(text_[pos - 1])) {
        --pos;
    }
    return pos;
}

std::pair<std::size_t, std::size_t> EditBuffer::WordAt(std::size_t pos) const
{
    pos = std::min(pos, text_.size());
    std::size_t start = pos;
    std::size_t end = pos;
    if (pos < text_.size() && IsSpace(text_[pos])) {
        while (start > 0 && IsSpace(text_[start - 1])) {
            --start;
        }
        while (end < text_.size() && IsSpace(text_[end])) {
            ++end;
        }
        return {start, end};
    }
    while (start > 0 && !IsBlank(text_[start - 1])) {
        --start;
    }
    while (end < text_.size() && !IsBlank(text_[end])) {
        ++end;
    }
    while (end < text_.size() && IsSpace(text_[end])) {
        ++end;
    }
    return {start, end};
}

std::size_t EditBuffer::NextChar(std::size_t pos) const
{
    if (pos >= text_.size()) {
        return text_.size();
    }
    if (multiLine_ && text_.compare(pos, 2, "\r\n") == 0) {
        return pos + 2;
    }
    return pos + 1;
}

std::size_t EditBuffer::PreviousChar(std::size_t pos) const
{
    pos = std::min(pos, text_.size());
    if (pos == 0) {
        return 0;
    }
    if (multiLine_ && pos >= 2 && text_.compare(pos - 2, 2, "\r\n") == 0) {
        return pos - 2;
    }
    return pos - 1;
}

std::vector<EditBuffer::Line> EditBuffer::Lines(const Measure& measure, int wrapWidth) const
{
    std::vector<Line> lines;
    const std::string_view text = text_;
    std::size_t hardStart = 0;
    for (;;) {
        std::size_t hardEnd = multiLine_ ? text.find("\r\n", hardStart) : std::string_view::npos;
        const bool last = hardEnd == std::string_view::npos;
        if (last) {
            hardEnd = text.size();
        }
        std::size_t pos = hardStart;
        if (wrapWidth > 0) {
            while (pos < hardEnd && measure(text.substr(pos, hardEnd - pos)) > wrapWidth) {
                // The longest piece that fits (widths grow with the length), at least one character.
                std::size_t low = 1;
                std::size_t high = hardEnd - pos;
                while (low < high) {
                    const std::size_t mid = (low + high + 1) / 2;
                    if (measure(text.substr(pos, mid)) <= wrapWidth) {
                        low = mid;
                    } else {
                        high = mid - 1;
                    }
                }
                std::size_t breakAt = pos + low;
                if (IsSpace(text[breakAt])) {
                    while (breakAt < hardEnd && IsSpace(text[breakAt])) {
                        ++breakAt;
                    }
                } else {
                    const std::size_t blank = text.substr(pos, low).find_last_of(" \t");
                    if (blank != std::string_view::npos) {
                        breakAt = pos + blank + 1;
                    }
                }
                if (breakAt >= hardEnd) {
                    break;
                }
                lines.push_back({pos, breakAt - pos});
                pos = breakAt;
            }
        }
        lines.push_back({pos, hardEnd - pos});
        if (last) {
            return lines;
        }
        hardStart = hardEnd + 2;
    }
}

std::size_t EditBuffer::LineOf(const std::vector<Line>& lines, std::size_t pos)
{
    auto it = std::upper_bound(lines.begin(), lines.end(), pos,
                               [](std::size_t value, const Line& line) { return value < line.start; });
    return it == lines.begin() ? 0 : std::size_t(it - lines.begin() - 1);
}

}  // namespace win::detail
