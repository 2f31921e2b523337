#include "platform/mfc/CException.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "platform/win32/winerror.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace tw::exception_detail {

// Message-box style bits and answers, as the window system defines them.
constexpr UINT kTypeMask = 0x0000000F;
constexpr UINT kDefaultButtonMask = 0x00000F00;
constexpr int kIdOk = 1, kIdCancel = 2, kIdAbort = 3, kIdRetry = 4, kIdIgnore = 5, kIdYes = 6, kIdNo = 7;

int DefaultButtonOf(UINT nType)
{
    static const int kButtons[][3] = {
        {kIdOk, kIdOk, kIdOk},             // MB_OK
        {kIdOk, kIdCancel, kIdCancel},     // MB_OKCANCEL
        {kIdAbort, kIdRetry, kIdIgnore},   // MB_ABORTRETRYIGNORE
        {kIdYes, kIdNo, kIdCancel},        // MB_YESNOCANCEL
        {kIdYes, kIdNo, kIdNo},            // MB_YESNO
        {kIdRetry, kIdCancel, kIdCancel},  // MB_RETRYCANCEL
    };
    const UINT style = nType & kTypeMask;
    const UINT defaultIndex = (nType & kDefaultButtonMask) >> 8;
    if (style >= std::size(kButtons))
        return kIdOk;
    return kButtons[style][defaultIndex < 3 ? defaultIndex : 0];
}

int WriteErrorBoxToStderr(LPCTSTR text, UINT nType, UINT nIDPrompt)
{
    if (text != nullptr)
        std::fprintf(stderr, "%s\n", text);
    else
        std::fprintf(stderr, "(message %u)\n", nIDPrompt);
    return DefaultButtonOf(nType);
}

std::atomic<tw::ErrorBoxFunction> g_errorBoxFunction{nullptr};

// Copies as lstrcpyn does: cut to the buffer, always terminated.
void CopyMessage(const std::string& text, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == nullptr || nMaxError == 0)
        return;
    const size_t n = std::min<size_t>(text.size(), nMaxError - 1);
    std::memcpy(lpszError, text.data(), n);
    lpszError[n] = '\0';
}

BOOL GiveMessage(const std::string& text, LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    CopyMessage(text, lpszError, nMaxError);
    return TRUE;
}

// The prompt with %1 replaced by the file name, or "an unnamed file".
std::string WithFileName(const char* prompt, const CString& fileName)
{
    const std::string name = fileName.IsEmpty() ? std::string("an unnamed file") : std::string(fileName.GetString());
    std::string text = prompt;
    const size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, name);
    return text;
}

const char* FileCausePrompt(int cause)
{
    switch (cause) {
    case CFileException::fileNotFound: return "%1 was not found.";
    case CFileException::badPath: return "%1 contains an invalid path.";
    case CFileException::tooManyOpenFiles: return "%1 could not be opened because there are too many open files.";
    case CFileException::accessDenied: return "Access to %1 was denied.";
    case CFileException::invalidFile: return "An invalid file handle was associated with %1.";
    case CFileException::removeCurrentDir: return "%1 could not be removed because it is the current directory.";
    case CFileException::directoryFull: return "%1 could not be created because the directory is full.";
    case CFileException::badSeek: return "Seek failed on %1";
    case CFileException::hardIO: return "A hardware I/O error was reported while accessing %1.";
    case CFileException::sharingViolation: return "A sharing violation occurred while accessing %1.";
    case CFileException::lockViolation: return "A locking violation occurred while accessing %1.";
    case CFileException::diskFull: return "Disk full while accessing %1.";
    case CFileException::endOfFile: return "An attempt was made to access %1 past its end.";
    default: return "An unknown error occurred while accessing %1.";
    }
}

