#include "platform/text/DrawText.h"

#include "platform/rtl/CodePage.h"
#include "platform/text/CharacterPlacement.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/TextOut.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/text/detail/FontFace.h"
#include "platform/text/detail/FontMetrics.h"
#include "platform/text/detail/TextMetrics.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

using namespace detail;

namespace {

constexpr std::u16string_view kEllipsis = u"...";

// East-Asian wide and full-width characters, between which a line may break without a blank.
bool IsFullWidth(char16_t u)
{
    return (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0x303E) || (u >= 0x3041 && u <= 0x33FF) ||
           (u >= 0x3400 && u <= 0x4DBF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xA000 && u <= 0xA4CF) ||
           (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) ||
           (u >= 0xFF00 && u <= 0xFF60) || (u >= 0xFFE0 && u <= 0xFFE6);
}

struct Line {
    std::u16string text;
    int prefix = -1;  // the unit drawn underlined; -1 for none
    int width = 0;
    bool cut = false;  // an ellipsis shortened it
};

// What text output adds to the face's advances, as the context holds it.
struct Spacing {
    int characterExtra = 0;
    int justifyExtra = 0;
    int justifyBreaks = 0;
};

// Measures a text from one start on, as far as asked and then further, a character at a time, as the
// extent calls measure the text from there: each character's advance and the character extra, the
// pending justification shared over the blanks from the start on, and with tabs expanded the tab stops
// counted from the start.
class Run {
public:
    Run(const FontFace& face, const Spacing& spacing, bool tabs, std::u16string_view text, std::size_t start)
        : face_(face), spacing_(spacing), tabs_(tabs), text_(text), end_(start), breaksLeft_(spacing.justifyBreaks),
          extraLeft_(spacing.justifyExtra)
    {
    }

    // The width of the text from the start to end, no nearer the start than the last end asked for.
    int WidthTo(std::size_t end)
    {
        while (end_ < end) {
            const TextChar c = CharAt(text_.substr(0, end), end_);
            int extra = spacing_.characterExtra;
            if (text_[end_] == u' ' && breaksLeft_ > 0) {
                const int share = extraLeft_ / breaksLeft_;
                const int justify = share + (extraLeft_ % breaksLeft_ != 0 ? (extraLeft_ > 0 ? 1 : -1) : 0);
                extra += justify;
                extraLeft_ -= justify;
                --breaksLeft_;
            }
            width_ = tabs_ && text_[end_] == u'\t' ? NextTabStop(face_, width_, {}) : width_ + face_.Advance(c.ch) + extra;
            end_ += c.units;
        }
        return width_;
    }

private:
    const FontFace& face_;
    const Spacing& spacing_;
    bool tabs_;
    std::u16string_view text_;
    std::size_t end_;
    int width_ = 0;
    int breaksLeft_;
    int extraLeft_;
};

// A line of the text: its units [from, to) and its width when wrapping measured it already (else -1).
struct Range {
    std::size_t from;
    std::size_t to;
    int width;
};

class Formatter {
public:
    Formatter(const FontFace& face, const Spacing& spacing, UINT format) : face_(face), spacing_(spacing), format_(format) {}

    int Width(std::u16string_view text) const
    {
        return Run(face_, spacing_, format_ & DT_EXPANDTABS, text, 0).WidthTo(text.size());
    }

    // The text without its prefix marks; prefix receives the unit the last "&x" marks.
    std::u16string StripPrefixes(std::u16string_view text, int& prefix) const
    {
        prefix = -1;
        if (format_ & DT_NOPREFIX) {
            return std::u16string(text);
        }
        std::u16string shown;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == u'&' && i + 1 < text.size()) {
                ++i;
                if (text[i] != u'&') {
                    prefix = int(shown.size());
                }
            }
            shown += text[i];
        }
        return shown;
    }

    // The lines of text in a rectangle width wide.
    std::vector<Line> Lines(std::u16string_view text, int prefix, int width) const
    {
        std::vector<Range> ranges;
        std::size_t begin = 0;
        while (!text.empty()) {
            std::size_t end = text.size();
            if (!(format_ & DT_SINGLELINE)) {
                end = std::min(text.find(u'\r', begin), text.find(u'\n', begin));
                end = std::min(end, text.size());
            }
            if (format_ & DT_WORDBREAK) {
                Wrap(text, begin, end, width, ranges);
            } else {
                ranges.push_back(Range{begin, end, -1});
            }
            if (end == text.size()) {
                break;
            }
            begin = end + (text.substr(end, 2) == u"\r\n" ? 2 : 1);
            // A break that ends the text starts no line.
            if (begin == text.size()) {
                break;
            }
        }
        std::vector<Line> lines;
        for (const auto& [from, to, measured] : ranges) {
            Line line;
            line.text = std::u16string(text.substr(from, to - from));
            if (prefix >= int(from) && prefix < int(to) && !(format_ & DT_HIDEPREFIX)) {
                line.prefix = prefix - int(from);
            }
            line.width = measured >= 0 ? measured : Run(face_, spacing_, format_ & DT_EXPANDTABS, text, from).WidthTo(to);
            Shorten(line, width);
            lines.push_back(std::move(line));
        }
        return lines;
    }

