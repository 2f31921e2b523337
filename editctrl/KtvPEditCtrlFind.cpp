// The edit control's find, replace and replace-all, and its plain-text
// load and store.
#include <algorithm>
#include <cstring>
#include <vector>

#include "editctrl/KtvPEditCtrl.h"
#include "editctrl/KtvPEditSearch.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CFile.h"

namespace ktvp_editctrl_find_detail {

// The undo reason of text a replacement puts in.
constexpr DWORD kReasonReplace = 1024;

}  // namespace ktvp_editctrl_find_detail

namespace kecf = ktvp_editctrl_find_detail;

BOOL CKtvPEditCtrl::SearchFromCaret(LPCTSTR lpszFind, BOOL bDown, BOOL bMatchCase, BOOL bWholeWord,
                                    int& nOffset) const
{
    nOffset = -1;
    if (lpszFind == nullptr || *lpszFind == '\0')
        return FALSE;
    const CKtvPEditSearch search(m_text.View(), lpszFind, CKtvPEditSearch::Options{bDown, bMatchCase, bWholeWord},
                                 m_strWordDelimiters);
    // A forward selection ending at the caret is the occurrence found last.
    const BOOL bSkipSelected = !bDown && HasSelection() && m_nSelStart < m_nSelEnd && m_nSelEnd == m_nCaretOffset;
    return search.FindFrom(m_nCaretOffset, bSkipSelected, nOffset);
}

BOOL CKtvPEditCtrl::SelectedOccurrence(LPCTSTR lpszFind, BOOL bMatchCase, BOOL bWholeWord, int& nOffset) const
{
    nOffset = -1;
    if (lpszFind == nullptr || *lpszFind == '\0' || !HasSelection())
        return FALSE;
    const int start = std::min(m_nSelStart, m_nSelEnd);
    const int end = std::max(m_nSelStart, m_nSelEnd);
    if (end - start != static_cast<int>(std::strlen(lpszFind)) || (start == m_nReplacedStart && end == m_nReplacedEnd))
        return FALSE;
    const CKtvPEditSearch search(m_text.View(), lpszFind, CKtvPEditSearch::Options{TRUE, bMatchCase, bWholeWord},
                                 m_strWordDelimiters);
    int found = -1;
    if (!search.FindFrom(start, FALSE, found) || found != start)
        return FALSE;
    nOffset = start;
    return TRUE;
}

BOOL CKtvPEditCtrl::FindText(LPCTSTR lpszFind, BOOL bDown, BOOL bMatchCase, BOOL bWholeWord)
{
    m_nReplacedStart = m_nReplacedEnd = -1;
    int offset = -1;
    if (!SearchFromCaret(lpszFind, bDown, bMatchCase, bWholeWord, offset))
        return FALSE;
    SetSelection(offset, offset + static_cast<int>(std::strlen(lpszFind)), FALSE, TRUE);
    return TRUE;
}

BOOL CKtvPEditCtrl::ReplaceAt(int nOffset, int nLength, const CString& strReplace, BOOL bRedraw, BOOL bGroupWithNext)
{
    SetSelection(nOffset, nOffset + nLength, FALSE, FALSE);
    // The occurrence and what replaces it undo as one step.
    const BOOL bInserts = !strReplace.IsEmpty();
    if (!DeleteSelectedText(bRedraw, FALSE, bInserts || bGroupWithNext))
        return FALSE;
    SetUndoActionReason(kecf::kReasonReplace);
    if (bInserts && !InsertText(strReplace, nOffset, bRedraw, FALSE, TRUE, bGroupWithNext, TRUE))
        return FALSE;
    return TRUE;
}

