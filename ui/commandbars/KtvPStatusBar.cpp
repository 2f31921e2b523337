#include "ui/commandbars/KtvPStatusBar.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_DYNAMIC(CKtvPStatusBar, CKtvPControlBar)

BEGIN_MESSAGE_MAP(CKtvPStatusBar, CKtvPControlBar)
    ON_WM_CREATE()
    ON_WM_NCHITTEST()
    ON_WM_SYSCOMMAND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_WM_SETTINGCHANGE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_STYLECHANGED, OnStyleChanged)
END_MESSAGE_MAP()

namespace {

// Gap between a pane's text and its image, and the border ring a pane adds.
constexpr int kImageTextGap = 4;
constexpr int kPaneBorders = 4;
constexpr UINT kDrawTextFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

// The width a pane was given: text and image, with the gap between them when both are there.
int ContentWidth(const CKtvPStatusBarPaneInfo& pane)
{
    int cx = pane.cxText + pane.cxIcon;
    if (pane.cxText > 0 && pane.cxIcon > 0) {
        cx += kImageTextGap;
    }
    return cx;
}

LPTSTR CopyText(LPCTSTR lpszText)
{
    const size_t len = std::strlen(lpszText);
    auto* copy = static_cast<LPTSTR>(std::malloc(len + 1));
    if (copy != nullptr) {
        std::memcpy(copy, lpszText, len + 1);
    }
    return copy;
}

BOOL IsEmptyText(LPCTSTR lpszText) { return lpszText == nullptr || lpszText[0] == '\0'; }

}  // namespace

CKtvPStatusBar::CKtvPStatusBar()
{
    m_cxLeftBorder = 4;
    m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
    m_rectSizeBox.SetRectEmpty();
}

// A window's panes are released at WM_DESTROY; a bar that never had one still
// owns what SetIndicators gave its panes.
CKtvPStatusBar::~CKtvPStatusBar()
{
    for (int i = 0; i < m_nCount; i++) {
        ReleasePaneData(GetPanes()[i]);
    }
}

void CKtvPStatusBar::ReleasePaneData(CKtvPStatusBarPaneInfo& pane)
{
    std::free(pane.lpszText);
    pane.lpszText = nullptr;
    std::free(pane.lpszToolTip);
    pane.lpszToolTip = nullptr;
    if (pane.hImage != nullptr) {
        ImageList_Destroy(pane.hImage);
        pane.hImage = nullptr;
    }
    pane.nFrameCount = 0;
    pane.nCurrFrame = 0;
}

CRect CKtvPStatusBar::ContentRect(const CKtvPStatusBarPaneInfo& pane)
{
    CRect rect(pane.rect);
    if (pane.nStyle & SBPS_NOBORDERS) {
        rect.top -= 1;
    } else {
        rect.DeflateRect(1, 1);
    }
    return rect;
}

// --- creation ------------------------------------------------------------------------------------

BOOL CKtvPStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CKtvPStatusBar::CreateEx(CWnd* pParentWnd, DWORD /*dwCtrlStyle*/, DWORD dwStyle, UINT nID)
{
    SetBarAlignment(dwStyle & CBRS_ALL);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1), nullptr);

    DWORD dwWndStyle = dwStyle | WS_CLIPSIBLINGS;
    if (pParentWnd != nullptr && (pParentWnd->GetStyle() & WS_THICKFRAME) != 0) {
        dwWndStyle |= SBARS_SIZEGRIP;
    }
    // Docking style 0: the bar never floats, auto-hides, resizes or closes.
    if (!CKtvPControlBar::CreateEx(0, lpszClass, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID, 0)) {
        return FALSE;
    }

    if (CKtvPFrameHooks* pHooks = KtvGetFrameHooks(pParentWnd)) {
        pHooks->AddControlBar(this, TRUE);
    } else if (pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CDialog))) {
        globalUtils.m_bDialogParent = TRUE;
    }
    return TRUE;
}

BOOL CKtvPStatusBar::PreCreateWindow(CREATESTRUCT& cs)
{
    // A bottom bar draws no border line of its own.
    if ((m_dwStyle & 0xFF00) == CBRS_BOTTOM) {
        m_dwStyle &= ~0x0F80u;
    }
    return CKtvPControlBar::PreCreateWindow(cs);
}

int CKtvPStatusBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPControlBar::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    if (GetBarStyle() & CBRS_TOOLTIPS) {
        EnableToolTips(TRUE);
    }
    return 0;
}

// The dock manager never puts another bar in front of the status bar.
BOOL CKtvPStatusBar::AllowsInsertBefore() const { return FALSE; }

// --- panes ---------------------------------------------------------------------------------------

int CKtvPStatusBar::GetPaneIndex(int nIndex) const
{
    if (m_pData == nullptr) {
        return -1;
    }
    if (nIndex == 255 && m_nCount < 255) {
        for (int i = 0; i < m_nCount; i++) {
            if (GetPanes()[i].nStyle & SBPS_STRETCH) {
                return i;
            }
        }
        return -1;
    }
    return nIndex >= 0 && nIndex < m_nCount ? nIndex : -1;
}

CKtvPStatusBarPaneInfo* CKtvPStatusBar::GetPaneByIndex(int nIndex) const
{
    const int i = GetPaneIndex(nIndex);
    return i < 0 ? nullptr : &GetPanes()[i];
}

BOOL CKtvPStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    for (int i = 0; i < m_nCount; i++) {
        SetPaneText(i, nullptr, FALSE);
        SetPaneIcon(i, nullptr, FALSE);
        std::free(GetPanes()[i].lpszToolTip);
        GetPanes()[i].lpszToolTip = nullptr;
    }
    if (!AllocElements(nIDCount, sizeof(CKtvPStatusBarPaneInfo))) {
        return FALSE;
    }

    BOOL bResult = TRUE;
    if (lpIDArray != nullptr) {
        HDC hdcScreen = ::GetDC(nullptr);
        HGDIOBJ hOldFont = ::SelectObject(hdcScreen, GetBarFont());
        for (int i = 0; i < nIDCount && bResult; i++) {
            CKtvPStatusBarPaneInfo& pane = GetPanes()[i];
            pane.nID = lpIDArray[i];
            pane.clrText = (COLORREF)-1;
            pane.clrBackground = (COLORREF)-1;
            pane.nProgressTotal = -1;
            pane.clrProgressBar = (COLORREF)-1;
            pane.clrProgressBarDest = (COLORREF)-1;
            pane.clrProgressText = (COLORREF)-1;
            if (pane.nID == 0) {
                pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
                if (i == 0) {
                    pane.nStyle |= SBPS_NOBORDERS | SBPS_STRETCH;
                }
                continue;
            }
            CString strText;
            if (!strText.LoadString(pane.nID)) {
                bResult = FALSE;
                break;
            }
            SIZE size{};
            ::GetTextExtentPoint32(hdcScreen, strText, strText.GetLength(), &size);
            pane.cxText = size.cx;
            bResult = SetPaneText(i, strText, FALSE);
        }
        ::SelectObject(hdcScreen, hOldFont);
        ::ReleaseDC(nullptr, hdcScreen);
    }
    RecalcLayout();
    return bResult;
}

int CKtvPStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < m_nCount && m_pData != nullptr; i++) {
        if (GetPanes()[i].nID == nIDFind) {
            return i;
        }
    }
    return -1;
}

UINT CKtvPStatusBar::GetPaneStyle(int nIndex) const
{
    const CKtvPStatusBarPaneInfo* pPane = GetPaneByIndex(nIndex);
    return pPane != nullptr ? pPane->nStyle : 0;
}

void CKtvPStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    CKtvPStatusBarPaneInfo* pPane = GetPaneByIndex(nIndex);
    if (pPane == nullptr || pPane->nStyle == nStyle) {
        return;
    }
    pPane->nStyle = nStyle;
    if (GetSafeHwnd() != nullptr) {
        InvalidateRect(&pPane->rect, FALSE);
        UpdateWindow();
    }
}

// The width reported is the one the pane was given, so that it goes back
// through SetPaneInfo unchanged, whether or not the bar has been laid out.
void CKtvPStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    const CKtvPStatusBarPaneInfo* pPane = GetPaneByIndex(nIndex);
    if (pPane == nullptr) {
        return;
    }
    nID = pPane->nID;
    nStyle = pPane->nStyle;
    cxWidth = ContentWidth(*pPane);
}

void CKtvPStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    CKtvPStatusBarPaneInfo* pPane = GetPaneByIndex(nIndex);
    if (pPane == nullptr) {
        return;
    }
    pPane->nID = nID;
    SetPaneStyle(nIndex, nStyle);
    SetPaneWidth(nIndex, cxWidth);
}

void CKtvPStatusBar::SetPaneWidth(int nIndex, int cx)
{
    CKtvPStatusBarPaneInfo* pPane = GetPaneByIndex(nIndex);
    if (pPane == nullptr) {
        return;
    }
    const int cxText = std::max(0, cx - pPane->cxIcon - (pPane->cxIcon > 0 ? kImageTextGap : 0));
    const BOOL bChanged = cxText != pPane->cxText || cx != CRect(pPane->rect).Width() - kPaneBorders;
    pPane->cxText = cxText;
    if (bChanged) {
        RelayoutAndRepaint();
    }
}

BOOL CKtvPStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    const int i = GetPaneIndex(nIndex);
    if (i < 0) {
        return FALSE;
    }
    CKtvPStatusBarPaneInfo& pane = GetPanes()[i];
    if (pane.lpszText != nullptr) {
        if (lpszNewText != nullptr && std::strcmp(pane.lpszText, lpszNewText) == 0) {
            return TRUE;
        }
        std::free(pane.lpszText);
        pane.lpszText = nullptr;
    } else if (IsEmptyText(lpszNewText)) {
        return TRUE;
    }

    BOOL bResult = TRUE;
    if (!IsEmptyText(lpszNewText)) {
        pane.lpszText = CopyText(lpszNewText);
        bResult = pane.lpszText != nullptr;
    }
    if (bUpdate) {
        RedrawPaneContent(i);
    }
    return bResult;
}

void CKtvPStatusBar::SetPaneIcon(int nIndex, HICON hIcon, BOOL bUpdate)
{
    const int i = GetPaneIndex(nIndex);
    if (i < 0) {
        return;
    }
    SetPaneAnimation(i, nullptr, 0, FALSE);
    CKtvPStatusBarPaneInfo& pane = GetPanes()[i];
    if (pane.hImage != nullptr) {
        ImageList_Destroy(pane.hImage);
        pane.hImage = nullptr;
    }
    if (hIcon == nullptr) {
        // The image's size stays, so its place stays reserved.
        if (bUpdate) {
            RedrawPaneContent(i);
        }
        return;
    }

    ICONINFO info{};
    if (!::GetIconInfo(hIcon, &info)) {
        return;
    }
    BITMAP bmp{};
    if (info.hbmColor != nullptr) {
        ::GetObject(info.hbmColor, sizeof bmp, &bmp);
    } else if (info.hbmMask != nullptr) {
        // A monochrome icon keeps its image and its mask in one bitmap twice as high.
        ::GetObject(info.hbmMask, sizeof bmp, &bmp);
        bmp.bmHeight /= 2;
    }
    if (info.hbmColor != nullptr) {
        ::DeleteObject(info.hbmColor);
    }
    if (info.hbmMask != nullptr) {
        ::DeleteObject(info.hbmMask);
    }

    pane.cxIcon = bmp.bmWidth;
    pane.cyIcon = bmp.bmHeight;
    pane.hImage = ImageList_Create(pane.cxIcon, pane.cyIcon, ILC_MASK | ILC_COLORDDB, 1, 0);
    if (pane.hImage != nullptr) {
        ImageList_AddIcon(pane.hImage, hIcon);
    }
    RecalcLayout();
    if (bUpdate) {
        RedrawPaneContent(i);
    }
}

