#include "tools/rc/RcExpression.h"

#include <strings.h>

namespace tw::rc {

bool RcExpression::CanStart(const RcToken& token)
{
    if (token.kind == TokenKind::Number)
        return true;
    if (token.kind == TokenKind::Punct)
        return token.text == "(" || token.text == "-" || token.text == "~" || token.text == "!" || token.text == "+";
    return token.kind == TokenKind::Identifier && strcasecmp(token.text.c_str(), "NOT") == 0;
}

const RcToken& RcExpression::Peek() const
{
    static const RcToken end;
    return m_pos < m_tokens.size() ? m_tokens[m_pos] : end;
}

bool RcExpression::AcceptPunct(const char* text)
{
    if (!Peek().IsPunct(text))
        return false;
    ++m_pos;
    return true;
}

uint32_t RcExpression::Parse()
{
    return LogicalOr();
}

RcExpression::Style RcExpression::ParseStyle()
{
    Style style;
    do {
        const RcToken& token = Peek();
        if (token.kind == TokenKind::Identifier && strcasecmp(token.text.c_str(), "NOT") == 0) {
            ++m_pos;
            style.clear |= Unary();
        } else {
            style.set |= BitXor();
        }
    } while (AcceptPunct("|"));
    return style;
}

uint32_t RcExpression::LogicalOr()
{
    uint32_t value = LogicalAnd();
    while (AcceptPunct("||")) {
        const uint32_t right = LogicalAnd();
        value = (value || right) ? 1 : 0;
    }
    return value;
}

uint32_t RcExpression::LogicalAnd()
{
    uint32_t value = BitOr();
    while (AcceptPunct("&&")) {
        const uint32_t right = BitOr();
        value = (value && right) ? 1 : 0;
    }
    return value;
}

uint32_t RcExpression::BitOr()
{
    uint32_t value = BitXor();
    while (AcceptPunct("|"))
        value |= BitXor();
    return value;
}

uint32_t RcExpression::BitXor()
{
    uint32_t value = BitAnd();
    while (AcceptPunct("^"))
        value ^= BitAnd();
    return value;
}

uint32_t RcExpression::BitAnd()
{
    uint32_t value = Equality();
    while (AcceptPunct("&"))
        value &= Equality();
    return value;
}

uint32_t RcExpression::Equality()
{
    uint32_t value = Relational();
    for (;;) {
        if (AcceptPunct("=="))
            value = value == Relational();
        else if (AcceptPunct("!="))
            value = value != Relational();
        else
            return value;
    }
}

uint32_t RcExpression::Relational()
{
    uint32_t value = Shift();
    for (;;) {
        if (AcceptPunct("<"))
            value = int32_t(value) < int32_t(Shift());
        else if (AcceptPunct(">"))
            value = int32_t(value) > int32_t(Shift());
        else if (AcceptPunct("<="))
            value = int32_t(value) <= int32_t(Shift());
        else if (AcceptPunct(">="))
            value = int32_t(value) >= int32_t(Shift());
        else
            return value;
    }
}

uint32_t RcExpression::Shift()
{
    uint32_t value = Additive();
    for (;;) {
        if (AcceptPunct("<<"))
            value <<= (Additive() & 31);
        else if (AcceptPunct(">>"))
            value >>= (Additive() & 31);
        else
            return value;
    }
}

uint32_t RcExpression::Additive()
{
    uint32_t value = Multiplicative();
    for (;;) {
        if (AcceptPunct("+"))
            value += Multiplicative();
        else if (AcceptPunct("-"))
            value -= Multiplicative();
        else
            return value;
    }
}

uint32_t RcExpression::Multiplicative()
{
    uint32_t value = Unary();
    for (;;) {
        const RcToken& op = Peek();
        if (!op.IsPunct("*") && !op.IsPunct("/") && !op.IsPunct("%"))
            return value;
        const RcLocation where = op.where;
        const bool multiply = op.text == "*";
        const bool divide = op.text == "/";
        ++m_pos;
        const uint32_t right = Unary();
        if (multiply) {
            value *= right;
            continue;
        }
        if (right == 0)
            throw RcError(where, "division by zero");
        value = divide ? value / right : value % right;
    }
}

uint32_t RcExpression::Unary()
{
    if (AcceptPunct("-"))
        return 0u - Unary();
    if (AcceptPunct("+"))
        return Unary();
    if (AcceptPunct("~"))
        return ~Unary();
    if (AcceptPunct("!"))
        return Unary() == 0 ? 1 : 0;
    const RcToken& token = Peek();
    if (token.kind == TokenKind::Identifier && strcasecmp(token.text.c_str(), "NOT") == 0) {
        ++m_pos;
        return ~Unary();
    }
    return Primary();
}

uint32_t RcExpression::Primary()
{
    const RcToken& token = Peek();
    if (token.kind == TokenKind::Number) {
        ++m_pos;
        m_sawLong = m_sawLong || token.isLong;
        return token.value;
    }
    if (token.IsPunct("(")) {
        ++m_pos;
        const uint32_t value = Parse();
        if (!AcceptPunct(")"))
            throw RcError(Peek().where.line ? Peek().where : token.where, "')' expected");
        return value;
    }
    if (token.kind == TokenKind::Identifier) {
        if (m_undefinedIsZero) {
            ++m_pos;
            return 0;
        }
        throw RcError(token.where, "unknown symbol '" + token.text + "'");
    }
    if (token.kind == TokenKind::End)
        throw RcError(token.where, "number expected at the end of the input");
    throw RcError(token.where, "number expected, found '" + token.text + "'");
}

}  // namespace tw::rc
