#include "ui/commandbars/KtvPPopupMenuBar.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "platform/win32/kernel/Locale.h"
#include "platform/win32/menu/winmenu.h"
#include "resources/resource.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPCustomizeMenuButton.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_SERIAL(CKtvPPopupMenuBar, CKtvPToolBar, 1)

int CKtvPPopupMenuBar::m_nMenuShowDelay = -1;
int CKtvPPopupMenuBar::m_nLastCommandIndex = -1;

BEGIN_MESSAGE_MAP(CKtvPPopupMenuBar, CKtvPToolBar)
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_COMMAND(ID_KTVP_TOOLBAR_TEXT, OnToolbarText)
    ON_COMMAND(ID_KTVP_TOOLBAR_IMAGE_AND_TEXT, OnToolbarImageAndText)
END_MESSAGE_MAP()

namespace {

constexpr UINT kSubMenuId = (UINT)-1;
constexpr UINT kBreakStyle = KTVP_TBBS_BREAK;
constexpr int kSeparatorHeight = 8;
constexpr UINT_PTR kOpenTimer = 1;
constexpr UINT_PTR kCloseTimer = 2;
constexpr int kDefaultMenuShowDelay = 500;
constexpr int kMaxMenuShowDelay = 5000;

BOOL IsSeparator(const CKtvPToolbarButton* pButton) { return pButton->m_nStyle & TBBS_SEPARATOR; }

// The mnemonic of a label: the character after a lone '&', upper-cased; 0 without one.
UINT MnemonicOf(const CString& strLabel)
{
    for (int i = 0; i + 1 < strLabel.GetLength(); i++) {
        if (strLabel[i] != _T('&'))
            continue;
        if (strLabel[i + 1] == _T('&')) {
            i++;   // "&&" is a plain ampersand
            continue;
        }
        return CKtvPToolBar::MnemonicCharAt(strLabel, i + 1);
    }
    return 0;
}

BOOL IsUserToolCommand(UINT uiID)
{
    return g_pUserToolsManager != nullptr && uiID >= g_pUserToolsManager->GetFirstCmdId() &&
           uiID <= g_pUserToolsManager->GetLastCmdId();
}

CKtvPPopupMenu* PopupOf(const CWnd* pBar)
{
    return pBar != nullptr ? DYNAMIC_DOWNCAST(CKtvPPopupMenu, pBar->GetParent()) : nullptr;
}

CFrameWnd* TopFrameOfBar(CWnd* pWnd)
{
    if (g_pKtvTopLevelFrameOverride != nullptr)
        return g_pKtvTopLevelFrameOverride;
    return pWnd != nullptr ? pWnd->GetTopLevelFrame() : nullptr;
}

}  // namespace

CKtvPPopupMenuBar::CKtvPPopupMenuBar() : m_HiddenItemsAccel(10) { m_bMenuMode = TRUE; }

CKtvPPopupMenuBar::~CKtvPPopupMenuBar()
{
    m_arColumns.RemoveAll();
    m_HiddenItemsAccel.RemoveAll();
}

// --- items ---------------------------------------------------------------------------------------

BOOL CKtvPPopupMenuBar::ImportFromMenu(HMENU hMenu, BOOL bShowAllCommands)
{
    RemoveAllButtons();
    m_bAllCommandsShown = TRUE;
    m_HiddenItemsAccel.RemoveAll();
    if (hMenu == nullptr)
        return FALSE;

    CKtvPPopupMenu* pPopup = PopupOf(this);
    CWnd* pOwner = g_pKtvTopLevelFrameOverride;
    if (pOwner == nullptr && GetSafeHwnd() != nullptr)
        pOwner = GetTopLevelFrame();
    if (pOwner == nullptr && AfxGetApp() != nullptr)
        pOwner = AfxGetApp()->m_pMainWnd;
    if (pPopup != nullptr && pPopup->m_pWndMessage != nullptr)
        pOwner = pPopup->m_pWndMessage;

    if (CKtvPToolBar::m_hookMouseHelp != nullptr && pPopup != nullptr && pPopup->GetParentPopupMenu() != nullptr)
        bShowAllCommands = TRUE;

    if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr)
        pOwner->SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenu, MAKELPARAM(LOWORD(m_iScrollOffset), 0));

    const int nCount = ::GetMenuItemCount(hMenu);
    int nColumns = 1;
    if (m_bPaletteMode) {
        // Enough columns for every item: rounding down would leave a row short.
        const int nRows = m_nPaletteRows > 0 ? m_nPaletteRows : 1;
        nColumns = std::max(1, (nCount + nRows - 1) / nRows);
    }

    const BOOL bMayHide = !m_bTrackMode && !bShowAllCommands && !CKtvPMenuBar::m_bShowAllCommands &&
                          CKtvPMenuBar::m_bRecentlyUsedMenus && CKtvPToolBar::m_UsageCount.HasEnoughInformation() &&
                          !m_bPaletteMode;

    BOOL bNothingAdded = TRUE;
    BOOL bLastWasSeparator = FALSE;
    for (int i = 0; i < nCount; i++) {
        CString strText = KtvMenuItemText(hMenu, i);
        MENUITEMINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
        ::GetMenuItemInfo(hMenu, (UINT)i, TRUE, &info);
        const UINT uiState = ::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION);

        if (info.fType & MFT_SEPARATOR) {
            if (!bNothingAdded && !bLastWasSeparator && i != nCount - 1 && !m_bPaletteMode) {
                InsertSeparator();
                bLastWasSeparator = TRUE;
                bNothingAdded = FALSE;
            }
            continue;
        }

        UINT uiID = info.wID;
        HMENU hSubMenu = nullptr;
        UINT uiTearOffId = 0;
        if (info.hSubMenu != nullptr) {
            uiID = kSubMenuId;
            hSubMenu = info.hSubMenu;
            if (g_pTearOffMenuManager != nullptr)
                uiTearOffId = CKtvPTearOffManager::Parse(strText);
        }

        if (bMayHide && CKtvPToolBar::IsCommandRarelyUsed(uiID)) {
            if (CKtvPToolBar::m_NonPermittedCommands.Find(uiID) == nullptr) {
                m_bAllCommandsShown = FALSE;
                if (const UINT uiKey = MnemonicOf(strText))
                    m_HiddenItemsAccel[uiKey] = uiID;
            }
            bNothingAdded = FALSE;
            bLastWasSeparator = FALSE;
            continue;
        }

        int iIndex = -1;
        if (m_bPaletteMode) {
            CKtvPToolbarButton item(uiID, GetCmdImage(uiID, FALSE), strText, FALSE, FALSE);
            item.m_bRowBreak = i > 0 && (i + 1) % nColumns == 0;
            iIndex = InsertButtonCopy(item);
        } else {
            CKtvPToolbarMenuButton item(uiID, hSubMenu, -1, strText, FALSE);
            item.m_bTextShown = TRUE;
            item.m_bImageShown = FALSE;
            if (GetCmdImage(uiID, FALSE) < 0)
                item.m_bUserImage = TRUE;
            iIndex = InsertButtonCopy(item);
        }

        if (CKtvPToolbarButton* pButton = iIndex >= 0 ? GetButton(iIndex) : nullptr) {
            pButton->m_bImageShown = pButton->GetImage() >= 0;
            if ((uiState & (MF_GRAYED | MF_DISABLED)) && !IsUserToolCommand(uiID))
                pButton->m_nStyle |= TBBS_DISABLED;
            if (auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, pButton))
                pMenuButton->SetTearOffMenu(uiTearOffId);
            if (uiState & MF_CHECKED)
                pButton->m_nStyle |= TBBS_CHECKED;
            if (info.fType & MFT_MENUBREAK)
                pButton->m_nStyle |= kBreakStyle;
        }
        bNothingAdded = FALSE;
        bLastWasSeparator = FALSE;
    }

    m_uiDefaultItem = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    return TRUE;
}

