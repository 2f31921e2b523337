#include "ui/commandbars/KtvPToolbarButton.h"

#include "platform/mfc/CWnd.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CKtvPToolbarButton, CObject, VERSIONABLE_SCHEMA | 1)

CString CKtvPToolbarButton::m_strClipboardFormatName;
UINT CKtvPToolbarButton::m_nClipboardFormat = 0;
CString CKtvPToolbarButton::m_strAmpersandPlaceholder("\x01\x01");
CList<UINT, UINT> CKtvPToolbarButton::m_lstProtectedCommands(10);
BOOL CKtvPToolbarButton::m_bRegisterImages = TRUE;

CKtvPToolbarButton::CKtvPToolbarButton() = default;

CKtvPToolbarButton::CKtvPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText, BOOL bUserImage, BOOL bLocked)
{
    m_bLocked = bLocked;
    m_bUserImage = bUserImage;
    m_nID = uiID;
    CKtvPToolbarButton::SetImage(iImage);
    m_strText = lpszText == nullptr ? _T("") : lpszText;
    // Bringing the command manager in step with the image is the button's own step.
    if (m_nID != 0 && !m_bLocked)
        KTVP_NOT_BUILT("CKtvPToolbarButton::CKtvPToolbarButton");
}

CKtvPToolbarButton::~CKtvPToolbarButton() = default;

void CKtvPToolbarButton::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPToolbarButton::Serialize"); }
BOOL CKtvPToolbarButton::CanBeDropped(CKtvPToolBar*) { return TRUE; }
void CKtvPToolbarButton::CopyFrom(const CKtvPToolbarButton&) { KTVP_NOT_BUILT("CKtvPToolbarButton::CopyFrom"); }

void CKtvPToolbarButton::OnDraw(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarButton::OnDraw");
}

CSize CKtvPToolbarButton::OnCalculateSize(CDC*, const CSize&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarButton::OnCalculateSize");
}

BOOL CKtvPToolbarButton::OnClick(CWnd*, BOOL) { return FALSE; }
BOOL CKtvPToolbarButton::OnClickUp() { return FALSE; }

void CKtvPToolbarButton::OnChangeParentWnd(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPToolbarButton::OnChangeParentWnd");
}

BOOL CKtvPToolbarButton::ExportToMenuButton(CKtvPToolbarMenuButton&) const
{
    KTVP_NOT_BUILT("CKtvPToolbarButton::ExportToMenuButton");
}

void CKtvPToolbarButton::OnMove() {}
void CKtvPToolbarButton::OnSize(int) {}
HWND CKtvPToolbarButton::GetHwnd() { return nullptr; }
BOOL CKtvPToolbarButton::CanBeStretched() const { return FALSE; }
BOOL CKtvPToolbarButton::NotifyCommand(int) { return FALSE; }
void CKtvPToolbarButton::OnAddToCustomizePage() {}
HBRUSH CKtvPToolbarButton::OnCtlColor(CDC*, UINT) { return nullptr; }
void CKtvPToolbarButton::OnDblClick(CWnd*) {}
BOOL CKtvPToolbarButton::CanBeStored() const { return TRUE; }
BOOL CKtvPToolbarButton::HaveHotBorder() const { return TRUE; }
void CKtvPToolbarButton::OnCancelMode() {}
void CKtvPToolbarButton::OnGlobalFontsChanged() {}
BOOL CKtvPToolbarButton::IsEditable() const { KTVP_NOT_BUILT("CKtvPToolbarButton::IsEditable"); }
BOOL CKtvPToolbarButton::OnContextHelp(CWnd*) { return FALSE; }
BOOL CKtvPToolbarButton::OnCustomizeMenu(CMenu*) { return FALSE; }

int CKtvPToolbarButton::OnDrawOnCustomizeList(CDC*, const CRect&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarButton::OnDrawOnCustomizeList");
}

BOOL CKtvPToolbarButton::IsDroppedDown() const { return FALSE; }
BOOL CKtvPToolbarButton::OnBeforeDrag() const { return TRUE; }
BOOL CKtvPToolbarButton::OnBeforeDrop(CKtvPToolBar*) { return TRUE; }

INT_PTR CKtvPToolbarButton::OnToolHitTest(const CWnd*, TOOLINFO*)
{
    KTVP_NOT_BUILT("CKtvPToolbarButton::OnToolHitTest");
}

void CKtvPToolbarButton::OnAfterAltDrop() {}
void CKtvPToolbarButton::OnShow(BOOL) {}
const CRect CKtvPToolbarButton::GetInvalidateRect() const { return m_rect; }
void CKtvPToolbarButton::SetStyle(UINT nStyle) { m_nStyle = nStyle; }

void CKtvPToolbarButton::ResetImageToDefault()
{
    KTVP_NOT_BUILT("CKtvPToolbarButton::ResetImageToDefault");
}

BOOL CKtvPToolbarButton::CompareWith(const CKtvPToolbarButton& other) const { return m_nID == other.m_nID; }
void CKtvPToolbarButton::EnableWindow(BOOL) { KTVP_NOT_BUILT("CKtvPToolbarButton::EnableWindow"); }
BOOL CKtvPToolbarButton::IsWindowVisible() { KTVP_NOT_BUILT("CKtvPToolbarButton::IsWindowVisible"); }
BOOL CKtvPToolbarButton::IsOwnerOf(HWND) { KTVP_NOT_BUILT("CKtvPToolbarButton::IsOwnerOf"); }
BOOL CKtvPToolbarButton::HasFocus() const { KTVP_NOT_BUILT("CKtvPToolbarButton::HasFocus"); }
BOOL CKtvPToolbarButton::GetToolTipText(CString&) { return FALSE; }
BOOL CKtvPToolbarButton::AddToolTip(CKtvPToolBar*, int, CToolTipCtrl*, LPCTSTR) { return FALSE; }
void CKtvPToolbarButton::SetImage(int) { KTVP_NOT_BUILT("CKtvPToolbarButton::SetImage"); }
void CKtvPToolbarButton::SetRadio() {}
BOOL CKtvPToolbarButton::IsExtraSize() const { return m_bExtraSize; }

void CKtvPToolbarButton::FillInterior(CDC*, const CRect&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarButton::FillInterior");
}

BOOL CKtvPToolbarButton::PrepareDrag(COleDataSource&) { KTVP_NOT_BUILT("CKtvPToolbarButton::PrepareDrag"); }
UINT CKtvPToolbarButton::GetClipboardFormat() { KTVP_NOT_BUILT("CKtvPToolbarButton::GetClipboardFormat"); }

CKtvPToolbarButton* CKtvPToolbarButton::CreateFromOleData(COleDataObject*)
{
    KTVP_NOT_BUILT("CKtvPToolbarButton::CreateFromOleData");
}
