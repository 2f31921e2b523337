// A bar made from a dialog template: a child dialog laid along the top of
// its frame, whose buttons send their commands to the frame (and so to the
// active view) and are enabled and named by those commands' update handlers.
#pragma once

#include "platform/mfc/CRect.h"
#include "platform/mfc/CWnd.h"
#include "platform/win32/dialog/windlg.h"
#include "platform/mfc/afxbarcodes.h"

class CDialogBar : public CWnd {
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar() = default;

    // FALSE when the template is missing or the window cannot be made. A
    // template made for a popup is shown as a child all the same.
    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);
    BOOL CreateIndirect(CWnd* pParentWnd, LPCDLGTEMPLATE lpTemplate, UINT nStyle, UINT nID);

    CSize m_sizeDefault;     // the template's size; the height is the bar's
    BOOL m_bAutoDelete = FALSE;
    DWORD m_dwStyle = 0;     // CBRS_ flags

protected:
    void PostNcDestroy() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The owner when one was set, else the frame the bar sits in.
    CWnd* CommandTarget() const;
};