HMENU CKtvPPopupMenuBar::ExportToMenu() const
{
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr)
        return nullptr;

    for (int i = 0; i < GetCount(); i++) {
        CKtvPToolbarButton* pButton = GetButton(i);
        if (IsSeparator(pButton)) {
            ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, pButton);
        if (pMenuButton == nullptr)
            continue;
        HMENU hSub = pMenuButton->CreateMenu();
        if (hSub != nullptr) {
            CString strText = pMenuButton->m_strText;
            if (pMenuButton->m_uiTearOffId != 0 && g_pTearOffMenuManager != nullptr)
                CKtvPTearOffManager::Build(pMenuButton->m_uiTearOffId, strText);
            const UINT uiFlags = MF_POPUP | ((pButton->m_nStyle & kBreakStyle) ? MF_MENUBREAK : 0);
            ::AppendMenu(hMenu, uiFlags, (UINT_PTR)hSub, strText);
        } else {
            // Command items keep their column break too, so a round trip keeps the layout.
            const UINT uiFlags = MF_STRING | ((pButton->m_nStyle & kBreakStyle) ? MF_MENUBREAK : 0);
            ::AppendMenu(hMenu, uiFlags, pButton->m_nID, pButton->m_strText);
        }
    }
    ::SetMenuDefaultItem(hMenu, m_uiDefaultItem, FALSE);
    return hMenu;
}

// --- layout --------------------------------------------------------------------------------------

namespace {

CSize DefaultItemSize()
{
    const CSize sizeImage = CKtvPToolBar::GetMenuImageSize();
    return CSize(sizeImage.cx + 2, std::max(sizeImage.cy + 2, globalData.m_nTextHeight));
}

class MenuFontDC {
public:
    explicit MenuFontDC(CWnd* pWnd) : m_dc(pWnd) { m_pOldFont = m_dc.SelectObject(&globalData.fontRegular); }
    ~MenuFontDC() { m_dc.SelectObject(m_pOldFont); }
    CDC* operator->() { return &m_dc; }
    CDC* Get() { return &m_dc; }

private:
    CClientDC m_dc;
    CFont* m_pOldFont;
};

}  // namespace

CSize CKtvPPopupMenuBar::GetCurrentMenuImageSize() const
{
    if (m_pRelatedToolBar != nullptr && m_pRelatedToolBar->m_bLocked)
        return m_pRelatedToolBar->m_sizeImageLocked;
    return GetMenuImageSize();
}

CSize CKtvPPopupMenuBar::CalcMaxButtonSize(BOOL bVertical)
{
    // A palette is laid out in rows whatever the orientation asked for, so it
    // is measured the same way: the window must hold the whole grid.
    if (m_bPaletteMode)
        return CKtvPToolBar::CalcMaxButtonSize(FALSE);

    MenuFontDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
    m_arColumns.RemoveAll();
    if (GetCount() == 0)
        return CSize(52, 22);

    const CSize sizeDefault = DefaultItemSize();
    int nColumnWidth = 0, nColumnHeight = 0, nTallest = 0, nRightEdge = 0;
    for (int i = 0; i < GetCount(); i++) {
        CKtvPToolbarButton* pButton = GetButton(i);
        if ((pButton->m_nStyle & kBreakStyle) && !m_bCustomizeMode && nColumnWidth > 0 && nColumnHeight > 0) {
            nTallest = std::max(nTallest, nColumnHeight);
            nRightEdge += nColumnWidth + 1;
            m_arColumns.Add(nRightEdge);
            nColumnWidth = 0;
            nColumnHeight = 0;
        }
        if (IsSeparator(pButton)) {
            nColumnHeight += kSeparatorHeight;
            continue;
        }
        CFont* pOld = nullptr;
        if (m_uiDefaultItem != 0 && pButton->m_nID == m_uiDefaultItem)
            pOld = dc->SelectObject(&globalData.fontBold);
        CSize size = pButton->OnCalculateSize(dc.Get(), sizeDefault, TRUE);
        if (pOld != nullptr)
            dc->SelectObject(pOld);
        if (pButton->m_strText.Find(_T('\t')) > 0)
            size.cx += 10;
        pButton->m_bWholeText = !(m_nMaxMenuWidth > 0 && m_nMaxMenuWidth - 2 < size.cx);
        nColumnWidth = std::max(nColumnWidth, size.cx);
        nColumnHeight += size.cy;
    }
    nTallest = std::max(nTallest, nColumnHeight);

    int nWidth = nRightEdge + nColumnWidth + 2;
    if (m_nMaxMenuWidth > 0 && m_nMaxMenuWidth < nWidth)
        nWidth = m_nMaxMenuWidth;
    m_arColumns.Add(nWidth);
    return CSize(nWidth, nTallest + 2);
}

