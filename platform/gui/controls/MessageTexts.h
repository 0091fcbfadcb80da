#pragma once
// The captions and button texts of the message dialogs, resource strings of this library so that a
// translation replaces them; the bitmap buttons of a standard kind take their captions from them too.

#include "platform/classes/ResourceStrings.h"

namespace gui {

inline constexpr classes::TResStringRec SMsgDlgWarning{"SMsgDlgWarning", "Warning"};
inline constexpr classes::TResStringRec SMsgDlgError{"SMsgDlgError", "Error"};
inline constexpr classes::TResStringRec SMsgDlgInformation{"SMsgDlgInformation", "Information"};
inline constexpr classes::TResStringRec SMsgDlgConfirm{"SMsgDlgConfirm", "Confirm"};
inline constexpr classes::TResStringRec SMsgDlgYes{"SMsgDlgYes", "&Yes"};
inline constexpr classes::TResStringRec SMsgDlgNo{"SMsgDlgNo", "&No"};
inline constexpr classes::TResStringRec SMsgDlgOK{"SMsgDlgOK", "OK"};
inline constexpr classes::TResStringRec SMsgDlgCancel{"SMsgDlgCancel", "Cancel"};
inline constexpr classes::TResStringRec SMsgDlgAbort{"SMsgDlgAbort", "&Abort"};
inline constexpr classes::TResStringRec SMsgDlgRetry{"SMsgDlgRetry", "&Retry"};
inline constexpr classes::TResStringRec SMsgDlgIgnore{"SMsgDlgIgnore", "&Ignore"};
inline constexpr classes::TResStringRec SMsgDlgAll{"SMsgDlgAll", "&All"};
inline constexpr classes::TResStringRec SMsgDlgNoToAll{"SMsgDlgNoToAll", "N&o to All"};
inline constexpr classes::TResStringRec SMsgDlgYesToAll{"SMsgDlgYesToAll", "Yes to &All"};
inline constexpr classes::TResStringRec SMsgDlgHelp{"SMsgDlgHelp", "&Help"};

}  // namespace gui
