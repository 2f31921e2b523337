// The property grid window: layout, painting, selection, scrolling, the two
// dividers, the keyboard, tooltips and the routing of input to an open editor.
#include "ui/controls/KtvPPropList.h"

#include <algorithm>
#include <climits>

#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CDialog.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/controls/KtvPSpinButton.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_DYNAMIC(CKtvPPropList, CWnd)

namespace {
constexpr UINT kHeaderId = 1;
constexpr UINT kScrollId = 2;
constexpr UINT kGridEditorId = 3;
constexpr int kDividerSlack = 2;
}  // namespace

BEGIN_MESSAGE_MAP(CKtvPPropList, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CANCELMODE()
    ON_WM_KILLFOCUS()
    ON_WM_SETFOCUS()
    ON_WM_GETDLGCODE()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_SETCURSOR()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_STYLECHANGED()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_NOTIFY(HDN_ITEMCHANGED, kHeaderId, OnHeaderItemChanged)
    ON_NOTIFY(HDN_TRACK, kHeaderId, OnHeaderTrack)
    ON_NOTIFY(HDN_ENDTRACK, kHeaderId, OnHeaderEndTrack)
    ON_CBN_SELENDOK(kGridEditorId, OnSelectCombo)
    ON_CBN_CLOSEUP(kGridEditorId, OnCloseCombo)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnNeedTipText)
END_MESSAGE_MAP()

CKtvPPropList::CKtvPPropList()
    : m_bHeaderCtrl(TRUE),
      m_bDescriptionArea(FALSE),
      m_nDescrHeight(-1),
      m_nTooltipsCount(0),
      m_bAlphabeticMode(FALSE),
      m_bVSDotNetLook(FALSE),
      m_strTrue(_T("True")),
      m_strFalse(_T("False")),
      m_cListDelimeter(_T(',')),
      m_hFont(nullptr),
      m_nHeaderHeight(0),
      m_nRowHeight(0),
      m_nLeftColumnWidth(0),
      m_nVertScrollOffset(0),
      m_nVertScrollTotal(0),
      m_nVertScrollPage(0),
      m_bTracking(FALSE),
      m_bTrackingDescr(FALSE),
      m_pSel(nullptr),
      m_bFocused(FALSE),
      m_clrGray(0),
      m_bControlBarColors(FALSE),
      m_bGroupNameFullWidth(TRUE),
      m_bTrackColumnLive(TRUE),
      m_clrBackground((COLORREF)-1),
      m_clrText((COLORREF)-1),
      m_clrGroupBackground((COLORREF)-1),
      m_clrGroupText((COLORREF)-1),
      m_clrDescriptionBackground((COLORREF)-1),
      m_clrDescriptionText((COLORREF)-1),
      m_clrLine((COLORREF)-1)
{
    m_rectList.SetRectEmpty();
    m_rectTrackHeader.SetRectEmpty();
    m_rectTrackDescr.SetRectEmpty();
}

CKtvPPropList::~CKtvPPropList()
{
    m_lstTerminalProps.RemoveAll();
    while (!m_lstProps.IsEmpty()) delete m_lstProps.RemoveHead();
}

BOOL CKtvPPropList::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS), _T(""), dwStyle, rect, pParentWnd, nID);
}

int CKtvPPropList::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
    Init();
    return 0;
}

// A window being subclassed rather than created gets its children here; a created one in WM_CREATE.
void CKtvPPropList::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (tw::mfc::CurrentThreadState().pWndInit == nullptr && m_wndHeader.GetSafeHwnd() == nullptr) Init();
}

CScrollBar* CKtvPPropList::GetScrollBarCtrl(int nBar) const
{
    if (nBar == SB_VERT && m_wndScrollVert.GetSafeHwnd() != nullptr) return const_cast<CScrollBar*>(&m_wndScrollVert);
    return nullptr;
}

void CKtvPPropList::CreateHeader()
{
    m_wndHeader.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, kHeaderId);
    HDITEM hdItem = {};
    hdItem.mask = HDI_TEXT | HDI_FORMAT;
    hdItem.fmt = HDF_LEFT;
    hdItem.pszText = (LPTSTR) _T("Property");
    m_wndHeader.InsertItem(0, &hdItem);
    hdItem.pszText = (LPTSTR) _T("Value");
    m_wndHeader.InsertItem(1, &hdItem);
}

void CKtvPPropList::Init()
{
    CreateHeader();
    m_wndScrollVert.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(0, 0, 0, 0), this, kScrollId);
    m_ToolTip.Create(this, TTS_ALWAYSTIP);
    m_ToolTip.Activate(TRUE);
    if (globalData.m_nTooltipMaxWidth != -1) m_ToolTip.SetMaxTipWidth(globalData.m_nTooltipMaxWidth);
    m_ToolTip.SetWindowPos(&wndTop, -1, -1, -1, -1, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CWnd* pParent = GetParent();
    m_bControlBarColors = pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CDialog));
    AdjustLayout();
    UpdateBoldFont();
}

HFONT CKtvPPropList::GetFontHandle() const
{
    return m_hFont != nullptr ? m_hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
}

CBrush* CKtvPPropList::GetBackgroundBrush() const
{
    if (m_brBackground.GetSafeHandle() != nullptr) return const_cast<CBrush*>(&m_brBackground);
    return &globalData.brWindow;
}

COLORREF CKtvPPropList::ShadowColor() const
{
    return m_bControlBarColors ? globalData.clrBarShadow : globalData.clrBtnShadow;
}

void CKtvPPropList::UpdateBoldFont()
{
    m_fontBold.DeleteObject();
    LOGFONT lf = {};
    ::GetObject(GetFontHandle(), sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lf);
}

int CKtvPPropList::LimitColumnWidth(int nWidth) const
{
    CRect rectClient;
    GetClientRect(rectClient);
    const int nLimit = rectClient.Width() - ::GetSystemMetrics(SM_CXHSCROLL) - 5;
    const int nWanted = std::max(nWidth, m_nRowHeight);
    return nWanted < nLimit ? nWanted : nLimit;
}

