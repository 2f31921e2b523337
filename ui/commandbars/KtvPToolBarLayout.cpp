// Toolbar layout: the sizes the docking framework asks for, the wrap flags
// that break the buttons into rows, and the rectangle of every button,
// including the customize button that collects the buttons that do not fit.
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPDropDownToolBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

namespace {

const int kRowGap = 5;
const int kUnlimited = 32767;


// Selects a font into a DC for the life of the object.
class CFontSelection {
public:
    CFontSelection(CDC& dc, CFont* pFont) : m_dc(dc), m_pOld(dc.SelectObject(pFont)) {}
    ~CFontSelection() { m_dc.SelectObject(m_pOld); }
    CFontSelection(const CFontSelection&) = delete;
    CFontSelection& operator=(const CFontSelection&) = delete;

private:
    CDC& m_dc;
    CFont* m_pOld;
};

}  // namespace

CSize CKtvPToolBar::GetCellSize() const
{
    CSize size;
    if (m_bLocked)
        size = m_bLargeIconsAreEnabled ? m_sizeCurButtonLocked : m_sizeButtonLocked;
    else
        size = m_bLargeIconsAreEnabled ? m_sizeCurButton : m_sizeButton;
    if (!m_bSizeFromButtons) {
        if (m_bLocked)
            size = m_bLargeIconsAreEnabled ? m_sizeCurImageLocked : m_sizeImageLocked;
        else
            size = m_bLargeIconsAreEnabled ? m_sizeCurImage : m_sizeImage;
    }
    if (IsButtonExtraSizeAvailable())
        size += CKtvPVisualManager::GetInstance()->GetButtonExtraBorder();
    return size;
}

CFont* CKtvPToolBar::GetBarFont(BOOL bVert) const
{
    if (bVert)
        return &globalData.fontVertDown;
    if (IsDialogControl())
        return CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT));
    return &globalData.fontRegular;
}

int CKtvPToolBar::GetRowHeight() const
{
    int nHeight;
    if (m_bMenuMode) {
        nHeight = GetMenuButtonSize().cy;
    } else {
        nHeight = GetCellSize().cy;
        if (m_bDrawTextLabels)
            nHeight = m_nMaxBtnHeight;
    }
    const int nTextHeight = IsHorizontal() ? globalData.m_nTextHeight : globalData.m_nVertTextHeight;
    return std::max(nHeight, nTextHeight);
}

int CKtvPToolBar::GetColumnWidth() const
{
    if (m_bMenuMode)
        return GetMenuButtonSize().cx;
    return GetCellSize().cx;
}

CSize CKtvPToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
}

CSize CKtvPToolBar::CalcLayout(DWORD dwMode, int nLength)
{
    if (m_pCustomizeBtn != nullptr)
        m_pCustomizeBtn->m_bIsEmpty = FALSE;
    m_nMaxBtnHeight = CalcMaxButtonHeight();

    const BOOL bHorz = (dwMode & LM_HORZ) != 0;
    const DWORD dwStyle = GetBarStyle();

    if (!(dwStyle & CBRS_SIZE_FIXED)) {
        BOOL bVert = FALSE;
        int nChosen;
        if (!(dwStyle & CBRS_SIZE_DYNAMIC)) {
            nChosen = bHorz ? kUnlimited : 0;
        } else if (dwMode & LM_MRUWIDTH) {
            nChosen = m_nMRUWidth;
        } else if (dwMode & LM_HORZDOCK) {
            nChosen = kUnlimited;
        } else if (dwMode & LM_VERTDOCK) {
            nChosen = 0;
        } else if (nLength != -1) {
            CRect rectBorders;
            CalcInsideRect(rectBorders, bHorz);
            if (dwMode & LM_LENGTHY) {
                bVert = TRUE;
                nChosen = nLength + rectBorders.Height();
            } else {
                nChosen = nLength + rectBorders.Width();
            }
        } else {
            nChosen = (dwStyle & CBRS_FLOATING) ? m_nMRUWidth : (bHorz ? kUnlimited : 0);
        }
        SizeToolBar(nChosen, bVert);
    }

    CSize size = CalcMaxButtonSize(!bHorz);
    if (m_pCustomizeBtn != nullptr && m_pCustomizeBtn->m_iCustomizeCmdId <= 0 &&
        m_pCustomizeBtn->m_lstHiddenButtons.IsEmpty()) {
        m_pCustomizeBtn->m_bIsEmpty = TRUE;
        size = CalcMaxButtonSize(!bHorz);
    }

    if ((dwMode & LM_COMMIT) && (dwStyle & CBRS_FLOATING) && (dwStyle & CBRS_SIZE_DYNAMIC) && bHorz)
        m_nMRUWidth = size.cx;

    CRect rectBorders;
    CalcInsideRect(rectBorders, bHorz);
    size.cx -= rectBorders.Width();
    size.cy -= rectBorders.Height();

    if (dwMode & LM_STRETCH) {
        if (bHorz)
            size.cx = std::max<LONG>(size.cx, kUnlimited);
        else
            size.cy = std::max<LONG>(size.cy, kUnlimited);
    }

    RebuildAccelerationKeys();
    return size;
}

