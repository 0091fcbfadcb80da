#include "platform/gui/controls/ToolBar.h"

#include "platform/gui/controls/Menus.h"
#include "platform/gui/controls/detail/Frame3D.h"
#include "platform/gui/controls/detail/ScreenText.h"
#include "platform/gui/core/Action.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/PopupMenu.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/gui/graphics/Font.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/List.h"
#include "platform/text/DrawText.h"

#include <algorithm>

namespace gui {

namespace {

constexpr int kArrowWidth = 13;      // the drop-down part of a tbsDropDown button
constexpr int kSeparatorWidth = 8;   // a new separator's or divider's width
constexpr int kCaptionGap = 4;       // between a picture and its caption

}  // namespace

const classes::TTypeInfo& ToolButtonStyleType()
{
    static const classes::TTypeInfo type =
            classes::EnumType("TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"});
    return type;
}

const classes::TTypeInfo& EdgeBordersType()
{
    static const classes::TTypeInfo element = classes::EnumType("TEdgeBorder", {"ebLeft", "ebTop", "ebRight", "ebBottom"});
    static const classes::TTypeInfo type = classes::SetType("TEdgeBorders", element);
    return type;
}

// --- TToolButton ---

TToolButton::TToolButton(classes::TComponent* owner) : TGraphicControl(owner)
{
    // The button clicks by itself: the arrow part of a drop-down button does not.
    SetControlStyle(csCaptureMouse | csSetCaption);
    SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton()
{
    if (menuItem_) {
        menuItem_->UnRegisterChanges(classes::TNotifyEvent::Of<&TToolButton::MenuItemChanged>(this));
    }
}

const classes::TClassInfo& TToolButton::StaticClass()
{
    static const classes::TClassInfo info("TToolButton", &TGraphicControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TToolButton>(c)
            .Property("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp).Default(0)
            .Property("Caption", &TToolButton::Caption, &TToolButton::SetCaption).Stored(&TToolButton::IsCaptionStored)
            .Property("Down", &TToolButton::Down, &TToolButton::SetDown).Default(0)
            .Property("DropdownMenu", classes::ClassRefType<classes::TComponent>(), &TToolButton::DropdownMenu,
                      &TToolButton::SetDropdownMenu)
            .Property("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped).Default(0)
            .Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1)
            .Property("MenuItem", classes::ClassRefType<TMenuItem>(), &TToolButton::MenuItem, &TToolButton::SetMenuItem)
            .Property("Style", ToolButtonStyleType(), &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton)
            .Property("Wrap", &TToolButton::Wrap, &TToolButton::SetWrap).Default(0);
    });
    return info;
}

TToolBar* TToolButton::Bar() const
{
    return dynamic_cast<TToolBar*>(Parent());
}

int TToolButton::Index() const
{
    TToolBar* bar = Bar();
    if (!bar) {
        return -1;
    }
    const auto& buttons = bar->buttons_;
    const auto at = std::find(buttons.begin(), buttons.end(), this);
    return at == buttons.end() ? -1 : int(at - buttons.begin());
}

void TToolButton::SetStyle(TToolButtonStyle value)
{
    if (value == style_) {
        return;
    }
    const bool wasGap = style_ == tbsSeparator || style_ == tbsDivider;
    style_ = value;
    if ((value == tbsSeparator || value == tbsDivider) && !wasGap && !HasState(classes::csLoading)) {
        SetWidth(kSeparatorWidth);
    }
    if (TToolBar* bar = Bar()) {
        bar->Relayout();
    }
    Invalidate();
}

void TToolButton::SetImageIndex(int value)
{
    if (value != imageIndex_) {
        imageIndex_ = value;
        Invalidate();
    }
}

void TToolButton::SetWrap(bool value)
{
    if (value != wrap_) {
        wrap_ = value;
        if (TToolBar* bar = Bar()) {
            bar->Relayout();
        }
    }
}

void TToolButton::SetDropdownMenu(classes::TComponent* value)
{
    // A component without the popup interface is no drop-down menu.
    if (value && !classes::Supports<IPopupMenu>(value)) {
        value = nullptr;
    }
    if (dropdownMenu_) {
        dropdownMenu_->RemoveFreeNotification(this);
    }
    dropdownMenu_ = value;
    if (value) {
        value->FreeNotification(this);
    }
}

void TToolButton::SetMenuItem(TMenuItem* value)
{
    const auto changed = classes::TNotifyEvent::Of<&TToolButton::MenuItemChanged>(this);
    if (menuItem_) {
        menuItem_->UnRegisterChanges(changed);
        menuItem_->RemoveFreeNotification(this);
    }
    menuItem_ = value;
    if (!value) {
        return;
    }
    value->FreeNotification(this);
    value->RegisterChanges(changed);
    MenuItemChanged(value);
}

void TToolButton::MenuItemChanged(classes::TObject*)
{
    SetCaption(menuItem_->Caption());
    SetHint(menuItem_->Hint());
    SetImageIndex(menuItem_->ImageIndex());
    SetEnabled(menuItem_->Enabled());
    SetVisible(menuItem_->Visible());
    SetDown(menuItem_->Checked());
}

bool TToolButton::HasMenu() const
{
    // The item's sub-items drop down where the popup list routes their messages: in a popup menu.
    return dropdownMenu_ ||
           (menuItem_ && menuItem_->Count() > 0 && dynamic_cast<TPopupMenu*>(menuItem_->GetParentMenu()));
}

void TToolButton::Notification(classes::TComponent* component, classes::TOperation operation)
{
    if (operation == classes::TOperation::Remove && component == dropdownMenu_) {
        dropdownMenu_ = nullptr;
    }
    if (operation == classes::TOperation::Remove && component == menuItem_) {
        menuItem_ = nullptr;
    }
    TGraphicControl::Notification(component, operation);
}

std::vector<TToolButton*> TToolButton::Group()
{
    TToolBar* bar = Bar();
    if (!bar || style_ != tbsCheck || !grouped_) {
        return {this};
    }
    const auto& buttons = bar->buttons_;
    const int index = Index();
    int first = index;
    while (first > 0 && buttons[std::size_t(first - 1)]->style_ == tbsCheck && buttons[std::size_t(first - 1)]->grouped_) {
        --first;
    }
    std::vector<TToolButton*> group;
    for (int i = first; i < int(buttons.size()) && buttons[std::size_t(i)]->style_ == tbsCheck && buttons[std::size_t(i)]->grouped_;
         ++i) {
        group.push_back(buttons[std::size_t(i)]);
    }
    return group;
}

void TToolButton::SetDown(bool value)
{
    if (value == down_) {
        return;
    }
    down_ = value;
    if (value && !HasState(classes::csLoading)) {
        for (TToolButton* other : Group()) {
            if (other != this && other->down_) {
                other->down_ = false;
                other->Invalidate();
            }
        }
    }
    Invalidate();
}

void TToolButton::ActionChange(TBasicAction* sender, bool checkDefaults)
{
    TGraphicControl::ActionChange(sender, checkDefaults);
    if (auto* action = dynamic_cast<TCustomAction*>(sender)) {
        if (!checkDefaults || imageIndex_ == -1) {
            SetImageIndex(action->ImageIndex());
        }
        if (!checkDefaults || !down_) {
            SetDown(action->Checked());
        }
        // Later changes of the action's picture and check state reach the button too.
        ActionLink()->OnChange = classes::TNotifyEvent::Of<&TToolButton::ActionChanged>(this);
    }
}

void TToolButton::ActionChanged(classes::TObject* sender)
{
    if (auto* action = dynamic_cast<TCustomAction*>(sender)) {
        SetImageIndex(action->ImageIndex());
        SetDown(action->Checked());
    }
}

bool TToolButton::CheckMenuDropdown()
{
    auto* menu = classes::Supports<IPopupMenu>(dropdownMenu_);
    if (!HasMenu() || menuShowing_) {
        return false;
    }
    menuShowing_ = true;
    Invalidate();
    const win::POINT below = ClientToScreen({0, Height()});
    try {
        if (menu) {
            menu->SetPopupComponent(this);
            menu->Popup(int(below.x), int(below.y));
        } else {
            TPopupMenu::PopupItems(menuItem_, int(below.x), int(below.y));
        }
    } catch (...) {
        menuShowing_ = false;
        Invalidate();
        throw;
    }
    menuShowing_ = false;
    Invalidate();
    return true;
}

void TToolButton::Click()
{
    if (style_ == tbsCheck) {
        if (!down_) {
            SetDown(true);
        } else if (!grouped_ || allowAllUp_) {
            SetDown(false);
        }
    }
    if (menuItem_ && !Action() && !OnClick) {
        menuItem_->Click();
        return;
    }
    TGraphicControl::Click();
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled() || style_ == tbsSeparator || style_ == tbsDivider) {
        return;
    }
    const bool onArrow = style_ == tbsDropDown && x >= Width() - kArrowWidth;
    if (onArrow || (style_ != tbsDropDown && HasMenu())) {
        // The menu's own loop takes the mouse from here.
        SetMouseCapture(false);
        CheckMenuDropdown();
        return;
    }
    pressed_ = true;
    pressedInside_ = true;
    Invalidate();
}

