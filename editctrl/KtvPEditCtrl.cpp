// The edit control's window: creation, messages, caret, scroll bars, focus,
// the keyboard and the mouse.
#include "editctrl/KtvPEditCtrl.h"

#include <algorithm>

#include "editctrl/KtvPFontTextMetrics.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/kernel/RectFunctions.h"
#include "platform/win32/gdi/SystemColors.h"
#include "ui/frames/KtvPDrawManager.h"

UINT KtvPEditChangeMessage()
{
    static const UINT message = RegisterWindowMessage("KTVM_ON_EDITCHANGE");
    return message;
}

CKtvPEditCtrl::CKtvPEditCtrl()
{
    SetDefaultSelectionColors();
    m_arrUrlPrefixes.Add("http://");
    m_arrUrlPrefixes.Add("ftp://");
    m_arrUrlPrefixes.Add("mailto:");
}

CKtvPEditCtrl::~CKtvPEditCtrl()
{
    DeleteAllMarkers(static_cast<DWORD>(-1), FALSE);
    ClearUndoList();
    if (m_hWnd != nullptr)
        DestroyWindow();
    // The model must not measure with a font object that is gone.
    SetTextMetrics(nullptr);
}

BOOL CKtvPEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    // The arrow by default: WM_SETCURSOR shows the I-beam over the text.
    LPCTSTR className = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW));
    return CWnd::Create(className, "", dwStyle | WS_HSCROLL | WS_VSCROLL, rect, pParentWnd, nID);
}

void CKtvPEditCtrl::SetDefaultSelectionColors()
{
    m_clrSelBack = GetSysColor(COLOR_HIGHLIGHT);
    m_clrSelText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    double hue = 0, saturation = 0, lightness = 0;
    CKtvPDrawManager::RgbToHls(m_clrSelBack, &hue, &saturation, &lightness);
    m_clrSelBackUnfocused =
        CKtvPDrawManager::HlsToRgb(hue, std::min(1.0, lightness * 1.1), std::min(1.0, saturation * 1.1));
    m_clrSelTextUnfocused = CKtvPDrawManager::ScaleColor(m_clrSelText, 110);
    m_clrHyperlink = m_clrSelBack;
}

COLORREF CKtvPEditCtrl::GetDefaultTextColor() const
{
    return m_clrText == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_WINDOWTEXT) : m_clrText;
}

COLORREF CKtvPEditCtrl::GetDefaultBackColor() const
{
    return m_clrBack == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_WINDOW) : m_clrBack;
}

// ---------------------------------------------------------------- messages