private:
    // Breaks text[begin, end) at blanks (and between full-width characters) into lines no wider than
    // width; a word wider than that stands alone, or with DT_EDITCONTROL is broken between characters.
    void Wrap(std::u16string_view text, std::size_t begin, std::size_t end, int width, std::vector<Range>& ranges) const
    {
        std::size_t start = begin;
        do {
            // Each line's words are measured once, the line growing a word at a time; the width of
            // the words that fit is the line's.
            Run line(face_, spacing_, format_ & DT_EXPANDTABS, text, start);
            std::size_t lineEnd = start;
            int lineWidth = 0;
            while (lineEnd < end) {
                const std::size_t next = SegmentEnd(text, lineEnd, end);
                const int grown = line.WidthTo(next);
                if (grown > width) {
                    if (lineEnd == start && (format_ & DT_EDITCONTROL)) {
                        lineEnd = CharacterBreak(text, start, next, width);
                        lineWidth = -1;
                    }
                    if (lineEnd != start) {
                        break;
                    }
                }
                lineEnd = next;
                lineWidth = grown;
            }
            std::size_t trimmed = lineEnd;
            while (trimmed > start && text[trimmed - 1] == u' ') {
                --trimmed;
            }
            ranges.push_back(Range{start, trimmed, trimmed == lineEnd ? lineWidth : -1});
            start = lineEnd;
            while (start < end && text[start] == u' ') {
                ++start;
            }
        } while (start < end);
    }

    // The end of the blanks from "from" and the word after them: a word ends at a blank and, unless
    // DT_NOFULLWIDTHCHARBREAK, between two full-width characters.
    std::size_t SegmentEnd(std::u16string_view text, std::size_t from, std::size_t end) const
    {
        const bool fullWidthBreaks = !(format_ & DT_NOFULLWIDTHCHARBREAK);
        std::size_t next = from;
        while (next < end && text[next] == u' ') {
            ++next;
        }
        while (next < end && text[next] != u' ') {
            ++next;
            if (fullWidthBreaks && next < end && IsFullWidth(text[next - 1]) && IsFullWidth(text[next])) {
                break;
            }
        }
        return next;
    }

    // The end of the most characters of text[start, end) that fit in width, at least one; a surrogate
    // pair stays whole.
    std::size_t CharacterBreak(std::u16string_view text, std::size_t start, std::size_t end, int width) const
    {
        Run run(face_, spacing_, format_ & DT_EXPANDTABS, text, start);
        std::size_t fit = start;
        while (fit < end) {
            const std::size_t next = fit + CharAt(text.substr(0, end), fit).units;
            if (fit != start && run.WidthTo(next) > width) {
                break;
            }
            fit = next;
        }
        return fit;
    }

    // Shortens a line too wide for the rectangle as the ellipsis flags ask.
    void Shorten(Line& line, int width) const
    {
        if (line.width <= width) {
            return;
        }
        if (format_ & DT_PATH_ELLIPSIS) {
            PathEllipsis(line, width);
            if (line.width > width && (format_ & DT_END_ELLIPSIS)) {
                EndEllipsis(line, width);
            }
        } else if (format_ & DT_WORD_ELLIPSIS) {
            WordEllipsis(line, width);
        } else if (format_ & DT_END_ELLIPSIS) {
            EndEllipsis(line, width);
        }
    }

    // How many leading units of text fit in room pixels, as GetTextExtentExPoint counts them (tabs as
    // characters).
    int Fit(std::u16string_view text, int room) const
    {
        // The width up to and including each unit; a surrogate pair's two units both end after the pair.
        Run run(face_, spacing_, false, text, 0);
        std::vector<int> widths(text.size());
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t next = i + CharAt(text, i).units;
            std::fill(widths.begin() + std::ptrdiff_t(i), widths.begin() + std::ptrdiff_t(next), run.WidthTo(next));
            i = next;
        }
        return FittingCount(widths, std::max(0, room));
    }

    // The line as its first cut units followed by the ellipsis and then the units from resume on.
    void Cut(Line& line, std::size_t cut, std::size_t resume) const
    {
        const std::size_t removed = resume - cut;
        const std::size_t prefix = std::size_t(line.prefix);
        if (line.prefix >= 0 && prefix >= cut) {
            line.prefix = prefix >= resume ? int(prefix - removed + kEllipsis.size()) : -1;
        }
        line.text = line.text.substr(0, cut) + std::u16string(kEllipsis) + line.text.substr(resume);
        line.width = Width(line.text);
        line.cut = true;
    }

    // Keeps the characters that fit with the ellipsis after them.
    void EndEllipsis(Line& line, int width) const
    {
        Cut(line, std::size_t(Fit(line.text, width - Width(kEllipsis))), line.text.size());
    }

    // Keeps the whole words that fit with the ellipsis after them; a first word too wide is cut.
    void WordEllipsis(Line& line, int width) const
    {
        const std::size_t fit = std::size_t(Fit(line.text, width - Width(kEllipsis)));
        std::size_t cut = line.text.rfind(u' ', fit);
        cut = cut == std::u16string::npos ? 0 : cut;
        while (cut > 0 && line.text[cut - 1] == u' ') {
            --cut;
        }
        Cut(line, cut == 0 ? fit : cut, line.text.size());
    }

    // Keeps the part from the last \ or / and as much of the start as fits, the ellipsis between them;
    // text without a separator is cut at its end.
    void PathEllipsis(Line& line, int width) const
    {
        const std::size_t separator = line.text.find_last_of(u"\\/");
        if (separator == std::u16string::npos) {
            EndEllipsis(line, width);
            return;
        }
        const std::u16string_view text = line.text;
        const int room = width - Width(std::u16string(kEllipsis) + std::u16string(text.substr(separator)));
        Cut(line, std::size_t(Fit(text.substr(0, separator), room)), separator);
    }

    const FontFace& face_;
    const Spacing& spacing_;
    UINT format_;
};

