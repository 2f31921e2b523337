#include "editctrl/KtvPEditView.h"

#include <mutex>

#include "editctrl/KtvPFindReplaceDialog.h"
#include "editctrl/KtvPPrintPreviewView.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CPrintInfo.h"
#include "platform/mfc/CWinThread.h"
#include "ui/frames/KtvPGlobalData.h"

IMPLEMENT_DYNCREATE(CKtvPEditView, CView)

namespace ktvp_edit_view_detail {

constexpr UINT kEditCtrlId = 1;
// The flags a later request keeps: direction, case and whole word; what a
// request asked for (find next, replace, replace all) is not kept.
constexpr DWORD kKeptFindFlags = FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;

struct FindState {
    std::mutex lock;
    CString strFind;
    CString strReplace;
    DWORD dwFlags = FR_DOWN;
};

FindState& SharedFindState()
{
    static FindState state;
    return state;
}

// Registered when the first view is made, never during static
// initialisation, when the window system's tables may not exist yet.
UINT g_msgFindReplace = 0;
UINT g_msgEditChange = 0;

void RegisterViewMessages()
{
    static std::once_flag once;
    std::call_once(once, [] {
        g_msgFindReplace = ::RegisterWindowMessage(FINDMSGSTRING);
        g_msgEditChange = KtvPEditChangeMessage();
    });
}

}  // namespace ktvp_edit_view_detail

namespace kev = ktvp_edit_view_detail;

BEGIN_MESSAGE_MAP(CKtvPEditView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_DESTROY()
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
    ON_COMMAND(ID_EDIT_FIND, OnEditFind)
    ON_COMMAND(ID_EDIT_REPLACE, OnEditReplace)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_REGISTERED_MESSAGE(kev::g_msgFindReplace, OnFindReplaceCmd)
    ON_REGISTERED_MESSAGE(kev::g_msgEditChange, OnEditChange)
END_MESSAGE_MAP()

CKtvPEditView::CKtvPEditView()
{
    kev::RegisterViewMessages();
}

CKtvPEditView::~CKtvPEditView()
{
    delete m_pEdit;
}

// ---------------------------------------------------------------- shared find state

CString CKtvPEditView::GetLastFindText()
{
    kev::FindState& state = kev::SharedFindState();
    std::lock_guard guard(state.lock);
    return state.strFind;
}

CString CKtvPEditView::GetLastReplaceText()
{
    kev::FindState& state = kev::SharedFindState();
    std::lock_guard guard(state.lock);
    return state.strReplace;
}

DWORD CKtvPEditView::GetLastFindFlags()
{
    kev::FindState& state = kev::SharedFindState();
    std::lock_guard guard(state.lock);
    return state.dwFlags;
}

void CKtvPEditView::SetLastFind(LPCTSTR lpszFind, LPCTSTR lpszReplace, DWORD dwFlags)
{
    kev::FindState& state = kev::SharedFindState();
    std::lock_guard guard(state.lock);
    state.strFind = lpszFind;
    state.strReplace = lpszReplace;
    state.dwFlags = dwFlags & kev::kKeptFindFlags;
}

// ---------------------------------------------------------------- the window

CKtvPEditCtrl* CKtvPEditView::CreateEdit()
{
    return new CKtvPEditCtrl;
}

void CKtvPEditView::OnDraw(CDC*) {}

// ---------------------------------------------------------------- printing

void CKtvPEditView::OnFilePrintPreview()
{
    auto* pState = new CPrintPreviewState;
    pState->dwStates = AFX_CONTROLBAR_MASK(AFX_IDW_STATUS_BAR);
    BOOL bStarted = FALSE;
    {
        [[maybe_unused]] CKtvPScopedResourceGuard guard;
        bStarted = DoPrintPreview(IDD_KTVP_PRINT_PREVIEW_BAR, this, RUNTIME_CLASS(CKtvPPrintPreviewView), pState);
    }
    if (!bStarted) {
        delete pState;
        AfxMessageBox(tw::mfc::PrintingString(AFX_IDP_COMMAND_FAILURE, "Command failed."));
        return;
    }
    // A view that declines to print has closed the preview again; the
    // preview took its state with it.
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pFrame == nullptr)
        pFrame = GetParentFrame();
    if (pFrame == nullptr || !pFrame->GetActiveView() ||
        !pFrame->GetActiveView()->IsKindOf(RUNTIME_CLASS(CKtvPPrintPreviewView)))
        AfxMessageBox(tw::mfc::PrintingString(AFX_IDP_COMMAND_FAILURE, "Command failed."));
}