void TToolButton::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (pressed_) {
        const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
        if (inside != pressedInside_) {
            pressedInside_ = inside;
            Invalidate();
        }
    }
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    const bool click = button == mbLeft && pressed_ && pressedInside_;
    if (button == mbLeft) {
        pressed_ = false;
        pressedInside_ = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
    if (click) {
        Click();
    }
}

void TToolButton::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TGraphicControl::Dispatch(message);
        if (message.LParam == 0 || reinterpret_cast<TControl*>(message.LParam) == this) {
            hot_ = message.Msg == CM_MOUSEENTER && Enabled();
            Invalidate();
        }
        return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
        TGraphicControl::Dispatch(message);
        if (TToolBar* bar = Bar(); bar && message.Msg == CM_TEXTCHANGED) {
            bar->Relayout();
        }
        Invalidate();
        return;
    default:
        TGraphicControl::Dispatch(message);
    }
}

void TToolButton::DrawArrowPart(const win::RECT& rect)
{
    TCanvas* canvas = Canvas();
    const int x = (rect.left + rect.right) / 2 - 2;
    const int y = (rect.top + rect.bottom) / 2 - 1;
    const TColor color = Enabled() ? clBtnText : clBtnShadow;
    for (int row = 0; row < 3; ++row) {
        for (int i = row; i < 5 - row; ++i) {
            canvas->SetPixels(x + i, y + row, color);
        }
    }
}

