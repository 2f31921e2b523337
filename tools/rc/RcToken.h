// The tokens of resource scripts and id headers.
#pragma once

#include <cstdint>
#include <string>

#include "tools/rc/RcError.h"

namespace tw::rc {

enum class TokenKind { Identifier, Number, String, Punct, End };

struct RcToken {
    TokenKind kind = TokenKind::End;
    std::string text;     // identifier, punctuation, or the string's UTF-8 value
    uint32_t value = 0;   // numbers
    bool isLong = false;  // a number with an L suffix (a DWORD in data blocks)
    bool wide = false;    // an L"..." string
    RcLocation where;

    bool Is(TokenKind k, const char* t) const { return kind == k && text == t; }
    bool IsPunct(const char* t) const { return Is(TokenKind::Punct, t); }
    bool IsWord(const char* t) const { return Is(TokenKind::Identifier, t); }
};

}  // namespace tw::rc
