#include "ui/commandbars/KtvPToolbarMenuButton.h"

#include <vector>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CMDIFrameWnd.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/menu/winmenu.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPFrameWnd.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPKeyboardManager.h"
#include "ui/frames/KtvPMDIFrameWnd.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPWorkspace.h"

IMPLEMENT_SERIAL(CKtvPToolbarMenuButton, CKtvPToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr UINT kBreakStyle = 0x20000000;   // the item starts a new menu column
constexpr UINT kSubMenuId = (UINT)-1;

BOOL IsRealCommand(UINT uiID) { return uiID != 0 && uiID != kSubMenuId; }

BOOL IsSystemCommand(UINT uiID) { return uiID >= 0xF000 && uiID < 0xF1F0; }

int LargeIconFactor() { return CKtvPToolBar::m_bLargeIcons ? 2 : 1; }

// The palette fields were added to the stored button in 6.52 and left out
// again from 7.0 on; a workspace that has not loaded anything reports -1.
BOOL StoresPaletteFields()
{
    CKtvPWorkspace* pWorkspace = KtvGetWorkspace();
    if (pWorkspace == nullptr)
        return FALSE;
    const int nMajor = pWorkspace->GetDataVersionMajor();
    const int nMinor = pWorkspace->GetDataVersionMinor();
    return nMajor == -1 || (nMajor == 6 && nMinor >= 52);
}

void DeleteChildren(CObList& list)
{
    while (!list.IsEmpty())
        delete static_cast<CKtvPToolbarButton*>(list.RemoveHead());
}

CString MenuItemText(HMENU hMenu, int iPos)
{
    const int nLen = ::GetMenuString(hMenu, (UINT)iPos, nullptr, 0, MF_BYPOSITION);
    if (nLen <= 0)
        return CString();
    std::vector<TCHAR> buffer((size_t)nLen * 2 + 2, 0);
    ::GetMenuString(hMenu, (UINT)iPos, buffer.data(), (int)buffer.size(), MF_BYPOSITION);
    return CString(buffer.data());
}

// The frame that may draw images of items and knows their keys: the frame of
// the bar the item stands on, else the main window.
CFrameWnd* FrameOfBar(CWnd* pWndBar)
{
    CWnd* pFrame = pWndBar != nullptr ? KtvGetParentFrame(pWndBar) : nullptr;
    if (pFrame == nullptr && AfxGetApp() != nullptr)
        pFrame = AfxGetApp()->m_pMainWnd;
    if (pFrame == nullptr || !pFrame->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return nullptr;
    CFrameWnd* pTop = static_cast<CFrameWnd*>(pFrame)->GetTopLevelFrame();
    return pTop != nullptr ? pTop : static_cast<CFrameWnd*>(pFrame);
}

}  // namespace

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
    DeleteChildren(m_listChildren);
    if (m_uiTearOffId != 0 && g_pTearOffMenuManager != nullptr)
        g_pTearOffMenuManager->SetInUse(m_uiTearOffId, FALSE);
}

void CKtvPToolbarMenuButton::Serialize(CArchive& ar)
{
    CKtvPToolbarButton::Serialize(ar);
    if (ar.IsLoading()) {
        DeleteChildren(m_listChildren);
        DWORD dwTearOff = 0;
        ar >> dwTearOff;
        SetTearOffMenu((UINT)dwTearOff);
        if (StoresPaletteFields()) {
            DWORD dwPalette = 0, dwRows = 0;
            ar >> dwPalette >> dwRows;
            m_bPaletteMenu = (BOOL)dwPalette;
            m_nPaletteRows = (int)dwRows;
        }
    } else {
        ar << (DWORD)m_uiTearOffId;
        if (StoresPaletteFields())
            ar << (DWORD)m_bPaletteMenu << (DWORD)m_nPaletteRows;
    }
    m_listChildren.Serialize(ar);
}

void CKtvPToolbarMenuButton::CopyFrom(const CKtvPToolbarButton& s)
{
    CKtvPToolbarButton::CopyFrom(s);
    const auto& src = static_cast<const CKtvPToolbarMenuButton&>(s);
    m_bDefault = src.m_bDefault;
    m_bMenuOnly = src.m_bMenuOnly;
    m_bRadio = src.m_bRadio;
    m_pWndMessage = src.m_pWndMessage;
    m_bPaletteMenu = src.m_bPaletteMenu;
    m_nPaletteRows = src.m_nPaletteRows;
    m_bArrowDown = src.m_bArrowDown;
    m_bOpenRight = src.m_bOpenRight;
    SetTearOffMenu(src.m_uiTearOffId);

    DeleteChildren(m_listChildren);
    for (POSITION pos = src.m_listChildren.GetHeadPosition(); pos != nullptr;) {
        auto* pSrcChild = static_cast<CKtvPToolbarButton*>(src.m_listChildren.GetNext(pos));
        auto* pChild = static_cast<CKtvPToolbarButton*>(pSrcChild->GetRuntimeClass()->CreateObject());
        if (pChild == nullptr)
            continue;
        pChild->CopyFrom(*pSrcChild);
        m_listChildren.AddTail(pChild);
    }
}