void CKtvPPropList::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr) return;
    {
        CClientDC dc(this);
        HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), GetFontHandle());
        TEXTMETRIC tm = {};
        dc.GetTextMetrics(&tm);
        m_nRowHeight = tm.tmHeight + 4;
        ::SelectObject(dc.GetSafeHdc(), hOld);
    }
    CRect rectClient;
    GetClientRect(rectClient);
    m_nHeaderHeight = 0;
    if (m_bHeaderCtrl) {
        m_nHeaderHeight = m_nRowHeight + 4;
        m_wndHeader.SendMessage(WM_SETFONT, (WPARAM)GetFontHandle());
        m_wndHeader.SetWindowPos(nullptr, rectClient.left, rectClient.top, rectClient.Width(), m_nHeaderHeight,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
        SetHeaderWidths();
        m_wndHeader.ShowWindow(SW_SHOWNOACTIVATE);
    } else if (m_wndHeader.GetSafeHwnd() != nullptr) {
        m_wndHeader.ShowWindow(SW_HIDE);
    }
    m_rectList = rectClient;
    m_rectList.top += m_nHeaderHeight;
    if (m_bDescriptionArea && m_nDescrHeight != -1) {
        m_nDescrHeight = std::max(m_nDescrHeight, m_nRowHeight);
        m_nDescrHeight = std::min(m_nDescrHeight, rectClient.Height() - m_nRowHeight);
        m_rectList.bottom -= m_nDescrHeight;
    }
    UpdateScrollBar();
    if (m_wndScrollVert.GetSafeHwnd() != nullptr) {
        if (m_nVertScrollTotal > 0) {
            const int cx = ::GetSystemMetrics(SM_CXHSCROLL);
            m_rectList.right -= cx;
            m_wndScrollVert.SetWindowPos(nullptr, m_rectList.right, m_rectList.top, cx, m_rectList.Height(),
                                         SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            m_wndScrollVert.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    RepositionItems();
    if (m_pSel != nullptr && m_pSel->HasButton() && !m_pSel->m_Rect.IsRectEmpty()) m_pSel->SetButtonRectFromRow();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CKtvPPropList::UpdateScrollBar()
{
    if (m_wndScrollVert.GetSafeHwnd() == nullptr) return;
    if (m_nRowHeight != 0) {
        m_nVertScrollPage = m_rectList.Height() / m_nRowHeight - 1;
        m_nVertScrollTotal = GetVisibleRowCount();
        if (m_nVertScrollPage >= m_nVertScrollTotal) {
            m_nVertScrollPage = 0;
            m_nVertScrollTotal = 0;
        }
        m_nVertScrollOffset = std::min(m_nVertScrollOffset, m_nVertScrollTotal);
    } else {
        m_nVertScrollPage = m_nVertScrollTotal = m_nVertScrollOffset = 0;
    }
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = m_nVertScrollTotal;
    si.nPage = (UINT)m_nVertScrollPage;
    si.nPos = m_nVertScrollOffset;
    m_wndScrollVert.SetScrollInfo(&si, TRUE);
    m_wndScrollVert.EnableScrollBar(m_nVertScrollTotal > 0 ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
    m_wndScrollVert.EnableWindow();
}

int CKtvPPropList::GetVisibleRowCount() const
{
    if (m_bAlphabeticMode) return (int)m_lstTerminalProps.GetCount();
    int nCount = 0;
    for (POSITION pos = m_lstProps.GetHeadPosition(); pos != nullptr;)
        nCount += 1 + m_lstProps.GetNext(pos)->GetExpandedCount();
    return nCount;
}

void CKtvPPropList::RepositionItems()
{
    m_lstTerminalProps.RemoveAll();
    if (m_ToolTip.GetSafeHwnd() != nullptr) {
        for (int i = m_nTooltipsCount; i >= 1; --i) m_ToolTip.DelTool(this, i);
        m_nTooltipsCount = 0;
    }
    int y = m_rectList.top - m_nVertScrollOffset * m_nRowHeight - 1;
    if (m_bAlphabeticMode) {
        for (POSITION pos = m_lstProps.GetHeadPosition(); pos != nullptr;)
            m_lstProps.GetNext(pos)->AddToSortedList(m_lstTerminalProps);
        for (POSITION pos = m_lstTerminalProps.GetHeadPosition(); pos != nullptr;)
            m_lstTerminalProps.GetNext(pos)->Reposition(y);
    } else {
        for (POSITION pos = m_lstProps.GetHeadPosition(); pos != nullptr;) m_lstProps.GetNext(pos)->Reposition(y);
    }
}

// --- settings ---------------------------------------------------------------------------------------

void CKtvPPropList::EnableHeaderCtrl(BOOL bEnable, LPCTSTR lpszLeftColumn, LPCTSTR lpszRightColumn)
{
    if (m_pSel != nullptr) m_pSel->EndEdit();
    m_bHeaderCtrl = bEnable;
    if (bEnable && m_wndHeader.GetSafeHwnd() != nullptr) {
        HDITEM hdItem = {};
        hdItem.mask = HDI_TEXT;
        hdItem.pszText = (LPTSTR)lpszLeftColumn;
        m_wndHeader.SetItem(0, &hdItem);
        hdItem.pszText = (LPTSTR)lpszRightColumn;
        m_wndHeader.SetItem(1, &hdItem);
    }
    AdjustLayout();
}

void CKtvPPropList::EnableDescriptionArea(BOOL bEnable)
{
    m_bDescriptionArea = bEnable;
    AdjustLayout();
}

void CKtvPPropList::SetAlphabeticMode(BOOL bSet)
{
    if (m_bAlphabeticMode == bSet) return;
    m_bAlphabeticMode = bSet;
    m_nVertScrollOffset = 0;
    SelectItem(nullptr);
    if (GetSafeHwnd() != nullptr) {
        if (m_bAlphabeticMode) RepositionItems();
        AdjustLayout();
    }
}

void CKtvPPropList::SetNetLook(BOOL bSet)
{
    m_bVSDotNetLook = bSet;
    if (GetSafeHwnd() != nullptr) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKtvPPropList::SetCustomColors(COLORREF clrBackground, COLORREF clrText, COLORREF clrGroupBackground,
                                    COLORREF clrGroupText, COLORREF clrDescriptionBackground,
                                    COLORREF clrDescriptionText, COLORREF clrLine)
{
    m_clrBackground = clrBackground;
    m_clrText = clrText;
    m_clrGroupBackground = clrGroupBackground;
    m_clrGroupText = clrGroupText;
    m_clrDescriptionBackground = clrDescriptionBackground;
    m_clrDescriptionText = clrDescriptionText;
    m_clrLine = clrLine;
    m_brBackground.DeleteObject();
    if (clrBackground != (COLORREF)-1) m_brBackground.CreateSolidBrush(clrBackground);
}

void CKtvPPropList::SetBoolLabels(LPCTSTR lpszTrue, LPCTSTR lpszFalse)
{
    m_strTrue = lpszTrue;
    m_strFalse = lpszFalse;
}

// --- items ------------------------------------------------------------------------------------------

int CKtvPPropList::AddProperty(CKtvPProp* pProp, BOOL bRedraw)
{
    for (POSITION pos = m_lstProps.GetHeadPosition(); pos != nullptr;) {
        CKtvPProp* pTop = m_lstProps.GetNext(pos);
        if (pTop == pProp || pTop->ContainsItem(pProp)) return -1;
    }
    pProp->SetOwnerList(this);
    m_lstProps.AddTail(pProp);
    AdjustLayout();
    if (bRedraw && GetSafeHwnd() != nullptr) pProp->Redraw();
    return (int)m_lstProps.GetCount() - 1;
}

void CKtvPPropList::RemoveAll()
{
    // The sorted list only points into the items: it goes first, so nothing paints from deleted ones.
    m_lstTerminalProps.RemoveAll();
    m_pSel = nullptr;
    while (!m_lstProps.IsEmpty()) delete m_lstProps.RemoveHead();
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        for (int i = m_nTooltipsCount; i >= 1; --i) m_ToolTip.DelTool(this, i);
    m_nTooltipsCount = 0;
}

CKtvPProp* CKtvPPropList::GetProperty(int nIndex) const
{
    if (nIndex < 0 || nIndex >= (int)m_lstProps.GetCount()) return nullptr;
    return m_lstProps.GetAt(m_lstProps.FindIndex(nIndex));
}

CKtvPProp* CKtvPPropList::HitTest(CPoint pt, int* pnArea) const
{
    const CList<CKtvPProp*, CKtvPProp*>& lst = m_bAlphabeticMode ? m_lstTerminalProps : m_lstProps;
    for (POSITION pos = lst.GetHeadPosition(); pos != nullptr;) {
        CKtvPProp* pHit = lst.GetNext(pos)->HitTest(pt, pnArea);
        if (pHit != nullptr) return pHit;
    }
    return nullptr;
}

void CKtvPPropList::SelectItem(CKtvPProp* pProp, BOOL bRedraw)
{
    if (m_pSel == pProp) return;
    CKtvPProp* pOld = m_pSel;
    if (pOld != nullptr && pOld->m_bInPlaceEdit) EndEditItem(FALSE);
    m_pSel = pProp;
    OnSelectionChanged(pProp, pOld);
    const BOOL bWindow = GetSafeHwnd() != nullptr;
    auto namePart = [this](CKtvPProp* p) {
        CRect rect = p->m_Rect;
        if (!(p->m_bGroup && !p->m_bIsValueList) && p->HasValueColumn()) rect.right = rect.left + m_nLeftColumnWidth;
        return rect;
    };
    if (pOld != nullptr) {
        pOld->OnDeselected(pProp);
        const CRect rectButton = pOld->m_rectButton;
        pOld->m_rectButton.SetRectEmpty();
        if (bRedraw && bWindow) {
            InvalidateRect(namePart(pOld));
            InvalidateRect(rectButton);
        }
    }
    if (pProp != nullptr) {
        pProp->OnSelected(pOld);
        if (pProp->HasButton() && !pProp->m_Rect.IsRectEmpty()) pProp->SetButtonRectFromRow();
        if (bRedraw && bWindow) {
            InvalidateRect(namePart(pProp));
            InvalidateRect(pProp->m_rectButton);
        }
    }
    if (bRedraw && bWindow) {
        if (m_bDescriptionArea) {
            CRect rectClient;
            GetClientRect(rectClient);
            CRect rectDescr(rectClient.left, m_rectList.bottom, rectClient.right, rectClient.bottom);
            rectDescr.DeflateRect(4, 4);
            InvalidateRect(rectDescr);
        }
        UpdateWindow();
    }
}

void CKtvPPropList::EnsureVisible(CKtvPProp* pProp)
{
    if (m_nRowHeight == 0 || pProp == nullptr) return;
    if (pProp->m_Rect.top >= m_rectList.top - 1 && pProp->m_Rect.bottom <= m_rectList.bottom) return;
    const CRect rectButton = pProp->m_rectButton;
    pProp->m_rectButton.SetRectEmpty();
    RedrawWindow(rectButton);
    if (pProp->m_Rect.top < m_rectList.top - 1 && pProp->m_Rect.bottom >= m_rectList.top - 1)
        ScrollTo(SB_LINEUP, 0);
    else if (pProp->m_Rect.bottom > m_rectList.bottom && pProp->m_Rect.top < m_rectList.bottom)
        ScrollTo(SB_LINEDOWN, 0);
    else
        ScrollTo(SB_THUMBPOSITION,
                 m_nVertScrollOffset + (pProp->m_Rect.top - (m_rectList.top - 1)) / std::max(1, m_nRowHeight));
    if (!rectButton.IsRectEmpty()) {
        pProp->SetButtonRectFromRow();
        RedrawWindow(pProp->m_rectButton);
    }
}

// --- painting ---------------------------------------------------------------------------------------

BOOL CKtvPPropList::OnEraseBkgnd(CDC*) { return TRUE; }

void CKtvPPropList::OnPaint()
{
    CPaintDC dcPaint(this);
    CKtvPMemDC memDC(dcPaint, this);
    CDC* pDC = &memDC.GetDC();
    const COLORREF clrFace = m_bControlBarColors ? globalData.clrBarFace : globalData.clrBtnFace;
    m_clrGray = globalData.m_nBitsPerPixel > 8 ? CKtvPDrawManager::ScaleColor(clrFace, 94) : ShadowColor();
    CRect rectClient;
    GetClientRect(rectClient);
    FillBackground(pDC, rectClient);
    HFONT hOldFont = (HFONT)::SelectObject(pDC->GetSafeHdc(), GetFontHandle());
    pDC->SetTextColor(m_clrText != (COLORREF)-1 ? m_clrText : globalData.clrWindowText);
    pDC->SetBkMode(TRANSPARENT);
    DrawList(pDC);
    if (m_bDescriptionArea) {
        CRect rectDescr(rectClient.left, m_rectList.bottom, rectClient.right, rectClient.bottom);
        rectDescr.DeflateRect(1, 1);
        DrawDescription(pDC, rectDescr);
    }
    ::SelectObject(pDC->GetSafeHdc(), hOldFont);
}

void CKtvPPropList::FillBackground(CDC* pDC, CRect rect) const { pDC->FillRect(rect, GetBackgroundBrush()); }

void CKtvPPropList::DrawList(CDC* pDC)
{
    COLORREF clrLine = m_clrLine;
    if (clrLine == (COLORREF)-1) clrLine = m_bVSDotNetLook ? m_clrGray : ShadowColor();
    CPen pen(PS_SOLID, 1, clrLine);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const int x = m_rectList.left + m_nLeftColumnWidth;
    pDC->MoveTo(x, m_rectList.top - 1);
    pDC->LineTo(x, m_rectList.bottom);
    const CList<CKtvPProp*, CKtvPProp*>& lst = m_bAlphabeticMode ? m_lstTerminalProps : m_lstProps;
    for (POSITION pos = lst.GetHeadPosition(); pos != nullptr;)
        if (!DrawProperty(pDC, lst.GetNext(pos))) break;
    pDC->SelectObject(pOldPen);
}

BOOL CKtvPPropList::DrawProperty(CDC* pDC, CKtvPProp* pProp) const
{
    const CRect rectRow = pProp->m_Rect;
    BOOL bDraw = !rectRow.IsRectEmpty();
    if (bDraw && rectRow.top >= m_rectList.bottom) return FALSE;
    if (bDraw && rectRow.bottom < m_rectList.top) bDraw = FALSE;
    if (bDraw) {
        const int xDivider = m_rectList.left + m_nLeftColumnWidth;
        const BOOL bPlainGroup = pProp->m_bGroup && !pProp->m_bIsValueList;
        if (m_bVSDotNetLook) {
            CRect rectBand(m_rectList.left, rectRow.top, rectRow.left, std::min(rectRow.bottom, m_rectList.bottom));
            if (bPlainGroup) rectBand.right = rectRow.right;
            if (pProp->m_bIsValueList) rectBand.right = rectRow.left + m_nRowHeight;
            if (!rectBand.IsRectEmpty()) {
                CBrush br(m_clrGroupBackground != (COLORREF)-1 ? m_clrGroupBackground : m_clrGray);
                pDC->FillRect(rectBand, &br);
            }
        }
        COLORREF clrOldText = (COLORREF)-1;
        if (!pProp->m_bEnabled) clrOldText = pDC->SetTextColor(globalData.clrGrayedText);
        CRect rectName = rectRow;
        if (!((bPlainGroup && m_bGroupNameFullWidth) || !pProp->HasValueColumn())) rectName.right = xDivider;
        CRgn rgn;
        // Clips at the list's bottom but lays out in the whole row: a row cut by the bottom edge shows its
        // upper part rather than text squeezed (and centred) into the visible strip.
        auto clipTo = [&](CRect rect) {
            CRect rectVisible = rect;
            rectVisible.bottom = std::min(rectVisible.bottom, m_rectList.bottom);
            rgn.DeleteObject();
            rgn.CreateRectRgnIndirect(rectVisible);
            pDC->SelectClipRgn(&rgn);
            return rect;
        };
        if (pProp->m_bGroup) {
            if (m_bGroupNameFullWidth && !m_bVSDotNetLook && !pProp->m_bIsValueList) {
                CRect rectFill = rectRow;
                rectFill.top++;
                pDC->FillRect(rectFill, GetBackgroundBrush());
            }
            CRect rectExpand(rectRow.left, rectRow.top, rectRow.left + m_nRowHeight, rectRow.bottom);
            pProp->DrawExpandBox(pDC, clipTo(rectExpand));
            rectName.left += m_nRowHeight;
        } else if (!pProp->HasValueColumn()) {
            CRect rectFill = rectRow;
            rectFill.top++;
            pDC->FillRect(rectFill, GetBackgroundBrush());
        }
        if (!rectName.IsRectEmpty()) {
            const CRect rectClip = clipTo(rectName);
            CFont* pOldFont = nullptr;
            if (bPlainGroup) pOldFont = pDC->SelectObject(const_cast<CFont*>(&m_fontBold));
            pProp->DrawName(pDC, rectClip);
            if (pOldFont != nullptr) pDC->SelectObject(pOldFont);
        }
        CRect rectValue = rectRow;
        rectValue.left = xDivider + 1;
        pProp->DrawValue(pDC, clipTo(rectValue));
        if (!pProp->m_rectButton.IsRectEmpty()) pProp->DrawButton(pDC, pProp->m_rectButton);
        pDC->SelectClipRgn(nullptr);
        pDC->MoveTo(m_rectList.left, rectRow.bottom);
        pDC->LineTo(m_rectList.right, rectRow.bottom);
        if (clrOldText != (COLORREF)-1) pDC->SetTextColor(clrOldText);
    }
    if (pProp->m_bExpanded || m_bAlphabeticMode) {
        if (m_bAlphabeticMode && !pProp->m_bIsValueList) return TRUE;
        for (POSITION pos = pProp->m_lstSubItems.GetHeadPosition(); pos != nullptr;)
            if (!DrawProperty(pDC, pProp->m_lstSubItems.GetNext(pos))) return FALSE;
    }
    return TRUE;
}

void CKtvPPropList::DrawDescription(CDC* pDC, CRect rect)
{
    if (m_clrDescriptionBackground != (COLORREF)-1) {
        CBrush br(m_clrDescriptionBackground);
        pDC->FillRect(rect, &br);
    } else {
        pDC->FillRect(rect, m_bControlBarColors ? &globalData.brBarFace : &globalData.brBtnFace);
    }
    rect.top += 4;
    pDC->Draw3dRect(rect, ShadowColor(), ShadowColor());
    if (m_pSel == nullptr) return;
    rect.DeflateRect(4, 4);
    COLORREF clrOld = (COLORREF)-1;
    if (m_clrDescriptionText != (COLORREF)-1) clrOld = pDC->SetTextColor(m_clrDescriptionText);
    CFont* pOldFont = pDC->SelectObject(&m_fontBold);
    const int nHeight = pDC->DrawText(m_pSel->m_strName, rect, DT_SINGLELINE | DT_NOPREFIX);
    pDC->SelectObject(pOldFont);
    rect.top += nHeight + 2;
    pDC->DrawText(m_pSel->m_strDescr, rect, DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (clrOld != (COLORREF)-1) pDC->SetTextColor(clrOld);
}

void CKtvPPropList::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    CWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
    if (GetStyle() & WS_BORDER) ::InflateRect(&lpncsp->rgrc[0], -1, -1);
}

void CKtvPPropList::OnNcPaint()
{
    if (GetStyle() & WS_BORDER) CKtvPVisualManager::GetInstance()->OnDrawControlBorder(this);
    if (m_nDescrHeight == -1 && m_nRowHeight > 0) {
        m_nDescrHeight = 3 * m_nRowHeight + m_nRowHeight / 2;
        AdjustLayout();
    }
}

// --- size, font, style ------------------------------------------------------------------------------

void CKtvPPropList::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    EndEditItem(FALSE);
    m_nLeftColumnWidth = cx / 2;
    AdjustLayout();
}

LRESULT CKtvPPropList::OnSetFont(WPARAM wParam, LPARAM)
{
    m_hFont = (HFONT)wParam;
    UpdateBoldFont();
    AdjustLayout();
    return 0;
}

LRESULT CKtvPPropList::OnGetFont(WPARAM, LPARAM) { return (LRESULT)GetFontHandle(); }

void CKtvPPropList::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
{
    CWnd::OnStyleChanged(nStyleType, lpStyleStruct);
    AdjustLayout();
}

void CKtvPPropList::OnDestroy()
{
    m_lstTerminalProps.RemoveAll();
    m_pSel = nullptr;
    while (!m_lstProps.IsEmpty()) delete m_lstProps.RemoveHead();
    if (m_ToolTip.GetSafeHwnd() != nullptr) m_ToolTip.DestroyWindow();
    m_nTooltipsCount = 0;
    CWnd::OnDestroy();
}

UINT CKtvPPropList::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

// --- header and dividers ----------------------------------------------------------------------------

void CKtvPPropList::SetHeaderWidths()
{
    if (m_wndHeader.GetSafeHwnd() == nullptr) return;
    CRect rectClient;
    GetClientRect(rectClient);
    HDITEM hdItem = {};
    hdItem.mask = HDI_WIDTH;
    hdItem.cxy = m_nLeftColumnWidth + 2;
    m_wndHeader.SetItem(0, &hdItem);
    hdItem.cxy = rectClient.Width() + 10;
    m_wndHeader.SetItem(1, &hdItem);
}

void CKtvPPropList::SetColumnWidthFromHeader(int nWidth)
{
    m_nLeftColumnWidth = LimitColumnWidth(nWidth);
    SetHeaderWidths();
    // Without a header nothing notifies: the rows follow here.
    RepositionItems();
    RedrawWindow(m_rectList, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CKtvPPropList::OnHeaderItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMHEADER* pHeader = reinterpret_cast<NMHEADER*>(pNMHDR);
    *pResult = 0;
    if (pHeader->iItem != 0) return;
    HDITEM hdItem = {};
    hdItem.mask = HDI_WIDTH;
    m_wndHeader.GetItem(0, &hdItem);
    m_nLeftColumnWidth = LimitColumnWidth(hdItem.cxy - 2);
    RepositionItems();
    RedrawWindow(m_rectList, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CKtvPPropList::OnHeaderTrack(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMHEADER* pHeader = reinterpret_cast<NMHEADER*>(pNMHDR);
    *pResult = 0;
    if (pHeader->pitem == nullptr) return;
    TrackColumnDivider(std::min((int)pHeader->pitem->cxy, m_rectList.Width()));
}

void CKtvPPropList::OnHeaderEndTrack(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    TrackColumnDivider(-1);
}

void CKtvPPropList::TrackColumnDivider(int nOffset)
{
    CClientDC dc(this);
    if (!m_bTrackColumnLive && !m_rectTrackHeader.IsRectEmpty()) dc.InvertRect(m_rectTrackHeader);
    if (nOffset < 0) {
        m_rectTrackHeader.SetRectEmpty();
        return;
    }
    m_rectTrackHeader = CRect(m_rectList.left + nOffset, m_rectList.top, m_rectList.left + nOffset + 1,
                              m_rectList.bottom);
    if (m_bTrackColumnLive)
        SetColumnWidthFromHeader(nOffset);
    else
        dc.InvertRect(m_rectTrackHeader);
}

void CKtvPPropList::TrackDescriptionDivider(int y)
{
    CClientDC dc(this);
    if (!m_rectTrackDescr.IsRectEmpty()) dc.InvertRect(m_rectTrackDescr);
    if (y == INT_MIN) {
        m_rectTrackDescr.SetRectEmpty();
        return;
    }
    CRect rectClient;
    GetClientRect(rectClient);
    y = std::max(y, (int)rectClient.top + m_nHeaderHeight + m_nRowHeight);
    y = std::min(y, (int)rectClient.bottom - m_nRowHeight);
    m_rectTrackDescr = CRect(rectClient.left, y - 1, rectClient.right, y + 1);
    dc.InvertRect(m_rectTrackDescr);
}

// --- scrolling --------------------------------------------------------------------------------------

void CKtvPPropList::ScrollTo(int nCode, int nPos)
{
    EndEditItem(FALSE);
    if (nCode > SB_BOTTOM) return;
    int nOffset = m_nVertScrollOffset;
    switch (nCode) {
    case SB_LINEUP: --nOffset; break;
    case SB_LINEDOWN: ++nOffset; break;
    case SB_PAGEUP: nOffset -= m_nVertScrollPage; break;
    case SB_PAGEDOWN: nOffset += m_nVertScrollPage; break;
    case SB_TOP: nOffset = 0; break;
    case SB_BOTTOM: nOffset = m_nVertScrollTotal; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: nOffset = nPos; break;
    default: return;
    }
    nOffset = std::min(nOffset, m_nVertScrollTotal - m_nVertScrollPage + 1);
    nOffset = std::max(nOffset, 0);
    if (nOffset == m_nVertScrollOffset) return;
    const int nRowsMoved = m_nVertScrollOffset - nOffset;
    m_nVertScrollOffset = nOffset;
    if (m_wndScrollVert.GetSafeHwnd() != nullptr) m_wndScrollVert.SetScrollPos(nOffset);
    RepositionItems();
    if (GetSafeHwnd() == nullptr) return;
    // The rows already painted move; only the rows that come into view are painted.
    ::ScrollWindow(GetSafeHwnd(), 0, nRowsMoved * m_nRowHeight, &m_rectList, &m_rectList);
    UpdateWindow();
}

void CKtvPPropList::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (m_pSel != nullptr && m_pSel->m_pWndSpin != nullptr && pScrollBar != nullptr &&
        pScrollBar->GetSafeHwnd() == m_pSel->m_pWndSpin->GetSafeHwnd())
        return;
    ScrollTo((int)nSBCode, (int)nPos);
}

BOOL CKtvPPropList::OnMouseWheel(UINT, short zDelta, CPoint)
{
    const int nSteps = std::abs(zDelta) / WHEEL_DELTA;
    for (int i = 0; i < nSteps; ++i) ScrollTo(zDelta < 0 ? SB_LINEDOWN : SB_LINEUP, 0);
    return TRUE;
}

// --- mouse ------------------------------------------------------------------------------------------

void CKtvPPropList::RunButton(CKtvPProp* pProp, CPoint point)
{
    BeginWaitCursor();
    const CString strBefore = pProp->FormatValue();
    pProp->OnButtonClick(point);
    EndWaitCursor();
    if (pProp->FormatValue() != strBefore) OnPropertyChanged(pProp);
}

void CKtvPPropList::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    SetFocus();
    if (m_bDescriptionArea && std::abs(point.y - (m_rectList.bottom + 4)) <= kDividerSlack) {
        SetCapture();
        TrackDescriptionDivider(point.y);
        m_bTrackingDescr = TRUE;
        return;
    }
    if (point.y >= m_rectList.bottom) return;
    if (std::abs(point.x - (m_rectList.left + m_nLeftColumnWidth)) <= kDividerSlack) {
        SetCapture();
        TrackColumnDivider(point.x - m_rectList.left);
        m_bTracking = TRUE;
        return;
    }
    int nArea = -1;
    CKtvPProp* pHit = HitTest(point, &nArea);
    const BOOL bSelChanged = pHit != m_pSel;
    SelectItem(pHit);
    if (pHit == nullptr) return;
    EnsureVisible(pHit);
    switch (nArea) {
    case CKtvPProp::ClickExpandBox: pHit->Expand(!pHit->IsExpanded()); break;
    case CKtvPProp::ClickName: pHit->OnNameClick(point); break;
    case CKtvPProp::ClickValue:
        if (!pHit->IsEnabled()) break;
        EditItem(pHit, &point);
        if (pHit->m_pWndInPlace == nullptr) break;
        if (pHit->m_rectButton.PtInRect(point)) {
            ReleaseCapture();
            RunButton(pHit, point);
        } else if (!bSelChanged || pHit->ForwardFirstClick()) {
            CPoint ptEdit = point;
            MapWindowPoints(pHit->m_pWndInPlace, &ptEdit, 1);
            pHit->m_pWndInPlace->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(ptEdit.x, ptEdit.y));
        }
        break;
    default: break;
    }
}

void CKtvPPropList::OnRButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnRButtonDown(nFlags, point);
    SetFocus();
    if (point.y >= m_rectList.bottom - kDividerSlack) return;
    if (std::abs(point.x - (m_rectList.left + m_nLeftColumnWidth)) <= kDividerSlack) return;
    int nArea = -1;
    CKtvPProp* pHit = HitTest(point, &nArea);
    const BOOL bSelChanged = pHit != m_pSel;
    SelectItem(pHit);
    if (pHit == nullptr) return;
    EnsureVisible(pHit);
    if (nArea == CKtvPProp::ClickName) {
        pHit->OnNameRightClick(point);
    } else if (nArea == CKtvPProp::ClickValue) {
        pHit->OnValueRightClick(point, bSelChanged);
        if (pHit->IsEnabled() && !bSelChanged) {
            EditItem(pHit, &point);
            if (pHit->m_pWndInPlace != nullptr && !pHit->m_rectButton.PtInRect(point) && pHit->ForwardFirstClick()) {
                CPoint ptEdit = point;
                MapWindowPoints(pHit->m_pWndInPlace, &ptEdit, 1);
                pHit->m_pWndInPlace->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(ptEdit.x, ptEdit.y));
            }
        }
    }
}

void CKtvPPropList::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    if (m_bTracking) TrackColumnDivider(point.x - m_rectList.left);
    if (m_bTrackingDescr) TrackDescriptionDivider(point.y);
}

void CKtvPPropList::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);
    if (m_bTracking) {
        TrackColumnDivider(-1);
        m_bTracking = FALSE;
        if (::GetCapture() == GetSafeHwnd()) ReleaseCapture();
        SetColumnWidthFromHeader(point.x - m_rectList.left);
    }
    if (m_bTrackingDescr) {
        TrackDescriptionDivider(INT_MIN);
        m_bTrackingDescr = FALSE;
        if (::GetCapture() == GetSafeHwnd()) ReleaseCapture();
        CRect rectClient;
        GetClientRect(rectClient);
        m_nDescrHeight = rectClient.Height() - std::max((int)point.y, m_nRowHeight + m_nHeaderHeight) + 2;
        m_nDescrHeight = std::max(m_nDescrHeight, m_nRowHeight);
        AdjustLayout();
    }
}

