#include "ui/commandbars/CustomizeButton.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/mfc/CDC.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPCustomizeMenuButton.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarComboBoxButton.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/docking/KtvPDockBarRow.h"
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

void CCustomizeButton::CopyFrom(const CKtvPToolbarButton& s)
{
    CKtvPToolbarMenuButton::CopyFrom(s);
    const auto& src = static_cast<const CCustomizeButton&>(s);
    m_iCustomizeCmdId = src.m_iCustomizeCmdId;
    m_strCustomizeText = src.m_strCustomizeText;
    m_bIsEmpty = src.m_bIsEmpty;
    m_bExtraValid = src.m_bExtraValid;
    m_bMenuRightAlign = src.m_bMenuRightAlign;
}

void CCustomizeButton::OnChangeParentWnd(CWnd* pWndParent)
{
    // The plain button's rule for the extra border, without the menu button's label and arrow choices.
    CKtvPToolbarButton::OnChangeParentWnd(pWndParent);
    m_pWndParentToolbar = DYNAMIC_DOWNCAST(CKtvPToolBar, pWndParent);
    m_pWndParent = pWndParent;
    m_bTextShown = FALSE;
    m_bIsEmpty = FALSE;
}

CSize CCustomizeButton::OnCalculateSize(CDC*, const CSize& sizeDefault, BOOL bHorz)
{
    if (m_bIsEmpty)
        return CSize(0, 0);
    if (m_strText.IsEmpty())
        m_strText.LoadString(IDS_KTVP_MORE_BUTTONS);
    if (m_pWndParentToolbar != nullptr && !m_pWndParentToolbar->IsDocked())
        return CSize(0, 0);

    const int nMargin = CKtvPVisualManager::GetInstance()->GetToolBarCustomizeButtonMargin();
    const CSize sizeGlyph = CKtvPMenuImages::Size();
    return bHorz ? CSize(sizeGlyph.cx + 2 * nMargin, sizeDefault.cy) : CSize(sizeDefault.cx, sizeGlyph.cy + 2 * nMargin);
}

void CCustomizeButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages*, BOOL bHorz, BOOL bCustomizeMode,
                              BOOL bHighlight, BOOL, BOOL)
{
    if (m_bMenuMode)
        return;
    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    m_bDrawn = TRUE;
    FillInterior(pDC, rect, bHighlight || IsDroppedDown());

    const int nMargin = pLook->GetToolBarCustomizeButtonMargin();
    const CSize sizeGlyph = CKtvPMenuImages::Size();
    const BOOL bPushed = (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) || IsDroppedDown();
    const auto drawGlyph = [&](CRect rectPart, int nGlyph) {
        CPoint pt(rectPart.left + (rectPart.Width() - sizeGlyph.cx) / 2,
                  rectPart.top + (rectPart.Height() - sizeGlyph.cy) / 2);
        if (bPushed && !pLook->m_bFlatButtons)
            pt.Offset(1, 1);
        CKtvPMenuImages::Draw(pDC, nGlyph, pt);
    };

    // A look that draws the arrow and the chevron with the interior clears m_bDrawn.
    if (m_bDrawn) {
        if (m_iCustomizeCmdId > 0) {
            CRect rectArrow = rect;
            if (bHorz)
                rectArrow.top = rectArrow.bottom - (sizeGlyph.cy + 2 * nMargin);
            else
                rectArrow.right = rectArrow.left + sizeGlyph.cx + 2 * nMargin;
            drawGlyph(rectArrow, bHorz ? CKtvPMenuImages::IdArowDown : CKtvPMenuImages::IdArowLeft);
        }
        if (!m_lstHiddenButtons.IsEmpty()) {
            CRect rectChevron = rect;
            if (bHorz)
                rectChevron.bottom = rectChevron.top + sizeGlyph.cy + 2 * nMargin;
            else
                rectChevron.left = rectChevron.right - (sizeGlyph.cx + 2 * nMargin);
            drawGlyph(rectChevron, bHorz ? CKtvPMenuImages::IdMoreButtons : CKtvPMenuImages::IdArowShowAll);
        }
    }

    if (!bCustomizeMode) {
        if (bPushed)
            pLook->OnDrawButtonBorder(pDC, this, rect, ButtonsIsPressed);
        else if (bHighlight && !(m_nStyle & (TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE)))
            pLook->OnDrawButtonBorder(pDC, this, rect, ButtonsIsHighlighted);
    }
}

