// The print and print-setup dialogs of the framework, and the printer the
// application prints on until the user picks another.
#pragma once

#include "platform/mfc/CCommonDialog.h"
#include "platform/mfc/CString.h"
#include "platform/win32/gdi/wingdi.h"

class CPrintDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    // Frees the DEVMODE and DEVNAMES blocks it holds; the printer DC stays
    // the caller's.
    ~CPrintDialog() override;
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // IDOK with the choice in m_pd (and its DC with PD_RETURNDC); IDCANCEL
    // when cancelled or failed.
    INT_PTR DoModal() override;
    // The default printer's blocks (and DC with PD_RETURNDC), with no dialog.
    BOOL GetDefaults();
    // A DC for the printer m_pd names, kept in m_pd.hDC; NULL when none.
    HDC CreatePrinterDC();
    HDC GetPrinterDC() const { return m_pd.hDC; }

    LPDEVMODE GetDevMode() const;
    CString GetDriverName() const;
    CString GetDeviceName() const;
    CString GetPortName() const;
    int GetCopies() const;
    BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) ? TRUE : FALSE; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) ? TRUE : FALSE; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) ? TRUE : FALSE; }
    // The range typed; -1 when no range was chosen.
    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

    // Fills pd with copies of the application's printer blocks (the
    // system's default printer until another is chosen), freeing the blocks
    // it held; FALSE when there is no printer. The copies are the caller's.
    static BOOL GetAppPrinterDefaults(PRINTDLG* pd);
    // Makes the printer pd names the application's (its blocks are copied).
    static void SetAppPrinter(const PRINTDLG& pd);

    PRINTDLG m_pd{};

private:
    CString DevNamesField(WORD DEVNAMES::*field) const;
};