void TToolButton::Paint()
{
    TToolBar* bar = Bar();
    TCanvas* canvas = Canvas();
    const win::RECT all = ClientRect();
    if (style_ == tbsSeparator) {
        return;
    }
    if (style_ == tbsDivider) {
        win::RECT line{Width() / 2 - 1, 0, Width() / 2 + 1, Height()};
        detail::Frame3D(*canvas, line, clBtnShadow, clBtnHighlight, 1);
        return;
    }
    const bool flat = bar && bar->Flat();
    const bool sunken = down_ || (pressed_ && pressedInside_) || menuShowing_;
    win::RECT button = all;
    if (style_ == tbsDropDown) {
        button.right -= kArrowWidth;
    }
    // Flat: raised only under the mouse, sunken while down; else always raised.
    auto frame = [&](win::RECT rect, bool down, bool raised) {
        if (down) {
            detail::Frame3D(*canvas, rect, clBtnShadow, clBtnHighlight, 1);
        } else if (raised) {
            if (flat) {
                detail::Frame3D(*canvas, rect, clBtnHighlight, clBtnShadow, 1);
            } else {
                detail::Frame3D(*canvas, rect, clBtnHighlight, cl3DDkShadow, 1);
                detail::Frame3D(*canvas, rect, clBtnFace, clBtnShadow, 1);
            }
        }
    };
    const bool raised = !flat || hot_;
    frame(button, sunken && !(style_ == tbsDropDown && menuShowing_), raised);
    if (style_ == tbsDropDown) {
        const win::RECT arrow{button.right, all.top, all.right, all.bottom};
        frame(arrow, menuShowing_, raised);
        DrawArrowPart(arrow);
    }

    const int shift = sunken ? 1 : 0;
    TCustomImageList* images = bar ? bar->Images() : nullptr;
    TCustomImageList* shown = images;
    bool greyed = false;
    if (bar && !Enabled()) {
        shown = bar->DisabledImages() ? bar->DisabledImages() : images;
        greyed = !bar->DisabledImages();
    } else if (bar && hot_ && bar->HotImages()) {
        shown = bar->HotImages();
    }
    const bool captions = bar && bar->ShowCaptions();
    const std::string caption = captions ? Caption() : std::string();
    const win::SIZE text = caption.empty() ? win::SIZE{0, 0} : detail::SingleLineExtent(Font(), caption);
    const int imageWidth = images ? images->Width() : 0;
    const int imageHeight = images ? images->Height() : 0;
    const bool list = bar && bar->List();
    const int contentWidth = list ? imageWidth + (text.cx ? kCaptionGap + int(text.cx) : 0) : std::max(imageWidth, int(text.cx));
    const int contentHeight = list ? std::max(imageHeight, int(text.cy)) : imageHeight + (text.cy ? kCaptionGap + int(text.cy) : 0);
    const int left = (button.left + button.right - contentWidth) / 2 + shift;
    const int top = (button.top + button.bottom - contentHeight) / 2 + shift;
    if (shown && imageIndex_ >= 0 && imageIndex_ < shown->Count()) {
        const int x = list ? left : (button.left + button.right - imageWidth) / 2 + shift;
        const int y = list ? (button.top + button.bottom - imageHeight) / 2 + shift : top;
        shown->Draw(canvas, x, y, imageIndex_, !greyed);
    }
    if (!caption.empty()) {
        win::RECT where = list ? win::RECT{left + imageWidth + kCaptionGap, (button.top + button.bottom - int(text.cy)) / 2 + shift,
                                           left + contentWidth, (button.top + button.bottom + int(text.cy)) / 2 + shift}
                               : win::RECT{button.left, top + imageHeight + kCaptionGap, button.right,
                                           top + imageHeight + kCaptionGap + int(text.cy)};
        canvas->SetFont(Font());
        canvas->Brush()->SetStyle(bsClear);
        const unsigned flags = win::DT_SINGLELINE | (list ? win::DT_LEFT : win::DT_CENTER);
        if (!Enabled()) {
            // Embossed: the highlight one pixel down and right, the shadow in place.
            win::RECT offset{where.left + 1, where.top + 1, where.right + 1, where.bottom + 1};
            canvas->Font()->SetColor(clBtnHighlight);
            win::DrawTextA(canvas->Handle(), caption.c_str(), int(caption.size()), &offset, flags);
            canvas->Font()->SetColor(clBtnShadow);
        }
        win::DrawTextA(canvas->Handle(), caption.c_str(), int(caption.size()), &where, flags);
        canvas->Brush()->SetStyle(bsSolid);
    }
}

