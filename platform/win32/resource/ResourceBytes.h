// Little-endian byte writing and bounds-checked reading for the resource
// layouts, and the UTF-8 / UTF-16 conversions their texts need.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/kernel/Utf8Text.h"
#include "platform/win32/windef.h"

namespace tw::res {

using tw::Utf16ToUtf8;
using tw::Utf8ToUtf16;

class ByteWriter {
public:
    void Byte(BYTE value) { m_bytes.push_back(value); }
    void Word(WORD value);
    void Dword(DWORD value);
    void Bytes(const void* data, size_t size);
    // UTF-16 text with its terminating zero.
    void Utf16z(std::string_view utf8);
    void AlignTo(size_t boundary);
    void PatchWord(size_t offset, WORD value);
    size_t Size() const { return m_bytes.size(); }
    const std::vector<BYTE>& Data() const { return m_bytes; }
    std::vector<BYTE> Take() { return std::move(m_bytes); }

private:
    std::vector<BYTE> m_bytes;
};

// Every read checks the bounds; a read past the end sets the failed flag and
// yields zero, so parsers test Ok() once at the end.
class ByteReader {
public:
    ByteReader(const void* data, size_t size) : m_data(static_cast<const BYTE*>(data)), m_size(size) {}
    BYTE Byte();
    WORD Word();
    DWORD Dword();
    bool Bytes(std::vector<BYTE>& out, size_t count);
    // UTF-16 text up to its terminating zero, returned as UTF-8.
    std::string Utf16z();
    void AlignTo(size_t boundary);
    void Skip(size_t count);
    size_t Offset() const { return m_offset; }
    size_t Remaining() const { return m_failed ? 0 : m_size - m_offset; }
    bool AtEnd() const { return m_offset >= m_size; }
    bool Ok() const { return !m_failed; }
    void Fail() { m_failed = true; }

private:
    bool Need(size_t count);

    const BYTE* m_data;
    size_t m_size;
    size_t m_offset = 0;
    bool m_failed = false;
};

}  // namespace tw::res
