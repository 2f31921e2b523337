#include "platform/win32/kernel/PlatformPrintf.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace tw {
namespace printf_detail {

enum class LengthMod { None, Char, Short, Long32, Long64, LongDouble, Wide, SizeT };

struct ConversionSpec {
    std::string flags;
    int width = -1;
    int precision = -1;
    LengthMod length = LengthMod::None;
    char conversion = 0;

    bool HasFlag(char flag) const { return flags.find(flag) != std::string::npos; }
};

// Pads `text` to the spec's width; zero padding goes after the sign or radix prefix.
void PadInto(std::string& out, const ConversionSpec& spec, std::string_view text, size_t prefixLength, bool zeroAllowed)
{
    const size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
    if (text.size() >= width) {
        out.append(text);
        return;
    }
    const size_t fill = width - text.size();
    if (spec.HasFlag('-')) {
        out.append(text);
        out.append(fill, ' ');
        return;
    }
    if (zeroAllowed && spec.HasFlag('0')) {
        out.append(text.substr(0, prefixLength));
        out.append(fill, '0');
        out.append(text.substr(prefixLength));
        return;
    }
    out.append(fill, ' ');
    out.append(text);
}

std::string CFormat(const std::string& cspec, auto... values)
{
    char small[128];
    const int needed = std::snprintf(small, sizeof small, cspec.c_str(), values...);
    if (needed < 0)
        return {};
    if (static_cast<size_t>(needed) < sizeof small)
        return std::string(small, static_cast<size_t>(needed));
    std::string big(static_cast<size_t>(needed) + 1, '\0');
    std::snprintf(big.data(), big.size(), cspec.c_str(), values...);
    big.resize(static_cast<size_t>(needed));
    return big;
}

std::string SpecPrefix(const ConversionSpec& spec, bool withWidth)
{
    std::string cspec = "%" + spec.flags;
    if (withWidth && spec.width >= 0)
        cspec += std::to_string(spec.width);
    if (spec.precision >= 0)
        cspec += "." + std::to_string(spec.precision);
    return cspec;
}

void FormatInteger(std::string& out, const ConversionSpec& spec, va_list& args)
{
    const bool isSigned = spec.conversion == 'd' || spec.conversion == 'i';
    long long value = 0;
    switch (spec.length) {
    case LengthMod::Long64:
    case LengthMod::SizeT:
        value = va_arg(args, long long);
        break;
    case LengthMod::Char:
        value = isSigned ? static_cast<signed char>(va_arg(args, int)) : static_cast<unsigned char>(va_arg(args, int));
        break;
    case LengthMod::Short:
        value = isSigned ? static_cast<short>(va_arg(args, int)) : static_cast<unsigned short>(va_arg(args, int));
        break;
    default: // int and the platform's 32-bit LONG
        value = isSigned ? static_cast<long long>(va_arg(args, int)) : static_cast<long long>(va_arg(args, unsigned int));
        break;
    }
    const std::string cspec = SpecPrefix(spec, true) + "ll" + spec.conversion;
    if (isSigned)
        out += CFormat(cspec, value);
    else
        out += CFormat(cspec, static_cast<unsigned long long>(value));
}

// "1.#INF", "-1.#IND" and the rest, as the platform's run time prints them.
std::string NonFiniteText(const ConversionSpec& spec, double value)
{
    std::string marker;
    bool negative = std::signbit(value);
    if (std::isinf(value)) {
        marker = "#INF";
    } else {
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        const uint64_t quietBit = 1ull << 51;
        const uint64_t payload = bits & ((1ull << 52) - 1);
        if (!(payload & quietBit))
            marker = "#SNAN";
        else if (negative && payload == quietBit)
            marker = "#IND";
        else
            marker = "#QNAN";
    }
    std::string text;
    if (negative)
        text = "-";
    else if (spec.HasFlag('+'))
        text = "+";
    else if (spec.HasFlag(' '))
        text = " ";
    text += "1.";
    text += marker;
    const char conv = spec.conversion;
    const bool fixedDigits = conv == 'f' || conv == 'F' || conv == 'e' || conv == 'E';
    const size_t precision = spec.precision >= 0 ? static_cast<size_t>(spec.precision) : 6;
    if (fixedDigits && precision > marker.size())
        text.append(precision - marker.size(), '0');
    if (conv == 'e' || conv == 'E')
        text += conv == 'e' ? "e+000" : "E+000";
    return text;
}

// glibc writes at least two exponent digits, the platform at least three.
void WidenExponent(std::string& text)
{
    const size_t e = text.find_last_of("eE");
    if (e == std::string::npos || e + 1 >= text.size())
        return;
    const size_t digitsAt = e + 2; // past the exponent's sign
    const size_t digits = text.size() - digitsAt;
    if (digits < 3)
        text.insert(digitsAt, 3 - digits, '0');
}

size_t SignLength(std::string_view text)
{
    return !text.empty() && (text[0] == '-' || text[0] == '+' || text[0] == ' ') ? 1 : 0;
}

void FormatFloat(std::string& out, const ConversionSpec& spec, va_list& args)
{
    const double value =
        spec.length == LengthMod::LongDouble ? static_cast<double>(va_arg(args, long double)) : va_arg(args, double);
    if (!std::isfinite(value)) {
        PadInto(out, spec, NonFiniteText(spec, value), 0, false);
        return;
    }
    const char conv = spec.conversion;
    if (conv == 'f' || conv == 'F' || conv == 'a' || conv == 'A') {
        out += CFormat(SpecPrefix(spec, true) + conv, value);
        return;
    }
    ConversionSpec unpadded = spec;
    std::erase(unpadded.flags, '-');
    std::erase(unpadded.flags, '0');
    std::string text = CFormat(SpecPrefix(unpadded, false) + conv, value);
    WidenExponent(text);
    PadInto(out, spec, text, SignLength(text), true);
}

// Cuts at most `limit` bytes without splitting a UTF-8 sequence.
std::string_view CutAtCharBoundary(std::string_view text, int limit)
{
    if (limit < 0 || static_cast<size_t>(limit) >= text.size())
        return text;
    size_t cut = static_cast<size_t>(limit);
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut);
}


