#include "sqleditor/CustomerEditCtrl.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <clocale>
#include <cwchar>
#include <locale.h>
#include <cwctype>
#include <string>

#include "app/MainFrame.h"
#include "editctrl/KtvPIntelliSenseData.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CWinApp.h"
#include "resources/resource.h"
#include "sqleditor/FuncTipWnd.h"

// ---------------------------------------------------------------- ordered map

void CSqlOrderedStringMap::SetAt(LPCTSTR lpszKey, LPCTSTR lpszValue)
{
    CString strOld;
    if (!m_map.Lookup(lpszKey, strOld))
        m_arrKeys.Add(lpszKey);
    m_map.SetAt(lpszKey, lpszValue);
}

BOOL CSqlOrderedStringMap::RemoveKey(LPCTSTR lpszKey)
{
    if (!m_map.RemoveKey(lpszKey))
        return FALSE;
    for (INT_PTR i = 0; i < m_arrKeys.GetSize(); ++i) {
        if (m_arrKeys[i] == lpszKey) {
            m_arrKeys.RemoveAt(i);
            break;
        }
    }
    return TRUE;
}

void CSqlOrderedStringMap::RemoveAll()
{
    m_map.RemoveAll();
    m_arrKeys.RemoveAll();
}

CString CSqlOrderedStringMap::GetValueAt(INT_PTR nIndex) const
{
    CString strValue;
    m_map.Lookup(m_arrKeys.GetAt(nIndex), strValue);
    return strValue;
}

POSITION CSqlOrderedStringMap::GetStartPosition() const
{
    // Positions are 1-based indexes of the key array, null at the end.
    return m_arrKeys.GetSize() == 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

void CSqlOrderedStringMap::GetNextAssoc(POSITION& rNextPosition, CString& rKey, CString& rValue) const
{
    const INT_PTR index = reinterpret_cast<INT_PTR>(rNextPosition) - 1;
    rKey = m_arrKeys.GetAt(index);
    rValue = GetValueAt(index);
    rNextPosition = index + 1 < m_arrKeys.GetSize() ? reinterpret_cast<POSITION>(index + 2) : nullptr;
}

// ---------------------------------------------------------------- construction

namespace {

CMainFrame* CustomerEditMainFrame()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? dynamic_cast<CMainFrame*>(pApp->m_pMainWnd) : nullptr;
}

// Base WM_CREATE handling, then the settings file and the completion switch.
int CustomerEditCreate(CKtvPEditCtrl& edit, LRESULT lBase, BOOL bIntelliSense)
{
    if (lBase == -1)
        return -1;
    edit.LoadXMLSettings(SQLED_SETTINGS_FILE);
    edit.EnableIntelliSense(bIntelliSense);
    return 0;
}

// The text in upper or lower case, read as UTF-8 with the C runtime's
// multibyte functions; bytes that are no character stay as they are.
std::string CustomerEditChangeCase(const std::string& text, BOOL bUpper)
{
    locale_t hUtf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    locale_t hOld = hUtf8 != static_cast<locale_t>(nullptr) ? uselocale(hUtf8) : static_cast<locale_t>(nullptr);
    std::string converted;
    std::mbstate_t inState{};
    std::mbstate_t outState{};
    const char* p = text.c_str();
    const char* end = p + text.size();
    while (p < end) {
        wchar_t wc = 0;
        const size_t n = std::mbrtowc(&wc, p, static_cast<size_t>(end - p), &inState);
        if (n == static_cast<size_t>(-1) || n == static_cast<size_t>(-2) || n == 0) {
            converted.push_back(*p++);
            inState = std::mbstate_t{};
            continue;
        }
        const auto out = static_cast<wchar_t>(bUpper ? std::towupper(static_cast<wint_t>(wc))
                                                     : std::towlower(static_cast<wint_t>(wc)));
        char buffer[MB_LEN_MAX];
        const size_t m = std::wcrtomb(buffer, out, &outState);
        if (m == static_cast<size_t>(-1)) {
            converted.append(p, n);
            outState = std::mbstate_t{};
        } else {
            converted.append(buffer, m);
        }
        p += n;
    }
    if (hUtf8 != static_cast<locale_t>(nullptr)) {
        uselocale(hOld);
        freelocale(hUtf8);
    }
    return converted;
}

} // namespace

