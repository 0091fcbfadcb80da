#include "platform/gui/core/ControlTypes.h"

#include "platform/rtl/Collation.h"
#include "platform/win/Input.h"
#include "platform/wintypes/Messages.h"

#include <array>

namespace gui {

namespace {

struct CursorName {
    TCursor cursor;
    const char* name;
};

constexpr std::array<CursorName, 23> kCursorNames = {{
    {crDefault, "crDefault"},   {crNone, "crNone"},         {crArrow, "crArrow"},         {crCross, "crCross"},
    {crIBeam, "crIBeam"},       {crSizeNESW, "crSizeNESW"}, {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},
    {crSizeWE, "crSizeWE"},     {crUpArrow, "crUpArrow"},   {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},     {crHSplit, "crHSplit"},     {crVSplit, "crVSplit"},       {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"},   {crNo, "crNo"},             {crAppStart, "crAppStart"},   {crHelp, "crHelp"},
    {crHandPoint, "crHandPoint"}, {crSizeAll, "crSizeAll"}, {crSize, "crSize"},
}};

bool CursorIntToIdent(std::int64_t value, std::string& ident)
{
    return CursorToIdent(TCursor(value), ident);
}

bool CursorIdentToInt(std::string_view ident, std::int64_t& value)
{
    TCursor cursor;
    if (!IdentToCursor(ident, cursor)) {
        return false;
    }
    value = cursor;
    return true;
}

template <class M>
struct SignatureOf;
template <class Sig>
struct SignatureOf<rtl::Method<Sig>> {
    using Type = Sig;
};

#define GUI_EVENT_TYPE(Function, Event)                                                                      \
    const classes::TTypeInfo& Function()                                                                     \
    {                                                                                                         \
        static const classes::TTypeInfo type = classes::MethodType<SignatureOf<Event>::Type>(#Event);         \
        return type;                                                                                          \
    }

}  // namespace

TShiftState KeyboardStateToShiftState()
{
    TShiftState state = 0;
    if (win::GetKeyState(win::VK_SHIFT) < 0) {
        state = With(state, ssShift);
    }
    if (win::GetKeyState(win::VK_CONTROL) < 0) {
        state = With(state, ssCtrl);
    }
    if (win::GetKeyState(win::VK_MENU) < 0) {
        state = With(state, ssAlt);
    }
    if (win::GetKeyState(win::VK_LBUTTON) < 0) {
        state = With(state, ssLeft);
    }
    if (win::GetKeyState(win::VK_RBUTTON) < 0) {
        state = With(state, ssRight);
    }
    if (win::GetKeyState(win::VK_MBUTTON) < 0) {
        state = With(state, ssMiddle);
    }
    return state;
}

TShiftState KeyDataToShiftState(win::LPARAM keyData)
{
    TShiftState state = 0;
    if (win::GetKeyState(win::VK_SHIFT) < 0) {
        state = With(state, ssShift);
    }
    if (win::GetKeyState(win::VK_CONTROL) < 0) {
        state = With(state, ssCtrl);
    }
    if (keyData & (1 << 29)) {
        state = With(state, ssAlt);
    }
    return state;
}

TShiftState MouseKeysToShiftState(win::WPARAM keys)
{
    TShiftState state = 0;
    if (keys & win::MK_SHIFT) {
        state = With(state, ssShift);
    }
    if (keys & win::MK_CONTROL) {
        state = With(state, ssCtrl);
    }
    if (keys & win::MK_LBUTTON) {
        state = With(state, ssLeft);
    }
    if (keys & win::MK_RBUTTON) {
        state = With(state, ssRight);
    }
    if (keys & win::MK_MBUTTON) {
        state = With(state, ssMiddle);
    }
    if (win::GetKeyState(win::VK_MENU) < 0) {
        state = With(state, ssAlt);
    }
    return state;
}

char AcceleratorOf(const std::string& caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (caption[i + 1] != '&') {
                return caption[i + 1];
            }
            ++i;
        }
    }
    return 0;
}

bool IsAccel(char ch, const std::string& caption)
{
    const char accel = AcceleratorOf(caption);
    return accel != 0 && rtl::AnsiSameText(std::string_view(&accel, 1), std::string_view(&ch, 1));
}

bool CursorToIdent(TCursor cursor, std::string& ident)
{
    for (const CursorName& entry : kCursorNames) {
        if (entry.cursor == cursor) {
            ident = entry.name;
            return true;
        }
    }
    return false;
}

bool IdentToCursor(std::string_view ident, TCursor& cursor)
{
    for (const CursorName& entry : kCursorNames) {
        if (rtl::SameText(ident, entry.name)) {
            cursor = entry.cursor;
            return true;
        }
    }
    return false;
}

const classes::TTypeInfo& AlignType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
    return type;
}

