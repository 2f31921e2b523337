#include "ui/controls/KtvPCaptionBar.h"

#include <algorithm>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/CDC.h"
#include "ui/commandbars/KtvPBoxButtonSupport.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPFrameWnd.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPMDIChildWnd.h"
#include "ui/frames/KtvPMDIFrameWnd.h"
#include "ui/frames/KtvPOleDocIPFrameWnd.h"
#include "ui/frames/KtvPOleIPFrameWnd.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_DYNCREATE(CKtvPCaptionBar, CKtvPControlBar)

BEGIN_MESSAGE_MAP(CKtvPCaptionBar, CKtvPControlBar)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_RBUTTONUP()
    ON_WM_PAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

CKtvPCaptionBar::CKtvPCaptionBar()
    : m_clrBarText((COLORREF)-1),
      m_clrBarBackground((COLORREF)-1),
      m_clrBarBorder((COLORREF)-1),
      m_hIcon(nullptr),
      m_bStretchImage(FALSE),
      m_bmpAlignment(ALIGN_LEFT),
      m_hFont(nullptr),
      m_textAlignment(ALIGN_LEFT),
      m_uiBtnID(0),
      m_btnAlignment(ALIGN_LEFT),
      m_bIsBtnPressed(FALSE),
      m_bIsBtnHighlighted(FALSE),
      m_bIsBtnForcePressed(FALSE),
      m_bTracked(FALSE),
      m_bBtnEnabled(TRUE),
      m_nBorderSize(4),
      m_nMargin(4),
      m_nHorzElementOffset(4),
      m_nDefaultHeight(-1),
      m_nCurrentHeight(0),
      m_bFlatBorder(FALSE),
      m_clrTransparent((COLORREF)-1)
{
}

// The strip frees its copy of the bitmap; the icon and the font are the caller's.
CKtvPCaptionBar::~CKtvPCaptionBar() = default;

BOOL CKtvPCaptionBar::Create(DWORD dwStyle, CWnd* pParentWnd, UINT uID, int nHeight)
{
    SetBarStyle(CBRS_ALIGN_TOP);
    m_nDefaultHeight = nHeight;
    if (!CKtvPControlBar::Create(nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, uID, 0, nullptr)) return FALSE;
    CKtvPFrameHooks* pFrame = nullptr;
    if (auto* p = dynamic_cast<CKtvPFrameWnd*>(pParentWnd))
        pFrame = p;
    else if (auto* p2 = dynamic_cast<CKtvPMDIFrameWnd*>(pParentWnd))
        pFrame = p2;
    else if (auto* p3 = dynamic_cast<CKtvPOleIPFrameWnd*>(pParentWnd))
        pFrame = p3;
    else if (auto* p4 = dynamic_cast<CKtvPOleDocIPFrameWnd*>(pParentWnd))
        pFrame = p4;
    else if (auto* p5 = dynamic_cast<CKtvPMDIChildWnd*>(pParentWnd))
        pFrame = p5;
    if (pFrame != nullptr)
        pFrame->AddControlBar(this, TRUE);
    else if (dynamic_cast<CDialog*>(pParentWnd) != nullptr)
        m_bBarsInDialog = TRUE;
    return TRUE;
}

void CKtvPCaptionBar::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr) return;
    CWnd* pFrame = KtvGetParentFrame(this);
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr) {
        if (auto* pFrameWnd = dynamic_cast<CFrameWnd*>(pFrame)) pFrameWnd->RecalcLayout(TRUE);
    }
    RecalcLayout();
}

HFONT CKtvPCaptionBar::GetBarFont() const
{
    return m_hFont != nullptr ? m_hFont : (HFONT)globalData.fontRegular.GetSafeHandle();
}

CSize CKtvPCaptionBar::GetImageSize() const
{
    if (m_Bitmap.GetCount() > 0) return m_Bitmap.GetImageSize();
    if (m_hIcon != nullptr) {
        ICONINFO info = {};
        if (::GetIconInfo(m_hIcon, &info)) {
            BITMAP bmp = {};
            ::GetObject(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bmp), &bmp);
            if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
            if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
            return CSize(bmp.bmWidth, info.hbmColor != nullptr ? bmp.bmHeight : bmp.bmHeight / 2);
        }
    }
    return CSize(0, 0);
}