LRESULT CKtvPEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message) {
    case WM_CREATE:
        if (CWnd::WindowProc(message, wParam, lParam) == -1)
            return -1;
        return OnCreateWindow();
    case WM_SIZE: OnSize(); break;
    case WM_DESTROY:
        CloseIntelliSenseWnd(TRUE);
        if (m_hToolTip != nullptr) {
            ::DestroyWindow(m_hToolTip);
            m_hToolTip = nullptr;
        }
        break;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == TTN_NEEDTEXT)
            return OnNeedToolTipText(reinterpret_cast<NMHDR*>(lParam));
        break;
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_SETFONT: OnSetFont(reinterpret_cast<HFONT>(wParam), static_cast<BOOL>(lParam)); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(m_hFont);
    case WM_SETFOCUS: OnFocusChanged(TRUE); break;
    case WM_KILLFOCUS: OnFocusChanged(FALSE); break;
    case WM_GETDLGCODE:
        if (m_nDlgCode != -1)
            return m_nDlgCode;
        break;
    case WM_SETTEXT: return SetText(reinterpret_cast<LPCTSTR>(lParam) != nullptr ? reinterpret_cast<LPCTSTR>(lParam) : "");
    case WM_GETTEXT: return CKtvPEditModel::GetText(reinterpret_cast<LPTSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH: return GetTextLength();
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam)); break;
    case WM_CHAR: OnCharMessage(static_cast<UINT>(wParam)); return 0;
    case WM_LBUTTONDOWN:
        RelayToToolTip(message, wParam, lParam);
        OnButtonDown(static_cast<UINT>(wParam), point);
        return 0;
    case WM_LBUTTONDBLCLK: OnButtonDoubleClick(point); return 0;
    case WM_MOUSEMOVE:
        OnMouseMoveMessage(point);
        RelayToToolTip(message, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        m_ptLastMouse = point;
        OnButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        // Capture taken away ends a selection; a text drag is simply dropped.
        if (reinterpret_cast<HWND>(lParam) != m_hWnd) {
            m_bDraggingText = FALSE;
            if (m_bSelectingByMouse)
                OnButtonUp();
        }
        break;
    case WM_TIMER:
        if (wParam == KTVP_TIMER_DRAG_SCROLL) {
            OnDragScrollTimer();
            return 0;
        }
        break;
    case WM_RBUTTONDOWN: OnRightButtonDown(point); return 0;
    case WM_MOUSEWHEEL: return OnMouseWheel(static_cast<short>(HIWORD(wParam)));
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == m_hWnd && LOWORD(lParam) == HTCLIENT && OnSetCursor())
            return TRUE;
        break;
    case WM_VSCROLL: return OnScrollMessage(SB_VERT, wParam);
    case WM_HSCROLL: return OnScrollMessage(SB_HORZ, wParam);
    case WM_SYSCOLORCHANGE: SetDefaultSelectionColors(); break;
    default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

int CKtvPEditCtrl::OnCreateWindow()
{
    m_pOutlineParser.reset(CreateOutlineParser());
    if (m_pOutlineParser != nullptr) {
        m_pOutlineParser->InitDefaultRules();
        m_pOutlineParser->m_strDelimiters = m_strWordDelimiters;
    }
    CreateToolTip();
    CreateHyperlinkFont();
    ApplyFontMetrics();
    SetDefaultSelectionColors();
    RegisterClipboardFormat("KTVP_TEXT");
    RegisterDropTarget();
    OnSize();
    SetCaret(0, TRUE, TRUE);
    return 0;
}

void CKtvPEditCtrl::OnSetFont(HFONT hFont, BOOL bRedraw)
{
    m_hFont = hFont;
    CreateHyperlinkFont();
    ApplyFontMetrics();
    OnSize();
    if (bRedraw)
        RedrawRows(0, -1);
}

void CKtvPEditCtrl::ApplyFontMetrics()
{
    auto metrics = std::make_unique<CKtvPFontTextMetrics>(m_hFont);
    SetTextMetrics(metrics.get());
    m_pFontMetrics = std::move(metrics);
    if (m_hWnd != nullptr && ::GetFocus() == m_hWnd)
        CreateEditCaret();
}

RECT CKtvPEditCtrl::ComputeTextArea() const
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    int left = client.left + std::max(0, m_nMarkerMarginWidth);
    if (m_bLineNumbers)
        left += std::max(0, m_nLineNumberMarginWidth);
    if (m_bOutlineMargin)
        left += std::max(0, m_nOutlineMarginWidth);
    return RECT{std::min(left, static_cast<int>(client.right)), client.top, client.right, client.bottom};
}

void CKtvPEditCtrl::OnSize()
{
    if (m_hWnd == nullptr)
        return;
    SetTextArea(ComputeTextArea());
}

void CKtvPEditCtrl::SetTextArea(const RECT& rect)
{
    CKtvPEditModel::SetTextArea(rect);
    SetCaret(m_nCaretOffset, FALSE, FALSE);
}

int CKtvPEditCtrl::RowTop(int nVisibleRow) const
{
    return m_rectText.top + (nVisibleRow - m_nFirstVisibleRow) * std::max(1, m_nRowHeight);
}