void CKtvPToolbarMenuButton::CreateFromMenu(HMENU hMenu)
{
    DeleteChildren(m_listChildren);
    if (hMenu == nullptr)
        return;

    const UINT uiDefault = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        auto* pItem = new CKtvPToolbarMenuButton;
        pItem->m_nID = ::GetMenuItemID(hMenu, i);
        pItem->m_strText = MenuItemText(hMenu, i);

        if (pItem->m_nID == kSubMenuId) {
            if (g_pTearOffMenuManager != nullptr)
                pItem->SetTearOffMenu(CKtvPTearOffManager::Parse(pItem->m_strText));
            pItem->CreateFromMenu(::GetSubMenu(hMenu, i));
        } else if (pItem->m_nID != 0 && pItem->m_nID == uiDefault) {
            pItem->m_bDefault = TRUE;
        }
        if (::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION) & MF_MENUBREAK)
            pItem->m_nStyle |= kBreakStyle;
        m_listChildren.AddTail(pItem);
    }
}

HMENU CKtvPToolbarMenuButton::CreateMenu() const
{
    if (m_listChildren.IsEmpty() && IsRealCommand(m_nID) && !m_bMenuOnly)
        return nullptr;

    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr)
        return nullptr;

    UINT uiDefault = 0;
    for (POSITION pos = m_listChildren.GetHeadPosition(); pos != nullptr;) {
        auto* pChild = static_cast<CKtvPToolbarButton*>(m_listChildren.GetNext(pos));
        auto* pMenuChild = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, pChild);

        UINT uiFlags = (pChild->m_nStyle & kBreakStyle) ? MF_MENUBREAK : 0;
        if (pMenuChild != nullptr && pMenuChild->IsTearOffMenu())
            uiFlags |= MF_MENUBARBREAK;

        BOOL bOk = TRUE;
        if (pChild->m_nID == 0) {
            bOk = ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
        } else if (pChild->m_nID == kSubMenuId) {
            HMENU hSub = pMenuChild != nullptr ? pMenuChild->CreateMenu() : ::CreatePopupMenu();
            CString strText = pChild->m_strText;
            if (pMenuChild != nullptr && pMenuChild->m_uiTearOffId != 0 && g_pTearOffMenuManager != nullptr)
                CKtvPTearOffManager::Build(pMenuChild->m_uiTearOffId, strText);
            bOk = hSub != nullptr && ::AppendMenu(hMenu, uiFlags | MF_POPUP, (UINT_PTR)hSub, strText);
            if (!bOk && hSub != nullptr)
                ::DestroyMenu(hSub);
        } else {
            bOk = ::AppendMenu(hMenu, uiFlags, pChild->m_nID, pChild->m_strText);
            if (pMenuChild != nullptr && pMenuChild->m_bDefault)
                uiDefault = pChild->m_nID;
        }
        if (!bOk) {
            ::DestroyMenu(hMenu);
            return nullptr;
        }
    }
    if (uiDefault != 0)
        ::SetMenuDefaultItem(hMenu, uiDefault, FALSE);
    return hMenu;
}

CKtvPPopupMenu* CKtvPToolbarMenuButton::CreatePopupMenu() { return new CKtvPPopupMenu; }

BOOL CKtvPToolbarMenuButton::IsEmptyMenuAllowed() const { return FALSE; }

BOOL CKtvPToolbarMenuButton::IsConnectedToPopup() const { return TRUE; }

BOOL CKtvPToolbarMenuButton::OnClickMenuItem() { return FALSE; }

BOOL CKtvPToolbarMenuButton::IsTearOffMenu() const { return m_uiTearOffId != 0; }

void CKtvPToolbarMenuButton::SetTearOffMenu(UINT uiBarID)
{
    if (uiBarID == m_uiTearOffId)
        return;
    if (g_pTearOffMenuManager != nullptr) {
        if (m_uiTearOffId != 0)
            g_pTearOffMenuManager->SetInUse(m_uiTearOffId, FALSE);
        if (uiBarID != 0)
            g_pTearOffMenuManager->SetInUse(uiBarID, TRUE);
    }
    m_uiTearOffId = uiBarID;
}

BOOL CKtvPToolbarMenuButton::IsDroppedDown() const { return m_pPopupMenu != nullptr; }

BOOL CKtvPToolbarMenuButton::HaveHotBorder() const { return FALSE; }

BOOL CKtvPToolbarMenuButton::OnContextHelp(CWnd* pWnd) { return OnClick(pWnd, FALSE); }