const classes::TTypeInfo& AnchorsType()
{
    static const classes::TTypeInfo element =
        classes::EnumType("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
    static const classes::TTypeInfo type = classes::SetType("TAnchors", element);
    return type;
}

const classes::TTypeInfo& ShiftStateType()
{
    static const classes::TTypeInfo element = classes::EnumType(
        "TShiftStateKind", {"ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble"});
    static const classes::TTypeInfo type = classes::SetType("TShiftState", element);
    return type;
}

const classes::TTypeInfo& MouseButtonType()
{
    static const classes::TTypeInfo type = classes::EnumType("TMouseButton", {"mbLeft", "mbRight", "mbMiddle"});
    return type;
}

const classes::TTypeInfo& CursorType()
{
    static const classes::TTypeInfo type = [] {
        classes::TTypeInfo t = classes::IntegerType("TCursor", classes::TOrdType::SWord, -32768, 32767);
        t.intToIdent = &CursorIntToIdent;
        t.identToInt = &CursorIdentToInt;
        return t;
    }();
    return type;
}

const classes::TTypeInfo& DragModeType()
{
    static const classes::TTypeInfo type = classes::EnumType("TDragMode", {"dmManual", "dmAutomatic"});
    return type;
}

const classes::TTypeInfo& DragKindType()
{
    static const classes::TTypeInfo type = classes::EnumType("TDragKind", {"dkDrag", "dkDock"});
    return type;
}

const classes::TTypeInfo& ModalResultType()
{
    static const classes::TTypeInfo type =
        classes::IntegerType("TModalResult", classes::TOrdType::SLong, INT32_MIN, INT32_MAX);
    return type;
}

const classes::TTypeInfo& ShortCutType()
{
    static const classes::TTypeInfo type = classes::IntegerType("TShortCut", classes::TOrdType::UWord, 0, 65535);
    return type;
}

GUI_EVENT_TYPE(MouseEventType, TMouseEvent)
GUI_EVENT_TYPE(MouseMoveEventType, TMouseMoveEvent)
GUI_EVENT_TYPE(MouseWheelEventType, TMouseWheelEvent)
GUI_EVENT_TYPE(KeyEventType, TKeyEvent)
GUI_EVENT_TYPE(KeyPressEventType, TKeyPressEvent)
GUI_EVENT_TYPE(ContextPopupEventType, TContextPopupEvent)
GUI_EVENT_TYPE(CanResizeEventType, TCanResizeEvent)
GUI_EVENT_TYPE(DragOverEventType, TDragOverEvent)
GUI_EVENT_TYPE(DragDropEventType, TDragDropEvent)
GUI_EVENT_TYPE(StartDragEventType, TStartDragEvent)
GUI_EVENT_TYPE(EndDragEventType, TEndDragEvent)
GUI_EVENT_TYPE(StartDockEventType, TStartDockEvent)
GUI_EVENT_TYPE(DockOverEventType, TDockOverEvent)
GUI_EVENT_TYPE(DockDropEventType, TDockDropEvent)
GUI_EVENT_TYPE(UnDockEventType, TUnDockEvent)

#undef GUI_EVENT_TYPE

}  // namespace gui
