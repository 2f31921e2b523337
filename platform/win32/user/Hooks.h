// Thread mouse hooks (WH_MOUSE), the only kind the program installs. Each
// thread has its own chain, newest first.
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
    LRESULT CallNext(HHOOK current, int code, WPARAM wParam, LPARAM lParam);
};

}  // namespace tw::user