void CKtvPCaptionBar::KeepApart(CRect& rect, CRect rectOther, BOOL bKeepLeft) const
{
    if (rect.IsRectEmpty() || rectOther.IsRectEmpty()) return;
    rectOther.InflateRect(m_nHorzElementOffset, m_nHorzElementOffset);
    const int L = rectOther.left;
    const int R = rectOther.right;
    if (rect.left >= L && rect.left <= R) rect.left = R;
    if (rect.right >= L && rect.right <= R) rect.right = L;
    if (rect.left >= L && rect.right <= R) rect.right = rect.left;
    if (rect.left <= L && rect.right >= R) {
        if (bKeepLeft)
            rect.right = L;
        else
            rect.left = R;
    }
    if (bKeepLeft) {
        if (rect.left >= R) rect.left = rect.right;
    } else if (rect.right <= L) {
        rect.right = rect.left;
    }
}

void CKtvPCaptionBar::HoldInside(CRect& rect, const CRect& rectClient, BOOL bKeepWidth) const
{
    const int nLeft = rectClient.left + m_nMargin;
    const int nRight = rectClient.right - m_nMargin;
    const int nWidth = rect.Width();
    if (rect.left < nLeft) {
        rect.left = nLeft;
        if (bKeepWidth) rect.right = rect.left + nWidth;
    }
    if (rect.right > nRight) {
        rect.right = nRight;
        if (bKeepWidth) rect.left = rect.right - nWidth;
    }
}

void CKtvPCaptionBar::RecalcLayout()
{
    CWindowDC dc(nullptr);
    HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), GetBarFont());
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    const CSize sizeImage = GetImageSize();
    m_nCurrentHeight = m_nDefaultHeight != -1
                           ? m_nDefaultHeight
                           : m_nBorderSize + 2 * m_nMargin + std::max((int)tm.tmHeight + 2, (int)sizeImage.cy);
    CRect rectClient;
    if (GetSafeHwnd() != nullptr) GetClientRect(rectClient);
    if (rectClient.IsRectEmpty()) {
        ::SelectObject(dc.GetSafeHdc(), hOldFont);
        return;
    }
    int xLeft = rectClient.left + m_nMargin;
    int xRight = rectClient.right - m_nMargin;
    int xCenter = rectClient.Width() / 2;
    const int yCenter = rectClient.Height() / 2;
    const int nGap = m_nHorzElementOffset;

    const BOOL bImage = HasImage();
    if (bImage) {
        m_rectImage.top = sizeImage.cy < rectClient.Height() ? yCenter - sizeImage.cy / 2 : rectClient.top + m_nMargin;
        m_rectImage.bottom = m_bStretchImage ? rectClient.bottom - m_nMargin : m_rectImage.top + sizeImage.cy;
        switch (m_bmpAlignment) {
        case ALIGN_LEFT:
            m_rectImage.left = xLeft;
            m_rectImage.right = xLeft + sizeImage.cx;
            xLeft = m_rectImage.right + nGap;
            break;
        case ALIGN_RIGHT:
            m_rectImage.right = xRight;
            m_rectImage.left = xRight - sizeImage.cx;
            xRight = m_rectImage.left - nGap;
            break;
        case ALIGN_CENTER: xCenter -= sizeImage.cx / 2; break;
        default: break;
        }
    } else {
        m_rectImage.SetRectEmpty();
    }

    auto finish = [&]() { ::SelectObject(dc.GetSafeHdc(), hOldFont); };

    int nBtnWidth = 0;
    if (!m_strBtnText.IsEmpty()) {
        nBtnWidth = dc.GetTextExtent(m_strBtnText).cx + 2 * nGap + (IsButtonLive() ? 10 : 0);
        m_rectButton.top = rectClient.top;
        m_rectButton.bottom = rectClient.bottom;
        switch (m_btnAlignment) {
        case ALIGN_LEFT:
            m_rectButton.left = xLeft == rectClient.left + m_nMargin ? rectClient.left : xLeft;
            m_rectButton.right = m_rectButton.left + nBtnWidth;
            xLeft = m_rectButton.right + nGap;
            break;
        case ALIGN_RIGHT:
            m_rectButton.right = xRight == rectClient.right - m_nMargin ? rectClient.right : xRight;
            m_rectButton.left = m_rectButton.right - nBtnWidth;
            xRight = m_rectButton.left - nGap;
            break;
        case ALIGN_CENTER: xCenter -= nBtnWidth / 2; break;
        default: finish(); return;
        }
    } else {
        m_rectButton.SetRectEmpty();
    }

    int nTextWidth = 0;
    if (!m_strText.IsEmpty()) {
        CRect rectCalc = rectClient;
        dc.DrawText(m_strText, rectCalc, DT_CALCRECT | DT_VCENTER);
        nTextWidth = rectCalc.Width();
        const int h = rectCalc.Height();
        m_rectText.top = yCenter - h / 2;
        m_rectText.bottom = m_rectText.top + h;
        switch (m_textAlignment) {
        case ALIGN_LEFT: m_rectText.left = xLeft; break;
        case ALIGN_RIGHT:
            xRight -= nTextWidth;
            m_rectText.left = xRight;
            break;
        case ALIGN_CENTER: xCenter -= nTextWidth / 2; break;
        default: finish(); return;
        }
        if (m_textAlignment != ALIGN_CENTER) {
            m_rectText.right = m_rectText.left + nTextWidth;
            HoldInside(m_rectText, rectClient, FALSE);
            m_rectDrawText = m_rectText;
        }
    } else {
        m_rectText.SetRectEmpty();
        m_rectDrawText.SetRectEmpty();
    }

    if (bImage && m_bmpAlignment == ALIGN_CENTER) {
        m_rectImage.left = xCenter;
        m_rectImage.right = xCenter + sizeImage.cx;
        xCenter = m_rectImage.right + nGap;
    }
    if (!m_strBtnText.IsEmpty() && m_btnAlignment == ALIGN_CENTER) {
        m_rectButton.left = xCenter;
        m_rectButton.right = xCenter + nBtnWidth;
        xCenter = m_rectButton.right + nGap;
    }
    if (!m_strText.IsEmpty() && m_textAlignment == ALIGN_CENTER) {
        m_rectText.left = xCenter;
        m_rectText.right = xCenter + nTextWidth;
        HoldInside(m_rectText, rectClient, FALSE);
        m_rectDrawText = m_rectText;
    }
    if (bImage) HoldInside(m_rectImage, rectClient, !m_bStretchImage);

    CRect rectButtonWork = m_rectButton;
    KeepApart(rectButtonWork, m_rectImage,
              m_bmpAlignment == ALIGN_RIGHT || (m_bmpAlignment == ALIGN_CENTER && m_btnAlignment == ALIGN_LEFT));
    if (!rectButtonWork.IsRectEmpty()) HoldInside(rectButtonWork, rectClient, FALSE);

    if (bImage)
        KeepApart(m_rectDrawText, m_rectImage,
                  m_bmpAlignment == ALIGN_RIGHT || (m_bmpAlignment == ALIGN_CENTER && m_textAlignment == ALIGN_LEFT));
    if (!m_strBtnText.IsEmpty())
        KeepApart(m_rectDrawText, rectButtonWork,
                  m_btnAlignment == ALIGN_RIGHT || (m_btnAlignment == ALIGN_CENTER && m_textAlignment == ALIGN_LEFT));
    finish();
}

