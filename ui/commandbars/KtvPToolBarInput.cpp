// Toolbar behaviour outside customise mode: hot tracking and pressing with
// the mouse, running a button's command on release, check boxes, the status
// prompt, mnemonics and menu navigation, the focus hand-back, hosted
// controls' commands, the idle command update and context-help mode.
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "platform/win32/kernel/Locale.h"
#include "platform/win32/kernel/Utf8Text.h"
#include "ui/commandbars/KtvPDropDownToolBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/KtvPToolbarSystemMenuButton.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/docking/KtvPControlBar.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPKeyboardManager.h"

namespace {

BOOL IsValidCommand(UINT uiCmd) { return uiCmd != 0 && uiCmd != (UINT)-1; }
// System commands get their update like any other, as the frame's own menus give
// them, but are never greyed for want of a handler; the window-list ids get none.
BOOL ToolBarIsSystemCommandId(UINT uiCmd) { return uiCmd >= 0xF000 && uiCmd < 0xF1F0; }

// The popup-menu animation is off while keys drive the menus.
class CNoMenuAnimation {
public:
    CNoMenuAnimation() : m_nSaved(CKtvPPopupMenu::m_nAnimationType) { CKtvPPopupMenu::m_nAnimationType = 0; }
    ~CNoMenuAnimation() { CKtvPPopupMenu::m_nAnimationType = m_nSaved; }
    CNoMenuAnimation(const CNoMenuAnimation&) = delete;
    CNoMenuAnimation& operator=(const CNoMenuAnimation&) = delete;

private:
    int m_nSaved;
};

BOOL IsHelpMode() { return CKtvPToolBar::m_hookMouseHelp != nullptr; }

}  // namespace

void CKtvPToolBar::SendIdlePrompt()
{
    if (CWnd* pTarget = GetOwner())
        pTarget->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

// --- the mouse ----------------------------------------------------------------------------------

void CKtvPToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int iButton = HitTest(point);

    if (!m_bLocked && (m_bCustomizeMode || (m_bAltCustomization && AllowAltCustomization()))) {
        if (m_bCustomizeMode && m_pSelToolbar != this) {
            CKtvPToolBar* pOld = m_pSelToolbar;
            m_pSelToolbar = this;
            if (pOld != nullptr && ::IsWindow(pOld->GetSafeHwnd())) {
                const int iOld = pOld->m_iSelected;
                pOld->m_iSelected = -1;
                pOld->InvalidateButton(iOld);
            }
        }
        if (iButton < 0) {
            if (m_iSelected >= 0) {
                const int iOld = m_iSelected;
                m_iSelected = -1;
                InvalidateButton(iOld);
                UpdateWindow();
            }
            DropDownMenuButton(-1);
        } else {
            m_bAltCustomizeDrag = FALSE;
            BOOL bCustomize = m_bCustomizeMode;
            if (!bCustomize && ::GetAsyncKeyState(VK_MENU) < 0) {
                m_bAltCustomizeDrag = TRUE;
                bCustomize = TRUE;
            }
            if (bCustomize) {
                OnCustomizeLButtonDown(nFlags, point, iButton);
                return;
            }
        }
    }

    if (iButton < 0) {
        m_iButtonCapture = -1;
        if (CanFloat())
            ::SetCursor(globalData.GetSizeAllCursor());
        CKtvPBaseToolBar::OnLButtonDown(nFlags, point);
        return;
    }

    m_iButtonCapture = iButton;
    UpdateButton(iButton);
    CKtvPToolbarButton* pButton = GetButton(iButton);
    if ((pButton->m_nStyle & TBBS_DISABLED) && !pButton->IsKindOf(RUNTIME_CLASS(CKtvPDropDownToolbarButton))) {
        m_iButtonCapture = -1;
        return;
    }

    pButton->m_nStyle |= TBBS_PRESSED;
    InvalidateButton(iButton);
    UpdateWindow();
    ShowCommandMessageString(pButton->m_nID);

    if (pButton->OnClick(this, FALSE)) {
        if (ButtonToIndex(pButton) >= 0) {
            pButton->m_nStyle &= ~TBBS_PRESSED;
            m_iButtonCapture = -1;
            m_iHighlighted = -1;
            DropDownMenuButton(-1);
            InvalidateButton(ButtonToIndex(pButton));
            UpdateWindow();
        } else {
            m_iButtonCapture = -1;
            m_iHighlighted = -1;
        }
        return;
    }
    m_pWndLastCapture = SetCapture();
}

void CKtvPToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bCustomizeMode && !m_bLocked) {
        if (m_bStretchButton && m_pDragButton != nullptr) {
            if (point.x - m_pDragButton->m_rect.left >= 5) {
                CClientDC dc(this);
                CRect rectOld = m_rectTrack;
                m_rectTrack.right = point.x;
                dc.DrawDragRect(m_rectTrack, CSize(2, 2), rectOld, CSize(2, 2));
            }
            ::SetCursor(StretchCursor());
        }
        return;
    }

    if (IsDragMode()) {
        CKtvPBaseToolBar::OnMouseMove(nFlags, point);
        return;
    }
    if (m_ptLastMouse != CPoint(-1, -1) && point == m_ptLastMouse)
        return;
    m_ptLastMouse = point;

    int iHot = HitTest(point);
    if (m_bTrackFocus && iHot < 0 && ::GetFocus() == GetSafeHwnd())
        return;

    CKtvPToolbarButton* pHot = GetButton(iHot);
    if (pHot != nullptr &&
        (IsSeparatorButton(pHot) || ((pHot->m_nStyle & TBBS_DISABLED) && !HighlightDisabledItems())))
        iHot = -1;

    if (!m_bTracking) {
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = GetSafeHwnd();
        m_bTracking = ::TrackMouseEvent(&tme) || EmulateTrackMouseEvent(&tme);
    }

    const int iUnder = HitTest(point);
    if (iUnder != m_iHighlighted) {
        CKtvPToolbarButton* pUnder = GetButton(iUnder);
        if (pUnder == nullptr || (!m_bMenuMode && m_iButtonCapture >= 0)) {
            const BOOL bIdle = m_iButtonCapture < 0 || (m_bMenuMode && pUnder == nullptr);
            if (bIdle && !IsHelpMode())
                SendIdlePrompt();
        } else {
            ShowCommandMessageString(pUnder->m_nID);
        }
    }

    if (iHot != m_iHighlighted) {
        BOOL bRepainted = FALSE;
        if (m_iButtonCapture >= 0) {
            const UINT nStyle = GetButtonStyle(m_iButtonCapture);
            SetButtonStyle(m_iButtonCapture,
                           iHot == m_iButtonCapture ? (nStyle | TBBS_PRESSED) : (nStyle & ~TBBS_PRESSED));
        }
        const int iOld = m_iHighlighted;
        m_iHighlighted = iHot;
        auto repaint = [&](int i) {
            if (i < 0)
                return;
            if (!m_bMenuMode && m_iButtonCapture >= 0 && i != m_iButtonCapture)
                return;
            InvalidateButton(i);
            bRepainted = TRUE;
        };
        repaint(iOld);
        repaint(iHot);
        DropDownMenuButton(m_iHighlighted);
        if (bRepainted)
            UpdateWindow();
    }

    CKtvPBaseToolBar::OnMouseMove(nFlags, point);
}

void CKtvPToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bCustomizeMode && !m_bLocked && m_bStretchButton) {
        CKtvPToolbarButton* pButton = m_pDragButton;
        if (pButton != nullptr && point.x - pButton->m_rect.left >= 5 && abs(point.x - pButton->m_rect.right) > 6) {
            pButton->OnSize(point.x - pButton->m_rect.left);
            AdjustLayout();
        }
        CancelStretch();
        RedrawWindow();
        AdjustSizeImmediate();
        CKtvPBaseToolBar::OnLButtonUp(nFlags, point);
        return;
    }

    if (IsDragMode()) {
        CKtvPBaseToolBar::OnLButtonUp(nFlags, point);
        return;
    }

    const int iButton = m_iButtonCapture;
    if (iButton < 0) {
        if (HitTest(point) >= 0)
            return;
        CKtvPBaseToolBar::OnLButtonUp(nFlags, point);
        m_ptLastMouse = CPoint(-1, -1);
        OnMouseMove(nFlags, point);
        return;
    }

    ReleaseCapture();
    if (m_pWndLastCapture != nullptr && ::IsWindow(m_pWndLastCapture->GetSafeHwnd()))
        m_pWndLastCapture->SetCapture();
    m_pWndLastCapture = nullptr;

    m_iHighlighted = HitTest(point);
    CKtvPToolbarButton* pButton = GetButton(iButton);
    UINT nNewStyle = pButton->m_nStyle & ~TBBS_PRESSED;
    UINT uiCmd = 0;
    if (iButton == m_iHighlighted) {
        UpdateButton(iButton);
        nNewStyle = pButton->m_nStyle & ~TBBS_PRESSED;
        if (!(nNewStyle & TBBS_DISABLED)) {
            uiCmd = pButton->m_nID;
            if (nNewStyle & TBBS_CHECKBOX) {
                nNewStyle &= ~TBBS_INDETERMINATE;
                nNewStyle ^= TBBS_CHECKED;
            }
        }
    }

    if (!IsHelpMode())
        SendIdlePrompt();
    m_iButtonCapture = -1;
    m_iHighlighted = -1;
    HWND hwndThis = GetSafeHwnd();
    RestoreFocus();

    if (HitTest(point) == iButton && !OnSendCommand(pButton) && IsValidCommand(uiCmd)) {
        InvalidateButton(iButton);
        UpdateWindow();
        AddCommandUsage(uiCmd);
        if (!pButton->OnClickUp()) {
            if (IsUserToolCmd(uiCmd)) {
                g_pUserToolsManager->InvokeTool(uiCmd);
            } else if (CWnd* pTarget = GetOwner()) {
                pTarget->PostMessage(WM_COMMAND, uiCmd, 0);
            }
        }
    }

    if (::IsWindow(hwndThis) && GetButton(iButton) == pButton) {
        SetButtonStyle(iButton, nNewStyle);
        UpdateButton(iButton);
        InvalidateButton(iButton);
        UpdateWindow();
    }
    if (!::IsWindow(hwndThis))
        return;
    m_ptLastMouse = CPoint(-1, -1);
    OnMouseMove(nFlags, point);
}

void CKtvPToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int iButton = HitTest(point);
    if (iButton < 0) {
        CKtvPBaseToolBar::OnLButtonDblClk(nFlags, point);
        return;
    }
    CKtvPToolbarButton* pButton = GetButton(iButton);
    pButton->OnDblClick(this);
    if (!pButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarSystemMenuButton)))
        OnLButtonDown(nFlags, point);
}

void CKtvPToolBar::OnMouseLeave()
{
    if (IsHelpMode())
        return;
    if (m_bMenuMode && !m_bCustomizeMode && GetDroppedDownMenu() != nullptr)
        return;
    m_bTracking = FALSE;
    m_ptLastMouse = CPoint(-1, -1);

    HWND hwndFocus = ::GetFocus();
    BOOL bFocused = hwndFocus == GetSafeHwnd();
    CWnd* pParent = GetParent();
    if (!bFocused && pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKtvPTabWnd))) {
        bFocused = hwndFocus == pParent->GetSafeHwnd() ||
                   (pParent->GetParent() != nullptr && hwndFocus == pParent->GetParent()->GetSafeHwnd());
    }
    if (m_iHighlighted < 0 || bFocused)
        return;

    const int iOld = m_iHighlighted;
    m_iHighlighted = -1;
    DropDownMenuButton(-1);
    CKtvPToolbarButton* pOld = InvalidateButton(iOld);
    UpdateWindow();
    if (pOld == nullptr || !pOld->IsDroppedDown())
        SendIdlePrompt();
}

void CKtvPToolBar::CancelStretch()
{
    if (!m_bStretchButton && m_pDragButton == nullptr)
        return;
    const BOOL bWasStretching = m_bStretchButton;
    m_pDragButton = nullptr;
    m_bStretchButton = FALSE;
    m_rectTrack.SetRectEmpty();
    if (bWasStretching && ::GetCapture() == GetSafeHwnd()) {
        ReleaseCapture();
        if (m_pWndLastCapture != nullptr && ::IsWindow(m_pWndLastCapture->GetSafeHwnd()))
            m_pWndLastCapture->SetCapture();
        m_pWndLastCapture = nullptr;
    }
}

void CKtvPToolBar::OnCancelMode()
{
    CKtvPBaseToolBar::OnCancelMode();
    if (m_bStretchButton)
        CancelStretch();

    if (m_iButtonCapture >= 0) {
        if (::GetCapture() == GetSafeHwnd()) {
            ReleaseCapture();
            if (m_pWndLastCapture != nullptr && ::IsWindow(m_pWndLastCapture->GetSafeHwnd()))
                m_pWndLastCapture->SetCapture();
            m_pWndLastCapture = nullptr;
        }
        SetButtonStyle(m_iButtonCapture, GetButtonStyle(m_iButtonCapture) & ~TBBS_PRESSED);
    }
    m_iButtonCapture = -1;
    m_iHighlighted = -1;
    DropDownMenuButton(-1);
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos))->OnCancelMode();
    if (GetSafeHwnd() != nullptr)
        RedrawWindow();
}