// ---------------------------------------------------------------- caret, focus, scrolling

void CKtvPEditCtrl::CreateEditCaret()
{
    ::CreateCaret(m_hWnd, nullptr, GetOverwriteMode() ? std::max(2, m_nAveCharWidth) : 2, std::max(1, m_nRowHeight));
    OnSetCaret();
    if (!m_bReadOnly)
        ::ShowCaret(m_hWnd);
}

void CKtvPEditCtrl::OnFocusChanged(BOOL bGotFocus)
{
    if (bGotFocus)
        CreateEditCaret();
    else if (!m_bIntelliSenseOpen)  // the list takes the focus; the caret stays in view
        ::DestroyCaret();
    // The selection changes between its focused and unfocused colours.
    if (HasSelection())
        RedrawRows(0, -1);
}

void CKtvPEditCtrl::OnSetCaret()
{
    // The model places the caret by lines; folds move it to its visual row.
    if (!GetFoldSpans().empty())
        KeepCaretInView();
    if (m_hWnd == nullptr || ::GetFocus() != m_hWnd)
        return;
    ::SetCaretPos(m_ptCaret.x, m_ptCaret.y);
}

void CKtvPEditCtrl::UpdateScrollBars()
{
    if (m_hWnd == nullptr)
        return;
    SCROLLINFO vert{};
    vert.cbSize = sizeof(vert);
    vert.fMask = SIF_ALL;
    vert.nMax = std::max(0, GetVisibleRowCount() - 1);
    vert.nPage = static_cast<UINT>(std::max(1, GetPageRows()));
    vert.nPos = m_nFirstVisibleRow;
    ::SetScrollInfo(m_hWnd, SB_VERT, &vert, TRUE);
    // The horizontal range covers the longest row, however long.
    m_nHorzRange = std::max(m_nHorzRange, GetLongestRowColumns() + 1);
    SCROLLINFO horz = vert;
    horz.nMax = std::max(0, m_nHorzRange - 1);
    horz.nPage = static_cast<UINT>(std::max(1, GetPageColumns()));
    horz.nPos = m_nFirstVisibleColumn;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &horz, TRUE);
}

BOOL CKtvPEditCtrl::ScrollText(int nBar, int nCode, int nPos)
{
    const BOOL overFolds = nBar == SB_VERT && !GetFoldSpans().empty();
    if (!(overFolds ? ScrollVertically(nCode, nPos) : CKtvPEditModel::ScrollText(nBar, nCode, nPos)))
        return FALSE;
    HideToolTip();
    if (m_hWnd != nullptr) {
        ::SetScrollPos(m_hWnd, nBar, nBar == SB_VERT ? m_nFirstVisibleRow : m_nFirstVisibleColumn, TRUE);
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    return TRUE;
}

LRESULT CKtvPEditCtrl::OnScrollMessage(int nBar, WPARAM wParam)
{
    int position = static_cast<short>(HIWORD(wParam));
    const int code = LOWORD(wParam);
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        if (::GetScrollInfo(m_hWnd, nBar, &info))
            position = info.nTrackPos;
    }
    if (ScrollText(nBar, code, position))
        SetCaret(m_nCaretOffset, FALSE, FALSE);
    return 0;
}

// ---------------------------------------------------------------- redraw requests

void CKtvPEditCtrl::RedrawRows(int nFirstRow, int nLastRow)
{
    if (m_hWnd == nullptr)
        return;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    if (nLastRow == -1) {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        return;
    }
    const int rowHeight = std::max(1, m_nRowHeight);
    RECT rect = client;
    rect.top = std::max<LONG>(client.top, RowTop(VisibleRowOfLine(nFirstRow)));
    const int lastVisible = VisibleRowOfLine(nLastRow == 0 ? nFirstRow : nLastRow);
    rect.bottom = std::min<LONG>(client.bottom, RowTop(lastVisible) + rowHeight);
    if (nLastRow >= GetVisibleRowCount() - 1)
        rect.bottom = client.bottom;
    if (rect.bottom > rect.top)
        ::InvalidateRect(m_hWnd, &rect, FALSE);
}

