#include "platform/win/DrawText.h"

#include "platform/rtl/CodePage.h"
#include "platform/win/DeviceContext.h"
#include "platform/win/GdiObjects.h"
#include "platform/win/TextMetrics.h"
#include "platform/win/TextOut.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

namespace {

constexpr std::u16string_view kEllipsis = u"...";

struct Line {
    std::u16string text;
    int prefix = -1;  // the unit drawn underlined; -1 for none
    int width = 0;
};

class Formatter {
public:
    Formatter(HDC dc, UINT format) : dc_(dc), format_(format) {}

    int Width(std::u16string_view text) const
    {
        if (format_ & DT_EXPANDTABS) {
            return LOWORD(GetTabbedTextExtentW(dc_, text.data(), int(text.size()), 0, nullptr));
        }
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.data(), int(text.size()), &size);
        return size.cx;
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
        std::vector<std::pair<std::size_t, std::size_t>> ranges;
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
                ranges.emplace_back(begin, end);
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
        for (const auto& [from, to] : ranges) {
            Line line;
            line.text = std::u16string(text.substr(from, to - from));
            if (prefix >= int(from) && prefix < int(to) && !(format_ & DT_HIDEPREFIX)) {
                line.prefix = prefix - int(from);
            }
            line.width = Width(line.text);
            if ((format_ & DT_END_ELLIPSIS) && line.width > width) {
                Ellipsis(line, width);
            }
            lines.push_back(std::move(line));
        }
        return lines;
    }

private:
    // Breaks text[begin, end) at blanks into lines no wider than width, a word wider than that alone.
    void Wrap(std::u16string_view text, std::size_t begin, std::size_t end, int width,
              std::vector<std::pair<std::size_t, std::size_t>>& ranges) const
    {
        std::size_t start = begin;
        do {
            std::size_t lineEnd = start;
            while (lineEnd < end) {
                std::size_t next = lineEnd;
                while (next < end && text[next] == u' ') {
                    ++next;
                }
                while (next < end && text[next] != u' ') {
                    ++next;
                }
                if (lineEnd != start && Width(text.substr(start, next - start)) > width) {
                    break;
                }
                lineEnd = next;
            }
            std::size_t trimmed = lineEnd;
            while (trimmed > start && text[trimmed - 1] == u' ') {
                --trimmed;
            }
            ranges.emplace_back(start, trimmed);
            start = lineEnd;
            while (start < end && text[start] == u' ') {
                ++start;
            }
        } while (start < end);
    }

    // Keeps the characters that fit with the ellipsis after them.
    void Ellipsis(Line& line, int width) const
    {
        int fit = 0;
        SIZE size{};
        GetTextExtentExPointW(dc_, line.text.data(), int(line.text.size()), std::max(0, width - Width(kEllipsis)), &fit,
                              nullptr, &size);
        line.text = line.text.substr(0, std::size_t(fit)) + std::u16string(kEllipsis);
        if (line.prefix >= fit) {
            line.prefix = -1;
        }
        line.width = Width(line.text);
    }

    HDC dc_;
    UINT format_;
};

int Draw(HDC dc, std::u16string_view text, RECT& rect, UINT format)
{
    TEXTMETRIC metrics;
    if (!GetTextMetricsW(dc, &metrics)) {
        return 0;
    }
    const Formatter formatter(dc, format);
    int prefix = -1;
    const std::u16string shown = formatter.StripPrefixes(text, prefix);
    const std::vector<Line> lines = formatter.Lines(shown, prefix, rect.right - rect.left);
    const int height = int(lines.size()) * metrics.tmHeight;
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
    }
    const int saved = SaveDC(dc);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    if (!(format & DT_NOCLIP)) {
        IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    const HBRUSH underline = CreateSolidBrush(GetTextColor(dc));
    for (const Line& line : lines) {
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
            FillRect(dc, &bar, underline);
        }
        top += metrics.tmHeight;
    }
    DeleteObject(underline);
    RestoreDC(dc, saved);
    return height;
}

// The text, or null for bad arguments (ERROR_INVALID_PARAMETER).
template <class Char>
std::optional<std::basic_string_view<Char>> TextOf(const Char* text, int count, const RECT* rect)
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

}  // namespace

int DrawTextA(HDC dc, const char* text, int count, RECT* rect, UINT format)
{
    const auto view = TextOf(text, count, rect);
    return view ? Draw(dc, rtl::AnsiToWide(*view), *rect, format) : 0;
}

int DrawTextW(HDC dc, const char16_t* text, int count, RECT* rect, UINT format)
{
    const auto view = TextOf(text, count, rect);
    return view ? Draw(dc, *view, *rect, format) : 0;
}

}  // namespace win