void CKtvPPopupMenuBar::AdjustLocations()
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (m_bPaletteMode) {
        CKtvPToolBar::AdjustLocations();
        UpdateTooltips();
        return;
    }
    if (m_xSeparatorOffsetLeft == 0)
        CKtvPToolbarMenuButton::GetMenuItemOffsets(m_xSeparatorOffsetLeft, m_xSeparatorOffsetRight);

    MenuFontDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    const CSize sizeDefault = DefaultItemSize();

    const int y0 = rectClient.top - GetRowHeight() * m_iScrollOffset + 1;
    int iColumn = 0;
    int xLeft = rectClient.left;
    int xRight = (m_arColumns.GetSize() == 0 || m_bCustomizeMode) ? rectClient.Width() : m_arColumns[0];
    int y = y0;
    for (int i = 0; i < GetCount(); i++) {
        CKtvPToolbarButton* pButton = GetButton(i);
        if ((pButton->m_nStyle & kBreakStyle) && y != y0 && !m_bCustomizeMode &&
            iColumn + 1 < m_arColumns.GetSize()) {
            iColumn++;
            xLeft = xRight + 1;
            xRight = m_arColumns[iColumn];
            y = y0;
        }
        CRect rect;
        if (IsSeparator(pButton)) {
            rect = CRect(xLeft + m_xSeparatorOffsetLeft, y, xRight - m_xSeparatorOffsetRight, y + kSeparatorHeight);
        } else {
            const CSize size = pButton->OnCalculateSize(dc.Get(), sizeDefault, TRUE);
            rect = CRect(xLeft, y, xRight, y + size.cy);
        }
        if (rect != pButton->m_rect) {
            pButton->m_rect = rect;
            pButton->OnMove();
        }
        y = rect.bottom;
    }

    // Item letters follow the items as they are now laid out.
    RebuildAccelerationKeys();
    UpdateTooltips();
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    if (HitTest(ptCursor) >= 0)
        m_bReleaseSelects = FALSE;
}

void CKtvPPopupMenuBar::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    AdjustLocations();
    Invalidate();
    UpdateWindow();
    if (m_bCustomizeMode) {
        if (CKtvPPopupMenu* pPopup = PopupOf(this))
            pPopup->RecalcLayout(FALSE);
    }
}

void CKtvPPopupMenuBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    CKtvPToolbarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr || pButton->m_nStyle == nStyle)
        return;
    const UINT nOldStyle = pButton->m_nStyle;
    pButton->m_nStyle = nStyle;
    if ((nOldStyle & TBBS_PRESSED) && (nStyle & TBBS_PRESSED))
        return;

    auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, pButton);
    if (pMenuButton != nullptr && ((nOldStyle ^ nStyle) & TBBS_CHECKED)) {
        CRect rectImage;
        pMenuButton->GetImageRect(rectImage);
        rectImage.InflateRect(4, 4);
        InvalidateRect(rectImage);
        UpdateWindow();
    } else if ((nOldStyle ^ nStyle) != TBBS_CHECKBOX) {
        InvalidateButton(nIndex);
    }
}

BOOL CKtvPPopupMenuBar::TranslateChar(UINT) { return FALSE; }

void CKtvPPopupMenuBar::AdjustSizeImmediate(BOOL) {}

BOOL CKtvPPopupMenuBar::SetDefaultButtonText(CKtvPToolbarButton* pButton)
{
    CKtvPPopupMenu* pPopup = PopupOf(this);
    CKtvPToolBar* pParentBar = pPopup != nullptr ? pPopup->GetParentToolBar() : nullptr;
    if (pParentBar != nullptr && pParentBar->SetDefaultButtonText(pButton))
        return TRUE;
    return CKtvPToolBar::SetDefaultButtonText(pButton);
}

void CKtvPPopupMenuBar::OnAfterFillBackground(CDC* pDC)
{
    CKtvPPopupMenu* pPopup = PopupOf(this);
    if (m_bCustomizeMode || !CKtvPMenuBar::m_bRecentlyUsedMenus || m_bPaletteMode || pPopup == nullptr ||
        pPopup->m_pParentButton == nullptr)
        return;

    CRect rectRun;
    BOOL bInRun = FALSE;
    for (int i = 0; i < GetCount(); i++) {
        CKtvPToolbarButton* pButton = GetButton(i);
        const BOOL bRare = !IsSeparator(pButton) && CKtvPToolBar::IsCommandRarelyUsed(pButton->m_nID);
        BOOL bContinues = bRare;
        if (!bRare && IsSeparator(pButton) && i + 1 < GetCount()) {
            CKtvPToolbarButton* pNext = GetButton(i + 1);
            bContinues = bInRun && !IsSeparator(pNext) && CKtvPToolBar::IsCommandRarelyUsed(pNext->m_nID);
        }
        if (bContinues) {
            if (!bInRun) {
                rectRun = pButton->m_rect;
                bInRun = TRUE;
            }
            rectRun.bottom = pButton->m_rect.bottom;
            continue;
        }
        if (bInRun) {
            rectRun.bottom = pButton->m_rect.top;
            CKtvPVisualManager::GetInstance()->OnHighlightRarelyUsedMenuItems(pDC, rectRun);
            bInRun = FALSE;
        }
    }
    if (bInRun)
        CKtvPVisualManager::GetInstance()->OnHighlightRarelyUsedMenuItems(pDC, rectRun);
}

