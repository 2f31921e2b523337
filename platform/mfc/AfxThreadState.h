// What the framework keeps per thread: the message being handled, the window
// being created, and the thread's CWinThread object.
#pragma once

#include "platform/win32/user/winuser.h"

class CWinThread;
class CWnd;

namespace tw::mfc {

struct ThreadState {
    MSG lastSentMsg{};
    CWnd* pWndInit = nullptr;  // attached to the first message its window receives
    bool initIsDialog = false;  // pWndInit waits for the dialog procedure, not the window procedure
    HHOOK hHookCbtFilter = nullptr;  // attaches pWndInit when its window is made
    int cbtHookUsers = 0;
    CWinThread* pThread = nullptr;
    int tempMapLock = 0;  // temporary objects live on while this is above zero
    HWND hLockoutNotifyWindow = nullptr;  // its control notifications are ignored while data is exchanged
    // The tooltip every window of the thread shares, and the tool it holds now.
    HWND hToolTip = nullptr;
    CWnd* pToolTipLastHit = nullptr;
    INT_PTR nToolTipLastHit = -1;
    HWND hLastToolWnd = nullptr;
    UINT_PTR nLastToolId = 0;
};

ThreadState& CurrentThreadState();

}  // namespace tw::mfc