CSize CKtvPToolBar::CalcLayoutForLength(int nLength, BOOL bVert)
{
    if (m_pCustomizeBtn != nullptr)
        m_pCustomizeBtn->m_bIsEmpty = FALSE;
    m_nMaxBtnHeight = CalcMaxButtonHeight();
    SizeToolBar(nLength, bVert);
    CSize size = CalcMaxButtonSize(!IsHorizontal());
    if (GetParentDockBar() == nullptr)
        m_nMRUWidth = IsHorizontal() ? size.cx : size.cy;
    return size;
}

int CKtvPToolBar::WrapToolBar(int nWidth, int nHeight)
{
    CClientDC dc(this);
    CFontSelection font(dc, GetBarFont(!IsHorizontal()));

    const CSize sizeCell(GetColumnWidth(), GetRowHeight());
    if (m_pCustomizeBtn != nullptr && IsHorizontal() && !IsFloating())
        nWidth -= m_pCustomizeBtn->OnCalculateSize(&dc, sizeCell, TRUE).cx;

    CRect rectClient;
    GetClientRect(&rectClient);
    int y = rectClient.top;
    int x = 0;
    int nRows = 0;
    const int nLimit = IsFloating() ? kUnlimited : nHeight;

    CKtvPToolbarButton* pPrev = nullptr;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton == m_pCustomizeBtn)
            break;
        pButton->m_bRowBreak = FALSE;
        CSize size = pButton->OnCalculateSize(&dc, sizeCell, TRUE);
        if (IsSeparatorButton(pButton) && x == 0)
            size = CSize(0, 0);
        if (x + size.cx > nWidth && !IsSeparatorButton(pButton) && pPrev != nullptr && y + size.cy < nLimit) {
            y += size.cy + kRowGap;
            nRows++;
            pPrev->m_bRowBreak = TRUE;
            x = 0;
        }
        x += size.cx;
        pPrev = pButton;
    }
    return nRows + 1;
}

int CKtvPToolBar::SizeToolBar(int nLength, BOOL bVert)
{
    int nWidthFound;
    if (bVert) {
        WrapToolBar(kUnlimited, kUnlimited);
        CSize size = CalcMaxButtonSize(FALSE);
        nWidthFound = size.cx;
        if (size.cy < nLength) {
            // Never narrower than one cell per step; stops once everything fits the height.
            const int nStep = std::max(1, GetColumnWidth());
            for (int nWidth = 0;;) {
                nWidth += nStep;
                WrapToolBar(nWidth, kUnlimited);
                size = CalcMaxButtonSize(FALSE);
                if (size.cy <= nLength || nWidth >= kUnlimited)
                    break;
            }
            nWidthFound = size.cx;
        }
    } else {
        const int nRowsMin = WrapToolBar(0);
        const int nRowsAt = WrapToolBar(nLength);
        if (nRowsMin != nRowsAt) {
            int lo = 0;
            int hi = nLength;
            for (;;) {
                const int mid = (lo + hi) / 2;
                if (WrapToolBar(mid) == nRowsAt) {
                    hi = mid;
                } else if (lo == mid) {
                    WrapToolBar(hi);
                    break;
                } else {
                    lo = mid;
                }
            }
        }
        nWidthFound = CalcMaxButtonSize(FALSE).cx;
    }
    return WrapToolBar(nWidthFound, kUnlimited);
}

