#include "platform/comctl/ControlClasses.h"

#include "platform/comctl/Rebar.h"
#include "platform/comctl/RichEdit.h"
#include "platform/comctl/commctrl.h"

namespace tw::comctl {

const std::vector<ControlClass>& AllControlClasses()
{
    static const std::vector<ControlClass> classes = {
        {TOOLTIPS_CLASS, ToolTipProc, CS_DBLCLKS | CS_SAVEBITS, nullptr},
        {WC_HEADER, HeaderProc, CS_DBLCLKS, nullptr},
        {WC_LISTVIEW, ListViewProc, CS_DBLCLKS, nullptr},
        {WC_TREEVIEW, TreeViewProc, CS_DBLCLKS, nullptr},
        {UPDOWN_CLASS, UpDownProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr},
        {WC_TABCONTROL, TabControlProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr},
        {RICHEDIT_CLASS, RichEditProc, CS_DBLCLKS, nullptr},
        {RICHEDIT_CLASS10A, RichEditProc, CS_DBLCLKS, nullptr},
        {REBARCLASSNAME, RebarProc, CS_DBLCLKS, nullptr},
    };
    return classes;
}

LRESULT SendNotifyTo(HWND target, HWND control, UINT code, NMHDR* header)
{
    header->hwndFrom = control;
    header->idFrom = UINT_PTR(GetDlgCtrlID(control));
    header->code = code;
    return target ? SendMessage(target, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header)) : 0;
}

LRESULT SendNotify(HWND control, UINT code, NMHDR* header)
{
    return SendNotifyTo(GetParent(control), control, code, header);
}

}  // namespace tw::comctl