void CKtvPEditView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr || !pDC->IsPrinting())
        CView::OnPrepareDC(pDC, pInfo);
}

BOOL CKtvPEditView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CKtvPEditView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_pEdit != nullptr)
        m_pEdit->OnBeginPrint(pDC, pInfo);
}

void CKtvPEditView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_pEdit != nullptr)
        m_pEdit->OnPrint(pDC, pInfo);
}

void CKtvPEditView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_pEdit != nullptr)
        m_pEdit->OnEndPrint(pDC, pInfo);
}

int CKtvPEditView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pEdit = CreateEdit();
    if (m_pEdit == nullptr)
        return -1;
    if (!m_pEdit->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, kev::kEditCtrlId)) {
        delete m_pEdit;
        m_pEdit = nullptr;
        return -1;
    }
    return 0;
}

void CKtvPEditView::OnSize(UINT, int cx, int cy)
{
    if (m_pEdit != nullptr && m_pEdit->m_hWnd != nullptr)
        m_pEdit->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CKtvPEditView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKtvPEditView::OnSetFocus(CWnd*)
{
    if (m_pEdit != nullptr && m_pEdit->m_hWnd != nullptr)
        m_pEdit->SetFocus();
}

void CKtvPEditView::OnDestroy()
{
    if (m_pEdit != nullptr) {
        m_pEdit->DestroyWindow();
        delete m_pEdit;
        m_pEdit = nullptr;
    }
    if (m_pFindReplaceDlg != nullptr) {
        if (m_pFindReplaceDlg->m_hWnd != nullptr)
            m_pFindReplaceDlg->PostMessage(WM_CLOSE);
        m_pFindReplaceDlg->m_pEditView = nullptr;
        m_pFindReplaceDlg = nullptr;
    }
    CView::OnDestroy();
}

void CKtvPEditView::SerializeRaw(CArchive& ar)
{
    if (m_pEdit != nullptr)
        m_pEdit->Serialize(ar);
}

LRESULT CKtvPEditView::OnEditChange(WPARAM, LPARAM)
{
    if (CDocument* pDocument = GetDocument())
        pDocument->SetModifiedFlag(TRUE);
    return 0;
}

// ---------------------------------------------------------------- Edit commands

void CKtvPEditView::OnEditCut()
{
    if (m_pEdit != nullptr)
        m_pEdit->Cut();
}

void CKtvPEditView::OnEditCopy()
{
    if (m_pEdit != nullptr)
        m_pEdit->Copy();
}

void CKtvPEditView::OnEditPaste()
{
    if (m_pEdit != nullptr)
        m_pEdit->Paste();
}

void CKtvPEditView::OnEditSelectAll()
{
    if (m_pEdit != nullptr)
        m_pEdit->MakeSelection(KTVP_SEL_ALL);
}

void CKtvPEditView::OnEditUndo()
{
    if (m_pEdit != nullptr)
        m_pEdit->Undo();
}

void CKtvPEditView::OnEditRedo()
{
    if (m_pEdit != nullptr)
        m_pEdit->Redo();
}

void CKtvPEditView::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pEdit != nullptr && m_pEdit->CanCut());
}

void CKtvPEditView::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pEdit != nullptr && m_pEdit->CanCopy());
}

void CKtvPEditView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pEdit != nullptr && m_pEdit->CanPaste());
}

void CKtvPEditView::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pEdit != nullptr);
}

void CKtvPEditView::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pEdit != nullptr && m_pEdit->CanUndo());
}