CSize CKtvPToolBar::CalcMaxButtonSize(BOOL bVertical)
{
    if (m_Buttons.IsEmpty())
        return GetCellSize();

    CClientDC dc(this);
    CFontSelection font(dc, GetBarFont(bVertical));

    CSize result(GetColumnWidth(), GetRowHeight());
    int x = bVertical ? 0 : 1;
    int y = bVertical ? 1 : 0;
    BOOL bRowStart = TRUE;

    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton == m_pCustomizeBtn && IsFloating())
            break;
        const int nOffered = m_bDrawTextLabels ? GetCellSize().cy : GetRowHeight();
        CSize size = pButton->OnCalculateSize(&dc, CSize(GetColumnWidth(), nOffered), !bVertical);
        if (m_bDrawTextLabels)
            size.cy = m_nMaxBtnHeight;

        if (bVertical) {
            result.cx = std::max<LONG>(result.cx, x + size.cx);
            y += size.cy;
            result.cy = std::max<LONG>(result.cy, y);
            continue;
        }
        if (IsSeparatorButton(pButton) && (bRowStart || pButton->m_bRowBreak))
            size = CSize(0, 0);
        x += size.cx;
        bRowStart = FALSE;
        result.cx = std::max<LONG>(result.cx, x);
        result.cy = std::max<LONG>(result.cy, y + size.cy);
        if (pButton->m_bRowBreak) {
            y += GetRowHeight() + kRowGap;
            x = 1;
            bRowStart = TRUE;
        }
    }
    return result;
}

