#include "components/kiturl.h"

#include "components/KitBase.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/core/Timer.h"
#include "platform/services/Shell.h"
#include "platform/services/Sound.h"
#include "platform/win/Input.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/Types.h"

namespace components {

namespace {

constexpr std::uint32_t kHoverInterval = 100;
constexpr gui::TFontStyles kUnderline = 1u << gui::fsUnderline;

}  // namespace

TKitURL::TKitURL(classes::TComponent* owner) : gui::TCustomLabel(owner)
{
    SetCursor(gui::crHandPoint);
    Font()->SetStyle(Font()->Style() | kUnderline);
}

const classes::TClassInfo& TKitURL::StaticClass()
{
    static const classes::TClassInfo info("TKitURL", &gui::TCustomLabel::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TKitURL>(c)
            .Property("About", &TKitURL::About, &TKitURL::SetAbout).Stored(false)
            .Property("HighlightColor", gui::ColorType(), &TKitURL::HighlightColor, &TKitURL::SetHighlightColor)
            .Default(gui::clRed)
            .Property("UnderlineURL", &TKitURL::UnderlineURL, &TKitURL::SetUnderlineURL).Stored(false)
            .Property("URL", &TKitURL::URL, &TKitURL::SetURL)
            .Property("UseVisitedColor", &TKitURL::UseVisitedColor, &TKitURL::SetUseVisitedColor).Default(0)
            .Property("VisitedColor", gui::ColorType(), &TKitURL::VisitedColor, &TKitURL::SetVisitedColor)
            .Stored(&TKitURL::IsVisitedColorStored);
    });
    return info;
}

std::string TKitURL::About() const
{
    return KitVersion();
}

void TKitURL::Loaded()
{
    gui::TCustomLabel::Loaded();
    restingColor_.reset();
}

std::string TKitURL::LabelText() const
{
    const std::string caption = Caption();
    return caption.empty() ? url_ : caption;
}

void TKitURL::SetURL(const std::string& value)
{
    url_ = value;
    if (Caption().empty()) {
        AdjustSize();
        Invalidate();
    }
}

gui::TColor TKitURL::Resolved(gui::TColor value) const
{
    return value == gui::clNone ? Font()->Color() : value;
}

void TKitURL::SetHighlightColor(gui::TColor value)
{
    highlightColor_ = Resolved(value);
    restingColor_.reset();
}

void TKitURL::SetVisitedColor(gui::TColor value)
{
    visitedColor_ = Resolved(value);
    restingColor_.reset();
}

bool TKitURL::UnderlineURL() const
{
    return (Font()->Style() & kUnderline) != 0;
}

void TKitURL::SetUnderlineURL(bool value)
{
    Font()->SetStyle(value ? Font()->Style() | kUnderline : Font()->Style() & ~kUnderline);
}

void TKitURL::Click()
{
    if (!url_.empty()) {
        const std::string target = url_.substr(0, MaxOpenedLength);
        const win::HINSTANCE result =
            win::ShellExecute(nullptr, "open", target.c_str(), "", "", win::SW_SHOWNORMAL);
        if (win::HandleValue(result) <= 32) {
            win::MessageBeep(0);
        }
    }
    gui::TCustomLabel::Click();
    if (useVisitedColor_) {
        restingColor_ = visitedColor_;
    }
}

bool TKitURL::Contains(win::POINT point) const
{
    const win::RECT client = ClientRect();
    return point.x >= client.left && point.x < client.right && point.y >= client.top && point.y < client.bottom;
}

void TKitURL::MouseMove(gui::TShiftState shift, int x, int y)
{
    gui::TCustomLabel::MouseMove(shift, x, y);
    if (!Contains({x, y}) || hoverTimer_) {
        return;
    }
    if (!restingColor_) {
        restingColor_ = Font()->Color();
    }
    Font()->SetColor(highlightColor_);
    hoverTimer_ = new gui::TTimer(this);
    hoverTimer_->SetInterval(kHoverInterval);
    hoverTimer_->SetOnTimer(classes::TNotifyEvent::Of<&TKitURL::HoverTick>(this));
}

void TKitURL::HoverTick(classes::TObject*)
{
    win::POINT cursor{};
    win::GetCursorPos(&cursor);
    if (Parent() && Contains(ScreenToClient(cursor))) {
        return;
    }
    delete hoverTimer_;
    hoverTimer_ = nullptr;
    // A colour property written while hovering dropped the saved colour: the font keeps its own.
    Font()->SetColor(restingColor_.value_or(Font()->Color()));
    Repaint();
}

}  // namespace components
