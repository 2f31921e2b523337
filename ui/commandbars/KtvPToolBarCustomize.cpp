// Toolbar customisation editing: customise mode for every bar, selecting and
// stretching buttons, dragging them out of a bar (the drop side is the drop
// target's), Alt-drag, and the context menu that changes the selected button.
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/COleDataSource.h"
#include "platform/mfc/CWinApp.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPButtonAppearanceDlg.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/commandbars/KtvPToolbarDropSource.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/controls/KtvPTabWnd.h"

namespace {
BOOL IsLive(const CKtvPToolBar* pBar) { return CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) != nullptr; }

// The toolbar that holds a tab window, when the bar sits in one.
CKtvPToolBar* ToolbarAroundTabWnd(CWnd* pParent)
{
    if (pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CKtvPTabWnd)))
        return nullptr;
    return DYNAMIC_DOWNCAST(CKtvPToolBar, pParent->GetParent());
}
}  // namespace

BOOL CKtvPToolBar::SetCustomizeMode(BOOL bSet)
{
    if (m_bCustomizeMode == bSet)
        return FALSE;

    // Bars made or destroyed by a bar's switch restart the walk; every live bar is switched once.
    CList<CKtvPToolBar*, CKtvPToolBar*> done;
    for (BOOL bChanged = TRUE; bChanged;) {
        bChanged = FALSE;
        const INT_PTR nCount = m_AllToolbars.GetCount();
        for (POSITION pos = m_AllToolbars.GetHeadPosition(); pos != nullptr;) {
            auto* pBar = static_cast<CKtvPToolBar*>(m_AllToolbars.GetNext(pos));
            if (done.Find(pBar) != nullptr || !IsLive(pBar))
                continue;
            done.AddTail(pBar);
            pBar->OnCustomizeMode(bSet);
            if (m_AllToolbars.GetCount() != nCount) {
                bChanged = TRUE;
                break;
            }
        }
    }

    m_bCustomizeMode = bSet;

    for (POSITION pos = m_AllToolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPToolBar*>(m_AllToolbars.GetNext(pos));
        if (IsLive(pBar) && !pBar->m_bLocked)
            pBar->AdjustLayout();
    }

    BOOL bFrameDone = FALSE;
    for (POSITION pos = m_AllToolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPToolBar*>(m_AllToolbars.GetNext(pos));
        if (!IsLive(pBar) || !pBar->IsWindowVisible())
            continue;
        if (!bFrameDone) {
            if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pBar->GetDockSiteFrameWnd())) {
                pFrame->RecalcLayout();
                bFrameDone = TRUE;
            }
        }
        pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }

    if (!bSet)
        m_pSelToolbar = nullptr;
    return TRUE;
}

void CKtvPToolBar::OnCustomizeMode(BOOL bSet)
{
    m_iButtonCapture = m_iHighlighted = m_iSelected = -1;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        pButton->OnCancelMode();
        if (!(pButton->m_nStyle & TBBS_DISABLED) && pButton->GetHwnd() != nullptr)
            pButton->EnableWindow(!bSet);
    }
}

void CKtvPToolBar::OnCustomizeLButtonDown(UINT, CPoint point, int iButton)
{
    CKtvPToolbarButton* pButton = GetButton(iButton);
    const int iOld = m_iSelected;
    m_iSelected = iButton;
    InvalidateButton(iOld);
    m_pDragButton = pButton;
    m_bIsDragCopy = ::GetAsyncKeyState(VK_CONTROL) < 0;

    if (!pButton->IsEditable()) {
        m_iSelected = -1;
        m_pDragButton = nullptr;
    } else {
        InvalidateButton(iButton);
        UpdateWindow();

        if (pButton->CanBeStretched() && !m_bAltCustomizeDrag && abs(point.x - pButton->m_rect.right) <= 6) {
            m_bStretchButton = TRUE;
            m_rectTrack = pButton->m_rect;
            if (pButton->GetHwnd() != nullptr)
                m_rectTrack.InflateRect(2, 2);
            m_pWndLastCapture = SetCapture();
            ::SetCursor(StretchCursor());
            return;
        }
        if (pButton->CanBeStored() && pButton->OnBeforeDrag())
            StartButtonDrag(pButton, iButton, point);
        else
            m_pDragButton = nullptr;
    }

    if (m_bAltCustomizeDrag) {
        m_bAltCustomizeDrag = FALSE;
        SetCustomizeMode(FALSE);
        RedrawWindow();
    }
}