void CCustomizeButton::OnCancelMode()
{
    CKtvPToolbarMenuButton::OnCancelMode();
    if (m_sizeExtra != CSize(0, 0) && m_pWndParentToolbar != nullptr &&
        m_pWndParentToolbar->GetSafeHwnd() != nullptr) {
        const int iIndex = m_pWndParentToolbar->ButtonToIndex(this);
        if (iIndex >= 0)
            m_pWndParentToolbar->InvalidateButton(iIndex);
    }
}

namespace {

// The add-or-remove sub-menu: one entry per bar of the row that has a
// chevron; the frame fills each entry's list when it opens.
HMENU BuildAddRemoveMenu(CKtvPToolBar* pBar)
{
    HMENU hMenu = ::CreatePopupMenu();
    std::vector<CKtvPToolBar*> bars;
    if (CKtvPDockBarRow* pRow = pBar->GetDockBarRow()) {
        const CObList& list = pRow->GetControlBarList();
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            auto* pRowBar = DYNAMIC_DOWNCAST(CKtvPToolBar, static_cast<CObject*>(list.GetNext(pos)));
            if (pRowBar != nullptr && pRowBar->IsVisible() && pRowBar->m_pCustomizeBtn != nullptr)
                bars.push_back(pRowBar);
        }
    }
    if (bars.empty())
        bars.push_back(pBar);

    for (CKtvPToolBar* pRowBar : bars) {
        CString strTitle;
        if (pRowBar->GetSafeHwnd() != nullptr)
            pRowBar->GetWindowText(strTitle);
        if (strTitle.IsEmpty())
            strTitle.LoadString(IDS_KTVP_UNTITLED);
        HMENU hPlaceholder = ::CreatePopupMenu();
        CString strId;
        strId.Format(_T("%d"), pRowBar->GetDlgCtrlID());
        ::AppendMenu(hPlaceholder, MF_STRING, 1, strId);
        ::AppendMenu(hMenu, MF_POPUP, (UINT_PTR)hPlaceholder, strTitle);
    }
    return hMenu;
}

}  // namespace