void FormatString(std::string& out, const ConversionSpec& spec, va_list& args)
{
    const bool wide = spec.conversion == 'S' ? spec.length != LengthMod::Short
                                             : spec.length == LengthMod::Long32 || spec.length == LengthMod::Wide;
    std::string converted;
    std::string_view text;
    if (wide) {
        const char16_t* source = va_arg(args, const char16_t*);
        converted = source ? Utf16ToUtf8(std::u16string_view(source, Utf16Length(source))) : "(null)";
        text = converted;
    } else {
        const char* source = va_arg(args, const char*);
        text = source ? std::string_view(source) : std::string_view("(null)");
    }
    PadInto(out, spec, CutAtCharBoundary(text, spec.precision), 0, false);
}

void FormatChar(std::string& out, const ConversionSpec& spec, va_list& args)
{
    const bool wide = spec.conversion == 'C' ? spec.length != LengthMod::Short
                                             : spec.length == LengthMod::Long32 || spec.length == LengthMod::Wide;
    const int code = va_arg(args, int);
    std::string text;
    if (wide) {
        const char16_t unit = static_cast<char16_t>(code);
        text = Utf16ToUtf8(std::u16string_view(&unit, 1));
    } else {
        text.assign(1, static_cast<char>(code));
    }
    PadInto(out, spec, text, 0, false);
}

void FormatPointer(std::string& out, const ConversionSpec& spec, va_list& args)
{
    const void* pointer = va_arg(args, const void*);
    const std::string text =
        CFormat("%0*llX", static_cast<int>(sizeof(void*) * 2), static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(pointer)));
    PadInto(out, spec, text, 0, false);
}

LengthMod ParseLength(const char*& p)
{
    switch (*p) {
    case 'h':
        ++p;
        if (*p == 'h') {
            ++p;
            return LengthMod::Char;
        }
        return LengthMod::Short;
    case 'l':
        ++p;
        if (*p == 'l') {
            ++p;
            return LengthMod::Long64;
        }
        return LengthMod::Long32;
    case 'q':
        ++p;
        return LengthMod::Long64;
    case 'L':
        ++p;
        return LengthMod::LongDouble;
    case 'w':
        ++p;
        return LengthMod::Wide;
    case 'z':
    case 'j':
    case 't':
        ++p;
        return LengthMod::SizeT;
    case 'I':
        if (p[1] == '6' && p[2] == '4') {
            p += 3;
            return LengthMod::Long64;
        }
        if (p[1] == '3' && p[2] == '2') {
            p += 3;
            return LengthMod::Long32;
        }
        ++p;
        return LengthMod::SizeT;
    default:
        return LengthMod::None;
    }
}

