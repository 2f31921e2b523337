#include "platform/mfc/CEditView.h"

#include <string>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CFrameWnd.h"

IMPLEMENT_DYNCREATE(CEditView, CCtrlView)

BEGIN_MESSAGE_MAP(CEditView, CCtrlView)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnEditChange)
END_MESSAGE_MAP()

CEditView::CEditView()
    : CCtrlView("EDIT", AFX_WS_DEFAULT_VIEW | WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL | ES_AUTOVSCROLL |
                            ES_MULTILINE | ES_NOHIDESEL)
{
}

UINT CEditView::GetBufferLength() const
{
    return static_cast<UINT>(::GetWindowTextLength(m_hWnd));
}

void CEditView::SerializeRaw(CArchive& ar)
{
    if (ar.IsStoring()) {
        CString text;
        GetWindowText(text);
        ar.Write(static_cast<LPCTSTR>(text), static_cast<UINT>(text.GetLength()));
        return;
    }
    std::string bytes;
    char chunk[4096];
    for (UINT got; (got = ar.Read(chunk, sizeof chunk)) > 0;)
        bytes.append(chunk, got);
    SetWindowText(bytes.c_str());
}

void CEditView::Serialize(CArchive& ar)
{
    SerializeRaw(ar);
}

// The parent still hears of the change after the document does.
BOOL CEditView::OnEditChange()
{
    if (m_pDocument)
        m_pDocument->SetModifiedFlag(TRUE);
    return FALSE;
}
