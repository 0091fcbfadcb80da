#include "platform/gui/controls/Memo.h"

#include "platform/win/Input.h"
#include "platform/wintypes/ControlMessages.h"

#include <vector>

namespace gui {

namespace {

// The memo's text as lines: each line ends at a CR LF; a last line without one counts when it is not empty.
class TMemoStrings final : public rtl::TStrings {
public:
    explicit TMemoStrings(TCustomMemo& memo) : memo_(memo) {}

    int Count() const override { return int(Split().size()); }
    void Insert(int index, const std::string& s) override
    {
        std::vector<std::string> lines = Split();
        index = std::clamp(index, 0, int(lines.size()));
        lines.insert(lines.begin() + index, s);
        Join(lines);
    }
    void Delete(int index) override
    {
        std::vector<std::string> lines = Split();
        if (index >= 0 && index < int(lines.size())) {
            lines.erase(lines.begin() + index);
            Join(lines);
        }
    }
    void Clear() override { memo_.SetText(""); }

protected:
    std::string Get(int index) const override
    {
        const std::vector<std::string> lines = Split();
        return index >= 0 && index < int(lines.size()) ? lines[std::size_t(index)] : std::string();
    }
    void Put(int index, const std::string& s) override
    {
        std::vector<std::string> lines = Split();
        if (index >= 0 && index < int(lines.size())) {
            lines[std::size_t(index)] = s;
            Join(lines);
        }
    }

private:
    std::vector<std::string> Split() const
    {
        const std::string text = memo_.Text();
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos) {
                lines.push_back(text.substr(start));
                break;
            }
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }
    void Join(const std::vector<std::string>& lines)
    {
        std::string text;
        for (const std::string& line : lines) {
            text += line;
            text += "\r\n";
        }
        memo_.SetText(text);
    }

    TCustomMemo& memo_;
};

}  // namespace

TCustomMemo::TCustomMemo(classes::TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(*this))
{
    SetBounds(0, 0, 185, 89);
    SetAutoSize(false);
    SetControlStyle(ControlStyle() & ~csFixedHeight);
}

TCustomMemo::~TCustomMemo() = default;

const classes::TClassInfo& TCustomMemo::StaticClass()
{
    static const classes::TClassInfo info("TCustomMemo", &TCustomEdit::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCustomMemo>(c)
            .Property("Alignment", AlignmentType(), &TCustomMemo::Alignment, &TCustomMemo::SetAlignment)
            .Default(taLeftJustify)
            .Property("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines)
            .Property("ScrollBars", ScrollStyleType(), &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars)
            .Default(ssNone)
            .Property("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns).Default(1)
            .Property("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs).Default(0)
            .Property("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).Default(1)
            .Property("Text", &TCustomMemo::Text, &TCustomMemo::SetText).Stored(false);
    });
    return info;
}

const classes::TClassInfo& TMemo::StaticClass()
{
    static const classes::TClassInfo info("TMemo", &TCustomMemo::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TMemo>{c}; });
    return info;
}

void TCustomMemo::CreateParams(TCreateParams& params)
{
    TCustomEdit::CreateParams(params);
    params.style &= ~win::DWORD(win::ES_AUTOHSCROLL);
    params.style |= win::ES_MULTILINE | (alignment_ == taRightJustify ? win::ES_RIGHT
                                         : alignment_ == taCenter     ? win::ES_CENTER
                                                                      : win::ES_LEFT);
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) {
        params.style |= win::WS_VSCROLL;
    }
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) {
        params.style |= win::WS_HSCROLL;
    }
    if (!wordWrap_ || scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) {
        params.style |= win::ES_AUTOHSCROLL;
    }
}

void TCustomMemo::SetAlignment(TAlignment value)
{
    if (value != alignment_) {
        alignment_ = value;
        RecreateWnd();
    }
}

void TCustomMemo::SetScrollBars(TScrollStyle value)
{
    if (value != scrollBars_) {
        scrollBars_ = value;
        RecreateWnd();
    }
}

void TCustomMemo::SetWordWrap(bool value)
{
    if (value != wordWrap_) {
        wordWrap_ = value;
        RecreateWnd();
    }
}

void TCustomMemo::KeyPress(char& key)
{
    TCustomEdit::KeyPress(key);
    if ((key == '\r' && !wantReturns_) || (key == '\t' && !wantTabs_)) {
        key = 0;
    }
}

void TCustomMemo::Dispatch(win::TMessage& message)
{
    TCustomEdit::Dispatch(message);
    if (message.Msg == win::WM_GETDLGCODE) {
        message.Result = wantTabs_ ? message.Result | win::DLGC_WANTTAB : message.Result & ~win::DLGC_WANTTAB;
        if (!wantReturns_) {
            message.Result &= ~win::DLGC_WANTALLKEYS;
        }
    }
}

}  // namespace gui
