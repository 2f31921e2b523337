#include "platform/mfc/CString.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/com/Bstr.h"
#include "platform/win32/kernel/PlatformPrintf.h"
#include "platform/win32/kernel/Utf8Text.h"
#include "platform/win32/resource/ResourceLoader.h"

HINSTANCE AfxGetResourceHandle();

namespace cstring_detail {

// One character: a whole UTF-8 sequence, or a single byte that is not part of one.
size_t CharLengthAt(std::string_view text, size_t at)
{
    char32_t cp;
    const size_t length = tw::DecodeUtf8(text, at, cp);
    return length ? length : 1;
}

std::vector<std::string_view> SplitChars(std::string_view text)
{
    std::vector<std::string_view> chars;
    for (size_t i = 0; i < text.size();) {
        const size_t length = CharLengthAt(text, i);
        chars.push_back(text.substr(i, length));
        i += length;
    }
    return chars;
}

class CharSet {
public:
    explicit CharSet(LPCTSTR set) : m_chars(SplitChars(set ? set : "")) {}
    bool Contains(std::string_view ch) const { return std::find(m_chars.begin(), m_chars.end(), ch) != m_chars.end(); }

private:
    std::vector<std::string_view> m_chars;
};

bool IsAsciiSpace(std::string_view ch)
{
    return ch.size() == 1 && std::strchr(" \t\n\v\f\r", ch[0]) && ch[0] != '\0';
}

// Simple one-to-one case pairs: ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic.
// The fallback when the run time's own mapping is unavailable.
char32_t BuiltInUpperOf(char32_t cp)
{
    if (cp >= 'a' && cp <= 'z')
        return cp - 0x20;
    if (cp < 0x80)
        return cp;
    if ((cp >= 0xE0 && cp <= 0xFE && cp != 0xF7))
        return cp - 0x20;
    if (cp == 0xFF)
        return 0x178;
    if (cp == 0xB5)
        return 0x39C;
    if (cp == 0x131)
        return 'I';
    if ((cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177))
        return (cp & 1) ? cp - 1 : cp;
    if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E))
        return (cp & 1) ? cp : cp - 1;
    if (cp == 0x3C2)
        return 0x3A3;
    if (cp >= 0x3B1 && cp <= 0x3C9)
        return cp - 0x20;
    if (cp >= 0x430 && cp <= 0x44F)
        return cp - 0x20;
    if (cp >= 0x450 && cp <= 0x45F)
        return cp - 0x50;
    return cp;
}

char32_t BuiltInLowerOf(char32_t cp)
{
    if (cp >= 'A' && cp <= 'Z')
        return cp + 0x20;
    if (cp < 0x80)
        return cp;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)
        return cp + 0x20;
    if (cp == 0x178)
        return 0xFF;
    if (cp == 0x130)
        return 'i';
    if ((cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177))
        return (cp & 1) ? cp : cp + 1;
    if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E))
        return (cp & 1) ? cp + 1 : cp;
    if (cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2)
        return cp + 0x20;
    if (cp >= 0x410 && cp <= 0x42F)
        return cp + 0x20;
    if (cp >= 0x400 && cp <= 0x40F)
        return cp + 0x50;
    return cp;
}

// The same mapping as CharUpper and _mbsupr, so every path of the program agrees.
char32_t UpperOf(char32_t cp)
{
    const char32_t mapped = tw::utf8::ToUpper(cp);
    return mapped != cp ? mapped : BuiltInUpperOf(cp);
}

char32_t LowerOf(char32_t cp)
{
    const char32_t mapped = tw::utf8::ToLower(cp);
    return mapped != cp ? mapped : BuiltInLowerOf(cp);
}

template <typename Map>
std::string MapCase(std::string_view text, Map map)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t cp;
        const size_t length = tw::DecodeUtf8(text, i, cp);
        if (length == 0) {
            out += text[i++];
            continue;
        }
        tw::AppendUtf8(out, map(cp));
        i += length;
    }
    return out;
}

// Code points for comparing without case; bytes outside any sequence sort after all code points.
std::vector<char32_t> FoldedCodePoints(std::string_view text)
{
    std::vector<char32_t> folded;
    folded.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t cp;
        const size_t length = tw::DecodeUtf8(text, i, cp);
        if (length == 0) {
            folded.push_back(0x110000 + static_cast<unsigned char>(text[i++]));
            continue;
        }
        folded.push_back(LowerOf(cp));
        i += length;
    }
    return folded;
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

bool PointsInto(const std::string& storage, LPCTSTR text)
{
    return text >= storage.data() && text <= storage.data() + storage.capacity();
}

} // namespace cstring_detail

CString::CString(LPCTSTR text)
{
    if (text && IS_INTRESOURCE(text)) {
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)));
        return;
    }
    if (text)
        m_str = text;
}