void CKtvPToolBar::AdjustLocations()
{
    if (m_Buttons.IsEmpty() || GetSafeHwnd() == nullptr)
        return;

    const BOOL bHorz = IsHorizontal();
    CRect rectClient;
    GetClientRect(&rectClient);

    CClientDC dc(this);
    CFontSelection font(dc, GetBarFont(!bHorz));

    const int nStart = bHorz ? rectClient.left + 1 : rectClient.top + 1;
    int nPos = nStart;
    int yRow = rectClient.top;
    int nRowWidth = 0;
    POSITION posRowStart = m_Buttons.GetHeadPosition();

    // Room kept at the far end for the customize button.
    const BOOL bCollect = m_pCustomizeBtn != nullptr && !IsFloating() && !m_bCustomizeMode;
    CSize sizeReserve(0, 0);
    if (bCollect) {
        m_pCustomizeBtn->m_lstHiddenButtons.RemoveAll();
        const BOOL bWasEmpty = m_pCustomizeBtn->m_bIsEmpty;
        m_pCustomizeBtn->m_bIsEmpty = FALSE;
        const CSize sizeCell = bHorz ? CSize(GetColumnWidth(), rectClient.Height())
                                     : CSize(rectClient.Width(), GetRowHeight());
        sizeReserve = m_pCustomizeBtn->OnCalculateSize(&dc, sizeCell, bHorz);
        m_pCustomizeBtn->m_bIsEmpty = bWasEmpty;
    }

    BOOL bPrevShownSeparator = FALSE;
    BOOL bRowStart = TRUE;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        POSITION posCur = pos;
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton == m_pCustomizeBtn)
            break;

        CSize size = pButton->OnCalculateSize(&dc, CSize(GetColumnWidth(), GetRowHeight()), bHorz);
        if (pButton->m_bTextBelow && bHorz)
            size.cy = GetRowHeight();

        BOOL bShown = TRUE;
        if (IsSeparatorButton(pButton) && (bRowStart || bPrevShownSeparator)) {
            size = CSize(0, 0);
            bShown = FALSE;
        }

        const int nPosBefore = nPos;
        CRect rect;
        if (bHorz) {
            rect.SetRect(nPos, yRow, nPos + size.cx, yRow + size.cy);
            nPos += size.cx;
            nRowWidth += size.cx;
        } else {
            rect.SetRect(rectClient.left, nPos, rectClient.left + size.cx, nPos + size.cy);
            nPos += size.cy;
        }

        if (bCollect && bShown) {
            const BOOL bNextIsCustomize = pos != nullptr && m_Buttons.GetAt(pos) == m_pCustomizeBtn;
            const BOOL bNoReserve = m_pCustomizeBtn->m_iCustomizeCmdId <= 0 &&
                                    m_pCustomizeBtn->m_lstHiddenButtons.IsEmpty() && bNextIsCustomize;
            const int nReserve = bNoReserve ? 0 : (bHorz ? sizeReserve.cx : sizeReserve.cy);
            const int nLimit = bHorz ? rectClient.right - nReserve : rectClient.bottom - nReserve;
            if ((bHorz ? rect.right : rect.bottom) > nLimit) {
                bShown = FALSE;
                if (bHorz)
                    nRowWidth -= nPos - nPosBefore;
                nPos = nPosBefore;
                m_pCustomizeBtn->m_lstHiddenButtons.AddTail(pButton);
            }
        }

        const BOOL bHidden = !bShown && !IsSeparatorButton(pButton);
        if (pButton->m_bOverflow != bHidden) {
            pButton->m_bOverflow = bHidden;
            pButton->OnShow(!bHidden);
        }
        if (rect != pButton->m_rect) {
            pButton->m_rect = rect;
            pButton->OnMove();
        }

        if (bShown) {
            bPrevShownSeparator = IsSeparatorButton(pButton);
            bRowStart = FALSE;
        }

        const BOOL bLastOfRow = pButton->m_bRowBreak || pos == nullptr || m_Buttons.GetAt(pos) == m_pCustomizeBtn;
        if (bHorz && bLastOfRow) {
            const int nGap = (rectClient.right - nRowWidth - nStart) / 2;
            if (IsFloating() && m_bTextLabels && nGap > 0) {
                for (POSITION posRow = posRowStart; posRow != nullptr;) {
                    auto* pRowButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(posRow));
                    pRowButton->m_rect.OffsetRect(nGap, 0);
                    pRowButton->OnMove();
                    if (pRowButton == pButton)
                        break;
                }
            }
            nPos = nStart;
            nRowWidth = 0;
            yRow += GetRowHeight() + kRowGap;
            bRowStart = TRUE;
            bPrevShownSeparator = FALSE;
            posRowStart = pos;
        }
        (void)posCur;
    }

    if (m_pCustomizeBtn != nullptr) {
        CKtvPToolbarButton* pCustomize = m_pCustomizeBtn;
        if ((m_pCustomizeBtn->m_iCustomizeCmdId <= 0 && m_pCustomizeBtn->m_lstHiddenButtons.IsEmpty()) ||
            IsFloating() || m_bCustomizeMode) {
            pCustomize->m_rect.SetRectEmpty();
            pCustomize->m_bOverflow = TRUE;
            pCustomize->OnShow(FALSE);
        } else {
            const CSize sizeCell = bHorz ? CSize(GetColumnWidth(), rectClient.Height())
                                         : CSize(rectClient.Width(), GetRowHeight());
            const CSize size = pCustomize->OnCalculateSize(&dc, sizeCell, bHorz);
            CRect rect = bHorz ? CRect(rectClient.right - size.cx, rectClient.top, rectClient.right - 1,
                                       rectClient.bottom)
                               : CRect(rectClient.left, rectClient.bottom - 1 - size.cy, rectClient.right,
                                       rectClient.bottom - 1);
            if (rect != pCustomize->m_rect) {
                pCustomize->m_rect = rect;
                pCustomize->OnMove();
            }
            if (pCustomize->m_bOverflow) {
                pCustomize->m_bOverflow = FALSE;
                pCustomize->OnShow(TRUE);
            }
        }
    }

    UpdateTooltips();
}

