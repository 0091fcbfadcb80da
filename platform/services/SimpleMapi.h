#pragma once
// Simple MAPI's MAPISendMail, carried out by the desktop's mail program (xdg-email): it opens the
// program's compose window with the recipients, subject, text and attachments filled in. The records
// and result codes are the published ones. MAPISendMail is offered as "MAPI32.DLL" (Services.h
// registers it), which loads only when xdg-email is installed, so a program without a mail program
// finds the library missing, as it would without a mail client.

#include "platform/wintypes/Types.h"

namespace win {

using LHANDLE = ULONG_PTR;
using FLAGS = std::uint32_t;
using MAPI_ULONG = std::uint32_t;

constexpr MAPI_ULONG MAPI_ORIG = 0;
constexpr MAPI_ULONG MAPI_TO = 1;
constexpr MAPI_ULONG MAPI_CC = 2;
constexpr MAPI_ULONG MAPI_BCC = 3;

constexpr FLAGS MAPI_LOGON_UI = 0x00000001;
constexpr FLAGS MAPI_DIALOG = 0x00000008;

constexpr MAPI_ULONG SUCCESS_SUCCESS = 0;
constexpr MAPI_ULONG MAPI_USER_ABORT = 1;
constexpr MAPI_ULONG MAPI_E_FAILURE = 2;
constexpr MAPI_ULONG MAPI_E_ATTACHMENT_NOT_FOUND = 11;
constexpr MAPI_ULONG MAPI_E_ATTACHMENT_OPEN_FAILURE = 12;
constexpr MAPI_ULONG MAPI_E_INVALID_MESSAGE = 17;
constexpr MAPI_ULONG MAPI_E_INVALID_RECIPS = 25;
constexpr MAPI_ULONG MAPI_E_NOT_SUPPORTED = 26;

// Texts are ANSI; null or empty texts are absent.
struct MapiRecipDesc {
    MAPI_ULONG ulReserved = 0;
    MAPI_ULONG ulRecipClass = MAPI_TO;
    const char* lpszName = nullptr;
    const char* lpszAddress = nullptr;  // "SMTP:" and the address, or the address alone
    MAPI_ULONG ulEIDSize = 0;
    void* lpEntryID = nullptr;
};

struct MapiFileDesc {
    MAPI_ULONG ulReserved = 0;
    MAPI_ULONG flFlags = 0;
    MAPI_ULONG nPosition = 0xFFFFFFFF;
    const char* lpszPathName = nullptr;
    const char* lpszFileName = nullptr;
    void* lpFileType = nullptr;
};

struct MapiMessage {
    MAPI_ULONG ulReserved = 0;
    const char* lpszSubject = nullptr;
    const char* lpszNoteText = nullptr;
    const char* lpszMessageType = nullptr;
    const char* lpszDateReceived = nullptr;
    const char* lpszConversationID = nullptr;
    FLAGS flFlags = 0;
    MapiRecipDesc* lpOriginator = nullptr;
    MAPI_ULONG nRecipCount = 0;
    MapiRecipDesc* lpRecips = nullptr;
    MAPI_ULONG nFileCount = 0;
    MapiFileDesc* lpFiles = nullptr;
};

// Opens the compose window and answers without waiting for the message to be sent: the mail program
// owns it from then on. Only MAPI_DIALOG is carried out (the message is never sent unseen); without it
// MAPI_E_NOT_SUPPORTED. A recipient whose address would read as an option or holds a control character
// gives MAPI_E_INVALID_RECIPS, a missing attachment MAPI_E_ATTACHMENT_NOT_FOUND; nothing is started then.
MAPI_ULONG MAPISendMail(LHANDLE session, ULONG_PTR uiParam, MapiMessage* message, FLAGS flags, MAPI_ULONG reserved);

}  // namespace win