CString::CString(LPCTSTR text, int length)
{
    if (text && length > 0)
        m_str.assign(text, static_cast<size_t>(length));
}

CString::CString(TCHAR ch, int repeat)
{
    if (repeat > 0)
        m_str.assign(static_cast<size_t>(repeat), ch);
}

CString::CString(const unsigned char* text) : CString(reinterpret_cast<LPCTSTR>(text)) {}

CString::CString(LPCWSTR text)
{
    if (!text)
        return;
    size_t length = 0;
    while (text[length])
        ++length;
    m_str = tw::Utf16ToUtf8(std::u16string_view(text, length));
}

CString::CString(LPCWSTR text, int length)
{
    if (text && length > 0)
        m_str = tw::Utf16ToUtf8(std::u16string_view(text, static_cast<size_t>(length)));
}

CString& CString::operator=(LPCTSTR text)
{
    if (!text)
        m_str.clear();
    else if (cstring_detail::PointsInto(m_str, text))
        m_str = std::string(text);
    else
        m_str = text;
    return *this;
}

CString& CString::operator=(TCHAR ch)
{
    m_str.assign(1, ch);
    return *this;
}

CString& CString::operator=(const unsigned char* text)
{
    return *this = reinterpret_cast<LPCTSTR>(text);
}

CString& CString::operator=(LPCWSTR text)
{
    return *this = CString(text);
}

void CString::Empty()
{
    m_str.clear();
    m_str.shrink_to_fit();
}

TCHAR CString::GetAt(int index) const
{
    if (index < 0 || index >= GetLength())
        return '\0';
    return m_str[static_cast<size_t>(index)];
}

void CString::SetAt(int index, TCHAR ch)
{
    if (index < 0 || index >= GetLength())
        return;
    m_str[static_cast<size_t>(index)] = ch;
}

CString& CString::operator+=(const CString& text)
{
    m_str += text.m_str;
    return *this;
}

CString& CString::operator+=(LPCTSTR text)
{
    if (!text)
        return *this;
    if (cstring_detail::PointsInto(m_str, text))
        m_str += std::string(text);
    else
        m_str += text;
    return *this;
}

CString& CString::operator+=(TCHAR ch)
{
    m_str += ch;
    return *this;
}

CString& CString::operator+=(LPCWSTR text)
{
    return *this += CString(text);
}

int CString::Compare(LPCTSTR text) const
{
    return cstring_detail::Sign(std::strcmp(m_str.c_str(), text ? text : ""));
}