BOOL CKtvPToolbarMenuButton::CompareWith(const CKtvPToolbarButton& other) const
{
    if (m_nID != other.m_nID)
        return FALSE;
    const auto* pOther = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, const_cast<CKtvPToolbarButton*>(&other));
    if (pOther == nullptr)
        return m_listChildren.IsEmpty();
    if (m_listChildren.GetCount() != pOther->m_listChildren.GetCount())
        return FALSE;
    POSITION posOther = pOther->m_listChildren.GetHeadPosition();
    for (POSITION pos = m_listChildren.GetHeadPosition(); pos != nullptr;) {
        auto* pChild = static_cast<CKtvPToolbarButton*>(m_listChildren.GetNext(pos));
        auto* pOtherChild = static_cast<CKtvPToolbarButton*>(pOther->m_listChildren.GetNext(posOther));
        if (!pChild->CompareWith(*pOtherChild))
            return FALSE;
    }
    return TRUE;
}

void CKtvPToolbarMenuButton::ResetImageToDefault()
{
    CKtvPToolbarButton::ResetImageToDefault();
    for (POSITION pos = m_listChildren.GetHeadPosition(); pos != nullptr;)
        static_cast<CKtvPToolbarButton*>(m_listChildren.GetNext(pos))->ResetImageToDefault();
}

void CKtvPToolbarMenuButton::SetRadio()
{
    m_bRadio = TRUE;
    if (m_pWndParent == nullptr || m_pWndParent->GetSafeHwnd() == nullptr)
        return;
    CRect rectImage;
    GetImageRect(rectImage);
    m_pWndParent->InvalidateRect(rectImage);
    m_pWndParent->UpdateWindow();
}

void CKtvPToolbarMenuButton::GetImageRect(CRect& rectImage)
{
    const int nMargin = CKtvPVisualManager::GetInstance()->GetMenuImageMargin();
    rectImage = m_rect;
    rectImage.left += nMargin;
    rectImage.right = rectImage.left + nMargin + CKtvPToolBar::GetMenuImageSize().cx;
}

void CKtvPToolbarMenuButton::GetMenuItemOffsets(int& nTextOffset, int& nArrowWidth)
{
    nTextOffset = CKtvPToolBar::GetMenuImageSize().cx / 2 + 3;
    nArrowWidth = CKtvPMenuImages::Size().cx;
}

void CKtvPToolbarMenuButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKtvPToolbarButton::OnChangeParentWnd(pWndParent);

    if (pWndParent != nullptr) {
        if (pWndParent->IsKindOf(RUNTIME_CLASS(CKtvPMenuBar))) {
            m_bTextShown = TRUE;
            m_bImageShown = FALSE;
            m_bShowArrow = IsRealCommand(m_nID) && !m_listChildren.IsEmpty();
        } else if (pWndParent->IsKindOf(RUNTIME_CLASS(CKtvPPopupMenuBar))) {
            m_bMenuMode = TRUE;
            m_bTextShown = TRUE;
            m_bImageShown = FALSE;
            m_bShowArrow = m_nID == 0 || !m_listChildren.IsEmpty();
        } else {
            m_bShowArrow = m_nID == 0 || !m_listChildren.IsEmpty();
            m_bMenuMode = FALSE;
        }
    }
    m_pWndParent = pWndParent;
}

