// Helpers for tests of archive images: store into memory and get the bytes,
// load from given bytes, and write bytes as hexadecimal text for readable
// expectations ("ff ff 01 00").
#pragma once

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMemFile.h"

namespace archive_bytes {

inline std::vector<BYTE> Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    const size_t nLength = static_cast<size_t>(file.GetLength());
    BYTE* pBytes = file.Detach();
    std::vector<BYTE> bytes(pBytes, pBytes + nLength);
    std::free(pBytes);
    return bytes;
}

inline void Load(const std::vector<BYTE>& bytes, const std::function<void(CArchive&)>& read)
{
    std::vector<BYTE> copy = bytes;
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

inline std::vector<BYTE> FromHex(const std::string& hex)
{
    std::vector<BYTE> bytes;
    std::string digits;
    for (char ch : hex) {
        if (ch == ' ')
            continue;
        digits += ch;
        if (digits.size() == 2) {
            bytes.push_back(static_cast<BYTE>(std::stoul(digits, nullptr, 16)));
            digits.clear();
        }
    }
    return bytes;
}

inline std::string ToHex(const std::vector<BYTE>& bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (BYTE b : bytes) {
        if (!hex.empty())
            hex += ' ';
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

inline std::string TextToHex(const std::string& text)
{
    return ToHex(std::vector<BYTE>(text.begin(), text.end()));
}

// The cause of the CArchiveException (or -1 for a CFileException, -2 for
// none) that running fn throws.
inline int ArchiveCauseOf(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    } catch (CException* e) {
        e->Delete();
        return -1;
    }
    return -2;
}

}  // namespace archive_bytes