BOOL CKtvPEditCtrl::ReplaceText(LPCTSTR lpszFind, LPCTSTR lpszReplace, BOOL bDown, BOOL bMatchCase, BOOL bWholeWord)
{
    // The occurrence a find has selected is the one the user sees and means;
    // otherwise the next one from the caret.
    int offset = -1;
    if (lpszReplace == nullptr)
        return FALSE;
    if (!SelectedOccurrence(lpszFind, bMatchCase, bWholeWord, offset) &&
        !SearchFromCaret(lpszFind, bDown, bMatchCase, bWholeWord, offset))
        return FALSE;
    const CString strReplace(lpszReplace);
    if (!ReplaceAt(offset, static_cast<int>(std::strlen(lpszFind)), strReplace, TRUE, FALSE))
        return FALSE;
    if (!strReplace.IsEmpty())
        SetSelection(offset, offset + strReplace.GetLength(), FALSE, TRUE);
    m_nReplacedStart = offset;
    m_nReplacedEnd = offset + strReplace.GetLength();
    m_bModified = TRUE;
    return TRUE;
}

// One pass over the text as it was: occurrences inside replaced text are
// never searched, so a replacement holding the find text cannot repeat.
int CKtvPEditCtrl::ReplaceAll(LPCTSTR lpszFind, LPCTSTR lpszReplace, BOOL bDown, BOOL bMatchCase, BOOL bWholeWord)
{
    if (lpszReplace == nullptr || lpszFind == nullptr || *lpszFind == '\0')
        return 0;
    const CKtvPEditSearch search(m_text.View(), lpszFind, CKtvPEditSearch::Options{bDown, bMatchCase, bWholeWord},
                                 m_strWordDelimiters);
    const std::vector<int> passOrder = search.FindAllFrom(m_nCaretOffset);
    if (passOrder.empty())
        return 0;
    // From the end backwards, so every offset still names the original text.
    std::vector<int> offsets = passOrder;
    std::sort(offsets.begin(), offsets.end());
    const CString strReplace(lpszReplace);
    const int findLength = search.GetLength();
    int count = 0;
    for (auto it = offsets.rbegin(); it != offsets.rend(); ++it) {
        const BOOL bMore = std::next(it) != offsets.rend();
        if (!ReplaceAt(*it, findLength, strReplace, FALSE, bMore))
            break;
        ++count;
    }
    // The replacement made last in pass order stays selected, where it now is.
    const int last = passOrder.back();
    const auto before = std::count_if(offsets.begin(), offsets.end(), [last](int at) { return at < last; });
    const int lastNow = last + static_cast<int>(before) * (strReplace.GetLength() - findLength);
    if (!strReplace.IsEmpty())
        SetSelection(lastNow, lastNow + strReplace.GetLength(), FALSE, FALSE);
    else
        SetCaret(lastNow, TRUE, FALSE);
    m_bModified = TRUE;
    RedrawRows(0, -1);
    return count;
}

// ---------------------------------------------------------------- plain-text files

BOOL CKtvPEditCtrl::SetTextBytes(const char* pData, int nLength)
{
    SetText("");
    CString strText(pData, std::max(0, nLength));
    NormalizeInsertText(strText);
    if (!strText.IsEmpty()) {
        ChangeInsert(0, strText, TRUE);
        OnTextChanged(0, strText, TRUE);
    }
    ClearUndoList();
    SetSavePoint();
    UpdateScrollBars();
    SetCaret(0, TRUE, FALSE);
    RedrawRows(0, -1);
    return TRUE;
}

void CKtvPEditCtrl::Serialize(CArchive& ar)
{
    SerializeText(ar);
}

BOOL CKtvPEditCtrl::SerializeText(CArchive& ar)
{
    try {
        if (ar.IsLoading()) {
            // By length: bytes after a NUL are text too.
            const ULONGLONG length = ar.GetFile()->GetLength();
            std::vector<char> buffer(static_cast<size_t>(length) + 2, '\0');
            const UINT read = ar.Read(buffer.data(), static_cast<UINT>(length));
            return SetTextBytes(buffer.data(), static_cast<int>(read));
        }
        const std::string_view text = m_text.View();
        if (text.empty()) {
            ar.GetFile()->SetLength(0);
        } else {
            const CString strStored = MakeClipboardText(text.data(), static_cast<int>(text.size()), TRUE);
            ar.Write(strStored.GetString(), static_cast<UINT>(strStored.GetLength()));
        }
        // A write that fails must fail here, before the text counts as saved.
        ar.Flush();
        SetSavePoint();
        return TRUE;
    } catch (CException* e) {
        e->ReportError();
        e->Delete();
        return FALSE;
    }
}
