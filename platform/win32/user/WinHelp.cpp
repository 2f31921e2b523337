#include "platform/win32/user/winuser.h"

#include "platform/win32/kernel/KernelObjects.h"

// HELP_QUIT and HH_CLOSE_ALL close help windows; none is ever open, so
// closing succeeds. Everything else would need a help engine.
BOOL WinHelp(HWND, LPCSTR, UINT uCommand, ULONG_PTR)
{
    if (uCommand == HELP_QUIT)
        return TRUE;
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
}

HWND HtmlHelp(HWND, LPCSTR, UINT uCommand, DWORD_PTR)
{
    if (uCommand != HH_CLOSE_ALL)
        SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
}