void CKtvPPropList::OnCancelMode()
{
    if (m_bTracking) {
        TrackColumnDivider(-1);
        m_bTracking = FALSE;
        if (::GetCapture() == GetSafeHwnd()) ReleaseCapture();
    }
    if (m_bTrackingDescr) {
        TrackDescriptionDivider(INT_MIN);
        m_bTrackingDescr = FALSE;
        if (::GetCapture() == GetSafeHwnd()) ReleaseCapture();
    }
    EndEditItem(FALSE);
    CWnd::OnCancelMode();
}

void CKtvPPropList::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDblClk(nFlags, point);
    if (m_pSel == nullptr) return;
    const int xDivider = m_rectList.left + m_nLeftColumnWidth;
    if (m_pSel->m_bGroup && (!m_pSel->m_bIsValueList || point.x < xDivider)) {
        m_pSel->Expand(!m_pSel->IsExpanded());
        return;
    }
    if (m_pSel->m_bGroup && !m_pSel->m_bIsValueList) return;
    if (m_pSel->IsEnabled()) {
        EditItem(m_pSel);
        if (m_pSel->m_pWndInPlace != nullptr) {
            m_pSel->m_pWndInPlace->SendMessage(WM_LBUTTONDOWN, 0, 0);
            m_pSel->m_pWndInPlace->SendMessage(WM_LBUTTONUP, 0, 0);
        }
    }
    m_pSel->OnValueDblClick(point);
}

