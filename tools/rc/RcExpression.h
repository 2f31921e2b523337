// Numeric expressions of scripts and #if lines: numbers, parentheses, unary
// - ~ ! and NOT, * / %, + -, shifts, comparisons, & ^ |, && ||. Values are
// 32-bit unsigned, as the platform's styles and ids are.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/rc/RcToken.h"

namespace tw::rc {

class RcExpression {
public:
    // Reads from tokens[pos], leaving pos after the expression. With
    // undefinedIsZero (an #if line) an unknown name is 0, else an error.
    RcExpression(const std::vector<RcToken>& tokens, size_t& pos, bool undefinedIsZero = false)
        : m_tokens(tokens), m_pos(pos), m_undefinedIsZero(undefinedIsZero)
    {
    }

    uint32_t Parse();
    // True when the last number read carried an L suffix.
    bool SawLong() const { return m_sawLong; }

    // A style: terms joined by |, where "NOT term" clears bits from the
    // defaults instead of setting them.
    struct Style {
        uint32_t set = 0;
        uint32_t clear = 0;
        uint32_t Apply(uint32_t defaults) const { return (defaults | set) & ~clear; }
    };
    Style ParseStyle();

    static bool CanStart(const RcToken& token);

private:
    uint32_t LogicalOr();
    uint32_t LogicalAnd();
    uint32_t BitOr();
    uint32_t BitXor();
    uint32_t BitAnd();
    uint32_t Equality();
    uint32_t Relational();
    uint32_t Shift();
    uint32_t Additive();
    uint32_t Multiplicative();
    uint32_t Unary();
    uint32_t Primary();

    const RcToken& Peek() const;
    bool AcceptPunct(const char* text);

    const std::vector<RcToken>& m_tokens;
    size_t& m_pos;
    bool m_undefinedIsZero;
    bool m_sawLong = false;
};

}  // namespace tw::rc
