// The common dialogs' shared plumbing: their templates, laid out in dialog
// units in code, the thread's extended error, and the caller's hook.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/dialog/windlg.h"
#include "platform/win32/resource/DialogTemplate.h"

namespace tw::comdlg {

void SetExtendedError(DWORD code);

class DialogLayout {
public:
    DialogLayout(const std::string& title, short cx, short cy, DWORD extraStyle = 0);

    // className is a predefined class ("Button", "Edit", ...) or a registered one.
    DialogLayout& Item(const std::string& className, const std::string& text, int id, DWORD style, short x, short y,
                       short cx, short cy);
    LPCDLGTEMPLATE Bytes();

private:
    tw::res::DialogTemplate template_;
    std::vector<BYTE> bytes_;
};

// The caller's hook sees each message first, as the platform's hooks do: a
// nonzero answer means it handled the message.
typedef UINT_PTR(CALLBACK* CommonHookProc)(HWND, UINT, WPARAM, LPARAM);
inline bool HookHandled(CommonHookProc hook, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return hook && hook(dialog, message, wParam, lParam) != 0;
}

// The prompts over a common dialog go idle with the dialog as their owner:
// the program's window hears of it as it does of the dialog itself.
inline void ForwardIdle(HWND owner, WPARAM wParam, LPARAM lParam)
{
    if (owner && IsWindow(owner))
        SendMessage(owner, WM_ENTERIDLE, wParam, lParam);
}

// The text of a dialog item, whole.
std::string ItemText(HWND dialog, int id);

}  // namespace tw::comdlg