BOOL CKtvPToolbarMenuButton::OpenPopupMenu(CWnd* pWnd)
{
    if (m_pPopupMenu != nullptr)
        return FALSE;
    if (pWnd == nullptr)
        pWnd = m_pWndParent;
    if (pWnd == nullptr)
        return FALSE;

    HMENU hMenu = CreateMenu();
    if (hMenu == nullptr && !IsEmptyMenuAllowed())
        return FALSE;

    m_pPopupMenu = CreatePopupMenu();
    if (m_pPopupMenu == nullptr) {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    if (m_pPopupMenu->GetMenuItemCount() > 0 && hMenu != nullptr) {
        ::DestroyMenu(hMenu);
        hMenu = nullptr;
    }

    CPoint point;
    auto* pParentMenuBar = DYNAMIC_DOWNCAST(CKtvPPopupMenuBar, m_pWndParent);
    auto* pMenuBar = DYNAMIC_DOWNCAST(CKtvPMenuBar, m_pWndParent);
    BOOL bScreen = FALSE;
    if (pParentMenuBar != nullptr && pParentMenuBar->GetSafeHwnd() != nullptr) {
        CRect rectBar;
        pParentMenuBar->GetWindowRect(rectBar);
        CPoint ptTop(0, m_rect.top - 2);
        pParentMenuBar->ClientToScreen(&ptTop);
        point = CPoint(rectBar.right + 1, ptTop.y);
        bScreen = TRUE;
    } else if (pMenuBar != nullptr && !pMenuBar->IsHorizontal()) {
        point = CPoint(m_rect.right, m_rect.top);
    } else if (m_bOpenRight) {
        point = CPoint(m_rect.right - 2, m_rect.top);
    } else if (m_pPopupMenu->m_bAlignRight) {
        point = CPoint(m_rect.right - 2, m_rect.bottom - 1);
    } else {
        point = CPoint(m_rect.left, m_rect.bottom - 1);
    }
    if (!bScreen)
        pWnd->ClientToScreen(&point);

    m_pPopupMenu->m_pParentButton = this;
    if (!m_pPopupMenu->Create(pWnd, point.x, point.y, hMenu, FALSE, FALSE)) {
        // A refused popup closes itself; it is never touched again here.
        m_pPopupMenu = nullptr;
        return FALSE;
    }

    CWnd* pWndMessage = m_pWndMessage;
    if (pWndMessage == nullptr && pParentMenuBar != nullptr) {
        auto* pParentPopup = DYNAMIC_DOWNCAST(CKtvPPopupMenu, pParentMenuBar->GetParent());
        if (pParentPopup != nullptr)
            pWndMessage = pParentPopup->m_pWndMessage;
    }
    if (pWndMessage != nullptr && m_pPopupMenu != nullptr)
        m_pPopupMenu->m_pWndMessage = pWndMessage;
    return TRUE;
}

BOOL CKtvPToolbarMenuButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    m_bClickedOnMenu = FALSE;

    if (m_bShowArrow && !bDelay && !m_bMenuMode) {
        if (IsRealCommand(m_nID)) {
            CRect rectArrow = m_rect;
            if (m_bExtraSize) {
                const CSize sizeExtra = CKtvPVisualManager::GetInstance()->GetButtonExtraBorder();
                rectArrow.DeflateRect(sizeExtra.cx / 2 + 1, sizeExtra.cy / 2 + 1);
            }
            const CSize sizeGlyph = CKtvPMenuImages::Size();
            if (m_bHorzMeasured)
                rectArrow.left = rectArrow.right - (sizeGlyph.cx * LargeIconFactor() + 2);
            else
                rectArrow.top = rectArrow.bottom - (sizeGlyph.cy * LargeIconFactor() + 2);

            CPoint ptCursor;
            ::GetCursorPos(&ptCursor);
            if (pWnd != nullptr)
                pWnd->ScreenToClient(&ptCursor);
            if (!rectArrow.PtInRect(ptCursor))
                return FALSE;
        }
        m_bClickedOnMenu = TRUE;
    }

    if (!m_bClickedOnMenu && IsRealCommand(m_nID) && !m_bShowArrow && !m_bMenuOnly)
        return FALSE;

    auto* pMenuBar = DYNAMIC_DOWNCAST(CKtvPMenuBar, m_pWndParent);
    auto* pPopupBar = DYNAMIC_DOWNCAST(CKtvPPopupMenuBar, m_pWndParent);

    if (m_pPopupMenu != nullptr) {
        CKtvPPopupMenu* pPopup = m_pPopupMenu;
        m_pPopupMenu = nullptr;
        pPopup->m_pParentButton = nullptr;
        pPopup->CloseMenu();
    } else if (pPopupBar != nullptr && bDelay && !CKtvPToolBar::m_bCustomizeMode) {
        pPopupBar->StartPopupMenuTimer(this);
    } else {
        if (pMenuBar != nullptr) {
            CKtvPToolbarMenuButton* pDropped = pMenuBar->GetDroppedDownMenu();
            if (pDropped != nullptr && pDropped != this)
                pDropped->OnCancelMode();
        }
        if (!OpenPopupMenu(pWnd))
            return FALSE;
    }

    if (pMenuBar != nullptr)
        pMenuBar->SetDroppedMenuButton(m_pPopupMenu != nullptr ? this : nullptr);

    if (m_pWndParent != nullptr && m_pWndParent->GetSafeHwnd() != nullptr) {
        CRect rect = m_rect;
        const int nDepth = CKtvPVisualManager::GetInstance()->m_nMenuShadowDepth;
        rect.InflateRect(nDepth, nDepth);
        m_pWndParent->RedrawWindow(rect, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
    return TRUE;
}

void CKtvPToolbarMenuButton::OnCancelMode()
{
    if (m_pPopupMenu != nullptr && ::IsWindow(m_pPopupMenu->GetSafeHwnd()) && !m_pPopupMenu->InCommand()) {
        CKtvPPopupMenuBar* pBar = m_pPopupMenu->GetMenuBar();
        for (int i = 0; i < pBar->GetCount(); i++) {
            if (CKtvPToolbarButton* pItem = pBar->GetButton(i))
                pItem->OnCancelMode();
        }
        m_pPopupMenu->WriteBackToParentButtons();
        m_pPopupMenu->CloseMenu(FALSE);
    }
    m_pPopupMenu = nullptr;

    if (m_pWndParent != nullptr && ::IsWindow(m_pWndParent->GetSafeHwnd())) {
        CRect rect = m_rect;
        const int nDepth = CKtvPVisualManager::GetInstance()->m_nMenuShadowDepth;
        rect.InflateRect(nDepth, nDepth);
        m_pWndParent->InvalidateRect(rect);
        m_pWndParent->UpdateWindow();
    }
    m_bToBeClosed = FALSE;
}

BOOL CKtvPToolbarMenuButton::OnBeforeDrag() const
{
    if (m_pPopupMenu != nullptr && ::IsWindow(m_pPopupMenu->GetSafeHwnd()))
        m_pPopupMenu->CancelAllItems();
    return TRUE;
}

void CKtvPToolbarMenuButton::OnAfterAltDrop()
{
    auto* pBar = DYNAMIC_DOWNCAST(CKtvPPopupMenuBar, m_pWndParent);
    if (pBar == nullptr)
        return;
    auto* pPopup = DYNAMIC_DOWNCAST(CKtvPPopupMenu, pBar->GetParent());
    while (pPopup != nullptr && pPopup->GetParentPopupMenu() != nullptr)
        pPopup = pPopup->GetParentPopupMenu();
    if (pPopup != nullptr)
        pPopup->WriteBackToParentButtons();
}

int CKtvPToolbarMenuButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    CKtvPToolbarButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
    if (m_nID == 0 || !m_listChildren.IsEmpty())
        CKtvPVisualManager::GetInstance()->OnDrawMenuArrowOnCustomizeList(pDC, rect, bSelected);
    return rect.Width();
}

CSize CKtvPToolbarMenuButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    m_bHorzMeasured = bHorz;
    if (!m_bVisible)
        return CSize(0, 0);

    int nArrow = 0;
    if (m_bShowArrow || m_bMenuMode) {
        const CSize sizeGlyph = CKtvPMenuImages::Size();
        nArrow = (bHorz ? sizeGlyph.cx : sizeGlyph.cy) * LargeIconFactor() - 1;
    }

    if (m_bMenuMode && g_pKeyboardManager != nullptr && !IsSystemCommand(m_nID))
        AppendAcceleratorText();

    const CSize size = CKtvPToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    int cx = bHorz ? size.cx + nArrow : size.cx;
    if (m_bMenuMode)
        cx += sizeDefault.cx + 6;

    int cy = size.cy;
    if (auto* pPopupBar = DYNAMIC_DOWNCAST(CKtvPPopupMenuBar, m_pWndParent))
        cy = pPopupBar->GetRowHeight();
    else if (!bHorz)
        cy += nArrow;

    if (!m_bMenuMode) {
        const int nExtra = 2 * CKtvPVisualManager::GetInstance()->GetMenuImageMargin() + 3;
        if (bHorz)
            cx += nExtra;
        else
            cy += nExtra;
    }
    return CSize(cx, cy);
}