void CKtvPEditCtrl::RedrawTextRange(int nStart, int nEnd)
{
    if (m_hWnd == nullptr)
        return;
    if (nStart > nEnd)
        std::swap(nStart, nEnd);
    RedrawRows(OffsetToRow(nStart, TRUE, FALSE),
               nEnd >= GetTextLength() ? m_text.GetRowCount() : std::max(1, OffsetToRow(nEnd, TRUE, FALSE)));
}

void CKtvPEditCtrl::RedrawMarkerCell(int nLine, BOOL bWholeRow)
{
    if (m_hWnd == nullptr)
        return;
    if (bWholeRow) {
        RedrawRows(nLine, 0);
        return;
    }
    RECT cell{0, RowTop(VisibleRowOfLine(nLine)), m_nMarkerMarginWidth, 0};
    cell.bottom = cell.top + std::max(1, m_nRowHeight);
    ::InvalidateRect(m_hWnd, &cell, FALSE);
}

// ---------------------------------------------------------------- notices

void CKtvPEditCtrl::OnTextChanged(int nOffset, LPCTSTR lpszText, BOOL bInserted)
{
    CKtvPEditModel::OnTextChanged(nOffset, lpszText, bInserted);
    InvalidateFolds();
    // The model counts the first row by lines; folds above it shift it.
    if (!GetFoldSpans().empty()) {
        m_nFirstVisibleRow = VisibleRowOfLine(m_text.RowOfOffset(m_nFirstVisibleOffset));
        m_nFirstVisibleOffset = VisualRowStart(m_nFirstVisibleRow);
        UpdateScrollBars();
    }
    HWND parent = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    if (parent != nullptr)
        ::SendMessage(parent, KtvPEditChangeMessage(), 0, 0);
}

void CKtvPEditCtrl::OnFailedOperation(DWORD dwCode)
{
    m_dwLastFailure = dwCode;
    CKtvPEditModel::OnFailedOperation(dwCode);
}

// ---------------------------------------------------------------- keyboard

void CKtvPEditCtrl::OnKeyDown(UINT nVirtKey)
{
    const BOOL shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const BOOL ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    HideToolTip();
    ProcessKeyDown(nVirtKey, shift, ctrl);
    if (nVirtKey == VK_INSERT && ::GetFocus() == m_hWnd)
        CreateEditCaret();
}

void CKtvPEditCtrl::OnCharMessage(UINT nChar)
{
    if (nChar < 32 || m_bReadOnly)
        return;
    if (TypeChar(nChar))
        OnIntelliSenseTrigger();
}

// ---------------------------------------------------------------- mouse

void CKtvPEditCtrl::OnButtonDown(UINT nFlags, CPoint point)
{
    if (::GetFocus() != m_hWnd)
        ::SetFocus(m_hWnd);
    HideToolTip();
    if (OnOutlineMarginClick(point))
        return;
    if ((nFlags & MK_CONTROL) != 0 && IsHyperlinkSupportEnabled() && m_nHotLink >= 0 &&
        m_nHotLink < GetHyperlinkCount()) {
        const FoundLink link = m_arrHyperlinks[static_cast<size_t>(m_nHotLink)];
        OnHyperlinkClick(link.nStart, link.strUrl);
        return;
    }
    point.x = std::max<LONG>(point.x, m_rectText.left + 1);
    POINT hit = point;
    const int offset = OffsetFromPoint(hit, FALSE, TRUE);
    if (offset < 0)
        return;
    const BOOL shift = (nFlags & MK_SHIFT) != 0;
    if (!shift && IsPointInSelection(point)) {
        if (StartOleTextDrag(point))
            return;
        // A press inside the selection starts dragging its text.
        m_bDraggingText = TRUE;
        m_ptDragStart = point;
        ::SetCapture(m_hWnd);
        return;
    }
    if (shift) {
        // Shift+click extends from the anchor, or from the caret without one.
        const int anchor = HasSelection() ? m_nSelStart : m_nCaretOffset;
        SetSelection(anchor, offset, FALSE, TRUE);
        SetCaret(offset, TRUE, TRUE);
    } else {
        const BOOL hadSelection = HasSelection();
        SetCaret(offset, TRUE, TRUE);
        if (hadSelection)
            RemoveSelection(FALSE, TRUE, TRUE);
    }
    if (m_bIntelliSenseOpen)
        return;
    m_bSelectingByMouse = TRUE;
    m_ptLastMouse = point;
    ::SetCapture(m_hWnd);
}