BOOL CKtvPPropList::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const BOOL bResult = CWnd::OnNotify(wParam, lParam, pResult);
    const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr != nullptr && pHdr->code == TTN_SHOW && pHdr->hwndFrom != nullptr)
        ::SetWindowPos(pHdr->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return bResult;
}

BOOL CKtvPPropList::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (m_bDescriptionArea && std::abs(point.y - (m_rectList.bottom + 4)) <= kDividerSlack) {
            ::SetCursor(globalData.GetSplitVertCursor());
            return TRUE;
        }
        if (point.y <= m_rectList.bottom && std::abs(point.x - (m_rectList.left + m_nLeftColumnWidth)) <= kDividerSlack) {
            ::SetCursor(globalData.GetSplitHorzCursor());
            return TRUE;
        }
        int nArea = -1;
        if (m_pSel != nullptr && HitTest(point, &nArea) == m_pSel && nArea == CKtvPProp::ClickValue &&
            !m_pSel->m_rectButton.PtInRect(point) && m_pSel->SetValueCursor())
            return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// --- keyboard ---------------------------------------------------------------------------------------

CKtvPProp* CKtvPPropList::FirstItem() const
{
    const CList<CKtvPProp*, CKtvPProp*>& lst = m_bAlphabeticMode ? m_lstTerminalProps : m_lstProps;
    return lst.IsEmpty() ? nullptr : lst.GetHead();
}

