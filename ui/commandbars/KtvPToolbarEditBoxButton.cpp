#include "ui/commandbars/KtvPToolbarEditBoxButton.h"

#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CKtvPToolbarEditBoxButton, CKtvPToolbarButton, 1)

CKtvPToolbarEditBoxButton::CKtvPToolbarEditBoxButton() = default;

CKtvPToolbarEditBoxButton::~CKtvPToolbarEditBoxButton()
{
    if (m_pWndEdit != nullptr) {
        m_pWndEdit->DestroyWindow();
        delete m_pWndEdit;
    }
}

void CKtvPToolbarEditBoxButton::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::Serialize"); }

void CKtvPToolbarEditBoxButton::CopyFrom(const CKtvPToolbarButton&)
{
    KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::CopyFrom");
}

void CKtvPToolbarEditBoxButton::OnDraw(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::OnDraw");
}

CSize CKtvPToolbarEditBoxButton::OnCalculateSize(CDC*, const CSize&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::OnCalculateSize");
}

BOOL CKtvPToolbarEditBoxButton::OnClick(CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::OnClick"); }

void CKtvPToolbarEditBoxButton::OnChangeParentWnd(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::OnChangeParentWnd");
}

void CKtvPToolbarEditBoxButton::OnMove() { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::OnMove"); }

void CKtvPToolbarEditBoxButton::OnSize(int) { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::OnSize"); }

HWND CKtvPToolbarEditBoxButton::GetHwnd() { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::GetHwnd"); }

BOOL CKtvPToolbarEditBoxButton::CanBeStretched() const { return TRUE; }

BOOL CKtvPToolbarEditBoxButton::NotifyCommand(int) { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::NotifyCommand"); }

void CKtvPToolbarEditBoxButton::OnAddToCustomizePage()
{
    KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::OnAddToCustomizePage");
}

HBRUSH CKtvPToolbarEditBoxButton::OnCtlColor(CDC*, UINT) { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::OnCtlColor"); }

BOOL CKtvPToolbarEditBoxButton::HaveHotBorder() const { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::HaveHotBorder"); }

void CKtvPToolbarEditBoxButton::OnGlobalFontsChanged()
{
    KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::OnGlobalFontsChanged");
}

int CKtvPToolbarEditBoxButton::OnDrawOnCustomizeList(CDC*, const CRect&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::OnDrawOnCustomizeList");
}

void CKtvPToolbarEditBoxButton::OnShow(BOOL) { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::OnShow"); }

const CRect CKtvPToolbarEditBoxButton::GetInvalidateRect() const
{
    KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::GetInvalidateRect");
}

void CKtvPToolbarEditBoxButton::SetStyle(UINT) { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::SetStyle"); }

void CKtvPToolbarEditBoxButton::EnableWindow(BOOL) { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::EnableWindow"); }

BOOL CKtvPToolbarEditBoxButton::IsWindowVisible() { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::IsWindowVisible"); }

BOOL CKtvPToolbarEditBoxButton::IsOwnerOf(HWND) { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::IsOwnerOf"); }

BOOL CKtvPToolbarEditBoxButton::HasFocus() const { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::HasFocus"); }

BOOL CKtvPToolbarEditBoxButton::AddToolTip(CKtvPToolBar*, int, CToolTipCtrl*, LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::AddToolTip");
}

CEdit* CKtvPToolbarEditBoxButton::CreateEdit(CWnd*, const CRect&)
{
    KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::CreateEdit");
}

void CKtvPToolbarEditBoxButton::SetContents(const CString&)
{
    KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::SetContents");
}

void CKtvPToolbarEditBoxButton::GetEditBorder(CRect&) { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::GetEditBorder"); }

void CKtvPToolbarEditBoxButton::SetHotEdit(BOOL) { KTVP_NOT_BUILT("CKtvPToolbarEditBoxButton::SetHotEdit"); }

BEGIN_MESSAGE_MAP(CKtvPEditBoxEdit, CKtvPBrowseEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CKtvPEditBoxEdit::CKtvPEditBoxEdit(CKtvPToolbarEditBoxButton& edit) : m_buttonEdit(edit) {}
CKtvPEditBoxEdit::~CKtvPEditBoxEdit() = default;

BOOL CKtvPEditBoxEdit::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPEditBoxEdit::PreTranslateMessage"); }

void CKtvPEditBoxEdit::OnSetFocus(CWnd*) { KTVP_NOT_BUILT("CKtvPEditBoxEdit::OnSetFocus"); }

void CKtvPEditBoxEdit::OnKillFocus(CWnd*) { KTVP_NOT_BUILT("CKtvPEditBoxEdit::OnKillFocus"); }

void CKtvPEditBoxEdit::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPEditBoxEdit::OnMouseMove"); }

void CKtvPEditBoxEdit::OnMouseLeave() { KTVP_NOT_BUILT("CKtvPEditBoxEdit::OnMouseLeave"); }

void CKtvPEditBoxEdit::OnContextMenu(CWnd*, CPoint) { KTVP_NOT_BUILT("CKtvPEditBoxEdit::OnContextMenu"); }