void CKtvPPopupMenuBar::DrawSeparator(CDC* pDC, const CRect& rect, BOOL)
{
    CKtvPVisualManager::GetInstance()->OnDrawSeparator(pDC, this, rect, FALSE);
}

int CKtvPPopupMenuBar::FindDropIndex(const CPoint point, CRect& rectDrag) const
{
    if (m_bPaletteMode)
        return -1;
    CRect rectClient;
    GetClientRect(rectClient);
    rectDrag = rectClient;
    if (GetCount() == 0) {
        rectDrag.bottom = rectDrag.top + 6;
        return 0;
    }

    const int y = std::max(0, (int)point.y);
    int iIndex = 0;
    int yEdge = rectClient.bottom - 6;
    BOOL bFound = FALSE;
    for (int i = 0; i < GetCount(); i++) {
        const CRect& rect = GetButton(i)->m_rect;
        if (rect.bottom < y) {
            iIndex = i + 1;
            continue;
        }
        rectDrag.left = rect.left;
        rectDrag.right = rect.right;
        if (y >= rect.top && rect.bottom - y < y - rect.top) {
            yEdge = rect.bottom;
            iIndex = i + 1;
        } else {
            yEdge = rect.top;
            iIndex = i;
        }
        bFound = TRUE;
        break;
    }
    if (!bFound)
        iIndex = GetCount();
    rectDrag.top = yEdge - 3;
    rectDrag.bottom = yEdge + 3;
    return iIndex;
}

void CKtvPPopupMenuBar::DrawDragMarker(CDC* pDC)
{
    if (m_bPaletteMode)
        return;
    CPen* pOldPen = pDC->SelectObject(&m_penDrag);
    for (int i = 0; i < 2; i++) {
        const int y = m_rectDrag.top + m_rectDrag.Height() / 2 + i - 1;
        pDC->MoveTo(m_rectDrag.left, y);
        pDC->LineTo(m_rectDrag.right, y);
        pDC->MoveTo(m_rectDrag.left + i, m_rectDrag.top + i);
        pDC->LineTo(m_rectDrag.left + i, m_rectDrag.bottom - i);
        pDC->MoveTo(m_rectDrag.right - i - 1, m_rectDrag.top + i);
        pDC->LineTo(m_rectDrag.right - i - 1, m_rectDrag.bottom - i);
    }
    pDC->SelectObject(pOldPen);
}

DROPEFFECT CKtvPPopupMenuBar::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!(dwKeyState & MK_CONTROL)) {
        CKtvPPopupMenu* pPopup = PopupOf(this);
        CKtvPToolBar* pParentBar = pPopup != nullptr ? pPopup->GetParentToolBar() : nullptr;
        if (pParentBar != nullptr && pPopup->m_pParentButton != nullptr &&
            pParentBar->m_pDragButton == pPopup->m_pParentButton)
            return DROPEFFECT_NONE;
    }
    return CKtvPToolBar::OnDragOver(pDataObject, dwKeyState, point);
}

CKtvPToolbarButton* CKtvPPopupMenuBar::CreateDroppedButton(COleDataObject* pDataObject)
{
    CKtvPToolbarButton* pButton = CKtvPToolbarButton::CreateFromOleData(pDataObject);
    if (pButton == nullptr)
        return nullptr;
    if (pButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarMenuButton)))
        return pButton;

    auto* pMenuButton = new CKtvPToolbarMenuButton(pButton->m_nID, nullptr, pButton->m_bLocked ? -1 : pButton->GetImage(),
                                                   pButton->m_strText, pButton->m_bUserImage);
    pMenuButton->m_bTextShown = TRUE;
    pMenuButton->m_bImageShown = !pButton->m_bLocked;
    const BOOL bExported = pButton->ExportToMenuButton(*pMenuButton);
    delete pButton;
    if (!bExported || pMenuButton->m_strText.IsEmpty()) {
        delete pMenuButton;
        return nullptr;
    }
    return pMenuButton;
}

BOOL CKtvPPopupMenuBar::EnableContextMenuItems(CKtvPToolbarButton* pButton, CMenu* pPopup)
{
    if (!m_bCustomizeMode)
        return FALSE;
    pButton->m_bTextShown = TRUE;
    CKtvPToolBar::EnableContextMenuItems(pButton, pPopup);
    pPopup->EnableMenuItem(ID_KTVP_TOOLBAR_IMAGE, MF_GRAYED);
    if (pButton->m_bImageShown && pButton->GetImage() >= 0) {
        pPopup->EnableMenuItem(ID_KTVP_TOOLBAR_TEXT, MF_ENABLED);
        pPopup->EnableMenuItem(ID_KTVP_TOOLBAR_IMAGE_AND_TEXT, MF_ENABLED);
        if (GetCmdMgr()->IsMenuItemWithoutImage(pButton->m_nID)) {
            pPopup->CheckMenuItem(ID_KTVP_TOOLBAR_TEXT, MF_CHECKED);
            pPopup->CheckMenuItem(ID_KTVP_TOOLBAR_IMAGE_AND_TEXT, MF_UNCHECKED);
        }
    }
    return TRUE;
}

void CKtvPPopupMenuBar::GetSeparatorRect(const CKtvPToolbarButton* pButton, RECT* pRect, BOOL bHorz) const
{
    CRect rect = pButton->m_rect;
    if (m_bPaletteMode && pButton->m_bRowBreak && bHorz) {
        CRect rectClient;
        GetClientRect(rectClient);
        rect = CRect(rectClient.left, pButton->m_rect.bottom, rectClient.right, pButton->m_rect.bottom + 5);
    }
    *pRect = rect;
}

BOOL CKtvPPopupMenuBar::HighlightDisabledItems() const { return CKtvPMenuBar::m_bHighlightDisabledItems; }

BOOL CKtvPPopupMenuBar::AllowShowOnList() const { return FALSE; }

BOOL CKtvPPopupMenuBar::OnUserToolTip(CKtvPToolbarButton*, CString&) const { return FALSE; }

BOOL CKtvPPopupMenuBar::AllowAltCustomization() const { return FALSE; }