BOOL CKtvPToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bStretchButton) {
        ::SetCursor(StretchCursor());
        return TRUE;
    }
    if (m_bCustomizeMode && !m_bLocked && m_iSelected >= 0) {
        CKtvPToolbarButton* pSelected = GetButton(m_iSelected);
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (pSelected != nullptr && pSelected->m_rect.PtInRect(point) && pSelected->CanBeStretched() &&
            abs(point.x - pSelected->m_rect.right) <= 6) {
            ::SetCursor(StretchCursor());
            return TRUE;
        }
    }

    CRect rectGripper;
    m_Impl.GetGripperRect(rectGripper, TRUE);
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (rectGripper.PtInRect(point) && CKtvPPopupMenu::m_pActivePopupMenu == nullptr) {
        ::SetCursor(globalData.GetSizeAllCursor());
        return TRUE;
    }
    return CKtvPBaseToolBar::OnSetCursor(pWnd, nHitTest, message);
}

HBRUSH CKtvPToolBar::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hbr = (HBRUSH)Default();
    if (!m_bCustomizeMode || m_bLocked || pWnd == nullptr)
        return hbr;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->GetHwnd() != nullptr && pButton->IsOwnerOf(pWnd->GetSafeHwnd())) {
            HBRUSH hbrButton = pButton->OnCtlColor(pDC, nCtlColor);
            return hbrButton != nullptr ? hbrButton : hbr;
        }
    }
    return hbr;
}

// --- keyboard and focus -------------------------------------------------------------------------

BOOL CKtvPToolBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        if (m_bStretchButton) {
            OnCancelMode();
            return TRUE;
        }
        if (GetDroppedDownMenu() == nullptr) {
            Deactivate();
            RestoreFocus();
            return TRUE;
        }
    } else if (KTVM_RESETRPROMPT != 0 && pMsg->message == KTVM_RESETRPROMPT) {
        OnResetPrompt();
        return TRUE;
    }

    switch (pMsg->message) {
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP: case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (m_ToolTip.GetSafeHwnd() != nullptr)
            m_ToolTip.RelayEvent(pMsg);
        break;
    default:
        break;
    }
    return CKtvPBaseToolBar::PreTranslateMessage(pMsg);
}

void CKtvPToolBar::RebuildAccelerationKeys()
{
    m_AccelKeys.RemoveAll();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        if (IsSeparatorButton(pButton) || !pButton->m_bTextShown)
            continue;
        const int iAmp = pButton->m_strText.Find('&');
        if (iAmp < 0 || iAmp + 1 >= pButton->m_strText.GetLength())
            continue;
        m_AccelKeys.SetAt(MnemonicCharAt(pButton->m_strText, iAmp + 1), pButton);
    }
}

UINT CKtvPToolBar::MnemonicCharAt(const CString& strLabel, int iPos)
{
    if (iPos < 0 || iPos >= strLabel.GetLength())
        return 0;
    LPCTSTR lpszLabel = strLabel;
    size_t nLength = 0;
    return UpperMnemonicChar(tw::utf8::Decode(lpszLabel + iPos, lpszLabel + strLabel.GetLength(), nLength));
}

UINT CKtvPToolBar::UpperMnemonicChar(UINT nCodePoint)
{
    // One character given to CharUpper by value comes back upper-cased the same way.
    if (nCodePoint == 0 || nCodePoint > 0xFFFF)
        return nCodePoint;
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(::CharUpper(reinterpret_cast<LPTSTR>(static_cast<UINT_PTR>(nCodePoint)))));
}

BOOL CKtvPToolBar::TranslateChar(UINT nChar)
{
    BYTE keyState[256];
    ::GetKeyboardState(keyState);
    WORD wChar = 0;
    if (::ToAsciiEx(nChar, ::MapVirtualKey(nChar, 0), keyState, &wChar, 0, ::GetKeyboardLayout(0)) <= 0)
        return FALSE;
    // The key itself is matched, upper-cased the way the keyboard layout has it
    // (a keypad digit stands for its digit). Keys past ASCII are punctuation
    // keys, never letters: those come as typed characters.
    const UINT uiUpper = CKtvPKeyboardManager::TranslateCharToUpper(nChar);
    if (uiUpper >= 0x80)
        return FALSE;
    return TranslateTypedChar(uiUpper);
}

BOOL CKtvPToolBar::TranslateTypedChar(UINT nCodePoint)
{
    CKtvPToolbarButton* pButton = nullptr;
    if (!m_AccelKeys.Lookup(UpperMnemonicChar(nCodePoint), pButton))
        return FALSE;

    CNoMenuAnimation noAnimation;
    if (DropDownMenu(pButton))
        return TRUE;
    return ProcessCommand(pButton);
}

