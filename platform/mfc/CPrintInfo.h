// What a view's printing steps share for one print job or preview: the
// print dialog with the chosen printer, the page range, the page being
// printed and the rectangle it may draw in.
#pragma once

#include "platform/mfc/CPrintDialog.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"

struct CPrintInfo {
    CPrintInfo();
    // Deletes the print dialog and the printer DC it made.
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage); }
    // 0xFFFF: the document's length is not known; printing goes on while
    // m_bContinuePrinting stays TRUE.
    void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
    UINT GetToPage() const { return m_pPD->m_pd.nToPage; }

    CPrintDialog* m_pPD;
    BOOL m_bDirect = FALSE;    // print without the dialog, on the application's printer
    BOOL m_bPreview = FALSE;   // the job is a print preview
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 0;  // pages shown side by side in preview: 1 or 2, 0 for the default
    CString m_strPageDesc;        // "Page %u\nPages %u-%u\n"
    LPVOID m_lpUserData = nullptr;
    CRect m_rectDraw;             // the page's printable area, in logical units
};

namespace tw::mfc {

// A string of printing and preview: the program's own text for nID, else the fallback.
CString PrintingString(UINT nID, LPCTSTR lpszFallback);

}  // namespace tw::mfc
