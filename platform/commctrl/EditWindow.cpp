// The EDIT window class: an EditBuffer shown in the window's font, with the caret, scrolling, keys, the
// mouse, the clipboard and the EM_ messages.

#include "platform/gdi/DeviceContext.h"
#include "platform/commctrl/detail/EditBuffer.h"
#include "platform/commctrl/detail/EditMenu.h"
#include "platform/commctrl/detail/StandardClasses.h"
#include "platform/commctrl/detail/WindowState.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/rtl/Exceptions.h"
#include "platform/services/Sound.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/TextOut.h"
#include "platform/win/Caret.h"
#include "platform/win/Cursor.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/ScrollBar.h"
#include "platform/win/Timers.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"
#include "platform/wintypes/Points.h"

#include <algorithm>
#include <cstring>

namespace win::detail {

// Named apart: the library is compiled in unity sources.
namespace edit {

constexpr win::UINT_PTR kScrollTimer = 1;
constexpr win::UINT kScrollInterval = 100;

struct EditState {
    explicit EditState(bool multiLine) : buffer(multiLine) {}

    EditBuffer buffer;
    win::HFONT font = nullptr;
    int leftMargin = 0;
    int rightMargin = 0;
    win::RECT formatRect{};
    bool formatRectSet = false;
    std::size_t firstLine = 0;
    int xOffset = 0;
    char passwordChar = 0;
    bool focused = false;
    bool selecting = false;
    win::POINT lastMouse{};
    // Set while the scroll bars are updated: showing one changes the client area, which updates them again.
    bool updatingScrollBars = false;
};

EditContextMenuHook contextMenuHook = nullptr;
EditClipboard clipboard;

EditState* StateOf(win::HWND hwnd)
{
    return reinterpret_cast<EditState*>(win::GetWindowLongPtr(hwnd, 0));
}

win::DWORD StyleOf(win::HWND hwnd)
{
    return win::DWORD(win::GetWindowLongPtr(hwnd, win::GWL_STYLE));
}

// A device context of the window with its font selected, for measuring.
class MeasureDC {
public:
    MeasureDC(win::HWND hwnd, const EditState& state) : hwnd_(hwnd), dc_(win::GetDC(hwnd))
    {
        old_ = win::SelectObject(dc_, state.font ? state.font : win::GetStockObject(win::SYSTEM_FONT));
    }
    ~MeasureDC()
    {
        win::SelectObject(dc_, old_);
        win::ReleaseDC(hwnd_, dc_);
    }
    MeasureDC(const MeasureDC&) = delete;
    MeasureDC& operator=(const MeasureDC&) = delete;
    win::HDC Handle() const { return dc_; }

private:
    win::HWND hwnd_;
    win::HDC dc_;
    win::HGDIOBJ old_;
};

// Everything that depends on the text, the font and the window's size, taken at one moment.
class Layout {
public:
    Layout(win::HWND hwnd, EditState& state) : hwnd_(hwnd), state_(state), dc_(hwnd, state), style_(StyleOf(hwnd))
    {
        win::TEXTMETRIC metrics{};
        win::GetTextMetricsA(dc_.Handle(), &metrics);
        lineHeight_ = std::max<int>(1, metrics.tmHeight);
        averageWidth_ = std::max<int>(1, metrics.tmAveCharWidth);
        format_ = FormatRect();
        const bool wrap = MultiLine() && !(style_ & win::ES_AUTOHSCROLL);
        lines_ = state.buffer.Lines([this](std::string_view text) { return Width(text); },
                                    wrap ? std::max<int>(1, int(format_.right - format_.left)) : 0);
    }

    bool MultiLine() const { return style_ & win::ES_MULTILINE; }
    const win::RECT& Format() const { return format_; }
    int LineHeight() const { return lineHeight_; }
    int AverageWidth() const { return averageWidth_; }
    const std::vector<EditBuffer::Line>& Lines() const { return lines_; }
    std::size_t LineOf(std::size_t pos) const { return EditBuffer::LineOf(lines_, pos); }
    std::size_t VisibleLines() const
    {
        return std::size_t(std::max<int>(1, int(format_.bottom - format_.top) / lineHeight_));
    }

    // What the user sees of a piece of the text.
    std::string Shown(std::size_t start, std::size_t length) const
    {
        if (state_.passwordChar) {
            return std::string(length, state_.passwordChar);
        }
        return state_.buffer.Text().substr(start, length);
    }
    // Whether a multi-line edit's text holds a tab, which moves to the next stop (every 8 average
    // character widths from the line's start).
    bool Tabbed(std::string_view shown) const { return MultiLine() && shown.find('\t') != std::string_view::npos; }
    // The width of text from the start of a line.
    int Width(std::string_view text) const
    {
        if (text.empty()) {
            return 0;
        }
        const std::string shown = state_.passwordChar ? std::string(text.size(), state_.passwordChar) : std::string(text);
        if (Tabbed(shown)) {
            return win::LOWORD(win::GetTabbedTextExtentA(dc_.Handle(), shown.data(), int(shown.size()), 0, nullptr));
        }
        win::SIZE size{};
        win::GetTextExtentPoint32A(dc_.Handle(), shown.data(), int(shown.size()), &size);
        return size.cx;
    }
    // Cumulative widths of the line's characters.
    std::vector<int> Extents(const EditBuffer::Line& line) const
    {
        std::vector<int> extents(line.length);
        if (line.length > 0) {
            const std::string shown = Shown(line.start, line.length);
            if (Tabbed(shown)) {
                for (std::size_t i = 0; i < shown.size(); ++i) {
                    extents[i] = Width(std::string_view(state_.buffer.Text()).substr(line.start, i + 1));
                }
                return extents;
            }
            win::SIZE size{};
            int fit = 0;
            win::GetTextExtentExPointA(dc_.Handle(), shown.data(), int(shown.size()), 0, &fit, extents.data(), &size);
        }
        return extents;
    }
    // Draws a piece of a line at x, its tabs counted from the line's start at lineX.
    void Draw(win::HDC dc, int x, int y, const std::string& shown, int lineX) const
    {
        if (Tabbed(shown)) {
            win::TabbedTextOutA(dc, x, y, shown.data(), int(shown.size()), 0, nullptr, lineX);
        } else {
            win::TextOutA(dc, x, y, shown.data(), int(shown.size()));
        }
    }

