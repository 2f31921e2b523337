#include "platform/mfc/CNewTypeDlg.h"

#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxres.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/resource/DialogTemplate.h"
#include "platform/win32/resource/ResourceLoader.h"

namespace tw::mfc::newtype_detail {

tw::res::DialogItemTemplate Item(WORD atom, const char* text, DWORD id, DWORD style, short x, short y, short cx,
                                 short cy)
{
    tw::res::DialogItemTemplate item;
    item.style = WS_CHILD | WS_VISIBLE | style;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    item.windowClass = tw::res::NameOrOrdinal::FromOrdinal(atom);
    item.title = tw::res::NameOrOrdinal::FromText(text);
    return item;
}

// The framework's own layout: the list on the left, OK and Cancel beside it.
std::vector<BYTE> BuiltInTemplate()
{
    using namespace tw::res;
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | kDialogStyleSetFont;
    dialog.cx = 180;
    dialog.cy = 96;
    dialog.title = "New";
    dialog.pointSize = 8;
    dialog.typeface = "MS Shell Dlg";
    dialog.items.push_back(Item(kClassAtomStatic, "&New", static_cast<DWORD>(-1), SS_LEFT, 7, 7, 110, 8));
    dialog.items.push_back(Item(kClassAtomListBox, "", AFX_IDC_LISTBOX,
                                WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 7, 18,
                                110, 71));
    dialog.items.push_back(Item(kClassAtomButton, "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 124, 18, 50, 14));
    dialog.items.push_back(Item(kClassAtomButton, "Cancel", IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON, 124, 36, 50, 14));
    return WriteDialogTemplate(dialog);
}

}  // namespace tw::mfc::newtype_detail

BEGIN_MESSAGE_MAP(CNewTypeDlg, CDialog)
    ON_LBN_DBLCLK(AFX_IDC_LISTBOX, OnListDoubleClick)
END_MESSAGE_MAP()

CNewTypeDlg::CNewTypeDlg(const std::vector<CDocTemplate*>& templates, CWnd* pParentWnd)
    : CDialog(AFX_IDD_NEWTYPEDLG, pParentWnd), m_templates(templates)
{
}

INT_PTR CNewTypeDlg::DoModal()
{
    const BYTE* bytes = nullptr;
    DWORD size = 0;
    if (!tw::FindResourceBytes(AfxGetResourceHandle(), MAKEINTRESOURCE(AFX_IDD_NEWTYPEDLG), RT_DIALOG, &bytes,
                               &size)) {
        m_builtTemplate = tw::mfc::newtype_detail::BuiltInTemplate();
        InitModalIndirect(reinterpret_cast<LPCDLGTEMPLATE>(m_builtTemplate.data()), m_pParentWnd);
    }
    return CDialog::DoModal();
}

BOOL CNewTypeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    HWND hList = ::GetDlgItem(m_hWnd, AFX_IDC_LISTBOX);
    for (CDocTemplate* pTemplate : m_templates) {
        CString name;
        if (!pTemplate->GetDocString(name, CDocTemplate::fileNewName))
            continue;
        const auto index = ::SendMessage(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(name)));
        if (index >= 0)
            ::SendMessage(hList, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(pTemplate));
    }
    ::SendMessage(hList, LB_SETCURSEL, 0, 0);
    ::SetFocus(hList);
    return FALSE;  // the focus is set
}

void CNewTypeDlg::OnOK()
{
    HWND hList = ::GetDlgItem(m_hWnd, AFX_IDC_LISTBOX);
    const auto index = ::SendMessage(hList, LB_GETCURSEL, 0, 0);
    if (index < 0) {
        // Nothing chosen: there is nothing to make.
        ::MessageBeep(static_cast<UINT>(-1));
        return;
    }
    m_pSelectedTemplate =
        reinterpret_cast<CDocTemplate*>(::SendMessage(hList, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    EndDialog(IDOK);
}

void CNewTypeDlg::OnListDoubleClick()
{
    OnOK();
}