void CKtvPToolbarMenuButton::AppendAcceleratorText()
{
    const int iTab = m_strText.Find(_T('\t'));
    if (iTab >= 0)
        m_strText = m_strText.Left(iTab);

    CFrameWnd* pFrame = FrameOfBar(m_pWndParent);
    CString strKeys;
    BOOL bFound = CKtvPKeyboardManager::FindDefaultAccelerator(m_nID, strKeys, pFrame, TRUE);
    if (!bFound && pFrame != nullptr) {
        CFrameWnd* pActive = pFrame->GetActiveFrame();
        if (pActive != nullptr && pActive != pFrame)
            bFound = CKtvPKeyboardManager::FindDefaultAccelerator(m_nID, strKeys, pActive, FALSE);
    }
    if (bFound)
        m_strText += _T("\t") + strKeys;
}

void CKtvPToolbarMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz,
                                    BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                    BOOL bGrayDisabledButtons)
{
    if (m_bMenuMode) {
        DrawMenuItem(pDC, rect, pImages, bCustomizeMode, bHighlight, bGrayDisabledButtons);
        return;
    }

    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    const UINT nStyleSaved = m_nStyle;
    if (m_bPaletteMenu)
        m_nStyle &= ~TBBS_CHECKED;
    const BOOL bHighlighted = bHighlight || IsDroppedDown();
    FillInterior(pDC, rect, bHighlighted);

    CSize sizeGlyph = CKtvPMenuImages::Size();
    sizeGlyph.cx *= LargeIconFactor();
    sizeGlyph.cy *= LargeIconFactor();

    CRect rectParent = rect;
    const CSize sizeExtra = pLook->GetButtonExtraBorder();
    if (m_bExtraSize && sizeExtra != CSize(0, 0))
        rectParent.DeflateRect(sizeExtra.cx / 2 + 1, sizeExtra.cy / 2 + 1);

    const int nMargin = pLook->GetMenuImageMargin();
    CRect rectContent = rect;
    if (bHorz)
        rectContent.DeflateRect(nMargin, 0);
    else
        rectContent.DeflateRect(0, nMargin);

    CRect rectArrow;
    if (m_bShowArrow) {
        rectArrow = rectParent;
        if (bHorz) {
            rectContent.right -= sizeGlyph.cx + 2;
            rectArrow.left = rectContent.right - 1;
            rectArrow.OffsetRect(-sizeExtra.cx / 2, -sizeExtra.cy / 2);
        } else {
            rectContent.bottom -= sizeGlyph.cy + 2;
            rectArrow.top = rectContent.bottom - 1;
        }
    }

    const BOOL bSplit = m_bClickedOnMenu && IsRealCommand(m_nID) && !m_bMenuOnly;
    if (pLook->m_bFlatButtons) {
        m_nStyle &= ~(TBBS_CHECKED | TBBS_PRESSED);
    } else {
        if (bSplit)
            m_nStyle &= ~TBBS_PRESSED;
        if (IsDroppedDown())
            m_nStyle |= TBBS_PRESSED;
    }

    const BOOL bNoFillSaved = m_bNoFill;
    m_bNoFill = TRUE;
    CKtvPToolbarButton::OnDraw(pDC, rectContent, pImages, bHorz, bCustomizeMode, bHighlight, FALSE,
                               bGrayDisabledButtons);
    m_bNoFill = bNoFillSaved;

    const BOOL bPressedOrChecked = (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) != 0;
    if (m_bShowArrow) {
        CRect rectGlyph = rectArrow;
        if (bPressedOrChecked && !pLook->m_bFlatButtons)
            rectGlyph.OffsetRect(1, 1);
        if ((bHighlight || bPressedOrChecked || IsDroppedDown()) && bSplit)
            pLook->OnDrawButtonSeparator(pDC, this, rectArrow, ButtonsIsHighlighted, bHorz);
        if (IsDroppedDown() && !bPressedOrChecked && !pLook->m_bFlatButtons)
            rectGlyph.OffsetRect(1, 1);

        const int nGlyph = (bHorz && !m_bMenuOnly) ? CKtvPMenuImages::IdArowDown : CKtvPMenuImages::IdArowRight;
        const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
        const CPoint ptGlyph(rectGlyph.left + (rectGlyph.Width() - sizeGlyph.cx) / 2,
                             rectGlyph.top + (rectGlyph.Height() - sizeGlyph.cy) / 2);
        CKtvPMenuImages::Draw(pDC, nGlyph, ptGlyph,
                              bDisabled ? CKtvPMenuImages::ImageGray : CKtvPMenuImages::ImageBlack,
                              CKtvPToolBar::m_bLargeIcons ? sizeGlyph : CSize(0, 0));
    }

    const BOOL bOpen = IsDroppedDown();
    m_nStyle = nStyleSaved;
    if (m_bPaletteMenu)
        m_nStyle &= ~TBBS_CHECKED;
    if (!bCustomizeMode && bDrawBorder) {
        if ((m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) || bOpen) {
            if (bSplit && !pLook->m_bFlatButtons) {
                pLook->OnDrawButtonBorder(pDC, this, rectContent, ButtonsIsPressed);
                CRect rectArrowBorder = rectArrow;
                rectArrowBorder.right--;
                rectArrowBorder.bottom--;
                pLook->OnDrawButtonBorder(pDC, this, rectArrowBorder, ButtonsIsHighlighted);
            } else {
                pLook->OnDrawButtonBorder(pDC, this, rect, ButtonsIsPressed);
            }
        } else if (bHighlight && !(m_nStyle & (TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE))) {
            pLook->OnDrawButtonBorder(pDC, this, rect, ButtonsIsHighlighted);
        }
    }
    m_nStyle = nStyleSaved;
}