void CKtvPToolBar::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;

    const BOOL bHorz = IsHorizontal();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        if (!IsSeparatorButton(pButton))
            pButton->m_bTextBelow = m_bTextLabels && bHorz;
    }

    RecalcLayoutInParent();
    AdjustLocations();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

void CKtvPToolBar::RecalcLayoutInParent()
{
    CWnd* pParentFrame = KtvGetParentFrame(this);
    if (pParentFrame == nullptr || pParentFrame->GetSafeHwnd() == nullptr)
        return;

    const BOOL bHorz = IsHorizontal();
    CSize size = CalcFixedLayout(GetParentDockBar() == nullptr, bHorz);

    CWnd* pParent = GetParent();
    CRect rectParent;
    if (pParent != nullptr)
        pParent->GetClientRect(&rectParent);
    auto clampUnlimited = [this](LONG& nDim, LONG nParent) {
        if (nDim != kUnlimited && nDim < kUnlimited)
            return;
        nDim = nParent;
        if (m_nMaxLen > 0)
            nDim = std::min<LONG>(nDim, m_nMaxLen);
    };
    clampUnlimited(size.cx, rectParent.Width());
    clampUnlimited(size.cy, rectParent.Height());

    CRect rectWnd;
    GetWindowRect(&rectWnd);
    const BOOL bDiffers = bHorz ? rectWnd.Height() != size.cy : rectWnd.Width() != size.cx;
    if (bDiffers) {
        if (!m_bCustomizeMode) {
            CSize sizeMin;
            GetMinSize(sizeMin);
            size.cx = std::max(size.cx, sizeMin.cx);
            size.cy = std::max(size.cy, sizeMin.cy);
        }
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateVirtualRect();
    }

    if (IsFloating() || !IsWindowVisible() || GetDockBarRow() == nullptr) {
        CKtvPMiniFrameWnd* pMiniFrame = DYNAMIC_DOWNCAST(CKtvPMiniFrameWnd, pParent);
        if (pMiniFrame != nullptr) {
            pMiniFrame->SizeToContent();
            pMiniFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        } else if (!IsKindOf(RUNTIME_CLASS(CKtvPDropDownToolBar))) {
            if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParentFrame))
                pFrame->RecalcLayout();
        }
        return;
    }

    CRect rectNow;
    GetWindowRect(&rectNow);
    const int nThickness = bHorz ? rectNow.Height() : rectNow.Width();
    CKtvPDockBarRow* pRow = GetDockBarRow();
    if (pRow->GetRowHeight() != nThickness && GetParentDockBar() != nullptr)
        GetParentDockBar()->ResizeRow(pRow, nThickness);
    if (m_bCustomizeMode) {
        UpdateVirtualRectToSize(rectNow.Width(), rectNow.Height());
        pRow->ArrangeAfterChange(this);
    }
    if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParentFrame))
        pFrame->RecalcLayout();
}

int CKtvPToolBar::CalcMaxButtonHeight()
{
    m_bDrawTextLabels = FALSE;
    if (!m_bTextLabels || !IsHorizontal() || GetSafeHwnd() == nullptr)
        return 0;

    CClientDC dc(this);
    CFontSelection font(dc, GetBarFont(FALSE));
    const CSize sizeCell = GetCellSize();
    int nMaxHeight = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        if (!pButton->m_bTextBelow)
            continue;
        if (pButton->m_strText.IsEmpty())
            SetDefaultButtonText(pButton);
        nMaxHeight = std::max<int>(nMaxHeight, pButton->OnCalculateSize(&dc, sizeCell, TRUE).cy);
    }
    m_bDrawTextLabels = nMaxHeight > sizeCell.cy;
    return nMaxHeight;
}

