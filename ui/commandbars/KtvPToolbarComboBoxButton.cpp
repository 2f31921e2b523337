#include "ui/commandbars/KtvPToolbarComboBoxButton.h"

#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CKtvPToolbarComboBoxButton, CKtvPToolbarButton, 1)

BOOL CKtvPToolbarComboBoxButton::m_bFlat = TRUE;

CKtvPToolbarComboBoxButton::CKtvPToolbarComboBoxButton() : m_lstItems(10), m_lstItemData(10) {}

CKtvPToolbarComboBoxButton::CKtvPToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CKtvPToolbarButton(uiID, iImage), m_lstItems(10), m_lstItemData(10)
{
    m_dwStyle = dwStyle | WS_CHILD | WS_VISIBLE | WS_VSCROLL;
    m_nWidth = iWidth == 0 ? 150 : iWidth;
}

CKtvPToolbarComboBoxButton::~CKtvPToolbarComboBoxButton()
{
    if (m_pWndCombo != nullptr) {
        m_pWndCombo->DestroyWindow();
        delete m_pWndCombo;
    }
    if (m_pWndEdit != nullptr) {
        m_pWndEdit->DestroyWindow();
        delete m_pWndEdit;
    }
}

void CKtvPToolbarComboBoxButton::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::Serialize"); }

void CKtvPToolbarComboBoxButton::CopyFrom(const CKtvPToolbarButton&)
{
    KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::CopyFrom");
}

void CKtvPToolbarComboBoxButton::OnDraw(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::OnDraw");
}

CSize CKtvPToolbarComboBoxButton::OnCalculateSize(CDC*, const CSize&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::OnCalculateSize");
}

BOOL CKtvPToolbarComboBoxButton::OnClick(CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::OnClick"); }

void CKtvPToolbarComboBoxButton::OnChangeParentWnd(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::OnChangeParentWnd");
}

BOOL CKtvPToolbarComboBoxButton::ExportToMenuButton(CKtvPToolbarMenuButton&) const
{
    KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::ExportToMenuButton");
}

void CKtvPToolbarComboBoxButton::OnMove() { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::OnMove"); }

void CKtvPToolbarComboBoxButton::OnSize(int) { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::OnSize"); }

HWND CKtvPToolbarComboBoxButton::GetHwnd() { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::GetHwnd"); }

BOOL CKtvPToolbarComboBoxButton::CanBeStretched() const { return TRUE; }

BOOL CKtvPToolbarComboBoxButton::NotifyCommand(int) { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::NotifyCommand"); }

void CKtvPToolbarComboBoxButton::OnAddToCustomizePage()
{
    KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::OnAddToCustomizePage");
}

HBRUSH CKtvPToolbarComboBoxButton::OnCtlColor(CDC*, UINT)
{
    KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::OnCtlColor");
}

void CKtvPToolbarComboBoxButton::OnGlobalFontsChanged()
{
    KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::OnGlobalFontsChanged");
}

int CKtvPToolbarComboBoxButton::OnDrawOnCustomizeList(CDC*, const CRect&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::OnDrawOnCustomizeList");
}

void CKtvPToolbarComboBoxButton::OnShow(BOOL) { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::OnShow"); }

void CKtvPToolbarComboBoxButton::SetStyle(UINT) { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::SetStyle"); }

void CKtvPToolbarComboBoxButton::EnableWindow(BOOL) { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::EnableWindow"); }

BOOL CKtvPToolbarComboBoxButton::IsWindowVisible() { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::IsWindowVisible"); }

BOOL CKtvPToolbarComboBoxButton::IsOwnerOf(HWND) { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::IsOwnerOf"); }

BOOL CKtvPToolbarComboBoxButton::HasFocus() const { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::HasFocus"); }

BOOL CKtvPToolbarComboBoxButton::AddToolTip(CKtvPToolBar*, int, CToolTipCtrl*, LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::AddToolTip");
}

CComboBox* CKtvPToolbarComboBoxButton::CreateCombo(CWnd*, const CRect&)
{
    KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::CreateCombo");
}

CEdit* CKtvPToolbarComboBoxButton::GetEditCtrl() { return m_pWndEdit; }

void CKtvPToolbarComboBoxButton::OnItemListReplaced() {}

void CKtvPToolbarComboBoxButton::ClearData() {}

int CKtvPToolbarComboBoxButton::Compare(LPCTSTR, LPCTSTR) { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::Compare"); }

CString CKtvPToolbarComboBoxButton::GetPrompt() const { return CString(); }

int CKtvPToolbarComboBoxButton::AddItem(LPCTSTR, DWORD_PTR) { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::AddItem"); }

LPCTSTR CKtvPToolbarComboBoxButton::GetItem(int) const { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::GetItem"); }

DWORD_PTR CKtvPToolbarComboBoxButton::GetItemData(int) const
{
    KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::GetItemData");
}

void CKtvPToolbarComboBoxButton::RemoveAllItems() { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::RemoveAllItems"); }

int CKtvPToolbarComboBoxButton::GetCount() const { return (int)m_lstItems.GetCount(); }

BOOL CKtvPToolbarComboBoxButton::SelectItem(int, BOOL) { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::SelectItem"); }

BOOL CKtvPToolbarComboBoxButton::SelectItemByText(LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::SelectItemByText");
}

void CKtvPToolbarComboBoxButton::SetHotEdit(BOOL) { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::SetHotEdit"); }

void CKtvPToolbarComboBoxButton::AdjustRect() { KTVP_NOT_BUILT("CKtvPToolbarComboBoxButton::AdjustRect"); }

BEGIN_MESSAGE_MAP(CKtvPComboEdit, CEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_CONTEXTMENU()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CKtvPComboEdit::CKtvPComboEdit(CKtvPToolbarComboBoxButton& combo) : m_combo(combo) {}
CKtvPComboEdit::~CKtvPComboEdit() = default;

BOOL CKtvPComboEdit::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPComboEdit::PreTranslateMessage"); }

void CKtvPComboEdit::OnSetFocus(CWnd*) { KTVP_NOT_BUILT("CKtvPComboEdit::OnSetFocus"); }

void CKtvPComboEdit::OnKillFocus(CWnd*) { KTVP_NOT_BUILT("CKtvPComboEdit::OnKillFocus"); }

void CKtvPComboEdit::OnChange() { KTVP_NOT_BUILT("CKtvPComboEdit::OnChange"); }

void CKtvPComboEdit::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPComboEdit::OnMouseMove"); }

void CKtvPComboEdit::OnMouseLeave() { KTVP_NOT_BUILT("CKtvPComboEdit::OnMouseLeave"); }

void CKtvPComboEdit::OnContextMenu(CWnd*, CPoint) { KTVP_NOT_BUILT("CKtvPComboEdit::OnContextMenu"); }

void CKtvPComboEdit::OnPaint() { KTVP_NOT_BUILT("CKtvPComboEdit::OnPaint"); }