void CKtvPStatusBar::SetPaneAnimation(int nIndex, HIMAGELIST hImageList, UINT nFrameRate, BOOL bUpdate)
{
    const int i = GetPaneIndex(nIndex);
    if (i < 0) {
        return;
    }
    CKtvPStatusBarPaneInfo& pane = GetPanes()[i];
    if (pane.nFrameCount > 0 && GetSafeHwnd() != nullptr) {
        KillTimer(pane.nID);
    }
    if (pane.hImage != nullptr) {
        ImageList_Destroy(pane.hImage);
        pane.hImage = nullptr;
    }
    pane.nCurrFrame = 0;
    pane.nFrameCount = 0;

    const int nFrames = hImageList != nullptr ? ImageList_GetImageCount(hImageList) : 0;
    if (nFrames > 0) {
        ImageList_GetIconSize(hImageList, &pane.cxIcon, &pane.cyIcon);
        pane.hImage = ImageList_Create(pane.cxIcon, pane.cyIcon, ILC_MASK | ILC_COLORDDB, 1, 1);
        for (int frame = 0; frame < nFrames && pane.hImage != nullptr; frame++) {
            HICON hFrame = ImageList_GetIcon(hImageList, frame, ILD_TRANSPARENT);
            if (hFrame != nullptr) {
                ImageList_AddIcon(pane.hImage, hFrame);
                ::DestroyIcon(hFrame);
            }
        }
        pane.nFrameCount = pane.hImage != nullptr ? ImageList_GetImageCount(pane.hImage) : 0;
        RecalcLayout();
    }
    if (bUpdate) {
        RedrawPaneContent(i);
    }
    if (pane.nFrameCount > 0 && GetSafeHwnd() != nullptr) {
        SetTimer(pane.nID, nFrameRate, nullptr);
    }
}

void CKtvPStatusBar::SetPaneTipText(int nIndex, LPCTSTR pszTipText)
{
    CKtvPStatusBarPaneInfo* pPane = GetPaneByIndex(nIndex);
    if (pPane == nullptr) {
        return;
    }
    const BOOL bSame = pPane->lpszToolTip != nullptr ? (pszTipText != nullptr &&
                                                        std::strcmp(pPane->lpszToolTip, pszTipText) == 0)
                                                     : IsEmptyText(pszTipText);
    if (bSame) {
        return;
    }
    std::free(pPane->lpszToolTip);
    pPane->lpszToolTip = IsEmptyText(pszTipText) ? nullptr : CopyText(pszTipText);
    SetBarStyle(GetBarStyle() | CBRS_TOOLTIPS);
    if (GetSafeHwnd() != nullptr) {
        EnableToolTips(TRUE);
    }
}

void CKtvPStatusBar::RedrawPaneContent(int nIndex)
{
    const CKtvPStatusBarPaneInfo* pPane = GetPaneByIndex(nIndex);
    if (pPane == nullptr || GetSafeHwnd() == nullptr) {
        return;
    }
    const CRect rect = ContentRect(*pPane);
    InvalidateRect(rect, FALSE);
    UpdateWindow();
}

CKtvPStatusBarPaneInfo* CKtvPStatusBar::PaneFromPoint(CPoint pt)
{
    for (int i = 0; i < m_nCount; i++) {
        CKtvPStatusBarPaneInfo& pane = GetPanes()[i];
        if (CRect(pane.rect).PtInRect(pt)) {
            return &pane;
        }
    }
    return nullptr;
}

HFONT CKtvPStatusBar::GetBarFont() const
{
    return m_hFont != nullptr ? m_hFont : (HFONT)globalData.fontRegular.GetSafeHandle();
}

// --- layout --------------------------------------------------------------------------------------