int CString::CompareNoCase(LPCTSTR text) const
{
    const std::vector<char32_t> mine = cstring_detail::FoldedCodePoints(m_str.c_str());
    const std::vector<char32_t> theirs = cstring_detail::FoldedCodePoints(text ? text : "");
    const auto order = std::lexicographical_compare_three_way(mine.begin(), mine.end(), theirs.begin(), theirs.end());
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

// The run time collates in its default "C" locale, where collation is byte order.
int CString::Collate(LPCTSTR text) const
{
    return Compare(text);
}

int CString::CollateNoCase(LPCTSTR text) const
{
    return CompareNoCase(text);
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    const long long length = GetLength();
    long long from = std::max(first, 0);
    long long take = std::max(count, 0);
    if (from > length)
        return CString();
    take = std::min(take, length - from);
    return CString(m_str.data() + from, static_cast<int>(take));
}

CString CString::Left(int count) const
{
    const int take = std::clamp(count, 0, GetLength());
    return CString(m_str.data(), take);
}

CString CString::Right(int count) const
{
    const int take = std::clamp(count, 0, GetLength());
    return CString(m_str.data() + (GetLength() - take), take);
}

CString CString::SpanIncluding(LPCTSTR charSet) const
{
    const cstring_detail::CharSet set(charSet);
    size_t end = 0;
    while (end < m_str.size()) {
        const size_t length = cstring_detail::CharLengthAt(m_str, end);
        if (!set.Contains(std::string_view(m_str).substr(end, length)))
            break;
        end += length;
    }
    return Left(static_cast<int>(end));
}

CString CString::SpanExcluding(LPCTSTR charSet) const
{
    const int found = FindOneOf(charSet);
    return found < 0 ? *this : Left(found);
}

CString& CString::MakeUpper()
{
    m_str = cstring_detail::MapCase(m_str, cstring_detail::UpperOf);
    return *this;
}

CString& CString::MakeLower()
{
    m_str = cstring_detail::MapCase(m_str, cstring_detail::LowerOf);
    return *this;
}

CString& CString::MakeReverse()
{
    const std::vector<std::string_view> chars = cstring_detail::SplitChars(m_str);
    std::string reversed;
    reversed.reserve(m_str.size());
    for (auto it = chars.rbegin(); it != chars.rend(); ++it)
        reversed.append(*it);
    m_str = std::move(reversed);
    return *this;
}

int CString::Replace(TCHAR oldChar, TCHAR newChar)
{
    int count = 0;
    for (size_t i = 0; i < m_str.size();) {
        const size_t length = cstring_detail::CharLengthAt(m_str, i);
        if (length == 1 && m_str[i] == oldChar) {
            m_str[i] = newChar;
            ++count;
        }
        i += length;
    }
    return count;
}

int CString::Replace(LPCTSTR oldText, LPCTSTR newText)
{
    if (!oldText || !*oldText)
        return 0;
    const std::string_view from(oldText);
    const std::string to(newText ? newText : "");
    std::string result;
    int count = 0;
    size_t done = 0;
    for (size_t hit = m_str.find(from); hit != std::string::npos; hit = m_str.find(from, done)) {
        result.append(m_str, done, hit - done);
        result += to;
        done = hit + from.size();
        ++count;
    }
    if (count == 0)
        return 0;
    result.append(m_str, done, std::string::npos);
    m_str = std::move(result);
    return count;
}

int CString::Remove(TCHAR ch)
{
    std::string kept;
    kept.reserve(m_str.size());
    int count = 0;
    for (size_t i = 0; i < m_str.size();) {
        const size_t length = cstring_detail::CharLengthAt(m_str, i);
        if (length == 1 && m_str[i] == ch)
            ++count;
        else
            kept.append(m_str, i, length);
        i += length;
    }
    m_str = std::move(kept);
    return count;
}

int CString::Insert(int index, TCHAR ch)
{
    return Insert(index, CString(ch, 1));
}

int CString::Insert(int index, LPCTSTR text)
{
    const std::string inserted(text ? text : "");
    m_str.insert(static_cast<size_t>(std::clamp(index, 0, GetLength())), inserted);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    const int from = std::max(index, 0);
    if (count > 0 && from < GetLength())
        m_str.erase(static_cast<size_t>(from), static_cast<size_t>(std::min(count, GetLength() - from)));
    return GetLength();
}

namespace cstring_detail {

template <typename Matches>
size_t TrimmedEnd(const std::string& text, Matches matches)
{
    // Walk forward, since a UTF-8 sequence can only be recognised from its lead byte.
    size_t end = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t length = CharLengthAt(text, i);
        if (!matches(std::string_view(text).substr(i, length)))
            end = i + length;
        i += length;
    }
    return end;
}

template <typename Matches>
size_t TrimmedStart(const std::string& text, Matches matches)
{
    size_t start = 0;
    while (start < text.size()) {
        const size_t length = CharLengthAt(text, start);
        if (!matches(std::string_view(text).substr(start, length)))
            break;
        start += length;
    }
    return start;
}

} // namespace cstring_detail

CString& CString::TrimRight()
{
    m_str.resize(cstring_detail::TrimmedEnd(m_str, cstring_detail::IsAsciiSpace));
    return *this;
}

CString& CString::TrimRight(TCHAR target)
{
    m_str.resize(cstring_detail::TrimmedEnd(m_str, [target](std::string_view ch) { return ch.size() == 1 && ch[0] == target; }));
    return *this;
}

CString& CString::TrimRight(LPCTSTR targets)
{
    const cstring_detail::CharSet set(targets);
    m_str.resize(cstring_detail::TrimmedEnd(m_str, [&set](std::string_view ch) { return set.Contains(ch); }));
    return *this;
}

CString& CString::TrimLeft()
{
    m_str.erase(0, cstring_detail::TrimmedStart(m_str, cstring_detail::IsAsciiSpace));
    return *this;
}

CString& CString::TrimLeft(TCHAR target)
{
    m_str.erase(0, cstring_detail::TrimmedStart(m_str, [target](std::string_view ch) { return ch.size() == 1 && ch[0] == target; }));
    return *this;
}

CString& CString::TrimLeft(LPCTSTR targets)
{
    const cstring_detail::CharSet set(targets);
    m_str.erase(0, cstring_detail::TrimmedStart(m_str, [&set](std::string_view ch) { return set.Contains(ch); }));
    return *this;
}

CString& CString::Trim()
{
    TrimRight();
    TrimLeft();
    return *this;
}

CString& CString::Trim(TCHAR target)
{
    TrimRight(target);
    TrimLeft(target);
    return *this;
}

CString& CString::Trim(LPCTSTR targets)
{
    TrimRight(targets);
    TrimLeft(targets);
    return *this;
}

int CString::Find(TCHAR ch) const
{
    return Find(ch, 0);
}

