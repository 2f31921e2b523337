// The edit control's IntelliSense and symbol hooks: the trigger after a
// typed character, lists on demand, the replacement hook, and the symbol
// definitions.
#include <algorithm>
#include <cstring>

#include "editctrl/KtvPEditCtrl.h"
#include "editctrl/KtvPIntelliSenseLB.h"
#include "editctrl/KtvPIntelliSenseWnd.h"
#include "editctrl/KtvPSymImagesLB.h"
#include "platform/win32/kernel/Threads.h"

namespace ktvp_editctrl_intellisense_detail {

// Pause between showing a typed character and replacing it, so the person
// sees what was typed before it changes.
constexpr DWORD kReplacementPauseMs = 100;

class ScopedFlag {
public:
    explicit ScopedFlag(BOOL& flag) : m_flag(flag) { m_flag = TRUE; }
    ~ScopedFlag() { m_flag = FALSE; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    BOOL& m_flag;
};

}  // namespace ktvp_editctrl_intellisense_detail

namespace kecis = ktvp_editctrl_intellisense_detail;

BOOL CKtvPEditCtrl::EnableIntelliSense(BOOL bOn)
{
    const BOOL bPrevious = m_bEnableIntelliSense;
    m_bEnableIntelliSense = bOn;
    return bPrevious;
}

// ---------------------------------------------------------------- the owner's hooks

BOOL CKtvPEditCtrl::FillIntelliSenseList(CObList&, LPCTSTR)
{
    return FALSE;
}

BOOL CKtvPEditCtrl::FindWordBeforePos(LPCTSTR, int&, CString& strWord)
{
    strWord.Empty();
    return TRUE;
}

BOOL CKtvPEditCtrl::OnInsertIntelliSenseItem(int, CKtvPIntelliSenseData*, CString&)
{
    return TRUE;
}

BOOL CKtvPEditCtrl::OnIntelliSenseChar(LPCTSTR, int, UINT, CString&)
{
    return FALSE;
}

BOOL CKtvPEditCtrl::OnDrawSymbol(CDC*, int, int, int, int, const CKtvPEditSymbol&)
{
    return FALSE;
}

BOOL CKtvPEditCtrl::FillIntelliSenseListAt(int& nOffset, CObList& list)
{
    CString strWord;
    if (!FindWordBeforePos(m_text.View().data(), nOffset, strWord))
        return FALSE;
    FillIntelliSenseList(list, strWord);
    return !list.IsEmpty();
}

// ---------------------------------------------------------------- opening lists

CPoint CKtvPEditCtrl::ScreenPointOfOffset(int nOffset) const
{
    POINT pt{};
    OffsetToPoint(std::clamp(nOffset, 0, GetTextLength()), pt);
    ::ClientToScreen(m_hWnd, &pt);
    return CPoint(pt);
}

void CKtvPEditCtrl::OnIntelliSenseTrigger()
{
    if (!m_bEnableIntelliSense || m_nCaretOffset <= 0 || m_nCaretOffset > GetTextLength())
        return;
    const char typed = m_text.GetAt(m_nCaretOffset - 1);
    if (typed == '\0' || m_strIntelliSenseChars.Find(typed) < 0)
        return;
    CObList list;
    int position = m_nCaretOffset;
    if (FillIntelliSenseListAt(position, list)) {
        // The owner may name a position before the caret (just after the
        // word it completes): the list opens there; the caret stays.
        const CPoint pt = ScreenPointOfOffset(position);
        ShowIntelliSenseWnd(list, pt.x, pt.y);
    }
    KtvPDeleteIntelliSenseItems(list);
}

BOOL CKtvPEditCtrl::InvokeIntelliSense()
{
    CObList list;
    int position = m_nCaretOffset;
    if (!FillIntelliSenseListAt(position, list)) {
        KtvPDeleteIntelliSenseItems(list);
        OnFailedOperation(KTVP_FAIL_INTELLISENSE);
        return FALSE;
    }
    const CPoint pt = ScreenPointOfOffset(m_nCaretOffset);
    const BOOL bShown = ShowIntelliSenseWnd(list, pt.x, pt.y);
    KtvPDeleteIntelliSenseItems(list);
    return bShown;
}

BOOL CKtvPEditCtrl::ShowIntelliSenseWnd(CObList& list, int x, int y)
{
    if (list.IsEmpty())
        return FALSE;
    return OpenPopup(list, x, y, m_hIntelliSenseImageList, RUNTIME_CLASS(CKtvPIntelliSenseLB));
}

BOOL CKtvPEditCtrl::OpenPopup(CObList& list, int x, int y, HIMAGELIST hImageList, CRuntimeClass* pListBoxClass)
{
    if (m_hWnd == nullptr)
        return FALSE;
    // One list at a time: the one open goes, and never reaches this control again.
    CloseIntelliSenseWnd(FALSE);
    auto* pWnd = new CKtvPIntelliSenseWnd;
    return pWnd->Create(&list, KTVP_INTELLISENSE_WND_STYLE, x, y, this, m_pIntelliSenseFont, hImageList,
                        pListBoxClass);
}

void CKtvPEditCtrl::CloseIntelliSenseWnd(BOOL bAtOnce)
{
    CKtvPIntelliSenseWnd* pWnd = m_pIntelliSenseWnd;
    m_pIntelliSenseWnd = nullptr;
    m_bIntelliSenseOpen = FALSE;
    if (pWnd == nullptr)
        return;
    pWnd->ReleaseEditCtrl();
    if (bAtOnce)
        pWnd->DestroyWindow();
    else
        pWnd->PostMessage(WM_CLOSE);
}

void CKtvPEditCtrl::OnIntelliSenseWndGone(CKtvPIntelliSenseWnd* pWnd)
{
    if (pWnd != m_pIntelliSenseWnd)
        return;
    m_pIntelliSenseWnd = nullptr;
    m_bIntelliSenseOpen = FALSE;
}

// ---------------------------------------------------------------- typing, undo and redo

BOOL CKtvPEditCtrl::InsertChar(UINT nChar, BOOL bRedraw)
{
    if (!CKtvPEditModel::InsertChar(nChar, bRedraw))
        return FALSE;
    if (nChar == '\n' || m_bInsertingIntelliSense)
        return TRUE;
    CString strReplacement;
    if (!OnIntelliSenseChar(m_text.View().data(), m_nCaretOffset, nChar, strReplacement))
        return TRUE;
    if (m_hWnd != nullptr)
        ::UpdateWindow(m_hWnd);
    ::Sleep(kecis::kReplacementPauseMs);
    // The typed character and its replacement undo together; with nothing to
    // put in its place the deletion stands alone.
    const BOOL bGroup = !strReplacement.IsEmpty();
    // One character back, not one caret step: the typed character may end
    // a symbol or follow a fold, which a caret step would cross whole.
    if (!SetCaret(m_text.PrevChar(m_nCaretOffset), TRUE, FALSE) || !DeleteChar(bRedraw, bGroup) ||
        strReplacement.IsEmpty())
        return TRUE;
    kecis::ScopedFlag guard(m_bInsertingIntelliSense);
    InsertText(strReplacement, -1, bRedraw, FALSE, TRUE, FALSE, TRUE);
    return TRUE;
}

BOOL CKtvPEditCtrl::Undo(BOOL bSetCaret, BOOL bRedraw)
{
    if (m_pIntelliSenseWnd != nullptr && CanUndo())
        m_pIntelliSenseWnd->PostMessage(WM_CLOSE);
    return CKtvPEditModel::Undo(bSetCaret, bRedraw);
}

BOOL CKtvPEditCtrl::Redo(BOOL bSetCaret, BOOL bRedraw)
{
    if (m_pIntelliSenseWnd != nullptr && CanRedo())
        m_pIntelliSenseWnd->PostMessage(WM_CLOSE);
    return CKtvPEditModel::Redo(bSetCaret, bRedraw);
}

// ---------------------------------------------------------------- symbols

BOOL CKtvPEditCtrl::LookupSymbol(LPCTSTR lpszText, int nPos, int nLength, TCHAR ch, CKtvPEditSymbol* pSymbol,
                                 int& nExtraLength, BOOL bForward)
{
    nExtraLength = 0;
    if (!m_bShowSymbols || lpszText == nullptr || nPos < 0 || nPos >= nLength)
        return FALSE;
    for (INT_PTR i = 0; i < m_arrSymbols.GetSize(); ++i) {
        const CKtvPEditSymbol& symbol = m_arrSymbols[i];
        int extra = -1;
        if (symbol.m_chKey != 0 && symbol.m_chKey == ch) {
            extra = 0;
        } else if (const int size = symbol.m_strSequence.GetLength(); size > 0) {
            const int first = bForward ? nPos : nPos - size + 1;
            if (first >= 0 && first + size <= nLength &&
                std::memcmp(lpszText + first, symbol.m_strSequence.GetString(), static_cast<size_t>(size)) == 0)
                extra = size - 1;
        }
        if (extra < 0)
            continue;
        nExtraLength = extra;
        if (pSymbol != nullptr)
            *pSymbol = symbol;
        return TRUE;
    }
    return FALSE;
}

int CKtvPEditCtrl::FindSymbolAt(LPCTSTR lpszText, int nOffset, BOOL bForward)
{
    if (lpszText == nullptr)
        return 0;
    const int length = static_cast<int>(std::strlen(lpszText));
    const int position = bForward ? nOffset : std::max(0, nOffset - 1);
    if (position < 0 || position >= length)
        return 0;
    int extra = 0;
    if (!LookupSymbol(lpszText, position, length, lpszText[position], nullptr, extra, bForward))
        return 0;
    return extra;
}

BOOL CKtvPEditCtrl::FillSymbolsList(int, CObList& list)
{
    for (INT_PTR i = 0; i < m_arrSymbols.GetSize(); ++i) {
        const CKtvPEditSymbol& symbol = m_arrSymbols[i];
        list.AddTail(new CKtvPIntelliSenseData(symbol.m_strName, symbol.m_strName, symbol.m_nImage,
                                               static_cast<unsigned char>(symbol.m_chKey)));
    }
    return !list.IsEmpty();
}

BOOL CKtvPEditCtrl::InvokeSymbolsList()
{
    CObList list;
    if (!FillSymbolsList(m_nCaretOffset, list)) {
        KtvPDeleteIntelliSenseItems(list);
        OnFailedOperation(KTVP_FAIL_INTELLISENSE);
        return FALSE;
    }
    const CPoint pt = ScreenPointOfOffset(m_nCaretOffset);
    const BOOL bShown = ShowSymbolsWnd(list, pt.x, pt.y);
    KtvPDeleteIntelliSenseItems(list);
    return bShown;
}

BOOL CKtvPEditCtrl::ShowSymbolsWnd(CObList& list, int x, int y)
{
    if (list.IsEmpty())
        return FALSE;
    return OpenPopup(list, x, y, m_hSymbolImageList, RUNTIME_CLASS(CKtvPSymImagesLB));
}