CCustomerEditCtrl::CCustomerEditCtrl() : m_pMainFrame(CustomerEditMainFrame()) {}

CCustomerEditCtrl::~CCustomerEditCtrl()
{
    // The tip points back at its editor: it goes first.
    if (m_pFuncTipWnd != nullptr && ::IsWindow(m_pFuncTipWnd->m_hWnd))
        m_pFuncTipWnd->DestroyWindow();
    m_mapMemberList.RemoveAll();
    m_mapObjectTypes.RemoveAll();
    m_mapKnownNames.RemoveAll();
    m_mapTips.RemoveAll();
}

// ---------------------------------------------------------------- messages

CCustomerEditCtrl::CurrentMessage::CurrentMessage(CCustomerEditCtrl& edit, UINT message, WPARAM wParam,
                                                  LPARAM lParam)
    : m_edit(edit), m_nOldMsg(edit.m_nMsg), m_wOldParam(edit.m_wParam), m_lOldParam(edit.m_lParam)
{
    edit.m_nMsg = message;
    edit.m_wParam = wParam;
    edit.m_lParam = lParam;
}

CCustomerEditCtrl::CurrentMessage::~CurrentMessage()
{
    m_edit.m_nMsg = m_nOldMsg;
    m_edit.m_wParam = m_wOldParam;
    m_edit.m_lParam = m_lOldParam;
}

LRESULT CCustomerEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CurrentMessage current(*this, message, wParam, lParam);
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    LRESULT lResult = 0;
    switch (message) {
    case WM_CREATE: lResult = OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)); break;
    case WM_LBUTTONDBLCLK: OnMarginDblClk(static_cast<UINT>(wParam), point); break;
    case WM_CHAR:
        OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), point); break;
    case WM_RBUTTONDOWN: OnRButtonDown(static_cast<UINT>(wParam), point); break;
    case WM_MBUTTONDOWN: OnMButtonDown(static_cast<UINT>(wParam), point); break;
    case WM_MOUSEWHEEL:
        lResult = OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), point);
        break;
    default: lResult = CKtvPEditCtrl::WindowProc(message, wParam, lParam); break;
    }
    return lResult;
}

LRESULT CCustomerEditCtrl::RunBaseHandler()
{
    return CKtvPEditCtrl::WindowProc(m_nMsg, m_wParam, m_lParam);
}

int CCustomerEditCtrl::OnCreate(LPCREATESTRUCT /*lpCreateStruct*/)
{
    return CustomerEditCreate(*this, RunBaseHandler(), TRUE);
}

void CCustomerEditCtrl::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    const bool bText = (nChar < 0x80 && std::isprint(static_cast<int>(nChar)) != 0) || nChar >= 0x80;
    // DEL (Ctrl+Backspace) is not text; the base control agrees.
    if (bText && nChar != 0x7F && !m_bReadOnly) {
        if (HasSelection())
            DeleteSelectedText(TRUE, FALSE, TRUE);
        SetUndoActionReason(SQLED_UNDO_TYPING);
        m_nPreparedOffer = OfferNone;
        const int bProcedureBefore = m_bProcedureTip;
        const int bFunctionBefore = m_bFunctionTip;
        if (InsertChar(nChar, TRUE)) {
            // Only a kind prepared by this character makes a tip; one left
            // from before (an open tip's) does not turn a list into a tip.
            const BOOL bKindPrepared =
                (!bProcedureBefore && m_bProcedureTip) || (!bFunctionBefore && m_bFunctionTip);
            OpenOfferAfterChar(bKindPrepared);
        }
        m_nPreparedOffer = OfferNone;
        TrackFuncTipChar(nChar);
    }
    Default();
}