void CKtvPToolBar::GetSeparatorRect(const CKtvPToolbarButton* pButton, RECT* pRect, BOOL bHorz) const
{
    CRect rect = pButton->m_rect;
    if (pButton->m_bRowBreak && bHorz && IsSeparatorButton(pButton)) {
        CRect rectClient;
        GetClientRect(&rectClient);
        rect.left = rectClient.left;
        rect.right = rectClient.right;
        rect.top = pButton->m_rect.bottom;
        rect.bottom = rect.top + kRowGap;
    }
    *pRect = rect;
}

void CKtvPToolBar::EnableTextLabels(BOOL bEnable)
{
    if (m_bMenuMode)
        return;
    m_bTextLabels = bEnable;
    AdjustLayout();
}

void CKtvPToolBar::EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText,
                                         BOOL bQuickCustomize)
{
    if (bEnable) {
        if (m_pCustomizeBtn != nullptr) {
            m_pCustomizeBtn->m_iCustomizeCmdId = iCustomizeCmd;
            m_pCustomizeBtn->m_strCustomizeText = strCustomizeText;
        } else {
            CCustomizeButton button(iCustomizeCmd, strCustomizeText);
            if (InsertButtonCopy(button) < 0)
                return;
            m_pCustomizeBtn = static_cast<CCustomizeButton*>(m_Buttons.GetTail());
        }
        m_bQuickCustomize = bQuickCustomize;
    } else if (m_pCustomizeBtn != nullptr) {
        m_Buttons.RemoveTail();
        delete m_pCustomizeBtn;
        m_pCustomizeBtn = nullptr;
    }
    UpdateVirtualRect();
}

void CKtvPToolBar::EnableCustomizeButtonResId(BOOL bEnable, int iCustomizeCmd, UINT uiCustomizeTextResId,
                                              BOOL bQuickCustomize)
{
    CString strText;
    strText.LoadString(uiCustomizeTextResId);
    EnableCustomizeButton(bEnable, iCustomizeCmd, strText, bQuickCustomize);
}

void CKtvPToolBar::SetLargeIcons(BOOL bLargeIcons)
{
    m_bLargeIcons = bLargeIcons;
    const int nFactor = m_bLargeIcons ? 2 : 1;
    m_sizeCurButton = CSize(m_sizeButton.cx * nFactor, m_sizeButton.cy * nFactor);
    m_sizeCurImage = CSize(m_sizeImage.cx * nFactor, m_sizeImage.cy * nFactor);

    for (POSITION pos = m_AllToolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPToolBar*>(m_AllToolbars.GetNext(pos));
        if (CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) == nullptr)
            continue;
        if (pBar->m_bLocked) {
            const CSize sizeButton(pBar->m_sizeButtonLocked.cx * nFactor, pBar->m_sizeButtonLocked.cy * nFactor);
            const CSize sizeImage(pBar->m_sizeImageLocked.cx * nFactor, pBar->m_sizeImageLocked.cy * nFactor);
            if (pBar->m_sizeCurButtonLocked == sizeButton && pBar->m_sizeCurImageLocked == sizeImage)
                continue;
            pBar->m_sizeCurButtonLocked = sizeButton;
            pBar->m_sizeCurImageLocked = sizeImage;
        }
        pBar->AdjustLayout();
    }
}

