#include "ui/controls/KtvPMaskEdit.h"

#include <algorithm>
#include <cctype>

IMPLEMENT_DYNAMIC(CKtvPMaskEdit, CEdit)

BEGIN_MESSAGE_MAP(CKtvPMaskEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONUP()
    ON_CONTROL_REFLECT_EX(EN_SETFOCUS, OnSetFocusR)
    ON_CONTROL_REFLECT_EX(EN_UPDATE, OnUpdateR)
END_MESSAGE_MAP()

CKtvPMaskEdit::CKtvPMaskEdit() : m_chMaskInputTemplate(_T('_')), m_bSelectByGroup(TRUE) {}

CKtvPMaskEdit::~CKtvPMaskEdit() = default;

BOOL CKtvPMaskEdit::AcceptsChar(TCHAR ch, TCHAR chMask) const
{
    const int c = (unsigned char)ch;
    switch (chMask) {
    case _T('D'): return isdigit(c) != 0;
    case _T('d'): return isdigit(c) || c == ' ';
    case _T('C'): return isalpha(c) != 0;
    case _T('c'): return isalpha(c) || c == ' ';
    case _T('A'): return isalnum(c) != 0;
    case _T('a'): return isalnum(c) || c == ' ';
    case _T('*'): return isprint(c) != 0;
    case _T('+'): return c == '+' || c == '-' || c == ' ';
    default: return FALSE;
    }
}

void CKtvPMaskEdit::SetFormat(LPCTSTR lpszMask, LPCTSTR lpszInputTemplate, TCHAR chMaskInputTemplate,
                              LPCTSTR lpszValid)
{
    m_strMask = lpszMask;
    m_strInputTemplate = lpszInputTemplate;
    m_chMaskInputTemplate = chMaskInputTemplate;
    m_str = lpszInputTemplate;
    SetAllowedChars(lpszValid);
}

void CKtvPMaskEdit::SetAllowedChars(LPCTSTR lpszValid) { m_strValid = lpszValid == nullptr ? _T("") : lpszValid; }

BOOL CKtvPMaskEdit::IsInputPos(int nPos) const
{
    if (m_strInputTemplate.IsEmpty()) return nPos >= 0 && nPos < m_str.GetLength();
    return nPos >= 0 && nPos < m_strInputTemplate.GetLength() && m_strInputTemplate[nPos] == _T('_');
}

BOOL CKtvPMaskEdit::FitsPos(TCHAR ch, int nPos) const
{
    if (m_strMask.IsEmpty()) return m_strValid.IsEmpty() || m_strValid.Find(ch) >= 0;
    if (!IsInputPos(nPos) || nPos >= m_strMask.GetLength()) return FALSE;
    if (!AcceptsChar(ch, m_strMask[nPos])) return FALSE;
    return m_strValid.IsEmpty() || m_strValid.Find(ch) >= 0;
}

int CKtvPMaskEdit::RunEnd(int nPos, int nGroupEnd) const
{
    int j = nPos + 1;
    while (j < nGroupEnd && j < m_strMask.GetLength() && m_strMask[j] == m_strMask[nPos]) ++j;
    return std::min(j, nGroupEnd);
}

void CKtvPMaskEdit::FindGroup(int nPos, BOOL bForward, int& nStart, int& nEnd) const
{
    nStart = -1;
    nEnd = 0;
    const int nLen = m_str.GetLength();
    if (m_strInputTemplate.IsEmpty()) {
        nStart = 0;
        nEnd = nLen;
        return;
    }
    if (bForward) {
        int p = std::max(0, nPos);
        while (p > 0 && IsInputPos(p - 1)) --p;
        while (p < nLen && !IsInputPos(p)) ++p;
        if (p >= nLen) return;
        nStart = p;
        nEnd = p;
        while (nEnd < nLen && IsInputPos(nEnd)) ++nEnd;
        return;
    }
    int p = std::min(nPos, nLen);
    if (p <= 0) return;
    while (p < nLen && IsInputPos(p)) ++p;
    int i = p - 1;
    while (i >= 0 && !IsInputPos(i)) --i;
    if (i < 0) return;
    nEnd = i + 1;
    while (i > 0 && IsInputPos(i - 1)) --i;
    nStart = i;
}

BOOL CKtvPMaskEdit::StoreText(LPCTSTR lpszText, BOOL bWithDelimiters)
{
    const CString strText = lpszText == nullptr ? _T("") : lpszText;
    const int nLen = strText.GetLength();
    if (!m_strMask.IsEmpty()) {
        int nInputs = 0;
        for (int i = 0; i < m_strInputTemplate.GetLength(); ++i)
            if (m_strInputTemplate[i] == _T('_')) ++nInputs;
        if (bWithDelimiters ? nLen > m_strMask.GetLength() : nLen > nInputs) return FALSE;
    }
    if (!m_strValid.IsEmpty()) {
        for (int i = 0; i < nLen; ++i) {
            const TCHAR ch = strText[i];
            const BOOL bLiteral = i < m_strInputTemplate.GetLength() && m_strInputTemplate[i] != _T('_');
            if (!bLiteral && ch != m_chMaskInputTemplate && m_strValid.Find(ch) < 0) return FALSE;
        }
    }
    if (m_strMask.IsEmpty()) {
        m_str = strText;
        return TRUE;
    }
    CString strNew = m_strInputTemplate;
    for (int j = 0; j < strNew.GetLength(); ++j)
        if (strNew[j] == _T('_')) strNew.SetAt(j, m_chMaskInputTemplate);
    for (int j = 0, k = 0; j < strNew.GetLength() && k < nLen; ++j) {
        const TCHAR ch = strText[k];
        if (m_strInputTemplate[j] == _T('_')) {
            if (ch != m_chMaskInputTemplate && !AcceptsChar(ch, m_strMask[j])) return FALSE;
            strNew.SetAt(j, ch);
            ++k;
        } else if (bWithDelimiters) {
            if (ch != m_strInputTemplate[j]) return FALSE;
            ++k;
        }
    }
    m_str = strNew;
    return TRUE;
}

int CKtvPMaskEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CEdit::OnCreate(lpCreateStruct) == -1) return -1;
    SetWindowText(m_str);
    return 0;
}