void CCustomerEditCtrl::OpenOfferAfterChar(BOOL bKindPrepared)
{
    if (!m_bEnableIntelliSense || m_nCaretOffset <= 0) {
        if (!m_bFuncTipOpen)
            m_bFunctionTip = m_bProcedureTip = 0;
        return;
    }
    CObList list;
    int nOffset = m_nCaretOffset;
    BOOL bFilled = FALSE;
    if (m_nPreparedOffer != OfferNone) {
        // The dispatch prepared an offer for this character: it opens
        // whatever the IntelliSense characters are.
        AddMemberListItems(list);
        bFilled = !list.IsEmpty();
    } else {
        const char chBefore = m_text.GetAt(m_nCaretOffset - 1);
        if (chBefore != '\0' && m_strIntelliSenseChars.Find(chBefore) >= 0)
            bFilled = FillIntelliSenseListAt(nOffset, list);
    }
    BOOL bTipShown = FALSE;
    if (bFilled && !list.IsEmpty()) {
        if (m_nPreparedOffer == OfferNone)
            m_nCaretOffset = nOffset;
        POINT pt{};
        OffsetToPoint(m_nCaretOffset, pt);
        ::ClientToScreen(m_hWnd, &pt);
        const bool bTip = m_nPreparedOffer == OfferFuncTip || (m_nPreparedOffer == OfferNone && bKindPrepared);
        if (bTip) {
            if (ShowFuncTipWnd(list, pt.x, pt.y)) {
                bTipShown = TRUE;
                m_bFuncTipOpen = 1;
                m_nFuncTipStart = m_nCaretOffset;
            }
        } else {
            ShowIntelliSenseWnd(list, pt.x, pt.y);
        }
    }
    KtvPDeleteIntelliSenseItems(list);
    // A preparation that opened nothing leaves nothing prepared.
    if (!bTipShown && !m_bFuncTipOpen)
        m_bFunctionTip = m_bProcedureTip = 0;
}

void CCustomerEditCtrl::AddMemberListItems(CObList& list) const
{
    POSITION pos = m_mapMemberList.GetStartPosition();
    while (pos != nullptr) {
        CString strKey;
        CString strValue;
        m_mapMemberList.GetNextAssoc(pos, strKey, strValue);
        auto* pItem = new CKtvPIntelliSenseData;
        pItem->m_strText = strKey;
        pItem->m_nImage = atoi(strValue);
        list.AddTail(pItem);
    }
}

void CCustomerEditCtrl::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    TrackFuncTipKey(nChar);
    RunBaseHandler();
}

void CCustomerEditCtrl::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    CloseFuncTip();
    RunBaseHandler();
}

void CCustomerEditCtrl::OnRButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    CloseFuncTip();
    RunBaseHandler();
}

void CCustomerEditCtrl::OnMButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    CloseFuncTip();
    Default();
}

BOOL CCustomerEditCtrl::OnMouseWheel(UINT /*nFlags*/, short /*zDelta*/, CPoint /*pt*/)
{
    CloseFuncTip();
    return static_cast<BOOL>(RunBaseHandler());
}

void CCustomerEditCtrl::OnMarginDblClk(UINT /*nFlags*/, CPoint point)
{
    if (m_bMarginBreakpoints && point.x < std::max(0, m_nMarkerMarginWidth)) {
        const int nLine = m_text.RowOfOffset(m_nCaretOffset);
        CKtvPEditMarker* pMarker = nullptr;
        const BOOL bHad = FindMarker(nLine, &pMarker, SQLED_MARKER_BREAKPOINT) != nullptr;
        ToggleMarker(nLine, SQLED_MARKER_BREAKPOINT);
        if (!bHad)
            SetLineColorMarker(nLine, RGB(255, 255, 255), RGB(127, 0, 0), TRUE, 0, SQLED_MARKER_BREAKPOINT_LINE);
        else
            DeleteMarker(nLine, SQLED_MARKER_BREAKPOINT_LINE);
    }
    RunBaseHandler();
}

// ---------------------------------------------------------------- comments