BOOL CKtvPToolBar::DropDownMenu(CKtvPToolbarButton* pButton)
{
    auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, pButton);
    if (pMenuButton == nullptr || !pMenuButton->OnClick(this, TRUE))
        return FALSE;
    if (pMenuButton->m_pPopupMenu != nullptr && ::IsWindow(pMenuButton->m_pPopupMenu->GetSafeHwnd()))
        pMenuButton->m_pPopupMenu->SendMessage(WM_KEYDOWN, VK_HOME);
    SetDroppedMenuButton(pMenuButton);
    return TRUE;
}

BOOL CKtvPToolBar::ProcessCommand(CKtvPToolbarButton* pButton)
{
    if (pButton == nullptr || !IsValidCommand(pButton->m_nID))
        return FALSE;
    CKtvPMenuSound::PlayMenuSound(CKtvPMenuSound::ktvpSoundMenuCommand);
    AddCommandUsage(pButton->m_nID);
    if (CWnd* pTarget = GetOwner())
        pTarget->PostMessage(WM_COMMAND, pButton->m_nID, 0);
    return TRUE;
}

CKtvPToolbarMenuButton* CKtvPToolBar::GetDroppedDownMenu(int* pIndex) const
{
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++) {
        auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, m_Buttons.GetNext(pos));
        if (pMenuButton != nullptr && pMenuButton->IsDroppedDown()) {
            if (pIndex != nullptr)
                *pIndex = i;
            return pMenuButton;
        }
    }
    if (pIndex != nullptr)
        *pIndex = -1;
    return nullptr;
}

BOOL CKtvPToolBar::SetDroppedMenuButton(CKtvPToolbarMenuButton* pButton)
{
    if (pButton == nullptr) {
        m_iDroppedDown = -1;
        return TRUE;
    }
    const int iIndex = ButtonToIndex(pButton);
    if (iIndex < 0)
        return FALSE;
    if (iIndex != m_iDroppedDown)
        DropDownMenuButton(iIndex);
    return TRUE;
}

void CKtvPToolBar::DropDownMenuButton(int iButton)
{
    if (iButton == m_iDroppedDown && GetButton(m_iDroppedDown) != nullptr)
        iButton = -1;
    m_iDroppedDown = iButton;

    CKtvPToolbarMenuButton* pOpen = GetDroppedDownMenu();
    if (pOpen == nullptr && !m_bCustomizeMode)
        return;

    if (iButton < 0 || iButton >= m_Buttons.GetCount()) {
        m_iDroppedDown = -1;
        if (m_bCustomizeMode && !m_bAltCustomizeDrag && pOpen != nullptr)
            pOpen->OnCancelMode();
    } else {
        auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, GetButton(iButton));
        if (pMenuButton != nullptr && pMenuButton == pOpen) {
            if (m_bCustomizeMode && pOpen->IsDroppedDown())
                pOpen->OnCancelMode();
        } else {
            if (pOpen != nullptr) {
                const int iSavedHot = m_iHighlighted;
                if (!m_bCustomizeMode)
                    m_iHighlighted = -1;
                pOpen->OnCancelMode();
                if (!m_bCustomizeMode)
                    m_iHighlighted = iSavedHot;
            }
            if (pMenuButton != nullptr &&
                !(m_bCustomizeMode && pMenuButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarSystemMenuButton))))
                pMenuButton->OnClick(this, TRUE);
        }

        if (m_bCustomizeMode && m_iDragIndex < 0) {
            CKtvPToolbarButton* pButton = GetButton(iButton);
            if (pButton != nullptr && !IsSeparatorButton(pButton)) {
                InvalidateButton(m_iHighlighted);
                m_iSelected = iButton;
            }
        }
    }

    if (m_iDroppedDown >= 0 && m_iDroppedDown != m_iHighlighted) {
        InvalidateButton(m_iHighlighted);
        m_iHighlighted = m_iDroppedDown;
        InvalidateButton(m_iHighlighted);
        UpdateWindow();
    }
}

namespace {
// The next enabled menu button from iStart, walking back or forth and wrapping.
int FindMenuButton(const CKtvPToolBar* pBar, int iStart, int nStep)
{
    const int nCount = pBar->GetCount();
    for (int n = 1; n < nCount; n++) {
        const int i = ((iStart + nStep * n) % nCount + nCount) % nCount;
        auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, pBar->GetButton(i));
        if (pMenuButton != nullptr && !(pMenuButton->m_nStyle & TBBS_DISABLED))
            return i;
    }
    return -1;
}
}  // namespace

BOOL CKtvPToolBar::PrevMenu() { return StepDroppedMenu(-1); }

BOOL CKtvPToolBar::NextMenu() { return StepDroppedMenu(1); }