void CKtvPToolBar::StartButtonDrag(CKtvPToolbarButton* pButton, int iButton, CPoint point)
{
    COleDataSource srcItem;
    pButton->PrepareDrag(srcItem);
    ShowCommandMessageString(pButton->m_nID);
    m_DropSource.m_bDragStarted = FALSE;
    m_DropSource.m_bEscapePressed = FALSE;
    m_ptStartDrag = point;
    if (m_bAltCustomizeDrag)
        m_bCustomizeMode = TRUE;

    HWND hwndThis = GetSafeHwnd();
    CRect rectStart = pButton->m_rect;
    const DROPEFFECT dropEffect =
        srcItem.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &rectStart, &m_DropSource);

    if (!::IsWindow(hwndThis)) {
        if (m_bAltCustomizeDrag) {
            m_bCustomizeMode = FALSE;
            m_bAltCustomizeDrag = FALSE;
        }
        return;
    }

    // A drop on this bar took the button over already (and may have deleted it).
    if (m_pDragButton != pButton) {
        m_pDragButton = nullptr;
        m_ptStartDrag = CPoint(-1, -1);
        return;
    }

    CPoint ptScreen;
    ::GetCursorPos(&ptScreen);
    CPoint ptNow = ptScreen;
    ScreenToClient(&ptNow);

    if (!m_DropSource.m_bDragStarted || pButton->m_rect.PtInRect(ptNow)) {
        m_iHighlighted = ButtonToIndex(pButton);
        DropDownMenuButton(m_iHighlighted);
    } else {
        // The button leaves this bar for another one, or for nowhere when it
        // is dropped outside every bar; a bar that refused it leaves it here.
        const BOOL bRemove = dropEffect != DROPEFFECT_COPY && !m_DropSource.m_bEscapePressed &&
                             (dropEffect == DROPEFFECT_MOVE ||
                              (dropEffect == DROPEFFECT_NONE && !IsOverToolbar(ptScreen))) &&
                             OnBeforeRemoveButton(pButton, dropEffect);
        if (bRemove) {
            RemoveButton(ButtonToIndex(pButton));
            AdjustLocations();
            RedrawWindow();
            AdjustSizeImmediate();
            if (!m_bAltCustomizeDrag) {
                AdjustLayout();
                RedrawWindow();
            }
            if (CKtvPToolBar* pOuter = ToolbarAroundTabWnd(GetParent()))
                pOuter->AdjustLayout();
        } else {
            InvalidateRect(pButton->m_rect);
        }
    }
    m_pDragButton = nullptr;
    m_ptStartDrag = CPoint(-1, -1);
}

BOOL CKtvPToolBar::IsOverToolbar(CPoint ptScreen)
{
    for (HWND hwnd = ::WindowFromPoint(ptScreen); hwnd != nullptr; hwnd = ::GetParent(hwnd)) {
        if (DYNAMIC_DOWNCAST(CKtvPToolBar, CWnd::FromHandlePermanent(hwnd)) != nullptr)
            return TRUE;
    }
    return FALSE;
}

void CKtvPToolBar::MoveButtonGroup(CKtvPToolbarButton* pButton, CPoint ptStart, CPoint ptDrop)
{
    const int iButton = ButtonToIndex(pButton);
    if (iButton <= 0)
        return;
    const int nDistance = IsHorizontal() ? ptDrop.x - ptStart.x : ptDrop.y - ptStart.y;
    if (abs(nDistance) < 6)
        return;

    BOOL bChanged = FALSE;
    if (nDistance > 0) {
        if (!IsSeparatorButton(GetButton(iButton - 1)))
            bChanged = InsertSeparator(iButton) >= 0;
    } else if (IsSeparatorButton(GetButton(iButton - 1))) {
        bChanged = RemoveButton(iButton - 1);
    }
    if (!bChanged)
        return;
    AdjustLayout();
    m_iSelected = -1;
    RedrawWindow();
}

// --- the context menu ---------------------------------------------------------------------------

void CKtvPToolBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (m_bLocked && m_bCustomizeMode) {
        ::MessageBeep((UINT)-1);
        return;
    }
    if (IsDragMode())
        return;
    DropDownMenuButton(-1);

    if (!m_bCustomizeMode) {
        CKtvPBaseToolBar::OnContextMenu(pWnd, point);
        return;
    }

    SetFocus();
    CPoint ptClient = point;
    ScreenToClient(&ptClient);
    const int iButton = point == CPoint(-1, -1) ? m_iSelected : HitTest(ptClient);
    const int iOld = m_iSelected;
    m_iSelected = iButton;
    InvalidateButton(iOld);
    InvalidateButton(iButton);
    UpdateWindow();
    CKtvPToolbarButton* pButton = GetButton(iButton);
    if (pButton == nullptr)
        return;
    if (!pButton->IsEditable()) {
        m_iSelected = -1;
        InvalidateButton(iButton);
        return;
    }
    if (!pButton->CanBeStored())
        return;

    if (point == CPoint(-1, -1)) {
        CRect rectWnd;
        GetWindowRect(&rectWnd);
        point = rectWnd.TopLeft() + CSize(5, 5);
    }

    CMenu menu;
    if (!menu.LoadMenu(IDR_KTVP_POPUP_TOOLBAR))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return;
    if (pButton->m_bLocked)
        pPopup->EnableMenuItem(ID_KTVP_TOOLBAR_RESET, MF_BYCOMMAND | MF_GRAYED);
    if (EnableContextMenuItems(pButton, pPopup))
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