INT_PTR CKtvPPopupMenuBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (m_bPaletteMode)
        return CKtvPToolBar::OnToolHitTest(point, pTI);
    const int iHit = const_cast<CKtvPPopupMenuBar*>(this)->HitTest(point);
    if (iHit < 0)
        return -1;
    CKtvPToolbarButton* pButton = GetButton(iHit);
    if (pTI != nullptr) {
        pTI->uId = pButton->m_nID;
        pTI->hwnd = GetSafeHwnd();
        pTI->rect = pButton->m_rect;
    }
    if (pButton->OnToolHitTest(this, pTI) <= 0)
        return (INT_PTR)pButton->m_nID;
    return iHit;
}

// --- navigation ----------------------------------------------------------------------------------

void CKtvPPopupMenuBar::SetInCommand(BOOL bInCommand)
{
    m_bInCommand = bInCommand;
    CKtvPPopupMenu* pPopup = PopupOf(this);
    for (CKtvPPopupMenu* pParent = pPopup != nullptr ? pPopup->GetParentPopupMenu() : nullptr; pParent != nullptr;
         pParent = pParent->GetParentPopupMenu())
        pParent->GetMenuBar()->m_bInCommand = bInCommand;
}

CKtvPToolBar* CKtvPPopupMenuBar::FindBarAtPoint(CPoint pt)
{
    CKtvPPopupMenu* pPopup = PopupOf(this);
    if (pPopup == nullptr)
        return nullptr;
    CKtvPPopupMenu* pTop = pPopup;
    for (CKtvPPopupMenu* pParent = pPopup->GetParentPopupMenu(); pParent != nullptr;
         pParent = pParent->GetParentPopupMenu()) {
        pTop = pParent;
        CKtvPPopupMenuBar* pBar = pParent->GetMenuBar();
        CRect rect;
        pBar->GetClientRect(rect);
        pBar->ClientToScreen(rect);
        if (rect.PtInRect(pt))
            return pBar;
    }
    CKtvPToolBar* pBar = pTop->GetParentToolBar();
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr) {
        CRect rect;
        pBar->GetClientRect(rect);
        pBar->ClientToScreen(rect);
        if (rect.PtInRect(pt))
            return pBar;
    }
    return nullptr;
}

void CKtvPPopupMenuBar::CloseDelayedSubMenu()
{
    if (m_pDelayedClosePopupMenuButton == nullptr)
        return;
    KillTimer(kCloseTimer);
    CKtvPToolbarMenuButton* pButton = m_pDelayedClosePopupMenuButton;
    m_pDelayedClosePopupMenuButton = nullptr;
    pButton->OnCancelMode();
}

void CKtvPPopupMenuBar::RestoreDelayedSubMenu()
{
    if (m_pDelayedClosePopupMenuButton == nullptr)
        return;
    m_pDelayedClosePopupMenuButton->m_bToBeClosed = FALSE;
    SetDroppedMenuButton(m_pDelayedClosePopupMenuButton);
    m_pDelayedClosePopupMenuButton = nullptr;

    const int iOldHot = m_iHighlighted;
    m_iHighlighted = m_iDroppedDown;
    if (iOldHot != m_iHighlighted) {
        if (iOldHot >= 0)
            InvalidateButton(iOldHot);
        InvalidateButton(m_iHighlighted);
        UpdateWindow();
    }
    KillTimer(kCloseTimer);
}

void CKtvPPopupMenuBar::StartPopupMenuTimer(CKtvPToolbarMenuButton* pMenuButton, int nDelayFactor)
{
    if (m_pDelayedPopupMenuButton != nullptr)
        KillTimer(kOpenTimer);
    m_pDelayedPopupMenuButton = pMenuButton;
    if (pMenuButton == nullptr)
        return;
    if (pMenuButton == m_pDelayedClosePopupMenuButton) {
        RestoreDelayedSubMenu();
        m_pDelayedPopupMenuButton = nullptr;
        return;
    }
    SetTimer(kOpenTimer, (UINT)(nDelayFactor * m_nMenuShowDelay), nullptr);
}

void CKtvPPopupMenuBar::ActivateOwnPopup()
{
    CKtvPPopupMenu* pPopup = PopupOf(this);
    if (pPopup != nullptr)
        CKtvPPopupMenu::ActivatePopupMenu(TopFrameOfBar(this), pPopup);
}

void CKtvPPopupMenuBar::DropDownMenuButton(int iIndex)
{
    if (iIndex == -1) {
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
        if (HitTest(ptCursor) == m_iDroppedDown) {
            m_iHighlighted = m_iDroppedDown;
            return;
        }
    }

    CKtvPToolbarMenuButton* pOpen = nullptr;
    for (int i = 0; i < GetCount() && pOpen == nullptr; i++) {
        auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, GetButton(i));
        if (pMenuButton != nullptr && pMenuButton->IsDroppedDown())
            pOpen = pMenuButton;
    }
    CKtvPToolbarMenuButton* pTarget = nullptr;
    if (iIndex >= 0) {
        CKtvPToolbarButton* pButton = GetButton(iIndex);
        if (pButton == nullptr)
            return;
        pTarget = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, pButton);
    }

    if (pOpen != pTarget) {
        if (pOpen != nullptr) {
            const MSG* pMsg = CWnd::GetCurrentMessage();
            const BOOL bKeyboard = pMsg != nullptr && pMsg->message == WM_KEYDOWN;
            if (m_bCustomizeMode || bKeyboard || m_nMenuShowDelay <= 0) {
                KillTimer(kCloseTimer);
                m_pDelayedClosePopupMenuButton = nullptr;
                pOpen->OnCancelMode();
                ActivateOwnPopup();
            } else {
                m_pDelayedClosePopupMenuButton = pOpen;
                pOpen->m_bToBeClosed = TRUE;
                SetTimer(kCloseTimer, (UINT)(m_nMenuShowDelay - 1), nullptr);
                InvalidateRect(pOpen->m_rect);
                UpdateWindow();
            }
        }
        if (pTarget != nullptr && (pTarget->m_nID == kSubMenuId || pTarget->m_bShowArrow))
            pTarget->OnClick(this, TRUE);

        CKtvPPopupMenu* pPopup = PopupOf(this);
        CKtvPPopupMenu* pParentPopup = pPopup != nullptr ? pPopup->GetParentPopupMenu() : nullptr;
        if (pParentPopup != nullptr && pPopup->m_pParentButton != nullptr &&
            pParentPopup->GetMenuBar()->m_pDelayedClosePopupMenuButton == pPopup->m_pParentButton)
            pParentPopup->GetMenuBar()->RestoreDelayedSubMenu();
    } else if (pOpen != nullptr && pOpen == m_pDelayedClosePopupMenuButton) {
        pOpen->m_bToBeClosed = FALSE;
        m_pDelayedClosePopupMenuButton = nullptr;
        KillTimer(kCloseTimer);
    }
    m_iDroppedDown = iIndex;
}

