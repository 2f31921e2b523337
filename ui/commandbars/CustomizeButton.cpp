#include "ui/commandbars/CustomizeButton.h"

#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CCustomizeButton, CKtvPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNCREATE(CKtvPShowAllButton, CKtvPToolbarMenuButton)

CCustomizeButton::CCustomizeButton() : m_lstHiddenButtons(10) {}

CCustomizeButton::CCustomizeButton(int iCustomizeCmdId, const CString& strCustomizeText)
    : m_iCustomizeCmdId(iCustomizeCmdId), m_strCustomizeText(strCustomizeText), m_lstHiddenButtons(10)
{
}

CCustomizeButton::~CCustomizeButton() = default;

void CCustomizeButton::CopyFrom(const CKtvPToolbarButton&) { KTVP_NOT_BUILT("CCustomizeButton::CopyFrom"); }

void CCustomizeButton::OnDraw(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CCustomizeButton::OnDraw");
}

CSize CCustomizeButton::OnCalculateSize(CDC*, const CSize&, BOOL)
{
    KTVP_NOT_BUILT("CCustomizeButton::OnCalculateSize");
}

void CCustomizeButton::OnChangeParentWnd(CWnd*) { KTVP_NOT_BUILT("CCustomizeButton::OnChangeParentWnd"); }

void CCustomizeButton::OnCancelMode() { KTVP_NOT_BUILT("CCustomizeButton::OnCancelMode"); }

CKtvPPopupMenu* CCustomizeButton::CreatePopupMenu() { KTVP_NOT_BUILT("CCustomizeButton::CreatePopupMenu"); }

BOOL CCustomizeButton::CanBeStored() const { return FALSE; }

BOOL CCustomizeButton::HaveHotBorder() const { return FALSE; }

BOOL CCustomizeButton::IsEditable() const { return FALSE; }

BOOL CCustomizeButton::IsEmptyMenuAllowed() const { return TRUE; }

BOOL CCustomizeButton::IsConnectedToPopup() const { return TRUE; }

BOOL CCustomizeButton::InvokeCommand(CKtvPPopupMenuBar*, const CKtvPToolbarButton*)
{
    KTVP_NOT_BUILT("CCustomizeButton::InvokeCommand");
}

CKtvPShowAllButton::CKtvPShowAllButton() = default;
CKtvPShowAllButton::~CKtvPShowAllButton() = default;

void CKtvPShowAllButton::OnDraw(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPShowAllButton::OnDraw");
}

CSize CKtvPShowAllButton::OnCalculateSize(CDC*, const CSize&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPShowAllButton::OnCalculateSize");
}

BOOL CKtvPShowAllButton::OnClick(CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPShowAllButton::OnClick"); }

INT_PTR CKtvPShowAllButton::OnToolHitTest(const CWnd*, TOOLINFO*)
{
    KTVP_NOT_BUILT("CKtvPShowAllButton::OnToolHitTest");
}

BOOL CKtvPShowAllButton::OpenPopupMenu(CWnd*) { KTVP_NOT_BUILT("CKtvPShowAllButton::OpenPopupMenu"); }
