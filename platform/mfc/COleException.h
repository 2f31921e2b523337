// The exceptions of the OLE glue: a failed COM call (COleException, with its
// SCODE) and an error an automation object raised (COleDispatchException,
// with the object's code, text, source and help).
#pragma once

#include "platform/mfc/CException.h"

class COleException : public CException {
    DECLARE_DYNAMIC(COleException)
public:
    COleException() = default;

    // The SCODE an exception stands for: its own for a COleException, the
    // error for a dispatch exception, E_OUTOFMEMORY for a memory one, E_UNEXPECTED otherwise.
    static SCODE PASCAL Process(const CException* pAnyException);

    // The system's text for the SCODE.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    SCODE m_sc = S_OK;
};

class COleDispatchException : public CException {
    DECLARE_DYNAMIC(COleDispatchException)
public:
    COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode);

    // The object's description.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    WORD m_wCode;
    CString m_strDescription;
    DWORD m_dwHelpContext;
    CString m_strHelpFile;
    CString m_strSource;
    SCODE m_scError = S_OK;
};

[[noreturn]] void AfxThrowOleException(SCODE sc);
[[noreturn]] void AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID = 0);