BOOL CKtvPEditCtrl::ExtendMouseSelection(CPoint point)
{
    point.x = std::clamp<LONG>(point.x, m_rectText.left + 1, std::max(m_rectText.left + 1, m_rectText.right - 1));
    POINT hit = point;
    const int offset = OffsetFromPoint(hit, FALSE, TRUE);
    if (offset < 0)
        return FALSE;
    const int anchor = HasSelection() ? m_nSelStart : m_nCaretOffset;
    if (HasSelection() && offset == m_nSelEnd)
        return FALSE;
    SetSelection(anchor, offset, FALSE, TRUE);
    SetCaret(offset, TRUE, TRUE);
    return TRUE;
}

void CKtvPEditCtrl::OnMouseMoveMessage(CPoint point)
{
    if (m_bDraggingText) {
        m_ptLastMouse = point;
        return;
    }
    if (::GetCapture() != m_hWnd) {
        UpdateHotLink(point);
        UpdateTipOnMouseMove(point);
    }
    if (!m_bSelectingByMouse || ::GetCapture() != m_hWnd)
        return;
    m_ptLastMouse = point;
    const BOOL outside = !::PtInRect(&m_rectText, point);
    if (outside && !m_bDragTimer)
        m_bDragTimer = ::SetTimer(m_hWnd, KTVP_TIMER_DRAG_SCROLL, KTVP_DRAG_SCROLL_INTERVAL, nullptr) != 0;
    else if (!outside && m_bDragTimer) {
        ::KillTimer(m_hWnd, KTVP_TIMER_DRAG_SCROLL);
        m_bDragTimer = FALSE;
    }
    ExtendMouseSelection(point);
}

void CKtvPEditCtrl::OnDragScrollTimer()
{
    if (!m_bSelectingByMouse)
        return;
    // Past the top or bottom edge the view moves one row each tick.
    if (m_ptLastMouse.y < m_rectText.top)
        ScrollText(SB_VERT, SB_LINEUP, 0);
    else if (m_ptLastMouse.y >= m_rectText.bottom)
        ScrollText(SB_VERT, SB_LINEDOWN, 0);
    ExtendMouseSelection(m_ptLastMouse);
}

void CKtvPEditCtrl::OnButtonUp()
{
    if (m_bDraggingText) {
        m_bDraggingText = FALSE;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        EndTextDrag(m_ptLastMouse);
        return;
    }
    if (m_bDragTimer) {
        ::KillTimer(m_hWnd, KTVP_TIMER_DRAG_SCROLL);
        m_bDragTimer = FALSE;
    }
    const BOOL wasSelecting = m_bSelectingByMouse;
    m_bSelectingByMouse = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!wasSelecting)
        return;
    m_nRememberedColumn = m_nCurrentColumn;
    if (HasSelection() && m_nSelStart == m_nSelEnd)
        RemoveSelection(FALSE, TRUE, TRUE);
}