void CKtvPMaskEdit::ReplaceRange(int nStart, int nEnd, const CString& strNew)
{
    // The value first: the edit's change notification then finds nothing to store.
    m_str = m_str.Left(nStart) + strNew + m_str.Mid(nEnd);
    SetSel(nStart, nEnd);
    ReplaceSel(strNew, TRUE);
}

void CKtvPMaskEdit::SelectFirstGroup()
{
    if (!m_bSelectByGroup) {
        SetSel(0, -1);
        return;
    }
    int nStart = 0, nEnd = 0;
    FindGroup(0, TRUE, nStart, nEnd);
    if (nStart >= 0) SetSel(nStart, nEnd);
}

BOOL CKtvPMaskEdit::CheckSelInGroup(int nStart, int nEnd, int& nGroupStart, int& nGroupEnd)
{
    FindGroup(nStart, TRUE, nGroupStart, nGroupEnd);
    if (nGroupStart < 0 || nStart < nGroupStart || nStart > nGroupEnd || nEnd < nGroupStart || nEnd > nGroupEnd) {
        MessageBeep((UINT)-1);
        if (nGroupStart >= 0) SetSel(nGroupStart, nGroupEnd);
        return FALSE;
    }
    return TRUE;
}

void CKtvPMaskEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    if (nChar < 0x20 || nChar == 0x7F || bCtrl || nChar > 0xFF) {
        if (!m_strMask.IsEmpty() && (nChar == 8 || nChar == 0x2E) && !bCtrl) return;
        CEdit::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    TCHAR ch = (TCHAR)nChar;
    if (GetStyle() & ES_UPPERCASE) ch = (TCHAR)toupper((unsigned char)ch);
    if (GetStyle() & ES_LOWERCASE) ch = (TCHAR)tolower((unsigned char)ch);

    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    int nGroupStart = 0, nGroupEnd = 0;
    if (!CheckSelInGroup(nStart, nEnd, nGroupStart, nGroupEnd)) return;

    if (nStart == nEnd) {
        if (m_strMask.IsEmpty()) {
            if (FitsPos(ch, nStart)) {
                CEdit::OnChar(ch, nRepCnt, nFlags);
                GetWindowText(m_str);
            } else {
                MessageBeep((UINT)-1);
            }
            return;
        }
        int nPos = nStart;
        if (nPos == nGroupEnd) {
            int nNext = -1, nNextEnd = 0;
            if (nPos < m_str.GetLength() - 1) FindGroup(nPos + 1, TRUE, nNext, nNextEnd);
            if (nNext < 0 || nNext <= nPos) {
                MessageBeep((UINT)-1);
                return;
            }
            nPos = nNext;
            nGroupEnd = nNextEnd;
        }
        if (!FitsPos(ch, nPos)) {
            MessageBeep((UINT)-1);
            return;
        }
        ReplaceRange(nPos, nPos + 1, CString(ch));
        ++nPos;
        SetSel(nPos, nPos);
        if (nPos == nGroupEnd) {
            int nNext = -1, nNextEnd = 0;
            if (nPos < m_str.GetLength()) FindGroup(nPos + 1, TRUE, nNext, nNextEnd);
            if (nNext > nPos - 1 && nNext >= nPos) SetSel(nNext, nNext);
        }
        return;
    }
    if (!FitsPos(ch, nStart)) {
        MessageBeep((UINT)-1);
        return;
    }
    if (m_strInputTemplate.IsEmpty()) {
        CEdit::OnChar(ch, nRepCnt, nFlags);
        GetWindowText(m_str);
        return;
    }
    const int nRunEnd = RunEnd(nStart, nGroupEnd);
    const int nSelLen = nEnd - nStart;
    if (nSelLen > nRunEnd - nStart) {
        MessageBeep((UINT)-1);
        SetSel(nStart, nRunEnd);
        return;
    }
    CString strNew = CString(ch) + m_str.Mid(nEnd, nRunEnd - nEnd);
    for (int i = 1; i < nSelLen; ++i) strNew += m_chMaskInputTemplate;
    ReplaceRange(nStart, nRunEnd, strNew);
    SetSel(nStart + 1, nStart + 1);
}

