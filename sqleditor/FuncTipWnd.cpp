#include "sqleditor/FuncTipWnd.h"

#include "platform/mfc/CDC.h"
#include "platform/mfc/CDataExchange.h"
#include "sqleditor/CustomerEditCtrl.h"

namespace {

// Light yellow, the colour of tips.
constexpr COLORREF kFuncTipBack = RGB(255, 255, 200);
constexpr int kFuncTipMargin = 2;

} // namespace

// ---------------------------------------------------------------- the text

BEGIN_MESSAGE_MAP(CFuncTipStatic, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CFuncTipStatic::SetTip(const CString& strHeader, const CStringArray& arrParams)
{
    m_fontNormal.DeleteObject();
    m_fontBold.DeleteObject();
    m_fontNormal.CreatePointFont(80, "MS Sans Serif");
    LOGFONT lf{};
    m_fontNormal.GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lf);
    m_strHeader = strHeader;
    m_arrParams.RemoveAll();
    for (INT_PTR i = 0; i < arrParams.GetSize(); ++i)
        m_arrParams.Add(arrParams[i]);
    m_nParamCount = static_cast<int>(m_arrParams.GetSize());
    m_nCurrentParam = 1;
}

CString CFuncTipStatic::GetSignature() const
{
    CString strText = m_strHeader + " (";
    for (INT_PTR i = 0; i < m_arrParams.GetSize(); ++i) {
        if (i > 0)
            strText += ", ";
        strText += m_arrParams[i];
    }
    return strText + ")";
}

void CFuncTipStatic::DrawWrapped(CDC& dc, const CString& strSegment, CPoint& ptAt, int nRight)
{
    CString strRest = strSegment;
    while (!strRest.IsEmpty()) {
        const CSize size = dc.GetTextExtent(strRest);
        if (ptAt.x + size.cx <= nRight) {
            CRect rect(ptAt.x, ptAt.y, ptAt.x + size.cx, ptAt.y + size.cy);
            dc.DrawText(strRest, rect, DT_NOCLIP | DT_SINGLELINE | DT_NOPREFIX);
            ptAt.x += size.cx;
            return;
        }
        // The longest start of the segment that still fits; at least one
        // character, so that a narrow tip still moves on.
        int nFit = 0;
        while (nFit < strRest.GetLength() && ptAt.x + dc.GetTextExtent(strRest.Left(nFit + 1)).cx <= nRight)
            ++nFit;
        if (nFit == 0 && ptAt.x <= kFuncTipMargin)
            nFit = 1;
        if (nFit > 0) {
            const CString strLine = strRest.Left(nFit);
            CRect rect(ptAt.x, ptAt.y, nRight, ptAt.y + size.cy);
            dc.DrawText(strLine, rect, DT_NOCLIP | DT_SINGLELINE | DT_NOPREFIX);
            strRest = strRest.Mid(nFit);
        }
        ptAt.x = kFuncTipMargin;
        ptAt.y += size.cy;
    }
}

void CFuncTipStatic::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(rect);
    dc.FillSolidRect(rect, kFuncTipBack);
    dc.SetBkMode(TRANSPARENT);
    const int nRight = rect.right - kFuncTipMargin;
    CPoint ptAt(rect.left + kFuncTipMargin, rect.top);
    CFont* pOld = dc.SelectObject(&m_fontNormal);
    DrawWrapped(dc, m_strHeader + " (", ptAt, nRight);
    for (int i = 0; i < m_nParamCount; ++i) {
        if (i > 0) {
            dc.SelectObject(&m_fontNormal);
            DrawWrapped(dc, ", ", ptAt, nRight);
        }
        dc.SelectObject(i + 1 == m_nCurrentParam ? &m_fontBold : &m_fontNormal);
        DrawWrapped(dc, m_arrParams[i], ptAt, nRight);
    }
    dc.SelectObject(&m_fontNormal);
    DrawWrapped(dc, ")", ptAt, nRight);
    dc.SelectObject(pOld);
    CBrush black;
    black.CreateSolidBrush(RGB(0, 0, 0));
    dc.FrameRect(rect, &black);
}

// ---------------------------------------------------------------- the dialog

BEGIN_MESSAGE_MAP(CFuncTipDialog, CDialog)
    ON_WM_CHAR()
END_MESSAGE_MAP()

void CFuncTipDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SQLED_FUNC_TIP_TEXT, m_wndText);
}