// --- TToolBar ---

TToolBar::TToolBar(classes::TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks);
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
    for (TChangeLink* link : {&imageLink_, &disabledLink_, &hotLink_}) {
        link->OnChange = classes::TNotifyEvent::Of<&TToolBar::ImageListChange>(this);
    }
}

TToolBar::~TToolBar()
{
    items_.clear();
    buttons_.clear();
}

const classes::TClassInfo& TToolBar::StaticClass()
{
    static const classes::TClassInfo info("TToolBar", &TCustomControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TToolBar>(c)
            .Property("AutoSize", &TToolBar::AutoSize, &TToolBar::SetAutoSize).Default(0)
            .Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22)
            .Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23)
            .Property("DisabledImages", classes::ClassRefType<TCustomImageList>(), &TToolBar::DisabledImages,
                      &TToolBar::SetDisabledImages)
            .Property("EdgeBorders", EdgeBordersType(), &TToolBar::EdgeBorders, &TToolBar::SetEdgeBorders)
            .Default(1u << ebTop)
            .Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(0)
            .Property("HotImages", classes::ClassRefType<TCustomImageList>(), &TToolBar::HotImages, &TToolBar::SetHotImages)
            .Property("Images", classes::ClassRefType<TCustomImageList>(), &TToolBar::Images, &TToolBar::SetImages)
            .Property("Indent", &TToolBar::Indent, &TToolBar::SetIndent).Default(0)
            .Property("List", &TToolBar::List, &TToolBar::SetList).Default(0)
            .Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(0)
            .Property("Transparent", &TToolBar::Transparent, &TToolBar::SetTransparent).Default(0)
            .Property("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable).Default(1);
    });
    return info;
}