BOOL CKtvPToolBar::StepDroppedMenu(int nStep)
{
    int iOpen = -1;
    if (GetDroppedDownMenu(&iOpen) == nullptr)
        return FALSE;
    const int iFound = FindMenuButton(this, iOpen, nStep);
    if (iFound < 0 || iFound == iOpen)
        return TRUE;
    CNoMenuAnimation noAnimation;
    DropDownMenuButton(iFound);
    auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, GetButton(m_iDroppedDown));
    if (pMenuButton != nullptr && pMenuButton->IsDroppedDown() && pMenuButton->m_pPopupMenu != nullptr)
        pMenuButton->m_pPopupMenu->SendMessage(WM_KEYDOWN, VK_HOME);
    return TRUE;
}

void CKtvPToolBar::Deactivate()
{
    if (GetButton(m_iHighlighted) != nullptr) {
        const int iOld = m_iHighlighted;
        m_iDroppedDown = -1;
        m_iHighlighted = -1;
        InvalidateButton(iOld);
        UpdateWindow();
        SendIdlePrompt();
    }
    RestoreFocus();
}

BOOL CKtvPToolBar::RestoreFocus()
{
    HWND hwnd = m_hwndLastFocus;
    m_hwndLastFocus = nullptr;
    if (hwnd != nullptr && ::IsWindow(hwnd)) {
        ::SetFocus(hwnd);
        return TRUE;
    }
    return FALSE;
}

void CKtvPToolBar::OnSetFocus(CWnd* pOldWnd)
{
    Default();
    if (!m_bTrackFocus || pOldWnd == nullptr || !::IsWindow(pOldWnd->GetSafeHwnd()))
        return;
    if (DYNAMIC_DOWNCAST(CKtvPToolBar, CWnd::FromHandlePermanent(pOldWnd->GetSafeHwnd())) != nullptr)
        return;
    HWND hwndOldParent = ::GetParent(pOldWnd->GetSafeHwnd());
    if (DYNAMIC_DOWNCAST(CKtvPToolBar, CWnd::FromHandlePermanent(hwndOldParent)) != nullptr)
        return;
    if (GetParent() != nullptr && GetParent()->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabWnd)))
        return;
    m_hwndLastFocus = pOldWnd->GetSafeHwnd();
}

void CKtvPToolBar::OnKillFocus(CWnd* pNewWnd)
{
    Default();
    if (m_bCustomizeMode)
        return;
    if (pNewWnd != nullptr) {
        auto* pPopup = DYNAMIC_DOWNCAST(CKtvPPopupMenu, CWnd::FromHandlePermanent(pNewWnd->GetSafeHwnd()));
        if (pPopup != nullptr && pPopup->GetParentToolBar() == this)
            return;
    }
    Deactivate();
}

// --- commands -----------------------------------------------------------------------------------

BOOL CKtvPToolBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_bCustomizeMode && !m_bLocked)
        return CKtvPBaseToolBar::OnCommand(wParam, lParam);

    HWND hwndControl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    BOOL bAccelerator = FALSE;
    if (hwndControl == nullptr) {
        if (LOWORD(wParam) == IDCANCEL) {
            RestoreFocus();
            return TRUE;
        }
        if (LOWORD(wParam) != IDOK)
            return FALSE;
        hwndControl = ::GetFocus();
        if (hwndControl == nullptr)
            return FALSE;
        nCode = 0;
        bAccelerator = TRUE;
    }

    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        HWND hwndButton = pButton->GetHwnd();
        if (hwndButton == nullptr)
            continue;
        if (hwndButton == hwndControl || ::IsChild(hwndButton, hwndControl))
            return NotifyControlCommand(pButton, bAccelerator, nCode, wParam, lParam);
    }
    return FALSE;
}

BOOL CKtvPToolBar::NotifyControlCommand(CKtvPToolbarButton* pButton, BOOL bAccelerator, int nNotifyCode,
                                        WPARAM, LPARAM lParam)
{
    if (!bAccelerator && !pButton->NotifyCommand(nNotifyCode))
        return FALSE;
    if (CWnd* pTarget = GetOwner())
        pTarget->PostMessage(WM_COMMAND, MAKEWPARAM(pButton->m_nID, nNotifyCode), lParam);
    return TRUE;
}

