#include "tests/support/ui/KtvEmptyDialog.h"

#include "platform/win32/resource/DialogTemplate.h"

std::vector<BYTE> KtvEmptyDialogTemplate(int cx, int cy)
{
    tw::res::DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_VISIBLE;
    dialog.cx = cx;
    dialog.cy = cy;
    return tw::res::WriteDialogTemplate(dialog);
}