void CKtvPMaskEdit::DeleteChars(BOOL bBack)
{
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    int nGroupStart = 0, nGroupEnd = 0;
    if (!CheckSelInGroup(nStart, nEnd, nGroupStart, nGroupEnd)) return;
    if (nStart == nEnd) {
        if (m_strMask.IsEmpty()) {
            DefWindowProc(WM_KEYDOWN, bBack ? VK_BACK : VK_DELETE, 0);
            GetWindowText(m_str);
            return;
        }
        if (bBack && nStart == nGroupStart) {
            int nPrev = -1, nPrevEnd = 0;
            if (nStart > 1) FindGroup(nStart - 1, FALSE, nPrev, nPrevEnd);
            if (nPrev < 0 || nPrevEnd >= nStart)
                MessageBeep((UINT)-1);
            else
                SetSel(nPrevEnd, nPrevEnd);
            return;
        }
        if (!bBack && nStart == nGroupEnd) {
            MessageBeep((UINT)-1);
            return;
        }
        const int p = bBack ? nStart - 1 : nStart;
        const int nRunEnd = RunEnd(p, nGroupEnd);
        const int nRunLen = nRunEnd - p;
        if (nRunEnd < nGroupEnd) {
            for (int i = p; i < nGroupEnd - nRunLen; ++i) {
                const TCHAR ch = m_str[i];
                if (ch != m_chMaskInputTemplate && !AcceptsChar(ch, m_strMask[i])) {
                    MessageBeep((UINT)-1);
                    return;
                }
            }
        }
        ReplaceRange(p, nRunEnd, m_str.Mid(p + 1, nRunEnd - p - 1) + CString(m_chMaskInputTemplate));
        SetSel(p, p);
        return;
    }
    if (m_strInputTemplate.IsEmpty()) {
        DefWindowProc(WM_KEYDOWN, bBack ? VK_BACK : VK_DELETE, 0);
        GetWindowText(m_str);
        return;
    }
    const int nRunEnd = RunEnd(nStart, nGroupEnd);
    const int nSelLen = nEnd - nStart;
    if (nSelLen > nRunEnd - nStart) {
        MessageBeep((UINT)-1);
        SetSel(nStart, nRunEnd);
        return;
    }
    CString strNew = m_str.Mid(nEnd, nRunEnd - nEnd);
    for (int i = 0; i < nSelLen; ++i) strNew += m_chMaskInputTemplate;
    ReplaceRange(nStart, nRunEnd, strNew);
    SetSel(nStart, nStart);
}

void CKtvPMaskEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    int nFirst = 0, nFirstEnd = 0;
    FindGroup(0, TRUE, nFirst, nFirstEnd);
    if (nFirst < 0) {
        MessageBeep((UINT)-1);
        return;
    }
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const int nLen = m_str.GetLength();
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    int nLast = 0, nLastEnd = 0;
    FindGroup(nLen, FALSE, nLast, nLastEnd);

    auto backGroup = [&](int& s, int& e) {
        FindGroup(nStart, FALSE, s, e);
        if (s < 0) {
            s = nFirst;
            e = nFirstEnd;
        }
    };
    auto foreGroup = [&](int& s, int& e) {
        FindGroup(nEnd, TRUE, s, e);
        if (s < 0) {
            s = nLast;
            e = nLastEnd;
        }
    };
    int s = 0, e = 0;
    switch (nChar) {
    case VK_BACK:
    case VK_DELETE:
        if (nChar == VK_DELETE && bShift) break;
        DeleteChars(nChar == VK_BACK);
        return;
    case VK_HOME:
        backGroup(s, e);
        SetSel(s, s);
        return;
    case VK_END:
        foreGroup(s, e);
        SetSel(e, e);
        return;
    case VK_LEFT:
    case VK_UP:
        backGroup(s, e);
        if (bCtrl) {
            int gs = -1, ge = 0;
            if (nStart > 1) FindGroup(nStart - 1, FALSE, gs, ge);
            if (gs < 0 || (gs == nStart && ge == nEnd))
                MessageBeep((UINT)-1);
            else
                SetSel(gs, ge);
            return;
        }
        if (bShift) {
            int nNew = nStart - 1;
            if (m_bSelectByGroup) nNew = std::max(nNew, s);
            SetSel(std::max(nNew, 0), nEnd);
            return;
        }
        if (nStart == nEnd && nStart == s) {
            int gs = -1, ge = 0;
            if (nStart > 1) FindGroup(nStart - 1, FALSE, gs, ge);
            if (gs < 0 || ge >= nStart)
                MessageBeep((UINT)-1);
            else
                SetSel(ge, ge);
            return;
        }
        SetSel(std::max(nStart - 1, s), std::max(nStart - 1, s));
        return;
    case VK_RIGHT:
    case VK_DOWN:
        foreGroup(s, e);
        if (bCtrl) {
            int gs = -1, ge = 0;
            if (nEnd < nLen - 1) FindGroup(nEnd + 1, TRUE, gs, ge);
            if (gs < 0 || (gs == nStart && ge == nEnd))
                MessageBeep((UINT)-1);
            else
                SetSel(gs, ge);
            return;
        }
        if (bShift) {
            int nNew = nEnd + 1;
            if (m_bSelectByGroup) nNew = std::min(nNew, e);
            SetSel(nStart, std::min(nNew, nLen));
            return;
        }
        if (nStart == nEnd && nEnd == e) {
            int gs = -1, ge = 0;
            if (nEnd < nLen - 1) FindGroup(nEnd + 1, TRUE, gs, ge);
            if (gs < 0 || gs <= nEnd)
                MessageBeep((UINT)-1);
            else
                SetSel(gs, gs);
            return;
        }
        SetSel(std::min(nEnd + 1, e), std::min(nEnd + 1, e));
        return;
    case VK_INSERT:
        if (!bShift && !bCtrl && !m_strMask.IsEmpty()) return;
        break;
    default: break;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKtvPMaskEdit::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bSelectByGroup) {
        int nStart = 0, nEnd = 0;
        GetSel(nStart, nEnd);
        int s = 0, e = 0;
        FindGroup(nStart, TRUE, s, e);
        if (s < 0) FindGroup(nStart, FALSE, s, e);
        if (s >= 0) {
            const int nNewStart = std::min(std::max(nStart, s), e);
            const int nNewEnd = std::min(std::max(nEnd, s), e);
            if (nNewStart != nStart || nNewEnd != nEnd) SetSel(nNewStart, nNewEnd);
        }
    }
    CEdit::OnLButtonUp(nFlags, point);
}

BOOL CKtvPMaskEdit::OnSetFocusR()
{
    SelectFirstGroup();
    return FALSE;
}

BOOL CKtvPMaskEdit::OnUpdateR()
{
    CString strText;
    GetWindowText(strText);
    if (strText == m_str) return FALSE;
    if (!StoreText(strText, TRUE)) {
        // A refused text goes: the window shows the value again, so nothing reads the refused text back.
        MessageBeep((UINT)-1);
        SetWindowText(m_str);
        SelectFirstGroup();
        return FALSE;
    }
    if (strText != m_str) {
        SetWindowText(m_str);
        SelectFirstGroup();
    }
    return FALSE;
}