BOOL CKtvPToolBar::EnableContextMenuItems(CKtvPToolbarButton* pButton, CMenu* pPopup)
{
    if (!pButton->OnCustomizeMenu(pPopup)) {
        if (!pButton->m_bImageShown || pButton->GetImage() < 0)
            pPopup->EnableMenuItem(ID_KTVP_TOOLBAR_COPY_IMAGE, MF_BYCOMMAND | MF_GRAYED);
        if (pButton->m_nID == 0 || pButton->m_nID == (UINT)-1)
            pPopup->EnableMenuItem(ID_KTVP_TOOLBAR_RESET, MF_BYCOMMAND | MF_GRAYED);

        const BOOL bHorz = IsHorizontal();
        const BOOL bTextShown = pButton->m_bTextShown || (pButton->m_bTextBelow && bHorz);
        UINT uiChecked = ID_KTVP_TOOLBAR_IMAGE;
        if (bTextShown && pButton->m_bImageShown)
            uiChecked = ID_KTVP_TOOLBAR_IMAGE_AND_TEXT;
        else if (bTextShown)
            uiChecked = ID_KTVP_TOOLBAR_TEXT;
        pPopup->CheckMenuItem(uiChecked, MF_BYCOMMAND | MF_CHECKED);

        if (pButton->m_bTextBelow && bHorz)
            pPopup->EnableMenuItem(ID_KTVP_TOOLBAR_IMAGE, MF_BYCOMMAND | MF_GRAYED);
        if (IsPureMenuButton(pButton)) {
            pPopup->EnableMenuItem(ID_KTVP_TOOLBAR_IMAGE, MF_BYCOMMAND | MF_GRAYED);
            pPopup->EnableMenuItem(ID_KTVP_TOOLBAR_TEXT, MF_BYCOMMAND | MF_GRAYED);
            pPopup->EnableMenuItem(ID_KTVP_TOOLBAR_IMAGE_AND_TEXT, MF_BYCOMMAND | MF_GRAYED);
            pButton->m_bTextShown = TRUE;
        }
    }

    if (pButton->GetImage() < 0) {
        pPopup->EnableMenuItem(ID_KTVP_TOOLBAR_IMAGE, MF_BYCOMMAND | MF_GRAYED);
        pPopup->EnableMenuItem(ID_KTVP_TOOLBAR_IMAGE_AND_TEXT, MF_BYCOMMAND | MF_GRAYED);
    }

    const int iButton = ButtonToIndex(pButton);
    if (iButton == 0)
        pPopup->EnableMenuItem(ID_KTVP_TOOLBAR_START_GROUP, MF_BYCOMMAND | MF_GRAYED);
    else if (IsSeparatorButton(GetButton(iButton - 1)))
        pPopup->CheckMenuItem(ID_KTVP_TOOLBAR_START_GROUP, MF_BYCOMMAND | MF_CHECKED);
    return TRUE;
}

void CKtvPToolBar::OnToolbarReset()
{
    CKtvPToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == nullptr)
        return;
    if (g_pUserToolsManager == nullptr || g_pUserToolsManager->FindTool(pButton->m_nID) == nullptr) {
        int iImage = -1;
        if (m_DefaultImages.Lookup(pButton->m_nID, iImage)) {
            pButton->m_bUserImage = FALSE;
            pButton->SetImage(iImage);
            pButton->m_bImageShown = TRUE;
        } else {
            pButton->m_bImageShown = FALSE;
        }
    }
    pButton->m_bTextShown = m_bMenuMode || !pButton->m_bImageShown;
    SetDefaultButtonText(pButton);
    AdjustLayout();
    GetCmdMgr()->ClearCmdImage(pButton->m_nID);
    RedrawWindow();
}

void CKtvPToolBar::OnCopyImage()
{
    CKtvPToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == nullptr)
        return;
    CKtvPUserTool* pTool = g_pUserToolsManager != nullptr ? g_pUserToolsManager->FindTool(pButton->m_nID) : nullptr;
    if (pTool != nullptr && !pButton->m_bUserImage) {
        pTool->CopyIconToClipboard();
        return;
    }
    CWaitCursor wait;
    CKtvPToolBarImages* pStrip = pButton->m_bUserImage ? m_pUserImages : &m_Images;
    if (pStrip != nullptr)
        pStrip->CopyImageToClipboard(pButton->GetImage());
}