CKtvPProp* CKtvPPropList::LastItem() const
{
    if (m_bAlphabeticMode) return m_lstTerminalProps.IsEmpty() ? nullptr : m_lstTerminalProps.GetTail();
    if (m_lstProps.IsEmpty()) return nullptr;
    CKtvPProp* p = m_lstProps.GetTail();
    while (p->m_bExpanded && !p->m_lstSubItems.IsEmpty()) p = p->m_lstSubItems.GetTail();
    return p;
}

void CKtvPPropList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_lstProps.IsEmpty()) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    auto home = [this]() {
        SelectItem(FirstItem());
        ScrollTo(SB_TOP, 0);
    };
    auto end = [this]() {
        SelectItem(LastItem());
        ScrollTo(SB_BOTTOM, 0);
    };
    auto step = [this, &home](int dy) {
        if (m_pSel == nullptr) {
            home();
            return;
        }
        const CPoint pt(m_pSel->m_Rect.right - 1, dy < 0 ? m_pSel->m_Rect.top - 2 : m_pSel->m_Rect.bottom + 2);
        CKtvPProp* pHit = HitTest(pt);
        if (pHit != nullptr) {
            SelectItem(pHit);
            EnsureVisible(pHit);
        }
    };
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    switch (nChar) {
    case VK_HOME: home(); return;
    case VK_END: end(); return;
    case VK_PRIOR:
    case VK_NEXT: {
        if (m_pSel == nullptr) {
            home();
            return;
        }
        CKtvPProp* pHit = nullptr;
        if (m_nVertScrollPage != 0) {
            EnsureVisible(m_pSel);
            const int dy = m_nVertScrollPage * m_nRowHeight;
            const int y = nChar == VK_PRIOR ? m_pSel->m_Rect.top - dy : m_pSel->m_Rect.top + dy;
            pHit = HitTest(CPoint(m_pSel->m_Rect.right - 1, y));
        }
        if (pHit == nullptr) {
            nChar == VK_PRIOR ? home() : end();
            return;
        }
        SelectItem(pHit);
        ScrollTo(nChar == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0);
        return;
    }
    case VK_UP: step(-1); return;
    case VK_DOWN:
        if (::GetKeyState(VK_MENU) < 0 && m_pSel != nullptr) {
            RunButton(m_pSel, CPoint(-1, -1));
            return;
        }
        step(1);
        return;
    case VK_LEFT:
    case VK_RIGHT:
        if (bCtrl) {
            const BOOL bLive = m_bTrackColumnLive;
            m_bTrackColumnLive = TRUE;
            TrackColumnDivider(m_nLeftColumnWidth + (nChar == VK_LEFT ? -5 : 5));
            m_bTrackColumnLive = bLive;
            return;
        }
        if (m_pSel != nullptr && m_pSel->m_bGroup && !m_pSel->m_lstSubItems.IsEmpty() &&
            m_pSel->IsExpanded() == (nChar == VK_LEFT)) {
            m_pSel->Expand(nChar == VK_RIGHT);
            return;
        }
        step(nChar == VK_LEFT ? -1 : 1);
        return;
    case VK_ADD:
    case VK_SUBTRACT:
        if (m_pSel != nullptr && m_pSel->m_bGroup && m_pSel->m_pWndInPlace == nullptr)
            m_pSel->Expand(nChar == VK_ADD);
        return;
    case VK_F4:
        if (m_pSel != nullptr && m_pSel->IsEnabled() && EditItem(m_pSel)) {
            if (m_pSel->m_dwFlags & CKtvPProp::PROP_HAS_BUTTON) RunButton(m_pSel, CPoint(-1, -1));
            return;
        }
        break;
    default: break;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKtvPPropList::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_pSel == nullptr || !m_pSel->IsEnabled()) {
        CWnd::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    if (EditItem(m_pSel)) m_pSel->OnTypedChar(nChar);
}