BOOL CCustomerEditCtrl::CommentSelection(BOOL bComment)
{
    if (m_bReadOnly) {
        ::MessageBeep(static_cast<UINT>(-1));
        return FALSE;
    }
    int nLow = -1;
    int nHigh = -1;
    if (HasSelection()) {
        nLow = std::min(m_nSelStart, m_nSelEnd);
        nHigh = std::max(m_nSelStart, m_nSelEnd);
        if (nHigh > nLow && nHigh == GetRowStartOffset(nHigh))
            --nHigh;
    }
    if (GetTextLength() == 0)
        return FALSE;
    auto* pData = new CKtvPUndoLinesData;
    if (!CommentRows(nLow, nHigh, bComment, m_bBlockMode, TRUE, pData)) {
        delete pData;
        OnFailedOperation(KTVP_FAIL_INDENT);
        return FALSE;
    }
    // Rows that needed no change leave no step that would undo nothing.
    bool bChanged = false;
    for (INT_PTR i = 0; i < pData->m_arrStrings.GetSize(); ++i)
        bChanged = bChanged || !pData->m_arrStrings[i].IsEmpty();
    if (!bChanged) {
        delete pData;
        return TRUE;
    }
    pData->m_nStart = m_nSelStart;
    pData->m_nEnd = m_nSelEnd;
    if (pData->m_nEnd > 0 && pData->m_nEnd == GetRowStartOffset(pData->m_nEnd))
        --pData->m_nEnd;
    pData->m_bDirection = bComment;
    SetUndoActionReason(bComment ? SQLED_UNDO_COMMENT : SQLED_UNDO_UNCOMMENT);
    AddUndoCustomAction(pData, KTVP_UNDO_CUSTOM, TRUE);
    return TRUE;
}

BOOL CCustomerEditCtrl::CommentRows(int nLow, int nHigh, BOOL bComment, BOOL bBlock, BOOL bSelect,
                                   CKtvPUndoLinesData* pData)
{
    if (bBlock)
        return FALSE;
    // Without a selection every row is taken. Rows keep their numbers: the
    // marks hold no line break.
    const int nFirstRow = nLow >= 0 ? m_text.RowOfOffset(nLow) : 0;
    const int nEndRow = nLow >= 0 ? m_text.RowOfOffset(nHigh) : m_text.RowOfOffset(GetTextLength());
    const BOOL bRanBackwards = m_nSelStart > m_nSelEnd;
    int nLastRow = nFirstRow;
    for (int nRow = nFirstRow; nRow <= nEndRow; ++nRow) {
        const int nRowStart = m_text.RowStart(nRow);
        // The empty row after a final line break is not a row of the text.
        if (nRow > nFirstRow && nRowStart >= GetTextLength())
            break;
        nLastRow = nRow;
        const int nFirstNonBlank = FirstNonBlankOfRow(nRow);
        if (bComment) {
            static const CString strMark("--");
            CanInsertText(strMark, nFirstNonBlank);
            ChangeInsert(nFirstNonBlank, strMark, FALSE);
            OnTextChanged(nFirstNonBlank, strMark, TRUE);
            pData->AddLine(nRow, nFirstNonBlank - nRowStart, strMark);
        } else {
            // Past a "--" after the blanks, then at most two characters back,
            // never before the row start.
            int nPos = nFirstNonBlank;
            if (m_text.GetAt(nPos) == '-' && m_text.GetAt(nPos + 1) == '-')
                nPos += 2;
            const int nFrom = std::max(nRowStart, nPos - 2);
            const CString strRemoved = m_text.Mid(nFrom, nPos - nFrom);
            if (!strRemoved.IsEmpty()) {
                CanDeleteText(nFrom, strRemoved);
                ChangeDelete(nFrom, nPos);
                OnTextChanged(nFrom, strRemoved, FALSE);
            }
            pData->AddLine(nRow, nFrom - nRowStart, strRemoved);
        }
    }
    if (bSelect)
        SelectWholeRows(nFirstRow, nLastRow, bRanBackwards);
    UpdateScrollBars();
    if (nFirstRow < m_nFirstVisibleRow) {
        ScrollText(SB_VERT, SB_THUMBPOSITION, nFirstRow);
        RedrawRows(0, -1);
    } else {
        RedrawRows(nFirstRow, std::max(nFirstRow, GetVisibleRowCount()));
    }
    if (bSelect)
        SetCaret(m_nSelEnd, TRUE, TRUE);
    return TRUE;
}