void CFuncTipDialog::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == '\t')
        return;
    auto* pFrame = dynamic_cast<CCustomerEditIntelliFuncWnd*>(GetParent());
    if (pFrame == nullptr || pFrame->m_pOwnerEdit == nullptr || pFrame->m_pOwnerEdit->m_hWnd == nullptr)
        return;
    pFrame->m_pOwnerEdit->SendMessage(WM_CHAR, nChar, MAKELPARAM(nRepCnt, nFlags));
}

// ---------------------------------------------------------------- the window

IMPLEMENT_DYNCREATE(CCustomerEditIntelliFuncWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CCustomerEditIntelliFuncWnd, CMiniFrameWnd)
    ON_WM_NCHITTEST()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

BOOL CCustomerEditIntelliFuncWnd::Create(CObList* pList, DWORD dwStyle, int x, int y, CCustomerEditCtrl* pOwner,
                                         int /*nUnused*/)
{
    m_pOwnerEdit = pOwner;
    if (pOwner == nullptr || pList == nullptr)
        return FALSE;
    if (!CMiniFrameWnd::Create(nullptr, nullptr, dwStyle & ~WS_VISIBLE, CRect(x, y, x + 100, y + 100), pOwner))
        return FALSE;
    if (!m_dlgTip.Create(IDD_SQLED_FUNC_TIP, this))
        return FALSE;
    pOwner->m_pFuncTipWnd = this;
    pOwner->m_bFuncTipOpen = 1;

    CString strHeader;
    CStringArray arrParams;
    POSITION pos = pList->GetHeadPosition();
    if (pos != nullptr)
        strHeader = static_cast<CKtvPIntelliSenseData*>(pList->GetNext(pos))->m_strText;
    while (pos != nullptr)
        arrParams.Add(static_cast<CKtvPIntelliSenseData*>(pList->GetNext(pos))->m_strText);
    m_dlgTip.m_wndText.SetTip(strHeader, arrParams);
    SizeToText(x, y, m_dlgTip.m_wndText.GetSignature());

    // The editor keeps the keyboard: the tip shows without taking it.
    m_dlgTip.ShowWindow(SW_SHOWNA);
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_dlgTip.Invalidate();
    m_dlgTip.UpdateWindow();
    return TRUE;
}

void CCustomerEditIntelliFuncWnd::SizeToText(int x, int y, const CString& strText)
{
    CClientDC dc(&m_dlgTip.m_wndText);
    // Measured bold, so that the text fits whichever parameter is bold.
    CFont* pOld = dc.SelectObject(&m_dlgTip.m_wndText.m_fontBold);
    const CSize size = dc.GetTextExtent(strText);
    dc.SelectObject(pOld);
    const int cx = size.cx + 2 * kFuncTipMargin;
    const int cy = size.cy;

    RECT rcWork{};
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (HMONITOR hMonitor = ::MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST);
        hMonitor != nullptr && ::GetMonitorInfo(hMonitor, &info))
        rcWork = info.rcWork;
    else
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);
    const int nRoom = rcWork.right - x;
    const int nWidth = rcWork.right - rcWork.left;
    CSize tip(cx, cy);
    if (cx >= nRoom) {
        int nWrap = nRoom;
        if (nRoom < nWidth / 3) {
            x = rcWork.left + nWidth / 2;
            nWrap = nWidth / 2;
        }
        nWrap = std::max(nWrap, 1);
        const int nLines = std::max(1, (cx + nWrap - 1) / nWrap);
        tip = CSize(nWrap - ::GetSystemMetrics(SM_CXFRAME), cy * nLines);
    }
    m_dlgTip.MoveWindow(0, 0, tip.cx, tip.cy);
    m_dlgTip.m_wndText.MoveWindow(0, 0, tip.cx, tip.cy);
    const int nRowHeight = m_pOwnerEdit != nullptr ? m_pOwnerEdit->m_nRowHeight : 0;
    MoveWindow(x, y + nRowHeight, tip.cx, tip.cy);
    SetWindowPos(nullptr, x, y + nRowHeight, tip.cx, tip.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CCustomerEditIntelliFuncWnd::OnNcHitTest(CPoint /*point*/)
{
    return HTCLIENT;
}

void CCustomerEditIntelliFuncWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (pOldWnd != nullptr && pOldWnd->m_hWnd != nullptr)
        pOldWnd->SetFocus();
}

void CCustomerEditIntelliFuncWnd::PostNcDestroy()
{
    if (m_pOwnerEdit != nullptr && m_pOwnerEdit->m_pFuncTipWnd == this) {
        m_pOwnerEdit->m_pFuncTipWnd = nullptr;
        m_pOwnerEdit->m_bFuncTipOpen = 0;
    }
    delete this;
}