const char* ArchiveCausePrompt(int cause)
{
    switch (cause) {
    case CArchiveException::readOnly: return "An attempt was made to write to the reading %1.";
    case CArchiveException::endOfFile: return "An attempt was made to access %1 past its end.";
    case CArchiveException::writeOnly: return "An attempt was made to read from the writing %1.";
    case CArchiveException::badIndex: return "%1 has a bad format.";
    case CArchiveException::badClass: return "%1 contained an unexpected object.";
    case CArchiveException::badSchema: return "%1 contains an incorrect schema.";
    case CArchiveException::bufferFull: return "%1 has run out of buffer space.";
    default: return "An unknown error occurred while accessing %1.";
    }
}

}  // namespace tw::exception_detail

namespace exd = tw::exception_detail;

tw::ErrorBoxFunction tw::SetErrorBoxFunction(ErrorBoxFunction function)
{
    return exd::g_errorBoxFunction.exchange(function);
}

int tw::ShowErrorBox(LPCTSTR text, UINT nType, UINT nIDPrompt)
{
    ErrorBoxFunction function = exd::g_errorBoxFunction.load();
    if (function == nullptr)
        function = exd::WriteErrorBoxToStderr;
    return function(text, nType, nIDPrompt);
}

// --- CException ------------------------------------------------------------

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete)
{
}

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    exd::CopyMessage(std::string(), lpszError, nMaxError);
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) const
{
    char szMessage[512];
    UINT nHelpContext = 0;
    if (GetErrorMessage(szMessage, sizeof szMessage, &nHelpContext))
        return tw::ShowErrorBox(szMessage, nType, 0);
    if (nMessageID != 0)
        return tw::ShowErrorBox(nullptr, nType, nMessageID);
    return tw::ShowErrorBox("No error message is available.", nType, 0);
}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return exd::GiveMessage("Out of memory.", lpszError, nMaxError, pnHelpContext);
}

BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return exd::GiveMessage("An unsupported operation was attempted.", lpszError, nMaxError, pnHelpContext);
}

BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return exd::GiveMessage("A required resource was unavailable.", lpszError, nMaxError, pnHelpContext);
}

BOOL CInvalidArgException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return exd::GiveMessage("Encountered an improper argument.", lpszError, nMaxError, pnHelpContext);
}

// --- CFileException --------------------------------------------------------

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case ERROR_SUCCESS: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED: return accessDenied;
    case ERROR_INVALID_HANDLE: return fileNotFound;
    case ERROR_BAD_FORMAT: return invalidFile;
    case ERROR_INVALID_ACCESS: return accessDenied;
    case ERROR_INVALID_DRIVE: return badPath;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_NOT_SAME_DEVICE: return badPath;
    case ERROR_NO_MORE_FILES: return fileNotFound;
    case ERROR_WRITE_PROTECT: return accessDenied;
    case ERROR_WRITE_FAULT: return accessDenied;
    case ERROR_READ_FAULT: return badSeek;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_HANDLE_EOF: return endOfFile;
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_FILE_EXISTS: return accessDenied;
    case ERROR_CANNOT_MAKE: return accessDenied;
    case ERROR_BUFFER_OVERFLOW: return badPath;
    case ERROR_DISK_FULL: return diskFull;
    case ERROR_INVALID_NAME: return badPath;
    case 131: return badSeek;  // ERROR_NEGATIVE_SEEK
    case 132: return badSeek;  // ERROR_SEEK_ON_DEVICE
    case ERROR_DIR_NOT_EMPTY: return removeCurrentDir;
    case ERROR_BAD_PATHNAME: return badPath;
    case ERROR_ALREADY_EXISTS: return accessDenied;
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_DIRECTORY: return badPath;
    default: return genericException;
    }
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return exd::GiveMessage(exd::WithFileName(exd::FileCausePrompt(m_cause), m_strFileName), lpszError, nMaxError,
                            pnHelpContext);
}

// --- CArchiveException -----------------------------------------------------

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return exd::GiveMessage(exd::WithFileName(exd::ArchiveCausePrompt(m_cause), m_strFileName), lpszError,
                            nMaxError, pnHelpContext);
}

// --- throwing --------------------------------------------------------------

void AfxThrowMemoryException()
{
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}

void AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AfxThrowResourceException()
{
    throw new CResourceException;
}

void AfxThrowUserException()
{
    throw new CUserException;
}

void AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
