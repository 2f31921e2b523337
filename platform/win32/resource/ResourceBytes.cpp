#include "platform/win32/resource/ResourceBytes.h"

namespace tw::res {

namespace {

// Decodes one UTF-8 sequence; malformed input yields U+FFFD for one byte.
char32_t DecodeUtf8(std::string_view text, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + extra >= text.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const char32_t cp = DecodeUtf8(text, pos);
        if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            out += static_cast<char16_t>(0xD800 + (v >> 10));
            out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        const bool highSurrogate = cp >= 0xD800 && cp < 0xDC00;
        if (highSurrogate && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

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