void CKtvPToolBar::ShowCommandMessageString(UINT uiCmdId)
{
    if (IsHelpMode())
        return;
    if (uiCmdId == (UINT)-1 || uiCmdId == (UINT)-20) {
        SendIdlePrompt();
        return;
    }
    UINT uiPrompt = uiCmdId;
    if (uiCmdId >= 0xF000 && uiCmdId < 0xF1F0)
        uiPrompt = AFX_IDS_SCFIRST + ((uiCmdId - 0xF000) >> 4);
    else if (uiCmdId > 0xFEFF)
        uiPrompt = AFX_IDS_MDICHILD;
    if (CWnd* pTarget = GetOwner())
        pTarget->SendMessage(WM_SETMESSAGESTRING, uiPrompt);
}

BOOL CKtvPToolBar::IsLastCommandFromButton(CKtvPToolbarButton* pButton)
{
    if (pButton == nullptr)
        return FALSE;
    HWND hwnd = pButton->GetHwnd();
    if (hwnd == nullptr)
        return FALSE;
    const MSG* pMsg = CWnd::GetCurrentMessage();
    return pMsg != nullptr && ((HWND)pMsg->lParam == hwnd || pMsg->hwnd == hwnd);
}

CWnd* CKtvPToolBar::GetCommandTarget() const
{
    if (m_bRouteCommandsViaFrame) {
        CFrameWnd* pFrame = GetTopLevelFrame();
        if (pFrame != nullptr)
            return pFrame;
    }
    return GetOwner();
}

// --- idle update --------------------------------------------------------------------------------

void CKtvPToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CKtvPToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_Buttons.GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        CKtvPToolbarButton* pButton = GetButton((int)state.m_nIndex);
        if (pButton == nullptr)
            return;
        state.m_nID = pButton->m_nID;
        if (IsUserToolCmd(state.m_nID)) {
            state.DoUpdate(pTarget, FALSE);
            continue;
        }
        if (IsSeparatorButton(pButton) || state.m_nID == 0 || state.m_nID >= 0xFF00)
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler && !ToolBarIsSystemCommandId(state.m_nID));
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler && m_bDisableControlsIfNoHandler);
}

void CKtvPToolBar::UpdateButton(int nIndex)
{
    CWnd* pTarget = GetCommandTarget();
    CKtvPToolbarButton* pButton = GetButton(nIndex);
    if (pTarget == nullptr || pButton == nullptr || pButton->m_nID >= 0xFF00)
        return;
    auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget);
    BOOL bDisableIfNoHandler = pFrame != nullptr && pFrame->m_bAutoMenuEnable;
    if (IsUserToolCmd(pButton->m_nID) || ToolBarIsSystemCommandId(pButton->m_nID))
        bDisableIfNoHandler = FALSE;

    CKtvPToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndex = (UINT)nIndex;
    state.m_nIndexMax = (UINT)m_Buttons.GetCount();
    state.m_nID = pButton->m_nID;
    state.DoUpdate(pTarget, bDisableIfNoHandler);
}

void CKtvPToolCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    auto* pBar = static_cast<CKtvPToolBar*>(m_pOther);
    UINT nStyle = pBar->GetButtonStyle((int)m_nIndex) & ~TBBS_DISABLED;
    if (!bOn)
        nStyle |= TBBS_DISABLED;
    pBar->SetButtonStyle((int)m_nIndex, nStyle);
}

void CKtvPToolCmdUI::SetCheck(int nCheck)
{
    if (nCheck > 2)
        nCheck = 1;
    auto* pBar = static_cast<CKtvPToolBar*>(m_pOther);
    UINT nStyle = pBar->GetButtonStyle((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1)
        nStyle |= TBBS_CHECKED;
    else if (nCheck == 2)
        nStyle |= TBBS_INDETERMINATE;
    pBar->SetButtonStyle((int)m_nIndex, nStyle | TBBS_CHECKBOX);
}

void CKtvPToolCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
    auto* pBar = static_cast<CKtvPToolBar*>(m_pOther);
    if (CKtvPToolbarButton* pButton = pBar->GetButton((int)m_nIndex))
        pButton->SetRadio();
}

void CKtvPToolCmdUI::SetText(LPCTSTR lpszText)
{
    auto* pBar = static_cast<CKtvPToolBar*>(m_pOther);
    CKtvPToolbarButton* pButton = pBar->GetButton((int)m_nIndex);
    if (pButton == nullptr || lpszText == nullptr)
        return;
    CString strNew(lpszText);
    const int iTab = strNew.Find('\t');
    if (iTab >= 0)
        strNew = strNew.Left(iTab);
    CString strOld = pButton->m_strText;
    const int iOldTab = strOld.Find('\t');
    if (iOldTab >= 0)
        strOld = strOld.Left(iOldTab);
    if (strNew == strOld)
        return;
    pButton->m_strText = strNew;
    pBar->AdjustLayout();
}

