// UTF-8 stepping and case mapping shared by the locale and C run time forms:
// a multibyte character is one whole UTF-8 sequence.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tw::utf8 {

// Length of the sequence that starts with this byte: 1 for ASCII, for a
// stray continuation byte and for an invalid lead byte (each such byte is a
// character of its own), else 2 to 4.
size_t SequenceLength(unsigned char lead);

// Decodes the character at p (not past end); sets length to the bytes it
// took. Invalid or truncated sequences decode as U+FFFD of length 1.
char32_t Decode(const char* p, const char* end, size_t& length);
// True when the bytes at p form one valid, shortest-form sequence.
bool IsValidSequence(const char* p, const char* end);

void Append(char32_t codePoint, std::string& out);

char32_t ToUpper(char32_t c);
char32_t ToLower(char32_t c);
bool IsUpper(char32_t c);
bool IsLower(char32_t c);
bool IsAlpha(char32_t c);
bool IsAlnum(char32_t c);

// Case-maps a NUL-free range in place; a character whose mapping needs a
// different number of bytes is left as it is.
void UpperInPlace(char* p, size_t length);
void LowerInPlace(char* p, size_t length);

// The start of the character before p, not before start.
const char* PreviousCharacter(const char* start, const char* p);

}  // namespace tw::utf8

namespace tw {

// Decodes the sequence at text[at]: its length in bytes, 0 when it is not a
// valid UTF-8 sequence (overlong, surrogate, cut short).
size_t DecodeUtf8(std::string_view text, size_t at, char32_t& codePoint);
void AppendUtf8(std::string& out, char32_t codePoint);

// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
// The same, appended to `out` (no string made per call).
void AppendUtf16AsUtf8(std::string& out, std::u16string_view text);
// UTF-8 to UTF-16; bytes that are no valid sequence become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// Length of a NUL-terminated UTF-16 string; 0 for NULL.
size_t Utf16Length(const char16_t* text);

}  // namespace tw
