#include "ui/commandbars/KtvPToolbarMenuButton.h"

#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CKtvPToolbarMenuButton, CKtvPToolbarButton, VERSIONABLE_SCHEMA | 1)

CKtvPToolbarMenuButton::CKtvPToolbarMenuButton() : m_listChildren(10) {}

CKtvPToolbarMenuButton::CKtvPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText,
                                               BOOL bUserImage)
    : m_listChildren(10)
{
    m_bUserImage = bUserImage;
    m_nID = uiID;
    CKtvPToolbarButton::SetImage(iImage);
    m_strText = lpszText == nullptr ? _T("") : lpszText;
    CKtvPToolbarMenuButton::CreateFromMenu(hMenu);
}

CKtvPToolbarMenuButton::~CKtvPToolbarMenuButton()
{
    if (m_pPopupMenu != nullptr)
        m_pPopupMenu->m_pParentButton = nullptr;
    while (!m_listChildren.IsEmpty())
        delete static_cast<CKtvPToolbarButton*>(m_listChildren.RemoveHead());
    // Releasing the tear-off id is the tear-off manager's step.
    if (m_uiTearOffId != 0)
        KTVP_NOT_BUILT("CKtvPToolbarMenuButton::~CKtvPToolbarMenuButton");
}

void CKtvPToolbarMenuButton::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPToolbarMenuButton::Serialize"); }

void CKtvPToolbarMenuButton::CopyFrom(const CKtvPToolbarButton&)
{
    KTVP_NOT_BUILT("CKtvPToolbarMenuButton::CopyFrom");
}

void CKtvPToolbarMenuButton::OnDraw(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarMenuButton::OnDraw");
}

CSize CKtvPToolbarMenuButton::OnCalculateSize(CDC*, const CSize&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarMenuButton::OnCalculateSize");
}

BOOL CKtvPToolbarMenuButton::OnClick(CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPToolbarMenuButton::OnClick"); }

void CKtvPToolbarMenuButton::OnChangeParentWnd(CWnd*) { KTVP_NOT_BUILT("CKtvPToolbarMenuButton::OnChangeParentWnd"); }

void CKtvPToolbarMenuButton::OnCancelMode() { KTVP_NOT_BUILT("CKtvPToolbarMenuButton::OnCancelMode"); }

int CKtvPToolbarMenuButton::OnDrawOnCustomizeList(CDC*, const CRect&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarMenuButton::OnDrawOnCustomizeList");
}

BOOL CKtvPToolbarMenuButton::IsDroppedDown() const { return m_pPopupMenu != nullptr; }

BOOL CKtvPToolbarMenuButton::OnBeforeDrag() const { KTVP_NOT_BUILT("CKtvPToolbarMenuButton::OnBeforeDrag"); }

void CKtvPToolbarMenuButton::OnAfterAltDrop() { KTVP_NOT_BUILT("CKtvPToolbarMenuButton::OnAfterAltDrop"); }

void CKtvPToolbarMenuButton::ResetImageToDefault() { KTVP_NOT_BUILT("CKtvPToolbarMenuButton::ResetImageToDefault"); }

BOOL CKtvPToolbarMenuButton::CompareWith(const CKtvPToolbarButton&) const
{
    KTVP_NOT_BUILT("CKtvPToolbarMenuButton::CompareWith");
}

void CKtvPToolbarMenuButton::SetRadio() { KTVP_NOT_BUILT("CKtvPToolbarMenuButton::SetRadio"); }

BOOL CKtvPToolbarMenuButton::OnContextHelp(CWnd*) { KTVP_NOT_BUILT("CKtvPToolbarMenuButton::OnContextHelp"); }

BOOL CKtvPToolbarMenuButton::HaveHotBorder() const { return FALSE; }

BOOL CKtvPToolbarMenuButton::OpenPopupMenu(CWnd*) { KTVP_NOT_BUILT("CKtvPToolbarMenuButton::OpenPopupMenu"); }

void CKtvPToolbarMenuButton::CreateFromMenu(HMENU) { KTVP_NOT_BUILT("CKtvPToolbarMenuButton::CreateFromMenu"); }

HMENU CKtvPToolbarMenuButton::CreateMenu() const { KTVP_NOT_BUILT("CKtvPToolbarMenuButton::CreateMenu"); }

CKtvPPopupMenu* CKtvPToolbarMenuButton::CreatePopupMenu()
{
    KTVP_NOT_BUILT("CKtvPToolbarMenuButton::CreatePopupMenu");
}

BOOL CKtvPToolbarMenuButton::IsEmptyMenuAllowed() const { return FALSE; }

BOOL CKtvPToolbarMenuButton::IsConnectedToPopup() const { return TRUE; }

BOOL CKtvPToolbarMenuButton::OnClickMenuItem() { return FALSE; }

BOOL CKtvPToolbarMenuButton::IsTearOffMenu() const { return m_uiTearOffId != 0; }

void CKtvPToolbarMenuButton::SetTearOffMenu(UINT) { KTVP_NOT_BUILT("CKtvPToolbarMenuButton::SetTearOffMenu"); }

void CKtvPToolbarMenuButton::GetImageRect(CRect&) { KTVP_NOT_BUILT("CKtvPToolbarMenuButton::GetImageRect"); }

void CKtvPToolbarMenuButton::GetMenuItemOffsets(int&, int&)
{
    KTVP_NOT_BUILT("CKtvPToolbarMenuButton::GetMenuItemOffsets");
}

void CKtvPToolbarMenuButton::DrawMenuItem(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarMenuButton::DrawMenuItem");
}
