#include "platform/mfc/CPrintInfo.h"

#include "platform/mfc/CWinApp.h"

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION))
{
    SetMinPage(1);
    SetMaxPage(0xFFFF);
    m_pPD->m_pd.nFromPage = 1;
    m_pPD->m_pd.nToPage = 0xFFFF;
    if (CWinApp* pApp = AfxGetApp())
        m_nNumPreviewPages = pApp->m_nNumPreviewPages;
}

CPrintInfo::~CPrintInfo()
{
    if (m_pPD->m_pd.hDC) {
        ::DeleteDC(m_pPD->m_pd.hDC);
        m_pPD->m_pd.hDC = nullptr;
    }
    delete m_pPD;
}

CString tw::mfc::PrintingString(UINT nID, LPCTSTR lpszFallback)
{
    CString text;
    if (!text.LoadString(nID))
        text = lpszFallback;
    return text;
}
