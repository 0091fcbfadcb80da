#pragma once
// The value types of controls as stored window data and scripts name them: alignment, anchors, the
// shift state of keys and buttons, cursors, drag and dock modes, modal results, and the event types.

#include "platform/classes/Reflection.h"
#include "platform/wintypes/Types.h"

#include <cstdint>

namespace gui {

class TControl;
class TDragDockObject;
class TDragObject;
class TWinControl;

using classes::TNotifyEvent;
using classes::TObject;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = std::uint8_t;  // bit 1 << TAnchorKind
constexpr TAnchors AnchorSet(std::initializer_list<TAnchorKind> kinds)
{
    TAnchors set = 0;
    for (TAnchorKind kind : kinds) {
        set |= TAnchors(1u << kind);
    }
    return set;
}
constexpr TAnchors kDefaultAnchors = (1u << akLeft) | (1u << akTop);
// The anchors an aligned control has: the edges it is aligned to.
constexpr TAnchors AnchorsOfAlign(TAlign align)
{
    switch (align) {
    case alTop: return AnchorSet({akLeft, akTop, akRight});
    case alBottom: return AnchorSet({akLeft, akRight, akBottom});
    case alLeft: return AnchorSet({akLeft, akTop, akBottom});
    case alRight: return AnchorSet({akRight, akTop, akBottom});
    case alClient: return AnchorSet({akLeft, akTop, akRight, akBottom});
    default: return kDefaultAnchors;
    }
}

enum TShiftStateKind { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = std::uint8_t;  // bit 1 << TShiftStateKind
constexpr bool Has(TShiftState state, TShiftStateKind kind)
{
    return (state & (1u << kind)) != 0;
}
constexpr TShiftState With(TShiftState state, TShiftStateKind kind)
{
    return TShiftState(state | (1u << kind));
}
// The keys held as the calling thread's input left them (GetKeyState), and as a key message's data or a
// mouse message's wParam report them.
TShiftState KeyboardStateToShiftState();
TShiftState KeyDataToShiftState(win::LPARAM keyData);
TShiftState MouseKeysToShiftState(win::WPARAM keys);

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Cursors: the screen's cursor table (TScreen::Cursors) by these ids; positive ids are the program's own.
using TCursor = std::int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = crSizeAll;

enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

// Shortcuts: a virtual key in the low byte with scShift, scCtrl and scAlt.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut ShortCut(win::WORD key, TShiftState shift)
{
    return TShortCut((key & 0xFF) | (Has(shift, ssShift) ? scShift : 0) | (Has(shift, ssCtrl) ? scCtrl : 0)
                     | (Has(shift, ssAlt) ? scAlt : 0));
}

// The character after the accelerator mark '&' of a caption ("&&" is a plain '&'); 0 when none.
char AcceleratorOf(const std::string& caption);
// Whether ch (compared without regard to case) is caption's accelerator.
bool IsAccel(char ch, const std::string& caption);

// Events.
using TMouseEvent = rtl::Method<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = rtl::Method<void(TObject* sender, TShiftState shift, int x, int y)>;
using TMouseWheelEvent =
    rtl::Method<void(TObject* sender, TShiftState shift, int wheelDelta, win::POINT mousePos, bool& handled)>;
using TKeyEvent = rtl::Method<void(TObject* sender, win::WORD& key, TShiftState shift)>;
using TKeyPressEvent = rtl::Method<void(TObject* sender, char& key)>;
using TContextPopupEvent = rtl::Method<void(TObject* sender, win::POINT mousePos, bool& handled)>;
using TCanResizeEvent = rtl::Method<void(TObject* sender, int& newWidth, int& newHeight, bool& resize)>;
using TDragOverEvent =
    rtl::Method<void(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = rtl::Method<void(TObject* sender, TObject* source, int x, int y)>;
using TStartDragEvent = rtl::Method<void(TObject* sender, TDragObject*& dragObject)>;
using TEndDragEvent = rtl::Method<void(TObject* sender, TObject* target, int x, int y)>;
using TStartDockEvent = rtl::Method<void(TObject* sender, TDragDockObject*& dragObject)>;
using TDockOverEvent =
    rtl::Method<void(TObject* sender, TDragDockObject* source, int x, int y, TDragState state, bool& accept)>;
using TDockDropEvent = rtl::Method<void(TObject* sender, TDragDockObject* source, int x, int y)>;
using TUnDockEvent = rtl::Method<void(TObject* sender, TControl* client, TWinControl* newTarget, bool& allow)>;

// Types of published properties and events.
const classes::TTypeInfo& AlignType();
const classes::TTypeInfo& AnchorsType();
const classes::TTypeInfo& ShiftStateType();
const classes::TTypeInfo& MouseButtonType();
const classes::TTypeInfo& CursorType();  // stored by identifier ("crHandPoint") where there is one
const classes::TTypeInfo& DragModeType();
const classes::TTypeInfo& DragKindType();
const classes::TTypeInfo& ModalResultType();
const classes::TTypeInfo& ShortCutType();
const classes::TTypeInfo& MouseEventType();
const classes::TTypeInfo& MouseMoveEventType();
const classes::TTypeInfo& MouseWheelEventType();
const classes::TTypeInfo& KeyEventType();
const classes::TTypeInfo& KeyPressEventType();
const classes::TTypeInfo& ContextPopupEventType();
const classes::TTypeInfo& CanResizeEventType();
const classes::TTypeInfo& DragOverEventType();
const classes::TTypeInfo& DragDropEventType();
const classes::TTypeInfo& StartDragEventType();
const classes::TTypeInfo& EndDragEventType();
const classes::TTypeInfo& StartDockEventType();
const classes::TTypeInfo& DockOverEventType();
const classes::TTypeInfo& DockDropEventType();
const classes::TTypeInfo& UnDockEventType();

// Cursor identifiers: "crArrow" and kin; false for an id without one.
bool CursorToIdent(TCursor cursor, std::string& ident);
bool IdentToCursor(std::string_view ident, TCursor& cursor);

}  // namespace gui
