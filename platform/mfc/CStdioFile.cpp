#include "platform/mfc/CStdioFile.h"

#include <cstring>
#include <string>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace tw::cstdiofile_detail {
constexpr UINT kReadAheadSize = 4096;
}

CStdioFile::CStdioFile() = default;

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_readAhead.clear();
    m_nReadPos = 0;
    m_bText = !(nOpenFlags & typeBinary);
    // The run time's "a" modes: modeCreate with modeNoTruncate, or modeWrite
    // alone on an existing file (modeReadWrite opens it as "r+").
    const bool bCreate = (nOpenFlags & modeCreate) != 0;
    m_bAppend = bCreate ? (nOpenFlags & modeNoTruncate) != 0 : (nOpenFlags & 3) == modeWrite;
    return CFile::Open(lpszFileName, nOpenFlags & ~(typeText | typeBinary), pError);
}

int CStdioFile::ReadByte()
{
    if (m_nReadPos == m_readAhead.size()) {
        m_readAhead.resize(tw::cstdiofile_detail::kReadAheadSize);
        const UINT nRead = CFile::Read(m_readAhead.data(), static_cast<UINT>(m_readAhead.size()));
        m_readAhead.resize(nRead);
        m_nReadPos = 0;
        if (nRead == 0)
            return -1;
    }
    return static_cast<unsigned char>(m_readAhead[m_nReadPos++]);
}

int CStdioFile::ReadChar()
{
    const int ch = ReadByte();
    if (ch != '\r' || !m_bText)
        return ch;
    const int next = ReadByte();
    if (next == '\n')
        return '\n';
    if (next != -1)
        UnreadByte();
    return ch;
}

void CStdioFile::DropReadAhead()
{
    const size_t nUnread = m_readAhead.size() - m_nReadPos;
    m_readAhead.clear();
    m_nReadPos = 0;
    if (nUnread > 0)
        CFile::Seek(-static_cast<LONGLONG>(nUnread), current);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    char* pOut = static_cast<char*>(lpBuf);
    UINT nRead = 0;
    while (nRead < nCount) {
        const int ch = ReadChar();
        if (ch == -1)
            break;
        pOut[nRead++] = static_cast<char>(ch);
    }
    return nRead;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    DropReadAhead();
    if (m_bAppend)
        CFile::Seek(0, end);
    if (!m_bText) {
        CFile::Write(lpBuf, nCount);
        return;
    }
    const char* pIn = static_cast<const char*>(lpBuf);
    std::string translated;
    translated.reserve(nCount + nCount / 16);
    for (UINT i = 0; i < nCount; ++i) {
        if (pIn[i] == '\n')
            translated += '\r';
        translated += pIn[i];
    }
    CFile::Write(translated.data(), static_cast<UINT>(translated.size()));
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
        AfxThrowInvalidArgException();
    UINT nRead = 0;
    while (nRead + 1 < nMax) {
        const int ch = ReadChar();
        if (ch == -1)
            break;
        lpsz[nRead++] = static_cast<char>(ch);
        if (ch == '\n')
            break;
    }
    lpsz[nRead] = '\0';
    if (nRead == 0 && nMax > 1)
        return nullptr;
    return lpsz;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    std::string line;
    int ch = ReadChar();
    if (ch == -1) {
        rString.Empty();
        return FALSE;
    }
    for (; ch != -1 && ch != '\n'; ch = ReadChar())
        line += static_cast<char>(ch);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    rString = CString(line.data(), static_cast<int>(line.size()));
    return TRUE;
}

ULONGLONG CStdioFile::GetPosition() const
{
    return CFile::GetPosition() - (m_readAhead.size() - m_nReadPos);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    DropReadAhead();
    return CFile::Seek(lOff, nFrom);
}

void CStdioFile::SetLength(ULONGLONG dwNewLen)
{
    DropReadAhead();
    CFile::SetLength(dwNewLen);
}

void CStdioFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    DropReadAhead();
    CFile::Flush();
}

void CStdioFile::Close()
{
    m_readAhead.clear();
    m_nReadPos = 0;
    CFile::Close();
}

void CStdioFile::Abort()
{
    m_readAhead.clear();
    m_nReadPos = 0;
    CFile::Abort();
}