void CKtvPEditCtrl::OnRightButtonDown(CPoint point)
{
    if (::GetFocus() != m_hWnd)
        ::SetFocus(m_hWnd);
    if (m_bDragTimer) {
        ::KillTimer(m_hWnd, KTVP_TIMER_DRAG_SCROLL);
        m_bDragTimer = FALSE;
    }
    m_bSelectingByMouse = FALSE;
    m_bDraggingText = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    // A click in the selection keeps it for a context menu.
    if (IsPointInSelection(point))
        return;
    RemoveSelection(FALSE, TRUE, TRUE);
    POINT hit = point;
    const int offset = OffsetFromPoint(hit, FALSE, TRUE);
    if (offset >= 0)
        SetCaret(offset, TRUE, TRUE);
}

LRESULT CKtvPEditCtrl::OnMouseWheel(int nDelta)
{
    const int pageRows = GetPageRows();
    if (GetVisibleRowCount() - 1 < pageRows || m_nFirstVisibleRow >= GetVisibleRowCount() - 1)
        return FALSE;
    const int steps = (nDelta < 0 ? -nDelta : nDelta) / WHEEL_DELTA;
    BOOL scrolled = FALSE;
    for (int step = 0; step < steps; ++step)
        scrolled = ScrollText(SB_VERT, nDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0) || scrolled;
    if (scrolled)
        SetCaret(m_nCaretOffset, FALSE, FALSE);
    return TRUE;
}

BOOL CKtvPEditCtrl::OnSetCursor()
{
    POINT pt{};
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWnd, &pt);
    if (!::PtInRect(&m_rectText, pt) || IsPointInSelection(pt))
        return FALSE;
    if (IsHyperlinkSupportEnabled() && ::GetCapture() != m_hWnd) {
        UpdateHotLink(pt);
        if (m_nHotLink >= 0 && (::GetKeyState(VK_CONTROL) & 0x8000) != 0) {
            if (m_hLinkCursor == nullptr)
                m_hLinkCursor = ::LoadCursor(nullptr, IDC_HAND);
            ::SetCursor(m_hLinkCursor);
            return TRUE;
        }
    }
    if (m_bReadOnly) {
        // Beyond the end of a row a read-only control shows the arrow.
        POINT hit = pt;
        const int offset = OffsetFromPoint(hit, FALSE, TRUE);
        POINT at{};
        OffsetToPoint(std::max(0, offset), at);
        if (pt.x - at.x > m_nMaxCharWidth || pt.y - at.y > m_nRowHeight)
            return FALSE;
    }
    ::SetCursor(::LoadCursor(nullptr, IDC_IBEAM));
    return TRUE;
}

void CKtvPEditCtrl::OnButtonDoubleClick(CPoint point)
{
    if (m_bIntelliSenseOpen)
        return;
    POINT hit = point;
    const int offset = OffsetFromPoint(hit, FALSE, TRUE);
    if (offset < 0)
        return;
    if (CKtvPOutlineNode* pFold = GetCollapsedNodeAtPoint(point.x, point.y, offset)) {
        ToggleOutlineNode(pFold);
        return;
    }
    const std::string_view text = m_text.View();
    const int length = static_cast<int>(text.size());
    auto isSpace = [&](int at) { return at >= 0 && at < length && (text[at] == ' ' || text[at] == '\t'); };
    int start = offset;
    int end = offset;
    if (isSpace(offset) && (isSpace(offset - 1) || isSpace(offset + 1))) {
        while (isSpace(start - 1))
            --start;
        while (isSpace(end))
            ++end;
    } else {
        int probe = offset;
        auto isBlank = [&](int at) { return at < length && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n'); };
        while (isBlank(probe))
            ++probe;
        // Only blanks up to the end: the word before them.
        if (probe >= length && isBlank(offset))
            probe = offset;
        if (!GetWordBoundsAt(std::min(probe, length), nullptr, start, end))
            return;
    }
    if (end <= start)
        return;
    SetSelection(start, end, FALSE, TRUE);
    SetCaret(end, TRUE, TRUE);
    RedrawRows(0, -1);
}