void CKtvPToolBar::OnSize(UINT nType, int cx, int cy)
{
    CKtvPBaseToolBar::OnSize(nType, cx, cy);
    if (m_bCustomizeMode && !m_bLocked)
        OnCancelMode();
    AdjustLocations();

    if (!IsFloating())
        return;
    CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (pMiniFrame == nullptr)
        return;
    HMENU hSysMenu = ::GetSystemMenu(pMiniFrame->GetSafeHwnd(), FALSE);
    if (hSysMenu == nullptr)
        return;
    ::DeleteMenu(hSysMenu, SC_RESTORE, MF_BYCOMMAND);
    ::DeleteMenu(hSysMenu, SC_MINIMIZE, MF_BYCOMMAND);
    ::DeleteMenu(hSysMenu, SC_MAXIMIZE, MF_BYCOMMAND);
    if (!CanBeClosed())
        ::EnableMenuItem(hSysMenu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

void CKtvPToolBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CKtvPBaseToolBar::OnWindowPosChanging(lpwndpos);
    if (GetParent() != nullptr && GetParent()->IsKindOf(RUNTIME_CLASS(CKtvPReBar)))
        AdjustLayout();
}

void CKtvPToolBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    Default();
    const CSize sizeNew(lpwndpos->cx, lpwndpos->cy);
    const BOOL bRebar = GetParent() != nullptr && GetParent()->IsKindOf(RUNTIME_CLASS(CKtvPReBar));
    if (!(lpwndpos->flags & SWP_NOSIZE)) {
        if (sizeNew.cx > m_sizeLast.cx || sizeNew.cy > m_sizeLast.cy || bRebar)
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        m_sizeLast = sizeNew;
    }
}

void CKtvPToolBar::OnAfterFloat()
{
    CKtvPBaseToolBar::OnAfterFloat();
    // The bar is floating from here on: its layouts, and the mini frame's
    // measure of it below, must take its floating width, not a docked row.
    SetBarStyle(GetBarStyle() | CBRS_FLOATING);
    CalcLayoutForLength(m_nMRUWidth, FALSE);
    if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE))
        pMiniFrame->SizeToContent();
}

// No library operation ties a sibling to a bar, so these report no sibling.
BOOL CKtvPToolBar::CanHaveSibling()
{
    return m_pSiblingToolBar != nullptr && GetParentDockBar() != nullptr &&
           m_pSiblingToolBar->GetParentDockBar() == GetParentDockBar();
}

BOOL CKtvPToolBar::CanHandleSiblings() { return CanHaveSibling(); }

BOOL CKtvPToolBar::IsOneRowWithSibling()
{
    return CanHaveSibling() && GetDockBarRow() != nullptr && m_pSiblingToolBar->GetDockBarRow() == GetDockBarRow();
}

void CKtvPToolBar::SetOneRowWithSibling()
{
    if (!CanHaveSibling() || IsOneRowWithSibling())
        return;
    CKtvPToolBar* pMoved = m_bSiblingOnRight ? m_pSiblingToolBar : this;
    CKtvPToolBar* pStays = pMoved == this ? m_pSiblingToolBar : this;
    if (pStays->GetDockBarRow() == nullptr || pMoved->GetDockBarRow() == nullptr)
        return;
    CRect rect;
    pStays->GetWindowRect(&rect);
    rect.OffsetRect(rect.Width(), 0);
    pMoved->DockControlBar(pMoved->GetParentDockBar(), &rect, 1);
}

void CKtvPToolBar::SetTwoRowsWithSibling()
{
    if (!IsOneRowWithSibling())
        return;
    CKtvPToolBar* pMoved = m_bSiblingOnRight ? m_pSiblingToolBar : this;
    CKtvPDockBar* pDockBar = pMoved->GetParentDockBar();
    CKtvPDockBarRow* pRowOld = pMoved->GetDockBarRow();
    pRowOld->RemoveControlBar(pMoved);
    const CSize size = pMoved->CalcFixedLayout(FALSE, TRUE);
    POSITION posNext = pDockBar->GetDockBarRows().Find(pRowOld);
    if (posNext != nullptr)
        pDockBar->GetDockBarRows().GetNext(posNext);
    if (CKtvPDockBarRow* pRowNew = pDockBar->AddRow(posNext, size.cy))
        pRowNew->AddControlBar(pMoved, 1);
    pDockBar->AdjustLayout();
}