TToolButton* TToolBar::Buttons(int index) const
{
    rtl::CheckListIndex(index, ButtonCount());
    return buttons_[std::size_t(index)];
}

void TToolBar::GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root)
{
    for (TControl* control : items_) {
        if (control->Owner() == root) {
            proc(control);
        }
    }
}

void TToolBar::SetImageList(TCustomImageList*& slot, TCustomImageList* value)
{
    TChangeLink* link = &slot == &images_ ? &imageLink_ : &slot == &disabledImages_ ? &disabledLink_ : &hotLink_;
    TCustomImageList* old = slot;
    slot = value;
    if (old) {
        old->UnRegisterChanges(link);
        // A list in another slot still needs to be heard of.
        if (old != images_ && old != disabledImages_ && old != hotImages_) {
            old->RemoveFreeNotification(this);
        }
    }
    if (value) {
        value->RegisterChanges(link);
        value->FreeNotification(this);
    }
    Relayout();
}

void TToolBar::ImageListChange(classes::TObject*)
{
    Relayout();
}

void TToolBar::Notification(classes::TComponent* component, classes::TOperation operation)
{
    // The lists go before the base clears its references through the setters, which would speak to them.
    if (operation == classes::TOperation::Remove) {
        for (TCustomImageList** slot : {&images_, &disabledImages_, &hotImages_}) {
            if (component == *slot) {
                *slot = nullptr;
                Relayout();
            }
        }
    }
    TCustomControl::Notification(component, operation);
}

void TToolBar::SetFlat(bool value)
{
    flat_ = value;
    Invalidate();
    for (TToolButton* button : buttons_) {
        button->Invalidate();
    }
}

void TToolBar::SetShowCaptions(bool value)
{
    showCaptions_ = value;
    Relayout();
}

void TToolBar::SetButtonWidth(int value)
{
    buttonWidth_ = std::max(1, value);
    Relayout();
}

void TToolBar::SetButtonHeight(int value)
{
    buttonHeight_ = std::max(1, value);
    Relayout();
}

void TToolBar::SetAutoSize(bool value)
{
    TCustomControl::SetAutoSize(value);
    Relayout();
}

void TToolBar::SetWrapable(bool value)
{
    wrapable_ = value;
    Relayout();
}

void TToolBar::SetList(bool value)
{
    list_ = value;
    Relayout();
}

void TToolBar::SetEdgeBorders(TEdgeBorders value)
{
    edgeBorders_ = value;
    Relayout();
}

void TToolBar::SetIndent(int value)
{
    indent_ = std::max(0, value);
    Relayout();
}

void TToolBar::SetTransparent(bool value)
{
    transparent_ = value;
    Invalidate();
}

win::RECT TToolBar::EdgeInsets() const
{
    auto has = [&](TEdgeBorder edge) { return (edgeBorders_ & (1u << edge)) ? 2 : 0; };
    return {has(ebLeft), has(ebTop), has(ebRight), has(ebBottom)};
}

win::SIZE TToolBar::ButtonSize()
{
    win::SIZE size{buttonWidth_, buttonHeight_};
    if (!showCaptions_) {
        return size;
    }
    const int imageWidth = images_ ? images_->Width() : 0;
    const int imageHeight = images_ ? images_->Height() : 0;
    for (TToolButton* button : buttons_) {
        if (button->style_ == tbsSeparator || button->style_ == tbsDivider || button->Caption().empty()) {
            continue;
        }
        const win::SIZE text = detail::SingleLineExtent(button->Font(), button->Caption());
        if (list_) {
            size.cx = std::max<int>(size.cx, imageWidth + kCaptionGap + int(text.cx) + 8);
            size.cy = std::max<int>(size.cy, std::max(imageHeight, int(text.cy)) + 8);
        } else {
            size.cx = std::max<int>(size.cx, std::max(imageWidth, int(text.cx)) + 8);
            size.cy = std::max<int>(size.cy, imageHeight + kCaptionGap + int(text.cy) + 8);
        }
    }
    return size;
}

