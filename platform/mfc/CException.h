// The framework's exceptions. They are thrown as pointers, as the framework
// does, so handlers read `catch (CException* e) { ...; e->Delete(); }`.
#pragma once

#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE);
    ~CException() override = default;

    // Frees a heap-made exception; a static one (out of memory) stays.
    void Delete();

    // The text for a message box, with the help context (0: none). FALSE and
    // an empty text when the exception has none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    // Shows the text in a message box of style nType (0: a plain OK box);
    // without a text, the prompt nMessageID or "No error message is available.".
    // Returns the button chosen.
    virtual int ReportError(UINT nType = 0, UINT nMessageID = 0) const;

    BOOL m_bAutoDelete;
};

// Out of memory. AfxThrowMemoryException throws one static object, since a
// new one may not be had at that moment.
class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    explicit CMemoryException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CNotSupportedException : public CException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    explicit CNotSupportedException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// A window, device context or drawing object could not be made.
class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
public:
    explicit CResourceException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// Thrown after the user has been told what is wrong (a failed validation):
// handlers stop quietly, without a message of their own.
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
public:
    explicit CUserException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
};

class CInvalidArgException : public CException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    explicit CInvalidArgException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszArchiveName = nullptr);

    // Throws a CFileException for a platform error code (GetLastError); no
    // throw for 0.
    static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);
    static int PASCAL OsErrorToException(LONG lOsError);

    // "%1 was not found." and the others, with the file name in place of %1
    // ("an unnamed file" without one).
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
        bufferFull,
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);

namespace tw {

// Where ReportError's message boxes go. Until the window system sets its own,
// the text is written to standard error and the box's default button is
// answered (IDOK for MB_OK and MB_OKCANCEL, IDYES for the yes/no styles...).
// text is NULL when the box shows the string resource nIDPrompt instead.
using ErrorBoxFunction = int (*)(LPCTSTR text, UINT nType, UINT nIDPrompt);

// Returns the previous function; NULL restores the default.
ErrorBoxFunction SetErrorBoxFunction(ErrorBoxFunction function);
int ShowErrorBox(LPCTSTR text, UINT nType, UINT nIDPrompt);

}  // namespace tw