void CKtvPToolBar::OnToolbarDelete()
{
    if (GetButton(m_iSelected) == nullptr)
        return;
    RemoveButton(m_iSelected);
    m_iSelected = -1;
    if (IsFloating())
        AdjustLayout();
    else
        AdjustSizeImmediate();
}

// Button Appearance for the selected button.
void CKtvPToolBar::OnToolbarAppearance()
{
    CKtvPToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == nullptr || IsSeparatorButton(pButton)) {
        ::MessageBeep((UINT)-1);
        return;
    }
    if (pButton->m_strText.IsEmpty())
        SetDefaultButtonText(pButton);
    if (!KtvPRunButtonAppearance(this, pButton))
        return;
    AdjustLayout();
    AdjustSizeImmediate();
    RedrawWindow();
}

void CKtvPToolBar::OnToolbarImage()
{
    CKtvPToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == nullptr)
        return;
    const BOOL bTextShown = pButton->m_bTextShown;
    const BOOL bImageShown = pButton->m_bImageShown;
    pButton->m_bTextShown = FALSE;
    pButton->m_bImageShown = TRUE;
    // A button without an image gets one chosen first; without a choice it stays as it was.
    if (pButton->GetImage() < 0 && !KtvPRunButtonAppearance(this, pButton)) {
        pButton->m_bTextShown = bTextShown;
        pButton->m_bImageShown = bImageShown;
        return;
    }
    AdjustLayout();
    AdjustSizeImmediate();
}

void CKtvPToolBar::OnToolbarText() { ShowSelectedText(FALSE); }

void CKtvPToolBar::OnToolbarImageAndText() { ShowSelectedText(TRUE); }

void CKtvPToolBar::ShowSelectedText(BOOL bWithImage)
{
    CKtvPToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == nullptr)
        return;
    const BOOL bTextShown = pButton->m_bTextShown;
    const BOOL bImageShown = pButton->m_bImageShown;
    pButton->m_bTextShown = TRUE;
    pButton->m_bImageShown = bWithImage;
    if (bWithImage && pButton->GetImage() < 0 && !KtvPRunButtonAppearance(this, pButton)) {
        pButton->m_bTextShown = bTextShown;
        pButton->m_bImageShown = bImageShown;
        return;
    }
    if (pButton->m_strText.IsEmpty())
        SetDefaultButtonText(pButton);
    // Without any text to show the button stays an image.
    if (pButton->m_strText.IsEmpty()) {
        ::MessageBeep((UINT)-1);
        pButton->m_bTextShown = FALSE;
        pButton->m_bImageShown = TRUE;
    }
    AdjustLayout();
    if (!bWithImage)
        AdjustSizeImmediate();
}

void CKtvPToolBar::OnToolbarStartGroup()
{
    if (GetButton(m_iSelected) == nullptr)
        return;
    if (m_iSelected > 0 && IsSeparatorButton(GetButton(m_iSelected - 1))) {
        const int iSelected = m_iSelected;
        RemoveButton(iSelected - 1);
        m_iSelected = iSelected - 1;
    } else if (InsertSeparator(m_iSelected) >= 0) {
        m_iSelected++;
    }
    AdjustLayout();
}

// A new menu button is shaped in the appearance dialog, which this library
// does not hold yet.
// A new empty menu button, named in Button Appearance, goes in before the selection and opens.
void CKtvPToolBar::OnToolbarNewMenu()
{
    auto* pMenuButton = new CKtvPToolbarMenuButton;
    pMenuButton->m_bTextShown = TRUE;
    pMenuButton->m_bImageShown = FALSE;
    if (!KtvPRunButtonAppearance(this, pMenuButton)) {
        delete pMenuButton;
        return;
    }
    const int iInserted = InsertButton(pMenuButton, m_iSelected);
    if (iInserted < 0)
        return;
    m_iSelected = iInserted;
    AdjustLayout();
    RedrawWindow();
    pMenuButton->OnClick(this, FALSE);
}

void CKtvPToolBar::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CKtvPBaseToolBar::OnShowWindow(bShow, nStatus);
    if (!m_bCustomizeMode)
        return;
    if (CKtvPToolbarCustomize::m_pCustomizeSheet != nullptr && !m_bLocked &&
        ::IsWindow(CKtvPToolbarCustomize::m_pCustomizeSheet->GetSafeHwnd()))
        CKtvPToolbarCustomize::m_pCustomizeSheet->ShowToolBar(this, bShow);
    if (!bShow && m_pSelToolbar == this) {
        m_pSelToolbar = nullptr;
        m_iSelected = -1;
    }
}
