#include "editctrl/KtvPIntelliSenseLB.h"

#include <algorithm>

#include "editctrl/KtvPEditCtrl.h"
#include "editctrl/KtvPIntelliSenseData.h"
#include "editctrl/KtvPIntelliSenseWnd.h"
#include "platform/win32/kernel/Locale.h"

IMPLEMENT_DYNCREATE(CKtvPIntelliSenseLB, CKtvPBaseIntelliSenseLB)

BEGIN_MESSAGE_MAP(CKtvPIntelliSenseLB, CKtvPBaseIntelliSenseLB)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace ktvp_intellisense_lb_detail {

BOOL IsDelimiter(const CKtvPEditCtrl& edit, char ch)
{
    return edit.m_strWordDelimiters.Find(ch) >= 0;
}

// Start of the word that ends at the offset: never after it.
int WordStartBefore(const CKtvPEditCtrl& edit, int nOffset)
{
    const CKtvPEditText& text = edit.GetBuffer();
    int start = std::clamp(nOffset, 0, text.GetLength());
    while (start > 0 && !IsDelimiter(edit, text.GetAt(start - 1)))
        --start;
    return start;
}

int WordEndFrom(const CKtvPEditCtrl& edit, int nOffset)
{
    const CKtvPEditText& text = edit.GetBuffer();
    int end = std::clamp(nOffset, 0, text.GetLength());
    while (end < text.GetLength() && !IsDelimiter(edit, text.GetAt(end)))
        ++end;
    return end;
}

}  // namespace ktvp_intellisense_lb_detail

namespace kisl = ktvp_intellisense_lb_detail;

int CKtvPIntelliSenseLB::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPBaseIntelliSenseLB::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (const CKtvPEditCtrl* pEdit = GetEditCtrl()) {
        m_nWordStart = kisl::WordStartBefore(*pEdit, pEdit->GetCaretOffset());
        m_nCaretY = pEdit->GetCaretPoint().y;
    }
    return 0;
}

// One fixed collation for every list: the platform's word sort of the
// default locale, letter case deciding only between otherwise equal texts.
int CKtvPIntelliSenseLB::CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    const auto* pFirst = reinterpret_cast<const CKtvPIntelliSenseData*>(lpCompareItemStruct->itemData1);
    const auto* pSecond = reinterpret_cast<const CKtvPIntelliSenseData*>(lpCompareItemStruct->itemData2);
    if (pFirst == nullptr || pSecond == nullptr)
        return pFirst == pSecond ? 0 : (pFirst == nullptr ? -1 : 1);
    return CompareString(LOCALE_USER_DEFAULT, 0, pFirst->m_strText, -1, pSecond->m_strText, -1) - CSTR_EQUAL;
}

int CKtvPIntelliSenseLB::FindItemBeginningWith(const CString& strPrefix) const
{
    const int length = strPrefix.GetLength();
    for (int i = 0; i < GetCount(); ++i) {
        const CKtvPIntelliSenseData* pItem = GetItem(i);
        if (pItem == nullptr || pItem->m_strText.GetLength() < length)
            continue;
        if (CompareString(LOCALE_USER_DEFAULT, NORM_IGNORECASE, pItem->m_strText, length, strPrefix, length) ==
            CSTR_EQUAL)
            return i;
    }
    return -1;
}

CString CKtvPIntelliSenseLB::GetTypedWord() const
{
    const CKtvPEditCtrl* pEdit = GetEditCtrl();
    if (pEdit == nullptr || m_nWordStart < 0 || m_nWordStart > pEdit->GetTextLength())
        return CString();
    const int end = kisl::WordEndFrom(*pEdit, m_nWordStart);
    return pEdit->GetTextRange(m_nWordStart, end);
}

void CKtvPIntelliSenseLB::SelectTypedWord()
{
    const CString strTyped = GetTypedWord();
    if (strTyped.IsEmpty()) {
        SetCurSel(-1);
        if (GetCount() > 0)
            SetCaretIndex(0);
        return;
    }
    const int match = FindItemBeginningWith(strTyped);
    if (match >= 0) {
        SetCurSel(match);
        return;
    }
    // The longest leading part that some item begins with shows where the
    // typed word would go; nothing is chosen.
    int nearest = 0;
    for (int length = strTyped.GetLength() - 1; length > 0; --length) {
        const int found = FindItemBeginningWith(strTyped.Left(length));
        if (found >= 0) {
            nearest = found;
            break;
        }
    }
    SetCurSel(-1);
    if (GetCount() > 0)
        SetCaretIndex(nearest, TRUE);
}

void CKtvPIntelliSenseLB::InsertSelection()
{
    CKtvPEditCtrl* pEdit = GetEditCtrl();
    const int selected = GetCurSel();
    CKtvPIntelliSenseData* pItem = GetItem(selected);
    if (pEdit == nullptr || pItem == nullptr)
        return;
    const int caret = pEdit->GetCaretOffset();
    const int start = std::min({m_nWordStart < 0 ? caret : m_nWordStart, kisl::WordStartBefore(*pEdit, caret), caret});
    if (start < caret)
        pEdit->DeleteText(start, caret, FALSE);
    CString strText = pItem->m_strInsertText.IsEmpty() ? pItem->m_strText : pItem->m_strInsertText;
    if (!pEdit->OnInsertIntelliSenseItem(selected, pItem, strText))
        return;
    if (pEdit->HasSelection())
        pEdit->RemoveSelection(FALSE, TRUE, FALSE);
    pEdit->InsertText(strText, -1, TRUE);
}

BOOL CKtvPIntelliSenseLB::IsCaretInTypedWord() const
{
    const CKtvPEditCtrl* pEdit = GetEditCtrl();
    if (pEdit == nullptr)
        return FALSE;
    const int caret = pEdit->GetCaretOffset();
    if (pEdit->GetCaretPoint().y != m_nCaretY || caret < m_nWordStart)
        return FALSE;
    return caret <= kisl::WordEndFrom(*pEdit, m_nWordStart);
}

void CKtvPIntelliSenseLB::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_BACK:
    case VK_LEFT:
    case VK_RIGHT:
        ForwardKeyToEdit(WM_KEYDOWN, nChar, nRepCnt, nFlags);
        if (IsCaretInTypedWord())
            SelectTypedWord();
        else
            ClosePopup();
        return;
    case VK_DELETE:
        ForwardKeyToEdit(WM_KEYDOWN, nChar, nRepCnt, nFlags);
        ClosePopup();
        return;
    default: break;
    }
    if (!HandleChoiceKey(nChar, nRepCnt, nFlags))
        CKtvPBaseIntelliSenseLB::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKtvPIntelliSenseLB::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == '\t')
        return;
    CKtvPIntelliSenseWnd* pPopup = GetPopup();
    ForwardKeyToEdit(WM_CHAR, nChar, nRepCnt, nFlags);
    // The character may have opened another list, which replaces this one.
    const CKtvPEditCtrl* pEdit = GetEditCtrl();
    if (pEdit == nullptr || pEdit->m_pIntelliSenseWnd != pPopup)
        return;
    // A character that ends the word ends the list too: a choice made later
    // would replace what was typed after the word.
    if (!IsCaretInTypedWord()) {
        ClosePopup();
        return;
    }
    SelectTypedWord();
}