// --- focus and editor colours -----------------------------------------------------------------------

void CKtvPPropList::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    m_bFocused = TRUE;
    if (m_pSel != nullptr) RedrawWindow(m_pSel->m_Rect);
}

void CKtvPPropList::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    if (pNewWnd != nullptr && IsChild(pNewWnd)) return;
    if (m_pSel == nullptr || m_pSel->OnListKillFocus(pNewWnd)) {
        EndEditItem(FALSE);
        m_bFocused = FALSE;
        if (m_pSel != nullptr) RedrawWindow(m_pSel->m_Rect);
    }
}

HBRUSH CKtvPPropList::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hbr = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    if (m_pSel != nullptr && pWnd != nullptr && m_pSel->m_pWndInPlace != nullptr &&
        pWnd->GetSafeHwnd() == m_pSel->m_pWndInPlace->GetSafeHwnd()) {
        HBRUSH hbrItem = m_pSel->GetEditorBrush(pDC, nCtlColor);
        if (hbrItem != nullptr) return hbrItem;
    }
    return hbr;
}

// --- tooltips ---------------------------------------------------------------------------------------

BOOL CKtvPPropList::OnNeedTipText(UINT, NMHDR* pNMH, LRESULT* pResult)
{
    static CString strTipText;
    *pResult = 0;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    CKtvPProp* pProp = HitTest(point);
    if (pProp == nullptr) return FALSE;
    strTipText = point.x < m_rectList.left + m_nLeftColumnWidth ? pProp->GetNameTip() : pProp->GetValueTip();
    if (strTipText.IsEmpty()) return FALSE;
    TOOLTIPTEXT* pTTT = reinterpret_cast<TOOLTIPTEXT*>(pNMH);
    pTTT->lpszText = (LPTSTR)(LPCTSTR)strTipText;
    m_ToolTip.SendMessage(WM_SETFONT, (WPARAM)GetFontHandle());
    return TRUE;
}

