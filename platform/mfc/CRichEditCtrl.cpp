#include "platform/mfc/CRichEditCtrl.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL AfxInitRichEdit()
{
    tw::InitCommonControls();
    WNDCLASS wc{};
    return GetClassInfo(nullptr, RICHEDIT_CLASS10A, &wc) && GetClassInfo(nullptr, RICHEDIT_CLASS, &wc);
}

BOOL AfxInitRichEdit2() { return AfxInitRichEdit(); }

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!AfxInitRichEdit())
        return FALSE;
    return CWnd::Create(RICHEDIT_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

// --- editing ---------------------------------------------------------------------------------------

BOOL CRichEditCtrl::CanUndo() const { return static_cast<BOOL>(SendMessage(EM_CANUNDO)); }
BOOL CRichEditCtrl::CanRedo() const { return static_cast<BOOL>(SendMessage(EM_CANREDO)); }
BOOL CRichEditCtrl::Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
BOOL CRichEditCtrl::Redo() { return static_cast<BOOL>(SendMessage(EM_REDO)); }
void CRichEditCtrl::EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
void CRichEditCtrl::StopGroupTyping() { SendMessage(EM_STOPGROUPTYPING); }
UINT CRichEditCtrl::SetUndoLimit(UINT nLimit) { return static_cast<UINT>(SendMessage(EM_SETUNDOLIMIT, nLimit)); }
BOOL CRichEditCtrl::CanPaste(UINT nFormat) const { return static_cast<BOOL>(SendMessage(EM_CANPASTE, nFormat)); }

void CRichEditCtrl::PasteSpecial(UINT nClipFormat, DWORD dvAspect, HMETAFILE hMF)
{
    REPASTESPECIAL special{dvAspect, reinterpret_cast<DWORD_PTR>(hMF)};
    SendMessage(EM_PASTESPECIAL, nClipFormat, reinterpret_cast<LPARAM>(&special));
}

void CRichEditCtrl::Cut() { SendMessage(WM_CUT); }
void CRichEditCtrl::Copy() { SendMessage(WM_COPY); }
void CRichEditCtrl::Paste() { SendMessage(WM_PASTE); }
void CRichEditCtrl::Clear() { SendMessage(WM_CLEAR); }

void CRichEditCtrl::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
}

// --- selection and text --------------------------------------------------------------------------------

void CRichEditCtrl::GetSel(CHARRANGE& cr) const { SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr)); }

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE cr{};
    GetSel(cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}

void CRichEditCtrl::SetSel(CHARRANGE& cr) { SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr)); }

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar)
{
    CHARRANGE cr{static_cast<LONG>(nStartChar), static_cast<LONG>(nEndChar)};
    SetSel(cr);
}

CString CRichEditCtrl::GetSelText() const
{
    CHARRANGE cr{};
    GetSel(cr);
    std::vector<char> buffer(static_cast<size_t>(cr.cpMax - cr.cpMin) + 1);
    SendMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer.data()));
    return CString(buffer.data());
}

WORD CRichEditCtrl::GetSelectionType() const { return static_cast<WORD>(SendMessage(EM_SELECTIONTYPE)); }
void CRichEditCtrl::HideSelection(BOOL bHide, BOOL bPerm) { SendMessage(EM_HIDESELECTION, static_cast<WPARAM>(bHide), bPerm); }
long CRichEditCtrl::GetTextLength() const { return static_cast<long>(SendMessage(WM_GETTEXTLENGTH)); }

int CRichEditCtrl::GetTextRange(int nFirst, int nLast, CString& refString) const
{
    const long length = GetTextLength();
    nFirst = std::clamp(nFirst, 0, static_cast<int>(length));
    nLast = nLast < 0 ? static_cast<int>(length) : std::clamp(nLast, nFirst, static_cast<int>(length));
    std::vector<char> buffer(static_cast<size_t>(nLast - nFirst) + 1);
    TEXTRANGE range{{nFirst, nLast}, buffer.data()};
    const int copied = static_cast<int>(SendMessage(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
    refString = buffer.data();
    return copied;
}

void CRichEditCtrl::LimitText(long nChars) { SendMessage(EM_EXLIMITTEXT, 0, nChars); }
long CRichEditCtrl::GetLimitText() const { return static_cast<long>(SendMessage(EM_GETLIMITTEXT)); }
BOOL CRichEditCtrl::GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
void CRichEditCtrl::SetModify(BOOL bModified) { SendMessage(EM_SETMODIFY, static_cast<WPARAM>(bModified)); }
BOOL CRichEditCtrl::SetReadOnly(BOOL bReadOnly) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(bReadOnly))); }
int CRichEditCtrl::GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
int CRichEditCtrl::LineIndex(int nLine) const { return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(nLine))); }
long CRichEditCtrl::LineFromChar(long nIndex) const { return static_cast<long>(SendMessage(EM_EXLINEFROMCHAR, 0, nIndex)); }

