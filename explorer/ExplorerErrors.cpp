#include "explorer/ExplorerErrors.h"

#include "platform/mfc/CWinApp.h"

CString ExplorerComErrorText(const _com_error& error)
{
    const _bstr_t description = error.Description();
    CString text = static_cast<LPCTSTR>(description) != nullptr ? static_cast<LPCTSTR>(description) : "";
    if (text.IsEmpty())
        text.Format("HRESULT: 0x%08lx", static_cast<unsigned long>(error.Error()));
    return text;
}

void ShowExplorerComError(const _com_error& error) { AfxMessageBox(ExplorerComErrorText(error), MB_OK); }

void ShowExplorerFailure()
{
    CString project;
    if (!project.LoadString(kExplorerFeedbackString))
        project = "the Tarnwick project";
    AfxMessageBox("Error!Feedback to " + project + ",please!", MB_OK);
}