void CKtvPPopupMenuBar::HighlightItem(int iIndex)
{
    const int iOld = m_iHighlighted;
    m_iHighlighted = iIndex;
    if (m_bCustomizeMode)
        m_iSelected = iIndex;
    if (iOld >= 0)
        InvalidateButton(iOld);
    InvalidateButton(iIndex);
    UpdateWindow();
    CKtvPToolbarButton* pButton = GetButton(iIndex);
    if (pButton != nullptr && pButton->m_nID != kSubMenuId)
        ShowCommandMessageString(pButton->m_nID);
}

int CKtvPPopupMenuBar::FindSelectableItem(int iFrom, int nStep) const
{
    const int nCount = GetCount();
    int i = iFrom;
    for (int n = 0; n < nCount; n++) {
        CKtvPToolbarButton* pButton = GetButton(i);
        if (!IsSeparator(pButton) && !pButton->m_rect.IsRectEmpty())
            return i;
        i = (i + nStep + nCount) % nCount;
    }
    return -1;
}

BOOL CKtvPPopupMenuBar::OnKey(UINT nChar)
{
    if (nChar == VK_TAB)
        nChar = ::GetKeyState(VK_SHIFT) < 0 ? VK_UP : VK_DOWN;

    const int nCount = GetCount();
    CKtvPToolbarButton* pHot = GetButton(m_iHighlighted);

    switch (nChar) {
    case VK_RETURN: {
        auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, pHot);
        if (pMenuButton != nullptr && !pMenuButton->OpenPopupMenu(this)) {
            CWnd* pOwner = OwnerWindow();
            if (pOwner != nullptr)
                pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
            OnSendCommand(pMenuButton);
        }
        return TRUE;
    }
    case VK_DOWN:
    case VK_HOME:
    case VK_UP:
    case VK_END: {
        if (nCount == 0)
            return TRUE;
        int iStart = 0, nStep = 1;
        if (nChar == VK_DOWN) {
            iStart = (m_iHighlighted < 0 || m_iHighlighted >= nCount - 1) ? 0 : m_iHighlighted + 1;
        } else if (nChar == VK_UP) {
            iStart = m_iHighlighted <= 0 ? nCount - 1 : m_iHighlighted - 1;
            nStep = -1;
        } else if (nChar == VK_END) {
            iStart = nCount - 1;
            nStep = -1;
        }
        const int iFound = FindSelectableItem(iStart, nStep);
        if (iFound >= 0 && iFound != m_iHighlighted)
            HighlightItem(iFound);
        return TRUE;
    }
    default:
        break;
    }

    if (m_bCustomizeMode || ::GetKeyState(VK_CONTROL) < 0)
        return FALSE;

    BYTE keyState[256] = {};
    ::GetKeyboardState(keyState);
    WORD wChar = 0;
    const HKL hkl = ::GetKeyboardLayout(AfxGetApp() != nullptr ? AfxGetApp()->m_nThreadID : 0);
    if (::ToAsciiEx(nChar, ::MapVirtualKey(nChar, 0), keyState, &wChar, 1, hkl) != 1)
        return FALSE;
    // The key, not the character it typed, is upper-cased: a lower-case letter
    // shares its code with a keypad key and would be read as that digit.
    const UINT uiUpper = CKtvPKeyboardManager::TranslateCharToUpper(nChar);
    // Keys past ASCII are punctuation keys; letters beyond ASCII come as typed characters.
    if (uiUpper >= 0x80)
        return FALSE;
    BOOL bMatched = FALSE;
    return OnMnemonic(uiUpper, &bMatched);
}

BOOL CKtvPPopupMenuBar::TranslateTypedChar(UINT nCodePoint)
{
    if (m_bCustomizeMode || ::GetKeyState(VK_CONTROL) < 0)
        return FALSE;
    BOOL bMatched = FALSE;
    OnMnemonic(UpperMnemonicChar(nCodePoint), &bMatched);
    return bMatched;
}

BOOL CKtvPPopupMenuBar::OnMnemonic(UINT uiUpper, BOOL* pbMatched)
{
    *pbMatched = TRUE;
    CKtvPToolbarButton* pButton = nullptr;
    if (m_AccelKeys.Lookup(uiUpper, pButton)) {
        const int iIndex = ButtonToIndex(pButton);
        if (auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, pButton)) {
            if (pMenuButton->OpenPopupMenu(this)) {
                if (pMenuButton->m_pPopupMenu != nullptr)
                    pMenuButton->m_pPopupMenu->SendMessage(WM_KEYDOWN, VK_HOME);
                HighlightItem(iIndex);
                return FALSE;
            }
            if (pMenuButton->m_nStyle & TBBS_DISABLED) {
                InvokeMenuCommand(0, pMenuButton);
                return TRUE;
            }
            if (OnSendCommand(pMenuButton))
                return TRUE;
        }
        HighlightItem(iIndex);
        return FALSE;
    }

    UINT uiHiddenCmd = 0;
    if (CKtvPMenuBar::m_bRecentlyUsedMenus && !m_bAllCommandsShown && m_HiddenItemsAccel.Lookup(uiUpper, uiHiddenCmd)) {
        InvokeMenuCommand(uiHiddenCmd, nullptr);
        return TRUE;
    }
    *pbMatched = FALSE;
    return FALSE;
}