// The line in display order with its prefix moved along: right-to-left runs reversed.
void Reorder(HDC dc, Line& line)
{
    std::u16string shown(line.text.size(), u'\0');
    std::vector<UINT> order(line.text.size());
    GCP_RESULTSW results;
    results.lpOutString = shown.data();
    results.lpOrder = order.data();
    results.nGlyphs = UINT(line.text.size());
    if (GetCharacterPlacementW(dc, line.text.data(), int(line.text.size()), 0, &results, GCP_REORDER) == 0) {
        return;
    }
    if (line.prefix >= 0) {
        line.prefix = int(order[std::size_t(line.prefix)]);
    }
    line.text = std::move(shown);
}

// Lays out and, unless DT_CALCRECT, draws the text; shown receives the text of a single line an
// ellipsis shortened.
int DrawFormatted(HDC dc, std::u16string_view text, RECT& rect, UINT format, std::optional<std::u16string>& shown)
{
    // The text is laid out with the face and spacing of the context as they are now, without the lock.
    std::shared_ptr<const FontFace> face;
    Spacing spacing;
    {
        auto lock = LockGdi();
        const DeviceContext* context = FindDC(dc);
        face = context ? SelectedFace(*context) : nullptr;
        if (!face) {
            return 0;
        }
        spacing = Spacing{context->state.textCharacterExtra, context->state.justifyExtra, context->state.justifyBreaks};
    }
    const TEXTMETRIC metrics = TextMetricsW(*face);
    const Formatter formatter(*face, spacing, format);
    int prefix = -1;
    const std::u16string stripped = formatter.StripPrefixes(text, prefix);
    std::vector<Line> lines = formatter.Lines(stripped, prefix, rect.right - rect.left);
    const int height = int(lines.size()) * metrics.tmHeight;
    if (lines.size() == 1 && lines[0].cut) {
        shown = lines[0].text;
    }
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& line : lines) {
            widest = std::max(widest, line.width);
        }
        rect.right = rect.left + widest;
        rect.bottom = rect.top + height;
        return height;
    }
    int top = rect.top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER)) {
        top = rect.top + (rect.bottom - rect.top - height) / 2;
    } else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM)) {
        top = rect.bottom - height;
    } else if ((format & DT_EDITCONTROL) && !(format & DT_SINGLELINE)) {
        // As in a multi-line edit, a line the rectangle's bottom cuts is not shown.
        const int whole = std::max(0, (rect.bottom - rect.top) / std::max<int>(1, metrics.tmHeight));
        lines.resize(std::min(lines.size(), std::size_t(whole)));
    }
    const int saved = SaveDC(dc);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    if (!(format & DT_NOCLIP)) {
        IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    for (Line& line : lines) {
        if (format & DT_RTLREADING) {
            Reorder(dc, line);
        }
        int x = rect.left;
        if (format & DT_CENTER) {
            x = rect.left + (rect.right - rect.left - line.width) / 2;
        } else if (format & DT_RIGHT) {
            x = rect.right - line.width;
        }
        const int count = int(line.text.size());
        if (format & DT_EXPANDTABS) {
            TabbedTextOutW(dc, x, top, line.text.data(), count, 0, nullptr, x);
        } else {
            TextOutW(dc, x, top, line.text.data(), count);
        }
        if (line.prefix >= 0) {
            const std::u16string_view view = line.text;
            const std::size_t at = std::size_t(line.prefix);
            const int row = top + metrics.tmAscent + 1;
            const RECT bar{x + formatter.Width(view.substr(0, at)), row, x + formatter.Width(view.substr(0, at + 1)),
                           row + 1};
            const HBRUSH underline = CreateSolidBrush(GetTextColor(dc));
            FillRect(dc, &bar, underline);
            DeleteObject(underline);
        }
        top += metrics.tmHeight;
    }
    RestoreDC(dc, saved);
    return height;
}

