#include "ui/controls/KtvPMaskEdit.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "platform/win32/kernel/Utf8Text.h"

namespace {

// Byte offsets at which each character of a text starts, then its length.
std::vector<int> MaskEditCharStarts(const CString& str)
{
    const char* p = str;
    const int nLen = str.GetLength();
    std::vector<int> starts;
    for (int i = 0; i < nLen;) {
        starts.push_back(i);
        size_t nBytes = 1;
        tw::utf8::Decode(p + i, p + nLen, nBytes);
        i += (int)std::max<size_t>(nBytes, 1);
    }
    starts.push_back(nLen);
    return starts;
}

int MaskEditCharCount(const CString& str) { return (int)MaskEditCharStarts(str).size() - 1; }

CString MaskEditCharAt(const CString& str, int nPos)
{
    const std::vector<int> starts = MaskEditCharStarts(str);
    if (nPos < 0 || nPos + 1 >= (int)starts.size()) return CString();
    return str.Mid(starts[nPos], starts[nPos + 1] - starts[nPos]);
}

std::vector<CString> MaskEditSplit(const CString& str)
{
    const std::vector<int> starts = MaskEditCharStarts(str);
    std::vector<CString> chars;
    for (size_t i = 0; i + 1 < starts.size(); ++i) chars.push_back(str.Mid(starts[i], starts[i + 1] - starts[i]));
    return chars;
}

int MaskEditByteOf(const CString& str, int nChar)
{
    const std::vector<int> starts = MaskEditCharStarts(str);
    return starts[std::clamp(nChar, 0, (int)starts.size() - 1)];
}

// A byte offset inside a character counts as that character's end.
int MaskEditCharOf(const CString& str, int nByte)
{
    const std::vector<int> starts = MaskEditCharStarts(str);
    return (int)(std::lower_bound(starts.begin(), starts.end(), nByte) - starts.begin());
}

char32_t MaskEditCodePoint(const CString& strChar)
{
    const char* p = strChar;
    size_t nBytes = 1;
    return strChar.IsEmpty() ? 0 : tw::utf8::Decode(p, p + strChar.GetLength(), nBytes);
}

CString MaskEditMapCase(const CString& strChar, DWORD dwStyle)
{
    if ((dwStyle & (ES_UPPERCASE | ES_LOWERCASE)) == 0) return strChar;
    const char32_t c = MaskEditCodePoint(strChar);
    std::string out;
    tw::utf8::Append((dwStyle & ES_UPPERCASE) ? tw::utf8::ToUpper(c) : tw::utf8::ToLower(c), out);
    return CString(out.c_str());
}

}  // namespace

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

BOOL CKtvPMaskEdit::AcceptsCharacter(const CString& strChar, TCHAR chMask) const
{
    if (strChar.GetLength() == 1) return AcceptsChar(strChar[0], chMask);
    const char32_t c = MaskEditCodePoint(strChar);
    switch (chMask) {
    case _T('C'):
    case _T('c'): return tw::utf8::IsAlpha(c);
    case _T('A'):
    case _T('a'): return tw::utf8::IsAlnum(c);
    case _T('*'): return c >= 0xA0;
    default: return FALSE;
    }
}

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
    if (m_strInputTemplate.IsEmpty()) return nPos >= 0 && nPos < ValueLength();
    return nPos >= 0 && MaskEditCharAt(m_strInputTemplate, nPos) == _T("_");
}

BOOL CKtvPMaskEdit::FitsPos(const CString& strChar, int nPos) const
{
    if (m_strMask.IsEmpty()) return m_strValid.IsEmpty() || m_strValid.Find(strChar) >= 0;
    if (!IsInputPos(nPos) || nPos >= m_strMask.GetLength()) return FALSE;
    if (!AcceptsCharacter(strChar, m_strMask[nPos])) return FALSE;
    return m_strValid.IsEmpty() || m_strValid.Find(strChar) >= 0;
}

CString CKtvPMaskEdit::ValueChar(int nPos) const { return MaskEditCharAt(m_str, nPos); }

CString CKtvPMaskEdit::ValueRange(int nStart, int nEnd) const
{
    const int nByteStart = MaskEditByteOf(m_str, nStart);
    return m_str.Mid(nByteStart, std::max(0, MaskEditByteOf(m_str, nEnd) - nByteStart));
}

int CKtvPMaskEdit::ValueLength() const { return MaskEditCharCount(m_str); }

void CKtvPMaskEdit::GetCharSel(int& nStart, int& nEnd) const
{
    // The window's text, not the value: the two differ while a change is under way.
    CString strText;
    GetWindowText(strText);
    int nByteStart = 0, nByteEnd = 0;
    GetSel(nByteStart, nByteEnd);
    nStart = MaskEditCharOf(strText, nByteStart);
    nEnd = MaskEditCharOf(strText, nByteEnd);
}