// --- editing ----------------------------------------------------------------------------------------

void CKtvPPropList::OnPropertyChanged(CKtvPProp* pProp) const
{
    CWnd* pTarget = GetOwner();
    if (pTarget == nullptr) pTarget = GetParent();
    if (pTarget == nullptr) return;
    pTarget->SendMessage(KTVM_PROPERTYCHANGED, (WPARAM)GetDlgCtrlID(), (LPARAM)pProp);
}

BOOL CKtvPPropList::EditItem(CKtvPProp* pProp, LPPOINT lptClick)
{
    if (pProp == nullptr) return FALSE;
    if (!EndEditItem(TRUE)) return FALSE;
    if (pProp->m_bGroup && !pProp->m_bIsValueList) return FALSE;
    if (!pProp->BeginEdit(lptClick)) return FALSE;
    pProp->Redraw();
    SelectItem(pProp);
    SetCapture();
    // Answers whether an editor is open, so a typed character never goes to none.
    return pProp->m_pWndInPlace != nullptr;
}

BOOL CKtvPPropList::EndEditItem(BOOL bUpdateData)
{
    if (m_pSel == nullptr || m_pSel->m_pWndInPlace == nullptr) return TRUE;
    if (bUpdateData) {
        if (!ValidateItem(m_pSel)) return FALSE;
        if (!m_pSel->ApplyEditorText()) return FALSE;
    }
    if (!m_pSel->EndEdit()) return FALSE;
    if (::GetCapture() == GetSafeHwnd()) ReleaseCapture();
    m_pSel->Redraw();
    return TRUE;
}