int ParseNumberOrStar(const char*& p, va_list& args)
{
    if (*p == '*') {
        ++p;
        return va_arg(args, int);
    }
    if (*p < '0' || *p > '9')
        return -1;
    int value = 0;
    while (*p >= '0' && *p <= '9') {
        if (value < 100000000)
            value = value * 10 + (*p - '0');
        ++p;
    }
    return value;
}

// Parses one conversion after its '%'; p is left after the conversion character.
ConversionSpec ParseSpec(const char*& p, va_list& args)
{
    ConversionSpec spec;
    while (*p && std::strchr("-+ #0", *p))
        spec.flags += *p++;
    spec.width = ParseNumberOrStar(p, args);
    if (spec.width < -1 || (spec.width < 0 && p[-1] == '*')) {
        spec.flags += '-';
        spec.width = spec.width == -1 ? 1 : -spec.width;
    }
    if (*p == '.') {
        ++p;
        spec.precision = ParseNumberOrStar(p, args);
        if (spec.precision < 0 && p[-1] != '*')
            spec.precision = 0; // "%.f" means precision 0
    }
    spec.length = ParseLength(p);
    spec.conversion = *p;
    if (*p)
        ++p;
    return spec;
}

void FormatOne(std::string& out, const ConversionSpec& spec, va_list& args)
{
    switch (spec.conversion) {
    case 'd':
    case 'i':
    case 'u':
    case 'o':
    case 'x':
    case 'X':
        FormatInteger(out, spec, args);
        return;
    case 'e':
    case 'E':
    case 'f':
    case 'F':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
        FormatFloat(out, spec, args);
        return;
    case 's':
    case 'S':
        FormatString(out, spec, args);
        return;
    case 'c':
    case 'C':
        FormatChar(out, spec, args);
        return;
    case 'p':
        FormatPointer(out, spec, args);
        return;
    case 'n':
        // Writing through a caller's pointer from a format text is never honoured.
        (void)va_arg(args, void*);
        return;
    case '%':
        out += '%';
        return;
    case 0:
        return;
    default:
        out += spec.conversion;
        return;
    }
}



} // namespace printf_detail

void AppendPrintf(std::string& out, const char* format, va_list args)
{
    if (!format)
        return;
    va_list local;
    va_copy(local, args);
    for (const char* p = format; *p;) {
        if (*p != '%') {
            const char* next = std::strchr(p, '%');
            const size_t run = next ? static_cast<size_t>(next - p) : std::strlen(p);
            out.append(p, run);
            p += run;
            continue;
        }
        ++p;
        const printf_detail::ConversionSpec spec = printf_detail::ParseSpec(p, local);
        printf_detail::FormatOne(out, spec, local);
    }
    va_end(local);
}

std::string FormatPrintf(const char* format, ...)
{
    std::string out;
    va_list args;
    va_start(args, format);
    AppendPrintf(out, format, args);
    va_end(args);
    return out;
}





} // namespace tw

int tw_vsnprintf(char* buffer, size_t size, const char* format, va_list args)
{
    std::string text;
    tw::AppendPrintf(text, format, args);
    if (buffer && size > 0) {
        const size_t copied = std::min(text.size(), size - 1);
        std::memcpy(buffer, text.data(), copied);
        buffer[copied] = '\0';
    }
    return static_cast<int>(text.size());
}

int tw_snprintf(char* buffer, size_t size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int result = tw_vsnprintf(buffer, size, format, args);
    va_end(args);
    return result;
}

int _vsnprintf(char* buffer, size_t count, const char* format, va_list args)
{
    const int needed = tw_vsnprintf(buffer, count, format, args);
    return static_cast<size_t>(needed) < count ? needed : -1;
}

int _snprintf(char* buffer, size_t count, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int result = _vsnprintf(buffer, count, format, args);
    va_end(args);
    return result;
}