BOOL CCustomerEditCtrl::UnindentCaretRow()
{
    if (m_bReadOnly) {
        ::MessageBeep(static_cast<UINT>(-1));
        return FALSE;
    }
    const int nCaret = m_nCaretOffset;
    const int nRowStart = GetRowStartOffset(nCaret);
    const int nLength = GetTextLength();
    auto* pData = new CKtvPUndoLinesData;
    IndentRows(nRowStart, nRowStart, FALSE, m_bBlockMode, FALSE, pData, FALSE);
    const int nRemoved = nLength - GetTextLength();
    if (nRemoved <= 0) {
        delete pData;
        OnFailedOperation(KTVP_FAIL_INDENT);
        return FALSE;
    }
    pData->m_nStart = pData->m_nEnd = nRowStart;
    pData->m_bDirection = FALSE;
    SetUndoActionReason(KTVP_REASON_UNINDENT);
    AddUndoCustomAction(pData, KTVP_UNDO_CUSTOM, TRUE);
    SetCaret(std::max(nRowStart, nCaret - nRemoved), TRUE, TRUE);
    return TRUE;
}

// ---------------------------------------------------------------- case and replace

BOOL CCustomerEditCtrl::ChangeSelectionCase(BOOL bUpper)
{
    if (m_bReadOnly) {
        ::MessageBeep(static_cast<UINT>(-1));
        return FALSE;
    }
    if (!HasSelection())
        return FALSE;
    const int nLow = std::min(m_nSelStart, m_nSelEnd);
    const int nHigh = std::max(m_nSelStart, m_nSelEnd);
    CString strText = GetTextRange(nLow, nHigh);
    if (strText.IsEmpty())
        return FALSE;
    const std::string converted = CustomerEditChangeCase(static_cast<LPCTSTR>(strText), bUpper);
    // Deletion and insertion are one undo step.
    m_nSelStart = nLow;
    m_nSelEnd = nHigh;
    DeleteSelectedText(FALSE, FALSE, TRUE);
    InsertText(converted.c_str(), nLow, TRUE, FALSE, TRUE, FALSE, TRUE);
    return TRUE;
}

BOOL CCustomerEditCtrl::ReplaceSelText(LPCTSTR lpszText, BOOL /*bUnused*/, int nStart, int nEnd)
{
    if (nStart == -1 && nEnd == -1)
        GetSel(nStart, nEnd);
    const int nLow = std::min(nStart, nEnd);
    const int nHigh = std::max(nStart, nEnd);
    const CString strText(lpszText != nullptr ? lpszText : "");
    if (nLow >= 0 && nHigh > nLow && nLow < GetTextLength()) {
        // Deletion and insertion are one undo step.
        m_nSelStart = nLow;
        m_nSelEnd = std::min(nHigh, GetTextLength());
        if (strText.IsEmpty())
            return DeleteSelectedText(TRUE, FALSE, FALSE);
        DeleteSelectedText(FALSE, FALSE, TRUE);
    }
    if (strText.IsEmpty())
        return FALSE;
    return InsertText(strText, nLow, TRUE, FALSE, TRUE, FALSE, TRUE);
}

// ---------------------------------------------------------------- tips and hooks

void CCustomerEditCtrl::InitTipMap()
{
    m_mapTips.SetAt("ind", "int ind = -1");
}