CSize CKtvPCaptionBar::CalcFixedLayout(BOOL, BOOL)
{
    RecalcLayout();
    return CSize(32767, m_nCurrentHeight);
}

void CKtvPCaptionBar::OnEraseBarBackground(CDC* pDC, CRect rectClient)
{
    CKtvPVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rectClient, rectClient, FALSE);
}

void CKtvPCaptionBar::OnDrawBarEdge(CDC* pDC, CRect rectBand)
{
    rectBand.InflateRect(2, 0);
    CKtvPVisualManager::GetInstance()->OnDrawCaptionBarBorder(pDC, this, rectBand, m_clrBarBorder, m_bFlatBorder);
}

void CKtvPCaptionBar::OnDrawBarText(CDC* pDC, CRect rectText, const CString& strText)
{
    pDC->DrawText(strText, rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

void CKtvPCaptionBar::OnDrawBarImage(CDC* pDC, CRect rectImage)
{
    if (m_hIcon != nullptr) {
        ::DrawIconEx(pDC->GetSafeHdc(), rectImage.left, rectImage.top, m_hIcon, rectImage.Width(),
                     rectImage.Height(), 0, nullptr, DI_NORMAL);
        return;
    }
    if (m_Bitmap.GetCount() <= 0) return;
    CKtvPDrawState ds;
    if (!m_Bitmap.PrepareDrawImage(ds, rectImage.Size())) return;
    m_Bitmap.Draw(pDC, rectImage.left, rectImage.top, 0);
    m_Bitmap.EndDrawImage(ds);
}

void CKtvPCaptionBar::OnDrawBarButton(CDC* pDC, CRect rectButton, const CString& strButton, BOOL bEnabled)
{
    const BOOL bLive = m_uiBtnID != 0 && bEnabled;
    CRect rectLabel = rectButton;
    rectLabel.DeflateRect(m_nHorzElementOffset, 0);
    if (bLive) rectLabel.right -= 10;
    pDC->DrawText(strButton, rectLabel, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);

    if (bLive) {
        CRect rectBox(rectLabel.right, rectButton.bottom - m_nMargin - 10, rectButton.right,
                      rectButton.bottom - m_nMargin);
        rectBox.DeflateRect(0, rectBox.Height() / 3);
        rectBox.DeflateRect(rectBox.Height() / 3, rectBox.Height() / 3);
        const int xCenter = (rectLabel.right + rectButton.right) / 2;
        POINT pts[3] = {{xCenter - 3, rectBox.top}, {xCenter + 3, rectBox.top}, {xCenter, rectBox.bottom + 1}};
        CBrush br(pDC->GetTextColor());
        CBrush* pOldBrush = pDC->SelectObject(&br);
        HGDIOBJ hOldPen = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(NULL_PEN));
        const int nOldFill = ::SetPolyFillMode(pDC->GetSafeHdc(), WINDING);
        pDC->Polygon(pts, 3);
        ::SetPolyFillMode(pDC->GetSafeHdc(), nOldFill);
        ::SelectObject(pDC->GetSafeHdc(), hOldPen);
        pDC->SelectObject(pOldBrush);
    }
    if (m_bIsBtnPressed || m_bIsBtnForcePressed)
        pDC->Draw3dRect(rectButton, globalData.clrBarDkShadow, globalData.clrBarHilite);
    else if (m_bIsBtnHighlighted)
        pDC->Draw3dRect(rectButton, globalData.clrBarHilite, globalData.clrBarDkShadow);
}

void CKtvPCaptionBar::SetBitmap(HBITMAP hBitmap, COLORREF clrTransparent, BOOL bStretch, int bmpAlignment)
{
    m_hIcon = nullptr;
    m_Bitmap.Clear();
    BITMAP bmp = {};
    ::GetObject(hBitmap, sizeof(bmp), &bmp);
    m_Bitmap.SetImageSize(CSize(bmp.bmWidth, bmp.bmHeight));
    m_clrTransparent = clrTransparent;
    if (m_Bitmap.GetTransparentColor() != clrTransparent) m_Bitmap.SetTransparentColor(clrTransparent);
    m_Bitmap.AddImage(hBitmap);
    m_bStretchImage = bStretch;
    m_bmpAlignment = bmpAlignment;
    AdjustLayout();
}

void CKtvPCaptionBar::RemoveBitmap()
{
    m_Bitmap.Clear();
    AdjustLayout();
}

void CKtvPCaptionBar::SetText(const CString& strText, int textAlignment)
{
    m_strText = strText;
    m_textAlignment = textAlignment;
    AdjustLayout();
}

void CKtvPCaptionBar::RemoveText()
{
    m_strText.Empty();
    AdjustLayout();
}

void CKtvPCaptionBar::SetIcon(HICON hIcon, int iconAlignment)
{
    m_Bitmap.Clear();
    m_hIcon = hIcon;
    m_bmpAlignment = iconAlignment;
    AdjustLayout();
}

void CKtvPCaptionBar::RemoveIcon()
{
    m_hIcon = nullptr;
    AdjustLayout();
}

void CKtvPCaptionBar::SetButton(LPCTSTR lpszLabel, UINT uiCmdUI, int btnAlignment)
{
    m_strBtnText = lpszLabel == nullptr ? _T("") : lpszLabel;
    m_uiBtnID = uiCmdUI;
    m_btnAlignment = btnAlignment;
    AdjustLayout();
}

void CKtvPCaptionBar::RemoveButton()
{
    m_strBtnText.Empty();
    m_uiBtnID = 0;
    m_bIsBtnPressed = m_bIsBtnHighlighted = FALSE;
    AdjustLayout();
}

void CKtvPCaptionBar::EnableButton(BOOL bEnable)
{
    m_bBtnEnabled = bEnable;
    AdjustLayout();
}

void CKtvPCaptionBar::SetButtonPressed(BOOL bPresed)
{
    m_bIsBtnForcePressed = bPresed;
    AdjustLayout();
    RedrawButton();
}

void CKtvPCaptionBar::RedrawButton()
{
    if (GetSafeHwnd() == nullptr) return;
    RedrawWindow(m_rectButton, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

int CKtvPCaptionBar::OnCreate(LPCREATESTRUCT lpCreateStruct) { return CKtvPControlBar::OnCreate(lpCreateStruct); }

// The client area is painted whole in OnPaint.
BOOL CKtvPCaptionBar::OnEraseBkgnd(CDC*) { return TRUE; }
void CKtvPCaptionBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (CKtvPToolBar::m_bCustomizeMode) {
        CKtvPControlBar::OnRButtonUp(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    CWnd* pTarget = GetOwner();
    if (pTarget == nullptr) pTarget = GetParent();
    if (pTarget != nullptr)
        pTarget->SendMessage(KTVM_TOOLBARMENU, (WPARAM)GetSafeHwnd(), MAKELPARAM(point.x, point.y));
}

void CKtvPCaptionBar::OnPaint()
{
    CPaintDC dcPaint(this);
    CKtvPMemDC memDC(dcPaint, this);
    CDC* pDC = &memDC.GetDC();
    CRect rectClient;
    GetClientRect(rectClient);
    OnEraseBarBackground(pDC, rectClient);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrText = m_clrBarText != (COLORREF)-1
                                 ? m_clrBarText
                                 : CKtvPVisualManager::GetInstance()->GetCaptionBarTextColor(this);
    const COLORREF clrOldText = pDC->SetTextColor(clrText);
    HGDIOBJ hOldFont = ::SelectObject(pDC->GetSafeHdc(), GetBarFont());
    if (!m_strBtnText.IsEmpty()) OnDrawBarButton(pDC, m_rectButton, m_strBtnText, m_bBtnEnabled);
    if (!m_strText.IsEmpty()) OnDrawBarText(pDC, m_rectDrawText, m_strText);
    if (HasImage()) OnDrawBarImage(pDC, m_rectImage);
    ::SelectObject(pDC->GetSafeHdc(), hOldFont);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkMode(nOldMode);
}

void CKtvPCaptionBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    lpncsp->rgrc[0].top += m_nBorderSize;
    lpncsp->rgrc[0].bottom -= m_nBorderSize;
}

void CKtvPCaptionBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    CRect rectClient;
    GetClientRect(rectClient);
    ClientToScreen(rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(rectClient);
    CRect rectBottom = rectWindow;
    rectBottom.top = rectBottom.bottom - m_nBorderSize;
    OnDrawBarEdge(&dc, rectBottom);
    CRect rectTop = rectWindow;
    rectTop.bottom = rectTop.top + m_nBorderSize;
    OnDrawBarEdge(&dc, rectTop);
}

void CKtvPCaptionBar::OnSize(UINT nType, int cx, int cy)
{
    CKtvPControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
    Invalidate();
}

void CKtvPCaptionBar::OnMouseMove(UINT nFlags, CPoint point)
{
    CKtvPControlBar::OnMouseMove(nFlags, point);
    if (!IsButtonLive()) return;
    const BOOL bHot = m_rectButton.PtInRect(point);
    if (bHot != m_bIsBtnHighlighted) {
        m_bIsBtnHighlighted = bHot;
        m_bIsBtnPressed = bHot && (nFlags & MK_LBUTTON) != 0;
        RedrawButton();
    }
    ktvbox::TrackMouseLeave(this, m_bTracked);
}

void CKtvPCaptionBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CKtvPControlBar::OnLButtonDown(nFlags, point);
    if (!IsButtonLive() || !m_bIsBtnHighlighted) return;
    m_bIsBtnPressed = TRUE;
    RedrawButton();
    CWnd* pTarget = GetOwner();
    if (pTarget == nullptr) pTarget = GetParent();
    if (pTarget != nullptr) pTarget->SendMessage(WM_COMMAND, m_uiBtnID, 0);
}

void CKtvPCaptionBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (IsButtonLive() && m_bIsBtnPressed) {
        m_bIsBtnPressed = FALSE;
        RedrawButton();
    }
    CKtvPControlBar::OnLButtonUp(nFlags, point);
}

void CKtvPCaptionBar::OnMouseLeave()
{
    m_bTracked = FALSE;
    if (m_bIsBtnPressed || m_bIsBtnHighlighted) {
        m_bIsBtnPressed = FALSE;
        m_bIsBtnHighlighted = FALSE;
        RedrawButton();
    }
}

LRESULT CKtvPCaptionBar::OnSetFont(WPARAM wParam, LPARAM)
{
    m_hFont = (HFONT)wParam;
    AdjustLayout();
    return 0;
}

LRESULT CKtvPCaptionBar::OnGetFont(WPARAM, LPARAM) { return (LRESULT)m_hFont; }