// The text, or null for bad arguments (ERROR_INVALID_PARAMETER).
template <class Char>
std::optional<std::basic_string_view<Char>> DrawnTextOf(const Char* text, int count, const RECT* rect)
{
    if (!rect || count < -1 || (count != 0 && !text)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    if (count == -1) {
        return std::basic_string_view<Char>(text);
    }
    return count == 0 ? std::basic_string_view<Char>() : std::basic_string_view<Char>(text, std::size_t(count));
}

// Draws the text and, with DT_MODIFYSTRING, writes the shortened text back into the caller's buffer:
// at most as many characters as the text had, then a terminator where the text had one (count -1) or
// where it still lies within count.
template <class Char>
int DrawAndModify(HDC dc, const Char* text, int count, RECT* rect, UINT format)
{
    const auto view = DrawnTextOf(text, count, rect);
    if (!view) {
        return 0;
    }
    std::optional<std::u16string> shown;
    int height = 0;
    std::basic_string<Char> modified;
    if constexpr (sizeof(Char) == 1) {
        height = DrawFormatted(dc, rtl::AnsiToWide(*view), *rect, format, shown);
        if (shown) {
            modified = rtl::WideToAnsi(*shown);
        }
    } else {
        height = DrawFormatted(dc, *view, *rect, format, shown);
        if (shown) {
            modified = std::move(*shown);
        }
    }
    if ((format & DT_MODIFYSTRING) && shown) {
        // The caller's buffer: writable by the call's contract, its size known only as far as the text.
        Char* buffer = const_cast<Char*>(text);
        const std::size_t written = std::min(modified.size(), view->size());
        std::copy_n(modified.begin(), written, buffer);
        if (count == -1 || written < view->size()) {
            buffer[written] = Char(0);
        }
    }
    return height;
}

}  // namespace

int DrawTextA(HDC dc, const char* text, int count, RECT* rect, UINT format)
{
    return DrawAndModify(dc, text, count, rect, format);
}

int DrawTextW(HDC dc, const char16_t* text, int count, RECT* rect, UINT format)
{
    return DrawAndModify(dc, text, count, rect, format);
}

}  // namespace win
