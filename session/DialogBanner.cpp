#include "session/DialogBanner.h"

#include <algorithm>

#include "platform/mfc/CDC.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/mfc/afxmsg.h"

BEGIN_MESSAGE_MAP(CDialogBanner, CWnd)
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

constexpr UINT kBannerTextFlags = DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS;

void MakeBannerFont(CFont& font, int nHeight, int nWeight)
{
    font.DeleteObject();
    font.CreateFont(nHeight, 0, 0, 0, nWeight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 6, "Tahoma");
}

}  // namespace

CDialogBanner::CDialogBanner()
    : m_nIconWidth(::GetSystemMetrics(SM_CXICON)),
      m_nIconHeight(::GetSystemMetrics(SM_CYICON)),
      m_nEdge(::GetSystemMetrics(SM_CXEDGE)),
      m_crBack(::GetSysColor(COLOR_WINDOW))
{
}

void CDialogBanner::RepaintBand()
{
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CDialogBanner::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    RepaintBand();
}

void CDialogBanner::SetDescription(LPCTSTR lpszDescription)
{
    m_strDescription = lpszDescription;
    RepaintBand();
}

void CDialogBanner::SetIcon(HICON hIcon)
{
    m_hIcon = hIcon;
    RepaintBand();
}

void CDialogBanner::SetBackColor(COLORREF crBack)
{
    m_crBack = crBack;
    RepaintBand();
}

void CDialogBanner::SetBandHeight(int nHeight)
{
    m_nBandHeight = std::max({nHeight, m_nIconHeight + 2 * m_nMargin + m_nInset,
                              m_nInset + m_nDescHeight + 2 * m_nMargin + m_nTitleHeight + 2});
    RepaintBand();
}

void CDialogBanner::CreateInDialog(CWnd* pDialog)
{
    if (pDialog == nullptr || pDialog->GetSafeHwnd() == nullptr)
        return;
    SetBandHeight(m_nBandHeight);
    CRect rectDialog;
    pDialog->GetWindowRect(rectDialog);
    pDialog->SetWindowPos(nullptr, 0, 0, rectDialog.Width(), rectDialog.Height() + m_nBandHeight,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Create(AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW)), "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, rectDialog.Width(), m_nBandHeight), pDialog,
           0xFFFF);
}

void CDialogBanner::MoveSiblingsDown(CWnd* pDialog)
{
    if (pDialog == nullptr || pDialog->GetSafeHwnd() == nullptr)
        return;
    for (HWND hChild = ::GetWindow(pDialog->GetSafeHwnd(), GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (hChild == GetSafeHwnd())
            continue;
        CRect rect;
        ::GetWindowRect(hChild, rect);
        pDialog->ScreenToClient(rect);
        ::SetWindowPos(hChild, nullptr, rect.left, rect.top + m_nBandHeight, 0, 0,
                       SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
}

void CDialogBanner::OnPaint()
{
    CPaintDC dc(this);
    MakeBannerFont(m_fontDesc, m_nDescHeight, FW_NORMAL);
    MakeBannerFont(m_fontTitle, m_nTitleHeight, FW_BOLD);

    CRect rectClient;
    GetClientRect(rectClient);
    dc.Draw3dRect(rectClient, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    // Only the lower edge of the frame stays visible.
    dc.FillSolidRect(rectClient.left, rectClient.top, rectClient.Width(), rectClient.Height() - m_nEdge, m_crBack);
    if (m_hIcon != nullptr)
        dc.DrawIcon(m_nMargin, m_nMargin, m_hIcon);

    // The icon's place stays free even without an icon, so texts line up
    // across dialogs.
    CRect rectTitle(rectClient.left + m_nTextIndent + m_nMargin + m_nIconWidth, rectClient.top + m_nMargin,
                    rectClient.right - m_nInset - m_nMargin, 0);
    rectTitle.bottom = rectTitle.top + m_nTitleHeight;
    if (m_nAlign == DT_CENTER)
        rectTitle.right -= m_nTextIndent + m_nMargin + m_nIconWidth;
    CFont* pOldFont = dc.SelectObject(&m_fontTitle);
    dc.DrawText(m_strTitle, rectTitle, m_nAlign | kBannerTextFlags);

    CRect rectDesc(rectTitle.left, rectTitle.bottom, rectTitle.right, rectClient.bottom);
    if (m_nAlign == DT_LEFT)
        rectDesc.left += m_nDescIndent;
    else if (m_nAlign == DT_RIGHT)
        rectDesc.right -= m_nDescIndent;
    dc.SelectObject(&m_fontDesc);
    dc.DrawText(m_strDescription, rectDesc, m_nAlign | kBannerTextFlags);
    dc.SelectObject(pOldFont);
}

void CDialogBanner::OnDestroy()
{
    m_fontTitle.DeleteObject();
    m_fontDesc.DeleteObject();
    m_strTitle.Empty();
    m_strDescription.Empty();
    CWnd::OnDestroy();
}
