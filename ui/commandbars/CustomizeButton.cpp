#include "ui/commandbars/CustomizeButton.h"

#include <cstdlib>
#include <cstring>

#include "platform/mfc/CDC.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/frames/KtvPKeyHelper.h"
#include "ui/frames/KtvPNotBuilt.h"
#include "ui/frames/KtvPVisualManager.h"

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

void CKtvPShowAllButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages*, BOOL, BOOL, BOOL bHighlight,
                                BOOL, BOOL)
{
    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    FillInterior(pDC, rect, bHighlight);
    CRect rectChevron = rect;
    rectChevron.DeflateRect(0, 1);
    const BOOL bPressed = (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) != 0;
    const ButtonState state = bHighlight ? ButtonsIsHighlighted : bPressed ? ButtonsIsPressed : ButtonsIsRegular;
    pLook->OnDrawShowAllMenuItems(pDC, rectChevron, state);
    if (bPressed)
        pLook->OnDrawButtonBorder(pDC, this, rectChevron, ButtonsIsPressed);
    else if (bHighlight)
        pLook->OnDrawButtonBorder(pDC, this, rectChevron, ButtonsIsHighlighted);
}

CSize CKtvPShowAllButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL)
{
    return CSize(50, CKtvPVisualManager::GetInstance()->GetShowAllMenuItemsHeight(pDC, sizeDefault));
}

BOOL CKtvPShowAllButton::OnClick(CWnd*, BOOL bDelay)
{
    auto* pBar = DYNAMIC_DOWNCAST(CKtvPPopupMenuBar, m_pWndParent);
    if (pBar == nullptr)
        return FALSE;
    if (!bDelay) {
        auto* pPopup = DYNAMIC_DOWNCAST(CKtvPPopupMenu, pBar->GetParent());
        if (pPopup == nullptr)
            return FALSE;
        pPopup->ShowAllItems();
        return TRUE;
    }
    if (CKtvPMenuBar::m_bShowAllMenusAfterDelay)
        pBar->StartPopupMenuTimer(this, 2);
    return TRUE;
}

INT_PTR CKtvPShowAllButton::OnToolHitTest(const CWnd*, TOOLINFO* pTI)
{
    if (pTI == nullptr)
        return 1;
    CString strFormat;
    strFormat.LoadString(IDS_KTVP_EXPAND);
    ACCEL accel = {FCONTROL | FVIRTKEY, VK_DOWN, 0};
    CString strKeys;
    CKtvPKeyHelper(&accel).Format(strKeys);
    CString strText;
    strText.Format(strFormat, static_cast<LPCTSTR>(strKeys));
    pTI->lpszText = static_cast<LPSTR>(malloc((size_t)strText.GetLength() + 1));
    if (pTI->lpszText != nullptr)
        memcpy(pTI->lpszText, static_cast<LPCTSTR>(strText), (size_t)strText.GetLength() + 1);
    pTI->uId = 0;
    return 1;
}

BOOL CKtvPShowAllButton::OpenPopupMenu(CWnd* pWnd) { return OnClick(pWnd, FALSE); }