void CKtvPStatusBar::RelayoutAndRepaint()
{
    RecalcLayout();
    if (GetSafeHwnd() != nullptr) {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void CKtvPStatusBar::RecalcLayout()
{
    if (GetSafeHwnd() == nullptr) {
        return;
    }
    CRect rect;
    GetClientRect(rect);
    CalcInsideRect(rect, TRUE);

    m_cxSizeBox = std::max(0, std::min(::GetSystemMetrics(SM_CXVSCROLL) + 1, rect.Height()));
    CWnd* pFrame = KtvGetParentFrame(this);
    if ((pFrame != nullptr && pFrame->IsZoomed()) || (GetStyle() & SBARS_SIZEGRIP) == 0) {
        m_cxSizeBox = 0;
    }
    rect.right -= m_cxSizeBox;
    const int xLimit = m_cxSizeBox > 0 ? rect.right : rect.right + m_cxRightBorder + 1;

    int cxSpare = rect.Width() + m_cxDefaultGap;
    for (int i = 0; i < m_nCount; i++) {
        const CKtvPStatusBarPaneInfo& pane = GetPanes()[i];
        cxSpare -= pane.cxText + pane.cxIcon + m_cxDefaultGap + kPaneBorders;
        if (pane.cxText > 0 && pane.cxIcon > 0) {
            cxSpare -= kImageTextGap;
        }
    }

    int x = rect.left;
    for (int i = 0; i < m_nCount; i++) {
        CKtvPStatusBarPaneInfo& pane = GetPanes()[i];
        if (x >= xLimit) {
            ::SetRectEmpty(&pane.rect);
            continue;
        }
        int cx = ContentWidth(pane);
        if ((pane.nStyle & SBPS_STRETCH) && cxSpare > 0) {
            cx += cxSpare;
            cxSpare = 0;
        }
        pane.rect = CRect(x, rect.top, std::min(x + cx + kPaneBorders, xLimit), rect.bottom);
        x = pane.rect.right + m_cxDefaultGap;
    }

    // The grip sits in the bottom-right corner, where its hit test answers,
    // also when the panes leave room before it.
    if (m_cxSizeBox > 0) {
        const int cxBox = std::min(m_cxSizeBox, m_cyTopBorder + rect.Height());
        m_rectSizeBox.SetRect(rect.right, rect.top, rect.right + cxBox, rect.bottom);
    } else {
        m_rectSizeBox.SetRectEmpty();
    }
}

CSize CKtvPStatusBar::CalcFixedLayout(BOOL /*bStretch*/, BOOL bHorz)
{
    HDC hdcScreen = ::GetDC(nullptr);
    HGDIOBJ hOldFont = ::SelectObject(hdcScreen, GetBarFont());
    TEXTMETRIC tm{};
    ::GetTextMetrics(hdcScreen, &tm);
    ::SelectObject(hdcScreen, hOldFont);
    ::ReleaseDC(nullptr, hdcScreen);

    int cyContent = tm.tmHeight;
    for (int i = 0; i < m_nCount; i++) {
        cyContent = std::max(cyContent, GetPanes()[i].cyIcon);
    }
    CRect rectBorders(0, 0, 0, 0);
    CalcInsideRect(rectBorders, bHorz);
    return CSize(32767, cyContent - rectBorders.Height() + 4);
}

// --- painting ------------------------------------------------------------------------------------

void CKtvPStatusBar::DoPaint(CDC* pDCPaint)
{
    CRect rectClip;
    const int nClip = pDCPaint->GetClipBox(rectClip);
    CKtvPMemDC memDC(*pDCPaint, this);
    CDC* pDC = &memDC.GetDC();
    if (memDC.IsMemDC() && nClip == SIMPLEREGION) {
        // Panes outside what is being painted are skipped in the memory DC too.
        pDC->IntersectClipRect(rectClip);
    }

    CKtvPControlBar::DoPaint(pDC);

    CFont* pOldFont = pDC->SelectObject(CFont::FromHandle(GetBarFont()));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOldText = pDC->SetTextColor(globalData.clrBtnText);
    const COLORREF clrOldBk = pDC->SetBkColor(globalData.clrBtnFace);

    for (int i = 0; i < m_nCount; i++) {
        OnDrawPane(pDC, &GetPanes()[i]);
    }

    pDC->SelectObject(pOldFont);
    if (!m_rectSizeBox.IsRectEmpty()) {
        CKtvPVisualManager::GetInstance()->OnDrawStatusBarSizeBox(pDC, this, m_rectSizeBox);
    }
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
    pDC->SetBkMode(nOldMode);
}

void CKtvPStatusBar::OnDrawPane(CDC* pDC, CKtvPStatusBarPaneInfo* pPane)
{
    CRect rect(pPane->rect);
    if (rect.IsRectEmpty() || !pDC->RectVisible(rect)) {
        return;
    }
    if (pPane->clrBackground != (COLORREF)-1) {
        CBrush brush(pPane->clrBackground);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        pDC->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATCOPY);
        pDC->SelectObject(pOldBrush);
    }
    CKtvPVisualManager::GetInstance()->OnDrawStatusBarPaneBorder(pDC, this, rect, pPane->nID, pPane->nStyle);
    if ((pPane->nStyle & SBPS_NOBORDERS) == 0) {
        rect.DeflateRect(2, 1);
    }

    if (pPane->hImage != nullptr && pPane->cxIcon > 0) {
        const int y = rect.top + std::max(0, (rect.Height() - pPane->cyIcon) / 2);
        ImageList_DrawEx(pPane->hImage, pPane->nCurrFrame, pDC->GetSafeHdc(), rect.left, y, pPane->cxIcon,
                         pPane->cyIcon, CLR_NONE, CLR_DEFAULT, ILD_NORMAL);
    }

    CRect rectText(rect);
    if (pPane->cxIcon > 0) {
        rectText.left += pPane->cxIcon + kImageTextGap;
    }

    if (pPane->nProgressTotal > 0) {
        CRect rectProgress(rectText);
        rectProgress.DeflateRect(1, 1);
        const COLORREF clrBar =
            pPane->clrProgressBar == (COLORREF)-1 ? globalData.clrHilite : pPane->clrProgressBar;
        CKtvPVisualManager::GetInstance()->OnDrawStatusBarProgress(
            pDC, this, rectProgress, pPane->nProgressTotal, pPane->nProgressCurr, clrBar,
            pPane->clrProgressBarDest, pPane->clrProgressText, pPane->bProgressText);
        return;
    }

    // Text goes wherever there is room for it, also in a pane that was given
    // no text width of its own but stretches.
    if (pPane->lpszText == nullptr || rectText.IsRectEmpty()) {
        return;
    }
    COLORREF clrText = pPane->clrText != (COLORREF)-1 ? pPane->clrText : globalData.clrBtnText;
    if (pPane->nStyle & SBPS_DISABLED) {
        clrText = globalData.clrGrayedText;
    }
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    pDC->DrawText(pPane->lpszText, -1, rectText, kDrawTextFlags);
    pDC->SetTextColor(clrOld);
}

// --- tooltips and command update ----------------------------------------------------------------

INT_PTR CKtvPStatusBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    INT_PTR nHit = CKtvPControlBar::OnToolHitTest(point, pTI);
    if (nHit == -1) {
        const CKtvPStatusBarPaneInfo* pPane = const_cast<CKtvPStatusBar*>(this)->PaneFromPoint(point);
        if (pPane != nullptr && pPane->lpszToolTip != nullptr) {
            nHit = pPane->nID;
            if (pTI != nullptr) {
                pTI->lpszText = CopyText(pPane->lpszToolTip);
                pTI->rect = pPane->rect;
                pTI->hwnd = m_hWnd;
                pTI->uId = 0;
            }
        }
    }
    HWND hToolTip = tw::mfc::CurrentThreadState().hToolTip;
    if (hToolTip != nullptr && ::IsWindow(hToolTip)) {
        ::SendMessage(hToolTip, WM_SETFONT, (WPARAM)globalData.fontTooltip.GetSafeHandle(), FALSE);
    }
    return nHit;
}

void CKtvPStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CKtvPStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_nCount;
    for (int i = 0; i < m_nCount; i++) {
        state.m_nIndex = (UINT)i;
        state.m_nID = GetPanes()[i].nID;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CKtvPStatusCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    auto* pBar = static_cast<CKtvPStatusBar*>(m_pOther);
    const UINT nStyle = pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
    pBar->SetPaneStyle((int)m_nIndex, bOn ? nStyle : nStyle | SBPS_DISABLED);
}

void CKtvPStatusCmdUI::SetCheck(int nCheck)
{
    auto* pBar = static_cast<CKtvPStatusBar*>(m_pOther);
    const UINT nStyle = pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
    pBar->SetPaneStyle((int)m_nIndex, nCheck != 0 ? nStyle | SBPS_POPOUT : nStyle);
}

void CKtvPStatusCmdUI::SetText(LPCTSTR lpszText)
{
    static_cast<CKtvPStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText, TRUE);
}

// --- messages ------------------------------------------------------------------------------------

LRESULT CKtvPStatusBar::OnNcHitTest(CPoint point)
{
    if (m_cxSizeBox > 0) {
        CRect rect;
        GetClientRect(rect);
        CalcInsideRect(rect, TRUE);
        rect.left = rect.right - std::min(m_cxSizeBox - 1, rect.Height());
        CPoint ptClient(point);
        ScreenToClient(&ptClient);
        if (rect.PtInRect(ptClient)) {
            return HTBOTTOMRIGHT;
        }
    }
    return CKtvPControlBar::OnNcHitTest(point);
}

void CKtvPStatusBar::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == SC_SIZE && m_cxSizeBox > 0) {
        if (CWnd* pFrame = KtvGetParentFrame(this)) {
            pFrame->SendMessage(WM_SYSCOMMAND, (WPARAM)nID, lParam);
            return;
        }
    }
    CKtvPControlBar::OnSysCommand(nID, lParam);
}

void CKtvPStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CKtvPBaseControlBar::OnSize(nType, cx, cy);
    RelayoutAndRepaint();
}

LRESULT CKtvPStatusBar::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = (HFONT)wParam;
    RecalcLayout();
    if (lParam != 0) {
        Invalidate(TRUE);
        UpdateWindow();
    }
    return 0;
}

LRESULT CKtvPStatusBar::OnGetFont(WPARAM, LPARAM) { return (LRESULT)GetBarFont(); }

LRESULT CKtvPStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    const int i = CommandToIndex(0);
    if (i < 0) {
        return FALSE;
    }
    return SetPaneText(i, reinterpret_cast<LPCTSTR>(lParam), TRUE) ? TRUE : FALSE;
}

// The window-text contract: the characters copied, at most the buffer size
// less the terminator, never half a UTF-8 sequence.
LRESULT CKtvPStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    const size_t cchBuffer = (size_t)wParam;
    auto* lpszBuffer = reinterpret_cast<LPTSTR>(lParam);
    if (cchBuffer == 0 || lpszBuffer == nullptr) {
        return 0;
    }
    const int i = CommandToIndex(0);
    LPCTSTR lpszText = i >= 0 ? GetPanes()[i].lpszText : nullptr;
    size_t cch = lpszText != nullptr ? std::strlen(lpszText) : 0;
    if (cch > cchBuffer - 1) {
        cch = cchBuffer - 1;
        while (cch > 0 && (static_cast<unsigned char>(lpszText[cch]) & 0xC0) == 0x80) {
            cch--;
        }
    }
    if (cch > 0) {
        std::memcpy(lpszBuffer, lpszText, cch);
    }
    lpszBuffer[cch] = '\0';
    return (LRESULT)cch;
}

LRESULT CKtvPStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    const int i = CommandToIndex(0);
    if (i < 0 || GetPanes()[i].lpszText == nullptr) {
        return 0;
    }
    return (LRESULT)std::strlen(GetPanes()[i].lpszText);
}

void CKtvPStatusBar::OnSettingChange(UINT, LPCTSTR) { RecalcLayout(); }

void CKtvPStatusBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_bPaneDoubleClick) {
        if (const CKtvPStatusBarPaneInfo* pPane = PaneFromPoint(point)) {
            CWnd* pOwner = GetOwner();
            if (pOwner == nullptr) {
                pOwner = GetParent();
            }
            if (pOwner != nullptr) {
                pOwner->PostMessage(WM_COMMAND, pPane->nID, 0);
            }
        }
    }
    CKtvPControlBar::OnLButtonDblClk(nFlags, point);
}

void CKtvPStatusBar::OnTimer(UINT_PTR nIDEvent)
{
    Default();
    const int i = CommandToIndex((UINT)nIDEvent);
    if (i < 0 || GetPanes()[i].nFrameCount <= 0) {
        return;
    }
    CKtvPStatusBarPaneInfo& pane = GetPanes()[i];
    pane.nCurrFrame = (pane.nCurrFrame + 1) % pane.nFrameCount;

    CRect rect = ContentRect(pane);
    rect.right = rect.left + pane.cxIcon;
    InvalidateRect(rect, FALSE);
    UpdateWindow();
    ClientToScreen(rect);
    CKtvPPopupMenu::UpdateAllShadows(rect);
}

void CKtvPStatusBar::OnDestroy()
{
    for (int i = 0; i < m_nCount; i++) {
        SetPaneText(i, nullptr, FALSE);
        SetPaneTipText(i, nullptr);
        SetPaneIcon(i, nullptr, FALSE);
    }
    CKtvPControlBar::OnDestroy();
}

LRESULT CKtvPStatusBar::OnStyleChanged(WPARAM wParam, LPARAM lParam)
{
    Default();
    const auto* pStyles = reinterpret_cast<const STYLESTRUCT*>(lParam);
    if ((int)wParam == GWL_STYLE && pStyles != nullptr && (pStyles->styleNew & SBARS_SIZEGRIP) != 0 &&
        (pStyles->styleOld & SBARS_SIZEGRIP) == 0) {
        RecalcLayout();
    }
    return 0;
}