// --- commands ------------------------------------------------------------------------------------

BOOL CKtvPPopupMenuBar::OnSendCommand(const CKtvPToolbarButton* pButton)
{
    auto* pItem = const_cast<CKtvPToolbarButton*>(pButton);
    auto* pCustomizeItem = DYNAMIC_DOWNCAST(CKtvPCustomizeMenuButton, pItem);
    if (pCustomizeItem != nullptr && (pItem->m_nStyle & TBBS_DISABLED)) {
        pCustomizeItem->OnClickMenuItem();
        return TRUE;
    }
    if ((pItem->m_nStyle & TBBS_DISABLED) || pItem->m_nID == kSubMenuId)
        return FALSE;

    if (auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, pItem)) {
        if (pMenuButton->m_pPopupMenu != nullptr)
            return FALSE;
        if (pMenuButton->OnClickMenuItem())
            return TRUE;
        if (pMenuButton->IsKindOf(RUNTIME_CLASS(CKtvPShowAllButton))) {
            pMenuButton->OnClick(this, FALSE);
            return TRUE;
        }
    }
    InvokeMenuCommand(pItem->m_nID, pItem);
    return TRUE;
}

void CKtvPPopupMenuBar::InvokeMenuCommand(UINT uiCmdId, const CKtvPToolbarButton* pMenuItem)
{
    CKtvPPopupMenu* pPopup = PopupOf(this);
    CWnd* pWndMessage = pPopup != nullptr ? pPopup->m_pWndMessage : nullptr;
    if (pWndMessage == nullptr)
        pWndMessage = OwnerWindow();
    if (pWndMessage != nullptr && pWndMessage->GetSafeHwnd() != nullptr)
        pWndMessage->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);

    // The bar the chain began on leaves its menu state.
    CKtvPToolBar* pStartBar = nullptr;
    for (CKtvPPopupMenu* p = pPopup; p != nullptr && p->m_pParentButton != nullptr; p = p->GetParentPopupMenu())
        pStartBar = DYNAMIC_DOWNCAST(CKtvPToolBar, p->m_pParentButton->m_pWndParent);
    if (pStartBar != nullptr && pStartBar->GetSafeHwnd() != nullptr &&
        !pStartBar->IsKindOf(RUNTIME_CLASS(CKtvPPopupMenuBar)))
        pStartBar->Deactivate();

    if (uiCmdId != 0) {
        SetInCommand(TRUE);
        CKtvPMenuSound::PlayMenuSound(CKtvPMenuSound::ktvpSoundMenuCommand);
        if (m_bTrackMode) {
            if (g_pContextMenuManager != nullptr)
                g_pContextMenuManager->m_nLastCommandID = uiCmdId;
        } else {
            auto* pCustomize =
                pPopup != nullptr ? DYNAMIC_DOWNCAST(CCustomizeButton, pPopup->m_pParentButton) : nullptr;
            if (pCustomize == nullptr || !pCustomize->InvokeCommand(this, pMenuItem)) {
                CKtvPToolBar::AddCommandUsage(uiCmdId);
                const BOOL bPosted = pPopup != nullptr && pPopup->PostCommand(uiCmdId);
                if (!bPosted && (g_pUserToolsManager == nullptr || !g_pUserToolsManager->InvokeTool(uiCmdId))) {
                    CWnd* pOwner = OwnerWindow();
                    if (pOwner != nullptr)
                        pOwner->PostMessage(WM_COMMAND, uiCmdId);
                }
            }
        }
    }

    m_nLastCommandIndex = pMenuItem != nullptr ? ButtonToIndex(pMenuItem) : -1;

    if (uiCmdId != 0 && m_bPaletteMode && pPopup != nullptr && pPopup->m_pParentButton != nullptr) {
        CKtvPToolbarMenuButton* pParentButton = pPopup->m_pParentButton;
        CWnd* pParentBar = pParentButton->m_pWndParent;
        if (pParentBar != nullptr && pParentBar->GetSafeHwnd() != nullptr) {
            pParentButton->m_nID = uiCmdId;
            pParentButton->SetImage(GetCmdImage(uiCmdId, FALSE));
            CRect rectImage;
            pParentButton->GetImageRect(rectImage);
            pParentBar->InvalidateRect(pParentButton->m_rect);
            pParentBar->UpdateWindow();
        }
    }

    SetInCommand(FALSE);
    if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
        pPopup->DestroyWindow();
}

CWnd* CKtvPPopupMenuBar::GetCommandTarget() const
{
    if (m_bTrackMode)
        return nullptr;
    CKtvPPopupMenu* pPopup = PopupOf(this);
    if (pPopup != nullptr && pPopup->m_pWndMessage != nullptr)
        return pPopup->m_pWndMessage;
    CWnd* pTarget = OwnerWindow();
    if (pTarget == nullptr || (m_bRouteCommandsViaFrame && !pTarget->IsKindOf(RUNTIME_CLASS(CFrameWnd))))
        pTarget = KtvGetParentFrame(const_cast<CKtvPPopupMenuBar*>(this));
    return pTarget;
}

CWnd* CKtvPPopupMenuBar::OwnerWindow() const
{
    if (CWnd* pOwner = GetOwner())
        return pOwner;
    // The popup's own owner: the window the menu works for.
    if (CKtvPPopupMenu* pPopup = PopupOf(this)) {
        if (HWND hwndOwner = ::GetWindow(pPopup->GetSafeHwnd(), GW_OWNER))
            return CWnd::FromHandle(hwndOwner);
    }
    return GetParent();
}

// --- messages ------------------------------------------------------------------------------------

void CKtvPPopupMenuBar::OnNcPaint() {}

void CKtvPPopupMenuBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {}