    // The left end of a line in client coordinates, scrolling included.
    int LineX(const EditBuffer::Line& line) const
    {
        const int room = format_.right - format_.left;
        const int width = Width(std::string_view(state_.buffer.Text()).substr(line.start, line.length));
        int x = format_.left;
        if (width < room) {
            if ((style_ & 3) == win::ES_RIGHT) {
                x += room - width;
            } else if ((style_ & 3) == win::ES_CENTER) {
                x += (room - width) / 2;
            }
        }
        return x - state_.xOffset;
    }
    int LineY(std::size_t index) const
    {
        return format_.top + (int(index) - int(state_.firstLine)) * lineHeight_;
    }
    win::POINT PosOf(std::size_t pos) const
    {
        const std::size_t index = LineOf(pos);
        const EditBuffer::Line& line = lines_[index];
        const std::size_t column = std::min(pos - line.start, line.length);
        const int x = LineX(line) + Width(std::string_view(state_.buffer.Text()).substr(line.start, column));
        return {x, LineY(index)};
    }
    // The character boundary nearest to a client point.
    std::size_t CharAt(win::POINT point) const
    {
        int index = MultiLine() ? int(state_.firstLine) + (point.y - format_.top) / lineHeight_ : 0;
        if (MultiLine() && point.y < format_.top) {
            index = int(state_.firstLine) - 1 - (format_.top - point.y - 1) / lineHeight_;
        }
        index = std::clamp(index, 0, int(lines_.size()) - 1);
        const EditBuffer::Line& line = lines_[std::size_t(index)];
        const std::vector<int> extents = Extents(line);
        const int x = point.x - LineX(line);
        std::size_t column = 0;
        int previous = 0;
        while (column < extents.size() && x > previous + (extents[column] - previous) / 2) {
            previous = extents[column];
            ++column;
        }
        return line.start + column;
    }

private:
    win::RECT FormatRect() const
    {
        if (state_.formatRectSet) {
            return state_.formatRect;
        }
        win::RECT client{};
        win::GetClientRect(hwnd_, &client);
        client.left += state_.leftMargin;
        client.right = std::max<int>(client.left, client.right - state_.rightMargin);
        return client;
    }

