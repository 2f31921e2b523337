#include "platform/mfc/COleException.h"

#include "platform/com/ComSupport.h"
#include "platform/win32/kernel/Locale.h"

IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(COleDispatchException, CException)

namespace ole_exception_detail {

BOOL CopyErrorText(LPCTSTR text, LPTSTR lpszError, UINT nMaxError)
{
    if (!lpszError || nMaxError == 0)
        return FALSE;
    lstrcpyn(lpszError, text ? text : "", static_cast<int>(nMaxError));
    return text && *text;
}

}  // namespace ole_exception_detail

SCODE PASCAL COleException::Process(const CException* pAnyException)
{
    if (!pAnyException)
        return E_UNEXPECTED;
    if (const auto* ole = dynamic_cast<const COleException*>(pAnyException))
        return ole->m_sc;
    if (const auto* dispatch = dynamic_cast<const COleDispatchException*>(pAnyException))
        return dispatch->m_scError ? dispatch->m_scError : DISP_E_EXCEPTION;
    if (dynamic_cast<const CMemoryException*>(pAnyException))
        return E_OUTOFMEMORY;
    if (dynamic_cast<const CNotSupportedException*>(pAnyException))
        return E_NOTIMPL;
    return E_UNEXPECTED;
}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    const _com_error error(m_sc);
    return ole_exception_detail::CopyErrorText(error.ErrorMessage(), lpszError, nMaxError);
}

COleDispatchException::COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode)
    : m_wCode(wCode), m_strDescription(lpszDescription ? lpszDescription : ""), m_dwHelpContext(nHelpID)
{
}

BOOL COleDispatchException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = m_dwHelpContext;
    return ole_exception_detail::CopyErrorText(m_strDescription, lpszError, nMaxError);
}

void AfxThrowOleException(SCODE sc)
{
    auto* e = new COleException;
    e->m_sc = sc;
    throw e;
}

void AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID)
{
    throw new COleDispatchException(lpszDescription, nHelpID, wCode);
}