namespace {

// The top-level frame that may draw an item's image itself: the in-place
// frame while one is active, else the frame of the bar.
CKtvPFrameHooks* ImageDrawingFrame(CWnd* pWndBar)
{
    if (g_pKtvTopLevelFrameOverride != nullptr)
        return KtvGetFrameHooks(g_pKtvTopLevelFrameOverride);
    return KtvGetFrameHooks(FrameOfBar(pWndBar));
}

void DrawTextPart(CDC* pDC, const CString& strText, CRect rect, UINT uiFormat, BOOL bEmboss, COLORREF clrText)
{
    if (bEmboss) {
        pDC->SetTextColor(globalData.clrBtnHilite);
        CRect rectShadow = rect;
        rectShadow.OffsetRect(1, 1);
        pDC->DrawText(strText, &rectShadow, uiFormat);
    }
    pDC->SetTextColor(clrText);
    pDC->DrawText(strText, &rect, uiFormat);
}

}  // namespace

void CKtvPToolbarMenuButton::DrawMenuItem(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages,
                                          BOOL bCustomizeMode, BOOL bHighlight, BOOL bGrayDisabledButtons)
{
    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    auto* pParentBar = DYNAMIC_DOWNCAST(CKtvPPopupMenuBar, m_pWndParent);
    auto* pParentPopup = pParentBar != nullptr ? DYNAMIC_DOWNCAST(CKtvPPopupMenu, pParentBar->GetParent()) : nullptr;

    // A menu of a locked bar's hidden buttons shows that bar's own images.
    CKtvPToolBarImages* pLockedImages = nullptr;
    CKtvPDrawState ds;
    if (pParentBar != nullptr && pParentBar->m_pRelatedToolBar != nullptr &&
        pParentBar->m_pRelatedToolBar->m_bLocked) {
        CKtvPToolBar* pLocked = pParentBar->m_pRelatedToolBar;
        pLockedImages = pLocked->m_MenuImagesLocked.GetCount() > 0 ? &pLocked->m_MenuImagesLocked
                                                                   : &pLocked->m_ImagesLocked;
        const CSize sizeMenuImage = pParentBar->GetCurrentMenuImageSize();
        const CSize sizeDest = sizeMenuImage == CKtvPToolBar::GetMenuImageSize() ? CSize(0, 0) : sizeMenuImage;
        if (pLockedImages->GetCount() > 0 && pLockedImages->PrepareDrawImage(ds, sizeDest))
            pImages = pLockedImages;
        else
            pLockedImages = nullptr;
    }

    CKtvPUserTool* pTool = g_pUserToolsManager != nullptr ? g_pUserToolsManager->FindTool(m_nID) : nullptr;
    const BOOL bNoImageCommand = GetCmdMgr()->IsMenuItemWithoutImage(m_nID);

    const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
    if (m_pPopupMenu != nullptr && !m_bToBeClosed)
        bHighlight = TRUE;
    const BOOL bDefaultItem =
        pParentBar != nullptr && IsRealCommand(m_nID) && !m_bMenuOnly && pParentBar->m_uiDefaultItem == m_nID;
    const BOOL bRarelyUsed = CKtvPMenuBar::m_bRecentlyUsedMenus && CKtvPToolBar::IsCommandRarelyUsed(m_nID) &&
                             pParentPopup != nullptr && pParentPopup->m_pParentButton != nullptr;

    CFont* pOldFont = bDefaultItem ? pDC->SelectObject(&globalData.fontBold) : nullptr;
    const COLORREF clrOldText = pDC->GetTextColor();

    const int nMargin = pLook->GetMenuImageMargin();
    const CSize sizeMenuImage =
        pParentBar != nullptr ? pParentBar->GetCurrentMenuImageSize() : CKtvPToolBar::GetMenuImageSize();
    CRect rectImage(rect.left + nMargin, rect.top, rect.left + 2 * nMargin + sizeMenuImage.cx, rect.bottom);

    // A menu item always shows an image when it has one.
    if (!m_bImageShown || GetImage() < 0) {
        if (m_iUserImage >= 0)
            m_bUserImage = TRUE;
        else
            m_bUserImage = FALSE;
        m_bImageShown = TRUE;
    }

    CRect rectFill = rectImage;
    rectFill.InflateRect(1, -1);
    FillInterior(pDC, rectFill, FALSE);

    BOOL bImageDrawn = FALSE;
    {
        CRgn rgnClip;
        rgnClip.CreateRectRgnIndirect(rectImage);
        pDC->SelectClipRgn(&rgnClip);

        const BOOL bChecked = (m_nStyle & TBBS_CHECKED) != 0;
        if (!bNoImageCommand && pTool != nullptr && pTool->GetIcon() != nullptr) {
            pTool->DrawToolIcon(pDC, rectImage);
            bImageDrawn = TRUE;
        } else if (!bNoImageCommand && pImages != nullptr && GetImage() >= 0) {
            const CSize sizeImage = pImages->GetImageSize(TRUE) == CSize(0, 0) ? pImages->GetImageSize()
                                                                                 : pImages->GetImageSize(TRUE);
            CPoint pt(rectImage.left + (rectImage.Width() - sizeImage.cx) / 2,
                      rectImage.top + (rectImage.Height() - sizeImage.cy) / 2);
            if (bChecked && !bCustomizeMode && !pLook->m_bShadowHotImages)
                pt.Offset(1, 1);
            const BOOL bShadow = bHighlight && !bCustomizeMode && pLook->m_bShadowHotImages && !bChecked && !bDisabled;
            const BOOL bGray = bDisabled && !(m_nStyle & TBBS_PRESSED) && !bCustomizeMode && bGrayDisabledButtons;
            const BOOL bFaded = !bHighlight && pLook->m_bFadeImages;
            if (bShadow) {
                pImages->Draw(pDC, pt.x, pt.y, GetImage(), FALSE, TRUE);
                pt.Offset(-1, -1);
            }
            bImageDrawn = pImages->Draw(pDC, pt.x, pt.y, GetImage(), bGray, FALSE, bFaded);
        }
        if (!bImageDrawn) {
            if (CKtvPFrameHooks* pFrame = ImageDrawingFrame(m_pWndParent))
                bImageDrawn = pFrame->OnDrawMenuImage(pDC, this, rectImage);
        }
        pDC->SelectClipRgn(nullptr);
    }
    rectImage.right++;

    BOOL bCheckOrGlyph = FALSE;
    if (m_nStyle & TBBS_CHECKED) {
        bCheckOrGlyph = TRUE;
        if (bImageDrawn) {
            pLook->OnDrawButtonBorder(pDC, this, rectImage, ButtonsIsPressed);
        } else {
            CRect rectCheck = rectImage;
            rectCheck.DeflateRect(0, 1);
            if (bRarelyUsed && !bHighlight)
                pDC->FillRect(rectCheck, &globalData.brBtnFace);
            FillInterior(pDC, rectCheck, FALSE);
            const int nGlyph = m_bRadio ? CKtvPMenuImages::IdRadio : CKtvPMenuImages::IdCheck;
            const CSize sizeGlyph = CKtvPMenuImages::Size();
            CKtvPMenuImages::Draw(pDC, nGlyph,
                                  CPoint(rectCheck.left + (rectCheck.Width() - sizeGlyph.cx) / 2,
                                         rectCheck.top + (rectCheck.Height() - sizeGlyph.cy) / 2),
                                  bDisabled ? CKtvPMenuImages::ImageGray : CKtvPMenuImages::ImageBlack);
            pLook->OnDrawButtonBorder(pDC, this, rectImage, ButtonsIsPressed);
        }
    } else if (bImageDrawn && bHighlight) {
        pLook->OnDrawButtonBorder(pDC, this, rectImage, ButtonsIsHighlighted);
    } else if (!bImageDrawn) {
        int nSysGlyph = -1;
        switch (m_nID) {
        case SC_MINIMIZE: nSysGlyph = CKtvPMenuImages::IdMinimize; break;
        case SC_MAXIMIZE: nSysGlyph = CKtvPMenuImages::IdMaximize; break;
        case SC_CLOSE: nSysGlyph = CKtvPMenuImages::IdClose; break;
        case SC_RESTORE: nSysGlyph = CKtvPMenuImages::IdRestore; break;
        default: break;
        }
        if (nSysGlyph >= 0) {
            bCheckOrGlyph = TRUE;
            CRect rectGlyph = rectImage;
            rectGlyph.DeflateRect(nMargin, nMargin);
            FillInterior(pDC, rectGlyph, FALSE);
            const CSize sizeGlyph = CKtvPMenuImages::Size();
            CKtvPMenuImages::Draw(pDC, nSysGlyph,
                                  CPoint(rectGlyph.left + (rectGlyph.Width() - sizeGlyph.cx) / 2,
                                         rectGlyph.top + (rectGlyph.Height() - sizeGlyph.cy) / 2),
                                  bDisabled ? CKtvPMenuImages::ImageGray : CKtvPMenuImages::ImageBlack);
            if (bHighlight)
                pLook->OnDrawButtonBorder(pDC, this, rectGlyph, ButtonsIsHighlighted);
        }
    }

    // The label area and the highlight behind it.
    CRect rectText(rectImage.right + nMargin + 2 + 3, rect.top, rect.right, rect.bottom);
    COLORREF clrText = bDisabled ? globalData.clrGrayedText : globalData.clrBtnText;
    if (bHighlight) {
        const BOOL bShowsSomething = bImageDrawn || bCheckOrGlyph;
        CRect rectHighlight(bShowsSomething ? rectImage.right + nMargin + 1 : rectImage.left, rectImage.top,
                            rect.right - 1, rectImage.bottom);
        clrText = bDisabled ? globalData.clrBtnFace : globalData.clrTextHilite;
        pLook->OnHighlightMenuItem(pDC, this, rectHighlight, clrText);
    }

    CString strText = m_strText;
    CString strAccel;
    const int iTab = strText.Find(_T('\t'));
    if (iTab >= 0) {
        strAccel = strText.Mid(iTab + 1);
        strText = strText.Left(iTab);
    }
    if (!m_bWholeText) {
        // Shortened only when the label does not fit; "..." marks the cut.
        if (pDC->GetTextExtent(strText).cx > rectText.Width()) {
            const CSize sizeDots = pDC->GetTextExtent(_T("..."));
            while (!strText.IsEmpty() && pDC->GetTextExtent(strText).cx + sizeDots.cx > rectText.Width())
                strText = strText.Left(strText.GetLength() - 1);
            strText += _T("...");
        }
    }

    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const BOOL bEmboss = bDisabled && !bHighlight && pLook->m_bEmbossDisabled;
    DrawTextPart(pDC, strText, rectText, DT_SINGLELINE | DT_VCENTER, bEmboss, clrText);
    if (!strAccel.IsEmpty()) {
        CRect rectAccel = rectText;
        rectAccel.right -= CKtvPMenuImages::Size().cx + 3;
        DrawTextPart(pDC, strAccel, rectAccel, DT_SINGLELINE | DT_VCENTER | DT_RIGHT, bEmboss, clrText);
    }

    if (m_nID == kSubMenuId || m_bShowArrow || m_bMenuOnly) {
        CFont* pFontBefore = pDC->SelectObject(&globalData.fontMarlett);
        pDC->SetTextColor(clrText);
        CRect rectArrow = rect;
        pDC->DrawText(m_bArrowDown ? _T("6") : _T("4"), rectArrow,
                      DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        pDC->SelectObject(pFontBefore);
    }
    pDC->SetBkMode(nOldMode);

    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    pDC->SetTextColor(clrOldText);
    if (pLockedImages != nullptr)
        pLockedImages->EndDrawImage(ds);
}