void TToolBar::Relayout()
{
    if (!HasState(classes::csLoading) && !HasState(classes::csDestroying)) {
        Realign();
        Invalidate();
    }
}

void TToolBar::Loaded()
{
    TCustomControl::Loaded();
    Relayout();
}

void TToolBar::AlignControls(TControl* control, win::RECT& rect)
{
    if (laying_) {
        return;
    }
    laying_ = true;
    const win::RECT edges = EdgeInsets();
    const win::SIZE button = ButtonSize();
    const int right = ClientWidth() - edges.right;
    int x = edges.left + indent_;
    int y = edges.top;
    int rowHeight = button.cy;
    bool rowStarted = false;
    for (TControl* item : items_) {
        if (!item->Visible() && !item->HasState(classes::csDesigning)) {
            continue;
        }
        auto* tool = dynamic_cast<TToolButton*>(item);
        const bool gap = tool && (tool->style_ == tbsSeparator || tool->style_ == tbsDivider);
        int width = !tool || gap ? item->Width() : button.cx + (tool->style_ == tbsDropDown ? kArrowWidth : 0);
        if (wrapable_ && rowStarted && x + width > right) {
            x = edges.left + indent_;
            y += rowHeight;
            rowStarted = false;
            if (gap) {
                continue;  // a gap at the start of a row is dropped
            }
        }
        if (tool) {
            item->SetBounds(x, y, width, button.cy);
        } else {
            // Another control keeps its size, centred in the row.
            item->SetBounds(x, y + std::max(0, (button.cy - item->Height()) / 2), item->Width(), item->Height());
        }
        x += width;
        rowStarted = true;
        if (tool && tool->wrap_) {
            x = edges.left + indent_;
            y += rowHeight;
            rowStarted = false;
        }
    }
    if (AutoSize() && Align() != alLeft && Align() != alRight) {
        const int height = (rowStarted ? y + rowHeight : std::max(int(edges.top) + rowHeight, y)) + edges.bottom;
        if (height != Height()) {
            SetHeight(height);
        }
    }
    laying_ = false;
    (void)control;
    (void)rect;
}

bool TToolBar::CanAutoSize(int&, int&)
{
    return false;
}

void TToolBar::Paint()
{
    TCanvas* canvas = Canvas();
    win::RECT client = ClientRect();
    if (!transparent_) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(client);
    }
    // Etched lines: the shadow outside, the highlight inside.
    auto line = [&](int x1, int y1, int x2, int y2, TColor color) {
        canvas->Pen()->SetColor(color);
        canvas->MoveTo(x1, y1);
        canvas->LineTo(x2, y2);
    };
    const int w = int(client.right);
    const int h = int(client.bottom);
    if (edgeBorders_ & (1u << ebTop)) {
        line(0, 0, w, 0, clBtnShadow);
        line(0, 1, w, 1, clBtnHighlight);
    }
    if (edgeBorders_ & (1u << ebLeft)) {
        line(0, 0, 0, h, clBtnShadow);
        line(1, 0, 1, h, clBtnHighlight);
    }
    if (edgeBorders_ & (1u << ebBottom)) {
        line(0, h - 2, w, h - 2, clBtnShadow);
        line(0, h - 1, w, h - 1, clBtnHighlight);
    }
    if (edgeBorders_ & (1u << ebRight)) {
        line(w - 2, 0, w - 2, h, clBtnShadow);
        line(w - 1, 0, w - 1, h, clBtnHighlight);
    }
}

void TToolBar::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CM_CONTROLCHANGE: {
        auto* control = reinterpret_cast<TControl*>(message.WParam);
        if (message.LParam) {
            if (std::find(items_.begin(), items_.end(), control) == items_.end()) {
                items_.push_back(control);
                if (auto* button = dynamic_cast<TToolButton*>(control)) {
                    buttons_.push_back(button);
                }
            }
        } else {
            items_.erase(std::remove(items_.begin(), items_.end(), control), items_.end());
            buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), control), buttons_.end());
        }
        TCustomControl::Dispatch(message);
        return;
    }
    case CM_FONTCHANGED:
        TCustomControl::Dispatch(message);
        Relayout();
        return;
    default:
        TCustomControl::Dispatch(message);
    }
}

}  // namespace gui