int CString::Find(TCHAR ch, int start) const
{
    if (ch == '\0')
        return -1;
    for (size_t i = static_cast<size_t>(std::max(start, 0)); i < m_str.size();) {
        const size_t length = cstring_detail::CharLengthAt(m_str, i);
        if (length == 1 && m_str[i] == ch)
            return static_cast<int>(i);
        i += length;
    }
    return -1;
}

int CString::Find(LPCTSTR text) const
{
    return Find(text, 0);
}

int CString::Find(LPCTSTR text, int start) const
{
    if (!text)
        return -1;
    const int from = std::max(start, 0);
    if (from > GetLength())
        return -1;
    const size_t hit = std::string_view(m_str.c_str()).find(text, static_cast<size_t>(from));
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

int CString::ReverseFind(TCHAR ch) const
{
    int last = -1;
    for (size_t i = 0; i < m_str.size();) {
        const size_t length = cstring_detail::CharLengthAt(m_str, i);
        if (length == 1 && m_str[i] == ch)
            last = static_cast<int>(i);
        i += length;
    }
    return ch == '\0' ? -1 : last;
}

int CString::FindOneOf(LPCTSTR charSet) const
{
    const cstring_detail::CharSet set(charSet);
    for (size_t i = 0; i < m_str.size();) {
        const size_t length = cstring_detail::CharLengthAt(m_str, i);
        if (set.Contains(std::string_view(m_str).substr(i, length)))
            return static_cast<int>(i);
        i += length;
    }
    return -1;
}

void CString::Format(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

// Formatted into a fresh string first: the arguments may point into this one.
void CString::FormatV(LPCTSTR format, va_list args)
{
    std::string text;
    tw::AppendPrintf(text, format, args);
    text.resize(strnlen(text.c_str(), text.size())); // a "%c" of NUL ends the text, as the buffer's length is taken
    m_str = std::move(text);
}

void CString::AppendFormat(LPCTSTR format, ...)
{
    std::string text;
    va_list args;
    va_start(args, format);
    tw::AppendPrintf(text, format, args);
    va_end(args);
    text.resize(strnlen(text.c_str(), text.size()));
    m_str += text;
}

LPTSTR CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_str.resize(static_cast<size_t>(minLength), '\0');
    return m_str.data();
}

LPTSTR CString::GetBufferSetLength(int length)
{
    m_str.resize(static_cast<size_t>(std::max(length, 0)), '\0');
    return m_str.data();
}

// The length is looked for only inside the buffer, so a caller that filled it
// without a terminating NUL cannot make us read past it.
void CString::ReleaseBuffer(int newLength)
{
    size_t length = newLength < 0 ? strnlen(m_str.data(), m_str.size()) : static_cast<size_t>(newLength);
    m_str.resize(std::min(length, m_str.size()));
}

LPTSTR CString::LockBuffer()
{
    return m_str.data();
}

void CString::UnlockBuffer() {}

void CString::FreeExtra()
{
    m_str.shrink_to_fit();
}

BSTR CString::AllocSysString() const
{
    const std::u16string wide = tw::Utf8ToUtf16(m_str);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

BSTR CString::SetSysString(BSTR* target) const
{
    if (!target)
        return nullptr;
    const std::u16string wide = tw::Utf8ToUtf16(m_str);
    if (!SysReAllocStringLen(target, wide.data(), static_cast<UINT>(wide.size())))
        return nullptr;
    return *target;
}

BOOL CString::LoadString(UINT id)
{
    std::string text;
    if (!tw::LoadResourceString(AfxGetResourceHandle(), id, text))
        return FALSE;
    m_str = std::move(text);
    return TRUE;
}

CString operator+(const CString& a, const CString& b)
{
    CString sum(a);
    sum += b;
    return sum;
}

CString operator+(const CString& a, LPCTSTR b)
{
    CString sum(a);
    sum += b;
    return sum;
}

CString operator+(LPCTSTR a, const CString& b)
{
    CString sum(a);
    sum += b;
    return sum;
}

CString operator+(const CString& a, TCHAR b)
{
    CString sum(a);
    sum += b;
    return sum;
}

CString operator+(TCHAR a, const CString& b)
{
    CString sum(a, 1);
    sum += b;
    return sum;
}

bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
bool operator!=(const CString& a, LPCTSTR b) { return a.Compare(b) != 0; }
bool operator!=(LPCTSTR a, const CString& b) { return b.Compare(a) != 0; }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, LPCTSTR b) { return a.Compare(b) < 0; }
bool operator<(LPCTSTR a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, LPCTSTR b) { return a.Compare(b) > 0; }
bool operator>(LPCTSTR a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, LPCTSTR b) { return a.Compare(b) <= 0; }
bool operator<=(LPCTSTR a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, LPCTSTR b) { return a.Compare(b) >= 0; }
bool operator>=(LPCTSTR a, const CString& b) { return b.Compare(a) <= 0; }