void CKtvPPropList::OnClickButton(CPoint point)
{
    if (m_pSel == nullptr) return;
    if (!m_pSel->ApplyEditorText()) return;
    RunButton(m_pSel, point);
}

void CKtvPPropList::OnSelectCombo()
{
    if (m_pSel != nullptr) m_pSel->OnComboSelect();
}

void CKtvPPropList::OnCloseCombo()
{
    if (m_pSel != nullptr) m_pSel->OnComboClose();
}

BOOL CKtvPPropList::ProcessClipboardKeys(UINT nChar)
{
    if (m_pSel == nullptr || m_pSel->m_pWndInPlace == nullptr) return FALSE;
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    UINT uiMsg = 0;
    if (bCtrl && (nChar == 'C' || nChar == VK_INSERT))
        uiMsg = WM_COPY;
    else if ((bCtrl && nChar == 'V') || (bShift && nChar == VK_INSERT))
        uiMsg = WM_PASTE;
    else if ((bCtrl && nChar == 'X') || (bShift && nChar == VK_DELETE))
        uiMsg = WM_CUT;
    if (uiMsg == 0) return FALSE;
    m_pSel->m_pWndInPlace->SendMessage(uiMsg);
    return TRUE;
}

BOOL CKtvPPropList::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP: case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (m_ToolTip.GetSafeHwnd() != nullptr) m_ToolTip.RelayEvent(pMsg);
        break;
    default: break;
    }
    if (pMsg->message == WM_SYSKEYDOWN && (pMsg->wParam == VK_DOWN || pMsg->wParam == VK_UP) && m_pSel != nullptr &&
        m_pSel->IsEnabled() && (m_pSel->m_dwFlags & CKtvPProp::PROP_HAS_BUTTON) && EditItem(m_pSel)) {
        RunButton(m_pSel, CPoint(-1, -1));
        return TRUE;
    }
    if (m_pSel == nullptr || !m_pSel->IsEnabled() || !m_pSel->m_bInPlaceEdit || m_pSel->m_pWndInPlace == nullptr)
        return CWnd::PreTranslateMessage(pMsg);

    CKtvPProp* pSel = m_pSel;
    if (pMsg->message == WM_KEYDOWN) {
        switch (pMsg->wParam) {
        case VK_RETURN:
            if (pSel->m_pWndCombo != nullptr && pSel->m_pWndCombo->GetDroppedState()) {
                pSel->OnComboSelect();
                if (pSel->m_pWndInPlace != nullptr) pSel->m_pWndInPlace->SetFocus();
                return TRUE;
            }
            if (!EndEditItem(TRUE)) ::MessageBeep((UINT)-1);
            SetFocus();
            return TRUE;
        case VK_ESCAPE:
            EndEditItem(FALSE);
            SetFocus();
            return TRUE;
        default:
            if (pSel->m_bAllowEdit) return ProcessClipboardKeys((UINT)pMsg->wParam);
            pSel->OnTypedChar((UINT)pMsg->wParam);
            return TRUE;
        }
    }
    if (pMsg->message >= WM_MOUSEMOVE && pMsg->message <= WM_MBUTTONDBLCLK) {
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
        if (pSel->m_pWndSpin != nullptr) {
            CRect rectSpin;
            pSel->m_pWndSpin->GetWindowRect(rectSpin);
            ScreenToClient(rectSpin);
            if (rectSpin.PtInRect(ptCursor)) {
                CPoint pt = ptCursor;
                MapWindowPoints(pSel->m_pWndSpin, &pt, 1);
                pSel->m_pWndSpin->SendMessage(pMsg->message, pMsg->wParam, MAKELPARAM(pt.x, pt.y));
                return TRUE;
            }
        }
        if (!pSel->m_bAllowEdit) ::HideCaret(pSel->m_pWndInPlace->GetSafeHwnd());
        CRect rectEdit;
        pSel->m_pWndInPlace->GetWindowRect(rectEdit);
        ScreenToClient(rectEdit);
        if (rectEdit.PtInRect(ptCursor)) {
            if (pMsg->message == WM_LBUTTONDBLCLK && pSel->OnValueDblClick(ptCursor)) return TRUE;
            if (pMsg->message == WM_RBUTTONDOWN && !pSel->m_bAllowEdit) return TRUE;
        } else if (pMsg->message == WM_LBUTTONDOWN) {
            if (pSel->m_Rect.PtInRect(ptCursor)) {
                OnClickButton(ptCursor);
                return TRUE;
            }
            if (!EndEditItem(TRUE)) return TRUE;
            return CWnd::PreTranslateMessage(pMsg);
        }
        if (pSel->m_pWndInPlace == nullptr) return TRUE;
        CPoint pt = ptCursor;
        MapWindowPoints(pSel->m_pWndInPlace, &pt, 1);
        pSel->m_pWndInPlace->SendMessage(pMsg->message, pMsg->wParam, MAKELPARAM(pt.x, pt.y));
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}
