#include "platform/win32/resource/ResourceBytes.h"

namespace tw::res {

void ByteWriter::Word(WORD value)
{
    m_bytes.push_back(static_cast<BYTE>(value & 0xFF));
    m_bytes.push_back(static_cast<BYTE>(value >> 8));
}

void ByteWriter::Dword(DWORD value)
{
    Word(static_cast<WORD>(value & 0xFFFF));
    Word(static_cast<WORD>(value >> 16));
}

void ByteWriter::Bytes(const void* data, size_t size)
{
    const auto* bytes = static_cast<const BYTE*>(data);
    m_bytes.insert(m_bytes.end(), bytes, bytes + size);
}

void ByteWriter::Utf16z(std::string_view utf8)
{
    for (char16_t unit : Utf8ToUtf16(utf8))
        Word(unit);
    Word(0);
}

void ByteWriter::AlignTo(size_t boundary)
{
    while (m_bytes.size() % boundary != 0)
        m_bytes.push_back(0);
}

void ByteWriter::PatchWord(size_t offset, WORD value)
{
    m_bytes[offset] = static_cast<BYTE>(value & 0xFF);
    m_bytes[offset + 1] = static_cast<BYTE>(value >> 8);
}

bool ByteReader::Need(size_t count)
{
    if (m_failed || m_size - m_offset < count || m_offset > m_size) {
        m_failed = true;
        return false;
    }
    return true;
}

BYTE ByteReader::Byte()
{
    if (!Need(1))
        return 0;
    return m_data[m_offset++];
}

WORD ByteReader::Word()
{
    if (!Need(2))
        return 0;
    const WORD value = static_cast<WORD>(m_data[m_offset] | (m_data[m_offset + 1] << 8));
    m_offset += 2;
    return value;
}

DWORD ByteReader::Dword()
{
    const DWORD low = Word();
    const DWORD high = Word();
    return low | (high << 16);
}

bool ByteReader::Bytes(std::vector<BYTE>& out, size_t count)
{
    if (!Need(count))
        return false;
    out.assign(m_data + m_offset, m_data + m_offset + count);
    m_offset += count;
    return true;
}

std::string ByteReader::Utf16z()
{
    std::u16string units;
    for (;;) {
        const WORD unit = Word();
        if (!Ok() || unit == 0)
            break;
        units += static_cast<char16_t>(unit);
    }
    return Utf16ToUtf8(units);
}

void ByteReader::AlignTo(size_t boundary)
{
    const size_t padding = (boundary - m_offset % boundary) % boundary;
    if (padding && m_offset + padding > m_size) {
        m_offset = m_size;  // trailing padding may be cut at the end of a resource
        return;
    }
    m_offset += padding;
}

void ByteReader::Skip(size_t count)
{
    if (Need(count))
        m_offset += count;
}

}  // namespace tw::res