// --- context-help mode --------------------------------------------------------------------------

void CKtvPToolBar::SetHelpMode(BOOL bOn)
{
    if (bOn) {
        if (m_hookMouseHelp == nullptr)
            m_hookMouseHelp = ::SetWindowsHookEx(WH_MOUSE, ToolBarMouseHookProc, nullptr, ::GetCurrentThreadId());
        return;
    }
    if (m_hookMouseHelp != nullptr)
        ::UnhookWindowsHookEx(m_hookMouseHelp);
    m_hookMouseHelp = nullptr;
    m_pLastHookedToolbar = nullptr;
    for (POSITION pos = m_AllToolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPToolBar*>(m_AllToolbars.GetNext(pos));
        if (CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) != nullptr)
            pBar->OnCancelMode();
    }
}

LRESULT CALLBACK CKtvPToolBar::ToolBarMouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode != HC_ACTION)
        return ::CallNextHookEx(m_hookMouseHelp, nCode, wParam, lParam);
    if (wParam != WM_MOUSEMOVE)
        return 0;

    auto* pHook = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
    CPoint point = pHook->pt;
    CKtvPToolBar* pBar = nullptr;
    for (POSITION pos = m_AllToolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pCandidate = static_cast<CKtvPToolBar*>(m_AllToolbars.GetNext(pos));
        if (CWnd::FromHandlePermanent(pCandidate->GetSafeHwnd()) == nullptr || !pCandidate->IsWindowVisible())
            continue;
        CRect rect;
        pCandidate->GetWindowRect(&rect);
        if (rect.PtInRect(point)) {
            pBar = pCandidate;
            break;
        }
    }
    if (pBar != nullptr) {
        CPoint ptClient = point;
        pBar->ScreenToClient(&ptClient);
        pBar->OnMouseMove(0, ptClient);
    }
    if (m_pLastHookedToolbar != nullptr && m_pLastHookedToolbar != pBar &&
        CWnd::FromHandlePermanent(m_pLastHookedToolbar->GetSafeHwnd()) != nullptr) {
        CKtvPToolBar* pOld = m_pLastHookedToolbar;
        pOld->m_bTracking = FALSE;
        pOld->m_ptLastMouse = CPoint(-1, -1);
        const int iOld = pOld->m_iHighlighted;
        pOld->m_iHighlighted = -1;
        pOld->InvalidateButton(iOld);
        pOld->UpdateWindow();
    }
    m_pLastHookedToolbar = pBar;
    return 0;
}

LRESULT CKtvPToolBar::OnHelpHitTest(WPARAM wParam, LPARAM lParam)
{
    OnCancelMode();
    const CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    const int iButton = HitTest(point);
    if (iButton < 0) {
        ::MessageBeep((UINT)-1);
        return -1;
    }
    if (GetButton(iButton)->OnContextHelp(this))
        return -1;
    const LRESULT lId = CKtvPBaseToolBar::OnHelpHitTest(wParam, lParam);
    if (lId > 0)
        SetHelpMode(FALSE);
    return lId;
}

// --- the common toolbar control's messages ------------------------------------------------------

LRESULT CKtvPToolBar::OnGetButton(WPARAM wParam, LPARAM lParam)
{
    CKtvPToolbarButton* pButton = GetButton((int)wParam);
    auto* pTB = reinterpret_cast<TBBUTTON*>(lParam);
    if (pButton == nullptr || pTB == nullptr)
        return FALSE;
    pTB->iBitmap = 0;
    pTB->idCommand = (int)pButton->m_nID;
    pTB->fsState = (BYTE)((pButton->m_nStyle >> 16) & 0xFF);
    pTB->fsStyle = (BYTE)(pButton->m_nStyle & 0xFF);
    pTB->dwData = 0;
    pTB->iString = 0;
    return TRUE;
}

LRESULT CKtvPToolBar::OnGetButtonCount(WPARAM, LPARAM) { return GetCount(); }

LRESULT CKtvPToolBar::OnGetItemRect(WPARAM wParam, LPARAM lParam)
{
    GetItemRect((int)wParam, reinterpret_cast<LPRECT>(lParam));
    return TRUE;
}

LRESULT CKtvPToolBar::OnGetButtonText(WPARAM wParam, LPARAM lParam)
{
    const int iButton = CommandToIndex((UINT)wParam);
    const CString strText = GetButtonText(iButton);
    // A NULL buffer asks for the length alone.
    if (lParam != 0)
        memcpy(reinterpret_cast<LPTSTR>(lParam), (LPCTSTR)strText, strText.GetLength() + 1);
    return strText.GetLength();
}
