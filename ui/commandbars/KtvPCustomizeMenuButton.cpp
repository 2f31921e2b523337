#include "ui/commandbars/KtvPCustomizeMenuButton.h"

#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPCustomizeMenuButton, CKtvPToolbarMenuButton)

CKtvPToolBar* CKtvPCustomizeMenuButton::m_pWndToolBar = nullptr;
CMap<UINT, UINT, int, int> CKtvPCustomizeMenuButton::m_mapPresentIDs(10);

CKtvPCustomizeMenuButton::CKtvPCustomizeMenuButton() = default;

CKtvPCustomizeMenuButton::CKtvPCustomizeMenuButton(int uiID, HMENU hMenu, int iImage, LPCTSTR lpszText,
                                                   BOOL bUserImage)
    : CKtvPToolbarMenuButton((UINT)uiID, hMenu, iImage, lpszText, bUserImage)
{
}

CKtvPCustomizeMenuButton::~CKtvPCustomizeMenuButton() = default;

void CKtvPCustomizeMenuButton::CopyFrom(const CKtvPToolbarButton&)
{
    KTVP_NOT_BUILT("CKtvPCustomizeMenuButton::CopyFrom");
}

void CKtvPCustomizeMenuButton::OnDraw(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPCustomizeMenuButton::OnDraw");
}

CSize CKtvPCustomizeMenuButton::OnCalculateSize(CDC*, const CSize&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPCustomizeMenuButton::OnCalculateSize");
}

BOOL CKtvPCustomizeMenuButton::OnClickMenuItem() { KTVP_NOT_BUILT("CKtvPCustomizeMenuButton::OnClickMenuItem"); }

void CKtvPCustomizeMenuButton::DrawItem(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPCustomizeMenuButton::DrawItem");
}

void CKtvPCustomizeMenuButton::DrawCheck(CDC*, const CRect&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPCustomizeMenuButton::DrawCheck");
}

void CKtvPCustomizeMenuButton::SetItemIndex(int, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPCustomizeMenuButton::SetItemIndex");
}

void CKtvPCustomizeMenuButton::RedrawCustomizeButton()
{
    KTVP_NOT_BUILT("CKtvPCustomizeMenuButton::RedrawCustomizeButton");
}
