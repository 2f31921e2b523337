#include "ui/controls/KtvPURLLinkButton.h"

#include "platform/mfc/CDC.h"
#include "platform/mfc/CWinApp.h"
#include "platform/shell/shellapi.h"
#include "ui/frames/KtvPGlobalData.h"

IMPLEMENT_DYNAMIC(CKtvPURLLinkButton, CKtvPButton)

BEGIN_MESSAGE_MAP(CKtvPURLLinkButton, CKtvPButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CKtvPURLLinkButton::CKtvPURLLinkButton()
{
    m_TextColor = globalData.clrHilite;
    m_HotTextColor = globalData.clrHotText;
    m_PushOffset = CSize(0, 0);
    m_FlatStyle = BUTTONSTYLE_NOBORDERS;
    m_ParentBackground = TRUE;
    SetHandCursor();
}

void CKtvPURLLinkButton::OnDraw(CDC* pDC, const CRect& rect, UINT)
{
    CFont* pOldFont = pDC->SelectObject(&globalData.fontUnderline);
    pDC->SetTextColor(m_Hover ? m_HotTextColor : m_TextColor);
    pDC->SetBkMode(TRANSPARENT);
    CString strText;
    GetWindowText(strText);
    CRect rectText = rect;
    pDC->DrawText(strText, rectText, DT_SINGLELINE);
    pDC->SelectObject(pOldFont);
}

void CKtvPURLLinkButton::OnDrawFocusRect(CDC* pDC, const CRect& rectClient) { pDC->DrawFocusRect(rectClient); }

CString CKtvPURLLinkButton::GetAddress() const
{
    CString strAddress = m_Url;
    if (strAddress.IsEmpty())
        GetWindowText(strAddress);
    return m_UrlPrefix + strAddress;
}

void CKtvPURLLinkButton::OpenLink()
{
    if (!IsWindowEnabled())
        return;
    {
        CWaitCursor wait;
        // Shown normally; the shell starts the opener with an argument vector, never a command string.
        ::ShellExecute(nullptr, nullptr, GetAddress(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    m_Hover = FALSE;
    RedrawWindow();
}

BOOL CKtvPURLLinkButton::OnClicked()
{
    OpenLink();
    return FALSE;
}

BOOL CKtvPURLLinkButton::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == GetSafeHwnd()) {
        if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_SPACE || pMsg->wParam == VK_RETURN))
            return TRUE;
        if (pMsg->message == WM_KEYUP && pMsg->wParam == VK_SPACE)
            return TRUE;
        if (pMsg->message == WM_KEYUP && pMsg->wParam == VK_RETURN) {
            OpenLink();
            return TRUE;
        }
    }
    return CKtvPButton::PreTranslateMessage(pMsg);
}

CSize CKtvPURLLinkButton::SizeToContentCentered(BOOL bVCenter, BOOL bHCenter)
{
    if (m_ImageSize.cx != 0)
        return CKtvPButton::SizeToContent(FALSE);

    CRect rectClient;
    GetClientRect(rectClient);
    CString strText;
    GetWindowText(strText);
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(&globalData.fontUnderline);
    CRect rectText = rectClient;
    dc.DrawText(strText, rectText, DT_SINGLELINE | DT_CALCRECT);
    dc.SelectObject(pOldFont);
    rectText.InflateRect(3, 3);
    const CSize size = rectText.Size();

    if (!bVCenter && !bHCenter) {
        SetWindowPos(nullptr, -1, -1, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return size;
    }
    CRect rectOld = rectClient;
    MapWindowPoints(GetParent(), rectOld);
    const int x = bHCenter ? rectOld.left + (rectOld.Width() - size.cx) / 2 : rectOld.left;
    const int y = bVCenter ? rectOld.top + (rectOld.Height() - size.cy) / 2 : rectOld.top;
    SetWindowPos(nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}