void CKtvPPopupMenuBar::ReadMenuShowDelay()
{
    if (m_nMenuShowDelay != -1)
        return;
    m_nMenuShowDelay = kDefaultMenuShowDelay;

    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
    CString strDelay;
    if (!reg.Open(_T("Control Panel\\Desktop")) || !reg.Read(_T("MenuShowDelay"), strDelay))
        return;
    const long nDelay = atol(strDelay);
    // Text that is no number reads as 0; a negative one is huge as unsigned.
    m_nMenuShowDelay = (unsigned long)nDelay > (unsigned long)kMaxMenuShowDelay ? kMaxMenuShowDelay : (int)nDelay;
}

int CKtvPPopupMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    ReadMenuShowDelay();
    return 0;
}

void CKtvPPopupMenuBar::OnDestroy()
{
    KillTimer(kOpenTimer);
    KillTimer(kCloseTimer);
    m_pDelayedPopupMenuButton = nullptr;
    m_pDelayedClosePopupMenuButton = nullptr;

    for (int i = 0; i < GetCount(); i++) {
        auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, GetButton(i));
        if (pMenuButton == nullptr || pMenuButton->m_pPopupMenu == nullptr ||
            !::IsWindow(pMenuButton->m_pPopupMenu->GetSafeHwnd()))
            continue;
        pMenuButton->m_pPopupMenu->WriteBackToParentButtons();
        pMenuButton->m_pPopupMenu->PostMessage(WM_CLOSE);
    }
    CKtvPToolBar::OnDestroy();
}

void CKtvPPopupMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);

    if (nIDEvent == kOpenTimer) {
        KillTimer(kOpenTimer);
        if (m_ToolTip.GetSafeHwnd() != nullptr)
            m_ToolTip.Pop();
        if (m_pDelayedClosePopupMenuButton != nullptr && m_pDelayedClosePopupMenuButton->m_rect.PtInRect(ptCursor))
            return;
        CloseDelayedSubMenu();
        CKtvPToolbarMenuButton* pButton = m_pDelayedPopupMenuButton;
        m_pDelayedPopupMenuButton = nullptr;
        if (pButton != nullptr && ButtonToIndex(pButton) == m_iHighlighted && m_iHighlighted >= 0)
            pButton->OpenPopupMenu(this);
        return;
    }
    if (nIDEvent == kCloseTimer) {
        KillTimer(kCloseTimer);
        if (m_pDelayedClosePopupMenuButton != nullptr &&
            !m_pDelayedClosePopupMenuButton->m_rect.PtInRect(ptCursor)) {
            CKtvPToolbarMenuButton* pButton = m_pDelayedClosePopupMenuButton;
            m_pDelayedClosePopupMenuButton = nullptr;
            pButton->OnCancelMode();
            ActivateOwnPopup();
        }
        return;
    }
    Default();
}

void CKtvPPopupMenuBar::ForwardToChainBar(UINT message, UINT nFlags, CPoint point)
{
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CKtvPToolBar* pBar = FindBarAtPoint(ptScreen);
    if (pBar == nullptr)
        return;
    CPoint ptBar = ptScreen;
    pBar->ScreenToClient(&ptBar);
    pBar->SendMessage(message, nFlags, MAKELPARAM(ptBar.x, ptBar.y));
}

void CKtvPPopupMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bFirstClick = FALSE;
    m_bReleaseSelects = TRUE;
    CRect rectClient;
    GetClientRect(rectClient);
    if (!m_bCustomizeMode && !rectClient.PtInRect(point)) {
        ForwardToChainBar(WM_LBUTTONDOWN, nFlags, point);
        return;
    }
    CKtvPToolBar::OnLButtonDown(nFlags, point);
}

void CKtvPPopupMenuBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    CRect rectClient;
    GetClientRect(rectClient);
    if (m_bFirstClick) {
        if (!m_bCustomizeMode && m_iHighlighted >= 0)
            m_iButtonCapture = m_iHighlighted;
    } else if (!m_bCustomizeMode) {
        if (!rectClient.PtInRect(point)) {
            ForwardToChainBar(WM_LBUTTONUP, nFlags, point);
            if (CKtvPPopupMenu* pPopup = PopupOf(this); pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
                pPopup->DestroyWindow();
            return;
        }
        if (m_iHighlighted >= 0)
            m_iButtonCapture = m_iHighlighted;
    }
    m_bFirstClick = FALSE;
    if (m_bReleaseSelects)
        CKtvPToolBar::OnLButtonUp(nFlags, point);
}

void CKtvPPopupMenuBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bFirstMove) {
        m_bFirstMove = FALSE;
        return;
    }
    CRect rectClient;
    GetClientRect(rectClient);
    if (rectClient.PtInRect(point) || m_bCustomizeMode) {
        // A new position of the pointer over the menu makes a release select again.
        m_bReleaseSelects = TRUE;
        CKtvPToolBar::OnMouseMove(nFlags, point);
        return;
    }
    ForwardToChainBar(WM_MOUSEMOVE, nFlags, point);
}

void CKtvPPopupMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int iHit = HitTest(point);
    CKtvPToolbarButton* pButton = GetButton(iHit);
    if (pButton != nullptr && pButton->m_nID == kSubMenuId) {
        Default();
        return;
    }
    CKtvPToolBar::OnLButtonDblClk(nFlags, point);
}

LRESULT CKtvPPopupMenuBar::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_bTrackMode || !IsWindowVisible())
        return 0;
    CWnd* pTarget = GetCommandTarget();
    if (pTarget == nullptr || !pTarget->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        pTarget = KtvGetParentFrame(this);
    auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget);
    if (pFrame != nullptr)
        OnUpdateCmdUI(pFrame, pFrame->m_bAutoMenuEnable);
    return 0;
}

void CKtvPPopupMenuBar::OnToolbarText()
{
    CKtvPToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == nullptr)
        return;
    GetCmdMgr()->EnableMenuItemImage(pButton->m_nID, FALSE);
    AdjustLayout();
}

void CKtvPPopupMenuBar::OnToolbarImageAndText()
{
    CKtvPToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == nullptr)
        return;
    GetCmdMgr()->EnableMenuItemImage(pButton->m_nID, TRUE);
    AdjustLayout();
}