BOOL CCustomerEditCtrl::OnGetTipText(CString& strTip)
{
    POINT pt{};
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWnd, &pt);
    CString strOther;
    if (IsHyperlinkSupportEnabled() && GetHyperlinkTipText(strOther) && strOther == strTip)
        return TRUE;
    strOther.Empty();
    if (IsOutliningEnabled() && GetCollapsedBlockTipText(pt, strOther) && strOther == strTip)
        return TRUE;
    CString strDictionary;
    if (m_mapTips.Lookup(strTip, strDictionary)) {
        strTip = strDictionary;
        return TRUE;
    }
    return m_bEnableIntelliSense;
}

void CCustomerEditCtrl::OnFailedOperation(DWORD dwCode)
{
    CKtvPEditCtrl::OnFailedOperation(dwCode);
    switch (dwCode) {
    case KTVP_FAIL_PAGE_UP:
        AfxMessageBox(IDS_PAGE_UP_FAILED, MB_OK);
        ::MessageBeep(static_cast<UINT>(-1));
        break;
    case SQLED_FAIL_EDIT_1:
    case SQLED_FAIL_EDIT_2:
    case KTVP_FAIL_COPY:
    case SQLED_FAIL_EDIT_4:
        AfxMessageBox(IDS_EDIT_FAILED, MB_OK);
        ::MessageBeep(static_cast<UINT>(-1));
        break;
    case KTVP_FAIL_NO_SELECTION:
    case KTVP_FAIL_INDENT:
    case KTVP_FAIL_DROP: break;
    default: ::MessageBeep(static_cast<UINT>(-1)); break;
    }
}

BOOL CCustomerEditCtrl::CanMoveMarker(CKtvPEditMarker* pMarker)
{
    return pMarker == nullptr || (pMarker->m_dwMarkerType & SQLED_MARKER_PINNED) == 0;
}

BOOL CCustomerEditCtrl::CanDeleteMarker(CKtvPEditMarker* pMarker)
{
    return CanMoveMarker(pMarker);
}

void CCustomerEditCtrl::OnDrawMarker(CDC* pDC, CRect rect, const CKtvPEditMarker* pMarker)
{
    if (!m_bMarginBreakpoints || (pMarker->m_dwMarkerType & SQLED_MARKER_BREAKPOINT) == 0) {
        CKtvPEditCtrl::OnDrawMarker(pDC, rect, pMarker);
        return;
    }
    rect.InflateRect(-1, -1);
    const int nDiameter = rect.Height();
    const int nLeft = rect.left + rect.Width() / 2 - nDiameter / 2 - 1;
    CPen pen(PS_SOLID, 1, RGB(127, 0, 0));
    CBrush brush(RGB(127, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Ellipse(nLeft, rect.top, nLeft + nDiameter, rect.top + nDiameter);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

void CCustomerEditCtrl::OnGetCharColor(TCHAR ch, int nOffset, COLORREF& clrText, COLORREF& clrBack)
{
    if (!m_bPlaceholderColors)
        return;
    if (ch == '<' || ch == '>' || ch == '/') {
        clrText = RGB(0, 0, 255);
        return;
    }
    int nStart = -1;
    int nEnd = -1;
    if (!FindEnclosingPair(nOffset, '<', '>', nStart, nEnd)) {
        clrText = GetDefaultTextColor();
        clrBack = GetDefaultBackColor();
        return;
    }
    if (nEnd - nStart >= 2 && m_text.GetAt(nStart + 1) == '%' && m_text.GetAt(nEnd - 1) == '%')
        return;
    if (clrText == GetDefaultTextColor())
        clrText = ch == '=' ? RGB(0, 0, 255) : RGB(255, 0, 0);
}

// ---------------------------------------------------------------- plain SQL control

CCustomerViewEditCtrl::CCustomerViewEditCtrl() = default;

CCustomerViewEditCtrl::~CCustomerViewEditCtrl() = default;

LRESULT CCustomerViewEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
    return CKtvPEditCtrl::WindowProc(message, wParam, lParam);
}

int CCustomerViewEditCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const LRESULT lBase = CKtvPEditCtrl::WindowProc(WM_CREATE, 0, reinterpret_cast<LPARAM>(lpCreateStruct));
    return CustomerEditCreate(*this, lBase, FALSE);
}
