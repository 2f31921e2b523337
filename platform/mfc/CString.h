// The framework's string: a value type over UTF-8 text. Indices and lengths
// count bytes, as the framework's multibyte build does; the operations that
// look at characters (case, reverse, character sets) step over whole UTF-8
// sequences so that no sequence is ever split.
#pragma once

#include <cstdarg>
#include <string>

#include "platform/com/OleTypes.h"
#include "platform/win32/windef.h"

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(LPCTSTR text);                  // NULL gives an empty string; MAKEINTRESOURCE(id) loads the string id
    CString(LPCTSTR text, int length);      // may hold embedded NULs
    CString(TCHAR ch, int repeat = 1);
    CString(const unsigned char* text);
    CString(LPCWSTR text);                  // UTF-16 converted to UTF-8
    CString(LPCWSTR text, int length);

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCTSTR text);
    CString& operator=(TCHAR ch);
    CString& operator=(const unsigned char* text);
    CString& operator=(LPCWSTR text);

    // --- size and elements
    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty();
    TCHAR GetAt(int index) const;
    TCHAR operator[](int index) const { return GetAt(index); }
    void SetAt(int index, TCHAR ch);
    operator LPCTSTR() const { return m_str.c_str(); }
    LPCTSTR GetString() const { return m_str.c_str(); }

    // --- concatenation
    CString& operator+=(const CString& text);
    CString& operator+=(LPCTSTR text);
    CString& operator+=(TCHAR ch);
    CString& operator+=(LPCWSTR text);

    // --- comparison: <0, 0, >0
    int Compare(LPCTSTR text) const;
    int CompareNoCase(LPCTSTR text) const;
    int Collate(LPCTSTR text) const;
    int CollateNoCase(LPCTSTR text) const;

    // --- extraction (clamped to the string)
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(LPCTSTR charSet) const;
    CString SpanExcluding(LPCTSTR charSet) const;

    // --- in-place changes; those returning CString& return this string, for chaining
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    int Replace(TCHAR oldChar, TCHAR newChar);
    int Replace(LPCTSTR oldText, LPCTSTR newText);
    int Remove(TCHAR ch);
    int Insert(int index, TCHAR ch);
    int Insert(int index, LPCTSTR text);
    int Delete(int index, int count = 1);
    CString& TrimRight();
    CString& TrimRight(TCHAR target);
    CString& TrimRight(LPCTSTR targets);
    CString& TrimLeft();
    CString& TrimLeft(TCHAR target);
    CString& TrimLeft(LPCTSTR targets);
    CString& Trim();
    CString& Trim(TCHAR target);
    CString& Trim(LPCTSTR targets);

    // --- searching: byte index or -1
    int Find(TCHAR ch) const;
    int Find(TCHAR ch, int start) const;
    int Find(LPCTSTR text) const;
    int Find(LPCTSTR text, int start) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR charSet) const;

    // --- formatting, through the platform's printf forms
    void Format(LPCTSTR format, ...);
    void FormatV(LPCTSTR format, va_list args);
    void AppendFormat(LPCTSTR format, ...);

    // --- raw buffer access. The buffer holds at least minLength characters
    // plus a NUL; other members must not be used until ReleaseBuffer.
    LPTSTR GetBuffer(int minLength = 0);
    LPTSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1); // -1: up to the first NUL
    LPTSTR LockBuffer();
    void UnlockBuffer();
    void FreeExtra();

    // The text as a new UTF-16 BSTR the caller frees; SetSysString replaces *target's.
    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* target) const;

    // String resources; fails (FALSE, string unchanged) while the program has no string table.
    BOOL LoadString(UINT id);

private:
    std::string m_str;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCTSTR b);
CString operator+(LPCTSTR a, const CString& b);
CString operator+(const CString& a, TCHAR b);
CString operator+(TCHAR a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCTSTR b);
bool operator==(LPCTSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCTSTR b);
bool operator!=(LPCTSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCTSTR b);
bool operator<(LPCTSTR a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, LPCTSTR b);
bool operator>(LPCTSTR a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, LPCTSTR b);
bool operator<=(LPCTSTR a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, LPCTSTR b);
bool operator>=(LPCTSTR a, const CString& b);
