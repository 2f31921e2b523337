// Files of text lines. In text mode (the default, or typeText) "\n" is
// written as CR LF and CR LF reads back as "\n", as the platform's C run
// time does; typeBinary passes bytes unchanged. Opening an existing file for
// writing without modeCreate appends, as the run time's "a" mode does.
#pragma once

#include <vector>

#include "platform/mfc/CFile.h"

class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    // Throws CFileException when the file cannot be opened.
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

    void WriteString(LPCTSTR lpsz);
    // Up to nMax - 1 characters into lpsz, through the line's "\n" (kept);
    // NULL at the end of the file.
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // One line without its line end; FALSE at the end of the file.
    BOOL ReadString(CString& rString);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

private:
    // Next byte of the file, or -1 at its end.
    int ReadByte();
    void UnreadByte() { --m_nReadPos; }
    // Next character: CR LF comes back as "\n" in text mode.
    int ReadChar();
    // Gives back bytes read ahead, so the file position is the caller's.
    void DropReadAhead();

    bool m_bText = true;
    bool m_bAppend = false;
    std::vector<char> m_readAhead;
    size_t m_nReadPos = 0;
};
