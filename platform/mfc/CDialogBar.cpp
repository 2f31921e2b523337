#include "platform/mfc/CDialogBar.h"

#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/resource/DialogTemplate.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTypes.h"

IMPLEMENT_DYNAMIC(CDialogBar, CWnd)

BEGIN_MESSAGE_MAP(CDialogBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

namespace tw::mfc::dialogbar_detail {

INT_PTR CALLBACK BarDlgProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace tw::mfc::dialogbar_detail

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    const BYTE* bytes = nullptr;
    DWORD size = 0;
    if (!lpszTemplateName || !tw::FindResourceBytes(AfxGetResourceHandle(), lpszTemplateName, RT_DIALOG, &bytes, &size))
        return FALSE;
    return CreateIndirect(pParentWnd, reinterpret_cast<LPCDLGTEMPLATE>(bytes), nStyle, nID);
}

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
}

BOOL CDialogBar::CreateIndirect(CWnd* pParentWnd, LPCDLGTEMPLATE lpTemplate, UINT nStyle, UINT nID)
{
    if (!pParentWnd || !lpTemplate)
        return FALSE;
    // Any template size will do: the parser reads no further than its records.
    auto parsed = tw::res::ParseDialogTemplate(lpTemplate, 0x10000);
    if (!parsed)
        return FALSE;
    parsed->style = (parsed->style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME)) |
                    WS_CHILD | DS_CONTROL;
    parsed->x = parsed->y = 0;
    const std::vector<BYTE> bytes = tw::res::WriteDialogTemplate(*parsed);
    HWND hWnd = ::CreateDialogIndirectParam(AfxGetResourceHandle(), reinterpret_cast<LPCDLGTEMPLATE>(bytes.data()),
                                            pParentWnd->m_hWnd, &tw::mfc::dialogbar_detail::BarDlgProc, 0);
    if (!hWnd)
        return FALSE;
    if (!SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    ::SetWindowLongPtr(hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    m_dwStyle = nStyle;
    CRect rect;
    GetWindowRect(&rect);
    m_sizeDefault = rect.Size();
    ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

CWnd* CDialogBar::CommandTarget() const
{
    CWnd* pOwner = GetOwner();
    return pOwner ? pOwner : GetParent();
}

void CDialogBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

// The buttons' commands are the frame's, like its menu's.
BOOL CDialogBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CWnd* pOwner = CommandTarget();
    if (!pOwner)
        return FALSE;
    pOwner->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}

// The bar takes a strip of its default height along the top of what is left.
LRESULT CDialogBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CRect rect(layout->rect);
    rect.bottom = rect.top + m_sizeDefault.cy;
    layout->rect.top = rect.bottom;
    layout->sizeTotal.cy += m_sizeDefault.cy;
    if (layout->hDWP)
        AfxRepositionWindow(layout, m_hWnd, &rect);
    return 0;
}

LRESULT CDialogBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CWnd* pTarget = CommandTarget();
    if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget)) {
        // Commands reach the frame's active view first, as from its menu.
        UpdateDialogControls(pFrame, static_cast<BOOL>(wParam));
    } else if (pTarget) {
        UpdateDialogControls(pTarget, static_cast<BOOL>(wParam));
    }
    return 0;
}