void CKtvPEditView::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pEdit != nullptr && m_pEdit->CanRedo());
}

// ---------------------------------------------------------------- find and replace

void CKtvPEditView::OnEditFind()
{
    OpenFindReplaceDialog(TRUE);
}

void CKtvPEditView::OnEditReplace()
{
    OpenFindReplaceDialog(FALSE);
}

void CKtvPEditView::GetFindInitialText(CString& strText)
{
    if (m_pEdit == nullptr)
        return;
    int start = -1;
    int end = -1;
    m_pEdit->GetSel(start, end);
    if (start >= 0 && start != end) {
        const CString strSelected = m_pEdit->GetTextRange(start, end);
        if (strSelected.Find('\n') >= 0)
            return;
        strText = strSelected;
        strText.Replace('\t', ' ');
        return;
    }
    CString strWord;
    if (m_pEdit->GetWordAtOffset(m_pEdit->GetCaretOffset(), strWord))
        strText = strWord;
}

void CKtvPEditView::OpenFindReplaceDialog(BOOL bFindOnly)
{
    if (m_pFindReplaceDlg != nullptr) {
        m_pFindReplaceDlg->SetFocus();
        return;
    }
    CString strFind = GetLastFindText();
    GetFindInitialText(strFind);
    SetLastFind(strFind, GetLastReplaceText(), GetLastFindFlags());

    auto* pDialog = new CKtvPFindReplaceDialog;
    pDialog->m_pEditView = this;
    m_pFindReplaceDlg = pDialog;
    const CString strReplace = GetLastReplaceText();
    if (!pDialog->Create(bFindOnly, strFind, bFindOnly ? nullptr : strReplace.GetString(), GetLastFindFlags(),
                         this)) {
        delete pDialog;  // clears m_pFindReplaceDlg
        return;
    }
    pDialog->DisableWhileOpen(AfxGetMainWnd());
}

BOOL CKtvPEditView::FindReplaceText(LPCTSTR lpszFind, DWORD dwFlags)
{
    if (m_pEdit == nullptr)
        return FALSE;
    const BOOL bDown = (dwFlags & FR_DOWN) != 0;
    const BOOL bMatchCase = (dwFlags & FR_MATCHCASE) != 0;
    const BOOL bWholeWord = (dwFlags & FR_WHOLEWORD) != 0;
    if (dwFlags & FR_REPLACE)
        return m_pEdit->ReplaceText(lpszFind, GetLastReplaceText(), bDown, bMatchCase, bWholeWord);
    if (!(dwFlags & FR_REPLACEALL))
        return m_pEdit->FindText(lpszFind, bDown, bMatchCase, bWholeWord);
    return m_pEdit->ReplaceAll(lpszFind, GetLastReplaceText(), bDown, bMatchCase, bWholeWord) > 0;
}

void CKtvPEditView::OnTextNotFound(LPCTSTR) {}

LRESULT CKtvPEditView::OnFindReplaceCmd(WPARAM, LPARAM lParam)
{
    if (m_pFindReplaceDlg == nullptr) {
        const CString strFind = GetLastFindText();
        if (!FindReplaceText(strFind, GetLastFindFlags()))
            OnTextNotFound(strFind);
        SetFocus();
        return 0;
    }
    CFindReplaceDialog* pDialog = CFindReplaceDialog::GetNotifier(lParam);
    if (pDialog == nullptr)
        pDialog = m_pFindReplaceDlg;
    if (pDialog->IsTerminating())
        return 0;
    const CString strFind = pDialog->GetFindString();
    const DWORD dwFlags = pDialog->m_fr.Flags;
    SetLastFind(strFind, pDialog->GetReplaceString(), dwFlags);
    if (!FindReplaceText(strFind, dwFlags))
        OnTextNotFound(strFind);
    if (m_pFindReplaceDlg != nullptr && m_pFindReplaceDlg->m_hWnd != nullptr)
        m_pFindReplaceDlg->SetFocus();
    return 0;
}
