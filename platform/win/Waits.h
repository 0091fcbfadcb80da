#pragma once
// Events as waitable handles, and waiting for them together with the calling thread's messages.
//
// Unlike the system it stands in for, MsgWaitForMultipleObjects reports input that is in the queue at
// all, not only input that arrived since the thread last looked: a caller that leaves messages in the
// queue gets an answer at once, instead of sleeping on messages it already knows of.

#include "platform/wintypes/Types.h"

namespace win {

// An event: manual-reset events stay set until reset, auto-reset events are cleared by the wait they
// release.
HANDLE CreateEvent(void* security, BOOL manualReset, BOOL initialState, const char* name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
BOOL CloseHandle(HANDLE handle);

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
// Answers WAIT_OBJECT_0 + i for the first set event i (all of them with waitAll), WAIT_OBJECT_0 + count
// when the queue holds input of wakeMask (QS_*), WAIT_TIMEOUT, or WAIT_FAILED for a bad handle.
// Messages sent from other threads are handled while waiting, unless wakeMask has QS_SENDMESSAGE: then
// the wait returns for them. Timeouts run on the installed clock (rtl::Clock::WaitUntil): a virtual
// clock moves on to a timeout that nothing ends first.
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                DWORD wakeMask);

// Names the message loop the calling thread runs while the scope lives ("TCustomForm.ShowModal"): a test
// driver reports a loop that would wait for ever by this name.
class ModalLoopScope {
public:
    explicit ModalLoopScope(const char* name);
    ~ModalLoopScope();
    ModalLoopScope(const ModalLoopScope&) = delete;
    ModalLoopScope& operator=(const ModalLoopScope&) = delete;
};

}  // namespace win
