#include "editctrl/KtvPSymImagesLB.h"

#include "editctrl/KtvPEditCtrl.h"
#include "editctrl/KtvPIntelliSenseData.h"

IMPLEMENT_DYNCREATE(CKtvPSymImagesLB, CKtvPBaseIntelliSenseLB)

BEGIN_MESSAGE_MAP(CKtvPSymImagesLB, CKtvPBaseIntelliSenseLB)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CKtvPSymImagesLB::InsertSelection()
{
    CKtvPEditCtrl* pEdit = GetEditCtrl();
    const CKtvPIntelliSenseData* pItem = GetItem(GetCurSel());
    if (pEdit == nullptr || pItem == nullptr || pItem->m_nData == 0)
        return;
    if (pEdit->HasSelection())
        pEdit->RemoveSelection(FALSE, TRUE, FALSE);
    const TCHAR text[2] = {static_cast<TCHAR>(pItem->m_nData), '\0'};
    pEdit->InsertText(text, -1, TRUE);
}

int CKtvPSymImagesLB::FindNextBeginningWith(TCHAR ch) const
{
    const int count = GetCount();
    const int current = GetCurSel();
    for (int step = 1; step <= count; ++step) {
        const int index = (current + step + count) % count;
        const CKtvPIntelliSenseData* pItem = GetItem(index);
        if (pItem != nullptr && !pItem->m_strText.IsEmpty() && pItem->m_strText[0] == ch)
            return index;
    }
    return -1;
}

void CKtvPSymImagesLB::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!HandleChoiceKey(nChar, nRepCnt, nFlags))
        CKtvPBaseIntelliSenseLB::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKtvPSymImagesLB::OnChar(UINT nChar, UINT, UINT)
{
    if (nChar < 32 || nChar > 127 || GetCount() == 0)
        return;
    const int found = FindNextBeginningWith(static_cast<TCHAR>(nChar));
    if (found >= 0)
        SetCurSel(found);
}