void CKtvPMaskEdit::SetCharSel(int nStart, int nEnd)
{
    CString strText;
    GetWindowText(strText);
    SetSel(MaskEditByteOf(strText, nStart), MaskEditByteOf(strText, nEnd));
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
    const int nLen = ValueLength();
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
    const std::vector<CString> text = MaskEditSplit(strText);
    const std::vector<CString> tmpl = MaskEditSplit(m_strInputTemplate);
    const int nLen = (int)text.size();
    const CString strBlank(m_chMaskInputTemplate);
    if (!m_strMask.IsEmpty()) {
        const int nInputs = (int)std::count(tmpl.begin(), tmpl.end(), CString(_T("_")));
        if (bWithDelimiters ? nLen > m_strMask.GetLength() : nLen > nInputs) return FALSE;
    }
    if (!m_strValid.IsEmpty()) {
        for (int i = 0; i < nLen; ++i) {
            const BOOL bLiteral = i < (int)tmpl.size() && tmpl[i] != _T("_");
            if (!bLiteral && text[i] != strBlank && m_strValid.Find(text[i]) < 0) return FALSE;
        }
    }
    if (m_strMask.IsEmpty()) {
        m_str = strText;
        return TRUE;
    }
    std::vector<CString> value = tmpl;
    for (CString& c : value)
        if (c == _T("_")) c = strBlank;
    for (int j = 0, k = 0; j < (int)value.size() && k < nLen; ++j) {
        const CString& ch = text[k];
        if (tmpl[j] == _T("_")) {
            if (ch != strBlank && !AcceptsCharacter(ch, m_strMask[j])) return FALSE;
            value[j] = ch;
            ++k;
        } else if (bWithDelimiters) {
            if (ch != tmpl[j]) return FALSE;
            ++k;
        }
    }
    CString strNew;
    for (const CString& c : value) strNew += c;
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
    const int nByteStart = MaskEditByteOf(m_str, nStart);
    const int nByteEnd = MaskEditByteOf(m_str, nEnd);
    m_str = m_str.Left(nByteStart) + strNew + m_str.Mid(nByteEnd);
    SetSel(nByteStart, nByteEnd);
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
    if (nStart >= 0) SetCharSel(nStart, nEnd);
}

BOOL CKtvPMaskEdit::CheckSelInGroup(int nStart, int nEnd, int& nGroupStart, int& nGroupEnd)
{
    FindGroup(nStart, TRUE, nGroupStart, nGroupEnd);
    if (nGroupStart < 0 || nStart < nGroupStart || nStart > nGroupEnd || nEnd < nGroupStart || nEnd > nGroupEnd) {
        MessageBeep((UINT)-1);
        if (nGroupStart >= 0) SetCharSel(nGroupStart, nGroupEnd);
        return FALSE;
    }
    return TRUE;
}

void CKtvPMaskEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    if (nChar < 0x20 || nChar == 0x7F || bCtrl) {
        m_strPendingChar.Empty();
        if (!m_strMask.IsEmpty() && (nChar == 8 || nChar == 0x2E) && !bCtrl) return;
        CEdit::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    CString ch;
    if (nChar > 0xFF) {
        // A whole code point in one message.
        std::string utf8;
        tw::utf8::Append((char32_t)nChar, utf8);
        ch = utf8.c_str();
        m_strPendingChar.Empty();
    } else if (nChar >= 0x80) {
        // UTF-8 bytes arrive one message each: act once the character is whole.
        if ((nChar & 0xC0) != 0x80) m_strPendingChar.Empty();
        m_strPendingChar += (TCHAR)nChar;
        const int nNeeded = (int)tw::utf8::SequenceLength((unsigned char)m_strPendingChar[0]);
        if (m_strPendingChar.GetLength() < nNeeded) return;
        ch = m_strPendingChar;
        m_strPendingChar.Empty();
        const char* p = ch;
        if (!tw::utf8::IsValidSequence(p, p + ch.GetLength())) {
            MessageBeep((UINT)-1);
            return;
        }
    } else {
        ch = CString((TCHAR)nChar);
        m_strPendingChar.Empty();
    }
    ch = MaskEditMapCase(ch, GetStyle());

    int nStart = 0, nEnd = 0;
    GetCharSel(nStart, nEnd);
    int nGroupStart = 0, nGroupEnd = 0;
    if (!CheckSelInGroup(nStart, nEnd, nGroupStart, nGroupEnd)) return;

    if (nStart == nEnd) {
        if (m_strMask.IsEmpty()) {
            if (FitsPos(ch, nStart)) {
                ReplaceSel(ch, TRUE);
                GetWindowText(m_str);
            } else {
                MessageBeep((UINT)-1);
            }
            return;
        }
        int nPos = nStart;
        if (nPos == nGroupEnd) {
            int nNext = -1, nNextEnd = 0;
            if (nPos < ValueLength() - 1) FindGroup(nPos + 1, TRUE, nNext, nNextEnd);
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
        ReplaceRange(nPos, nPos + 1, ch);
        ++nPos;
        SetCharSel(nPos, nPos);
        if (nPos == nGroupEnd) {
            int nNext = -1, nNextEnd = 0;
            if (nPos < ValueLength()) FindGroup(nPos + 1, TRUE, nNext, nNextEnd);
            if (nNext > nPos - 1 && nNext >= nPos) SetCharSel(nNext, nNext);
        }
        return;
    }
    if (!FitsPos(ch, nStart)) {
        MessageBeep((UINT)-1);
        return;
    }
    if (m_strInputTemplate.IsEmpty()) {
        ReplaceSel(ch, TRUE);
        GetWindowText(m_str);
        return;
    }
    const int nRunEnd = RunEnd(nStart, nGroupEnd);
    const int nSelLen = nEnd - nStart;
    if (nSelLen > nRunEnd - nStart) {
        MessageBeep((UINT)-1);
        SetCharSel(nStart, nRunEnd);
        return;
    }
    CString strNew = ch + ValueRange(nEnd, nRunEnd);
    for (int i = 1; i < nSelLen; ++i) strNew += m_chMaskInputTemplate;
    ReplaceRange(nStart, nRunEnd, strNew);
    SetCharSel(nStart + 1, nStart + 1);
}

void CKtvPMaskEdit::DeleteChars(BOOL bBack)
{
    int nStart = 0, nEnd = 0;
    GetCharSel(nStart, nEnd);
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
                SetCharSel(nPrevEnd, nPrevEnd);
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
                const CString ch = ValueChar(i);
                if (ch != CString(m_chMaskInputTemplate) && !AcceptsCharacter(ch, m_strMask[i])) {
                    MessageBeep((UINT)-1);
                    return;
                }
            }
        }
        ReplaceRange(p, nRunEnd, ValueRange(p + 1, nRunEnd) + CString(m_chMaskInputTemplate));
        SetCharSel(p, p);
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
        SetCharSel(nStart, nRunEnd);
        return;
    }
    CString strNew = ValueRange(nEnd, nRunEnd);
    for (int i = 0; i < nSelLen; ++i) strNew += m_chMaskInputTemplate;
    ReplaceRange(nStart, nRunEnd, strNew);
    SetCharSel(nStart, nStart);
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
    const int nLen = ValueLength();
    int nStart = 0, nEnd = 0;
    GetCharSel(nStart, nEnd);
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
        SetCharSel(s, s);
        return;
    case VK_END:
        foreGroup(s, e);
        SetCharSel(e, e);
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
                SetCharSel(gs, ge);
            return;
        }
        if (bShift) {
            int nNew = nStart - 1;
            if (m_bSelectByGroup) nNew = std::max(nNew, s);
            SetCharSel(std::max(nNew, 0), nEnd);
            return;
        }
        if (nStart == nEnd && nStart == s) {
            int gs = -1, ge = 0;
            if (nStart > 1) FindGroup(nStart - 1, FALSE, gs, ge);
            if (gs < 0 || ge >= nStart)
                MessageBeep((UINT)-1);
            else
                SetCharSel(ge, ge);
            return;
        }
        SetCharSel(std::max(nStart - 1, s), std::max(nStart - 1, s));
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
                SetCharSel(gs, ge);
            return;
        }
        if (bShift) {
            int nNew = nEnd + 1;
            if (m_bSelectByGroup) nNew = std::min(nNew, e);
            SetCharSel(nStart, std::min(nNew, nLen));
            return;
        }
        if (nStart == nEnd && nEnd == e) {
            int gs = -1, ge = 0;
            if (nEnd < nLen - 1) FindGroup(nEnd + 1, TRUE, gs, ge);
            if (gs < 0 || gs <= nEnd)
                MessageBeep((UINT)-1);
            else
                SetCharSel(gs, gs);
            return;
        }
        SetCharSel(std::min(nEnd + 1, e), std::min(nEnd + 1, e));
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
        GetCharSel(nStart, nEnd);
        int s = 0, e = 0;
        FindGroup(nStart, TRUE, s, e);
        if (s < 0) FindGroup(nStart, FALSE, s, e);
        if (s >= 0) {
            const int nNewStart = std::min(std::max(nStart, s), e);
            const int nNewEnd = std::min(std::max(nEnd, s), e);
            if (nNewStart != nStart || nNewEnd != nEnd) SetCharSel(nNewStart, nNewEnd);
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