int CRichEditCtrl::LineLength(int nLine) const
{
    return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(nLine)));
}

int CRichEditCtrl::GetFirstVisibleLine() const { return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE)); }

CPoint CRichEditCtrl::PosFromChar(UINT nChar) const
{
    POINTL point{};
    SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), static_cast<LPARAM>(nChar));
    return CPoint(point.x, point.y);
}

int CRichEditCtrl::CharFromPos(CPoint pt) const
{
    POINTL point{pt.x, pt.y};
    return static_cast<int>(SendMessage(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)));
}

// --- formats and notifications ------------------------------------------------------------------------

DWORD CRichEditCtrl::ReadCharFormat(WPARAM scope, CHARFORMAT& cf, UINT size) const
{
    cf.cbSize = size;
    return static_cast<DWORD>(SendMessage(EM_GETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&cf)));
}

BOOL CRichEditCtrl::WriteCharFormat(WPARAM scope, CHARFORMAT& cf, UINT size)
{
    cf.cbSize = size;
    return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&cf)));
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const { return ReadCharFormat(SCF_DEFAULT, cf, sizeof(CHARFORMAT)); }
DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT2& cf) const { return ReadCharFormat(SCF_DEFAULT, cf, sizeof(CHARFORMAT2)); }
BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf) { return WriteCharFormat(SCF_DEFAULT, cf, sizeof(CHARFORMAT)); }
BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT2& cf) { return WriteCharFormat(SCF_DEFAULT, cf, sizeof(CHARFORMAT2)); }
DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const { return ReadCharFormat(SCF_SELECTION, cf, sizeof(CHARFORMAT)); }
DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT2& cf) const { return ReadCharFormat(SCF_SELECTION, cf, sizeof(CHARFORMAT2)); }
BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf) { return WriteCharFormat(SCF_SELECTION, cf, sizeof(CHARFORMAT)); }
BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT2& cf) { return WriteCharFormat(SCF_SELECTION, cf, sizeof(CHARFORMAT2)); }
BOOL CRichEditCtrl::SetWordCharFormat(CHARFORMAT& cf) { return WriteCharFormat(SCF_SELECTION | SCF_WORD, cf, sizeof(CHARFORMAT)); }
BOOL CRichEditCtrl::SetWordCharFormat(CHARFORMAT2& cf) { return WriteCharFormat(SCF_SELECTION | SCF_WORD, cf, sizeof(CHARFORMAT2)); }

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT& pf) const
{
    pf.cbSize = sizeof(PARAFORMAT);
    return static_cast<DWORD>(SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
}

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT2& pf) const
{
    pf.cbSize = sizeof(PARAFORMAT2);
    return static_cast<DWORD>(SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT& pf)
{
    pf.cbSize = sizeof(PARAFORMAT);
    return static_cast<BOOL>(SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT2& pf)
{
    pf.cbSize = sizeof(PARAFORMAT2);
    return static_cast<BOOL>(SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
}

DWORD CRichEditCtrl::GetEventMask() const { return static_cast<DWORD>(SendMessage(EM_GETEVENTMASK)); }
DWORD CRichEditCtrl::SetEventMask(DWORD dwEventMask) { return static_cast<DWORD>(SendMessage(EM_SETEVENTMASK, 0, static_cast<LPARAM>(dwEventMask))); }

COLORREF CRichEditCtrl::SetBackgroundColor(BOOL bSysColor, COLORREF cr)
{
    return static_cast<COLORREF>(SendMessage(EM_SETBKGNDCOLOR, static_cast<WPARAM>(bSysColor), static_cast<LPARAM>(cr)));
}