CKtvPPopupMenu* CCustomizeButton::CreatePopupMenu()
{
    auto* pPopup = new CKtvPPopupMenu;
    CKtvPToolBar* pBar = m_pWndParentToolbar;
    if (pBar != nullptr && pBar->m_bLocked)
        pPopup->GetMenuBar()->m_pRelatedToolBar = pBar;
    pPopup->m_bAlignRight = m_bMenuRightAlign;
    pPopup->m_nLookKind = 1;

    m_mapItemButtons.RemoveAll();
    // The hidden buttons; a leading separator and a closing one are left out.
    BOOL bAnyHidden = FALSE;
    POSITION posLast = m_lstHiddenButtons.GetTailPosition();
    BOOL bLeading = TRUE;
    for (POSITION pos = m_lstHiddenButtons.GetHeadPosition(); pos != nullptr;) {
        const POSITION posThis = pos;
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_lstHiddenButtons.GetNext(pos));
        const BOOL bSeparator = (pButton->m_nStyle & TBBS_SEPARATOR) != 0;
        if (bSeparator && (bLeading || posThis == posLast))
            continue;
        bLeading = FALSE;
        bAnyHidden = TRUE;
        if (bSeparator) {
            pPopup->InsertSeparator();
            continue;
        }

        const int iItem = pPopup->GetMenuItemCount();
        if (pButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarMenuButton))) {
            pPopup->InsertItem(*pButton);
        } else {
            const int iImage = (pBar == nullptr || pBar->m_bLocked) ? -1 : pButton->GetImage();
            CKtvPToolbarMenuButton item(pButton->m_nID, nullptr, iImage, pButton->m_strText, pButton->m_bUserImage);
            pPopup->InsertItem(item);
        }
        CKtvPToolbarButton* pItem = pPopup->GetMenuItem(iItem);
        if (pItem == nullptr)
            continue;
        if (pItem->m_strText.IsEmpty() || pButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarComboBoxButton)))
            pItem->m_strText = KtvCommandLabel(pButton->m_nID);
        pItem->m_bTextShown = TRUE;
        m_mapItemButtons[pItem] = pButton;
    }

    if (m_iCustomizeCmdId > 0) {
        if (bAnyHidden)
            pPopup->InsertSeparator();
        if (pBar != nullptr && pBar->m_bQuickCustomize) {
            // The add-or-remove list ends with the customise command.
            HMENU hAddRemove = BuildAddRemoveMenu(pBar);
            ::AppendMenu(hAddRemove, MF_STRING, (UINT)m_iCustomizeCmdId, m_strCustomizeText);
            if (pBar->CanHandleSiblings()) {
                CString strRows;
                strRows.LoadString(pBar->IsOneRowWithSibling() ? IDS_KTVP_BUTTONS_TWO_ROWS : IDS_KTVP_BUTTONS_ONE_ROW);
                CKtvPCustomizeMenuButton rows(-20, nullptr, -1, strRows);
                rows.m_bBrothersBtn = TRUE;
                rows.m_bTextShown = TRUE;
                CKtvPCustomizeMenuButton::m_pWndToolBar = pBar;
                pPopup->InsertItem(rows);
            }
            CString strAddRemove;
            strAddRemove.LoadString(IDS_KTVP_ADD_REMOVE_BUTTONS);
            CKtvPToolbarMenuButton addRemove((UINT)-1, hAddRemove, -1, strAddRemove);
            addRemove.m_bTextShown = TRUE;
            ::DestroyMenu(hAddRemove);
            pPopup->InsertItem(addRemove);
            pPopup->GetMenuBar()->m_bQuickCustomize = TRUE;
        } else {
            CKtvPToolbarMenuButton customize((UINT)m_iCustomizeCmdId, nullptr, -1, m_strCustomizeText);
            customize.m_bTextShown = TRUE;
            pPopup->InsertItem(customize);
        }
    }

    if (pBar != nullptr)
        pPopup->m_pWndMessage = pBar->GetOwner() != nullptr ? pBar->GetOwner() : pBar->GetParent();
    return pPopup;
}

BOOL CCustomizeButton::CanBeStored() const { return FALSE; }

BOOL CCustomizeButton::HaveHotBorder() const { return FALSE; }

BOOL CCustomizeButton::IsEditable() const { return FALSE; }

BOOL CCustomizeButton::IsEmptyMenuAllowed() const { return TRUE; }

BOOL CCustomizeButton::IsConnectedToPopup() const { return TRUE; }

BOOL CCustomizeButton::InvokeCommand(CKtvPPopupMenuBar* pMenuBar, const CKtvPToolbarButton* pItem)
{
    CKtvPToolBar* pBar = m_pWndParentToolbar;
    if (pBar == nullptr || pMenuBar == nullptr || pItem == nullptr || pMenuBar->ButtonToIndex(pItem) < 0)
        return FALSE;

    // Each item knows the hidden button it stands for; positions shift when separators are left out.
    CKtvPToolbarButton* pButton = nullptr;
    if (!m_mapItemButtons.Lookup(const_cast<CKtvPToolbarButton*>(pItem), pButton) || pButton == nullptr)
        return FALSE;
    if (m_lstHiddenButtons.Find(pButton) == nullptr)
        return FALSE;

    if (pBar->OnSendCommand(pButton) || pButton->m_nID == 0 || pButton->m_nID == (UINT)-1)
        return TRUE;

    CKtvPToolBar::AddCommandUsage(pButton->m_nID);
    if (pButton->OnClickUp())
        return TRUE;
    if (g_pUserToolsManager != nullptr && g_pUserToolsManager->InvokeTool(pButton->m_nID))
        return TRUE;
    CWnd* pOwner = pBar->GetOwner() != nullptr ? pBar->GetOwner() : pBar->GetParent();
    if (pOwner != nullptr)
        pOwner->PostMessage(WM_COMMAND, pButton->m_nID);
    return TRUE;
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