    win::HWND hwnd_;
    EditState& state_;
    MeasureDC dc_;
    win::DWORD style_;
    int lineHeight_ = 1;
    int averageWidth_ = 1;
    win::RECT format_{};
    std::vector<EditBuffer::Line> lines_;
};

void Notify(win::HWND hwnd, win::WORD code)
{
    if (win::HWND parent = win::GetParent(hwnd)) {
        const auto id = win::WORD(win::GetWindowLongPtr(hwnd, win::GWL_ID));
        win::SendMessage(parent, win::WM_COMMAND, win::MAKEWPARAM(id, code), reinterpret_cast<win::LPARAM>(hwnd));
    }
}

void PlaceCaret(EditState& state, const Layout& layout)
{
    if (state.focused) {
        const win::POINT at = layout.PosOf(state.buffer.Caret());
        win::SetCaretPos(at.x, at.y);
    }
}

// The width of the widest line.
int TextWidth(const EditState& state, const Layout& layout)
{
    int widest = 0;
    for (const EditBuffer::Line& line : layout.Lines()) {
        widest = std::max(widest, layout.Width(std::string_view(state.buffer.Text()).substr(line.start, line.length)));
    }
    return widest;
}

// The window's own scroll bars (WS_VSCROLL, WS_HSCROLL), always shown, hold the lines and the width of
// the text and where the view lies in them.
void UpdateScrollBars(win::HWND hwnd, EditState& state)
{
    const win::DWORD style = StyleOf(hwnd);
    if (!(style & (win::WS_VSCROLL | win::WS_HSCROLL)) || state.updatingScrollBars) {
        return;
    }
    state.updatingScrollBars = true;
    const Layout layout(hwnd, state);
    win::SCROLLINFO info;
    info.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS | win::SIF_DISABLENOSCROLL;
    info.nMin = 0;
    if (style & win::WS_VSCROLL) {
        info.nMax = int(layout.Lines().size()) - 1;
        info.nPage = win::UINT(layout.VisibleLines());
        info.nPos = int(state.firstLine);
        win::SetScrollInfo(hwnd, win::SB_VERT, &info, win::TRUE);
    }
    if (style & win::WS_HSCROLL) {
        info.nMax = std::max(TextWidth(state, layout) - 1, 0);
        info.nPage = win::UINT(std::max<int>(1, layout.Format().right - layout.Format().left));
        info.nPos = state.xOffset;
        win::SetScrollInfo(hwnd, win::SB_HORZ, &info, win::TRUE);
    }
    state.updatingScrollBars = false;
}

// Scrolls so that the caret shows: by a quarter of the width sideways, by whole lines up and down.
void ScrollToCaret(win::HWND hwnd, EditState& state)
{
    Layout layout(hwnd, state);
    const std::size_t line = layout.LineOf(state.buffer.Caret());
    if (layout.MultiLine()) {
        const std::size_t visible = layout.VisibleLines();
        std::size_t first = state.firstLine;
        first = std::min(first, layout.Lines().size() - 1);
        if (line < first) {
            first = line;
        } else if (line >= first + visible) {
            first = line - visible + 1;
        }
        if (first != state.firstLine) {
            state.firstLine = first;
            win::InvalidateRect(hwnd, nullptr, true);
            Notify(hwnd, win::EN_VSCROLL);
        }
    }
    const win::RECT& format = layout.Format();
    const int room = std::max<int>(1, format.right - format.left);
    const int x = layout.PosOf(state.buffer.Caret()).x + state.xOffset;  // unscrolled
    int offset = state.xOffset;
    if (x - offset < format.left) {
        offset = std::max(0, x - format.left - room / 4);
    } else if (x - offset >= format.right) {
        offset = x - format.right + 1 + room / 4;
    }
    const EditBuffer::Line& current = layout.Lines()[line];
    const int unscrolledEnd =
        layout.LineX(current) + state.xOffset + layout.Width(std::string_view(state.buffer.Text()).substr(current.start, current.length));
    if (!layout.MultiLine() && offset > 0 && unscrolledEnd - offset < format.right) {
        // No blank room at the right while the text could fill it.
        offset = std::max(0, unscrolledEnd - int(format.right) + 1);
        offset = std::min(offset, std::max(0, x - int(format.left)));
    }
    if (offset != state.xOffset) {
        state.xOffset = offset;
        win::InvalidateRect(hwnd, nullptr, true);
        Notify(hwnd, win::EN_HSCROLL);
    }
    PlaceCaret(state, Layout(hwnd, state));
    UpdateScrollBars(hwnd, state);
}

void SelectionChanged(win::HWND hwnd, EditState& state)
{
    win::InvalidateRect(hwnd, nullptr, true);
    ScrollToCaret(hwnd, state);
}

void TextChanged(win::HWND hwnd, EditState& state)
{
    win::InvalidateRect(hwnd, nullptr, true);
    ScrollToCaret(hwnd, state);
    Notify(hwnd, win::EN_UPDATE);
    Notify(hwnd, win::EN_CHANGE);
}

// Whether the text fits an edit that does not scroll to follow it: a single line without ES_AUTOHSCROLL
// within the width, the lines of a multi-line edit without ES_AUTOVSCROLL within the height.
bool Fits(win::HWND hwnd, EditState& state)
{
    const win::DWORD style = StyleOf(hwnd);
    const Layout layout(hwnd, state);
    if (!layout.MultiLine()) {
        return (style & win::ES_AUTOHSCROLL) ||
               layout.Width(state.buffer.Text()) <= layout.Format().right - layout.Format().left;
    }
    return (style & win::ES_AUTOVSCROLL) || layout.Lines().size() <= layout.VisibleLines();
}

// A change the user (or EM_REPLACESEL) makes; the limit, or the room of an edit that does not scroll,
// stops it with EN_MAXTEXT and a beep.
bool ReplaceSelection(win::HWND hwnd, EditState& state, std::string_view text, bool canUndo, bool typing = false)
{
    const EditBuffer before = state.buffer;
    EditBuffer::Outcome outcome = state.buffer.Replace(text, canUndo, typing);
    if (outcome != EditBuffer::Outcome::unchanged && outcome != EditBuffer::Outcome::refused && !Fits(hwnd, state)) {
        state.buffer = before;
        outcome = EditBuffer::Outcome::refused;
    }
    if (outcome == EditBuffer::Outcome::changed || outcome == EditBuffer::Outcome::changedAndCut) {
        TextChanged(hwnd, state);
    }
    if (outcome == EditBuffer::Outcome::refused || outcome == EditBuffer::Outcome::changedAndCut) {
        Notify(hwnd, win::EN_MAXTEXT);
        win::MessageBeep(0);
    }
    return outcome == EditBuffer::Outcome::changed || outcome == EditBuffer::Outcome::changedAndCut;
}

bool ReadOnly(win::HWND hwnd)
{
    return StyleOf(hwnd) & win::ES_READONLY;
}

void Copy(EditState& state)
{
    if (state.passwordChar || !state.buffer.HasSelection()) {
        return;
    }
    try {
        if (clipboard.write) {
            clipboard.write(state.buffer.SelectedText());
            return;
        }
    } catch (const rtl::Exception&) {
    }
    win::MessageBeep(0);
}

void Paste(win::HWND hwnd, EditState& state)
{
    if (ReadOnly(hwnd)) {
        win::MessageBeep(0);
        return;
    }
    std::string text;
    try {
        if (!clipboard.read) {
            win::MessageBeep(0);
            return;
        }
        text = clipboard.read();
    } catch (const rtl::Exception&) {
        win::MessageBeep(0);
        return;
    }
    ReplaceSelection(hwnd, state, text, true);
}

void Cut(win::HWND hwnd, EditState& state)
{
    if (state.passwordChar) {
        return;
    }
    Copy(state);
    if (!ReadOnly(hwnd)) {
        ReplaceSelection(hwnd, state, {}, true);
    }
}

void Undo(win::HWND hwnd, EditState& state)
{
    if (state.buffer.Undo()) {
        TextChanged(hwnd, state);
    }
}

// Deletes the selection, or the character before (back) or after the caret.
void Delete(win::HWND hwnd, EditState& state, bool back)
{
    if (ReadOnly(hwnd)) {
        win::MessageBeep(0);
        return;
    }
    EditBuffer& buffer = state.buffer;
    if (!buffer.HasSelection()) {
        const std::size_t caret = buffer.Caret();
        const std::size_t other = back ? buffer.PreviousChar(caret) : buffer.NextChar(caret);
        if (other == caret) {
            return;
        }
        buffer.Select(caret, other);
    }
    ReplaceSelection(hwnd, state, {}, true);
}

void MoveTo(win::HWND hwnd, EditState& state, std::size_t pos, bool extend)
{
    state.buffer.MoveCaret(pos, extend);
    SelectionChanged(hwnd, state);
}

// The caret moved by a line or a page, keeping its x.
std::size_t VerticalMove(const Layout& layout, const EditState& state, int lines)
{
    const std::size_t caret = state.buffer.Caret();
    const int index = int(layout.LineOf(caret)) + lines;
    if (index < 0) {
        return layout.Lines().front().start;
    }
    if (index >= int(layout.Lines().size())) {
        const EditBuffer::Line& last = layout.Lines().back();
        return last.start + last.length;
    }
    const win::POINT at = layout.PosOf(caret);
    const std::size_t target = layout.CharAt({at.x, layout.LineY(std::size_t(index)) + layout.LineHeight() / 2});
    const EditBuffer::Line& line = layout.Lines()[std::size_t(index)];
    return std::min(target, line.start + line.length);
}

void KeyDown(win::HWND hwnd, EditState& state, win::UINT key)
{
    const bool shift = win::GetKeyState(win::VK_SHIFT) < 0;
    const bool control = win::GetKeyState(win::VK_CONTROL) < 0;
    EditBuffer& buffer = state.buffer;
    const std::size_t caret = buffer.Caret();
    const Layout layout(hwnd, state);
    const bool multiLine = layout.MultiLine();
    switch (key) {
    case win::VK_LEFT:
    case win::VK_RIGHT:
    case win::VK_UP:
    case win::VK_DOWN: {
        const bool forward = key == win::VK_RIGHT || key == win::VK_DOWN;
        if (multiLine && (key == win::VK_UP || key == win::VK_DOWN)) {
            MoveTo(hwnd, state, VerticalMove(layout, state, forward ? 1 : -1), shift);
        } else if (control) {
            MoveTo(hwnd, state, forward ? buffer.NextWord(caret) : buffer.PreviousWord(caret), shift);
        } else if (buffer.HasSelection() && !shift) {
            MoveTo(hwnd, state, forward ? buffer.SelEnd() : buffer.SelStart(), false);
        } else {
            MoveTo(hwnd, state, forward ? buffer.NextChar(caret) : buffer.PreviousChar(caret), shift);
        }
        return;
    }
    case win::VK_HOME:
    case win::VK_END: {
        const bool end = key == win::VK_END;
        if (!multiLine || control) {
            MoveTo(hwnd, state, end ? buffer.Text().size() : 0, shift);
        } else {
            const EditBuffer::Line& line = layout.Lines()[layout.LineOf(caret)];
            MoveTo(hwnd, state, end ? line.start + line.length : line.start, shift);
        }
        return;
    }
    case win::VK_PRIOR:
    case win::VK_NEXT:
        if (multiLine) {
            const int page = int(layout.VisibleLines());
            MoveTo(hwnd, state, VerticalMove(layout, state, key == win::VK_NEXT ? page : -page), shift);
        }
        return;
    case win::VK_DELETE:
        if (shift) {
            Cut(hwnd, state);
        } else {
            Delete(hwnd, state, false);
        }
        return;
    case win::VK_INSERT:
        if (shift) {
            Paste(hwnd, state);
        } else if (control) {
            Copy(state);
        }
        return;
    default:
        return;
    }
}

void Char(win::HWND hwnd, EditState& state, char ch)
{
    const bool multiLine = StyleOf(hwnd) & win::ES_MULTILINE;
    switch (ch) {
    case 0x01:  // Ctrl+A
        state.buffer.Select(0, state.buffer.Text().size());
        SelectionChanged(hwnd, state);
        return;
    case 0x03:  // Ctrl+C
        Copy(state);
        return;
    case 0x16:  // Ctrl+V
        Paste(hwnd, state);
        return;
    case 0x18:  // Ctrl+X
        Cut(hwnd, state);
        return;
    case 0x1A:  // Ctrl+Z
        Undo(hwnd, state);
        return;
    case '\b':
        Delete(hwnd, state, true);
        return;
    case '\r':
    case '\n':
    case '\t':
        if (!multiLine) {
            return;
        }
        break;
    default:
        if (static_cast<unsigned char>(ch) < 0x20) {
            return;
        }
        break;
    }
    if (ReadOnly(hwnd)) {
        win::MessageBeep(0);
        return;
    }
    ReplaceSelection(hwnd, state, ch == '\r' || ch == '\n' ? std::string_view("\r\n") : std::string_view(&ch, 1), true,
                     true);
}

void Paint(win::HWND hwnd, EditState& state)
{
    win::PAINTSTRUCT paint;
    win::HDC dc = win::BeginPaint(hwnd, &paint);
    const win::DWORD style = StyleOf(hwnd);
    const bool enabled = win::IsWindowEnabled(hwnd);
    const bool asStatic = (style & win::ES_READONLY) || !enabled;
    win::HBRUSH brush = nullptr;
    if (win::HWND parent = win::GetParent(hwnd)) {
        win::SetTextColor(dc, win::GetSysColor(win::COLOR_WINDOWTEXT));
        win::SetBkColor(dc, win::GetSysColor(asStatic ? win::COLOR_BTNFACE : win::COLOR_WINDOW));
        brush = reinterpret_cast<win::HBRUSH>(win::SendMessage(parent, asStatic ? win::WM_CTLCOLORSTATIC : win::WM_CTLCOLOREDIT,
                                                               reinterpret_cast<win::WPARAM>(dc),
                                                               reinterpret_cast<win::LPARAM>(hwnd)));
    }
    if (!brush) {
        win::SetTextColor(dc, win::GetSysColor(win::COLOR_WINDOWTEXT));
        win::SetBkColor(dc, win::GetSysColor(asStatic ? win::COLOR_BTNFACE : win::COLOR_WINDOW));
        brush = win::GetSysColorBrush(asStatic ? win::COLOR_BTNFACE : win::COLOR_WINDOW);
    }
    if (!enabled) {
        win::SetTextColor(dc, win::GetSysColor(win::COLOR_GRAYTEXT));
    }
    win::RECT client{};
    win::GetClientRect(hwnd, &client);
    win::FillRect(dc, &client, brush);

    const Layout layout(hwnd, state);
    const win::RECT& format = layout.Format();
    win::IntersectClipRect(dc, format.left, format.top, format.right, format.bottom);
    const win::HGDIOBJ oldFont = win::SelectObject(dc, state.font ? state.font : win::GetStockObject(win::SYSTEM_FONT));
    win::SetBkMode(dc, win::TRANSPARENT);
    const bool showSelection = state.buffer.HasSelection() && (state.focused || (style & win::ES_NOHIDESEL));
    const std::size_t selStart = state.buffer.SelStart();
    const std::size_t selEnd = state.buffer.SelEnd();
    const std::size_t first = layout.MultiLine() ? state.firstLine : 0;
    for (std::size_t index = first; index < layout.Lines().size(); ++index) {
        const int y = layout.LineY(index);
        if (y >= format.bottom) {
            break;
        }
        const EditBuffer::Line& line = layout.Lines()[index];
        const std::string shown = layout.Shown(line.start, line.length);
        const int x = layout.LineX(line);
        layout.Draw(dc, x, y, shown, x);
        const std::size_t from = std::clamp(selStart, line.start, line.start + line.length);
        const std::size_t to = std::clamp(selEnd, line.start, line.start + line.length);
        if (showSelection && from < to) {
            const int left = x + layout.Width(std::string_view(state.buffer.Text()).substr(line.start, from - line.start));
            const int right = x + layout.Width(std::string_view(state.buffer.Text()).substr(line.start, to - line.start));
            const win::RECT selected{left, y, right, y + layout.LineHeight()};
            const win::COLORREF oldText = win::SetTextColor(dc, win::GetSysColor(win::COLOR_HIGHLIGHTTEXT));
            win::FillRect(dc, &selected, win::GetSysColorBrush(win::COLOR_HIGHLIGHT));
            const std::string part = layout.Shown(from, to - from);
            layout.Draw(dc, left, y, part, x);
            win::SetTextColor(dc, oldText);
        }
    }
    win::SelectObject(dc, oldFont);
    win::EndPaint(hwnd, &paint);
}

void SetSelection(win::HWND hwnd, EditState& state, win::WPARAM start, win::LPARAM end)
{
    const auto size = state.buffer.Text().size();
    const auto startValue = int(win::DWORD(start));
    const auto endValue = int(win::DWORD(end));
    if (startValue == -1) {
        state.buffer.Select(state.buffer.Caret(), state.buffer.Caret());
    } else {
        state.buffer.Select(std::size_t(startValue < 0 ? size : std::size_t(startValue)),
                            endValue < 0 ? size : std::size_t(endValue));
    }
    SelectionChanged(hwnd, state);
}

win::LRESULT GetLine(win::HWND hwnd, EditState& state, win::WPARAM index, win::LPARAM lParam)
{
    auto* buffer = reinterpret_cast<char*>(lParam);
    if (!buffer) {
        return 0;
    }
    win::WORD capacity = 0;
    std::memcpy(&capacity, buffer, sizeof capacity);
    const Layout layout(hwnd, state);
    const std::size_t line = layout.MultiLine() ? std::size_t(index) : 0;
    if (line >= layout.Lines().size()) {
        return 0;
    }
    const EditBuffer::Line& l = layout.Lines()[line];
    const std::size_t count = std::min<std::size_t>(capacity, l.length);
    std::memcpy(buffer, state.buffer.Text().data() + l.start, count);
    return win::LRESULT(count);
}

win::LRESULT LineLength(win::HWND hwnd, EditState& state, win::WPARAM wParam)
{
    const Layout layout(hwnd, state);
    const auto& lines = layout.Lines();
    const int index = int(win::DWORD(wParam));
    if (index == -1) {
        // The characters of the lines the selection touches that are not selected.
        const EditBuffer::Line& first = lines[layout.LineOf(state.buffer.SelStart())];
        const EditBuffer::Line& last = lines[layout.LineOf(state.buffer.SelEnd())];
        return win::LRESULT((state.buffer.SelStart() - first.start) + (last.start + last.length - std::min(state.buffer.SelEnd(), last.start + last.length)));
    }
    if (index < 0 || std::size_t(index) > state.buffer.Text().size()) {
        return 0;
    }
    return win::LRESULT(lines[layout.LineOf(std::size_t(index))].length);
}

// Shows the text from line first and pixel offset on (each kept within the text).
void ScrollView(win::HWND hwnd, EditState& state, const Layout& layout, int first, int offset)
{
    first = std::clamp(first, 0, int(layout.Lines().size()) - 1);
    offset = std::max(0, offset);
    if (std::size_t(first) != state.firstLine) {
        state.firstLine = std::size_t(first);
        Notify(hwnd, win::EN_VSCROLL);
    }
    if (offset != state.xOffset) {
        state.xOffset = offset;
        Notify(hwnd, win::EN_HSCROLL);
    }
    win::InvalidateRect(hwnd, nullptr, true);
    PlaceCaret(state, Layout(hwnd, state));
    UpdateScrollBars(hwnd, state);
}

win::LRESULT LineScroll(win::HWND hwnd, EditState& state, win::WPARAM columns, win::LPARAM lines)
{
    const Layout layout(hwnd, state);
    if (!layout.MultiLine()) {
        return 0;
    }
    ScrollView(hwnd, state, layout, int(state.firstLine) + int(lines), state.xOffset + int(columns) * layout.AverageWidth());
    return 1;
}

// WM_VSCROLL / WM_HSCROLL from the window's own scroll bars.
void ScrollBarMessage(win::HWND hwnd, EditState& state, bool vertical, win::WPARAM wParam)
{
    const Layout layout(hwnd, state);
    if (!layout.MultiLine()) {
        return;
    }
    const win::WORD code = win::LOWORD(win::DWORD(wParam));
    const int thumb = int(win::HIWORD(win::DWORD(wParam)));
    int first = int(state.firstLine);
    int offset = state.xOffset;
    if (vertical) {
        const int page = int(layout.VisibleLines());
        switch (code) {
        case win::SB_LINEUP: first -= 1; break;
        case win::SB_LINEDOWN: first += 1; break;
        case win::SB_PAGEUP: first -= page; break;
        case win::SB_PAGEDOWN: first += page; break;
        case win::SB_THUMBTRACK:
        case win::SB_THUMBPOSITION: first = thumb; break;
        case win::SB_TOP: first = 0; break;
        case win::SB_BOTTOM: first = int(layout.Lines().size()) - page; break;
        default: return;
        }
    } else {
        const int room = std::max<int>(1, layout.Format().right - layout.Format().left);
        const int widest = TextWidth(state, layout);
        switch (code) {
        case win::SB_LINELEFT: offset -= layout.AverageWidth(); break;
        case win::SB_LINERIGHT: offset += layout.AverageWidth(); break;
        case win::SB_PAGELEFT: offset -= room; break;
        case win::SB_PAGERIGHT: offset += room; break;
        case win::SB_THUMBTRACK:
        case win::SB_THUMBPOSITION: offset = thumb; break;
        case win::SB_LEFT: offset = 0; break;
        case win::SB_RIGHT: offset = widest - room; break;
        default: return;
        }
        offset = std::min(offset, std::max(0, widest - room));
    }
    ScrollView(hwnd, state, layout, first, offset);
}

void SetMargins(win::HWND hwnd, EditState& state, win::WPARAM flags, win::LPARAM lParam)
{
    auto margin = [&](int value) {
        if (value == int(win::EC_USEFONTINFO)) {
            return Layout(hwnd, state).AverageWidth() / 2;
        }
        return std::max(0, int(std::int16_t(value)));
    };
    if (flags & win::EC_LEFTMARGIN) {
        state.leftMargin = margin(win::LOWORD(win::DWORD(lParam)));
    }
    if (flags & win::EC_RIGHTMARGIN) {
        state.rightMargin = margin(win::HIWORD(win::DWORD(lParam)));
    }
    win::InvalidateRect(hwnd, nullptr, true);
    ScrollToCaret(hwnd, state);
}

void MouseSelect(win::HWND hwnd, EditState& state, win::POINT point)
{
    state.lastMouse = point;
    const std::size_t pos = Layout(hwnd, state).CharAt(point);
    if (pos != state.buffer.Caret()) {
        MoveTo(hwnd, state, pos, true);
    }
}

win::LRESULT TextMessage(win::HWND hwnd, EditState& state, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    const std::string& text = state.buffer.Text();
    switch (message) {
    case win::WM_SETTEXT: {
        state.buffer.SetText(lParam ? reinterpret_cast<const char*>(lParam) : "");
        state.buffer.SetModified(false);
        state.xOffset = 0;
        state.firstLine = 0;
        win::InvalidateRect(hwnd, nullptr, true);
        ScrollToCaret(hwnd, state);
        if (!(StyleOf(hwnd) & win::ES_MULTILINE)) {
            Notify(hwnd, win::EN_UPDATE);
            Notify(hwnd, win::EN_CHANGE);
        }
        return 1;
    }
    case win::WM_GETTEXT: {
        auto* buffer = reinterpret_cast<char*>(lParam);
        if (!buffer || wParam == 0) {
            return 0;
        }
        const std::size_t count = std::min<std::size_t>(text.size(), std::size_t(wParam) - 1);
        std::memcpy(buffer, text.data(), count);
        buffer[count] = '\0';
        return win::LRESULT(count);
    }
    default:
        return win::LRESULT(text.size());
    }
}

win::LRESULT EditMessage(win::HWND hwnd, EditState& state, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    EditBuffer& buffer = state.buffer;
    switch (message) {
    case win::EM_GETSEL: {
        const auto start = win::DWORD(buffer.SelStart());
        const auto end = win::DWORD(buffer.SelEnd());
        if (auto* out = reinterpret_cast<win::DWORD*>(wParam)) {
            *out = start;
        }
        if (auto* out = reinterpret_cast<win::DWORD*>(lParam)) {
            *out = end;
        }
        return win::LRESULT(win::MAKELONG(win::WORD(std::min<win::DWORD>(start, 0xFFFF)),
                                          win::WORD(std::min<win::DWORD>(end, 0xFFFF))));
    }
    case win::EM_SETSEL:
        SetSelection(hwnd, state, wParam, lParam);
        return 0;
    case win::EM_REPLACESEL:
        ReplaceSelection(hwnd, state, lParam ? reinterpret_cast<const char*>(lParam) : "", wParam != 0);
        return 0;
    case win::EM_LIMITTEXT:
        buffer.SetLimit(wParam == 0 ? 0x7FFFFFFE : std::size_t(std::min<win::WPARAM>(wParam, 0x7FFFFFFE)));
        return 0;
    case win::EM_GETLIMITTEXT:
        return win::LRESULT(buffer.Limit());
    case win::EM_SETREADONLY: {
        const win::DWORD style = StyleOf(hwnd);
        win::SetWindowLongPtr(hwnd, win::GWL_STYLE,
                              win::LONG_PTR(wParam ? style | win::ES_READONLY : style & ~win::ES_READONLY));
        win::InvalidateRect(hwnd, nullptr, true);
        return 1;
    }
    case win::EM_SETMARGINS:
        SetMargins(hwnd, state, wParam, lParam);
        return 0;
    case win::EM_GETMARGINS:
        return win::LRESULT(win::MAKELONG(win::WORD(state.leftMargin), win::WORD(state.rightMargin)));
    case win::EM_SETRECT:
    case win::EM_SETRECTNP:
        if (const auto* rect = reinterpret_cast<const win::RECT*>(lParam)) {
            state.formatRect = *rect;
            state.formatRect.right = std::max(state.formatRect.right, state.formatRect.left);
            state.formatRect.bottom = std::max(state.formatRect.bottom, state.formatRect.top);
            state.formatRectSet = true;
        } else {
            state.formatRectSet = false;
        }
        if (message == win::EM_SETRECT) {
            win::InvalidateRect(hwnd, nullptr, true);
        }
        ScrollToCaret(hwnd, state);
        return 0;
    case win::EM_GETRECT:
        if (auto* rect = reinterpret_cast<win::RECT*>(lParam)) {
            *rect = Layout(hwnd, state).Format();
        }
        return 0;
    case win::EM_POSFROMCHAR: {
        if (wParam >= buffer.Text().size()) {
            return -1;
        }
        const win::POINT at = Layout(hwnd, state).PosOf(std::size_t(wParam));
        return win::LRESULT(win::MAKELONG(win::WORD(at.x), win::WORD(at.y)));
    }
    case win::EM_CHARFROMPOS: {
        const Layout layout(hwnd, state);
        const std::size_t pos = layout.CharAt(PointOf(lParam));
        return win::LRESULT(win::MAKELONG(win::WORD(std::min<std::size_t>(pos, 0xFFFF)),
                                          win::WORD(std::min<std::size_t>(layout.LineOf(pos), 0xFFFF))));
    }
    case win::EM_GETLINECOUNT:
        return win::LRESULT(Layout(hwnd, state).Lines().size());
    case win::EM_LINEINDEX: {
        const Layout layout(hwnd, state);
        const int index = int(win::DWORD(wParam));
        const std::size_t line = index == -1 ? layout.LineOf(buffer.Caret()) : std::size_t(index);
        if (index < -1 || line >= layout.Lines().size()) {
            return -1;
        }
        return win::LRESULT(layout.Lines()[line].start);
    }
    case win::EM_LINELENGTH:
        return LineLength(hwnd, state, wParam);
    case win::EM_GETLINE:
        return GetLine(hwnd, state, wParam, lParam);
    case win::EM_LINEFROMCHAR: {
        const Layout layout(hwnd, state);
        const int index = int(win::DWORD(wParam));
        return win::LRESULT(layout.LineOf(index < 0 ? buffer.SelStart() : std::size_t(index)));
    }
    case win::EM_LINESCROLL:
        return LineScroll(hwnd, state, wParam, lParam);
    case win::EM_SCROLLCARET:
        ScrollToCaret(hwnd, state);
        return 1;
    case win::EM_GETFIRSTVISIBLELINE: {
        const Layout layout(hwnd, state);
        if (layout.MultiLine()) {
            return win::LRESULT(state.firstLine);
        }
        return win::LRESULT(layout.CharAt({layout.Format().left, layout.Format().top}));
    }
    case win::EM_CANUNDO:
        return buffer.CanUndo();
    case win::EM_UNDO: {
        const bool can = buffer.CanUndo();
        Undo(hwnd, state);
        return can;
    }
    case win::EM_EMPTYUNDOBUFFER:
        buffer.EmptyUndoBuffer();
        return 0;
    case win::EM_GETMODIFY:
        return buffer.Modified();
    case win::EM_SETMODIFY:
        buffer.SetModified(wParam != 0);
        return 0;
    case win::EM_SETPASSWORDCHAR: {
        state.passwordChar = char(wParam);
        const win::DWORD style = StyleOf(hwnd);
        win::SetWindowLongPtr(hwnd, win::GWL_STYLE,
                              win::LONG_PTR(wParam ? style | win::ES_PASSWORD : style & ~win::ES_PASSWORD));
        win::InvalidateRect(hwnd, nullptr, true);
        ScrollToCaret(hwnd, state);
        return 0;
    }
    case win::EM_GETPASSWORDCHAR:
        return static_cast<unsigned char>(state.passwordChar);
    default:
        return 0;
    }
}

EditState* Create(win::LPARAM lParam)
{
    const auto* create = reinterpret_cast<const win::CREATESTRUCT*>(lParam);
    const win::DWORD style = create ? win::DWORD(create->style) : 0;
    auto* state = new EditState(style & win::ES_MULTILINE);
    if (style & win::ES_UPPERCASE) {
        state->buffer.SetCharCase(EditBuffer::Case::upper);
    } else if (style & win::ES_LOWERCASE) {
        state->buffer.SetCharCase(EditBuffer::Case::lower);
    }
    if ((style & win::ES_PASSWORD) && !(style & win::ES_MULTILINE)) {
        state->passwordChar = '*';
    }
    if (create && create->lpszName) {
        state->buffer.SetText(create->lpszName);
    }
    return state;
}

win::LRESULT EditProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    EditState* state = LiveState<EditState>(hwnd, message, [lParam] { return Create(lParam); });
    if (!state) {
        return win::DefWindowProc(hwnd, message, wParam, lParam);
    }
    switch (message) {
    case win::WM_SETTEXT:
    case win::WM_GETTEXT:
    case win::WM_GETTEXTLENGTH:
        return TextMessage(hwnd, *state, message, wParam, lParam);
    case win::WM_PAINT:
        Paint(hwnd, *state);
        return 0;
    case win::WM_ERASEBKGND:
        return 1;
    case win::WM_SIZE:
    case win::WM_ENABLE:
    case win::WM_STYLECHANGED:
        win::InvalidateRect(hwnd, nullptr, true);
        ScrollToCaret(hwnd, *state);
        return 0;
    case win::WM_SETFONT:
        state->font = reinterpret_cast<win::HFONT>(wParam);
        if (state->focused) {
            win::CreateCaret(hwnd, nullptr, 1, Layout(hwnd, *state).LineHeight());
            win::ShowCaret(hwnd);
        }
        if (lParam) {
            win::InvalidateRect(hwnd, nullptr, true);
        }
        ScrollToCaret(hwnd, *state);
        return 0;
    case win::WM_GETFONT:
        return reinterpret_cast<win::LRESULT>(state->font);
    case win::WM_VSCROLL:
    case win::WM_HSCROLL:
        ScrollBarMessage(hwnd, *state, message == win::WM_VSCROLL, wParam);
        return 0;
    case win::WM_GETDLGCODE:
        return win::DLGC_WANTCHARS | win::DLGC_HASSETSEL | win::DLGC_WANTARROWS |
               ((StyleOf(hwnd) & win::ES_MULTILINE) ? win::DLGC_WANTALLKEYS : 0);
    case win::WM_SETFOCUS:
        state->focused = true;
        win::CreateCaret(hwnd, nullptr, 1, Layout(hwnd, *state).LineHeight());
        PlaceCaret(*state, Layout(hwnd, *state));
        win::ShowCaret(hwnd);
        win::InvalidateRect(hwnd, nullptr, true);
        Notify(hwnd, win::EN_SETFOCUS);
        return 0;
    case win::WM_KILLFOCUS:
        state->focused = false;
        win::DestroyCaret();
        win::InvalidateRect(hwnd, nullptr, true);
        Notify(hwnd, win::EN_KILLFOCUS);
        return 0;
    case win::WM_KEYDOWN:
        KeyDown(hwnd, *state, win::UINT(wParam));
        return 0;
    case win::WM_CHAR:
        Char(hwnd, *state, char(wParam));
        return 0;
    case win::WM_IME_CHAR:
        if (wParam > 0xFF) {
            Char(hwnd, *state, char(wParam >> 8));
        }
        Char(hwnd, *state, char(wParam));
        return 0;
    case win::WM_LBUTTONDOWN: {
        if (win::GetFocus() != hwnd) {
            win::SetFocus(hwnd);
        }
        const std::size_t pos = Layout(hwnd, *state).CharAt(PointOf(lParam));
        MoveTo(hwnd, *state, pos, (wParam & win::MK_SHIFT) != 0);
        state->selecting = true;
        state->lastMouse = PointOf(lParam);
        win::SetCapture(hwnd);
        win::SetTimer(hwnd, kScrollTimer, kScrollInterval, nullptr);
        return 0;
    }
    case win::WM_LBUTTONDBLCLK: {
        const auto [start, end] = state->buffer.WordAt(Layout(hwnd, *state).CharAt(PointOf(lParam)));
        state->buffer.Select(start, end);
        SelectionChanged(hwnd, *state);
        return 0;
    }
    case win::WM_MOUSEMOVE:
        if (state->selecting) {
            MouseSelect(hwnd, *state, PointOf(lParam));
        }
        return 0;
    case win::WM_TIMER:
        if (wParam == kScrollTimer) {
            if (state->selecting) {
                MouseSelect(hwnd, *state, state->lastMouse);
            } else {
                win::KillTimer(hwnd, kScrollTimer);
            }
            return 0;
        }
        break;
    case win::WM_LBUTTONUP:
        if (state->selecting) {
            state->selecting = false;
            win::KillTimer(hwnd, kScrollTimer);
            win::ReleaseCapture();
        }
        return 0;
    case win::WM_CAPTURECHANGED:
        state->selecting = false;
        win::KillTimer(hwnd, kScrollTimer);
        return 0;
    case win::WM_CUT:
        Cut(hwnd, *state);
        return 0;
    case win::WM_COPY:
        Copy(*state);
        return 0;
    case win::WM_PASTE:
        Paste(hwnd, *state);
        return 0;
    case win::WM_CLEAR:
        if (!ReadOnly(hwnd)) {
            ReplaceSelection(hwnd, *state, {}, true);
        }
        return 0;
    case win::WM_UNDO:
        return EditMessage(hwnd, *state, win::EM_UNDO, 0, 0);
    case win::WM_CONTEXTMENU:
        if (contextMenuHook) {
            contextMenuHook(hwnd, PointOf(lParam));
            return 0;
        }
        break;
    default:
        if (message >= win::EM_GETSEL && message <= win::EM_CHARFROMPOS) {
            return EditMessage(hwnd, *state, message, wParam, lParam);
        }
        break;
    }
    return win::DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace edit

EditContextMenuHook& EditContextMenu()
{
    return edit::contextMenuHook;
}

EditClipboard& EditClipboardHook()
{
    return edit::clipboard;
}

void RegisterEditClass()
{
    edit::contextMenuHook = ShowEditContextMenu;
    RegisterStandardClass("EDIT", &edit::EditProc, win::CS_DBLCLKS, win::LoadCursor(nullptr, win::IDC_IBEAM));
}

}  // namespace win::detail
