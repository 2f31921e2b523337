// Thread hooks: mouse (WH_MOUSE) and window creation (WH_CBT, HCBT_CREATEWND
// only). Each thread has its own chain of each kind, newest first.
#pragma once

#include "platform/win32/user/winuser.h"

namespace tw::user {

class Hooks {
public:
    static Hooks& Instance();
    HHOOK Install(int kind, HOOKPROC proc, DWORD threadId);
    bool Remove(HHOOK hook);
    // Runs the calling thread's chain; nonzero means a hook ate the message.
    LRESULT CallMouseChain(int code, WPARAM message, MOUSEHOOKSTRUCT* info);
    // HCBT_CREATEWND for a window made but not yet sent a message; nonzero refuses it.
    LRESULT CallCreateWindowChain(HWND hWnd, CBT_CREATEWND* info);
    LRESULT CallNext(HHOOK current, int code, WPARAM wParam, LPARAM lParam);

private:
    LRESULT CallChain(int kind, int code, WPARAM wParam, LPARAM lParam);
};

}  // namespace tw::user
